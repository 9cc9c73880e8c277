// The adjustment and placement undo records: what an empty record holds, what a full one keeps, their
// run-time classes, and that a record frees its snapshot (the leak checker sees one left).
#include "image/AdjustImage.h"
#include "page/EffOb.h"
#include "page/ShiftZoomOb.h"
#include "page/UndoNormal.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

TEST(EffectRecords, EmptyRecordsHoldNothingAndIndexMinusOne) {
    const CEffOb adjustment;
    EXPECT_EQ(adjustment.GetSnapshot(), nullptr);
    EXPECT_EQ(adjustment.GetObjectIndex(), -1);
    const CShiftZoomOb placement;
    EXPECT_EQ(placement.GetShiftX(), 0);
    EXPECT_EQ(placement.GetShiftY(), 0);
    EXPECT_EQ(placement.GetRotation(), 0);
    EXPECT_EQ(placement.GetZoom(), 0);
    EXPECT_EQ(placement.GetObjectIndex(), -1);
}

TEST(EffectRecords, FullRecordsKeepWhatTheyWereGiven) {
    CAdjustImage picture(false);
    picture.brightness = 0.25f;
    picture.colourMode = 1;
    picture.SetTwoColors(0x102030, 0x405060);
    picture.SetFilePath("/bilder/a.bmp");
    const CEffOb adjustment(picture.Clone(), 3);
    ASSERT_NE(adjustment.GetSnapshot(), nullptr);
    EXPECT_TRUE(adjustment.GetSnapshot()->HasSameSettings(&picture));
    EXPECT_EQ(adjustment.GetSnapshot()->GetLightColor(), 0x405060u);
    EXPECT_EQ(adjustment.GetSnapshot()->GetFilePath(), "/bilder/a.bmp");
    EXPECT_EQ(adjustment.GetSnapshot()->GetTempFile(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(adjustment.GetObjectIndex(), 3);

    const CShiftZoomOb placement(-7, 9, 2700, 150, 4);
    EXPECT_EQ(placement.GetShiftX(), -7);
    EXPECT_EQ(placement.GetShiftY(), 9);
    EXPECT_EQ(placement.GetRotation(), 2700);
    EXPECT_EQ(placement.GetZoom(), 150);
    EXPECT_EQ(placement.GetObjectIndex(), 4);
}

TEST(EffectRecords, ClassesAreMadeByNameAndNeverStored) {
    for (CRuntimeClass* type : {RUNTIME_CLASS(CEffOb), RUNTIME_CLASS(CShiftZoomOb)}) {
        SCOPED_TRACE(type->m_lpszClassName);
        EXPECT_FALSE(type->IsSerializable());
        EXPECT_EQ(type->m_wSchema, 0xFFFFu);
        const std::unique_ptr<CObject> record(type->CreateObject());
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(record->IsKindOf(type));
        EXPECT_FALSE(record->IsKindOf(RUNTIME_CLASS(CUndoNormal)));
    }
    EXPECT_EQ(std::string(RUNTIME_CLASS(CEffOb)->m_lpszClassName), "CEffOb");
    EXPECT_EQ(std::string(RUNTIME_CLASS(CShiftZoomOb)->m_lpszClassName), "CShiftZoomOb");
    EXPECT_FALSE(RUNTIME_CLASS(CEffOb)->IsDerivedFrom(RUNTIME_CLASS(CShiftZoomOb)));
}

TEST(EffectRecords, DeletingThroughTheBaseFreesTheSnapshot) {
    auto picture = std::make_unique<CAdjustImage>(false);
    picture->gamma = 2.0f;
    const std::unique_ptr<CObject> record(new CEffOb(picture->Clone(), -1));
    const std::unique_ptr<CObject> empty(RUNTIME_CLASS(CEffOb)->CreateObject());
    EXPECT_EQ(static_cast<CEffOb*>(empty.get())->GetSnapshot(), nullptr);
}

} // namespace
