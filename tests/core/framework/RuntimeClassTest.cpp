#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"

#include <gtest/gtest.h>

TEST(RuntimeClass, RecordClassesAreCreatableByTheirStoredNames) {
    for (const char* name : {"CDataModule", "CDataBlock", "CAnnotation"}) {
        const CRuntimeClass* cls = CRuntimeClass::FromName(name);
        ASSERT_NE(cls, nullptr) << name;
        EXPECT_EQ(cls->m_wSchema, 0);
        std::unique_ptr<CObject> object = cls->CreateObject();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetRuntimeClass(), cls);
    }
    EXPECT_EQ(CRuntimeClass::FromName("cdatablock"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CViewTreeItem"), nullptr); // abstract
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), nullptr);
}
