#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "cad/CCadImportCommand.h"
#include "cad/CCadProgress.h"
#include "cad/CImportCadDlg.h"
#include "views/CProgressWnd.h"
#include "cadbridge/CadBridge.h"
#include "model/MemoryKeyValueStore.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QString Data(const char* name)
{
    return QStringLiteral(QEN_TEST_DATA_DIR "/cad/") + QString::fromUtf8(name);
}

// Fills the dialog, then presses OK.
void Fill(QWidget* w, const QString& path, const QString& minDist, const QString& scaleQen)
{
    auto* dlg = qobject_cast<CImportCadDlg*>(w);
    QVERIFY(dlg);
    dlg->OpenRadio()->setChecked(true);
    dlg->PathEdit()->setText(path);
    dlg->MinDistEdit()->setText(minDist);
    dlg->ScaleQenEdit()->setText(scaleQen);
    Screenshot(dlg, QStringLiteral("import-dialog"));
    dlg->accept();
}

}   // namespace

class TestCCadImportCommand : public QObject {
    Q_OBJECT
private slots:
    void init() { CadCloseSession(); }

    void dialogDefaultsAndEnabling()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        CImportCadDlg dlg(profile, prompt, false);
        QVERIFY(!dlg.ActiveRadio()->isEnabled());
        QVERIFY(dlg.OpenRadio()->isChecked());
        QVERIFY(dlg.PathEdit()->isEnabled());
        QCOMPARE(dlg.MinDistEdit()->text(), QStringLiteral("0"));
        QCOMPARE(dlg.ScaleCadEdit()->text(), QStringLiteral("1"));
        QVERIFY(dlg.AllLayersCheck()->isChecked());
        QVERIFY(!dlg.LayerEdit()->isEnabled());
        QVERIFY(!dlg.SplitCheck()->isChecked());
        dlg.AllLayersCheck()->setChecked(false);
        QVERIFY(dlg.LayerEdit()->isEnabled());

        CImportCadDlg running(profile, prompt, true);
        QVERIFY(running.ActiveRadio()->isChecked());
        QVERIFY(!running.PathEdit()->isEnabled());
    }

    void checksOnOk()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        CImportCadDlg dlg(profile, prompt, false);
        dlg.PathEdit()->setText(Data("pipes_r2000.dxf"));
        const struct {
            QLineEdit* edit;
            const char* text;
            const char* message;
        } cases[] = {{dlg.MinDistEdit(), "-1", "请键入大于0的数!"},
                     {dlg.ScaleCadEdit(), "0", "请键入大于1e-07的数!"},
                     {dlg.ScaleQenEdit(), "0.5", "请键入大于1的数!"}};
        for (const auto& c : cases) {
            const QString before = c.edit->text();
            c.edit->setText(QString::fromUtf8(c.text));
            dlg.accept();
            QCOMPARE(QString::fromStdString(prompt.Last()), QString::fromUtf8(c.message));
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            c.edit->setText(before);
        }
        dlg.PathEdit()->clear();
        dlg.accept();
        QCOMPARE(QString::fromStdString(prompt.Last()), QStringLiteral("选择文件名不能为空!"));
        dlg.PathEdit()->setText(QStringLiteral("x.dxf"));
        dlg.AllLayersCheck()->setChecked(false);
        dlg.LayerEdit()->setText(QStringLiteral(";;"));
        dlg.accept();
        QCOMPARE(QString::fromStdString(prompt.Last()), QStringLiteral("需要输入图层名!"));
        QVERIFY(!profile.ReadInt("ImportCadDlg", "OpenMode"));   // nothing written yet
        dlg.LayerEdit()->setText(QStringLiteral("A;;B;"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Layers().size(), size_t(2));
        QCOMPARE(profile.GetString("ImportCadDlg", "SearchLayer", ""), std::string("A;;B;"));
        QCOMPARE(profile.GetInt("ImportCadDlg", "OpenMode", -1), 1);
    }

    void importsADrawing()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        OnNextModal([](QWidget* w) { Fill(w, Data("pipes_r2000.dxf"), QStringLiteral("1"), QStringLiteral("1000")); });
        struct Listener : ZDocumentListener {
            std::vector<int> codes;
            void OnDocumentChanged(const ZNetMsg& msg) override { codes.push_back(msg.Code); }
        } listener;
        doc.AddListener(&listener);
        CCadImportCommand cmd(doc, settings, profile, prompt, nullptr);
        QVERIFY(cmd.Run());
        // The count, then what was left out: the circle by its kind, layer and line.
        QCOMPARE(QString::fromStdString(prompt.Last()),
                 QStringLiteral("9根管道加入了管网模型中!\n跳过 1 个圆 (层 PIPE)，第一个在第1980行\n"
                                "闭合的线 1 条，各分为两根管道\n跳过 1 条长度为零的线\n"));
        QCOMPARE(doc.GetNetwork().LinkCount(), 9);
        // One undoable step, announced once as a CAD import.
        QCOMPARE(listener.codes, std::vector<int>{ZNetMsg::CadImported});
        QVERIFY(doc.IsModified());
        QVERIFY(doc.Undo());
        QCOMPARE(doc.GetNetwork().LinkCount(), 0);
        QCOMPARE(doc.GetNetwork().NodeCount(), 0);
        QVERIFY(doc.Redo());
        QCOMPARE(doc.GetNetwork().LinkCount(), 9);
        doc.RemoveListener(&listener);
        QCOMPARE(cmd.Added().size(), size_t(9 + doc.GetNetwork().NodeCount()));
        QCOMPARE(profile.GetDouble("ImportCadDlg", "MinDist", 0), 1.0);
        QCOMPARE(profile.GetDouble("ImportCadDlg", "ScaleQen", 0), 1000.0);

        // The drawing stays active: the next import can take it again, with no pipes new.
        QCOMPARE(IsExistActiveDwg(), -1);
        OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CImportCadDlg*>(w);
            QVERIFY(dlg->ActiveRadio()->isEnabled());
            dlg->ActiveRadio()->setChecked(true);
            dlg->AllLayersCheck()->setChecked(false);
            dlg->LayerEdit()->setText(QStringLiteral("NONE"));
            dlg->accept();
        });
        QVERIFY(!CCadImportCommand(doc, settings, profile, prompt, nullptr).Run());
        // Nothing added says why: the layer matches nothing, and the drawing's layers are named.
        const QString none = QString::fromStdString(prompt.Last());
        QVERIFY2(none.startsWith(QStringLiteral("0根管道加入了管网模型中!\n没有管道加入，原因:\n")), qPrintable(none));
        QVERIFY2(none.contains(
                     QStringLiteral("警告: 图层\u201cNONE\u201d在图纸中不存在；图纸的图层: 0, Defpoints, PIPE, OTHER")),
                 qPrintable(none));
        QCOMPARE(doc.GetNetwork().LinkCount(), 9);
    }

    void layerListShowsTheDrawingsNamesAndChoosesThem()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        // Names in code page 1252 with letters GBK lacks, listed as the drawing has them.
        OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CImportCadDlg*>(w);
            dlg->OpenRadio()->setChecked(true);
            dlg->PathEdit()->setText(Data("entity_cases.dxf"));
            dlg->RefreshLayers();
            QStringList names;
            for (int i = 0; i < dlg->LayerList()->count(); ++i)
                names << dlg->LayerList()->item(i)->text();
            QVERIFY2(names.contains(QStringLiteral("\u0141\u00f3d\u017a")), qPrintable(names.join(',')));
            QVERIFY(names.contains(QStringLiteral("\u00dcberlandleitung")));
            for (int i = 0; i < dlg->LayerList()->count(); ++i)
                if (names[i] == QStringLiteral("\u0141\u00f3d\u017a") || names[i] == QStringLiteral("L_ARC"))
                    dlg->LayerList()->item(i)->setSelected(true);
            QVERIFY(!dlg->AllLayersCheck()->isChecked());
            Screenshot(dlg, QStringLiteral("import-dialog-layers"));
            dlg->accept();
        });
        QVERIFY(CCadImportCommand(doc, settings, profile, prompt, nullptr).Run());
        QCOMPARE(doc.GetNetwork().LinkCount(), 2);   // the line on Łódź and the arc
    }

    void refusesDwgWithItsReason()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        ZDocument doc;
        ZSettingsStore settings;
        OnNextModal([](QWidget* w) { Fill(w, Data("drawing.dwg"), QStringLiteral("0"), QStringLiteral("1")); });
        QVERIFY(!CCadImportCommand(doc, settings, profile, prompt, nullptr).Run());
        const QString msg = QString::fromStdString(prompt.Last());
        QVERIFY2(msg.startsWith(QStringLiteral("无法打开CAD图纸\u201c")), qPrintable(msg));
        QVERIFY2(msg.contains(QStringLiteral("ASCII DXF")), qPrintable(msg));
        QCOMPARE(doc.GetNetwork().NodeCount(), 0);
    }

    void stopAsksAndKeepsWhatWasAdded()
    {
        MemoryKeyValueStore profile;
        ScriptedPrompt prompt;
        prompt.answers = {UiPrompt::Yes};
        ZDocument doc;
        ZSettingsStore settings;
        OnNextModal([](QWidget* w) { Fill(w, Data("pipes_r2000.dxf"), QStringLiteral("1"), QStringLiteral("1000")); });
        // "放弃" pressed as soon as the progress window shows.
        QTimer press;
        connect(&press, &QTimer::timeout, [] {
            if (CCadProgress::Current())
                CCadProgress::Current()->Window()->PressCancel();
        });
        press.start(0);
        CCadImportCommand cmd(doc, settings, profile, prompt, nullptr);
        cmd.Run();
        press.stop();
        QCOMPARE(prompt.unexpected, 0);
        QVERIFY(std::find(prompt.shown.begin(), prompt.shown.end(), std::string("确认终止此操作吗?")) !=
                prompt.shown.end());
        QVERIFY(doc.GetNetwork().LinkCount() < 6);
        QCOMPARE(QString::fromStdString(prompt.Last()),
                 QStringLiteral("%1根管道加入了管网模型中!").arg(doc.GetNetwork().LinkCount()));
    }
};

QTEST_MAIN(TestCCadImportCommand)
#include "test_CCadImportCommand.moc"
