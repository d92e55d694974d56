#include "InfoCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "model/NumberFormat.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"

#include <CLI/CLI.hpp>

#include <iostream>

void InfoCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Show object counts, extents, file kind and units of a network file");
    sub->add_option("FILE", m_file, "Network file (.wnp project file or .txt text exchange file)")->required();
}

int InfoCommand::Run()
{
    ZDocument doc;
    m_io.Load(m_file, doc);
    const ZNetwork& net = doc.GetNetwork();

    long nodes = 0, hidden = 0, pipes = 0, pumps = 0, valves = 0, tanks = 0, vertices = 0;
    for (const ZConsumeNode* n : net.Nodes())
        ++(n->IsHidden() ? hidden : nodes);
    for (const ZFlowLink* l : net.Links()) {
        switch (l->GetKind()) {
        case ZNetObject::Kind::Pipe:
            ++pipes;
            vertices += static_cast<const ZPipeLink*>(l)->VertexCount();
            break;
        case ZNetObject::Kind::Pump:
            ++pumps;
            break;
        case ZNetObject::Kind::Valve:
            ++valves;
            break;
        case ZNetObject::Kind::Tank:
            ++tanks;
            break;
        default:
            break;
        }
    }
    const ViewExtent e = net.BoundRect();
    const UnitSystem& u = m_io.Units();
    std::cout << "file:         " << m_file << "\n"
              << "kind:         " << DocumentIo::KindName(doc.GetFileKind()) << "\n"
              << "version:      " << ZDocument::VersionText(doc.GetFileVersion()) << "\n"
              << "units:        length " << u.Leng().UnitName() << ", diameter " << u.Diam().UnitName() << ", head "
              << u.Hydr().UnitName() << ", flow " << u.FlowUnit().UnitName() << "\n"
              << "nodes:        " << nodes << "\n"
              << "hidden nodes: " << hidden << "\n"
              << "pipes:        " << pipes << "\n"
              << "pumps:        " << pumps << "\n"
              << "valves:       " << valves << "\n"
              << "tanks:        " << tanks << "\n"
              << "bend points:  " << vertices << "\n"
              << "extents:      " << NumberFormat::G(e.left) << " " << NumberFormat::G(e.bottom) << " "
              << NumberFormat::G(e.right) << " " << NumberFormat::G(e.top) << " (m; left bottom right top)\n";
    return ExitOk;
}
