// The three-dimensional model: scaling, normals, colours, the flat cases and pipes at ground level.
#include "ViewTestNetworks.h"

#include "model/ZColorSettings.h"
#include "views/ZModuleSurface.h"

#include <QtTest>

#include <cmath>

namespace {
constexpr uint32_t kLow = ZColorSettings::Rgb(0, 255, 0);
constexpr uint32_t kHigh = ZColorSettings::Rgb(255, 0, 0);

// Values rising along x from `a` at the left to `b` at the right.
std::vector<double> RampX(int rows, int cols, double a, double b)
{
    std::vector<double> v;
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= cols; ++c)
            v.push_back(a + (b - a) * c / cols);
    return v;
}
}   // namespace

class TestZModuleSurface : public QObject {
    Q_OBJECT
private slots:
    void heightsScaleToTheShorterSide()
    {
        ZModuleSurface s;
        s.Build({0, 0, 1000, 500}, 10, 20, RampX(10, 20, 10, 20), kLow, kHigh);
        QVERIFY(!s.IsFlat());
        // 0.8 x 500 over a rise of 10: 40 per unit of head.
        QCOMPARE(s.Height(), 400.0);
        QCOMPARE(s.Width(), 1000.0);
        QCOMPARE(s.Depth(), 500.0);
        QCOMPARE(s.Low(), 10.0);
        QCOMPARE(s.High(), 20.0);
        QCOMPARE(s.HeightAt(3, 0), 0.0);
        QCOMPARE(s.HeightAt(3, 10), 200.0);
        QCOMPARE(s.HeightAt(3, 20), 400.0);
        QCOMPARE(s.Diagonal(), std::sqrt(1000.0 * 1000 + 500 * 500 + 400 * 400));
        // Positions are centred on the network's middle.
        QCOMPARE(s.Positions()[0], -500.0f);
        QCOMPARE(s.Positions()[1], -250.0f);
        QCOMPARE(s.CentreX(), 500.0);
        // The plane z = 0.4 (x - x0): normal along (-0.4, 0, 1), also in the last row and column.
        const double n = std::sqrt(1.16);
        for (size_t i : {size_t(0), size_t(s.Normals().size() / 3 - 1)}) {
            QVERIFY(std::fabs(s.Normals()[i * 3] + 0.4 / n) < 1e-6);
            QVERIFY(std::fabs(s.Normals()[i * 3 + 1]) < 1e-6);
            QVERIFY(std::fabs(s.Normals()[i * 3 + 2] - 1.0 / n) < 1e-6);
        }
        // Colours run from the low colour at the bottom to the high one at the top.
        const auto& col = s.Colours();
        QCOMPARE(col[0], 0.0f);
        QCOMPARE(col[1], 1.0f);
        const size_t mid = 10 * 3;
        QVERIFY(std::fabs(col[mid] - 0.5f) < 1e-6 && std::fabs(col[mid + 1] - 0.5f) < 1e-6);
        const size_t top = 20 * 3;
        QCOMPARE(col[top], 1.0f);
        QCOMPARE(col[top + 1], 0.0f);
        // One strip per row, each going up and down the row's columns.
        QCOMPARE(int(s.StripIndices().size()), 10 * 21 * 2);
        QCOMPARE(s.StripIndices()[0], 21u);
        QCOMPARE(s.StripIndices()[1], 0u);
    }

    void equalHeightsLieFlat()
    {
        ZModuleSurface s;
        s.Build({0, 0, 100, 100}, 4, 4, std::vector<double>(25, 42.0), kLow, kHigh);
        QVERIFY(s.IsFlat());
        QCOMPARE(s.Height(), 0.0);
        QCOMPARE(s.Low(), 42.0);
        for (size_t i = 0; i < 25; ++i) {
            QCOMPARE(s.Positions()[i * 3 + 2], 0.0f);
            QCOMPARE(s.Normals()[i * 3 + 2], 1.0f);
            QCOMPARE(s.Colours()[i * 3 + 1], 1.0f);
            QVERIFY(std::isfinite(s.Colours()[i * 3]));
        }
        QCOMPARE(s.Diagonal(), std::sqrt(2.0) * 100);
    }

    void noExtentLiesFlatOnASquare()
    {
        ZModuleSurface s;
        // A straight east-west network: heights differ but the depth is zero.
        s.Build({0, 5, 200, 5}, 4, 4, RampX(4, 4, 0, 10), kLow, kHigh);
        QVERIFY(s.IsFlat());
        QCOMPARE(s.Width(), 200.0);
        QCOMPARE(s.Depth(), 200.0);
        QCOMPARE(s.Height(), 0.0);
        // A single point, or nothing: a 2 m square.
        ZModuleSurface point;
        point.Build({7, 7, 7, 7}, 2, 2, {}, kLow, kHigh);
        QVERIFY(point.IsFlat());
        QCOMPARE(point.Width(), 2.0);
        QVERIFY(std::isfinite(point.Diagonal()) && point.Diagonal() > 0.0);
    }

    void nonFiniteValuesAreLeftOut()
    {
        ZModuleSurface s;
        std::vector<double> v = RampX(2, 2, 0, 10);
        v[4] = std::nan("");
        v[5] = HUGE_VAL;
        s.Build({0, 0, 100, 100}, 2, 2, v, kLow, kHigh);
        QCOMPARE(s.High(), 10.0);
        for (float f : s.Positions())
            QVERIFY(std::isfinite(f));
        for (float f : s.Normals())
            QVERIFY(std::isfinite(f));
    }

    void pipesRunAtGroundElevation()
    {
        ZDocument doc;
        using namespace ViewTestNetworks;
        ZConsumeNode* a = AddNode(doc, "A", 0, 0);
        ZConsumeNode* b = AddNode(doc, "B", 300, 400);
        a->NodeGrunElev = 10.0;
        b->NodeGrunElev = 30.0;
        ZPipeLink* p = AddPipe(doc, "P", a, b);
        p->SetVertices({PipePoint{300, 0}});   // 300 m east, then 400 m north
        ZModuleSurface s;
        s.Build({0, 0, 300, 400}, 2, 2, RampX(2, 2, 0, 1), kLow, kHigh);
        s.BuildPipes(doc.GetNetwork());
        const auto& l = s.PipeLines();
        QCOMPARE(int(l.size()), 12);
        // Relative to the centre (150, 200); the bend is 3/7 of the way along.
        QCOMPARE(l[0], -150.0f);
        QCOMPARE(l[1], -200.0f);
        QCOMPARE(l[2], 10.0f);
        QCOMPARE(l[3], 150.0f);
        QVERIFY(std::fabs(l[5] - (10.0 + 20.0 * 3.0 / 7.0)) < 1e-5);
        QCOMPARE(l[8], l[5]);
        QCOMPARE(l[11], 30.0f);
    }
};

QTEST_MAIN(TestZModuleSurface)
#include "test_ZModuleSurface.moc"
