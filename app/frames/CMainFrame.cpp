#include "CMainFrame.h"
#include "app/commands/CLiveBalance.h"
#include "app/commands/CCalcCommands.h"
#include "CFrameHost.h"
#include "CMainStatusBar.h"
#include "CNetCmdBar.h"
#include "app/commands/CQENDoc.h"
#include "app/commands/CSimulationCommands.h"
#include "app/commands/CSweepCommands.h"
#include "CTimeBar.h"
#include "app/dialogs/CReportWindow.h"
#include "views/CommandIds.h"
#include "CommandTable.h"
#include "CoordEdit.h"
#include "CoordParser.h"
#include "views/CoordinateSink.h"
#include "views/UiPrompt.h"
#include "app/dialogs/VectorIconEngine.h"

#include "model/ZPipeLink.h"
#include "views/CQENGridView.h"
#include "views/CQENModuleView.h"
#include "cad/CCadExportCommand.h"
#include "cad/CCadImportCommand.h"
#include "views/CQENView.h"
#include "views/GbkText.h"
#include "views/ZGridColumns.h"
#include "views/ZSelectTracker.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include <cmath>

using namespace Cmd;

CMainFrame::CMainFrame(CFrameHost& host, QWidget* parent) : QMainWindow(parent), m_host(host)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("QEN"));
    setWindowIcon(VectorIconEngine::ForCommand(VectorIconEngine::AppIconId));
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    m_status = new CMainStatusBar(this);
    setStatusBar(m_status);

    CreateActions();
    CreateMenus();
    CreateToolBars();
    // Extended-period results: their commands and the time bar under the windows.
    m_sim = std::make_unique<CSimulationCommands>(*this);
    m_sweeps = std::make_unique<CSweepCommands>(*this);
    m_timeBar = new CTimeBar(this);
    addToolBarBreak(Qt::BottomToolBarArea);
    addToolBar(Qt::BottomToolBarArea, m_timeBar);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateCommandUI);
    // The idle-time update of command states: cheap enough to poll.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    timer->start(250);
    resize(1100, 760);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    // Tearing down the child windows activates others; nothing must be routed to a half-gone frame.
    disconnect(m_mdi, nullptr, this, nullptr);
}

QWidget* CMainFrame::CreateView(CQENDoc* doc, CChildFrame::ViewKind kind)
{
    switch (kind) {
    case CChildFrame::Graphic:
        return new CQENView(&doc->Data(), doc->Settings(), m_printerSource ? m_printerSource() : nullptr);
    case CChildFrame::Table: {
        auto* grid = new CQENGridView(&doc->Data(), doc->Settings());
        grid->SetPrinter(m_printerSource ? m_printerSource() : nullptr);
        return grid;
    }
    case CChildFrame::Module:
        return new CQENModuleView(&doc->Data(), doc->Settings());
    default:
        return nullptr;
    }
}

void CMainFrame::SetCalcCommands(std::unique_ptr<CCalcCommands> calc)
{
    m_calc = std::move(calc);
}

CChildFrame* CMainFrame::OpenFrame(CQENDoc* doc, CChildFrame::ViewKind kind)
{
    QWidget* view = CreateView(doc, kind);
    if (!view)
        return nullptr;
    if (auto* graphic = qobject_cast<CQENView*>(view)) {
        graphic->SetEditServices(&m_host.Prompt(), m_host.PropertyEditor());
        connect(graphic, &CQENView::coordinateText, this, &CMainFrame::SetCoordText);
        connect(graphic, &CQENView::commandRequested, this, &CMainFrame::ExecuteCommand);
        connect(graphic, &CQENView::namedViewsChanged, this, [this]() { RefreshNamedViewList(true); });
        graphic->SetPrompt(&doc->Prompt());
        if (CLiveBalance* live = CLiveBalance::Of(*doc))
            live->Attach(*graphic);
        connect(graphic, &CQENView::projectLabelModeChanged, this, [this, graphic]() {
            // The label mode is the application's: every other graphic window follows.
            for (CChildFrame* f : Frames())
                if (auto* other = qobject_cast<CQENView*>(f->View()); other && other != graphic)
                    other->OnUpdate(nullptr);
        });
    }
    if (auto* grid = qobject_cast<CQENGridView*>(view)) {
        connect(grid, &CQENGridView::recordTextChanged, this, [this, grid](const QString& text) {
            if (ActiveView() == grid)
                SetCoordText(text);
        });
        // A result row's object is selected as well, so that it stands out among the colours.
        connect(grid, &CQENGridView::objectActivated, this, [this, doc, grid](ZNetObject* object) {
            ShowInGraphicView(doc, object, grid->CurrentTab() >= ZGridColumns::TabCount);
        });
    }
    CSweepCommands::AttachView(*doc, view);
    auto* frame = new CChildFrame(m_host, doc, kind, view);
    m_mdi->addSubWindow(frame);
    if (m_mdi->subWindowList().size() == 1)
        frame->showMaximized();
    else
        frame->show();
    m_mdi->setActiveSubWindow(frame);
    // The first graphic window of a document that shows contours makes them.
    if (kind == CChildFrame::Graphic && m_calc)
        m_calc->OnGraphicViewOpened(*doc);
    return frame;
}

void CMainFrame::ShowInGraphicView(CQENDoc* doc, ZNetObject* object, bool select)
{
    if (!doc || !object)
        return;
    CChildFrame* frame = FrameOf(doc, CChildFrame::Graphic);
    if (!frame)
        frame = OpenFrame(doc, CChildFrame::Graphic);
    auto* view = frame ? qobject_cast<CQENView*>(frame->View()) : nullptr;
    if (!view)
        return;
    m_mdi->setActiveSubWindow(frame);
    view->InitialUpdate();
    const PipePoint at = ObjectCentre(*object, view->Canvas());
    ZZoomTool& zoom = view->Canvas().ZoomTool();
    zoom.ApplyView(at.x, at.y, view->Canvas().GetScale());
    zoom.SaveViewToDocument();
    if (select) {
        ZSelectTracker& tracker = view->Canvas().Tracker();
        tracker.Clear();
        tracker.Add(object);
    }
}

PipePoint CMainFrame::ObjectCentre(const ZNetObject& object, const ZNetView& view)
{
    if (object.GetKind() == ZNetObject::Kind::Node)
        return static_cast<const ZFlowNode&>(object).GetPosition(view);
    if (object.GetKind() == ZNetObject::Kind::Pipe) {
        // Half way along the polyline, which lies on the pipe even where it bends.
        const auto& pipe = static_cast<const ZPipeLink&>(object);
        const auto* a = static_cast<const ZFlowNode*>(pipe.StartNode());
        const auto* b = static_cast<const ZFlowNode*>(pipe.EndNode());
        if (a && b) {
            std::vector<PipePoint> pts{a->GetPosition(view)};
            pts.insert(pts.end(), pipe.Vertices().begin(), pipe.Vertices().end());
            pts.push_back(b->GetPosition(view));
            double total = 0.0;
            for (size_t i = 1; i < pts.size(); ++i)
                total += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
            double left = total * 0.5;
            for (size_t i = 1; i < pts.size(); ++i) {
                const double len = std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
                if (len >= left && len > 0.0) {
                    const double t = left / len;
                    return PipePoint{pts[i - 1].x + t * (pts[i].x - pts[i - 1].x),
                                     pts[i - 1].y + t * (pts[i].y - pts[i - 1].y)};
                }
                left -= len;
            }
            return pts.front();
        }
    }
    // A device: its inlet, where the find dialog centres it too.
    if (const auto* inlet = static_cast<const ZFlowNode*>(static_cast<const ZNetLink&>(object).StartNode()))
        return PipePoint{inlet->X, inlet->Y};
    const ViewExtent r = object.GetBoundRect(view);
    return PipePoint{(r.left + r.right) * 0.5, (r.bottom + r.top) * 0.5};
}

CChildFrame* CMainFrame::ActiveFrame() const
{
    return qobject_cast<CChildFrame*>(m_mdi->activeSubWindow());
}

CQENDoc* CMainFrame::ActiveDocument() const
{
    CChildFrame* f = ActiveFrame();
    return f ? f->Document() : nullptr;
}

QWidget* CMainFrame::ActiveView() const
{
    CChildFrame* f = ActiveFrame();
    return f ? f->View() : nullptr;
}

QList<CChildFrame*> CMainFrame::Frames() const
{
    QList<CChildFrame*> list;
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (auto* f = qobject_cast<CChildFrame*>(w))
            list.append(f);
    return list;
}

QList<CChildFrame*> CMainFrame::FramesOf(const CQENDoc* doc) const
{
    QList<CChildFrame*> list;
    for (CChildFrame* f : Frames())
        if (f->Document() == doc)
            list.append(f);
    return list;
}

CChildFrame* CMainFrame::FrameOf(const CQENDoc* doc, CChildFrame::ViewKind kind) const
{
    for (CChildFrame* f : FramesOf(doc))
        if (f->Kind() == kind)
            return f;
    return nullptr;
}

CReportWindow& CMainFrame::ReportWindow()
{
    if (!m_report)
        m_report = new CReportWindow(this);
    return *m_report;
}

void CMainFrame::SetCoordText(const QString& text)
{
    m_status->SetCoordText(text);
}

void CMainFrame::CreateActions()
{
    for (const CommandTable::Entry& e : CommandTable::All()) {
        auto* a = new QAction(CommandTable::Text(e), this);
        a->setData(e.id);
        a->setObjectName(QStringLiteral("cmd%1").arg(e.id));
        a->setStatusTip(CommandTable::Prompt(e));
        a->setToolTip(CommandTable::PlainText(e));
        a->setIcon(VectorIconEngine::ForCommand(e.id));
        a->setCheckable(e.checkable);
        if (e.key != QKeySequence::UnknownKey)
            a->setShortcuts(e.key);
        // Redo answers both keys people bring from other programs.
        if (e.id == EditRedo)
            a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
        a->setEnabled(false);
        const int id = e.id;
        connect(a, &QAction::triggered, this, [this, id]() { ExecuteCommand(id); });
        m_actions.insert(id, a);
    }
    for (int i = 0; i < 4; ++i) {
        auto* a = new QAction(this);
        a->setVisible(false);
        a->setStatusTip(tr("打开该文档"));
        const int index = i;
        connect(a, &QAction::triggered, this, [this, index]() { m_host.OpenRecentFile(index); });
        m_mruActions.append(a);
    }
}

QMenu* CMainFrame::AddMenu(QMenu* parent, const QString& title, const QList<int>& ids)
{
    QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    for (int id : ids) {
        if (id == 0)
            menu->addSeparator();
        else
            menu->addAction(m_actions.value(id));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    if (parent)
        m_subMenus.append(menu);
    return menu;
}

void CMainFrame::CreateMenus()
{
    m_fileMenu = AddMenu(nullptr, tr("文件(&F)"),
                         {FileNew, FileOpen, FileClose, FileSave, FileSaveAs, 0, FileImportEpanet, FileExportEpanet,
                          FileExportReport, 0});
    AddMenu(m_fileMenu, tr("引入(&I)"), {ImportAcad, ImportGis});
    AddMenu(m_fileMenu, tr("引出(&E)"), {ExportAcad, ExportGis});
    m_fileMenu->addSeparator();
    AddMenu(m_fileMenu, tr("背景(&B)"), {BkSelect, BkClear, BkShow});
    m_fileMenu->addSeparator();
    for (int id : {FilePrint, FilePrintPreview, FilePrintSetup})
        m_fileMenu->addAction(m_actions.value(id));
    m_mruSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addActions(m_mruActions);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actions.value(AppExit));

    QMenu* edit = AddMenu(nullptr, tr("编辑(&E)"), {EditUndo, EditRedo, 0, EditCut, EditCopy, EditPaste, 0});
    AddMenu(edit, tr("插入(&I)"), {InsertNode, InsertPipe, InsertPump, InsertValve, InsertTank});
    AddMenu(edit, tr("移动(&M)"), {MoveNode, MovePipe, MovePump, MoveValve, MoveTank});
    AddMenu(edit, tr("删除(&D)"), {DeleteNode, DeletePipe, DeletePump, DeleteValve, DeleteTank});
    edit->addSeparator();
    edit->addAction(m_actions.value(EditFind));
    AddMenu(edit, tr("选择(&S)"), {SelectWindow, SelectCrossing});
    AddMenu(edit, tr("属性(&R)"), {PropNode, PropPipe, PropPump, PropValve, PropTank});

    QMenu* view = AddMenu(nullptr, tr("视图(&V)"), {Redraw, 0});
    AddMenu(view, tr("缩放(&Z)"), {ZoomRealtime, ZoomBack, ZoomForward, ZoomIn, ZoomOut, ZoomWindow, ZoomExtents});
    AddMenu(view, tr("平移(&P)"), {PanRealtime, PanCenter});
    view->addAction(m_actions.value(EagleEye));
    view->addAction(m_actions.value(NamedViews));
    view->addSeparator();
    view->addAction(m_actions.value(Contours));
    view->addAction(m_actions.value(ProjectLabels));
    view->addAction(m_actions.value(TimeSeries));
    view->addSeparator();
    for (int id : {WindowGraphic, WindowTable, WindowModule})
        view->addAction(m_actions.value(id));
    AddMenu(view, tr("三维观察(&3)"), {ViewAngle, ViewOrtho, ViewPerspective});
    AddMenu(view, tr("记录(&D)"), {RecordFirst, RecordPrev, RecordNext, RecordLast});
    view->addSeparator();
    AddMenu(view, tr("工具栏(&T)"), {BarStandard, BarEdit, BarZoom, BarTemplate, BarTable, BarCoord});
    view->addAction(m_actions.value(BarStatus));

    AddMenu(nullptr, tr("计算(&C)"),
            {NodeFlows, Balance, AutoBalance, NetCost, PipeSizing, Simulate, FireFlow, PipeFailure, FireFlowColours,
             FailureColours, 0, Configure});

    QMenu* tools = menuBar()->addMenu(tr("工具(&T)"));
    connect(tools, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    AddMenu(tools, tr("模板(&M)"), {TemplateNode, TemplatePipe, TemplatePump, TemplateValve, TemplateTank});
    for (int id : {int(Options), int(Appearance), 0, int(Calculator), int(ElevationsFromDem)}) {
        if (id == 0)
            tools->addSeparator();
        else
            tools->addAction(m_actions.value(id));
    }

    QMenu* window = AddMenu(nullptr, tr("窗口(&W)"), {WindowCascade, WindowTile, WindowArrange});
    connect(window, &QMenu::aboutToShow, this, [this, window]() {
        // The list of open windows after the fixed entries.
        const auto acts = window->actions();
        for (int i = 3; i < acts.size(); ++i) {
            window->removeAction(acts[i]);
            if (acts[i]->parent() == window)
                delete acts[i];
        }
        const auto frames = Frames();
        if (!frames.isEmpty())
            window->addSeparator();
        for (int i = 0; i < frames.size(); ++i) {
            CChildFrame* f = frames[i];
            QAction* a = window->addAction(
                QStringLiteral("&%1 %2").arg(i + 1).arg(f->windowTitle().remove(QStringLiteral("[*]"))));
            a->setCheckable(true);
            a->setChecked(f == ActiveFrame());
            connect(a, &QAction::triggered, this, [this, f]() { m_mdi->setActiveSubWindow(f); });
        }
    });

    AddMenu(nullptr, tr("帮助(&H)"), {HelpTopics, 0, AppAbout});
}

QToolBar* CMainFrame::MakeBar(int id, const QString& title, const QList<int>& buttons)
{
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(QStringLiteral("Bar%1").arg(id));
    bar->setIconSize(QSize(20, 20));
    for (int b : buttons) {
        if (b == 0)
            bar->addSeparator();
        else if (b == NamedViewList) {
            m_namedViewCombo = new QComboBox(bar);
            m_namedViewCombo->setObjectName(QStringLiteral("namedViewCombo"));
            m_namedViewCombo->setMinimumContentsLength(12);
            m_namedViewCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            m_namedViewCombo->setToolTip(tr("命名视图"));
            m_namedViewCombo->setEnabled(false);
            connect(m_namedViewCombo, &QComboBox::activated, this, &CMainFrame::OnNamedViewChosen);
            bar->addWidget(m_namedViewCombo);
        } else
            bar->addAction(m_actions.value(b));
    }
    m_bars.insert(id, bar);
    return bar;
}

void CMainFrame::CreateToolBars()
{
    const QStringList titles = {tr("标准工具"), tr("编辑工具"),   tr("模板工具"),
                                tr("表格工具"), tr("坐标录入条"), tr("缩放工具")};
    QToolBar* standard = MakeBar(BarStandard, titles[0],
                                 {FileNew,
                                  FileOpen,
                                  FileSave,
                                  0,
                                  EditCut,
                                  EditCopy,
                                  EditPaste,
                                  0,
                                  FilePrint,
                                  FilePrintPreview,
                                  0,
                                  Redraw,
                                  0,
                                  Contours,
                                  WindowModule,
                                  BkShow,
                                  0,
                                  EditFind,
                                  0,
                                  NodeFlows,
                                  NetCost,
                                  Balance,
                                  AutoBalance,
                                  0,
                                  ProjectLabels,
                                  0,
                                  WindowGraphic,
                                  WindowTable,
                                  0,
                                  AppAbout,
                                  ContextHelp});
    QToolBar* edit = MakeBar(BarEdit, titles[1],
                             {InsertNode, InsertPipe, InsertPump, InsertValve, InsertTank, 0, MoveNode, MovePipe, 0,
                              DeleteNode, DeletePipe, DeletePump, DeleteValve, DeleteTank});
    QToolBar* zoom = MakeBar(BarZoom, titles[5],
                             {NamedViewList, 0, PanRealtime, ZoomRealtime, 0, ZoomBack, ZoomForward, 0, ZoomIn, ZoomOut,
                              ZoomWindow, ZoomExtents});
    QToolBar* templ =
        MakeBar(BarTemplate, titles[2], {TemplateNode, TemplatePipe, TemplatePump, TemplateValve, TemplateTank});
    QToolBar* table = MakeBar(BarTable, titles[3], {RecordFirst, RecordPrev, RecordNext, RecordLast});
    m_coordBar = new CNetCmdBar(titles[4], this);
    m_bars.insert(BarCoord, m_coordBar);
    connect(m_coordBar, &CNetCmdBar::coordinateText, this, &CMainFrame::OnCoordinateText);

    // Initial layout, before any saved one: three bars on top, the template bar at the right,
    // the table bar and the coordinate bar at the bottom.
    addToolBar(Qt::TopToolBarArea, standard);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, edit);
    addToolBar(Qt::TopToolBarArea, zoom);
    addToolBar(Qt::RightToolBarArea, templ);
    addToolBar(Qt::BottomToolBarArea, m_coordBar);
    addToolBar(Qt::BottomToolBarArea, table);
}

QByteArray CMainFrame::SaveBarState() const
{
    return saveState(1);
}

void CMainFrame::LoadBarState(const QByteArray& state)
{
    if (!state.isEmpty())
        restoreState(state, 1);
}

void CMainFrame::RefreshRecentFiles(const QStringList& files)
{
    for (int i = 0; i < m_mruActions.size(); ++i) {
        QAction* a = m_mruActions[i];
        if (i < files.size()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
            a->setToolTip(files[i]);
            a->setVisible(true);
        } else
            a->setVisible(false);
    }
    if (m_mruSeparator)
        m_mruSeparator->setVisible(!files.isEmpty());
}

bool CMainFrame::RouteCommand(int id, CommandState* state)
{
    QList<CommandTarget*> chain;
    if (auto* v = dynamic_cast<CommandTarget*>(ActiveView()))
        chain.append(v);
    if (m_calc)
        chain.append(m_calc.get());
    chain.append(m_sim.get());
    chain.append(m_sweeps.get());
    if (CQENDoc* d = ActiveDocument())
        chain.append(d);
    chain.append(this);
    chain.append(&m_host);
    for (CommandTarget* t : chain) {
        if (state ? t->OnUpdateCommand(id, *state) : t->OnCommand(id))
            return true;
    }
    return false;
}

void CMainFrame::ExecuteCommand(int id)
{
    CommandState state;
    if (!RouteCommand(id, &state) || !state.enabled)
        return;
    RouteCommand(id, nullptr);
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        CommandState state;
        const bool known = RouteCommand(it.key(), &state);
        QAction* a = it.value();
        const bool enabled = known && state.enabled;
        if (a->isEnabled() != enabled)
            a->setEnabled(enabled);
        if (a->isCheckable() && a->isChecked() != state.checked)
            a->setChecked(state.checked);
        const CommandTable::Entry* e = CommandTable::Find(it.key());
        const QString text = state.text.isEmpty() && e ? CommandTable::Text(*e) : state.text;
        if (!text.isEmpty() && a->text() != text)
            a->setText(text);
    }
    // A submenu whose every entry is disabled is disabled itself.
    for (QMenu* menu : m_subMenus) {
        bool any = false;
        for (QAction* a : menu->actions())
            any = any || (!a->isSeparator() && a->isEnabled());
        menu->menuAction()->setEnabled(any);
    }
    // The child's own title, modified mark included: a maximized child adds its title to the
    // frame's unless the frame's already holds it, so the name shows once either way.
    CChildFrame* active = ActiveFrame();
    const QString title = active ? QStringLiteral("QEN - [%1]").arg(active->windowTitle()) : QStringLiteral("QEN");
    if (windowTitle() != title)
        setWindowTitle(title);
    const bool modified = active && active->isWindowModified();
    if (isWindowModified() != modified)
        setWindowModified(modified);
    auto* graphic = qobject_cast<CQENView*>(ActiveView());
    m_status->SetIdleText(graphic ? graphic->EditHint() : QString());
    CQENDoc* doc = ActiveDocument();
    m_status->SetBalanceText(doc ? doc->BalanceStatusText() : QString());
    m_timeBar->SetDocument(doc);
    if (auto* grid = qobject_cast<CQENGridView*>(ActiveView()))
        SetCoordText(grid->RecordText());
    RefreshNamedViewList();
    m_status->UpdateLockIndicators();
    m_host.PersistProfile();
}

bool CMainFrame::SwitchWindow(CChildFrame::ViewKind kind, bool execute)
{
    CQENDoc* doc = ActiveDocument();
    if (!execute)
        return doc && !FrameOf(doc, kind);
    if (!doc) {
        m_host.Prompt().Warn(tr("试图执行系统命令失败。").toStdString());
        return false;
    }
    return OpenFrame(doc, kind) != nullptr;
}

void CMainFrame::ImportCad(CQENDoc& doc)
{
    CCadImportCommand(doc.Data(), doc.Settings(), m_host.Profile(), m_host.Prompt(), this).Run();
}

bool CMainFrame::OnCommand(int id)
{
    switch (id) {
    case WindowGraphic:
        SwitchWindow(CChildFrame::Graphic, true);
        return true;
    case WindowTable:
        SwitchWindow(CChildFrame::Table, true);
        return true;
    case WindowModule:
        SwitchWindow(CChildFrame::Module, true);
        return true;
    case FileClose:
        if (CQENDoc* doc = ActiveDocument())
            m_host.CloseDocument(doc);
        return true;
    case ImportAcad:
        if (CQENDoc* doc = ActiveDocument())
            ImportCad(*doc);
        return true;
    case ExportAcad:
        if (CQENDoc* doc = ActiveDocument()) {
            CCadExportCommand(doc->Data(), doc->Settings(), m_host.Profile(), m_host.Prompt(), this).Run();
        }
        return true;
    case BarStandard:
    case BarEdit:
    case BarZoom:
    case BarTemplate:
    case BarTable:
    case BarCoord:
        if (QToolBar* bar = m_bars.value(id))
            bar->setVisible(!bar->isVisible());
        return true;
    case BarStatus:
        m_status->setVisible(!m_status->isVisible());
        return true;
    case WindowCascade:
        m_mdi->cascadeSubWindows();
        return true;
    case WindowTile:
        m_mdi->tileSubWindows();
        return true;
    case WindowArrange:
        // Minimised windows line up at the bottom with a tile pass over the others.
        for (QMdiSubWindow* w : m_mdi->subWindowList())
            if (w->isMinimized())
                w->showMinimized();
        return true;
    case ContextHelp:
        QWhatsThis::enterWhatsThisMode();
        return true;
    default:
        return false;
    }
}

bool CMainFrame::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case WindowGraphic:
        state.enabled = SwitchWindow(CChildFrame::Graphic, false);
        return true;
    case WindowTable:
        state.enabled = SwitchWindow(CChildFrame::Table, false);
        return true;
    case WindowModule:
        state.enabled = SwitchWindow(CChildFrame::Module, false);
        return true;
    case FileClose:
    case ImportAcad:
    case ExportAcad:
        state.enabled = ActiveDocument() != nullptr;
        return true;
    case BarStandard:
    case BarEdit:
    case BarZoom:
    case BarTemplate:
    case BarTable:
    case BarCoord:
        state.enabled = true;
        state.checked = m_bars.value(id) && m_bars.value(id)->isVisible();
        return true;
    case BarStatus:
        state.enabled = true;
        state.checked = m_status->isVisible();
        return true;
    case WindowCascade:
    case WindowTile:
    case WindowArrange:
        state.enabled = !m_mdi->subWindowList().isEmpty();
        return true;
    case ContextHelp:
        state.enabled = true;
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnCoordinateText(const QString& text)
{
    double x = 0, y = 0;
    if (!CoordParser::Parse(text, x, y)) {
        m_host.Prompt().Warn(tr("%1不是合法的坐标格式!").arg(text).toStdString());
        m_coordBar->SelectForCorrection();
        return;
    }
    m_coordBar->Edit()->clear();
    if (auto* sink = dynamic_cast<CoordinateSink*>(ActiveView()))
        sink->OnCoordinateEntered(x, y);
}

void CMainFrame::closeEvent(QCloseEvent* e)
{
    if (!m_host.CloseAllDocuments()) {
        e->ignore();
        return;
    }
    m_host.SaveFrameState();
    e->accept();
}

bool CMainFrame::event(QEvent* e)
{
    // The main window's own event handling keeps drag events for its bars; files come first.
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (static_cast<QDropEvent*>(e)->mimeData()->hasUrls()) {
            static_cast<QDropEvent*>(e)->acceptProposedAction();
            return true;
        }
        break;
    case QEvent::Drop:
        if (static_cast<QDropEvent*>(e)->mimeData()->hasUrls()) {
            dropEvent(static_cast<QDropEvent*>(e));
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e)
{
    OpenDroppedFiles(e->mimeData()->urls());
    e->acceptProposedAction();
}

void CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            m_host.OpenDocumentFile(url.toLocalFile());
}

void CMainFrame::RefreshNamedViewList(bool force)
{
    if (!m_namedViewCombo)
        return;
    CQENDoc* doc = ActiveDocument();
    // An undone or redone change of the list shows too.
    bool same = m_namedViewListFilled && doc == m_namedViewDoc.data();
    if (same && doc) {
        const auto& views = doc->Data().GetNamedViews();
        same = int(views.size()) == m_namedViewCombo->count();
        for (int i = 0; same && i < m_namedViewCombo->count(); ++i)
            same = m_namedViewCombo->itemText(i) == GbkText::ToQString(views[size_t(i)].ViewName);
    }
    if (force || !same) {
        m_namedViewCombo->clear();
        if (doc)
            for (const ZNamedView& v : doc->Data().GetNamedViews())
                m_namedViewCombo->addItem(GbkText::ToQString(v.ViewName));
        m_namedViewCombo->setCurrentIndex(-1);
        m_namedViewDoc = doc;
        m_namedViewListFilled = true;
    }
    const bool enabled = doc && !doc->Data().GetNamedViews().empty();
    if (m_namedViewCombo->isEnabled() != enabled)
        m_namedViewCombo->setEnabled(enabled);
}

void CMainFrame::OnNamedViewChosen(int index)
{
    if (index < 0)
        return;
    if (auto* view = qobject_cast<CQENView*>(ActiveView()))
        view->ZoomToNamedView(index);
    UpdateCommandUI();
}
