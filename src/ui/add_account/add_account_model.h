// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/hash_algorithm.h"
#include "core/otp_type.h"
#include "core/result.h"
#include "import/qr_import_error.h"
#include "ui/add_account/add_mode.h"

#include <QFutureWatcher>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QRImporter;

// The state and actions of the add-account dialog, without any widget: the selected mode,
// the status line, the fields of every mode, the rule that enables the primary button and
// what each action does. Every successful action hands a non-empty list of new accounts to
// onAdd and then runs dismiss; every failure leaves a message in status() and keeps all input.
class AddAccountModel : public QObject
{
    Q_OBJECT
public:
    using AddAction = std::function<void(const QList<Account>&)>;
    using DismissAction = std::function<void()>;
    // Asks for the password of an encrypted backup (named by its format); absent = cancelled.
    using PasswordPrompt = std::function<std::optional<QString>(const QString& formatName)>;

    // Lets the dialog draw its progress state before the capture blocks the GUI thread.
    static constexpr std::chrono::milliseconds scanYield{250};
    // A setup link is a few hundred characters and an export of a thousand accounts well
    // under a megabyte; anything longer is not a link and would only stall the text area.
    static constexpr qsizetype maximumLinkLength = qsizetype{1024} * 1024;
    static constexpr std::int64_t minimumPeriod = 15;
    static constexpr std::int64_t maximumPeriod = 120;
    static constexpr std::int64_t periodStep = 15;
    static constexpr std::int64_t minimumDigits = 6;
    static constexpr std::int64_t maximumDigits = 8;

    // The importer must outlive the model.
    AddAccountModel(QRImporter& importer, AddAction onAdd, DismissAction dismiss, QObject* parent = nullptr);
    // Waits for a decoding still running on the worker thread: it uses the importer.
    ~AddAccountModel() override;

    AddMode mode() const { return m_mode; }
    // Empty when there is nothing to report.
    const QString& status() const { return m_status; }
    // Counts every report, so the same message given twice can be shown again.
    int statusReports() const { return m_statusReports; }
    // "Adding 412 of 1,000…" while a large add is being written to the keyring, else empty.
    const QString& progress() const { return m_progress; }
    // True while a screen scan is pending or running.
    bool isWorking() const { return m_isWorking; }

    const QString& manualIssuer() const { return m_manualIssuer; }
    const QString& manualName() const { return m_manualName; }
    const QString& manualSecret() const { return m_manualSecret; }
    OTPType manualType() const { return m_manualType; }
    HashAlgorithm manualAlgorithm() const { return m_manualAlgorithm; }
    std::int64_t manualDigits() const { return m_manualDigits; }
    std::int64_t manualPeriod() const { return m_manualPeriod; }
    const QString& linkText() const { return m_linkText; }

    // Switching modes keeps every field and the status line.
    void setMode(AddMode mode);
    void setManualIssuer(const QString& text);
    void setManualName(const QString& text);
    void setManualSecret(const QString& text);
    void setManualType(OTPType type);
    void setManualAlgorithm(HashAlgorithm algorithm);
    // Clamped to 6...8.
    void setManualDigits(std::int64_t digits);
    // Clamped to 15...120 and rounded to a multiple of 15.
    void setManualPeriod(std::int64_t seconds);
    void setLinkText(const QString& text);

    bool isPrimaryEnabled() const;

    // Shows the progress state, yields for scanYield, then captures every display (the
    // desktop may take its time and ask the user) and decodes them on a worker thread.
    void startScan();
    // Imports the chosen file: another authenticator's backup or export (recognised by its
    // content, asking for its password when it is encrypted), else the QR codes of an image,
    // read on a worker thread. An empty path means the chooser was cancelled and changes
    // nothing. Only regular files are opened.
    void chooseImageFile(const QString& path);
    void setPasswordPrompt(PasswordPrompt prompt) { m_askPassword = std::move(prompt); }
    void addFromLink();
    void addManual();
    // Refuses a paste that would make the link text longer than maximumLinkLength.
    void refuseLongText(qsizetype length);
    // How far the accounts handed to onAdd have been written; done >= total when that is over.
    // Meanwhile a successful action leaves the dialog open and runs dismiss when it is over.
    void showStoring(int done, int total);
    // Drops a scan that has not finished, so that nothing is added after the user has
    // cancelled. Does not run dismiss.
    void cancelPendingScan();

Q_SIGNALS:
    void changed();

private:
    bool hasManualInput() const;
    void runScan();
    void decodeScan(QList<QImage> images);
    void finishScan();
    void finish(const QList<Account>& accounts);
    // A backup's accounts, or false when the file is not a backup (so it may be an image).
    bool importBackupFile(const QString& path);
    void setStatus(const QString& status);
    void setWorking(bool working);

    QRImporter& m_importer;
    AddAction m_onAdd;
    DismissAction m_dismiss;
    QTimer m_scanTimer;
    // Tells a late capture or decoding of a cancelled scan from the current one.
    quint64 m_scanGeneration = 0;
    quint64 m_decodingGeneration = 0;
    QFutureWatcher<Result<QList<Account>, QRImportFailure>> m_decoding;
    PasswordPrompt m_askPassword;

    AddMode m_mode = AddMode::scanScreen;
    QString m_status;
    int m_statusReports = 0;
    QString m_progress;
    bool m_dismissWhenStored = false;
    bool m_isWorking = false;
    QString m_manualIssuer;
    QString m_manualName;
    QString m_manualSecret;
    OTPType m_manualType = OTPType::totp;
    HashAlgorithm m_manualAlgorithm = HashAlgorithm::sha1;
    std::int64_t m_manualDigits = 6;
    std::int64_t m_manualPeriod = 30;
    QString m_linkText;
};
