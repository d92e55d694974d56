#include "Continuity.h"
#include "NetworkState.h"
#include "TestNet.h"

#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"

#include <gtest/gtest.h>

namespace {
// Counts what the document tells, keeping the last hint.
struct Listener : ZDocumentListener {
    int changes = 0;
    int modifiedChanges = 0;
    ZNetMsg last;
    std::vector<ZNetObject*> objects;
    void OnDocumentChanged(const ZNetMsg& msg) override
    {
        ++changes;
        last = msg;
        objects = msg.Objects ? *msg.Objects : std::vector<ZNetObject*>();
    }
    void OnModifiedChanged(bool) override { ++modifiedChanges; }
};

// A small network with every kind of object, bend points and results.
struct EditTransaction : ::testing::Test {
    Listener listener;   // outlives the document, which tells its listeners when it goes
    ZDocument doc;
    TestNet t{doc.GetNetwork()};

    void SetUp() override
    {
        ZConsumeNode* src = t.Source("S", 50.0);
        ZConsumeNode* a = t.Node("A", 0.01, 3.0);
        ZConsumeNode* b = t.Node("B", 0.02, 4.0);
        ZConsumeNode* c = t.Node("C", 0.03, 5.0);
        ZConsumeNode* d = t.Node("D", 0.04, 6.0);
        a->X = 100.0;
        b->X = 200.0;
        c->Y = 100.0;
        d->X = d->Y = 300.0;
        t.Pump("U1", src, a, 30.0, 10.0)->PumpEfficiency = 0.7;
        t.Pipe("P1", a, b);
        t.Pipe("P2", b, c)->SetVertices({{150.0, 50.0}, {160.0, 70.0}});
        t.Pipe("P3", c, a);
        t.Pipe("P4", b, d);
        t.Valve("V1", c, d, 2.0, ZValveLink::PressureReducing, 1.5);
        t.Tank("T1", d, 20.0, 4.0);
        for (ZFlowLink* l : doc.GetNetwork().Links())
            l->Flow = 0.001 * l->GetIndex();
        doc.AddListener(&listener);
    }
    ZNetwork& net() { return doc.GetNetwork(); }
};
}   // namespace

TEST_F(EditTransaction, FieldEditUndoesAndRedoesExactly)
{
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "edit");
        auto* p2 = static_cast<ZPipeLink*>(net().FindLink("P2"));
        tx.Touch(p2);
        p2->PipeDiam = 0.5;
        p2->SetVertices({{1.0, 2.0}});
        p2->SetFlag(qen::FLAG_ACCIDENT_PIPE);
        p2->Flow = -3.0;
        ZConsumeNode* a = net().FindNode("A");
        tx.Touch(a);
        a->NodeFlow = 7.0;
        a->SetHeadKnown(true);
        EXPECT_TRUE(tx.Commit());
    }
    const std::string after = DescribeDocument(doc);
    ASSERT_NE(before, after);
    EXPECT_EQ(listener.changes, 1);
    EXPECT_EQ(listener.last.Code, ZNetMsg::ObjectsChanged);
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::PositionEdited);   // P2's bend points moved
    EXPECT_EQ(listener.objects.size(), 2u);
    EXPECT_EQ(doc.History().UndoText(), "edit");

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(listener.changes, 2);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(DescribeDocument(doc), after);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(listener.changes, 3);
}

TEST_F(EditTransaction, AttributeOnlyEditsSayAttributesEdited)
{
    ZEditTransaction tx(doc, "flow");
    ZConsumeNode* b = net().FindNode("B");
    tx.Touch(b);
    b->NodeFlow = 1.0;
    tx.Commit();
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::AttributesEdited);
    ASSERT_EQ(listener.objects.size(), 1u);
    EXPECT_EQ(listener.objects[0], b);
}

// The component fields that are not in the field table travel with the object's own copy.
TEST_F(EditTransaction, ComponentFieldsUndoAndRedo)
{
    auto* v = static_cast<ZValveLink*>(net().FindLink("V1"));
    auto* u = static_cast<ZPumpLink*>(net().FindLink("U1"));
    auto* p = static_cast<ZPipeLink*>(net().FindLink("P1"));
    ZConsumeNode* a = net().FindNode("A");
    {
        ZEditTransaction tx(doc, "edit");
        for (ZNetObject* o : std::initializer_list<ZNetObject*>{v, u, p, a})
            tx.TouchFields(o);
        v->SetValveType(ZValveLink::Gpv);
        v->ValveSetting = 25.0;
        v->ValveDiam = 0.2;
        v->ValveInitStatus = ZValveLink::StatusOpen;
        v->ValveCurve = {{0.0, 0.0}, {0.1, 2.0}};
        v->ValveState = ZValveLink::StateCannotHold;
        u->PumpCurveKind = ZPumpLink::ThreePoint;
        u->PumpCurve = {{0.0, 40.0}, {0.05, 35.0}, {0.1, 20.0}};
        u->PumpPower = 7.5;
        u->PumpSpeed = 0.9;
        p->PipeMinorLoss = 2.5;
        a->NodeDeliveredFlow = 0.004;
        ASSERT_TRUE(tx.Commit());
    }
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(v->GetValveType(), ZValveLink::PressureReducing);
    EXPECT_EQ(v->ValveSetting, 0.0);
    EXPECT_EQ(v->ValveDiam, 0.0);
    EXPECT_EQ(v->ValveInitStatus, ZValveLink::StatusActive);
    EXPECT_TRUE(v->ValveCurve.empty());
    EXPECT_EQ(v->ValveState, ZValveLink::StateNone);
    EXPECT_EQ(u->PumpCurveKind, ZPumpLink::QuadraticLaw);
    EXPECT_TRUE(u->PumpCurve.empty());
    EXPECT_EQ(u->PumpPower, 0.0);
    EXPECT_EQ(u->PumpSpeed, 1.0);
    EXPECT_EQ(p->PipeMinorLoss, 0.0);
    EXPECT_EQ(a->NodeDeliveredFlow, 0.0);
    EXPECT_EQ(u->PumpEfficiency, 0.7);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(v->ValveSetting, 25.0);
    EXPECT_EQ(v->ValveCurve, (Curve{{0.0, 0.0}, {0.1, 2.0}}));
    EXPECT_EQ(v->ValveState, ZValveLink::StateCannotHold);
    EXPECT_EQ(u->PumpCurve.size(), 3u);
    EXPECT_EQ(u->PumpSpeed, 0.9);
    EXPECT_EQ(p->PipeMinorLoss, 2.5);
    EXPECT_EQ(a->NodeDeliveredFlow, 0.004);
    // A copy made from the object (a template's clone) carries them too.
    std::unique_ptr<ZValveLink> copy(v->Clone());
    EXPECT_EQ(copy->ValveCurve, v->ValveCurve);
    EXPECT_EQ(copy->ValveInitStatus, ZValveLink::StatusOpen);
}

TEST_F(EditTransaction, InsertionUndoesToTheSameOrderAndIncidence)
{
    const std::string before = DescribeDocument(doc);
    auto* node = new ZConsumeNode;
    auto* pipe = new ZPipeLink;
    {
        ZEditTransaction tx(doc, "insert");
        node->SetId("AA");   // sorts between A and B
        node->X = 5.0;
        ASSERT_TRUE(net().AddNode(node));
        tx.Added(node);
        pipe->SetId("P15");
        ASSERT_TRUE(net().AddLink(net().FindNode("B"), node, pipe));
        tx.Added(pipe);
        tx.Commit();
    }
    const std::string after = DescribeDocument(doc);
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::Added);
    EXPECT_EQ(listener.objects.size(), 2u);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::Removed);
    EXPECT_EQ(node->GetIndex(), -1);   // kept by the history, out of the network
    EXPECT_EQ(pipe->GetIndex(), -1);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(DescribeDocument(doc), after);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(net().FindLink("P15"), pipe);
}

TEST_F(EditTransaction, NodeRemovalComesBackWithItsLinksInOrder)
{
    const std::string before = DescribeDocument(doc);
    ZConsumeNode* b = net().FindNode("B");
    b->SetFlag(qen::FLAG_SELECTED);
    std::vector<ZNetObject*> removed;
    {
        ZEditTransaction tx(doc, "delete");
        net().TakeOutNode(b, removed);
        for (ZNetObject* o : removed)
            tx.Removed(o);
        tx.Commit();
    }
    ASSERT_EQ(removed.size(), 4u);   // B, P1, P2, P4; no neighbour is left alone
    EXPECT_FALSE(b->IsSelected());   // the path ends the selection, not the views
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::Removed);
    const std::string after = DescribeDocument(doc);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::Added);
    EXPECT_EQ(listener.objects.size(), 4u);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(DescribeDocument(doc), after);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
}

TEST_F(EditTransaction, RenameAndMergeRestoreIdsAndSortOrder)
{
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "rename and merge");
        ZConsumeNode* a = net().FindNode("A");
        tx.Touch(a);
        a->SetId("Z9");
        net().ReSortNode(a);
        ZFlowLink* p1 = net().FindLink("P1");
        tx.Touch(p1);
        p1->SetId("0");
        net().ReSortLink(p1);
        ZConsumeNode* dropped = net().MergeNodes(net().FindNode("C"), net().FindNode("S"));
        tx.Removed(dropped);
        tx.Commit();
    }
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::None);   // removal and edits at once
    const std::string after = DescribeDocument(doc);
    ASSERT_NE(after, before);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(DescribeDocument(doc), after);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
}

TEST_F(EditTransaction, ConnectingByHandIsRecordedThroughTheLink)
{
    // Reversing and reconnecting a link without going through the network: touching the link
    // is enough, its old and new ends come back with their lists in order.
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "reconnect");
        ZFlowLink* p4 = net().FindLink("P4");
        tx.Touch(p4);
        p4->Disconnect();
        p4->Connect(net().FindNode("D"), net().FindNode("S"));
        tx.Commit();
    }
    const std::string after = DescribeDocument(doc);
    ASSERT_NE(after, before);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(DescribeDocument(doc), after);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
}

TEST_F(EditTransaction, MovingADeviceNodeTakesItsOtherEndAlong)
{
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "move");
        ZConsumeNode* s = net().FindNode("S");   // the pump's inlet
        tx.Touch(s);
        s->SetPosition(-50.0, -60.0);
        tx.Commit();
    }
    ASSERT_EQ(net().FindNode("A")->X, -50.0);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
}

TEST_F(EditTransaction, UndoRestoresTheBalancedFlagOfTheStateItReturnsTo)
{
    ZDrawSettings& ds = doc.GetDrawSettings();
    ds.Balanced = 0;
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "edit");
        ZConsumeNode* a = net().FindNode("A");
        tx.Touch(a);
        a->NodeFlow = 2.0;
        tx.Commit();
    }
    // A balancing run after the edit: results and the flag, announced but not recorded.
    ds.Balanced = 1;
    net().FindNode("A")->NodeHydrElev = 44.0;
    doc.MarkModified();
    doc.Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
    EXPECT_EQ(doc.History().UndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(ds.Balanced, 0u);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(ds.Balanced, 0u);   // the state right after the edit, before any balancing

    // Balanced before the edit: undo keeps it balanced.
    ds.Balanced = 1;
    {
        ZEditTransaction tx(doc, "edit 2");
        ZConsumeNode* b = net().FindNode("B");
        tx.Touch(b);
        b->NodeFlow = 2.0;
        tx.Commit();
    }
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(ds.Balanced, 1u);
}

TEST_F(EditTransaction, TransactionWithoutCommitPutsEverythingBack)
{
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "abandoned");
        ZConsumeNode* a = net().FindNode("A");
        tx.Touch(a);
        a->X = 999.0;
        std::vector<ZNetObject*> removed;
        net().TakeOutLink(net().FindLink("P3"), removed);
        for (ZNetObject* o : removed)
            tx.Removed(o);
        auto* n = new ZConsumeNode;
        n->SetId("new");
        net().AddNode(n);
        tx.Added(n);
    }
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    EXPECT_EQ(listener.changes, 0);
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditTransaction, NestedTransactionsMakeOneEdit)
{
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction outer(doc, "outer");
        ZConsumeNode* a = net().FindNode("A");
        outer.Touch(a);
        a->NodeFlow = 5.0;
        {
            ZEditTransaction inner(doc, "inner");
            ZConsumeNode* b = net().FindNode("B");
            inner.Touch(b);
            b->NodeFlow = 6.0;
            EXPECT_FALSE(inner.Commit());
        }
        EXPECT_EQ(listener.changes, 0);
        EXPECT_FALSE(doc.Undo());   // not while a transaction is open
        EXPECT_TRUE(outer.Commit());
    }
    EXPECT_EQ(listener.changes, 1);
    EXPECT_EQ(doc.History().UndoCount(), 1);
    EXPECT_EQ(doc.History().UndoText(), "outer");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
}

TEST_F(EditTransaction, EmptyTransactionRecordsAndAnnouncesNothing)
{
    {
        ZEditTransaction tx(doc, "nothing");
        EXPECT_FALSE(tx.Commit());
    }
    EXPECT_EQ(listener.changes, 0);
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditTransaction, AddedAndRemovedInOneTransactionLeavesNoTrace)
{
    const std::string before = DescribeDocument(doc);
    ZEditTransaction tx(doc, "twice");
    auto* n = new ZConsumeNode;
    n->SetId("tmp");
    net().AddNode(n);
    tx.Added(n);
    std::vector<ZNetObject*> removed;
    net().TakeOutNode(n, removed);
    for (ZNetObject* o : removed)
        tx.Removed(o);   // deleted by the transaction
    auto* a = net().FindNode("A");
    tx.Touch(a);
    a->NodeFlow = 0.5;
    tx.Commit();
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::AttributesEdited);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
}

TEST_F(EditTransaction, ViewMarksSurviveUndoAndRedo)
{
    // Transient bits belong to the views (visible set, selection), not to the recorded state.
    ZConsumeNode* a = net().FindNode("A");
    a->SetFlag(qen::FLAG_PICKED | qen::FLAG_SELECTED);
    {
        ZEditTransaction tx(doc, "flow");
        tx.Touch(a);
        a->NodeFlow = 3.0;
        a->ClearFlag(qen::FLAG_PICKED);
        tx.Commit();
    }
    a->SetFlag(qen::FLAG_PICKED);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(a->HasFlag(qen::FLAG_PICKED));
    EXPECT_TRUE(a->IsSelected());
    EXPECT_EQ(a->NodeFlow, 0.01);
}

TEST_F(EditTransaction, FieldOnlyTouchesRecordTheObjectAloneAndJoinLaterReconnections)
{
    const std::string before = DescribeDocument(doc);
    {
        ZEditTransaction tx(doc, "values");
        auto* p1 = static_cast<ZPipeLink*>(net().FindLink("P1"));
        tx.TouchFields(p1);
        p1->PipeDiam = 0.4;
        tx.Commit();
    }
    EXPECT_EQ(listener.last.SubCode, ZNetMsg::AttributesEdited);
    ASSERT_EQ(listener.objects.size(), 1u);   // its end nodes were not recorded
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DescribeDocument(doc), before);

    // Values first, then the same objects' connections change in the same step: P4 is taken out,
    // P2 reconnected by hand, and a pipe is added at B, whose values were touched too.
    {
        ZEditTransaction tx(doc, "values and topology");
        ZConsumeNode* b = net().FindNode("B");
        auto* p2 = static_cast<ZPipeLink*>(net().FindLink("P2"));
        auto* p4 = static_cast<ZPipeLink*>(net().FindLink("P4"));
        auto* p3 = static_cast<ZPipeLink*>(net().FindLink("P3"));
        for (ZNetObject* o : std::initializer_list<ZNetObject*>{b, p2, p3, p4})
            tx.TouchFields(o);
        b->NodeFlow = 0.5;
        p2->PipeDiam = p3->PipeDiam = p4->PipeDiam = 0.3;
        std::vector<ZNetObject*> removed;
        net().TakeOutLink(p4, removed);
        for (ZNetObject* o : removed)
            tx.Removed(o);
        tx.Touch(p2);
        p2->Disconnect();
        p2->Connect(net().FindNode("D"), b);
        auto* pipe = new ZPipeLink;
        pipe->SetId("P9");
        ASSERT_TRUE(net().AddLink(net().FindNode("S"), b, pipe));
        tx.Added(pipe);
        tx.Commit();
    }
    // A link reconnected by hand to C, which was touched for values only, as was its link P3.
    {
        ZEditTransaction tx(doc, "to C");
        auto* p3 = static_cast<ZPipeLink*>(net().FindLink("P3"));
        tx.TouchFields(p3);
        p3->PipeDiam = 0.2;
        ZConsumeNode* c = net().FindNode("C");
        tx.TouchFields(c);
        c->NodeFlow = 0.25;
        ZFlowLink* p1 = net().FindLink("P1");
        tx.Touch(p1);
        p1->Disconnect();
        p1->Connect(net().FindNode("A"), net().FindNode("C"));
        tx.Commit();
    }
    const std::string after = DescribeDocument(doc);
    ASSERT_NE(after, before);
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    ASSERT_TRUE(doc.Redo());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(doc.Undo());
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(DescribeDocument(doc), before);
        EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
        ASSERT_TRUE(doc.Redo());
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(DescribeDocument(doc), after);
        EXPECT_EQ(ContinuityFault(doc.GetNetwork()), "");
    }
}
