#pragma once
// Who shows a page template's information dialog for the print dialog. The resource manager installs
// one; without one the print dialog's information button does nothing.

class CTemplate;
class CWnd;

class ITemplateInfoOpener {
public:
    virtual ~ITemplateInfoOpener() = default;
    // Shows the information of page modally over parent.
    virtual void ShowTemplateInfo(CTemplate* page, CWnd* parent) = 0;
};

// Installs the opener (null: none); the caller keeps ownership.
void SetTemplateInfoOpener(ITemplateInfoOpener* opener);
ITemplateInfoOpener* GetTemplateInfoOpener();
