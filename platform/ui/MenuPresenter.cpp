#include "platform/ui/MenuPresenter.h"

namespace {

class CancellingPresenter final : public IMenuPresenter {
public:
    UINT Track(HWND, CMenu&, POINT) override { return 0; }
};

IMenuPresenter* g_presenter = nullptr;

} // namespace

void SetMenuPresenter(IMenuPresenter* presenter) {
    g_presenter = presenter;
}

IMenuPresenter& GetMenuPresenter() {
    static CancellingPresenter builtIn;
    return g_presenter ? *g_presenter : builtIn;
}
