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

    QString requestUrl(const QString &symbol) const; // symbol percent-encoded
    QString scanFirst() const;
    static QString scanFrom();
    static QString scanTo();
    // The text after `first`, then after `from`, up to `to`; empty if a marker is missing.
    static QString scan(const QString &page, const QString &first, const QString &from, const QString &to);

    void setMaxConcurrent(int count);   // default 4
    void setTimeoutMs(int ms);          // without data; default 20000
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
