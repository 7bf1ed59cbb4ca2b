#include "app/settings.h"

#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

TGlobals &Globals()
{
    static TGlobals globals;
    return globals;
}

namespace Settings {

void SetDefaultColors(TGlobals &g)
{
    g.MainColor = systemColor(3);
    g.MainTextColor = systemColor(8);
    g.MainColorTo = systemColor(2);
    g.ToolbarColor = systemColor(22);
    g.ToolbarColorTo = 0x808080;
    g.ToolbarTextColor = systemColor(8);
    g.GridColor = 0xFFFFFF;
    g.GridColorTo = 0x808080;
    g.GridTextColor = 0x000000;
    g.GainColor = 0xFFFFFF;
    g.GainColorTo = 0xC0C0C0;
    g.GainTextColor = 0x000000;
    g.TreeColor = 0xC0C0C0;
    g.TreeTextColor = 0x000000;
    g.LossColor = systemColor(5);
    g.LossColorTo = 0x808080;
    g.LossTextColor = systemColor(8);
    g.TipsColor = 0x008080;
    g.TipsColorTo = 0x808080;
    g.TipsTextColor = 0x800000;
    g.ButtonColor = 0x008080;
    g.ButtonColorTo = 0x808080;
    g.ButtonTextColor = 0x800000;
}

void SetDefaultOptions(TGlobals &g, const QString &programFolder)
{
    g.BoldText = false;
    g.GridLines = false;
    g.StockListsPath = programFolder;
    g.HelpLeft = 1500;
    g.HelpTop = 100;
    g.HelpHeight = 1400;
    g.HelpWidth = 1000;
    g.RingAlarm = false;
    g.AutoTimer = false;
    g.TimerInterval = 60;
}

namespace {

// Reads the file the way the options were always read: texts are whole lines, an
// integer is the next blank-separated token (empty lines skipped), the rest of its
// line ignored; running out of lines gives empty texts and zeros.
class LineReader {
public:
    explicit LineReader(QStringList lines) : m_lines(std::move(lines)) {}

    QString text()
    {
        if (m_line >= m_lines.size())
            return QString();
        const QString out = m_lines[m_line].mid(m_pos);
        ++m_line;
        m_pos = 0;
        return out;
    }

    // False when the token is not a decimal integer.
    bool integer(qint32 *value)
    {
        while (m_line < m_lines.size()) {
            const QString &l = m_lines[m_line];
            while (m_pos < l.size() && isBlank(l[m_pos]))
                ++m_pos;
            if (m_pos < l.size())
                break;
            ++m_line;
            m_pos = 0;
        }
        if (m_line >= m_lines.size()) {
            *value = 0;
            return true;
        }
        const QString &l = m_lines[m_line];
        int end = m_pos;
        while (end < l.size() && !isBlank(l[end]))
            ++end;
        bool ok = false;
        const qint32 v = l.mid(m_pos, end - m_pos).toInt(&ok, 10);
        if (!ok)
            return false;
        *value = v;
        ++m_line;
        m_pos = 0;
        return true;
    }

private:
    static bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

    QStringList m_lines;
    int m_line = 0;
    int m_pos = 0;
};

QString flagText(bool b) { return b ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

} // namespace

QString ReadOptionsFile(const QString &path, TGlobals &g, WindowGeometry &geometry)
{
    g.StartUpList.clear();
    if (!QFileInfo(path).isFile())
        return QString();
    QStringList lines;
    if (!TextFile::readLines(path, &lines))
        return QString();

    LineReader r(lines);
    g.StartUpList = r.text();
    g.StockListsPath = r.text();
    g.AlertSoundFile = r.text();
    for (qint32 *field : {&geometry.left, &geometry.top, &geometry.height, &geometry.width,
                          &g.HelpLeft, &g.HelpTop, &g.HelpHeight, &g.HelpWidth, &g.TimerInterval}) {
        if (!r.integer(field))
            return QString();
    }
    g.BoldText = g.GridLines = g.HorzGridLines = g.VertGridLines = g.ShowStartTips = false;
    for (bool *flag : {&g.BoldText, &g.GridLines, &g.HorzGridLines, &g.VertGridLines,
                       &g.AutoTimer, &g.RingAlarm, &g.ShowStartTips}) {
        if (r.text().toUpper() == QLatin1String("TRUE"))
            *flag = true;
    }
    // Only an address counts: in a file shifted by an extra line a flag's text lands here.
    const QString service = r.text().trimmed();
    const QUrl url(service, QUrl::StrictMode);
    const bool isAddress = url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    g.QuoteService = isAddress ? service : QString();
    return path;
}

bool WriteOptionsFile(const QString &path, const TGlobals &g, const WindowGeometry &geometry, QString *error)
{
    QStringList lines{g.StartUpList, g.StockListsPath, g.AlertSoundFile};
    for (qint32 v : {geometry.left, geometry.top, geometry.height, geometry.width,
                     g.HelpLeft, g.HelpTop, g.HelpHeight, g.HelpWidth, g.TimerInterval})
        lines << QString::number(v);
    for (bool b : {g.BoldText, g.GridLines, g.HorzGridLines, g.VertGridLines,
                   g.AutoTimer, g.RingAlarm, g.ShowStartTips})
        lines << flagText(b);
    // The service line is written only when the user chose another service, so a
    // default file stays the nineteen lines every older copy reads.
    if (!g.QuoteService.trimmed().isEmpty())
        lines << g.QuoteService.trimmed();
    return TextFile::writeLines(path, lines, error);
}

} // namespace Settings
