// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/export/export_format_dialog.h"
#include "ui/export/migration_codes_window.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class AccountStore;
class QREncoder;
class QWidget;

// The app's Export…: the format, then a confirmation that the result will hold the secrets
// (Cancel is the default), then where to save; Google Authenticator's format opens a window of
// QR codes instead. The questions are functions so tests can answer them; the defaults are
// the real dialogs.
class AccountExport : public QObject
{
    Q_OBJECT
public:
    struct Questions
    {
        std::function<std::optional<ExportChoice>(QWidget* parent)> chooseFormat;
        std::function<bool(QWidget* parent, ExportFormat format, int accountCount)> confirmSecrets;
        // An empty answer cancels.
        std::function<QString(QWidget* parent, ExportFormat format)> saveFileName;
        std::function<void(QWidget* parent, const QString& message)> showError;
    };

    // The encoder draws the migration codes; without one that format is not offered.
    AccountExport(const AccountStore& store, const QREncoder* encoder, QObject* parent = nullptr);
    ~AccountExport() override;

    Questions& questions() { return m_questions; }
    void setQREncoder(const QREncoder* encoder) { m_encoder = encoder; }

    // Asks everything and writes the file or opens the codes window; false when the user
    // cancelled or the export failed (and was reported).
    bool run(QWidget* parent);

    // The window of the latest Google Authenticator export while it is open.
    MigrationCodesWindow* codesWindow() const { return m_codesWindow; }

private:
    bool writeFile(QWidget* parent, const ExportChoice& choice);
    void showCodes(QWidget* parent);

    const AccountStore& m_store;
    const QREncoder* m_encoder;
    Questions m_questions;
    QPointer<MigrationCodesWindow> m_codesWindow;
    bool m_running = false;
};
