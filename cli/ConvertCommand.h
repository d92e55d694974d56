#pragma once
#include "CliCommand.h"

class DocumentIo;

// `convert IN OUT`: reads a network file and writes it in the kind OUT's name asks for.
class ConvertCommand : public CliCommand {
public:
    explicit ConvertCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "convert"; }
    void Register(CLI::App& app) override;
    int Run() override;

private:
    const DocumentIo& m_io;
    std::string m_in;
    std::string m_out;
};
