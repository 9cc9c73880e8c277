// The album dialog's look: the 25 buttons' shapes, positions and bitmaps, the album combo box, the twelve
// caption labels under the tile slots, and the tool tips.

#include "albums/AlbumDlg.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/Region.h"
#include "skin/AlbumComboBox.h"
#include "skin/TransparentStatic.h"
#include "skinart/SkinArt.h"

#include <new>
#include <span>

namespace {

struct ButtonLayout {
    UINT id;
    POINT position;
    std::span<const POINT> shape;
    std::span<const POINT> hit;
    const char* up;
    const char* down;
    const char* focus;
    const char* disabled; // null where the button is never disabled
};

using namespace SkinArt;

// The keys that share the sort key's bitmaps and shape.
ButtonLayout ToolKey(UINT id, LONG x, LONG y) {
    return {id, {x, y}, kAlbumSortShape, kAlbumSortHit, "ALBUM_SORTU", "ALBUM_SORTD", "ALBUM_SORTF", nullptr};
}

ButtonLayout InfoKey(UINT id, LONG x, LONG y) {
    return {id, {x, y}, kAlbumInfoShape, kAlbumInfoHit, "ALBUM_INFOU", "ALBUM_INFOD", "ALBUM_INFOF", nullptr};
}

// In the order the skin is built.
const ButtonLayout kButtonLayouts[] = {
    {IDOK,
     {735, 14},
     kAlbumCloseShape,
     kAlbumCloseHit,
     "ALBUM_CLOSEU",
     "ALBUM_CLOSED",
     "ALBUM_CLOSEF",
     nullptr},
    ToolKey(CAlbumDlg::kSortId, 450, 8),
    ToolKey(CAlbumDlg::kScanId, 235, 9),
    ToolKey(CAlbumDlg::kScan2Id, 285, 9),
    ToolKey(CAlbumDlg::kAddPhotosId, 191, 9),
    ToolKey(CAlbumDlg::kRemovePhotosId, 385, 9),
    ToolKey(CAlbumDlg::kDeleteAlbumId, 566, 9),
    ToolKey(CAlbumDlg::kFindId, 334, 9),
    ToolKey(CAlbumDlg::kPrintIndexId, 616, 9),
    ToolKey(CAlbumDlg::kNewAlbumId, 509, 8),
    {CAlbumDlg::kExitId,
     {775, 14},
     kAlbumExitShape,
     kAlbumExitHit,
     "ALBUM_EXITU",
     "ALBUM_EXITD",
     "ALBUM_EXITF",
     nullptr},
    {CAlbumDlg::kPrevPageId,
     {5, 304},
     kAlbumLeftShape,
     kAlbumLeftHit,
     "ALBUM_LEFTU",
     "ALBUM_LEFTD",
     "ALBUM_LEFTF",
     "ALBUM_LEFTX"},
    {CAlbumDlg::kNextPageId,
     {765, 304},
     kAlbumRightShape,
     kAlbumRightHit,
     "ALBUM_RIGHTU",
     "ALBUM_RIGHTD",
     "ALBUM_RIGHTF",
     "ALBUM_RIGHTX"},
    InfoKey(1024, 192, 215),
    InfoKey(1023, 371, 215),
    InfoKey(1013, 553, 215),
    InfoKey(1014, 735, 215),
    InfoKey(1015, 189, 400),
    InfoKey(1016, 371, 400),
    InfoKey(1017, 553, 400),
    InfoKey(1022, 732, 400),
    InfoKey(1025, 191, 585),
    InfoKey(1026, 373, 585),
    InfoKey(1027, 555, 585),
    InfoKey(1028, 734, 585),
};
static_assert(std::size(kButtonLayouts) == CAlbumDlg::kButtonCount);

// The button windows are made large and clipped by their shape.
constexpr int kButtonWindowSide = 100;
// Its height holds the dropped list.
constexpr CRect kComboRect(9, 13, 166, 350);
constexpr DWORD kComboStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

constexpr RECT kCaptionRects[CAlbumDlg::kTilesPerPage] = {
    {58, 217, 190, 231}, {239, 217, 369, 231}, {415, 219, 551, 233}, {594, 219, 733, 233},
    {58, 400, 187, 414}, {239, 400, 369, 414}, {415, 400, 551, 414}, {599, 400, 730, 414},
    {58, 585, 189, 599}, {240, 585, 371, 599}, {417, 585, 553, 599}, {600, 585, 732, 599}};
constexpr int kCaptionHeight = -10;
constexpr COLORREF kCaptionColor = RGB(255, 255, 255);
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING;

struct Tip {
    UINT control;
    UINT text; // a string of the text module
};

constexpr Tip kTips[] = {{CAlbumDlg::kAlbumComboId, 187},
                         {CAlbumDlg::kAddPhotosId, 188},
                         {CAlbumDlg::kScanId, 189},
                         {CAlbumDlg::kScan2Id, 190},
                         {CAlbumDlg::kFindId, 191},
                         {CAlbumDlg::kRemovePhotosId, 192},
                         {CAlbumDlg::kSortId, 193},
                         {CAlbumDlg::kNewAlbumId, 219},
                         {CAlbumDlg::kDeleteAlbumId, 195},
                         {CAlbumDlg::kPrintIndexId, 196},
                         {IDOK, 197},
                         {CAlbumDlg::kPrevPageId, 199},
                         {CAlbumDlg::kNextPageId, 198}};
constexpr UINT kInfoTipId = 200;

BOOL MakePolygonRegion(CRgn& region, std::span<const POINT> points) {
    return region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

} // namespace

bool CAlbumDlg::CreateSkin() {
    for (const ButtonLayout& layout : kButtonLayouts) {
        CMyBitmapButton* button = Button(layout.id);
        CRgn shape;
        CRgn hit;
        if (!button || !MakePolygonRegion(shape, layout.shape) || !MakePolygonRegion(hit, layout.hit))
            return false;
        button->SetWindowPos(nullptr, layout.position.x, layout.position.y, kButtonWindowSide,
                             kButtonWindowSide, SWP_NOZORDER);
        if (!button->SetRegions(&shape, &hit, TRUE) ||
            !button->LoadBitmaps(layout.up, layout.down, layout.focus, layout.disabled))
            return false;
    }
    if (m_combo && m_combo->GetSafeHwnd())
        m_combo->DestroyWindow();
    try {
        m_combo = std::make_unique<CAlbumComboBox>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    return m_combo->Create(kComboStyle, kComboRect, this, kAlbumComboId) != FALSE;
}

bool CAlbumDlg::CreateCaptions() {
    for (size_t slot = 0; slot < m_captions.size(); ++slot) {
        const CRect rect(kCaptionRects[slot]);
        try {
            m_captions[slot] =
                std::make_unique<CTransparentStatic>(kCaptionHeight, kCaptionColor, "Arial", kCaptionFormat);
        } catch (const std::bad_alloc&) {
            return false;
        }
        m_captions[slot]->SetStyle(1, rect.left, rect.top, m_background.GetDC());
        if (!m_captions[slot]->Create("", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, this, kCaptionId))
            return false;
    }
    return true;
}

void CAlbumDlg::AddToolTips() {
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(TRUE);
    // The tips' texts live in the text module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    for (const Tip& tip : kTips) {
        if (CWnd* control = GetDlgItem(static_cast<int>(tip.control)))
            m_toolTip.AddTool(control, tip.text);
    }
    for (const UINT id : kInfoIds) {
        if (CWnd* control = GetDlgItem(static_cast<int>(id)))
            m_toolTip.AddTool(control, kInfoTipId);
    }
    AfxSetResourceHandle(AppServices().GetResourceModule());
}
