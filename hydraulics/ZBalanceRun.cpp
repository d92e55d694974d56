#include "ZBalanceRun.h"

#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"
#include "model/ZDocument.h"
#include "model/ZDrawSettings.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr double ReverseFlowThreshold = 1e-9;   // m3/s
constexpr double DeficitThreshold = 1e-6;       // m3/s, the pressure-driven demand's tolerance
}   // namespace

ZBalanceRun::ZBalanceRun(ZDrawSettings& calcData, ZNetwork& network) : m_calcData(calcData), m_network(network) {}

ZBalanceRun::ZBalanceRun(ZDocument& document) : ZBalanceRun(document.GetDrawSettings(), document.GetNetwork())
{
    m_document = &document;
}

bool ZBalanceRun::CheckConnectivity()
{
    return m_connectivity.Run(m_network);
}

ZBalanceRun::Params ZBalanceRun::CurrentParams() const
{
    Params p;
    p.CalcCase = m_calcData.CalcCase;
    p.AccidentFactor = m_calcData.Params.AccidentFactor;
    p.Precision = PrecisionIndex(m_calcData.Params.HeadTolerance);
    return p;
}

bool ZBalanceRun::ApplyParams(const Params& params)
{
    if (params.CalcCase < 0 || params.CalcCase > 2 || !IsValidAccidentFactor(params.AccidentFactor) ||
        params.Precision < 0 || params.Precision > MaxPrecision)
        return false;
    m_calcData.CalcCase = params.CalcCase;
    m_calcData.Params.HeadTolerance = HeadToleranceFor(params.Precision);
    m_calcData.Params.AccidentFactor = params.AccidentFactor;
    return true;
}

int ZBalanceRun::Run(ProgressObserver* progress)
{
    ZBalanceInfo info(m_calcData, m_network);
    info.SetProgressObserver(progress);
    info.StartFromPresentHeads(m_warm);
    info.Run();
    m_status = info.GetStatus();
    m_iterations = info.GetIterationCount();
    m_maxCorrection = info.GetMaxCorrection();
    m_timings = info.GetTimings();
    m_cutOffNodeId = info.GetCutOffNode() ? GbkString(info.GetCutOffNode()->IdView()) : GbkString();
    m_divergeReason = info.GetDivergeReason();
    const ZFlowNode* diverged = info.GetDivergedNode();
    m_divergedNodeId = diverged ? GbkString(diverged->IdView()) : GbkString();
    m_divergedHead = diverged ? diverged->NodeHydrElev : 0.0;
    const ZPhysicalCheck& check = info.GetPhysicalCheck();
    m_invalidMessage = check.Message();
    m_invalidObjectId = check.Object() ? GbkString(check.Object()->IdView()) : GbkString();
    m_invalidField = check.Field();
    m_reverseCheckValves.clear();
    m_reversePumps.clear();
    m_cutOffNodes.clear();
    m_valvesShort.clear();
    m_pumpsShut.clear();
    m_deficientNodes = 0;
    m_shortage = 0.0;
    if (m_status == ZBalanceInfo::Converged) {
        for (const ZFlowLink* l : m_network.Links()) {
            // Flows within rounding of zero are not flows against the device.
            if (l->GetKind() == ZNetObject::Kind::Valve) {
                const auto* v = static_cast<const ZValveLink*>(l);
                if (v->GetValveType() == ZValveLink::Check && v->ValveState != ZValveLink::StateReverseClosed &&
                    v->Flow < -ReverseFlowThreshold)
                    m_reverseCheckValves.push_back({GbkString(v->IdView()), v->Flow});
                if (v->ValveState == ZValveLink::StateCannotHold)
                    m_valvesShort.push_back({GbkString(v->IdView()), v->Flow});
            } else if (l->GetKind() == ZNetObject::Kind::Pump) {
                const auto* p = static_cast<const ZPumpLink*>(l);
                if (p->HasCurve() && p->IsShutByHead())
                    m_pumpsShut.push_back({GbkString(p->IdView()), p->Flow});
                else if (p->PumpOpen && p->Flow < -ReverseFlowThreshold)
                    m_reversePumps.push_back({GbkString(p->IdView()), p->Flow});
            }
        }
        if (m_calcData.Params.DemandModel == ZBalanceParams::PressureDriven) {
            const ZBalanceContext ctx(m_calcData.CalcCase, m_calcData.Params.AccidentFactor);
            for (const ZConsumeNode* n : m_network.Nodes()) {
                const double demand = n->CaseDemand(ctx);
                if (!n->IsFlowKnown() || n->IsDeviceNode() || n->IsCutOff() || !(demand > 0.0))
                    continue;
                const double lack = demand - n->NodeDeliveredFlow;
                if (lack > DeficitThreshold) {
                    ++m_deficientNodes;
                    m_shortage += lack;
                }
            }
        }
        if (info.GetCutOffCount() > 0)
            for (const ZConsumeNode* n : m_network.Nodes())
                if (n->IsCutOff() && !n->IsHidden())
                    m_cutOffNodes.emplace_back(n->IdView());
    }
    m_calcData.Balanced = m_status == ZBalanceInfo::Converged ? 1 : 0;
    if (m_document)
        m_document->ResultsComputed(m_status == ZBalanceInfo::Converged);
    return m_status;
}

std::string ZBalanceRun::Message() const
{
    switch (m_status) {
    case ZBalanceInfo::NoHeadKnownNode:
        return "没有足够的已知水压节点!";
    case ZBalanceInfo::InvalidData:
        return m_invalidMessage;
    case ZBalanceInfo::Diverged:
        if (m_divergeReason == ZBalanceInfo::HeadOutOfRange) {
            return "平差计算发散, 已停止! 节点" + MessageText::Quote(m_divergedNodeId) + "的水压达到 " +
                   NumberFormat::G(m_divergedHead) + " m, 超出合理范围。请检查流量、管径等数据。";
        }
        if (m_divergeReason == ZBalanceInfo::NotShrinking)
            return "平差计算发散, 已停止! 计算 " + std::to_string(m_iterations) + " 次后最大校正值 (在节点" +
                   MessageText::Quote(m_divergedNodeId) + ") 不再减小。请检查流量、管径等数据。";
        if (!m_cutOffNodeId.empty())
            return "平差计算发散, 已停止! 节点" + MessageText::Quote(m_cutOffNodeId) +
                   "所在的部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, "
                   "请检查这些设备的开闭状态。";
        return "平差计算发散, 已停止! 可能有部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, "
               "请检查这些设备的开闭状态。";
    default:
        return {};
    }
}

bool ZBalanceRun::PressureDriven() const
{
    return m_calcData.Params.DemandModel == ZBalanceParams::PressureDriven;
}

std::string ZBalanceRun::Report() const
{
    std::string text;
    for (const ValveFlow& v : m_reverseCheckValves) {
        text += "止回阀" + MessageText::Quote(v.id) + "的流量 " + NumberFormat::G(v.flow) +
                " m3/s 与其方向相反 (计算中止回阀可以双向过流), 请检查。\n";
    }
    for (const ValveFlow& p : m_reversePumps) {
        text += "水泵" + MessageText::Quote(p.id) + "的流量 " + NumberFormat::G(p.flow) +
                " m3/s 与其方向相反: 两端水压差超过其静扬程, 水被压着倒流过水泵 (EPANET 会关闭此泵), 请检查。\n";
    }
    for (const ValveFlow& v : m_valvesShort)
        text += "阀门" + MessageText::Quote(v.id) + "不能保持其设定值 (全开仍达不到设定的压力或流量), 流量 " +
                NumberFormat::G(v.flow) + " m3/s, 请检查。\n";
    for (const ValveFlow& p : m_pumpsShut)
        text += "水泵" + MessageText::Quote(p.id) +
                "两端水压差超过其关死扬程, 水泵不能出水, 计算中按关闭处理 (不倒流), 请检查。\n";
    if (!m_cutOffNodes.empty()) {
        text += std::to_string(m_cutOffNodes.size()) +
                " 个节点被关闭的水泵、阀门或事故管与所有已知水压节点隔开, 没有用水量, 未参与平差, 没有水压:\n";
        std::string line = "    ";
        for (size_t i = 0; i < m_cutOffNodes.size(); ++i) {
            line += MessageText::Quote(m_cutOffNodes[i]) + (i + 1 < m_cutOffNodes.size() ? ", " : "");
            if (line.size() > 100) {
                text += line + "\n";
                line = "    ";
            }
        }
        if (line.size() > 4)
            text += line + "\n";
    }
    return text;
}

// How many times the tolerance must be multiplied by 10 to reach 1.0 (0.001 gives 3).
int ZBalanceRun::PrecisionIndex(double headTolerance)
{
    int k = 0;
    for (double t = headTolerance; t < 1.0 && k < MaxPrecision; t *= 10.0)
        ++k;
    return k;
}

double ZBalanceRun::HeadToleranceFor(int precision)
{
    double t = 1.0;
    for (int i = 0; i < precision; ++i)
        t *= 0.1;
    return t;
}

int ZBalanceRun::ProgressPosition(double progress, int low, int high, bool finished)
{
    if (finished)
        return high;
    const double p = progress > 0.0 ? std::min(progress, 0.99) : 0.0;   // NaN counts as nothing
    return low + static_cast<int>((high - low) * p);
}

std::string ZBalanceRun::PercentText(int position, int low, int high)
{
    const int percent = high > low ? (position - low) * 100 / (high - low) : 0;
    char text[16];
    std::snprintf(text, sizeof text, "%d%c", percent, '%');
    return text;
}

std::string ZBalanceRun::CaseName(int calcCase)
{
    switch (calcCase) {
    case 1:
        return "消防时";
    case 2:
        return "事故时";
    default:
        return "最高时";
    }
}

std::string ZBalanceRun::StatusPaneText(bool balanced, int calcCase, bool stale)
{
    if (!balanced)
        return "未平差";
    return "已平差:" + CaseName(calcCase) + (stale ? " (已修改)" : "");
}
