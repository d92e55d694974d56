#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CNodePropertyDlg.h"

#include "model/UnitSystem.h"
#include "views/GbkText.h"

#include <QLabel>
#include <QtTest>

namespace {
std::vector<ZNetObject*> Objects(std::initializer_list<ZNetObject*> list)
{
    return list;
}
}   // namespace

class TestCNodePropertyDlg : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

    std::unique_ptr<CNodePropertyDlg> Open(PropertyForm::Mode mode, std::vector<ZNetObject*> nodes,
                                           PropertyTestNet* t = nullptr)
    {
        auto dlg = std::make_unique<CNodePropertyDlg>(mode, std::move(nodes), units, prompt);
        if (t)
            dlg->Form().IdTaken = [t](GbkView id) { return t->net.FindNode(GbkView(id)) != nullptr; };
        dlg->show();
        return dlg;
    }

private slots:
    void init()
    {
        units = UnitSystem();
        prompt.shown.clear();
    }

    void threeNodesDifferingElevationKeepTheirsWhileTypedFlowReachesAll()
    {
        PropertyTestNet t;
        t.N("1")->NodeFlow = 0.001;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("1"), t.N("2"), t.N("3")}));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("节点属性[3]"));
        QCOMPARE(EditOf(dlg.get(), "NodeGrunElev")->text(), QString());
        QCOMPARE(EditOf(dlg.get(), "NodeFlow")->text(), QString());   // one node differs
        QCOMPARE(EditOf(dlg.get(), "NodeHydrElev")->text(), QStringLiteral("0.00"));
        // Several objects: identifier, name and position are off, checks have three states.
        QVERIFY(!EditOf(dlg.get(), "Id")->isEnabled());
        QVERIFY(!EditOf(dlg.get(), "NodeName")->isEnabled());
        QVERIFY(!EditOf(dlg.get(), "X")->isEnabled());
        QVERIFY(!EditOf(dlg.get(), "Y")->isEnabled());
        QVERIFY(CheckOf(dlg.get(), "IsFireNode")->isTristate());
        QVERIFY(ButtonOf(dlg.get(), "detailButton")->isHidden());

        Retype(EditOf(dlg.get(), "NodeFlow"), QStringLiteral("5"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->Form().Apply({}), 3);
        QCOMPARE(t.N("1")->NodeGrunElev, 10.0);
        QCOMPARE(t.N("2")->NodeGrunElev, 11.0);
        QCOMPARE(t.N("3")->NodeGrunElev, 12.0);
        for (const char* id : {"1", "2", "3"})
            QCOMPARE(t.N(id)->NodeFlow, 0.005);
        QCOMPARE(t.N("4")->NodeFlow, 0.0);
    }

    void equalWhenTheDifferenceVanishesAddedToOne()
    {
        PropertyTestNet t;
        t.N("3")->NodeGrunElev = 12.0 + 1e-17;   // lost when added to 1
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("3"), t.N("4")}));
        QCOMPARE(EditOf(dlg.get(), "NodeGrunElev")->text(), QStringLiteral("12"));
        t.N("4")->NodeGrunElev = 12.0 + 1e-9;
        auto again = Open(PropertyForm::EditMode, Objects({t.N("3"), t.N("4")}));
        QCOMPARE(EditOf(again.get(), "NodeGrunElev")->text(), QString());
    }

    void renamingToAnotherNodesIdentifierIsRefused()
    {
        PropertyTestNet t;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("1")}), &t);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("节点属性"));
        QLineEdit* id = EditOf(dlg.get(), "Id");
        QCOMPARE(id->text(), QStringLiteral("1"));
        Retype(id, QStringLiteral("2"));
        Retype(EditOf(dlg.get(), "NodeFlow"), QStringLiteral("3"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("编号2已经存在!"));
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->focusWidget(), id);
        // Its own identifier again is fine, and the typed flow goes through.
        Retype(id, QStringLiteral("1"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QCOMPARE(t.N("1")->NodeFlow, 0.003);
    }

    void emptyOrOverlongIdentifierIsRefused()
    {
        PropertyTestNet t;
        ZConsumeNode* node = t.N("1");
        auto dlg = Open(PropertyForm::EditMode, Objects({node}), &t);
        QLineEdit* id = EditOf(dlg.get(), "Id");
        QCOMPARE(id->maxLength(), 15);
        Retype(id, QString());
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("编号已经存在!"));
        QVERIFY(dlg->isVisible());
        // Fifteen Chinese characters are 30 bytes: more than an identifier holds.
        Retype(id, QString(15, QChar(u'节')));
        ClickOk(dlg.get());
        QVERIFY(QString::fromStdString(prompt.Last()).startsWith(QStringLiteral("编号节")));
        QVERIFY(dlg->isVisible());
        Retype(id, QStringLiteral("节点九"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QCOMPARE(QString::fromUtf8(GbkText::ToQString(node->IdView()).toUtf8()), QStringLiteral("节点九"));
        QCOMPARE(node->IdView().size(), size_t(6));   // GBK: two bytes a character
    }

    void longIdentifierFromAFileIsNotCut()
    {
        PropertyTestNet t;
        ZConsumeNode* node = t.Node("J12345678901234567", 5, 5);   // 18 bytes, more than 15 typed
        auto dlg = Open(PropertyForm::EditMode, Objects({node}), &t);
        QCOMPARE(EditOf(dlg.get(), "Id")->text(), QStringLiteral("J12345678901234567"));
        Retype(EditOf(dlg.get(), "NodeFlow"), QStringLiteral("1"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QCOMPARE(std::string(node->GetId()), std::string("J12345678901234567"));
        QCOMPARE(node->NodeFlow, 0.001);
    }

    void notANumberKeepsTheFocusAndAppliesNothing()
    {
        PropertyTestNet t;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("2")}), &t);
        Retype(EditOf(dlg.get(), "NodeFlow"), QStringLiteral("7"));
        Retype(EditOf(dlg.get(), "NodeFireFlow"), QStringLiteral("1,5"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个数。"));
        QCOMPARE(dlg->focusWidget(), EditOf(dlg.get(), "NodeFireFlow"));
        for (const char* bad : {"inf", "nan", "1e999", "3x"}) {
            Retype(EditOf(dlg.get(), "NodeFireFlow"), QString::fromLatin1(bad));
            ClickOk(dlg.get());
            QVERIFY2(dlg->isVisible(), bad);
        }
        dlg->reject();
        QCOMPARE(t.N("2")->NodeFlow, 0.0);
    }

    void checksRunInControlOrder()
    {
        PropertyTestNet t;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("2")}), &t);
        Retype(EditOf(dlg.get(), "NodeFireFlow"), QStringLiteral("x"));
        Retype(EditOf(dlg.get(), "NodeGrunElev"), QStringLiteral("y"));
        Retype(EditOf(dlg.get(), "Id"), QStringLiteral("3"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("编号3已经存在!"));
        QCOMPARE(dlg->focusWidget(), EditOf(dlg.get(), "Id"));
        Retype(EditOf(dlg.get(), "Id"), QStringLiteral("2"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->focusWidget(), EditOf(dlg.get(), "NodeGrunElev"));
        QCOMPARE(EditOf(dlg.get(), "NodeGrunElev")->selectedText(), QStringLiteral("y"));
        Retype(EditOf(dlg.get(), "NodeGrunElev"), QStringLiteral("5"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->focusWidget(), EditOf(dlg.get(), "NodeFireFlow"));
        QCOMPARE(prompt.shown.size(), size_t(3));
        QVERIFY(dlg->isVisible());
    }

    void unitsConvertBothWays()
    {
        PropertyTestNet t;
        t.N("1")->NodeFlow = 0.01;
        t.N("1")->NodeHydrElev = 25.0;
        units.Get(UnitSystem::Flow).SetUnitIndex(2);   // m3/h
        units.Get(UnitSystem::Head).SetUnitIndex(1);   // MPa
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("1")}), &t);
        QCOMPARE(EditOf(dlg.get(), "NodeFlow")->text(), QStringLiteral("36.00"));
        QCOMPARE(EditOf(dlg.get(), "NodeHydrElev")->text(), QStringLiteral("0.25"));
        QCOMPARE(EditOf(dlg.get(), "FreeHead")->text(), QStringLiteral("0.15"));
        QVERIFY(EditOf(dlg.get(), "FreeHead")->isReadOnly());
        QStringList suffixes;
        for (QLabel* l : dlg->findChildren<QLabel*>())
            suffixes << l->text();
        QVERIFY(suffixes.contains(QStringLiteral("m3/h")));
        QVERIFY(suffixes.contains(QStringLiteral("MPa")));
        Retype(EditOf(dlg.get(), "NodeFlow"), QStringLiteral("72"));
        Retype(EditOf(dlg.get(), "NodeHydrElev"), QStringLiteral("0.3"));
        ClickOk(dlg.get());
        dlg->Form().Apply({});
        QVERIFY(qFuzzyCompare(t.N("1")->NodeFlow, 0.02));
        QVERIFY(qFuzzyCompare(t.N("1")->NodeHydrElev, 30.0));
    }

    void untouchedRoundedFieldsKeepTheirStoredDigits()
    {
        PropertyTestNet t;
        t.N("1")->NodeFlow = 0.0123456;
        t.N("1")->X = 512345.678912;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("1")}), &t);
        QCOMPARE(EditOf(dlg.get(), "NodeFlow")->text(), QStringLiteral("12.35"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->Form().Apply({}), 0);
        QCOMPARE(t.N("1")->NodeFlow, 0.0123456);
        QCOMPARE(t.N("1")->X, 512345.678912);
    }

    void kindComboAndThreeStateCheckLeaveDifferingObjects()
    {
        PropertyTestNet t;
        t.N("2")->SetHeadKnown(true);
        t.N("2")->SetFireNode(true);
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("1"), t.N("2")}));
        QCOMPARE(ComboOf(dlg.get(), "NodeType")->currentIndex(), -1);
        QCOMPARE(CheckOf(dlg.get(), "IsFireNode")->checkState(), Qt::PartiallyChecked);
        ClickOk(dlg.get());
        QCOMPARE(dlg->Form().Apply({}), 0);
        QVERIFY(t.N("1")->IsFlowKnown() && t.N("2")->IsHeadKnown());
        QVERIFY(!t.N("1")->IsFireNode() && t.N("2")->IsFireNode());

        auto set = Open(PropertyForm::EditMode, Objects({t.N("1"), t.N("2")}));
        ComboOf(set.get(), "NodeType")->setCurrentIndex(1);
        QTest::mouseClick(CheckOf(set.get(), "IsFireNode"), Qt::LeftButton);   // undetermined -> checked
        QCOMPARE(CheckOf(set.get(), "IsFireNode")->checkState(), Qt::Checked);
        ClickOk(set.get());
        QCOMPARE(set->Form().Apply({}), 1);
        QVERIFY(t.N("1")->IsHeadKnown() && !t.N("1")->IsFlowKnown());
        QVERIFY(t.N("1")->IsFireNode());

        auto clear = Open(PropertyForm::EditMode, Objects({t.N("1"), t.N("2")}));
        QCOMPARE(ComboOf(clear.get(), "NodeType")->currentIndex(), 1);
        ComboOf(clear.get(), "NodeType")->setCurrentIndex(0);
        CheckOf(clear.get(), "IsFireNode")->setCheckState(Qt::Unchecked);
        ClickOk(clear.get());
        QCOMPARE(clear->Form().Apply({}), 2);
        QVERIFY(t.N("1")->IsFlowKnown() && t.N("2")->IsFlowKnown());
        QVERIFY(!t.N("1")->IsFireNode() && !t.N("2")->IsFireNode());
    }

    void movingANodeTakesItsDeviceAndDrawnPipeLengthsAlong()
    {
        PropertyTestNet t;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.N("3")}), &t);
        Retype(EditOf(dlg.get(), "X"), QStringLiteral("100"));
        Retype(EditOf(dlg.get(), "Y"), QStringLiteral("200"));
        ClickOk(dlg.get());
        std::vector<ZNetObject*> touched;
        PropertyForm::Sink sink;
        sink.touch = [&](ZNetObject& o) { touched.push_back(&o); };
        dlg->Form().Apply(sink);
        QCOMPARE(t.N("3")->Y, 200.0);
        QCOMPARE(t.P("23")->PipeLength, 200.0);
        QVERIFY(qFuzzyCompare(t.P("34")->PipeLength, std::hypot(100.0, 100.0)));
        QCOMPARE(touched.front(), static_cast<ZNetObject*>(t.N("3")));
        QCOMPARE(touched.size(), size_t(3));

        auto dev = Open(PropertyForm::EditMode, Objects({t.N("5")}), &t);
        Retype(EditOf(dev.get(), "X"), QStringLiteral("250"));
        ClickOk(dev.get());
        touched.clear();
        dev->Form().Apply(sink);
        QCOMPARE(t.N("5")->X, 250.0);
        QCOMPARE(t.N("6")->X, 250.0);
        QCOMPARE(touched.size(), size_t(2));
    }

    void newNodeStartsCollapsedAndDetailsToggle()
    {
        PropertyTestNet t;
        ZConsumeNode fresh;
        fresh.SetId("10");
        auto dlg = Open(PropertyForm::NewNodeMode, Objects({&fresh}), &t);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("确认建立新节点"));
        QPushButton* detail = ButtonOf(dlg.get(), "detailButton");
        QVERIFY(detail->isVisible());
        QCOMPARE(detail->text(), QStringLiteral("详细"));
        QVERIFY(!EditOf(dlg.get(), "NodeFlow")->isVisible());
        QVERIFY(EditOf(dlg.get(), "Id")->isEnabled());
        const int collapsed = dlg->height();
        Screenshot(dlg.get(), QStringLiteral("node_mode1_collapsed"));
        QTest::mouseClick(detail, Qt::LeftButton);
        QCOMPARE(detail->text(), QStringLiteral("简略"));
        QVERIFY(EditOf(dlg.get(), "NodeFlow")->isVisible());
        QTRY_VERIFY(dlg->height() > collapsed);
        Screenshot(dlg.get(), QStringLiteral("node_mode1_full"));
        QTest::mouseClick(detail, Qt::LeftButton);
        QCOMPARE(detail->text(), QStringLiteral("详细"));
        QVERIFY(!EditOf(dlg.get(), "NodeFlow")->isVisible());

        Retype(EditOf(dlg.get(), "Id"), QStringLiteral("4"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("编号4已经存在!"));
        Retype(EditOf(dlg.get(), "Id"), QStringLiteral("N10"));
        Retype(EditOf(dlg.get(), "NodeGrunElev"), QStringLiteral("8.5"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QCOMPARE(std::string(fresh.GetId()), std::string("N10"));
        QCOMPARE(fresh.NodeGrunElev, 8.5);
    }

    void templateModeLocksIdentifierPositionAndFreeHead()
    {
        ZConsumeNode tmpl;
        tmpl.NodeFlow = 0.002;
        auto dlg = Open(PropertyForm::TemplateMode, Objects({&tmpl}));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("模板节点属性"));
        for (const char* name : {"Id", "NodeName", "X", "Y", "FreeHead"})
            QVERIFY2(!EditOf(dlg.get(), name)->isEnabled(), name);
        QVERIFY(ButtonOf(dlg.get(), "detailButton")->isHidden());
        QVERIFY(!CheckOf(dlg.get(), "IsFireNode")->isTristate());
        QCOMPARE(EditOf(dlg.get(), "NodeFlow")->text(), QStringLiteral("2.00"));
        QCOMPARE(EditOf(dlg.get(), "X")->text(), QString());
        Screenshot(dlg.get(), QStringLiteral("node_mode2"));
        Retype(EditOf(dlg.get(), "NodeFireFlow"), QStringLiteral("15"));
        CheckOf(dlg.get(), "IsFireNode")->setChecked(true);
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QCOMPARE(tmpl.NodeFireFlow, 0.015);
        QVERIFY(tmpl.IsFireNode());
        QCOMPARE(std::string(tmpl.GetId()), std::string());
    }

    void screenshotsOfEditing()
    {
        PropertyTestNet t;
        t.N("1")->NodeFlow = 0.0125;
        auto one = Open(PropertyForm::EditMode, Objects({t.N("1")}), &t);
        Screenshot(one.get(), QStringLiteral("node_mode0"));
        auto many = Open(PropertyForm::EditMode, Objects({t.N("1"), t.N("2"), t.N("3")}), &t);
        Screenshot(many.get(), QStringLiteral("node_mode0_multi"));
        QVERIFY(one->isVisible() && many->isVisible());
    }
};

QTEST_MAIN(TestCNodePropertyDlg)
#include "test_CNodePropertyDlg.moc"
