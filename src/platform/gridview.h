#pragma once
#include "platform/colorvalue.h"

#include <QTableView>

class GridModel;
class GridTableModel;

// The table widget every grid of the program uses: shows a GridModel with each cell's
// own colours (a vertical gradient when a cell has an end colour), the grid's cell
// button, and keeps the model's current cell and selection in step with the view.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(GridModel *grid, QWidget *parent = nullptr);
    ~GridView() override;

    GridModel *grid() const { return m_grid; }
    GridTableModel *tableModel() const { return m_table; }

    // Colours of cells without colours of their own, of the selection and of the lines.
    void setGridColors(ColorValue color, ColorValue colorTo, ColorValue textColor);
    void setGridLines(bool horizontal, bool vertical);
    bool horizontalLines() const { return m_hLines; }
    bool verticalLines() const { return m_vLines; }

    // Column widths kept between runs in the settings store `storeName`, group
    // "ColSize.ini", keys Col0, Col1, ...; restored now, saved when the view goes.
    void keepColumnWidths(const QString &storeName);
    void saveColumnWidths() const;
    void restoreColumnWidths();

    // Makes (col, row) of the grid current and scrolls it into view.
    void focusCell(int col, int row);

signals:
    void cellButtonClicked(int col, int row);
    void cellClicked(int col, int row);
    void cellDoubleClicked(int col, int row);

private:
    void syncCurrentFromGrid();
    void syncButton();

    GridModel *m_grid;
    GridTableModel *m_table;
    QString m_storeName;
    bool m_syncing = false;
    bool m_hLines = false;
    bool m_vLines = false;
    QPersistentModelIndex m_buttonIndex;
};
