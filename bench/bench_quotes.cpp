// Quote retrieval against a local service that answers every request after 50 ms:
// 100 symbols with 4 requests at once against one at a time, and the longest pause
// of the event loop while they run. Exits with 1 when a figure misses its bound.
#include "quotes/quotefetcher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

constexpr int kSymbols = 100;
constexpr int kAnswerDelayMs = 50;
constexpr double kMinRatio = 3.5;
constexpr qint64 kMaxGapMs = 100;

// Keeps connections open between requests, as a real service would. The delay runs on
// a timer per request, so the server never holds up the event loop it shares.
class DelayedServer : public QObject {
public:
    DelayedServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                accept(socket);
        });
    }

    bool isListening() const { return m_server.isListening(); }
    QString service() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    int requests = 0;

private:
    void accept(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            qsizetype end;
            while ((end = buffer->indexOf("\r\n\r\n")) >= 0) {
                const QByteArray head = buffer->left(end);
                buffer->remove(0, end + 4);
                ++requests;
                const QByteArray target = head.left(head.indexOf('\r')).split(' ').value(1);
                QPointer<QTcpSocket> to(socket);
                QTimer::singleShot(kAnswerDelayMs, Qt::PreciseTimer, this, [this, to, target] {
                    if (to)
                        answer(to, target);
                });
            }
        });
    }

    void answer(QTcpSocket *socket, const QByteArray &target)
    {
        const QByteArray price = QByteArray::number(10 + target.size() % 7) + ".25";
        const QByteArray body = "<html><form action=\"" + service().toLatin1()
                                + "/detail/stock_quote\"><span class=\"s1\">" + price
                                + "</span></form></html>";
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }

    QTcpServer m_server;
};

struct Run {
    qint64 elapsedMs = 0;
    qint64 longestGapMs = 0;
    int priced = 0;
};

Run retrieve(const QString &service, int concurrent, int count)
{
    QStringList symbols;
    for (int i = 0; i < count; ++i)
        symbols << QStringLiteral("SYM%1").arg(i);

    QuoteFetcher fetcher;
    fetcher.setService(service);
    fetcher.setMaxConcurrent(concurrent);

    Run run;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestGapMs = qMax(run.longestGapMs, sinceTick.restart());
    });

    QEventLoop loop;
    QObject::connect(&fetcher, &QuoteFetcher::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    ticker.start(1);
    fetcher.start(symbols);
    loop.exec();
    run.elapsedMs = clock.elapsed();
    ticker.stop();
    run.longestGapMs = qMax(run.longestGapMs, sinceTick.elapsed());

    for (const auto &r : fetcher.results())
        if (!r.scanResult.isEmpty())
            ++run.priced;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    DelayedServer server;
    if (!server.isListening()) {
        std::fprintf(stderr, "cannot listen on a local port\n");
        return 2;
    }

    retrieve(server.service(), 4, 8); // warm-up: first connections, first allocations

    const Run parallel = retrieve(server.service(), 4, kSymbols);
    const Run serial = retrieve(server.service(), 1, kSymbols);
    const double ratio = parallel.elapsedMs > 0 ? double(serial.elapsedMs) / double(parallel.elapsedMs) : 0;
    const qint64 gap = qMax(parallel.longestGapMs, serial.longestGapMs);

    std::printf("%d symbols, each answered after %d ms\n", kSymbols, kAnswerDelayMs);
    std::printf("4 at once:      %6lld ms, %d priced, longest event loop gap %lld ms\n",
                static_cast<long long>(parallel.elapsedMs), parallel.priced,
                static_cast<long long>(parallel.longestGapMs));
    std::printf("1 at a time:    %6lld ms, %d priced, longest event loop gap %lld ms\n",
                static_cast<long long>(serial.elapsedMs), serial.priced,
                static_cast<long long>(serial.longestGapMs));
    std::printf("ratio:          %6.2f (at least %.1f)\n", ratio, kMinRatio);
    std::printf("longest gap:    %6lld ms (under %lld ms)\n", static_cast<long long>(gap),
                static_cast<long long>(kMaxGapMs));

    const bool ok = ratio >= kMinRatio && gap < kMaxGapMs && parallel.priced == kSymbols
                    && serial.priced == kSymbols;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
