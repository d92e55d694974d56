// Editing commands of the graphic view: their enabling and checks, the "Edit" context menu, the
// cursors, and the focus hint that follows the mouse without repainting the network.
#include "EditTestSupport.h"
#include "ViewTestNetworks.h"

#include "views/CommandIds.h"
#include "views/CommandState.h"
#include "model/ZSettingsStore.h"
#include "views/CViewEditor.h"
#include "views/ZFocusHint.h"
#include "views/ZPipeLinkWS.h"
#include "views/ZWorkShopHost.h"

#include <QMenu>
#include <QTemporaryDir>

using namespace ViewTestNetworks;

namespace {
class RecordingView : public CQENView {
public:
    using CQENView::CQENView;
    int invalidations = 0;
    std::vector<std::pair<QRect, QRect>> feedback;
    void CanvasInvalidate(const QRect& r, bool erase) override
    {
        ++invalidations;
        CQENView::CanvasInvalidate(r, erase);
    }
    void CanvasRubberChanged(const QRect& a, const QRect& b) override
    {
        feedback.emplace_back(a, b);
        CQENView::CanvasRubberChanged(a, b);
    }
};

CommandState State(CQENView& v, int id)
{
    CommandState st;
    if (!v.OnUpdateCommand(id, st))
        st.text = QStringLiteral("unknown");
    return st;
}
}   // namespace

class TestCViewEditor : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    RecordingPrompt prompt;
    ScriptedEditor editor;

    std::unique_ptr<RecordingView> MakeView(ZDocument& doc)
    {
        return ShowEditView<RecordingView>(doc, settings, &prompt, &editor, {-20, -20, 120, 120}, 400);
    }

private slots:
    void editingCommandsNeedNoZoomModeAndNoProjectLabels()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        using namespace Cmd;
        const int editing[] = {InsertNode, InsertPipe, InsertPump, InsertValve, InsertTank,  MoveNode,
                               MovePipe,   DeleteNode, DeletePipe, DeletePump,  DeleteValve, DeleteTank};
        for (int id : editing)
            QVERIFY2(State(*v, id).enabled, qPrintable(QString::number(id)));
        for (int id : {MovePump, MoveValve, MoveTank, AsBendPoint, AsFlowNode}) {
            const CommandState st = State(*v, id);
            QVERIFY(st.text.isEmpty() && !st.enabled);
        }
        v->OnCommand(Cmd::ZoomIn);
        for (int id : editing)
            QVERIFY(!State(*v, id).enabled);
        v->OnCommand(Cmd::LeaveRealtime);
        v->OnCommand(Cmd::ProjectLabels);
        for (int id : editing)
            QVERIFY(!State(*v, id).enabled);
        v->OnCommand(Cmd::ProjectLabels);
        QVERIFY(State(*v, InsertNode).enabled);
    }

    void workshopCommandsAndTheirChecks()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QVERIFY(!State(*v, Cmd::EditLeave).enabled);
        QVERIFY(!State(*v, Cmd::EditContinuous).enabled);
        v->OnCommand(Cmd::InsertPipe);
        QCOMPARE(v->Editor().CursorId(), 266);
        QVERIFY(State(*v, Cmd::EditLeave).enabled);
        QVERIFY(State(*v, Cmd::EditContinuous).checked);
        v->OnCommand(Cmd::EditContinuous);
        QVERIFY(!State(*v, Cmd::EditContinuous).checked);
        QVERIFY(State(*v, Cmd::EditContinuous).enabled);
        settings.PipeSerialMode = ZSettingsStore::NoConnect;
        v->OnCommand(Cmd::EditAutoConnect);
        QCOMPARE(settings.PipeSerialMode, 0);
        QVERIFY(State(*v, Cmd::EditAutoConnect).checked && !State(*v, Cmd::EditNoConnect).checked);
        v->OnCommand(Cmd::EditNoConnect);
        QCOMPARE(settings.PipeSerialMode, 1);
        // Another start command ends the half-drawn pipe first.
        EditMouse::Click(*v, 50, 50);
        QVERIFY(static_cast<ZPipeLinkWS*>(v->Canvas().WorkShops().WorkShop())->StartIsNew());
        v->OnCommand(Cmd::DeleteNode);
        QCOMPARE(v->Editor().CursorId(), 267);
        QVERIFY(!v->Canvas().Overlay());
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        v->OnCommand(Cmd::MoveNode);
        QCOMPARE(v->Editor().CursorId(), 306);
        QCOMPARE(v->cursor().shape(), Qt::BitmapCursor);
        v->OnCommand(Cmd::EditLeave);
        QCOMPARE(v->Editor().CursorId(), -1);
        QCOMPARE(v->cursor().shape(), Qt::ArrowCursor);
    }

    void theEditMenuShowsWhileAWorkshopRuns()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        std::unique_ptr<QMenu> plain(v->BuildContextMenu());
        QCOMPARE(plain->title(), QStringLiteral("GraphicView"));
        v->OnCommand(Cmd::InsertValve);
        std::unique_ptr<QMenu> menu(v->BuildContextMenu());
        QCOMPARE(menu->title(), QStringLiteral("Edit"));
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                texts << a->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("退出编辑"), QStringLiteral("连续"), QStringLiteral("自动连接"),
                                     QStringLiteral("不连接"), QStringLiteral("作为流量节点"),
                                     QStringLiteral("作为图形折点")}));
        QVERIFY(menu->actions().constLast()->isEnabled() == false);
        QVERIFY(menu->actions().constFirst()->isEnabled());
        // Running a menu entry through the view ends the workshop.
        QVERIFY(v->OnCommand(menu->actions().constFirst()->data().toInt()));
        QVERIFY(!v->Canvas().WorkShops().IsActive());
    }

    void theFocusHintFollowsTheMouseOverThePicture()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZFocusHint& hint = v->Canvas().FocusHint();
        v->OnCommand(Cmd::InsertPipe);
        QTest::qWait(20);
        v->invalidations = 0;
        v->feedback.clear();
        // Near node 3: the square marker on the node's own position.
        QTest::mouseMove(v.get(), EditMouse::Px(*v, 100, 100) + QPoint(3, -2));
        QCOMPARE(hint.Object(), static_cast<ZNetObject*>(doc.GetNetwork().FindNode("3")));
        QCOMPARE(hint.Point(), (PipePoint{100, 100}));
        QVERIFY(!hint.Bounds().isNull());
        QVERIFY(hint.Bounds().width() < 30);
        // Far from everything: no marker. The network itself was never repainted.
        QTest::mouseMove(v.get(), EditMouse::Px(*v, 50, 50));
        QVERIFY(!hint.Object());
        QCOMPARE(v->invalidations, 0);
        QVERIFY(!v->feedback.empty());
        // The pipe tool snaps to nodes only; the node tool to pipes, with the segment.
        QTest::mouseMove(v.get(), EditMouse::Px(*v, 50, 0));
        QVERIFY(!hint.Object());
        v->OnCommand(Cmd::InsertNode);
        QTest::mouseMove(v.get(), EditMouse::Px(*v, 50, 1));
        QCOMPARE(hint.Object(), static_cast<ZNetObject*>(doc.GetNetwork().FindLink("12")));
        QCOMPARE(hint.Segment(), 0);
        QCOMPARE(hint.Point().y, 0.0);
        // A zoom mode hides it; Escape ends the workshop and the marker goes.
        QTest::keyClick(v.get(), Qt::Key_Escape);
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        QVERIFY(hint.Bounds().isNull());
    }

    void aRubberLineRunsFromTheStartToTheCursor()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        EditMouse::Click(*v, 0, 0);
        QTest::mouseMove(v.get(), EditMouse::Px(*v, 60, 40));
        const QRect b = v->Canvas().FocusHint().Bounds();
        QVERIFY(b.contains(EditMouse::Px(*v, 0, 0)));
        QVERIFY(b.contains(EditMouse::Px(*v, 60, 40)));
        // What the window shows has the line in the hint's colour over the background.
        QImage shot = v->grab().toImage();
        const QPoint mid = EditMouse::Px(*v, 30, 20);
        bool found = false;
        for (int dx = -2; dx <= 2 && !found; ++dx)
            for (int dy = -2; dy <= 2 && !found; ++dy)
                found = shot.pixelColor(mid + QPoint(dx, dy)) == QColor(255, 0, 0) ||
                        shot.pixelColor(mid + QPoint(dx, dy)).red() > 200;
        QVERIFY(found);
    }

    // Until the image is placed, the next left click is the image's: no editing tool runs meanwhile.
    void aBackgroundBeingPlacedHoldsEveryEditingTool()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QTemporaryDir dir;
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(qRgb(10, 200, 10));
        const QString png = dir.filePath("map.png");
        QVERIFY(img.save(png));
        using namespace Cmd;
        v->OnCommand(InsertPipe);
        EditMouse::Click(*v, 0, 0);   // a pipe half drawn from node 1
        QVERIFY(v->BeginPlacingBackground(png));
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        for (int id : {InsertNode, InsertPipe, InsertPump, InsertValve, InsertTank, MoveNode, MovePipe, DeleteNode,
                       DeletePipe, DeletePump, DeleteValve, DeleteTank})
            QVERIFY2(!State(*v, id).enabled, qPrintable(QString::number(id)));
        v->OnCommand(InsertNode);   // arriving by another way than its disabled button
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        EditMouse::Click(*v, 50, 50);
        QVERIFY(doc.GetBkDib());
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        QCOMPARE(doc.GetNetwork().LinkCount(), 4);
        QVERIFY(State(*v, InsertNode).enabled);
        // A point typed into the coordinate bar is a click as well.
        QVERIFY(v->BeginPlacingBackground(png));
        v->OnCoordinateEntered(20, 80);
        QVERIFY(!v->IsPlacingBackground());
        QCOMPARE(doc.GetBkDib()->BkLeft, 20.0);
        QCOMPARE(doc.GetBkDib()->BkTop, 80.0);
        // Giving the image up frees the tools as well.
        QVERIFY(v->BeginPlacingBackground(png));
        QVERIFY(!State(*v, DeleteNode).enabled);
        QTest::keyClick(v.get(), Qt::Key_Escape);
        QVERIFY(State(*v, DeleteNode).enabled);
        v->OnCommand(DeleteNode);
        QVERIFY(v->Canvas().WorkShops().IsActive());
    }

    void projectLabelsEndTheRunningWorkshop()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        EditMouse::Click(*v, 0, 0);
        QVERIFY(v->Canvas().WorkShops().IsActive());
        v->OnCommand(Cmd::ProjectLabels);
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        QVERIFY(!v->Canvas().Overlay());
        EditMouse::Click(*v, 100, 100);   // would have ended the pipe
        QCOMPARE(doc.GetNetwork().LinkCount(), 4);
        v->OnCommand(Cmd::ProjectLabels);
        // Another window with its tool running follows when the frame refreshes it.
        ZDocument other;
        Square(other);
        auto w = MakeView(other);
        w->OnCommand(Cmd::InsertPipe);
        EditMouse::Click(*w, 0, 0);
        v->OnCommand(Cmd::ProjectLabels);
        w->OnUpdate(nullptr);
        QVERIFY(!w->Canvas().WorkShops().IsActive());
        v->OnCommand(Cmd::ProjectLabels);
        QVERIFY(!settings.LabelTip().IsMultiLine());
    }
};

QTEST_MAIN(TestCViewEditor)
#include "test_CViewEditor.moc"
