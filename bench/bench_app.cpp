// SPDX-License-Identifier: GPL-3.0-or-later
// The application as a whole, inside tools/private-session (it fills and empties the keyring):
//   start-up of the real program to its main window with 200 accounts in the real keyring,
//   resident memory at that point, and the cost of one clock tick with 1,000 accounts listed.
// Peers measured in the same run: an empty Qt Widgets window (start-up and memory floor, this
// program started with --floor) and a plain QListView over 1,000 strings (tick floor).
#include "bench_accounts.h"
#include "core/account.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "storage/account_store.h"
#include "support/fake_clipboard.h"
#include "support/fake_secure_item_store.h"
#include "ui/main_window/account_list_view.h"
#include "ui/main_window/account_row_layout.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/ticking_clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QStringListModel>
#include <QTest>
#include <QThread>
#include <QVariantAnimation>
#include <cstdio>
#include <functional>
#include <optional>
#include <poll.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int keyringAccounts = 200;
constexpr int listedAccounts = 1000;
constexpr int startRounds = 5;
constexpr int tickRounds = 200;
const QString service = QStringLiteral("org.brisvane.Brisvane");

QList<Account> benchAccounts(int count)
{
    QList<Account> accounts;
    for (int i = 0; i < count; ++i) {
        Account account = benchAccount(i);
        // Every tenth is counter-based, so both kinds of row are painted.
        if (i % 10 == 9)
            account.type = OTPType::hotp;
        accounts.append(account);
    }
    return accounts;
}

// Watches the X server for a top-level window with the given title being mapped.
class MapWatcher
{
public:
    MapWatcher()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~MapWatcher() { xcb_disconnect(m_connection); }

    bool waitForMapped(const QByteArray& title, int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, 50);
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window =
                    mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
                free(event);
                if (mapped && nameOf(window) == title)
                    return true;
            }
        }
        return false;
    }

private:
    QByteArray nameOf(xcb_window_t window)
    {
        auto cookie =
            xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection, cookie, nullptr);
        QByteArray name;
        if (reply != nullptr) {
            name = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                              xcb_get_property_value_length(reply));
            free(reply);
        }
        return name;
    }

    xcb_connection_t* m_connection = nullptr;
};

long residentKilobytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

struct Launch
{
    double startMs = 0;
    double residentMB = 0;
};

std::optional<Launch> launchUntilShown(const QString& program, const QStringList& arguments,
                                       const QByteArray& title)
{
    MapWatcher watcher;
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForStarted(5000) || !watcher.waitForMapped(title, 30000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    Launch launch;
    launch.startMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    // Let the first paint and the first ticks settle before reading the memory.
    QThread::msleep(1500);
    launch.residentMB = static_cast<double>(residentKilobytes(process.processId())) / 1024.0;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished();
    return launch;
}

Launch medianLaunch(const QString& program, const QStringList& arguments, const QByteArray& title)
{
    std::vector<double> starts;
    std::vector<double> memory;
    for (int round = 0; round < startRounds; ++round) {
        if (const auto launch = launchUntilShown(program, arguments, title)) {
            starts.push_back(launch->startMs);
            memory.push_back(launch->residentMB);
        }
    }
    if (starts.empty())
        return {-1, -1};
    return {median(starts), median(memory)};
}

int floorWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Brisvane floor"));
    window.resize(560, 560);
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--floor")
        return floorWindow(argc, argv);
    QApplication app(argc, argv);

    std::printf("Start-up to the main window shown, %d accounts in the real keyring (median of %d)\n",
                keyringAccounts, startRounds);
    QProcess::execute(QStringLiteral("secret-tool"),
                      {QStringLiteral("clear"), QStringLiteral("service"), service});
    SecretServiceItemStore keyring;
    {
        AccountStore filling(keyring);
        filling.addAccounts(benchAccounts(keyringAccounts));
        if (filling.lastError()) {
            std::printf("  could not fill the keyring: %s\n", qPrintable(*filling.lastError()));
            return 1;
        }
    }
    std::vector<double> loads;
    for (int round = 0; round < startRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        AccountStore loading(keyring);
        loads.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const double keyringLoad = median(loads);

    const Launch brisvane = medianLaunch(QStringLiteral(BRISVANE_APP), {}, QByteArrayLiteral("Brisvane"));
    const Launch floor = medianLaunch(QCoreApplication::applicationFilePath(), {QStringLiteral("--floor")},
                                      QByteArrayLiteral("Brisvane floor"));
    QProcess::execute(QStringLiteral("secret-tool"),
                      {QStringLiteral("clear"), QStringLiteral("service"), service});

    std::printf("  brisvane                      %8.1f ms\n", brisvane.startMs);
    std::printf("  peer: empty Qt Widgets window %8.1f ms\n", floor.startMs);
    std::printf("  keyring load of %d accounts  %8.1f ms (in-process, the same backend)\n", keyringAccounts,
                keyringLoad);
    std::printf("  ratio brisvane / (2 x floor + keyring load) = %.2f (target <= 1)\n",
                brisvane.startMs / (2 * floor.startMs + keyringLoad));
    std::printf("  ratio brisvane / floor = %.2f\n", brisvane.startMs / floor.startMs);
    std::printf("Resident memory with the main window shown\n");
    std::printf("  brisvane                      %8.1f MB (target < 60 MB)\n", brisvane.residentMB);
    std::printf("  peer: empty Qt Widgets window %8.1f MB\n", floor.residentMB);
    std::printf("  ratio %.2f\n", brisvane.residentMB / floor.residentMB);

    // One tick: the clock publishes, the window redraws every visible row (one code each).
    FakeSecureItemStore memoryItems;
    AccountStore store(memoryItems);
    store.addAccounts(benchAccounts(listedAccounts));
    TickingClock clock;
    FakeClipboard clipboard;
    MainWindow window(store, clock, clipboard, {});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const double tick = medianMilliseconds(
        [&] {
            Q_EMIT clock.nowChanged(currentInstant());
            window.listView()->viewport()->repaint();
        },
        tickRounds);

    // Between ticks the rings move for half a second, each frame repainting only their column.
    const QRect ring =
        accountRowLayout(QRect(0, 0, window.listView()->viewport()->width(), 1), 0).ringOrAdvance;
    const QRect ringColumn(ring.left() - 1, 0, ring.width() + 2, window.listView()->viewport()->height());
    const double frame =
        medianMilliseconds([&] { window.listView()->viewport()->repaint(ringColumn); }, tickRounds);
    int framesPerTick = 0;
    auto* animation = window.findChild<QVariantAnimation*>();
    if (animation != nullptr) {
        QObject::connect(animation, &QVariantAnimation::valueChanged, [&] { ++framesPerTick; });
        Q_EMIT clock.nowChanged(currentInstant());
        QTest::qWait(animation->duration() + 100);
    }

    QStringList labels;
    for (const Account& account : store.accounts())
        labels.append(accountLabel(account));
    QStringListModel plainModel(labels);
    QListView plain;
    plain.setModel(&plainModel);
    plain.setUniformItemSizes(true);
    plain.resize(window.listView()->size());
    plain.show();
    if (!QTest::qWaitForWindowExposed(&plain))
        return 1;
    const double plainTick = medianMilliseconds([&] { plain.viewport()->repaint(); }, tickRounds);

    std::printf("One clock tick with %d accounts listed (median of %d)\n", listedAccounts, tickRounds);
    std::printf("  brisvane rows (codes, rings)  %8.3f ms (target < 4 ms)\n", tick);
    std::printf("  peer: plain QListView repaint %8.3f ms\n", plainTick);
    std::printf("  ratio %.2f\n", tick / plainTick);
    std::printf("  one ring animation frame      %8.3f ms, %d frames after each tick\n", frame,
                framesPerTick);
    std::printf("  tick and its animation        %8.3f ms per second\n", tick + framesPerTick * frame);
    return 0;
}
