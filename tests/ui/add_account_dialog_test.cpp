#include "ui/add_account_dialog.h"

#include "core/base32.h"
#include "import/add_account_model.h"
#include "import/qr_importer.h"
#include "support/fake_image_file_reader.h"
#include "support/fake_qr_detector.h"
#include "support/fake_screen_capture.h"
#include "support/qr_test_links.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

class AddAccountDialogTest : public ::testing::Test
{
protected:
    FakeScreenCapture screens;
    FakeQRDetector detector;
    FakeImageFileReader files;
    QRImporter importer{screens, detector, files};
    QList<QList<Account>> added;
    std::unique_ptr<AddAccountDialog> dialog;

    void SetUp() override
    {
        dialog = std::make_unique<AddAccountDialog>(
            importer, [this](const QList<Account>& accounts) { added.append(accounts); });
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    template <typename T>
    T* find(const QString& name)
    {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QToolButton* segment(const QString& selector, const QString& title)
    {
        for (QToolButton* button : find<QWidget>(selector)->findChildren<QToolButton*>())
            if (button->text() == title)
                return button;
        ADD_FAILURE() << "no segment " << title.toStdString();
        return nullptr;
    }

    void chooseMode(const QString& title) { QTest::mouseClick(segment(u"modeSelector"_s, title), Qt::LeftButton); }
    QPushButton* primary() { return find<QPushButton>(u"primaryButton"_s); }
    QLabel* statusLine() { return find<QLabel>(u"statusLine"_s); }
    void pressPrimary() { QTest::mouseClick(primary(), Qt::LeftButton); }

    void pasteLink(const QString& text)
    {
        chooseMode(u"Paste link"_s);
        find<QPlainTextEdit>(u"linkEdit"_s)->setPlainText(text);
    }

    void typeManual(const QString& name, const QString& secret)
    {
        chooseMode(u"Enter by hand"_s);
        QTest::keyClicks(find<QLineEdit>(u"nameEdit"_s), name);
        QTest::keyClicks(find<QLineEdit>(u"secretEdit"_s), secret);
    }

    bool stillOpen() { return dialog->isVisible() && added.isEmpty(); }
};

TEST_F(AddAccountDialogTest, FreshDialog)
{
    EXPECT_EQ(dialog->width(), 540);
    EXPECT_TRUE(segment(u"modeSelector"_s, u"Scan screen"_s)->isChecked());
    EXPECT_FALSE(statusLine()->isVisible());
    EXPECT_TRUE(primary()->isEnabled());
    EXPECT_EQ(primary()->text(), u"Scan"_s);
    EXPECT_TRUE(primary()->isDefault());
    auto* content = find<QScrollArea>(u"contentArea"_s);
    EXPECT_EQ(content->minimumHeight(), 280);
    EXPECT_EQ(content->maximumHeight(), 360);
    EXPECT_TRUE(segment(u"typeSelector"_s, u"Time-based (TOTP)"_s)->isChecked());
    EXPECT_TRUE(segment(u"algorithmSelector"_s, u"SHA1"_s)->isChecked());
    EXPECT_TRUE(segment(u"digitsSelector"_s, u"6"_s)->isChecked());
    EXPECT_EQ(find<QSpinBox>(u"periodSpin"_s)->value(), 30);
    EXPECT_EQ(find<QSpinBox>(u"periodSpin"_s)->text(), u"30 seconds"_s);
    for (const char16_t* mode : {u"Scan screen", u"Image file", u"Paste link", u"Enter by hand"})
        EXPECT_FALSE(segment(u"modeSelector"_s, QString::fromUtf16(mode))->icon().isNull());
}

TEST_F(AddAccountDialogTest, PrimaryButtonFollowsTheMode)
{
    chooseMode(u"Image file"_s);
    EXPECT_EQ(primary()->text(), u"Choose image\u2026"_s);
    chooseMode(u"Paste link"_s);
    EXPECT_EQ(primary()->text(), u"Add"_s);
    EXPECT_FALSE(primary()->isEnabled());
}

TEST_F(AddAccountDialogTest, PasteNeedsMoreThanWhiteSpace)
{
    pasteLink(u"  \n \t\n"_s);
    EXPECT_FALSE(primary()->isEnabled());

    pasteLink(u"  "_s + setupLink(u"Example:alice"_s) + u"  \n"_s);
    EXPECT_TRUE(primary()->isEnabled());
    pressPrimary();
    ASSERT_EQ(added.size(), 1);
    ASSERT_EQ(added.front().size(), 1);
    EXPECT_EQ(added.front().front().name, u"alice"_s);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(AddAccountDialogTest, ExportLinkWithoutEntries)
{
    // The only entry has no secret, so the decoder drops it.
    pasteLink(exportLink({{QByteArray(), u"e"_s, u"X"_s}}));
    pressPrimary();
    EXPECT_TRUE(stillOpen());
    EXPECT_TRUE(statusLine()->isVisible());
    EXPECT_EQ(statusLine()->text(), u"No accounts were imported."_s);
}

TEST_F(AddAccountDialogTest, WebAddressIsAnUnsupportedScheme)
{
    pasteLink(u"https://example.com/login"_s);
    pressPrimary();
    EXPECT_TRUE(stillOpen());
    EXPECT_EQ(statusLine()->text(), u"Unsupported URL scheme."_s);
    // The input stays for correcting.
    EXPECT_EQ(find<QPlainTextEdit>(u"linkEdit"_s)->toPlainText(), u"https://example.com/login"_s);
}

TEST_F(AddAccountDialogTest, ManualNeedsANameAndASecret)
{
    typeManual(u"   "_s, u"JBSWY3DPEHPK3PXP"_s);
    EXPECT_FALSE(primary()->isEnabled());
    QTest::keyClicks(find<QLineEdit>(u"nameEdit"_s), u"bob"_s);
    EXPECT_TRUE(primary()->isEnabled());
    find<QLineEdit>(u"secretEdit"_s)->clear();
    QTest::keyClicks(find<QLineEdit>(u"secretEdit"_s), u"  "_s);
    EXPECT_FALSE(primary()->isEnabled());
}

TEST_F(AddAccountDialogTest, LowerCaseSecretWithSpacesIsAccepted)
{
    QTest::keyClicks(find<QLineEdit>(u"issuerEdit"_s), u"Example"_s);
    typeManual(u"alice@example.com"_s, u"jbsw y3dp ehpk 3pxp"_s);
    // Return activates the default button from a text field.
    QTest::keyClick(find<QLineEdit>(u"secretEdit"_s), Qt::Key_Return);
    ASSERT_EQ(added.size(), 1);
    const Account account = added.front().front();
    EXPECT_EQ(account.secret, decodeBase32(u"JBSWY3DPEHPK3PXP"_s).value());
    EXPECT_EQ(account.issuer, u"Example"_s);
    EXPECT_EQ(account.type, OTPType::totp);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(account.digits, 6);
    EXPECT_EQ(account.period, 30);
}

TEST_F(AddAccountDialogTest, SecretWithZeroOrOneIsNotBase32)
{
    for (const QString& secret : {u"JBSWY3DP0"_s, u"JBSWY3DP1"_s}) {
        typeManual(u"alice"_s, secret);
        pressPrimary();
        EXPECT_TRUE(stillOpen());
        EXPECT_EQ(statusLine()->text(), u"Secret is not valid Base32."_s);
        EXPECT_EQ(find<QLineEdit>(u"secretEdit"_s)->text(), secret);
        find<QLineEdit>(u"nameEdit"_s)->clear();
        find<QLineEdit>(u"secretEdit"_s)->clear();
    }
}

TEST_F(AddAccountDialogTest, CounterTypeHidesThePeriodButKeepsIt)
{
    typeManual(u"alice"_s, u"JBSWY3DPEHPK3PXP"_s);
    auto* period = find<QSpinBox>(u"periodSpin"_s);
    period->stepUp();
    EXPECT_EQ(period->value(), 45);
    QTest::mouseClick(segment(u"typeSelector"_s, u"Counter (HOTP)"_s), Qt::LeftButton);
    EXPECT_FALSE(period->isVisible());
    QTest::mouseClick(segment(u"algorithmSelector"_s, u"SHA256"_s), Qt::LeftButton);
    QTest::mouseClick(segment(u"digitsSelector"_s, u"8"_s), Qt::LeftButton);
    pressPrimary();
    ASSERT_EQ(added.size(), 1);
    const Account account = added.front().front();
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha256);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.counter, 0u);
    EXPECT_EQ(account.period, 45);
}

TEST_F(AddAccountDialogTest, PeriodStepperStopsAtItsBounds)
{
    chooseMode(u"Enter by hand"_s);
    auto* period = find<QSpinBox>(u"periodSpin"_s);
    for (int step = 0; step < 10; ++step)
        period->stepDown();
    EXPECT_EQ(period->value(), 15);
    EXPECT_EQ(dialog->model().manualPeriod(), 15);
    for (int step = 0; step < 10; ++step)
        period->stepUp();
    EXPECT_EQ(period->value(), 120);
    EXPECT_EQ(dialog->model().manualPeriod(), 120);
}

TEST_F(AddAccountDialogTest, ErrorStaysVisibleAfterSwitchingMode)
{
    pasteLink(u"https://example.com"_s);
    pressPrimary();
    chooseMode(u"Enter by hand"_s);
    EXPECT_TRUE(statusLine()->isVisible());
    EXPECT_EQ(statusLine()->text(), u"Unsupported URL scheme."_s);
    chooseMode(u"Scan screen"_s);
    EXPECT_EQ(statusLine()->text(), u"Unsupported URL scheme."_s);
}

TEST_F(AddAccountDialogTest, ScanFindingTwoAccountsAddsThemOnce)
{
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s)}),
                        FakeQRDetector::imageWithCodes({setupLink(u"b"_s)})};
    pressPrimary();
    EXPECT_EQ(statusLine()->text(), u"Scanning displays\u2026"_s);
    EXPECT_TRUE(find<QProgressBar>(u"busyIndicator"_s)->isVisible());
    EXPECT_FALSE(primary()->isEnabled());

    ASSERT_TRUE(QTest::qWaitFor([this] { return !dialog->isVisible(); }, 5000));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().size(), 2);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(AddAccountDialogTest, ScanFindingNothingReEnablesScan)
{
    screens.displays = {FakeQRDetector::imageWithCodes({})};
    pressPrimary();
    ASSERT_TRUE(QTest::qWaitFor([this] { return primary()->isEnabled(); }, 5000));
    EXPECT_EQ(statusLine()->text(), u"No QR code was found."_s);
    EXPECT_FALSE(find<QProgressBar>(u"busyIndicator"_s)->isVisible());
    EXPECT_EQ(primary()->text(), u"Scan"_s);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(AddAccountDialogTest, EscapeDuringTheWaitCancelsTheScan)
{
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s)})};
    pressPrimary();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    QTest::qWait(int(2 * AddAccountModel::scanYield.count()));
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(detector.calls, 0);
}

TEST_F(AddAccountDialogTest, CancelButtonsAddNothing)
{
    pasteLink(setupLink(u"a"_s));
    QTest::mouseClick(find<QPushButton>(u"footerCancelButton"_s), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(added.isEmpty());
}

TEST_F(AddAccountDialogTest, ImageFileChooser)
{
    int asked = 0;
    QString answer;
    dialog->setImageFileChooser([&](QWidget*) {
        ++asked;
        return answer;
    });
    pasteLink(u"https://example.com"_s);
    pressPrimary();
    chooseMode(u"Image file"_s);

    pressPrimary(); // cancelled
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(statusLine()->text(), u"Unsupported URL scheme."_s);

    answer = u"/photo.png"_s;
    pressPrimary();
    EXPECT_EQ(statusLine()->text(), u"Could not read the image."_s);

    files.files[answer] = FakeQRDetector::imageWithCodes({setupLink(u"Example:alice"_s)});
    pressPrimary();
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().front().name, u"alice"_s);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
