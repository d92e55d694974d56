#pragma once
#include "CChildFrame.h"
#include "app/commands/CCommandWindow.h"
#include "views/CommandTarget.h"

#include "model/PipePoint.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

class CCalcCommands;
class CFrameHost;
class CMainStatusBar;
class CNetCmdBar;
class CQENDoc;
class CReportWindow;
class CSimulationCommands;
class CSweepCommands;
class CTimeBar;
class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;
class ZNetObject;
class ZNetView;

// The main MDI window: menus, the five toolbars and the coordinate entry bar, the status bar,
// the report window and the child windows of every open document. Commands go to the active
// view, then its document, then this frame, then the application.
class CMainFrame : public QMainWindow, public CommandTarget, public CCommandWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CFrameHost& host, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Where the windows of a document are made.
    QWidget* CreateView(CQENDoc* doc, CChildFrame::ViewKind kind);
    // The printer the views print on (print setup's), made when a view first needs it.
    void SetPrinterSource(std::function<QPrinter*()> source) { m_printerSource = std::move(source); }
    // The calculation commands, routed after the active view and before its document.
    void SetCalcCommands(std::unique_ptr<CCalcCommands> calc);
    CChildFrame* OpenFrame(CQENDoc* doc, CChildFrame::ViewKind kind);
    // Brings the graphic window of the document forward (opening one if needed) centred on the
    // object; `select`: it becomes the view's selection.
    void ShowInGraphicView(CQENDoc* doc, ZNetObject* object, bool select = false);
    // Where an object is centred: a node's position, half way along a pipe, a device's inlet.
    static PipePoint ObjectCentre(const ZNetObject& object, const ZNetView& view);

    QMdiArea* MdiArea() const { return m_mdi; }
    CChildFrame* ActiveFrame() const;
    CQENDoc* ActiveDocument() const override;
    QWidget* ActiveView() const;
    QList<CChildFrame*> Frames() const;
    QList<CChildFrame*> FramesOf(const CQENDoc* doc) const;
    CChildFrame* FrameOf(const CQENDoc* doc, CChildFrame::ViewKind kind) const;

    QAction* Action(int id) const { return m_actions.value(id); }
    QToolBar* ToolBar(int barId) const { return m_bars.value(barId); }
    CNetCmdBar* CoordBar() const { return m_coordBar; }
    CTimeBar* TimeBar() const { return m_timeBar; }
    CMainStatusBar* StatusPanes() const { return m_status; }
    CReportWindow& ReportWindow() override;
    QWidget* DialogOwner() override { return this; }
    // The named-view list of the zoom toolbar (filled by the graphic view).
    QComboBox* NamedViewCombo() const { return m_namedViewCombo; }
    QMenu* RecentFileMenuAnchor() const { return m_fileMenu; }
    // Fills the named-view list from the active document unless it shows that document's list
    // already (`force`: refill anyway); enabled while the document has a named view.
    void RefreshNamedViewList(bool force = false);
    // An entry of the list was chosen: the active graphic view zooms to it.
    void OnNamedViewChosen(int index);

    // COORDPANEL text, set by the views.
    void SetCoordText(const QString& text);

    // Routes one command as a menu click would.
    void ExecuteCommand(int id);
    // Re-evaluates every command's enabled and checked state and the status panes.
    void UpdateCommandUI();
    // The coordinate bar's Enter.
    void OnCoordinateText(const QString& text);

    void RefreshRecentFiles(const QStringList& files);
    // Files dropped on the window open as documents.
    void OpenDroppedFiles(const QList<QUrl>& urls);

    QByteArray SaveBarState() const;
    void LoadBarState(const QByteArray& state);

    bool OnCommand(int id) override;
    // "提取CAD管网" into the document: the pipes added are one undoable change.
    void ImportCad(CQENDoc& doc);
    bool OnUpdateCommand(int id, CommandState& state) override;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    QToolBar* MakeBar(int id, const QString& title, const QList<int>& buttons);
    QMenu* AddMenu(QMenu* parent, const QString& title, const QList<int>& ids);
    bool RouteCommand(int id, CommandState* state);
    bool SwitchWindow(CChildFrame::ViewKind kind, bool execute);

    CFrameHost& m_host;
    QMdiArea* m_mdi;
    CMainStatusBar* m_status;
    std::unique_ptr<CCalcCommands> m_calc;
    std::unique_ptr<CSimulationCommands> m_sim;
    std::unique_ptr<CSweepCommands> m_sweeps;
    CTimeBar* m_timeBar = nullptr;
    CNetCmdBar* m_coordBar = nullptr;
    QComboBox* m_namedViewCombo = nullptr;
    QPointer<CQENDoc> m_namedViewDoc;   // whose views the list shows
    bool m_namedViewListFilled = false;
    CReportWindow* m_report = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_mruSeparator = nullptr;
    QList<QAction*> m_mruActions;
    QList<QMenu*> m_subMenus;
    QHash<int, QAction*> m_actions;
    QHash<int, QToolBar*> m_bars;
    std::function<QPrinter*()> m_printerSource;
};
