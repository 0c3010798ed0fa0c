#include "GdiObjects.h"

#include <windows.h>

int CountGdiObjects() {
  const int nCount = static_cast<int>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
  if (nCount > 0) return nCount;
  // Wine answers 0 above. A Wine handle carries its table index in the low 16
  // bits and a reuse counter in the high ones, and a handle given without the
  // high bits is taken for whatever object holds that index; so asking
  // GetObjectType about every index finds each live object exactly once.
  int nLive = 0;
  for (ULONG_PTR nIndex = 1; nIndex < 0x10000; ++nIndex)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(nIndex)) != 0) ++nLive;
  return nLive;
}
