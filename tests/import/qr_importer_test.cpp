// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qr_import_fakes.h"

#include <gtest/gtest.h>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

const QString noCode = u"No QR code was found."_s;

constexpr auto showing = &FakeQRDetector::imageWithCodes;

class QRImporterTest : public ::testing::Test, protected QRImportFakes
{
protected:
    // The scan as the add dialog runs it: an asynchronous capture, then the decoding.
    Result<QList<Account>, QRImportFailure> scanAsynchronously()
    {
        QList<QImage> captured;
        importer.captureDisplays([&captured](QList<QImage> images) { captured = std::move(images); });
        return importer.decodeDisplays(captured);
    }
};

TEST_F(QRImporterTest, EveryCodeOfEveryDisplayCountsInDisplayOrder)
{
    // The same code on two displays gives two accounts; the store drops duplicates later.
    screens.displays = {showing({}),
                        showing({setupLink(u"a"_s)}),
                        QImage(),
                        QImage(0, 0, QImage::Format_RGB32),
                        showing({setupLink(u"b"_s), setupLink(u"c"_s)}),
                        showing({setupLink(u"a"_s)})};
    EXPECT_EQ(outcome(importer.scanScreens()), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"a"_s}));
    EXPECT_EQ(detector.calls, 4);
    EXPECT_EQ(outcome(scanAsynchronously()), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"a"_s}));
    EXPECT_EQ(detector.calls, 8);
}

TEST_F(QRImporterTest, NoCapturedDisplayIsACaptureFailureButBlankDisplaysHaveNoCode)
{
    const QStringList captureFailed{
        u"Could not capture the screen. Allow screen capture for Brisvane in your "
        u"desktop's privacy settings, or use Image file."_s};
    EXPECT_EQ(outcome(importer.scanScreens()), captureFailed);
    screens.displays = {QImage(), QImage(0, 0, QImage::Format_RGB32)};
    EXPECT_EQ(outcome(importer.scanScreens()), captureFailed);
    EXPECT_EQ(outcome(scanAsynchronously()), captureFailed);
    EXPECT_EQ(detector.calls, 0);

    screens.displays = {showing({}), showing({})};
    EXPECT_EQ(outcome(importer.scanScreens()), QStringList{noCode});
}

TEST_F(QRImporterTest, DisplaysBeyondTheSixteenthAreNeverLookedAt)
{
    screens.displays = QList<QImage>(16, showing({})) << showing({setupLink(u"hidden"_s)});
    EXPECT_EQ(outcome(importer.scanScreens()), QStringList{noCode});
    EXPECT_EQ(outcome(scanAsynchronously()), QStringList{noCode});
    EXPECT_EQ(screens.grabbed.size(), 32);
    EXPECT_FALSE(screens.grabbed.contains(16));
}

TEST_F(QRImporterTest, ImageFileGivesEveryAccountInDetectionOrder)
{
    const QString exported =
        exportLink({{"k1", u"e1"_s, u"X"_s}, {"k2", u"e2"_s, u"Y"_s}, {"k3", u"e3"_s, u"Z"_s}});
    files.files[u"/codes.png"_s] = showing({setupLink(u"first"_s), exported, setupLink(u"last"_s)});
    files.files[u"/empty.png"_s] = showing({});
    EXPECT_EQ(outcome(importer.importImageFile(u"/codes.png"_s)),
              (QStringList{u"first"_s, u"e1"_s, u"e2"_s, u"e3"_s, u"last"_s}));
    EXPECT_EQ(outcome(importer.importImageFile(u"/empty.png"_s)), QStringList{noCode});
    EXPECT_EQ(detector.calls, 2);
    EXPECT_EQ(outcome(importer.importImageFile(u"/notes.txt"_s)),
              QStringList{u"Could not read the image."_s});
    EXPECT_EQ(detector.calls, 2);
}

TEST(AccountsFromPayloads, LinksGiveAccountsAndOnlyTheLastErrorIsReportedWhenNoneDoes)
{
    const QString noSecret = u"otpauth://totp/b"_s;
    const QString badType = u"otpauth://sha1/x?secret=JBSWY3DPEHPK3PXP"_s;
    const QString exported = exportLink({{"k", u"e"_s, u"X"_s}});
    const struct
    {
        QStringList payloads;
        QStringList outcome;
    } cases[] = {
        {{}, {noCode}},
        {{u"https://example.com/otpauth://totp/x"_s}, {noCode}},
        {{u"https://example.com"_s, setupLink(u"a"_s)}, {u"a"_s}},
        {{setupLink(u"a"_s), noSecret}, {u"a"_s}},
        {{u" "_s + setupLink(u"a"_s) + u"\r\n"_s, exported + u"\n\t"_s}, {u"a"_s, u"e"_s}},
        // Only the routing ignores case; the label keeps its capitals.
        {{u"OTPAUTH://TOTP/Example:Alice?SECRET=JBSWY3DPEHPK3PXP"_s}, {u"Alice"_s}},
        {{u"OTPAUTH-MIGRATION"_s + exported.mid(17)}, {u"e"_s}},
        {{noSecret, badType}, {u"Unsupported OTP type."_s}},
        {{badType, noSecret}, {u"Missing secret in URL."_s}},
        {{exportLink({{QByteArray(), u"e"_s, u"X"_s}})}, {noCode}},
        {{u"otpauth-migration://offline?data=%21%21%21%21"_s},
         {u"Could not decode Google Authenticator export."_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outcome(accountsFromPayloads(c.payloads)), c.outcome)
            << c.payloads.join(u' ').toStdString();
}

} // namespace
