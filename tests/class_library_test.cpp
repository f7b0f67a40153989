// The class library's pieces that need no window: texts and run-time class records.
#include <gtest/gtest.h>

#include <string>

#include "cstring.h"
#include "propsheet.h"
#include "runtime_class.h"

namespace {

TEST(CString, HoldsACopyOfItsText) {
    char source[] = "555-1234";
    CString text(source);
    source[0] = 'X';
    EXPECT_STREQ("555-1234", text);
    EXPECT_EQ(8, text.GetLength());
    EXPECT_FALSE(text.IsEmpty());
}

TEST(CString, EmptyAndNullGiveTheEmptyText) {
    const CString empties[] = {CString(), CString(""), CString(nullptr)};
    for (const CString& empty : empties) {
        EXPECT_STREQ("", empty);
        EXPECT_EQ(0, empty.GetLength());
        EXPECT_TRUE(empty.IsEmpty());
    }
}

TEST(CString, CopiesAndAssignmentsAreIndependent) {
    CString first("01 555");
    CString second(first);
    CString third;
    third = first;
    first = "changed";
    third = third;  // assigning an object to itself keeps its text
    EXPECT_STREQ("changed", first);
    EXPECT_STREQ("01 555", second);
    EXPECT_STREQ("01 555", third);
    second = CString();
    EXPECT_TRUE(second.IsEmpty());
}

// A class of this test that can be created by its class record.
class CCreatable : public CObject {
public:
    static const CRuntimeClass classCCreatable;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCCreatable; }
};
const CRuntimeClass CCreatable::classCCreatable = {"CCreatable", CreateObjectOf<CCreatable>,
                                                   &CObject::classCObject};

TEST(RuntimeClass, KnowsItsBasesAlongTheChain) {
    const struct {
        const CRuntimeClass* derived;
        const CRuntimeClass* base;
        bool expected;
    } cases[] = {
        {&CPropertyPage::classCPropertyPage, &CPropertyPage::classCPropertyPage, true},
        {&CPropertyPage::classCPropertyPage, &CDialog::classCDialog, true},
        {&CPropertyPage::classCPropertyPage, &CWnd::classCWnd, true},
        {&CPropertyPage::classCPropertyPage, &CObject::classCObject, true},
        {&CPropertySheet::classCPropertySheet, &CWnd::classCWnd, true},
        {&CPropertySheet::classCPropertySheet, &CDialog::classCDialog, false},
        {&CDialog::classCDialog, &CPropertyPage::classCPropertyPage, false},
        {&CCreatable::classCCreatable, &CWnd::classCWnd, false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.derived->m_lpszClassName) + " from " +
                     row.base->m_lpszClassName);
        EXPECT_EQ(row.expected, row.derived->IsDerivedFrom(row.base) != FALSE);
    }
}

TEST(RuntimeClass, AnObjectKnowsItsKind) {
    CPropertyPage page(136);
    CPropertySheet sheet("title");
    EXPECT_TRUE(page.IsKindOf(&CDialog::classCDialog));
    EXPECT_FALSE(sheet.IsKindOf(&CDialog::classCDialog));
    EXPECT_TRUE(sheet.IsKindOf(&CPropertySheet::classCPropertySheet));
    EXPECT_STREQ("CPropertyPage", page.GetRuntimeClass()->m_lpszClassName);
}

TEST(RuntimeClass, CreatesObjectsOfCreatableClassesOnly) {
    CObject* created = CCreatable::classCCreatable.CreateObject();
    ASSERT_NE(nullptr, created);
    EXPECT_TRUE(created->IsKindOf(&CCreatable::classCCreatable));
    delete created;
    EXPECT_EQ(nullptr, CPropertySheet::classCPropertySheet.CreateObject());
}

}  // namespace
