#pragma once
#include "CliCommand.h"

#include <optional>
#include <string>

class DocumentIo;
class ZDocument;
class ZSimulation;

// `simulate FILE`: an extended-period simulation over the file's time data (an EPANET file is
// imported on the fly, its report on standard error); prints a summary and optionally writes the
// results at every report time as CSV. Exit statuses as `balance`.
class SimulateCommand : public CliCommand {
public:
    explicit SimulateCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "simulate"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    void Load(ZDocument& doc) const;
    void PrintSummary(const ZDocument& doc, const ZSimulation& sim) const;
    void WriteNodesCsv(const ZDocument& doc, const ZSimulation& sim) const;
    void WriteLinksCsv(const ZDocument& doc, const ZSimulation& sim) const;

    const DocumentIo& m_io;
    std::string m_file;
    std::optional<double> m_duration, m_hydraulicStep, m_reportStep;
    std::string m_nodesCsv, m_linksCsv;
    bool m_energy = false;
};
