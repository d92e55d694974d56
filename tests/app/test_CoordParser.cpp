#include "CommaLocale.h"

#include "app/frames/CoordParser.h"

#include <QtTest>

class TestCoordParser : public QObject {
    Q_OBJECT
private slots:
    void accepted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("plain") << "12.5,7" << 12.5 << 7.0;
        QTest::newRow("blanks and tabs") << " \t12.5 ,\t 7  " << 12.5 << 7.0;
        QTest::newRow("signs") << "-3.25,+4" << -3.25 << 4.0;
        QTest::newRow("zero with digit 0") << "0,0" << 0.0 << 0.0;
        QTest::newRow("zero as 0.000") << "0.000, 5" << 0.0 << 5.0;
        QTest::newRow("exponent") << "1e3,2.5E-1" << 1000.0 << 0.25;
    }
    void accepted()
    {
        QFETCH(QString, text);
        QFETCH(double, x);
        QFETCH(double, y);
        double px = -1, py = -1;
        QVERIFY(CoordParser::Parse(text, px, py));
        QCOMPARE(px, x);
        QCOMPARE(py, y);
    }
    void acceptedUnderACommaLocale()
    {
        CommaLocale comma;
        if (!comma.Active())
            QSKIP("no comma-decimal locale installed");
        double x = 0, y = 0;
        QVERIFY(CoordParser::Parse(QStringLiteral("12.5,7.25"), x, y));
        QCOMPARE(x, 12.5);
        QCOMPARE(y, 7.25);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("blank separated") << "12 7";
        QTest::newRow("no second number") << "12,";
        QTest::newRow("letters") << "a,b";
        QTest::newRow("no first number") << ",7";
        QTest::newRow("minus zero") << "-0,5";
        QTest::newRow("plus zero") << "+0,5";
        QTest::newRow("dot zero") << ".0,5";
        QTest::newRow("empty") << "";
        QTest::newRow("trailing text") << "1,2,3";
        QTest::newRow("second zero without digit") << "1,-0";
        QTest::newRow("hex") << "0x10,1";
        QTest::newRow("non-latin") << QStringLiteral("１,２");
        QTest::newRow("beyond a double") << "1e999,1";
    }
    void refused()
    {
        QFETCH(QString, text);
        double x = 42, y = 43;
        QVERIFY(!CoordParser::Parse(text, x, y));
        QCOMPARE(x, 42.0);
        QCOMPARE(y, 43.0);
    }

    void allowedCharacters()
    {
        for (QChar c : QStringLiteral("0123456789.,-+"))
            QVERIFY(CoordParser::IsAllowedChar(c));
        for (QChar c : QStringLiteral(" aeE;x*/"))
            QVERIFY(!CoordParser::IsAllowedChar(c));
    }
};

QTEST_GUILESS_MAIN(TestCoordParser)
#include "test_CoordParser.moc"
