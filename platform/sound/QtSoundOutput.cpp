#include "platform/sound/QtSoundOutput.h"

#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>

CQtSoundOutput::CQtSoundOutput() = default;

CQtSoundOutput::~CQtSoundOutput() {
    for (auto& [path, effect] : m_effects)
        delete effect.data();
}

void CQtSoundOutput::Play(const CString& path) {
    QPointer<QSoundEffect>& effect = m_effects[path];
    if (!effect) {
        // Owned by the Qt application too, so that the sounds go before the sound system when the
        // application ends first.
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl::fromLocalFile(QString::fromUtf8(path.GetString())));
    }
    // Plays once loaded when the file is still loading; restarts a sound that still plays.
    effect->stop();
    effect->play();
}
