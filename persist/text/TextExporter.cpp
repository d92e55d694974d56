#include "TextExporter.h"

#include "persist/ArchiveError.h"
#include "persist/NetworkWriteCheck.h"
#include "persist/ComponentCheck.h"
#include "persist/ProjectExtension.h"
#include "model/MessageText.h"
#include "model/GbkCodec.h"
#include "model/NumberFormat.h"
#include "model/UnitSystem.h"
#include "model/ZBalanceParams.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <charconv>
#include <cmath>

void TextExporter::Comment(std::string_view utf8)
{
    m_out += GbkCodec::FromUtf8(utf8).Bytes();
}

void TextExporter::Text(std::string_view s)
{
    m_out.append(s.data(), s.size());
}

void TextExporter::Id(const ZNetObject& obj, IdPlace place)
{
    m_object = &obj;
    const GbkView id = obj.IdView();
    // The reader splits at white space, skips lines that start with "//" and ends a section at a
    // line "END".
    bool readable = !id.empty() && !(place != IdPlace::Within && id.substr(0, 2) == "//") &&
                    !(place == IdPlace::Alone && GbkCodec::UpperAscii(id) == "END");
    for (char c : id.Bytes())
        readable = readable && c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\v' && c != '\f' && c != '\0';
    if (!readable)
        throw ArchiveError(ArchiveError::Generic, {}, "编号 " + MessageText::Quote(id) + " 写入文本文件后无法读回");
    Text(id.Bytes());
}

void TextExporter::Integer(long long v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    m_out.append(buf, r.ptr);
}

namespace {
// Significant digits of a number text from to_chars (sign, point, leading zeros and exponent aside).
int SignificantDigits(const char* first, const char* last)
{
    int n = 0;
    bool leading = true;
    for (const char* p = first; p != last && *p != 'e'; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        if (leading && *p == '0')
            continue;
        leading = false;
        ++n;
    }
    return n;
}
}   // namespace

// Six significant digits lose metres on surveyed coordinates of seven digits and more, and any
// computed value, so digits are added until the text reads back to the stored value through the
// same unit conversion as the reader. Values that came from a file read back at "%g" already.
void TextExporter::Number(double v, const UnitCategory* unit)
{
    const double shown = unit ? unit->ToDisplay(v) : v;
    if (!std::isfinite(shown))
        throw ArchiveError(ArchiveError::Generic, {},
                           (m_object ? MessageText::Quote(m_object->IdView()) + " 的" : std::string()) + "数值 " +
                               NumberFormat::G(v) + (unit ? " 换算为 " + unit->UnitName() : std::string()) +
                               " 后不是有限数, 无法写入文本文件");
    char buf[40];
    auto fits = [&](int digits, std::to_chars_result& r) {
        r = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::general, digits);
        double back = 0.0;
        std::from_chars(buf, r.ptr, back);
        return (unit ? unit->FromDisplay(back) : back) == v;
    };
    std::to_chars_result r{};
    if (!fits(6, r)) {
        // The shortest text that reads back to `shown` tells how many digits are needed; 15 first
        // drops the last-bit noise a unit conversion may leave.
        const auto s = std::to_chars(buf, buf + sizeof buf, shown);
        const int need = SignificantDigits(buf, s.ptr);
        if (!(need > 15 && fits(15, r)) && !fits(need, r)) {
            int digits = 7;
            while (digits < 17 && !fits(digits, r))
                ++digits;
            if (digits == 17)
                fits(17, r);
        }
    }
    m_out.append(buf, r.ptr);
}

std::string TextExporter::Write(const ZNetwork& net, const ZBalanceParams* params)
{
    const UnitCategory& leng = m_units.Leng();
    const UnitCategory& diam = m_units.Diam();
    const UnitCategory& head = m_units.Hydr();
    const UnitCategory& flow = m_units.FlowUnit();
    if (const std::string problem = NetworkWriteCheck::Problem(net); !problem.empty())
        throw ArchiveError(ArchiveError::Generic, {}, problem);
    m_out.clear();
    m_out.reserve(static_cast<size_t>(net.NodeCount() + net.LinkCount()) * 64 + 4096);

    Comment("//\tQEN文本格式文件数据\n\n");
    Comment("//输出格式: 长度单位:" + leng.UnitName() + "\t管径单位:" + diam.UnitName() +
            "\t压力单位:" + head.UnitName() + "\t流量单位:" + flow.UnitName() + "\n");
    Comment("//读取文本文件时, 系统单位设置必须与上述单位设置一致\n\n");

    Comment("//节点编号\tX坐标\tY坐标\t地面标高\t类型(流量已知为1)\t流量(" + flow.UnitName() + ")\t绝对压力(" +
            head.UnitName() + ")\t消防流量(" + flow.UnitName() + ")\n");
    Text("BEGIN NODE\n");
    for (const ZConsumeNode* n : net.Nodes()) {
        if (n->IsHidden())
            continue;
        Id(*n, IdPlace::LineStart), Tab();
        Number(n->X), Tab();
        Number(n->Y), Tab();
        Number(n->NodeGrunElev), Tab();
        Integer(n->IsFlowKnown() ? 1 : 0), Tab();
        Number(n->NodeFlow, &flow), Tab();
        Number(n->NodeHydrElev, &head), Tab();
        Number(n->NodeFireFlow, &flow);
        m_out.push_back('\n');
    }
    Text("END\n");

    auto ends = [&](const ZFlowLink* l) {
        Id(*l, IdPlace::LineStart), Tab();
        Id(*l->StartNode(), IdPlace::Within), Tab();
        Id(*l->EndNode(), IdPlace::Within), Tab();   // a tank's hidden inner node is written here only
        m_object = l;
    };

    Comment("//管段编号\t起始点\t终止点\t管长\t标准管径(" + diam.UnitName() + ")\t计算内径(" + diam.UnitName() +
            ")\t并行管数\t类型(0为HW管, 1为MN管)\t系数\t供水方式\n");
    Text("BEGIN PIPE\n");
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        auto* p = static_cast<const ZPipeLink*>(l);
        ends(p);
        Number(p->PipeLength, &leng), Tab();
        Number(p->PipeDiam, &diam), Tab();
        Number(p->PipeInDiam, &diam), Tab();
        Integer(p->PipeParallel), Tab();
        Integer(p->PipeType), Tab();
        Number(p->PipeRougCeof), Tab();
        Integer(p->PipeSideType);
        m_out.push_back('\n');
    }
    Text("END\n");

    Comment("//水泵编号\t起始点\t终止点\t静扬程(" + head.UnitName() + ")\t阻力系数\t真空度(" + head.UnitName() +
            ")\t效率\t额定转速\t操作转速\n");
    Text("BEGIN PUMP\n");
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pump)
            continue;
        auto* p = static_cast<const ZPumpLink*>(l);
        ends(p);
        Number(p->PumpStaticH, &head), Tab();
        Number(p->PumpSCoef), Tab();
        Number(p->PumpVacuum, &head), Tab();
        Number(p->PumpEfficiency), Tab();
        Number(p->PumpRatedRotV), Tab();
        Number(p->PumpOperatedRotV);
        m_out.push_back('\n');
    }
    Text("END\n");

    Comment("//阀门编号\t起始点\t终止点\t类型\t阻力系数\t减压量(" + head.UnitName() + ")\n");
    Text("BEGIN VALVE\n");
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Valve)
            continue;
        auto* v = static_cast<const ZValveLink*>(l);
        ends(v);
        Integer(v->GetValveType()), Tab();
        Number(v->ValveSCoef), Tab();
        Number(v->ValveHLess, &head);
        m_out.push_back('\n');
    }
    Text("END\n");

    Comment("//水池编点\t出口点\t内部编号点(内部使用不得与其他节点重复)\t类型\t池底标高\t面积\t最低水位(m)\t最高水位(m)"
            "\t当前水位(m)\n");
    Text("BEGIN TANK\n");
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Tank)
            continue;
        auto* t = static_cast<const ZTankLink*>(l);
        ends(t);
        Integer(t->GetTankType()), Tab();
        Number(t->TankBottomElev), Tab();
        Number(t->TankArea), Tab();
        Number(t->TankMinHead), Tab();
        Number(t->TankMaxHead), Tab();
        Number(t->TankCurH);
        m_out.push_back('\n');
    }
    Text("END\n");
    WriteStatus(net);
    WriteComponents(net, params);

    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        auto* p = static_cast<const ZPipeLink*>(l);
        if (p->Vertices().empty())
            continue;
        Text("BEGIN PIPEPOINT\n");
        Id(*p, IdPlace::Alone);
        m_out.push_back('\n');
        for (const PipePoint& v : p->Vertices()) {
            Number(v.x), Tab();
            Number(v.y);
            m_out.push_back('\n');
        }
        Text("END\n");
    }
    return std::move(m_out);
}

namespace {
bool IsClosedDevice(const ZFlowLink& l)
{
    if (l.GetKind() == ZNetObject::Kind::Pump)
        return !static_cast<const ZPumpLink&>(l).PumpOpen;
    return l.GetKind() == ZNetObject::Kind::Valve && !static_cast<const ZValveLink&>(l).ValveOpen;
}
}   // namespace

// Written only when a device is closed, so files of open networks stay as they were; a reader
// without the section refuses the file instead of opening the devices.
void TextExporter::WriteStatus(const ZNetwork& net)
{
    bool any = false;
    for (const ZFlowLink* l : net.Links()) {
        if (!IsClosedDevice(*l))
            continue;
        if (!any) {
            Comment("//设备编号\t状态(CLOSED为关闭)\n");
            Text("BEGIN STATUS\n");
            any = true;
        }
        Id(*l, IdPlace::LineStart);
        Text("\tCLOSED\n");
    }
    if (any)
        Text("END\n");
}

void TextExporter::WriteCurve(const Curve& c)
{
    for (const CurvePoint& pt : c) {
        Number(pt.flow, &m_units.FlowUnit()), Tab();
        Number(pt.head, &m_units.Hydr());
        m_out.push_back('\n');
    }
}

// The data of control valves, pump curves, minor losses and the calculation options, in sections
// of their own written only when used: files without them keep their bytes, and readers that do
// not know the sections refuse the file rather than balance it without them.
void TextExporter::WriteComponents(const ZNetwork& net, const ZBalanceParams* params)
{
    const UnitCategory& head = m_units.Hydr();
    const UnitCategory& flow = m_units.FlowUnit();
    for (const ZFlowLink* l : net.Links()) {
        if (const std::string problem = ComponentCheck::Problem(*l); !problem.empty())
            throw ArchiveError(ArchiveError::Generic, {},
                               MessageText::Quote(l->IdView()) + ": " + problem + ", 未写出");
    }
    if (params && ProjectExtension::SettingsNeeded(*params, net)) {
        if (const std::string problem = ComponentCheck::ParamsProblem(*params); !problem.empty())
            throw ArchiveError(ArchiveError::Generic, {}, problem + ", 未写出");
        m_object = nullptr;
        Comment("//计算选项: 止回阀防止倒流(1是), 需水量模型(0需水量驱动, 1压力驱动), 最低压力(" + head.UnitName() +
                "), 所需压力(" + head.UnitName() + "), 压力指数\n");
        Text("BEGIN OPTIONS\nCHECKVALVESCLOSE\t");
        Integer(params->CheckValvesClose ? 1 : 0);
        Text("\nDEMANDMODEL\t");
        Integer(params->DemandModel);
        Text("\nMINPRESSURE\t");
        Number(params->MinPressure, &head);
        Text("\nREQUIREDPRESSURE\t");
        Number(params->RequiredPressure, &head);
        Text("\nPRESSUREEXPONENT\t");
        Number(params->PressureExponent);
        Text("\nEND\n");
    }
    bool any = false;
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe || static_cast<const ZPipeLink*>(l)->PipeMinorLoss == 0.0)
            continue;
        if (!any) {
            Comment("//管段编号\t局部损失系数\n");
            Text("BEGIN MINORLOSS\n");
            any = true;
        }
        Id(*l, IdPlace::LineStart), Tab();
        Number(static_cast<const ZPipeLink*>(l)->PipeMinorLoss);
        m_out.push_back('\n');
    }
    if (any)
        Text("END\n");

    any = false;
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Valve ||
            !ProjectExtension::ValveExtended(*static_cast<const ZValveLink*>(l)))
            continue;
        const auto* v = static_cast<const ZValveLink*>(l);
        if (!any) {
            Comment("//阀门编号\t设定值(PRV/PSV/PBV " + head.UnitName() + ", FCV " + flow.UnitName() +
                    ", TCV 损失系数)\t阀门直径(" + m_units.Diam().UnitName() + ")\t初始状态(ACTIVE/OPEN/CLOSED)\n");
            Text("BEGIN VALVESETTING\n");
            any = true;
        }
        Id(*v, IdPlace::LineStart), Tab();
        const int t = v->GetValveType();
        const UnitCategory* unit = t == ZValveLink::Fcv                                                   ? &flow
                                   : t == ZValveLink::Prv || t == ZValveLink::Psv || t == ZValveLink::Pbv ? &head
                                                                                                          : nullptr;
        Number(v->ValveSetting, unit), Tab();
        Number(v->ValveDiam, &m_units.Diam()), Tab();
        static const char* const kStatus[] = {"ACTIVE", "OPEN", "CLOSED"};
        Text(kStatus[v->ValveInitStatus]);
        m_out.push_back('\n');
    }
    if (any)
        Text("END\n");

    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() == ZNetObject::Kind::Pump &&
            ProjectExtension::PumpExtended(*static_cast<const ZPumpLink*>(l))) {
            const auto* p = static_cast<const ZPumpLink*>(l);
            Comment("//水泵编号\t曲线类型(0公式, 1一点, 2三点, 3多点, 4恒功率)\t转速比\t功率(kW); 其后每行: 流量(" +
                    flow.UnitName() + ")\t扬程(" + head.UnitName() + ")\n");
            Text("BEGIN PUMPCURVE\n");
            Id(*p, IdPlace::LineStart), Tab();
            Integer(p->PumpCurveKind), Tab();
            Number(p->PumpSpeed), Tab();
            Number(p->PumpPower);
            m_out.push_back('\n');
            WriteCurve(p->PumpCurve);
            Text("END\n");
        } else if (l->GetKind() == ZNetObject::Kind::Valve && !static_cast<const ZValveLink*>(l)->ValveCurve.empty()) {
            Comment("//阀门编号; 其后每行: 流量(" + flow.UnitName() + ")\t水头损失(" + head.UnitName() + ")\n");
            Text("BEGIN VALVECURVE\n");
            Id(*l, IdPlace::Alone);
            m_out.push_back('\n');
            WriteCurve(static_cast<const ZValveLink*>(l)->ValveCurve);
            Text("END\n");
        }
    }
}
