#include "lists/stocklistfile.h"

#include "lists/gridtext.h"
#include "platform/apperror.h"
#include "platform/gridmodel.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace StockListFile {

QStringList splitFields(const QString &line)
{
    QStringList fields = line.split(kSeparator);
    if (fields.size() > 1 && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

namespace {

double amountOf(const QString &text)
{
    const QString t = GridText::StripCommas(text);
    return GridText::StrToFloat(t.isEmpty() ? QStringLiteral("0") : t);
}

// Writes one line into `row`; false when its amounts are not numbers.
bool readLine(GridModel &grid, int row, const QStringList &fields)
{
    const int n = fields.size();
    if (n == 1) {
        // A bare symbol, as a hand-edited file may hold: a row with just that symbol.
        grid.setCell(0, row, fields[0]);
        return true;
    }
    for (int k = 0; k < n; ++k)
        grid.setCell(k, row, fields[k]);
    grid.setCell(n, row, QString());
    grid.setCell(n - 1, row, grid.cell(n - 2, row));
    try {
        const double diff = amountOf(grid.cell(n - 1, row)) - amountOf(grid.cell(n - 2, row));
        grid.setCell(n + 1, row, GridText::format2n(diff));
    } catch (const AppError &) {
        return false;
    }
    return true;
}

} // namespace

bool readInto(GridModel &grid, const QString &path, bool mergeMode, ColorValue gridColor)
{
    int row = 1;
    if (mergeMode)
        row = grid.rowCount();
    else
        GridText::ClearGrid(grid, gridColor);

    QStringList lines;
    if (!QFileInfo(path).isFile() || !TextFile::readLines(path, &lines))
        return false;

    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        if (!readLine(grid, row, splitFields(line))) {
            // The bad line must not surface later when a row is added over it.
            for (int c = 0; c <= splitFields(line).size() + 1; ++c)
                grid.setCell(c, row, QString());
            break;
        }
        grid.setRowCount(row + 1);
        ++row;
    }
    return true;
}

QByteArray toBytes(const GridModel &grid)
{
    QStringList lines;
    for (int row = 1; row < grid.rowCount(); ++row) {
        QString line;
        for (int col = 0; col < 7; ++col)
            line += grid.cell(col, row) + kSeparator;
        lines << line;
    }
    return TextFile::encodeLines(lines);
}

bool write(const QString &path, const GridModel &grid, QString *error)
{
    return TextFile::writeAtomic(path, toBytes(grid), error);
}

int firstDuplicateRow(const GridModel &grid)
{
    const int count = grid.rowCount();
    QStringList folded;
    for (int row = 1; row < count; ++row)
        folded << GridText::foldSymbol(grid.cell(0, row));
    for (int i = 0; i < folded.size(); ++i)
        for (int j = 0; j < folded.size(); ++j)
            if (i != j && folded[i] == folded[j])
                return i + 1;
    return 0;
}

QStringList listFiles(const QString &folder)
{
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files | QDir::Readable | QDir::Hidden)) {
        if (fi.fileName().endsWith(QLatin1String(".stk"), Qt::CaseInsensitive))
            names << fi.fileName();
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString holdingNodeText(const GridModel &grid, int row)
{
    return grid.cell(0, row) + QStringLiteral(" - ") + grid.cell(1, row) + QStringLiteral(" - ")
         + grid.cell(4, row) + QStringLiteral(" x ") + grid.cell(5, row) + QStringLiteral(" = ")
         + grid.cell(6, row);
}

} // namespace StockListFile
