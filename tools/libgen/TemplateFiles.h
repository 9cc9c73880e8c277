#pragma once
// The print templates: one "TPL" file per template, written by the template's own stream, and the list
// "Templ.dat" that names them in three groups.

#include <QString>

class AlbumWriter;

// Writes the template files and "Templ.dat" into the templates' folder; placed clipart comes from the
// clipart kind through albums. Throws std::runtime_error when a file cannot be written.
void WriteTemplates(const AlbumWriter& albums);
