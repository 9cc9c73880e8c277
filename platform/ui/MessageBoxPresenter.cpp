#include "platform/ui/MessageBoxPresenter.h"

#include "platform/base/AppServices.h"
#include "platform/ui/Wnd.h"

#include <cstdio>

namespace {

class StandardErrorPresenter final : public IMessageBoxPresenter {
public:
    int Show(HWND, const CString& text, const CString& caption, UINT style) override {
        std::fprintf(stderr, "[%s] %s\n", caption.GetString(), text.GetString());
        return DefaultMessageBoxButton(style);
    }
};

IMessageBoxPresenter* g_presenter = nullptr;

} // namespace

void SetMessageBoxPresenter(IMessageBoxPresenter* presenter) {
    g_presenter = presenter;
}

IMessageBoxPresenter& GetMessageBoxPresenter() {
    static StandardErrorPresenter builtIn;
    return g_presenter ? *g_presenter : builtIn;
}

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    const CString title = caption ? CString(caption) : AppServices().GetAppName();
    return GetMessageBoxPresenter().Show(IsWindow(owner) ? owner : nullptr, text, title, type);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT /*helpId*/) {
    CWnd* active = CWnd::GetActiveWindow();
    return MessageBox(active ? active->m_hWnd : nullptr, text, nullptr, type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
    return AfxMessageBox(AppServices().LoadString(stringId), type, helpId);
}
