#pragma once
#include "platform/colorvalue.h"

#include <QString>

// Every user preference of the program: one instance for the whole run, read and
// written directly by the windows. A plain record; the routines that fill it live in
// settings.h and belong to the main window's start-up.
struct TGlobals {
    ColorValue MainColor = 0;
    ColorValue MainTextColor = 0;
    ColorValue MainColorTo = 0;
    ColorValue ToolbarColor = 0;
    ColorValue ToolbarColorTo = 0;
    ColorValue ToolbarTextColor = 0;
    ColorValue GridColor = 0;
    ColorValue GridColorTo = 0;
    ColorValue GridTextColor = 0;
    ColorValue GainColor = 0;
    ColorValue GainColorTo = 0;
    ColorValue GainTextColor = 0;
    ColorValue TreeColor = 0;
    ColorValue TreeTextColor = 0;
    ColorValue LossColor = 0;
    ColorValue LossColorTo = 0;
    ColorValue LossTextColor = 0;
    ColorValue TipsColor = 0;
    ColorValue TipsColorTo = 0;
    ColorValue TipsTextColor = 0;
    ColorValue ButtonColor = 0;
    ColorValue ButtonColorTo = 0;
    ColorValue ButtonTextColor = 0;

    QString StockListsPath;
    QString HelpPage;
    QString StartUpList;
    QChar TipsMode;
    bool RingAlarm = false;
    bool HelpOpen = false;
    bool HorzGridLines = false;
    bool VertGridLines = false;
    bool GridLines = false;
    bool BoldText = false;
    bool ShowStartTips = false;
    bool AutoTimer = false;
    qint32 HelpLeft = 0;
    qint32 HelpTop = 0;
    qint32 HelpHeight = 0;
    qint32 HelpWidth = 0;
    qint32 TimerInterval = 0;
    qint32 TimerCount = 0;
    QString SettingsPage;
    QString AlertSoundFile;

    // Scheme and host of the quote service; empty means the default service.
    QString QuoteService;
};

// The one settings object of the process.
TGlobals &Globals();
