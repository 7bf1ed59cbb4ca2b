#include "platform/gridtablemodel.h"

#include "platform/gridmodel.h"
#include "platform/qtcolors.h"

#include <QFont>

GridTableModel::GridTableModel(GridModel *grid, QObject *parent) : QAbstractTableModel(parent), m_grid(grid)
{
    connect(grid, &GridModel::cellChanged, this, [this](int col, int row) {
        if (row == 0) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex i = index(row - 1, col);
            emit dataChanged(i, i);
        }
    });
    connect(grid, &GridModel::rowCountAboutToChange, this, [this](int oldCount, int newCount) {
        if (newCount > oldCount)
            beginInsertRows(QModelIndex(), oldCount - 1, newCount - 2);
        else
            beginRemoveRows(QModelIndex(), newCount - 1, oldCount - 2);
    });
    connect(grid, &GridModel::rowCountChanged, this, [this](int oldCount, int newCount) {
        if (newCount > oldCount)
            endInsertRows();
        else
            endRemoveRows();
    });
    connect(grid, &GridModel::rowAboutToMove, this, [this](int from, int to) {
        // Qt's destination is the row the moved one goes before, in the old numbering.
        const int dest = to > from ? to : to - 1;
        m_moving = beginMoveRows(QModelIndex(), from - 1, from - 1, QModelIndex(), dest);
        if (!m_moving)
            beginResetModel();
    });
    connect(grid, &GridModel::rowMoved, this, [this] {
        if (m_moving)
            endMoveRows();
        else
            endResetModel();
        m_moving = false;
    });
}

int GridTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->rowCount() - 1;
}

int GridTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->colCount();
}

QVariant GridTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = index.column();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return m_grid->cell(col, row);
    case Qt::ToolTipRole: {
        const QString hint = m_grid->cellData(col, row).hint;
        return hint.isEmpty() ? QVariant() : QVariant(hint);
    }
    case Qt::BackgroundRole: {
        const QColor c = toQColor(m_grid->cellColor(col, row));
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor c = toQColor(m_grid->cellFontColor(col, row));
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return m_rightAligned.contains(col) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case CellColorRole:
        return m_grid->cellColor(col, row);
    case CellColorToRole:
        return m_grid->cellColorTo(col, row);
    case CellFontColorRole:
        return m_grid->cellFontColor(col, row);
    default:
        return {};
    }
}

bool GridTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    m_grid->setCell(index.column(), index.row() + 1, value.toString());
    return true;
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return m_grid->cell(section, 0);
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    }
    if (role == Qt::DisplayRole)
        return section + 1;
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_readOnly.contains(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}
