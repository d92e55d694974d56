#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "app/frames/CMainFrame.h"
#include "model/ZConsumeNode.h"
#include "model/ZDocument.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

namespace {
template <class T>
void OnNextModalOf(std::function<void(T*)> act, int triesLeft = 6000)
{
    QTimer::singleShot(10, [act, triesLeft]() {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(w);
        else if (triesLeft > 0)
            OnNextModalOf<T>(act, triesLeft - 1);
    });
}

void AcceptFile(QFileDialog* files, const QString& path)
{
    files->selectFile(path);
    if (auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(path);
    QMetaObject::invokeMethod(files, "accept");
}

// The menu of the menu bar titled `title` (mnemonic ignored), searched through its submenus.
QList<QAction*> MenuActions(QMenuBar* bar, const QString& title)
{
    QList<QAction*> found;
    std::function<void(QMenu*)> walk = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            if (a->menu())
                walk(a->menu());
            else
                found << a;
        }
    };
    for (QAction* a : bar->actions())
        if (a->menu() && a->text().remove(QLatin1Char('&')).startsWith(title))
            walk(a->menu());
    return found;
}

// A GeoTIFF in UTM 50N over the rectangle, z = 100 + 0.01 x' - 0.02 y' from its corner.
void Plane(const QString& path, double left, double top, int w, int h)
{
    GDALAllRegister();
    GDALDataset* ds = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(QFile::encodeName(path).constData(), w,
                                                                               h, 1, GDT_Float64, nullptr);
    double gt[6] = {left, 1.0, 0.0, top, 0.0, -1.0};
    ds->SetGeoTransform(gt);
    OGRSpatialReference srs;
    srs.importFromEPSG(32650);
    ds->SetSpatialRef(&srs);
    std::vector<double> v(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            v[static_cast<size_t>(j) * w + i] = 100.0 + 0.01 * (i + 0.5) - 0.02 * (j + 0.5);
    QCOMPARE(ds->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, w, h, v.data(), w, h, GDT_Float64, 0, 0), CE_None);
    GDALClose(ds);
}
}   // namespace

class TestGisCommands : public QObject {
    Q_OBJECT
private slots:
    // The three commands sit in 文件 › 引入 / 引出 and 工具, enabled with a document open.
    void menuItemsAreThere()
    {
        AppFixture f;
        f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp"));
        CMainFrame* frame = f.app->MainFrame();
        frame->UpdateCommandUI();
        QAction* import = frame->Action(Cmd::ImportGis);
        QAction* exportGis = frame->Action(Cmd::ExportGis);
        QAction* elevations = frame->Action(Cmd::ElevationsFromDem);
        QVERIFY(import && exportGis && elevations);
        QCOMPARE(import->text(), QStringLiteral("来自GIS数据(&G)..."));
        QVERIFY(import->isEnabled() && exportGis->isEnabled() && elevations->isEnabled());
        QVERIFY(MenuActions(frame->menuBar(), QStringLiteral("文件")).contains(import));
        QVERIFY(MenuActions(frame->menuBar(), QStringLiteral("文件")).contains(exportGis));
        QVERIFY(MenuActions(frame->menuBar(), QStringLiteral("工具")).contains(elevations));
    }

    // Out to a GeoPackage and back into a new document through the menus and their dialogs: the
    // town's pipes in one undoable step; then elevations from a plane, one step too.
    void exportImportAndElevations()
    {
        AppFixture f;
        CQENDoc* town = f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp"));
        QVERIFY(town);
        const QString gpkg = f.dir.filePath(QStringLiteral("town.gpkg"));
        OnNextModalOf<QFileDialog>([&](QFileDialog* files) { AcceptFile(files, gpkg); });
        f.app->MainFrame()->ExecuteCommand(Cmd::ExportGis);
        QVERIFY(QFileInfo::exists(gpkg));
        QVERIFY2(f.app->ReportWindow().Text().contains(QStringLiteral("管道 58 根")),
                 qPrintable(f.app->ReportWindow().Text()));
        QVERIFY(!town->IsModified());

        CQENDoc* doc = f.app->NewDocument();
        QVERIFY(doc);
        QString pipesChoices;
        OnNextModalOf<QFileDialog>([&](QFileDialog* files) {
            OnNextModalOf<QDialog>([&](QDialog* dlg) {
                auto* pipes = dlg->findChild<QComboBox*>(QStringLiteral("pipesLayer"));
                for (int i = 0; pipes && i < pipes->count(); ++i)
                    pipesChoices += pipes->itemText(i) + QLatin1Char(';');
                dlg->findChild<QLineEdit*>(QStringLiteral("tolerance"))->setText(QStringLiteral("0.001"));
                Screenshot(dlg, QStringLiteral("dialog-gis-import"));
                dlg->accept();
            });
            AcceptFile(files, gpkg);
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::ImportGis);
        QVERIFY2(pipesChoices.contains(QStringLiteral("pipes;")), qPrintable(pipesChoices));
        ZDocument& data = doc->Data();
        QCOMPARE(data.GetNetwork().LinkCount(), 58);
        QCOMPARE(data.History().UndoCount(), 1);
        QCOMPARE(QString::fromStdString(data.History().UndoText()), QStringLiteral("来自GIS数据"));
        QVERIFY(f.app->ReportWindow().Text().contains(QStringLiteral("引入管道 58 根")));
        Screenshot(f.app->MainFrame(), QStringLiteral("main-gis-import"));

        // A plane over the network: every node gets its value, in one step.
        double left = 1e300, top = -1e300, right = -1e300, bottom = 1e300;
        for (const ZConsumeNode* n : data.GetNetwork().Nodes()) {
            left = std::min(left, n->X);
            right = std::max(right, n->X);
            top = std::max(top, n->Y);
            bottom = std::min(bottom, n->Y);
        }
        const QString tif = f.dir.filePath(QStringLiteral("plane.tif"));
        Plane(tif, left - 10, top + 10, static_cast<int>(right - left) + 20, static_cast<int>(top - bottom) + 20);
        f.prompt->answers.push_back(UiPrompt::No);   // every node, not only those without elevation
        OnNextModalOf<QFileDialog>([&](QFileDialog* files) { AcceptFile(files, tif); });
        f.app->MainFrame()->ExecuteCommand(Cmd::ElevationsFromDem);
        QCOMPARE(f.prompt->unexpected, 0);
        QCOMPARE(data.History().UndoCount(), 2);
        for (const ZConsumeNode* n : data.GetNetwork().Nodes())
            if (!n->IsHidden())
                QVERIFY(std::fabs(n->NodeGrunElev - (100.0 + 0.01 * (n->X - left + 10) - 0.02 * (top + 10 - n->Y))) <
                        1e-6);
        QVERIFY(f.app->ReportWindow().Text().contains(QStringLiteral("改变高程的节点")));

        QVERIFY(data.Undo());
        QVERIFY(data.Undo());
        QCOMPARE(data.GetNetwork().LinkCount(), 0);
    }

    // A source GDAL cannot read is named in the warning and adds nothing.
    void unreadableSourceIsNamed()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        const QString bad = f.dir.filePath(QStringLiteral("bad.gpkg"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a geopackage");
        file.close();
        OnNextModalOf<QFileDialog>([&](QFileDialog* files) { AcceptFile(files, bad); });
        f.app->MainFrame()->ExecuteCommand(Cmd::ImportGis);
        const QString said = QString::fromStdString(f.prompt->Last());
        QVERIFY2(said.contains(QStringLiteral("无法引入GIS数据")) && said.contains(QStringLiteral("bad.gpkg")),
                 qPrintable(said));
        QCOMPARE(doc->Data().History().UndoCount(), 0);
    }
};

QTEST_MAIN(TestGisCommands)
#include "test_GisCommands.moc"
