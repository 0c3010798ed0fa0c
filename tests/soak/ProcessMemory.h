#pragma once
#include <cstddef>

// The memory this process holds privately, in bytes. Windows reports it as
// PrivateUsage (and, equally, as PagefileUsage). Wine 8 leaves PrivateUsage 0
// and reports in PagefileUsage the Linux process's resident anonymous memory
// (RssAnon of /proc/PID/status), which covers the heaps, the controls' text
// buffers and what Wine's own Unix side allocates for the windows; so that
// figure is taken. It moves in whole pages, when a heap's high-water mark
// rises.
size_t PrivateBytes();

// The bytes of all blocks in use in this process's heaps, the C runtime's
// among them: exact, and free of the heaps' high-water marks, so that a few
// bytes lost per operation show in a long run.
size_t HeapBytesInUse();
