#include "tests/app/MainWndPageFixture.h"

#include "image/PictureInfo.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"

#include <memory>

std::string NameOf(const CString& path) {
    return path.Mid(path.ReverseFind('/') + 1).str();
}

std::string Describe(const CTemplate* page) {
    if (!page)
        return "none";
    std::string out;
    for (int i = 0; i < page->GetObjectCount(); ++i) {
        CDrawObj* object = page->GetObjectAt(i);
        out += out.empty() ? "" : " ";
        if (auto* image = DYNAMIC_DOWNCAST(CDrawImage, object)) {
            out += image->GetOriginalDib() ? NameOf(image->GetFilePath()) : "empty";
            out += image->HasMat() ? "+mat" : "";
            out += image->HasStencil() ? "+stencil" : "";
        } else if (auto* text = DYNAMIC_DOWNCAST(CDrawText, object)) {
            out += text->GetText().str();
        } else {
            out += "clip";
        }
    }
    return out;
}

void MainWndPageTest::SetUp() {
    MainWndTest::SetUp();
    m_codecs.LoadPlugins();
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        const std::unique_ptr<CPictureInfo> picture(
            CPictureInfo::CreateFilled(CSize(4, 3), RGB(name[0], 10, 20), 24));
        ASSERT_TRUE(picture->WriteBmpFile(File(name)));
    }
    m_window = CreateMainWnd();
    ASSERT_NE(m_window, nullptr);
    m_panelLog.clear();
}

CDrawImage* MainWndPageTest::Image(CTemplate* page, const char* file, int left) {
    auto* image = new CDrawImage(CRect(left, 0, left + 100, 100));
    image->SetTemplate(page);
    if (file)
        image->SetImageFile(File(file), TRUE);
    return image;
}

CTemplate* MainWndPageTest::EditPage() {
    m_services.SetEditMode(TRUE);
    auto* page = new CTemplate;
    page->SetPageSize(CSize(2100, 2970));
    page->InsertObject(Image(page, "a.bmp", 0), -1);
    page->InsertObject(new CDrawText(CRect(0, 200, 100, 250), "Hallo"), -1);
    page->InsertObject(Image(page, "b.bmp", 200), -1);
    page->InsertObject(new CDrawClipart(CRect(300, 0, 350, 50)), -1);
    m_window->SetTemplate(page);
    return page;
}
