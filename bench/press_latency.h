// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the press-to-clipboard benches share: waking on the end mark of one press, a clipboard
// and a copy panel that note the moment instead of showing anything, and the figures.
#include "core/account.h"
#include "hotkeys/copy_feedback.h"
#include "platform/clipboard.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "settings/app_settings.h"
#include "settings/hot_key_binding.h"
#include "storage/account_store.h"

#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace PressLatency {

using Clock = std::chrono::steady_clock;

// Runs this program again inside the session script unless the environment `marker` says it
// already runs there: the hotkeys, clipboard and keyring of a real desktop are not ours to use.
// Returns only inside the session.
inline void insideSession(const char* marker, const char* script, char* program)
{
    if (std::getenv(marker))
        return;
    execl(script, script, program, static_cast<char*>(nullptr));
    std::perror(script);
    std::exit(1);
}

inline double millis(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Woken by whatever marks the end of a measurement, so no polling interval enters the figures.
inline QEventLoop* waiter = nullptr;

inline void wake()
{
    if (waiter)
        waiter->quit();
}

// Sends one press and turns the event loop until the end mark arrives (or 2 s pass).
template <typename Press> void runOnce(Press press)
{
    QEventLoop loop;
    waiter = &loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    press();
    loop.exec();
    waiter = nullptr;
}

// The end marks of presses: how many arrived and when the last one did.
struct Marks
{
    void note()
    {
        last = Clock::now();
        ++count;
        wake();
    }
    Clock::time_point last;
    int count = 0;
};

// Marks the moment the code is on the clipboard.
class TimedClipboard : public Clipboard
{
public:
    explicit TimedClipboard(Clipboard& real) : m_real(real) {}
    bool setSecretText(const QString& text) override
    {
        const bool set = m_real.setSecretText(text);
        marks.note();
        return set;
    }
    QString text() const override { return m_real.text(); }
    void clear() override { m_real.clear(); }

    Marks marks;

private:
    Clipboard& m_real;
};

// The panel is drawn after the clipboard is set and is not part of what is measured; it is
// left out so that hundreds of fades do not pile up behind the presses.
class SilentHUD : public CopyFeedback
{
public:
    void show(const QString&, const QString&, double) override {}
};

// Presses warmUp + counted times and returns, for each counted press whose end mark came, the
// milliseconds from the instant press() returns to that mark.
template <typename Press, typename Release>
std::vector<double> measurePresses(int warmUp, int counted, Press press, Release release, const Marks& marks,
                                   int pauseMs)
{
    std::vector<double> samples;
    for (int i = 0; i < warmUp + counted; ++i) {
        const int before = marks.count;
        Clock::time_point sent;
        runOnce([&] { sent = press(); });
        if (marks.count > before && i >= warmUp)
            samples.push_back(millis(marks.last - sent));
        release();
        QTest::qWait(pauseMs);
    }
    return samples;
}

// One account in the real keyring, bound to Ctrl+Alt+Shift+<key> in settings of a folder of
// its own; the account leaves the keyring again at the end.
struct BoundAccount
{
    explicit BoundAccount(std::uint32_t macKeyCode)
    {
        Account account;
        account.id = QUuid::createUuid();
        account.name = QStringLiteral("latency");
        account.issuer = QStringLiteral("Bench");
        account.secret = QByteArrayLiteral("12345678901234567890");
        account.createdAt = currentInstant();
        store.addAccounts({account});
        m_accountID = account.id;
        HotKeyBinding binding;
        binding.id = QUuid::createUuid();
        binding.accountID = account.id;
        binding.keyCode = macKeyCode;
        binding.modifiers = 0x0B00; // Ctrl+Alt+Shift
        settings.setBindings({binding});
    }
    ~BoundAccount() { store.deleteAccount(m_accountID); }
    BoundAccount(const BoundAccount&) = delete;
    BoundAccount& operator=(const BoundAccount&) = delete;

    QTemporaryDir dir;
    QSettings settingsFile{dir.filePath(QStringLiteral("bench.conf")), QSettings::IniFormat};
    AppSettings settings{settingsFile};
    SecretServiceItemStore items;
    AccountStore store{items};

private:
    QUuid m_accountID;
};

struct Figures
{
    double median;
    double p99;
    double max;
};

inline Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[static_cast<std::size_t>(q * double(ms.size() - 1) + 0.5)]; };
    return {at(0.5), at(0.99), ms.back()};
}

inline void print(const char* name, const Figures& f, std::size_t n)
{
    std::printf("%-40s n=%4zu  median %7.3f ms  p99 %7.3f ms  max %7.3f ms\n", name, n, f.median, f.p99,
                f.max);
}

} // namespace PressLatency
