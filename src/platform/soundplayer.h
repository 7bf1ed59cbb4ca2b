#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QSoundEffect;

// Plays the alert wave file. Tests replace it.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once. A file that turns out not to be playable
    // is reported through the callback given to setErrorHandler, possibly later.
    virtual void play(const QString &path) = 0;
    void setErrorHandler(std::function<void(const QString &path, const QString &message)> handler)
    {
        m_onError = std::move(handler);
    }

protected:
    void reportError(const QString &path, const QString &message)
    {
        if (m_onError)
            m_onError(path, message);
    }

private:
    std::function<void(const QString &, const QString &)> m_onError;
};

class WaveSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit WaveSoundPlayer(QObject *parent = nullptr);
    void play(const QString &path) override;

private:
    QSoundEffect *m_effect = nullptr;
    QString m_path;
    bool m_pendingPlay = false;
};
