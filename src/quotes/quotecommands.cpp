// Get Quotes, the automatic timer and the two recalculations of the main window.
#include "lists/vantori.h"

#include "lists/gridtext.h"
#include "platform/gridview.h"
#include "platform/prompts.h"
#include "platform/soundplayer.h"
#include "quotes/quotefetcher.h"
#include "quotes/retrieval.h"
#include "quotes/valuation.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

void TVantori1::connectQuotes()
{
    connect(WebData1, &QuoteFetcher::progress, this, [this](int done, int total) {
        setStatusText(QStringLiteral("Getting quotes %1 of %2").arg(done).arg(total));
    });
    connect(WebData1, &QuoteFetcher::finished, this, [this] {
        handler([this] { finishRetrieval(); });
        if (m_busyCursor) {
            QApplication::restoreOverrideCursor();
            m_busyCursor = false;
        }
        emit retrievalFinished();
    });
    if (m_services.sound) {
        m_services.sound->setErrorHandler([this](const QString &path, const QString &message) {
            // The timer may retrieve every half minute: say it once, not every time.
            if (m_reportedSounds.contains(path))
                return;
            m_reportedSounds.insert(path);
            prompts().error(message);
        });
    }
}

bool TVantori1::retrieving() const
{
    return WebData1->isRunning();
}

void TVantori1::TRunBtnClick()
{
    RetrieveQuotes();
}

void TVantori1::RetrieveQuotes()
{
    if (WebData1->isRunning())
        return; // the running retrieval owns the requests until it ends
    m_requests = Retrieval::buildRequests(m_grid);
    QStringList symbols;
    for (const Retrieval::Request &r : std::as_const(m_requests))
        symbols << r.symbol;
    WebData1->setService(Globals().QuoteService);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_busyCursor = true;
    setStatusText(QStringLiteral("Getting quotes 0 of %1").arg(symbols.size()));
    WebData1->start(symbols);
}

void TVantori1::finishRetrieval()
{
    if (m_busyCursor) {
        QApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    setStatusText(QString());
    // The grid stayed editable while the pages came in: a row that no longer holds
    // the symbol it asked for must not receive that symbol's price.
    QVector<Retrieval::Request> requests;
    QVector<QuoteFetcher::Result> results;
    const QVector<QuoteFetcher::Result> all = WebData1->results();
    QStringList moved;
    for (int i = 0; i < m_requests.size() && i < all.size(); ++i) {
        const Retrieval::Request &r = m_requests[i];
        if (r.row < m_grid.rowCount() && m_grid.cell(0, r.row) == r.symbol) {
            requests << r;
            results << all[i];
        } else {
            moved << r.symbol;
        }
    }
    Retrieval::Summary summary =
        Retrieval::writeBack(m_grid, Globals(), requests, results, QDateTime::currentDateTime());
    summary.unpriced << moved;
    ShowTotals();
    showChange(true);
    playAlert();
    TRefreshBtnClick();
    setStatusText(Retrieval::summaryText(summary));
}

void TVantori1::playAlert()
{
    const TGlobals &g = Globals();
    if (!g.RingAlarm || g.AlertSoundFile.isEmpty() || !QFileInfo(g.AlertSoundFile).isFile() || !m_services.sound)
        return;
    m_services.sound->play(g.AlertSoundFile);
}

void TVantori1::Timer1Timer()
{
    int ms = 0;
    switch (Retrieval::timerTick(Globals(), &ms)) {
    case Retrieval::TickAction::Rearm:
        if (ms <= 0)
            Timer1->stop();
        else if (Timer1->interval() != ms)
            Timer1->setInterval(ms);
        break;
    case Retrieval::TickAction::Retrieve:
        RetrieveQuotes();
        break;
    case Retrieval::TickAction::Nothing:
        break;
    }
}

void TVantori1::ShowTotals()
{
    const Valuation::Totals t = Valuation::ShowTotals(m_grid, ReferenceTotal);
    Label2->setText(t.label2);
    Label1->setText(t.label1);
}

void TVantori1::TCalcBtnClick()
{
    const auto totals =
        Valuation::oldAmountMode(m_grid, Globals(), ReferenceTotal, holdingTextsOfCurrentList());
    if (!totals)
        return;
    showChange(true);
    Label2->setText(totals->label2);
    Label1->setText(totals->label1);
}

void TVantori1::TCalcBtn2Click()
{
    const Valuation::Totals totals = Valuation::costAmountMode(m_grid, Globals(), ReferenceTotal);
    showChange(true);
    Label2->setText(totals.label2);
    Label1->setText(totals.label1);
}
