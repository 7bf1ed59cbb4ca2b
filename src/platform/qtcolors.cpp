#include "platform/qtcolors.h"

#include <QGuiApplication>
#include <QPalette>

QColor toQColor(ColorValue value)
{
    if (value == kNoColor)
        return QColor();
    if (isSystemColor(value)) {
        const QPalette pal = QGuiApplication::palette();
        switch (quint32(value) & 0xFF) {
        case 0: return pal.color(QPalette::Mid);                         // scroll bar
        case 1: return pal.color(QPalette::Dark);                        // desktop
        case 2: return pal.color(QPalette::Active, QPalette::Highlight); // active caption
        case 3: return pal.color(QPalette::Window);                      // inactive caption
        case 4: return pal.color(QPalette::Window);                      // menu
        case 5: return pal.color(QPalette::Base);                        // window background
        case 6: return pal.color(QPalette::Shadow);                      // window frame
        case 7: return pal.color(QPalette::WindowText);                  // menu text
        case 8: return pal.color(QPalette::Text);                        // window text
        case 9: return pal.color(QPalette::HighlightedText);             // caption text
        case 13: return pal.color(QPalette::Highlight);
        case 14: return pal.color(QPalette::HighlightedText);
        case 15: return pal.color(QPalette::Button);
        case 16: return pal.color(QPalette::Dark);
        case 17: return pal.color(QPalette::Disabled, QPalette::Text);
        case 18: return pal.color(QPalette::ButtonText);
        case 20: return pal.color(QPalette::Light);
        case 21: return pal.color(QPalette::Shadow);
        case 22: return pal.color(QPalette::Light);                      // light 3-D edge
        case 23: return pal.color(QPalette::ToolTipText);
        case 24: return pal.color(QPalette::ToolTipBase);
        default: return pal.color(QPalette::Window);
        }
    }
    const quint32 v = quint32(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

ColorValue fromQColor(const QColor &color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}
