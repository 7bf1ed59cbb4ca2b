#include "quotes/quotefetcher.h"

#include "platform/textfile.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <climits>

namespace {

const int kDefaultTimeoutMs = 20000;

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3);
}

} // namespace

struct QuoteFetcher::Private {
    struct Pending {
        int index = -1;
        QByteArray page;
        QString failure; // set before we abort a reply ourselves
    };

    QuoteFetcher *q = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QString service = defaultService();
    int maxConcurrent = 4;
    int timeoutMs = kDefaultTimeoutMs;
    QString userAgent = QStringLiteral("WebData");

    bool running = false;
    QStringList symbols;
    QVector<Result> results;
    int next = 0;   // index of the next symbol to request
    int active = 0; // requests sent or queued, not yet completed
    int done = 0;
    QHash<QNetworkReply *, Pending> pending;

    void launchMore();
    void launch(int index);
    void onReadyRead(QNetworkReply *reply);
    void onFinished(QNetworkReply *reply);
    void abortWith(QNetworkReply *reply, const QString &failure);
    void complete(int index, const Result &result);
    void finishRun();
};

void QuoteFetcher::Private::launchMore()
{
    while (running && active < maxConcurrent && next < symbols.size())
        launch(next++);
}

void QuoteFetcher::Private::launch(int index)
{
    ++active;
    const QUrl url(q->requestUrl(symbols.at(index)));
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        // Never hand anything but a web address to the manager: it would read local files.
        const Result failed{QString(), QStringLiteral("The quote service address \"%1\" is not an http or https address.")
                                           .arg(service)};
        QTimer::singleShot(0, q, [this, index, failed] { complete(index, failed); });
        return;
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(timeoutMs);

    QNetworkReply *reply = manager->get(request);
    pending.insert(reply, Pending{index, QByteArray(), QString()});
    QObject::connect(reply, &QNetworkReply::readyRead, q, [this, reply] { onReadyRead(reply); });
    QObject::connect(reply, &QNetworkReply::finished, q, [this, reply] { onFinished(reply); });

    // The transfer timeout only notices silence; this also ends a page that trickles forever.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    const int overallMs = timeoutMs > INT_MAX / 3 ? INT_MAX : timeoutMs * 3;
    QObject::connect(deadline, &QTimer::timeout, q, [this, reply, overallMs] {
        abortWith(reply, QStringLiteral("The page did not arrive completely within %1 s.").arg(seconds(overallMs)));
    });
    deadline->start(overallMs);
}

void QuoteFetcher::Private::abortWith(QNetworkReply *reply, const QString &failure)
{
    auto it = pending.find(reply);
    if (it == pending.end())
        return;
    it->failure = failure;
    it->page.clear();
    // abort() emits finished() at once, which completes this request.
    reply->abort();
}

void QuoteFetcher::Private::onReadyRead(QNetworkReply *reply)
{
    auto it = pending.find(reply);
    if (it == pending.end() || !it->failure.isEmpty())
        return;
    it->page += reply->read(kMaxPageBytes + 1 - it->page.size());
    if (it->page.size() > kMaxPageBytes)
        abortWith(reply, QStringLiteral("The page is larger than %1 MB.").arg(kMaxPageBytes / (1024 * 1024)));
}

void QuoteFetcher::Private::onFinished(QNetworkReply *reply)
{
    auto it = pending.find(reply);
    if (it == pending.end())
        return;
    Pending p = std::move(*it);
    pending.erase(it);
    reply->disconnect(q);
    reply->deleteLater();

    Result result;
    result.failure = p.failure;
    if (result.failure.isEmpty()) {
        if (reply->isOpen())
            p.page += reply->read(kMaxPageBytes + 1 - p.page.size());
        const QVariant statusValue = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const int status = statusValue.isValid() ? statusValue.toInt() : 0;
        const QNetworkReply::NetworkError error = reply->error();
        if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError) {
            // Nothing of ours aborted it, so the transfer timeout did.
            result.failure = QStringLiteral("No answer for %1 s.").arg(seconds(timeoutMs));
        } else if (p.page.size() > kMaxPageBytes) {
            result.failure = QStringLiteral("The page is larger than %1 MB.").arg(kMaxPageBytes / (1024 * 1024));
        } else if (status == 0 || (error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied)) {
            // No status, or the connection broke: there is no whole page to read.
            result.failure = reply->errorString();
        } else if (status < 300 || status == 500) {
            // A 500 answer is still read as a page, as the program has always done.
            result.scanResult = QuoteFetcher::scan(TextFile::decode(p.page), q->scanFirst(),
                                                   QuoteFetcher::scanFrom(), QuoteFetcher::scanTo());
        } else {
            const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            result.failure = QStringLiteral("HTTP status %1%2").arg(status).arg(reason.isEmpty() ? QString() : QLatin1Char(' ') + reason);
        }
    }
    complete(p.index, result);
}

void QuoteFetcher::Private::complete(int index, const Result &result)
{
    if (!running || index < 0 || index >= results.size())
        return;
    results[index] = result;
    --active;
    ++done;
    launchMore();
    emit q->progress(done, int(symbols.size()));
    if (done == symbols.size())
        finishRun();
}

void QuoteFetcher::Private::finishRun()
{
    running = false;
    emit q->finished();
}

QuoteFetcher::QuoteFetcher(QObject *parent) : QObject(parent), d(new Private)
{
    d->q = this;
    d->manager = new QNetworkAccessManager(this);
    // Caching is turned off per request as well; no cache is ever installed here.
    d->manager->setCache(nullptr);
}

QuoteFetcher::~QuoteFetcher()
{
    // Replies still running must not call back into a half-destroyed fetcher.
    const auto replies = d->pending.keys();
    d->pending.clear();
    for (QNetworkReply *reply : replies) {
        reply->disconnect(this);
        reply->abort();
        delete reply;
    }
    delete d;
}

QString QuoteFetcher::defaultService()
{
    return QStringLiteral("http://moneycentral.msn.com");
}

void QuoteFetcher::setService(const QString &service)
{
    QString s = service.trimmed();
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    d->service = s.isEmpty() ? defaultService() : s;
}

QString QuoteFetcher::service() const
{
    return d->service;
}

QString QuoteFetcher::requestUrl(const QString &symbol) const
{
    return d->service + QStringLiteral("/scripts/webquote.dll?iPage=lqd&Symbol=")
           + QString::fromLatin1(QUrl::toPercentEncoding(symbol));
}

QString QuoteFetcher::scanFirst() const
{
    return QStringLiteral("action=\"") + d->service + QStringLiteral("/detail/stock_quote\"");
}

QString QuoteFetcher::scanFrom()
{
    return QStringLiteral("<span class=\"s1\">");
}

QString QuoteFetcher::scanTo()
{
    return QStringLiteral("</span");
}

QString QuoteFetcher::scan(const QString &page, const QString &first, const QString &from, const QString &to)
{
    qsizetype pos = page.indexOf(first);
    if (pos < 0)
        return QString();
    pos = page.indexOf(from, pos + first.size());
    if (pos < 0)
        return QString();
    pos += from.size();
    const qsizetype end = page.indexOf(to, pos);
    if (end < 0)
        return QString();
    return page.mid(pos, end - pos);
}

void QuoteFetcher::setMaxConcurrent(int count)
{
    d->maxConcurrent = qMax(1, count);
    d->launchMore();
}

void QuoteFetcher::setTimeoutMs(int ms)
{
    d->timeoutMs = ms < 1 ? kDefaultTimeoutMs : ms;
}

void QuoteFetcher::setUserAgent(const QString &agent)
{
    d->userAgent = agent;
}

bool QuoteFetcher::isRunning() const
{
    return d->running;
}

bool QuoteFetcher::start(const QStringList &symbols)
{
    if (d->running)
        return false;
    d->running = true;
    d->symbols = symbols;
    d->results = QVector<Result>(symbols.size());
    d->next = 0;
    d->active = 0;
    d->done = 0;
    if (symbols.isEmpty()) {
        QTimer::singleShot(0, this, [this] { d->finishRun(); });
        return true;
    }
    d->launchMore();
    return true;
}

QVector<QuoteFetcher::Result> QuoteFetcher::results() const
{
    return d->results;
}
