#pragma once
#include "app/globals.h"

#include <QString>
#include <QStringList>
#include <optional>

class GridModel;

// Turns the holdings grid's texts into amounts: extended amounts, differences,
// percentages with gain and loss colours, and the list total. Works on the model
// only; every amount is read back from its cell (commas removed) and written "%2n".
namespace Valuation {

struct Totals {
    double total = 0;
    QString label1; // " Total: " + total
    QString label2; // total - reference total
};

// Gain triple first; the loss triple when `difference` is below 0 (0 is a gain).
void colorGainLoss(GridModel &grid, int col, int row, double difference, const TGlobals &g);

// A row whose Price was just written by a retrieval: Ave. Cost guard, Ext. Amt. guard,
// Ext. Amt. = Price x Quantity, Difference with colours. Percent is not touched.
// Throws AppError (conversion message) and leaves later steps undone.
void valueRowAfterQuote(GridModel &grid, int row, const TGlobals &g);

// Difference and Percent of every data row with colours, adding each Old Amt. to
// referenceTotal. Throws AppError at the first row that cannot be read or whose
// Old Amt. is zero; the rows before it keep their new values.
void RecalculateRows(GridModel &grid, const TGlobals &g, double &referenceTotal);

// The list total over every Ext. Amt. that is neither empty nor "0". Throws AppError.
Totals ShowTotals(const GridModel &grid, double referenceTotal);

// "Old Amount" recalculation. referenceTotal is reset first. `oldAmounts` are the
// amounts the library tree recorded for the open list, in row order (see
// RestoreOldAmounts). Any failure ends it silently: returns nullopt, and the heading
// of column 6 stays. On success the heading reads "Old Amount".
std::optional<Totals> oldAmountMode(GridModel &grid, const TGlobals &g, double &referenceTotal,
                                    const QStringList &holdingNodeTexts);

// "Cost Amount" recalculation. Throws AppError on failure; on success the heading of
// column 6 reads "Cost Amount".
Totals costAmountMode(GridModel &grid, const TGlobals &g, double &referenceTotal);

// Writes the text after the last "= " of each holding node text into Old Amt. of
// rows 1, 2, ... by position (no symbol matching).
void RestoreOldAmounts(GridModel &grid, const QStringList &holdingNodeTexts);

} // namespace Valuation
