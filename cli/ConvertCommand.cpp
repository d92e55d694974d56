#include "ConvertCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "model/GbkCodec.h"
#include "model/ZDocument.h"

#include <functional>
#include <iostream>

#include <CLI/CLI.hpp>

void ConvertCommand::Register(CLI::App& app)
{
    CLI::App* sub =
        app.add_subcommand(Name(), "Read a network file and write it out; the output's name picks its kind");
    sub->add_option("IN", m_in, "Input network file")->required();
    sub->add_option("OUT", m_out, "Output network file")->required();
    sub->add_flag("--keep-version", m_keepVersion,
                  "Write a version 1.0 project file as 1.0 instead of upgrading it to 2.0");
    sub->add_option("--fire-nodes", m_fireNodes, "Mark these nodes as fire nodes (comma-separated identifiers)")
        ->delimiter(',');
    sub->add_option("--accident-pipes", m_accidentPipes,
                    "Mark these pipes as accident pipes (comma-separated identifiers)")
        ->delimiter(',');
}

namespace {
// Identifiers on the command line are UTF-8; the model keeps GBK.
bool MarkAll(const std::vector<std::string>& ids, const char* what, const std::function<ZNetObject*(GbkView)>& find,
             uint32_t flag)
{
    for (const std::string& id : ids) {
        ZNetObject* obj = find(GbkCodec::FromUtf8(id));
        if (!obj) {
            std::cerr << "qen-cli convert: no " << what << " \"" << id << "\" in the network\n";
            return false;
        }
        obj->SetFlag(flag);
    }
    return true;
}
}   // namespace

int ConvertCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "OUT", m_out))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_in, doc);
    ZNetwork& net = doc.GetNetwork();
    const auto findNode = [&](GbkView id) -> ZNetObject* { return net.FindNode(id); };
    const auto findPipe = [&](GbkView id) -> ZNetObject* {
        ZFlowLink* l = net.FindLink(id);
        return l && l->GetKind() == ZNetObject::Kind::Pipe ? l : nullptr;
    };
    if (!MarkAll(m_fireNodes, "node", findNode, qen::FLAG_FIRE_NODE) ||
        !MarkAll(m_accidentPipes, "pipe", findPipe, qen::FLAG_ACCIDENT_PIPE))
        return ExitUsage;
    m_io.Save(m_out, doc, m_keepVersion);
    return ExitOk;
}
