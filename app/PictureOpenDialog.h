#pragma once
// The dialog that asks for a picture file to open. Start-up installs the picture browser; without one the
// platform's file dialog asks.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CWnd;

// flags are OFN_ flags; filter is "description|pattern|...||". The chosen path, empty when cancelled.
using PictureOpenDialog = CString (*)(CWnd* parent, DWORD flags, const CString& filter);

// Installs the dialog (null: the platform's file dialog) and returns the one it replaces.
PictureOpenDialog SetPictureOpenDialog(PictureOpenDialog dialog);
CString AskPictureToOpen(CWnd* parent, DWORD flags, const CString& filter);
