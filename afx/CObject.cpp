#include "CObject.h"

const CRuntimeClass* CObject::GetThisClass() {
  static const CRuntimeClass info{"CObject", nullptr};
  return &info;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }
