#include "lists/gridtext.h"

#include "platform/apperror.h"
#include "platform/gridmodel.h"

#include <QLocale>
#include <QTest>

using namespace GridText;

namespace {
constexpr ColorValue kGridColor = rgbColor(255, 255, 255);
constexpr ColorValue kLossColor = rgbColor(255, 0, 0);
constexpr ColorValue kLossColorTo = rgbColor(128, 128, 128);
} // namespace

class TestGridText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void format2n_data();
    void format2n();
    void stripCommas_data();
    void stripCommas();
    void strToFloatAccepts_data();
    void strToFloatAccepts();
    void strToFloatRejects_data();
    void strToFloatRejects();
    void lastCharPos_data();
    void lastCharPos();
    void sameSymbol_data();
    void sameSymbol();
    void clearGrid_data();
    void clearGrid();
};

void TestGridText::initTestCase()
{
    // A locale with other separators must not change the amounts.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestGridText::cleanupTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestGridText::format2n_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("one decimal") << 12.5 << "12.50";
    QTest::newRow("negative rounded") << -3.456 << "-3.46";
    QTest::newRow("thousands") << 1200.5 << "1,200.50";
    QTest::newRow("millions") << 2000000.0 << "2,000,000.00";
    QTest::newRow("exactly one thousand") << 1000.0 << "1,000.00";
    QTest::newRow("below one thousand") << 999.0 << "999.00";
    QTest::newRow("rounds up into a new group") << 999.999 << "1,000.00";
    QTest::newRow("rounds down") << 2.344 << "2.34";
    QTest::newRow("negative thousands") << -1234567.891 << "-1,234,567.89";
    QTest::newRow("tiny negative is zero") << -0.001 << "0.00";
    QTest::newRow("negative zero") << -0.0 << "0.00";
    QTest::newRow("large") << 123456789012.0 << "123,456,789,012.00";
}

void TestGridText::format2n()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(GridText::format2n(value), text);
}

void TestGridText::stripCommas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");

    QTest::newRow("amount") << "1,250.00" << "1250.00";
    QTest::newRow("millions") << "-2,000,000.00" << "-2000000.00";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("two commas") << ",," << "";
    QTest::newRow("nothing else changed") << " $1,2 a, " << " $12 a ";
}

void TestGridText::stripCommas()
{
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QCOMPARE(StripCommas(text), stripped);
}

void TestGridText::strToFloatAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("blanks around") << " 12.5 " << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus sign") << "+4.25" << 4.25;
    QTest::newRow("commas stripped first") << StripCommas("1,234") << 1234.0;
    QTest::newRow("two decimals") << "2710.00" << 2710.0;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("exponent") << "1E3" << 1000.0;
    QTest::newRow("signed exponent") << "2.5e-1" << 0.25;
    QTest::newRow("exponent with plus") << "-1.5E+2" << -150.0;
}

void TestGridText::strToFloatAccepts()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(StrToFloat(text), value);
    double tried = 0;
    QVERIFY(tryStrToFloat(text, &tried));
    QCOMPARE(tried, value);
}

void TestGridText::strToFloatRejects_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blank") << " ";
    QTest::newRow("thousands separator") << "1,234";
    QTest::newRow("currency sign") << "$12";
    QTest::newRow("letters after") << "12abc";
    QTest::newRow("letters") << "n/a";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("sign alone") << "-";
    QTest::newRow("point alone") << ".";
    QTest::newRow("exponent without digits") << "1e";
    QTest::newRow("blank inside") << "12 34";
    QTest::newRow("blank after sign") << "- 3";
    QTest::newRow("two signs") << "+-3";
    QTest::newRow("hexadecimal") << "0x10";
    QTest::newRow("infinity") << "inf";
    QTest::newRow("not a number") << "nan";
    QTest::newRow("too large") << "1e999";
    QTest::newRow("decimal comma") << "12,5";
}

void TestGridText::strToFloatRejects()
{
    QFETCH(QString, text);
    const QString message = QStringLiteral("'") + text + QStringLiteral("' is not a valid floating point value");
    QCOMPARE(invalidFloatMessage(text), message);
    try {
        const double v = StrToFloat(text);
        QFAIL(qPrintable(QStringLiteral("converted to %1").arg(v)));
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
    double untouched = 42;
    QVERIFY(!tryStrToFloat(text, &untouched));
    QCOMPARE(untouched, 42.0);
}

void TestGridText::lastCharPos_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<int>("pos");

    QTest::newRow("path") << "/home/ann/Lists/Stocks1.Stk" << QChar('/') << 16;
    QTest::newRow("root file") << "/Stocks1.Stk" << QChar('/') << 1;
    QTest::newRow("folder ends with slash") << "/home/ann/" << QChar('/') << 10;
    QTest::newRow("file name alone") << "Stocks1.Stk" << QChar('/') << -1;
    QTest::newRow("empty") << "" << QChar('/') << -1;
    QTest::newRow("tree node amount") << "ABC - ABC Industries - 27.10 x 100 = 2,710.00" << QChar('=') << 36;
}

void TestGridText::lastCharPos()
{
    QFETCH(QString, text);
    QFETCH(QChar, ch);
    QFETCH(int, pos);
    QCOMPARE(LastCharPos(text, ch), pos);
}

void TestGridText::sameSymbol_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("letter case") << "ibm" << "IBM" << true;
    QTest::newRow("mixed case with point") << "Brk.B" << "BRK.b" << true;
    QTest::newRow("identical") << "VTI" << "VTI" << true;
    QTest::newRow("both empty") << "" << "" << true;
    QTest::newRow("trailing blank") << "IBM " << "IBM" << false;
    QTest::newRow("leading blank") << " IBM" << "IBM" << false;
    QTest::newRow("accents not folded") << "\u00C9DF" << "\u00E9DF" << false;
    QTest::newRow("different") << "IBM" << "IBN" << false;
}

void TestGridText::sameSymbol()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(GridText::sameSymbol(a, b), same);
    QCOMPARE(GridText::sameSymbol(b, a), same);
    QCOMPARE(foldSymbol(a) == foldSymbol(b), same);
}

void TestGridText::clearGrid_data()
{
    QTest::addColumn<int>("rowCount");

    QTest::newRow("no data row") << 1;
    QTest::newRow("one data row") << 2;
    QTest::newRow("several rows") << 6;
}

void TestGridText::clearGrid()
{
    QFETCH(int, rowCount);

    GridModel grid(9, rowCount);
    for (int row = 1; row < rowCount; ++row) {
        for (int col = 0; col < 9; ++col)
            grid.setCell(col, row, QStringLiteral("%1.%2").arg(col).arg(row));
        grid.setCellColors(7, row, kLossColor, kLossColorTo, kLossColor);
        grid.setCellColors(8, row, kLossColor, kLossColorTo, kLossColor);
    }

    ClearGrid(grid, kGridColor);

    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.rowTexts(1), QStringList(9, QString()));
    for (int col : {7, 8}) {
        // Either the grid colour itself or no colour of its own: drawn plain.
        const ColorValue color = grid.cellColor(col, 1);
        const ColorValue colorTo = grid.cellColorTo(col, 1);
        QVERIFY2(color == kGridColor || color == kNoColor, qPrintable(QString::number(color, 16)));
        QVERIFY2(colorTo == kGridColor || colorTo == kNoColor, qPrintable(QString::number(colorTo, 16)));
        if (rowCount > 1) {
            QCOMPARE(color, kGridColor);
            QCOMPARE(colorTo, kGridColor);
        }
    }

    // Rows added afterwards come up empty: nothing of the old list is left.
    grid.setRowCount(rowCount + 1);
    for (int row = 1; row < grid.rowCount(); ++row) {
        QCOMPARE(grid.rowTexts(row), QStringList(9, QString()));
        QVERIFY(grid.cellColor(7, row) != kLossColor);
    }
}

QTEST_GUILESS_MAIN(TestGridText)
#include "tst_gridtext.moc"
