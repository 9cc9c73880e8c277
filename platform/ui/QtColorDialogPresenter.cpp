#include "platform/ui/QtColorDialogPresenter.h"

#include "platform/ui/WindowRecord.h"
#include "platform/ui/Wnd.h"

#include <QColorDialog>

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF ToColorRef(const QColor& color) {
    return RGB(static_cast<BYTE>(color.red()), static_cast<BYTE>(color.green()),
               static_cast<BYTE>(color.blue()));
}

} // namespace

BOOL CQtColorDialogPresenter::Choose(CHOOSECOLOR& request) {
    QWidget* parent = IsWindow(request.hwndOwner) ? WidgetOf(request.hwndOwner)->window() : nullptr;
    // Qt's dialog always shows its whole colour field and takes any colour, as CC_FULLOPEN and
    // CC_ANYCOLOR ask.
    QColorDialog dialog(parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("Farbe"));
    dialog.setCurrentColor((request.Flags & CC_RGBINIT) ? ToQColor(request.rgbResult) : QColor(Qt::black));
    for (int i = 0; request.lpCustColors && i < kCustomColorCount; ++i)
        QColorDialog::setCustomColor(i, ToQColor(request.lpCustColors[i]));
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; request.lpCustColors && i < kCustomColorCount; ++i)
        request.lpCustColors[i] = ToColorRef(QColorDialog::customColor(i));
    if (!chosen)
        return FALSE;
    request.rgbResult = ToColorRef(dialog.selectedColor());
    return TRUE;
}
