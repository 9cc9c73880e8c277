#include "platform/ui/WindowClass.h"

#include "platform/base/Geometry.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ComboBoxState.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/WindowWidget.h"
#include "platform/ui/Wnd.h"

#include <array>
#include <deque>
#include <mutex>

namespace {

WindowHost* MakePaintedWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakePlainWrapper() {
    return new CWnd;
}

// The framework's default window class: double clicks, the arrow, no background of its own.
const WindowClass kDefaultClass{.name = "AfxWnd",
                                .style = CS_DBLCLKS,
                                .standardCursor = IDC_ARROW,
                                .proc = DefWindowProc,
                                .makeWidget = MakePaintedWidget,
                                .makeWrapper = MakePlainWrapper};
// The desktop never shows; it answers for the screen.
const WindowClass kDesktopClass{.name = "#32769",
                                .proc = DefWindowProc,
                                .makeWidget = MakePaintedWidget,
                                .makeWrapper = MakePlainWrapper,
                                .nativeWidget = true};

const std::array kBuiltInClasses{&kDefaultClass,  &kDesktopClass,   &kButtonClass,    &kStaticClass,
                                 &kEditClass,     &kProgressClass,  &kToolTipClass,   &kDialogClass,
                                 &kComboBoxClass, &kComboListClass, &kSliderClass,    &kSpinButtonClass,
                                 &kListViewClass, &kTreeViewClass,  &kScrollBarClass, &kHeaderClass};

std::mutex g_registeredLock;
std::deque<WindowClass>& RegisteredClasses() {
    static std::deque<WindowClass> classes;
    return classes;
}

} // namespace

const WindowClass* FindWindowClass(LPCTSTR name) {
    if (!name || !*name)
        return &kDefaultClass;
    for (const WindowClass* windowClass : kBuiltInClasses) {
        if (windowClass->name.CompareNoCase(name) == 0)
            return windowClass;
    }
    std::lock_guard lock(g_registeredLock);
    for (const WindowClass& windowClass : RegisteredClasses()) {
        if (windowClass.name.CompareNoCase(name) == 0)
            return &windowClass;
    }
    return nullptr;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    CString name;
    name.Format("Afx:%x:%x:%p:%p:%p", 0u, classStyle, static_cast<const void*>(cursor),
                static_cast<const void*>(background), static_cast<const void*>(icon));
    if (const WindowClass* known = FindWindowClass(name))
        return known->name;
    std::lock_guard lock(g_registeredLock);
    RegisteredClasses().push_back(WindowClass{.name = name,
                                              .style = classStyle,
                                              .cursor = cursor,
                                              .background = background,
                                              .proc = DefWindowProc,
                                              .makeWidget = MakePaintedWidget,
                                              .makeWrapper = MakePlainWrapper});
    return RegisteredClasses().back().name;
}

bool BackgroundColor(HBRUSH background, COLORREF* color) {
    const auto value = reinterpret_cast<std::uintptr_t>(background);
    if (value == 0)
        return false;
    // Class backgrounds may name a system colour as its index + 1.
    if (value <= kSystemColorCount) {
        *color = GetSysColor(static_cast<int>(value - 1));
        return true;
    }
    LOGBRUSH brush{};
    if (!GetObject(background, sizeof brush, &brush) || brush.lbStyle == BS_NULL)
        return false;
    *color = brush.lbColor;
    return true;
}
