#include "TestNet.h"

#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZValueEdit.h"

#include <gtest/gtest.h>

namespace {
struct ModifiedLog : ZDocumentListener {
    std::vector<bool> states;
    int changes = 0;
    void OnDocumentChanged(const ZNetMsg&) override { ++changes; }
    void OnModifiedChanged(bool modified) override { states.push_back(modified); }
};

void EditFlow(ZDocument& doc, const char* id, double flow)
{
    ZEditTransaction tx(doc, std::string("flow ") + id);
    ZConsumeNode* n = doc.GetNetwork().FindNode(GbkView(id));
    tx.Touch(n);
    n->NodeFlow = flow;
    tx.Commit();
}
}   // namespace

TEST(Document, ModifiedFollowsTheHistory)
{
    ZDocument doc;
    TestNet t(doc.GetNetwork());
    t.Node("A");
    t.Node("B");
    ModifiedLog log;
    doc.AddListener(&log);
    EXPECT_FALSE(doc.IsModified());

    EditFlow(doc, "A", 1.0);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_FALSE(doc.IsModified());   // back at the opened state
    doc.Redo();
    EXPECT_TRUE(doc.IsModified());
    doc.SetSaved();
    EXPECT_FALSE(doc.IsModified());
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());   // the saved state again
    EXPECT_EQ(log.states, (std::vector<bool>{true, false, true, false, true, false}));

    // A new edit after undoing past the saved state: the saved state is gone for good.
    doc.Undo();
    EditFlow(doc, "B", 2.0);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());   // not the saved state either: that had A's flow at 1.0

    // An unrecorded change keeps the document modified whatever the history does.
    doc.SetSaved();
    doc.MarkModified();
    EXPECT_TRUE(doc.IsModified());
    doc.SetSaved();
    EXPECT_FALSE(doc.IsModified());

    // Reset (new, open) clears the history and the modified state.
    EditFlow(doc, "A", 3.0);
    doc.Reset();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.History().CanUndo());
    doc.RemoveListener(&log);
}

TEST(Document, EveryChangeIsAnnouncedOnce)
{
    ModifiedLog log, second;   // outlive the document, which tells its listeners when it goes
    ZDocument doc;
    TestNet t(doc.GetNetwork());
    t.Node("A");
    doc.AddListener(&log);
    doc.AddListener(&second);
    doc.AddListener(&log);   // twice: still told once
    EditFlow(doc, "A", 1.0);
    EXPECT_EQ(log.changes, 1);
    doc.Undo();
    doc.Redo();
    EXPECT_EQ(log.changes, 3);
    EXPECT_EQ(second.changes, 3);
    EXPECT_FALSE(doc.Redo());   // nothing to redo: nothing told
    EXPECT_EQ(log.changes, 3);
    doc.Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
    EXPECT_EQ(log.changes, 4);
    doc.RemoveListener(&second);
    EditFlow(doc, "A", 2.0);
    EXPECT_EQ(log.changes, 5);
    EXPECT_EQ(second.changes, 4);
}

TEST(Document, ValueEditsSwapSettingsBothWays)
{
    ZDocument doc;
    ZDrawSettings changed = doc.GetDrawSettings();
    changed.NodeGradeOn = 1;
    changed.ContourInterval = 0.5;
    doc.Perform(std::make_unique<ZValueEdit<ZDrawSettings>>("options", doc.GetDrawSettings(), changed,
                                                            ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr}));
    EXPECT_EQ(doc.GetDrawSettings().ContourInterval, 0.5);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_EQ(doc.GetDrawSettings().ContourInterval, 0.2);
    EXPECT_EQ(doc.GetDrawSettings().NodeGradeOn, 0u);
    EXPECT_FALSE(doc.IsModified());
    doc.Redo();
    EXPECT_EQ(doc.GetDrawSettings().NodeGradeOn, 1u);
}

TEST(Document, ResultsGoStaleWithEditsAndComeBackOnlyWithAnUndoToTheRun)
{
    ZDocument doc;
    TestNet t(doc.GetNetwork());
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
    ZConsumeNode* c = t.Node("C");
    ZPipeLink* ab = t.Pipe("AB", a, b);
    ZPipeLink* bc = t.Pipe("BC", b, c);
    // As opened: the stored results count as current.
    EXPECT_FALSE(doc.HasStaleResults());
    doc.ResultsComputed(true);

    EditFlow(doc, "A", 1.0);
    EXPECT_TRUE(doc.HasStaleResults());
    EXPECT_TRUE(doc.IsResultStale(*a));
    EXPECT_TRUE(doc.IsResultStale(*ab));   // its head loss comes from A's head
    EXPECT_FALSE(doc.IsResultStale(*b));
    EXPECT_FALSE(doc.IsResultStale(*bc));
    EditFlow(doc, "C", 1.0);
    EXPECT_TRUE(doc.IsResultStale(*bc));
    // Undoing one of two edits is not the run's network; undoing both is.
    doc.Undo();
    EXPECT_TRUE(doc.HasStaleResults());
    EXPECT_TRUE(doc.IsResultStale(*c));   // an undo is a change of its own
    doc.Undo();
    EXPECT_FALSE(doc.HasStaleResults());
    EXPECT_FALSE(doc.IsResultStale(*a));
    EXPECT_FALSE(doc.IsResultStale(*c));
    // Redo brings the edit's state, recorded with the results before the run: stale.
    doc.Redo();
    EXPECT_TRUE(doc.IsResultStale(*a));
    doc.Undo();
    EXPECT_FALSE(doc.HasStaleResults());

    // Below the run, the way back is gone: an edit's after-state was captured before the run.
    EditFlow(doc, "B", 2.0);
    doc.ResultsComputed(true);
    EXPECT_FALSE(doc.HasStaleResults());
    doc.Undo();
    EXPECT_TRUE(doc.IsResultStale(*b));
    doc.Redo();
    EXPECT_TRUE(doc.IsResultStale(*b));
    EXPECT_FALSE(doc.IsResultStale(*a));

    // A run that did not converge leaves no result current; a converged one all of them.
    doc.ResultsComputed(false);
    EXPECT_TRUE(doc.IsResultStale(*a));
    doc.ResultsComputed(true);
    EXPECT_FALSE(doc.HasStaleResults());
    EXPECT_FALSE(doc.IsResultStale(*b));
    // Removed objects make the network differ from the run's too.
    {
        ZEditTransaction tx(doc, "remove");
        std::vector<ZNetObject*> removed;
        doc.GetNetwork().TakeOutLink(bc, removed);
        for (ZNetObject* o : removed)
            tx.Removed(o);
        tx.Commit();
    }
    EXPECT_TRUE(doc.HasStaleResults());
    EXPECT_TRUE(doc.IsResultStale(*b));
    doc.Reset();
    EXPECT_FALSE(doc.HasStaleResults());
}
