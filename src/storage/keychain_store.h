// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "storage/keychain_error.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUuid>
#include <utility>

class SecureItemStore;
struct SecureItem;

// The accounts as secure items: one item per account holding its JSON, keyed by the
// upper-case id, plus the order record. Holds nothing but the item store it works on.
class KeychainStore
{
public:
    static constexpr QStringView serviceIdentifier = u"org.brisvane.Brisvane";
    static constexpr QStringView legacyServiceIdentifier = u"org.brisvane.Authenticator";
    static constexpr QStringView orderKey = u"order.v1";
    static constexpr QStringView legacyKey = u"accounts.v1";

    // What the items of the service amount to.
    struct Assembly
    {
        QList<Account> accounts;
        // Labels of the items that could not be read; they stay in the store untouched.
        QStringList unreadable;
        // Accounts found only under a key other than their canonical one (another tool wrote
        // the id in lower case), with that key.
        QList<std::pair<Account, QString>> foreignKeys;
        // Further items of a loaded account under a non-canonical key, superseded by the
        // item under the canonical key.
        QStringList supersededKeys;
    };

    struct Loaded
    {
        QList<Account> accounts;
        QStringList unreadable;
    };

    // The item store must outlive this object.
    explicit KeychainStore(SecureItemStore& items) : m_items(items) {}

    Result<Loaded, KeychainError> loadAccounts();
    Result<Done, KeychainError> saveAccount(const Account& account);
    // Stores an account that has no item yet with one request instead of two.
    Result<Done, KeychainError> addAccount(const Account& account);
    Result<Done, KeychainError> saveOrder(const QList<QUuid>& ids);
    Result<Done, KeychainError> deleteAccountItem(const QString& key);

    // The steps the operations above are made of.
    Result<Done, KeychainError> writeItem(const QString& key, const QByteArray& value, const QString& label);
    Result<QList<SecureItem>, KeychainError> fetchAllItems();
    Result<Done, KeychainError> migrateLegacyIfNeeded();
    // Moves accounts found under a foreign key to their canonical key: the new item is written
    // before the old one goes, so a failure in between leaves two copies, never none.
    Result<Done, KeychainError> adoptForeignKeys(const Assembly& assembly);

    // What keyring managers show for an item.
    static QString itemLabel(const Account& account);
    static QString orderItemLabel();

    // Reassembles the ordered list from items in the store's order; never fails, unreadable
    // items are skipped and named.
    static Assembly assembleAccounts(const QList<SecureItem>& items);

private:
    SecureItemStore& m_items;
};
