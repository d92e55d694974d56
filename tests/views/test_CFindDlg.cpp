// The find dialog over a real view: lists, lookups and their messages, centring, blinking.
#include "EditTestSupport.h"
#include "ViewTestNetworks.h"

#include "model/GbkCodec.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"
#include "model/ZTankLink.h"
#include "views/CFindDlg.h"
#include "views/GbkText.h"
#include "views/CViewEditor.h"
#include "views/ZSelectTracker.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QTabBar>

#include <algorithm>

using namespace ViewTestNetworks;

namespace {
// A property dialog that changes what it is given, as one undoable step.
class ChangingEditor : public ScriptedEditor {
public:
    bool EditObjects(QWidget* parent, ZDocument& doc, const std::vector<ZNetObject*>& objects) override
    {
        ScriptedEditor::EditObjects(parent, doc, objects);
        ZEditTransaction tx(doc, "edit");
        for (ZNetObject* o : objects) {
            tx.TouchFields(o);
            if (o->IsNode())
                static_cast<ZFlowNode*>(o)->NodeGrunElev += 1.0;
        }
        return tx.Commit();
    }
};
}   // namespace

class TestCFindDlg : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    RecordingPrompt prompt;
    ScriptedEditor editor;

    std::unique_ptr<CQENView> MakeView(ZDocument& doc)
    {
        return ShowEditView<CQENView>(doc, settings, &prompt, &editor, {-20, -20, 120, 120}, 400);
    }
    // The square with a tank T on node 4 (its internal node "T4" hidden).
    static void Network(ZDocument& doc)
    {
        Square(doc);
        ZConsumeNode* inner = AddNode(doc, "T4", 0, 100);
        auto* tank = new ZTankLink;
        tank->SetId("T");
        doc.GetNetwork().AddLink(doc.GetNetwork().FindNode("4"), inner, tank);
    }
    static void Enter(CFindDlg& dlg, int tab, const QString& text)
    {
        dlg.Tabs()->setCurrentIndex(tab);
        dlg.List(tab)->setEditText(text);
    }

private slots:
    void init()
    {
        prompt.shown.clear();
        editor.edited.clear();
    }

    void listsHoldWhatCanBeFound()
    {
        ZDocument doc;
        Network(doc);
        auto v = MakeView(doc);
        CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("查找"));
        QCOMPARE(dlg.Tabs()->count(), 5);
        QCOMPARE(dlg.Tabs()->tabText(4), QStringLiteral("水池"));
        QCOMPARE(dlg.List(0)->count(), 4);   // no internal tank node
        QCOMPARE(dlg.List(0)->findText(QStringLiteral("T4")), -1);
        QCOMPARE(dlg.List(1)->count(), 4);
        QCOMPARE(dlg.List(4)->count(), 1);
        QCOMPARE(dlg.List(4)->itemText(0), QStringLiteral("T"));
        QCOMPARE(dlg.List(2)->count(), 0);
    }

    void lookupMessages()
    {
        ZDocument doc;
        Network(doc);
        auto v = MakeView(doc);
        CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
        Enter(dlg, 0, QString());
        dlg.onView();
        QCOMPARE(prompt.Last(), std::string("必须输入编号!"));
        // A pipe's identifier on the tank tab is not a tank.
        Enter(dlg, 4, QStringLiteral("12"));
        dlg.onView();
        QCOMPARE(prompt.Last(), std::string("没有找到编号为12的部件!"));
        Enter(dlg, 0, QStringLiteral("T4"));
        dlg.onView();
        QCOMPARE(prompt.Last(), std::string("不能看隐藏的部件!"));
        dlg.onProperties();
        QCOMPARE(prompt.Last(), std::string("A Hide Object Can't be View!"));
        QVERIFY(editor.edited.empty());
        doc.GetNetwork().FindNode("3")->SetFlag(qen::FLAG_FILTERED);
        Enter(dlg, 0, QStringLiteral("3"));
        dlg.onView();
        QCOMPARE(prompt.Last(), std::string("不能看过滤出的部件!"));
        QVERIFY(!dlg.IsFlashing());
        // A filtered object's properties open.
        dlg.onProperties();
        QCOMPARE(int(editor.edited.size()), 1);
        QCOMPARE(editor.edited[0][0], static_cast<ZNetObject*>(doc.GetNetwork().FindNode("3")));
    }

    // An identifier crosses the dialog both ways: listed as Unicode, found from what is typed.
    void chineseIdentifierIsListedAndFound()
    {
        ZDocument doc;
        Network(doc);
        const GbkString id = GbkCodec::FromUtf8("节点1");
        AddNode(doc, id.Bytes(), 50, 50);
        auto v = MakeView(doc);
        CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
        QVERIFY(dlg.List(0)->findText(QStringLiteral("节点1")) >= 0);
        Enter(dlg, 0, QStringLiteral("节点1"));
        dlg.onProperties();
        QCOMPARE(int(editor.edited.size()), 1);
        QCOMPARE(editor.edited[0][0], static_cast<ZNetObject*>(doc.GetNetwork().FindNode(id)));
    }

    void viewCentresAsOneZoomStepAndBlinks()
    {
        ZDocument doc;
        Network(doc);
        auto v = MakeView(doc);
        const double scale = v->Canvas().GetScale();
        const int history = int(v->Canvas().ZoomTool().History().size());
        CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
        ZConsumeNode* n2 = doc.GetNetwork().FindNode("2");
        Enter(dlg, 0, QStringLiteral("2"));
        dlg.onView();
        QCOMPARE(v->Canvas().CentreX(), 100.0);
        QCOMPARE(v->Canvas().CentreY(), 0.0);
        QCOMPARE(v->Canvas().GetScale(), scale);
        QCOMPARE(int(v->Canvas().ZoomTool().History().size()), history + 1);
        QVERIFY(v->Canvas().ZoomTool().CanBack());
        QVERIFY(dlg.IsFlashing());
        const bool first = n2->IsSelected();
        QTest::qWait(560);
        QCOMPARE(n2->IsSelected(), !first);
        // A pipe centres on the middle of what it draws; a tank on its inlet.
        Enter(dlg, 1, QStringLiteral("23"));
        dlg.onView();
        QVERIFY(std::fabs(v->Canvas().CentreX() - 100) < 10 && std::fabs(v->Canvas().CentreY() - 50) < 10);
        QVERIFY(!n2->IsSelected());   // the previous one got its look back
        Enter(dlg, 4, QStringLiteral("T"));
        dlg.onView();
        QCOMPARE(v->Canvas().CentreX(), 0.0);
        QCOMPARE(v->Canvas().CentreY(), 100.0);
    }

    // The dialog opens with the focus in the identifier field, and moves off what it shows.
    void inputHasFocusAndTheFoundObjectStaysInSight()
    {
        ZDocument doc;
        Network(doc);
        auto v = MakeView(doc);
        CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QWidget* focus = dlg.focusWidget();
        Enter(dlg, 0, QStringLiteral("2"));
        dlg.onView();
        // The picture: the view with the dialog where it stands.
        QImage img = v->grab().toImage();
        QPainter p(&img);
        p.drawPixmap(v->mapFromGlobal(dlg.pos()), dlg.grab());
        p.end();
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            img.save(dir + QStringLiteral("/find-dialog-beside.png"));
        QVERIFY(focus && (focus == dlg.List(0) || focus == dlg.List(0)->lineEdit()));
        for (const char* id : {"2", "4"}) {
            Enter(dlg, 0, QString::fromLatin1(id));
            dlg.onView();
            const ZFlowNode* n = doc.GetNetwork().FindNode(GbkView(id));
            const QPoint at = v->mapToGlobal(EditMouse::Px(*v, n->X, n->Y));
            QVERIFY2(!dlg.frameGeometry().adjusted(-8, -8, 8, 8).contains(at), id);
        }
    }

    void closingLeavesTheSelectionAsItWas()
    {
        ZDocument doc;
        Network(doc);
        auto v = MakeView(doc);
        ZConsumeNode* n1 = doc.GetNetwork().FindNode("1");
        ZConsumeNode* n2 = doc.GetNetwork().FindNode("2");
        v->Canvas().Tracker().Add(n1);
        for (ZConsumeNode* n : {n1, n2}) {
            CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
            Enter(dlg, 0, GbkText::ToQString(n->IdView()));
            dlg.onView();
            // Close at a moment of either look.
            QTest::qWait(n == n1 ? 520 : 40);
            dlg.reject();
            QVERIFY(!dlg.IsFlashing());
        }
        QVERIFY(n1->IsSelected());
        QVERIFY(!n2->IsSelected());
        QCOMPARE(v->Canvas().Tracker().Total(), 1);
    }

    // 属性 on the object blinking: its dialog changes it (an announcement while the blink shows
    // it selected), then the dialog closes. Its flag and the selection arrays agree throughout.
    void propertiesOfTheBlinkingObjectKeepFlagAndSelectionTogether()
    {
        ZDocument doc;
        Network(doc);
        auto v = MakeView(doc);
        ChangingEditor changing;
        v->SetEditServices(&prompt, &changing);
        ZSelectTracker& tracker = v->Canvas().Tracker();
        const auto agree = [&] {
            for (const ZConsumeNode* n : doc.GetNetwork().Nodes()) {
                const auto& sel = tracker.SelectedNodes();
                if (n->IsSelected() != (std::find(sel.begin(), sel.end(), n) != sel.end()))
                    return false;
            }
            return true;
        };
        ZConsumeNode* n1 = doc.GetNetwork().FindNode("1");
        ZConsumeNode* n2 = doc.GetNetwork().FindNode("2");
        tracker.Add(n1);
        for (ZConsumeNode* n : {n2, n1}) {
            const bool before = n->IsSelected();
            CFindDlg dlg(v->Canvas(), v->Editor(), v.get());
            Enter(dlg, 0, GbkText::ToQString(n->IdView()));
            dlg.onView();
            QTRY_VERIFY(n->IsSelected() != before);   // the blink shows the other look
            dlg.onProperties();
            QCOMPARE(changing.edited.size(), size_t(1));
            QVERIFY(doc.Undo());   // announced again, still in the other look
            QCOMPARE(n->IsSelected(), !before);
            dlg.reject();
            QCOMPARE(n->IsSelected(), before);
            QVERIFY(agree());
            changing.edited.clear();
        }
        QCOMPARE(tracker.Total(), 1);
    }
};

QTEST_MAIN(TestCFindDlg)
#include "test_CFindDlg.moc"
