#pragma once
#include "CliCommand.h"

#include <optional>
#include <string>

class DocumentIo;

// `cost FILE`: the pipes' construction cost and the running pumps' hourly cost, as the program's
// report prints them.
class CostCommand : public CliCommand {
public:
    explicit CostCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "cost"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

    // Seconds since 1970 of midnight UTC of a "YYYY-MM-DD" date; false when it is no such date.
    static bool ParseDate(const std::string& text, long long& seconds);

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::optional<double> m_a, m_b, m_alpha, m_price;
    std::string m_since;
};
