#pragma once
// Run-time class information: a class's name and its base, enough to tell what
// a window object is.
class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;

  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static const CRuntimeClass* GetThisClass();       \
  const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                   \
  const CRuntimeClass* class_name::GetThisClass() {                                      \
    static const CRuntimeClass info{#class_name, RUNTIME_CLASS(base_class_name)};        \
    return &info;                                                                        \
  }                                                                                      \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return GetThisClass(); }
