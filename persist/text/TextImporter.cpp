#include "TextImporter.h"

#include "TextTimeData.h"
#include "persist/ArchiveError.h"
#include "persist/ComponentCheck.h"
#include "persist/ProjectExtension.h"
#include "model/MessageText.h"
#include "TextUnitsHeader.h"
#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZBalanceParams.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace {
bool ParseDouble(std::string_view f, double& v)
{
    const char* b = f.data();
    const char* e = b + f.size();
    if (b != e && *b == '+' && e - b > 1 && b[1] != '-')
        ++b;
    auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e && std::isfinite(v);
}

bool ParseInt(std::string_view f, int& v)
{
    const char* b = f.data();
    const char* e = b + f.size();
    if (b != e && *b == '+' && e - b > 1 && b[1] != '-')
        ++b;
    auto r = std::from_chars(b, e, v);
    if (r.ec == std::errc() && r.ptr == e)
        return true;
    // Spreadsheets write whole numbers as "1.0".
    double d = 0.0;
    if (!ParseDouble(f, d) || d != std::floor(d) || d < -2147483648.0 || d > 2147483647.0)
        return false;
    v = static_cast<int>(d);
    return true;
}

std::string Quote(GbkView gbk)
{
    return MessageText::Quote(gbk);
}
std::string Quote(std::string_view fileText)   // the file is GBK
{
    return MessageText::Quote(GbkView(fileText));
}

bool IsTankInternal(const ZConsumeNode* n)
{
    const ZDeviceLink* d = n->IsDeviceNode() ? n->GetDevice() : nullptr;
    return d && d->GetKind() == ZNetObject::Kind::Tank && d->EndNode() == n;
}

// Field names for messages, by section and position.
const char* const kNodeFields[] = {"节点编号", "X坐标", "Y坐标", "地面标高", "类型", "流量", "绝对压力", "消防流量"};
}   // namespace

TextImporter::TextImporter(std::string_view upperText, std::string fileName, const UnitSystem& units,
                           const ZTemplateSet& templates)
    : m_reader(upperText), m_fileName(std::move(fileName)), m_units(units), m_templates(templates)
{
}

TextImporter::~TextImporter()
{
    for (ZFlowLink* l : m_links)
        delete l;
    for (ZConsumeNode* n : m_nodes)
        delete n;
}

void TextImporter::Fail(const std::string& what) const
{
    throw ArchiveError(ArchiveError::BadIndex, m_fileName, what + ": " + Quote(m_reader.Line()), m_reader.LineNumber());
}

void TextImporter::FailHere(const std::string& what) const
{
    throw ArchiveError(ArchiveError::BadIndex, m_fileName, what, m_reader.LineNumber());
}

namespace {
// Indexed by TextImporter::Section.
constexpr std::string_view kSectionNames[] = {"NODE",      "PIPE",       "PUMP",    "VALVE",     "TANK",
                                              "PIPEPOINT", "STATUS",     "OPTIONS", "MINORLOSS", "VALVESETTING",
                                              "PUMPCURVE", "VALVECURVE", "TIMEDATA"};
}   // namespace

const char* TextImporter::SectionName(Section s)
{
    return kSectionNames[static_cast<int>(s)].data();
}

void TextImporter::Run(ZNetwork& net, ZBalanceParams& params)
{
    const ZBalanceParams defaults;
    params.DemandModel = defaults.DemandModel;
    params.MinPressure = defaults.MinPressure;
    params.RequiredPressure = defaults.RequiredPressure;
    params.PressureExponent = defaults.PressureExponent;
    m_params = &params;
    TextUnitsHeader::Apply(m_reader.Text(), m_fileName, m_units);
    while (m_reader.NextLine()) {
        if (m_reader.Split(TextLineReader::SectionSeparators) < 2)
            Fail("段外的行至少要有两个字段");
        if (m_reader.Field(0) != "BEGIN")
            continue;   // stray text outside sections is ignored
        const std::string_view name = m_reader.Field(1);
        const auto* known = std::find(std::begin(kSectionNames), std::end(kSectionNames), name);
        if (known == std::end(kSectionNames))
            Fail("未知的段名 " + Quote(name));
        ReadSection(static_cast<Section>(known - std::begin(kSectionNames)));
    }
    for (const auto& [valve, line] : m_unsetValves)
        throw ArchiveError(ArchiveError::BadIndex, m_fileName,
                           "控制阀 " + Quote(valve->IdView()) + " 缺少 VALVESETTING 段中的设定值", line);
    // A valve's setting and curve may come in either order: checked once both are read.
    std::vector<std::pair<int, const ZValveLink*>> byLine;
    for (const auto& [valve, line] : m_valveLines)
        byLine.emplace_back(line, valve);
    std::sort(byLine.begin(), byLine.end());
    for (const auto& [line, valve] : byLine)
        CheckComponent(*valve, line);
    if (!m_hasOptions) {
        std::vector<const ZFlowLink*> links(m_links.begin(), m_links.end());
        params.CheckValvesClose = ProjectExtension::CheckValvesCloseWithoutSettings(links);
    }
    HandOver(net);
    SettleDevices(net);
    SetAutoLengthFlags(net);
}

void TextImporter::ReadSection(Section s)
{
    ZPipeLink* pipe = nullptr;         // PIPEPOINT: the pipe named by the first line
    ZFlowLink* curveOwner = nullptr;   // PUMPCURVE, VALVECURVE: the device named by the first line
    int ownerLine = 0;
    Curve curve;
    m_vertices.clear();
    auto finishPoints = [&] {
        if (pipe && !m_vertices.empty())
            pipe->SetVertices(m_vertices);
        if (!curveOwner)
            return;
        if (s == Section::PumpCurve) {
            static_cast<ZPumpLink*>(curveOwner)->PumpCurve = std::move(curve);
            CheckComponent(*curveOwner, ownerLine);
        } else {
            static_cast<ZValveLink*>(curveOwner)->ValveCurve = std::move(curve);
            m_valveLines[static_cast<ZValveLink*>(curveOwner)] = ownerLine;
        }
    };
    bool ended = false;
    while (m_reader.NextLine()) {
        if (m_reader.Line() == "END") {
            ended = true;
            break;
        }
        const int n = m_reader.Split(TextLineReader::WhiteSpace);
        if (n == 2 && m_reader.Field(0) == "BEGIN") {
            if (std::find(std::begin(kSectionNames), std::end(kSectionNames), m_reader.Field(1)) !=
                std::end(kSectionNames))
                Fail(std::string(SectionName(s)) + " 段缺少 END");
        }
        if (const int empty = m_reader.EmptyTabField())
            Fail("第" + std::to_string(empty) + "列为空 (两个制表符之间没有数据)");
        switch (s) {
        case Section::Node:
            ReadNode();
            break;
        case Section::Pipe:
            ReadPipe();
            break;
        case Section::Pump:
            ReadPump();
            break;
        case Section::Valve:
            ReadValve();
            break;
        case Section::Tank:
            ReadTank();
            break;
        case Section::Status:
            ReadStatus();
            break;
        case Section::Options:
            ReadOption();
            break;
        case Section::MinorLoss:
            ReadMinorLoss();
            break;
        case Section::ValveSetting:
            ReadValveSetting();
            break;
        case Section::PumpCurve:
        case Section::ValveCurve:
            if (!curveOwner) {
                curveOwner = CurveOwner(s == Section::PumpCurve);
                ownerLine = m_reader.LineNumber();
            } else {
                if (n < 2)
                    Fail("曲线点需要流量和水头两个数值");
                curve.push_back({Converted(0, m_units.FlowUnit(), 0.0), Converted(1, m_units.Hydr(), 0.0)});
            }
            break;
        case Section::TimeData:
            if (const std::string problem = TextTimeData::ReadLine(m_reader, m_timeData); !problem.empty())
                Fail(problem);
            break;
        case Section::PipePoint:
            if (!pipe) {
                const GbkView id = IdField(0, "管段编号");
                ZFlowLink* link = m_linkById.Find(id);
                if (!link)
                    Fail("管段 " + Quote(id) + " 不存在");
                if (link->GetKind() != ZNetObject::Kind::Pipe)
                    Fail(Quote(id) + " 不是管段");
                pipe = static_cast<ZPipeLink*>(link);
            } else {
                if (n < 2)
                    Fail("折点行需要 X 和 Y 两个坐标");
                m_vertices.push_back({Number(0, 0.0), Number(1, 0.0)});
            }
            break;
        }
    }
    // A file cut short would otherwise load with its last number cut short too.
    if (!ended)
        FailHere(std::string(SectionName(s)) + " 段缺少 END, 文件可能不完整");
    finishPoints();
    if (s == Section::TimeData)
        if (const ZTimeData::Fault f = m_timeData.Check(); !f.Empty())
            FailHere("TIMEDATA 段: " + f.Text());
    if (s == Section::Options) {
        m_hasOptions = true;
        if (const std::string problem = ComponentCheck::ParamsProblem(*m_params); !problem.empty())
            FailHere("OPTIONS 段: " + problem);
    }
}

GbkView TextImporter::IdField(int i, const char* what) const
{
    const GbkView id(m_reader.Field(i));
    if (id.empty())
        Fail(std::string("缺少") + what);
    if (id.size() > static_cast<size_t>(ZNetObject::MaxIdLength))
        Fail(std::string(what) + " " + Quote(id) + " 超过19个字节");
    if (!ZNetObject::IsValidId(id))
        Fail(std::string(what) + " " + Quote(id) + " 含有空字符");
    return id;
}

ZConsumeNode* TextImporter::NodeField(int i) const
{
    const GbkView id = IdField(i, "节点编号");
    ZConsumeNode* node = m_nodeById.Find(id);
    if (!node)
        Fail("节点 " + Quote(id) + " 不存在");
    return node;
}

double TextImporter::Number(int i, double fallback) const
{
    if (i >= m_reader.FieldCount())
        return fallback;
    double v = 0.0;
    if (!ParseDouble(m_reader.Field(i), v))
        Fail("第" + std::to_string(i + 1) + "个字段 " + Quote(m_reader.Field(i)) + " 不是数字");
    return v;
}

double TextImporter::Converted(int i, const UnitCategory& unit, double fallback) const
{
    const double v = unit.FromDisplay(Number(i, unit.ToDisplay(fallback)));
    if (!std::isfinite(v))
        Fail("第" + std::to_string(i + 1) + "个字段 " + Quote(m_reader.Field(i)) + " 换算为基本单位后超出范围");
    return v;
}

int TextImporter::Integer(int i, int fallback) const
{
    if (i >= m_reader.FieldCount())
        return fallback;
    int v = 0;
    if (!ParseInt(m_reader.Field(i), v))
        Fail("第" + std::to_string(i + 1) + "个字段 " + Quote(m_reader.Field(i)) + " 不是整数");
    return v;
}

void TextImporter::ReadNode()
{
    const GbkView id = IdField(0, kNodeFields[0]);
    std::unique_ptr<ZConsumeNode> node(m_templates.Node.Clone());
    node->SetId(id);
    const UnitCategory& flow = m_units.FlowUnit();
    node->X = Number(1, node->X);
    node->Y = Number(2, node->Y);
    node->NodeGrunElev = Number(3, node->NodeGrunElev);
    node->SetHeadKnown(Integer(4, node->IsHeadKnown() ? 0 : 1) == 0);
    node->NodeFlow = Converted(5, flow, node->NodeFlow);
    node->NodeHydrElev = Converted(6, m_units.Hydr(), node->NodeHydrElev);
    node->NodeFireFlow = Converted(7, flow, node->NodeFireFlow);
    AddNode(node.release());
}

void TextImporter::LinkEnds(ZConsumeNode*& start, ZConsumeNode*& end)
{
    start = NodeField(1);
    end = NodeField(2);
    if (start == end)
        Fail("起点与终点是同一个节点");
}

void TextImporter::ReadPipe()
{
    const GbkView id = IdField(0, "管段编号");
    ZConsumeNode *start, *end;
    LinkEnds(start, end);
    std::unique_ptr<ZPipeLink> pipe(m_templates.Pipe.Clone());
    pipe->SetId(id);
    pipe->SetVertices({});   // the template's shape is not this pipe's
    const UnitCategory& diam = m_units.Diam();
    pipe->PipeLength = Converted(3, m_units.Leng(), pipe->PipeLength);
    pipe->PipeDiam = Converted(4, diam, pipe->PipeDiam);
    pipe->PipeInDiam = Converted(5, diam, pipe->PipeInDiam);
    pipe->PipeParallel = Integer(6, pipe->PipeParallel);
    pipe->PipeType = Integer(7, pipe->PipeType);
    pipe->PipeRougCeof = Number(8, pipe->PipeRougCeof);
    pipe->PipeSideType = Integer(9, pipe->PipeSideType);
    AddLink(pipe.release(), start, end);
}

void TextImporter::ReadPump()
{
    const GbkView id = IdField(0, "水泵编号");
    ZConsumeNode *start, *end;
    LinkEnds(start, end);
    std::unique_ptr<ZPumpLink> pump(m_templates.Pump.Clone());
    pump->SetId(id);
    const UnitCategory& head = m_units.Hydr();
    pump->PumpStaticH = Converted(3, head, pump->PumpStaticH);
    pump->PumpSCoef = Number(4, pump->PumpSCoef);
    pump->PumpVacuum = Converted(5, head, pump->PumpVacuum);
    pump->PumpEfficiency = Number(6, m_templates.Pump.PumpEfficiency);
    pump->PumpRatedRotV = Number(7, pump->PumpRatedRotV);
    pump->PumpOperatedRotV = Number(8, pump->PumpOperatedRotV);
    AddLink(pump.release(), start, end);
}

void TextImporter::ReadValve()
{
    const GbkView id = IdField(0, "阀门编号");
    ZConsumeNode *start, *end;
    LinkEnds(start, end);
    std::unique_ptr<ZValveLink> valve(m_templates.Valve.Clone());
    valve->SetId(id);
    valve->SetValveType(Integer(3, valve->GetValveType()));
    valve->ValveSCoef = Number(4, valve->ValveSCoef);
    valve->ValveHLess = Converted(5, m_units.Hydr(), valve->ValveHLess);
    if (valve->IsControlValve())
        m_unsetValves.emplace(valve.get(), m_reader.LineNumber());
    else if (valve->GetValveType() < 0 || valve->GetValveType() >= ZValveLink::TypeCount)
        Fail("阀门类型 " + std::to_string(valve->GetValveType()) + " 不存在");
    AddLink(valve.release(), start, end);
}

void TextImporter::ReadTank()
{
    const GbkView id = IdField(0, "水池编号");
    ZConsumeNode* outlet = NodeField(1);
    const GbkView innerId = IdField(2, "内部节点编号");
    std::unique_ptr<ZTankLink> tank(m_templates.Tank.Clone());
    tank->SetId(id);
    tank->SetTankType(Integer(3, tank->GetTankType()));
    tank->TankBottomElev = Number(4, tank->TankBottomElev);
    tank->TankArea = Number(5, tank->TankArea);
    tank->TankMinHead = Number(6, tank->TankMinHead);
    tank->TankMaxHead = Number(7, tank->TankMaxHead);
    tank->TankCurH = Number(8, tank->TankCurH);
    if (m_linkById.Find(tank->IdView()))
        Fail("管段编号 " + Quote(id) + " 重复");

    // The internal node exists only for this tank, so its identifier must be new.
    ZConsumeNode* inner = m_templates.Node.Clone();
    inner->SetId(innerId);
    AddNode(inner);
    AddLink(tank.release(), outlet, inner);
}

void TextImporter::ReadStatus()
{
    const GbkView id = IdField(0, "设备编号");
    ZFlowLink* link = m_linkById.Find(id);
    if (!link)
        Fail("设备 " + Quote(id) + " 不存在");
    const std::string_view value = m_reader.Field(1);
    if (value != "OPEN" && value != "CLOSED")
        Fail("状态 " + Quote(value) + " 不是 OPEN 或 CLOSED");
    const bool open = value == "OPEN";
    if (link->GetKind() == ZNetObject::Kind::Pump)
        static_cast<ZPumpLink*>(link)->PumpOpen = open;
    else if (link->GetKind() == ZNetObject::Kind::Valve)
        static_cast<ZValveLink*>(link)->ValveOpen = open;
    else
        Fail(Quote(id) + " 不是水泵或阀门");
}

void TextImporter::CheckComponent(const ZFlowLink& link, int line) const
{
    if (const std::string problem = ComponentCheck::Problem(link); !problem.empty())
        throw ArchiveError(ArchiveError::BadIndex, m_fileName, Quote(link.IdView()) + ": " + problem, line);
}

ZFlowLink* TextImporter::CurveOwner(bool pump)
{
    const GbkView id = IdField(0, pump ? "水泵编号" : "阀门编号");
    ZFlowLink* link = m_linkById.Find(id);
    if (!link || link->GetKind() != (pump ? ZNetObject::Kind::Pump : ZNetObject::Kind::Valve))
        Fail(std::string(pump ? "水泵 " : "阀门 ") + Quote(id) + " 不存在");
    if (pump) {
        auto* p = static_cast<ZPumpLink*>(link);
        p->PumpCurveKind = Integer(1, p->PumpCurveKind);
        p->PumpSpeed = Number(2, p->PumpSpeed);
        p->PumpPower = Number(3, p->PumpPower);
    }
    return link;
}

void TextImporter::ReadOption()
{
    const std::string_view key = m_reader.Field(0);
    if (m_reader.FieldCount() < 2)
        Fail("选项 " + Quote(key) + " 缺少取值");
    ZBalanceParams& p = *m_params;
    if (key == "CHECKVALVESCLOSE")
        p.CheckValvesClose = Integer(1, 0) != 0;
    else if (key == "DEMANDMODEL")
        p.DemandModel = Integer(1, 0);
    else if (key == "MINPRESSURE")
        p.MinPressure = Converted(1, m_units.Hydr(), 0.0);
    else if (key == "REQUIREDPRESSURE")
        p.RequiredPressure = Converted(1, m_units.Hydr(), 0.0);
    else if (key == "PRESSUREEXPONENT")
        p.PressureExponent = Number(1, 0.0);
    else
        Fail("未知的选项 " + Quote(key));
}

void TextImporter::ReadMinorLoss()
{
    const GbkView id = IdField(0, "管段编号");
    ZFlowLink* link = m_linkById.Find(id);
    if (!link || link->GetKind() != ZNetObject::Kind::Pipe)
        Fail("管段 " + Quote(id) + " 不存在");
    static_cast<ZPipeLink*>(link)->PipeMinorLoss = Number(1, 0.0);
    CheckComponent(*link, m_reader.LineNumber());
}

void TextImporter::ReadValveSetting()
{
    const GbkView id = IdField(0, "阀门编号");
    ZFlowLink* link = m_linkById.Find(id);
    if (!link || link->GetKind() != ZNetObject::Kind::Valve)
        Fail("阀门 " + Quote(id) + " 不存在");
    auto* v = static_cast<ZValveLink*>(link);
    const int t = v->GetValveType();
    const bool head = t == ZValveLink::Prv || t == ZValveLink::Psv || t == ZValveLink::Pbv;
    v->ValveSetting = t == ZValveLink::Fcv ? Converted(1, m_units.FlowUnit(), 0.0)
                      : head               ? Converted(1, m_units.Hydr(), 0.0)
                                           : Number(1, 0.0);
    v->ValveDiam = Converted(2, m_units.Diam(), 0.0);
    const std::string_view status = m_reader.Field(3);
    if (status == "ACTIVE" || status.empty())
        v->ValveInitStatus = ZValveLink::StatusActive;
    else if (status == "OPEN")
        v->ValveInitStatus = ZValveLink::StatusOpen;
    else if (status == "CLOSED")
        v->ValveInitStatus = ZValveLink::StatusClosed;
    else
        Fail("阀门状态 " + Quote(status) + " 不是 ACTIVE、OPEN 或 CLOSED");
    m_unsetValves.erase(v);
    m_valveLines[v] = m_reader.LineNumber();
}

void TextImporter::AddNode(ZConsumeNode* node)
{
    std::unique_ptr<ZConsumeNode> guard(node);
    if (!m_nodeById.Insert(node))
        Fail("节点编号 " + Quote(node->IdView()) + " 重复");
    m_nodes.push_back(guard.release());
}

void TextImporter::AddLink(ZFlowLink* link, ZConsumeNode* start, ZConsumeNode* end)
{
    std::unique_ptr<ZFlowLink> guard(link);
    // The internal node of a tank belongs to the tank alone. (The editor's stricter rule of one pipe
    // per device node is not enforced: converted networks put pumps on junctions.)
    for (ZConsumeNode* n : {start, end}) {
        if (IsTankInternal(n))
            Fail("水池内部节点 " + Quote(n->IdView()) + " 不能连接其他对象");
    }
    if (!m_linkById.Insert(link))
        Fail("管段编号 " + Quote(link->IdView()) + " 重复");
    m_links.push_back(guard.release());
    if (link->IsDevice())
        m_filePlaces.try_emplace(end, PipePoint{end->X, end->Y});
    link->Connect(start, end);
}

void TextImporter::HandOver(ZNetwork& net)
{
    auto byId = [](const ZNetObject* a, const ZNetObject* b) {
        return ZSortedObArray<ZNetObject>::Compare(a->IdView(), b->IdView()) < 0;
    };
    // Files written by the exporter are already in order; sorting is then a linear check.
    if (!std::is_sorted(m_nodes.begin(), m_nodes.end(), byId))
        ZSortedObArray<ZConsumeNode>::SortById(m_nodes);
    if (!std::is_sorted(m_links.begin(), m_links.end(), byId))
        ZSortedObArray<ZFlowLink>::SortById(m_links);
    net.ReserveNodes(m_nodes.size());
    net.ReserveLinks(m_links.size());
    for (ZConsumeNode* n : m_nodes)
        net.AppendNodeSorted(n);   // identifiers were checked unique above
    for (ZFlowLink* l : m_links)
        net.AppendLinkSorted(l);
    m_nodes.clear();
    m_links.clear();
}

void TextImporter::SetAutoLengthFlags(ZNetwork& net)
{
    for (ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        auto* p = static_cast<ZPipeLink*>(l);
        const volatile double sum = (p->PipeLength - p->PolylineLength()) + 1.0;
        if (sum == 1.0)
            p->SetFlag(qen::FLAG_AUTO_LENGTH);
        else
            p->ClearFlag(qen::FLAG_AUTO_LENGTH);
    }
}

// Connecting a device put its end node at its start node, and a tank gave both its nodes its level
// as head, in the order of the file's lines. Along a chain of devices (one's end is the next one's
// start) that leaves each node one step behind, and where several devices meet at one node the last
// line wins; the exporter writes the lines sorted, so the file would change each time it is saved
// and read. Every device end takes the position of the first node of its chain instead, and the
// device with the highest identifier decides. A ring of devices has no first node: the node that
// closes it lends the place its own line gave it, which the line order cannot have moved.
void TextImporter::SettleDevices(ZNetwork& net) const
{
    std::unordered_map<ZFlowNode*, ZFlowNode*> from;   // device end -> the device's start
    for (ZFlowLink* l : net.Links()) {
        if (!l->IsDevice())
            continue;
        auto* start = static_cast<ZFlowNode*>(l->StartNode());
        auto* end = static_cast<ZFlowNode*>(l->EndNode());
        from[end] = start;
        if (l->GetKind() == ZNetObject::Kind::Tank)
            start->NodeHydrElev = end->NodeHydrElev = static_cast<ZTankLink*>(l)->TankCurH;
    }
    if (from.empty())
        return;
    std::unordered_map<ZFlowNode*, ZFlowNode*> root;   // null while on the chain being walked
    std::vector<ZFlowNode*> chain;
    for (ZConsumeNode* first : net.Nodes()) {
        if (!from.count(first) || root.count(first))
            continue;
        chain.clear();
        ZFlowNode* n = first;
        ZFlowNode* r = nullptr;
        for (;;) {
            if (auto it = root.find(n); it != root.end()) {
                r = it->second ? it->second : n;   // null: a ring of devices, which n closes
                break;
            }
            auto it = from.find(n);
            if (it == from.end()) {
                r = n;
                break;
            }
            root[n] = nullptr;
            chain.push_back(n);
            n = it->second;
        }
        const auto place = m_filePlaces.find(r);
        const PipePoint at = place != m_filePlaces.end() ? place->second : PipePoint{r->X, r->Y};
        for (ZFlowNode* c : chain) {
            root[c] = r;
            c->X = at.x;
            c->Y = at.y;
        }
    }
}
