#pragma once
// Button sounds: wave files played without waiting for their end. The program installs an output that
// plays them through the sound system (CQtSoundOutput); tests install one that records them. Without an
// output nothing is heard.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

inline constexpr UINT SND_SYNC = 0x0000;
inline constexpr UINT SND_ASYNC = 0x0001;
inline constexpr UINT SND_NODEFAULT = 0x0002;

class ISoundOutput {
public:
    virtual ~ISoundOutput() = default;
    // Starts the wave file (an absolute path with '/') and returns at once; a sound that still plays
    // may be cut off by the next one.
    virtual void Play(const CString& path) = 0;
};

// Installs the output (null: silence); the caller keeps ownership. Returns the one it replaces.
ISoundOutput* SetSoundOutput(ISoundOutput* output);

// Plays the wave file; '\' in the path is read as '/'. Nothing waits for the sound to end, SND_SYNC
// included: a click must never hold up the window. FALSE when the file is not there (nothing is played
// instead) or no path is given.
BOOL sndPlaySound(LPCTSTR path, UINT flags);

// The sound of the message boxes' MessageBeep: the program folder's Sound/info.wav.
CString MessageBeepSoundPath();
// Makes MessageBeep play that sound through the installed output.
void InstallMessageBeepSound();
