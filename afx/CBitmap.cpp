#include "CBitmap.h"

#include "AfxGlobals.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  return !m_hObject && Attach(::LoadBitmapW(AfxFindResourceHandle(name, RT_BITMAP), name));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight) {
  return !m_hObject && Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}
