#pragma once
// The readers of langpack: each turns one kind of language-module source into resources, keyed by their
// path in the module ("string/208", "dialog/270", "bitmap/MAIN_WND"). Each throws std::runtime_error
// naming the file (and line) of the first mistake, so a broken source stops the build.

#include "platform/base/WinTypes.h"

#include <QString>
#include <map>
#include <string>
#include <vector>

namespace LangPack {

using Entries = std::map<std::string, std::vector<BYTE>>;

// The string table: one "id = text" a line, UTF-8; '#' starts a comment line. In the text "\n" is a line
// break, "\t" a tab and "\\" a backslash; printf conversions must be well-formed.
void AddStringTable(const QString& path, Entries& entries);

// Every *.json dialog template of a folder, stored under the id it declares.
void AddDialogTemplates(const QString& folder, Entries& entries);

// Every *.json menu template of a folder, stored under the id it declares.
void AddMenuTemplates(const QString& folder, Entries& entries);

// Every *.json tool bar template of a folder, stored under the id it declares.
void AddToolBarTemplates(const QString& folder, Entries& entries);

// Every *.json accelerator template of a folder, stored under the id it declares.
void AddAcceleratorTemplates(const QString& folder, Entries& entries);

// Every skin picture that the art folder's list (bitmaps.txt) names, as packed DIBs (the BMP file without
// its file header). Each name of the required list must be among them.
void AddBitmaps(const QString& artFolder, const QString& requiredList, Entries& entries);

// The cursors that the art folder's cursors.txt lists by id, as cursor files ("cursor/1001"); nothing
// when the list is not there.
void AddCursors(const QString& artFolder, Entries& entries);

} // namespace LangPack
