#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `allocate FILE --total Q --save OUT`: spreads a total water use over the nodes by supplying pipe
// length (replacing every node demand) and saves the result.
class AllocateCommand : public CliCommand {
public:
    enum { ExitNoSupplyingPipe = 3 };

    explicit AllocateCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "allocate"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::string m_totalText;
    std::string m_unit = "l/s";
    std::string m_save;
};
