// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base32.h"
#include "support/event_loop_watch.h"
#include "support/qr_import_fakes.h"
#include "ui/add_account/add_account_dialog.h"
#include "ui/add_account/add_account_model.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

class AddAccountDialogTest : public ::testing::Test, protected QRImportFakes
{
protected:
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

    template <typename T> T* find(const QString& name)
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
    void choose(const QString& selector, const QString& title)
    {
        QTest::mouseClick(segment(selector, title), Qt::LeftButton);
    }
    void chooseMode(const QString& title) { choose(u"modeSelector"_s, title); }
    QPushButton* primary() { return find<QPushButton>(u"primaryButton"_s); }
    QString status()
    {
        return find<QLabel>(u"statusLine"_s)->isVisible() ? find<QLabel>(u"statusLine"_s)->text() : QString();
    }
    void pressPrimary() { QTest::mouseClick(primary(), Qt::LeftButton); }
    QLineEdit* field(const QString& name) { return find<QLineEdit>(name); }

    void pasteLink(const QString& text)
    {
        chooseMode(u"Paste link"_s);
        find<QPlainTextEdit>(u"linkEdit"_s)->setPlainText(text);
    }
    void typeManual(const QString& name, const QString& secret)
    {
        chooseMode(u"Enter by hand"_s);
        field(u"nameEdit"_s)->clear();
        field(u"secretEdit"_s)->clear();
        QTest::keyClicks(field(u"nameEdit"_s), name);
        QTest::keyClicks(field(u"secretEdit"_s), secret);
    }
    bool stillOpen() { return dialog->isVisible() && added.isEmpty(); }
};

TEST_F(AddAccountDialogTest, StartsOnScanAndThePrimaryButtonFollowsTheMode)
{
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(primary()->isDefault());
    const std::tuple<QString, QString, bool> modes[] = {
        {u"Scan screen"_s, u"Scan"_s, true},
        {u"Image file"_s, u"Choose image\u2026"_s, true},
        {u"Paste link"_s, u"Add"_s, false},
        {u"Enter by hand"_s, u"Add"_s, false},
    };
    for (const auto& [mode, title, enabled] : modes) {
        SCOPED_TRACE(mode.toStdString());
        EXPECT_FALSE(segment(u"modeSelector"_s, mode)->icon().isNull());
        if (mode != u"Scan screen"_s)
            chooseMode(mode);
        EXPECT_EQ(primary()->text(), title);
        EXPECT_EQ(primary()->isEnabled(), enabled);
    }
}

TEST_F(AddAccountDialogTest, PasteAddsTheLinkTrimmedAndCloses)
{
    pasteLink(u"  "_s + setupLink(u"Example:alice"_s) + u"  \n"_s);
    EXPECT_TRUE(primary()->isEnabled());
    pressPrimary();
    ASSERT_EQ(added.size(), 1);
    ASSERT_EQ(added.front().size(), 1);
    EXPECT_EQ(added.front().front().name, u"alice"_s);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(AddAccountDialogTest, BadInputStaysForCorrectingWithItsMessage)
{
    // The export's only entry has no secret, so the decoder drops it.
    const std::tuple<bool, QString, QString> cases[] = {
        {true, exportLink({{QByteArray(), u"e"_s, u"X"_s}}), u"No accounts were imported."_s},
        {false, u"JBSWY3DP0"_s, u"Secret is not valid Base32."_s},
    };
    for (const auto& [isLink, input, message] : cases) {
        SCOPED_TRACE(input.toStdString());
        if (isLink)
            pasteLink(input);
        else
            typeManual(u"alice"_s, input);
        pressPrimary();
        EXPECT_TRUE(stillOpen());
        EXPECT_EQ(status(), message);
        EXPECT_EQ(isLink ? find<QPlainTextEdit>(u"linkEdit"_s)->toPlainText()
                         : field(u"secretEdit"_s)->text(),
                  input);
    }
}

TEST_F(AddAccountDialogTest, EveryManualChoiceReachesTheAccountWhichReturnAdds)
{
    QTest::keyClicks(field(u"issuerEdit"_s), u"Example"_s);
    typeManual(u"alice@example.com"_s, u"jbsw y3dp ehpk 3pxp"_s);
    auto* period = find<QSpinBox>(u"periodSpin"_s);
    EXPECT_EQ(period->text(), u"30 seconds"_s);
    period->stepBy(1);
    choose(u"typeSelector"_s, u"Counter (HOTP)"_s);
    EXPECT_FALSE(period->isVisible()) << "hidden for a counter, but kept";
    choose(u"algorithmSelector"_s, u"SHA256"_s);
    choose(u"digitsSelector"_s, u"8"_s);
    QTest::keyClick(field(u"secretEdit"_s), Qt::Key_Return);
    ASSERT_EQ(added.size(), 1);
    const Account account = added.front().front();
    EXPECT_EQ(account.secret, decodeBase32(u"JBSWY3DPEHPK3PXP"_s).value());
    EXPECT_EQ(account.issuer, u"Example"_s);
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha256);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.counter, 0u);
    EXPECT_EQ(account.period, 45);
}

TEST_F(AddAccountDialogTest, AScanShowsItsProgressAndAFailureLeavesTheDialogReadyForAnother)
{
    screens.displays = {FakeQRDetector::imageWithCodes({})};
    pressPrimary();
    EXPECT_EQ(status(), u"Scanning displays\u2026"_s);
    EXPECT_TRUE(find<QProgressBar>(u"busyIndicator"_s)->isVisible());
    EXPECT_FALSE(primary()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return primary()->isEnabled(); }, 5000));
    EXPECT_EQ(status(), u"No QR code was found."_s);
    EXPECT_FALSE(find<QProgressBar>(u"busyIndicator"_s)->isVisible());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(AddAccountDialogTest, EscapeDuringTheWaitCancelsTheScan)
{
    screens.displays = {FakeQRDetector::imageWithCodes({setupLink(u"a"_s)})};
    detector.delay = std::chrono::milliseconds(300);
    pressPrimary();
    QTest::qWait(50);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    QTest::qWait(500);
    EXPECT_TRUE(added.isEmpty());
}

// Megabytes of unbroken text once took minutes to lay out; a paste over the limit is refused
// at once, and one under it leaves the window answering.
TEST_F(AddAccountDialogTest, PastingHugeTextIsRefusedAndLongTextKeepsTheWindowAnswering)
{
    chooseMode(u"Paste link"_s);
    auto* edit = find<QPlainTextEdit>(u"linkEdit"_s);
    edit->setFocus();
    const std::tuple<qsizetype, bool, qint64> cases[] = {
        {100'000, true, 1000},              // an export of a thousand accounts is about this long
        {1'600'000, false, answeringGapMs}, // refused
    };
    for (const auto& [length, accepted, limitMs] : cases) {
        SCOPED_TRACE(length);
        edit->clear();
        QApplication::clipboard()->setText(u"otpauth-migration://offline?data="_s + QString(length, u'A'));
        EventLoopWatch watch;
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); });
        watch.until([] { return false; }, std::chrono::milliseconds(200));
        EXPECT_LT(watch.longestGapMs(), limitMs);
        EXPECT_EQ(edit->toPlainText().size() > length, accepted);
        EXPECT_EQ(status().isEmpty(), accepted) << qPrintable(status());
    }
    EXPECT_EQ(status(), u"This text is too long to be a setup link (1.5 MiB). Paste at most 1 MiB."_s);
}

TEST_F(AddAccountDialogTest, CancelAddsNothing)
{
    pasteLink(setupLink(u"a"_s));
    QTest::mouseClick(find<QPushButton>(u"footerCancelButton"_s), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(added.isEmpty());
}

TEST_F(AddAccountDialogTest, ImageFileKeepsTheLastMessageUntilAFileIsRead)
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
    EXPECT_EQ(status(), u"Unsupported URL scheme."_s);

    answer = u"/photo.png"_s;
    pressPrimary();
    EXPECT_TRUE(find<QProgressBar>(u"busyIndicator"_s)->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([this] { return primary()->isEnabled(); }, 5000));
    EXPECT_EQ(status(), u"Could not read the image."_s);

    files.files[answer] = FakeQRDetector::imageWithCodes({setupLink(u"Example:alice"_s)});
    pressPrimary();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !added.isEmpty(); }, 5000));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.front().front().name, u"alice"_s);
}

} // namespace
