// Selection in the graphic view: clicks, Shift-clicks, rubber bands in both modes, the right
// button, double clicks, the property commands and what a selection change repaints.
#include "EditTestSupport.h"
#include "ViewTestNetworks.h"

#include "views/CommandIds.h"
#include "views/CommandState.h"
#include "model/ZSettingsStore.h"
#include "views/ZSelectTracker.h"

#include <QMenu>

using namespace ViewTestNetworks;
using EditMouse::Click;
using EditMouse::Drag;

namespace {
// A view that keeps every rectangle it is asked to repaint.
class RecordingView : public CQENView {
public:
    using CQENView::CQENView;
    std::vector<QRect> invalidated;
    void CanvasInvalidate(const QRect& r, bool erase) override
    {
        invalidated.push_back(r);
        CQENView::CanvasInvalidate(r, erase);
    }
};
}   // namespace

class TestZSelectTracker : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    RecordingPrompt prompt;
    ScriptedEditor editor;

    std::unique_ptr<RecordingView> MakeView(ZDocument& doc)
    {
        return ShowEditView<RecordingView>(doc, settings, &prompt, &editor, {-20, -20, 120, 120}, 400);
    }
    static ZNetObject* Node(ZDocument& d, const char* id) { return d.GetNetwork().FindNode(GbkView(id)); }
    static ZNetObject* Link(ZDocument& d, const char* id) { return d.GetNetwork().FindLink(GbkView(id)); }

private slots:
    void init()
    {
        settings.SelectMode = ZSettingsStore::CrossingSelect;
        editor.edited.clear();
    }

    void clickSelectsAndPlainClickElsewhereStartsOver()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZSelectTracker& t = v->Canvas().Tracker();
        Click(*v, 0, 0);
        QVERIFY(Node(doc, "1")->IsSelected());
        QCOMPARE(t.Count(ZNetObject::Kind::Node), 1);
        // Another object: the first goes.
        Click(*v, 50, 0);
        QVERIFY(!Node(doc, "1")->IsSelected());
        QVERIFY(Link(doc, "12")->IsSelected());
        QCOMPARE(t.Count(ZNetObject::Kind::Node), 0);
        QCOMPARE(t.Count(ZNetObject::Kind::Pipe), 1);
        // Empty ground clears everything.
        Click(*v, 50, 50);
        QCOMPARE(t.Total(), 0);
        QVERIFY(!Link(doc, "12")->IsSelected());
    }

    void shiftClickTogglesAndPlainClickOnSelectedKeepsAll()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZSelectTracker& t = v->Canvas().Tracker();
        Click(*v, 0, 0);
        Click(*v, 100, 0, Qt::ShiftModifier);
        Click(*v, 100, 100, Qt::ShiftModifier);
        QCOMPARE(t.Count(ZNetObject::Kind::Node), 3);
        // A plain click on a selected node keeps the whole selection.
        Click(*v, 100, 0);
        QCOMPARE(t.Count(ZNetObject::Kind::Node), 3);
        // Shift-click on a selected node deselects it alone.
        Click(*v, 100, 0, Qt::ShiftModifier);
        QCOMPARE(t.Count(ZNetObject::Kind::Node), 2);
        QVERIFY(!Node(doc, "2")->IsSelected());
        QVERIFY(Node(doc, "1")->IsSelected() && Node(doc, "3")->IsSelected());
    }

    void crossingSelectsAPipeCutThroughWindowDoesNot()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZSelectTracker& t = v->Canvas().Tracker();
        // A rectangle across the middle of pipe 12 (0,0)-(100,0), no node inside.
        settings.SelectMode = ZSettingsStore::WindowSelect;
        Drag(*v, 30, 10, 70, -10);
        QCOMPARE(t.Total(), 0);
        QVERIFY(!Link(doc, "12")->IsSelected());
        settings.SelectMode = ZSettingsStore::CrossingSelect;
        Drag(*v, 30, 10, 70, -10);
        QCOMPARE(t.Total(), 1);
        QVERIFY(Link(doc, "12")->IsSelected());
        // A window around the whole square takes all of it.
        settings.SelectMode = ZSettingsStore::WindowSelect;
        Drag(*v, -15, 115, 115, -15);
        QCOMPARE(t.Count(ZNetObject::Kind::Node), 4);
        QCOMPARE(t.Count(ZNetObject::Kind::Pipe), 4);
        QVERIFY(v->Canvas().Tracker().RubberRect().isNull());
    }

    void dragNeverDeselectsAndEscapeOrFocusLossEndsIt()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZSelectTracker& t = v->Canvas().Tracker();
        Click(*v, 0, 0);
        // A press on empty ground clears, then the drag adds; an empty drag selects nothing.
        Drag(*v, 40, 60, 60, 40);
        QCOMPARE(t.Total(), 0);
        Click(*v, 0, 0);
        const QPoint a = EditMouse::Px(*v, 30, 10), b = EditMouse::Px(*v, 70, -10);
        QTest::mousePress(v.get(), Qt::LeftButton, Qt::ShiftModifier, a);
        QTest::mouseMove(v.get(), b);
        QVERIFY(t.IsTracking());
        QVERIFY(!t.RubberRect().isNull());
        QTest::keyClick(v.get(), Qt::Key_Escape);
        QVERIFY(!t.IsTracking());
        QTest::mouseRelease(v.get(), Qt::LeftButton, Qt::ShiftModifier, b);
        QCOMPARE(t.Total(), 1);   // node 1 kept (Shift), pipe 12 not added
        QVERIFY(!Link(doc, "12")->IsSelected());
    }

    void rightClickSelectsThePipeBeforeTheMenu()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        Click(*v, 0, 0);
        bool selectedWhenShown = false;
        QTimer::singleShot(100, [&]() {
            QWidget* popup = QApplication::activePopupWidget();
            selectedWhenShown = popup && Link(doc, "23")->IsSelected() && !Node(doc, "1")->IsSelected();
            if (popup)
                popup->close();
        });
        const QPoint p = EditMouse::Px(*v, 100, 50);
        QTest::mouseClick(v.get(), Qt::RightButton, Qt::NoModifier, p);
        QContextMenuEvent ev(QContextMenuEvent::Mouse, p, v->mapToGlobal(p));
        QApplication::sendEvent(v.get(), &ev);
        QVERIFY(selectedWhenShown);
        QCOMPARE(v->Canvas().Tracker().Total(), 1);
        QVERIFY(!v->Canvas().Tracker().IsTracking());
    }

    void doubleClickOpensTheObjectsDialogWithoutChangingTheSelection()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        Click(*v, 0, 0);
        const QPoint p = EditMouse::Px(*v, 0, 0);
        QTest::mouseDClick(v.get(), Qt::LeftButton, Qt::NoModifier, p);
        QCOMPARE(int(editor.edited.size()), 1);
        QCOMPARE(editor.edited[0], std::vector<ZNetObject*>{Node(doc, "1")});
        QCOMPARE(v->Canvas().Tracker().Total(), 1);
        // On empty ground nothing opens.
        QTest::mouseDClick(v.get(), Qt::LeftButton, Qt::NoModifier, EditMouse::Px(*v, 50, 50));
        QCOMPARE(int(editor.edited.size()), 1);
    }

    void propertyCommandsCountWhatIsSelected()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        CommandState st;
        QVERIFY(v->OnUpdateCommand(Cmd::PropNode, st));
        QVERIFY(!st.enabled);
        QCOMPARE(st.text, QStringLiteral("节点属性(&N)"));
        Drag(*v, -15, 115, 115, -15);
        st = {};
        v->OnUpdateCommand(Cmd::PropNode, st);
        QVERIFY(st.enabled);
        QCOMPARE(st.text, QStringLiteral("节点属性(&N)[4]"));
        st = {};
        v->OnUpdateCommand(Cmd::PropPump, st);
        QVERIFY(!st.enabled);
        QCOMPARE(st.text, QStringLiteral("水泵属性(&U)"));
        QVERIFY(v->OnCommand(Cmd::PropPipe));
        QCOMPARE(int(editor.edited.size()), 1);
        QCOMPARE(int(editor.edited[0].size()), 4);
        for (ZNetObject* o : editor.edited[0])
            QCOMPARE(o->GetKind(), ZNetObject::Kind::Pipe);
        // The selection modes are view commands with checks.
        QVERIFY(v->OnCommand(Cmd::SelectWindow));
        st = {};
        v->OnUpdateCommand(Cmd::SelectWindow, st);
        QVERIFY(st.checked && st.enabled);
        QCOMPARE(settings.SelectMode, int(ZSettingsStore::WindowSelect));
    }

    void removedObjectsLeaveTheSelection()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        Drag(*v, -15, 115, 115, -15);
        std::vector<ZNetObject*> removed;
        doc.GetNetwork().TakeOutLink(static_cast<ZFlowLink*>(Link(doc, "12")), removed);
        ZNetMsg msg{ZNetMsg::ObjectsChanged, ZNetMsg::Removed, 0, &removed};
        v->OnUpdate(&msg);
        QCOMPARE(v->Canvas().Tracker().Count(ZNetObject::Kind::Pipe), 3);
        for (ZNetObject* o : removed)
            o->DeleteSelf();
        CommandState st;
        v->OnUpdateCommand(Cmd::PropPipe, st);
        QCOMPARE(st.text, QStringLiteral("管道属性(&P)[3]"));
    }

    void aClickRepaintsOnlyWhatChanged()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QTest::qWait(20);
        v->invalidated.clear();
        Click(*v, 100, 100);
        QCOMPARE(int(v->invalidated.size()), 1);
        const QRect r = v->invalidated[0];
        // Node 3's square and label, not the window.
        QVERIFY2(r.width() < 120 && r.height() < 60,
                 qPrintable(QStringLiteral("%1x%2").arg(r.width()).arg(r.height())));
        QVERIFY(r.contains(EditMouse::Px(*v, 100, 100)));
        // Clicking it again changes nothing and repaints nothing.
        v->invalidated.clear();
        Click(*v, 100, 100);
        QVERIFY(v->invalidated.empty());
    }
};

QTEST_MAIN(TestZSelectTracker)
#include "test_ZSelectTracker.moc"
