#include "ui/main_window/account_list_model.h"

#include "storage/account_store.h"
#include "ui/main_window/account_filter.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

AccountListModel::AccountListModel(AccountStore& store, QObject* parent)
    : QAbstractListModel(parent), m_store(store)
{
    connect(&m_store, &AccountStore::accountsChanged, this, &AccountListModel::refilter);
    m_offsets = filteredAccountOffsets(m_store.accounts(), m_searchText);
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
    endResetModel();
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
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return accountLabel(accountAt(index.row()));
    return {};
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
