#include "MessageRecorder.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

thread_local MessageRecorder* t_pActive = nullptr;

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"},           {WM_DESTROY, "WM_DESTROY"},
      {WM_SIZE, "WM_SIZE"},               {WM_SETTEXT, "WM_SETTEXT"},
      {WM_PAINT, "WM_PAINT"},             {WM_CLOSE, "WM_CLOSE"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"},   {WM_DRAWITEM, "WM_DRAWITEM"},
      {WM_NCDESTROY, "WM_NCDESTROY"},     {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_INITDIALOG, "WM_INITDIALOG"},   {WM_COMMAND, "WM_COMMAND"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"},   {WM_TIMER, "WM_TIMER"},
      {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
      {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"}, {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"},     {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_SETFOCUS, "WM_SETFOCUS"},       {WM_QUERYDRAGICON, "WM_QUERYDRAGICON"},
      {EM_SETSEL, "EM_SETSEL"},           {EM_SCROLLCARET, "EM_SCROLLCARET"},
      {EM_REPLACESEL, "EM_REPLACESEL"},   {BM_SETCHECK, "BM_SETCHECK"},
      {BM_GETCHECK, "BM_GETCHECK"},       {BM_SETSTATE, "BM_SETSTATE"},
      {BM_GETSTATE, "BM_GETSTATE"},       {WM_KEYUP, "WM_KEYUP"},
      {WM_MOUSELEAVE, "WM_MOUSELEAVE"},   {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
      {TTM_RELAYEVENT, "TTM_RELAYEVENT"}, {TTM_ACTIVATE, "TTM_ACTIVATE"},
  };
  auto it = names.find(message);
  if (it != names.end()) return it->second;
  if (message >= WM_APP) return "WM_APP+" + std::to_string(message - WM_APP);
  if (message >= WM_USER) return "WM_USER+" + std::to_string(message - WM_USER);
  return Hex(message);
}

// What a pointer parameter points at, read while the message is in progress.
std::string PointedAt(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
    case EM_REPLACESEL:
      return lParam != 0 ? '"' + Printable(reinterpret_cast<const wchar_t*>(lParam)) + '"' : "null";
    case TTM_RELAYEVENT: {
      const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
      char text[128];
      std::snprintf(text, sizeof text, "{hwnd %p msg 0x%x w %u l 0x%08x time %lu pt %ld,%ld}",
                    static_cast<void*>(pMsg->hwnd), pMsg->message, static_cast<unsigned>(pMsg->wParam),
                    static_cast<unsigned>(pMsg->lParam), pMsg->time, pMsg->pt.x, pMsg->pt.y);
      return text;
    }
    default: return {};
  }
}

const char* KindName(MessageRecorder::Kind kind) {
  switch (kind) {
    case MessageRecorder::Kind::Sent: return "sent";
    case MessageRecorder::Kind::Posted: return "posted";
    case MessageRecorder::Kind::Base: return "base";
    case MessageRecorder::Kind::Mark: return "mark";
  }
  return "?";
}

}  // namespace

std::string Printable(const wchar_t* text) {
  std::string out;
  for (; *text; ++text) {
    if (*text >= 0x20 && *text < 0x7F) {
      out += static_cast<char>(*text);
    } else {
      char buf[12];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(*text));
      out += buf;
    }
  }
  return out;
}

MessageRecorder::Expected MessageRecorder::Expected::W(WPARAM w) const {
  Expected copy = *this;
  copy.wParam = w;
  return copy;
}

MessageRecorder::Expected MessageRecorder::Expected::L(LPARAM l) const {
  Expected copy = *this;
  copy.lParam = l;
  return copy;
}

MessageRecorder::Expected MessageRecorder::Expected::Params(const std::string& text) const {
  Expected copy = *this;
  copy.params = text;
  return copy;
}

MessageRecorder::Expected MessageRecorder::Expected::Optional() const {
  Expected copy = *this;
  copy.optional = true;
  return copy;
}

MessageRecorder::Expected MessageRecorder::Sent(const std::string& window, UINT message, int depth) {
  return Expected{Kind::Sent, window, message, depth, {}, {}, {}, {}};
}

MessageRecorder::Expected MessageRecorder::Posted(const std::string& window, UINT message, int depth) {
  return Expected{Kind::Posted, window, message, depth, {}, {}, {}, {}};
}

MessageRecorder::Expected MessageRecorder::Base(const std::string& window, UINT message, int depth) {
  return Expected{Kind::Base, window, message, depth, {}, {}, {}, {}};
}

MessageRecorder::Expected MessageRecorder::Marked(const std::string& text, int depth) {
  return Expected{Kind::Mark, {}, 0, depth, text, {}, {}, {}};
}

MessageRecorder::MessageRecorder() : m_pPrevious(t_pActive) {
  t_pActive = this;
  DWORD thread = ::GetCurrentThreadId();
  m_hHookCall = ::SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHook, nullptr, thread);
  m_hHookRet = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &CallWndProcRetHook, nullptr, thread);
  m_hHookGet = ::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, thread);
}

MessageRecorder::~MessageRecorder() {
  ::UnhookWindowsHookEx(m_hHookGet);
  ::UnhookWindowsHookEx(m_hHookRet);
  ::UnhookWindowsHookEx(m_hHookCall);
  t_pActive = m_pPrevious;
}

void MessageRecorder::Watch(HWND hWnd, const std::string& name) { m_names[hWnd] = name; }

void MessageRecorder::Only(std::set<UINT> messages) { m_only = std::move(messages); }

void MessageRecorder::BaseResult(UINT message, LRESULT result) { m_baseResults[message] = result; }

void MessageRecorder::Clear() { m_entries.clear(); }

void MessageRecorder::Mark(const std::string& text) {
  if (t_pActive != nullptr) t_pActive->Add(Kind::Mark, nullptr, 0, 0, 0, text);
}

void MessageRecorder::Handled(const MSG& msg) {
  MessageRecorder* self = t_pActive;
  if (self == nullptr || self->m_open.empty()) return;
  const Frame& top = self->m_open.back();
  if (top.posted && top.hWnd == msg.hwnd && top.message == msg.message) self->m_open.pop_back();
}

bool MessageRecorder::Records(HWND hWnd, UINT message) const {
  return m_names.count(hWnd) != 0 && (!m_only || m_only->count(message) != 0);
}

int MessageRecorder::CurrentDepth() const { return std::max(0, static_cast<int>(m_open.size()) - 1); }

void MessageRecorder::Add(Kind kind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, std::string text) {
  const bool arrives = kind == Kind::Sent || kind == Kind::Posted;
  const int depth = arrives ? static_cast<int>(m_open.size()) : CurrentDepth();
  m_entries.push_back(Entry{kind, hWnd, message, wParam, lParam, depth, std::move(text)});
}

// A message to a watched window is recorded if chosen, and is in progress
// from now on either way, so that what it causes nests under it.
void MessageRecorder::AddMessage(Kind kind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Records(hWnd, message)) Add(kind, hWnd, message, wParam, lParam, PointedAt(message, lParam));
  m_open.push_back(Frame{hWnd, message, kind == Kind::Posted});
}

// A loop takes a message only once it has handled the one it took before.
void MessageRecorder::EndPosted() {
  while (!m_open.empty() && m_open.back().posted) m_open.pop_back();
}

LRESULT CALLBACK MessageRecorder::CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* self = t_pActive;
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && self != nullptr && self->m_names.count(call->hwnd) != 0)
    self->AddMessage(Kind::Sent, call->hwnd, call->message, call->wParam, call->lParam);
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageRecorder::CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* self = t_pActive;
  const auto* ret = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && self != nullptr) {
    // Close the innermost frame of this message; a window watched only while
    // its message was in progress has none.
    auto& open = self->m_open;
    auto it = std::find_if(open.rbegin(), open.rend(), [ret](const Frame& frame) {
      return !frame.posted && frame.hWnd == ret->hwnd && frame.message == ret->message;
    });
    if (it != open.rend()) open.erase(std::next(it).base(), open.end());
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageRecorder::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* self = t_pActive;
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && self != nullptr) {
    self->EndPosted();
    if (self->m_names.count(msg->hwnd) != 0)
      self->AddMessage(Kind::Posted, msg->hwnd, msg->message, msg->wParam, msg->lParam);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageRecorder::BaseProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* self = t_pActive;
  if (self == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  if (self->Records(hWnd, message)) self->Add(Kind::Base, hWnd, message, wParam, lParam);
  auto it = self->m_baseResults.find(message);
  if (it != self->m_baseResults.end()) return it->second;
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LPCWSTR MessageRecorder::BaseClassName() {
  static const LPCWSTR name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &BaseProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"MessageRecorderBase";
    ::RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

HWND MessageRecorder::CreateBaseWindow(HWND hWndParent, DWORD dwStyle, UINT nID) {
  HMENU menuOrId = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
  return ::CreateWindowExW(0, BaseClassName(), L"", dwStyle, 0, 0, 200, 100, hWndParent, menuOrId,
                           ::GetModuleHandleW(nullptr), nullptr);
}

bool MessageRecorder::Fits(const Expected& expected, const Entry& actual) const {
  if (expected.kind != actual.kind || expected.depth != actual.depth) return false;
  if (expected.kind == Kind::Mark) return expected.text == actual.text;
  auto name = m_names.find(actual.hWnd);
  return expected.message == actual.message && name != m_names.end() && name->second == expected.window &&
         (!expected.wParam || *expected.wParam == actual.wParam) &&
         (!expected.lParam || *expected.lParam == actual.lParam) &&
         (!expected.params || *expected.params == actual.text);
}

std::string MessageRecorder::Describe(const Entry& entry) const {
  std::ostringstream out;
  out << KindName(entry.kind) << " d" << entry.depth << ' ';
  if (entry.kind == Kind::Mark) {
    out << '"' << entry.text << '"';
    return out.str();
  }
  auto name = m_names.find(entry.hWnd);
  out << (name != m_names.end() ? name->second : Hex(reinterpret_cast<UINT_PTR>(entry.hWnd))) << ' '
      << MessageName(entry.message) << " w=" << Hex(entry.wParam)
      << " l=" << Hex(static_cast<unsigned long long>(static_cast<ULONG_PTR>(entry.lParam)));
  if (!entry.text.empty()) out << ' ' << entry.text;
  return out.str();
}

std::string MessageRecorder::Describe(const Expected& expected) {
  std::ostringstream out;
  out << (expected.optional ? "(opt) " : "") << KindName(expected.kind) << " d" << expected.depth << ' ';
  if (expected.kind == Kind::Mark) {
    out << '"' << expected.text << '"';
    return out.str();
  }
  out << expected.window << ' ' << MessageName(expected.message);
  if (expected.wParam) out << " w=" << Hex(*expected.wParam);
  if (expected.lParam) out << " l=" << Hex(static_cast<unsigned long long>(static_cast<ULONG_PTR>(*expected.lParam)));
  if (expected.params) out << ' ' << *expected.params;
  return out.str();
}

::testing::AssertionResult MessageRecorder::Matches(const Sequence& expected) const {
  size_t i = 0;
  size_t j = 0;
  while (i < expected.size()) {
    if (j < m_entries.size() && Fits(expected[i], m_entries[j])) {
      ++i;
      ++j;
    } else if (expected[i].optional) {
      ++i;
    } else {
      break;
    }
  }
  if (i == expected.size() && j == m_entries.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "message sequence differs\n" << SideBySide(expected, i);
}

// Rows that matched are paired; from the first difference on, the rest of
// both sequences are listed next to each other.
std::string MessageRecorder::SideBySide(const Sequence& expected, size_t failedRow) const {
  std::vector<std::pair<std::string, std::string>> rows;
  size_t i = 0;
  size_t j = 0;
  while (i < failedRow) {
    if (j < m_entries.size() && Fits(expected[i], m_entries[j])) {
      rows.emplace_back(Describe(expected[i++]), Describe(m_entries[j++]));
    } else {
      rows.emplace_back(Describe(expected[i++]), "(absent)");
    }
  }
  size_t firstDifference = rows.size();
  while (i < expected.size() || j < m_entries.size()) {
    std::string left = i < expected.size() ? Describe(expected[i++]) : "";
    std::string right = j < m_entries.size() ? Describe(m_entries[j++]) : "";
    rows.emplace_back(left, right);
  }
  size_t width = 8;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::ostringstream out;
  out << "  " << std::string("expected").append(width - 8, ' ') << " | actual\n";
  for (size_t r = 0; r < rows.size(); ++r) {
    out << (r == firstDifference ? "> " : "  ") << rows[r].first << std::string(width - rows[r].first.size(), ' ')
        << " | " << rows[r].second << '\n';
  }
  return out.str();
}

MessageRecorder::Sequence operator+(MessageRecorder::Sequence head, const MessageRecorder::Sequence& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}
