#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "cad/CCadExportCommand.h"
#include "cad/CExportCadDlg.h"
#include "cadbridge/CadBridge.h"
#include "model/MemoryKeyValueStore.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "persist/TextExchange.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
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
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(QEN_SOURCE_DIR "/tests/cadbridge/audit_dxf.py"), path});
    p.waitForFinished(120000);
    status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

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

        // Mode 0: the same drawing, written back; the first version kept as town.bak.
        OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CExportCadDlg*>(w);
            QVERIFY(dlg->ActiveRadio()->isEnabled());
            dlg->ActiveRadio()->setChecked(true);
            dlg->accept();
        });
        QVERIFY(CCadExportCommand(doc, settings, profile, prompt, nullptr).Run());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("town.bak"))));
        QVERIFY(QFile(out).size() > QFile(dir.filePath(QStringLiteral("town.bak"))).size());

        int status = 0;
        const QString json = Audit(out, status);
        if (json.isEmpty())
            QSKIP("python3-ezdxf is not installed");
        QCOMPARE(status, 0);
        QVERIFY2(json.contains(QStringLiteral("\"PIPE\": {\"LWPOLYLINE\": 116}")), qPrintable(json.left(600)));
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
