// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/instant.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>

class AccountStore;
class QMimeData;

// The rows of the main window: the store's accounts that match the search, in store order.
// The model holds offsets only; accounts are always read from the store, so a row never
// shows a stale copy.
class AccountListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr const char* rowMimeType = "application/x-brisvane-account-rows";

    explicit AccountListModel(AccountStore& store, QObject* parent = nullptr);

    const QString& searchText() const { return m_searchText; }
    void setSearchText(const QString& text);
    // Rows can be dragged to a new place only while no search narrows the list.
    bool canReorder() const { return m_searchText.isEmpty(); }

    // The instant the rows' spoken descriptions (code, seconds left) are made for.
    void setNow(Instant now) { m_now = now; }

    const Account& accountAt(int row) const;
    // The row showing the account, or -1.
    int rowOf(const QUuid& id) const;
    // The id a row showed when the rows were last built. Still right while the store has
    // changed and the rows are about to be rebuilt, when accountAt would read the new list.
    QUuid idAt(int row) const { return m_rowIds.value(row); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

private:
    void refilter();
    void rememberRowIds();
    QString spokenDescription(const Account& account) const;

    AccountStore& m_store;
    QString m_searchText;
    Instant m_now{};
    QList<qsizetype> m_offsets;
    QList<QUuid> m_rowIds;
};

// The rows carried by a drag started in this list; empty when the data is not ours.
QList<qsizetype> draggedRows(const QMimeData* data);
