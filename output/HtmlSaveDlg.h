#pragma once
// CHtmlSaveDlg: the Save As dialog for a web page of the page. Beneath the chooser, template 512 holds
// the picture's width and height, which follow each other in the page's aspect ratio, and whether the
// saved page is opened afterwards. Every change is written straight to the caller's variables.

#include "platform/base/String.h"
#include "platform/ui/FileDialog.h"

class CHtmlSaveDlg : public CFileDialog {
public:
    static constexpr UINT kTemplateId = 512;
    // A side larger than this would make page pictures of gigabytes.
    static constexpr int kLargestSide = 10000;

    // size: the caller's width and height; openAfterSaving: the caller's flag; aspectRatio: page height
    // / page width. None is owned.
    CHtmlSaveDlg(int* size, BOOL* openAfterSaving, float aspectRatio, LPCTSTR filter, CWnd* parent);

    // EN_CHANGE of the width (1013) and height (1014) fields: a number above 2 that differs from the
    // stored one is taken (at most kLargestSide, shown so) and the other side follows it.
    void OnWidthChange();
    void OnHeightChange();
    // Check box 1015.
    void OnOpenFlagChange();

protected:
    BOOL OnInitDialog() override;

private:
    // The typed side, clamped and shown so; false when it is not taken.
    bool ReadSide(int id, int stored, int& side);
    void WriteSide(int id, double side, int& stored);

    int* m_pSize;
    float m_aspectRatio;
    BOOL* m_pOpenAfterSaving;
};

// The dialog's hook: its commands go to the dialog object, then every message to the hook it replaced.
UINT_PTR HtmlSaveDlgHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks for the web page's file with filter 271 and template 512: the chosen full path, or empty when
// cancelled. size and openAfterSaving change while the user types, also when he then cancels.
CString RunHtmlSaveDialog(int size[2], BOOL* openAfterSaving, float aspectRatio, CWnd* parent);
