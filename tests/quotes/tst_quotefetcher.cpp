#include "quotes/quotefetcher.h"

#include "quoteserver.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QtTest>
#include <memory>

class TestQuoteFetcher : public QObject {
    Q_OBJECT

    // Runs one retrieval to its end; false if it could not start or never finished.
    static bool fetch(QuoteFetcher &fetcher, const QStringList &symbols, int waitMs = 15000)
    {
        QSignalSpy finished(&fetcher, &QuoteFetcher::finished);
        if (!fetcher.start(symbols))
            return false;
        return finished.wait(waitMs) && finished.size() == 1 && !fetcher.isRunning();
    }

private slots:
    void addresses_data();
    void addresses();
    void pages_data();
    void pages();
    void requests_data();
    void requests();
    void resultsStayWithTheirIndex();
    void concurrencyLimit_data();
    void concurrencyLimit();
    void refusedConnection();
    void silentServerTimesOut();
    void tricklingPageIsCutOff();
    void endlessPageIsCutOff();
    void startWhileRunningIsRefused();
    void everyRunAsksTheServer();
    void emptySymbolList();
    void nonWebServiceReadsNothing();
    void destroyedWhileRunning();
};

void TestQuoteFetcher::addresses_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("first");

    QTest::newRow("default") << QString() << "MSFT"
                             << "http://moneycentral.msn.com/scripts/webquote.dll?iPage=lqd&Symbol=MSFT"
                             << "action=\"http://moneycentral.msn.com/detail/stock_quote\"";
    QTest::newRow("own service with port") << "http://127.0.0.1:8080" << " IBM"
                                           << "http://127.0.0.1:8080/scripts/webquote.dll?iPage=lqd&Symbol=%20IBM"
                                           << "action=\"http://127.0.0.1:8080/detail/stock_quote\"";
    QTest::newRow("trailing slash") << "https://quotes.example/" << "A&B"
                                    << "https://quotes.example/scripts/webquote.dll?iPage=lqd&Symbol=A%26B"
                                    << "action=\"https://quotes.example/detail/stock_quote\"";
    QTest::newRow("blank service") << "  " << "X" << "http://moneycentral.msn.com/scripts/webquote.dll?iPage=lqd&Symbol=X"
                                   << "action=\"http://moneycentral.msn.com/detail/stock_quote\"";
}

void TestQuoteFetcher::addresses()
{
    QFETCH(QString, service);
    QFETCH(QString, symbol);
    QFETCH(QString, url);
    QFETCH(QString, first);

    QuoteFetcher fetcher;
    fetcher.setService(service);
    QCOMPARE(fetcher.requestUrl(symbol), url);
    QCOMPARE(fetcher.scanFirst(), first);
    QCOMPARE(QuoteFetcher::scanFrom(), QStringLiteral("<span class=\"s1\">"));
    QCOMPARE(QuoteFetcher::scanTo(), QStringLiteral("</span"));
}

void TestQuoteFetcher::pages_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QString>("scanResult");
    QTest::addColumn<bool>("failed");

    const QByteArray span = "<span class=\"s1\">";
    const QByteArray filler(1536 * 1024, 'x');
    const QByteArray tooMuch(3 * 1024 * 1024, 'x');

    QTest::newRow("price") << 200 << quotePage("12.34") << false << "12.34" << false;
    QTest::newRow("price with thousands") << 200 << quotePage("1,234.50") << false << "1,234.50" << false;
    QTest::newRow("NA") << 200 << quotePage("NA") << false << "NA" << false;
    QTest::newRow("letters kept as sent") << 200 << quotePage("12.3x") << false << "12.3x" << false;
    QTest::newRow("empty span") << 200 << quotePage("") << false << "" << false;
    QTest::newRow("no markers") << 200 << QByteArray("<html>Service closed</html>") << false << "" << false;
    QTest::newRow("price span only before the form")
        << 200 << QByteArray(span + "9.99</span>" + formAction() + "</form>") << false << "" << false;
    QTest::newRow("end marker before the price span")
        << 200 << QByteArray(formAction() + "</span>" + span + "5.5</span>") << false << "5.5" << false;
    QTest::newRow("second span after the form ignored")
        << 200 << QByteArray(formAction() + span + "1.00</span>" + span + "2.00</span>") << false << "1.00" << false;
    QTest::newRow("no end marker") << 200 << QByteArray(formAction() + span + "5.5") << false << "" << false;
    QTest::newRow("form of another host")
        << 200 << QByteArray(formAction("http://elsewhere.example") + span + "5.5</span>") << false << "" << false;
    QTest::newRow("markers in other case")
        << 200 << QByteArray(formAction().toUpper() + span.toUpper() + "5.5</SPAN>") << false << "" << false;
    QTest::newRow("markers cut across packets")
        << 200 << QByteArray("<html>@<form act@ion=\"$SERVICE/detail/st@ock_quote\"><span cl@ass=\"s1\">7@7.5</sp@an>")
        << true << "77.5" << false;
    QTest::newRow("200 empty") << 200 << QByteArray() << false << "" << false;
    QTest::newRow("204") << 204 << QByteArray() << false << "" << false;
    QTest::newRow("500 counts as a page") << 500 << quotePage("7.25") << false << "7.25" << false;
    QTest::newRow("404 with markers") << 404 << quotePage("7.25") << false << "" << true;
    QTest::newRow("503 with markers") << 503 << quotePage("7.25") << false << "" << true;
    QTest::newRow("binary junk") << 200 << junk(64 * 1024, 7) << false << "" << false;
    QTest::newRow("binary junk around a price")
        << 200 << QByteArray(junk(4096, 8) + quotePage("3.21") + junk(4096, 9)) << false << "3.21" << false;
    QTest::newRow("big page within the limit") << 200 << QByteArray(filler + quotePage("42.00")) << false << "42.00"
                                               << false;
    QTest::newRow("page over the limit") << 200 << QByteArray(tooMuch + quotePage("42.00")) << false << "" << true;
}

void TestQuoteFetcher::pages()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, split);
    QFETCH(QString, scanResult);
    QFETCH(bool, failed);

    QuoteServer server;
    QVERIFY(server.isListening());
    QuoteServer::Answer answer = page(body, status);
    answer.split = split;
    server.setAnswer("SYM", answer);

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    QVERIFY(fetch(fetcher, {"SYM"}));
    const auto results = fetcher.results();
    QCOMPARE(results.size(), 1);
    QCOMPARE(results[0].scanResult, scanResult);
    QCOMPARE(!results[0].failure.isEmpty(), failed);
    QCOMPARE(server.seen.size(), 1);
}

void TestQuoteFetcher::requests_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QByteArray>("query");

    QTest::newRow("plain") << "MSFT" << QByteArray("MSFT");
    QTest::newRow("leading blank") << " IBM" << QByteArray("%20IBM");
    QTest::newRow("inner blank") << "BRK B" << QByteArray("BRK%20B");
    QTest::newRow("point") << "BRK.B" << QByteArray("BRK.B");
    QTest::newRow("ampersand and equals") << "A&Symbol=B" << QByteArray("A%26Symbol%3DB");
    QTest::newRow("hash") << "X#Y" << QByteArray("X%23Y");
    QTest::newRow("plus") << "B+C" << QByteArray("B%2BC");
    QTest::newRow("slash and question mark") << "a/b?c" << QByteArray("a%2Fb%3Fc");
    QTest::newRow("percent") << "100%41" << QByteArray("100%2541");
    QTest::newRow("tab") << "T\tX" << QByteArray("T%09X");
    QTest::newRow("line break") << "A\r\nHost: evil" << QByteArray("A%0D%0AHost%3A%20evil");
    QTest::newRow("umlaut") << QString::fromUtf8("ÄÖ") << QByteArray("%C3%84%C3%96");
}

void TestQuoteFetcher::requests()
{
    QFETCH(QString, symbol);
    QFETCH(QByteArray, query);

    QuoteServer server;
    QVERIFY(server.isListening());
    server.setAnswer(symbol, page(quotePage("1.00")));

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    QVERIFY(fetch(fetcher, {symbol}));
    QCOMPARE(server.seen.size(), 1);
    QCOMPARE(server.seen[0].target, kPath + query);
    QCOMPARE(server.seen[0].userAgent, QByteArray("WebData"));
    QCOMPARE(server.seen[0].cacheControl, QByteArray("no-cache"));
    QCOMPARE(fetcher.results()[0].scanResult, QStringLiteral("1.00"));
}

void TestQuoteFetcher::resultsStayWithTheirIndex()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    server.setAnswer("SLOW", delayed("1.00", 800));
    server.setAnswer("FAST", delayed("2.00", 0));
    server.setAnswer("MID", delayed("3.00", 150));
    server.setAnswer("GONE", page("gone", 404));
    server.setAnswer("LAST", delayed("5.00", 0));

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    QSignalSpy progress(&fetcher, &QuoteFetcher::progress);
    const QStringList symbols{"SLOW", "FAST", "MID", "FAST", "GONE", "LAST"};
    QVERIFY(fetch(fetcher, symbols));

    // The slow first answer came last, yet every index holds its own symbol's result.
    QCOMPARE(server.answered.last(), QStringLiteral("SLOW"));
    const auto results = fetcher.results();
    QCOMPARE(results.size(), 6);
    const QStringList expected{"1.00", "2.00", "3.00", "2.00", "", "5.00"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(results[i].scanResult, expected[i]);
    QVERIFY(!results[4].failure.isEmpty());
    QCOMPARE(server.seen.size(), 6);

    QCOMPARE(progress.size(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(progress[i][0].toInt(), i + 1);
        QCOMPARE(progress[i][1].toInt(), 6);
    }
}

void TestQuoteFetcher::concurrencyLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("expected");
    QTest::newRow("default") << 0 << 4;
    QTest::newRow("one at a time") << 1 << 1;
    QTest::newRow("two") << 2 << 2;
}

void TestQuoteFetcher::concurrencyLimit()
{
    QFETCH(int, limit);
    QFETCH(int, expected);

    QuoteServer server;
    QVERIFY(server.isListening());
    QStringList symbols;
    for (int i = 0; i < 10; ++i) {
        symbols << QStringLiteral("S%1").arg(i);
        server.setAnswer(symbols.last(), delayed(QByteArray::number(i) + ".00", 200));
    }

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    if (limit > 0)
        fetcher.setMaxConcurrent(limit);
    QVERIFY(fetch(fetcher, symbols));
    QCOMPARE(server.maxInFlight, expected);
    QCOMPARE(server.seen.size(), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(fetcher.results()[i].scanResult, QStringLiteral("%1.00").arg(i));
}

void TestQuoteFetcher::refusedConnection()
{
    QuoteFetcher fetcher;
    fetcher.setService(closedPortService());
    QVERIFY(fetch(fetcher, {"MSFT", "IBM"}));
    for (const auto &r : fetcher.results()) {
        QVERIFY(r.scanResult.isEmpty());
        QVERIFY(!r.failure.isEmpty());
    }
}

void TestQuoteFetcher::silentServerTimesOut()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    QuoteServer::Answer silent;
    silent.silent = true;
    server.setAnswer("SILENT", silent);
    server.setAnswer("OK", page(quotePage("8.00")));

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    fetcher.setTimeoutMs(500);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(fetch(fetcher, {"SILENT", "OK"}, 5000));
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(fetcher.results()[0].scanResult.isEmpty());
    QVERIFY2(fetcher.results()[0].failure.startsWith("No answer"), qPrintable(fetcher.results()[0].failure));
    QCOMPARE(fetcher.results()[1].scanResult, QStringLiteral("8.00"));
    QCOMPARE(fetcher.results()[1].failure, QString());
}

void TestQuoteFetcher::tricklingPageIsCutOff()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    QuoteServer::Answer trickle;
    trickle.trickle = true;
    server.setAnswer("DRIP", trickle);

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    fetcher.setTimeoutMs(600); // each byte comes well within this
    QVERIFY(fetch(fetcher, {"DRIP"}, 5000));
    QVERIFY(fetcher.results()[0].scanResult.isEmpty());
    QVERIFY2(fetcher.results()[0].failure.contains("did not arrive completely"),
             qPrintable(fetcher.results()[0].failure));
    QTRY_COMPARE(server.openSockets, 0);
}

void TestQuoteFetcher::endlessPageIsCutOff()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    QuoteServer::Answer flood;
    flood.flood = true;
    server.setAnswer("FLOOD", flood);
    server.setAnswer("OK", page(quotePage("8.00")));

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    QVERIFY(fetch(fetcher, {"FLOOD", "OK"}, 10000));
    QVERIFY(fetcher.results()[0].scanResult.isEmpty());
    QVERIFY2(fetcher.results()[0].failure.contains("larger"), qPrintable(fetcher.results()[0].failure));
    QCOMPARE(fetcher.results()[1].scanResult, QStringLiteral("8.00"));
    QTRY_COMPARE(server.openSockets, 0);
}

void TestQuoteFetcher::startWhileRunningIsRefused()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    server.setAnswer("FIRST", delayed("1.00", 200));
    server.setAnswer("SECOND", delayed("2.00", 0));

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    QSignalSpy finished(&fetcher, &QuoteFetcher::finished);
    QVERIFY(fetcher.start({"FIRST"}));
    QVERIFY(fetcher.isRunning());
    QVERIFY(!fetcher.start({"SECOND", "SECOND"}));
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(fetcher.results().size(), 1);
    QCOMPARE(fetcher.results()[0].scanResult, QStringLiteral("1.00"));
    QCOMPARE(server.seen.size(), 1);
    QCOMPARE(server.seen[0].symbol, QStringLiteral("FIRST"));
}

void TestQuoteFetcher::everyRunAsksTheServer()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    server.setAnswer("MSFT", page(quotePage("10.00")));

    QuoteFetcher fetcher;
    fetcher.setService(server.service());
    QVERIFY(fetch(fetcher, {"MSFT"}));
    QCOMPARE(fetcher.results()[0].scanResult, QStringLiteral("10.00"));

    server.setAnswer("MSFT", page(quotePage("11.00")));
    QVERIFY(fetch(fetcher, {"MSFT"}));
    QCOMPARE(fetcher.results()[0].scanResult, QStringLiteral("11.00"));
    QCOMPARE(server.seen.size(), 2);
}

void TestQuoteFetcher::emptySymbolList()
{
    QuoteFetcher fetcher;
    fetcher.setService(closedPortService());
    QSignalSpy finished(&fetcher, &QuoteFetcher::finished);
    QSignalSpy progress(&fetcher, &QuoteFetcher::progress);
    QVERIFY(fetcher.start({}));
    QCOMPARE(finished.size(), 0); // only from the event loop
    QVERIFY(fetcher.isRunning());
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.size(), 1);
    QVERIFY(!fetcher.isRunning());
    QVERIFY(fetcher.results().isEmpty());
    QCOMPARE(progress.size(), 0);
}

void TestQuoteFetcher::nonWebServiceReadsNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir(dir.path()).mkpath("scripts");
    QFile file(dir.filePath("scripts/webquote.dll"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(quotePage("6.66").replace("$SERVICE", QUrl::fromLocalFile(dir.path()).toString().toUtf8()));
    file.close();

    QuoteFetcher fetcher;
    fetcher.setService(QUrl::fromLocalFile(dir.path()).toString());
    QVERIFY(fetch(fetcher, {"A", "B"}));
    for (const auto &r : fetcher.results()) {
        QVERIFY(r.scanResult.isEmpty());
        QVERIFY(!r.failure.isEmpty());
    }
}

void TestQuoteFetcher::destroyedWhileRunning()
{
    QuoteServer server;
    QVERIFY(server.isListening());
    QuoteServer::Answer silent;
    silent.silent = true;
    server.setAnswer("SILENT", silent);

    auto fetcher = std::make_unique<QuoteFetcher>();
    fetcher->setService(server.service());
    QVERIFY(fetcher->start({"SILENT", "SILENT"}));
    QTRY_COMPARE(server.seen.size(), 2);
    QCOMPARE(server.openSockets, 2);
    fetcher.reset();
    QTRY_COMPARE(server.openSockets, 0);
}

QTEST_GUILESS_MAIN(TestQuoteFetcher)
#include "tst_quotefetcher.moc"
