// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "platform/secure_item_status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// One stored item as a search returns it. An item written by another program may lack the
// account attribute, and a value that could not be read is absent; callers skip such items.
struct SecureItem
{
    std::optional<QString> account;
    std::optional<QByteArray> value;
    // What keyring managers show for the item, so an unreadable one can be named.
    QString label;
    // Names this one item for removeItem, even among items of the same service and account.
    QByteArray handle;

    bool operator==(const SecureItem&) const = default;
};

// Protected storage of small secrets, each item identified by a service and an account
// name. Every item of a (service, account) pair is affected by the calls that take a pair,
// however it was written; removeItem affects just the one item a search returned.
class SecureItemStore
{
public:
    virtual ~SecureItemStore() = default;

    // Replaces the value (and label) of every item matching service and account.
    // itemNotFound when none matches.
    virtual SecureItemStatus update(const QString& service, const QString& account, const QByteArray& value,
                                    const QString& label) = 0;
    // Creates an item; an existing item with the same service and account may be replaced.
    virtual SecureItemStatus add(const QString& service, const QString& account, const QByteArray& value,
                                 const QString& label) = 0;
    // The value of one item matching service and account; itemNotFound when none matches.
    virtual Result<QByteArray, SecureItemStatus> copyOne(const QString& service, const QString& account) = 0;
    // Every item of the service, in the store's own order; itemNotFound when there is none.
    virtual Result<QList<SecureItem>, SecureItemStatus> copyAll(const QString& service) = 0;
    // Deletes every item matching service and account; itemNotFound when none matched.
    virtual SecureItemStatus remove(const QString& service, const QString& account) = 0;
    // Deletes the one item with the handle copyAll gave it; itemNotFound when it is gone.
    virtual SecureItemStatus removeItem(const QByteArray& handle) = 0;
};
