#include "gis/GisError.h"
#include "gis/ZGisImport.h"
#include "model/GbkCodec.h"
#include "model/ZConsumeNode.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZPipeLink.h"
#include "model/ZTemplateSet.h"

#include <cpl_vsi.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace {
// A GeoJSON file in GDAL's memory, in UTM 50N unless told otherwise.
std::string Source(const std::string& name, const std::string& features, const char* crs = "EPSG::32650")
{
    const std::string path = "/vsimem/gis-test/" + name + ".geojson";
    std::string text = "{\"type\":\"FeatureCollection\",";
    if (crs)
        text += std::string("\"crs\":{\"type\":\"name\",\"properties\":{\"name\":\"urn:ogc:def:crs:") + crs + "\"}},";
    text += "\"features\":[" + features + "]}";
    VSILFILE* f = VSIFOpenL(path.c_str(), "wb");
    VSIFWriteL(text.data(), 1, text.size(), f);
    VSIFCloseL(f);
    return path;
}

std::string Line(const std::string& props, const std::string& coords, const char* type = "LineString")
{
    return "{\"type\":\"Feature\",\"properties\":{" + props + "},\"geometry\":{\"type\":\"" + type +
           "\",\"coordinates\":" + coords + "}}";
}

std::string Point(const std::string& props, double x, double y)
{
    return "{\"type\":\"Feature\",\"properties\":{" + props + "},\"geometry\":{\"type\":\"Point\",\"coordinates\":[" +
           std::to_string(x) + "," + std::to_string(y) + "]}}";
}

ZPipeLink* Pipe(ZDocument& doc, const char* id)
{
    return static_cast<ZPipeLink*>(doc.GetNetwork().FindLink(GbkView(id)));
}

std::string Refusal(ZDocument& doc, const std::string& source, const ZGisImport::Options& o = {})
{
    const ZTemplateSet templates;
    try {
        ZGisImport::Run(source, doc, templates, o);
    } catch (const GisError& e) {
        return e.what();
    }
    return "accepted";
}
}   // namespace

// Multi-lines become one pipe a part, inner vertices bend points; the utility's names and units are
// taken (DN in mm, C as text), ends within the tolerance share a node, points name their node.
TEST(ZGisImport, PipesNodesAndAttributes)
{
    const std::string src = Source("mains", Line("\"ID\":\"M1\",\"DN\":200,\"C\":\"110\",\"LENGTH\":250",
                                                 "[[[0,0],[50,10],[100,0]],[[100.3,0],[200,0]]]", "MultiLineString") +
                                                "," + Line("\"ID\":\"M2\",\"DN\":150", "[[200.2,0.1],[200,100]]") +
                                                "," + Point("\"ID\":\"J1\",\"ELEV\":12.5,\"DEMAND\":3", 0, 0) + "," +
                                                Point("\"ID\":\"R\",\"HEAD\":60", 200, 100));
    ZDocument doc;
    const ZTemplateSet templates;
    ZGisImport::Options o;
    o.tolerance = 0.5;
    const ZGisImport::Report r = ZGisImport::Run(src, doc, templates, o);
    EXPECT_EQ(r.pipesAdded, 3);
    EXPECT_EQ(r.nodesAdded, 4);
    EXPECT_EQ(r.pointsJoined, 2);
    EXPECT_EQ(r.crs.substr(0, 10), "EPSG:32650");

    ZPipeLink* a = Pipe(doc, "M1");
    ZPipeLink* b = Pipe(doc, "M1_2");
    ZPipeLink* c = Pipe(doc, "M2");
    ASSERT_TRUE(a && b && c);
    ASSERT_EQ(a->Vertices().size(), 1u);
    EXPECT_DOUBLE_EQ(a->Vertices()[0].x, 50.0);
    EXPECT_DOUBLE_EQ(a->PipeDiam, 0.2);
    EXPECT_DOUBLE_EQ(a->PipeInDiam, 0.2);   // follows DN when no inner diameter is given
    EXPECT_DOUBLE_EQ(a->PipeRougCeof, 110.0);
    // The feature's length shared by its parts as they run between their nodes (101.98 and 100 m).
    EXPECT_NEAR(a->PipeLength + b->PipeLength, 250.0, 1e-9);
    EXPECT_NEAR(a->PipeLength / b->PipeLength, (2 * std::hypot(50.0, 10.0)) / 100.0, 1e-9);
    EXPECT_FALSE(a->IsAutoLength());
    EXPECT_EQ(a->EndNode(), b->StartNode());   // 0.3 m apart, within the tolerance
    EXPECT_EQ(b->EndNode(), c->StartNode());
    EXPECT_NEAR(c->PipeLength, 100.0, 1e-9);   // no LENGTH: node to node

    const auto* j1 = static_cast<const ZConsumeNode*>(a->StartNode());
    EXPECT_STREQ(j1->GetId(), "J1");
    EXPECT_DOUBLE_EQ(j1->NodeGrunElev, 12.5);
    EXPECT_DOUBLE_EQ(j1->NodeFlow, 0.003);
    EXPECT_FALSE(j1->IsHeadKnown());
    const auto* res = static_cast<const ZConsumeNode*>(c->EndNode());
    EXPECT_STREQ(res->GetId(), "R");
    EXPECT_TRUE(res->IsHeadKnown());
    EXPECT_DOUBLE_EQ(res->NodeHydrElev, 60.0);
    EXPECT_NE(doc.GetCrs().find("32650"), std::string::npos);
}

// The user's choice wins over the common names; a chosen attribute the layer lacks is named.
TEST(ZGisImport, MapChoicesBeforeDefaults)
{
    const std::string src = Source("map", Line("\"DN\":100,\"NOMINAL\":300,\"GISID\":\"X7\"", "[[0,0],[10,0]]"));
    ZDocument doc;
    const ZTemplateSet templates;
    ZGisImport::Options o;
    o.map = {GisAttributeMap::Parse("diameter_mm=nominal"), GisAttributeMap::Parse("id=GISID")};
    ZGisImport::Run(src, doc, templates, o);
    ASSERT_NE(Pipe(doc, "X7"), nullptr);
    EXPECT_DOUBLE_EQ(Pipe(doc, "X7")->PipeDiam, 0.3);

    ZDocument other;
    o.map = {GisAttributeMap::Parse("coefficient=CHW")};
    EXPECT_NE(Refusal(other, src, o)
                  .find("no attribute \"CHW\" for --map coefficient=CHW (attributes: DN, NOMINAL, "
                        "GISID)"),
              std::string::npos);
    EXPECT_THROW(GisAttributeMap::Parse("diameter=DN"), GisError);
    EXPECT_THROW(GisAttributeMap::Parse("DN"), GisError);
}

// One undoable step; a refused source leaves the network and its history as they were.
TEST(ZGisImport, OneStepAndNothingHalfImported)
{
    ZDocument doc;
    const ZTemplateSet templates;
    ZGisImport::Run(Source("first", Line("\"ID\":\"P1\"", "[[0,0],[10,0]]")), doc, templates, {});
    ASSERT_EQ(doc.History().UndoCount(), 1);
    EXPECT_EQ(doc.History().UndoText(), "来自GIS数据");

    const std::string bad = Source("bad", Line("\"ID\":\"P2\",\"DN\":200", "[[10,0],[20,0]]") + "," +
                                              Line("\"ID\":\"P3\",\"DN\":\"wide\"", "[[20,0],[30,0]]"));
    EXPECT_NE(Refusal(doc, bad).find("feature 1: attribute \"DN\" (diameter_mm) holds \"wide\", not a number"),
              std::string::npos);
    const std::string dup =
        Source("dup", Line("\"ID\":\"Q\"", "[[10,0],[20,0]]") + "," + Line("\"ID\":\"Q\"", "[[20,0],[30,0]]"));
    EXPECT_NE(Refusal(doc, dup).find("identifier \"Q\" also given by"), std::string::npos);
    const std::string taken = Source("taken", Line("\"ID\":\"P1\"", "[[10,0],[20,0]]"));
    EXPECT_NE(Refusal(doc, taken).find("is a link of the network already"), std::string::npos);
    // A FIFO would keep GDAL waiting for a writer.
    const std::string fifo = (std::filesystem::temp_directory_path() / "qen-gis-test.geojson").string();
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Refusal(doc, fifo), fifo + ": a FIFO, not a file GDAL can read");
    std::filesystem::remove(fifo);
    EXPECT_EQ(doc.GetNetwork().LinkCount(), 1);
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 2);
    EXPECT_EQ(doc.History().UndoCount(), 1);

    // Into the network: the new pipe joins the old end; numbers the layer takes are moved aside.
    ZGisImport::Options o;
    o.tolerance = 0.01;
    ZGisImport::Run(Source("more", Line("\"ID\":\"0\"", "[[10,0],[10,10]]") + "," + Line("", "[[10,10],[0,10]]")), doc,
                    templates, o);
    EXPECT_EQ(doc.GetNetwork().LinkCount(), 3);
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 4);
    EXPECT_EQ(Pipe(doc, "0")->StartNode(), Pipe(doc, "P1")->EndNode());
    EXPECT_EQ(doc.History().UndoCount(), 2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetNetwork().LinkCount(), 1);
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 2);
}

// Degrees are refused unless projected; another system than the network's is refused.
TEST(ZGisImport, CoordinateSystems)
{
    const std::string deg = Source("deg", Line("", "[[117.0,39.0],[117.001,39.0]]"), nullptr);
    ZDocument doc;
    EXPECT_NE(Refusal(doc, deg).find("geographic coordinate system (EPSG:4326"), std::string::npos);
    ZGisImport::Options o;
    o.projectTo = 32650;
    const ZTemplateSet templates;
    ZGisImport::Run(deg, doc, templates, o);
    const ZPipeLink* p = static_cast<const ZPipeLink*>(doc.GetNetwork().LinkAt(0));
    EXPECT_NEAR(p->PipeLength, 86.5, 0.5);   // a thousandth of a degree of longitude at 39°N
    EXPECT_NEAR(static_cast<const ZConsumeNode*>(p->StartNode())->X, 500000.0, 1.0);   // 117°E is the zone's meridian

    const std::string other = Source("other", Line("", "[[500000,4300000],[500100,4300000]]"), "EPSG::32651");
    EXPECT_NE(Refusal(doc, other).find("the network in EPSG:32650"), std::string::npos);
}
