#include "CDC.h"

#include "AfxThreadState.h"

namespace {

int SlotOf(HGDIOBJ hObject) {
  switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return 0;
    case OBJ_BRUSH: return 1;
    case OBJ_FONT: return 2;
    case OBJ_BITMAP: return 3;
    default: return -1;
  }
}

}  // namespace

CDC::~CDC() {
  if (m_bOwned) DeleteDC();
  else Detach();
}

CDC* CDC::FromHandle(HDC hDC) {
  if (hDC == nullptr) return nullptr;
  auto& dc = AfxGetThreadState().temporaryDCs[hDC];
  if (!dc) {
    dc = std::make_unique<CDC>();
    dc->AttachUntracked(hDC);
    AfxGetThreadState().KeepUntilIdle();
  }
  return dc.get();
}

void CDC::AttachUntracked(HDC hDC) {
  Attach(hDC);
  m_bTemporary = true;
}

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr || m_hDC != nullptr) return FALSE;
  m_hDC = hDC;
  m_bOwned = false;
  return TRUE;
}

HDC CDC::Detach() {
  RestoreSelections();
  HDC hDC = m_hDC;
  m_hDC = nullptr;
  m_bOwned = false;
  return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  if (m_hDC != nullptr) return FALSE;
  m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
  m_bOwned = m_hDC != nullptr;
  return m_bOwned;
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  RestoreSelections();
  BOOL deleted = ::DeleteDC(m_hDC);
  m_hDC = nullptr;
  m_bOwned = false;
  return deleted;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  HGDIOBJ previous = ::SelectObject(m_hDC, hObject);
  int slot = SlotOf(hObject);
  if (!m_bTemporary && previous != nullptr && slot >= 0 && m_hOriginal[slot] == nullptr) m_hOriginal[slot] = previous;
  return previous;
}

void CDC::RestoreSelections() {
  for (HGDIOBJ& original : m_hOriginal) {
    if (original != nullptr && m_hDC != nullptr) ::SelectObject(m_hDC, original);
    original = nullptr;
  }
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
  return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                      nSrcWidth, nSrcHeight, dwRop);
}
