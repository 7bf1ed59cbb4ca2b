#include "quotes/valuation.h"

#include "lists/gridtext.h"
#include "platform/apperror.h"
#include "platform/gridmodel.h"

namespace Valuation {

namespace {

using namespace GridText;

// Amounts are used exactly as the cell shows them, so every one is read back from its text.
long double amountAt(const GridModel &grid, int col, int row)
{
    return GridText::StrToFloat(GridText::StripCommas(grid.cell(col, row)));
}

void writeAmount(GridModel &grid, int col, int row, long double value)
{
    grid.setCell(col, row, GridText::format2n(double(value)));
}

// The bounds are text bounds on purpose: a leading sign, blank or letter puts a text
// outside them whatever number it might spell.
bool outsideTextRange(const QString &text)
{
    return GridText::compareOrdinal(text, QStringLiteral("999999999")) > 0
        || GridText::compareOrdinal(text, QStringLiteral("0")) < 0;
}

} // namespace

void colorGainLoss(GridModel &grid, int col, int row, double difference, const TGlobals &g)
{
    if (difference < 0)
        grid.setCellColors(col, row, g.LossColor, g.LossColorTo, g.LossTextColor);
    else
        grid.setCellColors(col, row, g.GainColor, g.GainColorTo, g.GainTextColor);
}

void valueRowAfterQuote(GridModel &grid, int row, const TGlobals &g)
{
    const QString quantity = grid.cell(kQuantity, row);
    if (quantity.isEmpty() || outsideTextRange(quantity))
        grid.setCell(kAveCost, row, QStringLiteral("0"));

    if (outsideTextRange(grid.cell(kExtAmt, row)))
        grid.setCell(kExtAmt, row, QStringLiteral("0"));

    if (!quantity.isEmpty()) {
        const long double price = amountAt(grid, kPrice, row);
        writeAmount(grid, kExtAmt, row, price * amountAt(grid, kQuantity, row));
    }

    const long double ext = amountAt(grid, kExtAmt, row);
    const long double difference = ext - amountAt(grid, kOldAmt, row);
    writeAmount(grid, kDifference, row, difference);
    colorGainLoss(grid, kDifference, row, double(difference), g);
}

void RecalculateRows(GridModel &grid, const TGlobals &g, double &referenceTotal)
{
    for (int row = 1; row < grid.rowCount(); ++row) {
        const long double ext = amountAt(grid, kExtAmt, row);
        const long double old = amountAt(grid, kOldAmt, row);
        const long double difference = ext - old;
        writeAmount(grid, kDifference, row, difference);
        // The Difference above stays written: the row shows how far it got.
        if (old == 0)
            throw AppError(QStringLiteral("Floating point division by zero"));
        writeAmount(grid, kPercent, row, -(100 - ext / old * 100));
        referenceTotal += double(old);
        colorGainLoss(grid, kDifference, row, double(difference), g);
        colorGainLoss(grid, kPercent, row, double(difference), g);
    }
}

Totals ShowTotals(const GridModel &grid, double referenceTotal)
{
    Totals totals;
    for (int row = 1; row < grid.rowCount(); ++row) {
        const QString text = grid.cell(kExtAmt, row);
        if (text.isEmpty() || text == QLatin1String("0"))
            continue;
        totals.total += GridText::StrToFloat(GridText::StripCommas(text));
    }
    totals.label1 = QStringLiteral(" Total: ") + GridText::format2n(totals.total);
    totals.label2 = GridText::format2n(totals.total - referenceTotal);
    return totals;
}

std::optional<Totals> oldAmountMode(GridModel &grid, const TGlobals &g, double &referenceTotal,
                                    const QStringList &holdingNodeTexts)
{
    referenceTotal = 0;
    try {
        for (int row = 1; row < grid.rowCount(); ++row) {
            if (grid.cell(kQuantity, row).isEmpty() || grid.cell(kPrice, row).isEmpty())
                continue;
            const long double quantity = amountAt(grid, kQuantity, row);
            writeAmount(grid, kExtAmt, row, quantity * amountAt(grid, kPrice, row));
        }
        RestoreOldAmounts(grid, holdingNodeTexts);
        RecalculateRows(grid, g, referenceTotal);
        const Totals totals = ShowTotals(grid, referenceTotal);
        grid.setCell(kOldAmt, 0, QStringLiteral("Old Amount"));
        return totals;
    } catch (const AppError &) {
        // This command reports nothing: whatever it reached stays, the labels and heading don't change.
        return std::nullopt;
    }
}

Totals costAmountMode(GridModel &grid, const TGlobals &g, double &referenceTotal)
{
    referenceTotal = 0;
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (grid.cell(kQuantity, row).isEmpty() || grid.cell(kPrice, row).isEmpty()
            || grid.cell(kAveCost, row).isEmpty())
            continue;
        const long double aveCost = amountAt(grid, kAveCost, row);
        writeAmount(grid, kOldAmt, row, aveCost * amountAt(grid, kQuantity, row));
        const long double price = amountAt(grid, kPrice, row);
        writeAmount(grid, kExtAmt, row, price * amountAt(grid, kQuantity, row));
    }
    RecalculateRows(grid, g, referenceTotal);
    const Totals totals = ShowTotals(grid, referenceTotal);
    grid.setCell(kOldAmt, 0, QStringLiteral("Cost Amount"));
    return totals;
}

void RestoreOldAmounts(GridModel &grid, const QStringList &holdingNodeTexts)
{
    int row = 1;
    for (const QString &text : holdingNodeTexts) {
        if (row >= grid.rowCount())
            break; // beyond the rows they would lie hidden and surface in the next added row
        // 1-based position of the last '='; the amount starts two characters on, after "= ".
        const int p = GridText::LastCharPos(text, QLatin1Char('='));
        grid.setCell(kOldAmt, row, text.mid(p + 1));
        ++row;
    }
}

} // namespace Valuation
