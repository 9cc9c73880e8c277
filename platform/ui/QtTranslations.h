#pragma once
// Qt's own German texts, for what Qt draws itself: standard buttons and the file and colour dialogs.

// Loads qtbase_de from Qt's translations folder into the running application, once; false when the
// file is missing (scripts/setup installs it).
bool LoadQtGermanTranslations();
