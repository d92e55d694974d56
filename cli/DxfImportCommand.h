#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `import-dxf DRAWING.dxf OUT [--into EXISTING] [--tolerance T] [--scale-cad C] [--scale-qen Q]
// [--layers "A;B"] [--no-lines] [--no-polylines] [--split-at-tees]`: reads the lines and
// polylines of a drawing as pipes into a new network (or into EXISTING) and saves it as OUT.
class DxfImportCommand : public CliCommand {
public:
    explicit DxfImportCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "import-dxf"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_drawing; }

private:
    const DocumentIo& m_io;
    std::string m_drawing;
    std::string m_out;
    std::string m_into;
    double m_tolerance = 0.0;
    double m_scaleCad = 1.0;
    double m_scaleQen = 1000.0;
    std::string m_layers;
    bool m_layersGiven = false;
    bool m_noLines = false;
    bool m_noPolylines = false;
    bool m_splitAtTees = false;
};
