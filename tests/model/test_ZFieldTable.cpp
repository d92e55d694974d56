#include "model/MemoryKeyValueStore.h"
#include "model/ZFieldTable.h"
#include "model/ZTemplateSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <string>

namespace {
const ZNetObject::Kind kKinds[] = {ZNetObject::Kind::Node, ZNetObject::Kind::Pipe, ZNetObject::Kind::Pump,
                                   ZNetObject::Kind::Valve, ZNetObject::Kind::Tank};

std::unique_ptr<ZNetObject> Make(ZNetObject::Kind k)
{
    switch (k) {
    case ZNetObject::Kind::Node:
        return std::make_unique<ZConsumeNode>();
    case ZNetObject::Kind::Pipe:
        return std::make_unique<ZPipeLink>();
    case ZNetObject::Kind::Pump:
        return std::make_unique<ZPumpLink>();
    case ZNetObject::Kind::Valve:
        return std::make_unique<ZValveLink>();
    default:
        return std::make_unique<ZTankLink>();
    }
}

// A field with a value of its own (not an identifier, a flag or a computed value).
bool Member(const ZField& f)
{
    return !(f.use & ZField::Derived);
}

// Distinct values a field of this kind can hold (types of pumps, valves and tanks are 0..2).
double Sample(const ZField& f, int i)
{
    switch (f.type) {
    case ZField::Bool:
        return i % 2;
    case ZField::Int:
        return 1 + i % 2;
    case ZField::Date:
        return 86400.0 * (i + 1);
    default:
        return 0.25 + i;
    }
}
}   // namespace

TEST(FieldTable, KeysAreUniqueAndNameTheMembers)
{
    for (ZNetObject::Kind k : kKinds) {
        std::set<std::string> keys;
        for (const ZField& f : ZFieldTable::Of(k)) {
            EXPECT_TRUE(keys.insert(f.key).second) << f.key;
            EXPECT_NE(std::string(f.caption), "");
        }
    }
    // The names the whole program uses, read and written through the table.
    ZPipeLink p;
    p.PipeRougCeof = 120.0;
    EXPECT_EQ(ZFieldTable::Get(p, "PipeRougCeof"), 120.0);
    EXPECT_TRUE(ZFieldTable::Set(p, "PipeDiam", 0.45));
    EXPECT_EQ(p.PipeDiam, 0.45);
    EXPECT_TRUE(ZFieldTable::Set(p, "PipeDate", 4294967295.0));
    EXPECT_EQ(p.PipeDate, 4294967295u);
    ZTankLink t;
    EXPECT_TRUE(ZFieldTable::Set(t, "TankType", 1));
    EXPECT_EQ(t.GetTankType(), 1);
    EXPECT_EQ(t.SymbolIndex(), 1);   // the symbol follows the type
    ZConsumeNode n;
    EXPECT_TRUE(ZFieldTable::Set(n, "IsFireNode", 1));
    EXPECT_TRUE(n.IsFireNode());
    // The kind as the balancing sees it: a node that is not flow-known has a known head.
    EXPECT_EQ(ZFieldTable::Get(n, "NodeType"), 0.0);
    n.ClearFlag(qen::FLAG_FLOW_KNOWN);
    EXPECT_EQ(ZFieldTable::Get(n, "NodeType"), 1.0);
    EXPECT_TRUE(ZFieldTable::Set(n, "NodeType", 0));
    EXPECT_TRUE(n.IsFlowKnown() && !n.IsHeadKnown());
}

// Every place a field is shown is taken once: one column each, one calculator entry each, and a
// field shown anywhere can be read.
TEST(FieldTable, PlacesAreUniqueAndReadable)
{
    std::set<int> calc;
    for (ZNetObject::Kind k : kKinds) {
        const auto& columns = ZFieldTable::Columns(k);
        for (size_t c = 0; c < columns.size(); ++c) {
            EXPECT_EQ(columns[c]->column, static_cast<int>(c)) << columns[c]->key;
            EXPECT_TRUE(columns[c]->type == ZField::Text ? columns[c]->text != nullptr : columns[c]->get != nullptr);
        }
        for (const ZField& f : ZFieldTable::Of(k)) {
            if (f.calc != ZField::Nowhere) {
                EXPECT_TRUE(calc.insert(f.calc).second) << f.key;
                EXPECT_TRUE(f.calcText && f.IsInput()) << f.key;
            }
            if (f.group != ZField::Nowhere) {
                EXPECT_TRUE(f.type == ZField::Text ? f.text != nullptr : f.get != nullptr) << f.key;
            }
            EXPECT_EQ(f.type == ZField::Text, !f.get && !f.set) << f.key;
        }
    }
    EXPECT_EQ(calc, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(FieldTable, RefusesUnknownKeysAndValuesOutOfRange)
{
    ZPipeLink p;
    const double diam = p.PipeDiam;
    EXPECT_FALSE(ZFieldTable::Set(p, "NodeFlow", 1.0));   // a node's field
    EXPECT_FALSE(ZFieldTable::Get(p, "Nonsense").has_value());
    EXPECT_FALSE(ZFieldTable::Set(p, "PipeDiam", std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(ZFieldTable::Set(p, "PipeDiam", std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(ZFieldTable::Set(p, "PipeParallel", 3e9));
    EXPECT_FALSE(ZFieldTable::Set(p, "PipeDate", -1.0));
    EXPECT_EQ(p.PipeDiam, diam);
    EXPECT_EQ(p.PipeParallel, 0);
}

TEST(FieldTable, CopyFromTakesTheCopiedFieldsOnly)
{
    for (ZNetObject::Kind k : kKinds) {
        auto from = Make(k);
        int i = 0;
        for (const ZField& f : ZFieldTable::Of(k))
            if (Member(f))
                f.set(*from, Sample(f, i++));
        from->SetId("x");
        std::unique_ptr<ZNetObject> to(from->Clone());
        const auto fresh = Make(k);
        for (const ZField& f : ZFieldTable::Of(k)) {
            if (!Member(f))
                continue;
            if (f.use & ZField::Copied) {
                EXPECT_EQ(f.get(*to), f.get(*from)) << f.key;
            } else if (!(f.use & ZField::Stored)) {   // the fire flag travels with the flags
                EXPECT_EQ(f.get(*to), f.get(*fresh)) << f.key;
            }
        }
        EXPECT_EQ(to->IdView().Bytes(), "");
        // A snapshot holds everything.
        std::unique_ptr<ZNetObject> snap(from->Snapshot());
        for (const ZField& f : ZFieldTable::Of(k)) {
            if (Member(f)) {
                EXPECT_EQ(f.get(*snap), f.get(*from)) << f.key;
            }
        }
        EXPECT_EQ(snap->IdView().Bytes(), "x");
    }
    // Independently of the table: what a pipe clone takes and what it leaves.
    ZPipeLink p;
    p.PipeDiam = 0.6;
    p.Flow = 2.0;
    p.SetVertices({{1, 2}});
    std::unique_ptr<ZPipeLink> c(p.Clone());
    EXPECT_EQ(c->PipeDiam, 0.6);
    EXPECT_EQ(c->Flow, 0.0);
    EXPECT_EQ(c->VertexCount(), 1);
    ZPumpLink pump;
    pump.PumpEfficiency = 0.5;
    EXPECT_EQ(std::unique_ptr<ZPumpLink>(pump.Clone())->PumpEfficiency, 1.0);
}

TEST(FieldTable, TemplateStoreKeysAndRoundTrip)
{
    ZTemplateSet t;
    t.Pipe.PipeRougCeof = 130.0;
    t.Pipe.PipeDate = 86400 * 365;
    t.Node.SetFireNode(true);
    t.Pump.SetPumpType(2);
    t.Valve.ValveOpen = false;
    t.Tank.TankBottomElev = 12.5;
    MemoryKeyValueStore kv;
    t.Save(kv);
    // The stored keys, as written by every earlier version of the program.
    const char* keys[] = {"NodeFlow",         "IsFireNode",    "NodeFireFlow", "NodeGrunElev", "NodeHydrElev",
                          "PipeDiam",         "PipeInDiam",    "PipeRougCeof", "PipeType",     "PipeSideType",
                          "PipeParallel",     "PipeLength",    "PipeDate",     "PumpType",     "PumpOpen",
                          "PumpOperatedRotV", "PumpRatedRotV", "PumpSCoef",    "PumpVacuum",   "PumpStaticH",
                          "ValveType",        "ValveOpen",     "ValveHLess",   "ValveSCoef",   "TankType",
                          "TankArea",         "TankCurH",      "TankMaxHead",  "TankMinHead",  "TankBottomElev"};
    for (const char* key : keys)
        EXPECT_TRUE(kv.ReadInt(ZTemplateSet::Section, key) || kv.ReadBinary(ZTemplateSet::Section, key)) << key;
    EXPECT_FALSE(kv.ReadBinary(ZTemplateSet::Section, "X"));
    EXPECT_FALSE(kv.ReadBinary(ZTemplateSet::Section, "PumpEfficiency"));
    ZTemplateSet r;
    r.Load(kv);
    EXPECT_EQ(r.Pipe.PipeRougCeof, 130.0);
    EXPECT_EQ(r.Pipe.PipeDate, 86400u * 365);
    EXPECT_TRUE(r.Node.IsFireNode());
    EXPECT_EQ(r.Pump.GetPumpType(), 2);
    EXPECT_FALSE(r.Valve.ValveOpen);
    EXPECT_EQ(r.Tank.TankBottomElev, 12.5);
}

TEST(FieldTable, ComponentTemplatesRoundTripWithinTheirRanges)
{
    ZTemplateSet t;
    t.Pipe.PipeMinorLoss = 2.5;
    t.Pump.PumpCurveKind = ZPumpLink::ThreePoint;
    t.Pump.PumpSpeed = 0.9;
    t.Pump.PumpPower = 45.0;
    t.Valve.SetValveType(ZValveLink::Prv);
    t.Valve.ValveSetting = 28.0;
    t.Valve.ValveDiam = 0.3;
    t.Valve.ValveInitStatus = ZValveLink::StatusOpen;
    t.Pump.PumpCurve = {{0.0, 40.0}, {0.05, 35.0}, {0.1, 20.0}};
    t.Valve.ValveCurve = {{0.0, 0.0}, {0.1, 2.5}};
    MemoryKeyValueStore kv;
    t.Save(kv);
    ZTemplateSet r;
    r.Load(kv);
    EXPECT_EQ(r.Pipe.PipeMinorLoss, 2.5);
    EXPECT_EQ(r.Pump.PumpCurveKind, ZPumpLink::ThreePoint);
    EXPECT_EQ(r.Pump.PumpSpeed, 0.9);
    EXPECT_EQ(r.Pump.PumpPower, 45.0);
    EXPECT_EQ(r.Valve.GetValveType(), ZValveLink::Prv);
    EXPECT_EQ(r.Valve.SymbolIndex(), ZValveLink::Prv);
    EXPECT_EQ(r.Valve.ValveSetting, 28.0);
    EXPECT_EQ(r.Valve.ValveDiam, 0.3);
    EXPECT_EQ(r.Valve.ValveInitStatus, ZValveLink::StatusOpen);
    EXPECT_EQ(r.Pump.PumpCurve, t.Pump.PumpCurve);
    EXPECT_EQ(r.Valve.ValveCurve, t.Valve.ValveCurve);
    EXPECT_EQ(kv.ReadBinary(ZTemplateSet::Section, "PumpCurve")->size(), 3u * 16u);
    // Results are not template values.
    EXPECT_FALSE(kv.Contains(ZTemplateSet::Section, "ValveState"));
    EXPECT_FALSE(kv.Contains(ZTemplateSet::Section, "NodeDeliveredFlow"));

    // A type or status a newer or hand-edited file holds outside the list keeps the default.
    kv.WriteInt(ZTemplateSet::Section, "ValveType", ZValveLink::TypeCount);
    kv.WriteInt(ZTemplateSet::Section, "ValveInitStatus", -1);
    kv.WriteInt(ZTemplateSet::Section, "PumpCurveKind", 7);
    kv.SetDouble(ZTemplateSet::Section, "PipeMinorLoss", -1.0);
    std::vector<uint8_t> torn = *kv.ReadBinary(ZTemplateSet::Section, "PumpCurve");
    torn.pop_back();
    kv.WriteBinary(ZTemplateSet::Section, "PumpCurve", torn);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<uint8_t> bad(16);
    std::memcpy(bad.data() + 8, &nan, 8);
    kv.WriteBinary(ZTemplateSet::Section, "ValveCurve", bad);
    ZTemplateSet d;
    d.Load(kv);
    EXPECT_TRUE(d.Pump.PumpCurve.empty());
    EXPECT_TRUE(d.Valve.ValveCurve.empty());
    EXPECT_EQ(d.Valve.GetValveType(), ZValveLink::Gate);
    EXPECT_EQ(d.Valve.ValveInitStatus, ZValveLink::StatusActive);
    EXPECT_EQ(d.Pump.PumpCurveKind, ZPumpLink::QuadraticLaw);
    EXPECT_EQ(d.Pipe.PipeMinorLoss, 0.0);
}
