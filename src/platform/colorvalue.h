#pragma once
#include <QtGlobal>

// A colour as the settings store it: 0x00BBGGRR for an explicit colour, or
// 0xFF0000nn for the desktop's colour of system element nn.
using ColorValue = qint32;

// What a cell without colours of its own reports; no settings colour can equal it.
constexpr ColorValue kNoColor = 0x1FFFFFFF;

constexpr ColorValue systemColor(int index) { return ColorValue(0xFF000000u | quint32(index)); }
constexpr bool isSystemColor(ColorValue c) { return (quint32(c) & 0xFF000000u) == 0xFF000000u; }
constexpr ColorValue rgbColor(int r, int g, int b) { return ColorValue((b << 16) | (g << 8) | r); }
