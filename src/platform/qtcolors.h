#pragma once
#include "platform/colorvalue.h"

#include <QColor>

// The desktop colour a stored colour value stands for. System colours follow the
// current palette; kNoColor gives an invalid QColor.
QColor toQColor(ColorValue value);
ColorValue fromQColor(const QColor &color);
