#pragma once
// The album dialog as the main window runs it. Start-up installs the dialog; without one the album
// command answers Cancel.

#include "platform/base/WinTypes.h"

class CDSAlbum;
class CWnd;

// What the user confirmed: the album shown and its current photo (-1 for none).
struct AlbumChoice {
    CDSAlbum* album = nullptr;
    int photoIndex = -1;
};

// Runs the dialog modally over parent; IDOK with the choice filled in, else IDCANCEL.
using AlbumDialog = int (*)(CWnd* parent, AlbumChoice& choice);

// Installs the dialog (null: none) and returns the one it replaces.
AlbumDialog SetAlbumDialog(AlbumDialog dialog);
int RunAlbumDialog(CWnd* parent, AlbumChoice& choice);
