// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/aegis_vault.h"
#include "support/event_loop_watch.h"
#include "support/qr_import_fakes.h"
#include "ui/add_account/add_account_model.h"

#include <QElapsedTimer>
#include <QTemporaryFile>
#include <gtest/gtest.h>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

class AddAccountModelTest : public ::testing::Test, protected QRImportFakes
{
protected:
    QList<QList<Account>> added;
    int dismissals = 0;
    AddAccountModel model{importer, [this](const QList<Account>& accounts) { added.append(accounts); },
                          [this] { ++dismissals; }};

    // A successful scan leaves isWorking set: the dialog closes instead.
    static void waitUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        EventLoopWatch().until(done, limit);
    }

    void addLink(const QString& text)
    {
        model.setLinkText(text);
        model.addFromLink();
    }
};

TEST_F(AddAccountModelTest, ScanShowsProgressYieldsThenHandsOverEveryAccountOnce)
{
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s), setupLink(u"b"_s)})};
    QElapsedTimer elapsed;
    elapsed.start();
    model.startScan();
    model.startScan(); // a second press while working is ignored
    EXPECT_EQ(model.status(), u"Scanning displays\u2026"_s);
    EXPECT_FALSE(model.isPrimaryEnabled());
    EXPECT_EQ(detector.calls.load(), 0);

    waitUntil([this] { return dismissals > 0; });
    // The dialog must get its chance to draw the progress state before the capture blocks.
    EXPECT_GE(elapsed.elapsed(), 200);
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().size(), 2);
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(detector.calls.load(), 1);
}

TEST_F(AddAccountModelTest, FailedScanReportsAndCanBeRetriedButACancelledOneNeverRuns)
{
    screens.displays = {FakeQRDetector::imageWithCodes({})};
    model.startScan();
    waitUntil([this] { return !model.isWorking(); });
    EXPECT_EQ(model.status(), u"No QR code was found."_s);
    EXPECT_TRUE(model.isPrimaryEnabled());

    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s)})};
    model.startScan();
    model.cancelPendingScan();
    EXPECT_FALSE(model.isWorking());
    waitUntil([] { return false; }, 2 * AddAccountModel::scanYield);
    EXPECT_EQ(detector.calls.load(), 1);

    // The desktop may ask the user before capturing: the dialog goes on meanwhile, and a
    // scan cancelled while it asks adds nothing when the capture comes in after all.
    screens.asksFirst = true;
    model.startScan();
    waitUntil([] { return false; }, 2 * AddAccountModel::scanYield);
    EXPECT_TRUE(model.isWorking());
    model.cancelPendingScan();
    ASSERT_TRUE(screens.answerCapture());
    waitUntil([] { return false; }, AddAccountModel::scanYield);
    EXPECT_EQ(detector.calls.load(), 1);
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(dismissals, 0);

    model.startScan();
    waitUntil([this] { return screens.answerCapture(); });
    waitUntil([this] { return dismissals > 0; });
    EXPECT_EQ(added.size(), 1);
}

// A large photo or several big screens take long to search; the window must go on meanwhile.
TEST_F(AddAccountModelTest, SlowDetectionLeavesTheEventLoopTurning)
{
    detector.delay = std::chrono::milliseconds(600);
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s)})};
    files.files[u"/photo.jpg"_s] = FakeQRDetector::imageWithCodes({setupLink(u"b"_s)});
    for (const bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile ? "image file" : "screens");
        const qsizetype before = added.size();
        // A success leaves the model working (its dialog closes), so each case has its own.
        AddAccountModel fresh{
            importer, [this](const QList<Account>& accounts) { added.append(accounts); }, {}};
        EventLoopWatch watch;
        if (fromFile) {
            fresh.chooseImageFile(u"/photo.jpg"_s);
            EXPECT_EQ(fresh.status(), u"Reading the image\u2026"_s);
            EXPECT_FALSE(fresh.isPrimaryEnabled());
        } else {
            fresh.startScan();
        }
        ASSERT_TRUE(watch.until([&] { return added.size() > before; }));
        EXPECT_LT(watch.longestGapMs(), answeringGapMs);
    }

    // Cancelled while the worker reads: its accounts never arrive.
    model.chooseImageFile(u"/photo.jpg"_s);
    model.cancelPendingScan();
    waitUntil([] { return false; }, std::chrono::milliseconds(800));
    EXPECT_EQ(dismissals, 0);
}

TEST_F(AddAccountModelTest, BackupFilesAskForTheirPasswordAndImportAllOrNothing)
{
    Account account;
    account.id = QUuid::createUuid();
    account.name = u"alice"_s;
    account.secret = "12345678901234567890";
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(AegisVault::write({account}, u"right"_s, {1024, 8, 1}));
    file.close();
    QStringList answers = {u"wrong"_s, u"right"_s};
    int asked = 0;
    model.setPasswordPrompt([&](const QString& format) -> std::optional<QString> {
        EXPECT_EQ(format, u"Aegis vault"_s);
        return asked < answers.size() ? std::optional(answers[asked++]) : std::nullopt;
    });
    model.chooseImageFile(file.fileName());
    EXPECT_EQ(model.status(), u"Wrong password for this Aegis vault; nothing was imported."_s);
    EXPECT_TRUE(added.isEmpty());
    model.chooseImageFile(file.fileName());
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().front().id, account.id);
    EXPECT_EQ(dismissals, 1);
    model.chooseImageFile(file.fileName()); // the prompt is cancelled
    EXPECT_EQ(model.status(), u"Nothing imported: the Aegis vault needs its password."_s);
}

TEST_F(AddAccountModelTest, SeveralPastedLinesAddTogetherOrNotAtAll)
{
    addLink(setupLink(u"A:a"_s) + u"\n\n  "_s + setupLink(u"B:b"_s));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().size(), 2);
    addLink(setupLink(u"A:a"_s) + u"\nhttps://example.com"_s);
    EXPECT_EQ(model.status(), u"line 2: Unsupported URL scheme."_s);
    EXPECT_EQ(added.size(), 1);
}

TEST_F(AddAccountModelTest, PastedLinksAreTrimmedAndRoutedByTheirSchemeInAnyCase)
{
    const QString exported = exportLink({{"k1", u"e1"_s, u"X"_s}, {"k2", u"e2"_s, u"Y"_s}});
    addLink(u"\n  OTPAUTH-MIGRATION"_s + exported.mid(17) + u" \n"_s);
    addLink(u" "_s + setupLink(u"Example:alice"_s) + u"\n"_s);
    ASSERT_EQ(added.size(), 2);
    EXPECT_EQ(added[0].size(), 2);
    EXPECT_EQ(added[1].front().name, u"alice"_s);
}

TEST_F(AddAccountModelTest, LinkFailuresShowTheirMessageAndKeepTheText)
{
    const struct
    {
        QString text, status;
    } cases[] = {
        {u"not a link at all"_s, u"Invalid otpauth URL."_s},
        {u"https://example.com"_s, u"Unsupported URL scheme."_s},
        {u"otpauth-migration://offline?data=%21%21"_s, u"Could not decode Google Authenticator export."_s},
        {exportLink({{QByteArray(), u"e"_s, u"X"_s}}), u"No accounts were imported."_s},
        {u"otpauth://totp/a?secret="_s + QString(AddAccountModel::maximumLinkLength, u'A'),
         u"This text is too long to be a setup link (1.0 MiB). Paste at most 1 MiB."_s},
    };
    for (const auto& c : cases) {
        addLink(c.text);
        EXPECT_EQ(model.status(), c.status) << c.text.left(80).toStdString();
        EXPECT_EQ(model.linkText(), c.text);
    }
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(dismissals, 0);
}

TEST_F(AddAccountModelTest, ManualAccountTrimsSpacesButNotLineBreaksAndKeepsEveryChoice)
{
    EXPECT_EQ(
        std::tuple(model.manualType(), model.manualAlgorithm(), model.manualDigits(), model.manualPeriod()),
        std::tuple(OTPType::totp, HashAlgorithm::sha1, 6, 30));
    model.setManualIssuer(u"\u00A0\tExample "_s);
    model.setManualName(u" alice\n"_s);
    model.setManualSecret(u"jbsw y3dp ehpk 3pxp"_s);
    model.setManualType(OTPType::hotp);
    model.setManualAlgorithm(HashAlgorithm::sha512);
    model.setManualDigits(8);
    model.setManualPeriod(60);
    model.addManual();
    ASSERT_EQ(added.size(), 1);
    const Account& account = added.front().front();
    EXPECT_EQ(account.issuer, u"Example"_s);
    EXPECT_EQ(account.name, u"alice\n"_s);
    EXPECT_EQ(account.secret, QByteArray("Hello!\xDE\xAD\xBE\xEF", 10));
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha512);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.period, 60);
    EXPECT_EQ(account.counter, 0u);
}

TEST_F(AddAccountModelTest, SecretsThatDecodeToNothingAndBlankFieldsAddNothing)
{
    model.setManualName(u"alice"_s);
    for (const QString& secret : {u"A"_s, u"JBSWY3DP0"_s, u"JBSWY3DP1"_s, u"===="_s}) {
        model.setManualSecret(secret);
        model.addManual();
        EXPECT_EQ(model.status(), u"Secret is not valid Base32."_s) << secret.toStdString();
    }
    model.setMode(AddMode::manual);
    model.setManualSecret(u" \t"_s);
    EXPECT_FALSE(model.isPrimaryEnabled());
    model.setManualSecret(u"JBSWY3DPEHPK3PXP"_s);
    EXPECT_TRUE(model.isPrimaryEnabled());
    model.setManualName(u"  "_s);
    EXPECT_FALSE(model.isPrimaryEnabled());
    model.addManual();
    model.setLinkText(u" \n\t"_s);
    model.setMode(AddMode::pasteLink);
    EXPECT_FALSE(model.isPrimaryEnabled());
    model.addFromLink();
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(model.status(), u"Secret is not valid Base32."_s); // switching modes keeps the last message
}

TEST_F(AddAccountModelTest, PeriodStepperStopsAt15And120)
{
    for (const auto& [input, expected] : {std::pair{0, 15}, {1000, 120}, {37, 30}, {38, 45}}) {
        model.setManualPeriod(input);
        EXPECT_EQ(model.manualPeriod(), expected) << input;
    }
}

} // namespace
