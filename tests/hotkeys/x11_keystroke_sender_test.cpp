#include "platform/qt/qt_clipboard.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/x11/x11_keystroke_sender.h"
#include "x11_test_tools.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST(X11KeystrokeSenderTest, XTestIsAvailableInTheSession)
{
    X11KeystrokeSender keys;
    EXPECT_TRUE(keys.canSendKeystrokes());
}

TEST(X11KeystrokeSenderTest, SeesModifiersHeldByTheUser)
{
    X11KeystrokeSender keys;
    EXPECT_FALSE(keys.modifiersHeld());
    for (const QString& modifier : {QStringLiteral("shift"), QStringLiteral("ctrl"), QStringLiteral("alt"),
                                    QStringLiteral("super")}) {
        ASSERT_TRUE(xdotool({QStringLiteral("keydown"), modifier}));
        EXPECT_TRUE(keys.modifiersHeld()) << modifier.toStdString();
        ASSERT_TRUE(xdotool({QStringLiteral("keyup"), modifier}));
        EXPECT_FALSE(keys.modifiersHeld()) << modifier.toStdString();
    }
}

TEST(X11KeystrokeSenderTest, PasteTypesTheClipboardIntoTheFocusedField)
{
    QtClipboard clipboard;
    clipboard.setSecretText(QStringLiteral("40812193"));
    QLineEdit field;
    field.setWindowTitle(QStringLiteral("brisvane-paste-target"));
    field.show();
    ASSERT_TRUE(xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                         QStringLiteral("^brisvane-paste-target$"), QStringLiteral("windowfocus"),
                         QStringLiteral("--sync")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return field.hasFocus(); }, 2000));

    X11KeystrokeSender keys;
    ASSERT_TRUE(keys.sendPaste());
    EXPECT_TRUE(QTest::qWaitFor([&] { return field.text() == QStringLiteral("40812193"); }, 2000))
        << field.text().toStdString();
    EXPECT_FALSE(keys.modifiersHeld()) << "Ctrl was left down";
}

TEST(QtClipboardTest, OtherClientsReadTheTextAndTheSecretHint)
{
    QtClipboard clipboard;
    clipboard.setSecretText(QStringLiteral("00123456"));
    EXPECT_EQ(clipboard.text(), QStringLiteral("00123456"));
    const auto text = runTool(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                                        QStringLiteral("clipboard")});
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QByteArray("00123456"));
    const auto hint = runTool(QStringLiteral("xclip"),
                              {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                               QStringLiteral("-t"), QStringLiteral("x-kde-passwordManagerHint")});
    ASSERT_TRUE(hint);
    EXPECT_EQ(*hint, QByteArray("secret"));
}

TEST(CanberraSoundPlayerTest, PlayingWithoutASoundDeviceReturnsPromptly)
{
    CanberraSoundPlayer sounds;
    QElapsedTimer elapsed;
    elapsed.start();
    sounds.playConfirmation();
    sounds.playAlert();
    sounds.playConfirmation();
    // Whatever the session offers, a press must never hang on its sound.
    EXPECT_LT(elapsed.elapsed(), 3000);
}

} // namespace
