#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CValvePropertyDlg.h"

#include "model/UnitSystem.h"

#include <QtTest>

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
        QCOMPARE(ComboOf(&dlg, "ValveType")->count(), 3);
        QCOMPARE(ComboOf(&dlg, "ValveType")->itemText(2), QStringLiteral("减压阀"));
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
};

QTEST_MAIN(TestCValvePropertyDlg)
#include "test_CValvePropertyDlg.moc"
