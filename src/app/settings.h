#pragma once
#include "app/globals.h"

#include <QString>

// Main window geometry as the options file keeps it.
struct WindowGeometry {
    qint32 left = 0;
    qint32 top = 0;
    qint32 height = 0;
    qint32 width = 0;
};

namespace Settings {

void SetDefaultColors(TGlobals &g);
void SetDefaultOptions(TGlobals &g, const QString &programFolder);

// Reads "Options.Ini". Returns the path when the whole file was read, or an empty
// string when it does not exist or reading stopped at a bad line; values read before
// the bad line keep their new values.
QString ReadOptionsFile(const QString &path, TGlobals &g, WindowGeometry &geometry);

// Writes the nineteen lines (and the quote service line) atomically.
bool WriteOptionsFile(const QString &path, const TGlobals &g, const WindowGeometry &geometry,
                      QString *error = nullptr);

} // namespace Settings
