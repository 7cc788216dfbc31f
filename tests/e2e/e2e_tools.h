// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the end-to-end tests, which drive the built program from outside with
// command-line tools: xdotool for windows and keys, secret-tool for the keyring, xclip for
// the clipboard and oathtool for the codes to expect.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QUuid>
#include <functional>
#include <optional>

namespace E2E {

inline const QString keyringService = QStringLiteral("org.brisvane.Brisvane");
// RFC 4226's key "12345678901234567890", as the stored JSON has it and as oathtool takes it.
inline const QString secretBase64 = QStringLiteral("MTIzNDU2Nzg5MDEyMzQ1Njc4OTA=");
inline const QString secretBase32 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a tool to its end; a tool that cannot start, hangs or crashes gives exit code -1.
inline Outcome run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                   int timeoutMs = 20000,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError())};
}

inline bool xdotool(const QStringList& arguments)
{
    return run(QStringLiteral("xdotool"), arguments).exitCode == 0;
}

// Polls instead of sleeping a fixed time, so slow machines only take longer. The event loop
// turns meanwhile, for the tests whose own objects (portal calls) answer there.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < timeoutMs) {
        if (condition())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return condition();
}

// A process of the test (the program, a tray, a window of another program), stopped politely
// and then for good when the test ends.
class Program
{
public:
    explicit Program(QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
    {
        m_process.setProcessChannelMode(channels);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() { stop(); }

    bool start(const QString& program, const QStringList& arguments = {},
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProcessEnvironment(environment);
        m_process.start(program, arguments);
        return m_process.waitForStarted(5000);
    }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QProcess& process() { return m_process; }
    // Whether it ended by itself within the time, normally and with exit code 0.
    bool endsCleanly(int timeoutMs = 10000)
    {
        return m_process.waitForFinished(timeoutMs) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

private:
    QProcess m_process;
};

// ---- Windows, keys and the mouse (X11) ----

struct Window
{
    QString id;
    QRect geometry;
};

inline QRect windowGeometry(const QString& window)
{
    QMap<QString, int> values;
    const Outcome shell = run(QStringLiteral("xdotool"),
                              {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    for (const QString& line : shell.out.split(u'\n')) {
        const QStringList pair = line.split(u'=');
        if (pair.size() == 2)
            values.insert(pair[0], pair[1].toInt());
    }
    return {values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
            values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT"))};
}

// Visible windows matching an xdotool search ("--name", "^Title$"), with their geometry.
inline QList<Window> visibleWindows(const QStringList& search)
{
    QList<Window> windows;
    const Outcome found =
        run(QStringLiteral("xdotool"),
            QStringList{QStringLiteral("search"), QStringLiteral("--onlyvisible")} + search);
    for (const QString& id : found.out.split(u'\n', Qt::SkipEmptyParts))
        windows.append({id, windowGeometry(id)});
    return windows;
}

// The first visible window titled exactly `title` (and `width` wide, if given).
inline std::optional<Window> windowNamed(const QString& title, std::optional<int> width = {})
{
    for (const Window& window : visibleWindows({QStringLiteral("--name"), u'^' + title + u'$'})) {
        if (!width || window.geometry.width() == *width)
            return window;
    }
    return std::nullopt;
}

// The id of the first visible window titled exactly `title`, or empty after the timeout.
inline QString waitForWindow(const QString& title, int seconds = 15)
{
    return run(QStringLiteral("timeout"),
               {QString::number(seconds), QStringLiteral("xdotool"), QStringLiteral("search"),
                QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                u'^' + title + u'$'})
        .out.section(u'\n', 0, 0);
}

inline bool windowVisible(const QString& title)
{
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    u'^' + title + u'$'});
}

// Gives `window` the keyboard focus and waits until it has it.
inline bool focus(const QString& window)
{
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
}

// Whether the X input focus is on `window`.
inline bool hasFocus(const QString& window)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus"), QStringLiteral("-f")}).out ==
           window;
}

// Key names as xdotool takes them ("ctrl+n", "Return"), pressed one after the other.
inline bool press(const QStringList& keys)
{
    return xdotool(QStringList{QStringLiteral("key")} + keys);
}

inline bool type(const QString& text)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), text});
}

// Presses `keys` until `done` holds, a few times at most. A shortcut pressed in the program's
// first second was once now and then lost under load (a bare comma landed in the focused
// field); a retry costs nothing when the first press works, and a shortcut that never works
// still fails.
inline bool pressUntil(const QString& keys, const std::function<bool()>& done, int attempts = 3)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!press({keys}))
            return false;
        if (waitUntil(done, 3000))
            return true;
    }
    return false;
}

// Clicks at a point of the screen, or of a window when one is given.
inline bool click(const QPoint& at, const QString& window = {})
{
    QStringList arguments{QStringLiteral("mousemove")};
    if (!window.isEmpty())
        arguments << QStringLiteral("--window") << window;
    return xdotool(arguments << QString::number(at.x()) << QString::number(at.y()) << QStringLiteral("click")
                             << QStringLiteral("1"));
}

inline QString clipboardText()
{
    return run(QStringLiteral("xclip"),
               {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")})
        .out;
}

inline void setClipboardText(const QByteArray& text)
{
    run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")}, text);
}

// ---- Accounts, settings and codes ----

inline QString upper(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

// An account item as the program stores it: one JSON document per account.
struct TestAccount
{
    QUuid id = QUuid::createUuid();
    QString name = QStringLiteral("e2e-user");
    QString type = QStringLiteral("totp");
    int counter = 0;
    QString issuer = QStringLiteral("E2E");
};

inline bool storeAccount(const TestAccount& account)
{
    const QJsonObject json{{QStringLiteral("id"), upper(account.id)},
                           {QStringLiteral("name"), account.name},
                           {QStringLiteral("issuer"), account.issuer},
                           {QStringLiteral("secret"), secretBase64},
                           {QStringLiteral("type"), account.type},
                           {QStringLiteral("algorithm"), QStringLiteral("SHA1")},
                           {QStringLiteral("digits"), 6},
                           {QStringLiteral("period"), 30},
                           {QStringLiteral("counter"), account.counter},
                           {QStringLiteral("createdAt"), QStringLiteral("2024-05-01T09:30:00Z")}};
    return run(QStringLiteral("secret-tool"),
               {QStringLiteral("store"), QStringLiteral("--label=Brisvane: E2E: ") + account.name,
                QStringLiteral("service"), keyringService, QStringLiteral("account"), upper(account.id)},
               QJsonDocument(json).toJson(QJsonDocument::Compact))
               .exitCode == 0;
}

// Account documents in the keyring; the order item, a JSON array, is left out.
inline QList<QJsonObject> keyringAccounts()
{
    const Outcome found =
        run(QStringLiteral("secret-tool"),
            {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("service"), keyringService});
    QList<QJsonObject> accounts;
    for (const QString& line : (found.out + u'\n' + found.err).split(u'\n')) {
        if (!line.startsWith(QStringLiteral("secret = ")))
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(line.mid(9).toUtf8());
        if (document.isObject())
            accounts.append(document.object());
    }
    return accounts;
}

inline void clearKeyring()
{
    run(QStringLiteral("secret-tool"), {QStringLiteral("clear"), QStringLiteral("service"), keyringService});
}

// A binding of Ctrl+Alt+Shift and a key (its macOS key code) to an account, as stored.
inline QJsonObject binding(const QUuid& account, int macKeyCode, bool autoPaste = false)
{
    return {{QStringLiteral("id"), upper(QUuid::createUuid())},
            {QStringLiteral("accountID"), upper(account)},
            {QStringLiteral("keyCode"), macKeyCode},
            {QStringLiteral("modifiers"), 0x0B00},
            {QStringLiteral("enabled"), true},
            {QStringLiteral("autoPaste"), autoPaste}};
}

// The program's settings file holding only these bindings (none: a fresh file).
inline void writeSettings(const QList<QJsonObject>& bindings = {})
{
    QSettings settings(QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                           .filePath(QStringLiteral("brisvane/brisvane.conf")),
                       QSettings::IniFormat);
    settings.clear();
    if (!bindings.isEmpty()) {
        QJsonArray array;
        for (const QJsonObject& b : bindings)
            array.append(b);
        settings.setValue(QStringLiteral("hotkeyBindings.v1"),
                          QJsonDocument(array).toJson(QJsonDocument::Compact));
    }
    settings.sync();
}

// oathtool's code for the shared key ("--totp", or "--hotp", "-c", "5").
inline QString oathtool(const QStringList& arguments)
{
    return run(QStringLiteral("oathtool"), arguments + QStringList{QStringLiteral("-b"), secretBase32}).out;
}

inline QString hotpCode(int counter)
{
    return oathtool({QStringLiteral("--hotp"), QStringLiteral("-c"), QString::number(counter)});
}

// The shared key's TOTP codes from a second before `since` until a second from now: a code the
// program took just before a 30-second step ended is still right when the test reads it after.
inline QStringList totpCodesSince(qint64 since)
{
    const auto codeAt = [](qint64 t) {
        return oathtool({QStringLiteral("--totp"), QStringLiteral("-N"), QStringLiteral("@%1").arg(t)});
    };
    const qint64 until = QDateTime::currentSecsSinceEpoch() + 1;
    QStringList codes;
    for (qint64 t = since - 1; t < until; t += 30)
        codes.append(codeAt(t));
    codes.append(codeAt(until));
    return codes;
}

} // namespace E2E
