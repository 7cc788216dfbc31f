// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/backup_reader.h"
#include "import/parse_migration.h"
#include "platform/zxing/zxing_qr_encoder.h"
#include "qr_scan.h"
#include "shell_fakes.h"
#include "storage/account_store.h"
#include "ui/export/account_export.h"
#include "ui/export/migration_codes_window.h"
#include "ui/tray/tray_icon.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr QFileDevice::Permissions ownerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;

// Links carry neither the id nor the creation instant.
QList<Account> credentials(QList<Account> accounts)
{
    for (Account& account : accounts) {
        account.id = QUuid();
        account.createdAt = Instant{};
    }
    return accounts;
}

class AccountExportTest : public ::testing::Test, protected ShellFakes
{
protected:
    AccountExportTest()
    {
        m_shell.setQREncoder(&m_encoder);
        QDir().mkpath(m_out.path());
        Account hotp = testAccount(u"Bänk & Co"_s, u"zoë@example.com"_s, 8, OTPType::hotp);
        hotp.counter = 42;
        Account slow = testAccount(u"Acme"_s, u"alice"_s);
        slow.algorithm = HashAlgorithm::sha256;
        slow.period = 60; // more than Google Authenticator's format can say
        m_store.addAccounts({testAccount(u"GitHub"_s, u"bob"_s), hotp, slow});
        AccountExport::Questions& ask = m_export.questions();
        ask.chooseFormat = [this](QWidget*) { return m_choice; };
        ask.saveFileName = [this](QWidget*, ExportFormat) { return ++m_saveQuestions, m_path; };
        ask.showError = [this](QWidget*, const QString& message) { m_errors.append(message); };
    }
    void confirmEverything()
    {
        m_export.questions().confirmSecrets = [](QWidget*, ExportFormat, int) { return true; };
    }

    ApplicationShell m_shell{services(), {}};
    AccountStore& m_store = m_shell.store();
    ZXingQREncoder m_encoder;
    AccountExport& m_export = m_shell.accountExport();
    ExportChoice m_choice{ExportFormat::aegisVault, std::nullopt};
    QDir m_out{m_dir.filePath(u"out"_s)};
    QString m_path = m_out.filePath(u"export"_s);
    int m_saveQuestions = 0;
    QStringList m_errors;
};

TEST_F(AccountExportTest, EveryFileFormatImportsBackToTheSameAccountsFromAFileOnlyItsOwnerReads)
{
    confirmEverything();
    m_shell.startTray(false);
    QAction* exportAction =
        m_shell.tray()->systemTrayIcon().contextMenu()->findChild<QAction*>(u"exportAction"_s);
    ASSERT_NE(exportAction, nullptr);
    for (const ExportChoice& choice :
         {ExportChoice{ExportFormat::otpauthLinks, {}}, ExportChoice{ExportFormat::aegisVault, {}},
          ExportChoice{ExportFormat::aegisVaultEncrypted, u"pässwort"_s}}) {
        m_choice = choice;
        exportAction->trigger();
        EXPECT_EQ(QFile::permissions(m_path), ownerOnly);
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<Account> back = readBackup(file.readAll(), choice.password).value().accounts;
        EXPECT_EQ(credentials(back), credentials(m_store.accounts()));
        // Brisvane's own backups keep the ids, which the hotkey bindings refer to.
        if (choice.format != ExportFormat::otpauthLinks) {
            EXPECT_EQ(back.at(1).id, m_store.accounts().at(1).id);
        }
    }
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(AccountExportTest, CancelIsTheConfirmationsDefaultAndWritesNothingAsDoesAnUnwritablePath)
{
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->text().contains(u"secrets of your 3 account"_s)) << box->text().toStdString();
        QTest::keyClick(box, Qt::Key_Return);
    });
    auto* exportAction = m_shell.mainWindow().findChild<QAction*>(u"exportAction"_s);
    ASSERT_NE(exportAction, nullptr);
    exportAction->trigger();
    EXPECT_EQ(m_saveQuestions, 0);

    confirmEverything();
    m_path = m_dir.filePath(u"missing folder/backup.json"_s);
    EXPECT_FALSE(m_export.run(nullptr));
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].startsWith(u"Could not write "_s + m_path)) << m_errors[0].toStdString();
    EXPECT_TRUE(m_out.isEmpty());
}

TEST_F(AccountExportTest, TheGoogleCodesScanOneAfterTheOtherBackToTheAccountsItCanCarry)
{
    QList<Account> many;
    for (int i = 0; i < 12; ++i)
        many.append(testAccount(u"Issuer %1"_s.arg(i), u"user"_s));
    m_store.addAccounts(many);
    confirmEverything();
    m_choice = {ExportFormat::googleMigrationCodes, {}};
    ASSERT_TRUE(m_export.run(nullptr));
    MigrationCodesWindow* window = m_export.codesWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_EQ(window->codeCount(), 2);
    QList<Account> scanned;
    for (int code = 1; code <= 2; ++code) {
        EXPECT_EQ(window->position()->text(), u"Code %1 of 2"_s.arg(code));
        const QStringList payloads = scannedCodes(*window->codeImage());
        ASSERT_EQ(payloads.size(), 1);
        scanned += OTPAuth::parseMigration(payloads[0]).value();
        QTest::keyClick(window, Qt::Key_Right);
    }
    EXPECT_FALSE(window->nextButton()->isEnabled());
    QList<Account> carried = m_store.accounts();
    carried.removeAt(2);
    EXPECT_EQ(credentials(scanned), credentials(carried));
    EXPECT_TRUE(window->leftOutNote()->text().contains(u"Acme (alice)"_s));

    window->saveAsPng();
    for (const QString& name : {u"export-1.png"_s, u"export-2.png"_s})
        EXPECT_EQ(QFile::permissions(m_out.filePath(name)), ownerOnly) << name.toStdString();
}

} // namespace
