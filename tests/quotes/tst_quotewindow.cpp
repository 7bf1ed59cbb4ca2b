// Get Quotes, the automatic timer, the two recalculations and the alert, driven through
// the main window against a quote service on a local port.
#include "quoteserver.h"
#include "support/windowfixture.h"

#include "quotes/quotefetcher.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QStatusTipEvent>
#include <QtTest>
#include <memory>

namespace {

using Rows = QList<QStringList>;

// Read into the grid, each Old Amt. becomes the Ext. Amt. of the last save; 17,684.00 in all.
const Rows kMain{{"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", "2,550.00"},
                 {"XYZ", "XYZ Growth Fund", "12.00", "1,000", "11.75", "11,750.00", "12,000.00"},
                 {"MSFT", "Microsoft Corp.", "310.00", "10", "322.40", "3,224.00", "3,100.00"}};

QByteArray listBytes(const Rows &rows)
{
    QList<QByteArray> lines;
    for (const QStringList &r : rows)
        lines << WindowFixture::line(r);
    return WindowFixture::crlf(lines);
}

// What a user sees of a cell: its text and its three colours.
QStringList rowState(const GridModel &grid, int row)
{
    QStringList out;
    for (int col = 0; col < 9; ++col) {
        const GridModel::Cell c = grid.cellData(col, row);
        out << QStringLiteral("%1 [%2/%3/%4]")
                   .arg(c.text)
                   .arg(c.color, 0, 16)
                   .arg(c.colorTo, 0, 16)
                   .arg(c.fontColor, 0, 16);
    }
    return out;
}

bool showsGain(const GridModel &grid, int col, int row)
{
    const TGlobals &g = Globals();
    return grid.cellColor(col, row) == g.GainColor && grid.cellColorTo(col, row) == g.GainColorTo
        && grid.cellFontColor(col, row) == g.GainTextColor;
}

bool showsLoss(const GridModel &grid, int col, int row)
{
    const TGlobals &g = Globals();
    return grid.cellColor(col, row) == g.LossColor && grid.cellColorTo(col, row) == g.LossColorTo
        && grid.cellFontColor(col, row) == g.LossTextColor;
}

// The options file lines a test varies; the rest are the defaults.
struct Options {
    QString alertFile;
    bool autoTimer = false;
    bool ringAlarm = false;
    int timerInterval = 60;
};

QString message(const TVantori1 &w)
{
    return w.statusText();
}

} // namespace

Q_DECLARE_METATYPE(QuoteServer::Answer)

class TestQuoteWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneRequestPerSymbol();
    void pricedRowsAreValued();
    void progressWhileRunning();
    void unpricedRowKeepsItsValues_data();
    void unpricedRowKeepsItsValues();
    void refusedServiceNamesEverySymbol();
    void listWithoutHoldings();
    void conversionErrorStopsTheRetrieval_data();
    void conversionErrorStopsTheRetrieval();
    void getQuotesWhileRunningIsIgnored();
    void windowStaysResponsive();
    void f5GetsQuotes();
    void lossesMarkHoldingsOfEveryList();
    void alert_data();
    void alert();
    void brokenSoundReportedOnce();
    void timerTick_data();
    void timerTick();
    void timerFromStartUp();
    void oldAmountMode();
    void costAmountMode();
    void recalculationFailures_data();
    void recalculationFailures();

private:
    // Writes the lists and an options file naming `startUpList` and the local service.
    TVantori1 &start(const QList<QPair<QString, Rows>> &lists, const QString &startUpList,
                     const QString &service, const Options &options = Options());
    TVantori1 &startOnMain(const Options &options = Options());
    // Presses Get Quotes and waits for the retrieval to end.
    bool getQuotes();
    bool waitForRetrieval(QSignalSpy &finished);
    // Serves every row of kMain: ABC rises, XYZ falls, MSFT holds.
    void serveMain();

    std::unique_ptr<WindowFixture> m_fixture;
    std::unique_ptr<QuoteServer> m_server;
};

void TestQuoteWindow::init()
{
    // The fixture resets the process-wide settings and points the settings store at its own folder.
    m_fixture = std::make_unique<WindowFixture>();
    m_server = std::make_unique<QuoteServer>();
    QVERIFY(m_server->isListening());
}

void TestQuoteWindow::cleanup()
{
    if (m_fixture->window)
        m_fixture->window->close();
    QCOMPARE(m_fixture->prompts.unexpected, QStringList());
    m_fixture.reset();
    m_server.reset();
    // A test that stopped in the middle must not leave the next one with a busy cursor.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

TVantori1 &TestQuoteWindow::start(const QList<QPair<QString, Rows>> &lists, const QString &startUpList,
                                  const QString &service, const Options &options)
{
    WindowFixture &f = *m_fixture;
    for (const auto &list : lists)
        WindowFixture::write(f.listsFolder() + QLatin1Char('/') + list.first, listBytes(list.second));
    QStringList lines = WindowFixture::options(startUpList, f.listsFolder());
    lines[2] = options.alertFile;
    lines[11] = QString::number(options.timerInterval);
    lines[16] = options.autoTimer ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    lines[17] = options.ringAlarm ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    lines << service;
    f.writeOptions(lines);
    return f.start();
}

TVantori1 &TestQuoteWindow::startOnMain(const Options &options)
{
    return start({{QStringLiteral("Main.Stk"), kMain}}, QStringLiteral("Main.Stk"), m_server->service(), options);
}

bool TestQuoteWindow::waitForRetrieval(QSignalSpy &finished)
{
    return finished.size() == 1 || (finished.wait(20000) && finished.size() == 1);
}

bool TestQuoteWindow::getQuotes()
{
    TVantori1 &w = *m_fixture->window;
    QSignalSpy finished(&w, &TVantori1::retrievalFinished);
    w.action(QStringLiteral("TRunBtn"))->trigger();
    return waitForRetrieval(finished) && !w.retrieving();
}

void TestQuoteWindow::serveMain()
{
    m_server->setAnswer("ABC", page(quotePage("30.00")));
    m_server->setAnswer("XYZ", page(quotePage("11.00")));
    m_server->setAnswer("MSFT", page(quotePage("322.40")));
}

void TestQuoteWindow::oneRequestPerSymbol()
{
    const Rows rows{{"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", ""},
                    {"", "", "", "", "", "", ""},
                    {"   ", "Blank Symbol", "1.00", "1", "1.00", "1.00", ""},
                    {" IBM", "IBM", "100.00", "2", "120.00", "240.00", ""},
                    {"BRK B", "Berkshire B", "200.00", "1", "300.00", "300.00", ""},
                    {"A&B", "A and B", "5.00", "10", "6.00", "60.00", ""}};
    TVantori1 &w = start({{QStringLiteral("Odd.Stk"), rows}}, QStringLiteral("Odd.Stk"), m_server->service());
    for (const QString &s : {"ABC", " IBM", "BRK B", "A&B"})
        m_server->setAnswer(s, page(quotePage("10.00")));

    QVERIFY(getQuotes());

    QStringList targets;
    for (const QuoteServer::Seen &seen : std::as_const(m_server->seen)) {
        targets << QString::fromLatin1(seen.target);
        QCOMPARE(seen.userAgent, QByteArray("WebData"));
    }
    targets.sort();
    QStringList expected;
    for (const char *q : {"ABC", "%20IBM", "BRK%20B", "A%26B"})
        expected << QString::fromLatin1(kPath + q);
    expected.sort();
    QCOMPARE(targets, expected);

    // Every row got its own symbol's answer; the blank ones only the "0" Old Amt.
    const GridModel &grid = w.grid();
    for (int row : {1, 4, 5, 6})
        QCOMPARE(grid.cell(4, row), QStringLiteral("10.00"));
    QCOMPARE(grid.cell(5, 4), QStringLiteral("20.00"));
    QCOMPARE(grid.cell(4, 3), QStringLiteral("1.00"));
    QCOMPARE(grid.cell(6, 2), QStringLiteral("0"));
    QCOMPARE(message(w), QStringLiteral("Priced 4 of 4 symbols."));
}

void TestQuoteWindow::pricedRowsAreValued()
{
    TVantori1 &w = startOnMain();
    m_server->setAnswer("ABC", page(quotePage("30.00")));
    m_server->setAnswer("XYZ", page(quotePage("11.00")));
    m_server->setAnswer("MSFT", page(quotePage("1,322.40")));
    const GridModel &grid = w.grid();
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,684.00"));
    QVERIFY(!w.changeShown());
    QStringList percents;
    for (int row = 1; row <= 3; ++row)
        percents << grid.cell(8, row);

    QVERIFY(getQuotes());

    struct Expected {
        const char *price, *ext, *old, *difference;
        bool loss;
    };
    const Expected expected[] = {{"30.00", "3,000.00", "2,710.00", "290.00", false},
                                 {"11.00", "11,000.00", "11,750.00", "-750.00", true},
                                 {"1,322.40", "13,224.00", "3,224.00", "10,000.00", false}};
    for (int row = 1; row <= 3; ++row) {
        const Expected &e = expected[row - 1];
        QCOMPARE(grid.cell(4, row), QString::fromLatin1(e.price));
        QCOMPARE(grid.cell(5, row), QString::fromLatin1(e.ext));
        QCOMPARE(grid.cell(6, row), QString::fromLatin1(e.old));
        QCOMPARE(grid.cell(7, row), QString::fromLatin1(e.difference));
        QVERIFY2(e.loss ? showsLoss(grid, 7, row) : showsGain(grid, 7, row), qPrintable(grid.cell(0, row)));
        QCOMPARE(grid.cell(8, row), percents[row - 1]);
        QVERIFY2(grid.cellData(4, row).hint.startsWith(QStringLiteral("Price received at ")),
                 qPrintable(grid.cellData(4, row).hint));
    }
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 27,224.00"));
    QCOMPARE(w.Label2->text(), QStringLiteral("9,540.00"));
    QVERIFY(w.changeShown());
    QCOMPARE(message(w), QStringLiteral("Priced 3 of 3 symbols."));
    QCOMPARE(m_fixture->prompts.messages.size(), 0);
}

void TestQuoteWindow::progressWhileRunning()
{
    TVantori1 &w = startOnMain();
    serveMain();
    m_server->setAnswer("XYZ", delayed("11.00", 1500));
    QSignalSpy finished(&w, &TVantori1::retrievalFinished);

    w.action(QStringLiteral("TRunBtn"))->trigger();
    QCOMPARE(message(w), QStringLiteral("Getting quotes 0 of 3"));
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QTRY_COMPARE_WITH_TIMEOUT(message(w), QStringLiteral("Getting quotes 2 of 3"), 10000);
    QVERIFY(w.retrieving());
    QCOMPARE(finished.size(), 0);

    QVERIFY(waitForRetrieval(finished));
    QCOMPARE(message(w), QStringLiteral("Priced 3 of 3 symbols."));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestQuoteWindow::unpricedRowKeepsItsValues_data()
{
    QTest::addColumn<QuoteServer::Answer>("answer");
    QTest::addColumn<bool>("priced");

    QuoteServer::Answer silent;
    silent.silent = true;
    const QByteArray span = "<span class=\"s1\">";

    QTest::newRow("page without markers") << page("<html>Service closed</html>") << false;
    QTest::newRow("price span only before the form")
        << page(span + "9.99</span>" + formAction() + "</form>") << false;
    QTest::newRow("NA") << page(quotePage("NA")) << false;
    QTest::newRow("empty price") << page(quotePage("")) << false;
    QTest::newRow("price with letters") << page(quotePage("12.3x")) << false;
    QTest::newRow("script in the price") << page(quotePage("<script>alert(1)</script>")) << false;
    QTest::newRow("404") << page(quotePage("7.25"), 404) << false;
    QTest::newRow("503") << page(quotePage("7.25"), 503) << false;
    QTest::newRow("no answer") << silent << false;
    QTest::newRow("binary junk") << page(junk(64 * 1024, 3)) << false;
    QTest::newRow("page over the size limit")
        << page(QByteArray(QuoteFetcher::kMaxPageBytes + 1024, 'x') + quotePage("7.25")) << false;
    QTest::newRow("500 counts as a page") << page(quotePage("11.00"), 500) << true;
}

void TestQuoteWindow::unpricedRowKeepsItsValues()
{
    QFETCH(QuoteServer::Answer, answer);
    QFETCH(bool, priced);

    TVantori1 &w = startOnMain();
    w.WebData1->setTimeoutMs(1000);
    serveMain();
    m_server->setAnswer("XYZ", answer);
    const GridModel &grid = w.grid();
    const QStringList before = rowState(grid, 2);

    QVERIFY(getQuotes());

    QCOMPARE(m_server->seen.size(), 3);
    QCOMPARE(grid.cell(4, 1), QStringLiteral("30.00"));
    QCOMPARE(grid.cell(5, 1), QStringLiteral("3,000.00"));
    QVERIFY(w.changeShown());
    if (priced) {
        QCOMPARE(grid.cell(4, 2), QStringLiteral("11.00"));
        QCOMPARE(grid.cell(5, 2), QStringLiteral("11,000.00"));
        QCOMPARE(message(w), QStringLiteral("Priced 3 of 3 symbols."));
        QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,224.00"));
        return;
    }
    QCOMPARE(rowState(grid, 2), before);
    const QString hint = grid.cellData(4, 2).hint;
    QVERIFY2(hint.contains(QStringLiteral("brought no price")) && hint.contains(QStringLiteral("older")),
             qPrintable(hint));
    QCOMPARE(message(w), QStringLiteral("Priced 2 of 3 symbols. No price for: XYZ"));
    // Passing the mouse over a button shows its hint; the summary is still there after.
    QStatusTipEvent hover(QStringLiteral("Open Stock List")), leave{QString()};
    QCoreApplication::sendEvent(&w, &hover);
    QCoreApplication::sendEvent(&w, &leave);
    QCOMPARE(message(w), QStringLiteral("Priced 2 of 3 symbols. No price for: XYZ"));
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,974.00"));
    QCOMPARE(w.Label2->text(), QStringLiteral("290.00"));
    QCOMPARE(m_fixture->prompts.messages.size(), 0);
}

void TestQuoteWindow::refusedServiceNamesEverySymbol()
{
    TVantori1 &w = start({{QStringLiteral("Main.Stk"), kMain}}, QStringLiteral("Main.Stk"), closedPortService());
    const GridModel &grid = w.grid();
    QList<QStringList> before;
    for (int row = 1; row <= 3; ++row)
        before << rowState(grid, row);

    QVERIFY(getQuotes());

    for (int row = 1; row <= 3; ++row)
        QCOMPARE(rowState(grid, row), before[row - 1]);
    QCOMPARE(message(w), QStringLiteral("Priced 0 of 3 symbols. No price for: ABC, XYZ, MSFT"));
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,684.00"));
    QCOMPARE(w.Label2->text(), QStringLiteral("0.00"));
    QVERIFY(w.changeShown());
    QCOMPARE(m_fixture->prompts.messages.size(), 0);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestQuoteWindow::listWithoutHoldings()
{
    const QString sound = m_fixture->programFolder() + QStringLiteral("/alert.wav");
    WindowFixture::write(sound, "RIFF");
    Options options;
    options.alertFile = sound;
    options.ringAlarm = true;
    TVantori1 &w = start({{QStringLiteral("Empty.Stk"), Rows()}}, QStringLiteral("Empty.Stk"),
                         m_server->service(), options);

    QVERIFY(getQuotes());

    QCOMPARE(m_server->seen.size(), 0);
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 0.00"));
    QVERIFY(w.changeShown());
    QCOMPARE(message(w), QStringLiteral("No symbols to price."));
    QCOMPARE(m_fixture->sound.played, QStringList{sound});
}

void TestQuoteWindow::conversionErrorStopsTheRetrieval_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");

    QTest::newRow("quantity") << 3 << "12abc" << "'12abc' is not a valid floating point value";
    QTest::newRow("old amount") << 6 << "old" << "'old' is not a valid floating point value";
}

void TestQuoteWindow::conversionErrorStopsTheRetrieval()
{
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(QString, error);

    const QString sound = m_fixture->programFolder() + QStringLiteral("/alert.wav");
    WindowFixture::write(sound, "RIFF");
    Options options;
    options.alertFile = sound;
    options.ringAlarm = true;
    TVantori1 &w = startOnMain(options);
    m_server->setAnswer("ABC", page(quotePage("20.00"))); // a loss the tree would mark
    m_server->setAnswer("XYZ", page(quotePage("11.00")));
    m_server->setAnswer("MSFT", page(quotePage("400.00")));
    GridModel &grid = w.grid();
    grid.setCell(col, 2, text); // as typed into the grid
    const QStringList row2 = rowState(grid, 2);
    const QStringList row3 = rowState(grid, 3);
    const QString label1 = w.Label1->text();

    QVERIFY(getQuotes());

    QCOMPARE(m_fixture->prompts.errorTexts(), QStringList{error});
    QCOMPARE(grid.cell(4, 1), QStringLiteral("20.00"));
    QCOMPARE(grid.cell(5, 1), QStringLiteral("2,000.00"));
    QCOMPARE(rowState(grid, 2), row2);
    QCOMPARE(rowState(grid, 3), row3);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // Totals, alert and tree refresh come after the rows, so none of them ran.
    QCOMPARE(w.Label1->text(), label1);
    QVERIFY(!w.changeShown());
    QCOMPARE(m_fixture->sound.played, QStringList());
    QCOMPARE(w.nodeAt(1)->text(0).left(6), QStringLiteral("ABC - "));
    QVERIFY(!w.nodeShowsLoss(w.nodeAt(1)));

    // The grid is usable again: mended, the next Get Quotes prices every row.
    grid.setCell(col, 2, col == 3 ? QStringLiteral("1,000") : QStringLiteral("11,750.00"));
    QVERIFY(getQuotes());
    QCOMPARE(grid.cell(5, 3), QStringLiteral("4,000.00"));
    QVERIFY(w.nodeShowsLoss(w.nodeAt(1)));
}

void TestQuoteWindow::getQuotesWhileRunningIsIgnored()
{
    TVantori1 &w = startOnMain();
    serveMain();
    m_server->setAnswer("ABC", delayed("30.00", 1500));
    QSignalSpy finished(&w, &TVantori1::retrievalFinished);

    w.action(QStringLiteral("TRunBtn"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_server->seen.size(), 3, 10000);
    QVERIFY(w.retrieving());
    // Again from the button, and from an armed timer tick.
    w.action(QStringLiteral("TRunBtn"))->trigger();
    Globals().AutoTimer = true;
    Globals().TimerCount = 600000;
    w.Timer1Timer();

    QVERIFY(waitForRetrieval(finished));
    QVERIFY(!w.retrieving());
    QCOMPARE(m_server->seen.size(), 3);
    QCOMPARE(w.grid().cell(4, 1), QStringLiteral("30.00"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestQuoteWindow::windowStaysResponsive()
{
    TVantori1 &w = startOnMain();
    for (const char *s : {"ABC", "XYZ", "MSFT"})
        m_server->setAnswer(s, delayed("10.00", 1000));
    int ticksWhileRunning = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, &w, [&] {
        if (w.retrieving())
            ++ticksWhileRunning;
    });
    ticker.start(20);

    QVERIFY(getQuotes());
    // A second of waiting at 20 ms a tick: far more than a blocked loop would give.
    QVERIFY2(ticksWhileRunning >= 10, qPrintable(QString::number(ticksWhileRunning)));
    QCOMPARE(w.grid().cell(4, 3), QStringLiteral("10.00"));
}

void TestQuoteWindow::f5GetsQuotes()
{
    TVantori1 &w = startOnMain();
    serveMain();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QSignalSpy finished(&w, &TVantori1::retrievalFinished);

    QTest::keyClick(&w, Qt::Key_F5);

    QVERIFY(waitForRetrieval(finished));
    QCOMPARE(m_server->seen.size(), 3);
    QCOMPARE(w.grid().cell(4, 2), QStringLiteral("11.00"));
}

void TestQuoteWindow::lossesMarkHoldingsOfEveryList()
{
    const Rows other{{"xyz", "XYZ Growth Fund", "9.00", "10", "11.75", "117.50", ""},
                     {"QQQ", "Nasdaq Trust", "300.00", "2", "350.00", "700.00", ""}};
    TVantori1 &w = start({{QStringLiteral("Main.Stk"), kMain}, {QStringLiteral("Other.Stk"), other}},
                         QStringLiteral("Main.Stk"), m_server->service());
    serveMain();
    // Main.Stk 0: ABC 1, XYZ 2, MSFT 3; Other.Stk 4: xyz 5, QQQ 6.
    QCOMPARE(w.nodeCount(), 7);
    QCOMPARE(w.nodeAt(4)->text(0), QStringLiteral("Other.Stk"));
    QVERIFY(w.nodeAt(0)->isExpanded());
    w.nodeAt(4)->setExpanded(true);
    for (int i = 0; i < 7; ++i)
        QVERIFY(!w.nodeShowsLoss(w.nodeAt(i)));

    QVERIFY(getQuotes());

    QList<bool> loss;
    for (int i = 0; i < 7; ++i)
        loss << w.nodeShowsLoss(w.nodeAt(i));
    QCOMPARE(loss, QList<bool>({false, false, true, false, false, true, false}));
    QVERIFY(w.nodeAt(0)->isExpanded());
    QVERIFY(!w.nodeAt(4)->isExpanded());
    const QIcon lossIcon = w.nodeAt(2)->icon(0);
    QVERIFY(lossIcon.pixmap(16, 16).toImage() != w.nodeAt(1)->icon(0).pixmap(16, 16).toImage());
    QCOMPARE(w.nodeAt(5)->icon(0).pixmap(16, 16).toImage(), lossIcon.pixmap(16, 16).toImage());

    // A later retrieval where XYZ rises again takes no mark away.
    m_server->setAnswer("XYZ", page(quotePage("12.00")));
    QVERIFY(getQuotes());
    QVERIFY(showsGain(w.grid(), 7, 2));
    QVERIFY(w.nodeShowsLoss(w.nodeAt(2)));
    QVERIFY(w.nodeShowsLoss(w.nodeAt(5)));
}

void TestQuoteWindow::alert_data()
{
    QTest::addColumn<bool>("ringAlarm");
    QTest::addColumn<QString>("file"); // "present", "missing" or "none"
    QTest::addColumn<bool>("plays");

    QTest::newRow("ring, file present") << true << "present" << true;
    QTest::newRow("ring, file missing") << true << "missing" << false;
    QTest::newRow("ring, no file named") << true << "none" << false;
    QTest::newRow("no ring, file present") << false << "present" << false;
}

void TestQuoteWindow::alert()
{
    QFETCH(bool, ringAlarm);
    QFETCH(QString, file);
    QFETCH(bool, plays);

    const QString sound = m_fixture->programFolder() + QStringLiteral("/alert.wav");
    if (file == QLatin1String("present"))
        WindowFixture::write(sound, "RIFF");
    Options options;
    options.alertFile = file == QLatin1String("none") ? QString() : sound;
    options.ringAlarm = ringAlarm;
    TVantori1 &w = startOnMain(options);
    serveMain();

    QVERIFY(getQuotes());

    QCOMPARE(m_fixture->sound.played, plays ? QStringList{sound} : QStringList());
    QCOMPARE(m_fixture->prompts.messages.size(), 0);
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,224.00"));
}

void TestQuoteWindow::brokenSoundReportedOnce()
{
    const QString sound = m_fixture->programFolder() + QStringLiteral("/alert.wav");
    WindowFixture::write(sound, "not a wave");
    m_fixture->sound.broken << sound;
    Options options;
    options.alertFile = sound;
    options.ringAlarm = true;
    TVantori1 &w = startOnMain(options);
    serveMain();

    QVERIFY(getQuotes());
    QCOMPARE(m_fixture->prompts.errorTexts(),
             QStringList{QStringLiteral("The sound file \"%1\" cannot be played.").arg(sound)});
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,224.00"));
    QVERIFY(w.nodeShowsLoss(w.nodeAt(2))); // XYZ fell

    m_server->setAnswer("ABC", page(quotePage("20.00")));
    QVERIFY(getQuotes());
    QCOMPARE(m_fixture->sound.played, QStringList({sound, sound}));
    QCOMPARE(m_fixture->prompts.errorTexts().size(), 1);
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 16,224.00"));
    QVERIFY(w.nodeShowsLoss(w.nodeAt(1))); // ABC fell this time
    QCOMPARE(message(w), QStringLiteral("Priced 3 of 3 symbols."));
}

void TestQuoteWindow::timerTick_data()
{
    QTest::addColumn<bool>("autoTimer");
    QTest::addColumn<int>("timerCount");
    QTest::addColumn<int>("timerInterval");
    QTest::addColumn<bool>("retrieves");
    QTest::addColumn<int>("periodAfter");
    QTest::addColumn<bool>("tickingAfter");
    QTest::addColumn<int>("countAfter");

    QTest::newRow("off, to re-arm") << false << 0 << 30 << false << 1000 << true << 0;
    QTest::newRow("off, armed") << false << 30000 << 30 << false << 1000 << true << 30000;
    QTest::newRow("start-up hold") << true << 1 << 30 << false << 1000 << true << 1;
    QTest::newRow("below zero") << true << -1 << 30 << false << 1000 << true << -1;
    QTest::newRow("re-arm") << true << 0 << 30 << false << 30000 << true << 30000;
    QTest::newRow("re-arm to no interval") << true << 0 << 0 << false << 1000 << false << 0;
    QTest::newRow("armed") << true << 600000 << 600 << true << 1000 << true << 600000;
}

void TestQuoteWindow::timerTick()
{
    QFETCH(bool, autoTimer);
    QFETCH(int, timerCount);
    QFETCH(int, timerInterval);
    QFETCH(bool, retrieves);
    QFETCH(int, periodAfter);
    QFETCH(bool, tickingAfter);
    QFETCH(int, countAfter);

    TVantori1 &w = startOnMain();
    serveMain();
    QCOMPARE(w.Timer1->interval(), 1000);
    QVERIFY(w.Timer1->isActive());
    TGlobals &g = Globals();
    g.AutoTimer = autoTimer;
    g.TimerCount = timerCount;
    g.TimerInterval = timerInterval;
    QSignalSpy finished(&w, &TVantori1::retrievalFinished);

    w.Timer1Timer();

    // A retrieval starts at once or not at all.
    QCOMPARE(w.retrieving(), retrieves);
    QCOMPARE(w.Timer1->isActive(), tickingAfter);
    if (tickingAfter)
        QCOMPARE(w.Timer1->interval(), periodAfter);
    QCOMPARE(g.TimerCount, countAfter);
    if (!retrieves)
        return;
    QVERIFY(waitForRetrieval(finished));
    QCOMPARE(m_server->seen.size(), 3);
    QCOMPARE(w.grid().cell(4, 1), QStringLiteral("30.00"));
    QCOMPARE(message(w), QStringLiteral("Priced 3 of 3 symbols."));
}

void TestQuoteWindow::timerFromStartUp()
{
    Options options;
    options.autoTimer = true;
    options.timerInterval = 600;
    TVantori1 &w = startOnMain(options);
    serveMain();
    QSignalSpy finished(&w, &TVantori1::retrievalFinished);

    // Shown, the window leaves the timer to re-arm: the first tick retrieves nothing.
    QCOMPARE(Globals().TimerCount, 0);
    w.Timer1Timer();
    QVERIFY(!w.retrieving());
    QCOMPARE(w.Timer1->interval(), 600000);
    QVERIFY(w.Timer1->isActive());

    w.Timer1Timer();
    QVERIFY(w.retrieving());
    QVERIFY(waitForRetrieval(finished));
    QCOMPARE(w.grid().cell(4, 2), QStringLiteral("11.00"));
    QCOMPARE(w.Timer1->interval(), 600000);
}

void TestQuoteWindow::oldAmountMode()
{
    TVantori1 &w = startOnMain();
    GridModel &grid = w.grid();
    grid.setCell(4, 1, QStringLiteral("30.00"));
    grid.setCell(4, 2, QStringLiteral("11.00"));
    // The amounts of the last save come back from the tree, whatever the column holds.
    for (int row = 1; row <= 3; ++row)
        grid.setCell(6, row, QStringLiteral("1.00"));

    w.action(QStringLiteral("TCalcBtn"))->trigger();

    QCOMPARE(m_fixture->prompts.messages.size(), 0);
    QCOMPARE(grid.cell(6, 0), QStringLiteral("Old Amount"));
    const QStringList ext{"3,000.00", "11,000.00", "3,224.00"};
    const QStringList old{"2,710.00", "11,750.00", "3,224.00"};
    const QStringList difference{"290.00", "-750.00", "0.00"};
    const QStringList percent{"10.70", "-6.38", "0.00"};
    for (int row = 1; row <= 3; ++row) {
        QCOMPARE(grid.cell(5, row), ext[row - 1]);
        QCOMPARE(grid.cell(6, row), old[row - 1]);
        QCOMPARE(grid.cell(7, row), difference[row - 1]);
        QCOMPARE(grid.cell(8, row), percent[row - 1]);
        for (int col : {7, 8})
            QVERIFY(row == 2 ? showsLoss(grid, col, row) : showsGain(grid, col, row));
    }
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,224.00"));
    QCOMPARE(w.Label2->text(), QStringLiteral("-460.00"));
    QVERIFY(w.changeShown());
}

void TestQuoteWindow::costAmountMode()
{
    TVantori1 &w = startOnMain();
    GridModel &grid = w.grid();

    w.action(QStringLiteral("TCalcBtn2"))->trigger();

    QCOMPARE(m_fixture->prompts.messages.size(), 0);
    QCOMPARE(grid.cell(6, 0), QStringLiteral("Cost Amount"));
    const QStringList old{"2,550.00", "12,000.00", "3,100.00"};
    const QStringList ext{"2,710.00", "11,750.00", "3,224.00"};
    const QStringList difference{"160.00", "-250.00", "124.00"};
    const QStringList percent{"6.27", "-2.08", "4.00"};
    for (int row = 1; row <= 3; ++row) {
        QCOMPARE(grid.cell(6, row), old[row - 1]);
        QCOMPARE(grid.cell(5, row), ext[row - 1]);
        QCOMPARE(grid.cell(7, row), difference[row - 1]);
        QCOMPARE(grid.cell(8, row), percent[row - 1]);
        for (int col : {7, 8})
            QVERIFY(row == 2 ? showsLoss(grid, col, row) : showsGain(grid, col, row));
    }
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 17,684.00"));
    QCOMPARE(w.Label2->text(), QStringLiteral("34.00"));
    QVERIFY(w.changeShown());

    // A retrieval afterwards measures the change against the cost.
    serveMain();
    QVERIFY(getQuotes());
    QCOMPARE(grid.cell(6, 0), QStringLiteral("Cost Amount"));
    QCOMPARE(grid.cell(7, 1), QStringLiteral("450.00"));
    QCOMPARE(w.Label2->text(), QStringLiteral("-426.00"));
}

void TestQuoteWindow::recalculationFailures_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("zeroOld"); // else an empty row added at the end
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QStringList>("percents"); // rows 1 to 3; "was" where not reached

    QTest::newRow("old amount, zero old amount")
        << "TCalcBtn" << true << QStringList() << QStringList{"10.70", "was", "was"};
    QTest::newRow("old amount, empty row")
        << "TCalcBtn" << false << QStringList() << QStringList{"10.70", "-6.38", "0.00"};
    QTest::newRow("cost amount, zero old amount")
        << "TCalcBtn2" << true << QStringList{"Floating point division by zero"} << QStringList{"17.65", "was", "was"};
    QTest::newRow("cost amount, empty row")
        << "TCalcBtn2" << false << QStringList{"'' is not a valid floating point value"}
        << QStringList{"17.65", "-8.33", "4.00"};
}

void TestQuoteWindow::recalculationFailures()
{
    QFETCH(QString, button);
    QFETCH(bool, zeroOld);
    QFETCH(QStringList, errors);
    QFETCH(QStringList, percents);

    Rows rows = kMain;
    if (zeroOld) {
        // Saved with no amount and no cost: either mode compares XYZ against 0.
        rows[1][2] = QStringLiteral("0");
        rows[1][5] = QStringLiteral("0.00");
    }
    TVantori1 &w = start({{QStringLiteral("Main.Stk"), rows}}, QStringLiteral("Main.Stk"), m_server->service());
    GridModel &grid = w.grid();
    if (!zeroOld)
        w.action(QStringLiteral("TAddBtn"))->trigger();
    grid.setCell(4, 1, QStringLiteral("30.00"));
    grid.setCell(4, 2, QStringLiteral("11.00"));
    for (int row = 1; row <= 3; ++row)
        grid.setCell(8, row, QStringLiteral("was"));
    const QStringList row3 = rowState(grid, 3);
    const QString label1 = w.Label1->text();
    const QString label2 = w.Label2->text();

    w.action(button)->trigger();

    QCOMPARE(m_fixture->prompts.errorTexts(), errors);
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(grid.cell(8, row), percents[row - 1]);
    if (zeroOld) {
        // The row it stopped at shows its new Difference; the row after it is untouched.
        QCOMPARE(grid.cell(7, 2), QStringLiteral("11,000.00"));
        QCOMPARE(rowState(grid, 3).mid(7), row3.mid(7));
    }
    QCOMPARE(grid.cell(6, 0), QStringLiteral("Old Amt."));
    QCOMPARE(w.Label1->text(), label1);
    QCOMPARE(w.Label2->text(), label2);
    QVERIFY(!w.changeShown());
}

QTEST_MAIN(TestQuoteWindow)
#include "tst_quotewindow.moc"
