// Run-time class information: names and the chain of base classes.
#include <gtest/gtest.h>

#include <cstring>

#include "afxwin.h"

namespace {

class CNamedEdit : public CEdit {
  DECLARE_DYNAMIC(CNamedEdit)
};
IMPLEMENT_DYNAMIC(CNamedEdit, CEdit)

TEST(RuntimeClass, NamesTheMostDerivedDeclaredClassThroughABasePointer) {
  CNamedEdit edit;
  const CObject* pObject = &edit;
  EXPECT_STREQ(pObject->GetRuntimeClass()->m_lpszClassName, "CNamedEdit");
  EXPECT_STREQ(RUNTIME_CLASS(CNamedEdit)->m_pBaseClass->m_lpszClassName, "CEdit");
  CButton button;
  EXPECT_STREQ(static_cast<CObject&>(button).GetRuntimeClass()->m_lpszClassName, "CButton");
}

TEST(RuntimeClass, IsKindOfFollowsTheChainToCObjectAndNoFurther) {
  CNamedEdit edit;
  EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CNamedEdit)));
  EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CEdit)));
  EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(edit.IsKindOf(RUNTIME_CLASS(CButton)));
  EXPECT_FALSE(edit.IsKindOf(RUNTIME_CLASS(CDialog)));
  CEdit plain;
  EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(CNamedEdit)));
}

}  // namespace
