#include "SaveAsName.h"

#include <dlgs.h>

HWND SaveAsName(HWND saveAs) {
  HWND combo = ::GetDlgItem(saveAs, cmb13);
  return combo != nullptr && ::IsWindowVisible(combo) ? combo : ::GetDlgItem(saveAs, edt1);
}
