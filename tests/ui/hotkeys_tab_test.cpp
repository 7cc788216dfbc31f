#include "ui/hotkeys_tab.h"
#include "ui/hotkeys_tab_binding_row.h"

#include "hotkeys/app_settings.h"
#include "hotkeys/recorder_button.h"
#include "storage/account_store.h"
#include "support/fake_keystroke_sender.h"
#include "support/fake_secure_item_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint32_t keyK = 40;

class HotKeysTabTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QSettings preferences{dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat};
    FakeSecureItemStore items;
    AccountStore store{items};
    AppSettings settings{preferences};
    FakeKeystrokeSender keystrokes;
    std::unique_ptr<HotKeysTab> tab;
    Account alice;

    void SetUp() override
    {
        alice.id = QUuid::createUuid();
        alice.name = u"alice"_s;
        alice.issuer = u"Acme"_s;
        alice.secret = QByteArray("12345678901234567890");
        store.addAccounts({alice});
    }
    void open()
    {
        tab = std::make_unique<HotKeysTab>(store, settings, keystrokes);
        tab->show();
        QCoreApplication::processEvents();
    }
    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        return tab->findChild<T*>(name);
    }
    bool shown(const QString& name) const { return child(name) != nullptr && child(name)->isVisibleTo(tab.get()); }
    QString countText() const { return child<QLabel>(u"bindingCount"_s)->text(); }
    void pickAlice(HotKeysTabBindingRow* row)
    {
        row->accountPicker()->setCurrentIndex(1);
        Q_EMIT row->accountPicker()->activated(1);
    }
    void record(HotKeysTabBindingRow* row, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        row->recorderButton()->click();
        QTest::keyClick(row->recorderButton(), key, modifiers);
    }
};

} // namespace

TEST_F(HotKeysTabTest, WithoutBindingsTheEmptyStateShowsAndNoCount)
{
    open();
    EXPECT_TRUE(shown(u"noHotkeys"_s));
    EXPECT_FALSE(shown(u"bindingList"_s));
    EXPECT_FALSE(shown(u"bindingCount"_s));
    EXPECT_TRUE(shown(u"addHotkey"_s));
}

TEST_F(HotKeysTabTest, AddPickRecordMakesTheBindingActive)
{
    open();
    child<QPushButton>(u"addHotkey"_s)->click();
    ASSERT_EQ(tab->rows().size(), 1);
    EXPECT_EQ(countText(), u"0 active of 1"_s);
    EXPECT_TRUE(shown(u"bindingCount"_s));
    HotKeysTabBindingRow* row = tab->rows()[0];
    EXPECT_EQ(row->accountPicker()->currentText(), u"— pick an account —"_s);
    EXPECT_EQ(row->recorderButton()->text(), RecorderButton::unsetTitle());

    pickAlice(row);
    EXPECT_EQ(settings.bindings()[0].accountID, alice.id);
    EXPECT_EQ(countText(), u"0 active of 1"_s);

    record(row, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(settings.bindings()[0].keyCode, keyK);
    EXPECT_EQ(settings.bindings()[0].modifiers, 0x0300u);
    EXPECT_EQ(countText(), u"1 active of 1"_s);
    // Editing kept the same row widget.
    EXPECT_EQ(tab->rows()[0], row);
}

TEST_F(HotKeysTabTest, DisablingAndRemovingAreStoredAtOnce)
{
    settings.setBindings({HotKeyBinding{QUuid::createUuid(), alice.id, keyK, 0x0100, true, false},
                          HotKeyBinding{QUuid::createUuid(), alice.id, 41, 0x0100, true, false}});
    open();
    EXPECT_EQ(countText(), u"2 active of 2"_s);
    tab->rows()[0]->enabledSwitch()->click();
    EXPECT_FALSE(settings.bindings()[0].enabled);
    EXPECT_EQ(countText(), u"1 active of 2"_s);

    const QUuid second = settings.bindings()[1].id;
    tab->rows()[0]->removeButton()->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(settings.bindings().size(), 1);
    EXPECT_EQ(settings.bindings()[0].id, second);
    preferences.sync();
    QSettings stored(dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat);
    AppSettings reread(stored);
    ASSERT_EQ(reread.bindings().size(), 1);
    EXPECT_EQ(reread.bindings()[0].id, second);
    EXPECT_EQ(tab->rows().size(), 1);
}

TEST_F(HotKeysTabTest, AutoPasteWithoutPermissionAsksAndWarnsUntilDisabled)
{
    keystrokes.setAllowed(false);
    settings.setBindings({HotKeyBinding{QUuid::createUuid(), alice.id, keyK, 0x0100, true, false}});
    open();
    EXPECT_FALSE(shown(u"pasteWarning"_s));
    HotKeysTabBindingRow* row = tab->rows()[0];
    row->autoPasteSwitch()->click();
    EXPECT_TRUE(settings.bindings()[0].autoPaste);
    EXPECT_EQ(keystrokes.permissionRequests(), 1);
    EXPECT_TRUE(shown(u"pasteWarning"_s));
    EXPECT_EQ(row->autoPasteSwitch()->toolTip(),
              u"Auto-paste: insert the code at the cursor (not possible in this desktop session)"_s);

    // Disabling the only pasting binding removes the warning.
    row->enabledSwitch()->click();
    EXPECT_FALSE(shown(u"pasteWarning"_s));
}

TEST_F(HotKeysTabTest, PermissionIsPolledWhileVisible)
{
    keystrokes.setAllowed(false);
    settings.setBindings({HotKeyBinding{QUuid::createUuid(), alice.id, keyK, 0x0100, true, true}});
    open();
    EXPECT_TRUE(tab->isPolling());
    EXPECT_TRUE(shown(u"pasteWarning"_s));
    keystrokes.setAllowed(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown(u"pasteWarning"_s); }, 3000));
    EXPECT_EQ(tab->rows()[0]->autoPasteSwitch()->toolTip(),
              u"Auto-paste: insert the code at the cursor in the focused app"_s);
    tab->hide();
    EXPECT_FALSE(tab->isPolling());
}

TEST_F(HotKeysTabTest, ABindingOfADeletedAccountShowsNoChoiceAndIsInactive)
{
    settings.setBindings({HotKeyBinding{QUuid::createUuid(), QUuid::createUuid(), keyK, 0x0100, true, false}});
    open();
    EXPECT_EQ(tab->rows()[0]->accountPicker()->currentIndex(), -1);
    EXPECT_EQ(countText(), u"0 active of 1"_s);
    // It still shows its combination.
    EXPECT_EQ(tab->rows()[0]->recorderButton()->text(), u"Ctrl+K"_s);
}
