#pragma once

// The best of a few runs of a benchmark case.

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>

// The fastest of repeats runs, in milliseconds. Each run ends with the
// events it posted delivered, as they would be once the window is idle
// again; tidying up after a run is not timed.
inline double bestOf(int repeats, const std::function<void()> &run,
                     const std::function<void()> &tidy = {})
{
    double fastest = 1e300;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        QCoreApplication::sendPostedEvents();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
        if (tidy)
            tidy();
    }
    return fastest;
}
