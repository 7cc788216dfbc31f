// SPDX-License-Identifier: GPL-3.0-or-later
// Adding accounts through the built program's add dialog, as a user would: QR codes shown
// by another program on the screen and in an image file picked in the file dialog, each
// checked in the keyring through secret-tool. Pasted links and typed keys are the dialog's
// own tests.

#include "e2e_tools.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
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
        ASSERT_TRUE(m_app.start(QStringLiteral(BRISVANE_APP)));
        m_mainWindow = waitForWindow(QStringLiteral("Brisvane"));
        ASSERT_FALSE(m_mainWindow.isEmpty()) << "the main window did not appear";
    }
    void TearDown() override { clearKeyring(); }

    QString path(const QString& name) const { return m_files.filePath(name); }

    // A QR code of `text` made by qrencode, as a PNG file.
    QString qrFile(const QString& name, const QString& text) const
    {
        const Outcome made = run(QStringLiteral("qrencode"), {QStringLiteral("-s"), QStringLiteral("6"),
                                                              QStringLiteral("-o"), path(name), text});
        EXPECT_EQ(made.exitCode, 0) << qPrintable(made.err);
        return path(name);
    }

    // The images next to each other on white, in a file whose name has a space.
    QString sideBySide(const QStringList& files) const
    {
        QList<QImage> images;
        QSize size;
        for (const QString& file : files) {
            images.append(QImage(file));
            size = QSize(size.width() + images.last().width(), qMax(size.height(), images.last().height()));
        }
        QImage both(size, QImage::Format_RGB32);
        both.fill(Qt::white);
        QPainter painter(&both);
        int x = 0;
        for (const QImage& image : std::as_const(images)) {
            painter.drawImage(x, 0, image);
            x += image.width();
        }
        painter.end();
        const QString joined = path(QStringLiteral("side by side.png"));
        EXPECT_TRUE(both.save(joined));
        return joined;
    }

    // Shows the image in another program's window right of where our windows open (the top left).
    void showOnScreen(const QString& image)
    {
        ASSERT_TRUE(m_imageWindow.start(
            QStringLiteral(IMAGE_WINDOW),
            {QStringLiteral("qr-e2e"), image, QStringLiteral("800"), QStringLiteral("100")}));
        ASSERT_FALSE(waitForWindow(QStringLiteral("qr-e2e")).isEmpty()) << "the image window did not appear";
    }

    // Ctrl+N in the main window; the dialog is focused once it is shown.
    void openAddDialog()
    {
        ASSERT_TRUE(focus(m_mainWindow));
        QString dialog;
        ASSERT_TRUE(pressUntil(QStringLiteral("ctrl+n"), [&] {
            return !(dialog = waitForWindow(QStringLiteral("Add account"), 1)).isEmpty();
        })) << "Ctrl+N did not open the add dialog";
        ASSERT_TRUE(focus(dialog));
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
    Program m_app;
    Program m_imageWindow;
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

// A setup link and an export of three accounts, side by side in another program's window.
TEST_F(AddAccountEndToEnd, ScanAddsEveryAccountOfTheCodesAnotherProgramShows)
{
    const QString link = exportLink(
        exportEntry("Hello!\xde\xad\xbe\xef", QStringLiteral("alice@example.com"), QStringLiteral("Example"),
                    numberField(4, 1) + numberField(5, 1) + numberField(6, 2)) +
        exportEntry("12345678901234567890", QStringLiteral("bob"), QStringLiteral("Bank"),
                    numberField(4, 2) + numberField(5, 2) + numberField(6, 2)) +
        exportEntry("abcdefghij", QStringLiteral("carol"), QStringLiteral("Mail"),
                    numberField(4, 1) + numberField(5, 1) + numberField(6, 1) + numberField(7, 5)));
    showOnScreen(sideBySide(
        {qrFile(QStringLiteral("link.png"), exampleLink), qrFile(QStringLiteral("export.png"), link)}));
    openAddDialog();
    ASSERT_TRUE(press({QStringLiteral("Return")})); // "Scan" is the default button of a fresh dialog
    const QList<QJsonObject> accounts = waitForAccounts(4);
    ASSERT_EQ(accounts.size(), 4);
    expectAccount(accountNamed(accounts, QStringLiteral("alice")), QStringLiteral("Example"), helloBase64);
    expectAccount(accountNamed(accounts, QStringLiteral("alice@example.com")), QStringLiteral("Example"),
                  helloBase64);
    expectAccount(accountNamed(accounts, QStringLiteral("bob")), QStringLiteral("Bank"), secretBase64,
                  QStringLiteral("totp"), QStringLiteral("SHA256"), 8);
    const std::optional<QJsonObject> carol = accountNamed(accounts, QStringLiteral("carol"));
    expectAccount(carol, QStringLiteral("Mail"), QStringLiteral("YWJjZGVmZ2hpag=="), QStringLiteral("hotp"));
    EXPECT_EQ(carol.value_or(QJsonObject()).value(QStringLiteral("counter")).toInt(), 5);
    expectDialogClosed();
}

TEST_F(AddAccountEndToEnd, AnImageFileWithTwoCodesAddsBoth)
{
    const QString image =
        sideBySide({qrFile(QStringLiteral("first.png"), exampleLink),
                    qrFile(QStringLiteral("second.png"),
                           QStringLiteral("otpauth://totp/Shop:dave?secret=GEZDGNBVGY3TQOJQ&issuer=Shop"))});
    openAddDialog();
    ASSERT_TRUE(press({QStringLiteral("ctrl+2"), QStringLiteral("Return")}));
    const QString chooser = waitForWindow(QStringLiteral("Choose image"));
    ASSERT_FALSE(chooser.isEmpty()) << "the file dialog did not open";
    ASSERT_TRUE(focus(chooser));
    ASSERT_TRUE(type(image));
    ASSERT_TRUE(press({QStringLiteral("Return")}));

    const QList<QJsonObject> accounts = waitForAccounts(2);
    ASSERT_EQ(accounts.size(), 2);
    expectAccount(accountNamed(accounts, QStringLiteral("alice")), QStringLiteral("Example"), helloBase64);
    expectAccount(accountNamed(accounts, QStringLiteral("dave")), QStringLiteral("Shop"),
                  QStringLiteral("MTIzNDU2Nzg5MA=="));
    expectDialogClosed();
}
