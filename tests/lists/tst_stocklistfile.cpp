#include "lists/stocklistfile.h"

#include "platform/gridmodel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "support/files.h"

using Rows = QList<QStringList>;

namespace {

constexpr ColorValue kGridColor = rgbColor(255, 255, 255);
constexpr ColorValue kLossColor = rgbColor(255, 0, 0);

QString fixture(const char *name)
{
    return QStringLiteral(VANTORI_FIXTURES "/") + QLatin1String(name);
}

// Columns 0 to 9: the nine shown ones and the one beyond them that an eight-field line reaches.
QStringList cells(const GridModel &grid, int row)
{
    QStringList out;
    for (int col = 0; col < 10; ++col)
        out << grid.cell(col, row);
    return out;
}

QStringList row10(const QStringList &first)
{
    QStringList out = first;
    while (out.size() < 10)
        out << QString();
    return out;
}

QStringList symbols(const GridModel &grid)
{
    QStringList out;
    for (int row = 1; row < grid.rowCount(); ++row)
        out << grid.cell(0, row);
    return out;
}

// A grid still showing an older, longer list with gain and loss colours.
void fillStale(GridModel &grid)
{
    grid.setRowCount(6);
    for (int row = 1; row < 6; ++row) {
        for (int col = 0; col < 9; ++col)
            grid.setCell(col, row, QStringLiteral("old %1.%2").arg(col).arg(row));
        grid.setCellColors(7, row, kLossColor, kLossColor, kLossColor);
        grid.setCellColors(8, row, kLossColor, kLossColor, kLossColor);
    }
    grid.setCell(0, 8, QStringLiteral("old hidden"));
}

void fillRows(GridModel &grid, const Rows &rows)
{
    grid.setRowCount(rows.size() + 1);
    for (int row = 0; row < rows.size(); ++row)
        for (int col = 0; col < rows[row].size(); ++col)
            grid.setCell(col, row + 1, rows[row][col]);
}

const QByteArray kAbcLine("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|2,710.00|@|2,550.00|@|\r\n");
const QStringList kAbcRow{"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", "2,710.00", "", "0.00", ""};
const QStringList kEmptyRow(10, QString());

} // namespace

class TestStockListFile : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void readMissingFile();
    void readWindows1252();
    void readStopsAtBadAmount();
    void merge_data();
    void merge();
    void toBytes_data();
    void toBytes();
    void failedSaveKeepsOldFile();
    void saveIntoMissingFolder();
    void firstDuplicateRow_data();
    void firstDuplicateRow();
};

void TestStockListFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("well-formed line") << kAbcLine << Rows{kAbcRow};
    QTest::newRow("no trailing separator")
        << QByteArray("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|2,710.00|@|2,550.00\r\n") << Rows{kAbcRow};
    QTest::newRow("eight fields")
        << QByteArray("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|2,710.00|@|2,550.00|@|note|@|\r\n")
        << Rows{{"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", "2,550.00", "2,550.00", "", "0.00"}};
    QTest::newRow("lf line ends, last without one")
        << QByteArray("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|2,710.00|@|2,550.00|@|\n"
                      "XYZ|@|XYZ Fund|@|12|@|10|@|11.75|@|117.50|@|120.00|@|")
        << Rows{kAbcRow, {"XYZ", "XYZ Fund", "12", "10", "11.75", "117.50", "117.50", "", "0.00", ""}};
    QTest::newRow("empty line skipped")
        << QByteArray("\r\n") + kAbcLine + "\r\n\r\nIBM|@|IBM|@|1|@|1|@|1|@|1.00|@|1.00|@|\r\n"
        << Rows{kAbcRow, {"IBM", "IBM", "1", "1", "1", "1.00", "1.00", "", "0.00", ""}};
    QTest::newRow("symbol alone") << QByteArray("IBM\r\nVTI|@|\r\n")
                                  << Rows{row10({"IBM"}), row10({"VTI"})};
    QTest::newRow("empty row") << QByteArray("|@||@||@||@||@||@||@|\r\n") + kAbcLine
                               << Rows{row10({"", "", "", "", "", "", "", "", "0.00"}), kAbcRow};
    QTest::newRow("empty amounts") << QByteArray("ABC|@|ABC Industries|@||@||@||@||@||@|\r\n")
                                   << Rows{row10({"ABC", "ABC Industries", "", "", "", "", "", "", "0.00"})};
    QTest::newRow("blanks kept") << QByteArray(" ABC |@|  Name  |@| 1 |@|2|@|3|@| 6.00 |@|9|@|\r\n")
                                 << Rows{{" ABC ", "  Name  ", " 1 ", "2", "3", " 6.00 ", " 6.00 ", "", "0.00", ""}};
    QTest::newRow("empty file") << QByteArray() << Rows{kEmptyRow};
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << Rows{kEmptyRow};
    QTest::newRow("letters in the first amount")
        << QByteArray("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|abc|@|2,550.00|@|\r\n") + kAbcLine
        << Rows{kEmptyRow};
    QTest::newRow("letters after a good line")
        << kAbcLine + "XYZ|@|XYZ Fund|@|12|@|10|@|11.75|@|1.2.3|@|120.00|@|\r\n" + kAbcLine << Rows{kAbcRow};
    QTest::newRow("two fields: the symbol is the amount")
        << kAbcLine + "ABC|@|ABC Industries\r\n" + kAbcLine << Rows{kAbcRow};
}

void TestStockListFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.Stk"));
    QVERIFY(writeBytes(path, bytes));

    GridModel grid(9, 2);
    fillStale(grid);
    QVERIFY(StockListFile::readInto(grid, path, false, kGridColor));

    QCOMPARE(grid.rowCount(), rows.size() + 1);
    for (int row = 1; row < grid.rowCount(); ++row) {
        QCOMPARE(cells(grid, row), rows[row - 1]);
        QVERIFY(grid.cellColor(7, row) != kLossColor);
        QVERIFY(grid.cellColor(8, row) != kLossColor);
    }

    // A row added afterwards comes up empty, whatever the reading stopped at.
    grid.setRowCount(grid.rowCount() + 1);
    QCOMPARE(cells(grid, grid.rowCount() - 1), kEmptyRow);
}

void TestStockListFile::readMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GridModel grid(9, 2);
    fillStale(grid);

    QVERIFY(!StockListFile::readInto(grid, dir.filePath(QStringLiteral("gone.Stk")), false, kGridColor));
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(cells(grid, 1), kEmptyRow);
    QCOMPARE(grid.cellColor(7, 1), kGridColor);
    QCOMPARE(grid.cellColor(8, 1), kGridColor);

    // A folder of that name is no list either.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.Stk")));
    fillStale(grid);
    QVERIFY(!StockListFile::readInto(grid, dir.filePath(QStringLiteral("folder.Stk")), false, kGridColor));
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(cells(grid, 1), kEmptyRow);
}

void TestStockListFile::readWindows1252()
{
    GridModel grid(9, 2);
    QVERIFY(StockListFile::readInto(grid, fixture("windows1252.Stk"), false, kGridColor));

    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(cells(grid, 1), QStringList({"NESN", "Nestlé S.A.", "98.40", "50", "101.20", "5,060.00",
                                          "5,060.00", "", "0.00", ""}));
    QCOMPARE(grid.cell(1, 2), QStringLiteral("Société Générale"));
    QCOMPARE(grid.cell(1, 3), QStringLiteral("L’Oréal – Cosmétiques"));

    // Saved back as UTF-8 with every character, the old amounts now the amounts read.
    const QByteArray utf8("NESN|@|Nestl\xC3\xA9 S.A.|@|98.40|@|50|@|101.20|@|5,060.00|@|5,060.00|@|\r\n"
                          "GLE|@|Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale|@|24.10|@|200|@|26.35|@|5,270.00|@|5,270.00|@|\r\n"
                          "OR|@|L\xE2\x80\x99Or\xC3\xA9" "al \xE2\x80\x93 Cosm\xC3\xA9tiques|@|380.00|@|12|@|402.50|@|4,830.00|@|4,830.00|@|\r\n");
    QCOMPARE(StockListFile::toBytes(grid), utf8);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Europe.Stk"));
    QString error;
    QVERIFY2(StockListFile::write(path, grid, &error), qPrintable(error));
    QCOMPARE(readBytes(path), utf8);

    GridModel again(9, 2);
    QVERIFY(StockListFile::readInto(again, path, false, kGridColor));
    QCOMPARE(again.rowCount(), 4);
    for (int row = 1; row < 4; ++row)
        QCOMPARE(cells(again, row), cells(grid, row));
}

void TestStockListFile::readStopsAtBadAmount()
{
    GridModel grid(9, 2);
    QVERIFY(StockListFile::readInto(grid, fixture("badamount.Stk"), false, kGridColor));
    QCOMPARE(symbols(grid), QStringList{"ABC"});
    QCOMPARE(StockListFile::toBytes(grid),
             QByteArray("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|2,710.00|@|2,710.00|@|\r\n"));

    // Add a row as the user would: it must not bring back the line that stopped the reading.
    grid.setRowCount(grid.rowCount() + 1);
    QCOMPARE(cells(grid, 2), kEmptyRow);
    grid.setRowCount(grid.rowCount() + 1);
    QCOMPARE(cells(grid, 3), kEmptyRow);
}

void TestStockListFile::merge_data()
{
    QTest::addColumn<QString>("merged");
    QTest::addColumn<bool>("emptyLastRow");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("symbols");

    QTest::newRow("appends after the last row")
        << fixture("windows1252.Stk") << false << true
        << QStringList{"ABC", "XYZ", "MSFT", "NESN", "GLE", "OR"};
    QTest::newRow("after an empty last row")
        << fixture("windows1252.Stk") << true << true
        << QStringList{"ABC", "XYZ", "MSFT", "", "NESN", "GLE", "OR"};
    QTest::newRow("stops at a bad amount")
        << fixture("badamount.Stk") << false << true << QStringList{"ABC", "XYZ", "MSFT", "ABC"};
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/Missing.Stk") << false << false
                                  << QStringList{"ABC", "XYZ", "MSFT"};
}

void TestStockListFile::merge()
{
    QFETCH(QString, merged);
    QFETCH(bool, emptyLastRow);
    QFETCH(bool, found);
    QFETCH(QStringList, symbols);

    GridModel grid(9, 2);
    QVERIFY(StockListFile::readInto(grid, fixture("holdings.Stk"), false, kGridColor));
    QCOMPARE(::symbols(grid), QStringList({"ABC", "XYZ", "MSFT"}));
    grid.setCellColors(7, 2, kLossColor, kLossColor, kLossColor);
    const QStringList xyz = cells(grid, 2);
    if (emptyLastRow)
        grid.setRowCount(grid.rowCount() + 1);

    QCOMPARE(StockListFile::readInto(grid, merged, true, kGridColor), found);

    QCOMPARE(::symbols(grid), symbols);
    QCOMPARE(cells(grid, 2), xyz); // the rows already there stay as they were
    QCOMPARE(grid.cellColor(7, 2), kLossColor);
    if (symbols.size() > 4 && symbols[4] == QLatin1String("NESN"))
        QCOMPARE(grid.cell(1, 4 + int(emptyLastRow)), QStringLiteral("Nestlé S.A."));

    grid.setRowCount(grid.rowCount() + 1);
    QCOMPARE(cells(grid, grid.rowCount() - 1), kEmptyRow);
}

void TestStockListFile::toBytes_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no data rows") << Rows{} << QByteArray();
    QTest::newRow("one empty row") << Rows{{}} << QByteArray("|@||@||@||@||@||@||@|\r\n");
    QTest::newRow("difference and percent not stored")
        << Rows{{"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", "2,550.00", "160.00", "6.27", "x"}}
        << kAbcLine;
    QTest::newRow("empty rows kept in place")
        << Rows{{"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", "2,550.00"}, {}, {"", "", "", "5"}, {"XYZ"}}
        << kAbcLine + "|@||@||@||@||@||@||@|\r\n|@||@||@|5|@||@||@||@|\r\nXYZ|@||@||@||@||@||@||@|\r\n";
    QTest::newRow("texts exactly as held")
        << Rows{{" abc ", "Name  with  blanks ", "1,025.5", "", "n/a", "-3.46", "0"}}
        << QByteArray(" abc |@|Name  with  blanks |@|1,025.5|@||@|n/a|@|-3.46|@|0|@|\r\n");
    QTest::newRow("utf-8") << Rows{{"GLE", "Société Générale €"}}
                           << QByteArray("GLE|@|Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale \xE2\x82\xAC|@||@||@||@||@||@|\r\n");
}

void TestStockListFile::toBytes()
{
    QFETCH(Rows, rows);
    QFETCH(QByteArray, bytes);

    GridModel grid(9, 2);
    fillRows(grid, rows);
    grid.setCell(0, grid.rowCount() + 1, QStringLiteral("HIDDEN")); // not shown, so not saved
    QCOMPARE(grid.rowCount(), rows.size() + 1);

    QCOMPARE(StockListFile::toBytes(grid), bytes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Saved.Stk"));
    QVERIFY(writeBytes(path, "an older and much longer list that the save replaces\r\n"));
    QString error;
    QVERIFY2(StockListFile::write(path, grid, &error), qPrintable(error));
    QCOMPARE(readBytes(path), bytes);
}

void TestStockListFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Stocks1.Stk"));
    QVERIFY(writeBytes(path, kAbcLine));

    GridModel grid(9, 2);
    Rows rows;
    for (int i = 0; i < 50; ++i)
        rows << QStringList{QStringLiteral("S%1").arg(i), QStringLiteral("Holding %1").arg(i), "1", "2", "3", "6.00", "6.00"};
    fillRows(grid, rows);

    QString error;
    bool written = true;
    {
        FileSizeLimit full(40);
        QVERIFY(full.ok());
        written = StockListFile::write(path, grid, &error);
    }
    QVERIFY(!written);
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(readBytes(path), kAbcLine);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Stocks1.Stk"});
}

void TestStockListFile::saveIntoMissingFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GridModel grid(9, 2);
    grid.setCell(0, 1, QStringLiteral("ABC"));
    const QString path = dir.filePath(QStringLiteral("gone/Stocks1.Stk"));
    QString error;
    QVERIFY(!StockListFile::write(path, grid, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

void TestStockListFile::firstDuplicateRow_data()
{
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<int>("row");

    QTest::newRow("letter case") << QStringList{"ABC", "abc"} << 1;
    QTest::newRow("far apart") << QStringList{"ABC", "XYZ", "MSFT", "Abc"} << 1;
    QTest::newRow("first row that repeats") << QStringList{"XYZ", "ABC", "MSFT", "abc", "xyz"} << 1;
    QTest::newRow("lower pair") << QStringList{"XYZ", "ABC", "MSFT", "abc"} << 2;
    QTest::newRow("two empty rows") << QStringList{"ABC", "", "XYZ", ""} << 2;
    QTest::newRow("one empty row") << QStringList{""} << 0;
    QTest::newRow("no data rows") << QStringList{} << 0;
    QTest::newRow("trailing blank differs") << QStringList{"IBM", "IBM "} << 0;
    QTest::newRow("accents not folded") << QStringList{"\u00C9DF", "\u00E9DF"} << 0;
    QTest::newRow("none") << QStringList{"ABC", "XYZ", "MSFT"} << 0;
}

void TestStockListFile::firstDuplicateRow()
{
    QFETCH(QStringList, symbols);
    QFETCH(int, row);

    GridModel grid(9, 2);
    Rows rows;
    for (const QString &s : symbols)
        rows << QStringList{s, s + QStringLiteral(" name")};
    fillRows(grid, rows);
    grid.setCell(0, grid.rowCount(), symbols.value(0)); // hidden: no duplicate of anything
    QCOMPARE(StockListFile::firstDuplicateRow(grid), row);
}

QTEST_GUILESS_MAIN(TestStockListFile)
#include "tst_stocklistfile.moc"
