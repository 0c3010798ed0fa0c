// Text: formatting of any length, string resources and long window texts.
#include <gtest/gtest.h>

#include <string>

#include "MessageRecorder.h"
#include "TestIds.h"
#include "afxwin.h"

namespace {

TEST(String, FormatProducesLongResultsWhole) {
  const std::wstring body(6000, L'x');
  CString text;
  text.Format(L"[%s] %d %.3f \x00B0", body.c_str(), 42, 41.9466);
  EXPECT_EQ(text.GetLength(), 1 + 6000 + 13);
  EXPECT_EQ(text.str().substr(6000), L"x] 42 41.947 \x00B0");
  text.Format(L"%8000d|", 7);
  EXPECT_EQ(text.GetLength(), 8001);
  EXPECT_EQ(text[7999], L'7');
}

TEST(String, FormatMayTakeItsOwnTextAsAnArgument) {
  CString text(L"abc");
  text.Format(L"%s-%s", static_cast<const wchar_t*>(text), static_cast<const wchar_t*>(text));
  EXPECT_EQ(text, L"abc-abc");
}

TEST(String, LoadStringReadsTheTableAndEmptiesForAMissingId) {
  CString text(L"previous");
  EXPECT_TRUE(text.LoadString(IDS_GREETING));
  EXPECT_EQ(text, L"Hello from the string table");
  EXPECT_FALSE(text.LoadString(IDS_MISSING));
  EXPECT_TRUE(text.IsEmpty());
  text = L"previous";
  EXPECT_FALSE(text.LoadString(60000));
  EXPECT_TRUE(text.IsEmpty());
}

TEST(String, GetWindowTextReadsLongTextsWhole) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, MessageRecorder::BaseClassName(), L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  std::wstring longText(100000, L'a');
  longText.back() = L'z';
  wnd.SetWindowText(longText.c_str());
  CString read;
  wnd.GetWindowText(read);
  EXPECT_EQ(read.GetLength(), 100000);
  EXPECT_EQ(read.str(), longText);
  wnd.SetWindowText(L"");
  wnd.GetWindowText(read);
  EXPECT_TRUE(read.IsEmpty());
}

}  // namespace
