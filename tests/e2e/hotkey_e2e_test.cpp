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

TEST(HotKeyEndToEnd, AutoPasteTypesTheCodeIntoAnotherApplication)
{
    const QUuid id = QUuid::createUuid();
    ASSERT_TRUE(storeAccount(id, QStringLiteral("paste-user"), QStringLiteral("hotp"), 9));
    writeBindings({bindingJson(id, keyL, true)});
    HotKeyProgram program;
    ASSERT_TRUE(program.start());

    QProcess target;
    const QString title = QStringLiteral("brisvane-e2e-paste-target");
    target.start(QStringLiteral(PASTE_TARGET_WINDOW), {title});
    ASSERT_TRUE(target.waitForStarted(5000));
    ASSERT_TRUE(run(QStringLiteral("xdotool"),
                    {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                     u'^' + title + u'$', QStringLiteral("windowfocus"), QStringLiteral("--sync")}));

    ASSERT_TRUE(press(QStringLiteral("ctrl+alt+shift+l")));
    const auto expected = oathtool({QStringLiteral("--hotp"), QStringLiteral("-c"), QStringLiteral("9")});
    ASSERT_TRUE(expected);
    QByteArray typed;
    QElapsedTimer elapsed;
    elapsed.start();
    while (!typed.contains(expected->toUtf8()) && elapsed.elapsed() < 5000) {
        target.waitForReadyRead(100);
        typed += target.readAllStandardOutput();
    }
    EXPECT_TRUE(typed.contains(expected->toUtf8())) << typed.toStdString();
    EXPECT_EQ(clipboardText(), *expected);
    target.kill();
    target.waitForFinished();
}

} // namespace
