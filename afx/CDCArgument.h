#pragma once
#include "CDC.h"

// The device context a message hands its handler, wrapped for that call
// only and, like a wrapper from FromHandle, tracking nothing. Painting then
// leaves no wrappers behind that wait for the thread to be back in its loop,
// which would keep a hook on every message the thread takes.
class CDCArgument : public CDC {
 public:
  explicit CDCArgument(HDC hDC) { AttachUntracked(hDC); }
  CDC* Get() { return this; }
};
