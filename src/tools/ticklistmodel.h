#pragma once
// The tick-to-memorise list as a table over the session's rows: the word with its box, the master
// type, the shown meaning and the date. No object per row: a long list opens as fast as it is read.

#include <QAbstractTableModel>
#include <QStringList>

class TPDirectCheckSession;

class TPTickListModel : public QAbstractTableModel {
public:
    TPTickListModel(TPDirectCheckSession &Session, const QStringList &Titles, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // A box the learner ticks is passed on to the session.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Each runs Change on the session and tells the view what it did to the rows.
    template <class F>
    void reshape(F &&Change)
    {
        beginResetModel();
        Change();
        endResetModel();
    }
    template <class F>
    void removeRow(int Row, F &&Change)
    {
        beginRemoveRows(QModelIndex(), Row, Row);
        Change();
        endRemoveRows();
    }
    void rowChanged(int Row);
    void ticksChanged();

private:
    TPDirectCheckSession &m_session;
    QStringList m_titles;
};
