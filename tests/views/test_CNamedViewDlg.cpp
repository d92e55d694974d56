// The "定义视图" dialog: adding, updating and deleting named views with their checks.
#include "model/Prompt.h"
#include "views/CNamedViewDlg.h"
#include "views/GbkText.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
struct Recorder : Prompt {
    std::vector<std::string> shown;
    bool AskYesNo(const std::string& t) override
    {
        shown.push_back(t);
        return false;
    }
    void Inform(const std::string& t) override { shown.push_back(t); }
};

void Type(CNamedViewDlg& d, const QString& name, double l, double t, double r, double b)
{
    d.NameEdit()->setText(name);
    const double v[] = {l, t, r, b};
    for (int i = 0; i < 4; ++i)
        d.RectEdit(i)->setText(QString::number(v[i]));
}
}   // namespace

class TestCNamedViewDlg : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheShownRectangleAndTheList()
    {
        std::vector<ZNamedView> views{{GbkView("north"), {0, 0, 10, 10}}, {GbkText::FromQString("南区"), {1, 2, 3, 4}}};
        Recorder p;
        CNamedViewDlg d(views, ViewExtent{-5, 1, 7, 9}, &p);
        QCOMPARE(d.windowTitle(), QStringLiteral("定义视图"));
        QCOMPARE(d.RectEdit(0)->text(), QStringLiteral("-5"));
        QCOMPARE(d.RectEdit(1)->text(), QStringLiteral("9"));
        QCOMPARE(d.RectEdit(2)->text(), QStringLiteral("7"));
        QCOMPARE(d.RectEdit(3)->text(), QStringLiteral("1"));
        QVERIFY(d.NameEdit()->text().isEmpty());
        QCOMPARE(d.List()->count(), 2);
        QCOMPARE(d.List()->item(1)->text(), QStringLiteral("南区"));
        auto* del = d.findChild<QPushButton*>("delete");
        QVERIFY(!del->isEnabled() && !d.findChild<QPushButton*>("update")->isEnabled());
        d.List()->setCurrentRow(1);
        QVERIFY(del->isEnabled());
        QCOMPARE(d.NameEdit()->text(), QStringLiteral("南区"));
        QCOMPARE(d.RectEdit(1)->text(), QStringLiteral("4"));
        QVERIFY(!d.Changed());
    }

    void addNormalisesAndRefusesEmptyOrRepeatedNames()
    {
        std::vector<ZNamedView> views{{GbkView("North"), {0, 0, 10, 10}}};
        Recorder p;
        CNamedViewDlg d(views, ViewExtent{}, &p);
        Type(d, "", 0, 0, 1, 1);
        QVERIFY(!d.Add());
        QCOMPARE(p.shown.back(), std::string("字符串不能为空!"));
        Type(d, "NORTH", 0, 0, 1, 1);
        QVERIFY(!d.Add());
        QCOMPARE(p.shown.back(), std::string("视图名称已经存在!"));
        QVERIFY(!d.Changed());
        QCOMPARE(views.size(), size_t(1));
        Type(d, "east", 500, 0, 100, 300);   // left, top, right, bottom as typed
        QVERIFY(d.Add());
        QCOMPARE(views.size(), size_t(2));
        const ViewExtent& r = views[1].ViewRect;
        QCOMPARE(r.left, 100.0);
        QCOMPARE(r.right, 500.0);
        QCOMPARE(r.bottom, 0.0);
        QCOMPARE(r.top, 300.0);
        QCOMPARE(d.List()->item(1)->text(), QStringLiteral("east"));
        QVERIFY(d.Changed());
        d.RectEdit(2)->setText("x");
        d.NameEdit()->setText("west");
        QVERIFY(!d.Add());
    }

    void updateAndDelete()
    {
        std::vector<ZNamedView> views{{GbkView("a"), {0, 0, 1, 1}}, {GbkView("b"), {0, 0, 2, 2}}};
        Recorder p;
        CNamedViewDlg d(views, ViewExtent{}, &p);
        d.List()->setCurrentRow(0);
        Type(d, "B", 0, 5, 5, 0);
        QVERIFY(!d.Update());       // another view has that name
        Type(d, "A", 0, 5, 5, 0);   // its own name in another case is fine
        QVERIFY(d.Update());
        QCOMPARE(views[0].ViewName.Bytes(), std::string("A"));
        QCOMPARE(views[0].ViewRect.top, 5.0);
        d.List()->setCurrentRow(1);
        d.Delete();
        QCOMPARE(views.size(), size_t(1));
        QCOMPARE(d.List()->count(), 1);
        QVERIFY(!d.findChild<QPushButton*>("delete")->isEnabled());
    }
};

QTEST_MAIN(TestCNamedViewDlg)
#include "test_CNamedViewDlg.moc"
