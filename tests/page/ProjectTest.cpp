#include "page/Project.h"

#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawRect.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/ArchiveException.h"
#include "platform/base/Profile.h"
#include "tests/page/PageFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/RunTool.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A string as the archive writes a short one: its length byte and its bytes.
Bytes Str(const std::string& bytes) {
    Bytes out(bytes.size() + 1);
    out[0] = static_cast<BYTE>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin() + 1);
    return out;
}

Bytes Store(CProject& project) {
    return StoredBytes([&](CArchive& ar) { project.Serialize(ar); });
}

void Load(CProject& project, const Bytes& bytes) {
    LoadFromBytes(bytes, [&](CArchive& ar) { project.Serialize(ar); });
}

Bytes Settings(CAdjustImage& settings, const CString& version) {
    return StoredBytes([&](CArchive& ar) { settings.SerializeSettings(ar, version); });
}

Bytes NeutralSettings(const CString& version) {
    CAdjustImage neutral(false);
    return Settings(neutral, version);
}

Bytes Body(CObject& object) {
    return StoredBytes([&](CArchive& ar) { object.Serialize(ar); });
}

Bytes PictureBody(CDrawImage& image, const CString& version) {
    return StoredBytes([&](CArchive& ar) { image.SerializeVersion(ar, version); });
}

// What a failed load threw: "base" for the plain exception, "archive <cause>", or "none".
std::string Refusal(CProject& project, const Bytes& bytes) {
    try {
        Load(project, bytes);
    } catch (CArchiveException* e) {
        const std::string text = "archive " + std::to_string(e->m_cause);
        e->Delete();
        return text;
    } catch (CException* e) {
        const bool base = e->GetRuntimeClass() == RUNTIME_CLASS(CException);
        e->Delete();
        return base ? "base" : "other";
    }
    return "none";
}

class ProjectTest : public PageFixture {
protected:
    ProjectTest() {
        EnsureGuiApplication();
        WriteProfileInt("Settings", "PrnTplInstallType", 0);
        WriteProfileString("Settings", "PrnTplDataPath", "\\Vorlagen");
        Restart();
    }

    CString Picture(const char* name, unsigned colour) {
        const CString path = m_folder.Path() + "/fotos/" + name;
        WriteBmp(path, 4, 2, {colour});
        return path;
    }
};

TEST_F(ProjectTest, NormalModeGoldenBytes) {
    m_app.SetEditMode(FALSE);
    CProject empty;
    empty.SetPicturePath("/fotos/urlaub.jpg");
    EXPECT_EQ(Store(empty), Joined({Str("4.1.a"), Str("/fotos/urlaub.jpg"), Bytes{0, 0, 0},
                                    NeutralSettings("4.1.a"), Dword(0), Dword(0)}));

    CProject full;
    full.SetPicturePath("/fotos/Grüße.jpg");
    full.SetTemplateName("/karte.tpl");
    full.SetStencil("/herz.bmp", true);
    full.SetMat("/rahmen/gold.bmp", false);
    full.GetAdjustments().brightness = 12;
    full.GetAdjustments().rotation = 900;
    // Umlauts are written in Windows-1252.
    EXPECT_EQ(Store(full), Joined({Str("4.1.a"),
                                   Str("/fotos/Gr\xFC\xDF"
                                       "e.jpg"),
                                   Str("/karte.tpl"), Str("/herz.bmp"), Str("/rahmen/gold.bmp"),
                                   Settings(full.GetAdjustments(), "4.1.a"), Dword(1), Dword(0)}));

    CProject loaded;
    Load(loaded, Store(full));
    EXPECT_EQ(loaded.GetVersion(), CString("4.1.a"));
    EXPECT_EQ(m_app.GetLoadedProjectVersion(), CString("4.1.a"));
    EXPECT_EQ(loaded.GetPicturePath(), CString("/fotos/Grüße.jpg"));
    EXPECT_EQ(loaded.GetTemplateName(), CString("/karte.tpl"));
    EXPECT_EQ(loaded.GetStencilPath(), CString("/herz.bmp"));
    EXPECT_EQ(loaded.GetMatPath(), CString("/rahmen/gold.bmp"));
    EXPECT_EQ(loaded.IsStencilRelative(), 1);
    EXPECT_EQ(loaded.IsMatRelative(), 0);
    EXPECT_TRUE(loaded.GetAdjustments().HasSameSettings(&full.GetAdjustments()));
    EXPECT_EQ(loaded.GetTemplate(), nullptr);
}

TEST_F(ProjectTest, EditModeGoldenBytesAndRoundTrip) {
    m_app.SetEditMode(TRUE);
    CProject none;
    EXPECT_EQ(Store(none), Str("4.1.b"));

    CTemplate emptyPage;
    emptyPage.SetName("/karte.tpl");
    emptyPage.SetPageSize(CSize(2100, 2970));
    emptyPage.SetOrientation(1);
    CProject empty;
    empty.SetTemplate(&emptyPage);
    EXPECT_EQ(Store(empty),
              Joined({Str("4.1.b"), Str("/karte.tpl"), Dword(2100), Dword(2970), Dword(1), Dword(0)}));
    CProject emptyLoaded;
    Load(emptyLoaded, Store(empty));
    const std::unique_ptr<CTemplate> emptyCopy(emptyLoaded.GetTemplate());
    ASSERT_NE(emptyCopy, nullptr);
    EXPECT_EQ(emptyCopy->GetName(), CString("/karte.tpl"));
    EXPECT_EQ(emptyCopy->GetPageSize(), CSize(2100, 2970));
    EXPECT_EQ(emptyCopy->GetOrientation(), 1);
    EXPECT_EQ(emptyCopy->GetObjectCount(), 0);

    CTemplate page;
    page.SetName("Urlaub");
    page.SetPageSize(CSize(1480, 1050));
    auto* text = new CDrawText(CRect(10, 20, 300, 80), "Grüße");
    auto* image = new CDrawImage(CRect(100, 100, 900, 700));
    image->SetTemplate(&page);
    ASSERT_TRUE(image->SetImageFile(Picture("strand.bmp", 0x3366CC), TRUE));
    image->brightness = 20;
    auto* clipart = new CDrawClipart(CRect(5, 5, 50, 50));
    clipart->SetRotation(450);
    // A frame of the template has no kind a reader knows: it is left out.
    for (CDrawObj* object :
         std::initializer_list<CDrawObj*>{text, new CDrawRect(CRect(1, 1, 2, 2)), image, clipart})
        page.InsertObject(object, -1);
    CProject project;
    project.SetTemplate(&page);
    const Bytes stored = Store(project);
    EXPECT_EQ(stored,
              Joined({Str("4.1.b"), Str("Urlaub"), Dword(1480), Dword(1050), Dword(0), Dword(3), Dword(0),
                      Body(*text), Dword(1), PictureBody(*image, "4.1.b"), Dword(2), Body(*clipart)}));
    EXPECT_EQ(project.GetTemplate(), &page);

    CProject loaded;
    Load(loaded, stored);
    const std::unique_ptr<CTemplate> copy(loaded.GetTemplate());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(m_app.GetLoadedProjectVersion(), CString("4.1.b"));
    ASSERT_EQ(copy->GetObjectCount(), 3);
    auto* loadedText = DYNAMIC_DOWNCAST(CDrawText, copy->GetObjectAt(0));
    auto* loadedImage = DYNAMIC_DOWNCAST(CDrawImage, copy->GetObjectAt(1));
    auto* loadedClipart = DYNAMIC_DOWNCAST(CDrawClipart, copy->GetObjectAt(2));
    ASSERT_TRUE(loadedText && loadedImage && loadedClipart);
    EXPECT_EQ(loadedText->GetTemplate(), copy.get());
    EXPECT_EQ(loadedImage->GetTemplate(), copy.get());
    // The picture comes from its file again, with the stored settings.
    ASSERT_NE(loadedImage->GetOriginalDib(), nullptr);
    EXPECT_EQ(loadedImage->GetOriginalDib()->GetWidth(), 4);
    EXPECT_TRUE(loadedImage->HasValidAdjusted());
    EXPECT_EQ(loadedImage->brightness, 20);
    EXPECT_EQ(loadedClipart->GetRotation(), 450);
    CProject again;
    again.SetTemplate(copy.get());
    EXPECT_EQ(Store(again), stored);
}

TEST_F(ProjectTest, APictureMissingWhenOpenedKeepsItsPathAndSettingsWhenSavedAgain) {
    m_app.SetEditMode(TRUE);
    const CString path = Picture("verschwunden.bmp", 0x3366CC);
    CTemplate page;
    auto* image = new CDrawImage(CRect(100, 100, 900, 700));
    image->SetTemplate(&page);
    ASSERT_TRUE(image->SetImageFile(path, TRUE));
    image->brightness = 20;
    page.InsertObject(image, -1);
    CProject project;
    project.SetTemplate(&page);
    const Bytes stored = Store(project);
    ASSERT_TRUE(std::filesystem::remove(path.GetString()));

    CProject loaded;
    Load(loaded, stored);
    const std::unique_ptr<CTemplate> copy(loaded.GetTemplate());
    ASSERT_NE(copy, nullptr);
    auto* missing = DYNAMIC_DOWNCAST(CDrawImage, copy->GetObjectAt(0));
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->GetOriginalDib(), nullptr);
    CProject again;
    again.SetTemplate(copy.get());
    EXPECT_EQ(Store(again), stored) << "the path and the settings are written as they were read";
}

TEST_F(ProjectTest, PicturesOfOneFileShareTheirPictureAfterLoading) {
    m_app.SetEditMode(TRUE);
    const CString path = Picture("see.bmp", 0x00AA00);
    CTemplate page;
    for (int i = 0; i < 2; ++i) {
        auto* image = new CDrawImage(CRect(i * 100, 0, i * 100 + 90, 90));
        image->SetTemplate(&page);
        ASSERT_TRUE(image->SetImageFile(path, TRUE));
        page.InsertObject(image, -1);
    }
    CProject project;
    project.SetTemplate(&page);
    CProject loaded;
    Load(loaded, Store(project));
    const std::unique_ptr<CTemplate> copy(loaded.GetTemplate());
    auto* first = static_cast<CDrawImage*>(copy->GetObjectAt(0));
    auto* second = static_cast<CDrawImage*>(copy->GetObjectAt(1));
    ASSERT_NE(first->GetOriginalDib(), nullptr);
    EXPECT_EQ(first->GetOriginalDib(), second->GetOriginalDib());
}

TEST_F(ProjectTest, AnIndependentWriterAndReaderAgreeWithOurs) {
    m_app.SetEditMode(TRUE);
    const std::string script = VC_SOURCE_DIR "/tests/page/tpl_stream.py";
    const CString built = m_folder.Path() + "/windows.qzp";
    ASSERT_EQ(RunTool("/usr/bin/python3 " + script + " qzp-build " + built.str()), 0);
    const std::string bytes = ReadFile(built);
    CProject project;
    Load(project, Bytes(bytes.begin(), bytes.end()));
    const std::unique_ptr<CTemplate> page(project.GetTemplate());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetName(), CString("Grüße"));
    EXPECT_EQ(page->GetPageSize(), CSize(1480, 1050));
    EXPECT_EQ(page->GetOrientation(), 1);
    ASSERT_EQ(page->GetObjectCount(), 3);
    auto* text = DYNAMIC_DOWNCAST(CDrawText, page->GetObjectAt(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), CString("Schöne Ferien"));
    EXPECT_EQ(text->GetColor(), RGB(255, 0, 0));
    EXPECT_NE(DYNAMIC_DOWNCAST(CDrawImage, page->GetObjectAt(1)), nullptr);
    auto* clipart = DYNAMIC_DOWNCAST(CDrawClipart, page->GetObjectAt(2));
    ASSERT_NE(clipart, nullptr);
    EXPECT_EQ(clipart->GetRotation(), 900);

    // Ours, read by the script.
    const Bytes ours = Store(project);
    const CString written = m_folder.Path() + "/ours.qzp";
    WriteFile(written, std::string(ours.begin(), ours.end()));
    std::string parsed;
    ASSERT_EQ(RunTool("/usr/bin/python3 " + script + " qzp-parse " + written.str(), &parsed), 0) << parsed;
    EXPECT_EQ(parsed,
              "project 4.1.b page Grüße 1480 1050 orientation=1\n"
              "CDrawText 10 20 300 80 pen=0/0/000000 brush=0/0/00FF00 font=Arial/-12 text=Schöne Ferien "
              "colour=0000FF effect=1\n"
              "CDrawImage 100 100 900 700 pen=0/0/000000 brush=0/0/00FF00 shape=0 round=16,16\n"
              "CDrawClipart 5 5 50 50 pen=1/0/000000 brush=1/0/00FF00 rotation=900\n");
}

struct VersionCase {
    const char* version;
    const char* refusal;
    bool editForm;
};

TEST_F(ProjectTest, VersionsDecideTheFormAndRefuseBeforeReadingOn) {
    const Bytes normalRest =
        Joined({Str("/a.bmp"), Bytes{0, 0, 0}, NeutralSettings("4.1"), Dword(0), Dword(0)});
    const Bytes editRest = Joined({Str("Seite"), Dword(1), Dword(2), Dword(0), Dword(0)});
    const VersionCase cases[] = {
        {"3.0.a", "base", false}, {"4", "base", false},   {"", "base", false},
        {"4.2", "none", true},    {"4.1", "none", false}, {"4.1.b", "none", true},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(CProject::IsTemplateVersion(c.version), c.editForm);
        m_app.SetLoadedProjectVersion("vorher");
        CProject project;
        // A refused version is followed by nothing: an attempt to read on would end the stream.
        const Bytes bytes = std::string(c.refusal) == "base"
                                ? Str(c.version)
                                : Joined({Str(c.version), c.editForm ? editRest : normalRest});
        EXPECT_EQ(Refusal(project, bytes), c.refusal);
        const std::unique_ptr<CTemplate> page(project.GetTemplate());
        if (std::string(c.refusal) == "base") {
            EXPECT_EQ(m_app.GetLoadedProjectVersion(), CString("vorher"));
            continue;
        }
        EXPECT_EQ(project.GetVersion(), CString(c.version));
        EXPECT_EQ(m_app.GetLoadedProjectVersion(), CString(c.version));
        EXPECT_EQ(page != nullptr, c.editForm);
        EXPECT_EQ(project.GetPicturePath(), CString(c.editForm ? "" : "/a.bmp"));
    }
}

struct HostileCase {
    const char* name;
    Bytes bytes;
    std::string refusal;
};

TEST_F(ProjectTest, HostileFilesAreRefusedAndChangeNothing) {
    m_app.SetEditMode(TRUE);
    CTemplate page;
    page.SetName("Seite");
    page.InsertObject(new CDrawText(CRect(1, 2, 3, 4), "Hallo"), -1);
    auto* image = new CDrawImage(CRect(5, 6, 7, 8));
    image->SetTemplate(&page);
    ASSERT_TRUE(image->SetImageFile(Picture("a.bmp", 0xFF0000), TRUE));
    page.InsertObject(image, -1);
    page.InsertObject(new CDrawClipart(CRect(9, 9, 19, 19)), -1);
    CProject source;
    source.SetTemplate(&page);
    const Bytes golden = Store(source);
    const Bytes head = Joined({Str("4.1.b"), Str("x"), Dword(1), Dword(1), Dword(0)});
    std::vector<HostileCase> cases = {
        {"UnknownKind", Joined({head, Dword(1), Dword(7), Bytes(64, 0)}),
         "archive " + std::to_string(CArchiveException::generic)},
        {"HugeCount", Joined({head, Dword(0xFFFFFFFF)}),
         "archive " + std::to_string(CArchiveException::endOfFile)},
        {"HugeCountOfTexts", Joined({head, Dword(0x7FFFFFFF), Dword(0), Body(*page.GetObjectAt(0))}),
         "archive " + std::to_string(CArchiveException::endOfFile)},
        {"WrongVersion", Joined({Str("5.1.b"), Bytes(golden.begin() + 6, golden.end())}), "base"},
        {"HugeString", Joined({Str("4.1.a"), Bytes{0xFF, 0xFF, 0xFF}, Dword(0x7FFFFFF0)}),
         "archive " + std::to_string(CArchiveException::endOfFile)},
    };
    // Cut at every byte.
    for (size_t size = 0; size < golden.size(); ++size)
        cases.push_back({"Cut", Bytes(golden.begin(), golden.begin() + static_cast<long>(size)), ""});
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.bytes.size()));
        m_app.SetLoadedProjectVersion("vorher");
        CTemplate held;
        CProject project;
        project.SetTemplate(&held);
        const std::string refusal = Refusal(project, c.bytes);
        if (c.refusal.empty())
            EXPECT_NE(refusal, "none");
        else
            EXPECT_EQ(refusal, c.refusal);
        EXPECT_EQ(project.GetTemplate(), &held);
        EXPECT_EQ(project.GetVersion(), CString("4.1.b"));
        EXPECT_EQ(m_app.GetLoadedProjectVersion(), CString("vorher"));
    }
}

TEST_F(ProjectTest, StoredPathsFromWindowsAreReadHere) {
    const CString picture = Picture("Ärger.bmp", 0x123456);
    CString windowsForm = m_folder.Path() + "/FOTOS/Ärger.bmp";
    windowsForm.Replace('/', '\\');
    const struct {
        CString stored;
        CString local;
    } cases[] = {
        {"C:\\Eigene Bilder\\a.jpg", ""},
        {"Bilder/a.jpg", ""},
        {"", ""},
        {picture, picture},
        {m_folder.Path() + "/FOTOS/Ärger.bmp", picture},
        {windowsForm, picture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.str());
        EXPECT_EQ(CProject::LocalFilePath(c.stored), c.local);
    }
}

TEST_F(ProjectTest, AProjectOfTheWindowsProgramOpensWithItsLibrary) {
    // The library on disk in other letter case than the file names it.
    WriteBmp(DataDir() + "/schablonen/herz.bmp", 3, 3, {0x000000});
    WriteBmp(DataDir() + "/rahmen/gold.bmp", 3, 3, {0xFFFFFF});
    CTemplate tplPage;
    tplPage.SetPageSize(CSize(1000, 1500));
    tplPage.InsertObject(new CDrawRect(CRect(10, 10, 500, 500)), -1);
    const Bytes tpl = Body(tplPage);
    WriteFile(DataDir() + "/vorlagen/karte.tpl", std::string(tpl.begin(), tpl.end()));
    WriteFile(DataDir() + "/vorlagen/TEMPL.DAT", "1;2;Postkarte;\\KARTE.tpl;f5;f6;Gro\xDF;f8;ganz\r\n"
                                                 "1;2;Postkarte;\\Karte.tpl;f5;f6;Gr\xFC\xDF"
                                                 "e;f8;Kommentar; mit ;Teilen\r\n");

    CAdjustImage settings(false);
    settings.contrast = 7;
    const Bytes file = Joined({Str("4.1.a"),
                               Str("C:\\Eigene Bilder\\Gr\xFC\xDF"
                                   "e.jpg"),
                               Str("\\Karte.tpl"), Str("\\Herz.BMP"), Str("\\Gold.bmp"),
                               Settings(settings, "4.1.a"), Dword(1), Dword(1)});
    CProject project;
    Load(project, file);
    EXPECT_EQ(project.GetPicturePath(), CString("C:/Eigene Bilder/Grüße.jpg"));
    // A drive-letter path names no file here.
    EXPECT_EQ(CProject::LocalFilePath(project.GetPicturePath()), CString());
    EXPECT_EQ(project.GetAdjustments().contrast, 7);

    const std::unique_ptr<CStencil> stencil(project.CreateStencil());
    ASSERT_NE(stencil, nullptr);
    EXPECT_EQ(m_manager->GetObjectFilePath(stencil.get()), DataDir() + "/schablonen/herz.bmp");
    const std::unique_ptr<CMat> mat(project.CreateMat());
    ASSERT_NE(mat, nullptr);
    EXPECT_EQ(m_manager->GetObjectFilePath(mat.get()), DataDir() + "/rahmen/gold.bmp");

    const std::unique_ptr<CTemplate> print(project.LoadTemplates());
    ASSERT_NE(print, nullptr);
    // The line whose fourth field differs only in letter case is not taken.
    EXPECT_EQ(print->GetTitle(), CString("Grüße"));
    EXPECT_EQ(print->GetName(), CString("\\Karte.tpl"));
    EXPECT_EQ(print->GetRecordText(3), CString("Postkarte"));
    EXPECT_EQ(print->GetRecordText(5), CString("f5"));
    EXPECT_EQ(print->GetRecordText(6), CString("f6"));
    EXPECT_EQ(print->GetRecordText(8), CString("f8"));
    EXPECT_EQ(print->GetComment(), CString("Kommentar; mit ;Teilen"));
    EXPECT_EQ(print->GetPageSize(), CSize(1000, 1500));
    EXPECT_EQ(print->GetObjectCount(), 1);
}

struct TemplateLookupCase {
    const char* name;
    const char* templateName;
    const char* listLine; // null: no list file
    std::string templateBytes;
    bool found;
    size_t messages;
};

TEST_F(ProjectTest, PrintTemplatesThatCannotBeHadGiveNull) {
    CTemplate good;
    const Bytes goodBytes = Body(good);
    const std::string valid(goodBytes.begin(), goodBytes.end());
    const TemplateLookupCase cases[] = {
        {"Found", "/a.tpl", "x;y;z;/a.tpl;;;T;;", valid, true, 0},
        {"NameInOtherCase", "/a.tpl", "x;y;z;/A.tpl;;;T;;", valid, false, 0},
        {"NoLine", "/a.tpl", "", valid, false, 0},
        {"NoList", "/a.tpl", nullptr, valid, false, 1},
        {"NoTemplateFile", "/b.tpl", "x;y;z;/b.tpl;;;T;;", valid, false, 0},
        {"OtherTag", "/a.tpl", "x;y;z;/a.tpl;;;T;;", std::string("\x03TPX"), false, 0},
        {"CutTemplate", "/a.tpl", "x;y;z;/a.tpl;;;T;;", std::string("\x03TPL\x01"), false, 0},
        {"EmptyName", "", "x;y;z;;;;T;;", valid, false, 0},
    };
    for (const TemplateLookupCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all((DataDir() + "/Vorlagen").str());
        WriteFile(DataDir() + "/Vorlagen/a.tpl", c.templateBytes);
        if (c.listLine)
            WriteFile(DataDir() + "/Vorlagen/Templ.dat", std::string(c.listLine) + "\n");
        m_app.ClearMessages();
        CProject project;
        project.SetTemplateName(c.templateName);
        const std::unique_ptr<CTemplate> print(project.LoadTemplates());
        EXPECT_EQ(print != nullptr, c.found);
        EXPECT_EQ(m_app.Messages().size(), c.messages);
    }
}

TEST_F(ProjectTest, EntriesForEmptyOrMissingPathsAreNull) {
    CProject project;
    EXPECT_EQ(project.CreateStencil(), nullptr);
    EXPECT_EQ(project.CreateMat(), nullptr);
    project.SetStencil("/fehlt.bmp", true);
    project.SetMat("C:\\Rahmen\\gold.bmp", false);
    EXPECT_EQ(project.CreateStencil(), nullptr);
    EXPECT_EQ(project.CreateMat(), nullptr);
    EXPECT_EQ(project.GetPageSize(), CSize(0, 0));
}

} // namespace
