#pragma once
#include "CliCommand.h"

#include <string>
#include <vector>

class DocumentIo;

// `convert IN OUT [--keep-version] [--fire-nodes IDS] [--accident-pipes IDS]`: reads a network file
// and writes it in the kind OUT's name asks for; a version 1.0 project file is written as 2.0 unless
// the version is to be kept. The text format cannot carry fire nodes and accident pipes, so they can
// be marked on the way to a project file.
class ConvertCommand : public CliCommand {
public:
    explicit ConvertCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "convert"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_in; }

private:
    const DocumentIo& m_io;
    std::string m_in;
    std::string m_out;
    bool m_keepVersion = false;
    std::vector<std::string> m_fireNodes;
    std::vector<std::string> m_accidentPipes;
};
