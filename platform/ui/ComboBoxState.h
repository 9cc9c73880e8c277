#pragma once
// What a combo box window keeps: its items, selection, heights, and its drop-down list window while it
// is open. Shared by the combo box class and its list's class. Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <vector>

struct ComboItem {
    CString text;
    DWORD_PTR data = 0;
};

struct ComboState final : WindowClassData {
    std::vector<ComboItem> items;
    int selection = -1;
    int itemHeight = 15;   // list items
    int fieldHeight = 15;  // the closed field's item, inside its frame
    int droppedHeight = 0; // the height asked for at creation: field and list
    UINT horizontalExtent = 0;
    HWND list = nullptr;   // the open drop-down list
    HWND editor = nullptr; // CBS_DROPDOWN's editor
    bool settingEditor = false;
};

ComboState& ComboStateOf(HWND combo);
bool HasStrings(HWND combo);
bool IsOwnerDrawn(HWND combo);
// The frame around the closed field's item, and the width of the arrow button.
inline constexpr int kComboFrame = 3;
int ComboArrowWidth();

// The drop-down list (ComboListClass.cpp): opened below the combo box with the item highlighted that is
// chosen, tracking the pointer; closing it chooses the highlighted item or nothing.
HWND OpenComboList(HWND combo, bool tracking);
void CloseComboList(HWND combo, int choice);
// The highlighted item of the open list, and moving it (keys while the list is open).
int ComboListHighlight(HWND combo);
void SetComboListHighlight(HWND combo, int index);
// Chooses index as the selection; true when it changed. Sends CBN_SELCHANGE when notify is set.
bool ChooseComboItem(HWND combo, int index, bool notify);
void NotifyComboParent(HWND combo, WORD code);
// Draws one item as a plain list does or through the owner.
void DrawComboItem(HWND combo, HDC dc, int index, const RECT& rect, UINT state, UINT action);

extern const struct WindowClass kComboListClass;
