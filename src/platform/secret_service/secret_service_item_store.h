// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/secure_item_store.h"

#include <memory>

// Secure items in the desktop's Secret Service (default collection), one item per
// (service, account) pair in the attributes `service` and `account`. Items written by
// other tools with the same attributes are found too. After a failure the cached
// connection is dropped and the call is tried once more, so a restarted keyring is found
// again.
class SecretServiceItemStore : public SecureItemStore
{
public:
    SecretServiceItemStore();
    ~SecretServiceItemStore() override;
    SecretServiceItemStore(const SecretServiceItemStore&) = delete;
    SecretServiceItemStore& operator=(const SecretServiceItemStore&) = delete;

    SecureItemStatus update(const QString& service, const QString& account, const QByteArray& value,
                            const QString& label) override;
    SecureItemStatus add(const QString& service, const QString& account, const QByteArray& value,
                         const QString& label) override;
    Result<QByteArray, SecureItemStatus> copyOne(const QString& service, const QString& account) override;
    Result<QList<SecureItem>, SecureItemStatus> copyAll(const QString& service) override;
    SecureItemStatus remove(const QString& service, const QString& account) override;
    // The handle is the item's object path.
    SecureItemStatus removeItem(const QByteArray& handle) override;

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};
