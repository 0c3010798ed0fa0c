#include "ProcessMemory.h"

#include <windows.h>

#include <vector>

size_t PrivateBytes() {
  size_t committed = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* address = nullptr;
  while (::VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
    address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
  }
  return committed;
}

size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 8);
  heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  size_t inUse = 0;
  for (HANDLE heap : heaps) {
    ::HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (::HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) inUse += entry.cbData;
    ::HeapUnlock(heap);
  }
  return inUse;
}
