#include "PreTranslateHook.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

struct HookDeleter {
  void operator()(HHOOK hHook) const { ::UnhookWindowsHookEx(hHook); }
};
using HookHandle = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookDeleter>;

// One hook per thread serves every live object on it: a hook of its own per
// object could not tell which object it was installed for.
struct ThreadHooks {
  HookHandle hHook;
  std::vector<const PreTranslateHook*> owners;
};
thread_local ThreadHooks t_hooks;

}  // namespace

PreTranslateHook::PreTranslateHook(HWND hDialog, Handler handler)
    : m_hDialog(hDialog), m_handler(std::move(handler)) {
  if (t_hooks.owners.empty())
    t_hooks.hHook.reset(::SetWindowsHookExW(WH_MSGFILTER, FilterProc, nullptr, ::GetCurrentThreadId()));
  t_hooks.owners.push_back(this);
}

PreTranslateHook::~PreTranslateHook() {
  std::erase(t_hooks.owners, this);
  if (t_hooks.owners.empty()) t_hooks.hHook.reset();
}

LRESULT CALLBACK PreTranslateHook::FilterProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == MSGF_DIALOGBOX) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    // A message belongs to one dialog at most, and its handler may end that
    // dialog and so its object: the search stops there.
    auto owner = std::ranges::find_if(t_hooks.owners, [&](const PreTranslateHook* p) { return p->Owns(msg.hwnd); });
    if (owner != t_hooks.owners.end() && (*owner)->Offer(msg)) return TRUE;
  }
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

bool PreTranslateHook::Owns(HWND hWnd) const { return hWnd == m_hDialog || ::IsChild(m_hDialog, hWnd); }

// Nothing may unwind through the platform's loop. The dialog's handlers report
// their own failures; anything else leaves the message to the dialog as if
// this hook had not looked.
bool PreTranslateHook::Offer(const MSG& msg) const {
  try {
    return m_handler(msg);
  } catch (...) {
    return false;
  }
}
