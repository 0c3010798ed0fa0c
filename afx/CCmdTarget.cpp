#include "CCmdTarget.h"

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID) {
  for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e) {
      if (e->nMessage == nMessage && e->nCode == nCode && e->nID <= nID && nID <= e->nLastID)
        return e;
    }
  }
  return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

bool CCmdTarget::DispatchToEntry(UINT nMessage, UINT nCode, UINT nID, AFX_MSG& msg) {
  const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), nMessage, nCode, nID);
  return entry != nullptr && entry->pfn(this, msg);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) {
  AFX_MSG msg{WM_COMMAND, MAKEWPARAM(nID, nCode), 0, 0};
  return DispatchToEntry(WM_COMMAND, static_cast<UINT>(nCode), nID, msg);
}
