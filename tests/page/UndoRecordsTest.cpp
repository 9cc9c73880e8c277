#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "page/UndoCopy.h"
#include "page/UndoCopyObj.h"
#include "page/UndoDelete.h"
#include "page/UndoDeleteDrawObj.h"
#include "page/UndoLayers.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "page/UndoPropertiesText.h"
#include "page/UndoReplace.h"
#include "page/UndoTemplate.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/FakeAppServices.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(UndoRecords, DefaultRecordsHoldMinusOneInEveryIndex) {
    EXPECT_EQ(CUndoCopy().GetIndex(), -1);
    EXPECT_EQ(CUndoCopy().GetKind(), -1);
    EXPECT_EQ(CUndoCopy().GetImage(), nullptr);
    EXPECT_EQ(CUndoCopyObj().GetIndex(), -1);
    EXPECT_EQ(CUndoReplace().GetFirstIndex(), -1);
    EXPECT_EQ(CUndoReplace().GetSecondIndex(), -1);
    EXPECT_EQ(CUndoReplace().GetKind(), -1);
    EXPECT_EQ(CUndoObject().GetIndex(), -1);
    EXPECT_EQ(CUndoObject().GetKind(), -1);
    EXPECT_EQ(CUndoNormal().GetIndex(), -1);
    EXPECT_EQ(CUndoDeleteDrawObj().GetIndex(), -1);
    EXPECT_EQ(CUndoLayers().GetIndex(), -1);
    EXPECT_EQ(CUndoLayers().GetOperation(), -1);
    EXPECT_EQ(CUndoPropertiesText().GetIndex(), -1);
    EXPECT_TRUE(CUndoPropertiesText().GetText().IsEmpty());
}

TEST(UndoRecords, RecordsAreToldApartByTheirClass) {
    std::unique_ptr<CObject> record(RUNTIME_CLASS(CUndoLayers)->CreateObject());
    EXPECT_TRUE(record->IsKindOf(RUNTIME_CLASS(CUndoLayers)));
    EXPECT_FALSE(record->IsKindOf(RUNTIME_CLASS(CUndoReplace)));
}

TEST(UndoRecords, DeleteRecordOwnsItsSubRecordsAndDetachedClonesAreTheCallers) {
    FakeAppServices app;
    CDrawText text(CRect(1, 2, 3, 4), "weg");
    std::unique_ptr<CDrawObj> taken;
    {
        CUndoDelete undo;
        undo.Add(new CUndoObject(0, "/a.jpg", 2));
        auto* kept = new CUndoDeleteDrawObj(&text, 5);
        undo.Add(kept);
        auto* detached = new CUndoDeleteDrawObj(&text, 6);
        undo.Add(detached);
        taken.reset(detached->Detach());
        EXPECT_TRUE(CUndoDeleteDrawObj::IsTextOrClipart(taken.get()));
        EXPECT_EQ(kept->GetIndex(), 5);
    }
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(static_cast<CDrawText*>(taken.get())->GetText(), CString("weg"));
    EXPECT_FALSE(CUndoDeleteDrawObj::IsTextOrClipart(nullptr));
}

TEST(UndoRecords, TemplateRecordKeepsTheUndoCopyAndNothingForNoPage) {
    EXPECT_EQ(CUndoTemplate(nullptr).GetTemplate(), nullptr);
    CTemplate page;
    page.SetName("Seite");
    page.InsertObject(new CDrawRect(CRect(1, 1, 2, 2)), -1);
    CUndoTemplate undo(&page);
    ASSERT_NE(undo.GetTemplate(), nullptr);
    EXPECT_NE(undo.GetTemplate(), &page);
    EXPECT_EQ(undo.GetTemplate()->GetName(), CString("Seite"));
    EXPECT_EQ(undo.GetTemplate()->GetObjectCount(), 1);
}

TEST(UndoRecords, SettingsRecordsCopyTheSettings) {
    CAdjustImage settings(false);
    settings.zoom = 175;
    settings.SetFilePath("/b.jpg");
    const CUndoObject object(3, "/alt.jpg", 4, settings);
    EXPECT_EQ(object.GetSettings().zoom, 175);
    EXPECT_EQ(object.GetPath(), CString("/alt.jpg"));
    EXPECT_EQ(object.GetKind(), 3);
    EXPECT_EQ(CUndoNormal(0, &settings).GetSettings().zoom, 175);
    EXPECT_EQ(CUndoNormal(1, CString("Urlaub")).GetSettings().GetFilePath(), CString("Urlaub"));
    EXPECT_EQ(CUndoNormal(2, static_cast<const CAdjustImage*>(nullptr)).GetSettings().zoom, 100);
}

TEST(UndoRecords, TextPropertiesAreCopiedAndANullTextKeepsOnlyTheIndex) {
    FakeAppServices app;
    CDrawText text(CRect(), "Vorher");
    text.SetColor(0x0A0B0C);
    text.SetEffect(kTextShadowUpperLeft);
    const CUndoPropertiesText undo(&text, 7);
    LOGFONT font{};
    EXPECT_STREQ(undo.GetLogFont(&font)->lfFaceName, "Arial");
    EXPECT_EQ(undo.GetColor(), 0x0A0B0Cu);
    EXPECT_EQ(undo.GetTextField(), kTextShadowUpperLeft);
    EXPECT_EQ(undo.GetText(), CString("Vorher"));
    EXPECT_EQ(undo.GetIndex(), 7);
    EXPECT_TRUE(CUndoPropertiesText(nullptr, 2).GetText().IsEmpty());
}

TEST(UndoRecords, CopyRecordTakesWhatItsKindNames) {
    CDrawImage source(CRect(0, 0, 4, 4));
    source.zoom = 130;
    source.SetMat(new CMat);
    const CUndoCopy matOnly(0, 1, &source);
    ASSERT_NE(matOnly.GetImage(), nullptr);
    EXPECT_TRUE(matOnly.GetImage()->HasMat());
    EXPECT_FALSE(matOnly.GetImage()->HasStencil());
    EXPECT_EQ(matOnly.GetImage()->zoom, 100);

    const CUndoCopy withoutPicture(2, 1, &source);
    EXPECT_EQ(withoutPicture.GetImage()->zoom, 100) << "settings only with a loaded picture";
    DibBuilder dib(1, 1, 24);
    CPictureInfo* picture = PictureOf(dib);
    source.SetOriginalPicture(picture, FALSE);
    picture->Release();
    const CUndoCopy all(2, 1, &source);
    EXPECT_EQ(all.GetImage()->zoom, 130);
    EXPECT_TRUE(all.GetImage()->HasMat());
    EXPECT_EQ(all.GetKind(), 2);
}

} // namespace
