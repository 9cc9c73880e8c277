#include "platform/sound/PlaySound.h"

#include "platform/base/MessageBeep.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"

#include <QFileInfo>
#include <atomic>

namespace {

std::atomic<ISoundOutput*> g_output{nullptr};

void PlayMessageBeep(UINT /*type*/) {
    sndPlaySound(MessageBeepSoundPath(), SND_ASYNC | SND_NODEFAULT);
}

} // namespace

ISoundOutput* SetSoundOutput(ISoundOutput* output) {
    return g_output.exchange(output);
}

BOOL sndPlaySound(LPCTSTR path, UINT /*flags*/) {
    if (!path || !*path)
        return FALSE;
    const CString file = ResolvePathCase(BackslashesToSlashes(path));
    if (!QFileInfo(QString::fromUtf8(file.GetString())).isFile())
        return FALSE;
    if (ISoundOutput* output = g_output.load())
        output->Play(file);
    return TRUE;
}

CString MessageBeepSoundPath() {
    return GetProgramFolder() + "/Sound/info.wav";
}

void InstallMessageBeepSound() {
    SetMessageBeepHandler(PlayMessageBeep);
}
