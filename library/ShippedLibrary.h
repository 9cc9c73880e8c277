#pragma once
// The library that ships with the program, made available to a user. Album archives, "albums.dat" and
// "Templ.dat" are always read from the user's data folder, while the entries' files may stay in the
// install folder; so the shipped lists and the archives they name are copied into the data folder.

#include "platform/base/String.h"

// For a kind's folder (with its leading separator): when the data folder's copy has no "albums.dat" and
// the install folder's has one, copies the archives it names ("/album<n>.zip") and then the list. Nothing
// is overwritten: when one of the archives is already there, nothing is copied for the kind. Each file is
// copied atomically; when one fails, the archives copied before it are removed again. False when a copy
// failed.
bool CopyShippedAlbums(const CString& dataPath, const CString& installPath, const CString& folder);

// The same for the print templates' "Templ.dat" of the templates' folder.
bool CopyShippedTemplateList(const CString& dataPath, const CString& installPath, const CString& folder);
