#pragma once
// CTickBitmapButton: a skinned button that repeats its command every 100 ms while held inside its hit
// region, and sends it once more on a release inside. Right clicks report code 5 and do not repeat.

#include "skin/SkinButton.h"

class CTickBitmapButton : public CSkinButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;

private:
    static constexpr UINT_PTR kRepeatTimer = 1000;
    static constexpr UINT kRepeatMilliseconds = 100;
};
