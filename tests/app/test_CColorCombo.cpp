#include "ModalHelper.h"
#include "app/dialogs/CColorCombo.h"

#include <QColorDialog>
#include <QSignalSpy>
#include <QtTest>

class TestCColorCombo : public QObject {
    Q_OBJECT
private slots:
    void listsElevenColoursAndOther()
    {
        CColorCombo combo;
        QCOMPARE(combo.count(), 12);
        const QStringList names =
            QStringLiteral("红色\n黄色\n绿色\n蓝色\n青色\n粉红色\n棕色\n银色\n暗灰色\n白色\n黑色\n其它颜色...")
                .split(QLatin1Char('\n'));
        for (int i = 0; i < 12; ++i)
            QCOMPARE(combo.itemText(i), names[i]);
        const QList<QColor> colors = {{255, 0, 0},     {255, 255, 0},   {0, 255, 0},   {0, 0, 255},
                                      {0, 255, 255},   {255, 0, 255},   {255, 128, 0}, {192, 192, 192},
                                      {128, 128, 128}, {255, 255, 255}, {0, 0, 0}};
        for (int i = 0; i < CColorCombo::StandardCount; ++i) {
            QCOMPARE(CColorCombo::StandardColor(i), colors[i]);
            // Each entry draws its swatch: the icon's centre pixel is the colour.
            const QImage img = combo.itemIcon(i).pixmap(combo.iconSize()).toImage();
            QCOMPARE(QColor(img.pixel(img.width() / 2, img.height() / 2)), colors[i]);
        }
    }

    void standardColourSelectsItsEntry()
    {
        CColorCombo combo;
        combo.SetColorRef(0x0080FF);   // r 255, g 128, b 0: brown
        QCOMPARE(combo.currentText(), QStringLiteral("棕色"));
        QCOMPARE(combo.Color(), QColor(255, 128, 0));
        QCOMPARE(combo.ColorRef(), 0x0080FFu);
        QCOMPARE(combo.count(), 12);
    }

    void colourOutsideTheListShowsRgbEntry()
    {
        CColorCombo combo;
        combo.SetColorRef(CColorCombo::ToColorRef(QColor(125, 125, 125)));
        QCOMPARE(combo.currentText(), QStringLiteral("RGB(125,125,125)"));
        QCOMPARE(combo.count(), 13);
        QCOMPARE(combo.itemText(12), QStringLiteral("其它颜色..."));
        // Another unlisted colour replaces the entry; a listed one removes it.
        combo.SetColor(QColor(1, 2, 3));
        QCOMPARE(combo.currentText(), QStringLiteral("RGB(1,2,3)"));
        QCOMPARE(combo.count(), 13);
        combo.SetColor(Qt::white);
        QCOMPARE(combo.currentText(), QStringLiteral("白色"));
        QCOMPARE(combo.count(), 12);
    }

    void choosingAnEntryByKeyboardChangesTheColour()
    {
        CColorCombo combo;
        combo.SetColor(Qt::red);
        QSignalSpy spy(&combo, &CColorCombo::colorChanged);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_Down);   // yellow
        QCOMPARE(combo.Color(), QColor(255, 255, 0));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QColor>(), QColor(255, 255, 0));
    }

    void otherColoursAsksForOneAndCancelKeepsTheOld()
    {
        CColorCombo combo;
        combo.SetColor(Qt::blue);
        QColor offered;
        QColor answer(10, 20, 30);
        combo.PickColor = [&](QWidget*, const QColor& current) {
            offered = current;
            return answer;
        };
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_End);
        QCOMPARE(offered, QColor(0, 0, 255));
        QCOMPARE(combo.Color(), answer);
        QCOMPARE(combo.currentText(), QStringLiteral("RGB(10,20,30)"));

        answer = QColor();   // cancelled
        QTest::keyClick(&combo, Qt::Key_End);
        QCOMPARE(combo.Color(), QColor(10, 20, 30));
        QCOMPARE(combo.currentText(), QStringLiteral("RGB(10,20,30)"));
    }

    void realColourDialogIsOpenedByDefault()
    {
        CColorCombo combo;
        combo.SetColor(Qt::green);
        bool sawDialog = false;
        OnNextModal([&](QWidget* w) {
            sawDialog = qobject_cast<QColorDialog*>(w) != nullptr;
            if (auto* d = qobject_cast<QColorDialog*>(w)) {
                d->setCurrentColor(QColor(7, 8, 9));
                d->accept();
            }
        });
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_End);
        QVERIFY(sawDialog);
        QCOMPARE(combo.Color(), QColor(7, 8, 9));
    }
};

QTEST_MAIN(TestCColorCombo)
#include "test_CColorCombo.moc"
