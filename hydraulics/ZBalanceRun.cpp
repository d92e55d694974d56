#include "ZBalanceRun.h"

#include "model/GbkCodec.h"
#include "model/ZDocument.h"

#include <algorithm>
#include <cstdio>

ZBalanceRun::ZBalanceRun(ZDrawSettings& calcData, ZNetwork& network) : m_calcData(calcData), m_network(network) {}

ZBalanceRun::ZBalanceRun(ZDocument& document) : ZBalanceRun(document.GetDrawSettings(), document.GetNetwork()) {}

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
    info.Run();
    m_status = info.GetStatus();
    m_iterations = info.GetIterationCount();
    m_maxCorrection = info.GetMaxCorrection();
    m_timings = info.GetTimings();
    m_cutOffNodeId = info.GetCutOffNode() ? std::string(info.GetCutOffNode()->IdView()) : std::string();
    m_calcData.Balanced = m_status == ZBalanceInfo::Converged ? 1 : 0;
    return m_status;
}

std::string ZBalanceRun::Message() const
{
    switch (m_status) {
    case ZBalanceInfo::NoHeadKnownNode:
        return "没有足够的已知水压节点!";
    case ZBalanceInfo::Diverged:
        if (!m_cutOffNodeId.empty())
            return "平差计算发散, 已停止! 节点\"" + GbkCodec::ToUtf8(m_cutOffNodeId) +
                   "\"所在的部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, "
                   "请检查这些设备的开闭状态。";
        return "平差计算发散, 已停止! 可能有部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, "
               "请检查这些设备的开闭状态。";
    default:
        return {};
    }
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

std::string ZBalanceRun::StatusPaneText(bool balanced, int calcCase)
{
    return balanced ? "已平差:" + CaseName(calcCase) : "未平差";
}
