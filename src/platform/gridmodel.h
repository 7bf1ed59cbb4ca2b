#pragma once
#include "platform/colorvalue.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// The text grid every window of the program shows: plain cells of text with three
// colours each, one optional cell button, a row count, the current cell and the
// selected range. Row 0 is the heading row. Texts may be written to rows at or beyond
// the row count (and to columns beyond the shown ones); they stay unseen until the
// row count grows over them. Widgets only show this model; all logic works on it.
class GridModel : public QObject {
    Q_OBJECT
public:
    struct Cell {
        QString text;
        ColorValue color = kNoColor;    // background
        ColorValue colorTo = kNoColor;  // background gradient end
        ColorValue fontColor = kNoColor;
        QString hint; // tooltip; moves with the row like the colours
    };
    struct CellButton {
        int col = -1;
        int row = -1;
        QString caption;
        int width = 0;
        int height = 0;
        bool isValid() const { return col >= 0 && row >= 0; }
    };

    explicit GridModel(int colCount = 9, int rowCount = 2, QObject *parent = nullptr);

    int colCount() const { return m_colCount; }
    int rowCount() const { return m_rowCount; }
    // A larger count shows more rows (texts written there beforehand appear); a smaller
    // one drops the rows from the end together with their texts.
    void setRowCount(int count);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);

    Cell cellData(int col, int row) const;
    ColorValue cellColor(int col, int row) const { return cellData(col, row).color; }
    ColorValue cellColorTo(int col, int row) const { return cellData(col, row).colorTo; }
    ColorValue cellFontColor(int col, int row) const { return cellData(col, row).fontColor; }
    void setCellColors(int col, int row, ColorValue color, ColorValue colorTo, ColorValue fontColor);
    void setCellFontColor(int col, int row, ColorValue fontColor);
    void setCellHint(int col, int row, const QString &hint);

    // Texts of one row, the shown columns only.
    QStringList rowTexts(int row) const;
    void clearRow(int row);

    // The whole row, texts and colours, goes to index `to`; the rows between shift by one.
    void moveRow(int from, int to);

    // Current cell and selection. Rows and columns are clamped to the shown grid.
    int currentCol() const { return m_currentCol; }
    int currentRow() const { return m_currentRow; }
    void setCurrentCell(int col, int row);
    void setCurrentRow(int row) { setCurrentCell(m_currentCol, row); }
    QRect selection() const { return m_selection; } // x = column, y = row
    void setSelection(const QRect &range);

    // Tab separated rows, newline after each: the text other spreadsheets exchange.
    QString selectionText() const;
    // Pastes tab separated text with its first cell at the selection's top-left;
    // cells outside the grid are dropped. Returns the pasted range.
    QRect pasteText(const QString &text);

    CellButton button() const { return m_button; }
    void addButton(int col, int row, const QString &caption, int width, int height);
    void removeButton(int col, int row);

signals:
    void cellChanged(int col, int row);
    void rowCountAboutToChange(int oldCount, int newCount);
    void rowCountChanged(int oldCount, int newCount);
    void rowAboutToMove(int from, int to);
    void rowMoved(int from, int to);
    void currentCellChanged(int col, int row);
    void selectionChanged(const QRect &range);
    void buttonChanged();

private:
    Cell *cellPtr(int col, int row);
    void clampCurrent();

    int m_colCount;
    int m_rowCount;
    std::vector<std::vector<Cell>> m_rows;
    int m_currentCol = 0;
    int m_currentRow = 1;
    QRect m_selection{0, 1, 1, 1};
    CellButton m_button;
};
