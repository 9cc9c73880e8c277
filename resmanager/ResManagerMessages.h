#pragma once
// The resource manager's private messages, through which its three views talk to each other by way of
// the frame, and their result codes. Every one is sent, never posted.

#include "albums/AlbumPropertiesDialog.h"
#include "platform/base/WinTypes.h"

class CDSAlbum;
class CDSObj;

inline constexpr UINT WM_RM_SHOWRESTYPE = 0x401;
inline constexpr UINT WM_RM_SHOWALBUM = 0x402;
inline constexpr UINT WM_RM_NEWITEM = 0x403;
inline constexpr UINT WM_RM_OBJECTRENAMED = 0x405;
inline constexpr UINT WM_RM_BLOCKDRAG = 0x406;
inline constexpr UINT WM_RM_ENDDRAG = 0x407;
inline constexpr UINT WM_RM_TREESELECTALBUM = 0x465;
inline constexpr UINT WM_RM_TREEDELETEALBUM = 0x467;
inline constexpr UINT WM_RM_TREEDRAGOVER = 0x468;
inline constexpr UINT WM_RM_TREEDROP = 0x469;
inline constexpr UINT WM_RM_TREESORTALBUMS = 0x46A;
inline constexpr UINT WM_RM_PROGRESSBEGIN = 0x4C9;
inline constexpr UINT WM_RM_PROGRESSSTEP = 0x4CA;
inline constexpr UINT WM_RM_STATUSTEXT = 0x4CB;
inline constexpr UINT WM_RM_SHOWDETAILS = 0x52D;
inline constexpr UINT WM_RM_FILLSORTCHOICES = 0x592;
inline constexpr UINT WM_RM_GETSORTCHOICE = 0x593;
inline constexpr UINT WM_RM_RELAY32890 = 0x594;
inline constexpr UINT WM_RM_RELAY32889 = 0x595;
inline constexpr UINT WM_RM_RELAY32896 = 0x596;

// Results: 0 is success; refusals start at 0x20000000 so that they never pass for an index.
inline constexpr LRESULT RM_E_NOTARGET = 0x20000000;     // no receiving view or control, or nothing made
inline constexpr LRESULT RM_E_NULLARG = 0x20000001;      // a required pointer is null or of the wrong class
inline constexpr LRESULT RM_E_INSERTFAILED = 0x20000002; // the tree refused a node
inline constexpr LRESULT RM_E_NOSELECTION = 0x20000004;  // the album tree has no selected node
inline constexpr LRESULT RM_E_NOTAKIND = 0x20000005;     // the selected tree node is no kind node

// The item kinds of WM_RM_SHOWDETAILS (its high word).
inline constexpr int kDetailsNothing = 0;
inline constexpr int kDetailsAlbum = 1;
inline constexpr int kDetailsObject = 2;

// The entry the object view made current, with the album it lists. The object view allocates one for
// each WM_RM_SHOWDETAILS of kind 2; the receiver owns it from then on.
struct ObjectRef {
    CDSAlbum* album = nullptr;
    CDSObj* entry = nullptr;
};

// The commands that the frame relays to the object view.
inline constexpr UINT ID_RM_NEW = 32873;
inline constexpr UINT ID_RM_RENAME = 32875;
inline constexpr UINT ID_RM_DELETE = 32876;
inline constexpr UINT ID_RM_SELECTALL = 32877;
inline constexpr UINT ID_RM_DUPLICATE = 32878;
inline constexpr UINT ID_RM_APPLY = 32881;
inline constexpr UINT ID_RM_OPEN = 32883;
inline constexpr UINT ID_RM_TOFRONT = 32884;
inline constexpr UINT ID_RM_UP = 32885;
inline constexpr UINT ID_RM_DOWN = 32886;
inline constexpr UINT ID_RM_TOBACK = 32887;
inline constexpr UINT ID_RM_SORTDESCENDING = 32889;
inline constexpr UINT ID_RM_SORTASCENDING = 32890;
inline constexpr UINT ID_RM_THUMBSETTINGS = 32896;
inline constexpr UINT ID_RM_SLIDESHOW = 32940;
