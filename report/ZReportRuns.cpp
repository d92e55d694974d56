#include "ZReportRuns.h"

#include "hydraulics/ZConnectivityCheck.h"
#include "hydraulics/ZSimulation.h"
#include "model/ZDocument.h"
#include "persist/project/ProjectFile.h"

ZReportRuns::ZReportRuns(const ZDocument& doc) : m_doc(doc) {}

ZReportRuns::~ZReportRuns() = default;

int ZReportRuns::Simulate(ProgressObserver* progress)
{
    if (!ZConnectivityCheck().Run(m_doc.GetNetwork()))
        return -1;
    // The run changes the network while it goes (and puts it back): a copy keeps the document
    // untouched. The copy lists nodes and links in the document's order.
    const std::string bytes = ProjectFile::Serialize(m_doc);
    m_copy = std::make_unique<ZDocument>(static_cast<int>(m_doc.GetDrawSettings().NodeFreeHeadGrades.size() + 1),
                                         static_cast<int>(m_doc.GetDrawSettings().PipeVeloGrades.size() + 1));
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "", *m_copy);
    m_copy->GetDrawSettings().Params = m_doc.GetDrawSettings().Params;
    m_sim = std::make_unique<ZSimulation>(m_copy->GetDrawSettings(), m_copy->GetNetwork(), m_copy->GetTimeData());
    m_sim->SetProgressObserver(progress);
    const int status = m_sim->Run();
    m_simulation.reset();
    if (status != ZBalanceInfo::InvalidData && status != ZBalanceInfo::Stopped && m_sim->Results().TimeCount() > 0)
        m_simulation =
            std::make_unique<ZSimulationSection::Input>(ZSimulationSection::Input::Of(*m_sim, m_copy->GetTimeData()));
    return status;
}

int ZReportRuns::FireFlow(const ZFireFlow::Params& params, ProgressObserver* progress)
{
    m_fire.reset();
    const ZNetwork& net = m_doc.GetNetwork();
    if (!ZConnectivityCheck().Run(net))
        return -1;
    std::vector<int> nodes;
    for (const ZConsumeNode* n : net.Nodes())
        if (ZFireFlow::IsCandidate(*n))
            nodes.push_back(n->GetIndex());
    ZFireFlow fire(net, m_doc.GetDrawSettings(), params);
    const int status = fire.Prepare();
    if (status != ZBalanceInfo::Converged)
        return status;
    if (!fire.Run(nodes, progress))
        return ZBalanceInfo::Stopped;
    m_fire = std::make_unique<ZDesignCheckSection::FireFlowInput>();
    m_fire->params = params;
    m_fire->results = fire.Results();
    m_fire->lowBase = fire.LowBaseNodes();
    return status;
}

int ZReportRuns::Criticality(const ZCriticality::Params& params, ProgressObserver* progress)
{
    m_criticality.reset();
    const ZNetwork& net = m_doc.GetNetwork();
    if (!ZConnectivityCheck().Run(net))
        return -1;
    std::vector<int> pipes;
    for (const ZFlowLink* l : net.Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            pipes.push_back(l->GetIndex());
    ZCriticality sweep(net, m_doc.GetDrawSettings(), params);
    const int status = sweep.Prepare();
    if (status != ZBalanceInfo::Converged)
        return status;
    if (!sweep.Run(pipes, progress))
        return ZBalanceInfo::Stopped;
    m_criticality = std::make_unique<ZDesignCheckSection::CriticalityInput>();
    m_criticality->params = params;
    m_criticality->results = sweep.Results();
    return status;
}
