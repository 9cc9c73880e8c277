#pragma once
// The print templates' list "Templ.dat" of the template kind (one template a line, fields separated by
// ';') and the reading of a template file, shared by the project and the main window.

#include "platform/base/String.h"

#include <memory>
#include <vector>

class CTemplate;

// The list's path in the data folder, its letter case resolved; empty without the manager or the kind.
CString GetTemplateListPath();

// The fields of a line cut at ';', at most nine: the ninth holds the rest of the line after the eighth.
std::vector<CString> SplitTemplateListLine(const CString& line);
// Field number (from 1) of the fields, empty when the line has fewer.
CString TemplateListField(const std::vector<CString>& fields, size_t number);
// A new template described by a line's fields: record texts 1, 2, 3, 5, 6, 8, file name 4, group 7 as
// its title, comment 9; its page comes from its file.
std::unique_ptr<CTemplate> TemplateFromListFields(const std::vector<CString>& fields);

enum class TemplateFileRead { kRead, kNotOpened, kRefused };
// The template file's page into page through its stream; kRefused for a stream that throws.
TemplateFileRead ReadTemplateFile(const CString& path, CTemplate& page);
