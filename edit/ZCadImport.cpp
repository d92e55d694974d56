#include "ZCadImport.h"
#include "ZPipeTeeSplitter.h"
#include "model/GbkCodec.h"
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
      m_ratio(options.ScaleQen / options.ScaleCad * 0.001), m_tolerance(m_ratio * options.MinDist + 1e-10),
      m_index(m_tolerance)
{
    for (ZConsumeNode* n : network.Nodes())
        m_index.Add(n);
}

ZCadImport::~ZCadImport()
{
    Finish();
}

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

std::string ZCadImport::LayerNameToGbk(std::string_view utf8)
{
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const size_t len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        const std::string_view ch = utf8.substr(i, len);
        i += len;
        if (len == 1) {
            out += GbkCodec::FromUtf8(ch).Bytes();
            continue;
        }
        const std::string gbk = GbkCodec::FromUtf8(ch).Bytes();
        if (!gbk.empty() && gbk.find('?') == std::string::npos) {
            out += gbk;
            continue;
        }
        char32_t c = b & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
        for (size_t k = 1; k < ch.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(ch[k]) & 0x3F);
        static const char hex[] = "0123456789ABCDEF";
        std::string esc = "\\U+";
        for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
            esc += hex[(c >> shift) & 0xF];
        out += esc;
    }
    return out;
}

std::string ZCadImport::NewId(bool node)
{
    // The network's rule (its count, else the lowest free number) over the network and the
    // objects not merged into it yet.
    const auto& pending = node ? m_nodeIds : m_linkIds;
    const int count = (node ? m_network.NodeCount() : m_network.LinkCount()) + static_cast<int>(pending.size());
    auto taken = [&](const std::string& id) {
        return pending.count(id) > 0 ||
               (node ? m_network.FindNode(GbkView(id)) != nullptr : m_network.FindLink(GbkView(id)) != nullptr);
    };
    std::string id = std::to_string(count);
    for (int i = 0; taken(id) && i < count; ++i)
        id = std::to_string(i);
    return id;
}

void ZCadImport::WillChange(ZNetObject* obj)
{
    if (ZNetworkRecorder* r = m_network.Recorder())
        r->WillChange(obj);
}

ZConsumeNode* ZCadImport::EndNode(const PipePoint& p, const ZPipeLink& pipe)
{
    ZConsumeNode* n = m_index.FirstWithin(p.x, p.y);
    // Any node but a device's accepts a pipe: asked only of device nodes, whose link count is
    // small, so many pipes drawn onto one point cost no walk along its links each.
    if (n && (!n->IsDeviceNode() || n->CanAcceptLink(pipe)))
        return n;
    ZConsumeNode* made = m_templates.Node.Clone();
    made->SetId(GbkView(NewId(true)));   // digits
    made->X = p.x;
    made->Y = p.y;
    WillChange(made);
    m_nodeIds.insert(made->GetId());
    m_newNodes.push_back(made);
    if (m_tx)
        m_tx->Added(made);
    m_index.Add(made);
    m_added.push_back(made);
    ++m_nodesAdded;
    return made;
}

void ZCadImport::Finish()
{
    // One sorted merge: inserting each object at its place in the arrays costs a shift of
    // everything after it, quadratic in a drawing of 100,000 lines.
    m_network.MergeIntoArrays(std::move(m_newNodes), std::move(m_newLinks));
    m_newNodes.clear();
    m_newLinks.clear();
    m_nodeIds.clear();
    m_linkIds.clear();
    m_batch = false;
}

bool ZCadImport::AddPolyline(const PipePoint* points, int count, double drawnLength, int line)
{
    if (count < 2 || !points)
        return false;
    std::vector<PipePoint> pts(points, points + count);
    double length = 0.0;
    bool finite = std::isfinite(drawnLength * m_ratio);
    for (size_t i = 0; i < pts.size(); ++i) {
        pts[i].x *= m_ratio;
        pts[i].y *= m_ratio;
        finite = finite && std::isfinite(pts[i].x) && std::isfinite(pts[i].y);
        if (i > 0)
            length += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    }
    // A length past the number range would stop the network from being written at all.
    if (!finite || !std::isfinite(length)) {
        if (m_outOfRange++ == 0)
            m_outOfRangeLine = line;
        return false;
    }
    // Arcs drawn as chords keep their drawn length: the pipe's length is its polyline's (between
    // the nodes it joins) times drawn over chord length.
    const double factor = drawnLength > 0 && length > 0 ? drawnLength * m_ratio / length : 1.0;
    const PipePoint& first = pts.front();
    const PipePoint& last = pts.back();
    if (std::hypot(last.x - first.x, last.y - first.y) > m_tolerance) {
        const bool added = AddPipe(pts, factor);
        if (!m_batch)
            Finish();
        return added;
    }
    if (length <= m_tolerance || pts.size() < 3) {
        ++m_zeroLength;
        return false;
    }
    // A ring: split where the path has run half its length, at a bend point.
    size_t cut = 1;
    double run = 0.0, best = HUGE_VAL;
    for (size_t i = 1; i + 1 < pts.size(); ++i) {
        run += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
        if (std::fabs(run - length / 2) < best) {
            best = std::fabs(run - length / 2);
            cut = i;
        }
    }
    const std::vector<PipePoint> a(pts.begin(), pts.begin() + static_cast<long>(cut) + 1);
    const std::vector<PipePoint> b(pts.begin() + static_cast<long>(cut), pts.end());
    const bool one = AddPipe(a, factor);
    const bool two = AddPipe(b, factor);
    m_rings += one && two ? 1 : 0;
    if (!m_batch)
        Finish();
    return one || two;
}

bool ZCadImport::AddPipe(const std::vector<PipePoint>& pts, double factor)
{
    auto* pipe = m_templates.Pipe.Clone();
    pipe->SetId(GbkView(NewId(false)));
    ZConsumeNode* start = EndNode(pts.front(), *pipe);
    ZConsumeNode* end = EndNode(pts.back(), *pipe);
    if (start == end) {
        // Both ends on one node: no pipe can run from a node to itself.
        ++m_sameNode;
        delete pipe;
        return false;
    }
    if (pts.size() > 2)
        pipe->SetVertices(std::vector<PipePoint>(pts.begin() + 1, pts.end() - 1));
    WillChange(pipe);
    WillChange(start);
    WillChange(end);
    pipe->Connect(start, end);
    m_linkIds.insert(pipe->GetId());
    m_newLinks.push_back(pipe);
    if (m_tx)
        m_tx->Added(pipe);
    if (pipe->UpdateAutoLength())
        pipe->PipeLength *= factor;
    m_added.push_back(pipe);
    ++m_pipesAdded;
    return true;
}

bool ZCadImport::OnScannedEntity(const PipePoint* points, int count, int percent, bool& keepGoing, double drawnLength,
                                 int line)
{
    if (m_observer) {
        m_observer->Progress(percent / 100.0);
        if (m_observer->StopRequested() && (!m_prompt || m_prompt->AskYesNo("确认终止此操作吗?")))
            keepGoing = false;
    }
    // A scan adds its objects to the network's arrays at its end (CadBridgeScan calls Finish).
    m_batch = true;
    return count > 0 && points && AddPolyline(points, count, drawnLength, line);
}

std::vector<std::string> ZCadImport::Notes() const
{
    std::vector<std::string> notes;
    if (m_rings > 0)
        notes.push_back("闭合的线 " + std::to_string(m_rings) + " 条，各分为两根管道");
    if (m_zeroLength > 0)
        notes.push_back("跳过 " + std::to_string(m_zeroLength) + " 条长度为零的线");
    if (m_sameNode > 0)
        notes.push_back("跳过 " + std::to_string(m_sameNode) + " 条两端落在同一节点上的线(连接判断精度内)");
    if (m_outOfRange > 0)
        notes.push_back("跳过 " + std::to_string(m_outOfRange) + " 条按比例换算后坐标或长度超出数值范围的线" +
                        (m_outOfRangeLine > 0 ? "，第一条在第" + std::to_string(m_outOfRangeLine) + "行" : ""));
    if (m_overlaps > 0)
        notes.push_back("发现 " + std::to_string(m_overlaps) + " 处重叠的共线管道，未在重叠处拆分");
    return notes;
}

int ZCadImport::SplitAtTees()
{
    Finish();
    std::vector<ZConsumeNode*> nodes;
    for (ZNetObject* o : m_added)
        if (o->IsNode())
            nodes.push_back(static_cast<ZConsumeNode*>(o));
    ZPipeTeeSplitter splitter(m_network, m_tolerance, m_tx);
    const size_t before = m_added.size();
    const int n = splitter.Split(nodes, m_added, m_changed);
    m_overlaps += splitter.Overlaps();
    m_pipesAdded += static_cast<int>(m_added.size() - before);
    return n;
}
