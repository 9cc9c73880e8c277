#pragma once
// The information dialogs of the resource manager that the category panel's information buttons open:
// one for a library entry, one for a print template. The resource manager installs them; without them
// the buttons do nothing.

#include "platform/base/WinTypes.h"

class CDSObj;
class CTemplate;
class CWnd;

class IResourceInfoDialogs {
public:
    virtual ~IResourceInfoDialogs() = default;

    // Modal over parent; the entry and the template stay the caller's.
    virtual void ShowResourceInfo(CDSObj* entry, UINT dialogTemplate, CWnd* parent) = 0;
    virtual void ShowTemplateInfo(CTemplate* page, CWnd* parent) = 0;
};

// Installs the dialogs (null: none); the caller keeps them.
void SetResourceInfoDialogs(IResourceInfoDialogs* dialogs);
// The installed dialogs, or null.
IResourceInfoDialogs* ResourceInfoDialogs();
