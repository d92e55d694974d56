#include "AppFixture.h"
#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "app/frames/CMainFrame.h"
#include "app/commands/CPropertyEditor.h"
#include "app/commands/CQENDoc.h"
#include "views/CommandIds.h"

#include "NetworkState.h"
#include "model/ZDocumentListener.h"
#include "model/ZNetMsg.h"
#include "model/ZSettingsStore.h"

#include <QtTest>

namespace {
struct CountingListener : ZDocumentListener {
    int changes = 0;
    void OnDocumentChanged(const ZNetMsg&) override { ++changes; }
};
}   // namespace

class TestCPropertyEditor : public QObject {
    Q_OBJECT
private slots:
    void okAppliesToTheDocumentAndCancelLeavesIt()
    {
        AppFixture f(false);
        PropertyTestNet t;
        ObjectPropertyEditor& editor = *f.app->PropertyEditor();
        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "NodeFlow"), QStringLiteral("4"));
            ClickButton(w, QDialogButtonBox::Cancel);
        });
        QVERIFY(!editor.EditObjects(nullptr, t.doc, {t.N("1"), t.N("2")}));
        QCOMPARE(t.N("1")->NodeFlow, 0.0);

        OnNextModal([](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("节点属性[2]"));
            Retype(EditOf(w, "NodeFlow"), QStringLiteral("4"));
            ClickOk(w);
        });
        QVERIFY(editor.EditObjects(nullptr, t.doc, {t.N("1"), t.N("2")}));
        QCOMPARE(t.N("1")->NodeFlow, 0.004);
        QCOMPARE(t.N("2")->NodeFlow, 0.004);
    }

    void oneOkIsOneUndoStepThatRestoresEverything()
    {
        AppFixture f(false);
        PropertyTestNet t;
        t.doc.SetSaved();
        CountingListener listener;
        t.doc.AddListener(&listener);
        const std::string before = DescribeDocument(t.doc);
        ZPipeLink* p12 = t.P("12");
        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "PipeDiam"), QStringLiteral("200"));
            Retype(EditOf(w, "PipeLength"), QStringLiteral("77"));
            ComboOf(w, "PipeType")->setCurrentIndex(0);
            CheckOf(w, "IsAccidentPipe")->setCheckState(Qt::Checked);
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {p12, t.P("23"), t.P("34")}));
        const std::string after = DescribeDocument(t.doc);
        QVERIFY(after != before);
        QCOMPARE(listener.changes, 1);
        QVERIFY(t.doc.IsModified());
        QCOMPARE(QString::fromStdString(t.doc.History().UndoText()), QStringLiteral("修改管道属性"));
        QCOMPARE(p12->PipeLength, 77.0);

        QVERIFY(t.doc.Undo());
        QCOMPARE(DescribeDocument(t.doc), before);
        QVERIFY(!t.doc.IsModified());
        QVERIFY(!t.doc.Undo());   // one step only
        QVERIFY(t.doc.Redo());
        QCOMPARE(DescribeDocument(t.doc), after);
        t.doc.RemoveListener(&listener);
    }

    void renameReverseAndMoveUndoTogether()
    {
        AppFixture f(false);
        PropertyTestNet t;
        const std::string before = DescribeDocument(t.doc);
        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "Id"), QStringLiteral("A1"));
            QTest::mouseClick(ButtonOf(w, "reverseButton"), Qt::LeftButton);
            Retype(EditOf(w, "PumpStaticH"), QStringLiteral("40"));
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {t.Pump()}));
        ZPumpLink* pump = static_cast<ZPumpLink*>(t.net.FindLink("A1"));
        QVERIFY(pump);
        QCOMPARE(pump->StartNode(), static_cast<ZNetNode*>(t.N("6")));
        QVERIFY(t.N("5")->HasFlag(qen::FLAG_DEVICE_OUTLET));
        QVERIFY(t.doc.Undo());
        QCOMPARE(DescribeDocument(t.doc), before);
        QCOMPARE(t.net.FindLink("A1"), nullptr);
        QVERIFY(t.N("6")->HasFlag(qen::FLAG_DEVICE_OUTLET));

        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "Y"), QStringLiteral("250"));
            Retype(EditOf(w, "Id"), QStringLiteral("0"));
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {t.N("3")}));
        QCOMPARE(t.P("23")->PipeLength, 250.0);
        QCOMPARE(std::string(t.net.NodeAt(0)->GetId()), std::string("0"));
        QVERIFY(t.doc.Undo());
        QCOMPARE(DescribeDocument(t.doc), before);
    }

    void nothingChangedRecordsNothing()
    {
        AppFixture f(false);
        PropertyTestNet t;
        CountingListener listener;
        t.doc.AddListener(&listener);
        OnNextModal([](QWidget* w) { ClickOk(w); });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {t.N("1"), t.N("2")}));
        QVERIFY(!t.doc.History().CanUndo());
        QCOMPARE(listener.changes, 0);
        QVERIFY(!t.doc.IsModified());
        t.doc.RemoveListener(&listener);
    }

    void renamedObjectsAreFoundUnderTheirNewIdentifier()
    {
        AppFixture f(false);
        PropertyTestNet t;
        ZConsumeNode* node = t.N("1");
        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "Id"), QStringLiteral("Z9"));
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {node}));
        QCOMPARE(t.net.FindNode("Z9"), node);
        QCOMPARE(t.net.FindNode("1"), nullptr);
        QCOMPARE(t.net.NodeAt(t.net.NodeCount() - 1), node);
        QCOMPARE(node->GetIndex(), t.net.NodeCount() - 1);

        ZPipeLink* pipe = t.P("34");
        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "Id"), QStringLiteral("01"));
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {pipe}));
        QCOMPARE(t.net.FindLink("01"), static_cast<ZFlowLink*>(pipe));
        QCOMPARE(pipe->GetIndex(), 0);
    }

    void newNodeIsConfirmedAgainstTheDocument()
    {
        AppFixture f(false);
        PropertyTestNet t;
        ZConsumeNode fresh;
        t.net.MakeDefaultId(&fresh);
        OnNextModal([](QWidget* w) { ClickButton(w, QDialogButtonBox::Cancel); });
        QVERIFY(!f.app->PropertyEditor()->ConfirmNewNode(nullptr, t.doc, fresh));

        OnNextModal([&f](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("确认建立新节点"));
            Retype(EditOf(w, "Id"), QStringLiteral("3"));
            ClickOk(w);
            QCOMPARE(f.prompt->Last(), std::string("编号3已经存在!"));
            Retype(EditOf(w, "Id"), QStringLiteral("NEW"));
            ComboOf(w, "NodeType")->setCurrentIndex(1);
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->ConfirmNewNode(nullptr, t.doc, fresh));
        QCOMPARE(std::string(fresh.GetId()), std::string("NEW"));
        QVERIFY(fresh.IsHeadKnown());
        QCOMPARE(t.net.FindNode("NEW"), nullptr);   // confirming adds nothing
    }

    void templateCommandsEditTheSettingsTemplates()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        f.app->NewDocument();
        const struct {
            int id;
            const char* title;
        } commands[] = {{Cmd::TemplateNode, "模板节点属性"},
                        {Cmd::TemplatePipe, "模板管道属性"},
                        {Cmd::TemplatePump, "模板水泵属性"},
                        {Cmd::TemplateValve, "模板阀门属性"},
                        {Cmd::TemplateTank, "模板水池属性"}};
        for (const auto& c : commands) {
            frame->UpdateCommandUI();
            QVERIFY(frame->Action(c.id)->isEnabled());
            QString title;
            OnNextModal([&](QWidget* w) {
                title = w->windowTitle();
                ClickButton(w, QDialogButtonBox::Cancel);
            });
            frame->ExecuteCommand(c.id);
            QCOMPARE(title, QString::fromUtf8(c.title));
        }

        ZTemplateSet& templates = f.app->Settings().Templates();
        OnNextModal([](QWidget* w) {
            Screenshot(w, QStringLiteral("pipe_template_from_menu"));
            Retype(EditOf(w, "PipeDiam"), QStringLiteral("500"));
            ComboOf(w, "PipeSideType")->setCurrentIndex(1);
            ClickOk(w);
        });
        frame->ExecuteCommand(Cmd::TemplatePipe);
        QCOMPARE(templates.Pipe.PipeDiam, 0.5);
        QCOMPARE(templates.Pipe.PipeSideType, 1);
        QVERIFY(!frame->ActiveDocument()->IsModified());   // templates are no part of a document

        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "NodeGrunElev"), QStringLiteral("33"));
            CheckOf(w, "IsFireNode")->setChecked(true);
            ClickOk(w);
        });
        frame->ExecuteCommand(Cmd::TemplateNode);
        QCOMPARE(templates.Node.NodeGrunElev, 33.0);
        QVERIFY(templates.Node.IsFireNode());

        // Written with the other settings at the end of the run.
        f.app->ExitInstance();
        QSettingsKeyValueStore profile(f.dir.filePath("profile.ini"));
        QCOMPARE(profile.GetDouble("System Template", "PipeDiam", 0.0), 0.5);
        QCOMPARE(profile.GetInt("System Template", "IsFireNode", 0), 1);
    }
};

QTEST_MAIN(TestCPropertyEditor)
#include "test_CPropertyEditor.moc"
