#pragma once
// The library's settings on a first start. On Windows the installer wrote them; here the program does it
// the first time it runs for a user, before the resource object manager reads them.

// When "Settings"/"DataPath" is absent: writes "DataPath" = the user's data folder, "InstallPath" = the
// program folder's "library", the four album kinds and the print templates with install type 2 (data
// folder first, then the install folder), their folders ("/Bilder", "/Cliparts", "/Rahmen",
// "/Schablonen", "/Vorlagen"), empty kind names, so that the names of the language module apply, and the
// template group "Einzelbilder". On every start it points "InstallPath" at the program folder's "library"
// again when the program has moved, creates the data folder and the kinds' folders in it, and copies the
// shipped album lists with their archives and the template list where the user has none
// (library/ShippedLibrary.h). False when a folder cannot be made or a copy fails.
bool PrepareLibrarySettings();
