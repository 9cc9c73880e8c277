// Metafiles: arbitrary bytes sized by the imaging library, then played onto a small surface by the WMF
// player, or checked and drawn through SVG when they start like an EMF. Nothing may read past the bytes,
// hang or leave state behind. Text records need the application's font database, as in the program.

#include "platform/gdi/Dc.h"
#include "platform/gdi/meta/EmfPlayer.h"
#include "platform/gdi/meta/WmfPlayer.h"
#include "platform/imaging/ImagingFile.h"
#include "tests/support/GuiApplication.h"

#include <span>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ImagingFileInfo info;
    ReadImagingMemoryInfo(data, size, info);
    // A placeable header comes first in files; the player takes the metafile behind it.
    std::span<const BYTE> bytes(data, size);
    if (size >= 22 && data[0] == 0xD7 && data[1] == 0xCD && data[2] == 0xC6 && data[3] == 0x9A)
        bytes = bytes.subspan(22);
    BITMAPINFO header{};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), 48, 32, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return 0;
    HBITMAP section = CreateDIBSection(dc.GetSafeHdc(), &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc.GetSafeHdc(), section);
    if (size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0 && data[3] == 0) {
        if (const auto emf = EmfPicture::FromFile(bytes))
            emf->Play(dc, RECT{0, 0, 48, 32});
    } else {
        RECT window = WmfWindowOf(bytes);
        if (window.right == window.left || window.bottom == window.top)
            window = {0, 0, 48, 32};
        PlayWmf(dc, bytes, window, RECT{0, 0, 48, 32});
    }
    SelectObject(dc.GetSafeHdc(), previous);
    DeleteObject(section);
    return 0;
}
