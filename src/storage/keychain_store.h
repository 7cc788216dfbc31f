#pragma once

#include "core/account.h"
#include "core/result.h"
#include "storage/keychain_error.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <QUuid>

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

    // The item store must outlive this object.
    explicit KeychainStore(SecureItemStore& items) : m_items(items) {}

    Result<QList<Account>, KeychainError> loadAccounts();
    Result<Done, KeychainError> saveAccount(const Account& account);
    Result<Done, KeychainError> saveOrder(const QList<QUuid>& ids);
    Result<Done, KeychainError> deleteAccountItem(const QString& key);

    // The steps the operations above are made of.
    Result<Done, KeychainError> writeItem(const QString& key, const QByteArray& value, const QString& label);
    Result<QList<SecureItem>, KeychainError> fetchAllItems();
    Result<Done, KeychainError> migrateLegacyIfNeeded();

    // What keyring managers show for an item.
    static QString itemLabel(const Account& account);
    static QString orderItemLabel();

    // Reassembles the ordered list from items in the store's order; never fails, unreadable
    // items are skipped.
    static QList<Account> assembleAccounts(const QList<SecureItem>& items);

private:
    SecureItemStore& m_items;
};
