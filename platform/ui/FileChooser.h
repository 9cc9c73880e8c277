#pragma once
// The choosing part of the file dialog: a folder listing with a name field and a type list, placed in the
// dialog's window above the caller's template. The program installs Qt's file widget (CQtFileChooser);
// tests install one that picks names, changes the type or cancels as scripted. Without one, every dialog
// is cancelled, so that nothing waits for a user who is not there.

#include "platform/ui/FileFilter.h"
#include "platform/ui/UiTypes.h"

#include <QRect>
#include <vector>

class QWidget;

struct FileChooserRequest {
    bool save = false;
    bool multiSelect = false;
    CString folder;   // where the listing starts
    CString fileName; // the name proposed in the name field
    std::vector<FileTypeFilter> types;
    int typeIndex = 0; // 0-based
};

// What the dialog hears from the chooser while it is open.
class IFileChooserClient {
public:
    virtual ~IFileChooserClient() = default;
    virtual void OnTypeChosen(int typeIndex) = 0;
    // The user accepts the files (absolute paths, as typed: no extension added); false keeps the chooser
    // open.
    virtual bool OnFilesChosen(const std::vector<CString>& paths) = 0;
    virtual void OnCancelled() = 0;
};

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Builds the chooser for request in area of host (the dialog's window); the client hears the user
    // until Close.
    virtual void Open(QWidget* host, const QRect& area, const FileChooserRequest& request,
                      IFileChooserClient& client) = 0;
    // Accepts what the name field holds, as the chooser's own button does (Enter in the template).
    virtual void Accept() = 0;
    // The folder the listing shows.
    virtual CString CurrentFolder() const = 0;
    virtual void Close() = 0;
};

// Installs the chooser (null goes back to the built-in one); the caller keeps ownership.
void SetFileChooser(IFileChooser* chooser);
IFileChooser& GetFileChooser();
