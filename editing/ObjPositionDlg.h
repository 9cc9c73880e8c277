#pragma once
// CObjPositionDlg: the position and size of a page object, and the rotation of a clipart object
// (template 134). The rotation shows in degrees with a decimal comma; either a comma or a point is read
// back. The dialog only reads the object: the page canvas applies the values after OK.

#include "platform/ui/Dialog.h"

class CDrawObj;

class CObjPositionDlg : public CDialog {
public:
    CObjPositionDlg(CDrawObj& object, CWnd* parent = nullptr);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetX() const { return m_nX; }
    int GetY() const { return m_nY; }
    // Degrees; 0.0 for a text that is no number.
    double GetRotation() const { return m_rotation; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nX = 0;
    int m_nY = 0;
    double m_rotation = 0.0;
    CDrawObj& m_object;
};
