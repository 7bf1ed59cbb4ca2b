#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace TextFile {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; unassigned codes map to themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

QString decode(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(data.size());
    for (char ch : data) {
        const auto b = static_cast<unsigned char>(ch);
        text += (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QStringList splitLines(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (t.isEmpty())
        return {};
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    return t.split(QLatin1Char('\n'));
}

bool readLines(const QString &path, QStringList *lines, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return false;
    }
    *lines = splitLines(decode(bytes));
    return true;
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines) {
        out += l.toUtf8();
        out += "\r\n";
    }
    return out;
}

bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    // commit() renames even when its own flush failed (a full disk), so flush first.
    if (f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        f.cancelWriting();
        return false;
    }
    return true;
}

} // namespace TextFile
