#include "platform/apperror.h"
#include "platform/gridmodel.h"
#include "quotes/retrieval.h"

#include <QtTest>
#include <climits>
#include <memory>
#include "support/looks.h"

using Rows = QList<QStringList>;

namespace {

enum Col { Symbol, Name, AveCost, Quantity, Price, ExtAmt, OldAmt, Difference, Percent };

const QStringList kHeadings{"Symbol", "Stock Name          ", "Ave. Cost", "Quantity", "Price",
                            "Ext. Amt.", "Old Amt.", "Difference", "Percent"};

TGlobals colours()
{
    TGlobals g;
    g.GridColor = rgbColor(255, 255, 255);
    g.GridColorTo = rgbColor(240, 240, 240);
    g.GridTextColor = rgbColor(0, 0, 0);
    g.GainColor = rgbColor(0, 160, 0);
    g.GainColorTo = rgbColor(0, 200, 0);
    g.GainTextColor = rgbColor(255, 255, 255);
    g.LossColor = rgbColor(160, 0, 0);
    g.LossColorTo = rgbColor(200, 0, 0);
    g.LossTextColor = rgbColor(255, 255, 0);
    return g;
}

// Holdings grid with the given data rows; Difference starts with the plain grid look.
std::unique_ptr<GridModel> makeGrid(const Rows &rows, const TGlobals &g)
{
    auto grid = std::make_unique<GridModel>(9, int(rows.size()) + 1);
    for (int col = 0; col < 9; ++col)
        grid->setCell(col, 0, kHeadings[col]);
    for (int r = 0; r < rows.size(); ++r) {
        for (int col = 0; col < rows[r].size(); ++col)
            grid->setCell(col, r + 1, rows[r][col]);
        grid->setCellColors(Difference, r + 1, g.GridColor, g.GridColorTo, g.GridTextColor);
    }
    return grid;
}

Rows dataRows(const GridModel &grid)
{
    Rows rows;
    for (int row = 1; row < grid.rowCount(); ++row)
        rows << grid.rowTexts(row);
    return rows;
}

QVector<QuoteFetcher::Result> resultsOf(const QStringList &scanResults)
{
    QVector<QuoteFetcher::Result> results;
    for (const QString &s : scanResults)
        results.append(QuoteFetcher::Result{s, s.isEmpty() ? QStringLiteral("HTTP status 404 Not Found") : QString()});
    return results;
}

const QDateTime kNow(QDate(2026, 3, 2), QTime(14, 5, 9));
const QString kReceived = QStringLiteral("Price received at 14:05:09");
const QString kNoneOlder = QStringLiteral("The retrieval at 14:05:09 brought no price. The price shown is older.");
const QString kNone = QStringLiteral("The retrieval at 14:05:09 brought no price.");

} // namespace

class TestRetrieval : public QObject {
    Q_OBJECT

private slots:
    void buildRequests_data();
    void buildRequests();
    void rowsBeyondTheRowCountAreNotAsked();
    void writeBack_data();
    void writeBack();
    void userCellErrorStopsAtThatRow_data();
    void userCellErrorStopsAtThatRow();
    void summaryText_data();
    void summaryText();
    void timerTick_data();
    void timerTick();
};

void TestRetrieval::buildRequests_data()
{
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("requested");

    QTest::newRow("in row order") << QStringList{"MSFT", "IBM", "AAPL"} << QList<int>{1, 2, 3}
                                  << QStringList{"MSFT", "IBM", "AAPL"};
    QTest::newRow("blank row between") << QStringList{"MSFT", "", "IBM"} << QList<int>{1, 3}
                                       << QStringList{"MSFT", "IBM"};
    QTest::newRow("blanks and control characters only")
        << QStringList{"   ", "\t", QString(QChar(1)) + " \r\n", "X"} << QList<int>{4} << QStringList{"X"};
    QTest::newRow("symbol kept as the cell holds it") << QStringList{" IBM", "BRK B ", "a&b"} << QList<int>{1, 2, 3}
                                                      << QStringList{" IBM", "BRK B ", "a&b"};
    QTest::newRow("duplicates") << QStringList{"MSFT", "MSFT"} << QList<int>{1, 2} << QStringList{"MSFT", "MSFT"};
    QTest::newRow("no data rows") << QStringList{} << QList<int>{} << QStringList{};
}

void TestRetrieval::buildRequests()
{
    QFETCH(QStringList, symbols);
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, requested);

    const TGlobals g = colours();
    Rows data;
    for (const QString &s : symbols)
        data << QStringList{s, "Name", "1.00", "1"};
    const auto grid = makeGrid(data, g);

    const auto requests = Retrieval::buildRequests(*grid);
    QCOMPARE(requests.size(), rows.size());
    for (int i = 0; i < requests.size(); ++i) {
        QCOMPARE(requests[i].row, rows[i]);
        QCOMPARE(requests[i].symbol, requested[i]);
    }
}

void TestRetrieval::rowsBeyondTheRowCountAreNotAsked()
{
    const TGlobals g = colours();
    const auto grid = makeGrid({{"MSFT"}}, g);
    grid->setCell(Symbol, 2, "HIDDEN"); // written, not yet shown
    const auto requests = Retrieval::buildRequests(*grid);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].symbol, QStringLiteral("MSFT"));
}

void TestRetrieval::writeBack_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("scanResults"); // one per non-blank symbol, in row order
    QTest::addColumn<Rows>("expected");
    QTest::addColumn<QStringList>("differenceLooks");
    QTest::addColumn<QStringList>("priceHints");
    QTest::addColumn<QStringList>("priced");
    QTest::addColumn<QStringList>("unpriced");

    const QStringList msft{"MSFT", "Microsoft", "20.00", "10", "25.00", "250.00", "200.00", "50.00", "25.00"};

    QTest::newRow("priced row is valued, Percent kept")
        << Rows{msft} << QStringList{"30.00"}
        << Rows{{"MSFT", "Microsoft", "20.00", "10", "30.00", "300.00", "200.00", "100.00", "25.00"}}
        << QStringList{"gain"} << QStringList{kReceived} << QStringList{"MSFT"} << QStringList{};
    QTest::newRow("price falls below the old amount")
        << Rows{msft} << QStringList{"15"}
        << Rows{{"MSFT", "Microsoft", "20.00", "10", "15", "150.00", "200.00", "-50.00", "25.00"}}
        << QStringList{"loss"} << QStringList{kReceived} << QStringList{"MSFT"} << QStringList{};
    QTest::newRow("price with thousands written as sent")
        << Rows{{"NVR", "NVR Inc", "1.00", "1,000", "1.00", "1.00", "100.00"}} << QStringList{"1,234.50"}
        << Rows{{"NVR", "NVR Inc", "1.00", "1,000", "1,234.50", "1,234,500.00", "100.00", "1,234,400.00", ""}}
        << QStringList{"gain"} << QStringList{kReceived} << QStringList{"NVR"} << QStringList{};
    QTest::newRow("NA keeps the row") << Rows{msft} << QStringList{"NA"} << Rows{msft} << QStringList{"plain"}
                                      << QStringList{kNoneOlder} << QStringList{} << QStringList{"MSFT"};
    QTest::newRow("no result keeps the row") << Rows{msft} << QStringList{""} << Rows{msft} << QStringList{"plain"}
                                             << QStringList{kNoneOlder} << QStringList{} << QStringList{"MSFT"};
    QTest::newRow("price with letters keeps the row")
        << Rows{msft} << QStringList{"12.3x"} << Rows{msft} << QStringList{"plain"} << QStringList{kNoneOlder}
        << QStringList{} << QStringList{"MSFT"};
    QTest::newRow("markup instead of a price keeps the row")
        << Rows{msft} << QStringList{"<b>12</b>"} << Rows{msft} << QStringList{"plain"} << QStringList{kNoneOlder}
        << QStringList{} << QStringList{"MSFT"};
    QTest::newRow("never priced row without a price")
        << Rows{{"NEW", "New Co", "", "5", "", "", "0"}} << QStringList{"NA"}
        << Rows{{"NEW", "New Co", "", "5", "", "", "0", "", ""}} << QStringList{"plain"} << QStringList{kNone}
        << QStringList{} << QStringList{"NEW"};
    QTest::newRow("blank row between symbols")
        << Rows{{"AAA", "A", "1.00", "2", "1.00", "2.00", "2.00"}, {"", "", "", "", "", "", ""},
                {"BBB", "B", "1.00", "3", "1.00", "3.00", "3.00"}}
        << QStringList{"5.00", "7.00"}
        << Rows{{"AAA", "A", "1.00", "2", "5.00", "10.00", "2.00", "8.00", ""},
                {"", "", "", "", "", "", "0", "", ""},
                {"BBB", "B", "1.00", "3", "7.00", "21.00", "3.00", "18.00", ""}}
        << QStringList{"gain", "plain", "gain"} << QStringList{kReceived, "", kReceived}
        << QStringList{"AAA", "BBB"} << QStringList{};
    QTest::newRow("same symbol twice gets its own results")
        << Rows{{"DUP", "D", "1.00", "1", "1.00", "1.00", "1.00"}, {"DUP", "D", "1.00", "2", "1.00", "2.00", "2.00"}}
        << QStringList{"4.00", "NA"}
        << Rows{{"DUP", "D", "1.00", "1", "4.00", "4.00", "1.00", "3.00", ""},
                {"DUP", "D", "1.00", "2", "1.00", "2.00", "2.00", "", ""}}
        << QStringList{"gain", "plain"} << QStringList{kReceived, kNoneOlder} << QStringList{"DUP"}
        << QStringList{"DUP"};
    QTest::newRow("empty Old Amt. becomes 0 on every row")
        << Rows{{"AAA", "A", "1.00", "2", "1.00", "2.00", ""}, {"BBB", "B", "1.00", "1", "1.00", "1.00", "   "},
                {"", "", "", "", "", "", ""}, {"CCC", "C", "1.00", "1", "9.00", "9.00", "8.00"}}
        << QStringList{"3.00", "", "NA"}
        << Rows{{"AAA", "A", "1.00", "2", "3.00", "6.00", "0", "6.00", ""},
                {"BBB", "B", "1.00", "1", "1.00", "1.00", "0", "", ""},
                {"", "", "", "", "", "", "0", "", ""},
                {"CCC", "C", "1.00", "1", "9.00", "9.00", "8.00", "", ""}}
        << QStringList{"gain", "plain", "plain", "plain"} << QStringList{kReceived, kNoneOlder, "", kNoneOlder}
        << QStringList{"AAA"} << QStringList{"BBB", "CCC"};
}

void TestRetrieval::writeBack()
{
    QFETCH(Rows, rows);
    QFETCH(QStringList, scanResults);
    QFETCH(Rows, expected);
    QFETCH(QStringList, differenceLooks);
    QFETCH(QStringList, priceHints);
    QFETCH(QStringList, priced);
    QFETCH(QStringList, unpriced);

    const TGlobals g = colours();
    const auto grid = makeGrid(rows, g);
    const auto requests = Retrieval::buildRequests(*grid);
    QCOMPARE(requests.size(), scanResults.size());

    const Retrieval::Summary summary = Retrieval::writeBack(*grid, g, requests, resultsOf(scanResults), kNow);

    QCOMPARE(dataRows(*grid), expected);
    for (int row = 1; row < grid->rowCount(); ++row) {
        QCOMPARE(lookOf(*grid, Difference, row, g), differenceLooks[row - 1]);
        QCOMPARE(grid->cellData(Price, row).hint, priceHints[row - 1]);
    }
    QCOMPARE(summary.priced, priced);
    QCOMPARE(summary.unpriced, unpriced);
}

void TestRetrieval::userCellErrorStopsAtThatRow_data()
{
    QTest::addColumn<QStringList>("badRow");
    QTest::addColumn<QString>("message");

    QTest::newRow("quantity with letters")
        << QStringList{"BAD", "B", "4.00", "abc", "1.00", "4.00", ""} << "'abc' is not a valid floating point value";
    QTest::newRow("old amount with letters")
        << QStringList{"BAD", "B", "4.00", "1", "1.00", "4.00", "x1"} << "'x1' is not a valid floating point value";
    QTest::newRow("ext amount unreadable, no quantity")
        << QStringList{"BAD", "B", "4.00", "", "1.00", "12a", "1.00"} << "'12a' is not a valid floating point value";
}

void TestRetrieval::userCellErrorStopsAtThatRow()
{
    QFETCH(QStringList, badRow);
    QFETCH(QString, message);

    const TGlobals g = colours();
    const QStringList before{"AAA", "A", "1.00", "2", "1.00", "2.00", "2.00"};
    const QStringList after{"CCC", "C", "1.00", "3", "1.00", "3.00", ""};
    const auto grid = makeGrid({before, badRow, after}, g);
    grid->setCellHint(Price, 2, "earlier hint");
    const Rows untouched = dataRows(*grid);
    const auto requests = Retrieval::buildRequests(*grid);

    try {
        Retrieval::writeBack(*grid, g, requests, resultsOf({"5.00", "6.00", "7.00"}), kNow);
        QFAIL("the conversion error did not reach the caller");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }

    const Rows now = dataRows(*grid);
    QCOMPARE(now[0], (QStringList{"AAA", "A", "1.00", "2", "5.00", "10.00", "2.00", "8.00", ""}));
    QCOMPARE(lookOf(*grid, Difference, 1, g), QStringLiteral("gain"));
    QCOMPARE(now[1], untouched[1]);
    QCOMPARE(now[2], untouched[2]);
    QCOMPARE(grid->cellData(Price, 2).hint, QStringLiteral("earlier hint"));
    QCOMPARE(grid->cellData(Price, 3).hint, QString());
    QCOMPARE(lookOf(*grid, Difference, 2, g), QStringLiteral("plain"));
    QCOMPARE(lookOf(*grid, Difference, 3, g), QStringLiteral("plain"));
}

void TestRetrieval::summaryText_data()
{
    QTest::addColumn<QStringList>("priced");
    QTest::addColumn<QStringList>("unpriced");
    QTest::addColumn<QString>("text");

    QStringList many;
    for (int i = 1; i <= 14; ++i)
        many << QStringLiteral("S%1").arg(i);

    QTest::newRow("all priced") << QStringList{"A", "B", "C"} << QStringList{} << "Priced 3 of 3 symbols.";
    QTest::newRow("one symbol") << QStringList{"A"} << QStringList{} << "Priced 1 of 1 symbol.";
    QTest::newRow("some without price") << QStringList{"A", "B"} << QStringList{"XYZ", "ABC"}
                                        << "Priced 2 of 4 symbols. No price for: XYZ, ABC";
    QTest::newRow("none priced") << QStringList{} << QStringList{"XYZ"} << "Priced 0 of 1 symbol. No price for: XYZ";
    QTest::newRow("blanks trimmed, repeats named once")
        << QStringList{"A"} << QStringList{" IBM", "IBM", "X "} << "Priced 1 of 4 symbols. No price for: IBM, X";
    QTest::newRow("many without price")
        << QStringList{"A"} << many
        << "Priced 1 of 15 symbols. No price for: S1, S2, S3, S4, S5, S6, S7, S8, S9, S10 and 4 more";
    QTest::newRow("nothing to price") << QStringList{} << QStringList{} << "No symbols to price.";
}

void TestRetrieval::summaryText()
{
    QFETCH(QStringList, priced);
    QFETCH(QStringList, unpriced);
    QFETCH(QString, text);
    QCOMPARE(Retrieval::summaryText(Retrieval::Summary{priced, unpriced}), text);
}

void TestRetrieval::timerTick_data()
{
    QTest::addColumn<bool>("autoTimer");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("countAfter");
    QTest::addColumn<int>("newInterval"); // -1: not written

    const int nothing = int(Retrieval::TickAction::Nothing);
    const int rearm = int(Retrieval::TickAction::Rearm);
    const int retrieve = int(Retrieval::TickAction::Retrieve);

    QTest::newRow("off, re-arm pending") << false << 0 << 30 << nothing << 0 << -1;
    QTest::newRow("off, armed") << false << 30000 << 30 << nothing << 30000 << -1;
    QTest::newRow("re-arm 30 s") << true << 0 << 30 << rearm << 30000 << 30000;
    QTest::newRow("re-arm 30 min") << true << 0 << 1800 << rearm << 1800000 << 1800000;
    QTest::newRow("armed ticks retrieve") << true << 30000 << 30 << retrieve << 30000 << -1;
    QTest::newRow("armed with another interval") << true << 60000 << 30 << retrieve << 60000 << -1;
    QTest::newRow("2 is armed") << true << 2 << 30 << retrieve << 2 << -1;
    QTest::newRow("hold") << true << 1 << 30 << nothing << 1 << -1;
    QTest::newRow("negative") << true << -5 << 30 << nothing << -5 << -1;
    QTest::newRow("interval 0 stops the timer") << true << 0 << 0 << rearm << 0 << 0;
    QTest::newRow("negative interval stops the timer") << true << 0 << -10 << rearm << 0 << 0;
    QTest::newRow("interval beyond a timer's range") << true << 0 << 3000000 << rearm << INT_MAX << INT_MAX;
}

void TestRetrieval::timerTick()
{
    QFETCH(bool, autoTimer);
    QFETCH(int, count);
    QFETCH(int, interval);
    QFETCH(int, action);
    QFETCH(int, countAfter);
    QFETCH(int, newInterval);

    TGlobals g;
    g.AutoTimer = autoTimer;
    g.TimerCount = count;
    g.TimerInterval = interval;
    int written = -1;
    QCOMPARE(int(Retrieval::timerTick(g, &written)), action);
    QCOMPARE(g.TimerCount, countAfter);
    QCOMPARE(written, newInterval);
    QCOMPARE(g.TimerInterval, interval);
}

QTEST_GUILESS_MAIN(TestRetrieval)
#include "tst_retrieval.moc"
