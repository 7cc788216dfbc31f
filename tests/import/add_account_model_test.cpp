#include "import/add_account_model.h"

#include "core/base32.h"
#include "import/qr_importer.h"
#include "support/fake_image_file_reader.h"
#include "support/fake_qr_detector.h"
#include "support/fake_screen_capture.h"
#include "support/qr_test_links.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

class AddAccountModelTest : public ::testing::Test
{
protected:
    FakeScreenCapture screens;
    FakeQRDetector detector;
    FakeImageFileReader files;
    QRImporter importer{screens, detector, files};
    QList<QList<Account>> added;
    int dismissals = 0;
    AddAccountModel model{importer, [this](const QList<Account>& accounts) { added.append(accounts); },
                          [this] { ++dismissals; }};

    // Runs the event loop until the pending scan has run, or a generous limit.
    void waitForScan()
    {
        QDeadlineTimer deadline(5000);
        while (model.isWorking() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
};

TEST_F(AddAccountModelTest, ScanShowsProgressThenHandsOverEveryAccountOnce)
{
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s), setupLink(u"b"_s)})};
    model.startScan();

    EXPECT_TRUE(model.isWorking());
    EXPECT_EQ(model.status(), u"Scanning displays\u2026"_s);
    EXPECT_FALSE(model.isPrimaryEnabled());
    // Nothing is captured before the dialog has had its chance to repaint.
    EXPECT_EQ(detector.calls, 0);

    model.startScan(); // a second press while working is ignored
    QElapsedTimer elapsed;
    elapsed.start();
    waitForScan();
    EXPECT_GE(elapsed.elapsed(), 200);

    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().size(), 2);
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(detector.calls, 1);
}

TEST_F(AddAccountModelTest, FailedScanReportsAndCanBeRetried)
{
    screens.displays = {FakeQRDetector::imageWithCodes({})};
    model.startScan();
    waitForScan();
    EXPECT_FALSE(model.isWorking());
    EXPECT_EQ(model.status(), u"No QR code was found."_s);
    EXPECT_TRUE(model.isPrimaryEnabled());
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(dismissals, 0);

    screens.displays = {};
    model.startScan();
    waitForScan();
    EXPECT_EQ(model.status(), message(QRImportError::screenCaptureFailed));
}

TEST_F(AddAccountModelTest, CancelledScanNeverRuns)
{
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s)})};
    model.startScan();
    model.cancelPendingScan();
    EXPECT_FALSE(model.isWorking());

    QDeadlineTimer deadline(2 * AddAccountModel::scanYield);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(detector.calls, 0);
    EXPECT_TRUE(added.isEmpty());
}

TEST_F(AddAccountModelTest, CancelledFileChooserChangesNothing)
{
    model.setLinkText(u"https://example.com"_s);
    model.addFromLink();
    const QString before = model.status();
    model.chooseImageFile(QString());
    EXPECT_EQ(model.status(), before);
    EXPECT_TRUE(added.isEmpty());
}

TEST_F(AddAccountModelTest, ImageFileResults)
{
    model.chooseImageFile(u"/tmp/not-an-image.txt"_s);
    EXPECT_EQ(model.status(), u"Could not read the image."_s);
    EXPECT_FALSE(model.isWorking());

    files.files[u"/codes.png"_s] = FakeQRDetector::imageWithCodes({setupLink(u"Example:alice"_s)});
    model.chooseImageFile(u"/codes.png"_s);
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().front().name, u"alice"_s);
    EXPECT_EQ(dismissals, 1);
}

TEST_F(AddAccountModelTest, ExportLinksAreRecognisedInAnyCase)
{
    const QString link = exportLink({{QByteArray("k1"), u"e1"_s, u"X"_s}, {QByteArray("k2"), u"e2"_s, u"Y"_s}});
    model.setLinkText(u"\n  OTPAUTH-MIGRATION"_s + link.mid(17) + u"  \n"_s);
    model.addFromLink();
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().size(), 2);
}

TEST_F(AddAccountModelTest, LinkErrorsAreTheParsersMessages)
{
    model.setLinkText(u"otpauth://totp/x"_s);
    model.addFromLink();
    EXPECT_EQ(model.status(), u"Missing secret in URL."_s);
    model.setLinkText(u"not a link at all"_s);
    model.addFromLink();
    EXPECT_EQ(model.status(), u"Invalid otpauth URL."_s);
    model.setLinkText(u"otpauth-migration://offline?data=%%%"_s);
    model.addFromLink();
    EXPECT_FALSE(model.status().isEmpty());
    EXPECT_TRUE(added.isEmpty());
    // The text stays for correcting.
    EXPECT_EQ(model.linkText(), u"otpauth-migration://offline?data=%%%"_s);
}

TEST_F(AddAccountModelTest, ManualAccountTrimsSpacesButNotLineBreaks)
{
    model.setManualIssuer(u"\u00A0\tExample "_s);
    model.setManualName(u" alice\n"_s);
    model.setManualSecret(u"jbsw y3dp ehpk 3pxp"_s);
    model.setManualType(OTPType::hotp);
    model.setManualAlgorithm(HashAlgorithm::sha512);
    model.setManualDigits(8);
    model.setManualPeriod(60);
    model.addManual();

    ASSERT_EQ(added.size(), 1);
    const Account account = added.front().front();
    EXPECT_EQ(account.issuer, u"Example"_s);
    EXPECT_EQ(account.name, u"alice\n"_s);
    EXPECT_EQ(account.secret, decodeBase32(u"JBSWY3DPEHPK3PXP"_s).value());
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha512);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.period, 60);
    EXPECT_EQ(account.counter, 0u);
    EXPECT_FALSE(account.id.isNull());
    EXPECT_GT(secondsSinceEpoch(account.createdAt), 1.7e9);
}

TEST_F(AddAccountModelTest, SecretsThatDecodeToNothingAreRefused)
{
    model.setManualName(u"alice"_s);
    for (const QString& secret : {u"A"_s, u"JBSWY3DP0"_s, u"===="_s}) {
        model.setManualSecret(secret);
        model.addManual();
        EXPECT_EQ(model.status(), u"Secret is not valid Base32."_s) << secret.toStdString();
    }
    EXPECT_TRUE(added.isEmpty());
}

TEST_F(AddAccountModelTest, ManualValuesStayInTheirRanges)
{
    model.setManualPeriod(0);
    EXPECT_EQ(model.manualPeriod(), 15);
    model.setManualPeriod(1000);
    EXPECT_EQ(model.manualPeriod(), 120);
    model.setManualPeriod(37);
    EXPECT_EQ(model.manualPeriod(), 30);
    model.setManualPeriod(38);
    EXPECT_EQ(model.manualPeriod(), 45);
    model.setManualDigits(0);
    EXPECT_EQ(model.manualDigits(), 6);
    model.setManualDigits(10);
    EXPECT_EQ(model.manualDigits(), 8);
}

TEST_F(AddAccountModelTest, DisabledActionsDoNothing)
{
    model.setMode(AddMode::manual);
    model.setManualName(u"  "_s);
    model.setManualSecret(u"JBSWY3DPEHPK3PXP"_s);
    EXPECT_FALSE(model.isPrimaryEnabled());
    model.addManual();
    model.setLinkText(u" \n\t"_s);
    model.addFromLink();
    EXPECT_TRUE(added.isEmpty());
    EXPECT_TRUE(model.status().isEmpty());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
