// Node squares written into image pixels must be exactly what the painter draws for them, also
// where they overlap, cross the clip or leave the image.
#include "views/SquareBlitter.h"

#include <QPainter>
#include <QtTest>

#include <random>
#include <vector>

namespace {
QPen CosmeticPen(const QColor& c, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(c, 1, style, Qt::SquareCap, Qt::MiterJoin);
    p.setCosmetic(true);
    return p;
}

std::vector<QRectF> RandomSquares(std::mt19937& rng, int count, int area)
{
    std::vector<QRectF> r;
    for (int i = 0; i < count; ++i) {
        const int l = static_cast<int>(rng() % static_cast<unsigned>(area + 16)) - 8;
        const int t = static_cast<int>(rng() % static_cast<unsigned>(area + 16)) - 8;
        r.emplace_back(l, t, static_cast<int>(rng() % 9), static_cast<int>(rng() % 9));
    }
    return r;
}
}   // namespace

class TestSquareBlitter : public QObject {
    Q_OBJECT
private slots:
    void MatchesThePainter_data()
    {
        QTest::addColumn<bool>("clipped");
        QTest::addColumn<int>("format");
        QTest::newRow("whole image") << false << int(QImage::Format_ARGB32_Premultiplied);
        QTest::newRow("clip rectangle") << true << int(QImage::Format_ARGB32_Premultiplied);
        QTest::newRow("rgb32, clip rectangle") << true << int(QImage::Format_RGB32);
    }

    void MatchesThePainter()
    {
        QFETCH(bool, clipped);
        QFETCH(int, format);
        std::mt19937 rng(7);
        const QPen pen = CosmeticPen(QColor(200, 30, 40));
        const QBrush brush(QColor(20, 220, 90));
        QVERIFY(SquareBlitter::Handles(pen, brush));
        for (int trial = 0; trial < 60; ++trial) {
            const std::vector<QRectF> squares = RandomSquares(rng, 1 + trial * 5, 64);
            const QRect clip(static_cast<int>(rng() % 20), static_cast<int>(rng() % 20), 30, 25);
            QImage expected(64, 64, static_cast<QImage::Format>(format));
            expected.fill(QColor(250, 250, 245));
            QImage actual = expected.copy();
            {
                QPainter p(&expected);
                if (clipped)
                    p.setClipRect(clip);
                p.setPen(pen);
                p.setBrush(brush);
                p.drawRects(squares.data(), static_cast<int>(squares.size()));
            }
            {
                QPainter p(&actual);
                if (clipped)
                    p.setClipRect(clip);
                p.setPen(pen);
                p.setBrush(brush);
                SquareBlitter b;
                QVERIFY(b.Attach(p));
                b.Draw(p, squares.data(), static_cast<int>(squares.size()), pen, brush);
                // The painter keeps its pen and brush for what follows.
                QCOMPARE(p.pen(), pen);
                QCOMPARE(p.brush(), brush);
            }
            QCOMPARE(actual, expected);
        }
    }

    void LeavesOtherTargetsToThePainter()
    {
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        SquareBlitter b;
        {
            QPainter p(&image);
            p.scale(2.0, 2.0);
            QVERIFY(!b.Attach(p));
        }
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing, true);
            QVERIFY(!b.Attach(p));
        }
        {
            QPainter p(&image);
            p.setClipRegion(QRegion(0, 0, 4, 4) + QRegion(10, 10, 4, 4));
            QVERIFY(!b.Attach(p));
        }
        QImage indexed(32, 32, QImage::Format_RGB16);
        {
            QPainter p(&indexed);
            QVERIFY(!b.Attach(p));
        }
        QVERIFY(!SquareBlitter::Handles(CosmeticPen(Qt::red, Qt::DotLine), QBrush(Qt::green)));
        QVERIFY(!SquareBlitter::Handles(CosmeticPen(QColor(255, 0, 0, 128)), QBrush(Qt::green)));
        QVERIFY(!SquareBlitter::Handles(QPen(Qt::red, 2), QBrush(Qt::green)));
    }
};

QTEST_MAIN(TestSquareBlitter)
#include "test_SquareBlitter.moc"
