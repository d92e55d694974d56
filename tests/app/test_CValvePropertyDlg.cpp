#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CValvePropertyDlg.h"

#include "app/dialogs/CCurvePointsTable.h"
#include "app/dialogs/PropertyNumber.h"
#include "app/dialogs/ValvePropertyForm.h"

#include "model/UnitSystem.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

namespace {
QLabel* CaptionOf(QWidget* dlg, const char* key)
{
    auto* form = dlg->findChild<QGroupBox*>(QStringLiteral("controlGroup"))->findChild<QFormLayout*>();
    return qobject_cast<QLabel*>(form->labelForField(EditOf(dlg, key)->parentWidget()));
}
QString UnitLabel(QWidget* dlg, const char* key)
{
    return dlg->findChild<QLabel*>(QString::fromLatin1(key) + QStringLiteral("Unit"))->text();
}
}   // namespace

class TestCValvePropertyDlg : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

private slots:
    void editsTypeCoefficientReductionAndOpen()
    {
        PropertyTestNet t;
        ZValveLink* valve = t.Valve();
        CValvePropertyDlg dlg(PropertyForm::EditMode, {valve}, units, prompt);
        dlg.Form().IdTaken = [&t](GbkView id) { return t.net.FindLink(GbkView(id)) != nullptr; };
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("阀门属性"));
        QCOMPARE(ComboOf(&dlg, "ValveType")->count(), 9);
        QCOMPARE(ComboOf(&dlg, "ValveType")->itemText(2), QStringLiteral("减压阀"));
        // A gate valve's dialog is the described one: the control group stays out of sight.
        QVERIFY(!dlg.findChild<QGroupBox*>(QStringLiteral("controlGroup"))->isVisible());
        QCOMPARE(CheckOf(&dlg, "ValveOpen")->checkState(), Qt::Checked);
        Screenshot(&dlg, QStringLiteral("valve_mode0"));
        // A valve may not take the identifier of the pump: links share one set.
        Retype(EditOf(&dlg, "Id"), QStringLiteral("P"));
        ClickOk(&dlg);
        QCOMPARE(prompt.Last(), std::string("编号P已经存在!"));
        Retype(EditOf(&dlg, "Id"), QStringLiteral("V9"));
        ComboOf(&dlg, "ValveType")->setCurrentIndex(2);
        Retype(EditOf(&dlg, "ValveHLess"), QStringLiteral("12"));
        Retype(EditOf(&dlg, "ValveSCoef"), QStringLiteral("0.5"));
        CheckOf(&dlg, "ValveOpen")->setChecked(false);
        QTest::mouseClick(ButtonOf(&dlg, "reverseButton"), Qt::LeftButton);
        QCOMPARE(EditOf(&dlg, "StartNode")->text(), QStringLiteral("8"));
        ClickOk(&dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Form().Apply({}), 1);
        QCOMPARE(valve->GetValveType(), 2);
        QCOMPARE(valve->SymbolIndex(), 2);
        QCOMPARE(valve->ValveHLess, 12.0);
        QCOMPARE(valve->ValveSCoef, 0.5);
        QVERIFY(!valve->ValveOpen);
        QCOMPARE(std::string(valve->GetId()), std::string("V9"));
        QCOMPARE(valve->StartNode(), static_cast<ZNetNode*>(t.N("8")));
    }

    void templateValve()
    {
        ZValveLink tmpl;
        CValvePropertyDlg dlg(PropertyForm::TemplateMode, {&tmpl}, units, prompt);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("模板阀门属性"));
        QVERIFY(!EditOf(&dlg, "Id")->isEnabled());
        Screenshot(&dlg, QStringLiteral("valve_mode2"));
        ComboOf(&dlg, "ValveType")->setCurrentIndex(1);
        ClickOk(&dlg);
        dlg.Form().Apply({});
        QCOMPARE(tmpl.GetValveType(), 1);
    }

    // The setting's caption and unit follow the kind; the control group shows only for the kinds
    // that use it, and a typed setting is taken in the unit shown.
    void controlKindsTakeTheirSettingInTheirUnit()
    {
        PropertyTestNet t;
        ZValveLink* valve = t.Valve();
        units.Get(UnitSystem::Flow).SetUnitIndex(1);
        CValvePropertyDlg dlg(PropertyForm::EditMode, {valve}, units, prompt);
        dlg.show();
        auto* group = dlg.findChild<QGroupBox*>(QStringLiteral("controlGroup"));
        ComboOf(&dlg, "ValveType")->setCurrentIndex(ZValveLink::Prv);
        QVERIFY(group->isVisible());
        QCOMPARE(ComboOf(&dlg, "ValveType")->currentText(), QStringLiteral("稳压减压阀"));
        QCOMPARE(CaptionOf(&dlg, "ValveSetting")->text(), QStringLiteral("出口压力:"));
        QCOMPARE(UnitLabel(&dlg, "ValveSetting"), QString::fromStdString(units.Hydr().UnitName()));
        QVERIFY(!dlg.Points()->isVisible());
        Retype(EditOf(&dlg, "ValveSetting"), QStringLiteral("-1"));
        ClickOk(&dlg);
        QCOMPARE(prompt.Last(), std::string("请输入一个介于0和1000000之间的数。"));
        QCOMPARE(dlg.focusWidget(), EditOf(&dlg, "ValveSetting"));
        Retype(EditOf(&dlg, "ValveSetting"), QStringLiteral("25"));
        ComboOf(&dlg, "ValveInitStatus")->setCurrentIndex(ZValveLink::StatusOpen);
        Screenshot(&dlg, QStringLiteral("valve_prv"));

        // A flow-control valve: the same field is a flow in the display unit.
        ComboOf(&dlg, "ValveType")->setCurrentIndex(ZValveLink::Fcv);
        QCOMPARE(CaptionOf(&dlg, "ValveSetting")->text(), QStringLiteral("限定流量:"));
        const UnitCategory& flow = units.FlowUnit();
        QCOMPARE(UnitLabel(&dlg, "ValveSetting"), QString::fromStdString(flow.UnitName()));
        Retype(EditOf(&dlg, "ValveSetting"), QStringLiteral("36"));
        // A throttle valve needs its diameter; the message names the field.
        ComboOf(&dlg, "ValveType")->setCurrentIndex(ZValveLink::Tcv);
        QCOMPARE(UnitLabel(&dlg, "ValveSetting"), QString());
        ClickOk(&dlg);
        QVERIFY(prompt.Last().find("阀门直径") != std::string::npos);
        QCOMPARE(dlg.focusWidget(), EditOf(&dlg, "ValveDiam"));
        ComboOf(&dlg, "ValveType")->setCurrentIndex(ZValveLink::Fcv);
        ClickOk(&dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Form().Apply({}), 1);
        QCOMPARE(valve->GetValveType(), int(ZValveLink::Fcv));
        QCOMPARE(valve->SymbolIndex(), int(ZValveLink::Fcv));
        QVERIFY(PropertyNumber::Same(valve->ValveSetting, flow.FromDisplay(36.0)));
        QCOMPARE(valve->ValveInitStatus, int(ZValveLink::StatusOpen));
        units = UnitSystem();
    }

    // The state of the last run is shown, not edited; a check valve shows it too.
    void stateAfterARunIsShownOnly()
    {
        PropertyTestNet t;
        ZValveLink* valve = t.Valve();
        valve->SetValveType(ZValveLink::Prv);
        valve->ValveSetting = 30.0;
        valve->ValveState = ZValveLink::StateCannotHold;
        CValvePropertyDlg dlg(PropertyForm::EditMode, {valve}, units, prompt);
        dlg.show();
        QCOMPARE(EditOf(&dlg, "ValveSetting")->text(), QStringLiteral("30.00"));
        QCOMPARE(ComboOf(&dlg, "ValveState")->currentText(), QStringLiteral("无法保持设定值"));
        QVERIFY(!ComboOf(&dlg, "ValveState")->isEnabled());
        ClickOk(&dlg);
        QCOMPARE(dlg.Form().Apply({}), 0);
        QCOMPARE(valve->ValveState, int(ZValveLink::StateCannotHold));

        valve->SetValveType(ZValveLink::Check);
        valve->ValveState = ZValveLink::StateReverseClosed;
        CValvePropertyDlg check(PropertyForm::EditMode, {valve}, units, prompt);
        check.show();
        QVERIFY(check.findChild<QGroupBox*>(QStringLiteral("controlGroup"))->isVisible());
        QVERIFY(!EditOf(&check, "ValveSetting")->isVisible());
        QCOMPARE(ComboOf(&check, "ValveState")->currentText(), QStringLiteral("倒流关闭"));
    }

    // A general-purpose valve's losses must rise with flow; several valves take one curve.
    void gpvCurveIsCheckedAndGoesToEveryValve()
    {
        PropertyTestNet t;
        auto* second = new ZValveLink;
        t.Node("10", 500, 0);
        t.Node("11", 500, 0);
        t.Link("V2", "10", "11", second);
        CValvePropertyDlg dlg(PropertyForm::EditMode, {t.Valve(), second}, units, prompt);
        dlg.show();
        ComboOf(&dlg, "ValveType")->setCurrentIndex(ZValveLink::Gpv);
        QVERIFY(dlg.Points()->isVisible());
        QVERIFY(!EditOf(&dlg, "ValveSetting")->isVisible());
        ClickOk(&dlg);
        QCOMPARE(prompt.Last(), std::string("通用阀水头损失曲线至少需要2个点。"));
        TypePoints(dlg.Points(), {{"0", "0"}, {"100", "5"}, {"200", "4"}});
        ClickOk(&dlg);
        QCOMPARE(prompt.Last(), std::string("通用阀水头损失曲线第3点的水头损失随流量下降: 水头损失必须随流量上升。"));
        TypePoints(dlg.Points(), {{"0", "0"}, {"100", "5"}, {"x", "4"}});
        ClickOk(&dlg);
        QCOMPARE(prompt.Last(), std::string("通用阀水头损失曲线第3点: 请输入一个数。"));
        TypePoints(dlg.Points(), {{"0", "0"}, {"100", "5"}, {"200", "20"}});
        ClickOk(&dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Form().Apply({}), 2);
        const UnitCategory& flow = units.FlowUnit();
        for (ZValveLink* v : {t.Valve(), second}) {
            QCOMPARE(v->GetValveType(), int(ZValveLink::Gpv));
            QCOMPARE(v->ValveCurve.size(), size_t(3));
            QVERIFY(PropertyNumber::Same(v->ValveCurve[2].flow, flow.FromDisplay(200.0)));
            QCOMPARE(v->ValveCurve[2].head, 20.0);
        }
    }
};

QTEST_MAIN(TestCValvePropertyDlg)
#include "test_CValvePropertyDlg.moc"
