#include "ZSweepPool.h"

#include "model/ProgressObserver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

int ZSweepPool::DefaultJobs()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool ZSweepPool::Run(int items, int jobs, const std::function<void(int)>& start,
                     const std::function<void(int, int)>& work, ProgressObserver* observer)
{
    if (items <= 0) {
        if (observer)
            observer->Progress(1.0);
        return true;
    }
    const int workers = std::min(items, jobs < 1 ? DefaultJobs() : jobs);
    std::atomic<int> next{0}, done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable wake;
    int finished = 0;
    std::exception_ptr failure;

    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(workers));
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            try {
                start(w);
                for (int i; !stop && (i = next++) < items;) {
                    work(w, i);
                    ++done;
                }
            } catch (...) {
                std::lock_guard<std::mutex> lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
            std::lock_guard<std::mutex> lock(mutex);
            ++finished;
            wake.notify_one();
        });
    }
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (finished < workers) {
            wake.wait_for(lock, std::chrono::milliseconds(100));
            lock.unlock();
            if (observer) {
                observer->Progress(std::min(0.99, static_cast<double>(done) / items));
                if (observer->StopRequested())
                    stop = true;
            }
            lock.lock();
        }
    }
    for (std::thread& t : threads)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
    const bool complete = done == items;
    if (observer && complete)
        observer->Progress(1.0);
    return complete;
}
