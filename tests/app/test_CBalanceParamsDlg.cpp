#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CBalanceParamsDlg.h"

#include "model/UnitSystem.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

class TestCBalanceParamsDlg : public QObject {
    Q_OBJECT
    ScriptedPrompt prompt;

    static QLineEdit* Edit(QWidget* dlg, const char* name) { return EditOf(dlg, name); }

private slots:
    // The pressures are typed only for pressure-driven demand, in the head unit; P0 must stay below
    // PR and the exponent above 0, each refused with the focus on the field.
    void pressureOptionsAreCheckedAndConverted()
    {
        UnitSystem units;
        units.Get(UnitSystem::Head).SetUnitIndex(1);   // MPa: 1 MPa is about 102 m
        const UnitCategory& head = units.Hydr();
        ZBalanceParams stored;
        stored.MinPressure = 5.0;
        stored.RequiredPressure = 25.0;
        CBalanceParamsDlg dlg(prompt);
        dlg.SetOptions(stored, head);
        dlg.show();
        QVERIFY(!Edit(&dlg, "minPressureEdit")->isEnabled());
        QVERIFY(!dlg.findChild<QCheckBox*>("checkValvesClose")->isChecked());   // as the file has it
        QVERIFY(dlg.findChild<QLabel*>("minPressureLabel")->text().contains(QString::fromStdString(head.UnitName())));
        dlg.findChild<QComboBox*>("demandModelCombo")->setCurrentIndex(1);
        QVERIFY(Edit(&dlg, "minPressureEdit")->isEnabled());
        Retype(Edit(&dlg, "minPressureEdit"), QStringLiteral("0.3"));
        Retype(Edit(&dlg, "requiredPressureEdit"), QStringLiteral("0.3"));
        dlg.accept();
        QCOMPARE(prompt.Last(), std::string("最低压力 P0 必须低于所需压力 PR。"));
        QCOMPARE(dlg.focusWidget(), static_cast<QWidget*>(Edit(&dlg, "minPressureEdit")));
        QVERIFY(dlg.result() != QDialog::Accepted);
        Retype(Edit(&dlg, "minPressureEdit"), QStringLiteral("0.1"));
        Retype(Edit(&dlg, "exponentEdit"), QStringLiteral("0"));
        dlg.accept();
        QCOMPARE(prompt.Last(), std::string("压力指数必须大于0。"));
        Retype(Edit(&dlg, "exponentEdit"), QStringLiteral("x"));
        dlg.accept();
        QCOMPARE(prompt.Last(), std::string("请输入一个数。"));
        Retype(Edit(&dlg, "exponentEdit"), QStringLiteral("0.75"));
        dlg.findChild<QCheckBox*>("checkValvesClose")->setChecked(true);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const ZBalanceParams chosen = dlg.Options(stored);
        QVERIFY(chosen.CheckValvesClose);
        QCOMPARE(chosen.DemandModel, int(ZBalanceParams::PressureDriven));
        QVERIFY(qFuzzyCompare(chosen.MinPressure, head.FromDisplay(0.1)));
        QVERIFY(qFuzzyCompare(chosen.RequiredPressure, head.FromDisplay(0.3)));
        QCOMPARE(chosen.PressureExponent, 0.75);
    }

    // Demand-driven: the stored pressures are kept whatever the fields hold.
    void demandDrivenKeepsThePressures()
    {
        UnitSystem units;
        ZBalanceParams stored;
        stored.DemandModel = ZBalanceParams::PressureDriven;
        stored.MinPressure = 5.0;
        stored.RequiredPressure = 25.0;
        CBalanceParamsDlg dlg(prompt);
        dlg.SetOptions(stored, units.Hydr());
        QCOMPARE(Edit(&dlg, "requiredPressureEdit")->text(), QStringLiteral("25"));
        dlg.findChild<QComboBox*>("demandModelCombo")->setCurrentIndex(0);
        dlg.accept();
        const ZBalanceParams chosen = dlg.Options(stored);
        QCOMPARE(chosen.DemandModel, int(ZBalanceParams::DemandDriven));
        QCOMPARE(chosen.MinPressure, 5.0);
        QCOMPARE(chosen.RequiredPressure, 25.0);
    }
};

QTEST_MAIN(TestCBalanceParamsDlg)
#include "test_CBalanceParamsDlg.moc"
