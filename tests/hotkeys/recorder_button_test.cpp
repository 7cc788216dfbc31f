#include "hotkeys/app_settings.h"
#include "hotkeys/hot_key_recorder.h"
#include "hotkeys/key_names.h"
#include "hotkeys/recorder_button.h"
#include "qt_printers.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Commit
{
    std::uint32_t keyCode;
    std::uint32_t modifiers;
    bool operator==(const Commit&) const = default;
};

// A window with the recorder and a second focusable widget, as in a settings row.
class RecorderButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&m_window);
        m_button = new RecorderButton(&m_window);
        m_other = new QLineEdit(&m_window);
        layout->addWidget(m_button);
        layout->addWidget(m_other);
        m_button->setOnCommit([this](std::uint32_t key, std::uint32_t mask) { m_commits.push_back({key, mask}); });
        m_button->setBeep([this] { ++m_beeps; });
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    void startRecording()
    {
        QTest::mouseClick(m_button, Qt::LeftButton);
        ASSERT_TRUE(m_button->isRecording());
    }

    QWidget m_window;
    RecorderButton* m_button = nullptr;
    QLineEdit* m_other = nullptr;
    std::vector<Commit> m_commits;
    int m_beeps = 0;
};

TEST_F(RecorderButtonTest, FreshBindingShowsClickToSet)
{
    m_button->setCombination(0, 0x0B00);
    EXPECT_EQ(m_button->text(), u"Click to set");
    EXPECT_EQ(comboDisplayString(0, 0x0B00), u"Ctrl+Alt+Shift+A");
}

TEST_F(RecorderButtonTest, ClickStartsRecordingWithFocus)
{
    startRecording();
    EXPECT_EQ(m_button->text(), QString::fromUtf16(u"Press a key combo\u2026"));
    EXPECT_TRUE(m_button->hasFocus());
}

TEST_F(RecorderButtonTest, ModifiedKeyCommitsAndShowsTheCombination)
{
    startRecording();
    QTest::keyClick(m_button, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_commits, (std::vector<Commit>{{40, 0x0300}}));
    EXPECT_FALSE(m_button->isRecording());
    EXPECT_EQ(m_button->currentKeyCode(), 40u);
    EXPECT_EQ(m_button->currentModifiers(), 0x0300u);
    EXPECT_EQ(m_button->text(), u"Ctrl+Shift+K");
}

TEST_F(RecorderButtonTest, SuperAltFunctionKey)
{
    startRecording();
    QTest::keyClick(m_button, Qt::Key_F5, Qt::MetaModifier | Qt::AltModifier);
    EXPECT_EQ(m_commits, (std::vector<Commit>{{96, 0x1800}}));
    EXPECT_EQ(m_button->text(), u"Alt+Super+F5");
}

TEST_F(RecorderButtonTest, ShiftedSymbolRecordsItsPhysicalKey)
{
    startRecording();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, u"!"_s);
    QApplication::sendEvent(m_button, &press);
    EXPECT_EQ(m_commits, (std::vector<Commit>{{18, 0x0300}}));
    EXPECT_EQ(m_button->text(), u"Ctrl+Shift+1");
}

TEST_F(RecorderButtonTest, ShiftTabIsRecordedInsteadOfMovingFocus)
{
    startRecording();
    QTest::keyClick(m_button, Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(m_commits, (std::vector<Commit>{{48, 0x0300}}));
    EXPECT_TRUE(m_button->hasFocus());
}

TEST_F(RecorderButtonTest, ShortcutsDoNotFireWhileRecording)
{
    int fired = 0;
    QShortcut shortcut(QKeySequence(Qt::CTRL | Qt::Key_N), &m_window);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++fired; });
    startRecording();
    QTest::keyClick(m_button, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(m_commits, (std::vector<Commit>{{45, 0x0100}}));
    // Not recording: the shortcut works as usual.
    QTest::keyClick(m_button, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fired, 1);
}

TEST_F(RecorderButtonTest, EscapeCancelsAndKeepsTheCombination)
{
    m_button->setCombination(40, 0x0300);
    startRecording();
    QTest::keyClick(m_button, Qt::Key_Escape);
    EXPECT_FALSE(m_button->isRecording());
    EXPECT_EQ(m_button->text(), u"Ctrl+Shift+K");
    EXPECT_TRUE(m_commits.empty());
    EXPECT_EQ(m_beeps, 0);
}

TEST_F(RecorderButtonTest, BareKeyBeepsAndKeepsRecording)
{
    startRecording();
    QTest::keyClick(m_button, Qt::Key_K);
    EXPECT_EQ(m_beeps, 1);
    EXPECT_TRUE(m_button->isRecording());
    EXPECT_TRUE(m_commits.empty());
    // Shift alone is a modifier like any other.
    QTest::keyClick(m_button, Qt::Key_K, Qt::ShiftModifier);
    EXPECT_EQ(m_commits, (std::vector<Commit>{{40, 0x0200}}));
}

TEST_F(RecorderButtonTest, ModifierKeysAloneNeitherBeepNorCommit)
{
    startRecording();
    QTest::keyPress(m_button, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(m_button, Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_beeps, 0);
    EXPECT_TRUE(m_commits.empty());
    EXPECT_TRUE(m_button->isRecording());
}

// Key code 0 means "nothing recorded", so A would be committed as an unusable binding.
TEST_F(RecorderButtonTest, KeysThatCannotBeStoredAreRefused)
{
    startRecording();
    QTest::keyClick(m_button, Qt::Key_A, Qt::ControlModifier);
    QKeyEvent cyrillic(QEvent::KeyPress, 0x041a, Qt::ControlModifier, QString(QChar(0x043a)));
    QApplication::sendEvent(m_button, &cyrillic);
    EXPECT_EQ(m_beeps, 2);
    EXPECT_TRUE(m_button->isRecording());
    EXPECT_TRUE(m_commits.empty());
}

TEST_F(RecorderButtonTest, LosingFocusCancels)
{
    m_button->setCombination(96, 0x1800);
    startRecording();
    m_other->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(m_button->isRecording());
    EXPECT_EQ(m_button->text(), u"Alt+Super+F5");
    EXPECT_TRUE(m_commits.empty());
}

TEST_F(RecorderButtonTest, SecondClickCancels)
{
    startRecording();
    QTest::mouseClick(m_button, Qt::LeftButton);
    EXPECT_FALSE(m_button->isRecording());
    EXPECT_EQ(m_button->text(), u"Click to set");
}

TEST_F(RecorderButtonTest, ReportsRecordingChanges)
{
    std::vector<bool> changes;
    QObject::connect(m_button, &RecorderButton::recordingChanged, [&](bool recording) { changes.push_back(recording); });
    startRecording();
    QTest::keyClick(m_button, Qt::Key_K, Qt::ControlModifier);
    startRecording();
    QTest::keyClick(m_button, Qt::Key_Escape);
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(RecorderButtonTest, KeysPassThroughWhenNotRecording)
{
    // Space clicks the button as on any button, which starts a recording.
    QTest::keyClick(m_button, Qt::Key_Space);
    EXPECT_TRUE(m_button->isRecording());
}

class HotKeyRecorderTest : public RecorderButtonTest
{
protected:
    QTemporaryDir m_dir;
    QSettings m_store{m_dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat};
    AppSettings m_settings{m_store};
};

TEST_F(HotKeyRecorderTest, RecordedCombinationIsWrittenToTheBinding)
{
    m_settings.addBinding();
    const QUuid id = m_settings.bindings().first().id;
    HotKeyRecorder* recorder = HotKeyRecorder::forBinding(m_settings, id, &m_window);
    RecorderButton* button = recorder->button();
    button->show();
    EXPECT_EQ(button->text(), u"Click to set");

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_settings.bindings().first().keyCode, 40u);
    EXPECT_EQ(m_settings.bindings().first().modifiers, 0x0300u);
    EXPECT_EQ(button->text(), u"Ctrl+Shift+K");
}

TEST_F(HotKeyRecorderTest, FollowsChangesOfTheBindingExceptWhileRecording)
{
    m_settings.addBinding();
    HotKeyBinding binding = m_settings.bindings().first();
    HotKeyRecorder* recorder = HotKeyRecorder::forBinding(m_settings, binding.id, &m_window);
    RecorderButton* button = recorder->button();
    button->show();

    binding.keyCode = 96;
    binding.modifiers = 0x1800;
    m_settings.updateBinding(binding);
    EXPECT_EQ(button->text(), u"Alt+Super+F5");

    QTest::mouseClick(button, Qt::LeftButton);
    binding.keyCode = 40;
    m_settings.updateBinding(binding);
    EXPECT_TRUE(button->isRecording());
    EXPECT_EQ(button->text(), QString::fromUtf16(u"Press a key combo\u2026"));
}

TEST_F(HotKeyRecorderTest, CommitForARemovedBindingChangesNothing)
{
    m_settings.addBinding();
    const QUuid id = m_settings.bindings().first().id;
    HotKeyRecorder* recorder = HotKeyRecorder::forBinding(m_settings, id, &m_window);
    recorder->button()->show();
    QTest::mouseClick(recorder->button(), Qt::LeftButton);
    m_settings.removeBinding(id);
    QTest::keyClick(recorder->button(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(m_settings.bindings().isEmpty());
}

TEST(HotKeyRecorderValues, WritesBothValuesAndSynchronisesOnDemand)
{
    HotKeyRecorder::Combination bound{24, 0x0100};
    std::vector<HotKeyRecorder::Combination> writes;
    HotKeyRecorder* recorder = HotKeyRecorder::create([&] { return bound; },
                                                      [&](HotKeyRecorder::Combination c) { writes.push_back(c); });
    std::unique_ptr<RecorderButton> owner(recorder->button());
    EXPECT_EQ(owner->text(), u"Ctrl+Key 24");
    bound = {0, 0};
    recorder->synchronise();
    EXPECT_EQ(owner->text(), u"Click to set");
    EXPECT_TRUE(writes.empty());
}

} // namespace
