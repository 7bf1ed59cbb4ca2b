#pragma once
#include "platform/colorvalue.h"

#include <QString>

class GridModel;

// The text conventions every grid of the program shares.
namespace GridText {

// Columns of the holdings grid.
enum HoldingColumn {
    kSymbol = 0, kStockName, kAveCost, kQuantity, kPrice, kExtAmt, kOldAmt, kDifference, kPercent
};

// Two decimals, "," between thousands and "." before the decimals, whatever the
// locale: every reader of an amount removes the commas before converting.
QString format2n(double value);

QString StripCommas(const QString &text);

// Blanks around, an optional sign, digits with at most one point, an optional
// exponent. Anything else throws AppError "'<text>' is not a valid floating point value".
double StrToFloat(const QString &text);
bool tryStrToFloat(const QString &text, double *value);
QString invalidFloatMessage(const QString &text);

// 1-based position of the last `ch` in `text`; -1 when absent or empty.
int LastCharPos(const QString &text, QChar ch);

// Symbols match with A-Z folded to one case; nothing else is folded or trimmed.
QString foldSymbol(const QString &symbol);
bool sameSymbol(const QString &a, const QString &b);

// Ordinal comparison by character codes (the bounds checks of valuation use it).
int compareOrdinal(const QString &a, const QString &b);

// Empties every data row, gives Difference and Percent the plain grid look and
// leaves one empty data row.
void ClearGrid(GridModel &grid, ColorValue gridColor);

} // namespace GridText
