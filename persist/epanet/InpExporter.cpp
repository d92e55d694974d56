#include "InpExporter.h"

#include "InpCheckValves.h"

#include "persist/ArchiveError.h"
#include "InpLaws.h"
#include "persist/NetworkWriteCheck.h"
#include "InpText.h"
#include "InpTimeExport.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {
constexpr double kGravity = 9.80665;
constexpr double kQuarterPi = 0.7853981633974483;
using InpText::Format;

// EPANET reads identifiers up to the first blank or ';'.
std::string EpanetId(const ZNetObject& o)
{
    std::string id = GbkCodec::ToUtf8(o.IdView());
    for (char& c : id) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || c == ';' || c == '"' || u == 0x7F)
            c = '_';
    }
    return id.empty() ? "_" : id;
}

// The diameter a valve is written with: that of a pipe at either end, else 300 mm.
double ValveDiameter(const ZFlowLink& valve)
{
    for (const ZNetNode* n : {valve.StartNode(), valve.EndNode()}) {
        for (const ZNetLink* l = n ? n->FirstLink() : nullptr; l;
             l = l->StartNode() == n ? l->NextAtStart() : l->NextAtEnd()) {
            if (l->GetKind() == ZNetObject::Kind::Pipe)
                return static_cast<const ZPipeLink*>(l)->PipeInDiam;
        }
    }
    return 0.3;
}
// "管道 \"P1\"": what a refusal names.
std::string ObjectName(const ZNetObject& o)
{
    const char* kind = "节点 ";
    switch (o.GetKind()) {
    case ZNetObject::Kind::Pipe:
        kind = "管道 ";
        break;
    case ZNetObject::Kind::Pump:
        kind = "水泵 ";
        break;
    case ZNetObject::Kind::Valve:
        kind = "阀门 ";
        break;
    case ZNetObject::Kind::Tank:
        kind = "水池 ";
        break;
    default:
        break;
    }
    return kind + MessageText::Quote(o.IdView());
}
}   // namespace

std::string InpExporter::Write()
{
    m_current = nullptr;
    try {
        return WriteSections();
    } catch (const ArchiveError& e) {
        if (!m_current)
            throw;
        throw ArchiveError(e.GetCause(), e.FileName(), ObjectName(*m_current) + ": " + e.Detail(), e.Line());
    }
}

std::string InpExporter::WriteSections()
{
    const ZNetwork& net = m_doc.GetNetwork();
    if (const std::string problem = NetworkWriteCheck::Problem(net); !problem.empty())
        throw ArchiveError(ArchiveError::Generic, {}, problem);
    std::ostringstream junctions, reservoirs, tanks, pipes, pumps, valves, status, curves, coords, vertices;
    std::unordered_set<const ZNetNode*> tankNodes, tankInner;
    std::unordered_map<const ZNetNode*, std::string> nodeIds;
    std::unordered_set<std::string> usedNodeIds, usedLinkIds;
    auto nodeId = [&](const ZNetNode* n) -> const std::string& {
        auto it = nodeIds.find(n);
        if (it != nodeIds.end())
            return it->second;
        std::string id = EpanetId(*n);
        for (int k = 1; !usedNodeIds.insert(id).second; ++k)
            id = EpanetId(*n) + "~" + std::to_string(k);
        return nodeIds.emplace(n, id).first->second;
    };
    std::unordered_map<const ZNetObject*, std::string> linkIds;
    auto linkId = [&](const ZNetObject& l) {
        std::string id = EpanetId(l);
        for (int k = 1; !usedLinkIds.insert(id).second; ++k)
            id = EpanetId(l) + "~" + std::to_string(k);
        linkIds[&l] = id;
        return id;
    };
    const auto utf8 = [](const ZNetObject& o) { return GbkCodec::ToUtf8(o.IdView()); };

    bool allManning = true;
    int pipeCount = 0;
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() == ZNetObject::Kind::Pipe) {
            ++pipeCount;
            allManning = allManning && static_cast<const ZPipeLink*>(l)->PipeType == ZPipeLink::Manning;
        }
        if (l->GetKind() == ZNetObject::Kind::Tank) {
            tankNodes.insert(l->StartNode());
            tankInner.insert(l->EndNode());
        }
    }
    const bool manningFile = pipeCount > 0 && allManning;
    const InpCheckValves checks(net, m_doc.GetDrawSettings().Params.CheckValvesClose);

    for (const ZFlowLink* l : net.Links()) {
        m_current = l;
        switch (l->GetKind()) {
        case ZNetObject::Kind::Tank: {
            const auto* t = static_cast<const ZTankLink*>(l);
            double lo = t->TankMinHead, hi = t->TankMaxHead;
            const double cur = t->TankCurH;
            if (!(lo <= cur && cur <= hi)) {
                lo = std::min(lo, cur);
                hi = std::max(hi, cur);
                m_report.Add("水池水位范围已放宽以包含当前水位", utf8(*t));
            }
            double area = t->TankArea;
            if (!(area > 0)) {
                area = 1.0;
                m_report.Add("水池面积不是正数, 按 1 m² 写出", utf8(*t));
            }
            tanks << " " << nodeId(t->StartNode()) << "\t" << Format(t->TankBottomElev) << "\t" << Format(cur) << "\t"
                  << Format(lo) << "\t" << Format(hi) << "\t" << Format(std::sqrt(area / kQuarterPi)) << "\t0\t;"
                  << utf8(*t) << "\n";
            break;
        }
        case ZNetObject::Kind::Pipe: {
            const auto* p = static_cast<const ZPipeLink*>(l);
            if (checks.Skips(p))
                break;
            const InpCheckValves::Fold* fold = checks.ForPipe(*p);
            const std::string id = linkId(*p);
            const double d = p->PipeInDiam;
            const double parallel = p->PipeParallel + 1.0;
            double rough;
            if (manningFile) {
                // N + 1 equal pipes carry N + 1 times the flow of one at the same loss.
                const double s =
                    InpLaws::QenManningResistance(p->PipeRougCeof, p->PipeLength, d) / (parallel * parallel);
                rough = InpLaws::EpanetManningForResistance(s, p->PipeLength, d);
            } else if (p->PipeType == ZPipeLink::HazenWilliams) {
                rough = InpLaws::EpanetHazenWilliams(p->PipeRougCeof * parallel, d);
            } else {
                // Exponents 2 and 1.852 agree at one flow only: take 1 m/s.
                const double s =
                    InpLaws::QenManningResistance(p->PipeRougCeof, p->PipeLength, d) / (parallel * parallel);
                const double q = kQuarterPi * d * d;
                const double cq =
                    std::pow(10.67 * p->PipeLength / (s * std::pow(q, 0.148) * std::pow(d, 4.87)), 1.0 / 1.852);
                rough = InpLaws::EpanetHazenWilliams(cq, d);
                m_report.Add("满宁管按流速 1 m/s 时相同的水头损失写为海曾-威廉管", utf8(*p));
            }
            if (p->PipeParallel > 0)
                m_report.Add("并行管写为一根等效管道 (EPANET 报告的是总流量)", utf8(*p));
            // One pipe carrying all N + 1 flows loses K v^2 / 2g of one of them with K / (N + 1)^2.
            const double minorLoss =
                p->PipeMinorLoss / (parallel * parallel) + (fold ? InpCheckValves::ValveLossOn(*fold->valve, d) : 0.0);
            pipes << " " << id << "\t" << nodeId(fold ? fold->from : p->StartNode()) << "\t"
                  << nodeId(fold ? fold->to : p->EndNode()) << "\t" << Format(p->PipeLength) << "\t"
                  << Format(d * 1000.0) << "\t" << Format(rough) << "\t" << Format(minorLoss)
                  << (fold ? "\tCV\n" : "\tOpen\n");
            std::vector<PipePoint> bends = p->Vertices();
            if (fold && fold->reversed)
                std::reverse(bends.begin(), bends.end());
            for (const PipePoint& v : bends)
                vertices << " " << id << "\t" << Format(v.x) << "\t" << Format(v.y) << "\n";
            break;
        }
        case ZNetObject::Kind::Pump: {
            const auto* p = static_cast<const ZPumpLink*>(l);
            const std::string id = linkId(*p);
            bool open = p->PumpOpen;
            const auto curve = [&](const Curve& c) {
                for (const CurvePoint& pt : c)
                    curves << " " << id << "\t" << Format(pt.flow * 1000.0) << "\t" << Format(pt.head) << "\n";
            };
            pumps << " " << id << "\t" << nodeId(p->StartNode()) << "\t" << nodeId(p->EndNode());
            if (p->PumpCurveKind == ZPumpLink::QuadraticLaw) {
                double h0 = p->PumpStaticH, s = std::max(p->PumpSCoef, 1e-6);
                if (!(h0 > 0)) {
                    open = false;
                    h0 = 1.0;
                    m_report.Add("静扬程不是正数的水泵写为关闭", utf8(*p));
                }
                // (0, h0), (q1, 3/4 h0), (2 q1, 0): EPANET's three-point fit gives back h0 - s q^2.
                const double q1 = 0.5 * std::sqrt(h0 / s);
                curve({{0, h0}, {q1, h0 - s * q1 * q1}, {2 * q1, 0}});
                pumps << "\tHEAD " << id;
            } else if (p->PumpCurveKind == ZPumpLink::ConstantPower) {
                pumps << "\tPOWER " << Format(p->PumpPower);
            } else {
                Curve c = p->PumpCurve;
                // EPANET fits h = A - B q^C through three points starting at zero flow: one more
                // point on the last segment keeps a multi-point curve straight.
                if (p->PumpCurveKind == ZPumpLink::MultiPoint && c.size() == 3 && c[0].flow == 0.0)
                    c.insert(c.end() - 1, {0.5 * (c[1].flow + c[2].flow), 0.5 * (c[1].head + c[2].head)});
                if (p->PumpCurveKind == ZPumpLink::ThreePoint && c.size() == 3 && c[0].flow != 0.0)
                    m_report.Add("三点曲线的第一点流量不为零, EPANET 按折线读入", utf8(*p));
                curve(c);
                pumps << "\tHEAD " << id;
                if (p->PumpSpeed != 1.0)
                    pumps << "\tSPEED " << Format(p->PumpSpeed);
            }
            pumps << "\n";
            if (!open)
                status << " " << id << "\tClosed\n";
            break;
        }
        case ZNetObject::Kind::Valve: {
            const auto* v = static_cast<const ZValveLink*>(l);
            if (checks.Skips(v))
                break;
            const std::string id = linkId(*v);
            const double d = v->ValveDiam > 0 ? v->ValveDiam : ValveDiameter(*v);
            if (checks.OwnPipe(*v)) {
                // Short and smooth: its friction is far below the head tolerance.
                pipes << " " << id << "\t" << nodeId(v->StartNode()) << "\t" << nodeId(v->EndNode()) << "\t"
                      << Format(InpCheckValves::ShortLength) << "\t" << Format(d * 1000.0) << "\t"
                      << (manningFile ? "0.009" : "150") << "\t" << Format(InpCheckValves::ValveLossOn(*v, d))
                      << "\tCV\n";
                break;
            }
            const double area = kQuarterPi * d * d;
            const double k = std::max(v->ValveSCoef, 0.0) * 2.0 * kGravity * area * area;
            valves << " " << id << "\t" << nodeId(v->StartNode()) << "\t" << nodeId(v->EndNode()) << "\t"
                   << Format(d * 1000.0);
            switch (v->GetValveType()) {
            case ZValveLink::PressureReducing:
                valves << "\tPBV\t" << Format(v->ValveHLess) << "\t" << Format(k) << "\t;QEN:REDUCING\n";
                m_report.Add("减压阀写为 PBV (固定水头损失)", utf8(*v));
                break;
            case ZValveLink::Prv:
            case ZValveLink::Psv:
            case ZValveLink::Pbv:
            case ZValveLink::Tcv:
            case ZValveLink::Fcv: {
                static const char* const kNames[] = {"PRV", "PSV", "FCV", "TCV", "PBV"};
                const double setting = v->ValveSetting * (v->GetValveType() == ZValveLink::Fcv ? 1000.0 : 1.0);
                valves << "\t" << kNames[v->GetValveType() - ZValveLink::Prv] << "\t" << Format(setting) << "\t"
                       << Format(k) << "\n";
                break;
            }
            case ZValveLink::Gpv:
                valves << "\tGPV\t" << id << "\t" << Format(k) << "\n";
                for (const CurvePoint& pt : v->ValveCurve)
                    curves << " " << id << "\t" << Format(pt.flow * 1000.0) << "\t" << Format(pt.head) << "\n";
                break;
            default:
                // The mark tells QEN's import which kind the TCV stands for.
                valves << "\tTCV\t" << Format(k) << "\t0\t;"
                       << (v->GetValveType() == ZValveLink::Check ? "QEN:CHECK" : "QEN:GATE") << "\n";
                // Shut against reverse flow, an open one went out as a CV pipe; a shut one is shut.
                if (v->GetValveType() == ZValveLink::Check && !m_doc.GetDrawSettings().Params.CheckValvesClose)
                    m_report.Add("止回阀写为节流阀 (QEN 计算中止回阀双向过水)", utf8(*v));
                break;
            }
            if (!v->ValveOpen || (v->IsControlValve() && v->ValveInitStatus == ZValveLink::StatusClosed))
                status << " " << id << "\tClosed\n";
            else if (v->IsControlValve() && v->ValveInitStatus == ZValveLink::StatusOpen)
                status << " " << id << "\tOpen\n";
            break;
        }
        default:
            break;
        }
    }

    bool fire = false;
    for (const ZConsumeNode* n : net.Nodes()) {
        if (tankInner.count(n))
            continue;
        if (checks.Skips(n))
            continue;
        m_current = n;
        const std::string& id = nodeId(n);
        if (!n->FirstLink())
            m_report.Add("没有连接任何管段的节点 (EPANET 拒绝读入含有这种节点的文件)", utf8(*n));
        coords << " " << id << "\t" << Format(n->X) << "\t" << Format(n->Y) << "\n";
        if (tankNodes.count(n))
            continue;
        // Device ends are solved for, whatever their flag says, as balancing does.
        if (n->IsHeadKnown() && !n->IsDeviceNode())
            reservoirs << " " << id << "\t" << Format(n->NodeHydrElev) << "\n";
        else
            junctions << " " << id << "\t" << Format(n->NodeGrunElev) << "\t" << Format(n->NodeFlow * 1000.0) << "\n";
        fire = fire || (n->IsFireNode() && n->NodeFireFlow != 0);
    }
    m_current = nullptr;
    if (fire)
        m_report.Add("消防水量未写出 (按最高时工况写出需水量)");

    std::ostringstream demandModel;
    const ZBalanceParams& params = m_doc.GetDrawSettings().Params;
    if (params.DemandModel == ZBalanceParams::PressureDriven)
        demandModel << " Demand Model\tPDA\n Minimum Pressure\t" << Format(params.MinPressure)
                    << "\n Required Pressure\t" << Format(params.RequiredPressure) << "\n Pressure Exponent\t"
                    << Format(params.PressureExponent) << "\n";

    const ZTimeData& timeData = m_doc.GetTimeData();
    const bool timed = !timeData.IsEmpty();
    // Tanks go by their outlet node's name in EPANET.
    const InpTimeExport time(
        timeData, net,
        [&](const ZNetObject& o) {
            if (auto it = linkIds.find(&o); it != linkIds.end())
                return it->second;
            if (o.GetKind() == ZNetObject::Kind::Tank)
                return nodeId(static_cast<const ZTankLink&>(o).StartNode());
            return nodeId(static_cast<const ZNetNode*>(&o));
        },
        m_report);
    std::ostringstream out;
    out << "[TITLE]\nQEN\n\n"
        << "[JUNCTIONS]\n;ID\tElev\tDemand\tPattern\n"
        << junctions.str() << "\n"
        << "[RESERVOIRS]\n;ID\tHead\tPattern\n"
        << reservoirs.str() << "\n"
        << "[TANKS]\n;ID\tElevation\tInitLevel\tMinLevel\tMaxLevel\tDiameter\tMinVol\n"
        << tanks.str() << "\n"
        << "[PIPES]\n;ID\tNode1\tNode2\tLength\tDiameter\tRoughness\tMinorLoss\tStatus\n"
        << pipes.str() << "\n"
        << "[PUMPS]\n;ID\tNode1\tNode2\tParameters\n"
        << pumps.str() << "\n"
        << "[VALVES]\n;ID\tNode1\tNode2\tDiameter\tType\tSetting\tMinorLoss\n"
        << valves.str() << "\n"
        << "[STATUS]\n"
        << status.str() << "\n"
        << "[CURVES]\n;ID\tX-Value\tY-Value\n"
        << curves.str() << "\n"
        << "[OPTIONS]\n Units\tLPS\n Headloss\t" << (manningFile ? "C-M" : "H-W")
        << "\n Trials\t200\n Accuracy\t0.00001\n Unbalanced\tStop\n Demand Multiplier\t1.0\n"
        << demandModel.str() << (timed ? time.Options() : std::string()) << "\n"
        << "[TIMES]\n"
        << (timed ? time.Times() : std::string(" Duration\t0\n")) << "\n"
        << (timed ? time.Sections() : std::string()) << "[COORDINATES]\n;Node\tX-Coord\tY-Coord\n"
        << coords.str() << "\n"
        << "[VERTICES]\n;Link\tX-Coord\tY-Coord\n"
        << vertices.str() << "\n"
        << "[END]\n";
    return out.str();
}
