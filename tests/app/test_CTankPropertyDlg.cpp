#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CTankPropertyDlg.h"

#include "model/UnitSystem.h"

#include <QtTest>

class TestCTankPropertyDlg : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

private slots:
    void levelsStayInMetresWhateverTheUnits()
    {
        PropertyTestNet t;
        ZTankLink* tank = t.Tank();
        tank->TankCurH = 3.5;
        tank->TankBottomElev = 42.0;
        tank->Flow = -0.05;
        units.Get(UnitSystem::Head).SetUnitIndex(1);     // MPa
        units.Get(UnitSystem::Length).SetUnitIndex(1);   // km
        CTankPropertyDlg dlg(PropertyForm::EditMode, {tank}, units, prompt);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("水池属性"));
        QCOMPARE(EditOf(&dlg, "Outlet")->text(), QStringLiteral("9"));
        QCOMPARE(EditOf(&dlg, "TankCurH")->text(), QStringLiteral("3.5"));
        QCOMPARE(EditOf(&dlg, "TankBottomElev")->text(), QStringLiteral("42"));
        QCOMPARE(EditOf(&dlg, "Flow")->text(), QStringLiteral("-50.00"));
        QVERIFY(EditOf(&dlg, "Flow")->isReadOnly());
        Screenshot(&dlg, QStringLiteral("tank_mode0"));
        ComboOf(&dlg, "TankType")->setCurrentIndex(1);
        Retype(EditOf(&dlg, "TankMaxHead"), QStringLiteral("6"));
        Retype(EditOf(&dlg, "TankArea"), QStringLiteral("abc"));
        ClickOk(&dlg);
        QCOMPARE(prompt.Last(), std::string("请输入一个数。"));
        QCOMPARE(dlg.focusWidget(), EditOf(&dlg, "TankArea"));
        Retype(EditOf(&dlg, "TankArea"), QStringLiteral("400"));
        ClickOk(&dlg);
        QCOMPARE(dlg.Form().Apply({}), 1);
        QCOMPARE(tank->GetTankType(), 1);
        QCOMPARE(tank->TankMaxHead, 6.0);
        QCOMPARE(tank->TankArea, 400.0);
        QCOMPARE(tank->TankCurH, 3.5);
    }

    void templateTank()
    {
        ZTankLink tmpl;
        CTankPropertyDlg dlg(PropertyForm::TemplateMode, {&tmpl}, units, prompt);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("模板水池属性"));
        QVERIFY(!EditOf(&dlg, "Id")->isEnabled());
        Screenshot(&dlg, QStringLiteral("tank_mode2"));
        Retype(EditOf(&dlg, "TankCurH"), QStringLiteral("2"));
        ClickOk(&dlg);
        dlg.Form().Apply({});
        QCOMPARE(tmpl.TankCurH, 2.0);
    }
};

QTEST_MAIN(TestCTankPropertyDlg)
#include "test_CTankPropertyDlg.moc"
