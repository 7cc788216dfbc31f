// SPDX-License-Identifier: GPL-3.0-or-later
#include "item_attribute_batch.h"

namespace {

// Requests in flight at once: enough to hide the round trips, and well below the bus's
// limit on pending replies per connection (128 on a bus with built-in limits).
constexpr int window = 64;

struct Batch
{
    GDBusConnection* connection = nullptr;
    const char* busName = nullptr;
    const QList<QByteArray>* paths = nullptr;
    qsizetype next = 0;
    int pending = 0;
    QHash<QByteArray, ItemProperties> properties;
    GError* firstError = nullptr;
};

struct Request
{
    Batch* batch;
    QByteArray path;
};

ItemProperties propertiesOf(GVariant* reply)
{
    ItemProperties properties;
    GVariant* all = g_variant_get_child_value(reply, 0);
    if (GVariant* attributes = g_variant_lookup_value(all, "Attributes", G_VARIANT_TYPE("a{ss}"))) {
        GVariantIter iter;
        const gchar* key = nullptr;
        const gchar* value = nullptr;
        g_variant_iter_init(&iter, attributes);
        while (g_variant_iter_next(&iter, "{&s&s}", &key, &value))
            properties.attributes.insert(QString::fromUtf8(key), QString::fromUtf8(value));
        g_variant_unref(attributes);
    }
    if (GVariant* label = g_variant_lookup_value(all, "Label", G_VARIANT_TYPE_STRING)) {
        properties.label = QString::fromUtf8(g_variant_get_string(label, nullptr));
        g_variant_unref(label);
    }
    g_variant_unref(all);
    return properties;
}

void sendNext(Batch* batch);

void onReply(GObject* source, GAsyncResult* result, gpointer data)
{
    auto* request = static_cast<Request*>(data);
    Batch* batch = request->batch;
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
    if (reply != nullptr) {
        batch->properties.insert(request->path, propertiesOf(reply));
        g_variant_unref(reply);
    } else if (batch->firstError == nullptr) {
        batch->firstError = error;
    } else {
        g_error_free(error);
    }
    --batch->pending;
    delete request;
    if (batch->firstError == nullptr)
        sendNext(batch);
}

void sendNext(Batch* batch)
{
    if (batch->next >= batch->paths->size())
        return;
    const QByteArray& path = batch->paths->at(batch->next++);
    ++batch->pending;
    g_dbus_connection_call(batch->connection, batch->busName, path.constData(),
                           "org.freedesktop.DBus.Properties", "GetAll",
                           g_variant_new("(s)", "org.freedesktop.Secret.Item"), G_VARIANT_TYPE("(a{sv})"),
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, nullptr, onReply, new Request{batch, path});
}

} // namespace

std::optional<QHash<QByteArray, ItemProperties>> readItemProperties(GDBusConnection* connection,
                                                                    const char* busName,
                                                                    const QList<QByteArray>& paths,
                                                                    GError** error)
{
    Batch batch;
    batch.connection = connection;
    batch.busName = busName;
    batch.paths = &paths;
    batch.properties.reserve(paths.size());
    // A private context keeps the replies away from the application's event loop.
    GMainContext* context = g_main_context_new();
    g_main_context_push_thread_default(context);
    for (int i = 0; i < window; ++i)
        sendNext(&batch);
    while (batch.pending > 0)
        g_main_context_iteration(context, TRUE);
    g_main_context_pop_thread_default(context);
    g_main_context_unref(context);

    if (batch.firstError != nullptr) {
        g_propagate_error(error, batch.firstError);
        return std::nullopt;
    }
    return batch.properties;
}
