#include "CQENModuleView.h"

#include "CModuleLegend.h"
#include "CViewpointDlg.h"

#include "hydraulics/ZHeadField.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// Angles stay within -180..180, as the viewpoint dialog shows them.
double Wrap(double a)
{
    a = std::fmod(a + 180.0, 360.0);
    if (a < 0.0)
        a += 360.0;
    return a - 180.0;
}

}   // namespace

CQENModuleView::CQENModuleView(ZDocument* doc, const ZSettingsStore& settings, QWidget* parent)
    : QOpenGLWidget(parent), m_doc(doc), m_settings(settings)
{
    setObjectName(QStringLiteral("moduleView"));
    // Fixed-function lighting and display lists: a compatibility context.
    QSurfaceFormat f = format();
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    f.setDepthBufferSize(24);
    f.setSamples(4);
    setFormat(f);
    setMinimumSize(50, 50);
    setFocusPolicy(Qt::StrongFocus);
    if (m_doc)
        m_doc->AddListener(this);
}

CQENModuleView::~CQENModuleView()
{
    if (m_doc)
        m_doc->RemoveListener(this);
    if (m_list && context()) {
        makeCurrent();
        DeleteList();
        doneCurrent();
    }
}

void CQENModuleView::BuildModel()
{
    ComputeModel();
    update();
}

void CQENModuleView::ComputeModel()
{
    const ZNetwork* net = m_doc ? &m_doc->GetNetwork() : nullptr;
    const int kind =
        m_doc && m_doc->GetDrawSettings().ContourKind != 0 ? ZHeadField::FreeHead : ZHeadField::AbsoluteHead;
    const ViewExtent bounds = net ? net->BoundRect() : ViewExtent{};
    std::vector<double> values;
    if (net) {
        ZHeadField field;
        // Heads of an edited part belong to an older network: the surface spans the rest.
        if (m_doc && m_doc->HasStaleResults())
            field.LeaveOut([doc = m_doc](const ZFlowLink& l) { return doc->IsResultStale(l); });
        if (field.Compute(*net, kind, bounds, GridCells, GridCells) == ZHeadField::Ok)
            values = std::move(field.Values());
    }
    const auto& colors = m_settings.Colors();
    m_surface.Build(bounds, GridCells, GridCells, values, colors.ContourFillLow, colors.ContourFillHigh);
    if (net)
        m_surface.BuildPipes(*net);
    if (m_resetCamera || !m_built)
        m_distance = std::max(m_surface.Diagonal(), 1e-6);
    m_resetCamera = false;
    m_built = true;
    m_stale = false;
    m_listCurrent = false;
}

void CQENModuleView::ScheduleRebuild()
{
    // Built at the next paint: hints that come in bursts (an edit, then a balancing run) cost
    // one build, and a window that is not shown builds nothing until it is.
    m_stale = true;
    update();
}

void CQENModuleView::SetDistance(double d)
{
    if (!(d > 0.0) || !std::isfinite(d))
        return;
    m_distance = d;
    update();
}

void CQENModuleView::SetRotation(double x, double y, double z)
{
    m_rotX = Wrap(x);
    m_rotY = Wrap(y);
    m_rotZ = Wrap(z);
    update();
}

void CQENModuleView::OnUpdate(const ZNetMsg* msg)
{
    if (!msg) {
        update();
        return;
    }
    if (msg->Code == ZNetMsg::CadImported)
        m_resetCamera = true;
    // Every other hint may change positions, elevations, heads, the quantity shown or the
    // colours: the surface is built again.
    ScheduleRebuild();
}

void CQENModuleView::OnDocumentChanged(const ZNetMsg& msg)
{
    OnUpdate(&msg);
}

void CQENModuleView::OnDocumentGone()
{
    m_doc = nullptr;
    ScheduleRebuild();
}

bool CQENModuleView::EditViewpoint()
{
    CViewpointDlg dlg(this);
    dlg.SetAngles(m_rotX, m_rotY, m_rotZ);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    SetRotation(dlg.AngleX(), dlg.AngleY(), dlg.AngleZ());
    return true;
}

bool CQENModuleView::OnCommand(int id)
{
    switch (id) {
    case CmdZoomIn:
        SetDistance(m_distance * m_settings.ZoomInScale);
        return true;
    case CmdZoomOut:
        SetDistance(m_distance * m_settings.ZoomOutScale);
        return true;
    case CmdViewAngle:
        EditViewpoint();
        return true;
    case CmdRedraw:
        update();
        return true;
    default:
        return false;
    }
}

bool CQENModuleView::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case CmdZoomIn:
    case CmdZoomOut:
    case CmdViewAngle:
    case CmdRedraw:
        state.enabled = true;
        return true;
    default:
        return false;
    }
}

void CQENModuleView::initializeGL()
{
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    m_listCurrent = false;
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this]() {
        makeCurrent();
        DeleteList();
        doneCurrent();
    });
}

void CQENModuleView::SetProjection(int w, int h)
{
    // Near and far planes from the model's size and the camera distance, so that any network
    // fits between them and the depth buffer keeps its precision.
    const double hw = m_surface.Width() * 0.5, hd = m_surface.Depth() * 0.5;
    double zReach = m_surface.Height() * 0.5;
    const auto& lines = m_surface.PipeLines();
    for (size_t i = 2; i < lines.size(); i += 3)
        zReach = std::max(zReach, std::fabs(lines[i] - m_surface.Height() * 0.5));
    const double radius = std::max(std::sqrt(hw * hw + hd * hd + zReach * zReach), 1e-6);
    const double zNear = std::max(radius * 1e-3, m_distance - radius * 1.01);
    const double zFar = m_distance + radius * 1.01;
    const double aspect = h > 0 ? double(w) / double(h) : 1.0;
    const double top = zNear * std::tan(30.0 * M_PI / 180.0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-top * aspect, top * aspect, -top, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
}

void CQENModuleView::resizeGL(int, int)
{
    // The widget sets the viewport itself; the projection is set on every paint.
}

void CQENModuleView::DeleteList()
{
    if (m_list)
        glDeleteLists(m_list, 2);
    m_list = 0;
    m_listCurrent = false;
}

void CQENModuleView::CompileList()
{
    // Two lists: the surface, and the pipes, which a drag over a large network leaves out.
    if (!m_list)
        m_list = glGenLists(2);
    const ZModuleSurface& s = m_surface;
    glNewList(m_list, GL_COMPILE);
    glPushMatrix();
    // The model is kept centred on x and y already; here it is centred in height.
    glTranslated(0.0, 0.0, -s.Height() / 2.0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, s.Positions().data());
    glNormalPointer(GL_FLOAT, 0, s.Normals().data());
    glColorPointer(3, GL_FLOAT, 0, s.Colours().data());
    const GLsizei perRow = static_cast<GLsizei>(2 * (s.Columns() + 1));
    for (int r = 0; r < s.Rows(); ++r)
        glDrawElements(GL_TRIANGLE_STRIP, perRow, GL_UNSIGNED_INT,
                       s.StripIndices().data() + size_t(r) * size_t(perRow));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
    glEndList();

    glNewList(m_list + 1, GL_COMPILE);
    if (!s.PipeLines().empty()) {
        glPushMatrix();
        glTranslated(0.0, 0.0, -s.Height() / 2.0);
        // Pipes in their own colour, unlit, so they read as the plan of the network.
        glDisable(GL_LIGHTING);
        const uint32_t pipe = m_settings.Colors().Pipe;
        glColor3ub(GLubyte(ZColorSettings::Red(pipe)), GLubyte(ZColorSettings::Green(pipe)),
                   GLubyte(ZColorSettings::Blue(pipe)));
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, s.PipeLines().data());
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(s.PipeLines().size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glEnable(GL_LIGHTING);
        glPopMatrix();
    }
    glEndList();
    m_listCurrent = true;
}

void CQENModuleView::paintGL()
{
    if (!m_built || m_stale) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ComputeModel();
        QApplication::restoreOverrideCursor();
    }
    if (!m_listCurrent)
        CompileList();
    // The clipping planes follow the camera distance.
    SetProjection(width(), height());
    const uint32_t bk = m_settings.Colors().BkGround;
    glClearColor(ZColorSettings::Red(bk) / 255.0f, ZColorSettings::Green(bk) / 255.0f,
                 ZColorSettings::Blue(bk) / 255.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat specular[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat position[] = {1.0f, 1.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    // Normals stay unit length under the camera's rotation only; nothing here scales.
    glTranslated(0.0, 0.0, -m_distance);
    glRotated(m_rotZ, 0.0, 0.0, 1.0);
    glRotated(m_rotY, 0.0, 1.0, 0.0);
    glRotated(m_rotX, 1.0, 0.0, 0.0);
    glEnable(GL_COLOR_MATERIAL);
    glCallList(m_list);
    // A drag over tens of thousands of pipes turns the surface alone; they come back on release.
    if (!m_dragging || m_surface.PipeLines().size() / 6 < DragPipeLimit)
        glCallList(m_list + 1);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    PaintLegend();
}

void CQENModuleView::PaintLegend()
{
    QPainter p(this);
    CModuleLegend::Paint(p, size(), m_settings, m_surface, m_doc && m_doc->GetDrawSettings().ContourKind != 0);
}

void CQENModuleView::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragFrom = e->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    QOpenGLWidget::mousePressEvent(e);
}

void CQENModuleView::mouseMoveEvent(QMouseEvent* e)
{
    if (!m_dragging || !(e->buttons() & Qt::LeftButton)) {
        QOpenGLWidget::mouseMoveEvent(e);
        return;
    }
    const QPoint at = e->position().toPoint();
    const QPoint d = at - m_dragFrom;
    m_dragFrom = at;
    // Half a degree a pixel: across the window is about a half turn.
    SetRotation(m_rotX + d.y() * 0.5, m_rotY + d.x() * 0.5, m_rotZ);
}

void CQENModuleView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        unsetCursor();
        update();
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(e);
}

void CQENModuleView::wheelEvent(QWheelEvent* e)
{
    const double steps = e->angleDelta().y() / 120.0;
    if (steps == 0.0) {
        e->ignore();
        return;
    }
    const double scale = steps > 0 ? m_settings.ZoomInScale : m_settings.ZoomOutScale;
    SetDistance(m_distance * std::pow(scale, std::fabs(steps)));
    e->accept();
}

void CQENModuleView::keyPressEvent(QKeyEvent* e)
{
    // Arrows turn by the dialog's slider step, + and - move as the zoom commands do.
    switch (e->key()) {
    case Qt::Key_Left:
        SetRotation(m_rotX, m_rotY - 5.0, m_rotZ);
        return;
    case Qt::Key_Right:
        SetRotation(m_rotX, m_rotY + 5.0, m_rotZ);
        return;
    case Qt::Key_Up:
        SetRotation(m_rotX - 5.0, m_rotY, m_rotZ);
        return;
    case Qt::Key_Down:
        SetRotation(m_rotX + 5.0, m_rotY, m_rotZ);
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        OnCommand(CmdZoomIn);
        return;
    case Qt::Key_Minus:
        OnCommand(CmdZoomOut);
        return;
    default:
        QOpenGLWidget::keyPressEvent(e);
    }
}

void CQENModuleView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    menu.addAction(tr("放大"), this, [this]() { OnCommand(CmdZoomIn); });
    menu.addAction(tr("缩小"), this, [this]() { OnCommand(CmdZoomOut); });
    menu.addSeparator();
    menu.addAction(tr("观察角..."), this, [this]() { OnCommand(CmdViewAngle); });
    menu.exec(e->globalPos());
}
