#include "platform/ui/QtMessageBoxPresenter.h"

#include "platform/ui/WindowRecord.h"
#include "platform/ui/Wnd.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

struct ButtonSpec {
    int id;
    const char* text;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> ButtonsOf(UINT style) {
    const ButtonSpec ok{IDOK, "OK", QMessageBox::AcceptRole};
    const ButtonSpec cancel{IDCANCEL, "Abbrechen", QMessageBox::RejectRole};
    const ButtonSpec yes{IDYES, "&Ja", QMessageBox::YesRole};
    const ButtonSpec no{IDNO, "&Nein", QMessageBox::NoRole};
    const ButtonSpec retry{IDRETRY, "&Wiederholen", QMessageBox::AcceptRole};
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {ok, cancel};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abbrechen", QMessageBox::RejectRole},
                retry,
                {IDIGNORE, "&Ignorieren", QMessageBox::AcceptRole}};
    case MB_YESNOCANCEL:
        return {yes, no, cancel};
    case MB_YESNO:
        return {yes, no};
    case MB_RETRYCANCEL:
        return {retry, cancel};
    default:
        return {ok};
    }
}

QMessageBox::Icon IconOf(UINT style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Esc answers Cancel where there is one, OK in a box with only OK, and nothing otherwise.
int EscapeAnswer(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return 0;
    }
}

} // namespace

int CQtMessageBoxPresenter::Show(HWND owner, const CString& text, const CString& caption, UINT style) {
    QWidget* parent = IsWindow(owner) ? WidgetOf(owner)->window() : nullptr;
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromUtf8(caption.GetString()));
    box.setText(QString::fromUtf8(text.GetString()));
    box.setIcon(IconOf(style));
    if (style & (MB_TOPMOST | MB_SYSTEMMODAL))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const std::vector<ButtonSpec> specs = ButtonsOf(style);
    std::vector<QPushButton*> buttons;
    for (const ButtonSpec& button : specs)
        buttons.push_back(box.addButton(QString::fromUtf8(button.text), button.role));
    const auto defaultIndex = static_cast<size_t>((style & MB_DEFMASK) >> 8);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
    const int escape = EscapeAnswer(style);
    for (size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].id == escape)
            box.setEscapeButton(buttons[i]);
    }
    box.exec();
    for (size_t i = 0; i < specs.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return specs[i].id;
    }
    return escape ? escape : DefaultMessageBoxButton(style);
}
