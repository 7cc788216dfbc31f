// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/secret_service/secret_service_item_store.h"

#include "item_attribute_batch.h"
#include "secret_service_status.h"

// The path-based calls let a search skip item proxies and fetch all secrets in one request.
#define SECRET_API_SUBJECT_TO_CHANGE
#include <libsecret/secret.h>
#include <type_traits>

using namespace SecureItemStatusCode;

namespace {

constexpr const char* serviceAttribute = "service";
constexpr const char* accountAttribute = "account";

// Matching on the attributes alone finds items stored by other tools (secret-tool, older
// versions) under the same service and account.
const SecretSchema* itemSchema()
{
    static const SecretSchema schema = [] {
        SecretSchema s{};
        s.name = "org.brisvane.Brisvane";
        s.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
        s.attributes[0] = {serviceAttribute, SECRET_SCHEMA_ATTRIBUTE_STRING};
        s.attributes[1] = {accountAttribute, SECRET_SCHEMA_ATTRIBUTE_STRING};
        return s;
    }();
    return &schema;
}

struct ErrorHolder
{
    GError* error = nullptr;
    ~ErrorHolder()
    {
        if (error != nullptr)
            g_error_free(error);
    }
    GError** out() { return &error; }
};

// Attribute table over UTF-8 copies that live as long as the table.
class Attributes
{
public:
    explicit Attributes(const QString& service, const std::optional<QString>& account = std::nullopt)
        : m_service(service.toUtf8()), m_account(account ? account->toUtf8() : QByteArray()),
          m_table(g_hash_table_new(g_str_hash, g_str_equal))
    {
        g_hash_table_insert(m_table, const_cast<char*>(serviceAttribute), m_service.data());
        if (account)
            g_hash_table_insert(m_table, const_cast<char*>(accountAttribute), m_account.data());
    }
    ~Attributes() { g_hash_table_unref(m_table); }
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;

    GHashTable* table() const { return m_table; }

private:
    QByteArray m_service;
    QByteArray m_account;
    GHashTable* m_table;
};

QList<QByteArray> takePaths(gchar** paths)
{
    QList<QByteArray> result;
    for (gchar** p = paths; p != nullptr && *p != nullptr; ++p)
        result.append(QByteArray(*p));
    g_strfreev(paths);
    return result;
}

// NULL-terminated view of the paths for libsecret; valid while `paths` is.
QList<const gchar*> pathPointers(const QList<QByteArray>& paths)
{
    QList<const gchar*> pointers;
    pointers.reserve(paths.size() + 1);
    for (const QByteArray& path : paths)
        pointers.append(path.constData());
    pointers.append(nullptr);
    return pointers;
}

// Every item matching the attributes, unlocking the locked ones (which prompts on a desktop);
// itemNotFound when there is none.
Result<QList<QByteArray>, SecureItemStatus> findItems(SecretService* service, const Attributes& attributes)
{
    ErrorHolder error;
    gchar** unlocked = nullptr;
    gchar** lockedPaths = nullptr;
    if (!secret_service_search_for_dbus_paths_sync(service, itemSchema(), attributes.table(), nullptr,
                                                   &unlocked, &lockedPaths, error.out()))
        return statusForError(error.error, SecretServiceStage::operating);
    QList<QByteArray> paths = takePaths(unlocked);
    const QList<QByteArray> lockedItems = takePaths(lockedPaths);
    if (!lockedItems.isEmpty()) {
        const QList<const gchar*> pointers = pathPointers(lockedItems);
        const gint count = secret_service_unlock_dbus_paths_sync(
            service, const_cast<const gchar**>(pointers.data()), nullptr, nullptr, error.out());
        if (error.error != nullptr) {
            const SecureItemStatus status = statusForError(error.error, SecretServiceStage::operating);
            return status == failure ? locked : status;
        }
        // A dismissed prompt, or none that could be shown.
        if (count < lockedItems.size())
            return locked;
        paths.append(lockedItems);
    }
    if (paths.isEmpty())
        return itemNotFound;
    return paths;
}

// The secrets of many items in one request.
Result<QHash<QByteArray, QByteArray>, SecureItemStatus> readSecrets(SecretService* service,
                                                                    const QList<QByteArray>& paths)
{
    ErrorHolder error;
    const QList<const gchar*> pointers = pathPointers(paths);
    GHashTable* secrets = secret_service_get_secrets_for_dbus_paths_sync(
        service, const_cast<const gchar**>(pointers.data()), nullptr, error.out());
    if (secrets == nullptr)
        return statusForError(error.error, SecretServiceStage::operating);
    QHash<QByteArray, QByteArray> values;
    GHashTableIter iter;
    gpointer key = nullptr;
    gpointer value = nullptr;
    g_hash_table_iter_init(&iter, secrets);
    while (g_hash_table_iter_next(&iter, &key, &value)) {
        gsize length = 0;
        const gchar* bytes = secret_value_get(static_cast<SecretValue*>(value), &length);
        values.insert(QByteArray(static_cast<const char*>(key)),
                      QByteArray(bytes, static_cast<qsizetype>(length)));
    }
    g_hash_table_unref(secrets);
    return values;
}

SecretValue* newValue(const QByteArray& value)
{
    return secret_value_new(value.constData(), value.size(), "text/plain");
}

SecureItemStatus statusOf(SecureItemStatus status)
{
    return status;
}

template <typename T> SecureItemStatus statusOf(const Result<T, SecureItemStatus>& result)
{
    return result.ok() ? success : result.error();
}

} // namespace

struct SecretServiceItemStore::Connection
{
    SecretService* service = nullptr;

    ~Connection() { drop(); }

    SecretService* get(SecureItemStatus* status)
    {
        if (service != nullptr)
            return service;
        ErrorHolder error;
        service = secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, error.out());
        if (service == nullptr)
            *status = statusForError(error.error, SecretServiceStage::connecting);
        return service;
    }

    // libsecret keeps one shared connection; a restarted daemon is only reached after it goes.
    void drop()
    {
        if (service != nullptr) {
            g_object_unref(service);
            service = nullptr;
        }
        secret_service_disconnect();
    }

    // Runs the operation; on a failure that a fresh connection might cure, once more.
    template <typename Operation>
    auto run(Operation operation) -> std::invoke_result_t<Operation, SecretService*>
    {
        for (int attempt = 0;; ++attempt) {
            SecureItemStatus status = failure;
            SecretService* connected = get(&status);
            if (connected == nullptr) {
                drop();
                if (attempt == 0)
                    continue;
                return status;
            }
            auto outcome = operation(connected);
            if (!worthReconnecting(statusOf(outcome)))
                return outcome;
            drop();
            if (attempt > 0)
                return outcome;
        }
    }
};

SecretServiceItemStore::SecretServiceItemStore() : m_connection(std::make_unique<Connection>()) {}

SecretServiceItemStore::~SecretServiceItemStore() = default;

SecureItemStatus SecretServiceItemStore::update(const QString& service, const QString& account,
                                                const QByteArray& value, const QString& label)
{
    return m_connection->run([&](SecretService* secrets) -> SecureItemStatus {
        const Attributes attributes(service, account);
        const Result<QList<QByteArray>, SecureItemStatus> paths = findItems(secrets, attributes);
        if (!paths.ok())
            return paths.error();
        const QByteArray labelText = label.toUtf8();
        SecretValue* secret = newValue(value);
        SecureItemStatus status = success;
        for (const QByteArray& path : paths.value()) {
            ErrorHolder error;
            SecretItem* item = secret_item_new_for_dbus_path_sync(secrets, path.constData(), SECRET_ITEM_NONE,
                                                                  nullptr, error.out());
            bool written = item != nullptr && secret_item_set_secret_sync(item, secret, nullptr, error.out());
            if (written) {
                gchar* currentLabel = secret_item_get_label(item); // a copy we own
                if (g_strcmp0(currentLabel, labelText.constData()) != 0)
                    written = secret_item_set_label_sync(item, labelText.constData(), nullptr, error.out());
                g_free(currentLabel);
            }
            if (item != nullptr)
                g_object_unref(item);
            if (!written) {
                status = statusForError(error.error, SecretServiceStage::operating);
                break;
            }
        }
        secret_value_unref(secret);
        return status;
    });
}

SecureItemStatus SecretServiceItemStore::add(const QString& service, const QString& account,
                                             const QByteArray& value, const QString& label)
{
    return m_connection->run([&](SecretService* secrets) -> SecureItemStatus {
        const Attributes attributes(service, account);
        SecretValue* secret = newValue(value);
        ErrorHolder error;
        const bool stored =
            secret_service_store_sync(secrets, itemSchema(), attributes.table(), SECRET_COLLECTION_DEFAULT,
                                      label.toUtf8().constData(), secret, nullptr, error.out());
        secret_value_unref(secret);
        if (stored)
            return success;
        // A locked collection whose unlock prompt could not be shown or was dismissed.
        if (error.error == nullptr || g_error_matches(error.error, G_IO_ERROR, G_IO_ERROR_CANCELLED))
            return locked;
        return statusForError(error.error, SecretServiceStage::operating);
    });
}

Result<QByteArray, SecureItemStatus> SecretServiceItemStore::copyOne(const QString& service,
                                                                     const QString& account)
{
    return m_connection->run([&](SecretService* secrets) -> Result<QByteArray, SecureItemStatus> {
        const Attributes attributes(service, account);
        const Result<QList<QByteArray>, SecureItemStatus> paths = findItems(secrets, attributes);
        if (!paths.ok())
            return paths.error();
        const QList<QByteArray> first{paths.value().first()};
        const Result<QHash<QByteArray, QByteArray>, SecureItemStatus> values = readSecrets(secrets, first);
        if (!values.ok())
            return values.error();
        if (!values.value().contains(first.first()))
            return itemNotFound;
        return values.value().value(first.first());
    });
}

Result<QList<SecureItem>, SecureItemStatus> SecretServiceItemStore::copyAll(const QString& service)
{
    return m_connection->run([&](SecretService* secrets) -> Result<QList<SecureItem>, SecureItemStatus> {
        const Attributes attributes(service);
        const Result<QList<QByteArray>, SecureItemStatus> paths = findItems(secrets, attributes);
        if (!paths.ok())
            return paths.error();
        const Result<QHash<QByteArray, QByteArray>, SecureItemStatus> values =
            readSecrets(secrets, paths.value());
        if (!values.ok())
            return values.error();
        ErrorHolder error;
        const auto itemProperties =
            readItemProperties(g_dbus_proxy_get_connection(G_DBUS_PROXY(secrets)),
                               g_dbus_proxy_get_name(G_DBUS_PROXY(secrets)), paths.value(), error.out());
        if (!itemProperties)
            return statusForError(error.error, SecretServiceStage::operating);

        QList<SecureItem> items;
        items.reserve(paths.value().size());
        for (const QByteArray& path : paths.value()) {
            SecureItem item;
            const ItemProperties properties = itemProperties->value(path);
            item.label = properties.label;
            item.handle = path;
            if (auto it = properties.attributes.constFind(QString::fromLatin1(accountAttribute));
                it != properties.attributes.constEnd())
                item.account = *it;
            if (auto it = values.value().constFind(path); it != values.value().constEnd())
                item.value = *it;
            items.append(item);
        }
        return items;
    });
}

SecureItemStatus SecretServiceItemStore::remove(const QString& service, const QString& account)
{
    return m_connection->run([&](SecretService* secrets) -> SecureItemStatus {
        const Attributes attributes(service, account);
        const Result<QList<QByteArray>, SecureItemStatus> paths = findItems(secrets, attributes);
        if (!paths.ok())
            return paths.error();
        for (const QByteArray& path : paths.value()) {
            ErrorHolder error;
            if (!secret_service_delete_item_dbus_path_sync(secrets, path.constData(), nullptr, error.out()))
                return statusForError(error.error, SecretServiceStage::operating);
        }
        return success;
    });
}

SecureItemStatus SecretServiceItemStore::removeItem(const QByteArray& handle)
{
    return m_connection->run([&](SecretService* secrets) -> SecureItemStatus {
        ErrorHolder error;
        if (secret_service_delete_item_dbus_path_sync(secrets, handle.constData(), nullptr, error.out()))
            return success;
        // The daemon no longer knows the object: someone else deleted the item first.
        if (g_error_matches(error.error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD) ||
            g_error_matches(error.error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_OBJECT))
            return itemNotFound;
        return statusForError(error.error, SecretServiceStage::operating);
    });
}
