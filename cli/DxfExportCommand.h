#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `export-dxf FILE OUT.dxf [--balance] [--contours head|free] [--into DRAWING.dxf] [--scale-cad C]
// [--scale-qen Q] [--node-size S] [--device-size S] [--label-size S] [--arrow-size S]
// [--overwrite-changed]`: draws a network into a new drawing (or into a copy of DRAWING) written
// as OUT; a note gives sizes that read on paper when the text would not.
class DxfExportCommand : public CliCommand {
public:
    explicit DxfExportCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "export-dxf"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::string m_out;
    std::string m_into;
    std::string m_contours;
    bool m_balance = false;
    bool m_overwriteChanged = false;
    double m_scaleCad = 1.0;
    double m_scaleQen = 1.0;
    double m_nodeSize = 2.0;
    double m_deviceSize = 5.0;
    double m_labelSize = 3.5;
    double m_arrowSize = 4.0;
};
