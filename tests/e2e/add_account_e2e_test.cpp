// SPDX-License-Identifier: GPL-3.0-or-later
// Adding accounts through the built program's add dialog, as a user would: QR codes shown
// by another program on the screen, an image file picked in the file dialog, a pasted link
// and a typed key, each checked in the keyring through secret-tool.

#include "e2e_tools.h"

#include <QCoreApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace E2E;

namespace {

// "Hello!" followed by DE AD BE EF, the key JBSWY3DPEHPK3PXP, as the stored JSON has it.
const QString helloBase64 = QStringLiteral("SGVsbG8h3q2+7w==");
const QString exampleLink =
    QStringLiteral("otpauth://totp/Example:alice?secret=JBSWY3DPEHPK3PXP&issuer=Example");

std::optional<QJsonObject> accountNamed(const QList<QJsonObject>& accounts, const QString& name)
{
    for (const QJsonObject& account : accounts)
        if (account.value(QStringLiteral("name")).toString() == name)
            return account;
    return std::nullopt;
}

// Protocol Buffers wire format, as far as an export payload needs it.
QByteArray varint(quint64 value)
{
    QByteArray bytes;
    do {
        bytes.append(char((value & 0x7f) | (value > 0x7f ? 0x80 : 0)));
        value >>= 7;
    } while (value != 0);
    return bytes;
}

QByteArray bytesField(int field, const QByteArray& value)
{
    return varint(quint64(field) << 3 | 2) + varint(quint64(value.size())) + value;
}

QByteArray numberField(int field, quint64 value)
{
    return varint(quint64(field) << 3) + varint(value);
}

// Entry fields 4 to 7 are enumerations: algorithm (1 SHA1, 2 SHA256), digits (1 six,
// 2 eight), type (1 HOTP, 2 TOTP), then the counter.
QByteArray exportEntry(const QByteArray& secret, const QString& name, const QString& issuer,
                       const QByteArray& numbers)
{
    return bytesField(1, bytesField(1, secret) + bytesField(2, name.toUtf8()) +
                             bytesField(3, issuer.toUtf8()) + numbers);
}

QString exportLink(const QByteArray& entries)
{
    const QByteArray payload = entries + numberField(2, 1) + numberField(3, 1) + numberField(4, 0);
    return QStringLiteral("otpauth-migration://offline?data=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(payload.toBase64())));
}

class AddAccountEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_files.isValid());
        clearKeyring();
        m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_app.start(QStringLiteral(BRISVANE_APP), {});
        ASSERT_TRUE(m_app.waitForStarted(5000));
        m_mainWindow = waitForWindow(QStringLiteral("Brisvane"));
        ASSERT_FALSE(m_mainWindow.isEmpty()) << "the main window did not appear";
    }

    void TearDown() override
    {
        for (QProcess* process : {&m_app, m_imageWindow.get()}) {
            if (process == nullptr || process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished();
            }
        }
        clearKeyring();
    }

    QString path(const QString& name) const { return m_files.filePath(name); }

    // A QR code of `text` made by qrencode, as a PNG file.
    QString qrFile(const QString& name, const QString& text) const
    {
        const Outcome made = run(QStringLiteral("qrencode"), {QStringLiteral("-s"), QStringLiteral("6"),
                                                              QStringLiteral("-o"), path(name), text});
        EXPECT_EQ(made.exitCode, 0) << qPrintable(made.err);
        return path(name);
    }

    // Shows the image in another program's window right of where our windows open (the top left).
    void showOnScreen(const QString& image)
    {
        m_imageWindow = std::make_unique<QProcess>();
        m_imageWindow->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_imageWindow->start(QStringLiteral(IMAGE_WINDOW),
                             {QStringLiteral("qr-e2e"), image, QStringLiteral("800"), QStringLiteral("100")});
        ASSERT_FALSE(waitForWindow(QStringLiteral("qr-e2e")).isEmpty()) << "the image window did not appear";
    }

    // Ctrl+N in the main window; the dialog is focused once it is shown.
    void openAddDialog()
    {
        ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), m_mainWindow}));
        QString dialog;
        ASSERT_TRUE(pressUntil(QStringLiteral("ctrl+n"), [&] {
            return !(dialog = waitForWindow(QStringLiteral("Add account"), 1)).isEmpty();
        })) << "Ctrl+N did not open the add dialog";
        ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialog}));
    }

    static void keys(const QStringList& names)
    {
        for (const QString& name : names)
            ASSERT_TRUE(xdotool({QStringLiteral("key"), name}));
    }

    static void type(const QString& text)
    {
        ASSERT_TRUE(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), text}));
    }

    // Adding closes the dialog only after the store has written the keyring.
    static void expectDialogClosed()
    {
        EXPECT_TRUE(waitUntil([] { return !windowVisible(QStringLiteral("Add account")); }))
            << "the add dialog stayed open";
    }

    static QList<QJsonObject> waitForAccounts(qsizetype count)
    {
        QList<QJsonObject> accounts;
        waitUntil([&] { return (accounts = keyringAccounts()).size() >= count; });
        return accounts;
    }

    QTemporaryDir m_files;
    QProcess m_app;
    std::unique_ptr<QProcess> m_imageWindow;
    QString m_mainWindow;
};

void expectAccount(const std::optional<QJsonObject>& account, const QString& issuer, const QString& secret,
                   const QString& type = QStringLiteral("totp"),
                   const QString& algorithm = QStringLiteral("SHA1"), int digits = 6)
{
    ASSERT_TRUE(account.has_value());
    EXPECT_EQ(account->value(QStringLiteral("issuer")).toString(), issuer);
    EXPECT_EQ(account->value(QStringLiteral("secret")).toString(), secret);
    EXPECT_EQ(account->value(QStringLiteral("type")).toString(), type);
    EXPECT_EQ(account->value(QStringLiteral("algorithm")).toString(), algorithm);
    EXPECT_EQ(account->value(QStringLiteral("digits")).toInt(), digits);
}

} // namespace

TEST_F(AddAccountEndToEnd, ScanFindsASetupCodeShownByAnotherProgram)
{
    showOnScreen(qrFile(QStringLiteral("example.png"), exampleLink));
    openAddDialog();
    keys({QStringLiteral("Return")}); // "Scan" is the default button of a fresh dialog
    const QList<QJsonObject> accounts = waitForAccounts(1);
    ASSERT_EQ(accounts.size(), 1);
    expectAccount(accountNamed(accounts, QStringLiteral("alice")), QStringLiteral("Example"), helloBase64);
    expectDialogClosed();
}

TEST_F(AddAccountEndToEnd, ScanOfAnExportCodeAddsEveryEntry)
{
    const QString link = exportLink(
        exportEntry("Hello!\xde\xad\xbe\xef", QStringLiteral("alice@example.com"), QStringLiteral("Example"),
                    numberField(4, 1) + numberField(5, 1) + numberField(6, 2)) +
        exportEntry("12345678901234567890", QStringLiteral("bob"), QStringLiteral("Bank"),
                    numberField(4, 2) + numberField(5, 2) + numberField(6, 2)) +
        exportEntry("abcdefghij", QStringLiteral("carol"), QStringLiteral("Mail"),
                    numberField(4, 1) + numberField(5, 1) + numberField(6, 1) + numberField(7, 5)));
    showOnScreen(qrFile(QStringLiteral("export.png"), link));
    openAddDialog();
    keys({QStringLiteral("Return")});
    const QList<QJsonObject> accounts = waitForAccounts(3);
    ASSERT_EQ(accounts.size(), 3);
    expectAccount(accountNamed(accounts, QStringLiteral("alice@example.com")), QStringLiteral("Example"),
                  helloBase64);
    expectAccount(accountNamed(accounts, QStringLiteral("bob")), QStringLiteral("Bank"),
                  QStringLiteral("MTIzNDU2Nzg5MDEyMzQ1Njc4OTA="), QStringLiteral("totp"),
                  QStringLiteral("SHA256"), 8);
    const std::optional<QJsonObject> carol = accountNamed(accounts, QStringLiteral("carol"));
    expectAccount(carol, QStringLiteral("Mail"), QStringLiteral("YWJjZGVmZ2hpag=="), QStringLiteral("hotp"));
    EXPECT_EQ(carol.value_or(QJsonObject()).value(QStringLiteral("counter")).toInt(), 5);
}

TEST_F(AddAccountEndToEnd, AnImageFileWithTwoCodesAddsBoth)
{
    const QImage first(qrFile(QStringLiteral("first.png"), exampleLink));
    const QImage second(
        qrFile(QStringLiteral("second.png"),
               QStringLiteral("otpauth://totp/Shop:dave?secret=GEZDGNBVGY3TQOJQ&issuer=Shop")));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    QImage both(first.width() + second.width(), qMax(first.height(), second.height()), QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(0, 0, first);
    painter.drawImage(first.width(), 0, second);
    painter.end();
    const QString image = path(QStringLiteral("both codes.png"));
    ASSERT_TRUE(both.save(image));

    openAddDialog();
    keys({QStringLiteral("ctrl+2"), QStringLiteral("Return")});
    const QString chooser = waitForWindow(QStringLiteral("Choose image"));
    ASSERT_FALSE(chooser.isEmpty()) << "the file dialog did not open";
    ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), chooser}));
    type(image);
    keys({QStringLiteral("Return")});

    const QList<QJsonObject> accounts = waitForAccounts(2);
    ASSERT_EQ(accounts.size(), 2);
    expectAccount(accountNamed(accounts, QStringLiteral("alice")), QStringLiteral("Example"), helloBase64);
    expectAccount(accountNamed(accounts, QStringLiteral("dave")), QStringLiteral("Shop"),
                  QStringLiteral("MTIzNDU2Nzg5MA=="));
    expectDialogClosed();
}

TEST_F(AddAccountEndToEnd, ATypedKeyIsAddedFromTheForm)
{
    openAddDialog();
    keys({QStringLiteral("ctrl+4")});
    type(QStringLiteral("Typed Service"));
    keys({QStringLiteral("Tab")});
    type(QStringLiteral("frank"));
    keys({QStringLiteral("Tab")});
    // Lower case with spaces between the groups, as keys are often shown.
    type(QStringLiteral("jbsw y3dp ehpk 3pxp"));
    keys({QStringLiteral("Return")});
    expectDialogClosed();
    const QList<QJsonObject> accounts = waitForAccounts(1);
    ASSERT_EQ(accounts.size(), 1);
    expectAccount(accountNamed(accounts, QStringLiteral("frank")), QStringLiteral("Typed Service"),
                  helloBase64);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
