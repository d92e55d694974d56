#include "AppFixture.h"
#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CPumpPropertyDlg.h"

#include "NetworkState.h"
#include "app/commands/CPropertyEditor.h"
#include "app/dialogs/PropertyNumber.h"
#include "model/UnitSystem.h"

#include <QtTest>

class TestCPumpPropertyDlg : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

    std::unique_ptr<CPumpPropertyDlg> Open(PropertyForm::Mode mode, std::vector<ZNetObject*> pumps,
                                           PropertyTestNet* t = nullptr)
    {
        auto dlg = std::make_unique<CPumpPropertyDlg>(mode, std::move(pumps), units, prompt);
        if (t)
            dlg->Form().IdTaken = [t](GbkView id) { return t->net.FindLink(GbkView(id)) != nullptr; };
        dlg->show();
        return dlg;
    }

private slots:
    void init() { prompt.shown.clear(); }

    void efficiencyBelowTwoTenthsIsRefused()
    {
        PropertyTestNet t;
        ZPumpLink* pump = t.Pump();
        auto dlg = Open(PropertyForm::EditMode, {pump}, &t);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("水泵属性"));
        QCOMPARE(EditOf(dlg.get(), "PumpEfficiency")->text(), QStringLiteral("1"));
        QCOMPARE(ComboOf(dlg.get(), "PumpType")->currentText(), QStringLiteral("卧式离心泵"));
        Screenshot(dlg.get(), QStringLiteral("pump_mode0"));
        Retype(EditOf(dlg.get(), "PumpEfficiency"), QStringLiteral("0.1"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个介于0.2和1之间的数。"));
        QCOMPARE(dlg->focusWidget(), EditOf(dlg.get(), "PumpEfficiency"));
        Retype(EditOf(dlg.get(), "PumpEfficiency"), QStringLiteral("1.01"));
        ClickOk(dlg.get());
        QVERIFY(dlg->isVisible());
        Retype(EditOf(dlg.get(), "PumpEfficiency"), QStringLiteral("0.2"));
        Retype(EditOf(dlg.get(), "PumpStaticH"), QStringLiteral("32.5"));
        CheckOf(dlg.get(), "PumpOpen")->setChecked(false);
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->Form().Apply({}), 1);
        QCOMPARE(pump->PumpEfficiency, 0.2);
        QCOMPARE(pump->PumpStaticH, 32.5);
        QVERIFY(!pump->PumpOpen);
    }

    void headFieldsFollowTheHeadUnit()
    {
        PropertyTestNet t;
        t.Pump()->PumpStaticH = 25.0;
        units.Get(UnitSystem::Head).SetUnitIndex(1);   // MPa
        auto dlg = Open(PropertyForm::EditMode, {t.Pump()}, &t);
        QCOMPARE(EditOf(dlg.get(), "PumpStaticH")->text(), QStringLiteral("0.25"));
        Retype(EditOf(dlg.get(), "PumpVacuum"), QStringLiteral("0.05"));
        ClickOk(dlg.get());
        dlg->Form().Apply({});
        QVERIFY(qFuzzyCompare(t.Pump()->PumpVacuum, 5.0));
        units.Get(UnitSystem::Head).SetUnitIndex(0);
    }

    void reverseSwapsTheShownEndsAndTheDeviceOnOk()
    {
        PropertyTestNet t;
        ZPumpLink* pump = t.Pump();
        auto dlg = Open(PropertyForm::EditMode, {pump}, &t);
        QCOMPARE(EditOf(dlg.get(), "StartNode")->text(), QStringLiteral("5"));
        QCOMPARE(EditOf(dlg.get(), "EndNode")->text(), QStringLiteral("6"));
        QPushButton* reverse = ButtonOf(dlg.get(), "reverseButton");
        QTest::mouseClick(reverse, Qt::LeftButton);
        QCOMPARE(EditOf(dlg.get(), "StartNode")->text(), QStringLiteral("6"));
        QCOMPARE(EditOf(dlg.get(), "EndNode")->text(), QStringLiteral("5"));
        QTest::mouseClick(reverse, Qt::LeftButton);   // pressed twice: as it was
        QCOMPARE(EditOf(dlg.get(), "StartNode")->text(), QStringLiteral("5"));
        QTest::mouseClick(reverse, Qt::LeftButton);
        ClickOk(dlg.get());
        std::vector<ZNetObject*> reversed;
        PropertyForm::Sink sink;
        sink.reverse = [&](ZDeviceLink& d) {
            reversed.push_back(&d);
            d.Reverse();
        };
        QCOMPARE(dlg->Form().Apply(sink), 1);
        QCOMPARE(reversed.size(), size_t(1));
        QCOMPARE(pump->StartNode(), static_cast<ZNetNode*>(t.N("6")));
        QCOMPARE(pump->EndNode(), static_cast<ZNetNode*>(t.N("5")));
        QVERIFY(t.N("5")->HasFlag(qen::FLAG_DEVICE_OUTLET));
        QVERIFY(!t.N("6")->HasFlag(qen::FLAG_DEVICE_OUTLET));

        auto twice = Open(PropertyForm::EditMode, {pump}, &t);
        QTest::mouseClick(ButtonOf(twice.get(), "reverseButton"), Qt::LeftButton);
        QTest::mouseClick(ButtonOf(twice.get(), "reverseButton"), Qt::LeftButton);
        ClickOk(twice.get());
        QCOMPARE(twice->Form().Apply({}), 0);
        QCOMPARE(pump->StartNode(), static_cast<ZNetNode*>(t.N("6")));
    }

    void templatePumpKeepsItsEfficiencyOutOfReach()
    {
        ZPumpLink tmpl;
        auto dlg = Open(PropertyForm::TemplateMode, {&tmpl});
        QCOMPARE(dlg->windowTitle(), QStringLiteral("模板水泵属性"));
        QVERIFY(!EditOf(dlg.get(), "Id")->isEnabled());
        QVERIFY(!EditOf(dlg.get(), "PumpName")->isEnabled());
        QVERIFY(!EditOf(dlg.get(), "PumpEfficiency")->isEnabled());
        QVERIFY(!ButtonOf(dlg.get(), "reverseButton")->isEnabled());
        Screenshot(dlg.get(), QStringLiteral("pump_mode2"));
        Retype(EditOf(dlg.get(), "PumpRatedRotV"), QStringLiteral("1450"));
        ClickOk(dlg.get());
        dlg->Form().Apply({});
        QCOMPARE(tmpl.PumpRatedRotV, 1450.0);
    }

    void severalPumps()
    {
        PropertyTestNet t;
        auto* second = new ZPumpLink;
        t.Node("A", 500, 0);
        t.Node("B", 500, 0);
        t.Link("P2", "A", "B", second);
        second->PumpOpen = false;
        second->PumpSCoef = 3.0;
        auto dlg = Open(PropertyForm::EditMode, {t.Pump(), second}, &t);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("水泵属性[2]"));
        QCOMPARE(CheckOf(dlg.get(), "PumpOpen")->checkState(), Qt::PartiallyChecked);
        QCOMPARE(EditOf(dlg.get(), "PumpSCoef")->text(), QString());
        QCOMPARE(EditOf(dlg.get(), "StartNode")->text(), QString());
        Screenshot(dlg.get(), QStringLiteral("pump_mode0_multi"));
        Retype(EditOf(dlg.get(), "PumpStaticH"), QStringLiteral("20"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->Form().Apply({}), 2);
        QCOMPARE(t.Pump()->PumpSCoef, 0.0);
        QCOMPARE(second->PumpSCoef, 3.0);
        QVERIFY(t.Pump()->PumpOpen && !second->PumpOpen);
        QCOMPARE(second->PumpStaticH, 20.0);
    }

    // The points table shows for the kinds through points; heads rising with flow, too few points
    // and a three-point curve without its shut-off head are refused naming the curve.
    void curvePointsAreCheckedForTheirKind()
    {
        PropertyTestNet t;
        ZPumpLink* pump = t.Pump();
        auto dlg = Open(PropertyForm::EditMode, {pump}, &t);
        QVERIFY(!dlg->Points()->isVisible());
        QVERIFY(!EditOf(dlg.get(), "PumpSpeed")->isVisible());
        ComboOf(dlg.get(), "PumpCurveKind")->setCurrentIndex(ZPumpLink::ThreePoint);
        QVERIFY(dlg->Points()->isVisible());
        QVERIFY(EditOf(dlg.get(), "PumpSpeed")->isVisible());
        QVERIFY(!EditOf(dlg.get(), "PumpPower")->isVisible());
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("水泵特性曲线至少需要3个点。"));
        TypePoints(dlg->Points(), {{"0", "40"}, {"50", "35"}, {"100", "38"}});
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("水泵特性曲线第3点的扬程随流量上升: 扬程必须随流量下降。"));
        QCOMPARE(dlg->focusWidget(), static_cast<QWidget*>(dlg->Points()->Table()));
        TypePoints(dlg->Points(), {{"10", "40"}, {"50", "35"}, {"100", "20"}});
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("三点曲线的第1点是流量为0时的关死扬程。"));
        TypePoints(dlg->Points(), {{"0", "40"}, {"50", "35"}, {"100", "20"}});
        Screenshot(dlg.get(), QStringLiteral("pump_points"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->Form().Apply({}), 1);
        QCOMPARE(pump->PumpCurveKind, int(ZPumpLink::ThreePoint));
        QCOMPARE(pump->PumpCurve.size(), size_t(3));
        QVERIFY(PropertyNumber::Same(pump->PumpCurve[1].flow, units.FlowUnit().FromDisplay(50.0)));
        QCOMPARE(pump->PumpCurve[2].head, 20.0);

        // Constant power needs its power; the points stay as they are.
        auto power = Open(PropertyForm::EditMode, {pump}, &t);
        QCOMPARE(power->Points()->Table()->rowCount(), 3);
        ComboOf(power.get(), "PumpCurveKind")->setCurrentIndex(ZPumpLink::ConstantPower);
        QVERIFY(!power->Points()->isVisible());
        ClickOk(power.get());
        QCOMPARE(prompt.Last(), std::string("恒功率水泵的功率必须大于0。"));
        Retype(EditOf(power.get(), "PumpPower"), QStringLiteral("55"));
        ClickOk(power.get());
        QCOMPARE(power->Form().Apply({}), 1);
        QCOMPARE(pump->PumpPower, 55.0);
        QCOMPARE(pump->PumpCurve.size(), size_t(3));
    }

    // One OK on several pumps gives each the typed curve, as one step that undo takes back whole.
    void curveOnSeveralPumpsIsOneUndoStep()
    {
        AppFixture f(false);
        PropertyTestNet t;
        auto* second = new ZPumpLink;
        t.Node("A", 500, 0);
        t.Node("B", 500, 0);
        t.Link("P2", "A", "B", second);
        second->PumpCurveKind = ZPumpLink::OnePoint;
        second->PumpCurve = {{0.05, 30.0}};
        const std::string before = DescribeDocument(t.doc);
        OnNextModal([](QWidget* w) {
            auto* dlg = static_cast<CPumpPropertyDlg*>(w);
            QCOMPARE(dlg->Points()->Table()->rowCount(), 0);   // the pumps' curves differ
            ComboOf(w, "PumpCurveKind")->setCurrentIndex(ZPumpLink::MultiPoint);
            TypePoints(dlg->Points(), {{"0", "50"}, {"100", "45"}, {"200", "30"}, {"300", "5"}});
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, t.doc, {t.Pump(), second}));
        for (ZPumpLink* p : {t.Pump(), second}) {
            QCOMPARE(p->PumpCurveKind, int(ZPumpLink::MultiPoint));
            QCOMPARE(p->PumpCurve.size(), size_t(4));
        }
        QCOMPARE(QString::fromStdString(t.doc.History().UndoText()), QStringLiteral("修改水泵属性"));
        QVERIFY(t.doc.Undo());
        QCOMPARE(DescribeDocument(t.doc), before);
        QVERIFY(t.doc.Redo());
        QCOMPARE(second->PumpCurve.size(), size_t(4));
    }
};

QTEST_MAIN(TestCPumpPropertyDlg)
#include "test_CPumpPropertyDlg.moc"
