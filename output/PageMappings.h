#pragma once
// The application's page-mapping list as the print dialogs reach it. The application object installs
// its list at start-up; tests install their own. Without one there are no mappings to show.

class CPrinterMappingList;

// Installs the list (null: none); the caller keeps ownership.
void SetPageMappings(CPrinterMappingList* mappings);
CPrinterMappingList* GetPageMappings();
