// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/data_control_clipboard.h"

#include "platform/wayland/data_control_rules.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <unistd.h>
#include <unordered_map>
#include <wayland-client.h>
#if BRISVANE_EXT_DATA_CONTROL
#include "ext-data-control-v1-client-protocol.h"
#endif

namespace {

// How long and how much text() waits for from another program's selection.
constexpr int receiveLimitMs = 1000;
constexpr qsizetype receiveLimitBytes = qsizetype(1) << 20;

// The two protocols are the same apart from their names: one table of their functions each.
#define BRISVANE_DATA_CONTROL_TRAITS(Traits, prefix, globalName)                                             \
    struct Traits                                                                                            \
    {                                                                                                        \
        using Manager = prefix##_manager_v1;                                                                 \
        using Device = prefix##_device_v1;                                                                   \
        using Source = prefix##_source_v1;                                                                   \
        using Offer = prefix##_offer_v1;                                                                     \
        using DeviceListener = prefix##_device_v1_listener;                                                  \
        using SourceListener = prefix##_source_v1_listener;                                                  \
        using OfferListener = prefix##_offer_v1_listener;                                                    \
        static constexpr const char* name = globalName;                                                      \
        static const wl_interface* interface() { return &prefix##_manager_v1_interface; }                    \
        static Device* device(Manager* m, wl_seat* seat)                                                     \
        {                                                                                                    \
            return prefix##_manager_v1_get_data_device(m, seat);                                             \
        }                                                                                                    \
        static Source* source(Manager* m) { return prefix##_manager_v1_create_data_source(m); }              \
        static void offer(Source* s, const char* type) { prefix##_source_v1_offer(s, type); }                \
        static void setSelection(Device* d, Source* s) { prefix##_device_v1_set_selection(d, s); }           \
        static void receive(Offer* o, const char* type, int fd) { prefix##_offer_v1_receive(o, type, fd); }  \
        static void listen(Device* d, const DeviceListener* l, void* data)                                   \
        {                                                                                                    \
            prefix##_device_v1_add_listener(d, l, data);                                                     \
        }                                                                                                    \
        static void listen(Source* s, const SourceListener* l, void* data)                                   \
        {                                                                                                    \
            prefix##_source_v1_add_listener(s, l, data);                                                     \
        }                                                                                                    \
        static void listen(Offer* o, const OfferListener* l, void* data)                                     \
        {                                                                                                    \
            prefix##_offer_v1_add_listener(o, l, data);                                                      \
        }                                                                                                    \
        static void destroy(Manager* m) { prefix##_manager_v1_destroy(m); }                                  \
        static void destroy(Device* d) { prefix##_device_v1_destroy(d); }                                    \
        static void destroy(Source* s) { prefix##_source_v1_destroy(s); }                                    \
        static void destroy(Offer* o) { prefix##_offer_v1_destroy(o); }                                      \
    }

BRISVANE_DATA_CONTROL_TRAITS(WlrDataControl, zwlr_data_control, DataControl::wlrManager);
#if BRISVANE_EXT_DATA_CONTROL
BRISVANE_DATA_CONTROL_TRAITS(ExtDataControl, ext_data_control, DataControl::extManager);
#endif

struct Global
{
    uint32_t name = 0;
    uint32_t version = 0;
};

struct Globals
{
    QStringList interfaces;
    std::optional<Global> seat, ext, wlr;
};

void onGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version)
{
    auto& globals = *static_cast<Globals*>(data);
    const QString found = QString::fromUtf8(interface);
    globals.interfaces.append(found);
    // The first seat is the user's keyboard and pointer; a desktop rarely has a second one.
    if (found == u"wl_seat" && !globals.seat)
        globals.seat = Global{name, version};
    else if (found == QLatin1String(DataControl::extManager))
        globals.ext = Global{name, version};
    else if (found == QLatin1String(DataControl::wlrManager))
        globals.wlr = Global{name, version};
}

void onGlobalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener{onGlobal, onGlobalRemoved};

// A reader that went away must not end the process with SIGPIPE: the signal is held for
// this thread while writing, and one it raised is taken back before it is let through.
void sendAndClose(int fd, const QByteArray& data)
{
    sigset_t pipeSignal, previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    bool readerGone = false;
    for (qsizetype sent = 0; sent < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + sent, size_t(data.size() - sent));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            readerGone = n < 0 && errno == EPIPE;
            break;
        }
        sent += n;
    }
    if (readerGone && !sigismember(&previous, SIGPIPE)) {
        const timespec noWait{};
        sigtimedwait(&pipeSignal, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(fd);
}

// Everything the other end writes before closing, within the time and size limits.
QByteArray receiveAll(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    for (QDeadlineTimer deadline(receiveLimitMs); bytes.size() < receiveLimitBytes;) {
        pollfd readable{fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

} // namespace

class DataControlClipboard::Connection
{
public:
    virtual ~Connection() = default;
    virtual bool set(const QString& text) = 0;
    virtual QString text() = 0;
    virtual void clear() = 0;
    virtual QString protocolName() const = 0;
};

namespace {

template <typename P> class DataControlSession final : public DataControlClipboard::Connection
{
public:
    DataControlSession(wl_display* display, wl_registry* registry, Global seat, Global manager)
        : m_display(display), m_registry(registry)
    {
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, seat.name, &wl_seat_interface, 1));
        // Version 1 is all we use; the primary selection is left alone.
        m_manager =
            static_cast<typename P::Manager*>(wl_registry_bind(registry, manager.name, P::interface(), 1));
        m_device = P::device(m_manager, m_seat);
        P::listen(m_device, &deviceListener, this);
        // The current selection is announced as soon as the device exists.
        if (wl_display_roundtrip(m_display) < 0)
            m_broken = true;
        m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    }

    ~DataControlSession() override
    {
        m_notifier.reset();
        dropSource();
        for (const auto& [offer, types] : m_offerTypes)
            P::destroy(offer);
        if (m_device)
            P::destroy(m_device);
        P::destroy(m_manager);
        wl_seat_destroy(m_seat);
        wl_registry_destroy(m_registry);
        wl_display_flush(m_display);
        wl_display_disconnect(m_display);
    }

    bool set(const QString& text) override
    {
        if (m_broken || !m_device)
            return false;
        typename P::Source* source = P::source(m_manager);
        P::listen(source, &sourceListener, this);
        for (const QString& type : DataControl::offeredMimeTypes())
            P::offer(source, type.toUtf8().constData());
        P::setSelection(m_device, source);
        dropSource();
        m_source = source;
        m_text = text;
        // The compositor has taken the selection once it answers; a refusal ends the connection.
        if (wl_display_roundtrip(m_display) < 0) {
            fail();
            return false;
        }
        return true;
    }

    QString text() override
    {
        if (m_broken || wl_display_roundtrip(m_display) < 0) {
            fail();
            return {};
        }
        // Our own source would have to answer on this very thread: no need to ask.
        if (m_source)
            return m_text;
        if (!m_selection)
            return {};
        const QString type = DataControl::preferredTextType(m_offerTypes[m_selection]);
        int fds[2];
        if (type.isEmpty() || ::pipe2(fds, O_CLOEXEC) != 0)
            return {};
        P::receive(m_selection, type.toUtf8().constData(), fds[1]);
        ::close(fds[1]);
        wl_display_flush(m_display);
        const QByteArray bytes = receiveAll(fds[0]);
        ::close(fds[0]);
        return QString::fromUtf8(bytes);
    }

    void clear() override
    {
        if (m_broken || !m_device)
            return;
        P::setSelection(m_device, nullptr);
        dropSource();
        wl_display_flush(m_display);
    }

    QString protocolName() const override { return QString::fromLatin1(P::name); }

private:
    void readEvents()
    {
        if (m_broken)
            return;
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0)
                return fail();
        }
        if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
            return fail();
        wl_display_flush(m_display);
    }

    void fail()
    {
        m_broken = true;
        if (m_notifier)
            m_notifier->setEnabled(false);
    }

    void dropSource()
    {
        if (m_source)
            P::destroy(m_source);
        m_source = nullptr;
        m_text.clear();
    }

    void dropOffer(typename P::Offer* offer)
    {
        if (!offer)
            return;
        m_offerTypes.erase(offer);
        P::destroy(offer);
    }

    static DataControlSession& self(void* data) { return *static_cast<DataControlSession*>(data); }

    static void onDataOffer(void* data, typename P::Device*, typename P::Offer* offer)
    {
        self(data).m_offerTypes[offer];
        P::listen(offer, &offerListener, data);
    }
    static void onSelection(void* data, typename P::Device*, typename P::Offer* offer)
    {
        DataControlSession& session = self(data);
        if (session.m_selection != offer)
            session.dropOffer(session.m_selection);
        session.m_selection = offer;
    }
    static void onFinished(void* data, typename P::Device*)
    {
        DataControlSession& session = self(data);
        P::destroy(session.m_device);
        session.m_device = nullptr;
    }
    static void onPrimarySelection(void* data, typename P::Device*, typename P::Offer* offer)
    {
        self(data).dropOffer(offer);
    }
    static void onSend(void* data, typename P::Source* source, const char* mimeType, int32_t fd)
    {
        DataControlSession& session = self(data);
        const std::optional<QByteArray> bytes =
            source == session.m_source ? DataControl::payload(QString::fromUtf8(mimeType), session.m_text)
                                       : std::nullopt;
        sendAndClose(fd, bytes.value_or(QByteArray()));
    }
    static void onCancelled(void* data, typename P::Source* source)
    {
        DataControlSession& session = self(data);
        // Replaced by someone else's copy: the code leaves our memory too.
        if (source == session.m_source)
            session.dropSource();
        else
            P::destroy(source);
    }
    static void onOffer(void* data, typename P::Offer* offer, const char* mimeType)
    {
        self(data).m_offerTypes[offer].append(QString::fromUtf8(mimeType));
    }

    static constexpr typename P::DeviceListener deviceListener{
        .data_offer = onDataOffer,
        .selection = onSelection,
        .finished = onFinished,
        .primary_selection = onPrimarySelection,
    };
    static constexpr typename P::SourceListener sourceListener{.send = onSend, .cancelled = onCancelled};
    static constexpr typename P::OfferListener offerListener{.offer = onOffer};

    wl_display* m_display;
    wl_registry* m_registry;
    wl_seat* m_seat = nullptr;
    typename P::Manager* m_manager = nullptr;
    typename P::Device* m_device = nullptr;
    typename P::Source* m_source = nullptr;
    QString m_text;
    typename P::Offer* m_selection = nullptr;
    std::unordered_map<typename P::Offer*, QStringList> m_offerTypes;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_broken = false;
};

} // namespace

std::unique_ptr<DataControlClipboard> DataControlClipboard::connect(const char* display)
{
    wl_display* connection = wl_display_connect(display);
    if (!connection)
        return nullptr;
    Globals globals;
    wl_registry* registry = wl_display_get_registry(connection);
    wl_registry_add_listener(registry, &registryListener, &globals);
    const bool answered = wl_display_roundtrip(connection) >= 0;
    const DataControl::Protocol protocol = DataControl::choose(globals.interfaces, BRISVANE_EXT_DATA_CONTROL);
    std::unique_ptr<Connection> session;
    if (answered && globals.seat) {
        switch (protocol) {
        case DataControl::Protocol::ext:
#if BRISVANE_EXT_DATA_CONTROL
            session = std::make_unique<DataControlSession<ExtDataControl>>(connection, registry,
                                                                           *globals.seat, *globals.ext);
#endif
            break;
        case DataControl::Protocol::wlr:
            session = std::make_unique<DataControlSession<WlrDataControl>>(connection, registry,
                                                                           *globals.seat, *globals.wlr);
            break;
        case DataControl::Protocol::none:
            break;
        }
    }
    if (!session) {
        wl_registry_destroy(registry);
        wl_display_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<DataControlClipboard>(new DataControlClipboard(std::move(session)));
}

DataControlClipboard::DataControlClipboard(std::unique_ptr<Connection> connection)
    : m_connection(std::move(connection))
{
}

DataControlClipboard::~DataControlClipboard() = default;

bool DataControlClipboard::setSecretText(const QString& text)
{
    return m_connection->set(text);
}

QString DataControlClipboard::text() const
{
    return m_connection->text();
}

void DataControlClipboard::clear()
{
    m_connection->clear();
}

QString DataControlClipboard::protocolName() const
{
    return m_connection->protocolName();
}
