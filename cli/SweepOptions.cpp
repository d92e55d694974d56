#include "SweepOptions.h"

#include "NumberOptions.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <atomic>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <iostream>

namespace {
bool ReadWhole(std::string_view text, long long& v)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}
}   // namespace

void SweepOptions::Register(CLI::App* sub)
{
    sub->add_option("--csv", m_csv, "Write the results to this CSV file (UTF-8, base units)");
    NumberOptions::AddInt(sub, "--jobs", m_jobs, 1, 4096, "Worker threads (default: every core)");
    sub->add_option("--part", m_partText,
                    "K/N: only the K-th of N consecutive slices of the items; the CSV files of parts 1..N "
                    "concatenate to the whole run's");
}

bool SweepOptions::ParsePart(const std::string& command)
{
    if (m_partText.empty())
        return true;
    const size_t slash = m_partText.find('/');
    long long k = 0, n = 0;
    if (slash == std::string::npos || !ReadWhole(std::string_view(m_partText).substr(0, slash), k) ||
        !ReadWhole(std::string_view(m_partText).substr(slash + 1), n) || n < 1 || n > 1000000 || k < 1 || k > n) {
        std::cerr << "qen-cli " << command << ": --part wants K/N with whole numbers 1 <= K <= N <= 1000000, not \""
                  << m_partText << "\"\n";
        return false;
    }
    m_part = static_cast<int>(k);
    m_parts = static_cast<int>(n);
    return true;
}

std::vector<int> SweepOptions::Slice(const std::vector<int>& all) const
{
    const long long total = static_cast<long long>(all.size());
    const auto begin = static_cast<size_t>(total * (m_part - 1) / m_parts);
    const auto end = static_cast<size_t>(total * m_part / m_parts);
    return std::vector<int>(all.begin() + static_cast<std::ptrdiff_t>(begin),
                            all.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string SweepOptions::PartText() const
{
    return std::to_string(m_part) + "/" + std::to_string(m_parts);
}

std::string SweepOptions::Number(double v)
{
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

SweepOptions::Terminal::Terminal() : m_show(isatty(STDERR_FILENO) == 1) {}

void SweepOptions::Terminal::Progress(double fraction)
{
    if (!m_show)
        return;
    const int filled = static_cast<int>(fraction * 40.0);
    if (filled == m_lastFilled)
        return;
    m_lastFilled = filled;
    std::fprintf(stderr, "\r[%s%s] %d%%", std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(40 - filled), ' ').c_str(), static_cast<int>(fraction * 100.0));
    if (fraction >= 1.0)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

bool SweepOptions::Terminal::StopRequested() const
{
    return CtrlC::Pressed();
}
