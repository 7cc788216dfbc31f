// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/x11_test_keyboard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

// Drives the hotkey program from outside, as a user would: accounts go into the keyring with
// secret-tool, bindings into the settings file, keys are pressed with xdotool, the clipboard
// is read with xclip and codes are checked against oathtool.

namespace {

const QString service = QStringLiteral("org.brisvane.Brisvane");
const QString secretBase32 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"); // "12345678901234567890"
const QString secretBase64 = QStringLiteral("MTIzNDU2Nzg5MDEyMzQ1Njc4OTA=");
constexpr int ctrlAltShift = 0x0B00;
constexpr int keyK = 40;
constexpr int keyJ = 38;
constexpr int keyL = 37;
constexpr int keyZ = 6;

std::optional<QByteArray> run(const QString& program, const QStringList& arguments,
                              const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return std::nullopt;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

QString upper(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

// An account item as the program stores it: one JSON document per account.
bool storeAccount(const QUuid& id, const QString& name, const QString& type, int counter)
{
    const QString json = QStringLiteral(R"({"id":"%1","name":"%2","issuer":"E2E","secret":"%3","type":"%4",)"
                                        R"("algorithm":"SHA1","digits":6,"period":30,"counter":%5,)"
                                        R"("createdAt":"2024-05-01T09:30:00Z"})")
                             .arg(upper(id), name, secretBase64, type)
                             .arg(counter);
    return run(QStringLiteral("secret-tool"),
               {QStringLiteral("store"), QStringLiteral("--label=Brisvane: E2E: ") + name,
                QStringLiteral("service"), service, QStringLiteral("account"), upper(id)},
               json.toUtf8())
        .has_value();
}

std::optional<QJsonObject> storedAccount(const QUuid& id)
{
    const auto json = run(QStringLiteral("secret-tool"), {QStringLiteral("lookup"), QStringLiteral("service"),
                                                          service, QStringLiteral("account"), upper(id)});
    if (!json)
        return std::nullopt;
    return QJsonDocument::fromJson(*json).object();
}

QString bindingJson(const QUuid& accountID, int keyCode, bool autoPaste)
{
    return QStringLiteral(
               R"({"id":"%1","accountID":"%2","keyCode":%3,"modifiers":%4,"enabled":true,"autoPaste":%5})")
        .arg(upper(QUuid::createUuid()), upper(accountID))
        .arg(keyCode)
        .arg(ctrlAltShift)
        .arg(autoPaste ? QStringLiteral("true") : QStringLiteral("false"));
}

void writeBindings(const QStringList& bindings)
{
    const QString path = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                             .filePath(QStringLiteral("brisvane/brisvane.conf"));
    QSettings settings(path, QSettings::IniFormat);
    settings.clear();
    settings.setValue(QStringLiteral("hotkeyBindings.v1"), (u'[' + bindings.join(u',') + u']').toUtf8());
    settings.sync();
}

std::optional<QString> oathtool(const QStringList& arguments)
{
    const auto out =
        run(QStringLiteral("oathtool"), arguments + QStringList{QStringLiteral("-b"), secretBase32});
    if (!out)
        return std::nullopt;
    return QString::fromUtf8(*out).trimmed();
}

QString clipboardText()
{
    return QString::fromUtf8(run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                                           QStringLiteral("clipboard")})
                                 .value_or(QByteArray()));
}

// Polls until the clipboard holds some six-digit text, or gives up.
QString waitForCode()
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 5000) {
        const QString text = clipboardText();
        if (text.size() == 6)
            return text;
        QThread::msleep(20);
    }
    return {};
}

bool press(const QString& keys)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}).has_value();
}

// The program under test, started once its accounts and bindings are in place.
class HotKeyProgram
{
public:
    bool start()
    {
        m_process.start(QStringLiteral(HOTKEY_E2E_APP), QStringList{});
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer elapsed;
        elapsed.start();
        while (!m_process.canReadLine() && elapsed.elapsed() < 15000)
            m_process.waitForReadyRead(200);
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

TEST(HotKeyEndToEnd, TotpPressCopiesTheCodeOathtoolComputes)
{
    const QUuid id = QUuid::createUuid();
    ASSERT_TRUE(storeAccount(id, QStringLiteral("totp-user"), QStringLiteral("totp"), 0));
    writeBindings({bindingJson(id, keyK, false)});
    HotKeyProgram program;
    ASSERT_TRUE(program.start());

    const auto before = oathtool({QStringLiteral("--totp")});
    ASSERT_TRUE(press(QStringLiteral("ctrl+alt+shift+k")));
    const QString copied = waitForCode();
    const auto after = oathtool({QStringLiteral("--totp")});
    ASSERT_TRUE(before && after);
    // The press may straddle a 30-second step.
    EXPECT_TRUE(copied == *before || copied == *after)
        << copied.toStdString() << " vs " << before->toStdString() << "/" << after->toStdString();
}

TEST(HotKeyEndToEnd, HotpPressCopiesTheStoredCounterCodeAndAdvancesTheKeyring)
{
    const QUuid id = QUuid::createUuid();
    ASSERT_TRUE(storeAccount(id, QStringLiteral("hotp-user"), QStringLiteral("hotp"), 5));
    writeBindings({bindingJson(id, keyJ, false)});
    HotKeyProgram program;
    ASSERT_TRUE(program.start());

    ASSERT_TRUE(press(QStringLiteral("ctrl+alt+shift+j")));
    EXPECT_EQ(waitForCode(), oathtool({QStringLiteral("--hotp"), QStringLiteral("-c"), QStringLiteral("5")}));
    const auto stored = storedAccount(id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->value(QStringLiteral("counter")).toInteger(), 6);
}

// A text field of another process, focused; it prints its text on every change.
class PasteTarget
{
public:
    PasteTarget(const QString& program, const QStringList& arguments, const QString& title)
    {
        m_process.start(program, arguments + QStringList{title});
        m_focused = m_process.waitForStarted(5000) &&
                    run(QStringLiteral("xdotool"),
                        {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                         u'^' + title + u'$', QStringLiteral("windowfocus"), QStringLiteral("--sync")});
    }
    ~PasteTarget()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool focused() const { return m_focused; }
    // Whether the text reaches the field within a few seconds.
    bool receives(const QString& text)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (!m_typed.contains(text.toUtf8()) && elapsed.elapsed() < 5000) {
            m_process.waitForReadyRead(100);
            m_typed += m_process.readAllStandardOutput();
        }
        return m_typed.contains(text.toUtf8());
    }
    QByteArray typed() const { return m_typed; }

private:
    QProcess m_process;
    QByteArray m_typed;
    bool m_focused = false;
};

QString hotpCode(int counter)
{
    return oathtool({QStringLiteral("--hotp"), QStringLiteral("-c"), QString::number(counter)})
        .value_or(QString());
}

// Presses until the clipboard holds the code of the counter: a layout change moves the grabs a
// moment after it, and a press in between goes to no one.
bool copiesCode(TestKeyboard& keyboard, std::uint8_t keycode, int counter)
{
    const QString expected = hotpCode(counter);
    for (int attempt = 0; attempt < 3; ++attempt) {
        keyboard.typeCombination(keycode);
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < 1500) {
            if (clipboardText() == expected)
                return true;
            QThread::msleep(20);
        }
    }
    return false;
}

// K stays on the K key where the layout has no K; Z follows the German layout to the US Y key,
// at once when the layout or its group changes while the program runs.
TEST(HotKeyEndToEnd, CombinationsFollowTheLayoutAndEveryChangeOfIt)
{
    TestKeyboard keyboard;
    ASSERT_TRUE(keyboard.setLayouts(QStringLiteral("ru")));
    const QUuid id = QUuid::createUuid();
    ASSERT_TRUE(storeAccount(id, QStringLiteral("layout-user"), QStringLiteral("hotp"), 0));
    writeBindings({bindingJson(id, keyK, false), bindingJson(id, keyZ, false)});
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
}

// Under a Russian layout no key types V: the paste must still reach the field as Ctrl+V,
// in Qt and in GTK alike.
TEST(HotKeyEndToEnd, AutoPasteTypesTheCodeIntoQtAndGtkFieldsOfAnyLayout)
{
    TestKeyboard keyboard;
    const QUuid id = QUuid::createUuid();
    ASSERT_TRUE(storeAccount(id, QStringLiteral("paste-user"), QStringLiteral("hotp"), 9));
    writeBindings({bindingJson(id, keyL, true)});
    HotKeyProgram program;
    ASSERT_TRUE(program.start());

    const std::pair<QString, QStringList> targets[] = {
        {QStringLiteral(PASTE_TARGET_WINDOW), {}},
        {QStringLiteral(SYSTEM_PYTHON3), {QStringLiteral(GTK_PASTE_TARGET)}},
    };
    int counter = 9;
    for (const char* layouts : {"us", "ru"}) {
        ASSERT_TRUE(keyboard.setLayouts(QString::fromLatin1(layouts)));
        for (const auto& [targetProgram, arguments] : targets) {
            SCOPED_TRACE(layouts + (u' ' + targetProgram).toStdString());
            PasteTarget target(targetProgram, arguments, QStringLiteral("brisvane-e2e-paste-target"));
            ASSERT_TRUE(target.focused());
            keyboard.typeCombination(TestKey::l);
            const QString code = hotpCode(counter++);
            EXPECT_TRUE(target.receives(code)) << target.typed().toStdString();
            EXPECT_EQ(clipboardText(), code);
        }
    }
}

} // namespace
