#include "ZDesignCheckSection.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZNetwork.h"

namespace {
ZReportCell CheckIn(const UnitCategory& u, double v)
{
    return ZReportCell::Num(u.ToDisplay(v), u.Precision());
}

bool CheckNodeOk(const ZNetwork& net, int i)
{
    return i >= -1 && i < net.NodeCount();
}
}   // namespace

ZReportSection ZDesignCheckSection::FireFlow(const FireFlowInput& in) const
{
    ZReportSection s;
    for (const ZFireFlow::Result& r : in.results)
        if (r.node < 0 || !CheckNodeOk(m_net, r.node) || !CheckNodeOk(m_net, r.limiting))
            return s;
    const UnitCategory& flow = m_units.FlowUnit();
    const UnitCategory& head = m_units.Hydr();
    auto id = [this](int node) { return ZReportCell::Str(GbkCodec::ToUtf8(m_net.NodeAt(node)->IdView())); };
    s.name = m_text("消防校核");
    s.summary.emplace_back(m_text("工况"), ZReportCell::Str(m_text(ZBalanceRun::CaseName(in.params.CalcCase))));
    s.summary.emplace_back(m_text.WithUnit("消防点剩余自由水头 R", head.UnitName()),
                           CheckIn(head, in.params.ResidualHead));
    s.summary.emplace_back(m_text.WithUnit("其余节点最低自由水头 S", head.UnitName()),
                           CheckIn(head, in.params.SystemMinHead));
    s.summary.emplace_back(m_text("校核节点数"), ZReportCell::Num(static_cast<double>(in.results.size()), 0));
    int zero = 0, noHead = 0;
    const ZFireFlow::Result* lowest = nullptr;
    for (const ZFireFlow::Result& r : in.results) {
        zero += r.available == 0.0;
        noHead += r.noHead;
        if (!lowest || r.available < lowest->available)
            lowest = &r;
    }
    s.summary.emplace_back(m_text("无可用消防流量的节点数"), ZReportCell::Num(zero, 0));
    if (noHead)
        s.summary.emplace_back(m_text("与水源不连通的节点数"), ZReportCell::Num(noHead, 0));
    if (lowest) {
        s.summary.emplace_back(m_text.WithUnit("最小可用消防流量", flow.UnitName()), CheckIn(flow, lowest->available));
        s.summary.emplace_back(m_text("最小可用消防流量节点"), id(lowest->node));
    }
    s.summary.emplace_back(m_text("未消防时已低于 S 的节点数 (不校核)"),
                           ZReportCell::Num(static_cast<double>(in.lowBase.size()), 0));

    ZReportTable t;
    t.name = m_text("消防校核");
    t.columns = {m_text("编号"), m_text.WithUnit("可用消防流量", flow.UnitName()), m_text("控制节点"),
                 m_text.WithUnit("控制节点自由水头", head.UnitName())};
    for (const ZFireFlow::Result& r : in.results) {
        std::vector<ZReportCell> row{id(r.node), CheckIn(flow, r.available)};
        if (r.limiting >= 0) {
            row.push_back(id(r.limiting));
            row.push_back(r.noHead ? ZReportCell() : CheckIn(head, r.limitingFreeHead));
        } else {   // the search's cap reached: no node limits
            row.push_back(ZReportCell::Str(m_text(r.noHead ? "不连通" : "无")));
            row.push_back(ZReportCell());
        }
        t.rows.push_back(std::move(row));
    }
    s.tables.push_back(std::move(t));
    return s;
}

ZReportSection ZDesignCheckSection::Criticality(const CriticalityInput& in) const
{
    ZReportSection s;
    for (const ZCriticality::Result& r : in.results)
        if (r.pipe < 0 || r.pipe >= m_net.LinkCount() || !CheckNodeOk(m_net, r.worst))
            return s;
    const UnitCategory& head = m_units.Hydr();
    s.name = m_text("管道失效校核");
    s.summary.emplace_back(m_text("事故工况水量折减系数"), ZReportCell::Num(in.params.AccidentFactor, -1));
    s.summary.emplace_back(m_text.WithUnit("最小服务水头", head.UnitName()), CheckIn(head, in.params.MinFreeHead));
    s.summary.emplace_back(m_text("校核管道数"), ZReportCell::Num(static_cast<double>(in.results.size()), 0));
    int splitting = 0, short_ = 0, failed = 0;
    const ZCriticality::Result* most = nullptr;
    for (const ZCriticality::Result& r : in.results) {
        splitting += r.cutOff > 0;
        short_ += r.nodesBelow > 0;
        failed += r.failed;
        if (!most || r.cutOff + r.nodesBelow > most->cutOff + most->nodesBelow)
            most = &r;
    }
    s.summary.emplace_back(m_text("失效后有节点断水的管道数"), ZReportCell::Num(splitting, 0));
    s.summary.emplace_back(m_text("失效后有节点低于最小服务水头的管道数"), ZReportCell::Num(short_, 0));
    if (failed)
        s.summary.emplace_back(m_text("未能平差的管道数"), ZReportCell::Num(failed, 0));
    if (most && most->cutOff + most->nodesBelow > 0)
        s.summary.emplace_back(m_text("影响最大的管道"),
                               ZReportCell::Str(GbkCodec::ToUtf8(m_net.LinkAt(most->pipe)->IdView())));

    ZReportTable t;
    t.name = m_text("管道失效校核");
    t.columns = {m_text("管道编号"),
                 m_text("断水节点数"),
                 m_text("低于最小服务水头的节点数"),
                 m_text("最不利节点"),
                 m_text.WithUnit("最不利节点自由水头", head.UnitName()),
                 m_text("说明")};
    for (const ZCriticality::Result& r : in.results) {
        std::vector<ZReportCell> row{ZReportCell::Str(GbkCodec::ToUtf8(m_net.LinkAt(r.pipe)->IdView())),
                                     ZReportCell::Num(r.cutOff, 0), ZReportCell::Num(r.nodesBelow, 0)};
        if (r.worst >= 0) {
            row.push_back(ZReportCell::Str(GbkCodec::ToUtf8(m_net.NodeAt(r.worst)->IdView())));
            row.push_back(CheckIn(head, r.worstFreeHead));
        } else {
            row.insert(row.end(), {ZReportCell(), ZReportCell()});
        }
        row.push_back(r.failed ? ZReportCell::Str(m_text("未能平差")) : ZReportCell());
        t.rows.push_back(std::move(row));
    }
    s.tables.push_back(std::move(t));
    return s;
}
