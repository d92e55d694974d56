#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "cad/CCadExportCommand.h"
#include "cad/CExportCadDlg.h"
#include "cadbridge/CadBridge.h"
#include "model/MemoryKeyValueStore.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZValveLink.h"
#include "model/ZSettingsStore.h"
#include "persist/text/TextExchange.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void LoadTown(ZDocument& doc, const ZSettingsStore& settings)
{
    TextExchange::LoadFile(QEN_SOURCE_DIR "/examples/town.txt", doc, settings.Units(), settings.Templates());
}

// ezdxf's audit of a file: its JSON summary, or "" when ezdxf is not installed.
QString Audit(const QString& path, int& status)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(QEN_SOURCE_DIR "/tests/cadbridge/audit_dxf.py"), path});
    p.waitForFinished(120000);
    status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A row of nine valves, one of each type, each between two pipes so its symbol has a direction.
void ValveRow(ZDocument& doc)
{
    ZNetwork& net = doc.GetNetwork();
    auto node = [&](const std::string& id, double x, double y) {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
        n->X = x;
        n->Y = y;
        net.AddNode(n);
        return n;
    };
    auto pipe = [&](const std::string& id, ZConsumeNode* a, ZConsumeNode* b) {
        auto* p = new ZPipeLink;
        p->SetId(GbkView(id));
        net.AddLink(a, b, p);
    };
    for (int k = 0; k < ZValveLink::TypeCount; ++k) {
        const std::string n = std::to_string(k);
        const double y = -30.0 * k;
        ZConsumeNode* in = node("I" + n, 50, y);
        ZConsumeNode* out = node("O" + n, 50, y);
        pipe("A" + n, node("S" + n, 0, y), in);
        pipe("B" + n, out, node("E" + n, 100, y));
        auto* v = new ZValveLink;
        v->SetId(GbkView("V" + n));
        v->SetValveType(k);
        net.AddLink(in, out, v);
    }
}

}   // namespace

class TestCCadExportCommand : public QObject {
    Q_OBJECT
private slots:
    void init() { CadCloseSession(); }

    void dialogDefaultsAndChecks()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        CExportCadDlg dlg(profile, prompt, false);
        QVERIFY(!dlg.ActiveRadio()->isEnabled());
        QVERIFY(dlg.NewRadio()->isChecked());
        QCOMPARE(dlg.Edit("NodeLayer")->text(), QStringLiteral("NODE"));
        QCOMPARE(dlg.Edit("LabelLayer")->text(), QStringLiteral("TEXT"));
        QCOMPARE(dlg.Edit("LabelSize")->text(), QStringLiteral("3.5"));
        QCOMPARE(dlg.Edit("DevSize")->text(), QStringLiteral("5"));
        Screenshot(&dlg, QStringLiteral("export-dialog"));
        dlg.PathEdit()->setText(QStringLiteral("/tmp/x.dxf"));
        dlg.Edit("DevSize")->setText(QStringLiteral("0"));
        dlg.accept();
        QCOMPARE(QString::fromStdString(prompt.Last()), QStringLiteral("请键入大于0的数!"));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        dlg.Edit("DevSize")->setText(QStringLiteral("5"));
        dlg.Edit("OtherLayer")->clear();
        dlg.accept();
        QCOMPARE(QString::fromStdString(prompt.Last()), QStringLiteral("需要输入图层名!"));
        dlg.Edit("OtherLayer")->setText(QStringLiteral("其它"));
        dlg.PathEdit()->clear();
        dlg.accept();
        QCOMPARE(QString::fromStdString(prompt.Last()), QStringLiteral("选择文件名不能为空!"));
        dlg.PathEdit()->setText(QStringLiteral("/tmp/x.dxf"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(profile.GetInt("ExportAcadDlg", "SaveMode", -1), 1);
        QVERIFY(profile.GetString("ExportAcadDlg", "OtherLayer", "") != "OTHER");
    }

    void dialogSaysWhichSizesReadOnPaper()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        LoadTown(doc, settings);
        CExportCadDlg dlg(profile, prompt, false, nullptr, &doc.GetNetwork());
        const ZCadExport::Options mm = ZCadExport::ReadableSizes(doc.GetNetwork(), 1000.0);
        QVERIFY(mm.LabelSize > 1000);   // the town is kilometres wide: 3.5 mm would be a speck
        QVERIFY(!dlg.SizeHint()->isHidden());
        QVERIFY2(dlg.SizeHint()->text().contains(QString::number(mm.LabelSize, 'g', 6)),
                 qPrintable(dlg.SizeHint()->text()));
        Screenshot(&dlg, QStringLiteral("export-dialog-sizes"));
        dlg.UseSizesButton()->click();
        QCOMPARE(dlg.Edit("LabelSize")->text().toDouble(), mm.LabelSize);
        QCOMPARE(dlg.Edit("NodeSize")->text().toDouble(), mm.NodeSize);
        // One CAD unit per metre: the hint follows the scale.
        dlg.Edit("ScaleQen")->setText(QStringLiteral("1000"));
        const ZCadExport::Options m = ZCadExport::ReadableSizes(doc.GetNetwork(), 1.0);
        QVERIFY(dlg.SizeHint()->text().contains(QString::number(m.LabelSize, 'g', 6)));
        QVERIFY(m.LabelSize < mm.LabelSize / 100);
    }

    void exportsTheTownAndWritesBackIntoTheActiveDrawing()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("town.dxf"));
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        LoadTown(doc, settings);
        OnNextModal([out](QWidget* w) {
            auto* dlg = qobject_cast<CExportCadDlg*>(w);
            dlg->PathEdit()->setText(out);
            dlg->findChild<QCheckBox*>()->setChecked(false);   // no desktop program in a test
            dlg->accept();
        });
        QVERIFY(CCadExportCommand(doc, settings, profile, prompt, nullptr).Run());
        QVERIFY(QFile::exists(out));
        QVERIFY(prompt.shown.empty());

        // Mode 0: the same drawing, written back; the first version kept as town.dxf.bak.
        OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CExportCadDlg*>(w);
            QVERIFY(dlg->ActiveRadio()->isEnabled());
            dlg->ActiveRadio()->setChecked(true);
            dlg->accept();
        });
        QVERIFY(CCadExportCommand(doc, settings, profile, prompt, nullptr).Run());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("town.dxf.bak"))));
        QVERIFY(QFile(out).size() > QFile(dir.filePath(QStringLiteral("town.dxf.bak"))).size());

        int status = 0;
        const QString json = Audit(out, status);
        if (json.isEmpty())
            QSKIP("python3-ezdxf is not installed");
        QCOMPARE(status, 0);
        QVERIFY2(json.contains(QStringLiteral("\"PIPE\": {\"LWPOLYLINE\": 116}")), qPrintable(json.left(600)));
    }

    // Each control valve kind adds its mark to the valve's bow-tie; the three described kinds keep
    // the plain bow-tie. Counted by ezdxf on the devices' layer.
    void everyValveKindHasItsOwnSymbol()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("valves.dxf"));
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        ValveRow(doc);
        OnNextModal([out](QWidget* w) {
            auto* dlg = qobject_cast<CExportCadDlg*>(w);
            dlg->PathEdit()->setText(out);
            dlg->Edit("DevSize")->setText(QStringLiteral("8000"));   // 8 m: readable at the row's size
            dlg->findChild<QCheckBox*>()->setChecked(false);
            dlg->accept();
        });
        QVERIFY(CCadExportCommand(doc, settings, profile, prompt, nullptr).Run());
        int status = 0;
        const QString json = Audit(out, status);
        if (json.isEmpty())
            QSKIP("python3-ezdxf is not installed");
        QCOMPARE(status, 0);
        // Bow-ties 9, actuator boxes 2, the GPV's diamond 1; stems 5, sensing lines 4, the TCV's
        // slash 1, the PBV's cross 2; the FCV's meter circle.
        QVERIFY2(json.contains(QStringLiteral("\"OTHER\": {\"LWPOLYLINE\": 12, \"LINE\": 12, \"CIRCLE\": 1}")),
                 qPrintable(json.left(800)));
        if (!qEnvironmentVariable("QEN_SCREENSHOT_DIR").isEmpty())
            QFile::copy(out, qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/valves.dxf"));
    }

    void aDrawingChangedByAnotherProgramIsOverwrittenOnlyWhenAllowed()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("site.dxf"));
        QVERIFY(QFile::copy(QStringLiteral(QEN_TEST_DATA_DIR "/cad/pipes_r2000.dxf"), out));
        CadHandle h = OpenAutoCad();
        QVERIFY(OpenDwgDocument(h, QFile::encodeName(out).constData()));
        QVERIFY(CadCreateLayer(h, "NOT_YET_WRITTEN"));   // the session's copy has additions
        CloseAutoCad(h);
        // Meanwhile a CAD program saves the drawing.
        QFile::remove(out);
        QVERIFY(QFile::copy(QStringLiteral(QEN_TEST_DATA_DIR "/cad/tee.dxf"), out));
        QFile theirs(out);
        QVERIFY(theirs.open(QIODevice::ReadOnly));
        const QByteArray edited = theirs.readAll();
        theirs.close();

        MemoryKeyValueStore profile;
        profile.WriteInt("ExportAcadDlg", "SaveMode", 0);
        profile.WriteInt("ExportAcadDlg", "OpenInViewer", 0);
        ZDocument doc;
        ZSettingsStore settings;
        LoadTown(doc, settings);
        auto run = [&](ScriptedPrompt& prompt) {
            OnNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
            return CCadExportCommand(doc, settings, profile, prompt, nullptr).Run();
        };
        ScriptedPrompt no;
        no.answers = {UiPrompt::No};
        QVERIFY(!run(no));
        QVERIFY(QString::fromStdString(no.shown.front()).contains(QStringLiteral("已被其他程序修改")));
        QVERIFY(theirs.open(QIODevice::ReadOnly));
        QCOMPARE(theirs.readAll(), edited);
        theirs.close();
        QVERIFY(!QFile::exists(out + QStringLiteral(".bak")));

        ScriptedPrompt yes;
        yes.answers = {UiPrompt::Yes};
        QVERIFY(run(yes));
        QCOMPARE(yes.unexpected, 0);
        QFile bak(out + QStringLiteral(".bak"));
        QVERIFY(bak.open(QIODevice::ReadOnly));
        QCOMPARE(bak.readAll(), edited);
    }

    void activeDrawingNeededInModeZero()
    {
        MemoryKeyValueStore profile;
        profile.WriteInt("ExportAcadDlg", "SaveMode", 0);
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        CadHandle h = OpenAutoCad();   // a session without drawings
        CloseAutoCad(h);
        OnNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        QVERIFY(!CCadExportCommand(doc, settings, profile, prompt, nullptr).Run());
        QVERIFY(QString::fromStdString(prompt.Last()).startsWith(QStringLiteral("无法找到活动的CAD图纸")));
    }
};

QTEST_MAIN(TestCCadExportCommand)
#include "test_CCadExportCommand.moc"
