#pragma once

#include <sys/resource.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// The most memory the process has held so far, in KiB.
inline long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The bytes the heap holds for the process now (what was allocated and not
// yet freed, allocator overhead included); -1 where the C library cannot
// tell.
inline long long heapInUseBytes()
{
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}
