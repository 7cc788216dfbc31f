// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the hotkey program from outside, as a user would: accounts go into the keyring with
// secret-tool, bindings into the settings file, keys are pressed through XTEST, the clipboard
// is read with xclip and codes are checked against oathtool.
#include "e2e_tools.h"
#include "support/x11_test_keyboard.h"

#include <gtest/gtest.h>

using namespace E2E;

namespace {

// macOS key codes of the bound keys.
constexpr int keyK = 40, keyL = 37, keyZ = 6;

// The program under test, started once its accounts and bindings are in place; it ends when
// its standard input closes.
class HotKeyProgram
{
public:
    bool start()
    {
        m_process.start(QStringLiteral(HOTKEY_E2E_APP), QStringList{});
        if (!m_process.waitForStarted(5000))
            return false;
        waitUntil(
            [&] {
                m_process.waitForReadyRead(100);
                return m_process.canReadLine();
            },
            15000);
        return m_process.readLine().startsWith("ready");
    }
    ~HotKeyProgram()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// A text field of another process, focused; it prints its text on every change.
class PasteTarget
{
public:
    PasteTarget(const QString& program, const QStringList& arguments)
    {
        const QString title = QStringLiteral("brisvane-e2e-paste-target");
        m_focused = m_program.start(program, arguments + QStringList{title}) && focus(waitForWindow(title));
    }
    bool focused() const { return m_focused; }
    // Whether the text reaches the field within a few seconds.
    bool receives(const QString& text)
    {
        return waitUntil(
            [&] {
                m_typed += m_program.process().readAllStandardOutput();
                return m_typed.contains(text.toUtf8());
            },
            5000);
    }
    QByteArray typed() const { return m_typed; }

private:
    Program m_program{QProcess::SeparateChannels};
    QByteArray m_typed;
    bool m_focused = false;
};

// Presses until the clipboard holds the code of the counter: a layout change moves the grabs a
// moment after it, and a press in between goes to no one.
bool copiesCode(TestKeyboard& keyboard, std::uint8_t keycode, int counter)
{
    const QString expected = hotpCode(counter);
    for (int attempt = 0; attempt < 3; ++attempt) {
        keyboard.typeCombination(keycode);
        if (waitUntil([&] { return clipboardText() == expected; }, 1500))
            return true;
    }
    return false;
}

// K stays on the K key where the layout has no K; Z follows the German layout to the US Y key,
// at once when the layout or its group changes while the program runs. Every press advances
// the counter in the keyring.
TEST(HotKeyEndToEnd, CombinationsFollowTheLayoutAndEveryChangeOfIt)
{
    TestKeyboard keyboard;
    ASSERT_TRUE(keyboard.setLayouts(QStringLiteral("ru")));
    const TestAccount account{.name = QStringLiteral("layout-user"), .type = QStringLiteral("hotp")};
    clearKeyring();
    ASSERT_TRUE(storeAccount(account));
    writeSettings({binding(account.id, keyK), binding(account.id, keyZ)});
    HotKeyProgram program;
    ASSERT_TRUE(program.start());

    int counter = 0;
    EXPECT_TRUE(copiesCode(keyboard, TestKey::k, counter++)) << "started under ru";
    for (const char* layouts : {"us", "ru", "us,ru"}) {
        ASSERT_TRUE(keyboard.setLayouts(QString::fromLatin1(layouts)));
        EXPECT_TRUE(copiesCode(keyboard, TestKey::k, counter++)) << layouts;
    }
    keyboard.lockGroup(1);
    EXPECT_TRUE(copiesCode(keyboard, TestKey::k, counter++)) << "us,ru with ru active";

    ASSERT_TRUE(keyboard.setLayouts(QStringLiteral("de")));
    EXPECT_TRUE(copiesCode(keyboard, TestKey::y, counter++)) << "the German Z key";
    ASSERT_TRUE(keyboard.setLayouts(QStringLiteral("de,us")));
    keyboard.lockGroup(1);
    EXPECT_TRUE(copiesCode(keyboard, TestKey::z, counter++)) << "de,us with us active";
    keyboard.lockGroup(0);
    EXPECT_TRUE(copiesCode(keyboard, TestKey::y, counter++)) << "de,us with de active";

    const auto storedCounter = [] {
        return keyringAccounts().value(0).value(QStringLiteral("counter")).toInt();
    };
    EXPECT_TRUE(waitUntil([&] { return storedCounter() == counter; }))
        << "the keyring holds " << storedCounter();
}

// Under a Russian layout no key types V: the paste must still reach the field as Ctrl+V,
// in Qt and in GTK alike.
TEST(HotKeyEndToEnd, AutoPasteTypesTheCodeIntoQtAndGtkFieldsOfAnyLayout)
{
    TestKeyboard keyboard;
    const TestAccount account{
        .name = QStringLiteral("paste-user"), .type = QStringLiteral("hotp"), .counter = 9};
    clearKeyring();
    ASSERT_TRUE(storeAccount(account));
    writeSettings({binding(account.id, keyL, true)});
    HotKeyProgram program;
    ASSERT_TRUE(program.start());

    const std::pair<QString, QStringList> targets[] = {
        {QStringLiteral(PASTE_TARGET_WINDOW), {}},
        {QStringLiteral(SYSTEM_PYTHON3), {QStringLiteral(GTK_PASTE_TARGET)}},
    };
    int counter = account.counter;
    for (const char* layouts : {"us", "ru"}) {
        ASSERT_TRUE(keyboard.setLayouts(QString::fromLatin1(layouts)));
        for (const auto& [targetProgram, arguments] : targets) {
            SCOPED_TRACE(layouts + (u' ' + targetProgram).toStdString());
            PasteTarget target(targetProgram, arguments);
            ASSERT_TRUE(target.focused());
            keyboard.typeCombination(TestKey::l);
            const QString code = hotpCode(counter++);
            EXPECT_TRUE(target.receives(code)) << target.typed().toStdString();
            EXPECT_EQ(clipboardText(), code);
        }
    }
}

} // namespace
