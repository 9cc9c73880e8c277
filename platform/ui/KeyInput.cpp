// Keyboard input: Qt key events become WM_KEYDOWN/WM_KEYUP with the virtual key and the system's lParam
// layout, followed by WM_CHAR for each character typed, as TranslateMessage would make them.

#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"

#include <QKeyEvent>
#include <array>

namespace {

struct KeyMapping {
    int qtKey;
    int virtualKey;
};

constexpr std::array kKeys{KeyMapping{Qt::Key_Escape, VK_ESCAPE}, KeyMapping{Qt::Key_Tab, VK_TAB},
                           KeyMapping{Qt::Key_Backtab, VK_TAB}, KeyMapping{Qt::Key_Backspace, VK_BACK},
                           KeyMapping{Qt::Key_Return, VK_RETURN}, KeyMapping{Qt::Key_Enter, VK_RETURN},
                           KeyMapping{Qt::Key_Insert, VK_INSERT}, KeyMapping{Qt::Key_Delete, VK_DELETE},
                           KeyMapping{Qt::Key_Pause, VK_PAUSE}, KeyMapping{Qt::Key_Print, VK_SNAPSHOT},
                           KeyMapping{Qt::Key_Clear, VK_CLEAR}, KeyMapping{Qt::Key_Home, VK_HOME},
                           KeyMapping{Qt::Key_End, VK_END}, KeyMapping{Qt::Key_Left, VK_LEFT},
                           KeyMapping{Qt::Key_Up, VK_UP}, KeyMapping{Qt::Key_Right, VK_RIGHT},
                           KeyMapping{Qt::Key_Down, VK_DOWN}, KeyMapping{Qt::Key_PageUp, VK_PRIOR},
                           KeyMapping{Qt::Key_PageDown, VK_NEXT}, KeyMapping{Qt::Key_Shift, VK_SHIFT},
                           KeyMapping{Qt::Key_Control, VK_CONTROL}, KeyMapping{Qt::Key_Alt, VK_MENU},
                           KeyMapping{Qt::Key_CapsLock, VK_CAPITAL}, KeyMapping{Qt::Key_NumLock, VK_NUMLOCK},
                           KeyMapping{Qt::Key_ScrollLock, VK_SCROLL}, KeyMapping{Qt::Key_Space, VK_SPACE},
                           KeyMapping{Qt::Key_Help, VK_HELP}, KeyMapping{Qt::Key_Menu, VK_APPS},
                           KeyMapping{Qt::Key_Plus, VK_OEM_PLUS}, KeyMapping{Qt::Key_Comma, VK_OEM_COMMA},
                           KeyMapping{Qt::Key_Minus, VK_OEM_MINUS}, KeyMapping{Qt::Key_Period, VK_OEM_PERIOD},
                           // The German layout's letter keys beyond A to Z.
                           KeyMapping{Qt::Key_Udiaeresis, 0xBA}, KeyMapping{Qt::Key_Odiaeresis, 0xC0},
                           KeyMapping{Qt::Key_ssharp, 0xDB}, KeyMapping{Qt::Key_Adiaeresis, 0xDE}};

constexpr std::array kKeypadKeys{
    KeyMapping{Qt::Key_Asterisk, VK_MULTIPLY}, KeyMapping{Qt::Key_Plus, VK_ADD},
    KeyMapping{Qt::Key_Minus, VK_SUBTRACT},    KeyMapping{Qt::Key_Period, VK_DECIMAL},
    KeyMapping{Qt::Key_Comma, VK_DECIMAL},     KeyMapping{Qt::Key_Slash, VK_DIVIDE}};

int VirtualKeyOf(const QKeyEvent* event) {
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return VK_NUMPAD0 + (key - Qt::Key_0);
        for (const KeyMapping& mapping : kKeypadKeys) {
            if (mapping.qtKey == key)
                return mapping.virtualKey;
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // the virtual keys of letters and digits are their upper-case ASCII codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    for (const KeyMapping& mapping : kKeys) {
        if (mapping.qtKey == key)
            return mapping.virtualKey;
    }
    return 0;
}

// Repeat count 1, the scan code in bits 16 to 23, bit 30 the previous state, bit 31 the transition.
LPARAM KeyData(const QKeyEvent* event, bool press) {
    DWORD data = 1 | ((event->nativeScanCode() & 0xFF) << 16);
    if (!press)
        data |= 0xC0000000;
    else if (event->isAutoRepeat())
        data |= 0x40000000;
    return static_cast<LPARAM>(static_cast<LONG>(data));
}

// Keys other than the modifiers held down now, by virtual key; Qt tells only the modifiers' state.
std::array<bool, 256> g_heldKeys{};

} // namespace

bool IsKeyHeldDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < static_cast<int>(g_heldKeys.size()) &&
           g_heldKeys[static_cast<size_t>(virtualKey)];
}

void RouteKeyEvent(HWND receiver, QKeyEvent* event) {
    event->accept();
    const bool press = event->type() == QEvent::KeyPress;
    const bool alt = event->modifiers() & Qt::AltModifier;
    const UINT message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    const int virtualKey = VirtualKeyOf(event);
    const LPARAM data = KeyData(event, press);
    if (virtualKey > 0 && virtualKey < static_cast<int>(g_heldKeys.size()))
        g_heldKeys[static_cast<size_t>(virtualKey)] = press;
    if (virtualKey && DeliverQueued(receiver, message, static_cast<WPARAM>(virtualKey), data, event))
        return; // pre-translation took the key: no characters follow
    if (!press || alt || !IsLiveWindow(receiver))
        return;
    // A Qt editor types the whole text once, with the first character.
    QEvent* native = event;
    for (const char32_t ch : event->text().toUcs4()) {
        if (!IsLiveWindow(receiver))
            return;
        DeliverQueued(receiver, WM_CHAR, ch, data, native);
        native = nullptr;
    }
}
