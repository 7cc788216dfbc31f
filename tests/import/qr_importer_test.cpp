#include "import/qr_importer.h"

#include "support/fake_image_file_reader.h"
#include "support/fake_qr_detector.h"
#include "support/fake_screen_capture.h"
#include "support/qr_test_links.h"

#include <gtest/gtest.h>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

const QString linuxCaptureText = QStringLiteral(
    "Could not capture the screen. Allow screen capture for Brisvane in your desktop's privacy settings, "
    "or use Image file.");

QStringList names(const QList<Account>& accounts)
{
    QStringList result;
    for (const Account& account : accounts)
        result.append(account.name);
    return result;
}

class QRImporterTest : public ::testing::Test
{
protected:
    FakeScreenCapture screens;
    FakeQRDetector detector;
    FakeImageFileReader files;
    QRImporter importer{screens, detector, files};

    void showOnDisplays(const QList<QStringList>& codesPerDisplay)
    {
        for (const QStringList& codes : codesPerDisplay)
            screens.displays.append(FakeQRDetector::imageWithCodes(codes));
    }

    QString failureText(const Result<QList<Account>, QRImportFailure>& result)
    {
        EXPECT_FALSE(result.ok());
        return result.ok() ? QString() : message(result.error());
    }
};

// Screens --------------------------------------------------------------------------------

TEST_F(QRImporterTest, CodeOnTheSecondDisplayGivesOneAccount)
{
    showOnDisplays({{}, {setupLink(QStringLiteral("Example:alice"))}});
    auto result = importer.scanScreens();
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.value().size(), 1);
    EXPECT_EQ(result.value().front().issuer, QStringLiteral("Example"));
    EXPECT_EQ(result.value().front().name, QStringLiteral("alice"));
    EXPECT_EQ(detector.calls, 2);
}

TEST_F(QRImporterTest, SameCodeOnTwoDisplaysGivesTwoAccounts)
{
    const QString link = setupLink(QStringLiteral("Example:alice"));
    showOnDisplays({{link}, {link}});
    auto result = importer.scanScreens();
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.value().size(), 2);
    EXPECT_NE(result.value().at(0).id, result.value().at(1).id);
    EXPECT_EQ(result.value().at(0).secret, result.value().at(1).secret);
}

TEST_F(QRImporterTest, CodesOfAllDisplaysAreJoinedInDisplayOrder)
{
    showOnDisplays({{setupLink(QStringLiteral("a"))}, {setupLink(QStringLiteral("b")), setupLink(QStringLiteral("c"))}});
    auto result = importer.scanScreens();
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(result.value()), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
}

TEST_F(QRImporterTest, NoDisplaysMeansTheScreenCouldNotBeCaptured)
{
    EXPECT_EQ(failureText(importer.scanScreens()), linuxCaptureText);
    EXPECT_EQ(detector.calls, 0);
}

TEST_F(QRImporterTest, NullAndEmptyGrabsCountAsDisplaysThatCouldNotBeCaptured)
{
    screens.displays = {QImage(), QImage(0, 0, QImage::Format_RGB32)};
    auto result = importer.scanScreens();
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), QRImportFailure(QRImportError::screenCaptureFailed));
    EXPECT_EQ(message(result.error()), linuxCaptureText);
}

TEST_F(QRImporterTest, DisplayThatCannotBeCapturedIsSkipped)
{
    screens.displays = {QImage(), FakeQRDetector::imageWithCodes({setupLink(QStringLiteral("b"))})};
    EXPECT_EQ(importer.captureDisplays().size(), 1);
    auto result = importer.scanScreens();
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(result.value()), QStringList{u"b"_s});
}

TEST_F(QRImporterTest, CapturedScreensWithoutCodesSayNoCodeNotCaptureFailure)
{
    showOnDisplays({{}, {}});
    EXPECT_EQ(failureText(importer.scanScreens()), QStringLiteral("No QR code was found."));
}

TEST_F(QRImporterTest, OnlySixteenOfSeventeenDisplaysAreCaptured)
{
    for (int index = 0; index < 17; ++index)
        showOnDisplays({{}});
    // The only code is on the 17th display, which must never be looked at.
    screens.displays[16] = FakeQRDetector::imageWithCodes({setupLink(QStringLiteral("hidden"))});

    EXPECT_EQ(importer.captureDisplays().size(), 16);
    screens.grabbed.clear();
    EXPECT_EQ(failureText(importer.scanScreens()), QStringLiteral("No QR code was found."));
    EXPECT_FALSE(screens.grabbed.contains(16));
    EXPECT_EQ(screens.grabbed.size(), 16);
}

// Image files ----------------------------------------------------------------------------

TEST_F(QRImporterTest, TwoLinksAndAThreeEntryExportGiveFiveAccountsInDetectionOrder)
{
    const QString exported = exportLink({{QByteArray("k1"), u"e1"_s, u"X"_s},
                                         {QByteArray("k2"), u"e2"_s, u"Y"_s},
                                         {QByteArray("k3"), u"e3"_s, u"Z"_s}});
    files.files[u"/codes.png"_s] =
        FakeQRDetector::imageWithCodes({setupLink(u"first"_s), exported, setupLink(u"last"_s)});
    auto result = importer.importImageFile(u"/codes.png"_s);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(result.value()), (QStringList{u"first"_s, u"e1"_s, u"e2"_s, u"e3"_s, u"last"_s}));
    EXPECT_EQ(result.value().at(2).secret, QByteArray("k2"));
}

TEST_F(QRImporterTest, FileThatIsNoImageCannotBeRead)
{
    EXPECT_EQ(failureText(importer.importImageFile(u"/notes.txt"_s)), QStringLiteral("Could not read the image."));
    EXPECT_EQ(detector.calls, 0);
}

TEST_F(QRImporterTest, ImageWithoutCodes)
{
    files.files[u"/empty.png"_s] = FakeQRDetector::imageWithCodes({});
    EXPECT_EQ(failureText(importer.importImageFile(u"/empty.png"_s)), QStringLiteral("No QR code was found."));
}

// Payload routing ------------------------------------------------------------------------

TEST(AccountsFromPayloads, WebAddressAloneIsNoCode)
{
    auto result = accountsFromPayloads({u"https://example.com/otpauth://totp/x"_s});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), QRImportFailure(QRImportError::noQRCodeFound));
}

TEST(AccountsFromPayloads, WebAddressBesideALinkIsIgnored)
{
    auto result = accountsFromPayloads({u"https://example.com"_s, setupLink(u"a"_s)});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(result.value()), QStringList{u"a"_s});
}

TEST(AccountsFromPayloads, SchemesInCapitalsAreRecognisedAndParsedUnchanged)
{
    auto result = accountsFromPayloads({u"OTPAUTH://TOTP/Example:Alice?SECRET=JBSWY3DPEHPK3PXP"_s});
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.value().size(), 1);
    // The label keeps its case: only the routing test ignores it.
    EXPECT_EQ(result.value().front().name, u"Alice"_s);

    const QString exported = exportLink({{QByteArray("k"), u"e"_s, u"X"_s}});
    auto fromExport = accountsFromPayloads({u"OTPAUTH-MIGRATION"_s + exported.mid(17)});
    ASSERT_TRUE(fromExport.ok());
    EXPECT_EQ(names(fromExport.value()), QStringList{u"e"_s});
}

TEST(AccountsFromPayloads, FailedLinkIsDroppedWhenAnotherGivesAnAccount)
{
    auto result = accountsFromPayloads({setupLink(u"a"_s), u"otpauth://totp/b"_s});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(result.value()), QStringList{u"a"_s});
}

TEST(AccountsFromPayloads, LastErrorWins)
{
    auto result = accountsFromPayloads({u"otpauth://totp/b"_s, u"otpauth://sha1/x?secret=JBSWY3DPEHPK3PXP"_s});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(message(result.error()), QStringLiteral("Unsupported OTP type."));

    auto reversed = accountsFromPayloads({u"otpauth://sha1/x?secret=JBSWY3DPEHPK3PXP"_s, u"otpauth://totp/b"_s});
    ASSERT_FALSE(reversed.ok());
    EXPECT_EQ(message(reversed.error()), QStringLiteral("Missing secret in URL."));
}

TEST(AccountsFromPayloads, ExportWithoutUsableEntriesIsNoCode)
{
    // An entry without a secret is dropped by the decoder, leaving nothing.
    auto result = accountsFromPayloads({exportLink({{QByteArray(), u"e"_s, u"X"_s}})});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(message(result.error()), QStringLiteral("No QR code was found."));
}

TEST(AccountsFromPayloads, ExportWithInvalidDataReportsTheDecoderError)
{
    auto result = accountsFromPayloads({u"otpauth-migration://offline?data=%21%21%21%21"_s});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(message(result.error()), QStringLiteral("Could not decode Google Authenticator export."));
}

TEST(AccountsFromPayloads, NothingAtAllIsNoCode)
{
    auto result = accountsFromPayloads({});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(message(result.error()), QStringLiteral("No QR code was found."));
}

} // namespace
