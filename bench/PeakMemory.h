#pragma once

#include <sys/resource.h>

// The most memory the process has held so far, in KiB.
inline long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
