#pragma once
// CDIBStatic1: the picture preview of the file browser. Shows the loaded picture on a white field,
// at its own size and centred when it fits, else scaled to fit keeping its proportions; a cross when
// there is no picture to show.

#include "platform/ui/Static.h"

#include <memory>

class CPictureInfo;

class CDIBStatic1 : public CStatic {
public:
    CDIBStatic1();
    ~CDIBStatic1() override;

    // Replaces the shown picture by the file's (none when no plug-in reads it) and repaints; TRUE.
    BOOL LoadPicture(LPCTSTR path);
    const CPictureInfo* GetPicture() const { return m_picture.get(); }

protected:
    void OnPaint() override;

private:
    void PaintPicture(CDC* dc);

    std::unique_ptr<CPictureInfo> m_picture;
};
