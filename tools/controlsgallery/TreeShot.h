#pragma once
// The tree picture of the gallery: a German folder tree with pictures, opened, with a selected and a
// drop-highlighted folder.

#include <QString>

// Writes tree.png into folder; false when the window or the file cannot be made.
bool SaveTreeShot(const QString& folder);
