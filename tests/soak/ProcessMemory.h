#pragma once
#include <cstddef>

// The memory this process has committed for itself, in bytes: what Windows
// counts as its private bytes, summed here over the address space as
// VirtualQuery reports it. Wine's own figure (GetProcessMemoryInfo) is the
// Linux process's resident anonymous memory, and where an emulator runs Wine
// that includes the emulator's translations of code that runs for the first
// time, which grow with no allocation of the program's. Committed memory
// moves only when the program's heaps and buffers do.
size_t PrivateBytes();

// The bytes of all blocks in use in this process's heaps, the C runtime's
// among them: exact, and free of the heaps' high-water marks, so that a few
// bytes lost per operation show in a long run.
size_t HeapBytesInUse();
