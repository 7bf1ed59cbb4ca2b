#pragma once
#include "platform/colorvalue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class GridModel;

// The stock list file: one line per holding, seven fields each followed by "|@|".
namespace StockListFile {

inline const QString kSeparator = QStringLiteral("|@|");

// Fields of one line as they were always split: a separator at the very end closes
// the last field without starting another.
QStringList splitFields(const QString &line);

// Reads the file into the grid: replacing its rows (after clearing them) or, when
// merging, appending after the last row. A missing file leaves the grid cleared; a
// line whose amounts are not numbers ends the reading there. Returns false when the
// file does not exist or cannot be read.
bool readInto(GridModel &grid, const QString &path, bool mergeMode, ColorValue gridColor);

// One line per data row, empty rows included; a grid without data rows is an empty file.
QByteArray toBytes(const GridModel &grid);

// Writes atomically; on failure the old file stays whole and *error says why.
bool write(const QString &path, const GridModel &grid, QString *error);

// First data row, from the top, whose symbol occurs again; 0 when none does.
int firstDuplicateRow(const GridModel &grid);

// Names (no folder) of the stock lists of `folder`: files ending in ".Stk" in any
// letter case, sorted without regard to case.
QStringList listFiles(const QString &folder);

// The text of a holding node of the library tree for one grid row.
QString holdingNodeText(const GridModel &grid, int row);

} // namespace StockListFile
