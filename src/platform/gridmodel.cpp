#include "platform/gridmodel.h"

#include <algorithm>

GridModel::GridModel(int colCount, int rowCount, QObject *parent)
    : QObject(parent), m_colCount(colCount), m_rowCount(std::max(1, rowCount))
{
}

void GridModel::setRowCount(int count)
{
    count = std::max(1, count);
    if (count == m_rowCount)
        return;
    const int old = m_rowCount;
    emit rowCountAboutToChange(old, count);
    if (count < old && int(m_rows.size()) > count)
        m_rows.resize(count);
    m_rowCount = count;
    if (m_button.isValid() && m_button.row >= count)
        m_button = CellButton();
    emit rowCountChanged(old, count);
    clampCurrent();
}

QString GridModel::cell(int col, int row) const
{
    if (row < 0 || row >= int(m_rows.size()) || col < 0)
        return QString();
    const auto &r = m_rows[row];
    return col < int(r.size()) ? r[col].text : QString();
}

GridModel::Cell GridModel::cellData(int col, int row) const
{
    if (row < 0 || row >= int(m_rows.size()) || col < 0)
        return Cell();
    const auto &r = m_rows[row];
    return col < int(r.size()) ? r[col] : Cell();
}

GridModel::Cell *GridModel::cellPtr(int col, int row)
{
    if (row < 0 || col < 0)
        return nullptr;
    if (row >= int(m_rows.size()))
        m_rows.resize(row + 1);
    auto &r = m_rows[row];
    if (col >= int(r.size()))
        r.resize(std::max(col + 1, m_colCount));
    return &r[col];
}

void GridModel::setCell(int col, int row, const QString &text)
{
    Cell *c = cellPtr(col, row);
    if (!c || c->text == text)
        return;
    c->text = text;
    if (row < m_rowCount && col < m_colCount)
        emit cellChanged(col, row);
}

void GridModel::setCellColors(int col, int row, ColorValue color, ColorValue colorTo, ColorValue fontColor)
{
    Cell *c = cellPtr(col, row);
    if (!c)
        return;
    c->color = color;
    c->colorTo = colorTo;
    c->fontColor = fontColor;
    if (row < m_rowCount && col < m_colCount)
        emit cellChanged(col, row);
}

void GridModel::setCellFontColor(int col, int row, ColorValue fontColor)
{
    Cell *c = cellPtr(col, row);
    if (!c)
        return;
    c->fontColor = fontColor;
    if (row < m_rowCount && col < m_colCount)
        emit cellChanged(col, row);
}

void GridModel::setCellHint(int col, int row, const QString &hint)
{
    Cell *c = cellPtr(col, row);
    if (!c || c->hint == hint)
        return;
    c->hint = hint;
    if (row < m_rowCount && col < m_colCount)
        emit cellChanged(col, row);
}

QStringList GridModel::rowTexts(int row) const
{
    QStringList out;
    for (int c = 0; c < m_colCount; ++c)
        out << cell(c, row);
    return out;
}

void GridModel::clearRow(int row)
{
    for (int c = 0; c < m_colCount; ++c)
        setCell(c, row, QString());
}

void GridModel::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_rowCount || to >= m_rowCount)
        return;
    const int needed = std::max(from, to) + 1;
    if (int(m_rows.size()) < needed)
        m_rows.resize(needed);
    emit rowAboutToMove(from, to);
    auto moved = std::move(m_rows[from]);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(moved));
    if (m_button.isValid()) {
        int &b = m_button.row;
        if (b == from)
            b = to;
        else if (from < to && b > from && b <= to)
            --b;
        else if (from > to && b >= to && b < from)
            ++b;
    }
    emit rowMoved(from, to);
}

void GridModel::clampCurrent()
{
    const int minRow = m_rowCount > 1 ? 1 : 0;
    const int row = std::clamp(m_currentRow, minRow, m_rowCount - 1);
    const int col = std::clamp(m_currentCol, 0, m_colCount - 1);
    if (row != m_currentRow || col != m_currentCol)
        setCurrentCell(col, row);
}

void GridModel::setCurrentCell(int col, int row)
{
    const int minRow = m_rowCount > 1 ? 1 : 0;
    row = std::clamp(row, minRow, m_rowCount - 1);
    col = std::clamp(col, 0, m_colCount - 1);
    const bool changed = row != m_currentRow || col != m_currentCol;
    m_currentCol = col;
    m_currentRow = row;
    setSelection(QRect(col, row, 1, 1));
    if (changed)
        emit currentCellChanged(col, row);
}

void GridModel::setSelection(const QRect &range)
{
    QRect r = range.normalized();
    if (r == m_selection)
        return;
    m_selection = r;
    emit selectionChanged(r);
}

QString GridModel::selectionText() const
{
    QString out;
    const QRect r = m_selection;
    for (int row = r.top(); row <= r.bottom(); ++row) {
        for (int col = r.left(); col <= r.right(); ++col) {
            if (col > r.left())
                out += QLatin1Char('\t');
            out += cell(col, row);
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QRect GridModel::pasteText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    if (t.isEmpty() && text.isEmpty())
        return QRect();
    const QStringList lines = t.split(QLatin1Char('\n'));
    const int left = m_selection.left();
    const int top = m_selection.top();
    int maxCol = left;
    int lastRow = top;
    for (int i = 0; i < lines.size(); ++i) {
        const int row = top + i;
        if (row < 1 || row >= m_rowCount)
            break;
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < fields.size(); ++j) {
            const int col = left + j;
            if (col >= m_colCount)
                break;
            setCell(col, row, fields[j]);
            maxCol = std::max(maxCol, col);
        }
        lastRow = row;
    }
    return QRect(QPoint(left, top), QPoint(maxCol, lastRow));
}

void GridModel::addButton(int col, int row, const QString &caption, int width, int height)
{
    m_button = CellButton{col, row, caption, width, height};
    emit buttonChanged();
    emit cellChanged(col, row);
}

void GridModel::removeButton(int col, int row)
{
    if (m_button.col == col && m_button.row == row) {
        m_button = CellButton();
        emit buttonChanged();
        emit cellChanged(col, row);
    }
}
