#include "CQENView.h"

#include "CNamedViewDlg.h"
#include "CViewEditor.h"
#include "GbkText.h"
#include "NetworkImageExporter.h"
#include "ZGradeLegend.h"
#include "ZPresentationMap.h"
#include "ZBackgroundImage.h"
#include "ZBkDibLoader.h"
#include "QtDrawContext.h"
#include "ZViewCursors.h"
#include "ZWorkShopHost.h"

#include "model/NumberFormat.h"
#include "model/Prompt.h"
#include "model/ZBackgroundEdit.h"
#include "model/ZDocument.h"
#include "model/ZNamedViewsEdit.h"
#include "model/ZSettingsStore.h"
#include "report/ZReportBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

CQENView::CQENView(ZDocument* doc, ZSettingsStore& settings, QPrinter* printer, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_settings(settings), m_canvas(m_settings, this), m_printer(printer)
{
    Init();
}

CQENView::~CQENView()
{
    // A half-done editing step is undone while the window can still repaint.
    m_editor.reset();
    if (m_doc)
        m_doc->RemoveListener(this);
}

void CQENView::SetEditServices(Prompt* prompt, ObjectPropertyEditor* editor)
{
    m_editor->SetServices(prompt, editor);
}

void CQENView::Init()
{
    if (m_doc)
        m_doc->AddListener(this);
    setObjectName(QStringLiteral("graphicView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
    m_canvas.SetDeviceDpi(logicalDpiX(), logicalDpiY());
    m_canvas.SetDocument(m_doc);
    m_canvas.SetViewport(rect());
    m_wheelBurst.setSingleShot(true);
    m_wheelBurst.setInterval(400);
    connect(&m_wheelBurst, &QTimer::timeout, this, &CQENView::EndNavigationBurst);
    m_holdTimer.setSingleShot(true);
    connect(&m_holdTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_editor = std::make_unique<CViewEditor>(*this, m_canvas, m_settings);
}

void CQENView::InitialUpdate()
{
    if (m_initialised)
        return;
    m_initialised = true;
    m_canvas.SetViewport(rect());
    m_canvas.SetDocument(m_doc);
    if (m_doc) {
        m_canvas.FitToRect(m_doc->GetExtents());
        ShowWholeDrawingIfCut();
    }
    m_bufferValid = false;
}

void CQENView::ShowWholeDrawingIfCut()
{
    // A stored view that cuts the drawing (a text file's bare bounds leave the edge symbols
    // half out, an import keeps the default view, a close-up hides the rest) opens as zoom
    // extents does, in place of the first history entry. The document stays as it was read.
    const ViewExtent drawn = m_canvas.DrawnExtent();
    if (drawn.IsEmpty())
        return;
    const ViewExtent shown = m_canvas.GetExtent();
    if (shown.Contains(drawn.left, drawn.bottom) && shown.Contains(drawn.right, drawn.top))
        return;
    double cx, cy, s;
    if (m_canvas.FitDrawing(CanvasClientRect(), m_canvas.ZoomTool().ExtentsMargin(), cx, cy, s))
        m_canvas.ZoomTool().Apply(cx, cy, s);
}

QRect CQENView::CanvasClientRect() const
{
    // While minimised (or not yet shown) the size the window will have when restored.
    if (isMinimized() || width() <= 0 || height() <= 0)
        return QRect(QPoint(0, 0), normalGeometry().size().expandedTo(QSize(1, 1)));
    return rect();
}

void CQENView::CanvasInvalidate(const QRect& r, bool)
{
    if (r.isNull()) {
        // Decided at paint time: a pan step scrolls the buffer, anything else repaints it all.
        m_fullDirty = true;
        update();
        return;
    }
    m_dirty += r.intersected(rect());
    update(r);
}

void CQENView::InvalidateAll()
{
    // What is drawn changed, not only where: nothing of the buffer may be kept, not even by a
    // pan step that comes before the next paint.
    m_bufferValid = false;
    m_canvas.ForgetLabels();
    update();
}

void CQENView::CanvasSaveView(const ViewExtent& extent)
{
    // Looking around is no edit: the view goes into the file with the next save, but does not
    // by itself make the document modified.
    if (m_doc)
        m_doc->SetExtents(extent);
    emit viewStored();
}

QString CQENView::EditHint() const
{
    return QString::fromStdString(m_canvas.WorkShops().StatusText());
}

void CQENView::CanvasRealTime(bool)
{
    UpdateCursor();
}

void CQENView::CanvasRubberChanged(const QRect& oldFrame, const QRect& newFrame)
{
    if (!oldFrame.isNull())
        update(oldFrame.adjusted(-1, -1, 1, 1));
    if (!newFrame.isNull())
        update(newFrame.adjusted(-1, -1, 1, 1));
}

void CQENView::RepaintBuffer()
{
    const QSize sz = size();
    if (m_buffer.size() != sz) {
        m_buffer = QImage(sz, QImage::Format_ARGB32_Premultiplied);
        m_bufferValid = false;
    }
    const double cx = m_canvas.CentreX(), cy = m_canvas.CentreY(), s = m_canvas.GetScale();
    QRegion dirty = m_dirty;
    const bool full = m_fullDirty;
    m_dirty = QRegion();
    m_fullDirty = false;
    const bool moved = cx != m_bufCx || cy != m_bufCy || s != m_bufScale;
    if (!m_bufferValid) {
        dirty = QRegion(rect());
    } else if (moved) {
        // A pan keeps the scale and moves by whole pixels: scroll and paint the uncovered strips.
        const double sx = -(cx - m_bufCx) / s, sy = (cy - m_bufCy) / s;
        const double rx = std::round(sx), ry = std::round(sy);
        if (s == m_bufScale && std::fabs(sx - rx) < 1e-6 && std::fabs(sy - ry) < 1e-6 && std::fabs(rx) < sz.width() &&
            std::fabs(ry) < sz.height()) {
            const int dx = static_cast<int>(rx), dy = static_cast<int>(ry);
            if (m_spare.size() != sz || m_spare.format() != m_buffer.format())
                m_spare = QImage(sz, m_buffer.format());
            {
                QPainter p(&m_spare);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(dx, dy, m_buffer);
            }
            m_buffer.swap(m_spare);
            const QRegion keep = QRegion(rect().translated(dx, dy)).intersected(rect());
            dirty = QRegion(rect()).subtracted(keep) + dirty.translated(dx, dy).intersected(keep);
        } else {
            dirty = QRegion(rect());
        }
    } else if (full) {
        dirty = QRegion(rect());
    }
    dirty = dirty.intersected(rect());
    m_bufCx = cx;
    m_bufCy = cy;
    m_bufScale = s;
    m_bufferValid = true;
    if (dirty.isEmpty())
        return;
    QPainter p(&m_buffer);
    for (const QRect& r : dirty) {
        p.save();
        p.setClipRect(r);
        m_canvas.Paint(p, r, true);
        p.restore();
    }
}

void CQENView::paintEvent(QPaintEvent* e)
{
    if (!m_initialised)
        InitialUpdate();
    const bool held = RedrawHeld() && m_bufferValid && m_buffer.size() == size() && m_canvas.CentreX() == m_bufCx &&
                      m_canvas.CentreY() == m_bufCy && m_canvas.GetScale() == m_bufScale;
    if (!held)
        RepaintBuffer();
    QPainter wp(this);
    wp.setCompositionMode(QPainter::CompositionMode_Source);
    wp.drawImage(e->rect(), m_buffer, e->rect());
    const QRect rubber = m_canvas.ZoomTool().RubberRect();
    if (!rubber.isNull()) {
        // Exclusive-or frame: shows in the ZoomWindow colour over the background.
        const auto& c = m_settings.Colors();
        wp.setRenderHint(QPainter::Antialiasing, false);
        wp.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        wp.setPen(QPen(QtDrawContext::ToColor(c.BkGround ^ c.ZoomWindow), 1, Qt::DotLine));
        wp.setBrush(Qt::NoBrush);
        wp.drawRect(rubber.adjusted(0, 0, -1, -1));
    }
    m_editor->PaintFeedback(wp);
    if (m_canvas.ResultColouring()) {
        const ZGradeLegend legend(m_canvas);
        const int gap = m_canvas.DeviceSize(8);
        wp.setCompositionMode(QPainter::CompositionMode_SourceOver);
        legend.Paint(wp, QPoint(gap, height() - gap - legend.Size().height()));
    }
}

void CQENView::HoldRedraw(int ms)
{
    m_holdTimer.start(ms);
}

void CQENView::ReleaseRedraw()
{
    if (!m_holdTimer.isActive())
        return;
    m_holdTimer.stop();
    update();
}

void CQENView::SetResultColouring(std::shared_ptr<const ZResultColouring> colouring)
{
    if (!colouring && !m_canvas.ResultColouring())
        return;
    m_canvas.SetResultColouring(std::move(colouring));
    OnUpdate(nullptr);
}

void CQENView::resizeEvent(QResizeEvent*)
{
    m_canvas.SetViewport(rect());
    if (m_initialised)
        m_canvas.RebuildVisibleSet();
    m_bufferValid = false;
}

void CQENView::UpdateCursor()
{
    int id = m_canvas.ZoomTool().CursorId();
    if (id < 0 && m_pendingBk)
        id = 141;
    if (id < 0)
        id = m_editor->CursorId();
    if (id >= 0)
        setCursor(ZViewCursors::Cursor(id));
    else
        unsetCursor();
}

void CQENView::mousePressEvent(QMouseEvent* e)
{
    if (MiddlePress(e))
        return;
    const QPoint pt = e->position().toPoint();
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    if (e->button() == Qt::LeftButton) {
        if (m_canvas.ZoomTool().MousePress(pt)) {
            UpdateCursor();
            return;
        }
        if (m_pendingBk) {
            double x, y;
            m_canvas.DeviceToWorld(pt.x(), pt.y(), x, y);
            PlaceBackground(x, y);
            return;
        }
        if (!m_editor->LeftPress(pt, shift)) {
            double x, y;
            m_canvas.DeviceToWorld(pt.x(), pt.y(), x, y);
            emit clicked(x, y);
        }
        UpdateCursor();
        return;
    }
    if (e->button() == Qt::RightButton)
        m_editor->RightPress(pt, shift);
    QWidget::mousePressEvent(e);
}

void CQENView::Click(double x, double y)
{
    if (m_pendingBk) {   // a typed point places the image as a click there would
        PlaceBackground(x, y);
        return;
    }
    if (!m_editor->Click(x, y))
        emit clicked(x, y);
    UpdateCursor();
}

void CQENView::OnCoordinateEntered(double x, double y)
{
    // A typed point is a click at that point; it bypasses the zoom tool, as a workshop expects.
    Click(x, y);
}

void CQENView::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pt = e->position().toPoint();
    double x, y;
    m_canvas.DeviceToWorld(pt.x(), pt.y(), x, y);
    emit coordinatesChanged(x, y);
    emit coordinateText(QString::fromStdString(NumberFormat::G(x) + ", " + NumberFormat::G(y)));
    if (pt != m_lastTipPoint)
        QToolTip::hideText();
    if (MiddleMove(e))
        return;
    if (m_canvas.ZoomTool().MouseMove(pt, e->buttons() & Qt::LeftButton))
        return;
    if (m_editor->Move(pt, e->buttons() & Qt::LeftButton))
        return;
    QWidget::mouseMoveEvent(e);
}

void CQENView::mouseReleaseEvent(QMouseEvent* e)
{
    if (MiddleRelease(e))
        return;
    if (e->button() == Qt::LeftButton && m_canvas.ZoomTool().MouseRelease(e->position().toPoint())) {
        UpdateCursor();
        return;
    }
    if (e->button() == Qt::LeftButton && m_editor->LeftRelease(e->position().toPoint()))
        return;
    QWidget::mouseReleaseEvent(e);
}

void CQENView::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (m_canvas.ZoomTool().DoubleClick())
        return;
    if (e->button() == Qt::LeftButton && m_editor->DoubleClick(e->position().toPoint()))
        return;
    // The second press of a quick pair: a click like any other (no lost clicks while drawing).
    mousePressEvent(e);
}

void CQENView::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && m_pendingBk && m_canvas.ZoomTool().GetMode() == ZZoomTool::NoMode) {
        CancelPlacingBackground();
        return;
    }
    if (e->key() == Qt::Key_Escape && m_canvas.ZoomTool().GetMode() != ZZoomTool::NoMode) {
        m_canvas.ZoomTool().Exit();
        UpdateCursor();
        return;
    }
    if (e->key() == Qt::Key_Escape && m_editor->Escape()) {
        UpdateCursor();
        return;
    }
    QWidget::keyPressEvent(e);
}

void CQENView::focusOutEvent(QFocusEvent* e)
{
    m_canvas.ZoomTool().FocusLost();
    m_editor->FocusLost();
    QWidget::focusOutEvent(e);
}

void CQENView::wheelEvent(QWheelEvent* e)
{
    if (!m_initialised)
        InitialUpdate();
    // Fine-grained wheels and touchpads send parts of a notch: they add up to whole steps.
    m_wheelRest += e->angleDelta().y();
    const int notches = m_wheelRest / 120;
    m_wheelRest -= notches * 120;
    if (notches == 0) {
        e->accept();
        return;
    }
    const QPoint pt = e->position().toPoint();
    ZZoomTool& tool = m_canvas.ZoomTool();
    for (int i = 0; i < std::abs(notches); ++i) {
        tool.WheelStep(pt, notches > 0, !m_wheelBurst.isActive() && i == 0);
        m_wheelBurst.start();
    }
    e->accept();
}

bool CQENView::MiddlePress(QMouseEvent* e)
{
    if (e->button() != Qt::MiddleButton)
        return false;
    if (!m_initialised)
        InitialUpdate();
    m_middlePan = true;
    m_middleMoved = false;
    m_middleLast = e->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    return true;
}

bool CQENView::MiddleMove(QMouseEvent* e)
{
    if (!m_middlePan || !(e->buttons() & Qt::MiddleButton))
        return false;
    const QPoint pt = e->position().toPoint();
    if (pt != m_middleLast) {
        // A wheel burst still running counts as the same gesture.
        m_canvas.ZoomTool().PanStep(m_middleLast, pt, !m_middleMoved && !m_wheelBurst.isActive());
        m_middleMoved = true;
        m_middleLast = pt;
    }
    return true;
}

bool CQENView::MiddleRelease(QMouseEvent* e)
{
    if (e->button() != Qt::MiddleButton || !m_middlePan)
        return false;
    m_middlePan = false;
    UpdateCursor();
    if (m_middleMoved && !m_wheelBurst.isActive())
        EndNavigationBurst();
    return true;
}

void CQENView::EndNavigationBurst()
{
    // A real-time run stores its view when it ends.
    if (!m_canvas.ZoomTool().IsActive())
        m_canvas.ZoomTool().SaveViewToDocument();
}

QString CQENView::TipTextAt(const QPoint& pt)
{
    m_lastTipPoint = pt;
    if (m_canvas.ZoomTool().GetMode() != ZZoomTool::NoMode)
        return QString();
    const ZNetObject* o = m_canvas.PickAt(pt, m_settings.Sizes().TipFocWidth);
    if (!o)
        return QString();
    GbkString text;
    o->GetTipText(m_canvas, text);
    if (text.size() > 79) {
        // Cut at 79 bytes without splitting a double-byte character.
        size_t cut = 0;
        while (cut < text.size()) {
            const size_t step = static_cast<unsigned char>(text[cut]) >= 0x81 ? 2 : 1;
            if (cut + step > 79)
                break;
            cut += step;
        }
        text = GbkString(text.View().substr(0, cut));
    }
    return GbkText::ToQString(text);
}

bool CQENView::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const QString text = TipTextAt(he->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(he->globalPos(), text, this);
        return true;
    }
    return QWidget::event(e);
}

QMenu* CQENView::BuildContextMenu()
{
    auto* menu = new QMenu(this);
    struct Item {
        int id;
        const char* text;
    };
    static const Item realTime[] = {{Cmd::LeaveRealtime, QT_TRANSLATE_NOOP("CQENView", "退出")},
                                    {Cmd::PanRealtime, QT_TRANSLATE_NOOP("CQENView", "实时平移")},
                                    {Cmd::ZoomRealtime, QT_TRANSLATE_NOOP("CQENView", "实时缩放")},
                                    {Cmd::ZoomBack, QT_TRANSLATE_NOOP("CQENView", "回退")},
                                    {Cmd::ZoomForward, QT_TRANSLATE_NOOP("CQENView", "前进")},
                                    {Cmd::ZoomIn, QT_TRANSLATE_NOOP("CQENView", "放大")},
                                    {Cmd::ZoomOut, QT_TRANSLATE_NOOP("CQENView", "缩小")},
                                    {Cmd::ZoomWindow, QT_TRANSLATE_NOOP("CQENView", "窗口放大")},
                                    {Cmd::ZoomExtents, QT_TRANSLATE_NOOP("CQENView", "全图缩放")},
                                    {0, nullptr}};
    static const Item graphic[] = {{Cmd::ZoomRealtime, QT_TRANSLATE_NOOP("CQENView", "实时缩放")},
                                   {Cmd::PanRealtime, QT_TRANSLATE_NOOP("CQENView", "实时平移")},
                                   {Cmd::ZoomWindow, QT_TRANSLATE_NOOP("CQENView", "窗口放大")},
                                   {Cmd::ZoomIn, QT_TRANSLATE_NOOP("CQENView", "放大")},
                                   {Cmd::ZoomOut, QT_TRANSLATE_NOOP("CQENView", "缩小")},
                                   {Cmd::ZoomExtents, QT_TRANSLATE_NOOP("CQENView", "全图缩放")},
                                   {0, nullptr},
                                   {Cmd::ZoomBack, QT_TRANSLATE_NOOP("CQENView", "回退")},
                                   {Cmd::ZoomForward, QT_TRANSLATE_NOOP("CQENView", "前进")},
                                   {0, nullptr},
                                   {Cmd::ProjectLabels, QT_TRANSLATE_NOOP("CQENView", "显示工程标注")},
                                   {-1, nullptr}};
    const bool rt = m_canvas.ZoomTool().IsActive();
    if (!rt && m_canvas.WorkShops().IsActive()) {
        m_editor->FillWorkshopMenu(*menu);
        return menu;
    }
    menu->setTitle(rt ? QStringLiteral("RealTime") : QStringLiteral("GraphicView"));
    for (const Item* it = rt ? realTime : graphic;; ++it) {
        if (it->id < 0 || (rt && it->id == 0))
            break;
        if (it->id == 0) {
            menu->addSeparator();
            continue;
        }
        CommandState st;
        OnUpdateCommand(it->id, st);
        QAction* a = menu->addAction(tr(it->text));
        a->setData(it->id);
        a->setCheckable(st.checked);
        a->setChecked(st.checked);
        a->setEnabled(st.enabled);
    }
    return menu;
}

void CQENView::contextMenuEvent(QContextMenuEvent* e)
{
    const QPoint at = e->reason() == QContextMenuEvent::Keyboard ? QPoint(5, 5) : e->pos();
    QMenu* menu = BuildContextMenu();
    QAction* chosen = menu->exec(mapToGlobal(at));
    const int id = chosen ? chosen->data().toInt() : 0;
    menu->deleteLater();
    if (id > 0)
        RunMenuCommand(id);
}

void CQENView::RunMenuCommand(int id)
{
    if (!OnCommand(id))
        emit commandRequested(id);
}

bool CQENView::OnCommand(int id)
{
    if (m_canvas.ZoomTool().Execute(id)) {
        UpdateCursor();
        return true;
    }
    if (m_editor->OnCommand(id)) {
        UpdateCursor();
        return true;
    }
    switch (id) {
    case Cmd::ProjectLabels:
        toggleProjectLabels();
        return true;
    case Cmd::Redraw:
        OnUpdate(nullptr);
        return true;
    case Cmd::FilePrint:
        print();
        return true;
    case Cmd::FilePrintDirect:
        printDirect();
        return true;
    case Cmd::FilePrintPreview:
        printPreview();
        return true;
    case Cmd::BkSelect:
        ChooseBackground();
        return true;
    case Cmd::BkClear:
        ClearBackground();
        return true;
    case Cmd::BkShow:
        ToggleBackground();
        return true;
    case Cmd::NamedViews:
        EditNamedViews();
        return true;
    default:
        return false;
    }
}

bool CQENView::OnUpdateCommand(int id, CommandState& state)
{
    ZZoomTool& tool = m_canvas.ZoomTool();
    switch (id) {
    case Cmd::ZoomRealtime:
    case Cmd::PanRealtime:
    case Cmd::ZoomWindow:
    case Cmd::ZoomIn:
    case Cmd::ZoomOut:
    case Cmd::LeaveRealtime:
    case Cmd::ZoomBack:
    case Cmd::ZoomForward:
    case Cmd::ZoomExtents:
        state.enabled = tool.IsEnabled(id);
        state.checked = tool.IsChecked(id);
        return true;
    case Cmd::ProjectLabels:
        state.enabled = true;
        state.checked = m_settings.LabelTip().IsMultiLine();
        return true;
    case Cmd::FilePrint:
    case Cmd::FilePrintDirect:
    case Cmd::FilePrintPreview:
    case Cmd::Redraw:
    case Cmd::NamedViews:
        state.enabled = true;
        return true;
    case Cmd::BkSelect:
        state.enabled = !m_pendingBk;
        return true;
    case Cmd::BkClear:
        state.enabled = m_doc && m_doc->GetBkDib();
        return true;
    case Cmd::BkShow:
        state.enabled = m_doc && m_doc->GetBkDib();
        state.checked = state.enabled && m_doc->GetBkDib()->BkVisible;
        return true;
    default:
        return m_editor->OnUpdateCommand(id, state);
    }
}

void CQENView::toggleProjectLabels()
{
    m_editor->EndWorkshop();   // no workshop runs under project labels, nor its half-drawn pipe
    auto& lt = m_settings.LabelTip();
    lt.LabelMode = lt.IsMultiLine() ? ZLabelTipSettings::SingleValue : ZLabelTipSettings::MultiLine;
    if (m_initialised)
        m_canvas.RebuildVisibleSet();
    InvalidateAll();
    emit projectLabelModeChanged(lt.IsMultiLine());
}

void CQENView::InvalidateObjects(const std::vector<ZNetObject*>& objects)
{
    ViewExtent u = ViewExtent::Empty();
    for (const ZNetObject* o : objects)
        u.Include(o->GetDisplayRect(m_canvas));
    if (u.IsEmpty())
        return;
    CanvasInvalidate(m_canvas.WorldRectToDevice(u).adjusted(-2, -2, 2, 2), true);
}

void CQENView::OnUpdate(const ZNetMsg* msg)
{
    UpdateView(msg);
    // After the visible set has let go of removed objects, so the focus hint cannot find them.
    m_editor->DocumentChanged(msg);
}

void CQENView::UpdateView(const ZNetMsg* msg)
{
    if (!msg) {
        m_canvas.VisibleSet().Invalidate();
        if (m_initialised)
            m_canvas.RebuildVisibleSet();
        InvalidateAll();
        return;
    }
    static const std::vector<ZNetObject*> none;
    const std::vector<ZNetObject*>& objs = msg->Objects ? *msg->Objects : none;
    switch (msg->Code) {
    case ZNetMsg::NamedViewsChanged:
        emit namedViewsChanged();
        return;
    case ZNetMsg::BackgroundChanged:
        m_canvas.Background().Forget();
        m_canvas.VisibleSet().Invalidate();
        if (m_initialised)
            m_canvas.RebuildVisibleSet();
        InvalidateAll();
        return;
    case ZNetMsg::CadImported:
        m_canvas.VisibleSet().Invalidate();
        if (m_initialised)
            m_canvas.RebuildVisibleSet();
        InvalidateAll();
        return;
    case ZNetMsg::ObjectsChanged:
        HandleObjectsChanged(*msg, objs);
        // A changed label may free room for others or take it from them: lay labels out anew. In a
        // balanced network an edit also changes which arrows, colours and contours stay current.
        if (m_canvas.LabelsShown() || m_canvas.DrawSettings().Balanced)
            InvalidateAll();
        return;
    default:
        if (m_initialised)
            m_canvas.RebuildVisibleSet();
        InvalidateAll();
        return;
    }
}

void CQENView::HandleObjectsChanged(const ZNetMsg& msg, const std::vector<ZNetObject*>& objs)
{
    switch (msg.SubCode) {
    case ZNetMsg::Removed:
        InvalidateObjects(objs);
        m_canvas.VisibleSet().Remove(objs);
        return;
    case ZNetMsg::Added: {
        std::vector<ZNetObject*> shown;
        const ViewExtent view = m_canvas.GetExtent();
        for (ZNetObject* o : objs)
            if (o->HitTestPoint(m_canvas, view))
                shown.push_back(o);
        m_canvas.VisibleSet().Add(m_canvas, shown);
        InvalidateObjects(shown);
        return;
    }
    case ZNetMsg::AttributesEdited:
        InvalidateObjects(objs);
        return;
    default:
        // Moved objects may have come into view or left it, and where they were drawn
        // before is not known here; a change of several kinds likewise repaints all.
        m_canvas.VisibleSet().Invalidate();
        if (m_initialised)
            m_canvas.RebuildVisibleSet();
        InvalidateAll();
        return;
    }
}

void CQENView::OnDocumentChanged(const ZNetMsg& msg)
{
    OnUpdate(&msg);
}

void CQENView::OnDocumentGone()
{
    m_doc = nullptr;
    m_canvas.SetDocument(nullptr);
}

void CQENView::BeginPrinting(QPrinter& printer)
{
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const ViewExtent shown = m_canvas.GetExtent();
    m_savedScale = m_canvas.GetScale();
    m_savedViewport = m_canvas.GetViewport();
    const int w = std::max(1, page.width()), h = std::max(1, page.height());
    m_canvas.SetViewport(QRect(0, 0, w, h));
    m_canvas.SetScale(std::max(shown.Width() / w, shown.Height() / h));
    m_canvas.SetDeviceDpi(printer.logicalDpiX(), printer.logicalDpiY());
    m_canvas.SetPrinting(true);
    m_printing = true;
    // The page shows more than the window in one direction: those objects must be drawn too.
    m_canvas.RebuildVisibleSet();
}

void CQENView::PrintPage(QPrinter& printer)
{
    QPainter p(&printer);
    m_canvas.Paint(p, QRect(), true);
}

void CQENView::EndPrinting()
{
    if (!m_printing)
        return;
    m_printing = false;
    m_canvas.SetPrinting(false);
    m_canvas.SetDeviceDpi(logicalDpiX(), logicalDpiY());
    m_canvas.SetScale(m_savedScale);
    m_canvas.SetViewport(rect());
    m_canvas.RebuildVisibleSet();
    m_bufferValid = false;
    update();
}

void CQENView::PaintPrinter(QPrinter* printer)
{
    if (!m_initialised)
        InitialUpdate();
    if (m_printPresentation && m_doc) {
        QPainter painter(printer);
        const int dpi = printer->resolution();
        PaintPresentation(painter, printer->pageLayout().paintRectPixels(dpi).size(), dpi, true);
        return;
    }
    BeginPrinting(*printer);
    PrintPage(*printer);
    EndPrinting();
}

void CQENView::PaintPresentation(QPainter& painter, const QSize& size, int dpi, bool printing) const
{
    if (!m_doc)
        return;
    NetworkImageExporter map(*m_doc, m_canvas.Settings());
    map.SetResultColouring(m_canvas.SharedResultColouring());
    ZPresentationMap(map, ZReportBuilder::TitleOf(*m_doc)).Paint(painter, QRect(QPoint(0, 0), size), dpi, printing);
}

QPrinter& CQENView::Printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_ownPrinter;
}

void CQENView::MatchPageToView(QPrinter& printer) const
{
    const QRect client = CanvasClientRect();
    printer.setPageOrientation(client.width() > client.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void CQENView::print()
{
    QPrinter& printer = Printer();
    MatchPageToView(printer);
    QPrintDialog dlg(&printer, this);
    auto* options = new QWidget;
    options->setWindowTitle(tr("出图"));
    auto* legend = new QCheckBox(tr("图例/比例尺"), options);
    legend->setChecked(m_printPresentation);
    dlg.setOptionTabs({options});
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_printPresentation = legend->isChecked();
    PaintPrinter(&printer);
}

void CQENView::printDirect()
{
    MatchPageToView(Printer());
    PaintPrinter(&Printer());
}

void CQENView::printPreview()
{
    QPrinter& printer = Printer();
    MatchPageToView(printer);
    QPrintPreviewDialog dlg(&printer, this);
    dlg.setWindowTitle(tr("打印预览"));
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PaintPrinter(p); });
    dlg.exec();
}

void CQENView::ChooseBackground()
{
    const QString path =
        ChooseImageFile ? ChooseImageFile(this)
                        : QFileDialog::getOpenFileName(this, tr("选择背景"), QString(), ZBkDibLoader::FileFilter());
    if (!path.isEmpty())
        BeginPlacingBackground(path);
}

bool CQENView::BeginPlacingBackground(const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<ZNetBkDib> dib = ZBkDibLoader::Load(path);
    QApplication::restoreOverrideCursor();
    if (!dib) {
        if (m_prompt)
            m_prompt->Inform(ZBkDibLoader::FailureText(path).toStdString());
        return false;
    }
    m_pendingBk = std::move(dib);
    // The next left click places the image: no editing tool may take it or act meanwhile.
    m_editor->HoldEditing(true);
    UpdateCursor();
    return true;
}

void CQENView::CancelPlacingBackground()
{
    m_pendingBk.reset();
    m_editor->HoldEditing(false);
    UpdateCursor();
}

void CQENView::PlaceBackground(double x, double y)
{
    if (!m_pendingBk || !m_doc)
        return;
    // One image pixel covers one screen pixel at the scale now shown.
    ZBackgroundImage probe;
    if (!probe.Prepare(*m_pendingBk)) {
        CancelPlacingBackground();
        return;
    }
    const double s = m_canvas.GetScale();
    m_pendingBk->BkLeft = x;
    m_pendingBk->BkTop = y;
    m_pendingBk->BkWidth = probe.Level(0).width() * s;
    m_pendingBk->BkHeight = probe.Level(0).height() * s;
    m_doc->Perform(ZBackgroundEdit::Replace(tr("选择背景").toStdString(), std::move(m_pendingBk)));
    m_editor->HoldEditing(false);
    UpdateCursor();
}

void CQENView::ClearBackground()
{
    if (!m_doc || !m_doc->GetBkDib())
        return;
    if (!m_prompt || !m_prompt->AskYesNo(tr("清空背景将减小文档大小，\n你确认吗?").toStdString()))
        return;
    m_doc->Perform(ZBackgroundEdit::Replace(tr("清空背景").toStdString(), nullptr));
}

void CQENView::ToggleBackground()
{
    if (!m_doc || !m_doc->GetBkDib())
        return;
    m_doc->Perform(ZBackgroundEdit::ToggleVisible(tr("显示背景").toStdString()));
}

void CQENView::EditNamedViews()
{
    if (!m_doc)
        return;
    if (!m_initialised)
        InitialUpdate();
    // The dialog edits a copy; the document takes it in one undoable step.
    std::vector<ZNamedView> views = m_doc->GetNamedViews();
    CNamedViewDlg dlg(views, m_canvas.GetExtent(), m_prompt, this);
    dlg.exec();
    if (dlg.Changed())
        m_doc->Perform(std::make_unique<ZNamedViewsEdit>(std::move(views)));
    emit namedViewsChanged();
}

void CQENView::ZoomToNamedView(int index)
{
    if (!m_doc || index < 0 || index >= static_cast<int>(m_doc->GetNamedViews().size()))
        return;
    if (!m_initialised)
        InitialUpdate();
    double cx, cy, s;
    ZNetCanvas::FitExtent(m_doc->GetNamedViews()[static_cast<size_t>(index)].ViewRect, CanvasClientRect(), cx, cy, s);
    m_canvas.ZoomTool().ApplyView(cx, cy, s);
    m_canvas.ZoomTool().SaveViewToDocument();
}
