#pragma once
// The information dialogs as the category panel and the print dialog open them. Start-up installs one
// CInfoDialogs for both.

#include "albums/ResourceInfoDialogs.h"
#include "output/TemplateInfoOpener.h"

class CInfoDialogs final : public IResourceInfoDialogs, public ITemplateInfoOpener {
public:
    void ShowResourceInfo(CDSObj* entry, UINT dialogTemplate, CWnd* parent) override;
    void ShowTemplateInfo(CTemplate* page, CWnd* parent) override;
};

// Installs the program's dialogs for the category panel's and the print dialog's information buttons.
void InstallInfoDialogs();
