#include "ZReportTables.h"

#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZBalanceContext.h"
#include "model/ZDocument.h"
#include "model/ZFieldTable.h"
#include "model/ZPumpLink.h"

#include <functional>

namespace {
using Kind = ZNetObject::Kind;

struct Column {
    std::string title;
    std::function<ZReportCell(const ZNetObject&)> cell;
};

// A column as the table window shows the field `key`: its title, unit and decimals.
Column FieldColumn(Kind kind, const char* key, const UnitSystem& units, bool results, const ZReportText& tr)
{
    const ZField* f = ZFieldTable::Find(kind, key);
    Column c;
    if (!f)
        return c;
    std::string unit = f->unit != ZField::NoUnit ? units.Get(UnitSystem::Category(f->unit)).UnitName()
                                                 : std::string(f->unitText ? f->unitText : "");
    c.title = tr.WithUnit(f->Title(), unit);
    c.cell = [f, &units, results, &tr](const ZNetObject& obj) -> ZReportCell {
        if (f->type == ZField::Text)
            return ZReportCell::Str(GbkCodec::ToUtf8(f->text(obj)));
        if (f->IsResultOf(obj) && !results)
            return {};
        const double v = f->get(obj);
        if (f->IsChoice())
            return ZReportCell::Str(tr.Choice(f->shortItems ? f->shortItems : f->items, static_cast<int>(v)));
        if (f->type == ZField::Bool)
            return ZReportCell::Str(tr(v != 0.0 ? "是" : "否"));
        if (f->unit != ZField::NoUnit) {
            const UnitCategory& u = units.Get(UnitSystem::Category(f->unit));
            return ZReportCell::Num(u.ToDisplay(v), u.Precision());
        }
        if (f->digits != ZField::Plain)
            return ZReportCell::Num(v, units.Get(UnitSystem::Category(f->digits)).Precision());
        return ZReportCell::Num(v, -1);
    };
    return c;
}

// A result in a display unit that no single field gives.
Column ResultColumn(const std::string& title, const UnitCategory& unit, bool results, const ZReportText& tr,
                    std::function<double(const ZNetObject&)> get)
{
    return {tr.WithUnit(title, unit.UnitName()), [&unit, results, get](const ZNetObject& obj) -> ZReportCell {
                if (!results)
                    return {};
                return ZReportCell::Num(unit.ToDisplay(get(obj)), unit.Precision());
            }};
}

template <typename Objects>
ZReportTable Fill(std::string name, const std::vector<Column>& columns, const Objects& objects,
                  const std::function<bool(const ZNetObject&)>& take)
{
    ZReportTable t;
    t.name = std::move(name);
    for (const Column& c : columns)
        t.columns.push_back(c.title);
    for (const ZNetObject* o : objects) {
        if (!take(*o))
            continue;
        std::vector<ZReportCell> row;
        row.reserve(columns.size());
        for (const Column& c : columns)
            row.push_back(c.cell(*o));
        t.rows.push_back(std::move(row));
    }
    return t;
}

bool HasKind(const ZNetwork& net, Kind kind)
{
    for (const ZFlowLink* l : net.Links())
        if (l->GetKind() == kind)
            return true;
    return false;
}
}   // namespace

std::vector<ZReportTable> ZReportTables::Build(const std::string& caseName) const
{
    std::vector<ZReportTable> tables;
    tables.push_back(Nodes());
    tables.push_back(Pipes());
    const ZNetwork& net = m_doc.GetNetwork();
    if (HasKind(net, Kind::Pump))
        tables.push_back(Pumps());
    if (HasKind(net, Kind::Valve))
        tables.push_back(Valves());
    if (HasKind(net, Kind::Tank))
        tables.push_back(Tanks());
    for (ZReportTable& t : tables)
        t.name += "-" + caseName;
    return tables;
}

ZReportTable ZReportTables::Nodes() const
{
    const ZDrawSettings& ds = m_doc.GetDrawSettings();
    const ZBalanceContext ctx(ds.CalcCase, ds.Params.AccidentFactor);
    const bool pressureDriven = ds.Params.DemandModel == ZBalanceParams::PressureDriven;
    const UnitCategory& flow = m_units.FlowUnit();
    const bool results = m_results;
    // Heads of nodes cut off from every known head are no results.
    auto headed = [&](const char* key) {
        Column c = FieldColumn(Kind::Node, key, m_units, results, m_text);
        return Column{c.title, [cell = c.cell](const ZNetObject& o) {
                          return static_cast<const ZFlowNode&>(o).IsCutOff() ? ZReportCell() : cell(o);
                      }};
    };
    // The demand of the case (as delivered when the pressure decides it); a source's supply as
    // written back, negative.
    Column demand{m_text.WithUnit("节点水量", flow.UnitName()), [&, ctx, pressureDriven, results](const ZNetObject& o) {
                      const auto& n = static_cast<const ZConsumeNode&>(o);
                      if (!n.IsFlowKnown())
                          return results ? ZReportCell::Num(flow.ToDisplay(n.NodeFlow), flow.Precision())
                                         : ZReportCell();
                      const double d = pressureDriven && results ? n.NodeDeliveredFlow : n.CaseDemand(ctx);
                      return ZReportCell::Num(flow.ToDisplay(d), flow.Precision());
                  }};
    const std::vector<Column> cols{FieldColumn(Kind::Node, "Id", m_units, results, m_text),
                                   FieldColumn(Kind::Node, "NodeGrunElev", m_units, results, m_text), demand,
                                   headed("NodeHydrElev"), headed("FreeHead")};
    return Fill(m_text("节点"), cols, m_doc.GetNetwork().Nodes(), [](const ZNetObject& o) { return !o.IsHidden(); });
}

ZReportTable ZReportTables::Pipes() const
{
    std::vector<Column> cols;
    for (const char* key : {"Id", "StartNode", "EndNode", "PipeLength", "PipeDiam", "PipeRougCeof", "Flow", "Velocity",
                            "Slope", "HeadLoss"})
        cols.push_back(FieldColumn(Kind::Pipe, key, m_units, m_results, m_text));
    return Fill(m_text("管道"), cols, m_doc.GetNetwork().Links(),
                [](const ZNetObject& o) { return o.GetKind() == Kind::Pipe; });
}

ZReportTable ZReportTables::Pumps() const
{
    std::vector<Column> cols;
    for (const char* key : {"Id", "StartNode", "EndNode", "Flow"})
        cols.push_back(FieldColumn(Kind::Pump, key, m_units, m_results, m_text));
    cols.push_back(ResultColumn("扬程", m_units.Hydr(), m_results, m_text, [](const ZNetObject& o) {
        const auto& l = static_cast<const ZFlowLink&>(o);
        return l.To()->NodeHydrElev - l.From()->NodeHydrElev;
    }));
    cols.push_back({m_text("运行"), [on = m_text("开启"), off = m_text("关闭")](const ZNetObject& o) {
                        return ZReportCell::Str(static_cast<const ZPumpLink&>(o).PumpOpen ? on : off);
                    }});
    return Fill(m_text("水泵"), cols, m_doc.GetNetwork().Links(),
                [](const ZNetObject& o) { return o.GetKind() == Kind::Pump; });
}

ZReportTable ZReportTables::Valves() const
{
    std::vector<Column> cols;
    for (const char* key : {"Id", "ValveType", "StartNode", "EndNode", "Flow"})
        cols.push_back(FieldColumn(Kind::Valve, key, m_units, m_results, m_text));
    cols.push_back(ResultColumn("压降", m_units.Hydr(), m_results, m_text, [](const ZNetObject& o) {
        const auto& l = static_cast<const ZFlowLink&>(o);
        return l.From()->NodeHydrElev - l.To()->NodeHydrElev;
    }));
    cols.push_back(FieldColumn(Kind::Valve, "ValveState", m_units, m_results, m_text));
    return Fill(m_text("阀门"), cols, m_doc.GetNetwork().Links(),
                [](const ZNetObject& o) { return o.GetKind() == Kind::Valve; });
}

ZReportTable ZReportTables::Tanks() const
{
    std::vector<Column> cols;
    for (const char* key : {"Id", "Outlet", "TankType", "TankCurH", "Flow"})
        cols.push_back(FieldColumn(Kind::Tank, key, m_units, m_results, m_text));
    return Fill(m_text("水池"), cols, m_doc.GetNetwork().Links(),
                [](const ZNetObject& o) { return o.GetKind() == Kind::Tank; });
}
