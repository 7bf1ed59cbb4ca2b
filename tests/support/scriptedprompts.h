#pragma once
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/soundplayer.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QUrl>

// Answers the program's questions and dialogs from a queue and records every message,
// so window tests never open a real dialog.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        QString kind; // "error" or "question"
        QString text;
        QString caption;
    };

    // Queued answers. An unexpected dialog fails the test through `unexpected`.
    QQueue<bool> questionAnswers;
    QQueue<QString> openAnswers;  // an empty string cancels
    QQueue<QString> saveAnswers;  // an empty string cancels
    QQueue<QColor> colorAnswers;  // an invalid colour cancels

    QList<Message> messages;
    QStringList unexpected;
    struct FileDialog {
        QString caption, folder, fileName, filter;
    };
    QList<FileDialog> fileDialogs;

    void error(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override;
    QString openFile(const QString &caption, const QString &folder, const QString &fileName,
                     const QString &filter) override;
    QString saveFile(const QString &caption, const QString &folder, const QString &fileName,
                     const QString &filter, const QString &defaultSuffix) override;
    std::optional<QColor> chooseColor(const QColor &initial, const QString &caption) override;

    QStringList errorTexts() const;
};

class RecordingShell : public Shell {
public:
    QList<QUrl> opened;
    int calculatorStarts = 0;
    bool calculatorAvailable = true;
    bool openUrl(const QUrl &url) override
    {
        opened << url;
        return true;
    }
    bool startCalculator() override
    {
        ++calculatorStarts;
        return calculatorAvailable;
    }
};

class RecordingSound : public SoundPlayer {
public:
    QStringList played;
    // Paths that fail as the real player would report an unplayable file.
    QStringList broken;
    void play(const QString &path) override
    {
        played << path;
        if (broken.contains(path))
            reportError(path, QStringLiteral("The sound file \"%1\" cannot be played.").arg(path));
    }
};
