#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CPipePropertyDlg.h"
#include "app/dialogs/PipePropertyForm.h"

#include "model/UnitSystem.h"

#include <QDateEdit>
#include <QLabel>
#include <QtTest>

namespace {
std::vector<ZNetObject*> Objects(std::initializer_list<ZNetObject*> list)
{
    return list;
}
}   // namespace

class TestCPipePropertyDlg : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

    std::unique_ptr<CPipePropertyDlg> Open(PropertyForm::Mode mode, std::vector<ZNetObject*> pipes,
                                           PropertyTestNet* t = nullptr)
    {
        auto dlg = std::make_unique<CPipePropertyDlg>(mode, std::move(pipes), units, prompt);
        if (t)
            dlg->Form().IdTaken = [t](GbkView id) { return t->net.FindLink(GbkView(id)) != nullptr; };
        dlg->show();
        return dlg;
    }

private slots:
    void init()
    {
        units = UnitSystem();
        prompt.shown.clear();
    }

    void showsFieldsInDisplayUnits()
    {
        PropertyTestNet t;
        ZPipeLink* p = t.P("23");
        p->PipeDiam = 0.3;
        p->PipeInDiam = 0.2986;
        p->Flow = 0.0125;
        auto dlg = Open(PropertyForm::EditMode, Objects({p}), &t);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("管道属性"));
        QCOMPARE(EditOf(dlg.get(), "Id")->text(), QStringLiteral("23"));
        QCOMPARE(EditOf(dlg.get(), "StartNode")->text(), QStringLiteral("2"));
        QCOMPARE(EditOf(dlg.get(), "EndNode")->text(), QStringLiteral("3"));
        QCOMPARE(EditOf(dlg.get(), "PipeDiam")->text(), QStringLiteral("300"));
        QCOMPARE(EditOf(dlg.get(), "PipeInDiam")->text(), QStringLiteral("299"));
        QCOMPARE(EditOf(dlg.get(), "PipeRougCeof")->text(), QStringLiteral("100"));
        QCOMPARE(EditOf(dlg.get(), "PipeLength")->text(), QStringLiteral("100.0"));
        QCOMPARE(EditOf(dlg.get(), "PipeParallel")->text(), QStringLiteral("0"));
        QCOMPARE(EditOf(dlg.get(), "Flow")->text(), QStringLiteral("12.50"));
        QVERIFY(EditOf(dlg.get(), "Flow")->isReadOnly());
        QCOMPARE(ComboOf(dlg.get(), "PipeType")->currentText(), QStringLiteral("海增-威联管"));
        QCOMPARE(ComboOf(dlg.get(), "PipeSideType")->currentText(), QStringLiteral("双侧供水"));
        QVERIFY(EditOf(dlg.get(), "PipeLength")->font().italic());   // follows the drawing
        Screenshot(dlg.get(), QStringLiteral("pipe_mode0"));

        units.Get(UnitSystem::Diameter).SetUnitIndex(0);   // m
        units.Get(UnitSystem::Length).SetUnitIndex(1);     // km
        auto inMetres = Open(PropertyForm::EditMode, Objects({p}), &t);
        QCOMPARE(EditOf(inMetres.get(), "PipeDiam")->text(), QStringLiteral("0"));   // precision 0
        QCOMPARE(EditOf(inMetres.get(), "PipeLength")->text(), QStringLiteral("0.1"));
        Retype(EditOf(inMetres.get(), "PipeDiam"), QStringLiteral("0.4"));
        ClickOk(inMetres.get());
        inMetres->Form().Apply({});
        QCOMPARE(p->PipeDiam, 0.4);
        QCOMPARE(p->PipeInDiam, 0.2986);
    }

    // The calculation uses 计算内径: the dialog says so, and where it equalled 标准管径 it follows
    // a new standard diameter; a different one (a lined pipe) or a typed one stays.
    void innerDiameterFollowsWhereItWasTheSame()
    {
        PropertyTestNet t;
        ZPipeLink* same = t.P("23");   // 0.3 m both
        ZPipeLink* lined = t.P("34");
        lined->PipeInDiam = 0.2986;
        auto dlg = Open(PropertyForm::EditMode, Objects({same}), &t);
        Retype(EditOf(dlg.get(), "PipeDiam"), QStringLiteral("400"));
        Screenshot(dlg.get(), QStringLiteral("pipe-diameter-follows"));
        auto* note = dlg->findChild<QLabel*>("inDiamNote");
        QVERIFY(note);
        QVERIFY2(note->text().contains(QStringLiteral("平差")) && note->text().contains(QStringLiteral("计算内径")),
                 qPrintable(note->text()));
        QCOMPARE(EditOf(dlg.get(), "PipeInDiam")->text(), QStringLiteral("400"));
        ClickOk(dlg.get());
        dlg->Form().Apply({});
        QCOMPARE(same->PipeDiam, 0.4);
        QCOMPARE(same->PipeInDiam, 0.4);

        auto both = Open(PropertyForm::EditMode, Objects({same, lined}), &t);
        Retype(EditOf(both.get(), "PipeDiam"), QStringLiteral("500"));
        QCOMPARE(EditOf(both.get(), "PipeInDiam")->text(), QString());   // they differ: left to each
        ClickOk(both.get());
        QCOMPARE(both->Form().Apply({}), 2);
        QCOMPARE(same->PipeInDiam, 0.5);
        QCOMPARE(lined->PipeDiam, 0.5);
        QCOMPARE(lined->PipeInDiam, 0.2986);

        auto typed = Open(PropertyForm::EditMode, Objects({same}), &t);
        Retype(EditOf(typed.get(), "PipeInDiam"), QStringLiteral("590"));
        Retype(EditOf(typed.get(), "PipeDiam"), QStringLiteral("600"));
        QCOMPARE(EditOf(typed.get(), "PipeInDiam")->text(), QStringLiteral("590"));
        ClickOk(typed.get());
        typed->Form().Apply({});
        QCOMPARE(same->PipeDiam, 0.6);
        QCOMPARE(same->PipeInDiam, 0.59);
    }

    void coefficientRangeFollowsTheFormulaType()
    {
        PropertyTestNet t;
        ZPipeLink* p = t.P("23");
        auto dlg = Open(PropertyForm::EditMode, Objects({p}), &t);
        ComboOf(dlg.get(), "PipeType")->setCurrentIndex(1);   // Manning keeps the typed-in 100
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个介于0.005和0.05之间的数。"));
        QCOMPARE(dlg->focusWidget(), EditOf(dlg.get(), "PipeRougCeof"));
        QVERIFY(dlg->isVisible());
        Retype(EditOf(dlg.get(), "PipeRougCeof"), QStringLiteral("0.013"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QCOMPARE(p->PipeType, 1);
        QCOMPARE(p->PipeRougCeof, 0.013);

        auto hw = Open(PropertyForm::EditMode, Objects({t.P("34")}), &t);
        Retype(EditOf(hw.get(), "PipeRougCeof"), QStringLiteral("100"));
        ClickOk(hw.get());
        QCOMPARE(hw->result(), int(QDialog::Accepted));
        Retype(EditOf(hw.get(), "PipeRougCeof"), QStringLiteral("251"));
        hw->setResult(0);
        hw->show();
        ClickOk(hw.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个介于50和250之间的数。"));
    }

    void mixedTypesCheckTheCoefficientAgainstEachPipesType()
    {
        PropertyTestNet t;
        t.P("12")->PipeType = 1;
        t.P("12")->PipeRougCeof = 0.013;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23")}), &t);
        QCOMPARE(ComboOf(dlg.get(), "PipeType")->currentIndex(), -1);
        QCOMPARE(EditOf(dlg.get(), "PipeRougCeof")->text(), QString());
        ClickOk(dlg.get());   // empty with several pipes: nothing to check
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->setResult(0);
        dlg->show();
        Retype(EditOf(dlg.get(), "PipeRougCeof"), QStringLiteral("120"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个介于0.005和0.05之间的数。"));
        ComboOf(dlg.get(), "PipeType")->setCurrentIndex(0);
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->Form().Apply({}), 2);
        QCOMPARE(t.P("12")->PipeType, 0);
        QCOMPARE(t.P("12")->PipeRougCeof, 120.0);
    }

    void parallelCountIsAWholeNumberNotBelowZero()
    {
        PropertyTestNet t;
        auto dlg = Open(PropertyForm::EditMode, Objects({t.P("23")}), &t);
        Retype(EditOf(dlg.get(), "PipeParallel"), QStringLiteral("1.5"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个整数。"));
        Retype(EditOf(dlg.get(), "PipeParallel"), QStringLiteral("-1"));
        ClickOk(dlg.get());
        QCOMPARE(prompt.Last(), std::string("请输入一个介于0和999之间的整数。"));
        Retype(EditOf(dlg.get(), "PipeParallel"), QStringLiteral("2"));
        ClickOk(dlg.get());
        dlg->Form().Apply({});
        QCOMPARE(t.P("23")->PipeParallel, 2);
    }

    void typingMakesTheLengthManual()
    {
        PropertyTestNet t;
        ZPipeLink* p = t.P("23");
        auto dlg = Open(PropertyForm::EditMode, Objects({p}), &t);
        QLineEdit* length = EditOf(dlg.get(), "PipeLength");
        QPushButton* autoButton = ButtonOf(dlg.get(), "autoLengthButton");
        Retype(length, QStringLiteral("120"));
        QCOMPARE(dlg->PipeForm().GetLengthMode(), PipePropertyForm::LengthManual);
        QVERIFY(!length->font().italic());
        QVERIFY(autoButton->isEnabled());
        ClickOk(dlg.get());
        QCOMPARE(dlg->Form().Apply({}), 1);
        QCOMPARE(p->PipeLength, 120.0);
        QVERIFY(!p->IsAutoLength());

        // A manual pipe given its own length again: nothing changes.
        auto same = Open(PropertyForm::EditMode, Objects({p}), &t);
        QVERIFY(!EditOf(same.get(), "PipeLength")->font().italic());
        Retype(EditOf(same.get(), "PipeLength"), QStringLiteral("120.0"));
        ClickOk(same.get());
        QCOMPARE(same->Form().Apply({}), 0);
    }

    void theButtonMakesTheLengthAutomatic()
    {
        PropertyTestNet t;
        ZPipeLink* p = t.P("12");   // bend at (50, -50): 2 x 70.71
        p->ClearFlag(qen::FLAG_AUTO_LENGTH);
        p->PipeLength = 90.0;
        auto dlg = Open(PropertyForm::EditMode, Objects({p}), &t);
        QLineEdit* length = EditOf(dlg.get(), "PipeLength");
        QCOMPARE(length->text(), QStringLiteral("90.0"));
        QTest::mouseClick(ButtonOf(dlg.get(), "autoLengthButton"), Qt::LeftButton);
        QCOMPARE(dlg->PipeForm().GetLengthMode(), PipePropertyForm::LengthAutomatic);
        QCOMPARE(length->text(), QStringLiteral("141.4"));
        QVERIFY(length->font().italic());
        QVERIFY(!ButtonOf(dlg.get(), "autoLengthButton")->isEnabled());
        Screenshot(dlg.get(), QStringLiteral("pipe_mode0_automatic"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->Form().Apply({}), 1);
        QVERIFY(p->IsAutoLength());
        QCOMPARE(p->PipeLength, p->PolylineLength());

        // Typing after the button goes back to manual.
        auto back = Open(PropertyForm::EditMode, Objects({p}), &t);
        QTest::mouseClick(ButtonOf(back.get(), "autoLengthButton"), Qt::LeftButton);
        Retype(EditOf(back.get(), "PipeLength"), QStringLiteral("150"));
        QCOMPARE(back->PipeForm().GetLengthMode(), PipePropertyForm::LengthManual);
        QVERIFY(ButtonOf(back.get(), "autoLengthButton")->isEnabled());
        ClickOk(back.get());
        back->Form().Apply({});
        QVERIFY(!p->IsAutoLength());
        QCOMPARE(p->PipeLength, 150.0);
    }

    void lengthModesWithSeveralPipes()
    {
        PropertyTestNet t;
        t.P("23")->ClearFlag(qen::FLAG_AUTO_LENGTH);
        t.P("23")->PipeLength = 80.0;
        const double drawn12 = t.P("12")->PipeLength;
        // Untouched: every length and flag stays.
        auto untouched = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23"), t.P("34")}), &t);
        QCOMPARE(EditOf(untouched.get(), "PipeLength")->text(), QString());
        ClickOk(untouched.get());
        QCOMPARE(untouched->Form().Apply({}), 0);

        auto automatic = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23"), t.P("34")}), &t);
        QTest::mouseClick(ButtonOf(automatic.get(), "autoLengthButton"), Qt::LeftButton);
        QCOMPARE(EditOf(automatic.get(), "PipeLength")->text(), QString());
        ClickOk(automatic.get());
        QCOMPARE(automatic->Form().Apply({}), 1);   // only the pipe that lacked the flag
        QVERIFY(t.P("23")->IsAutoLength());
        QCOMPARE(t.P("23")->PipeLength, 100.0);

        auto manual = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23")}), &t);
        Retype(EditOf(manual.get(), "PipeLength"), QStringLiteral("75"));
        ClickOk(manual.get());
        QCOMPARE(manual->Form().Apply({}), 2);
        QCOMPARE(t.P("12")->PipeLength, 75.0);
        QCOMPARE(t.P("23")->PipeLength, 75.0);
        QVERIFY(!t.P("12")->IsAutoLength() && !t.P("23")->IsAutoLength());
        QVERIFY(drawn12 > 140.0);
    }

    void dateAndSupplyAndAccidentFlag()
    {
        PropertyTestNet t;
        t.P("12")->PipeDate = 946684800;   // 2000-01-01
        t.P("23")->PipeDate = 946684800 + 3600;
        t.P("34")->PipeDate = 978307200;   // 2001-01-01
        t.P("34")->SetFlag(qen::FLAG_ACCIDENT_PIPE);
        auto same = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23")}), &t);
        QCOMPARE(same->findChild<QDateEdit*>("PipeDate")->date(), QDate(2000, 1, 1));
        auto differ = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23"), t.P("34")}), &t);
        auto* date = differ->findChild<QDateEdit*>("PipeDate");
        QCOMPARE(date->text().trimmed(), QString());
        QCOMPARE(CheckOf(differ.get(), "IsAccidentPipe")->checkState(), Qt::PartiallyChecked);
        Screenshot(differ.get(), QStringLiteral("pipe_mode0_multi"));
        ClickOk(differ.get());
        QCOMPARE(differ->Form().Apply({}), 0);
        QCOMPARE(t.P("23")->PipeDate, 946684800u + 3600u);   // the hour survives an untouched date

        auto set = Open(PropertyForm::EditMode, Objects({t.P("12"), t.P("23"), t.P("34")}), &t);
        set->findChild<QDateEdit*>("PipeDate")->setDate(QDate(2010, 6, 1));
        ComboOf(set.get(), "PipeSideType")->setCurrentIndex(0);
        CheckOf(set.get(), "IsAccidentPipe")->setCheckState(Qt::Checked);
        ClickOk(set.get());
        QCOMPARE(set->Form().Apply({}), 3);
        const uint32_t june = uint32_t(QDateTime(QDate(2010, 6, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch());
        for (const char* id : {"12", "23", "34"}) {
            QCOMPARE(t.P(id)->PipeDate, june);
            QCOMPARE(t.P(id)->PipeSideType, 0);
            QVERIFY(t.P(id)->IsAccidentPipe());
        }
    }

    void templatePipe()
    {
        ZPipeLink tmpl;
        tmpl.ClearFlag(qen::FLAG_AUTO_LENGTH);
        tmpl.PipeLength = 50.0;
        auto dlg = Open(PropertyForm::TemplateMode, Objects({&tmpl}));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("模板管道属性"));
        QVERIFY(!EditOf(dlg.get(), "Id")->isEnabled());
        Screenshot(dlg.get(), QStringLiteral("pipe_mode2"));
        QTest::mouseClick(ButtonOf(dlg.get(), "autoLengthButton"), Qt::LeftButton);
        QCOMPARE(EditOf(dlg.get(), "PipeLength")->text(), QString());
        Retype(EditOf(dlg.get(), "PipeDiam"), QStringLiteral("400"));
        ClickOk(dlg.get());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        dlg->Form().Apply({});
        QVERIFY(tmpl.IsAutoLength());
        QCOMPARE(tmpl.PipeLength, 50.0);
        QCOMPARE(tmpl.PipeDiam, 0.4);
    }
};

QTEST_MAIN(TestCPipePropertyDlg)
#include "test_CPipePropertyDlg.moc"
