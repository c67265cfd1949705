#include "tools/ticklistmodel.h"

#include "sessions/directchecksession.h"
#include "vocab/bankvocab.h"

namespace DC = ModeCol::DirectCheckForm;

TPTickListModel::TPTickListModel(TPDirectCheckSession &Session, const QStringList &Titles, QObject *parent)
    : QAbstractTableModel(parent), m_session(Session), m_titles(Titles)
{
}

int TPTickListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_session.count(); }

int TPTickListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_titles.size()); }

QVariant TPTickListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_session.valid(index.row()))
        return QVariant();
    const int row = index.row();
    if (role == Qt::CheckStateRole)
        return index.column() == DC::Word ? QVariant(int(m_session.isTicked(row) ? Qt::Checked : Qt::Unchecked))
                                          : QVariant();
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case DC::Word:
        return m_session.word(row).word;
    case DC::MasterType:
        return m_session.word(row).masterType;
    case DC::Meaning:
        return m_session.meaning(row);
    case DC::LastTested:
        return m_session.word(row).lastTested;
    default:
        return QVariant();
    }
}

bool TPTickListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != 0 || !m_session.valid(index.row()))
        return false;
    m_session.setTicked(index.row(), value.toInt() == int(Qt::Checked));
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags TPTickListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return index.column() == DC::Word ? f | Qt::ItemIsUserCheckable : f;
}

QVariant TPTickListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_titles.size())
        return m_titles.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TPTickListModel::rowChanged(int Row)
{
    if (m_session.valid(Row))
        emit dataChanged(index(Row, 0), index(Row, columnCount() - 1));
}

void TPTickListModel::ticksChanged()
{
    if (m_session.count() > 0)
        emit dataChanged(index(0, 0), index(m_session.count() - 1, 0), {Qt::CheckStateRole});
}
