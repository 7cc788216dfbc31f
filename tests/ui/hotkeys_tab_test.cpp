// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_keystroke_sender.h"
#include "support/store_and_settings.h"
#include "ui/settings/hotkeys_tab.h"
#include "ui/settings/hotkeys_tab_binding_row.h"
#include "ui/widgets/recorder_button.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint32_t keyK = 40;
const QString pasteImpossible =
    u"Auto-paste: insert the code at the cursor (not possible in this desktop session)"_s;
const QString pastePossible = u"Auto-paste: insert the code at the cursor in the focused app"_s;

class HotKeysTabTest : public ::testing::Test, protected StoreAndSettings
{
protected:
    FakeKeystrokeSender keystrokes;
    std::unique_ptr<HotKeysTab> tab;
    Account alice = testAccount(u"Acme"_s, u"alice"_s);

    void SetUp() override { store.addAccounts({alice}); }
    void open(const QList<HotKeyBinding>& bindings = {})
    {
        settings.setBindings(bindings);
        tab = std::make_unique<HotKeysTab>(store, settings, keystrokes);
        tab->show();
        QCoreApplication::processEvents();
    }
    HotKeyBinding binding(std::optional<QUuid> accountID) const
    {
        return HotKeyBinding{QUuid::createUuid(), accountID, keyK, 0x0100, true, false};
    }
    bool shown(const QString& name) const { return shownIn(tab.get(), name); }
    QString countText() const { return tab->findChild<QLabel*>(u"bindingCount"_s)->text(); }
};

} // namespace

TEST_F(HotKeysTabTest, AddPickRecordMakesTheBindingActive)
{
    open();
    EXPECT_TRUE(shown(u"noHotkeys"_s));
    EXPECT_FALSE(shown(u"bindingList"_s));
    EXPECT_FALSE(shown(u"bindingCount"_s));

    tab->findChild<QPushButton*>(u"addHotkey"_s)->click();
    ASSERT_EQ(tab->rows().size(), 1);
    EXPECT_TRUE(shown(u"bindingCount"_s));
    EXPECT_EQ(countText(), u"0 active of 1"_s);
    HotKeysTabBindingRow* row = tab->rows()[0];
    EXPECT_EQ(row->accountPicker()->currentText(), u"— pick an account —"_s);
    EXPECT_EQ(row->recorderButton()->text(), RecorderButton::unsetTitle());

    row->accountPicker()->setCurrentIndex(1);
    Q_EMIT row->accountPicker()->activated(1);
    EXPECT_EQ(settings.bindings()[0].accountID, alice.id);
    EXPECT_EQ(countText(), u"0 active of 1"_s);

    row->recorderButton()->click();
    QTest::keyClick(row->recorderButton(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(settings.bindings()[0].keyCode, keyK);
    EXPECT_EQ(settings.bindings()[0].modifiers, 0x0300u);
    EXPECT_EQ(countText(), u"1 active of 1"_s);
    // Editing kept the same row widget.
    EXPECT_EQ(tab->rows()[0], row);
}

TEST_F(HotKeysTabTest, DisablingAndRemovingAreStoredAtOnceAndADeletedAccountCountsAsInactive)
{
    open({binding(alice.id), binding(alice.id), binding(QUuid::createUuid())});
    // Two rows with one combination: only the first works, the second is marked.
    EXPECT_EQ(countText(), u"1 active of 3"_s);
    EXPECT_FALSE(tab->rows()[0]->conflictMark()->isVisible());
    EXPECT_TRUE(tab->rows()[1]->conflictMark()->isVisible());
    // The binding of a deleted account says so and keeps its combination.
    EXPECT_EQ(tab->rows()[2]->accountPicker()->currentText(), u"Account deleted"_s);
    EXPECT_EQ(tab->rows()[2]->recorderButton()->text(), u"Ctrl+K"_s);
    tab->rows()[0]->enabledSwitch()->click();
    EXPECT_FALSE(settings.bindings()[0].enabled);
    EXPECT_EQ(countText(), u"1 active of 3"_s);
    EXPECT_FALSE(tab->rows()[1]->conflictMark()->isVisible());

    const QUuid second = settings.bindings()[1].id;
    tab->rows()[0]->removeButton()->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(settings.bindings().size(), 2);
    EXPECT_EQ(settings.bindings()[0].id, second);
    EXPECT_EQ(tab->rows().size(), 2);
}

TEST_F(HotKeysTabTest, AutoPasteWithoutPermissionAsksAndWarnsWhileItIsEnabledAndDenied)
{
    keystrokes.setAllowed(false);
    open({binding(alice.id)});
    HotKeysTabBindingRow* row = tab->rows()[0];
    EXPECT_FALSE(shown(u"pasteWarning"_s));
    EXPECT_EQ(row->autoPasteSwitch()->toolTip(), pastePossible);
    row->autoPasteSwitch()->click();
    EXPECT_TRUE(settings.bindings()[0].autoPaste);
    EXPECT_EQ(keystrokes.permissionRequests(), 1);
    EXPECT_TRUE(shown(u"pasteWarning"_s));
    EXPECT_EQ(row->autoPasteSwitch()->toolTip(), pasteImpossible);

    row->enabledSwitch()->click();
    EXPECT_FALSE(shown(u"pasteWarning"_s));
    row->enabledSwitch()->click();
    EXPECT_TRUE(shown(u"pasteWarning"_s));

    // Permission granted meanwhile is polled while the tab is on screen.
    EXPECT_TRUE(tab->isPolling());
    keystrokes.setAllowed(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown(u"pasteWarning"_s); }, 6000));
    EXPECT_EQ(row->autoPasteSwitch()->toolTip(), pastePossible);
    tab->hide();
    EXPECT_FALSE(tab->isPolling());
}

// Global hotkeys pause while any row records; every way a recording can end must resume them.
TEST_F(HotKeysTabTest, RecordingIsReportedUntilItEndsHoweverItEnds)
{
    const HotKeyBinding first = binding(alice.id);
    const HotKeyBinding second = binding(alice.id);
    open({first, second});
    QSignalSpy spy(tab.get(), &HotKeysTab::recordingChanged);
    const auto reported = [&spy] {
        QList<bool> values;
        for (const QList<QVariant>& arguments : std::as_const(spy))
            values.append(arguments.at(0).toBool());
        spy.clear();
        return values;
    };

    RecorderButton* recorder = tab->rows()[0]->recorderButton();
    recorder->click();
    QTest::keyClick(recorder, Qt::Key_Escape);
    recorder->click();
    QTest::keyClick(recorder, Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(reported(), (QList<bool>{true, false, true, false}));
    EXPECT_EQ(settings.bindings()[0].keyCode, 38u);

    // The recording row is removed.
    tab->rows()[1]->recorderButton()->click();
    EXPECT_TRUE(tab->isRecording());
    settings.removeBinding(second.id);
    EXPECT_EQ(reported(), (QList<bool>{true, false}));

    tab->rows()[0]->recorderButton()->click();
    tab->hide();
    EXPECT_EQ(reported(), (QList<bool>{true, false}));
    EXPECT_FALSE(tab->rows()[0]->recorderButton()->isRecording());

    tab->show();
    tab->rows()[0]->recorderButton()->click();
    tab.reset();
    EXPECT_EQ(reported(), (QList<bool>{true, false}));
}
