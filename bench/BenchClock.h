#pragma once
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

// Wall time, processor time and peak memory of this process, as the benchmarks report them.
class BenchClock {
public:
    static double Seconds(std::chrono::steady_clock::time_point since)
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
    }

    // On a busy machine the wall time says little; processor time still does.
    static double CpuSeconds()
    {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
               static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
    }

    // VmHWM of /proc/self/status in kB, or -1 where it cannot be read.
    static long PeakRssKb()
    {
        std::ifstream in("/proc/self/status");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("VmHWM:", 0) == 0)
                return std::atol(line.c_str() + 6);
        return -1;
    }
};
