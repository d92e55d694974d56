#include "gis/GisError.h"
#include "gis/ZGisElevations.h"
#include "model/ZConsumeNode.h"
#include "model/ZDocument.h"

#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <vector>

namespace {
// A 20 x 10 raster of 10 m cells from (1000, 2000) down, pixel centre values z(x, y); -1 no-data.
std::string Raster(const char* name, double (*z)(double, double), bool withCrs = true, int holeCol = -1)
{
    GDALAllRegister();
    const std::string path = std::string("/vsimem/gis-test/") + name + ".tif";
    GDALDataset* ds =
        GetGDALDriverManager()->GetDriverByName("GTiff")->Create(path.c_str(), 20, 10, 1, GDT_Float64, nullptr);
    double gt[6] = {1000.0, 10.0, 0.0, 2000.0, 0.0, -10.0};
    ds->SetGeoTransform(gt);
    if (withCrs) {
        OGRSpatialReference srs;
        srs.importFromEPSG(32650);
        ds->SetSpatialRef(&srs);
    }
    std::vector<double> v(200);
    for (int j = 0; j < 10; ++j)
        for (int i = 0; i < 20; ++i)
            v[j * 20 + i] = i == holeCol ? -1.0 : z(1005.0 + 10 * i, 1995.0 - 10 * j);
    GDALRasterBand* b = ds->GetRasterBand(1);
    b->SetNoDataValue(-1.0);
    EXPECT_EQ(b->RasterIO(GF_Write, 0, 0, 20, 10, v.data(), 20, 10, GDT_Float64, 0, 0), CE_None);
    GDALClose(ds);
    return path;
}

double Surface(double x, double y)
{
    return 30.0 + 0.05 * (x - 1000) - 0.02 * (2000 - y) + 3e-4 * (x - 1000) * (2000 - y);
}

ZConsumeNode* Node(ZDocument& doc, const char* id, double x, double y, double elev = 0.0)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    n->NodeGrunElev = elev;
    doc.GetNetwork().AddNode(n);
    return n;
}
}   // namespace

// Bilinear between pixel centres reproduces a bilinear surface; the outer half pixel takes the
// edge; outside and no-data are listed and unchanged; one undoable step.
TEST(ZGisElevations, BilinearSurfaceOutsideAndNoData)
{
    ZDocument doc;
    ZConsumeNode* a = Node(doc, "A", 1033.3, 1961.7);
    ZConsumeNode* b = Node(doc, "B", 1187.9, 1912.4);
    ZConsumeNode* edge = Node(doc, "E", 1002.0, 1998.0);   // beyond the first centre: its value
    ZConsumeNode* out = Node(doc, "O", 999.0, 1950.0, 7.0);
    ZConsumeNode* hole = Node(doc, "H", 1100.0, 1950.0, 8.0);   // between columns 9 and 10
    const std::string tif = Raster("surface", &Surface, true, 9);
    const ZGisElevations::Report r = ZGisElevations::Run(tif, doc, {});
    EXPECT_NEAR(a->NodeGrunElev, Surface(1033.3, 1961.7), 1e-9);
    EXPECT_NEAR(b->NodeGrunElev, Surface(1187.9, 1912.4), 1e-9);
    EXPECT_NEAR(edge->NodeGrunElev, Surface(1005.0, 1995.0), 1e-9);
    EXPECT_EQ(out->NodeGrunElev, 7.0);
    EXPECT_EQ(hole->NodeGrunElev, 8.0);
    EXPECT_EQ(r.changed, 3);
    EXPECT_EQ(r.outside, std::vector<std::string>{"O"});
    EXPECT_EQ(r.noData, std::vector<std::string>{"H"});
    ASSERT_EQ(doc.History().UndoCount(), 1);
    EXPECT_EQ(doc.History().UndoText(), "从地形取高程");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(a->NodeGrunElev, 0.0);

    // Only the missing ones: the node with an elevation keeps it.
    ZGisElevations::Options o;
    o.onlyMissing = true;
    a->NodeGrunElev = 5.0;
    const ZGisElevations::Report m = ZGisElevations::Run(tif, doc, o);
    EXPECT_EQ(a->NodeGrunElev, 5.0);
    EXPECT_NEAR(b->NodeGrunElev, Surface(1187.9, 1912.4), 1e-9);
    EXPECT_EQ(m.skipped, 3);
}

// A raster without a system, and a file that is no raster, are refused naming the file.
TEST(ZGisElevations, RefusedRasters)
{
    ZDocument doc;
    Node(doc, "A", 1050, 1950);
    const std::string bare = Raster("bare", &Surface, false);
    try {
        ZGisElevations::Run(bare, doc, {});
        ADD_FAILURE() << "a raster without a coordinate system was used";
    } catch (const GisError& e) {
        EXPECT_EQ(std::string(e.what()), bare + ": the raster has no coordinate system");
    }
    EXPECT_THROW(ZGisElevations::Run("/vsimem/gis-test/none.tif", doc, {}), GisError);
    try {
        ZGisElevations::Run("/dev/zero", doc, {});
        ADD_FAILURE() << "a device was read as a raster";
    } catch (const GisError& e) {
        EXPECT_EQ(std::string(e.what()), "/dev/zero: a device, not a file GDAL can read");
    }
    EXPECT_EQ(doc.History().UndoCount(), 0);
}
