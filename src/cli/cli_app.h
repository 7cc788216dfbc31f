// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

class AccountStore;
class QREncoder;
class TerminalPassword;
struct Account;

// brisvane-cli's commands over the account store. Standard output carries only what was asked
// for (labels, a code, an export); messages go to standard error. Each command returns the
// process exit status.
class CliApp
{
public:
    CliApp(AccountStore& store, QREncoder& qr, std::FILE* out, std::FILE* err);

    // The arguments after the program name.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int list(const QStringList& arguments);
    int code(const QStringList& arguments);
    int importFiles(const QStringList& arguments);
    int exportAccounts(const QStringList& arguments);

    int fail(const QString& message, int status = 1);
    void print(std::FILE* stream, const QString& text);
    // The store's error after a write, reported; true when there was one.
    bool reportStoreError();
    bool writeFile(const QString& path, const QByteArray& bytes);
    std::optional<QString> newPassword(TerminalPassword& source);

    AccountStore& m_store;
    QREncoder& m_qr;
    std::FILE* m_out;
    std::FILE* m_err;
};
