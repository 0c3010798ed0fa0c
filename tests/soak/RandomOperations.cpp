#include "RandomOperations.h"

#include <string_view>
#include <vector>

#include "DialogState.h"
#include "MessagePump.h"

namespace {

// Keys that are neither digits nor editing keys; the input fields must keep
// every one of them out, typed or pasted.
constexpr std::wstring_view kOtherCharacters = L"abcxyzABCXYZ.,-+ e\u00E9\u00B2\u0663\uFF17";
constexpr wchar_t kCtrlZ = 0x1A;

// Pasted texts beyond plain, signed, lettered and long digit strings.
const wchar_t* const kDottedTexts[] = {L"12.5", L".5", L"1.2.3", L".", L"..", L"3.", L"0.7", L"4..2"};
const wchar_t* const kOddTexts[] = {L" 12", L"1e3", L"\uFF11\uFF12", L"0", L"000", L"12 34", L"\u0663\u0664", L"7\t"};

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  if (narrow.size() > 40) narrow = narrow.substr(0, 18) + "..." + narrow.substr(narrow.size() - 18);
  return narrow;
}

}  // namespace

RandomOperations::RandomOperations(HWND dialog, unsigned seed) : m_hDialog(dialog), m_random(seed) {}

void RandomOperations::ShowEveryKindOfText() {
  std::vector<std::wstring> texts = {std::wstring(kOtherCharacters), Digits(80), L"1234567890"};
  texts.insert(texts.end(), std::begin(kDottedTexts), std::end(kDottedTexts));
  texts.insert(texts.end(), std::begin(kOddTexts), std::end(kOddTexts));
  for (int id : {IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT}) {
    for (const std::wstring& text : texts) {
      ::SetDlgItemTextW(m_hDialog, id, text.c_str());
      ::RedrawWindow(m_hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  }
}

std::string RandomOperations::ApplyOne() {
  const int pick = Uniform(0, 99);
  if (pick < 45) return TypeCharacter();
  if (pick < 60) return Paste();
  if (pick < 64) return ClearField();
  if (pick < 76) return ClickFrameStep();
  if (pick < 96) return Repaint();
  return PumpQueue();
}

int RandomOperations::Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

HWND RandomOperations::RandomInput(std::string& name) {
  const bool width = Uniform(0, 1) == 0;
  name = width ? "width" : "height";
  return ::GetDlgItem(m_hDialog, width ? IDC_EDIT_WIDTH : IDC_EDIT_HEIGHT);
}

// Mostly a bare caret, sometimes a range that the next key or paste replaces.
std::string RandomOperations::SelectRandomly(HWND edit) {
  const int length = ::GetWindowTextLengthW(edit);
  int start = Uniform(0, length);
  int end = Uniform(0, 2) == 0 ? Uniform(0, length) : start;
  ::SendMessageW(edit, EM_SETSEL, start, end);
  if (start > end) std::swap(start, end);
  return "[" + std::to_string(start) + "," + std::to_string(end) + ") of " + std::to_string(length);
}

std::string RandomOperations::TypeCharacter() {
  std::string name;
  HWND edit = RandomInput(name);
  const std::string where = SelectRandomly(edit);
  const int kind = Uniform(0, 99);
  wchar_t key;
  std::string shown;
  if (kind < 55) {
    key = static_cast<wchar_t>(L'0' + Uniform(0, 9));
    shown = std::string(1, static_cast<char>(key));
  } else if (kind < 77) {
    key = VK_BACK;
    shown = "Backspace";
  } else if (kind < 80) {
    key = kCtrlZ;
    shown = "Ctrl+Z";
  } else {
    key = kOtherCharacters[Uniform(0, static_cast<int>(kOtherCharacters.size()) - 1)];
    shown = "U+" + std::to_string(static_cast<int>(key));
  }
  ::SendMessageW(edit, WM_CHAR, key, 1);
  return "type " + shown + " into " + name + " at " + where;
}

std::wstring RandomOperations::Digits(int count) {
  std::wstring digits;
  for (int i = 0; i < count; ++i) digits += static_cast<wchar_t>(L'0' + Uniform(0, 9));
  return digits;
}

std::wstring RandomOperations::RandomPasteText() {
  const int kind = Uniform(0, 99);
  if (kind < 35) return Digits(Uniform(1, 6));
  if (kind < 50) {
    std::wstring text = Digits(Uniform(1, 6));
    text.insert(static_cast<size_t>(Uniform(0, static_cast<int>(text.size()))), 1,
                static_cast<wchar_t>(L'a' + Uniform(0, 25)));
    return text;
  }
  if (kind < 60) return (Uniform(0, 1) == 0 ? L"-" : L"+") + Digits(Uniform(1, 4));
  if (kind < 75) return Pick(kDottedTexts);
  if (kind < 85) return Digits(Uniform(15, 80));
  if (kind < 90) return L"";
  return Pick(kOddTexts);
}

std::string RandomOperations::Paste() {
  std::string name;
  HWND edit = RandomInput(name);
  std::string where = "all";
  if (Uniform(0, 1) == 0)
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
  else
    where = SelectRandomly(edit);
  const std::wstring text = RandomPasteText();
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  return "paste '" + Narrow(text) + "' into " + name + " over " + where;
}

std::string RandomOperations::ClearField() {
  std::string name;
  HWND edit = RandomInput(name);
  if (Uniform(0, 1) == 0) {
    ::SetWindowTextW(edit, L"");
    return "set the " + name + " text empty";
  }
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CLEAR, 0, 0);
  return "select all of " + name + " and clear it";
}

std::string RandomOperations::ClickFrameStep() {
  const int id = IDC_CHECK_MODE0 + Uniform(0, 3);
  ::SendMessageW(::GetDlgItem(m_hDialog, id), BM_CLICK, 0, 0);
  return "click box " + std::to_string(id);
}

std::string RandomOperations::Repaint() {
  if (Uniform(0, 4) < 2) {
    ::RedrawWindow(m_hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    ::UpdateWindow(m_hDialog);
    return "repaint the window";
  }
  const int id = Pick(kCalculatorFieldIds);
  HWND field = ::GetDlgItem(m_hDialog, id);
  ::RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  ::UpdateWindow(field);
  return "repaint field " + std::to_string(id);
}

std::string RandomOperations::PumpQueue() {
  PumpMessages();
  return "pump the queue";
}
