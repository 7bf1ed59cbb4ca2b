#include "lists/gridtext.h"

#include "platform/apperror.h"
#include "platform/gridmodel.h"

#include <QRegularExpression>
#include <cmath>

namespace GridText {

QString format2n(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0.00");
    QString digits = QString::number(std::fabs(value), 'f', 2);
    const bool negative = value < 0 && digits != QLatin1String("0.00");
    const int point = digits.indexOf(QLatin1Char('.'));
    QString whole = digits.left(point);
    const QString decimals = digits.mid(point);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + whole + decimals;
}

QString StripCommas(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char(','));
    return out;
}

QString invalidFloatMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

bool tryStrToFloat(const QString &text, double *value)
{
    static const QRegularExpression pattern(
        QStringLiteral("^ *[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)? *$"));
    if (!pattern.match(text).hasMatch())
        return false;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}

double StrToFloat(const QString &text)
{
    double v = 0;
    if (!tryStrToFloat(text, &v))
        throw AppError(invalidFloatMessage(text));
    return v;
}

int LastCharPos(const QString &text, QChar ch)
{
    const int i = text.lastIndexOf(ch);
    return i < 0 ? -1 : i + 1;
}

QString foldSymbol(const QString &symbol)
{
    QString out = symbol;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}

bool sameSymbol(const QString &a, const QString &b)
{
    return foldSymbol(a) == foldSymbol(b);
}

int compareOrdinal(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseSensitive);
}

void ClearGrid(GridModel &grid, ColorValue gridColor)
{
    for (int row = 1; row < grid.rowCount(); ++row) {
        grid.clearRow(row);
        for (int col : {7, 8}) {
            const auto c = grid.cellData(col, row);
            grid.setCellColors(col, row, gridColor, gridColor, c.fontColor);
        }
    }
    grid.setRowCount(2);
}

} // namespace GridText
