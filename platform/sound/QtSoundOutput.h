#pragma once
// Sounds through Qt Multimedia. Each file is loaded once and kept, so that a click plays at once the
// next time. Without a sound device the sounds load and stay silent. User-interface thread only.

#include "platform/sound/PlaySound.h"

#include <QPointer>
#include <QSoundEffect>
#include <map>

class CQtSoundOutput final : public ISoundOutput {
public:
    CQtSoundOutput();
    ~CQtSoundOutput() override;
    CQtSoundOutput(const CQtSoundOutput&) = delete;
    CQtSoundOutput& operator=(const CQtSoundOutput&) = delete;

    void Play(const CString& path) override;

private:
    std::map<CString, QPointer<QSoundEffect>> m_effects;
};
