#pragma once
#include <functional>

class ProgressObserver;

// Runs the items of a sweep on worker threads. Each worker first makes its own state (`start`,
// given its number), then takes items in order from a shared counter until none are left or a
// stop is asked. The calling thread alone talks to the observer: it reports the share of items
// done and passes a stop request on. An exception in a worker stops the others and is thrown
// again here.
class ZSweepPool {
public:
    // Every core the machine offers, at least one.
    static int DefaultJobs();

    // False when stopped before every item was done. `jobs` below 1 means DefaultJobs; never more
    // workers than items.
    static bool Run(int items, int jobs, const std::function<void(int worker)>& start,
                    const std::function<void(int worker, int item)>& work, ProgressObserver* observer);
};
