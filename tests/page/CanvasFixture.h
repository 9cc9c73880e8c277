#pragma once
// A page canvas in a window of the main window's size, in edit mode, with a stand-in main window, panel
// and dialogs, the German resource module for its menus and a menu presenter that records each menu.

#include "page/PreviewWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPresenter.h"
#include "tests/page/FakeCanvasHost.h"
#include "tests/page/PageFixture.h"

#include <string>
#include <vector>

class CDrawImage;
class CDrawText;
class CPictureInfo;

// Records the popup's commands ("32771", grayed ones as "32771 grayed") and chooses none.
class RecordingMenuPresenter final : public IMenuPresenter {
public:
    RecordingMenuPresenter() { SetMenuPresenter(this); }
    ~RecordingMenuPresenter() override { SetMenuPresenter(nullptr); }
    RecordingMenuPresenter(const RecordingMenuPresenter&) = delete;
    RecordingMenuPresenter& operator=(const RecordingMenuPresenter&) = delete;

    UINT Track(HWND, CMenu& menu, POINT) override {
        m_items.clear();
        Record(menu);
        ++m_shown;
        return 0;
    }

    std::vector<std::string> m_items;
    int m_shown = 0;

private:
    void Record(CMenu& menu) {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            if (CMenu* popup = menu.GetSubMenu(i)) {
                Record(*popup);
                continue;
            }
            const UINT id = menu.GetMenuItemID(i);
            if (id == 0)
                continue;
            const UINT state = menu.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
            m_items.push_back(std::to_string(id) + ((state & MF_GRAYED) ? " grayed" : ""));
        }
    }
};

class CanvasFixture : public PageFixture {
protected:
    CanvasFixture();
    ~CanvasFixture() override;
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A4 portrait, across its first size member.
    static std::unique_ptr<CTemplate> A4Page();
    // A picture object showing a solid picture (0xRRGGBB) of width x height in frame.
    static CDrawImage* SolidPicture(const CRect& frame, unsigned rgb, int width = 2, int height = 2);
    static CPictureInfo* SolidDib(unsigned rgb, int width, int height);
    static CDrawText* Text(const CRect& frame, const char* text);
    // Adds an object to the host's page and returns it.
    template <typename T>
    T* Add(T* object) {
        m_host.m_page->InsertObject(object, -1);
        return object;
    }
    // The window point in the middle of an object's position.
    CPoint Centre(const CDrawObj* object) const;
    // The bitmap's pixel and the window's at a client point.
    COLORREF BitmapPixel(CPoint point) const;
    // Pixels where the window differs from its off-screen bitmap.
    int WindowDiffersFromBitmap();

    // The commands of the last menu shown ("-" none).
    std::vector<std::string> LastMenu() const;

    FakeMainWnd m_host;
    FakePageDialogs m_dialogs;
    CWnd m_main;
    CPreviewWnd* m_canvas = nullptr;
    std::unique_ptr<RecordingMenuPresenter> m_menus;
};
