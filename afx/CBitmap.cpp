#include "CBitmap.h"

#include "AfxGlobals.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  return Attach(::LoadBitmapW(AfxFindResourceHandle(name, RT_BITMAP), name));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}
