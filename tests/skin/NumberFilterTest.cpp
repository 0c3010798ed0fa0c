#include <gtest/gtest.h>

#include <random>
#include <string>

#include "EditsDialog.h"
#include "MessageRecorder.h"
#include "TestSupport.h"

using namespace skintest;
using R = MessageRecorder;

namespace {

// What the field must end with: the text as the platform takes it (up to a
// NUL), cut back to its longest prefix made of ASCII digits with at most one
// dot, and not a dot alone.
std::wstring LongestPassingPrefix(const std::wstring& text) {
  const std::wstring taken = text.substr(0, text.find(L'\0'));
  size_t nEnd = 0;
  bool bDot = false;
  while (nEnd < taken.size()) {
    const wchar_t c = taken[nEnd];
    if (c == L'.' && !bDot) bDot = true;
    else if (c < L'0' || c > L'9') break;
    ++nEnd;
  }
  return nEnd == 1 && taken[0] == L'.' ? std::wstring() : taken.substr(0, nEnd);
}

class NumberFilterTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Open(440, 420)); }
  void TearDown() override {
    m_dlg.DestroyWindow();
    PumpMessages();
  }

  std::wstring TextOf(CWnd& wnd) {
    CString str;
    wnd.GetWindowText(str);
    return str.str();
  }
  // Pastes at the caret, as the clipboard would.
  void Paste(CWnd& wnd, int nCaret, const std::wstring& text) {
    wnd.SendMessage(EM_SETSEL, nCaret, nCaret);
    wnd.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }

  CEditsDialog m_dlg;
};

TEST_F(NumberFilterTest, KeepsDecimalNumbersAndCutsTheRestFromTheEnd) {
  struct Case {
    const wchar_t* before;
    int nCaret;
    const wchar_t* pasted;
    const wchar_t* after;
  };
  const Case cases[] = {
      {L"", 0, L"12.5", L"12.5"},
      {L"12.5", 4, L".", L"12.5"},  // a second dot goes at once
      {L"", 0, L".", L""},          // a number cannot be typed dot first
      {L"", 0, L".5", L".5"},       // but pasted whole it can
      {L"7", 1, L".", L"7."},
      {L"", 0, L"..", L""},
      {L"", 0, L"1.2.3", L"1.2"},
      {L"", 0, L"12a34", L"12"},
      {L"", 0, L"-7", L""},
      {L"", 0, L"1e5", L"1"},
      {L"", 0, L"3 4", L"3"},
      {L"", 0, L"\u0661\u0662", L""},  // digits of other systems are not digits
      {L"", 0, L"\uFF15", L""},
      {L"123", 1, L"x", L"1"},  // a rejected character takes what follows with it
  };
  for (const Case& c : cases) {
    m_dlg.m_edInput.SetWindowText(c.before);
    ASSERT_EQ(TextOf(m_dlg.m_edInput), c.before);
    Paste(m_dlg.m_edInput, c.nCaret, c.pasted);
    EXPECT_EQ(TextOf(m_dlg.m_edInput), c.after) << Printable(c.before) << " + " << Printable(c.pasted);
  }
  // The caret ends at the end of what is left.
  DWORD nStart = 0, nEnd = 0;
  m_dlg.m_edInput.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
  EXPECT_EQ(nStart, 1u);
  EXPECT_EQ(nEnd, 1u);
}

// A long cut is a deep nest of runs; the field still ends with its number.
TEST_F(NumberFilterTest, ALongCutEndsWithTheNumber) {
  m_dlg.m_edInput.SetWindowText(L"3709105004007966227018672936099415300912");
  Paste(m_dlg.m_edInput, 8, L"o24");
  EXPECT_EQ(TextOf(m_dlg.m_edInput), L"37091050");
  m_dlg.m_edInput.SetWindowText(L"");
  Paste(m_dlg.m_edInput, 0, L"5x" + std::wstring(300, L'7'));
  EXPECT_EQ(TextOf(m_dlg.m_edInput), L"5");
}

TEST_F(NumberFilterTest, AWholeNumberFieldRefusesATypedPointOrCommaWithABalloonTip) {
  m_dlg.m_edInput.SetWholeNumbers(true, L"Whole millimetres only");
  R log;
  log.Watch(m_dlg.m_edInput, "edit");
  log.Only({EM_SHOWBALLOONTIP});
  m_dlg.m_edInput.SetWindowText(L"");
  for (wchar_t c : std::wstring(L"1.,5")) m_dlg.m_edInput.SendMessage(WM_CHAR, c, 1);
  EXPECT_EQ(TextOf(m_dlg.m_edInput), L"15");
  EXPECT_TRUE(log.Matches({R::Marked("parent EN_CHANGE \"1\"", 0), R::Sent("edit", EM_SHOWBALLOONTIP, 1),
                           R::Sent("edit", EM_SHOWBALLOONTIP, 1), R::Marked("parent EN_CHANGE \"15\"", 0)}));
}

TEST_F(NumberFilterTest, TextSetByTheOwnerIsFilteredToo) {
  m_dlg.m_edInput.SetWindowText(L"30 mm");
  EXPECT_EQ(TextOf(m_dlg.m_edInput), L"30");
}

TEST_F(NumberFilterTest, AFreeTextFieldKeepsAnyText) {
  m_dlg.m_edFree.m_bFreeText = TRUE;
  m_dlg.m_edFree.SetWindowText(L"-1.2.3 mm \u0661");
  EXPECT_EQ(TextOf(m_dlg.m_edFree), L"-1.2.3 mm \u0661");
}

// Each removal raises EN_UPDATE again inside EM_REPLACESEL: the nested run
// cuts further; the outer runs' later removals land past the new end and
// change nothing. The parent sees one EN_CHANGE per change and no EN_UPDATE.
TEST_F(NumberFilterTest, RemovalsNestAndOnlyChangesReachTheParent) {
  R log;
  log.Watch(m_dlg.m_edInput, "edit");
  log.Only({WM_SETTEXT, EM_SETSEL, EM_SCROLLCARET, EM_REPLACESEL});
  m_dlg.m_edInput.SetWindowText(L"1a2b");
  EXPECT_EQ(TextOf(m_dlg.m_edInput), L"1");
  const std::string strEmpty = "\"\"";
  EXPECT_TRUE(log.Matches({
      R::Sent("edit", WM_SETTEXT, 0).Params("\"1a2b\""),
      R::Sent("edit", EM_SETSEL, 1).W(3).L(4),
      R::Sent("edit", EM_SCROLLCARET, 1),
      R::Sent("edit", EM_REPLACESEL, 1).W(0).Params(strEmpty),
      R::Sent("edit", EM_SETSEL, 2).W(2).L(3),
      R::Sent("edit", EM_SCROLLCARET, 2),
      R::Sent("edit", EM_REPLACESEL, 2).W(0).Params(strEmpty),
      R::Sent("edit", EM_SETSEL, 3).W(1).L(2),
      R::Sent("edit", EM_SCROLLCARET, 3),
      R::Sent("edit", EM_REPLACESEL, 3).W(0).Params(strEmpty),
      R::Marked("parent EN_CHANGE \"1\"", 3),
      R::Marked("parent EN_CHANGE \"1\"", 2),
      // the outer run's second removal: "b" is gone already
      R::Marked("parent EN_CHANGE \"1\"", 1),
      R::Sent("edit", EM_SETSEL, 1).W(3).L(4),
      R::Sent("edit", EM_SCROLLCARET, 1),
      R::Sent("edit", EM_REPLACESEL, 1).W(0).Params(strEmpty),
      R::Marked("parent EN_CHANGE \"1\"", 0),
  }));
  EXPECT_EQ(m_dlg.m_nParentUpdates, 0);
}

// A large random sample of texts, set by the owner or pasted at a random
// caret into a field that already holds a number: the field always ends with
// the longest prefix that passes; a free-text field keeps what it was given.
TEST_F(NumberFilterTest, FieldEndsWithTheLongestPassingPrefix) {
  const std::wstring alphabet[] = {L"0", L"1", L"5", L"9", L"0", L"7", L".", L".", L"+", L"-", L"e", L",",
                                   L" ", L"a", L"Z", L"/", L":", L"\u0660", L"\u0669", L"\u06F4", L"\uFF10",
                                   L"\uFF19", L"\uFF0E", L"\u00B2", L"\u2024", L"\U0001D7CE", L"\U0001F600",
                                   L"\xD800", L"\xDC00", std::wstring(1, L'\0')};
  std::mt19937 rng(20240611);
  auto randomText = [&](int nMaxPieces) {
    std::wstring text;
    const int nPieces = std::uniform_int_distribution<int>(0, nMaxPieces)(rng);
    for (int i = 0; i < nPieces; ++i) text += alphabet[rng() % std::size(alphabet)];
    return text;
  };
  CProbeColorEdit& filtered = m_dlg.m_edInput;
  CProbeColorEdit& free = m_dlg.m_edFree;
  free.m_bFreeText = TRUE;
  for (int nSample = 0; nSample < 1500; ++nSample) {
    const std::wstring text = randomText(10);
    filtered.SetWindowText(text.c_str());
    ASSERT_EQ(TextOf(filtered), LongestPassingPrefix(text)) << "set " << Printable(text.c_str());

    const std::wstring start = LongestPassingPrefix(randomText(6));
    filtered.SetWindowText(start.c_str());
    const int nCaret = static_cast<int>(rng() % (start.size() + 1));
    Paste(filtered, nCaret, text);
    const std::wstring written = start.substr(0, nCaret) + text.substr(0, text.find(L'\0')) + start.substr(nCaret);
    ASSERT_EQ(TextOf(filtered), LongestPassingPrefix(written))
        << "pasted " << Printable(text.c_str()) << " at " << nCaret << " into " << Printable(start.c_str());

    free.SetWindowText(text.c_str());
    ASSERT_EQ(TextOf(free), text.substr(0, text.find(L'\0'))) << Printable(text.c_str());
  }
}

}  // namespace
