#include "CViewEditor.h"

#include "CFindDlg.h"
#include "ObjectPropertyEditor.h"
#include "QtDrawContext.h"
#include "ZFocusHint.h"
#include "ZNetCanvas.h"
#include "ZSelectTracker.h"
#include "ZWorkShop.h"
#include "ZWorkShopHost.h"

#include "CommandIds.h"
#include "CommandState.h"
#include "model/ZDocument.h"
#include "model/ZNetMsg.h"
#include "model/ZSettingsStore.h"

#include <QMenu>
#include <QPainter>
#include <QWidget>

namespace {
struct WorkshopCommand {
    int id;
    ZWorkShopHost::Operation op;
    ZWorkShopHost::ObjectClass cls;
    bool continuous;
};
constexpr WorkshopCommand kWorkshops[] = {
    {Cmd::InsertNode, ZWorkShopHost::Insert, ZWorkShopHost::NodeClass, true},
    {Cmd::InsertPipe, ZWorkShopHost::Insert, ZWorkShopHost::PipeClass, true},
    {Cmd::InsertPump, ZWorkShopHost::Insert, ZWorkShopHost::PumpClass, false},
    {Cmd::InsertValve, ZWorkShopHost::Insert, ZWorkShopHost::ValveClass, false},
    {Cmd::InsertTank, ZWorkShopHost::Insert, ZWorkShopHost::TankClass, false},
    {Cmd::MoveNode, ZWorkShopHost::Move, ZWorkShopHost::NodeClass, false},
    {Cmd::MovePipe, ZWorkShopHost::Move, ZWorkShopHost::PipeClass, false},
    {Cmd::DeleteNode, ZWorkShopHost::Delete, ZWorkShopHost::NodeClass, false},
    {Cmd::DeletePipe, ZWorkShopHost::Delete, ZWorkShopHost::PipeClass, false},
    {Cmd::DeletePump, ZWorkShopHost::Delete, ZWorkShopHost::PumpClass, false},
    {Cmd::DeleteValve, ZWorkShopHost::Delete, ZWorkShopHost::ValveClass, false},
    {Cmd::DeleteTank, ZWorkShopHost::Delete, ZWorkShopHost::TankClass, false},
};

struct PropertyCommand {
    int id;
    ZNetObject::Kind kind;
    const char* text;
};
constexpr PropertyCommand kProperties[] = {
    {Cmd::PropNode, ZNetObject::Kind::Node, QT_TRANSLATE_NOOP("CViewEditor", "节点属性(&N)")},
    {Cmd::PropPipe, ZNetObject::Kind::Pipe, QT_TRANSLATE_NOOP("CViewEditor", "管道属性(&P)")},
    {Cmd::PropPump, ZNetObject::Kind::Pump, QT_TRANSLATE_NOOP("CViewEditor", "水泵属性(&U)")},
    {Cmd::PropValve, ZNetObject::Kind::Valve, QT_TRANSLATE_NOOP("CViewEditor", "阀门属性(&V)")},
    {Cmd::PropTank, ZNetObject::Kind::Tank, QT_TRANSLATE_NOOP("CViewEditor", "水池属性(&T)")},
};
}   // namespace

CViewEditor::CViewEditor(QWidget& view, ZNetCanvas& canvas, ZSettingsStore& settings)
    : m_view(view), m_canvas(canvas), m_settings(settings)
{
    m_canvas.WorkShops().SetServices(&m_settings, nullptr, nullptr, &m_view);
}

CViewEditor::~CViewEditor()
{
    m_canvas.WorkShops().Abort();
}

void CViewEditor::SetServices(Prompt* prompt, ObjectPropertyEditor* editor)
{
    m_prompt = prompt;
    m_editor = editor;
    m_canvas.WorkShops().SetServices(&m_settings, prompt, editor, &m_view);
}

bool CViewEditor::LeftPress(const QPoint& pt, bool shift)
{
    if (m_canvas.WorkShops().IsActive()) {
        // The point the marker shows is the point the click means.
        ZFocusHint& hint = m_canvas.FocusHint();
        hint.MouseMove(pt);
        const PipePoint at = hint.CursorWorld();
        return Click(at.x, at.y);
    }
    return m_canvas.Tracker().ButtonDown(shift, pt, true);
}

bool CViewEditor::RightPress(const QPoint& pt, bool shift)
{
    if (m_canvas.ZoomTool().IsActive())
        return false;
    m_canvas.Tracker().ButtonDown(shift, pt, false);
    return false;   // the context menu follows
}

bool CViewEditor::Move(const QPoint& pt, bool leftDown)
{
    if (m_canvas.Tracker().MouseMove(pt, leftDown))
        return true;
    if (m_canvas.WorkShops().IsActive() && m_canvas.ZoomTool().GetMode() == ZZoomTool::NoMode)
        m_canvas.FocusHint().MouseMove(pt);
    return false;
}

bool CViewEditor::LeftRelease(const QPoint& pt)
{
    return m_canvas.Tracker().ButtonUp(pt);
}

bool CViewEditor::DoubleClick(const QPoint& pt)
{
    if (m_canvas.WorkShops().IsActive())
        return false;
    ZNetObject* o = m_canvas.PickAt(pt, m_settings.Sizes().TipFocWidth);
    if (o)
        EditObject(o);
    return true;
}

bool CViewEditor::Escape()
{
    ZSelectTracker& t = m_canvas.Tracker();
    if (t.IsTracking()) {
        t.KillFocus();
        return true;
    }
    if (m_canvas.WorkShops().IsActive()) {
        m_canvas.WorkShops().Abort();
        return true;
    }
    return false;
}

void CViewEditor::FocusLost()
{
    m_canvas.Tracker().KillFocus();
}

bool CViewEditor::Click(double x, double y)
{
    return m_canvas.WorkShops().Click({x, y});
}

int CViewEditor::CursorId() const
{
    return m_canvas.WorkShops().GetCursor();
}

bool CViewEditor::WorkshopsForbidden() const
{
    return m_held || m_settings.LabelTip().IsMultiLine();
}

bool CViewEditor::EditingAllowed() const
{
    return m_canvas.Document() && m_canvas.ZoomTool().GetMode() == ZZoomTool::NoMode && !WorkshopsForbidden();
}

void CViewEditor::HoldEditing(bool hold)
{
    m_held = hold;
    if (hold)
        EndWorkshop();
}

void CViewEditor::EndWorkshop()
{
    if (m_canvas.WorkShops().IsActive())
        m_canvas.WorkShops().Abort();
}

bool CViewEditor::StartWorkshop(int id)
{
    for (const WorkshopCommand& w : kWorkshops) {
        if (w.id != id)
            continue;
        // A command disabled in the menus stays without effect when it arrives otherwise.
        if (EditingAllowed())
            m_canvas.WorkShops().Start(w.op, w.cls, w.continuous);
        return true;
    }
    return false;
}

bool CViewEditor::OnCommand(int id)
{
    if (StartWorkshop(id))
        return true;
    for (const PropertyCommand& p : kProperties)
        if (p.id == id)
            return EditSelected(p.kind), true;
    ZWorkShopHost& host = m_canvas.WorkShops();
    switch (id) {
    case Cmd::EditLeave:
        EndWorkshop();
        return true;
    case Cmd::EditContinuous:
        host.SetContinuous(!host.IsContinuous());
        return true;
    case Cmd::EditAutoConnect:
        m_settings.PipeSerialMode = ZSettingsStore::AutoConnect;
        return true;
    case Cmd::EditNoConnect:
        m_settings.PipeSerialMode = ZSettingsStore::NoConnect;
        return true;
    case Cmd::SelectWindow:
        m_settings.SelectMode = ZSettingsStore::WindowSelect;
        return true;
    case Cmd::SelectCrossing:
        m_settings.SelectMode = ZSettingsStore::CrossingSelect;
        return true;
    case Cmd::EditFind:
        Find();
        return true;
    case Cmd::MovePump:
    case Cmd::MoveValve:
    case Cmd::MoveTank:
    case Cmd::AsBendPoint:
    case Cmd::AsFlowNode:
        return true;
    default:
        return false;
    }
}

bool CViewEditor::OnUpdateCommand(int id, CommandState& state)
{
    for (const WorkshopCommand& w : kWorkshops) {
        if (w.id == id) {
            state.enabled = EditingAllowed();
            return true;
        }
    }
    const ZSelectTracker& t = m_canvas.Tracker();
    for (const PropertyCommand& p : kProperties) {
        if (p.id != id)
            continue;
        const int n = t.Count(p.kind);
        state.enabled = n > 0 && m_editor;
        state.text = tr(p.text);
        if (n > 0)
            state.text += QStringLiteral("[%1]").arg(n);
        return true;
    }
    const ZWorkShopHost& host = m_canvas.WorkShops();
    switch (id) {
    case Cmd::EditLeave:
        state.enabled = host.IsActive();
        return true;
    case Cmd::EditContinuous:
        state.enabled = host.IsActive();
        state.checked = host.IsActive() && host.IsContinuous();
        return true;
    case Cmd::EditAutoConnect:
        state.enabled = true;
        state.checked = m_settings.PipeSerialMode == ZSettingsStore::AutoConnect;
        return true;
    case Cmd::EditNoConnect:
        state.enabled = true;
        state.checked = m_settings.PipeSerialMode == ZSettingsStore::NoConnect;
        return true;
    case Cmd::SelectWindow:
        state.enabled = true;
        state.checked = m_settings.SelectMode == ZSettingsStore::WindowSelect;
        return true;
    case Cmd::SelectCrossing:
        state.enabled = true;
        state.checked = m_settings.SelectMode == ZSettingsStore::CrossingSelect;
        return true;
    case Cmd::EditFind:
        state.enabled = m_canvas.Document() != nullptr;
        return true;
    case Cmd::MovePump:
    case Cmd::MoveValve:
    case Cmd::MoveTank:
    case Cmd::AsBendPoint:
    case Cmd::AsFlowNode:
        state.enabled = false;
        return true;
    default:
        return false;
    }
}

void CViewEditor::FillWorkshopMenu(QMenu& menu)
{
    struct Item {
        int id;
        const char* text;
    };
    static const Item items[] = {{Cmd::EditLeave, QT_TRANSLATE_NOOP("CViewEditor", "退出编辑")},
                                 {Cmd::EditContinuous, QT_TRANSLATE_NOOP("CViewEditor", "连续")},
                                 {0, nullptr},
                                 {Cmd::EditAutoConnect, QT_TRANSLATE_NOOP("CViewEditor", "自动连接")},
                                 {Cmd::EditNoConnect, QT_TRANSLATE_NOOP("CViewEditor", "不连接")},
                                 {0, nullptr},
                                 {Cmd::AsFlowNode, QT_TRANSLATE_NOOP("CViewEditor", "作为流量节点")},
                                 {Cmd::AsBendPoint, QT_TRANSLATE_NOOP("CViewEditor", "作为图形折点")}};
    menu.setTitle(QStringLiteral("Edit"));
    for (const Item& it : items) {
        if (!it.id) {
            menu.addSeparator();
            continue;
        }
        CommandState st;
        OnUpdateCommand(it.id, st);
        QAction* a = menu.addAction(tr(it.text));
        a->setData(it.id);
        a->setCheckable(st.checked);
        a->setChecked(st.checked);
        a->setEnabled(st.enabled);
    }
}

void CViewEditor::DocumentChanged(const ZNetMsg* msg)
{
    ZSelectTracker& tracker = m_canvas.Tracker();
    if (!msg && WorkshopsForbidden())
        EndWorkshop();
    if (!msg || msg->Code != ZNetMsg::ObjectsChanged || !msg->Objects) {
        if (m_canvas.Document())
            tracker.KeepOnly(m_canvas.Document()->GetNetwork());
        else
            tracker.Reset();
        return;
    }
    // An object out of the network has no array position.
    std::vector<ZNetObject*> gone, present;
    for (ZNetObject* o : *msg->Objects)
        (o->GetIndex() < 0 ? gone : present).push_back(o);
    if (!gone.empty()) {
        tracker.RemoveObjects(gone);
        if (ZWorkShop* ws = m_canvas.WorkShops().WorkShop())
            ws->ObjectsRemoved(gone);
        m_canvas.FocusHint().Forget(gone);
    }
    tracker.AdoptSelected(present);
}

void CViewEditor::PaintFeedback(QPainter& p)
{
    const QRect rubber = m_canvas.Tracker().RubberRect();
    if (!rubber.isNull()) {
        const auto& c = m_settings.Colors();
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(QtDrawContext::ToColor(c.BkGround ^ c.ZoomWindow), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rubber.adjusted(0, 0, -1, -1));
        p.restore();
    }
    const ZZoomTool& zoom = m_canvas.ZoomTool();
    if (m_canvas.WorkShops().IsActive() && zoom.GetMode() == ZZoomTool::NoMode && !zoom.IsActive())
        m_canvas.FocusHint().Paint(p);
}

bool CViewEditor::EditSelected(ZNetObject::Kind kind)
{
    const std::vector<ZNetObject*> objects = m_canvas.Tracker().Selected(kind);
    if (objects.empty() || !m_editor || !m_canvas.Document())
        return false;
    return m_editor->EditObjects(&m_view, *m_canvas.Document(), objects);
}

bool CViewEditor::EditObject(ZNetObject* o)
{
    if (!o || !m_editor || !m_canvas.Document())
        return false;
    return m_editor->EditObjects(&m_view, *m_canvas.Document(), {o});
}

void CViewEditor::Find()
{
    if (!m_canvas.Document())
        return;
    CFindDlg dlg(m_canvas, *this, &m_view);
    dlg.exec();
}
