// A field is one entry of its kind's field table: a new entry shows in the property dialog, the
// table, the parameter calculator and the templates, and every field the dialogs edit goes
// through the document's one change path (one undoable step).
#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"
#include "app/dialogs/CParamCalcDlg.h"
#include "app/dialogs/CPipePropertyDlg.h"
#include "app/commands/CPropertyEditor.h"
#include "views/CQENGridModel.h"
#include "views/CommandIds.h"
#include "views/ZGridColumns.h"

#include "hydraulics/ZParamCalculator.h"
#include "model/MemoryKeyValueStore.h"
#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"
#include "model/ZSettingsStore.h"
#include "model/ZTemplateSet.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QtTest>

#include <cmath>
#include <map>

namespace {
// The test's field lives beside the pipes, as a field of a later version would live in them.
std::map<const ZNetObject*, double> g_extra;
double ExtraGet(const ZNetObject& o)
{
    const auto it = g_extra.find(&o);
    return it == g_extra.end() ? 0.0 : it->second;
}
void ExtraSet(ZNetObject& o, double v)
{
    g_extra[&o] = v;
}

const ZField kExtra{.key = "PipeExtraLength",
                    .get = &ExtraGet,
                    .set = &ExtraSet,
                    .use = ZField::Copied | ZField::Stored,
                    .unit = UnitSystem::Length,
                    .caption = "附加长度",
                    .group = 1,
                    .column = 15,
                    .calc = 5,
                    .calcText = "管道附加长度"};

// The caption and unit of the row holding `field`.
QString RowText(QWidget* field)
{
    QWidget* row = field->parentWidget();
    auto* form = qobject_cast<QFormLayout*>(row->parentWidget()->layout());
    if (!form)
        return {};
    auto* caption = qobject_cast<QLabel*>(form->labelForField(row));
    QString unit;
    for (QLabel* l : row->findChildren<QLabel*>())
        unit += l->text();
    return (caption ? caption->text() : QString()) + QLatin1Char('|') + unit;
}

// A value the dialog accepts for a typed field that differs from the shown `now`.
QString NewText(const ZField& f, const QString& now)
{
    if (f.HasRange()) {
        const double mid = (f.low + f.high) / 2;
        return QString::number(f.type == ZField::Int ? std::floor(mid) : mid);
    }
    return now == QLatin1String("120") ? QStringLiteral("130") : QStringLiteral("120");
}
// The component fields are typed once the object's kind uses them: a control valve's setting,
// diameter and status; the fixed reduction of the described kinds; a curve pump's speed and
// power (constant power). A one-point curve makes every curve kind the list toggles to valid.
void PrepareKind(ZNetObject* obj, std::string_view key)
{
    if (obj->GetKind() == ZNetObject::Kind::Valve) {
        auto* v = static_cast<ZValveLink*>(obj);
        const bool control = key == "ValveSetting" || key == "ValveDiam" || key == "ValveInitStatus";
        v->SetValveType(control ? ZValveLink::Prv : ZValveLink::Gate);
    } else if (obj->GetKind() == ZNetObject::Kind::Pump) {
        auto* p = static_cast<ZPumpLink*>(obj);
        p->PumpCurve = {{0.05, 30.0}};
        p->PumpPower = 10.0;
        p->PumpCurveKind =
            key == "PumpSpeed" || key == "PumpPower" ? ZPumpLink::ConstantPower : ZPumpLink::QuadraticLaw;
    }
}
}   // namespace

class TestFieldEntry : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    ScriptedPrompt prompt;

private slots:
    void init() { g_extra.clear(); }

    void oneEntryShowsEverywhere()
    {
        PropertyTestNet t;
        ZPipeLink* p23 = t.P("23");
        {
            ZFieldTable::Added added(ZNetObject::Kind::Pipe, kExtra);
            ExtraSet(*p23, 12.5);

            // The dialog: a row of its group with the caption and the display unit, loaded and applied.
            CPipePropertyDlg dlg(PropertyForm::EditMode, {p23}, settings.Units(), prompt);
            dlg.show();
            QLineEdit* edit = EditOf(&dlg, "PipeExtraLength");
            QVERIFY(edit);
            QCOMPARE(RowText(edit), QStringLiteral("附加长度:|m"));
            QCOMPARE(edit->text(), QString::fromStdString(settings.Units().Leng().FormatFixed(12.5)));
            Retype(edit, QStringLiteral("20"));
            ClickOk(&dlg);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.Form().Apply({}), 1);
            QCOMPARE(ExtraGet(*p23), 20.0);

            // The table: the last column, titled with its unit.
            CQENGridModel pipes(ZGridColumns::PipeTab, &t.net, settings.Units());
            const int column = ZGridColumns::ColumnOf(ZGridColumns::PipeTab, "PipeExtraLength");
            QCOMPARE(column, pipes.columnCount() - 1);
            QCOMPARE(pipes.headerData(column, Qt::Horizontal).toString(), QStringLiteral("附加长度 (m)"));
            QCOMPARE(pipes.data(pipes.index(pipes.RowOf(p23), column)).toString(),
                     QString::fromStdString(settings.Units().Leng().FormatFixed(20.0)));

            // The calculator: listed after the five, in the length unit, and computed.
            CParamCalcDlg calc(settings.Units(), false, [](const CParamCalcDlg::Request&) { return true; });
            QCOMPARE(calc.ParamCombo()->count(), 6);
            QCOMPARE(calc.ParamCombo()->itemText(5), QStringLiteral("管道附加长度"));
            calc.ParamCombo()->setCurrentIndex(5);
            calc.OpCombo()->setCurrentIndex(ZParamCalculator::Add);
            QCOMPARE(calc.ExpressionLabel()->text(), QStringLiteral("计算表达式: 单位(m)"));
            std::vector<ZParamCalculator::Change> changes;
            std::string message;
            const auto targets = ZParamCalculator::Targets(t.net, 5, ZParamCalculator::WholeNetwork);
            QCOMPARE(targets.size(), size_t(3));   // the pipes only
            QCOMPARE(
                ZParamCalculator::Compute(targets, 5, ZParamCalculator::Add, "1.5", settings.Units(), changes, message),
                ZParamCalculator::Ok);
            for (const auto& c : changes)
                if (c.object == p23)
                    QCOMPARE(c.value, 21.5);

            // The templates: stored under its key, read back, copied into new pipes.
            ZTemplateSet templates;
            ExtraSet(templates.Pipe, 3.25);
            MemoryKeyValueStore kv;
            templates.Save(kv);
            QVERIFY(kv.ReadBinary(ZTemplateSet::Section, "PipeExtraLength"));
            ZTemplateSet read;
            read.Load(kv);
            QCOMPARE(ExtraGet(read.Pipe), 3.25);
            std::unique_ptr<ZNetObject> made(read.Pipe.Clone());
            QCOMPARE(ExtraGet(*made), 3.25);
            CPipePropertyDlg templateDlg(PropertyForm::TemplateMode, {&read.Pipe}, settings.Units(), prompt);
            QVERIFY(EditOf(&templateDlg, "PipeExtraLength"));
            QCOMPARE(EditOf(&templateDlg, "PipeExtraLength")->text(),
                     QString::fromStdString(settings.Units().Leng().FormatFixed(3.25)));
        }
        // Gone with its entry.
        CPipePropertyDlg dlg(PropertyForm::EditMode, {p23}, settings.Units(), prompt);
        QVERIFY(!EditOf(&dlg, "PipeExtraLength"));
        QCOMPARE(ZGridColumns::ColumnCount(ZGridColumns::PipeTab), 16);
        QCOMPARE(ZParamCalculator::ParamCount(), 5);
    }

    // Each field a dialog edits, changed alone through the program's editor, is one step that
    // undo takes back and redo brings again; the test's own field too.
    void everyEditedFieldUndoes()
    {
        ZFieldTable::Added added(ZNetObject::Kind::Pipe, kExtra);
        PropertyTestNet t;
        CPropertyEditor editor(settings, prompt);
        const std::pair<ZNetObject::Kind, ZNetObject*> objects[] = {{ZNetObject::Kind::Node, t.N("2")},
                                                                    {ZNetObject::Kind::Pipe, t.P("23")},
                                                                    {ZNetObject::Kind::Pump, t.Pump()},
                                                                    {ZNetObject::Kind::Valve, t.Valve()},
                                                                    {ZNetObject::Kind::Tank, t.Tank()}};
        int checked = 0;
        for (const auto& [kind, obj] : objects) {
            for (const ZField& f : ZFieldTable::Of(kind)) {
                if (f.group == ZField::Nowhere || f.type == ZField::Text || !f.IsInput())
                    continue;
                if (f.IsChoice() && QString::fromUtf8(f.items).count(QLatin1Char('\n')) == 0)
                    continue;   // a list of one
                PrepareKind(obj, f.key);
                const double before = f.get(*obj);
                bool acted = false;
                OnNextModal([&](QWidget* w) {
                    const QString key = QString::fromLatin1(f.key);
                    if (auto* e = w->findChild<QLineEdit*>(key)) {
                        Retype(e, NewText(f, e->text()));
                        acted = true;
                    } else if (auto* c = w->findChild<QComboBox*>(key)) {
                        c->setCurrentIndex(c->currentIndex() == 1 ? 0 : 1);
                        // The coefficient's range follows the formula.
                        if (key == QLatin1String("PipeType"))
                            Retype(EditOf(w, "PipeRougCeof"), QStringLiteral("0.013"));
                        acted = true;
                    } else if (auto* d = w->findChild<QDateEdit*>(key)) {
                        d->setDate(d->date().addDays(100));
                        acted = true;
                    } else if (auto* b = w->findChild<QCheckBox*>(key)) {
                        b->setCheckState(b->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
                        acted = true;
                    }
                    ClickOk(w);
                    if (w->isVisible())   // refused: say which
                        ClickButton(w, QDialogButtonBox::Cancel);
                });
                QVERIFY2(editor.EditObjects(nullptr, t.doc, {obj}), (f.key + (" " + prompt.Last())).c_str());
                QVERIFY2(acted, f.key);
                const double after = f.get(*obj);
                QVERIFY2(after != before, f.key);
                QVERIFY2(t.doc.Undo(), f.key);
                QVERIFY2(f.get(*obj) == before, f.key);
                QVERIFY2(t.doc.Redo(), f.key);
                QVERIFY2(f.get(*obj) == after, f.key);
                ++checked;
            }
        }
        // Every typed field, list, date and check of the five dialogs, and the test's field.
        QCOMPARE(checked, 42);
        QCOMPARE(prompt.shown.size(), size_t(0));
    }
};

QTEST_MAIN(TestFieldEntry)
#include "test_FieldEntry.moc"
