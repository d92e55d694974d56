#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/frames/CMainFrame.h"
#include "app/frames/CMainStatusBar.h"
#include "app/frames/CNetCmdBar.h"
#include "app/options/COptionSavePage.h"
#include "app/options/COptionSheet.h"
#include "app/options/COptionUnitPage.h"
#include "app/commands/CQENDoc.h"
#include "app/frames/CoordEdit.h"
#include "views/CommandIds.h"
#include "app/frames/CommandTable.h"
#include "app/dialogs/VectorIconEngine.h"

#include "model/ZDrawSettings.h"
#include "model/ZNamedViewsEdit.h"
#include "model/ZSettingsStore.h"
#include "views/CQENGridModel.h"
#include "views/CQENGridView.h"
#include "views/CQENModuleView.h"
#include "hydraulics/ZBalanceRun.h"
#include "views/CQENView.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

namespace {
QList<int> ButtonIds(QToolBar* bar)
{
    QList<int> ids;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator())
            ids << 0;
        else if (qobject_cast<QComboBox*>(bar->widgetForAction(a)))
            ids << Cmd::NamedViewList;
        else
            ids << a->data().toInt();
    }
    return ids;
}

bool Enabled(CMainFrame* f, int id)
{
    f->UpdateCommandUI();
    return f->Action(id)->isEnabled();
}
}   // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void toolbarsHoldTheirButtonsInOrder()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        using namespace Cmd;
        const int sep = 0;   // a separator
        const QList<int> standard = {FileNew,    FileOpen,      FileSave,    sep,       EditCut,
                                     EditCopy,   EditPaste,     sep,         FilePrint, FilePrintPreview,
                                     sep,        Redraw,        sep,         Contours,  WindowModule,
                                     BkShow,     sep,           EditFind,    sep,       NodeFlows,
                                     NetCost,    Balance,       AutoBalance, sep,       ProjectLabels,
                                     sep,        WindowGraphic, WindowTable, sep,       AppAbout,
                                     ContextHelp};
        QCOMPARE(ButtonIds(frame->ToolBar(BarStandard)), standard);
        QCOMPARE(ButtonIds(frame->ToolBar(BarEdit)),
                 (QList<int>{InsertNode, InsertPipe, InsertPump, InsertValve, InsertTank, sep, MoveNode, MovePipe, sep,
                             DeleteNode, DeletePipe, DeletePump, DeleteValve, DeleteTank}));
        QCOMPARE(ButtonIds(frame->ToolBar(BarZoom)),
                 (QList<int>{NamedViewList, sep, PanRealtime, ZoomRealtime, sep, ZoomBack, ZoomForward, sep, ZoomIn,
                             ZoomOut, ZoomWindow, ZoomExtents}));
        QCOMPARE(ButtonIds(frame->ToolBar(BarTemplate)),
                 (QList<int>{TemplateNode, TemplatePipe, TemplatePump, TemplateValve, TemplateTank}));
        QCOMPARE(ButtonIds(frame->ToolBar(BarTable)), (QList<int>{RecordFirst, RecordPrev, RecordNext, RecordLast}));
        QCOMPARE(frame->ToolBar(BarTemplate)->windowTitle(), QStringLiteral("模板工具"));
        QCOMPARE(frame->ToolBar(BarCoord)->windowTitle(), QStringLiteral("坐标录入条"));
        QCOMPARE(frame->ToolBar(BarCoord)->allowedAreas(), Qt::TopToolBarArea | Qt::BottomToolBarArea);
        for (QToolBar* bar : frame->findChildren<QToolBar*>())
            for (QAction* a : bar->actions())
                if (!a->isSeparator() && !bar->widgetForAction(a)->inherits("QComboBox") && a->data().isValid())
                    QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
        Screenshot(frame, QStringLiteral("main-empty"));
    }

    void everyCommandIsInTheTableWithItsText()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        for (const CommandTable::Entry& e : CommandTable::All()) {
            QVERIFY(frame->Action(e.id));
            QVERIFY(!frame->Action(e.id)->text().isEmpty());
        }
        QCOMPARE(frame->Action(Cmd::Balance)->text(), QStringLiteral("管网平差(&B)"));
        QCOMPARE(frame->Action(Cmd::NodeFlows)->text(), QStringLiteral("节点流量(F)"));
        QCOMPARE(frame->Action(Cmd::Calculator)->text(), QStringLiteral("计算器...(&C)"));
        QCOMPARE(frame->Action(Cmd::PropNode)->text(), QStringLiteral("节点属性(&N)"));
        QVERIFY(frame->Action(Cmd::EditUndo)->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Z"))));
        QCOMPARE(frame->Action(Cmd::EditRedo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        using namespace Cmd;
        const QList<int> ids = {
            FileNew,         FileOpen,      FileClose,        FileSave,        FileSaveAs,       ImportAcad,
            ExportAcad,      BkSelect,      BkClear,          BkShow,          FilePrint,        FilePrintPreview,
            FilePrintSetup,  FileMru1,      AppExit,          EditUndo,        EditRedo,         EditCut,
            EditCopy,        EditPaste,     InsertNode,       InsertPipe,      InsertPump,       InsertValve,
            InsertTank,      MoveNode,      MovePipe,         MovePump,        MoveValve,        MoveTank,
            DeleteNode,      DeletePipe,    DeletePump,       DeleteValve,     DeleteTank,       EditFind,
            Redraw,          ZoomRealtime,  ZoomBack,         ZoomForward,     ZoomIn,           ZoomOut,
            ZoomWindow,      ZoomExtents,   PanRealtime,      LeaveRealtime,   PanCenter,        EagleEye,
            PropNode,        PropPipe,      PropPump,         PropValve,       PropTank,         Contours,
            WindowModule,    WindowGraphic, WindowTable,      ViewAngle,       ViewOrtho,        ViewPerspective,
            NamedViews,      NamedViewList, ProjectLabels,    BarStandard,     BarEdit,          BarZoom,
            BarTemplate,     BarTable,      BarCoord,         BarStatus,       NodeFlows,        Balance,
            NetCost,         Configure,     TemplateNode,     TemplatePipe,    TemplatePump,     TemplateValve,
            TemplateTank,    SelectWindow,  SelectCrossing,   Options,         Appearance,       Calculator,
            RecordFirst,     RecordPrev,    RecordNext,       RecordLast,      EditLeave,        EditContinuous,
            EditAutoConnect, EditNoConnect, AsBendPoint,      AsFlowNode,      WindowCascade,    WindowTile,
            WindowArrange,   HelpTopics,    ContextHelp,      AppAbout,        FileImportEpanet, FileExportEpanet,
            Simulate,        TimeSeries,    FileExportReport, ImportGis,       ExportGis,        ElevationsFromDem,
            PipeSizing,      FireFlow,      PipeFailure,      FireFlowColours, FailureColours,   AutoBalance};
        for (int id : ids)
            QVERIFY2(CommandTable::Find(id), qPrintable(QString::number(id)));
        QCOMPARE(CommandTable::All().size(), size_t(ids.size()));
        QStringList menus;
        for (QAction* a : frame->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus,
                 (QStringList{"文件(&F)", "编辑(&E)", "视图(&V)", "计算(&C)", "工具(&T)", "窗口(&W)", "帮助(&H)"}));
    }

    void commandsWithoutHandlerAreDisabled()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(f.app->OpenDocumentFile(AppFixture::Network("Net1.txt")));
        using namespace Cmd;
        for (int id : {EditUndo, EditCut, EditCopy, EditPaste, MovePump, MoveValve, MoveTank, PanCenter, EagleEye,
                       ViewOrtho, ViewPerspective, Configure, Appearance, AsBendPoint, AsFlowNode})
            QVERIFY2(!Enabled(frame, id), qPrintable(QString::number(id)));
        for (int id : {FileNew, FileOpen, FileSave, FileSaveAs, FileClose, Balance, AppAbout, BarStandard, BarStatus})
            QVERIFY2(Enabled(frame, id), qPrintable(QString::number(id)));
        QVERIFY(frame->Action(BarStandard)->isChecked());
    }

    void windowSwitchingRules()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        using namespace Cmd;
        QVERIFY(!Enabled(frame, WindowGraphic));
        QVERIFY(!Enabled(frame, WindowTable));
        QVERIFY(!Enabled(frame, WindowModule));
        CQENDoc* doc = f.app->NewDocument();
        QCOMPARE(frame->FramesOf(doc).size(), 1);
        // The graphic window is open: 图形 is disabled.
        QVERIFY(!Enabled(frame, WindowGraphic));
        QVERIFY(Enabled(frame, WindowTable));
        // Without its graphic window a document can get one again.
        frame->ExecuteCommand(WindowTable);
        QVERIFY(!Enabled(frame, WindowTable));
        frame->FrameOf(doc, CChildFrame::Graphic)->close();
        QVERIFY(Enabled(frame, WindowGraphic));
    }

    void tableWindowFromTheMenu()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        QVERIFY(doc);
        using namespace Cmd;
        frame->Action(WindowTable)->trigger();
        CChildFrame* table = frame->FrameOf(doc, CChildFrame::Table);
        QVERIFY(table);
        auto* grid = qobject_cast<CQENGridView*>(table->View());
        QVERIFY(grid);
        QCOMPARE(frame->ActiveFrame(), table);
        QVERIFY(!Enabled(frame, WindowTable));
        QVERIFY(Enabled(frame, RecordNext) && !Enabled(frame, RecordFirst));
        frame->Action(RecordNext)->trigger();
        QCOMPARE(frame->StatusPanes()->CoordText(), QStringLiteral("2/12"));   // the tank's internal node is not listed
        // Results of a balancing run reach the table through the document.
        doc->Data().GetNetwork().FindNode("11")->NodeHydrElev = 250.0;
        ZNetMsg msg{ZNetMsg::Balanced, 0, 0, nullptr};
        doc->UpdateAllViews(msg);
        CQENGridModel* nodes = grid->Model(0);
        QCOMPARE(nodes->data(nodes->index(1, 6)).toString(), QStringLiteral("250.00"));
        // A double-click shows the object in the graphic window, centred.
        frame->ShowInGraphicView(doc, doc->Data().GetNetwork().FindNode("22"));
        auto* graphic = qobject_cast<CQENView*>(frame->ActiveView());
        QVERIFY(graphic);
        QCOMPARE(graphic->Canvas().CentreX(), 50.0);
        QCOMPARE(graphic->Canvas().CentreY(), 40.0);
        // A pipe is centred half way along, a pump on its inlet.
        const ZNetwork& net = doc->Data().GetNetwork();
        const PipePoint mid = CMainFrame::ObjectCentre(*net.FindLink("111"), graphic->Canvas());
        QCOMPARE(mid.x, 30.0);
        QCOMPARE(mid.y, 55.0);
        const PipePoint pump = CMainFrame::ObjectCentre(*net.FindLink("9"), graphic->Canvas());
        QCOMPARE(pump.x, 10.0);
        QCOMPARE(pump.y, 70.0);
        // The table goes with its document.
        doc->SetModifiedFlag(false);
        f.app->CloseDocument(doc);
        QVERIFY(frame->Frames().isEmpty());
    }

    void moduleWindowFromTheToolbar()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CQENDoc* doc = f.app->OpenDocumentFile(QEN_SOURCE_DIR "/examples/town.wnp");
        QVERIFY(doc);
        using namespace Cmd;
        QVERIFY(Enabled(frame, WindowModule));
        QToolBar* bar = frame->ToolBar(BarStandard);
        QVERIFY(bar->actions().contains(frame->Action(WindowModule)));
        frame->Action(WindowModule)->trigger();
        CChildFrame* module = frame->FrameOf(doc, CChildFrame::Module);
        QVERIFY(module);
        auto* view = qobject_cast<CQENModuleView*>(module->View());
        QVERIFY(view);
        QVERIFY(!Enabled(frame, WindowModule));
        // Zoom and the viewpoint go to the 3D window; the graphic view's other zoom commands do not.
        QVERIFY(Enabled(frame, ZoomIn) && Enabled(frame, ZoomOut) && Enabled(frame, ViewAngle));
        QVERIFY(!Enabled(frame, ZoomWindow) && !Enabled(frame, ViewOrtho));
        view->BuildModel();
        const double d = view->Distance();
        frame->ExecuteCommand(ZoomIn);
        QVERIFY(std::fabs(view->Distance() - d * f.app->Settings().ZoomInScale) < 1e-9);
        // With QEN_SCREENSHOT_DIR set and a display, pictures of the program with the town balanced.
        const QString shots = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (!shots.isEmpty() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
            ZBalanceRun run(doc->Data());
            QVERIFY(run.CheckConnectivity());
            run.Run();
            doc->UpdateAllViews(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
            frame->resize(1280, 860);
            frame->show();
            frame->MdiArea()->tileSubWindows();
            frame->ExecuteCommand(WindowTable);
            frame->MdiArea()->tileSubWindows();
            QTest::qWait(300);
            QTRY_VERIFY(view->IsModelCurrent());
            QTest::qWait(200);
            // From the screen, as the X server shows it.
            QGuiApplication::primaryScreen()->grabWindow(frame->winId()).save(shots + "/program-town-windows.png");
            view->grabFramebuffer().save(shots + "/program-town-module.png");
            frame->FrameOf(doc, CChildFrame::Table)->showMaximized();
            auto* grid = qobject_cast<CQENGridView*>(frame->ActiveView());
            grid->SetCurrentTab(1);
            grid->OnCommand(CQENGridView::CmdRecordNext);
            QTest::qWait(200);
            QGuiApplication::primaryScreen()->grabWindow(frame->winId()).save(shots + "/program-town-table.png");
        }
        doc->SetModifiedFlag(false);
        f.app->CloseDocument(doc);
        QVERIFY(frame->Frames().isEmpty());
    }

    void closingLastWindowAsksAndCloses()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CQENDoc* doc = f.app->NewDocument();
        doc->SetModifiedFlag();
        f.prompt->answers = {UiPrompt::Cancel};
        frame->ActiveFrame()->close();
        QCOMPARE(f.app->Documents().size(), 1);
        QCOMPARE(frame->FramesOf(doc).size(), 1);
        f.prompt->answers = {UiPrompt::No};
        frame->ExecuteCommand(Cmd::FileClose);
        QCOMPARE(f.app->Documents().size(), 0);
        QCOMPARE(f.prompt->unexpected, 0);
    }

    void coordinateEntry()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CoordEdit* edit = frame->CoordBar()->Edit();
        edit->setFocus();
        QTest::keyClicks(edit, "12a, 5x");
        QCOMPARE(edit->text(), QStringLiteral("12,5"));   // letters and blanks refused at the keyboard
        edit->setText("12 5");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(f.prompt->Last(), std::string("12 5不是合法的坐标格式!"));
        QCOMPARE(edit->text(), QStringLiteral("12 5"));
        QCOMPARE(edit->selectedText(), QStringLiteral("12 5"));
        edit->setText("12,5");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(edit->text().isEmpty());
        QCOMPARE(int(f.prompt->shown.size()), 1);
    }

    void statusPanes()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(frame->findChild<QLabel*>("COORDPANEL"));
        QVERIFY(frame->findChild<QLabel*>("COORDPANEL")->minimumWidth() >= 200);
        frame->SetCoordText(QStringLiteral("12.5, 7"));
        QCOMPARE(frame->StatusPanes()->CoordText(), QStringLiteral("12.5, 7"));
        CQENDoc* doc = f.app->NewDocument();
        frame->UpdateCommandUI();
        QCOMPARE(frame->StatusPanes()->BalanceText(), QStringLiteral("未平差"));
        doc->Data().GetDrawSettings().Balanced = 1;
        doc->Data().GetDrawSettings().CalcCase = 1;
        frame->UpdateCommandUI();
        QCOMPARE(frame->StatusPanes()->BalanceText(), QStringLiteral("已平差:消防时"));
    }

    void settingsPlacementAndRecentFilesRoundTrip()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("profile.ini");
        {
            auto app = std::make_unique<CQENApp>(std::make_unique<QSettingsKeyValueStore>(ini),
                                                 std::make_unique<ScriptedPrompt>());
            app->InitInstance();
            app->Settings().ZoomOutScale = 1.75;
            app->MainFrame()->ToolBar(Cmd::BarEdit)->hide();
            app->MainFrame()->setGeometry(40, 50, 900, 640);
            QVERIFY(app->OpenDocumentFile(AppFixture::Network("Net1.txt")));
            app->MainFrame()->close();
            app->ExitInstance();
        }
        {
            QSettings s(ini, QSettings::IniFormat);
            QVERIFY(s.contains("SYSTEM/Maximized"));
            QVERIFY(s.contains("SYSTEM/FrameRect"));
            QVERIFY(s.contains("Tool%20Bars/State") || s.childGroups().contains("Tool Bars") ||
                    s.childGroups().contains("Tool%20Bars"));
        }
        auto app = std::make_unique<CQENApp>(std::make_unique<QSettingsKeyValueStore>(ini),
                                             std::make_unique<ScriptedPrompt>());
        app->InitInstance();
        QCOMPARE(app->Settings().ZoomOutScale, 1.75);
        QVERIFY(!app->MainFrame()->ToolBar(Cmd::BarEdit)->isVisibleTo(app->MainFrame()));
        QCOMPARE(app->RecentFiles().size(), 1);
        QVERIFY(app->RecentFiles().first().endsWith("Net1.txt"));
        QCOMPARE(app->MainFrame()->geometry().size(), QSize(900, 640));
    }

    void maximizedFlagWins()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("profile.ini");
        {
            QSettingsKeyValueStore store(ini);
            store.WriteInt("SYSTEM", "Maximized", 1);
            store.Sync();
        }
        CQENApp app(std::make_unique<QSettingsKeyValueStore>(ini), std::make_unique<ScriptedPrompt>());
        app.InitInstance();
        QVERIFY(app.MainFrame()->windowState() & Qt::WindowMaximized);
    }

    void namedViewListFollowsTheActiveDocument()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QComboBox* list = frame->NamedViewCombo();
        CQENDoc* a = f.app->NewDocument();
        frame->UpdateCommandUI();
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->count(), 0);
        std::vector<ZNamedView> views{{GbkView("west"), {0, 0, 100, 100}}, {GbkView("east"), {500, 0, 700, 100}}};
        a->Data().Perform(std::make_unique<ZNamedViewsEdit>(views));
        frame->UpdateCommandUI();
        QVERIFY(list->isEnabled());
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(1), QStringLiteral("east"));
        QCOMPARE(list->currentIndex(), -1);
        // Choosing zooms the graphic view to the rectangle.
        auto* view = qobject_cast<CQENView*>(frame->ActiveView());
        QVERIFY(view);
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(view->Canvas().CentreX(), 600.0);
        // Undo takes the views out of the list too; another document shows its own (none).
        QVERIFY(a->Data().Undo());
        frame->UpdateCommandUI();
        QCOMPARE(list->count(), 0);
        QVERIFY(!list->isEnabled());
        QVERIFY(a->Data().Redo());
        f.app->NewDocument();
        frame->UpdateCommandUI();
        QCOMPARE(list->count(), 0);
    }

    void optionsAndTemplatesPlugIn()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CQENDoc* a = f.app->NewDocument();
        CQENDoc* b = f.app->NewDocument();
        QVERIFY(Enabled(frame, Cmd::Options));   // the sheet and the template dialogs are built in
        QVERIFY(Enabled(frame, Cmd::TemplatePipe));
        bool changed = false;
        f.app->OptionsSheet = [&](CQENDoc&, QWidget*) { return changed; };
        int templateId = 0;
        f.app->TemplateDialog = [&](int id, ZSettingsStore&, QWidget*) { templateId = id; };
        QSignalSpy spyA(a, &CQENDoc::changed), spyB(b, &CQENDoc::changed);
        frame->ExecuteCommand(Cmd::Options);   // cancelled or unchanged: nothing happens
        QCOMPARE(spyA.size() + spyB.size(), 0);
        changed = true;
        frame->ExecuteCommand(Cmd::Options);
        QCOMPARE(spyA.size(), 1);
        QCOMPARE(spyB.size(), 1);
        // Only a change of the document's grading (the sheet's to judge) modifies the document.
        QVERIFY(!frame->ActiveDocument()->IsModified());
        frame->ExecuteCommand(Cmd::TemplatePipe);
        QCOMPARE(templateId, int(Cmd::TemplatePipe));
    }

    // Qt's own texts are Chinese: the standard buttons of every question and the file dialogs.
    void qtDialogsSpeakChinese()
    {
        AppFixture f;
        auto plain = [](QAbstractButton* b) { return b->text().remove(QLatin1Char('&')); };
        QMessageBox ask(QMessageBox::Question, QStringLiteral("QEN"), QStringLiteral("是否保存对 town.txt 的修改?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, f.app->MainFrame());
        ask.show();
        Screenshot(&ask, QStringLiteral("qt-zh-question"));
        QFileDialog files(f.app->MainFrame(), QStringLiteral("打开"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.show();
        Screenshot(&files, QStringLiteral("qt-zh-file-dialog"));
        QVERIFY2(plain(ask.button(QMessageBox::Yes)).startsWith(QStringLiteral("是")),
                 qPrintable(plain(ask.button(QMessageBox::Yes))));
        QVERIFY(plain(ask.button(QMessageBox::No)).startsWith(QStringLiteral("否")));
        QVERIFY(plain(ask.button(QMessageBox::Cancel)).startsWith(QStringLiteral("取消")));
        QMessageBox tell(QMessageBox::Information, QStringLiteral("QEN"), QStringLiteral("没有找到编号为X的部件!"),
                         QMessageBox::Ok | QMessageBox::Cancel, f.app->MainFrame());
        QVERIFY(plain(tell.button(QMessageBox::Ok)).startsWith(QStringLiteral("确定")));
        QVERIFY2(files.labelText(QFileDialog::LookIn).contains(QStringLiteral("查找")),
                 qPrintable(files.labelText(QFileDialog::LookIn)));
        QVERIFY(files.labelText(QFileDialog::FileName).contains(QStringLiteral("文件名")));
    }

    // The document's name shows once in the title bar, with the modified mark when it has one.
    void titleNamesTheFileOnce()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CQENDoc* doc = f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt"));
        QVERIFY(doc);
        frame->UpdateCommandUI();
        QApplication::processEvents();
        ScreenshotWithTitle(frame, QStringLiteral("title-town"));
        QString title = ShownTitle(frame);
        QVERIFY2(title.count(QStringLiteral("town.txt")) == 1 && title.startsWith(QStringLiteral("QEN")),
                 qPrintable(title));
        doc->Data().MarkModified();
        frame->UpdateCommandUI();
        QApplication::processEvents();
        title = ShownTitle(frame);
        QVERIFY2(title.count(QStringLiteral("town.txt")) == 1 && title.contains(QStringLiteral("town.txt*")),
                 qPrintable(title));
        // A window that is not maximized keeps its own title bar; the frame's names it too.
        frame->ActiveFrame()->showNormal();
        frame->UpdateCommandUI();
        QApplication::processEvents();
        title = ShownTitle(frame);
        QVERIFY2(title.count(QStringLiteral("town.txt")) == 1, qPrintable(title));
    }

    // Whatever the options sheet or a command changes is in the profile at once: a program that is
    // killed afterwards starts with it.
    void settingsAreWrittenWhenApplied()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(f.app->OpenDocumentFile(AppFixture::Network("Net1.txt")));
        OnNextModal([](QWidget* w) {
            auto* sheet = qobject_cast<COptionSheet*>(w);
            QVERIFY(sheet);
            sheet->PageOf<COptionUnitPage>()->UnitBox(UnitSystem::Flow)->setCurrentIndex(2);   // m3/h
            sheet->PageOf<COptionSavePage>()->Minutes()->setValue(2);
            sheet->accept();
        });
        frame->ExecuteCommand(Cmd::Options);
        frame->ExecuteCommand(Cmd::SelectWindow);
        // The file as a new start reads it, without any clean end of this run.
        const QString ini = f.dir.filePath("profile.ini");
        QSettingsKeyValueStore disk(ini);
        ZSettingsStore next;
        next.Load(disk);
        ZDrawSettings draw;
        COptionSheet sheet(next, draw, nullptr);
        sheet.Tabs()->setCurrentWidget(sheet.PageOf<COptionUnitPage>());
        sheet.show();
        Screenshot(&sheet, QStringLiteral("options-after-restart"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        QVERIFY2(raw.contains("FlowUnitId=2"), raw.constData());
        QCOMPARE(next.Units().FlowUnit().UnitIndex(), 2);
        QCOMPARE(next.AutoSaveMinutes, 2);
        QCOMPARE(next.SelectMode, int(ZSettingsStore::WindowSelect));
        QVERIFY(disk.ReadBinary("Recent File List", "File1"));
    }

    // Every editing tool says in the status bar what its next click does; a click that does
    // nothing says why.
    void editingToolsHintInTheStatusBar()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt")));
        auto* view = qobject_cast<CQENView*>(frame->ActiveView());
        QVERIFY(view);
        const QString idle = frame->StatusPanes()->currentMessage();
        frame->ExecuteCommand(Cmd::InsertNode);
        const QString first = frame->StatusPanes()->currentMessage();
        // Empty ground in a corner of the window: no pipe there.
        QTest::mouseMove(view, QPoint(3, 3));
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(3, 3));
        frame->UpdateCommandUI();
        const QString why = frame->StatusPanes()->currentMessage();
        Screenshot(frame, QStringLiteral("status-insert-node-empty-ground"));
        QVERIFY2(first != idle && first.contains(QStringLiteral("管道")), qPrintable(first));
        QVERIFY2(why != first && why.contains(QStringLiteral("管道上")), qPrintable(why));
        for (int id :
             {Cmd::InsertPipe, Cmd::InsertPump, Cmd::InsertValve, Cmd::InsertTank, Cmd::MoveNode, Cmd::MovePipe,
              Cmd::DeleteNode, Cmd::DeletePipe, Cmd::DeletePump, Cmd::DeleteValve, Cmd::DeleteTank}) {
            frame->ExecuteCommand(id);
            const QString hint = frame->StatusPanes()->currentMessage();
            QVERIFY2(hint != idle && hint != first && !hint.isEmpty(), qPrintable(hint));
        }
        frame->ExecuteCommand(Cmd::EditLeave);
        QCOMPARE(frame->StatusPanes()->currentMessage(), idle);
    }

    void droppedFilesOpen()
    {
        AppFixture f;
        QVERIFY(f.app->MainFrame()->acceptDrops());
        f.app->MainFrame()->OpenDroppedFiles({QUrl::fromLocalFile(AppFixture::Network("Net1.txt")),
                                              QUrl(QStringLiteral("https://example.invalid/x.wnp"))});
        QCOMPARE(f.app->Documents().size(), 1);
        QCOMPARE(f.app->Documents().first()->Title(), QStringLiteral("Net1.txt"));
    }

    void aboutDialog()
    {
        AppFixture f;
        OnNextModal([](QWidget* w) {
            QVERIFY(qobject_cast<CAboutDlg*>(w));
            QVERIFY(w->findChild<QLabel*>("versionLabel"));
            QCOMPARE(w->findChild<QLabel*>("versionLabel")->text(), QStringLiteral("QEN 2.6 版"));
            Screenshot(w, QStringLiteral("dialog-about"));
            qobject_cast<QDialog*>(w)->accept();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::AppAbout);
    }

    void menusLook()
    {
        AppFixture f;
        QVERIFY(f.app->OpenDocumentFile(AppFixture::Network("Net1.txt")));
        f.app->MainFrame()->UpdateCommandUI();
        int i = 0;
        for (QAction* a : f.app->MainFrame()->menuBar()->actions()) {
            QMenu* m = a->menu();
            QVERIFY(m);
            QVERIFY2(!m->actions().isEmpty(), qPrintable(a->text()));
            m->popup(QPoint(0, 0));
            QTest::qWait(20);
            QVERIFY(m->isVisible());
            // Every entry fits: the menu is as wide as its widest text needs.
            const QFontMetrics fm(m->font());
            for (QAction* e : m->actions())
                if (!e->isSeparator())
                    QVERIFY2(m->width() > fm.horizontalAdvance(e->text().remove(QLatin1Char('&'))),
                             qPrintable(e->text()));
            // Something is drawn: the picture is not one flat colour.
            const QImage img = m->grab().toImage();
            QSet<QRgb> colours;
            for (int y = 0; y < img.height() && colours.size() < 3; y += 3)
                for (int x = 0; x < img.width() && colours.size() < 3; x += 3)
                    colours.insert(img.pixel(x, y));
            QVERIFY2(colours.size() >= 2, qPrintable(a->text()));
            Screenshot(m, QStringLiteral("menu-%1").arg(i++));
            m->hide();
        }
        QVERIFY(i >= 6);
    }

    void iconsRenderAtEverySize()
    {
        for (const CommandTable::Entry& e : CommandTable::All()) {
            if (!VectorIconEngine::HasIcon(e.id))
                continue;
            QIcon icon = VectorIconEngine::ForCommand(e.id);
            for (int px : {16, 24, 48}) {
                QImage img = icon.pixmap(px, px).toImage();
                QCOMPARE(img.size(), QSize(px, px));
                bool painted = false;
                for (int y = 0; y < px && !painted; ++y)
                    for (int x = 0; x < px && !painted; ++x)
                        painted = qAlpha(img.pixel(x, y)) > 0;
                QVERIFY2(painted, e.text);
            }
        }
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_MainFrame.moc"
