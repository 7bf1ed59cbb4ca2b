#include "platform/soundplayer.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>

WaveSoundPlayer::WaveSoundPlayer(QObject *parent) : QObject(parent) {}

void WaveSoundPlayer::play(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.read(12).mid(8, 4) != "WAVE") {
        reportError(path, QStringLiteral("\"%1\" is not a wave sound file.").arg(path));
        return;
    }
    if (!m_effect || m_path != path) {
        delete m_effect;
        m_effect = new QSoundEffect(this);
        m_path = path;
        connect(m_effect, &QSoundEffect::statusChanged, this, [this] {
            if (m_effect->status() == QSoundEffect::Error)
                reportError(m_path, QStringLiteral("The sound file \"%1\" cannot be played.").arg(m_path));
            else if (m_effect->status() == QSoundEffect::Ready && m_pendingPlay) {
                m_pendingPlay = false;
                m_effect->play();
            }
        });
        m_effect->setSource(QUrl::fromLocalFile(path));
    }
    if (m_effect->status() == QSoundEffect::Ready)
        m_effect->play();
    else
        m_pendingPlay = true;
}
