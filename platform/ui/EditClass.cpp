// The edit window class over Qt's editors: QLineEdit for one line, QPlainTextEdit for ES_MULTILINE
// (whose text uses "\r\n" line breaks outside, as the system's does). The editor holds the text.

#include "platform/gdi/QtInterop.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QValidator>
#include <algorithm>
#include <cstring>

namespace {

struct EditState final : WindowClassData {
    UINT limit = 0;           // bytes; 0 is no limit
    bool settingText = false; // WM_SETTEXT of a multi-line editor sends no EN_CHANGE
};

EditState& StateOf(HWND window) {
    if (!window->classData)
        window->classData = std::make_unique<EditState>();
    return static_cast<EditState&>(*window->classData);
}

// Refuses typing beyond the byte limit and, with ES_NUMBER, anything but digits.
class EditValidator final : public QValidator {
public:
    EditValidator(QObject* parent, HWND window) : QValidator(parent), m_window(window) {}
    State validate(QString& input, int&) const override {
        if ((m_window->style & ES_NUMBER) &&
            std::any_of(input.begin(), input.end(), [](QChar c) { return !c.isDigit(); }))
            return Invalid;
        const UINT limit = StateOf(m_window).limit;
        if (limit && static_cast<UINT>(input.toUtf8().size()) > limit) {
            SendToWindow(m_window->parent, WM_COMMAND,
                         MAKEWPARAM(static_cast<WORD>(m_window->id), EN_MAXTEXT),
                         reinterpret_cast<LPARAM>(m_window));
            return Invalid;
        }
        return Acceptable;
    }

private:
    HWND m_window;
};

QLineEdit* LineEditOf(HWND window) {
    return dynamic_cast<QLineEdit*>(WidgetOf(window));
}

QPlainTextEdit* TextEditOf(HWND window) {
    return dynamic_cast<QPlainTextEdit*>(WidgetOf(window));
}

QString TextOf(HWND window) {
    if (QLineEdit* line = LineEditOf(window))
        return line->text();
    return TextEditOf(window)->toPlainText();
}

CString ExternalText(HWND window) {
    QString text = TextOf(window);
    if (TextEditOf(window))
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return CString(text.toStdString());
}

int BytesBefore(const QString& text, int index) {
    return static_cast<int>(text.left(index).toUtf8().size());
}

int IndexAtByte(const QString& text, int bytes) {
    int index = 0;
    int counted = 0;
    while (index < text.size() && counted < bytes) {
        const int step = text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
        counted += static_cast<int>(text.mid(index, step).toUtf8().size());
        index += step;
    }
    return index;
}

void Notify(HWND window, WORD code) {
    if (IsLiveWindow(window->parent))
        SendToWindow(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), code),
                     reinterpret_cast<LPARAM>(window));
}

void SetText(HWND window, const QString& text) {
    EditState& state = StateOf(window);
    state.settingText = true;
    if (QLineEdit* line = LineEditOf(window)) {
        line->setText(text);
    } else {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        TextEditOf(window)->setPlainText(plain);
    }
    state.settingText = false;
}

void Select(HWND window, int start, int end) {
    const QString text = TextOf(window);
    if (start < 0) {
        if (QLineEdit* line = LineEditOf(window))
            line->deselect();
        else
            TextEditOf(window)->moveCursor(QTextCursor::End);
        return;
    }
    start = IndexAtByte(text, start);
    end = end < 0 ? static_cast<int>(text.size()) : IndexAtByte(text, end);
    if (QLineEdit* line = LineEditOf(window)) {
        line->setSelection(start, end - start);
        return;
    }
    QPlainTextEdit* editor = TextEditOf(window);
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

LRESULT GetSelection(HWND window, WPARAM startOut, LPARAM endOut) {
    const QString text = TextOf(window);
    int start = 0;
    int end = 0;
    if (QLineEdit* line = LineEditOf(window)) {
        start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        end = line->hasSelectedText() ? line->selectionEnd() : start;
    } else {
        const QTextCursor cursor = TextEditOf(window)->textCursor();
        start = cursor.selectionStart();
        end = cursor.selectionEnd();
    }
    const auto first = static_cast<DWORD>(BytesBefore(text, start));
    const auto last = static_cast<DWORD>(BytesBefore(text, end));
    if (startOut)
        *reinterpret_cast<DWORD*>(startOut) = first;
    if (endOut)
        *reinterpret_cast<DWORD*>(endOut) = last;
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min<DWORD>(first, 0xFFFF)),
                                         static_cast<WORD>(std::min<DWORD>(last, 0xFFFF))));
}

LRESULT EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        SetText(window, QString::fromUtf8(reinterpret_cast<LPCTSTR>(lParam)));
        return TRUE;
    case WM_GETTEXT: {
        const CString text = ExternalText(window);
        if (!wParam || !lParam)
            return 0;
        window->text = text;
        return DefWindowProc(window, message, wParam, lParam);
    }
    case WM_GETTEXTLENGTH:
        return ExternalText(window).GetLength();
    case WM_SETFONT:
        WidgetOf(window)->setFont(FontToQFont(reinterpret_cast<HFONT>(wParam)));
        return DefWindowProc(window, message, wParam, lParam);
    case WM_LBUTTONDOWN: {
        // The editor selects by dragging: it keeps the pointer until the button is up.
        SetCapture(window);
        return DefWindowProc(window, message, wParam, lParam);
    }
    case WM_LBUTTONUP: {
        const LRESULT result = DefWindowProc(window, message, wParam, lParam);
        if (GetCapture() == window)
            ReleaseCapture();
        return result;
    }
    case WM_SETFOCUS:
        Notify(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Notify(window, EN_KILLFOCUS);
        return 0;
    case EM_SETSEL:
        Select(window, static_cast<int>(static_cast<LONG>(wParam)), static_cast<int>(lParam));
        return 0;
    case EM_GETSEL:
        return GetSelection(window, wParam, lParam);
    case EM_REPLACESEL: {
        const QString text = QString::fromUtf8(reinterpret_cast<LPCTSTR>(lParam));
        if (QLineEdit* line = LineEditOf(window))
            line->insert(text);
        else
            TextEditOf(window)->insertPlainText(text);
        return 0;
    }
    case EM_SETLIMITTEXT:
        StateOf(window).limit = static_cast<UINT>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return StateOf(window).limit;
    case EM_SETREADONLY:
        if (QLineEdit* line = LineEditOf(window))
            line->setReadOnly(wParam != 0);
        else
            TextEditOf(window)->setReadOnly(wParam != 0);
        window->style = wParam ? (window->style | ES_READONLY) : (window->style & ~ES_READONLY);
        return TRUE;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

template <typename Editor>
WindowWidget<Editor>* MakeEditor(QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<Editor>(parent, flags);
    widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

WindowHost* MakeEditWidget(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) {
    const auto style = static_cast<DWORD>(create.style);
    const bool framed = (style & WS_BORDER) || (create.dwExStyle & WS_EX_CLIENTEDGE);
    const QString text = QString::fromUtf8(create.lpszName ? create.lpszName : "");
    if (style & ES_MULTILINE) {
        auto* editor = MakeEditor<QPlainTextEdit>(parent, flags);
        editor->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        editor->setReadOnly(style & ES_READONLY);
        if (!framed)
            editor->setFrameShape(QFrame::NoFrame);
        const HWND window = editor->Handle();
        QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [window] {
            if (IsLiveWindow(window) && window->phase == WindowRecord::Phase::Alive &&
                !StateOf(window).settingText)
                Notify(window, EN_CHANGE);
        });
        return editor;
    }
    auto* editor = MakeEditor<QLineEdit>(parent, flags);
    editor->setText(text);
    editor->setFrame(framed);
    editor->setReadOnly(style & ES_READONLY);
    if (style & ES_PASSWORD)
        editor->setEchoMode(QLineEdit::Password);
    if (style & ES_CENTER)
        editor->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else if (style & ES_RIGHT)
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const HWND window = editor->Handle();
    editor->setValidator(new EditValidator(editor, window));
    QObject::connect(editor, &QLineEdit::textChanged, editor, [window] {
        if (IsLiveWindow(window) && window->phase == WindowRecord::Phase::Alive)
            Notify(window, EN_CHANGE);
    });
    return editor;
}

CWnd* MakeEditWrapper() {
    return new CEdit;
}

} // namespace

const WindowClass kEditClass{.name = WC_EDIT,
                             .style = CS_DBLCLKS,
                             .standardCursor = IDC_IBEAM,
                             .proc = EditWindowProc,
                             .makeWidget = MakeEditWidget,
                             .makeWrapper = MakeEditWrapper,
                             .nativeWidget = true};
