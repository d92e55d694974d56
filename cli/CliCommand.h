#pragma once
#include <string>

namespace CLI {
class App;
}

// One qen-cli subcommand. main.cpp owns one object per command; Register adds the subcommand and
// its options to the application, Run is called when the user chose it and returns an ExitCode.
// File errors may be thrown as ArchiveError: main reports them and exits with ExitBadFile.
class CliCommand {
public:
    virtual ~CliCommand() = default;
    virtual std::string Name() const = 0;
    virtual void Register(CLI::App& app) = 0;
    virtual int Run() = 0;
    // The file the command reads, for messages about failures that do not name one themselves.
    virtual std::string InputFile() const = 0;
};
