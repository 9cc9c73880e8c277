// The measures of a classic desktop theme. Frames, edges, scroll bars and thumbs of this layer are drawn
// with these same values, so code that sizes by them lines up with what shows.

#include "platform/ui/SystemMetrics.h"

#include "platform/gdi/GdiObjects.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstring>

namespace {

struct Metric {
    int index;
    int value;
};

constexpr Metric kMetrics[] = {
    {SM_CXVSCROLL, 16},     {SM_CYHSCROLL, 16},     {SM_CYCAPTION, 19},  {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},       {SM_CXDLGFRAME, 3},     {SM_CYDLGFRAME, 3},  {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},      {SM_CXICON, 32},        {SM_CYICON, 32},     {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},      {SM_CYMENU, 19},        {SM_CYVSCROLL, 16},  {SM_CXHSCROLL, 16},
    {SM_CXFRAME, 4},        {SM_CYFRAME, 4},        {SM_CXDOUBLECLK, 4}, {SM_CYDOUBLECLK, 4},
    {SM_CXICONSPACING, 75}, {SM_CYICONSPACING, 75}, {SM_DBCSENABLED, 0}, {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},         {SM_CXSMICON, 16},      {SM_CYSMICON, 16},   {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
};

LOGFONT GuiFont() {
    LOGFONT font{};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

} // namespace

int GetSystemMetrics(int index) {
    if (index == SM_CXSCREEN || index == SM_CYSCREEN) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return 0;
        return index == SM_CXSCREEN ? screen->geometry().width() : screen->geometry().height();
    }
    const auto found = std::find_if(std::begin(kMetrics), std::end(kMetrics),
                                    [index](const Metric& metric) { return metric.index == index; });
    return found == std::end(kMetrics) ? 0 : found->value;
}

BOOL SystemParametersInfo(UINT action, UINT /*uiParam*/, void* param, UINT /*winIni*/) {
    if (action != SPI_GETNONCLIENTMETRICS || !param)
        return FALSE;
    auto* metrics = static_cast<NONCLIENTMETRICS*>(param);
    if (metrics->cbSize != sizeof(NONCLIENTMETRICS))
        return FALSE;
    const LOGFONT font = GuiFont();
    LOGFONT caption = font;
    caption.lfWeight = FW_BOLD;
    *metrics = NONCLIENTMETRICS{sizeof(NONCLIENTMETRICS),
                                GetSystemMetrics(SM_CXBORDER),
                                GetSystemMetrics(SM_CXVSCROLL),
                                GetSystemMetrics(SM_CYHSCROLL),
                                GetSystemMetrics(SM_CYCAPTION),
                                GetSystemMetrics(SM_CYCAPTION),
                                caption,
                                15,
                                15,
                                caption,
                                GetSystemMetrics(SM_CYMENU),
                                GetSystemMetrics(SM_CYMENU),
                                font,
                                font,
                                font};
    return TRUE;
}
