#include "MessageLog.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

#include "CxSkinButton.h"

namespace skintest {

namespace {

CMessageLog* g_pActive = nullptr;

}  // namespace

std::string Printable(const wchar_t* text) {
  std::string out;
  for (; *text; ++text) {
    if (*text >= 0x20 && *text < 0x7F) {
      out += static_cast<char>(*text);
    } else {
      char buf[12];
      snprintf(buf, sizeof(buf), "\\u%04X", static_cast<unsigned>(*text));
      out += buf;
    }
  }
  return out;
}

namespace {

std::string NotificationName(UINT code) {
  switch (code) {
    case EN_UPDATE: return "EN_UPDATE";
    case EN_CHANGE: return "EN_CHANGE";
    case BN_CLICKED: return "BN_CLICKED";
    case BN_DOUBLECLICKED: return "BN_DOUBLECLICKED";
    default: return std::to_string(code);
  }
}

std::string Point(LPARAM lParam) {
  return std::to_string(static_cast<short>(LOWORD(lParam))) + "," + std::to_string(static_cast<short>(HIWORD(lParam)));
}

}  // namespace

std::string DescribeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const std::string w = std::to_string(wParam);
  switch (message) {
    case WM_SETTEXT: return "WM_SETTEXT \"" + Printable(reinterpret_cast<const wchar_t*>(lParam)) + "\"";
    case EM_SETSEL: return "EM_SETSEL " + w + " " + std::to_string(lParam);
    case EM_SCROLLCARET: return "EM_SCROLLCARET";
    case EM_REPLACESEL: return "EM_REPLACESEL " + w + " \"" + Printable(reinterpret_cast<const wchar_t*>(lParam)) + "\"";
    case WM_COMMAND: return "WM_COMMAND " + NotificationName(HIWORD(wParam)) + " " + std::to_string(LOWORD(wParam));
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN " + w + " " + Point(lParam);
    case WM_LBUTTONUP: return "WM_LBUTTONUP " + w + " " + Point(lParam);
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK " + w + " " + Point(lParam);
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE " + w + " " + Point(lParam);
    case WM_MOUSELEAVE: return "WM_MOUSELEAVE";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KEYDOWN: return "WM_KEYDOWN " + w;
    case WM_KEYUP: return "WM_KEYUP " + w;
    case WM_CAPTURECHANGED: return "WM_CAPTURECHANGED";
    case BM_SETCHECK: return "BM_SETCHECK " + w;
    case BM_GETCHECK: return "BM_GETCHECK";
    case BM_SETSTATE: return "BM_SETSTATE " + w;
    case BM_GETSTATE: return "BM_GETSTATE";
    case WM_SKINBUTTON_UNCHECK: return "WM_SKINBUTTON_UNCHECK " + w + " " + std::to_string(lParam);
    case WM_NCLBUTTONDOWN: return "WM_NCLBUTTONDOWN " + w + " " + Point(lParam);
    case TTM_RELAYEVENT: {
      const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
      char text[128];
      snprintf(text, sizeof(text), "TTM_RELAYEVENT {hwnd %p msg 0x%x w %u l 0x%08x time %lu pt %ld,%ld}",
               static_cast<void*>(pMsg->hwnd), pMsg->message, static_cast<unsigned>(pMsg->wParam),
               static_cast<unsigned>(pMsg->lParam), pMsg->time, pMsg->pt.x, pMsg->pt.y);
      return text;
    }
    case TTM_ACTIVATE: return "TTM_ACTIVATE " + w;
    default: {
      std::ostringstream out;
      out << "message 0x" << std::hex << message << " " << std::dec << wParam << " " << lParam;
      return out.str();
    }
  }
}

CMessageLog::CMessageLog() { g_pActive = this; }

CMessageLog::~CMessageLog() {
  while (!m_watched.empty()) Release(m_watched.back().hWnd);
  if (g_pActive == this) g_pActive = nullptr;
}

CMessageLog* CMessageLog::Active() { return g_pActive; }

void CMessageLog::Watch(HWND hWnd, const std::string& strName, std::initializer_list<UINT> messages) {
  auto previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CMessageLog::LogProc)));
  m_watched.push_back({hWnd, strName, messages, previous});
}

void CMessageLog::Release(HWND hWnd) {
  auto it = std::find_if(m_watched.begin(), m_watched.end(), [&](const Watched& w) { return w.hWnd == hWnd; });
  if (it == m_watched.end()) return;
  if (::IsWindow(hWnd)) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->pfnPrevious));
  m_watched.erase(it);
}

void CMessageLog::Note(const std::string& strText) { m_entries.push_back({m_nDepth, strText}); }

LRESULT CALLBACK CMessageLog::LogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CMessageLog* self = g_pActive;
  auto it = std::find_if(self->m_watched.begin(), self->m_watched.end(),
                         [&](const Watched& w) { return w.hWnd == hWnd; });
  // Copied: a nested message may add to the list while this one is handled.
  const Watched watched = *it;
  ++self->m_nDepth;
  if (std::find(watched.messages.begin(), watched.messages.end(), message) != watched.messages.end())
    self->m_entries.push_back({self->m_nDepth, watched.strName + " " + DescribeMessage(message, wParam, lParam)});
  LRESULT result = ::CallWindowProcW(watched.pfnPrevious, hWnd, message, wParam, lParam);
  --self->m_nDepth;
  return result;
}

testing::AssertionResult SequenceIs(const std::vector<LogEntry>& actual, const std::vector<LogEntry>& expected) {
  if (actual == expected) return testing::AssertionSuccess();
  std::ostringstream out;
  out << "message sequence differs\n";
  const size_t n = std::max(actual.size(), expected.size());
  for (size_t i = 0; i < n; ++i) {
    auto show = [](const std::vector<LogEntry>& v, size_t k) {
      if (k >= v.size()) return std::string("-");
      return std::string(static_cast<size_t>(v[k].nDepth) * 2, ' ') + v[k].strText;
    };
    const bool same = i < actual.size() && i < expected.size() && actual[i] == expected[i];
    out << (same ? "   " : "!! ") << "expected: " << show(expected, i) << "\n      actual:   " << show(actual, i)
        << "\n";
  }
  return testing::AssertionFailure() << out.str();
}

}  // namespace skintest
