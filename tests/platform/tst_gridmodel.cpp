#include "platform/gridmodel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

constexpr ColorValue kRed = rgbColor(255, 0, 0);
constexpr ColorValue kGreen = rgbColor(0, 128, 0);
constexpr ColorValue kBlue = rgbColor(0, 0, 255);

// A grid of `rows` data rows whose symbols are "A", "B", ... with names "A name", ...
void fillRows(GridModel &grid, const QStringList &symbols)
{
    grid.setRowCount(symbols.size() + 1);
    for (int i = 0; i < symbols.size(); ++i) {
        grid.setCell(0, i + 1, symbols[i]);
        grid.setCell(1, i + 1, symbols[i] + QStringLiteral(" name"));
    }
}

QStringList symbolColumn(const GridModel &grid)
{
    QStringList out;
    for (int row = 1; row < grid.rowCount(); ++row)
        out << grid.cell(0, row);
    return out;
}

} // namespace

class TestGridModel : public QObject {
    Q_OBJECT
private slots:
    void hiddenTextsAppearWhenRowCountGrows();
    void smallerRowCountDropsTexts();
    void moveRow_data();
    void moveRow();
    void copyPasteRoundTrip();
    void pasteText_data();
    void pasteText();
};

void TestGridModel::hiddenTextsAppearWhenRowCountGrows()
{
    GridModel grid(9, 2);
    QSignalSpy changed(&grid, &GridModel::cellChanged);
    QSignalSpy counted(&grid, &GridModel::rowCountChanged);

    grid.setCell(0, 3, QStringLiteral("IBM"));
    grid.setCell(9, 3, QStringLiteral("0.00")); // beyond the shown columns
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(changed.count(), 0); // nothing a view shows has changed

    grid.setRowCount(4);
    QCOMPARE(counted.count(), 1);
    QCOMPARE(counted.at(0).at(0).toInt(), 2);
    QCOMPARE(counted.at(0).at(1).toInt(), 4);
    QCOMPARE(grid.rowTexts(3), QStringList({"IBM", "", "", "", "", "", "", "", ""}));
    QCOMPARE(grid.cell(9, 3), QStringLiteral("0.00"));
    QCOMPARE(grid.rowTexts(2), QStringList(9, QString())); // never written: empty

    grid.setCell(1, 3, QStringLiteral("Intl Business Machines"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 1);
    QCOMPARE(changed.at(0).at(1).toInt(), 3);
}

void TestGridModel::smallerRowCountDropsTexts()
{
    GridModel grid(9, 2);
    fillRows(grid, {"A", "B", "C", "D"});
    grid.setCellColors(7, 3, kRed, kGreen, kBlue);
    grid.setCell(9, 4, QStringLiteral("0.00"));
    grid.setCurrentCell(2, 4);

    grid.setRowCount(3);
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(grid.currentRow(), 2); // the current row stays on the grid

    grid.setRowCount(5);
    QCOMPARE(symbolColumn(grid), QStringList({"A", "B", "", ""}));
    QCOMPARE(grid.rowTexts(3), QStringList(9, QString()));
    QCOMPARE(grid.cellColor(7, 3), kNoColor);
    QCOMPARE(grid.cell(9, 4), QString());
}

void TestGridModel::moveRow_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("symbols");

    QTest::newRow("down one") << 2 << 3 << QStringList{"A", "C", "B", "D"};
    QTest::newRow("up one") << 3 << 2 << QStringList{"A", "C", "B", "D"};
    QTest::newRow("first to last") << 1 << 4 << QStringList{"B", "C", "D", "A"};
    QTest::newRow("last to first") << 4 << 1 << QStringList{"D", "A", "B", "C"};
    QTest::newRow("same row") << 2 << 2 << QStringList{"A", "B", "C", "D"};
    QTest::newRow("beyond the grid") << 2 << 5 << QStringList{"A", "B", "C", "D"};
}

void TestGridModel::moveRow()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, symbols);

    GridModel grid(9, 2);
    fillRows(grid, {"A", "B", "C", "D"});
    // Each row's Difference cell carries colours that name its symbol's row.
    const QStringList before = symbolColumn(grid);
    for (int row = 1; row <= 4; ++row) {
        grid.setCellColors(7, row, rgbColor(row, 0, 0), rgbColor(0, row, 0), rgbColor(0, 0, row));
        grid.setCellHint(7, row, QStringLiteral("hint ") + grid.cell(0, row));
    }
    // The cell button belongs to holding C wherever the move takes it.
    grid.addButton(2, 3, QStringLiteral("Purchases"), 65, 20);

    grid.moveRow(from, to);

    QCOMPARE(symbolColumn(grid), symbols);
    for (int row = 1; row <= 4; ++row) {
        const QString symbol = grid.cell(0, row);
        const int original = before.indexOf(symbol) + 1;
        QCOMPARE(grid.cell(1, row), symbol + QStringLiteral(" name"));
        QCOMPARE(grid.cellColor(7, row), rgbColor(original, 0, 0));
        QCOMPARE(grid.cellColorTo(7, row), rgbColor(0, original, 0));
        QCOMPARE(grid.cellFontColor(7, row), rgbColor(0, 0, original));
        QCOMPARE(grid.cellData(7, row).hint, QStringLiteral("hint ") + symbol);
    }
    QCOMPARE(grid.cell(0, grid.button().row), QStringLiteral("C"));
}

void TestGridModel::copyPasteRoundTrip()
{
    GridModel grid(9, 2);
    fillRows(grid, {"ABC", "XYZ", "", ""});
    grid.setCell(3, 1, QStringLiteral("1,000"));
    grid.setCell(3, 2, QStringLiteral("50"));

    grid.setSelection(QRect(QPoint(0, 1), QPoint(3, 2)));
    const QString copied = grid.selectionText();
    QCOMPARE(copied, QStringLiteral("ABC\tABC name\t\t1,000\nXYZ\tXYZ name\t\t50\n"));

    grid.setSelection(QRect(0, 3, 1, 1));
    QCOMPARE(grid.pasteText(copied), QRect(QPoint(0, 3), QPoint(3, 4)));
    QCOMPARE(grid.rowTexts(3), grid.rowTexts(1));
    QCOMPARE(grid.rowTexts(4), grid.rowTexts(2));

    grid.setSelection(QRect(QPoint(0, 3), QPoint(3, 4)));
    QCOMPARE(grid.selectionText(), copied);
}

void TestGridModel::pasteText_data()
{
    QTest::addColumn<QRect>("target");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("pasted");
    QTest::addColumn<QStringList>("row1");
    QTest::addColumn<QStringList>("row2");

    const QStringList untouched1{"A", "A name", "", "", "", "", "", "", ""};
    const QStringList untouched2{"B", "B name", "", "", "", "", "", "", ""};

    QTest::newRow("windows line ends")
        << QRect(2, 1, 1, 1) << QStringLiteral("10\t5\r\n20\t6\r\n") << QRect(2, 1, 2, 2)
        << QStringList{"A", "A name", "10", "5", "", "", "", "", ""}
        << QStringList{"B", "B name", "20", "6", "", "", "", "", ""};
    QTest::newRow("no final line end")
        << QRect(4, 2, 1, 1) << QStringLiteral("27.10") << QRect(4, 2, 1, 1) << untouched1
        << QStringList{"B", "B name", "", "", "27.10", "", "", "", ""};
    QTest::newRow("empty cells overwrite")
        << QRect(0, 1, 1, 1) << QStringLiteral("\t\n") << QRect(0, 1, 2, 1)
        << QStringList(9, QString()) << untouched2;
    QTest::newRow("clipped at the right edge")
        << QRect(7, 1, 1, 1) << QStringLiteral("x\ty\tz\n") << QRect(7, 1, 2, 1)
        << QStringList{"A", "A name", "", "", "", "", "", "x", "y"} << untouched2;
    QTest::newRow("clipped at the last row")
        << QRect(0, 2, 1, 1) << QStringLiteral("C\nD\nE\n") << QRect(0, 2, 1, 1) << untouched1
        << QStringList{"C", "B name", "", "", "", "", "", "", ""};
    QTest::newRow("nothing to paste") << QRect(0, 1, 1, 1) << QString() << QRect() << untouched1
                                      << untouched2;
}

void TestGridModel::pasteText()
{
    QFETCH(QRect, target);
    QFETCH(QString, text);
    QFETCH(QRect, pasted);
    QFETCH(QStringList, row1);
    QFETCH(QStringList, row2);

    GridModel grid(9, 2);
    fillRows(grid, {"A", "B"});
    grid.setSelection(target);

    QCOMPARE(grid.pasteText(text), pasted);
    QCOMPARE(grid.rowTexts(1), row1);
    QCOMPARE(grid.rowTexts(2), row2);
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(grid.cell(0, 3), QString()); // nothing lands below the grid
    QCOMPARE(grid.cell(9, 1), QString()); // nor beyond its columns
}

QTEST_GUILESS_MAIN(TestGridModel)
#include "tst_gridmodel.moc"
