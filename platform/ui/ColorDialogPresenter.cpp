#include "platform/ui/ColorDialogPresenter.h"

namespace {

class CancellingPresenter final : public IColorDialogPresenter {
public:
    BOOL Choose(CHOOSECOLOR&) override { return FALSE; }
};

IColorDialogPresenter* g_presenter = nullptr;

} // namespace

void SetColorDialogPresenter(IColorDialogPresenter* presenter) {
    g_presenter = presenter;
}

IColorDialogPresenter& GetColorDialogPresenter() {
    static CancellingPresenter builtIn;
    return g_presenter ? *g_presenter : builtIn;
}
