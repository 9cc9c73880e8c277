#include "page/Template.h"

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Clipart.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawPoly.h"
#include "page/DrawText.h"
#include "page/ProgressReport.h"
#include "page/TempFileData.h"
#include "page/UndoDelete.h"
#include "page/UndoDeleteDrawObj.h"
#include "page/UndoObject.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"
#include "tests/image/DibBuilder.h"
#include "tests/page/PageFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/RunTool.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

Bytes Str(const std::string& text) {
    Bytes out(text.size() + 1);
    out[0] = static_cast<BYTE>(text.size());
    std::copy(text.begin(), text.end(), out.begin() + 1);
    return out;
}

// The tag of a class written for the first time: 0xFFFF, schema 0, the name's length and the name.
Bytes NewClass(const std::string& name) {
    return Joined(
        {Word(0xFFFF), Word(0), Word(static_cast<WORD>(name.size())), Bytes(name.begin(), name.end())});
}

Bytes Body(CObject& object) {
    return StoredBytes([&](CArchive& ar) { object.Serialize(ar); });
}

Bytes Store(CTemplate& page) {
    return Body(page);
}

void Load(CTemplate& page, const Bytes& bytes) {
    LoadFromBytes(bytes, [&](CArchive& ar) { page.Serialize(ar); });
}

CDrawRect* Frame(int id) {
    return new CDrawRect(CRect(id, 0, id + 1, 1));
}

// The objects of a page by the left edge of their position, "-" for an empty entry.
std::string Order(CTemplate& page) {
    std::string order;
    CDrawObjList& objects = page.GetObjectList();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const CDrawObj* object = objects.GetNext(pos);
        order += object ? std::to_string(object->GetPosition().left) : "-";
    }
    return order;
}

class ProgressRecorder : public IProgressReport {
public:
    void Open(const CString& title) override { m_log += "open " + title.str() + ";"; }
    void SetRange(int low, int high) override {
        m_log += "range " + std::to_string(low) + "-" + std::to_string(high) + ";";
    }
    void SetStep(float step) override { m_log += "step " + std::to_string(static_cast<int>(step)) + ";"; }
    int StepIt() override {
        m_log += "+";
        return 0;
    }
    void Close() override { m_log += ";close"; }
    std::string m_log;
};

class TemplateTest : public PageFixture {
protected:
    TemplateTest() {
        EnsureGuiApplication();
        m_app.SetEditMode(TRUE);
        m_app.SetAppName("Vellumcraft");
    }
};

TEST_F(TemplateTest, EmptyStreamHoldsTagSizeTextOrientationPaperAndZeroCount) {
    CTemplate page;
    page.SetPageSize(CSize(2100, 2970));
    page.SetOrientation(1);
    page.SetPaperNumber(9);
    EXPECT_EQ(Store(page), Joined({Bytes{0x03, 'T', 'P', 'L'}, Dword(2100), Dword(2970), Bytes{0}, Dword(1),
                                   Word(9), Word(0)}));
}

TEST_F(TemplateTest, StreamWithEveryClassNamesARepeatedClassByItsIndex) {
    CTemplate page;
    page.SetStoredText("Urlaub");
    auto* first = new CDrawRect(CRect(1, 2, 3, 4));
    auto* second = new CDrawRect(CRect(5, 6, 7, 8));
    auto* poly = new CDrawPoly(CRect(0, 0, 9, 9));
    const CPoint points[] = {{1, 1}, {8, 1}, {4, 8}};
    poly->SetPoints(points, 3);
    auto* image = new CDrawImage(CRect(10, 10, 20, 20));
    auto* text = new CDrawText(CRect(30, 30, 40, 40), "Hallo");
    auto* clipart = new CDrawClipart(CRect(50, 50, 60, 60));
    for (CDrawObj* object : std::initializer_list<CDrawObj*>{first, second, poly, image, text, clipart})
        page.InsertObject(object, -1);
    const Bytes stored = Store(page);
    // Class CDrawRect is index 1, the objects take 2 and 3, CDrawPoly 4 and its object 5, and so on.
    EXPECT_EQ(stored, Joined({Str("TPL"), Dword(0), Dword(0), Str("Urlaub"), Dword(0), Word(0), Word(6),
                              NewClass("CDrawRect"), Body(*first), Word(0x8001), Body(*second),
                              NewClass("CDrawPoly"), Body(*poly), NewClass("CDrawImage"), Body(*image),
                              NewClass("CDrawText"), Body(*text), NewClass("CDrawClipart"), Body(*clipart)}));

    CTemplate loaded;
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetObjectCount(), 6);
    EXPECT_EQ(loaded.GetStoredText(), CString("Urlaub"));
    const char* classes[] = {"CDrawRect",  "CDrawRect", "CDrawPoly",
                             "CDrawImage", "CDrawText", "CDrawClipart"};
    for (int i = 0; i < 6; ++i)
        EXPECT_STREQ(loaded.GetObjectAt(i)->GetRuntimeClass()->m_lpszClassName, classes[i]);
    EXPECT_EQ(Store(loaded), stored);
    EXPECT_EQ(static_cast<CDrawImage*>(loaded.GetObjectAt(3))->GetTemplate(), &loaded);
}

TEST_F(TemplateTest, LoadingAppendsToTheObjectsThere) {
    CTemplate source;
    source.InsertObject(Frame(7), -1);
    CTemplate page;
    page.InsertObject(Frame(1), -1);
    Load(page, Store(source));
    EXPECT_EQ(Order(page), "17");
}

TEST_F(TemplateTest, AnIndependentWriterAndReaderAgreeWithOurs) {
    const CString folder = m_folder.Path();
    const std::string script = VC_SOURCE_DIR "/tests/page/tpl_stream.py";
    const std::string built = (folder + "/built.tpl").str();
    ASSERT_EQ(RunTool("/usr/bin/python3 " + script + " build " + built), 0);
    std::ifstream in(built, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CTemplate page;
    Load(page, bytes);
    EXPECT_EQ(page.GetPageSize(), CSize(2100, 2970));
    EXPECT_EQ(page.GetOrientation(), 1);
    EXPECT_EQ(page.GetPaperNumber(), 9);
    ASSERT_EQ(page.GetObjectCount(), 3);
    auto* ellipse = DYNAMIC_DOWNCAST(CDrawRect, page.GetObjectAt(0));
    ASSERT_NE(ellipse, nullptr);
    EXPECT_EQ(ellipse->GetShape(), kShapeEllipse);
    EXPECT_EQ(ellipse->GetPosition(), CRect(100, 200, 900, 700));
    EXPECT_EQ(static_cast<CDrawRect*>(page.GetObjectAt(1))->GetRoundness(), CPoint(30, 40));
    auto* poly = DYNAMIC_DOWNCAST(CDrawPoly, page.GetObjectAt(2));
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->GetPointCount(), 3);
    EXPECT_EQ(poly->GetAllocated(), 4);

    // Ours, read by the script.
    page.InsertObject(new CDrawText(CRect(1, 2, 3, 4), "Grüße"), -1);
    auto* image = new CDrawImage(CRect(5, 6, 7, 8));
    page.InsertObject(image, -1);
    auto* clipart = new CDrawClipart(CRect(9, 10, 11, 12));
    clipart->SetRotation(450);
    page.InsertObject(clipart, -1);
    page.SetStoredText("Vorlage");
    const Bytes ours = Store(page);
    const std::string written = (folder + "/ours.tpl").str();
    std::ofstream(written, std::ios::binary).write(reinterpret_cast<const char*>(ours.data()), ours.size());
    std::string parsed;
    ASSERT_EQ(RunTool("/usr/bin/python3 " + script + " parse " + written, &parsed), 0) << parsed;
    EXPECT_EQ(parsed,
              "page 2100 2970 stored=Vorlage orientation=1 paper=9\n"
              "CDrawRect 100 200 900 700 pen=1/0/000000 brush=0/0/00FF00 shape=2 round=16,16\n"
              "CDrawRect 50 60 70 80 pen=0/0/000000 brush=1/0/00FF00 shape=1 round=30,40\n"
              "CDrawPoly 0 0 10 10 pen=1/0/000000 brush=0/0/00FF00 points=0,0;10,0;5,10 allocated=4\n"
              "CDrawText 1 2 3 4 pen=0/0/000000 brush=0/0/000000 font=Arial/-12 text=Grüße colour=000000 "
              "effect=0\n"
              "CDrawImage 5 6 7 8 pen=0/0/000000 brush=0/0/0000FF shape=0 round=16,16\n"
              "CDrawClipart 9 10 11 12 pen=1/6/000000 brush=1/2/808080 rotation=450\n");
}

struct HostileStream {
    const char* name;
    Bytes bytes;
    int cause; // -1: CMyException
};

TEST_F(TemplateTest, HostileStreamsAreRefusedAndChangeNothing) {
    CTemplate valid;
    valid.InsertObject(Frame(3), -1);
    const Bytes good = Store(valid);
    const Bytes body = Bytes(good.begin() + 4, good.end());
    Bytes cut = good;
    cut.resize(cut.size() - 5);
    CDrawPoly poly;
    const Bytes polyCommon = StoredBytes([&](CArchive& ar) { poly.CDrawObj::Serialize(ar); });
    CStencil stencil;
    const Bytes head = Joined({Str("TPL"), Dword(1), Dword(1), Str(""), Dword(0), Word(0)});
    const HostileStream cases[] = {
        {"TagWrongInOneLetter", Joined({Str("TPM"), body}), -1},
        {"TagWrongOnlyInCase", Joined({Str("tpl"), body}), -1},
        {"ForeignClass", Joined({head, Word(1), NewClass("CStencil"), Body(stencil)}),
         CArchiveException::badClass},
        {"PolygonCountAboveAllocation",
         Joined({head, Word(1), NewClass("CDrawPoly"), polyCommon, Word(3), Word(2), Bytes(24, 0)}),
         CArchiveException::generic},
        {"CutStream", cut, CArchiveException::endOfFile},
        {"NullObject", Joined({head, Word(1), Word(0)}), CArchiveException::badIndex},
        {"HugeCount", Joined({head, Word(0xFFFF), Dword(0x7FFFFFFF), Word(0)}), CArchiveException::endOfFile},
    };
    for (const HostileStream& c : cases) {
        SCOPED_TRACE(c.name);
        CTemplate page;
        page.SetPageSize(CSize(7, 8));
        page.InsertObject(Frame(1), -1);
        int cause = -2;
        try {
            cause = ArchiveCause([&] { Load(page, c.bytes); });
        } catch (const CMyException&) {
            cause = -1;
        }
        EXPECT_EQ(cause, c.cause);
        EXPECT_EQ(Order(page), "1");
        EXPECT_EQ(page.GetPageSize(), CSize(7, 8));
    }
}

struct InsertCase {
    const char* name;
    int existing;
    int index;
    const char* order;
};

TEST_F(TemplateTest, InsertObjectPlacesByIndex) {
    const InsertCase cases[] = {
        {"BeyondTheEndAppends", 3, 5, "1239"},  {"MinusOneAppends", 3, -1, "1239"},
        {"ZeroOnEmptyAppends", 0, 0, "9"},      {"OtherNegativeGoesToTheHead", 3, -3, "9123"},
        {"BeforeTheFirst", 3, 0, "9123"},       {"BeforeTheLast", 3, 2, "1293"},
        {"NegativeOnEmptyAppends", 0, -3, "9"},
    };
    for (const InsertCase& c : cases) {
        CTemplate page;
        for (int i = 1; i <= c.existing; ++i)
            page.InsertObject(Frame(i), -1);
        page.InsertObject(Frame(9), c.index);
        EXPECT_EQ(Order(page), c.order) << c.name;
    }
}

struct MoveCase {
    const char* name;
    int object; // 1..3, 0 for one not in the list
    int index;
    const char* order;
};

TEST_F(TemplateTest, MoveToIndexAndTheLayerMoves) {
    const MoveCase cases[] = {
        {"LastToTheHead", 3, 0, "312"}, {"FirstToTheTail", 1, 2, "231"}, {"FirstForwardOne", 1, 1, "213"},
        {"LastBackOne", 3, 1, "132"},   {"BeyondTheEnd", 1, 5, "123"},   {"OwnPlace", 2, 1, "123"},
        {"NotInTheList", 0, 0, "123"},
    };
    for (const MoveCase& c : cases) {
        CTemplate page;
        CDrawObj* objects[] = {nullptr, Frame(1), Frame(2), Frame(3)};
        for (int i = 1; i <= 3; ++i)
            page.InsertObject(objects[i], -1);
        std::unique_ptr<CDrawObj> stranger(Frame(8));
        page.MoveToIndex(c.object ? objects[c.object] : stranger.get(), c.index);
        EXPECT_EQ(Order(page), c.order) << c.name;
    }
    CTemplate page;
    CDrawObj* a = Frame(1);
    CDrawObj* b = Frame(2);
    CDrawObj* c = Frame(3);
    for (CDrawObj* o : {a, b, c})
        page.InsertObject(o, -1);
    page.BringToFront(a);
    EXPECT_EQ(Order(page), "231");
    page.SendToBack(a);
    EXPECT_EQ(Order(page), "123");
    page.MoveForward(c);
    EXPECT_EQ(Order(page), "123");
    page.MoveForward(a);
    EXPECT_EQ(Order(page), "213");
    page.MoveBackward(b);
    EXPECT_EQ(Order(page), "213");
    page.MoveBackward(c);
    EXPECT_EQ(Order(page), "231");
    EXPECT_TRUE(page.RemoveObject(c));
    EXPECT_FALSE(page.RemoveObject(c));
    delete c;
    EXPECT_EQ(page.IndexOf(a), 1);
    EXPECT_EQ(page.GetObjectAt(5), nullptr);
    EXPECT_EQ(page.GetObjectAt(-1), nullptr);
}

TEST_F(TemplateTest, HitTestReturnsTheTopmostObject) {
    CTemplate page;
    auto* below = new CDrawRect(CRect(0, 0, 100, 100));
    auto* above = new CDrawRect(CRect(50, 50, 150, 150));
    page.InsertObject(below, -1);
    page.InsertObject(above, -1);
    EXPECT_EQ(page.HitTest(CPoint(75, 75)), above);
    EXPECT_EQ(page.HitTest(CPoint(10, 10)), below);
    EXPECT_EQ(page.HitTest(CPoint(150, 150)), nullptr) << "right and bottom edges are outside";
    EXPECT_EQ(page.GetWidestObjectWidth(), 100);
}

TEST_F(TemplateTest, SelectionQueries) {
    CTemplate page;
    auto* frame = new CDrawRect(CRect(0, 0, 1, 1));
    auto* text = new CDrawText(CRect(0, 0, 1, 1), "t");
    page.InsertObject(frame, -1);
    page.InsertObject(text, -1);
    EXPECT_FALSE(page.HasOnlyContentObjects());
    EXPECT_TRUE(page.HasText());
    EXPECT_FALSE(page.HasClipart());
    page.ToggleSelect(text);
    EXPECT_TRUE(page.IsTextOrClipartSelected());
    page.ToggleSelect(frame);
    EXPECT_EQ(page.GetSelectedCount(), 1);
    EXPECT_EQ(page.GetFirstSelected(), frame);
    EXPECT_FALSE(page.IsTextOrClipartSelected());
    EXPECT_TRUE(CTemplate().HasOnlyContentObjects());
}

TEST_F(TemplateTest, DeleteSelectedCountsEveryObjectAndLeavesPolygonsAndFrames) {
    CTemplate page;
    auto* poly = new CDrawPoly(CRect(1, 0, 2, 1));
    auto* text = new CDrawText(CRect(2, 0, 3, 1), "weg");
    auto* image = new CDrawImage(CRect(3, 0, 4, 1));
    image->SetFilePath("/bilder/see.bmp");
    image->zoom = 140;
    auto* frame = new CDrawRect(CRect(4, 0, 5, 1));
    auto* clipart = new CDrawClipart(CRect(5, 0, 6, 1));
    for (CDrawObj* o : std::initializer_list<CDrawObj*>{poly, text, image, frame, clipart}) {
        page.InsertObject(o, -1);
        o->SetSelected(o != frame);
    }
    CUndoDelete undo;
    page.DeleteSelected(&undo);
    EXPECT_EQ(Order(page), "134");
    EXPECT_TRUE(image->GetFilePath().IsEmpty()) << "emptied, the frame stays";
    CPtrList& records = undo.GetList();
    ASSERT_EQ(records.GetCount(), 3);
    POSITION pos = records.GetHeadPosition();
    auto* deletedText = static_cast<CUndoDeleteDrawObj*>(static_cast<CObject*>(records.GetNext(pos)));
    auto* emptied = static_cast<CUndoObject*>(static_cast<CObject*>(records.GetNext(pos)));
    auto* deletedClipart = static_cast<CUndoDeleteDrawObj*>(static_cast<CObject*>(records.GetNext(pos)));
    ASSERT_TRUE(deletedText->IsKindOf(RUNTIME_CLASS(CUndoDeleteDrawObj)));
    EXPECT_EQ(deletedText->GetIndex(), 1) << "the polygon counts";
    ASSERT_TRUE(emptied->IsKindOf(RUNTIME_CLASS(CUndoObject)));
    EXPECT_EQ(emptied->GetIndex(), 2);
    EXPECT_EQ(emptied->GetPath(), CString("/bilder/see.bmp"));
    EXPECT_EQ(emptied->GetSettings().zoom, 140);
    EXPECT_EQ(deletedClipart->GetIndex(), 4);
    std::unique_ptr<CDrawObj> restored(deletedText->Detach());
    EXPECT_TRUE(CDrawObj::IsDrawText(restored.get()));
}

struct TakeCase {
    const char* name;
    int frames;
    int pictures;
    const char* placed;   // paths of this page's objects afterwards
    const char* leftOver; // the other page's entries afterwards
    const char* progress;
};

TEST_F(TemplateTest, TakeImagesFromLaysPicturesIntoFrames) {
    const TakeCase cases[] = {
        {"TwoFramesThreePictures", 2, 3, "ab", "--c", "open Vellumcraft;range 0-2;step 1;++;close"},
        {"ThreeFramesTwoPictures", 3, 2, "abb", "--", "open Vellumcraft;range 0-3;step 1;+++;close"},
    };
    for (const TakeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTemplate page;
        for (int i = 0; i < c.frames; ++i) {
            auto* frame = new CDrawImage(CRect(100 * i, 0, 100 * i + 50, 50));
            frame->SetShape(kShapeEllipse);
            page.InsertObject(frame, -1);
        }
        CTemplate other;
        for (int i = 0; i < c.pictures; ++i) {
            auto* picture = new CDrawImage(CRect(i, i, i + 1, i + 1));
            picture->SetFilePath(CString(std::string(1, static_cast<char>('a' + i))));
            other.InsertObject(picture, -1);
        }
        ProgressRecorder progress;
        page.TakeImagesFrom(&other, &progress);
        std::string placed;
        for (int i = 0; i < page.GetObjectCount(); ++i) {
            auto* image = DYNAMIC_DOWNCAST(CDrawImage, page.GetObjectAt(i));
            ASSERT_NE(image, nullptr);
            placed += image->GetFilePath().str();
            EXPECT_EQ(image->GetPosition(), CRect(100 * i, 0, 100 * i + 50, 50));
            EXPECT_EQ(image->GetSavedPosition(), image->GetPosition());
            EXPECT_EQ(image->GetShape(), kShapeEllipse);
            EXPECT_EQ(image->GetTemplate(), &page);
        }
        EXPECT_EQ(placed, c.placed);
        std::string left;
        for (int i = 0; i < other.GetObjectCount(); ++i) {
            auto* image = DYNAMIC_DOWNCAST(CDrawImage, other.GetObjectAt(i));
            left += image ? image->GetFilePath().str() : "-";
        }
        EXPECT_EQ(left, c.leftOver);
        EXPECT_EQ(progress.m_log, c.progress);
    }
}

TEST_F(TemplateTest, UndoCopiesKeepMatsAndStencilsButNotClipart) {
    CTemplate page;
    page.SetName("Urlaub");
    page.SetRecordText(1, "eins");
    auto* image = new CDrawImage(CRect(0, 0, 10, 10));
    image->SetMat(OpenMat("Gold").release());
    image->SetStencil(GreenStepStencil().release());
    page.InsertObject(image, -1);
    page.InsertObject(new CDrawText(CRect(1, 1, 2, 2), "Text"), -1);
    page.InsertObject(new CDrawClipart(CRect(2, 2, 3, 3)), -1);

    std::unique_ptr<CTemplate> undo(page.CloneForUndo());
    EXPECT_EQ(undo->GetName(), CString("Urlaub"));
    EXPECT_TRUE(undo->GetRecordText(1).IsEmpty()) << "texts 1 and 2 are not carried";
    ASSERT_EQ(undo->GetObjectCount(), 2);
    auto* kept = DYNAMIC_DOWNCAST(CDrawImage, undo->GetObjectAt(0));
    ASSERT_NE(kept, nullptr);
    ASSERT_TRUE(kept->HasMat());
    ASSERT_TRUE(kept->HasStencil());
    EXPECT_EQ(kept->GetMat()->GetFilePath(), image->GetMat()->GetFilePath());
    EXPECT_EQ(kept->GetStencil()->GetFilePath(), image->GetStencil()->GetFilePath());
    EXPECT_EQ(kept->GetTemplate(), undo.get());
    EXPECT_TRUE(CDrawObj::IsDrawText(undo->GetObjectAt(1)));

    page.InsertObject(new CDrawPoly(CRect(3, 3, 4, 4)), -1);
    std::unique_ptr<CTemplate> all(page.CloneForUndo());
    EXPECT_EQ(all->GetObjectCount(), 4) << "with a polygon every object is cloned";
}

TEST_F(TemplateTest, EmptyFramesKeepShapesAndDropPolygons) {
    CTemplate page;
    auto* ellipse = new CDrawRect(CRect(1, 2, 3, 4));
    ellipse->SetShape(kShapeEllipse);
    page.InsertObject(ellipse, -1);
    page.InsertObject(new CDrawPoly(CRect(5, 5, 6, 6)), -1);
    page.InsertObject(new CDrawText(CRect(7, 7, 8, 8), "t"), -1);
    std::unique_ptr<CTemplate> frames(page.CloneAsEmptyFrames());
    ASSERT_EQ(frames->GetObjectCount(), 2);
    auto* first = DYNAMIC_DOWNCAST(CDrawImage, frames->GetObjectAt(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetShape(), kShapeEllipse);
    EXPECT_EQ(first->GetFilePath(), CString("xxx"));
    EXPECT_TRUE(first->IsStateFlagClear());
    EXPECT_EQ(first->GetPosition(), CRect(1, 2, 3, 4));
    EXPECT_EQ(frames->GetObjectAt(1)->GetPosition(), CRect(7, 7, 8, 8));
}

TEST_F(TemplateTest, PicturesOfOnePageShareOneFileInAnyLetterCase) {
    WriteBmp(Res("see.bmp"), 4, 2, {0x336699});
    CTemplate page;
    auto* first = new CDrawImage(CRect(0, 0, 10, 10));
    auto* second = new CDrawImage(CRect(10, 0, 20, 10));
    first->SetTemplate(&page);
    second->SetTemplate(&page);
    page.InsertObject(first, -1);
    page.InsertObject(second, -1);
    ASSERT_TRUE(first->SetImageFile(Res("see.bmp"), TRUE));
    CPictureInfo* original = first->GetOriginalDib();
    ASSERT_NE(original, nullptr);
    EXPECT_TRUE(first->HasValidAdjusted());
    // No file of that case exists: the picture can only come from the first object.
    ASSERT_TRUE(second->SetImageFile(Res("SEE.BMP"), TRUE));
    EXPECT_EQ(second->GetOriginalDib(), original);
    EXPECT_TRUE(first->SetImageFile(Res("see.bmp"), TRUE));
    EXPECT_EQ(first->GetOriginalDib(), original) << "the file it shows only rebuilds";
    EXPECT_FALSE(second->SetImageFile(Res("fehlt.bmp"), TRUE));
    EXPECT_EQ(second->GetOriginalDib(), nullptr);

    std::unique_ptr<CTemplate> clone(page.Clone());
    auto* a = static_cast<CDrawImage*>(clone->GetObjectAt(0));
    EXPECT_NE(a->GetOriginalDib(), nullptr);
    EXPECT_NE(a->GetOriginalDib(), original) << "loaded again on the new page";
}

TEST_F(TemplateTest, CopyAndSwapImagesMoveSettingsPathsAndTemporaryFiles) {
    WriteBmp(Res("a.bmp"), 2, 2, {0xFF0000});
    WriteBmp(Res("b.bmp"), 2, 2, {0x0000FF});
    CTemplate page;
    auto* a = new CDrawImage(CRect(0, 0, 10, 10));
    auto* b = new CDrawImage(CRect(10, 0, 20, 10));
    for (CDrawImage* image : {a, b}) {
        image->SetTemplate(&page);
        page.InsertObject(image, -1);
    }
    a->SetImageFile(Res("a.bmp"), TRUE);
    b->SetImageFile(Res("b.bmp"), TRUE);
    a->zoom = 120;
    b->SetStencil(GreenStepStencil().release());
    RewriteTempFile(a->GetTempFile(), reinterpret_cast<const BYTE*>("AAA"), 3);
    RewriteTempFile(b->GetTempFile(), reinterpret_cast<const BYTE*>("BB"), 2);
    CPictureInfo* pictureOfB = b->GetOriginalDib();

    page.SwapImages(a, b);
    EXPECT_EQ(a->GetFilePath(), Res("b.bmp"));
    EXPECT_EQ(b->GetFilePath(), Res("a.bmp"));
    EXPECT_EQ(b->zoom, 120);
    EXPECT_TRUE(a->HasStencil());
    EXPECT_FALSE(b->HasStencil());
    EXPECT_EQ(a->GetOriginalDib(), pictureOfB);
    EXPECT_EQ(*ReadWholeTempFile(a->GetTempFile()), (Bytes{'B', 'B'}));
    EXPECT_EQ(*ReadWholeTempFile(b->GetTempFile()), (Bytes{'A', 'A', 'A'}));

    page.CopyImage(b, a);
    EXPECT_EQ(b->GetFilePath(), Res("b.bmp"));
    EXPECT_EQ(b->GetOriginalDib(), pictureOfB) << "shared, not its old picture";
    EXPECT_TRUE(b->HasStencil());
    EXPECT_EQ(*ReadWholeTempFile(b->GetTempFile()), (Bytes{'B', 'B'}));

    CDrawImage stranger;
    page.SwapImages(a, &stranger);
    EXPECT_EQ(a->GetFilePath(), Res("b.bmp"));
}

} // namespace

namespace {

TEST_F(TemplateTest, FillWithPictureLaysTheWorkingPictureIntoEveryFrame) {
    CTemplate page;
    page.SetName("Seite");
    auto* ellipse = new CDrawRect(CRect(0, 0, 100, 80));
    ellipse->SetShape(kShapeEllipse);
    page.InsertObject(ellipse, -1);
    page.InsertObject(new CDrawPoly(CRect(1, 1, 2, 2)), -1);
    page.InsertObject(new CDrawClipart(CRect(5, 5, 6, 6)), -1);
    page.InsertObject(new CDrawText(CRect(200, 0, 300, 80), "Text"), -1);

    CWorkBitmap work;
    DibBuilder dib(4, 2, 24);
    dib.Pixels({0x102030});
    ASSERT_TRUE(work.SetTo(dib.Length(), dib.Bytes()));
    work.Rebuild(true);
    work.zoom = 150;
    work.SetFilePath("/bilder/see.jpg");
    const auto workData = ReadWholeTempFile(work.GetTempFile());
    ASSERT_TRUE(workData.has_value());

    const std::unique_ptr<CStencil> stencil = GreenStepStencil();
    std::unique_ptr<CTemplate> filled(page.FillWithPicture(&work, stencil.get(), nullptr, false));
    EXPECT_EQ(filled->GetName(), CString("Seite"));
    ASSERT_EQ(filled->GetObjectCount(), 3) << "the polygon is dropped";
    auto* first = DYNAMIC_DOWNCAST(CDrawImage, filled->GetObjectAt(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetShape(), kShapeEllipse);
    EXPECT_EQ(first->GetSavedPosition(), CRect(0, 0, 100, 80));
    EXPECT_EQ(first->zoom, 150);
    EXPECT_EQ(first->GetFilePath(), CString("/bilder/see.jpg"));
    EXPECT_FALSE(first->IsStateFlagClear()) << "the fill flag is the negation of false";
    ASSERT_TRUE(first->HasStencil());
    EXPECT_NE(first->GetStencil(), stencil.get()) << "a clone; the caller keeps its own";
    EXPECT_FALSE(first->HasMat());
    EXPECT_EQ(first->GetTemplate(), filled.get());
    ASSERT_NE(first->GetOriginalDib(), nullptr);
    EXPECT_NE(first->GetOriginalDib(), work.GetOriginalDib()) << "a clone, shared between the frames";
    EXPECT_EQ(*ReadWholeTempFile(first->GetTempFile()), *workData);
    EXPECT_TRUE(CDrawObj::IsDrawClipart(filled->GetObjectAt(1)));
    auto* fromText = DYNAMIC_DOWNCAST(CDrawImage, filled->GetObjectAt(2));
    ASSERT_NE(fromText, nullptr);
    EXPECT_EQ(fromText->GetOriginalDib(), first->GetOriginalDib());
}

} // namespace
