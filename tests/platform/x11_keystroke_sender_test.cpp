// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_clipboard.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/x11/x11_keystroke_sender.h"
#include "support/x11_test_tools.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(X11KeystrokeSenderTest, SeesModifiersHeldByTheUser)
{
    X11KeystrokeSender keys;
    EXPECT_FALSE(keys.modifiersHeld());
    for (const QString& modifier : {u"shift"_s, u"ctrl"_s, u"alt"_s, u"super"_s}) {
        ASSERT_TRUE(xdotool({u"keydown"_s, modifier}));
        EXPECT_TRUE(keys.modifiersHeld()) << modifier.toStdString();
        ASSERT_TRUE(xdotool({u"keyup"_s, modifier}));
        EXPECT_FALSE(keys.modifiersHeld()) << modifier.toStdString();
    }
}

TEST(X11KeystrokeSenderTest, PasteTypesTheClipboardIntoTheFocusedField)
{
    QtClipboard clipboard;
    clipboard.setSecretText(u"40812193"_s);
    QLineEdit field;
    field.setWindowTitle(u"brisvane-paste-target"_s);
    field.show();
    ASSERT_TRUE(xdotool({u"search"_s, u"--sync"_s, u"--name"_s, u"^brisvane-paste-target$"_s,
                         u"windowfocus"_s, u"--sync"_s}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return field.hasFocus(); }, 2000));

    X11KeystrokeSender keys;
    ASSERT_TRUE(keys.canSendKeystrokes());
    ASSERT_TRUE(keys.sendPaste());
    EXPECT_TRUE(QTest::qWaitFor([&] { return field.text() == u"40812193"; }, 2000))
        << field.text().toStdString();
    EXPECT_FALSE(keys.modifiersHeld()) << "Ctrl was left down";
}

TEST(CanberraSoundPlayerTest, PlayingWithoutASoundDeviceReturnsPromptly)
{
    CanberraSoundPlayer sounds;
    QElapsedTimer elapsed;
    elapsed.start();
    sounds.playConfirmation();
    sounds.playAlert();
    // Whatever the session offers, a press must never hang on its sound.
    EXPECT_LT(elapsed.elapsed(), 3000);
}

} // namespace
