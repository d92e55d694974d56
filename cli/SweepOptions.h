#pragma once
#include "CtrlC.h"
#include "model/ProgressObserver.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

// What fireflow and criticality share: the CSV path, the worker count and the part of the
// items a run takes (--part K/N: the K-th of N runs of consecutive items, so that the parts'
// CSV files, header in part 1 only, concatenate in order to the whole run's), the progress on a
// terminal with Ctrl-C as stop, and how numbers are written.
class SweepOptions {
public:
    void Register(CLI::App* sub);
    // Checks --part; false (and said why on stderr, naming the command) when it is not K/N with
    // 1 <= K <= N.
    bool ParsePart(const std::string& command);
    // The items of this part, in order.
    std::vector<int> Slice(const std::vector<int>& all) const;
    bool FirstPart() const { return m_part == 1; }
    int Jobs() const { return m_jobs; }
    const std::string& Csv() const { return m_csv; }
    std::string PartText() const;

    // Shortest text that reads back to the same double, independent of the locale.
    static std::string Number(double v);

    // Progress bar on stderr when it is a terminal; Ctrl-C while it is installed asks for a stop.
    class Terminal : public ProgressObserver {
    public:
        Terminal();
        void Progress(double fraction) override;
        bool StopRequested() const override;

    private:
        bool m_show;
        int m_lastFilled = -1;
        CtrlC m_ctrlC;
    };

private:
    std::string m_csv;
    std::string m_partText;
    int m_jobs = 0;
    int m_part = 1, m_parts = 1;
};
