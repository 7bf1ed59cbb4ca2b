#include "quotes/retrieval.h"

#include "lists/gridtext.h"
#include "platform/gridmodel.h"
#include "quotes/valuation.h"

#include <climits>

namespace Retrieval {

namespace {

using GridText::kOldAmt;
using GridText::kPrice;
using GridText::kSymbol;
constexpr int kMaxNamed = 10;

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool isPrice(const QString &scanResult)
{
    if (scanResult.isEmpty() || scanResult == QLatin1String("NA"))
        return false;
    return GridText::tryStrToFloat(GridText::StripCommas(scanResult), nullptr);
}

QString timeText(const QDateTime &when)
{
    return when.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

QVector<Request> buildRequests(const GridModel &grid)
{
    QVector<Request> requests;
    for (int row = 1; row < grid.rowCount(); ++row) {
        const QString symbol = grid.cell(kSymbol, row);
        if (!trimBlanks(symbol).isEmpty())
            requests.append(Request{row, symbol});
    }
    return requests;
}

Summary writeBack(GridModel &grid, const TGlobals &g, const QVector<Request> &requests,
                  const QVector<QuoteFetcher::Result> &results, const QDateTime &now)
{
    Summary summary;
    qsizetype next = 0; // requests are in row order
    for (int row = 1; row < grid.rowCount(); ++row) {
        QVector<GridModel::Cell> before;
        for (int col = 0; col < grid.colCount(); ++col)
            before.append(grid.cellData(col, row));

        if (trimBlanks(grid.cell(kOldAmt, row)).isEmpty())
            grid.setCell(kOldAmt, row, QStringLiteral("0"));

        while (next < requests.size() && requests.at(next).row < row)
            ++next;
        if (next >= requests.size() || requests.at(next).row != row)
            continue;
        const qsizetype index = next++;
        const QString &symbol = requests.at(index).symbol;
        const QString scanResult = index < results.size() ? results.at(index).scanResult : QString();

        if (!isPrice(scanResult)) {
            QString hint = QStringLiteral("The retrieval at %1 brought no price.").arg(timeText(now));
            if (!grid.cell(kPrice, row).isEmpty())
                hint += QStringLiteral(" The price shown is older.");
            grid.setCellHint(kPrice, row, hint);
            summary.unpriced.append(symbol);
            continue;
        }

        grid.setCell(kPrice, row, scanResult);
        grid.setCellHint(kPrice, row, QStringLiteral("Price received at %1").arg(timeText(now)));
        try {
            Valuation::valueRowAfterQuote(grid, row, g);
        } catch (...) {
            // A half-valued row would show a price that does not match its amounts.
            for (int col = 0; col < before.size(); ++col) {
                const GridModel::Cell &c = before.at(col);
                grid.setCell(col, row, c.text);
                grid.setCellColors(col, row, c.color, c.colorTo, c.fontColor);
                grid.setCellHint(col, row, c.hint);
            }
            throw;
        }
        summary.priced.append(symbol);
    }
    return summary;
}

QString summaryText(const Summary &summary)
{
    const qsizetype total = summary.priced.size() + summary.unpriced.size();
    if (total == 0)
        return QStringLiteral("No symbols to price.");
    QString text = QStringLiteral("Priced %1 of %2 %3.")
                       .arg(summary.priced.size())
                       .arg(total)
                       .arg(total == 1 ? QStringLiteral("symbol") : QStringLiteral("symbols"));
    if (summary.unpriced.isEmpty())
        return text;

    QStringList names;
    for (const QString &symbol : summary.unpriced) {
        const QString name = trimBlanks(symbol);
        if (!names.contains(name))
            names.append(name);
    }
    QString list = names.mid(0, kMaxNamed).join(QStringLiteral(", "));
    if (names.size() > kMaxNamed)
        list += QStringLiteral(" and %1 more").arg(names.size() - kMaxNamed);
    return text + QStringLiteral(" No price for: ") + list;
}

TickAction timerTick(TGlobals &g, int *newIntervalMs)
{
    if (!g.AutoTimer)
        return TickAction::Nothing;
    if (g.TimerCount == 0) {
        // An options file may hold any interval; the period must stay a valid one.
        const qint64 ms = qint64(g.TimerInterval) * 1000;
        const int interval = ms <= 0 ? 0 : ms > INT_MAX ? INT_MAX : int(ms);
        g.TimerCount = interval;
        if (newIntervalMs)
            *newIntervalMs = interval;
        return TickAction::Rearm;
    }
    if (g.TimerCount > 1)
        return TickAction::Retrieve;
    return TickAction::Nothing;
}

} // namespace Retrieval
