#pragma once
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <memory>

// A quote service on a local port. Answers are chosen by the symbol of the request;
// "$SERVICE" in a body becomes the server's own address, so pages can carry the
// service's form action. One request per connection.
class QuoteServer : public QObject {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        bool silent = false;  // reads the request and never answers
        bool trickle = false; // sends the head, then one byte every 40 ms, forever
        bool flood = false;   // sends the head, then 64 KB every 2 ms, forever
        bool split = false;   // the body goes out in pieces cut at each "@", 20 ms apart
    };
    struct Seen {
        QByteArray target;
        QByteArray userAgent;
        QByteArray cacheControl;
        QString symbol;
    };

    QuoteServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                accept(socket);
        });
    }

    bool isListening() const { return m_server.isListening(); }
    QString service() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void setAnswer(const QString &symbol, const Answer &answer) { m_answers.insert(symbol, answer); }

    QList<Seen> seen;       // requests in the order they arrived
    QStringList answered;   // symbols in the order their answers were complete
    int inFlight = 0;
    int maxInFlight = 0;
    int openSockets = 0;

private:
    void accept(QTcpSocket *socket)
    {
        ++openSockets;
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --openSockets;
            socket->deleteLater();
        });
        struct Incoming {
            QByteArray data;
            bool handled = false; // one request per connection
        };
        auto incoming = std::make_shared<Incoming>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, incoming] {
            incoming->data += socket->readAll();
            const qsizetype end = incoming->data.indexOf("\r\n\r\n");
            if (incoming->handled || end < 0)
                return;
            incoming->handled = true;
            handle(socket, incoming->data.left(end));
        });
    }

    void handle(QTcpSocket *socket, const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        Seen s;
        s.target = lines.value(0).split(' ').value(1);
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "user-agent")
                s.userAgent = value;
            else if (name == "cache-control")
                s.cacheControl = value;
        }
        const qsizetype at = s.target.indexOf("Symbol=");
        s.symbol = at < 0 ? QString() : QUrl::fromPercentEncoding(s.target.mid(at + 7));
        seen.append(s);
        maxInFlight = qMax(maxInFlight, ++inFlight);

        Answer notFound;
        notFound.status = 404;
        notFound.body = "no such page";
        const Answer answer = m_answers.value(s.symbol, notFound);
        if (answer.silent)
            return;
        QPointer<QTcpSocket> target(socket);
        const QString symbol = s.symbol;
        QTimer::singleShot(answer.delayMs, this, [this, target, answer, symbol] {
            if (target)
                send(target, answer, symbol);
        });
    }

    static QByteArray reason(int status)
    {
        switch (status) {
        case 200: return "OK";
        case 204: return "No Content";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        case 503: return "Service Unavailable";
        default: return "Status";
        }
    }

    void send(QPointer<QTcpSocket> socket, const Answer &answer, const QString &symbol)
    {
        QByteArray body = answer.body;
        body.replace("$SERVICE", service().toLatin1());
        QList<QByteArray> pieces{body};
        if (answer.split) {
            pieces = body.split('@');
            pieces.removeAll(QByteArray());
            body = pieces.join();
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + reason(answer.status) + "\r\n"
                          "Content-Type: text/html\r\nConnection: close\r\n";
        if (!answer.trickle && !answer.flood)
            head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        socket->write(head + "\r\n");
        if (answer.trickle) {
            auto *timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            timer->start(40);
            return;
        }
        if (answer.flood) {
            auto *timer = new QTimer(socket);
            const QByteArray block(64 * 1024, 'y');
            connect(timer, &QTimer::timeout, socket, [socket, block] { socket->write(block); });
            timer->start(2);
            return;
        }
        sendPieces(socket, pieces, symbol);
    }

    void sendPieces(QPointer<QTcpSocket> socket, QList<QByteArray> pieces, const QString &symbol)
    {
        if (!socket)
            return;
        socket->write(pieces.takeFirst());
        if (!pieces.isEmpty()) {
            QTimer::singleShot(20, this, [this, socket, pieces, symbol] { sendPieces(socket, pieces, symbol); });
            return;
        }
        --inFlight;
        answered.append(symbol);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
};

inline QByteArray formAction(const QByteArray &service = "$SERVICE")
{
    return "<form action=\"" + service + "/detail/stock_quote\" method=\"get\">";
}

// A quote page as the service shapes it, with a price span before the form that must
// not be taken.
inline QByteArray quotePage(const QByteArray &price)
{
    return "<html><body><span class=\"s1\">decoy</span>" + formAction()
           + "<div><span class=\"s1\">" + price + "</span></div></form></body></html>";
}

// Random bytes with a NUL in the middle, the same for the same seed.
inline QByteArray junk(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(random.bounded(256));
    bytes[size / 2] = '\0';
    return bytes;
}

inline QuoteServer::Answer page(const QByteArray &body, int status = 200)
{
    QuoteServer::Answer a;
    a.status = status;
    a.body = body;
    return a;
}

inline QuoteServer::Answer delayed(const QByteArray &price, int delayMs)
{
    QuoteServer::Answer a = page(quotePage(price));
    a.delayMs = delayMs;
    return a;
}

inline QString closedPortService()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

inline const QByteArray kPath = "/scripts/webquote.dll?iPage=lqd&Symbol=";
