#pragma once
#include "app/dialogs/CCurvePointsTable.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QTest>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <string>
#include <vector>

// A small network for the property dialog tests: four nodes "1".."4" on a 100 m square, pipes
// "12" (with a bend point), "23", "34", and a pump "P" (nodes "5" -> "6"), a valve "V"
// ("7" -> "8") and a tank "T" (outlet "9", hidden inside "9i").
struct PropertyTestNet {
    ZDocument doc;
    ZNetwork& net = doc.GetNetwork();

    PropertyTestNet()
    {
        Node("1", 0, 0, 10.0);
        Node("2", 100, 0, 11.0);
        Node("3", 100, 100, 12.0);
        Node("4", 0, 100, 12.0);
        auto* p12 = Pipe("12", "1", "2");
        p12->SetVertices({{50.0, -50.0}});
        p12->UpdateAutoLength();
        Pipe("23", "2", "3");
        Pipe("34", "3", "4");
        Node("5", 200, 0);
        Node("6", 200, 0);
        Node("7", 300, 0);
        Node("8", 300, 0);
        Node("9", 400, 0);
        Node("9i", 400, 0);
        Link("P", "5", "6", new ZPumpLink);
        Link("V", "7", "8", new ZValveLink);
        Link("T", "9", "9i", new ZTankLink);
    }

    ZConsumeNode* Node(const std::string& id, double x, double y, double elev = 0.0)
    {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
        n->X = x;
        n->Y = y;
        n->NodeGrunElev = elev;
        net.AddNode(n);
        return n;
    }
    ZPipeLink* Pipe(const std::string& id, const std::string& a, const std::string& b)
    {
        auto* p = new ZPipeLink;
        p->SetId(GbkView(id));
        net.AddLink(net.FindNode(GbkView(a)), net.FindNode(GbkView(b)), p);
        p->UpdateAutoLength();
        return p;
    }
    void Link(const std::string& id, const std::string& a, const std::string& b, ZFlowLink* l)
    {
        l->SetId(GbkView(id));
        net.AddLink(net.FindNode(GbkView(a)), net.FindNode(GbkView(b)), l);
    }

    ZConsumeNode* N(const char* id) const { return net.FindNode(GbkView(id)); }
    ZPipeLink* P(const char* id) const { return static_cast<ZPipeLink*>(net.FindLink(GbkView(id))); }
    ZPumpLink* Pump() const { return static_cast<ZPumpLink*>(net.FindLink("P")); }
    ZValveLink* Valve() const { return static_cast<ZValveLink*>(net.FindLink("V")); }
    ZTankLink* Tank() const { return static_cast<ZTankLink*>(net.FindLink("T")); }
};

inline QLineEdit* EditOf(QWidget* dlg, const char* name)
{
    return dlg->findChild<QLineEdit*>(QString::fromLatin1(name));
}
inline QComboBox* ComboOf(QWidget* dlg, const char* name)
{
    return dlg->findChild<QComboBox*>(QString::fromLatin1(name));
}
inline QCheckBox* CheckOf(QWidget* dlg, const char* name)
{
    return dlg->findChild<QCheckBox*>(QString::fromLatin1(name));
}
inline QPushButton* ButtonOf(QWidget* dlg, const char* name)
{
    return dlg->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Replaces a field's text as a user would: select all, type.
inline void Retype(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    // One key event a character, with its text: keyClicks knows only ASCII.
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline void ClickButton(QWidget* dlg, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}
inline void ClickOk(QWidget* dlg)
{
    ClickButton(dlg, QDialogButtonBox::Ok);
}

// Types a curve into a points table through its buttons and cells.
inline void TypePoints(CCurvePointsTable* table, const std::vector<std::pair<QString, QString>>& points)
{
    while (table->Table()->rowCount() > 0)
        QTest::mouseClick(table->findChild<QPushButton*>(QStringLiteral("removePoint")), Qt::LeftButton);
    for (const auto& [q, h] : points) {
        QTest::mouseClick(table->findChild<QPushButton*>(QStringLiteral("addPoint")), Qt::LeftButton);
        const int row = table->Table()->currentRow();
        table->Table()->item(row, 0)->setText(q);
        table->Table()->item(row, 1)->setText(h);
    }
}
