#pragma once
#include "app/globals.h"
#include "quotes/quotefetcher.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class GridModel;

// One quote retrieval apart from the network and the window: which rows ask for a
// price, how the answers go back into the holdings grid, what the status bar says
// afterwards, and what a tick of the automatic timer does.
namespace Retrieval {

struct Request {
    int row = 0;
    QString symbol; // exactly as the cell holds it
};

// One request per data row whose Symbol is not blank, in row order.
QVector<Request> buildRequests(const GridModel &grid);

struct Summary {
    QStringList priced;   // symbols as the cells hold them, in row order
    QStringList unpriced;
};

// Writes the results (index-aligned with `requests`) back row by row. Every data row
// gets "0" in an empty Old Amt.; a row whose result is a number gets it as its Price
// and is valued; a row without a usable result keeps its values. The Price cell's hint
// says when its price came. An AppError from valuing a row propagates: the rows
// before it stay written, that row is put back as it was, the rows after it are
// untouched.
Summary writeBack(GridModel &grid, const TGlobals &g, const QVector<Request> &requests,
                  const QVector<QuoteFetcher::Result> &results, const QDateTime &now);

// One status bar sentence: how many symbols were priced and which got no price.
QString summaryText(const Summary &summary);

enum class TickAction { Nothing, Rearm, Retrieve };

// One tick of the automatic timer. On Rearm, *newIntervalMs is the timer's new period
// (0 means: stop ticking) and TimerCount holds the same number; otherwise
// *newIntervalMs is not written.
TickAction timerTick(TGlobals &g, int *newIntervalMs);

} // namespace Retrieval
