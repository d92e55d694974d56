#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `import-inp NET.inp OUT [--hour H]`: reads an EPANET input file with the demands of hour H,
// writes it as a QEN project or text file (the output's name picks the kind) with the identifier
// map beside it as OUT's name with .idmap.csv, and prints what was approximated or dropped.
class ImportInpCommand : public CliCommand {
public:
    explicit ImportInpCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "import-inp"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_in; }

private:
    const DocumentIo& m_io;
    std::string m_in;
    std::string m_out;
    double m_hour = 0.0;
};
