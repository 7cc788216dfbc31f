// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/app_settings.h"
#include "support/qt_printers.h"
#include "support/x11_test_keyboard.h"
#include "support/x11_test_tools.h"
#include "ui/widgets/hot_key_recorder.h"
#include "ui/widgets/recorder_button.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QShortcut>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Commit = std::pair<std::uint32_t, std::uint32_t>;

// A window with the recorder and a second focusable widget, as in a settings row.
class RecorderButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_button);
        layout->addWidget(m_other);
        m_button->setOnCommit(
            [this](std::uint32_t key, std::uint32_t mask) { m_commits.emplace_back(key, mask); });
        m_button->setBeep([this] { ++m_beeps; });
        QObject::connect(m_button, &RecorderButton::recordingChanged,
                         [this](bool on) { m_changes.push_back(on); });
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    // Like any button, it is pressed with the space bar too.
    void startRecording()
    {
        m_commits.clear();
        QTest::keyClick(m_button, Qt::Key_Space);
        ASSERT_TRUE(m_button->isRecording());
        ASSERT_TRUE(m_button->hasFocus());
    }

    // Declared before the window: closing it takes the focus away, which ends a recording.
    std::vector<Commit> m_commits;
    std::vector<bool> m_changes;
    int m_beeps = 0;
    QWidget m_window;
    RecorderButton* m_button = new RecorderButton(&m_window);
    QLineEdit* m_other = new QLineEdit(&m_window);
};

TEST_F(RecorderButtonTest, ModifiedKeyIsCommittedAsItsPhysicalKeyBeforeShortcutsOrFocusSeeIt)
{
    int shortcuts = 0;
    QShortcut shortcut(QKeySequence(Qt::CTRL | Qt::Key_N), &m_window);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++shortcuts; });
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Commit commit;
        const char16_t* title;
    } cases[] = {
        {Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier, {40, 0x0300}, u"Ctrl+Shift+K"},
        {Qt::Key_F5, Qt::MetaModifier | Qt::AltModifier, {96, 0x1800}, u"Alt+Super+F5"},
        {Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, {18, 0x0300}, u"Ctrl+Shift+1"},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, {48, 0x0300}, u"Ctrl+Shift+\u21E5"},
        {Qt::Key_N, Qt::ControlModifier, {45, 0x0100}, u"Ctrl+N"},
        {Qt::Key_K, Qt::ShiftModifier, {40, 0x0200}, u"Shift+K"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.title).toStdString());
        startRecording();
        QTest::keyClick(m_button, c.key, c.modifiers);
        EXPECT_EQ(m_commits, std::vector<Commit>{c.commit});
        EXPECT_EQ(m_button->text(), QString::fromUtf16(c.title));
        EXPECT_EQ((Commit{m_button->currentKeyCode(), m_button->currentModifiers()}), c.commit);
        EXPECT_TRUE(m_button->hasFocus());
    }
    EXPECT_EQ(shortcuts, 0);
    EXPECT_EQ(m_changes.size(), 2 * std::size(cases)) << "every recording reports its start and end";
    QTest::keyClick(m_button, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(shortcuts, 1) << "not recording: the shortcut works as usual";
}

// Keys from the X server carry keysyms and real modifier state, unlike synthetic events.
TEST_F(RecorderButtonTest, RecordsRealKeyPresses)
{
    const std::pair<const char*, Commit> cases[] = {
        {"ctrl+shift+1", {18, 0x0300}}, {"alt+super+F5", {96, 0x1800}}, {"ctrl+equal", {24, 0x0100}}};
    for (const auto& [keys, commit] : cases) {
        SCOPED_TRACE(keys);
        startRecording();
        ASSERT_TRUE(xdotool({u"key"_s, QString::fromLatin1(keys)}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_commits.empty(); }, 5000));
        EXPECT_EQ(m_commits.front(), commit);
    }
    startRecording();
    ASSERT_TRUE(xdotool({u"key"_s, u"k"_s}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_beeps == 1; }, 5000));
}

// Letter keys are stored by their US identity whatever they type: by their place where the
// active group is Cyrillic, with Ctrl (Qt's Latin fallback) or without.
TEST_F(RecorderButtonTest, RecordsLetterKeysOfEveryLayoutAsTheirLatinKeys)
{
    TestKeyboard keyboard;
    const std::tuple<const char*, std::uint8_t, std::vector<std::uint8_t>, Commit, const char16_t*> cases[] =
        {
            {"ru",
             0,
             {TestKey::control, TestKey::alt, TestKey::shift, TestKey::k},
             {40, 0x0B00},
             u"Ctrl+Alt+Shift+K"},
            {"us,ru", 1, {TestKey::control, TestKey::k}, {40, 0x0100}, u"Ctrl+K"},
            {"us,ru", 1, {TestKey::alt, TestKey::shift, TestKey::l}, {37, 0x0A00}, u"Alt+Shift+L"},
            {"de", 0, {TestKey::control, TestKey::y}, {6, 0x0100}, u"Ctrl+Z"},
        };
    for (const auto& [layouts, group, keys, commit, title] : cases) {
        SCOPED_TRACE(layouts);
        ASSERT_TRUE(keyboard.setLayouts(QString::fromLatin1(layouts)));
        keyboard.lockGroup(group);
        startRecording();
        keyboard.type(keys);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_commits.empty(); }, 5000));
        EXPECT_EQ(m_commits.front(), commit);
        EXPECT_EQ(m_button->text(), QString::fromUtf16(title));
    }
}

// A key code of 0 means "nothing recorded", so A cannot be stored; modifier keys alone wait.
TEST_F(RecorderButtonTest, RefusedKeysBeepAndRecordingGoesOn)
{
    startRecording();
    QTest::keyClick(m_button, Qt::Key_K);
    QTest::keyClick(m_button, Qt::Key_A, Qt::ControlModifier);
    QKeyEvent cyrillicKa(QEvent::KeyPress, 0x041a, Qt::ControlModifier, QString(QChar(0x043a)));
    QApplication::sendEvent(m_button, &cyrillicKa);
    EXPECT_EQ(m_beeps, 3);
    QTest::keyPress(m_button, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(m_button, Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_beeps, 3);
    EXPECT_TRUE(m_button->isRecording());
    EXPECT_TRUE(m_commits.empty());
}

TEST_F(RecorderButtonTest, EscapeSecondClickOrFocusLossCancelAndKeepTheCombination)
{
    const std::function<void()> cancels[] = {
        [&] { QTest::keyClick(m_button, Qt::Key_Escape); },
        [&] { QTest::mouseClick(m_button, Qt::LeftButton); },
        [&] { m_other->setFocus(Qt::MouseFocusReason); },
    };
    m_button->setCombination(96, 0x1800);
    for (const auto& cancel : cancels) {
        m_changes.clear();
        startRecording();
        cancel();
        EXPECT_FALSE(m_button->isRecording());
        EXPECT_EQ(m_button->text(), u"Alt+Super+F5");
        EXPECT_EQ(m_changes, (std::vector<bool>{true, false}));
    }
    EXPECT_TRUE(m_commits.empty());
    EXPECT_EQ(m_beeps, 0);
}

TEST_F(RecorderButtonTest, BoundToABindingItWritesTheRecordingAndFollowsChanges)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat);
    AppSettings settings(store);
    settings.addBinding();
    HotKeyBinding binding = settings.bindings().first();
    RecorderButton* button = HotKeyRecorder::forBinding(settings, binding.id, &m_window)->button();
    button->show();
    binding.keyCode = 96;
    binding.modifiers = 0x1800;
    settings.updateBinding(binding);
    EXPECT_EQ(button->text(), u"Alt+Super+F5");

    // While recording the button keeps its prompt; a binding removed meanwhile stays removed.
    QTest::mouseClick(button, Qt::LeftButton);
    settings.removeBinding(binding.id);
    EXPECT_EQ(button->text(), u"Press a key combo\u2026"_s);
    QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(settings.bindings().isEmpty());
}

} // namespace
