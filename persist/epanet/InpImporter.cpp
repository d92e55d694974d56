#include "InpImporter.h"

#include "persist/ArchiveError.h"
#include "persist/ComponentCheck.h"
#include "InpLaws.h"
#include "InpText.h"
#include "InpTimeImport.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/ZFieldTable.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZSortedObArray.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <tuple>

namespace {
constexpr double kGravity = 9.80665;
constexpr double kQuarterPi = 0.7853981633974483;

std::string Utf8Id(const ZNetObject& o)
{
    return MessageText::Escape(o.IdView());
}

// The balance counts no demand at a device's end node.
const char* const kDemandKept = "设备端的用户节点有需水量: 设备另设端节点, 以连接短管相连, 需水量留在原节点";
}   // namespace

InpImporter::InpImporter(const InpFile& file, std::string fileName, const ZTemplateSet& templates, double hour)
    : m_file(file), m_fileName(std::move(fileName)), m_templates(templates), m_hour(hour)
{
}

InpImporter::~InpImporter() = default;

void InpImporter::Fail(int line, const std::string& what) const
{
    throw ArchiveError(ArchiveError::BadIndex, m_fileName, what, line);
}

int InpImporter::LineOf(const std::string& setting) const
{
    auto it = m_file.settingLines.find(setting);
    return it == m_file.settingLines.end() ? 0 : it->second;
}

void InpImporter::CheckFinite(const ZNetObject& made, int line, const char* kind, const std::string& epanetId) const
{
    // A value in range in the file's units can overflow once converted (a diameter of 1e308 feet
    // squared): refused here, naming the input, rather than by the writer of the output.
    for (const ZField& f : ZFieldTable::Of(made.GetKind())) {
        if (f.use & ZField::Derived)
            continue;
        const double v = f.get(made);
        if (!f.Accepts(v))
            Fail(line, std::string(kind) + " " + InpText::Printable(epanetId) + " 的" + f.caption +
                           "换算后超出可用范围 (" + NumberFormat::G(v) + ")");
    }
}

void InpImporter::ReadOptions()
{
    const auto& o = m_file.options;
    const auto line = [&](const std::string& key) { return LineOf(key); };
    if (auto it = o.find("UNITS"); it != o.end() && !m_units.SetFlowUnit(InpText::Upper(it->second)))
        Fail(line("OPTIONS UNITS"), "未知的流量单位 " + InpText::Printable(it->second));
    if (auto it = o.find("HEADLOSS"); it != o.end()) {
        m_headloss = InpText::Upper(it->second);
        if (m_headloss != "H-W" && m_headloss != "D-W" && m_headloss != "C-M")
            Fail(line("OPTIONS HEADLOSS"), "未知的水头损失公式 " + InpText::Printable(it->second));
    }
    if (auto it = o.find("DEMAND MULTIPLIER"); it != o.end() && !InpText::ParseFinite(it->second, m_demandMultiplier))
        Fail(line("OPTIONS DEMAND MULTIPLIER"), "需水量倍数不是数字: " + InpText::Printable(it->second));
    if (auto it = o.find("VISCOSITY"); it != o.end()) {
        double rel = 1;
        if (!InpText::ParseFinite(it->second, rel) || !(rel > 0))
            Fail(line("OPTIONS VISCOSITY"), "粘度不是正数: " + InpText::Printable(it->second));
        m_viscosity *= rel;
    }
    if (auto it = o.find("PATTERN"); it != o.end())
        m_defaultPattern = it->second;
    else if (m_file.patterns.count("1"))
        m_defaultPattern = "1";
    if (!m_defaultPattern.empty() && !m_file.patterns.count(m_defaultPattern)) {
        m_report.Add("默认需水量模式不存在, 按系数 1 计算", InpText::Printable(m_defaultPattern));
        m_defaultPattern.clear();
    }
    for (const auto& [key, target] :
         {std::pair{"PATTERN TIMESTEP", &m_patternStep}, std::pair{"PATTERN START", &m_patternStart}}) {
        if (auto it = m_file.times.find(key); it != m_file.times.end()) {
            *target = InpTimeImport::Seconds(it->second);
            if (*target < 0)
                Fail(line(std::string("TIMES ") + key),
                     std::string("时间 ") + key + " 无法识别: " + InpText::Printable(it->second));
            if (target == &m_patternStep && *target == 0) {
                *target = 3600.0;   // as EPANET takes it
                m_report.Add("需水量模式时间步长为 0, 按 EPANET 的做法取 1 小时", InpText::Printable(it->second));
            }
        }
    }
    ReadDemandModel();
    for (const auto& [key, value] : o) {
        static const char* const kUsed[] = {
            "UNITS",        "HEADLOSS",         "DEMAND MULTIPLIER", "VISCOSITY",        "PATTERN",
            "DEMAND MODEL", "MINIMUM PRESSURE", "REQUIRED PRESSURE", "PRESSURE EXPONENT"};
        static const char* const kSolver[] = {
            "TRIALS",    "ACCURACY",    "CHECKFREQ", "MAXCHECK",  "DAMPLIMIT",  "UNBALANCED", "SPECIFIC GRAVITY",
            "TOLERANCE", "DIFFUSIVITY", "QUALITY",   "HEADERROR", "FLOWCHANGE", "HYDRAULICS", "MAP"};
        // Solver and water-quality settings have no counterpart a steady balance would need.
        const std::string first = key.substr(0, key.find(' '));
        const auto is = [&key = key, &first](const char* k) { return key == k || first == k; };
        if (std::any_of(std::begin(kUsed), std::end(kUsed), is) ||
            std::any_of(std::begin(kSolver), std::end(kSolver), is))
            continue;
        if (key == "EMITTER EXPONENT")
            continue;
        m_report.Add("未采用的选项", InpText::Printable(key + " " + value));
    }
}

// EPANET's pressure-driven analysis is QEN's pressure-driven demand; its pressures are in the
// file's pressure unit. Networks from EPANET close their check valves against reverse flow, as
// EPANET does.
void InpImporter::ReadDemandModel()
{
    const auto& o = m_file.options;
    m_params.CheckValvesClose = true;
    if (auto it = o.find("DEMAND MODEL"); it != o.end()) {
        const std::string model = InpText::Upper(it->second);
        if (model == "PDA")
            m_params.DemandModel = ZBalanceParams::PressureDriven;
        else if (model != "DDA")
            Fail(LineOf("OPTIONS DEMAND MODEL"), "未知的需水量模型 " + InpText::Printable(it->second));
    }
    m_params.RequiredPressure = 0.1 * m_units.Pressure();
    for (const auto& [key, target, scale] :
         {std::tuple{"MINIMUM PRESSURE", &m_params.MinPressure, m_units.Pressure()},
          std::tuple{"REQUIRED PRESSURE", &m_params.RequiredPressure, m_units.Pressure()},
          std::tuple{"PRESSURE EXPONENT", &m_params.PressureExponent, 1.0}}) {
        auto it = o.find(key);
        if (it == o.end())
            continue;
        double v = 0;
        if (!InpText::ParseFinite(it->second, v))
            Fail(LineOf(std::string("OPTIONS ") + key),
                 std::string("[OPTIONS] ") + key + " 不是数字: " + InpText::Printable(it->second));
        *target = v * scale;
    }
    if (const std::string problem = ComponentCheck::ParamsProblem(m_params); !problem.empty()) {
        const int line = std::max({LineOf("OPTIONS MINIMUM PRESSURE"), LineOf("OPTIONS REQUIRED PRESSURE"),
                                   LineOf("OPTIONS PRESSURE EXPONENT")});
        Fail(line, "[OPTIONS] 压力驱动需水量参数不可用: " + problem);
    }
}

double InpImporter::Multiplier(const std::string& pattern, int line, bool useDefault) const
{
    std::string id = pattern;
    if (id.empty()) {
        if (!useDefault || m_defaultPattern.empty())
            return 1.0;
        id = m_defaultPattern;
    }
    auto it = m_file.patterns.find(id);
    if (it == m_file.patterns.end())
        Fail(line, "模式 " + InpText::Printable(id) + " 不存在");
    const std::vector<double>& f = it->second.factors;
    if (f.empty())
        return 1.0;
    // Periods past 2^53 no longer count single steps: such a start or step picks no factor at all.
    const double period = std::floor((m_hour * 3600.0 + m_patternStart) / m_patternStep);
    if (!(period < 9007199254740992.0))
        Fail(LineOf("TIMES PATTERN START"), "模式时刻超出可计算的范围 (PATTERN START " +
                                                NumberFormat::G(m_patternStart) + " 秒, PATTERN TIMESTEP " +
                                                NumberFormat::G(m_patternStep) + " 秒)");
    return f[static_cast<size_t>(std::fmod(period, static_cast<double>(f.size())))];
}

// The hour chosen is one of many: the simulation and an EPANET file written from this network use
// every factor of the pattern, so a value its largest factor makes unusable is refused here.
void InpImporter::CheckEveryHour(double value, const std::string& pattern, bool useDefault, double toSi, int line,
                                 const char* kind, const std::string& epanetId, const char* what) const
{
    const std::string id = pattern.empty() && useDefault ? m_defaultPattern : pattern;
    const auto it = m_file.patterns.find(id);
    double largest = 1.0;
    if (!id.empty() && it != m_file.patterns.end() && !it->second.factors.empty()) {
        largest = 0.0;
        for (double f : it->second.factors)
            largest = std::max(largest, std::fabs(f));
    }
    // Written back in litres per second, a flow is a thousand times its value in cubic metres.
    const double peak = std::fabs(value) * largest;
    if (!std::isfinite(peak) || !std::isfinite(peak * toSi * 1000.0))
        Fail(line, std::string(kind) + " " + InpText::Printable(epanetId) + " 的" + what +
                       "乘以模式的最大系数后超出可用范围 (" + NumberFormat::G(peak) + ")");
}

InpImporter::NodeInfo& InpImporter::NodeOf(const std::string& epanetId, int line)
{
    auto it = m_nodeInfo.find(epanetId);
    if (it == m_nodeInfo.end())
        Fail(line, "节点 " + InpText::Printable(epanetId) + " 不存在");
    return it->second;
}

ZConsumeNode* InpImporter::NewNode(const std::string& qenId, double x, double y)
{
    auto node = std::unique_ptr<ZConsumeNode>(m_templates.Node.Clone());
    node->SetId(GbkView(qenId));   // InpIdMap hands out GBK
    node->SetFlags(node->GetFlags() & ~(qen::FLAG_HIDDEN | qen::FLAG_FILTERED | qen::FLAG_FIRE_NODE));
    node->SetHeadKnown(false);
    node->X = x;
    node->Y = y;
    node->NodeFlow = node->NodeFireFlow = 0.0;
    m_nodes.push_back(std::move(node));
    return m_nodes.back().get();
}

void InpImporter::AddLink(ZFlowLink* link, ZConsumeNode* start, ZConsumeNode* end)
{
    m_links.emplace_back(link);
    link->Connect(start, end);
}

ZFlowLink* InpImporter::NewConnector(const std::string& base, const std::string& suffix, ZConsumeNode* a,
                                     ZConsumeNode* b)
{
    auto* pipe = m_templates.Pipe.Clone();
    pipe->SetId(GbkView(m_ids.Invent(InpIdMap::Link, base, suffix, "connector pipe")));
    pipe->SetVertices({});
    pipe->ClearFlag(qen::FLAG_AUTO_LENGTH | qen::FLAG_ACCIDENT_PIPE);
    pipe->PipeLength = kConnectorLength;
    pipe->PipeDiam = pipe->PipeInDiam = kConnectorDiameter;
    pipe->PipeRougCeof = kConnectorCoefficient;
    pipe->PipeType = ZPipeLink::HazenWilliams;
    pipe->PipeParallel = 0;
    AddLink(pipe, a, b);
    m_report.Add("为设备或水池增加的连接短管(长 0.01 m, 直径 1 m, 水头损失可忽略)", Utf8Id(*pipe));
    return pipe;
}

void InpImporter::CountLinks()
{
    for (const auto& p : m_file.pipes) {
        ++NodeOf(p.node1, p.line).pipes;
        ++NodeOf(p.node2, p.line).pipes;
        if (p.node1 == p.node2)
            Fail(p.line, "管道的两端是同一个节点");
    }
    auto device = [&](const std::string& a, const std::string& b, int line) {
        ++NodeOf(a, line).devices;
        ++NodeOf(b, line).devices;
        if (a == b)
            Fail(line, "设备的两端是同一个节点");
    };
    for (const auto& p : m_file.pumps)
        device(p.node1, p.node2, p.line);
    for (const auto& v : m_file.valves)
        device(v.node1, v.node2, v.line);
}

void InpImporter::MakeJunctions()
{
    // The first [DEMANDS] line of a junction replaces the demand of its [JUNCTIONS] line; later
    // lines add categories.
    std::unordered_map<std::string, std::vector<const InpFile::Demand*>> categories;
    for (const auto& d : m_file.demands)
        categories[d.junction].push_back(&d);
    std::unordered_map<std::string, bool> isJunction;
    for (const auto& j : m_file.junctions)
        isJunction[j.id] = true;
    for (const auto& d : m_file.demands) {
        if (!isJunction.count(d.junction))
            Fail(d.line, "需水量所属的节点 " + InpText::Printable(d.junction) + " 不是用户节点");
    }
    for (const auto& j : m_file.junctions) {
        double demand = 0;
        auto it = categories.find(j.id);
        const double toSi = std::fabs(m_demandMultiplier) * m_units.Flow();
        if (it == categories.end()) {
            demand = j.demand * Multiplier(j.pattern, j.line, true);
            CheckEveryHour(j.demand, j.pattern, true, toSi, j.line, "节点", j.id, "需水量");
        } else {
            for (const InpFile::Demand* d : it->second) {
                demand += d->base * Multiplier(d->pattern, d->line, true);
                CheckEveryHour(d->base, d->pattern, true, toSi, d->line, "节点", j.id, "需水量");
            }
        }
        NodeInfo& info = m_nodeInfo[j.id];
        info.node = NewNode(m_ids.Map(InpIdMap::Node, j.id, "junction"), 0, 0);
        info.node->NodeGrunElev = info.node->NodeHydrElev = j.elevation * m_units.Length();
        info.node->NodeFlow = demand * m_demandMultiplier * m_units.Flow();
        CheckFinite(*info.node, j.line, "节点", j.id);
    }
}

void InpImporter::MakeReservoirs()
{
    for (const auto& r : m_file.reservoirs) {
        NodeInfo& info = m_nodeInfo[r.id];
        info.node = NewNode(m_ids.Map(InpIdMap::Node, r.id, "reservoir"), 0, 0);
        info.node->SetHeadKnown(true);
        info.fixedHead = true;
        const double head = r.head * m_units.Length() * Multiplier(r.pattern, r.line, false);
        CheckEveryHour(r.head, r.pattern, false, m_units.Length(), r.line, "水库", r.id, "水位");
        info.node->NodeHydrElev = info.node->NodeGrunElev = head;
        CheckFinite(*info.node, r.line, "水库", r.id);
        if (!r.pattern.empty())
            m_report.Add("水库水位按模式取所选时刻的值", Utf8Id(*info.node));
        if (r.fromTanks)
            m_report.Add("[TANKS] 中只有编号和标高的水池按 EPANET 的做法作为水位固定的水库导入", Utf8Id(*info.node));
    }
}

void InpImporter::MakeTanks()
{
    for (const auto& t : m_file.tanks) {
        NodeInfo& info = m_nodeInfo.at(t.id);
        const double L = m_units.Length();
        auto tank = std::unique_ptr<ZTankLink>(m_templates.Tank.Clone());
        tank->SetTankType(ZTankLink::Reservoir);
        tank->TankBottomElev = t.elevation * L;
        tank->TankCurH = t.initLevel * L;
        tank->TankMinHead = t.minLevel * L;
        tank->TankMaxHead = t.maxLevel * L;
        tank->TankArea = kQuarterPi * t.diameter * L * t.diameter * L;
        if (t.minVolume > 0)
            m_report.Add("水池最小容积未采用", InpText::Printable(t.id));
        ZConsumeNode* outlet = info.node;
        if (info.pipes > 1 || info.devices > 0) {
            // The tank's outlet may carry one pipe only: the EPANET node stays an ordinary node.
            outlet =
                NewNode(m_ids.Invent(InpIdMap::Node, std::string(info.node->IdView().Bytes()), "_H", "tank outlet"),
                        info.node->X, info.node->Y);
            outlet->NodeGrunElev = info.node->NodeGrunElev;
            NewConnector(std::string(info.node->IdView().Bytes()), "_C", outlet, info.node);
        } else {
            info.fixedHead = true;
        }
        // The tank takes its outlet's name, which is also what an export calls the EPANET tank.
        if (m_ids.Find(InpIdMap::Link, t.id)) {
            // EPANET names nodes and links apart; a QEN tank is a link and must not take the name.
            tank->SetId(GbkView(m_ids.MapAside(InpIdMap::Link, t.id, "tank", std::string(outlet->IdView().Bytes()))));
            m_report.Add("水池与管段、水泵或阀门同名 (EPANET 允许), QEN 的水池另取编号 (见编号对照表)",
                         InpText::Printable(t.id) + " -> " + Utf8Id(*tank));
        } else {
            tank->SetId(GbkView(m_ids.Map(InpIdMap::Link, t.id, "tank", std::string(outlet->IdView().Bytes()))));
        }
        m_timeNames.tankOutlet[t.id] = outlet->IdView().Bytes();
        m_timeNames.tankLink[t.id] = tank->IdView().Bytes();
        ZConsumeNode* inner =
            NewNode(m_ids.Invent(InpIdMap::Node, std::string(outlet->IdView().Bytes()), "_IN", "tank inner node"),
                    outlet->X, outlet->Y);
        inner->NodeGrunElev = outlet->NodeGrunElev;
        CheckFinite(*tank, t.line, "水池", t.id);
        AddLink(tank.release(), outlet, inner);
    }
}

void InpImporter::SetPipeRoughness(ZPipeLink& pipe, const InpFile::Pipe& p)
{
    const double d = pipe.PipeInDiam;
    if (m_headloss == "H-W") {
        pipe.PipeType = ZPipeLink::HazenWilliams;
        pipe.PipeRougCeof = p.roughness > 0 ? InpLaws::QenHazenWilliams(p.roughness, d) : p.roughness;
    } else if (m_headloss == "C-M") {
        pipe.PipeType = ZPipeLink::Manning;
        const double r = InpLaws::EpanetManningResistance(p.roughness, pipe.PipeLength, d);
        const double n = InpLaws::QenManningForResistance(r, pipe.PipeLength, d);
        if (n > 0) {
            pipe.PipeRougCeof = n;
        } else {
            pipe.PipeRougCeof = p.roughness;
            m_report.Add("满宁系数无法换算, 按原值取用", Utf8Id(pipe));
        }
    } else {
        pipe.PipeType = ZPipeLink::HazenWilliams;
        pipe.PipeRougCeof = InpLaws::QenHazenWilliamsForDarcy(p.roughness * m_units.Roughness(), d, m_viscosity, 1.0);
        m_report.Add("达西公式管道按流速 1 m/s 时相同的水头损失换算为海曾-威廉系数", Utf8Id(pipe));
    }
    if (!(pipe.PipeRougCeof > 0) || !std::isfinite(pipe.PipeRougCeof))
        Fail(p.line, "管道 " + InpText::Printable(p.id) + " 的粗糙系数无法使用");
}

void InpImporter::MakePipes()
{
    std::unordered_map<std::string, std::string> status;
    for (const auto& s : m_file.statuses)
        status[s.link] = s.value;
    for (const auto& p : m_file.pipes) {
        NodeInfo& a = NodeOf(p.node1, p.line);
        NodeInfo& b = NodeOf(p.node2, p.line);
        if (!(p.diameter > 0) || p.length < 0 || !(p.roughness > 0))
            Fail(p.line, "管道 " + InpText::Printable(p.id) + " 的长度、直径或粗糙系数不合理");
        auto pipe = std::unique_ptr<ZPipeLink>(m_templates.Pipe.Clone());
        pipe->SetId(GbkView(m_ids.Map(InpIdMap::Link, p.id, "pipe")));
        pipe->ClearFlag(qen::FLAG_AUTO_LENGTH | qen::FLAG_ACCIDENT_PIPE);
        pipe->PipeLength = p.length * m_units.Length();
        pipe->PipeDiam = pipe->PipeInDiam = p.diameter * m_units.Diameter();
        pipe->PipeParallel = 0;
        SetPipeRoughness(*pipe, p);
        if (auto v = m_file.vertices.find(p.id); v != m_file.vertices.end()) {
            std::vector<PipePoint> pts;
            for (const auto& pt : v->second)
                pts.push_back({pt.x, pt.y});
            pipe->SetVertices(std::move(pts));
        }
        if (!(p.minorLoss >= 0))
            Fail(p.line,
                 "管道 " + InpText::Printable(p.id) + " 的局部损失系数为负数 (" + NumberFormat::G(p.minorLoss) + ")");
        pipe->PipeMinorLoss = p.minorLoss;
        std::string st = p.status;
        if (auto it = status.find(p.id); it != status.end())
            st = it->second;
        ZConsumeNode* start = a.node;
        if (st == "CLOSED" || st == "CV") {
            // QEN pipes have no status: a valve of their own in front of them carries it.
            ZConsumeNode* mid =
                NewNode(m_ids.Invent(InpIdMap::Node, std::string(pipe->IdView().Bytes()), "_V", "valve node"),
                        a.node->X, a.node->Y);
            mid->NodeGrunElev = a.node->NodeGrunElev;
            auto* valve = m_templates.Valve.Clone();
            valve->SetId(GbkView(m_ids.Invent(InpIdMap::Link, std::string(pipe->IdView().Bytes()), "_V",
                                              st == "CV" ? "check valve of pipe" : "closed valve of pipe")));
            valve->SetValveType(st == "CV" ? ZValveLink::Check : ZValveLink::Gate);
            m_timeNames.pipeValve[p.id] = valve->IdView().Bytes();
            valve->ValveSCoef = 0.0;
            valve->ValveHLess = 0.0;
            valve->ValveOpen = st != "CLOSED";
            ZConsumeNode* from = a.node;
            const bool plain = !a.fixedHead && a.devices == 0 && a.pipes <= 1;
            if (plain && a.node->NodeFlow != 0.0)
                m_report.Add(kDemandKept, Utf8Id(*a.node));
            if (!plain || a.node->NodeFlow != 0.0) {
                from = NewNode(m_ids.Invent(InpIdMap::Node, std::string(pipe->IdView().Bytes()), "_I", "valve inlet"),
                               a.node->X, a.node->Y);
                from->NodeGrunElev = a.node->NodeGrunElev;
                NewConnector(std::string(pipe->IdView().Bytes()), "_C", a.node, from);
            }
            AddLink(valve, from, mid);
            start = mid;
            m_report.Add(st == "CV" ? "止回管: 管道前加止回阀" : "关闭的管道: 管道前加关闭的闸阀", Utf8Id(*pipe));
        } else if (!st.empty() && st != "OPEN") {
            m_report.Add("未采用的管道状态", Utf8Id(*pipe) + "=" + InpText::Printable(st));
        }
        CheckFinite(*pipe, p.line, "管道", p.id);
        AddLink(pipe.release(), start, b.node);
    }
}

ZConsumeNode* InpImporter::DeviceEnd(const std::string& deviceId, NodeInfo& info, bool outlet, const NodeInfo& inlet)
{
    ZConsumeNode* n = info.node;
    const bool samePlace = !outlet || (n->X == inlet.node->X && n->Y == inlet.node->Y);
    // The balance counts no demand at a device's end: a junction with demand keeps it and gets
    // a connector to a node of the device's own.
    if (!info.fixedHead && info.devices == 1 && info.pipes <= 1 && !n->IsDeviceNode() && samePlace) {
        if (n->NodeFlow == 0.0)
            return n;
        m_report.Add(kDemandKept, Utf8Id(*n));
    }
    ZConsumeNode* own =
        NewNode(m_ids.Invent(InpIdMap::Node, deviceId, outlet ? "_O" : "_I", outlet ? "device outlet" : "device inlet"),
                inlet.node->X, inlet.node->Y);
    own->NodeGrunElev = n->NodeGrunElev;
    own->NodeHydrElev = n->NodeHydrElev;
    if (outlet)
        NewConnector(deviceId, "_C2", own, n);
    else
        NewConnector(deviceId, "_C1", n, own);
    return own;
}

Curve InpImporter::CurveOf(const std::string& id, int line, const char* what, double flowScale, double headScale) const
{
    auto c = m_file.curves.find(id);
    if (c == m_file.curves.end())
        Fail(line, std::string(what) + " " + InpText::Printable(id) + " 不存在");
    Curve curve;
    for (const auto& [q, h] : c->second.points)
        curve.push_back({q * flowScale, h * headScale});
    return curve;
}

// The kind EPANET gives a head curve by its points: one point, three points starting at zero flow
// (h = A - B q^C through them), else straight lines between the points.
void InpImporter::SetPumpCurve(ZPumpLink& pump, const InpFile::Pump& p)
{
    pump.PumpCurve = CurveOf(p.headCurve, p.line, "水泵曲线", m_units.Flow(), m_units.Length());
    const Curve& c = pump.PumpCurve;
    pump.PumpCurveKind = c.size() == 1                       ? ZPumpLink::OnePoint
                         : c.size() == 3 && c[0].flow == 0.0 ? ZPumpLink::ThreePoint
                                                             : ZPumpLink::MultiPoint;
    // The nearest parabola fills the original law's fields, which the curve kinds do not use.
    std::vector<std::pair<double, double>> pts;
    for (const CurvePoint& pt : c)
        pts.emplace_back(pt.flow, pt.head);
    if (const InpLaws::PumpFit fit = InpLaws::FitPump(pts); fit.ok) {
        pump.PumpStaticH = fit.h0;
        pump.PumpSCoef = fit.s;
    }
    if (const std::string problem = ComponentCheck::Problem(pump); !problem.empty())
        Fail(m_file.curves.at(p.headCurve).line,
             "水泵 " + InpText::Printable(p.id) + " 的曲线 " + InpText::Printable(p.headCurve) + " 不可用: " + problem);
}

void InpImporter::MakePumps()
{
    std::unordered_map<std::string, const InpFile::Status*> status;
    for (const auto& s : m_file.statuses)
        status[s.link] = &s;
    for (const auto& p : m_file.pumps) {
        NodeInfo& a = NodeOf(p.node1, p.line);
        NodeInfo& b = NodeOf(p.node2, p.line);
        auto* pump = m_templates.Pump.Clone();
        std::unique_ptr<ZPumpLink> guard(pump);
        pump->SetId(GbkView(m_ids.Map(InpIdMap::Link, p.id, "pump")));
        const std::string id = Utf8Id(*pump);
        double speed = p.speed;
        int speedLine = p.line;
        if (!p.speedPattern.empty()) {
            speed *= Multiplier(p.speedPattern, p.line, false);
            CheckEveryHour(p.speed, p.speedPattern, false, 1.0, p.line, "水泵", p.id, "转速");
        }
        pump->PumpOpen = true;
        pump->PumpCurve.clear();
        if (p.hasPower) {
            pump->PumpCurveKind = ZPumpLink::ConstantPower;
            pump->PumpPower = p.power * m_units.Power();
            if (!(pump->PumpPower > 0))
                Fail(p.line,
                     "恒功率水泵 " + InpText::Printable(p.id) + " 的功率不是正数 (" + NumberFormat::G(p.power) + ")");
        } else {
            SetPumpCurve(*pump, p);
        }
        if (auto it = status.find(p.id); it != status.end()) {
            const std::string& v = it->second->value;
            double setting = 0;
            if (v == "CLOSED")
                pump->PumpOpen = false;
            else if (v == "OPEN")
                pump->PumpOpen = true;
            else if (InpText::ParseFinite(v, setting)) {
                speed = setting;
                speedLine = it->second->line;
            }
        }
        if (speed < 0)
            Fail(speedLine, "水泵 " + InpText::Printable(p.id) + " 的转速比为负数 (" + NumberFormat::G(speed) + ")");
        if (speed == 0)
            pump->PumpOpen = false;   // EPANET's closed pump
        else
            pump->PumpSpeed = speed;
        if (const std::string problem = ComponentCheck::Problem(*pump); !problem.empty())
            Fail(speedLine, "水泵 " + InpText::Printable(p.id) + " 不可用: " + problem);
        ZConsumeNode* start = DeviceEnd(std::string(pump->IdView().Bytes()), a, false, a);
        NodeInfo startInfo{start};
        ZConsumeNode* end = DeviceEnd(std::string(pump->IdView().Bytes()), b, true, startInfo);
        CheckFinite(*pump, p.line, "水泵", p.id);
        AddLink(guard.release(), start, end);
    }
}

void InpImporter::MakeValves()
{
    std::unordered_map<std::string, std::string> status;
    std::unordered_map<std::string, int> statusLine;
    for (const auto& s : m_file.statuses) {
        status[s.link] = s.value;
        statusLine[s.link] = s.line;
    }
    static const std::pair<const char*, ZValveLink::Type> kKinds[] = {
        {"PRV", ZValveLink::Prv}, {"PSV", ZValveLink::Psv}, {"FCV", ZValveLink::Fcv},
        {"TCV", ZValveLink::Tcv}, {"PBV", ZValveLink::Pbv}, {"GPV", ZValveLink::Gpv}};
    for (const auto& v : m_file.valves) {
        NodeInfo& a = NodeOf(v.node1, v.line);
        NodeInfo& b = NodeOf(v.node2, v.line);
        auto valve = std::unique_ptr<ZValveLink>(m_templates.Valve.Clone());
        valve->SetId(GbkView(m_ids.Map(InpIdMap::Link, v.id, "valve")));
        const std::string id = Utf8Id(*valve);
        const double d = v.diameter * m_units.Diameter();
        if (!(d > 0))
            Fail(v.line, "阀门 " + InpText::Printable(v.id) + " 的直径不合理");
        // Loss coefficients and settings below zero would add head: refused here, where the line
        // is known, not by the balancing later.
        if (!(v.minorLoss >= 0))
            Fail(v.line,
                 "阀门 " + InpText::Printable(v.id) + " 的局部损失系数为负数 (" + NumberFormat::G(v.minorLoss) + ")");
        const double lossToS = 1.0 / (2.0 * kGravity * std::pow(kQuarterPi * d * d, 2.0));
        ZValveLink::Type kind = ZValveLink::Tcv;
        for (const auto& [name, k] : kKinds)
            if (v.type == name)
                kind = k;
        valve->SetValveType(kind);
        valve->ValveOpen = true;
        valve->ValveHLess = 0;
        valve->ValveSCoef = v.minorLoss * lossToS;
        valve->ValveDiam = d;
        valve->ValveInitStatus = ZValveLink::StatusActive;
        valve->ValveCurve.clear();
        std::string st;
        if (auto it = status.find(v.id); it != status.end())
            st = it->second;
        double setting = v.setting;
        int settingLine = v.line;
        if (!st.empty() && st != "OPEN" && st != "CLOSED" && InpText::ParseFinite(st, setting))
            settingLine = statusLine[v.id];
        if (st == "CLOSED")
            valve->ValveOpen = false;
        else if (st == "OPEN")
            valve->ValveInitStatus = ZValveLink::StatusOpen;
        if (kind == ZValveLink::Gpv) {
            valve->ValveCurve = CurveOf(v.settingText, v.line, "阀门曲线", m_units.Flow(), m_units.Length());
        } else {
            if (!(setting >= 0))
                Fail(settingLine, v.type + " 阀门 " + InpText::Printable(v.id) + " 的设定值为负数 (" +
                                      NumberFormat::G(setting) + ")");
            const double scale = kind == ZValveLink::Fcv   ? m_units.Flow()
                                 : kind == ZValveLink::Tcv ? 1.0
                                                           : m_units.Pressure();
            valve->ValveSetting = setting * scale;
            if (kind == ZValveLink::Pbv && v.comment.find("QEN:REDUCING") != std::string::npos) {
                // Written so by QEN: its fixed-reduction valve, which adds the open valve's loss.
                valve->SetValveType(ZValveLink::PressureReducing);
                valve->ValveHLess = valve->ValveSetting;
                valve->ValveSetting = 0;
                valve->ValveDiam = 0;
            }
            const bool check = v.comment.find("QEN:CHECK") != std::string::npos;
            if (kind == ZValveLink::Tcv && (check || v.comment.find("QEN:GATE") != std::string::npos)) {
                // Written so by QEN: a gate or check valve whose loss coefficient EPANET holds as a TCV.
                valve->SetValveType(check ? ZValveLink::Check : ZValveLink::Gate);
                valve->ValveSCoef = setting * lossToS;
                valve->ValveSetting = 0;
                valve->ValveDiam = 0;
            }
        }
        if (const std::string problem = ComponentCheck::Problem(*valve); !problem.empty())
            Fail(v.line, v.type + " 阀门 " + InpText::Printable(v.id) + " 不可用: " + problem);
        CheckFinite(*valve, v.line, "阀门", v.id);
        ZConsumeNode* start = DeviceEnd(std::string(valve->IdView().Bytes()), a, false, a);
        NodeInfo startInfo{start};
        ZConsumeNode* end = DeviceEnd(std::string(valve->IdView().Bytes()), b, true, startInfo);
        AddLink(valve.release(), start, end);
    }
}

void InpImporter::PlaceUnplacedNodes()
{
    // Nodes the file gives no place: next to placed neighbours where there are some, else in
    // breadth-first columns so that linked nodes stay near each other.
    std::vector<std::string> order;   // file order: junctions, reservoirs, tanks
    for (const auto& j : m_file.junctions)
        order.push_back(j.id);
    for (const auto& r : m_file.reservoirs)
        order.push_back(r.id);
    for (const auto& t : m_file.tanks)
        order.push_back(t.id);
    int unplaced = 0;
    for (const std::string& id : order) {
        NodeInfo& info = m_nodeInfo[id];
        if (auto c = m_file.coordinates.find(id); c != m_file.coordinates.end()) {
            info.node->X = c->second.x;
            info.node->Y = c->second.y;
            info.hasXY = true;
        } else {
            ++unplaced;
        }
    }
    if (unplaced == 0)
        return;
    m_report.Add("没有坐标的节点已自动布置", std::to_string(unplaced) + " 个节点");
    std::unordered_map<std::string, std::vector<std::string>> adj;
    auto link = [&](const std::string& a, const std::string& b) {
        adj[a].push_back(b);
        adj[b].push_back(a);
    };
    for (const auto& p : m_file.pipes)
        link(p.node1, p.node2);
    for (const auto& p : m_file.pumps)
        link(p.node1, p.node2);
    for (const auto& v : m_file.valves)
        link(v.node1, v.node2);
    const double spacing = 100.0;
    for (bool changed = true; changed;) {
        changed = false;
        for (const std::string& id : order) {
            NodeInfo& info = m_nodeInfo[id];
            if (info.hasXY)
                continue;
            double sx = 0, sy = 0;
            int n = 0;
            for (const std::string& nb : adj[id]) {
                const NodeInfo& o = m_nodeInfo[nb];
                if (o.hasXY) {
                    sx += o.node->X;
                    sy += o.node->Y;
                    ++n;
                }
            }
            if (n == 0 || n == static_cast<int>(adj[id].size()) + 1)
                continue;
            info.node->X = sx / n + spacing * 0.5;
            info.node->Y = sy / n - spacing * 0.5;
            info.hasXY = changed = true;
        }
    }
    double x0 = 0;
    bool any = false;
    for (const std::string& id : order) {
        const NodeInfo& info = m_nodeInfo[id];
        if (info.hasXY) {
            x0 = any ? std::max(x0, info.node->X) : info.node->X;
            any = true;
        }
    }
    if (any)
        x0 += 2 * spacing;
    for (const std::string& first : order) {
        if (m_nodeInfo[first].hasXY)
            continue;
        // One breadth-first tree per unplaced piece: a column per distance from its first node.
        std::deque<std::pair<std::string, int>> queue{{first, 0}};
        std::unordered_map<int, int> rows;
        m_nodeInfo[first].hasXY = true;
        int maxDepth = 0;
        while (!queue.empty()) {
            auto [id, depth] = queue.front();
            queue.pop_front();
            NodeInfo& info = m_nodeInfo[id];
            info.node->X = x0 + depth * spacing;
            info.node->Y = -spacing * rows[depth]++;
            maxDepth = std::max(maxDepth, depth);
            for (const std::string& nb : adj[id]) {
                NodeInfo& o = m_nodeInfo[nb];
                if (!o.hasXY) {
                    o.hasXY = true;
                    queue.emplace_back(nb, depth + 1);
                }
            }
        }
        x0 += (maxDepth + 2) * spacing;
    }
}

void InpImporter::HandOver(ZDocument& doc)
{
    ZNetwork& net = doc.GetNetwork();
    auto byId = [](const auto& a, const auto& b) {
        return ZSortedObArray<ZNetObject>::Compare(a->IdView(), b->IdView()) < 0;
    };
    std::sort(m_nodes.begin(), m_nodes.end(), byId);
    std::sort(m_links.begin(), m_links.end(), byId);
    net.ReserveNodes(m_nodes.size());
    net.ReserveLinks(m_links.size());
    // Identifiers are made unique above; an object the array turned away would be lost unseen.
    const auto sameId = [](const auto& a, const auto& b) { return a->IdView() == b->IdView(); };
    if (auto n = std::adjacent_find(m_nodes.begin(), m_nodes.end(), sameId); n != m_nodes.end())
        Fail(0, "节点编号 " + Utf8Id(**n) + " 重复");
    if (auto l = std::adjacent_find(m_links.begin(), m_links.end(), sameId); l != m_links.end())
        Fail(0, "管段编号 " + Utf8Id(**l) + " 重复");
    for (auto& n : m_nodes)
        net.AppendNodeSorted(n.release());
    for (auto& l : m_links)
        net.AppendLinkSorted(l.release());
    m_nodes.clear();
    m_links.clear();
    doc.SetExtents(net.BoundRect());
    ZBalanceParams& p = doc.GetDrawSettings().Params;
    p.CheckValvesClose = m_params.CheckValvesClose;
    p.DemandModel = m_params.DemandModel;
    p.MinPressure = m_params.MinPressure;
    p.RequiredPressure = m_params.RequiredPressure;
    p.PressureExponent = m_params.PressureExponent;
}

// EPANET passes over such lines with a warning; they usually tell of a part lost in editing.
void InpImporter::ReportUnknownReferences(const std::unordered_map<std::string, int>& nodes,
                                          const std::unordered_map<std::string, int>& links)
{
    for (const auto& st : m_file.statuses)
        if (!links.count(st.link))
            m_report.Add("[STATUS] 中的管段不存在, 该行未采用",
                         InpText::Printable(st.link) + " (第" + std::to_string(st.line) + "行)");
    const auto unknown = [](const auto& byId, const std::unordered_map<std::string, int>& known) {
        std::vector<std::string> ids;
        for (const auto& entry : byId)
            if (!known.count(entry.first))
                ids.push_back(entry.first);
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    for (const std::string& id : unknown(m_file.coordinates, nodes))
        m_report.Add("[COORDINATES] 中的节点不存在, 该坐标未采用", InpText::Printable(id));
    for (const std::string& id : unknown(m_file.vertices, links))
        m_report.Add("[VERTICES] 中的管段不存在, 其折点未采用", InpText::Printable(id));
}

void InpImporter::Run(ZDocument& doc)
{
    ReadOptions();
    // Identifiers: nodes among junctions, reservoirs and tanks; links among pipes, pumps, valves.
    std::unordered_map<std::string, int> nodeLine, linkLine;
    auto unique = [&](std::unordered_map<std::string, int>& seen, const std::string& id, int line) {
        if (!seen.emplace(id, line).second)
            Fail(line, "编号 " + InpText::Printable(id) + " 重复 (第" + std::to_string(seen[id]) + "行已有)");
    };
    for (const auto& j : m_file.junctions)
        unique(nodeLine, j.id, j.line);
    for (const auto& r : m_file.reservoirs)
        unique(nodeLine, r.id, r.line);
    for (const auto& t : m_file.tanks)
        unique(nodeLine, t.id, t.line);
    for (const auto& p : m_file.pipes)
        unique(linkLine, p.id, p.line);
    for (const auto& p : m_file.pumps)
        unique(linkLine, p.id, p.line);
    for (const auto& v : m_file.valves)
        unique(linkLine, v.id, v.line);
    ReportUnknownReferences(nodeLine, linkLine);
    if (nodeLine.empty())
        Fail(0, "文件中没有节点 ([JUNCTIONS]、[RESERVOIRS]、[TANKS] 都是空的)");
    if (m_file.reservoirs.empty() && m_file.tanks.empty())
        Fail(0, "文件中没有水库或水池, 没有已知水压的节点");

    // EPANET names are taken before any made-up one, and a tank's link (a QEN tank is a link) gives
    // way to a pipe, pump or valve of the same name.
    MakeJunctions();
    MakeReservoirs();
    for (const auto& p : m_file.pipes)
        m_ids.Map(InpIdMap::Link, p.id, "pipe");
    for (const auto& p : m_file.pumps)
        m_ids.Map(InpIdMap::Link, p.id, "pump");
    for (const auto& v : m_file.valves)
        m_ids.Map(InpIdMap::Link, v.id, "valve");
    for (const auto& t : m_file.tanks) {
        NodeInfo& info = m_nodeInfo[t.id];
        info.node = NewNode(m_ids.Map(InpIdMap::Node, t.id, "tank node"), 0, 0);
        info.node->NodeGrunElev = info.node->NodeHydrElev = t.elevation * m_units.Length();
        CheckFinite(*info.node, t.line, "水池", t.id);
    }
    CountLinks();
    PlaceUnplacedNodes();
    MakeTanks();
    MakePipes();
    MakePumps();
    MakeValves();
    for (const auto& [name, lines] : m_file.skippedSections) {
        if (lines > 0)
            m_report.Add("未读取的段", InpText::Printable(name) + " " + std::to_string(lines) + " 行");
    }
    ZTimeData timeData = InpTimeImport(m_file, m_fileName, m_units, m_ids, m_timeNames, m_report)
                             .Run(m_demandMultiplier, m_defaultPattern);
    m_report.Note("EPANET 文件: " + m_fileName);
    m_report.Note("单位: " + m_units.FlowUnit() + (m_units.IsUs() ? " (英制)" : " (公制)") + ", 水头损失公式 " +
                  m_headloss);
    m_report.Note("需水量取第 " + NumberFormat::G(m_hour) + " 小时 (需水量倍数 " + NumberFormat::G(m_demandMultiplier) +
                  ")");
    m_report.Note("导入 " + std::to_string(m_nodes.size()) + " 个节点, " + std::to_string(m_links.size()) +
                  " 个管段和设备; " + std::to_string(m_ids.RenamedCount()) + " 个编号已改写");
    HandOver(doc);
    doc.GetTimeData() = std::move(timeData);
}
