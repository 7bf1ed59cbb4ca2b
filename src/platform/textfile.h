#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFile {

// UTF-8 when the bytes are valid UTF-8 (a leading byte order mark is dropped),
// otherwise Windows-1252, so lists written on Windows open unchanged.
QString decode(const QByteArray &bytes);

// Lines of a text, split at CR LF or LF. A final line end does not start another line.
QStringList splitLines(const QString &text);

// Reads a whole file. Returns false (and says why in *error) when it cannot be read.
bool readLines(const QString &path, QStringList *lines, QString *error = nullptr);

// The file's bytes for `lines`: UTF-8 without byte order mark, CR LF after each line.
QByteArray encodeLines(const QStringList &lines);

// Writes to a temporary file beside `path` and renames it over the old one, so a
// failed write leaves the old file whole. Returns false with the reason on failure.
bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);
inline bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr)
{
    return writeAtomic(path, encodeLines(lines), error);
}

} // namespace TextFile
