#pragma once
// Names the look a grid cell shows, so tables of cases can say "gain" or "loss".
#include "app/globals.h"
#include "platform/gridmodel.h"

#include <QString>

inline QString lookOf(const GridModel &grid, int col, int row, const TGlobals &g)
{
    const auto c = grid.cellData(col, row);
    if (c.color == g.GainColor && c.colorTo == g.GainColorTo && c.fontColor == g.GainTextColor)
        return QStringLiteral("gain");
    if (c.color == g.LossColor && c.colorTo == g.LossColorTo && c.fontColor == g.LossTextColor)
        return QStringLiteral("loss");
    if (c.color == g.GridColor && c.colorTo == g.GridColorTo && c.fontColor == g.GridTextColor)
        return QStringLiteral("plain");
    return QStringLiteral("other");
}
