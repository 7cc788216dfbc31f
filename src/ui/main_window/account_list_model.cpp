// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_list_model.h"

#include "core/otp_code.h"
#include "storage/account_store.h"
#include "ui/main_window/account_filter.h"
#include "ui/widgets/account_presentation.h"
#include "ui/widgets/timer_ring.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

AccountListModel::AccountListModel(AccountStore& store, QObject* parent)
    : QAbstractListModel(parent), m_store(store)
{
    connect(&m_store, &AccountStore::accountsChanged, this, &AccountListModel::refilter);
    m_offsets = filteredAccountOffsets(m_store.accounts(), m_searchText);
    rememberRowIds();
}

void AccountListModel::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    refilter();
}

void AccountListModel::refilter()
{
    beginResetModel();
    m_offsets = filteredAccountOffsets(m_store.accounts(), m_searchText);
    rememberRowIds();
    endResetModel();
}

void AccountListModel::rememberRowIds()
{
    m_rowIds.clear();
    m_rowIds.reserve(m_offsets.size());
    for (const qsizetype offset : m_offsets)
        m_rowIds.append(m_store.accounts().at(offset).id);
}

const Account& AccountListModel::accountAt(int row) const
{
    return m_store.accounts().at(m_offsets.at(row));
}

int AccountListModel::rowOf(const QUuid& id) const
{
    for (int row = 0; row < m_offsets.size(); ++row) {
        if (accountAt(row).id == id)
            return row;
    }
    return -1;
}

int AccountListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_offsets.size());
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    // The display text serves screen readers and keyboard search; the row itself is painted.
    const Account& account = accountAt(index.row());
    if (role == Qt::DisplayRole)
        return accountLabel(account);
    if (role == Qt::AccessibleTextRole)
        return rowSubtitle(account).isEmpty() ? rowTitle(account)
                                              : tr("%1, issued by %2").arg(account.name, account.issuer);
    if (role == Qt::AccessibleDescriptionRole)
        return spokenDescription(account);
    return {};
}

QString AccountListModel::spokenDescription(const Account& account) const
{
    const QString code = account.code(m_now);
    const QString digits = isCode(code) ? spokenCode(code) : tr("not available");
    if (account.type == OTPType::hotp)
        return tr("Code %1. Return copies the code, Plus shows the next code, Ctrl+Up and Ctrl+Down move the "
                  "account.")
            .arg(digits);
    const int secondsLeft =
        static_cast<int>(TimerRing{static_cast<double>(account.period), m_now}.label().toInt());
    return tr("Code %1, %n second(s) left. Return copies the code, Ctrl+Up and Ctrl+Down move the account.",
              "", secondsLeft)
        .arg(digits);
}

Qt::ItemFlags AccountListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractListModel::flags(index);
    if (index.isValid() && canReorder())
        result |= Qt::ItemIsDragEnabled;
    if (!index.isValid() && canReorder())
        result |= Qt::ItemIsDropEnabled;
    return result;
}

Qt::DropActions AccountListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions AccountListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList AccountListModel::mimeTypes() const
{
    return {QString::fromLatin1(rowMimeType)};
}

QMimeData* AccountListModel::mimeData(const QModelIndexList& indexes) const
{
    QByteArray encoded;
    QDataStream stream(&encoded, QIODevice::WriteOnly);
    for (const QModelIndex& index : indexes) {
        if (index.isValid())
            stream << static_cast<qint64>(index.row());
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(rowMimeType), encoded);
    return data;
}

QList<qsizetype> draggedRows(const QMimeData* data)
{
    QList<qsizetype> rows;
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(AccountListModel::rowMimeType)))
        return rows;
    QByteArray encoded = data->data(QString::fromLatin1(AccountListModel::rowMimeType));
    QDataStream stream(&encoded, QIODevice::ReadOnly);
    while (!stream.atEnd()) {
        qint64 row = 0;
        stream >> row;
        if (stream.status() != QDataStream::Ok)
            break;
        rows.append(static_cast<qsizetype>(row));
    }
    return rows;
}
