// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/account_export.h"

#include "import/formats/migration_export.h"
#include "import/formats/private_file.h"
#include "storage/account_store.h"
#include "ui/export/migration_codes_window.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopedValueRollback>
#include <QStandardPaths>

namespace {

// Opens in the documents folder with a suggested name.
QString askExportFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                          const QString& filter)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QFileDialog::getSaveFileName(parent, title, QDir(folder).filePath(suggestedName), filter);
}

std::optional<ExportChoice> chooseWithDialog(QWidget* parent, bool offerCodes)
{
    ExportFormatDialog dialog(parent);
    dialog.setFormatOffered(ExportFormat::googleMigrationCodes, offerCodes);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

bool confirmWithMessageBox(QWidget* parent, ExportFormat format, int count)
{
    QMessageBox box(QMessageBox::Warning, AccountExport::tr("Export Accounts"), QString(),
                    QMessageBox::NoButton, parent);
    switch (format) {
    case ExportFormat::aegisVaultEncrypted:
        box.setText(AccountExport::tr("The file will hold the secrets of your %n account(s), encrypted with "
                                      "your password.",
                                      nullptr, count));
        box.setInformativeText(AccountExport::tr("Anyone who has the file and guesses or learns the password "
                                                 "can generate your codes."));
        break;
    case ExportFormat::googleMigrationCodes:
        box.setText(AccountExport::tr(
            "The QR codes will hold the secrets of your %n account(s), unencrypted.", nullptr, count));
        box.setInformativeText(
            AccountExport::tr("Anyone who sees or photographs the codes, or gets the saved "
                              "images, can generate your codes. Show them only to your own "
                              "phone."));
        break;
    case ExportFormat::otpauthLinks:
    case ExportFormat::aegisVault:
        box.setText(AccountExport::tr("The file will hold the secrets of your %n account(s), unencrypted.",
                                      nullptr, count));
        box.setInformativeText(AccountExport::tr("Anyone who can read the file can generate your codes. Keep "
                                                 "it somewhere private and delete it when you no longer need "
                                                 "it."));
        break;
    }
    QPushButton* exportButton = box.addButton(AccountExport::tr("Export"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == exportButton;
}

QString saveNameWithDialog(QWidget* parent, ExportFormat format)
{
    switch (format) {
    case ExportFormat::otpauthLinks:
        return askExportFileName(parent, AccountExport::tr("Export as otpauth Links"),
                                 QStringLiteral("brisvane-links.txt"),
                                 AccountExport::tr("Text files (*.txt)"));
    case ExportFormat::aegisVault:
    case ExportFormat::aegisVaultEncrypted:
        return askExportFileName(parent, AccountExport::tr("Export as Aegis Vault"),
                                 QStringLiteral("brisvane-backup.json"),
                                 AccountExport::tr("JSON files (*.json)"));
    case ExportFormat::googleMigrationCodes:
        break;
    }
    return askExportFileName(parent, AccountExport::tr("Save QR Codes as PNG"),
                             QStringLiteral("brisvane-codes.png"), AccountExport::tr("PNG images (*.png)"));
}

void warn(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, AccountExport::tr("Export Failed"), message);
}

} // namespace

AccountExport::AccountExport(const AccountStore& store, const QREncoder* encoder, QObject* parent)
    : QObject(parent), m_store(store),
      m_encoder(encoder), m_questions{
                              [this](QWidget* over) { return chooseWithDialog(over, m_encoder != nullptr); },
                              confirmWithMessageBox, saveNameWithDialog, warn}
{
}

AccountExport::~AccountExport()
{
    // The window asks this object where to save.
    delete m_codesWindow;
}

bool AccountExport::run(QWidget* parent)
{
    // A second Export… from the tray while the questions are open would stack them.
    if (m_running)
        return false;
    const QScopedValueRollback running(m_running, true);
    const auto count = static_cast<int>(m_store.accounts().size());
    if (count == 0) {
        m_questions.showError(parent, tr("There are no accounts to export."));
        return false;
    }
    const std::optional<ExportChoice> choice = m_questions.chooseFormat(parent);
    if (!choice || !m_questions.confirmSecrets(parent, choice->format, count))
        return false;
    if (choice->format != ExportFormat::googleMigrationCodes)
        return writeFile(parent, *choice);
    if (m_encoder == nullptr)
        return false;
    showCodes(parent);
    return true;
}

bool AccountExport::writeFile(QWidget* parent, const ExportChoice& choice)
{
    const QString path = m_questions.saveFileName(parent, choice.format);
    if (path.isEmpty())
        return false;
    const QByteArray document = exportDocument(choice.format, m_store.accounts(), choice.password);
    if (document.isEmpty()) {
        m_questions.showError(parent, tr("An encrypted vault needs a password. Nothing was exported."));
        return false;
    }
    if (const std::optional<FileWriteError> error = writePrivateFile(path, document)) {
        m_questions.showError(
            parent, tr("Could not write %1: %2. Nothing was exported.").arg(error->path, error->reason));
        return false;
    }
    return true;
}

void AccountExport::showCodes(QWidget* parent)
{
    if (m_codesWindow)
        m_codesWindow->close();
    const MigrationExport exported =
        migrationLinks(m_store.accounts(), static_cast<int>(QRandomGenerator::global()->bounded(1, 1 << 30)));
    m_codesWindow = new MigrationCodesWindow(
        exported.links, exported.leftOut, *m_encoder,
        [this](QWidget* window) {
            return m_questions.saveFileName(window, ExportFormat::googleMigrationCodes);
        },
        parent);
    m_codesWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_codesWindow->show();
    m_codesWindow->raise();
    m_codesWindow->activateWindow();
}
