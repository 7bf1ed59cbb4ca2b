#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches one quote page per symbol and cuts the price out between three markers.
// Several requests run at once, each result stays with its own index, and the event
// loop keeps running throughout (the fetcher is asynchronous).
// finished() always comes after start() has returned, from the event loop, also for
// an empty symbol list. isRunning() is true from start() until finished() is emitted,
// so a slot on finished() may start the next run.
class QuoteFetcher : public QObject {
    Q_OBJECT
public:
    struct Result {
        QString scanResult; // text cut out of the page; empty when anything failed
        QString failure;    // why no page was read (status, network error, timeout); empty if read
    };

    explicit QuoteFetcher(QObject *parent = nullptr);
    ~QuoteFetcher() override;

    static QString defaultService();
    // Scheme, host and optional port; empty means the default service.
    void setService(const QString &service);
    QString service() const;

    // A page bigger than this is cut off and counts as not read, so a hostile
    // server cannot fill the memory.
    static constexpr qint64 kMaxPageBytes = 2 * 1024 * 1024;

    QString requestUrl(const QString &symbol) const; // symbol percent-encoded
    QString scanFirst() const;
    static QString scanFrom();
    static QString scanTo();
    // The text after `first`, then after `from`, up to `to`; empty if a marker is missing.
    static QString scan(const QString &page, const QString &first, const QString &from, const QString &to);

    void setMaxConcurrent(int count);   // default 4, at least 1
    // Without data; default 20000, below 1 means the default. A page that keeps
    // trickling in is cut off after three times this in all.
    void setTimeoutMs(int ms);
    void setUserAgent(const QString &agent); // default "WebData"

    bool isRunning() const;
    // Starts one request per symbol; false (and nothing started) while a run is going.
    bool start(const QStringList &symbols);
    // Results of the last run, index-aligned with the symbols given to start().
    QVector<Result> results() const;

signals:
    void progress(int done, int total);
    void finished();

private:
    struct Private;
    Private *d;
};
