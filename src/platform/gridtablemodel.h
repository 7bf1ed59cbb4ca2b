#pragma once
#include "platform/colorvalue.h"

#include <QAbstractTableModel>

class GridModel;

// Shows a GridModel in Qt's item views: data row r of the grid is view row r - 1 and
// the grid's row 0 is the horizontal header.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Extra roles carrying the cell's own colours as stored values.
    enum Roles { CellColorRole = Qt::UserRole + 1, CellColorToRole, CellFontColorRole };

    explicit GridTableModel(GridModel *grid, QObject *parent = nullptr);
    GridModel *grid() const { return m_grid; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setReadOnlyColumns(QList<int> columns) { m_readOnly = std::move(columns); }
    // Amount columns read best aligned on the right.
    void setRightAlignedColumns(QList<int> columns) { m_rightAligned = std::move(columns); }

private:
    GridModel *m_grid;
    QList<int> m_readOnly;
    QList<int> m_rightAligned;
    bool m_moving = false;
};
