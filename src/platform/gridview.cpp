#include "platform/gridview.h"

#include "platform/gridmodel.h"
#include "platform/gridtablemodel.h"
#include "platform/qtcolors.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStyledItemDelegate>

namespace {

class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(GridView *view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const auto color = ColorValue(index.data(GridTableModel::CellColorRole).toInt());
        const auto colorTo = ColorValue(index.data(GridTableModel::CellColorToRole).toInt());
        QStyleOptionViewItem opt(option);
        const bool selected = opt.state & QStyle::State_Selected;
        if (selected) {
            // The selection fades from the grid's end colour into its start colour.
            QLinearGradient g(opt.rect.topLeft(), opt.rect.bottomLeft());
            g.setColorAt(0, m_view->palette().color(QPalette::Highlight));
            g.setColorAt(1, m_view->palette().color(QPalette::Base));
            painter->fillRect(opt.rect, g);
            opt.state &= ~QStyle::State_Selected;
            opt.backgroundBrush = Qt::NoBrush;
            opt.palette.setColor(QPalette::Text, m_view->palette().color(QPalette::HighlightedText));
        } else if (color != kNoColor) {
            const QColor from = toQColor(color);
            const QColor to = colorTo != kNoColor ? toQColor(colorTo) : from;
            QLinearGradient g(opt.rect.topLeft(), opt.rect.bottomLeft());
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            painter->fillRect(opt.rect, g);
            opt.backgroundBrush = Qt::NoBrush;
        }
        QStyledItemDelegate::paint(painter, opt, index);
        if (m_view->horizontalLines() || m_view->verticalLines()) {
            painter->save();
            painter->setPen(m_view->palette().color(QPalette::Text));
            if (m_view->horizontalLines())
                painter->drawLine(opt.rect.bottomLeft(), opt.rect.bottomRight());
            if (m_view->verticalLines())
                painter->drawLine(opt.rect.topRight(), opt.rect.bottomRight());
            painter->restore();
        }
    }

    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto color = ColorValue(index.data(GridTableModel::CellColorRole).toInt());
        if (color != kNoColor)
            option->backgroundBrush = Qt::NoBrush; // painted as a gradient above
    }

private:
    GridView *m_view;
};

} // namespace

GridView::GridView(GridModel *grid, QWidget *parent)
    : QTableView(parent), m_grid(grid), m_table(new GridTableModel(grid, this))
{
    setModel(m_table);
    setItemDelegate(new CellDelegate(this));
    setShowGrid(false);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumHeight(24);
    horizontalHeader()->setDefaultSectionSize(60);
    horizontalHeader()->setSectionsClickable(false);
    setWordWrap(false);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &cur) {
        if (m_syncing || !cur.isValid())
            return;
        m_syncing = true;
        m_grid->setCurrentCell(cur.column(), cur.row() + 1);
        m_syncing = false;
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_syncing)
            return;
        const QModelIndexList sel = selectionModel()->selectedIndexes();
        if (sel.isEmpty())
            return;
        int l = sel.first().column(), r = l, t = sel.first().row(), b = t;
        for (const QModelIndex &i : sel) {
            l = std::min(l, i.column());
            r = std::max(r, i.column());
            t = std::min(t, i.row());
            b = std::max(b, i.row());
        }
        m_syncing = true;
        m_grid->setSelection(QRect(QPoint(l, t + 1), QPoint(r, b + 1)));
        m_syncing = false;
    });
    connect(grid, &GridModel::currentCellChanged, this, [this] { syncCurrentFromGrid(); });
    connect(grid, &GridModel::rowMoved, this, [this] { syncCurrentFromGrid(); });
    connect(grid, &GridModel::buttonChanged, this, [this] { syncButton(); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &i) { emit cellClicked(i.column(), i.row() + 1); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &i) { emit cellDoubleClicked(i.column(), i.row() + 1); });
}

GridView::~GridView()
{
    if (!m_storeName.isEmpty())
        saveColumnWidths();
}

void GridView::setGridColors(ColorValue color, ColorValue colorTo, ColorValue textColor)
{
    QPalette pal = palette();
    const QColor base = toQColor(color);
    const QColor sel = toQColor(colorTo);
    const QColor text = toQColor(textColor);
    pal.setColor(QPalette::Base, base);
    pal.setColor(QPalette::AlternateBase, base);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Highlight, sel);
    pal.setColor(QPalette::HighlightedText, text);
    setPalette(pal);
    viewport()->update();
}

void GridView::setGridLines(bool horizontal, bool vertical)
{
    m_hLines = horizontal;
    m_vLines = vertical;
    viewport()->update();
}

void GridView::keepColumnWidths(const QString &storeName)
{
    m_storeName = storeName;
    restoreColumnWidths();
}

void GridView::saveColumnWidths() const
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, m_storeName);
    store.beginGroup(QStringLiteral("ColSize.ini"));
    for (int c = 0; c < m_grid->colCount(); ++c)
        store.setValue(QStringLiteral("Col%1").arg(c), columnWidth(c));
    store.endGroup();
    store.sync();
}

void GridView::restoreColumnWidths()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, m_storeName);
    store.beginGroup(QStringLiteral("ColSize.ini"));
    for (int c = 0; c < m_grid->colCount(); ++c) {
        bool ok = false;
        const int w = store.value(QStringLiteral("Col%1").arg(c)).toInt(&ok);
        if (ok && w > 4 && w < 4000)
            setColumnWidth(c, w);
    }
    store.endGroup();
}

void GridView::focusCell(int col, int row)
{
    m_grid->setCurrentCell(col, row);
    syncCurrentFromGrid();
}

void GridView::syncCurrentFromGrid()
{
    if (m_syncing)
        return;
    const int row = m_grid->currentRow() - 1;
    if (row < 0)
        return;
    const QModelIndex i = m_table->index(row, m_grid->currentCol());
    if (!i.isValid())
        return;
    m_syncing = true;
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
    m_syncing = false;
}

void GridView::syncButton()
{
    if (m_buttonIndex.isValid())
        setIndexWidget(m_buttonIndex, nullptr);
    m_buttonIndex = QPersistentModelIndex();
    const GridModel::CellButton b = m_grid->button();
    if (!b.isValid() || b.row < 1)
        return;
    const QModelIndex i = m_table->index(b.row - 1, b.col);
    if (!i.isValid())
        return;
    auto *holder = new QWidget;
    holder->setAttribute(Qt::WA_TranslucentBackground);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto *button = new QPushButton(b.caption, holder);
    button->setAccessibleName(b.caption);
    button->setFixedSize(b.width, b.height);
    layout->addWidget(button, 0, Qt::AlignTop);
    connect(button, &QPushButton::clicked, this, [this] {
        const GridModel::CellButton cur = m_grid->button();
        emit cellButtonClicked(cur.col, cur.row);
    });
    setIndexWidget(i, holder);
    m_buttonIndex = i;
}
