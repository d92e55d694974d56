#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `export-inp FILE OUT.inp`: writes a QEN network as an EPANET input file in SI units and prints
// what could not be written exactly.
class ExportInpCommand : public CliCommand {
public:
    explicit ExportInpCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "export-inp"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_in; }

private:
    const DocumentIo& m_io;
    std::string m_in;
    std::string m_out;
};
