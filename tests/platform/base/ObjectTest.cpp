#include "platform/base/Object.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
class CBox : public CShape {
    DECLARE_DYNCREATE(CBox)
};
class CLabel : public CObject {
    DECLARE_DYNCREATE(CLabel)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CBox, CShape)
IMPLEMENT_DYNCREATE(CLabel, CObject)

TEST(RuntimeClassTest, KindFollowsTheBaseChain) {
    CBox box;
    const CObject& object = box;
    EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(CBox));
    EXPECT_STREQ(object.GetRuntimeClass()->m_lpszClassName, "CBox");
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CLabel)));
    EXPECT_FALSE(object.IsSerializable());
}

TEST(RuntimeClassTest, CreatesOnlyDynamicallyCreatableClasses) {
    std::unique_ptr<CObject> created(RUNTIME_CLASS(CBox)->CreateObject());
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
}

TEST(RuntimeClassTest, DowncastsCheckTheClass) {
    CBox box;
    CLabel label;
    CObject* boxObject = &box;
    CObject* labelObject = &label;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, boxObject), &box);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, labelObject), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, static_cast<CObject*>(nullptr)), nullptr);
    EXPECT_EQ(STATIC_DOWNCAST(CBox, boxObject), &box);
}

TEST(RuntimeClassTest, RegistryFindsOnlySerializableClassesByExactName) {
    EXPECT_EQ(CRuntimeClass::FromName("CBox"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    CRuntimeClass scratch = {"CScratchRecord", 8, 3, nullptr, RUNTIME_CLASS(CObject), nullptr};
    {
        CClassRegistration registration(&scratch);
        EXPECT_EQ(CRuntimeClass::FromName("CScratchRecord"), &scratch);
        EXPECT_EQ(CRuntimeClass::FromName("cscratchrecord"), nullptr);
    }
    EXPECT_EQ(CRuntimeClass::FromName("CScratchRecord"), nullptr);
}

} // namespace
