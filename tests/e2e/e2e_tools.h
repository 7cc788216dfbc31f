// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers shared by the end-to-end tests, which drive the built program from outside
// with command-line tools: xdotool for windows and keys, secret-tool for the keyring.

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <functional>

namespace E2E {

inline const QString keyringService = QStringLiteral("org.brisvane.Brisvane");

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a tool to its end; a tool that cannot start, hangs or crashes gives exit code -1.
inline Outcome run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                   int timeoutMs = 20000,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError())};
}

inline bool xdotool(const QStringList& arguments)
{
    return run(QStringLiteral("xdotool"), arguments).exitCode == 0;
}

// Polls instead of sleeping a fixed time, so slow machines only take longer.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < timeoutMs) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

// The id of the first visible window titled exactly `title`, or empty after the timeout.
inline QString waitForWindow(const QString& title, int seconds = 15)
{
    return run(QStringLiteral("timeout"),
               {QString::number(seconds), QStringLiteral("xdotool"), QStringLiteral("search"),
                QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                u'^' + title + u'$'})
        .out.section(u'\n', 0, 0);
}

// Whether the X input focus is on `window` (an id as xdotool prints it).
inline bool hasFocus(const QString& window)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus"), QStringLiteral("-f")}).out ==
           window;
}

// Presses `keys` until `done` holds, a few times at most. The program loses a shortcut pressed
// in its first second or two now and then, even with the focus on its window; a second press
// always arrives. A shortcut that never works still fails.
inline bool pressUntil(const QString& keys, const std::function<bool()>& done, int attempts = 3)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}).exitCode != 0)
            return false;
        if (waitUntil(done, 3000))
            return true;
    }
    return false;
}

inline bool windowVisible(const QString& title)
{
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    u'^' + title + u'$'});
}

// Account documents in the keyring; the order item, a JSON array, is left out.
inline QList<QJsonObject> keyringAccounts()
{
    const Outcome found =
        run(QStringLiteral("secret-tool"),
            {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("service"), keyringService});
    QList<QJsonObject> accounts;
    for (const QString& line : (found.out + u'\n' + found.err).split(u'\n')) {
        if (!line.startsWith(QStringLiteral("secret = ")))
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(line.mid(9).toUtf8());
        if (document.isObject())
            accounts.append(document.object());
    }
    return accounts;
}

inline void clearKeyring()
{
    run(QStringLiteral("secret-tool"), {QStringLiteral("clear"), QStringLiteral("service"), keyringService});
}

} // namespace E2E
