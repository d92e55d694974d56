#pragma once
#include "CliCommand.h"

class DocumentIo;

// `info FILE`: what a network file holds - object counts by kind, extents, file kind and version,
// and the units its values were read in.
class InfoCommand : public CliCommand {
public:
    explicit InfoCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "info"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
};
