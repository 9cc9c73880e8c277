#pragma once
// Pictures of the shipped library for people: one contact sheet per kind with every item and its title.

#include "tools/libgen/LibraryItems.h"

#include <QString>
#include <vector>

// One kind's albums as the generator wrote them, from the kind's folder.
struct SheetKind {
    QString name;   // the sheet's file name without extension
    QString folder; // the kind's folder
    std::vector<LibraryAlbum> albums;
};

// Writes "<name>.png" per kind, and "vorlagen.png" with the templates read back from the templates'
// folder through its "Templ.dat", into sheets. Needs a GUI application for the captions. Throws
// std::runtime_error when a sheet cannot be written.
void WriteContactSheets(const std::vector<SheetKind>& kinds, const QString& templateFolder,
                        const QString& sheets);
