#pragma once
// The album tree and the details view inside a frame that records the private messages they send, over
// a photo library in a temporary folder.

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPresenter.h"
#include "tests/albums/AlbumDialogsFixture.h"

#include <string>
#include <vector>

// A frame that keeps every private message and answers it with 0.
class RecordingFrame final : public CFrameWnd {
public:
    struct Sent {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The messages of one number, in order.
    std::vector<Sent> Of(UINT message) const;

    std::vector<Sent> m_sent;
};

// Records the items of each menu shown ("id text") and cancels it.
class RecordingMenus final : public IMenuPresenter {
public:
    RecordingMenus() { SetMenuPresenter(this); }
    ~RecordingMenus() override { SetMenuPresenter(nullptr); }
    RecordingMenus(const RecordingMenus&) = delete;
    RecordingMenus& operator=(const RecordingMenus&) = delete;

    UINT Track(HWND owner, CMenu& menu, POINT point) override;

    std::vector<std::string> m_items;
    int m_shown = 0;
};

class ViewsTest : public AlbumDialogsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A view of the class made in the frame over its whole client area.
    template <typename View>
    View* MakeView(CRect rect = CRect(0, 0, 400, 300)) {
        auto* view = new View;
        if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, m_frame, AFX_IDW_PANE_FIRST,
                          nullptr))
            return nullptr;
        return view;
    }

    RecordingFrame* m_frame = nullptr; // deletes itself with its window
    RecordingMenus m_menus;
};
