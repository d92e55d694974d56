// One table of the table window: rows, columns, texts in the user's units, sorting, refreshes.
#include "GridTestNetwork.h"

#include "model/ZSettingsStore.h"
#include "views/CQENGridModel.h"
#include "views/ZGridColumns.h"

#include <QSignalSpy>
#include <QtTest>

using G = ZGridColumns;

class TestCQENGridModel : public QObject {
    Q_OBJECT
    ZSettingsStore settings;

    static QString Cell(const CQENGridModel& m, int row, int column) { return m.data(m.index(row, column)).toString(); }
    static QStringList Column(const CQENGridModel& m, int column)
    {
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r)
            out << Cell(m, r, column);
        return out;
    }
    static QStringList Titles(const CQENGridModel& m)
    {
        QStringList out;
        for (int c = 0; c < m.columnCount(); ++c)
            out << m.headerData(c, Qt::Horizontal).toString();
        return out;
    }

private slots:
    void tablesListTheirKindWithTitles()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        const ZNetwork& net = doc.GetNetwork();
        CQENGridModel nodes(G::NodeTab, &net, settings.Units());
        CQENGridModel pipes(G::PipeTab, &net, settings.Units());
        CQENGridModel pumps(G::PumpTab, &net, settings.Units());
        CQENGridModel valves(G::ValveTab, &net, settings.Units());
        CQENGridModel tanks(G::TankTab, &net, settings.Units());
        // Each title with the unit of its values.
        QCOMPARE(Titles(nodes), QString("编号|类型|地面标高 (m)|横坐标 (m)|纵坐标 (m)|水量 (l/s)|绝对水头 (mH2O)|"
                                        "自由水头 (mH2O)|消防流量 (l/s)|实供水量 (l/s)")
                                    .split('|'));
        QCOMPARE(Titles(pipes),
                 QString("编号|管径 (mm)|类型|供水方式|起始节点|终止节点|敷设日期|计算内径 (mm)|系数|长度 (m)|"
                         "并行管数|流量 (l/s)|压降 (mH2O)|流速 (m/s)|水力坡度 (mH2O/m)|局阻系数")
                     .split('|'));
        QCOMPARE(Titles(pumps),
                 QString("编号|类型|入口节点|出口节点|额定转速 (r/min)|阻力系数|静态扬程 (mH2O)|气蚀余量 (mH2O)|"
                         "操作转速 (r/min)|效率|曲线|相对转速|功率 (kW)")
                     .split('|'));
        QCOMPARE(Titles(valves),
                 QString("编号|类型|入口节点|出口节点|阻力系数|减压量 (mH2O)|设定值|阀门直径 (mm)|初始状态|状态")
                     .split('|'));
        QCOMPARE(Titles(tanks),
                 QString("编号|面积 (m²)|类型|出口节点|最低水位 (m)|最高水位 (m)|当前水位 (m)|出水量 (l/s)|"
                         "池底标高 (m)")
                     .split('|'));
        // The tank's internal node has no row; the tank lists its visible outlet.
        QCOMPARE(Column(nodes, 0), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(Column(tanks, 0), QStringList{"T"});
        QCOMPARE(Cell(tanks, 0, 3), QStringLiteral("1"));
        QCOMPARE(Cell(tanks, 0, 2), QStringLiteral("蓄水池"));
        QCOMPARE(Cell(tanks, 0, 6), QStringLiteral("4.5"));
        // An empty table has its titles, no rows and no current record.
        QCOMPARE(pumps.rowCount(), 0);
        QCOMPARE(pumps.columnCount(), 13);
        QCOMPARE(pumps.CurrentRecord(), 0);
        QCOMPARE(pumps.RecordText(), QStringLiteral("0/0"));
        QCOMPARE(nodes.CurrentRecord(), 1);
        QCOMPARE(nodes.headerData(0, Qt::Vertical).toString(), QStringLiteral("* 1"));
        QCOMPARE(nodes.headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
    }

    void cellTexts()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        const ZNetwork& net = doc.GetNetwork();
        CQENGridModel nodes(G::NodeTab, &net, settings.Units());
        CQENGridModel pipes(G::PipeTab, &net, settings.Units());
        CQENGridModel valves(G::ValveTab, &net, settings.Units());
        // Node "1" is the tank outlet: head-known.
        QCOMPARE(Cell(nodes, 0, 1), QStringLiteral("已知水压"));
        QCOMPARE(Cell(nodes, 1, 1), QStringLiteral("已知流量"));
        QCOMPARE(Cell(nodes, 1, 2), QStringLiteral("12.0"));
        QCOMPARE(Cell(nodes, 1, 3), QStringLiteral("100.0"));
        QCOMPARE(Cell(nodes, 1, 5), QStringLiteral("12.50"));
        QCOMPARE(Cell(nodes, 1, 6), QStringLiteral("28.00"));
        QCOMPARE(Cell(nodes, 1, 7), QStringLiteral("16.00"));
        const int r12 = 0;
        QCOMPARE(Cell(pipes, r12, 0), QStringLiteral("12"));
        QCOMPARE(Cell(pipes, r12, 1), QStringLiteral("300"));
        QCOMPARE(Cell(pipes, r12, 2), QStringLiteral("MN"));
        QCOMPARE(Cell(pipes, r12, 3), QStringLiteral("双侧"));
        QCOMPARE(Cell(pipes, r12, 4), QStringLiteral("1"));
        QCOMPARE(Cell(pipes, r12, 5), QStringLiteral("2"));
        QCOMPARE(Cell(pipes, r12, 6), QStringLiteral("2000/02/15"));
        QCOMPARE(Cell(pipes, r12, 9), QStringLiteral("1234.5"));
        QCOMPARE(Cell(pipes, r12, 11), QStringLiteral("12.50"));
        // From the tank's surface at 4.5 to 28: a head loss of -23.5 over 1234.5 m.
        QCOMPARE(Cell(pipes, r12, 12), QStringLiteral("-23.50"));
        QCOMPARE(Cell(pipes, r12, 13), QStringLiteral("0.18"));
        QCOMPARE(Cell(pipes, r12, 14), QStringLiteral("0.01904"));
        QCOMPARE(Cell(valves, 0, 1), QStringLiteral("减压阀"));
        QCOMPARE(Cell(valves, 0, 2), QStringLiteral("3"));
        QCOMPARE(Cell(valves, 0, 3), QStringLiteral("5"));
        QCOMPARE(Cell(valves, 0, 5), QStringLiteral("5.00"));
        QCOMPARE(Cell(valves, 0, 9), QString());   // not balanced since it was made
        // A control valve: its kind with the exchange's code, setting as stored, its run's state.
        ZValveLink* v = nullptr;
        for (ZFlowLink* l : doc.GetNetwork().Links())
            if (l->GetKind() == ZNetObject::Kind::Valve)
                v = static_cast<ZValveLink*>(l);
        QVERIFY(v);
        v->SetValveType(ZValveLink::Fcv);
        v->ValveSetting = 0.025;
        v->ValveInitStatus = ZValveLink::StatusOpen;
        v->ValveState = ZValveLink::StateCannotHold;
        QCOMPARE(Cell(valves, 0, 1), QStringLiteral("流量控制阀(FCV)"));
        QCOMPARE(Cell(valves, 0, 6), QStringLiteral("0.025"));
        QCOMPARE(Cell(valves, 0, 8), QStringLiteral("开启"));
        QCOMPARE(Cell(valves, 0, 9), QStringLiteral("无法保持设定值"));
        QCOMPARE(pipes.headerData(9, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("长度 (m)"));
        // A value that rounds to zero shows no sign.
        doc.GetNetwork().FindNode("3")->NodeFlow = -0.000001;
        QCOMPARE(Cell(nodes, 2, 5), QStringLiteral("0.00"));
        doc.GetNetwork().FindNode("3")->NodeFlow = -0.01;
        QCOMPARE(Cell(nodes, 2, 5), QStringLiteral("-10.00"));
        // A node cut off from every known head has no head to show.
        doc.GetNetwork().FindNode("2")->SetFlag(qen::FLAG_CUT_OFF);
        QCOMPARE(Cell(nodes, 1, G::ColumnOf(G::NodeTab, "NodeHydrElev")), QString());
        QCOMPARE(Cell(nodes, 1, G::ColumnOf(G::NodeTab, "FreeHead")), QString());
        QCOMPARE(Cell(nodes, 1, 5), QStringLiteral("12.50"));
    }

    void unitsChangeTheTexts()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        ZSettingsStore own;
        CQENGridModel pipes(G::PipeTab, &doc.GetNetwork(), own.Units());
        CQENGridModel nodes(G::NodeTab, &doc.GetNetwork(), own.Units());
        own.Units().Get(UnitSystem::Length).SetUnitIndex(1);   // km
        own.Units().Get(UnitSystem::Length).SetPrecision(2);
        own.Units().Get(UnitSystem::Flow).SetUnitIndex(2);       // m3/h
        own.Units().Get(UnitSystem::Head).SetUnitIndex(1);       // MPa
        own.Units().Get(UnitSystem::Diameter).SetUnitIndex(0);   // m
        own.Units().Get(UnitSystem::Diameter).SetPrecision(2);
        QCOMPARE(Cell(pipes, 0, 9), QStringLiteral("1.23"));
        QCOMPARE(Cell(pipes, 0, 11), QStringLiteral("45.00"));
        QCOMPARE(Cell(pipes, 0, 1), QStringLiteral("0.30"));
        QCOMPARE(Cell(nodes, 1, 6), QStringLiteral("0.28"));
        QCOMPARE(pipes.headerData(9, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("长度 (km)"));
        QCOMPARE(pipes.headerData(11, Qt::Horizontal).toString(), QStringLiteral("流量 (m3/h)"));
        QCOMPARE(nodes.headerData(6, Qt::Horizontal).toString(), QStringLiteral("绝对水头 (MPa)"));
        // Coordinates and elevations stay in metres, with the length precision.
        QCOMPARE(Cell(nodes, 1, 2), QStringLiteral("12.00"));
        QCOMPARE(Cell(nodes, 1, 3), QStringLiteral("100.00"));
    }

    void sortingFollowsValuesAndKeepsTheRecord()
    {
        ZDocument doc;
        ViewTestNetworks::Square(doc);
        for (const char* id : {"10", "9", "J2", "J10", "J1"})
            ViewTestNetworks::AddNode(doc, id, 0, 0);
        const ZNetwork& net = doc.GetNetwork();
        CQENGridModel nodes(G::NodeTab, &net, settings.Units());
        // Network order is byte order of the identifiers.
        QCOMPARE(Column(nodes, 0), (QStringList{"1", "10", "2", "3", "4", "9", "J1", "J10", "J2"}));
        nodes.SetCurrentRecord(3);   // "2"
        nodes.sort(0, Qt::AscendingOrder);
        QCOMPARE(Column(nodes, 0), (QStringList{"1", "2", "3", "4", "9", "10", "J1", "J2", "J10"}));
        QCOMPARE(nodes.CurrentRecord(), 2);
        QCOMPARE(nodes.headerData(1, Qt::Vertical).toString(), QStringLiteral("* 2"));
        // Heads 30, 28, 26, 27 and zeros, descending; ties keep network order.
        nodes.sort(6, Qt::DescendingOrder);
        QCOMPARE(Column(nodes, 0), (QStringList{"1", "2", "4", "3", "10", "9", "J1", "J10", "J2"}));
        QCOMPARE(nodes.CurrentRecord(), 2);
        nodes.sort(-1);
        QCOMPARE(Column(nodes, 0), (QStringList{"1", "10", "2", "3", "4", "9", "J1", "J10", "J2"}));
        QCOMPARE(nodes.CurrentRecord(), 3);
        // A refill keeps the order chosen.
        nodes.sort(6, Qt::AscendingOrder);
        ViewTestNetworks::AddNode(doc, "0", 0, 0, 29);
        nodes.Refill();
        QCOMPARE(Column(nodes, 0).mid(7), (QStringList{"2", "0", "1"}));
    }

    void refillKeepsTheRecordOnItsObject()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        ZNetwork& net = doc.GetNetwork();
        CQENGridModel pipes(G::PipeTab, &net, settings.Units());
        pipes.SetCurrentRecord(3);   // "34"
        QCOMPARE(pipes.RecordText(), QStringLiteral("3/4"));
        std::vector<ZNetObject*> removed;
        net.TakeOutLink(net.FindLink("12"), removed);
        pipes.Refill();
        QCOMPARE(pipes.rowCount(), 3);
        QCOMPARE(Cell(pipes, pipes.CurrentRecord() - 1, 0), QStringLiteral("34"));
        // Removing the current record's object leaves the record in range.
        removed.clear();
        net.TakeOutLink(net.FindLink("41"), removed);
        pipes.SetCurrentRecord(3);
        pipes.Refill();
        QCOMPARE(pipes.CurrentRecord(), 2);
        for (ZNetObject* o : removed)
            o->DeleteSelf();
    }

    void refreshesAnnounceOnlyWhatChanged()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        ZNetwork& net = doc.GetNetwork();
        CQENGridModel nodes(G::NodeTab, &net, settings.Units());
        QSignalSpy changed(&nodes, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&nodes, &QAbstractItemModel::modelReset);
        net.FindNode("3")->NodeHydrElev = 31.5;
        nodes.RefreshObjects({net.FindNode("3")});
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].value<QModelIndex>().row(), 2);
        QCOMPARE(changed[0][1].value<QModelIndex>().row(), 2);
        QCOMPARE(Cell(nodes, 2, 6), QStringLiteral("31.50"));
        nodes.RefreshValues();
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[1][1].value<QModelIndex>().row(), 4);
        QCOMPARE(reset.size(), 0);
    }
};

QTEST_MAIN(TestCQENGridModel)
#include "test_CQENGridModel.moc"
