#include "scriptedprompts.h"

void ScriptedPrompts::error(const QString &text, const QString &caption)
{
    messages << Message{QStringLiteral("error"), text, caption};
}

bool ScriptedPrompts::question(const QString &text, const QString &caption)
{
    messages << Message{QStringLiteral("question"), text, caption};
    if (questionAnswers.isEmpty()) {
        unexpected << QStringLiteral("question: ") + text;
        return false;
    }
    return questionAnswers.dequeue();
}

QString ScriptedPrompts::openFile(const QString &caption, const QString &folder, const QString &fileName,
                                  const QString &filter)
{
    fileDialogs << FileDialog{caption, folder, fileName, filter};
    if (openAnswers.isEmpty()) {
        unexpected << QStringLiteral("open dialog: ") + caption;
        return QString();
    }
    return openAnswers.dequeue();
}

QString ScriptedPrompts::saveFile(const QString &caption, const QString &folder, const QString &fileName,
                                  const QString &filter, const QString &)
{
    fileDialogs << FileDialog{caption, folder, fileName, filter};
    if (saveAnswers.isEmpty()) {
        unexpected << QStringLiteral("save dialog: ") + caption;
        return QString();
    }
    return saveAnswers.dequeue();
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor &, const QString &caption)
{
    if (colorAnswers.isEmpty()) {
        unexpected << QStringLiteral("colour dialog: ") + caption;
        return std::nullopt;
    }
    const QColor c = colorAnswers.dequeue();
    if (!c.isValid())
        return std::nullopt;
    return c;
}

QStringList ScriptedPrompts::errorTexts() const
{
    QStringList out;
    for (const Message &m : messages)
        if (m.kind == QLatin1String("error"))
            out << m.text;
    return out;
}
