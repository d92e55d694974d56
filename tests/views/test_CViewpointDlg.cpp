// The viewpoint dialog: fields and sliders kept together, the -180..180 range.
#include "views/CViewpointDlg.h"

#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

class TestCViewpointDlg : public QObject {
    Q_OBJECT
private slots:
    void fieldsAndSliders()
    {
        CViewpointDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("观察点参数"));
        dlg.SetAngles(-30.7, 15.2, 0.0);
        QCOMPARE(dlg.AngleX(), -30);
        QCOMPARE(dlg.AngleY(), 15);
        QCOMPARE(dlg.Slider(0)->value(), 150);
        QCOMPARE(dlg.Slider(1)->value(), 195);
        QCOMPARE(dlg.Slider(2)->value(), 180);
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(dlg.Slider(axis)->minimum(), 0);
            QCOMPARE(dlg.Slider(axis)->maximum(), 360);
            QCOMPARE(dlg.Slider(axis)->singleStep(), 5);
            QCOMPARE(dlg.Slider(axis)->pageStep(), 10);
        }
        // Moving a slider writes its position - 180 into the field.
        dlg.Slider(2)->setValue(270);
        QCOMPARE(dlg.AngleZ(), 90);
        QTest::keyClick(dlg.Slider(2), Qt::Key_PageUp);
        QCOMPARE(dlg.AngleZ(), 100);
    }

    void outOfRangeIsRefused()
    {
        CViewpointDlg dlg;
        dlg.show();
        QSpinBox* x = dlg.Field(0);
        QLineEdit* edit = x->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, "200");
        QTest::keyClick(edit, Qt::Key_Enter);
        QVERIFY(dlg.AngleX() != 200);
        QVERIFY(dlg.AngleX() >= -180 && dlg.AngleX() <= 180);
        edit->selectAll();
        QTest::keyClicks(edit, "-120");
        x->interpretText();
        QCOMPARE(dlg.AngleX(), -120);
        QCOMPARE(dlg.Slider(0)->value(), 60);
    }
};

QTEST_MAIN(TestCViewpointDlg)
#include "test_CViewpointDlg.moc"
