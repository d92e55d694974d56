#include "ZCadImport.h"
#include "ZPipeTeeSplitter.h"
#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZEditTransaction.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZTemplateSet.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>


ZCadImport::ZCadImport(ZNetwork& network, const ZTemplateSet& templates, const Options& options,
                       ZEditTransaction* transaction)
    : m_network(network), m_templates(templates), m_options(options), m_tx(transaction),
      m_ratio(options.ScaleQen / options.ScaleCad * 0.001),
      m_tolerance(m_ratio * options.MinDist + 1e-10), m_index(m_tolerance)
{
    for (ZConsumeNode* n : network.Nodes())
        m_index.Add(n);
}

ZCadImport::~ZCadImport() = default;

std::vector<std::string> ZCadImport::SplitLayers(const std::string& text)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        if (end > start)
            names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

ZConsumeNode* ZCadImport::EndNode(const PipePoint& p, const ZPipeLink& pipe)
{
    ZConsumeNode* n = m_index.FirstWithin(p.x, p.y);
    if (n && n->CanAcceptLink(pipe))
        return n;
    ZConsumeNode* made = m_templates.Node.Clone();
    m_network.MakeDefaultId(made);
    made->X = p.x;
    made->Y = p.y;
    m_network.AddNode(made);
    if (m_tx)
        m_tx->Added(made);
    m_index.Add(made);
    m_added.push_back(made);
    ++m_nodesAdded;
    return made;
}

bool ZCadImport::AddPolyline(const PipePoint* points, int count)
{
    if (count < 2 || !points)
        return false;
    std::vector<PipePoint> pts(points, points + count);
    for (PipePoint& p : pts) {
        p.x *= m_ratio;
        p.y *= m_ratio;
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
    }
    const PipePoint& first = pts.front();
    const PipePoint& last = pts.back();
    if (std::hypot(last.x - first.x, last.y - first.y) <= m_tolerance)
        return false;

    auto* pipe = m_templates.Pipe.Clone();
    m_network.MakeDefaultId(pipe);
    ZConsumeNode* start = EndNode(first, *pipe);
    ZConsumeNode* end = EndNode(last, *pipe);
    if (start == end) {
        // Both ends on one node: no pipe can run from a node to itself.
        delete pipe;
        return false;
    }
    if (pts.size() > 2)
        pipe->SetVertices(std::vector<PipePoint>(pts.begin() + 1, pts.end() - 1));
    m_network.AddLink(start, end, pipe);
    if (m_tx)
        m_tx->Added(pipe);
    pipe->UpdateAutoLength();
    m_added.push_back(pipe);
    ++m_pipesAdded;
    return true;
}

bool ZCadImport::OnScannedEntity(const PipePoint* points, int count, int percent, bool& keepGoing)
{
    if (m_observer) {
        m_observer->Progress(percent / 100.0);
        if (m_observer->StopRequested() && (!m_prompt || m_prompt->AskYesNo("确认终止此操作吗?")))
            keepGoing = false;
    }
    return count > 0 && points && AddPolyline(points, count);
}

int ZCadImport::SplitAtTees()
{
    std::vector<ZConsumeNode*> nodes;
    for (ZNetObject* o : m_added)
        if (o->IsNode())
            nodes.push_back(static_cast<ZConsumeNode*>(o));
    ZPipeTeeSplitter splitter(m_network, m_tolerance, m_tx);
    const size_t before = m_added.size();
    const int n = splitter.Split(nodes, m_added, m_changed);
    m_pipesAdded += static_cast<int>(m_added.size() - before);
    return n;
}
