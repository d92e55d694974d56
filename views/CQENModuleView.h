#pragma once
#include "ZModuleSurface.h"

#include "CommandIds.h"
#include "CommandTarget.h"
#include "model/ZDocumentListener.h"
#include "model/ZNetMsg.h"

#include <QOpenGLWidget>

class ZDocument;
class ZSettingsStore;

// The three-dimensional window of a project: the head (or free head) over the network's plan as
// a lit, colour-graded surface with the pipes at ground elevation, seen through a perspective
// camera. The zoom commands, the viewpoint dialog, a left-button drag and the wheel move the
// camera; a change of the network or its results (heard as a listener of its ZDocument)
// rebuilds the surface.
class CQENModuleView : public QOpenGLWidget, public CommandTarget, private ZDocumentListener {
    Q_OBJECT
public:
    enum Command {
        CmdZoomOut = Cmd::ZoomOut,
        CmdZoomIn = Cmd::ZoomIn,
        CmdRedraw = Cmd::Redraw,
        CmdViewAngle = Cmd::ViewAngle
    };
    static constexpr int GridCells = 100;
    // Pipe segments above which a drag shows the surface alone.
    static constexpr size_t DragPipeLimit = 20000;

    CQENModuleView(ZDocument* doc, const ZSettingsStore& settings, QWidget* parent = nullptr);
    ~CQENModuleView() override;

    const ZModuleSurface& Surface() const { return m_surface; }
    // The surface is built when first needed and again after a change; this builds it now.
    void BuildModel();
    bool IsModelCurrent() const { return m_built && !m_stale; }

    double Distance() const { return m_distance; }
    void SetDistance(double d);
    double RotationX() const { return m_rotX; }
    double RotationY() const { return m_rotY; }
    double RotationZ() const { return m_rotZ; }
    void SetRotation(double x, double y, double z);
    bool IsDragging() const { return m_dragging; }

    // The document's change hint (null: repaint).
    void OnUpdate(const ZNetMsg* msg);
    // Opens the viewpoint dialog; true when it was confirmed.
    bool EditViewpoint();

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // ZDocumentListener
    void OnDocumentChanged(const ZNetMsg& msg) override;
    void OnDocumentGone() override;

    void ComputeModel();
    void CompileList();
    void DeleteList();
    void SetProjection(int w, int h);
    void PaintLegend();
    void ScheduleRebuild();

    ZDocument* m_doc;
    const ZSettingsStore& m_settings;
    ZModuleSurface m_surface;
    bool m_built = false;
    bool m_stale = true;          // the network changed since the surface was built
    bool m_listCurrent = false;   // the display list holds the current surface
    bool m_resetCamera = true;
    unsigned m_list = 0;
    double m_distance = 1.0;
    double m_rotX = -30.0, m_rotY = 15.0, m_rotZ = 0.0;
    QPoint m_dragFrom;
    bool m_dragging = false;
};
