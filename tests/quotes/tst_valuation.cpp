#include "app/settings.h"
#include "platform/apperror.h"
#include "platform/gridmodel.h"
#include "quotes/valuation.h"

#include <QtTest>
#include <memory>
#include "support/looks.h"

namespace {

enum Col { Symbol, Name, AveCost, Quantity, Price, ExtAmt, OldAmt, Difference, Percent };

const QStringList kHeadings{"Symbol", "Stock Name          ", "Ave. Cost", "Quantity", "Price",
                            "Ext. Amt.", "Old Amt.", "Difference", "Percent"};

// One data row per list: Symbol, Name, Ave. Cost, Quantity, Price, Ext. Amt., Old Amt.,
// Difference, Percent. Difference and Percent start with the plain grid look.
std::unique_ptr<GridModel> makeGrid(const QList<QStringList> &rows, const TGlobals &g)
{
    auto grid = std::make_unique<GridModel>(9, int(rows.size()) + 1);
    for (int col = 0; col < 9; ++col)
        grid->setCell(col, 0, kHeadings[col]);
    for (int r = 0; r < rows.size(); ++r) {
        for (int col = 0; col < rows[r].size(); ++col)
            grid->setCell(col, r + 1, rows[r][col]);
        for (int col : {int(Difference), int(Percent)})
            grid->setCellColors(col, r + 1, g.GridColor, g.GridColorTo, g.GridTextColor);
    }
    return grid;
}

QString badNumber(const QString &text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

const QString kDivByZero = QStringLiteral("Floating point division by zero");

} // namespace

class TestValuation : public QObject {
    Q_OBJECT

private slots:
    void init();

    void defaultColorsDiffer();

    void valueRowAfterQuote_data();
    void valueRowAfterQuote();
    void valueRowAfterQuoteErrors_data();
    void valueRowAfterQuoteErrors();

    void recalculateRows_data();
    void recalculateRows();
    void recalculateRowsStops_data();
    void recalculateRowsStops();

    void showTotals_data();
    void showTotals();
    void showTotalsBadAmount();

    void oldAmountMode();
    void oldAmountModeStopsSilently_data();
    void oldAmountModeStopsSilently();

    void costAmountMode();
    void costAmountModeErrors_data();
    void costAmountModeErrors();

    void restoreOldAmountsByPosition();

private:
    TGlobals g;
};

void TestValuation::init()
{
    g = TGlobals();
    Settings::SetDefaultColors(g);
}

void TestValuation::defaultColorsDiffer()
{
    // The colour checks below tell gain, loss and plain apart only if the triples differ.
    GridModel grid(9, 2);
    Valuation::colorGainLoss(grid, Difference, 1, 0.0, g);
    QCOMPARE(lookOf(grid, Difference, 1, g), QString("gain"));
    Valuation::colorGainLoss(grid, Difference, 1, -0.01, g);
    QCOMPARE(lookOf(grid, Difference, 1, g), QString("loss"));
    QCOMPARE(grid.cellColor(Difference, 1), systemColor(5));
    QCOMPARE(grid.cellFontColor(Difference, 1), systemColor(8));
    Valuation::colorGainLoss(grid, Difference, 1, 0.01, g);
    QCOMPARE(grid.cellColor(Difference, 1), ColorValue(0xFFFFFF));
    QCOMPARE(grid.cellColorTo(Difference, 1), ColorValue(0xC0C0C0));
    QCOMPARE(grid.cellFontColor(Difference, 1), ColorValue(0x000000));
}

void TestValuation::valueRowAfterQuote_data()
{
    QTest::addColumn<QString>("aveCost");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("extAmt");
    QTest::addColumn<QString>("oldAmt");
    QTest::addColumn<QString>("wantAveCost");
    QTest::addColumn<QString>("wantExtAmt");
    QTest::addColumn<QString>("wantDifference");
    QTest::addColumn<QString>("wantLook");

    QTest::newRow("thousands quantity") << "11.00" << "1,000" << "12.5" << "" << "10,000.00"
                                        << "11.00" << "12,500.00" << "2,500.00" << "gain";
    QTest::newRow("price fall") << "20.00" << "100" << "18.25" << "2,000.00" << "2,000.00"
                                << "20.00" << "1,825.00" << "-175.00" << "loss";
    QTest::newRow("unchanged amount") << "5.00" << "10" << "5" << "" << "50.00"
                                      << "5.00" << "50.00" << "0.00" << "gain";
    QTest::newRow("empty quantity keeps ext") << "10.00" << "" << "5" << "300.00" << "250.00"
                                              << "0" << "300.00" << "50.00" << "gain";
    QTest::newRow("empty quantity, empty ext") << "10.00" << "" << "5" << "" << "100.00"
                                               << "0" << "0" << "-100.00" << "loss";
    QTest::newRow("empty quantity, negative ext") << "10.00" << "" << "5" << "-500.00" << "0.00"
                                                  << "0" << "0" << "0.00" << "gain";
    QTest::newRow("empty quantity, ext beyond nines") << "10.00" << "" << "5" << "9999999999.00" << "1.00"
                                                      << "0" << "0" << "-1.00" << "loss";
    QTest::newRow("empty quantity, ext with letters") << "10.00" << "" << "5" << "abc" << "1.00"
                                                      << "0" << "0" << "-1.00" << "loss";
    QTest::newRow("negative quantity") << "10.00" << "-5" << "12" << "60.00" << "50.00"
                                       << "0" << "-60.00" << "-110.00" << "loss";
    QTest::newRow("quantity with leading blank") << "10.00" << " 5" << "2" << "" << "4.00"
                                                 << "0" << "10.00" << "6.00" << "gain";
    QTest::newRow("ten nines") << "1.00" << "9999999999" << "1" << "" << "0"
                               << "0" << "9,999,999,999.00" << "9,999,999,999.00" << "gain";
    QTest::newRow("nine nines is in range") << "1.00" << "999999999" << "0.01" << "" << "0"
                                            << "1.00" << "9,999,999.99" << "9,999,999.99" << "gain";
}

void TestValuation::valueRowAfterQuote()
{
    QFETCH(QString, aveCost);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, extAmt);
    QFETCH(QString, oldAmt);

    auto grid = makeGrid({{"XYZ", "Xyz Corp", aveCost, quantity, price, extAmt, oldAmt, "old diff", "3.00"}}, g);
    Valuation::valueRowAfterQuote(*grid, 1, g);

    QTEST(grid->cell(AveCost, 1), "wantAveCost");
    QTEST(grid->cell(ExtAmt, 1), "wantExtAmt");
    QTEST(grid->cell(Difference, 1), "wantDifference");
    QTEST(lookOf(*grid, Difference, 1, g), "wantLook");
    QCOMPARE(grid->cell(Quantity, 1), quantity);
    QCOMPARE(grid->cell(Price, 1), price);
    QCOMPARE(grid->cell(OldAmt, 1), oldAmt);
    QCOMPARE(grid->cell(Percent, 1), QString("3.00"));
    QCOMPARE(lookOf(*grid, Percent, 1, g), QString("plain"));
}

void TestValuation::valueRowAfterQuoteErrors_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("extAmt");
    QTest::addColumn<QString>("oldAmt");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("wantAveCost");
    QTest::addColumn<QString>("wantExtAmt");

    QTest::newRow("nine nines and a letter") << "999999999x" << "1" << "5.00" << "5.00"
                                             << badNumber("999999999x") << "0" << "5.00";
    QTest::newRow("letters in quantity") << "abc" << "1" << "5.00" << "5.00"
                                         << badNumber("abc") << "0" << "5.00";
    QTest::newRow("no price") << "10" << "" << "5.00" << "5.00" << badNumber("") << "7.00" << "5.00";
    QTest::newRow("price not a number") << "10" << "N/A" << "5.00" << "5.00"
                                        << badNumber("N/A") << "7.00" << "5.00";
    QTest::newRow("ext not a number, no quantity") << "" << "1" << "12a" << "5.00"
                                                   << badNumber("12a") << "0" << "12a";
    QTest::newRow("empty old amount") << "2" << "3" << "" << "" << badNumber("") << "7.00" << "6.00";
    QTest::newRow("old amount with letters") << "2" << "3" << "" << "1O0.00"
                                             << badNumber("1O0.00") << "7.00" << "6.00";
}

void TestValuation::valueRowAfterQuoteErrors()
{
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, extAmt);
    QFETCH(QString, oldAmt);
    QFETCH(QString, message);

    auto grid = makeGrid({{"XYZ", "Xyz Corp", "7.00", quantity, price, extAmt, oldAmt, "old diff", "3.00"}}, g);
    QString thrown;
    try {
        Valuation::valueRowAfterQuote(*grid, 1, g);
    } catch (const AppError &e) {
        thrown = e.message();
    }
    QCOMPARE(thrown, message);
    QTEST(grid->cell(AveCost, 1), "wantAveCost");
    QTEST(grid->cell(ExtAmt, 1), "wantExtAmt");
    QCOMPARE(grid->cell(Quantity, 1), quantity);
    QCOMPARE(grid->cell(Difference, 1), QString("old diff"));
    QCOMPARE(lookOf(*grid, Difference, 1, g), QString("plain"));
}

void TestValuation::recalculateRows_data()
{
    QTest::addColumn<QString>("extAmt");
    QTest::addColumn<QString>("oldAmt");
    QTest::addColumn<QString>("wantDifference");
    QTest::addColumn<QString>("wantPercent");
    QTest::addColumn<QString>("wantLook");
    QTest::addColumn<double>("wantReferenceAdded");

    QTest::newRow("gain") << "110.00" << "100.00" << "10.00" << "10.00" << "gain" << 100.0;
    QTest::newRow("loss") << "90.00" << "100.00" << "-10.00" << "-10.00" << "loss" << 100.0;
    QTest::newRow("equal") << "100.00" << "100.00" << "0.00" << "0.00" << "gain" << 100.0;
    QTest::newRow("thousands") << "1,100.00" << "1,000.00" << "100.00" << "10.00" << "gain" << 1000.0;
    QTest::newRow("nothing left") << "0" << "250.00" << "-250.00" << "-100.00" << "loss" << 250.0;
    QTest::newRow("third of a gain") << "4.00" << "3.00" << "1.00" << "33.33" << "gain" << 3.0;
    QTest::newRow("negative old amount") << "-50.00" << "-100.00" << "50.00" << "-50.00" << "gain" << -100.0;
}

void TestValuation::recalculateRows()
{
    QFETCH(QString, extAmt);
    QFETCH(QString, oldAmt);
    QFETCH(double, wantReferenceAdded);

    auto grid = makeGrid({{"XYZ", "Xyz Corp", "1.00", "10", "11", extAmt, oldAmt, "", ""}}, g);
    double reference = 500.0;
    Valuation::RecalculateRows(*grid, g, reference);

    QTEST(grid->cell(Difference, 1), "wantDifference");
    QTEST(grid->cell(Percent, 1), "wantPercent");
    QTEST(lookOf(*grid, Difference, 1, g), "wantLook");
    QTEST(lookOf(*grid, Percent, 1, g), "wantLook");
    QCOMPARE(reference, 500.0 + wantReferenceAdded);
    // The row pass never recomputes the amounts it compares.
    QCOMPARE(grid->cell(ExtAmt, 1), extAmt);
    QCOMPARE(grid->cell(OldAmt, 1), oldAmt);
}

void TestValuation::recalculateRowsStops_data()
{
    QTest::addColumn<QString>("extAmt");
    QTest::addColumn<QString>("oldAmt");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("wantDifference");

    QTest::newRow("zero old amount") << "50.00" << "0.00" << kDivByZero << "50.00";
    QTest::newRow("zero over zero") << "0" << "0" << kDivByZero << "0.00";
    QTest::newRow("empty row") << "" << "" << badNumber("") << "old diff";
    QTest::newRow("old amount not a number") << "50.00" << "n/a" << badNumber("n/a") << "old diff";
}

void TestValuation::recalculateRowsStops()
{
    QFETCH(QString, extAmt);
    QFETCH(QString, oldAmt);
    QFETCH(QString, message);

    auto grid = makeGrid({{"AAA", "Alpha", "1.00", "10", "12", "120.00", "100.00", "", ""},
                          {"BBB", "Beta", "1.00", "10", "5", extAmt, oldAmt, "old diff", "old pct"},
                          {"CCC", "Gamma", "1.00", "10", "5", "80.00", "100.00", "keep", "keep"}},
                         g);
    double reference = 0;
    QString thrown;
    try {
        Valuation::RecalculateRows(*grid, g, reference);
    } catch (const AppError &e) {
        thrown = e.message();
    }
    QCOMPARE(thrown, message);

    QCOMPARE(grid->cell(Difference, 1), QString("20.00"));
    QCOMPARE(grid->cell(Percent, 1), QString("20.00"));
    QCOMPARE(lookOf(*grid, Percent, 1, g), QString("gain"));

    QTEST(grid->cell(Difference, 2), "wantDifference");
    QCOMPARE(grid->cell(Percent, 2), QString("old pct"));
    QCOMPARE(lookOf(*grid, Difference, 2, g), QString("plain"));
    QCOMPARE(lookOf(*grid, Percent, 2, g), QString("plain"));

    QCOMPARE(grid->cell(Difference, 3), QString("keep"));
    QCOMPARE(grid->cell(Percent, 3), QString("keep"));
    QCOMPARE(lookOf(*grid, Difference, 3, g), QString("plain"));

    QCOMPARE(reference, 100.0); // only the row it finished
}

void TestValuation::showTotals_data()
{
    QTest::addColumn<QStringList>("extAmounts");
    QTest::addColumn<double>("reference");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");

    QTest::newRow("no data rows") << QStringList() << 250.0 << " Total: 0.00" << "-250.00";
    QTest::newRow("thousands, one decimal") << QStringList{"1,234.5"} << 0.0 << " Total: 1,234.50" << "1,234.50";
    QTest::newRow("empty and zero texts skipped")
        << QStringList{"1,000.00", "", "0", "0.00", "-200.50"} << 500.0 << " Total: 799.50" << "299.50";
    QTest::newRow("millions") << QStringList{"1,000,000.25", "2,500,000.50"} << 3500000.0
                              << " Total: 3,500,000.75" << "0.75";
    QTest::newRow("below reference") << QStringList{"10.00"} << 1010.0 << " Total: 10.00" << "-1,000.00";
}

void TestValuation::showTotals()
{
    QFETCH(QStringList, extAmounts);
    QFETCH(double, reference);

    QList<QStringList> rows;
    for (const QString &ext : extAmounts)
        rows.append({"S", "N", "", "", "", ext, "", "", ""});
    auto grid = makeGrid(rows, g);
    const auto totals = Valuation::ShowTotals(*grid, reference);
    QTEST(totals.label1, "label1");
    QTEST(totals.label2, "label2");
}

void TestValuation::showTotalsBadAmount()
{
    auto grid = makeGrid({{"A", "a", "", "", "", "100.00", "", "", ""},
                          {"B", "b", "", "", "", " ", "", "", ""}},
                         g);
    try {
        Valuation::ShowTotals(*grid, 0);
        QFAIL("a blank amount was summed");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), badNumber(" "));
    }
}

void TestValuation::oldAmountMode()
{
    auto grid = makeGrid({{"AAA", "Alpha", "9.00", "100", "12.50", "1,000.00", "900.00", "", ""},
                          {"BBB", "Beta", "", "", "4.00", "300.00", "", "", ""},
                          {"CCC", "Gamma", "2.00", "1,000", "", "1,800.00", "2,000.00", "", ""}},
                         g);
    double reference = 777.0;
    // The tree's last save: the amounts after "= " go to rows 1, 2, 3.
    const QStringList nodes{"AAA - Alpha - 11.00 x 1,100.00 = 1,100.00",
                            "BBB - Beta - 4.00 x 400.00 = 400.00",
                            "CCC - Gamma - 1.80 x 1,800.00 = 2,000.00"};
    const auto totals = Valuation::oldAmountMode(*grid, g, reference, nodes);
    QVERIFY(totals.has_value());

    QCOMPARE(grid->cell(ExtAmt, 1), QString("1,250.00"));
    QCOMPARE(grid->cell(ExtAmt, 2), QString("300.00"));   // no quantity: kept
    QCOMPARE(grid->cell(ExtAmt, 3), QString("1,800.00")); // no price: kept
    QCOMPARE(grid->cell(OldAmt, 1), QString("1,100.00"));
    QCOMPARE(grid->cell(OldAmt, 2), QString("400.00"));
    QCOMPARE(grid->cell(OldAmt, 3), QString("2,000.00"));
    QCOMPARE(grid->cell(Difference, 1), QString("150.00"));
    QCOMPARE(grid->cell(Percent, 1), QString("13.64"));
    QCOMPARE(grid->cell(Difference, 2), QString("-100.00"));
    QCOMPARE(grid->cell(Percent, 2), QString("-25.00"));
    QCOMPARE(grid->cell(Difference, 3), QString("-200.00"));
    QCOMPARE(grid->cell(Percent, 3), QString("-10.00"));
    QCOMPARE(lookOf(*grid, Percent, 1, g), QString("gain"));
    QCOMPARE(lookOf(*grid, Percent, 2, g), QString("loss"));
    QCOMPARE(lookOf(*grid, Difference, 3, g), QString("loss"));

    QCOMPARE(reference, 3500.0);
    QCOMPARE(totals->label1, QString(" Total: 3,350.00"));
    QCOMPARE(totals->label2, QString("-150.00"));
    QCOMPARE(grid->cell(OldAmt, 0), QString("Old Amount"));
}

void TestValuation::oldAmountModeStopsSilently_data()
{
    QTest::addColumn<QString>("quantity2");
    QTest::addColumn<QString>("node2");
    QTest::addColumn<double>("wantReference");
    QTest::addColumn<QString>("wantOld1");
    QTest::addColumn<QString>("wantDifference1");
    QTest::addColumn<QString>("wantDifference2");

    // Rows above the zero are recalculated; the zero row keeps only its new Difference.
    QTest::newRow("zero old amount") << "10" << "BBB - Beta - 5.00 x 0.00 = 0.00"
                                     << 100.0 << "100.00" << "20.00" << "50.00";
    // A bad quantity stops it before the tree's amounts are written.
    QTest::newRow("quantity not a number") << "ten" << "BBB - Beta - 5.00 x 50.00 = 50.00"
                                           << 0.0 << "90.00" << "old diff" << "old diff";
}

void TestValuation::oldAmountModeStopsSilently()
{
    QFETCH(QString, quantity2);
    QFETCH(QString, node2);

    auto grid = makeGrid({{"AAA", "Alpha", "1.00", "10", "12", "", "90.00", "old diff", "old pct"},
                          {"BBB", "Beta", "1.00", quantity2, "5", "", "45.00", "old diff", "old pct"},
                          {"CCC", "Gamma", "1.00", "10", "8", "70.00", "75.00", "keep", "keep"}},
                         g);
    grid->setCell(OldAmt, 0, "Cost Amount");
    double reference = 1234.0;
    const QStringList nodes{"AAA - Alpha - 10.00 x 100.00 = 100.00", node2,
                            "CCC - Gamma - 7.50 x 75.00 = 75.00"};

    std::optional<Valuation::Totals> totals;
    try {
        totals = Valuation::oldAmountMode(*grid, g, reference, nodes);
    } catch (const AppError &e) {
        QFAIL(qPrintable("reported instead of stopping silently: " + e.message()));
    }
    QVERIFY(!totals.has_value());
    QCOMPARE(grid->cell(OldAmt, 0), QString("Cost Amount"));
    QTEST(reference, "wantReference");
    QTEST(grid->cell(OldAmt, 1), "wantOld1");
    QTEST(grid->cell(Difference, 1), "wantDifference1");
    QTEST(grid->cell(Difference, 2), "wantDifference2");
    QCOMPARE(grid->cell(Percent, 2), QString("old pct"));
    QCOMPARE(lookOf(*grid, Difference, 2, g), QString("plain"));
    QCOMPARE(grid->cell(Difference, 3), QString("keep"));
    QCOMPARE(grid->cell(Percent, 3), QString("keep"));
}

void TestValuation::costAmountMode()
{
    auto grid = makeGrid({{"AAA", "Alpha", "10.00", "100", "12", "", "", "", ""},
                          {"BBB", "Beta", "", "10", "99", "450.00", "500.00", "", ""},
                          {"CCC", "Gamma", "2.5", "1,000", "2.25", "9.00", "9.00", "", ""}},
                         g);
    double reference = 42.0;
    const auto totals = Valuation::costAmountMode(*grid, g, reference);

    QCOMPARE(grid->cell(OldAmt, 1), QString("1,000.00"));
    QCOMPARE(grid->cell(ExtAmt, 1), QString("1,200.00"));
    QCOMPARE(grid->cell(Difference, 1), QString("200.00"));
    QCOMPARE(grid->cell(Percent, 1), QString("20.00"));
    QCOMPARE(lookOf(*grid, Difference, 1, g), QString("gain"));

    // Without Ave. Cost the amounts stay, but Difference and Percent follow the cells.
    QCOMPARE(grid->cell(OldAmt, 2), QString("500.00"));
    QCOMPARE(grid->cell(ExtAmt, 2), QString("450.00"));
    QCOMPARE(grid->cell(Difference, 2), QString("-50.00"));
    QCOMPARE(grid->cell(Percent, 2), QString("-10.00"));
    QCOMPARE(lookOf(*grid, Percent, 2, g), QString("loss"));

    QCOMPARE(grid->cell(OldAmt, 3), QString("2,500.00"));
    QCOMPARE(grid->cell(ExtAmt, 3), QString("2,250.00"));
    QCOMPARE(grid->cell(Percent, 3), QString("-10.00"));

    QCOMPARE(reference, 4000.0);
    QCOMPARE(totals.label1, QString(" Total: 3,900.00"));
    QCOMPARE(totals.label2, QString("-100.00"));
    QCOMPARE(grid->cell(OldAmt, 0), QString("Cost Amount"));
}

void TestValuation::costAmountModeErrors_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("wantDifference1");
    QTest::addColumn<double>("wantReference");

    // The first row is done before the failing one; a failure in the amounts comes
    // before any row is compared.
    const QStringList good{"AAA", "Alpha", "10.00", "100", "12", "", "", "", ""};
    QTest::newRow("no ave cost, zero old amount")
        << QList<QStringList>{good, {"BBB", "Beta", "", "10", "5", "50.00", "0", "", ""}} << kDivByZero << "200.00" << 1000.0;
    QTest::newRow("empty row at the end")
        << QList<QStringList>{good, {"", "", "", "", "", "", "", "", ""}} << badNumber("") << "200.00" << 1000.0;
    QTest::newRow("ave cost not a number")
        << QList<QStringList>{good, {"BBB", "Beta", "1.2.3", "10", "5", "", "", "", ""}} << badNumber("1.2.3") << "" << 0.0;
    QTest::newRow("zero ave cost")
        << QList<QStringList>{good, {"BBB", "Beta", "0", "10", "5", "", "", "", ""}} << kDivByZero << "200.00" << 1000.0;
}

void TestValuation::costAmountModeErrors()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, message);

    auto grid = makeGrid(rows, g);
    double reference = 42.0;
    QString thrown;
    try {
        Valuation::costAmountMode(*grid, g, reference);
    } catch (const AppError &e) {
        thrown = e.message();
    }
    QCOMPARE(thrown, message);
    QCOMPARE(grid->cell(OldAmt, 0), QString("Old Amt."));
    QCOMPARE(grid->cell(OldAmt, 1), QString("1,000.00"));
    QTEST(grid->cell(Difference, 1), "wantDifference1");
    QTEST(reference, "wantReference");
}

void TestValuation::restoreOldAmountsByPosition()
{
    auto grid = makeGrid({{"NEW", "Inserted", "", "", "", "", "5.00", "", ""},
                          {"AAA", "Alpha", "", "", "", "", "6.00", "", ""},
                          {"B=C", "Beta", "", "", "", "", "7.00", "", ""},
                          {"DDD", "Delta", "", "", "", "", "8.00", "", ""}},
                         g);
    // Saved before NEW was inserted above AAA: amounts go by position, not by symbol.
    const QStringList nodes{"AAA - Alpha - 1.00 x 10.00 = 1,100.00",
                            "B=C - Net = Gross - 2.00 x 20.00 = 2,200.00",
                            " -  -  x  = "};
    Valuation::RestoreOldAmounts(*grid, nodes);

    QCOMPARE(grid->cell(OldAmt, 1), QString("1,100.00"));
    QCOMPARE(grid->cell(OldAmt, 2), QString("2,200.00"));
    QCOMPARE(grid->cell(OldAmt, 3), QString(""));
    QCOMPARE(grid->cell(OldAmt, 4), QString("8.00"));
    QCOMPARE(grid->cell(Symbol, 1), QString("NEW"));
    QCOMPARE(grid->rowCount(), 5);

    // More recorded holdings than rows (rows deleted since the save): the surplus
    // amounts go nowhere, so a row added afterwards comes up empty.
    auto shorter = makeGrid({{"AAA", "Alpha", "", "", "", "", "6.00", "", ""}}, g);
    Valuation::RestoreOldAmounts(*shorter, nodes);
    QCOMPARE(shorter->cell(OldAmt, 1), QString("1,100.00"));
    shorter->setRowCount(shorter->rowCount() + 2);
    QCOMPARE(shorter->cell(OldAmt, 2), QString());
    QCOMPARE(shorter->cell(OldAmt, 3), QString());
}

QTEST_GUILESS_MAIN(TestValuation)
#include "tst_valuation.moc"
