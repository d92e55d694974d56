#pragma once
#include "ZCanvasHost.h"
#include "ZNetCanvas.h"

#include "CommandIds.h"
#include "CommandTarget.h"
#include "CoordinateSink.h"
#include "model/ZDocumentListener.h"
#include "model/ZNetMsg.h"

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class CViewEditor;
class ObjectPropertyEditor;
class Prompt;
class ZNetBkDib;
class QMenu;
class QPainter;
class QPrinter;
class ZDocument;
class ZResultColouring;
class ZSettingsStore;

// The graphic view of a project: paints the network through its canvas, navigates with the zoom
// tool, shows tooltips and the cursor position, prints and previews what it shows, and repaints
// from the document's change hints, which it hears as a listener of its ZDocument.
class CQENView : public QWidget,
                 public CommandTarget,
                 public ZCanvasHost,
                 public CoordinateSink,
                 private ZDocumentListener {
    Q_OBJECT
public:
    // Whoever creates the view gives it what it works with: the document it shows and listens to,
    // the application's settings and the printer print setup configures (null: a printer of the
    // view's own).
    CQENView(ZDocument* doc, ZSettingsStore& settings, QPrinter* printer, QWidget* parent = nullptr);
    CQENView(ZDocument* doc, ZSettingsStore& settings, QWidget* parent = nullptr)
        : CQENView(doc, settings, nullptr, parent)
    {
    }
    ~CQENView() override;

    ZNetCanvas& Canvas() { return m_canvas; }
    // Colours the map by analysis results, with their key in the bottom left corner; null: none.
    void SetResultColouring(std::shared_ptr<const ZResultColouring> colouring);
    // Editing, selection and find; questions go to `prompt`, property dialogs to `editor`
    // (either may be null: questions are then answered no, and no dialog opens).
    void SetEditServices(Prompt* prompt, ObjectPropertyEditor* editor);
    CViewEditor& Editor() { return *m_editor; }
    ZDocument* Document() const { return m_doc; }

    // Attach to the document and fit its saved view; runs by itself before the first paint.
    void InitialUpdate();
    bool IsInitialised() const { return m_initialised; }

    // The change hint of the document (null: repaint everything).
    void OnUpdate(const ZNetMsg* msg);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // The page turned like the window (landscape when wider than tall), so that what the window
    // shows fills the page rather than a strip of it. The print commands do it before their dialog.
    void MatchPageToView(QPrinter& printer) const;
    // Printing as the print loop calls it: fit the shown extent to the page, paint, restore.
    void BeginPrinting(QPrinter& printer);
    void PrintPage(QPrinter& printer);
    void EndPrinting();
    // The printer the print commands use: the one given at creation, so that print setup
    // applies; else one of the view's own.
    QPrinter& Printer();

    // A click at a world point: a left button press no navigation tool took, or a point typed
    // into the coordinate entry bar.
    void Click(double x, double y);
    // CoordinateSink
    void OnCoordinateEntered(double x, double y) override;

    // Messages and questions of the view's commands; without one they are answered "no".
    void SetPrompt(Prompt* prompt) { m_prompt = prompt; }
    // Asks for the background image file; a file dialog unless set (tests).
    std::function<QString(QWidget*)> ChooseImageFile;

    // Background image: loaded, then placed by a click with one image pixel per screen pixel.
    bool BeginPlacingBackground(const QString& path);
    bool IsPlacingBackground() const { return m_pendingBk != nullptr; }
    void PlaceBackground(double x, double y);
    void CancelPlacingBackground();
    // Asks, then removes the document's background.
    void ClearBackground();
    void ToggleBackground();

    // Named views: the dialog, and zooming to one of the document's views.
    void EditNamedViews();
    void ZoomToNamedView(int index);

    // ZCanvasHost
    QRect CanvasClientRect() const override;
    void CanvasInvalidate(const QRect& rect, bool erase) override;
    void CanvasSaveView(const ViewExtent& extent) override;
    void CanvasRealTime(bool active) override;
    void CanvasRubberChanged(const QRect& oldFrame, const QRect& newFrame) override;

    // The context menu that shows now (real-time, graphic view); tests look at its actions.
    QMenu* BuildContextMenu();
    // Tooltip text at a pixel, as the tooltip would show it (GBK cut to 79 bytes, made QString).
    QString TipTextAt(const QPoint& pt);
    // What the running editing tool asks for, for the status bar; empty when none runs.
    QString EditHint() const;

    // 图例/比例尺: print the presentation map (the whole network framed with its grade key, north
    // arrow, scale bar and title block) instead of what the window shows.
    void SetPrintPresentation(bool on) { m_printPresentation = on; }
    bool PrintPresentation() const { return m_printPresentation; }
    // The presentation map of the document into `size` device pixels, with the colourings the
    // window shows.
    void PaintPresentation(QPainter& painter, const QSize& size, int dpi, bool printing) const;

    // While the balance of an edit just made runs (自动平差), the window keeps showing its picture
    // instead of painting the edit and then its results: one repaint, the results sooner. For at
    // most `ms`; any move of the view paints at once.
    void HoldRedraw(int ms);
    void ReleaseRedraw();
    bool RedrawHeld() const { return m_holdTimer.isActive(); }

public slots:
    void toggleProjectLabels();
    void print();
    void printDirect();
    void printPreview();

signals:
    // World position of the mouse, for the COORDPANEL status pane ("%g, %g").
    void coordinatesChanged(double x, double y);
    void coordinateText(const QString& text);
    // Navigation stored a new view in the document (kept with its next save).
    void viewStored();
    // The document's list of named views changed: the toolbar list is refilled.
    void namedViewsChanged();
    // The project label mode changed; other graphic views repaint.
    void projectLabelModeChanged(bool on);
    // A context-menu command this view does not handle, for the main frame.
    void commandRequested(int id);
    // A click at a world point (see Click) that no editing workshop took.
    void clicked(double x, double y);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    // ZDocumentListener
    void OnDocumentChanged(const ZNetMsg& msg) override;
    void OnDocumentGone() override;

    void Init();
    void ShowWholeDrawingIfCut();
    // Wheel zoom and middle-button pan work beside every tool; each gesture is one history entry.
    bool MiddlePress(QMouseEvent* e);
    bool MiddleMove(QMouseEvent* e);
    bool MiddleRelease(QMouseEvent* e);
    void EndNavigationBurst();
    void UpdateCursor();
    void RunMenuCommand(int id);
    void RepaintBuffer();
    void UpdateView(const ZNetMsg* msg);
    void InvalidateObjects(const std::vector<ZNetObject*>& objects);
    void HandleObjectsChanged(const ZNetMsg& msg, const std::vector<ZNetObject*>& objs);
    void InvalidateAll();
    void PaintPrinter(QPrinter* printer);
    void ChooseBackground();

    ZDocument* m_doc;
    ZSettingsStore& m_settings;
    ZNetCanvas m_canvas;
    std::unique_ptr<CViewEditor> m_editor;
    bool m_initialised = false;

    // What the window shows, kept between paints: only dirty parts are repainted, a pan step
    // scrolls it, and the XOR feedback is drawn over it.
    QImage m_buffer;
    QImage m_spare;   // the other half of a pan step's scroll, kept so steps allocate nothing
    QRegion m_dirty;
    bool m_bufferValid = false;
    bool m_fullDirty = false;
    double m_bufCx = 0.0, m_bufCy = 0.0, m_bufScale = 0.0;

    QTimer m_holdTimer;    // running while HoldRedraw keeps the picture
    QTimer m_wheelBurst;   // running while wheel notches belong to one history entry
    int m_wheelRest = 0;   // eighths of a degree not yet making a whole notch
    bool m_middlePan = false;
    bool m_middleMoved = false;
    QPoint m_middleLast;

    Prompt* m_prompt = nullptr;
    std::unique_ptr<ZNetBkDib> m_pendingBk;   // loaded, waiting for its placing click

    QPoint m_lastTipPoint{-1, -1};
    double m_savedScale = 0.0;
    QRect m_savedViewport;
    bool m_printing = false;
    bool m_printPresentation = false;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
};
