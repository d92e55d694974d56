#include "Continuity.h"
#include "FormatRoundTrip.h"
#include "ProjectFileTestUtil.h"
#include "model/GbkCodec.h"
#include "model/Prompt.h"
#include "model/UnitSystem.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
#include "model/ZValveLink.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>

namespace {
std::string Save(const ZDocument& doc)
{
    return ProjectFile::Serialize(doc);
}

void Load(const std::string& bytes, ZDocument& doc)
{
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "t.wnp", doc);
}

// The default settings block of a document with five grade colours.
LeBytes DefaultSettings()
{
    LeBytes b;
    auto table = [&](double last) {
        b.W(4);
        for (int k = 0; k < 4; ++k)
            b.F(k * last / 3);
    };
    table(30.0);
    table(0.3);
    table(30.0);
    table(30.0);   // node: elevation, demand, free head, head
    table(0.9);
    table(0.3);
    table(3.0);
    table(0.03);
    table(3.0);   // pipe: diameter, flow, loss, slope, velocity
    b.D(2).D(uint32_t(-1)).F(100.0).F(2.0).F(0.0001).F(0.001).F(0.75);
    b.D(0).D(0).D(0).D(0).D(0).D(0);   // Balanced, spare, spare, grade switches, spare
    b.D(0).D(1).D(3).D(0).D(0).F(0.2);
    return b;
}

LeBytes Header()
{
    LeBytes b;
    b.D(0x00555555).D(0x00020000).Zeros(20).W(104).W(0).D(0).Zeros(68);
    return b;
}

std::string TextOf(const ZDocument& doc)
{
    std::ostringstream out;
    TextExchange::Export(out, doc, UnitSystem());
    return out.str();
}

struct Answer : Prompt {
    bool yes;
    std::string asked;
    explicit Answer(bool y) : yes(y) {}
    bool AskYesNo(const std::string& text) override
    {
        asked = text;
        return yes;
    }
    void Inform(const std::string&) override {}
};
}   // namespace

TEST(ProjectFileGolden, EmptyDocument)
{
    ZDocument doc;
    LeBytes want = Header();
    want.F(0).F(1000).F(0).F(1000);
    want.s += DefaultSettings().s;
    want.W(0).W(0).W(0).W(0);
    EXPECT_EQ(Save(doc), want.s);
}

TEST(ProjectFileGolden, TwoNodesOnePipe)
{
    ZDocument doc;
    ZConsumeNode* n1 = AddNode(doc, "1");
    ZConsumeNode* n2 = AddNode(doc, "2");
    AddLink(doc, "1", n1, n2);
    LeBytes want = Header();
    want.F(0).F(1000).F(0).F(1000);
    want.s += DefaultSettings().s;
    want.W(2);
    want.Class("ZConsumeNode").Head("1", 0x20, 0);            // class 1, node "1" = 2
    want.Class("ZPipeLink").Head("1", 0x20, 0);               // class 3, pipe "1" = 4
    want.W(0x0002);                                           // StartNode
    want.W(0x8001).Head("2", 0x20, 1).W(0x0004).NodeTail();   // EndNode: node "2" = 5 in full
    want.W(0).W(0).PipeTail();                                // NextAtStart, NextAtEnd
    want.NodeTail();                                          // node "1" ends here
    want.W(0x0005);
    want.W(1).W(0x0004);
    want.W(0).W(0);
    EXPECT_EQ(Save(doc), want.s);

    ZDocument back;
    Load(want.s, back);
    ASSERT_EQ(back.GetNetwork().NodeCount(), 2);
    ASSERT_EQ(back.GetNetwork().LinkCount(), 1);
    ZFlowLink* p = back.GetNetwork().LinkAt(0);
    EXPECT_EQ(p->StartNode(), back.GetNetwork().NodeAt(0));
    EXPECT_EQ(p->EndNode(), back.GetNetwork().NodeAt(1));
    EXPECT_EQ(back.GetNetwork().NodeAt(1)->FirstLink(), p);
    EXPECT_EQ(Save(back), want.s);
}

TEST(ProjectFileGolden, VersionOneHasNoHeaderViewsOrBitmap)
{
    ZDocument doc;
    doc.SetFileVersion(ZDocument::Version1);
    doc.GetNamedViews().push_back({GbkView("v"), {0, 0, 1, 1}});
    LeBytes want;
    want.F(0).F(1000).F(0).F(1000);
    want.s += DefaultSettings().s;
    want.W(0).W(0);
    EXPECT_EQ(Save(doc), want.s);

    ZDocument back;
    Load(want.s, back);
    EXPECT_EQ(back.GetFileVersion(), ZDocument::Version1);
    EXPECT_TRUE(back.GetNamedViews().empty());
    EXPECT_EQ(back.GetBkDib(), nullptr);
}

TEST(ProjectFileUpgrade, QuestionDecidesTheLayout)
{
    ZDocument doc;
    doc.SetFileVersion(ZDocument::Version1);
    Answer no(false);
    EXPECT_FALSE(ProjectFile::ConfirmUpgrade(doc, no));
    EXPECT_EQ(no.asked, "当前的WNP文件版本是1.0, 要升级到2.0吗?");
    EXPECT_EQ(doc.GetFileVersion(), ZDocument::Version1);
    Answer yes(true);
    EXPECT_TRUE(ProjectFile::ConfirmUpgrade(doc, yes));
    EXPECT_EQ(doc.GetFileVersion(), ZDocument::HighestVersion);
    Answer again(false);
    EXPECT_TRUE(ProjectFile::ConfirmUpgrade(doc, again));
    EXPECT_EQ(again.asked, "");
    EXPECT_EQ(Save(doc).substr(0, 4), std::string("\x55\x55\x55\x00", 4));
}

TEST(ProjectFileRoundTrip, EveryFieldOfEveryClassAndTheDocumentRecord)
{
    ZDocument doc;
    ZConsumeNode* a = AddNode(doc, GbkCodec::FromUtf8("节点甲").Bytes(), 1.5, 2.5);
    ZConsumeNode* b = AddNode(doc, "B", 1.5, 2.5);
    ZConsumeNode* c = AddNode(doc, "C", 10, 20);
    ZConsumeNode* d = AddNode(doc, "D", 30, 40);
    ZConsumeNode* e = AddNode(doc, "E", 50, 60);
    ZConsumeNode* f = AddNode(doc, "F", 50, 60);
    a->NodeGrunElev = 12.5;
    a->NodeHydrElev = 44.25;
    a->NodeFlow = -0.125;
    a->NodeFireFlow = 0.01;
    a->SetFireNode(true);
    a->SetFlag(qen::FLAG_SELECTED | qen::FLAG_FILTERED);
    auto* pump = AddLink<ZPumpLink>(doc, "U1", a, b);
    pump->SetPumpType(0);
    pump->SetSymbolIndex(3);
    pump->PumpOpen = false;
    pump->PumpStaticH = 32;
    pump->PumpSCoef = 120;
    pump->PumpRatedRotV = 1450;
    pump->PumpOperatedRotV = 1400;
    pump->PumpVacuum = 4;
    pump->PumpEfficiency = 0.8;
    auto* pipe = AddLink(doc, GbkCodec::FromUtf8("管1").Bytes(), b, c);
    pipe->PipeType = 1;
    pipe->PipeParallel = 2;
    pipe->PipeLength = 123.5;
    pipe->PipeInDiam = 0.29;
    pipe->PipeSideType = 1;
    pipe->PipeDate = 946684800;
    pipe->PipeRougCeof = 0.013;
    pipe->PipeDiam = 0.3;
    pipe->SetVertices({{3, 4}, {5, 6}});
    pipe->Flow = -0.02;
    pipe->Resistance = 17.5;
    auto* valve = AddLink<ZValveLink>(doc, "V", c, d);
    valve->SetValveType(2);
    valve->ValveOpen = false;
    valve->ValveHLess = 5;
    valve->ValveSCoef = 2.5;
    auto* pipe2 = AddLink(doc, "P2", d, e);
    pipe2->PipeLength = 10;
    auto* tank = AddLink<ZTankLink>(doc, "T", e, f);
    tank->SetTankType(1);
    tank->TankArea = 100;
    tank->TankCurH = 3;
    tank->TankMinHead = 1;
    tank->TankMaxHead = 5;
    tank->TankBottomElev = 20;
    doc.SetExtents({-5, -6, 700, 800});
    ZDrawSettings& ds = doc.GetDrawSettings();
    ds.Balanced = 1;
    ds.CalcCase = 2;
    ds.Params.AccidentFactor = 0.7;
    ds.SpareWord2 = 77;
    ds.ContourInterval = 0.5;
    ds.PipeFlowGrades = {0.01, 0.02};
    doc.GetNamedViews().push_back({GbkCodec::FromUtf8("全图视图"), {0, 0, 100, 200}});
    doc.GetNamedViews().push_back({GbkString(std::string(300, 'x')), {1, 2, 3, 4}});
    std::vector<uint8_t> bmp(70, 0x11);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[2] = 70;
    bmp[3] = bmp[4] = bmp[5] = 0;
    auto dib = std::make_unique<ZNetBkDib>();
    ASSERT_TRUE(dib->SetBytes(bmp));
    dib->BkLeft = 7;
    dib->BkTop = 8;
    dib->BkWidth = 9;
    dib->BkHeight = 10;
    doc.SetBkDib(std::move(dib));

    const std::string bytes = Save(doc);
    ZDocument back;
    Load(bytes, back);
    a->ClearFlag(qen::FLAG_SELECTED);   // transient: never comes back from a file
    EXPECT_EQ(Save(back), Save(doc));
    EXPECT_EQ(TextOf(back), TextOf(doc));

    const ZNetwork& net = back.GetNetwork();
    const ZConsumeNode* ba = net.FindNode(GbkCodec::FromUtf8("节点甲"));
    ASSERT_NE(ba, nullptr);
    EXPECT_EQ(ba->GetFlags(), a->GetFlags());
    EXPECT_TRUE(ba->IsFiltered() && ba->IsFireNode() && !ba->IsSelected());
    EXPECT_EQ(ba->NodeHydrElev, 44.25);
    const auto* bp = static_cast<const ZPumpLink*>(net.FindLink("U1"));
    EXPECT_EQ(bp->SymbolIndex(), 3);
    EXPECT_FALSE(bp->PumpOpen);
    EXPECT_EQ(bp->PumpEfficiency, 0.8);
    const auto* bpipe = static_cast<const ZPipeLink*>(net.FindLink(GbkCodec::FromUtf8("管1")));
    EXPECT_EQ(bpipe->Vertices(), pipe->Vertices());
    EXPECT_EQ(bpipe->Flow, -0.02);
    EXPECT_EQ(bpipe->Resistance, 17.5);
    EXPECT_EQ(bpipe->PipeDate, 946684800u);
    EXPECT_EQ(static_cast<const ZValveLink*>(net.FindLink("V"))->GetValveType(), 2);
    EXPECT_EQ(static_cast<const ZTankLink*>(net.FindLink("T"))->TankBottomElev, 20);
    EXPECT_TRUE(net.FindNode("F")->IsHidden());
    EXPECT_EQ(back.GetExtents(), doc.GetExtents());
    EXPECT_EQ(back.GetDrawSettings().Balanced, 1u);
    EXPECT_EQ(back.GetDrawSettings().SpareWord2, 77u);
    EXPECT_EQ(back.GetDrawSettings().PipeFlowGrades, ds.PipeFlowGrades);
    ASSERT_EQ(back.GetNamedViews().size(), 2u);
    EXPECT_EQ(back.GetNamedViews()[0].ViewName, GbkCodec::FromUtf8("全图视图"));
    EXPECT_EQ(back.GetNamedViews()[1].ViewName.size(), 300u);
    ASSERT_NE(back.GetBkDib(), nullptr);
    EXPECT_EQ(back.GetBkDib()->Bytes(), bmp);
    EXPECT_EQ(back.GetBkDib()->BkHeight, 10);
    EXPECT_TRUE(back.GetBkDib()->BkVisible);
}

TEST(ProjectFileRoundTrip, PumpSchemaOneReadsEfficiencyOne)
{
    ZDocument doc;
    ZConsumeNode* a = AddNode(doc, "a");
    ZConsumeNode* b = AddNode(doc, "b");
    auto* pump = AddLink<ZPumpLink>(doc, "p", a, b);
    pump->PumpEfficiency = 0.8125;
    pump->PumpVacuum = 6.5;
    std::string bytes = Save(doc);
    // Turn the file into a schema 1 file: schema word before the class name, no efficiency.
    const size_t name = bytes.find("ZPumpLink");
    ASSERT_NE(name, std::string::npos);
    ASSERT_EQ(bytes[name - 4], 2);
    bytes[name - 4] = 1;
    LeBytes eff;
    eff.F(0.8125);
    const size_t at = bytes.find(eff.s);
    ASSERT_NE(at, std::string::npos);
    bytes.erase(at, 8);

    ZDocument back;
    Load(bytes, back);
    const auto* p = static_cast<const ZPumpLink*>(back.GetNetwork().FindLink("p"));
    EXPECT_EQ(p->PumpEfficiency, 1.0);
    EXPECT_EQ(p->PumpVacuum, 6.5);
    const std::string again = Save(back);
    EXPECT_EQ(again[again.find("ZPumpLink") - 4], 2);
    EXPECT_EQ(again.size(), bytes.size() + 8);
}

TEST(ProjectFileRoundTrip, BalancedNetworkKeepsItsResults)
{
    ZDocument doc;
    UnitSystem units;
    ZTemplateSet templates;
    TextExchange::LoadFile(std::string(QEN_TEST_DATA_DIR) + "/networks/Net1.txt", doc, units, templates);
    ZNetwork& net = doc.GetNetwork();
    ASSERT_GT(net.LinkCount(), 0);
    for (int i = 0; i < net.LinkCount(); ++i) {
        net.LinkAt(i)->Flow = 0.001 * (i + 1) - 0.005;
        net.LinkAt(i)->Resistance = 10.0 + i;
    }
    for (int i = 0; i < net.NodeCount(); ++i)
        net.NodeAt(i)->NodeHydrElev = 50.0 + i / 8.0;
    doc.GetDrawSettings().Balanced = 1;

    ZDocument back;
    Load(Save(doc), back);
    EXPECT_EQ(back.GetDrawSettings().Balanced, 1u);
    ASSERT_EQ(back.GetNetwork().LinkCount(), net.LinkCount());
    for (int i = 0; i < net.LinkCount(); ++i) {
        EXPECT_EQ(back.GetNetwork().LinkAt(i)->Flow, net.LinkAt(i)->Flow);
        EXPECT_EQ(back.GetNetwork().LinkAt(i)->Resistance, net.LinkAt(i)->Resistance);
    }
    for (int i = 0; i < net.NodeCount(); ++i)
        EXPECT_EQ(back.GetNetwork().NodeAt(i)->NodeHydrElev, net.NodeAt(i)->NodeHydrElev);
}

TEST(ProjectFileRoundTrip, PublicNetworksAndExamples)
{
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(std::string(QEN_TEST_DATA_DIR) + "/networks"))
        if (e.path().extension() == ".txt")
            files.push_back(e.path());
    const std::filesystem::path town = std::string(QEN_SOURCE_DIR) + "/examples/town.txt";
    if (std::filesystem::exists(town))
        files.push_back(town);
    ASSERT_FALSE(files.empty());
    const auto dir = std::filesystem::temp_directory_path() / ("qen_project_rt_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (const auto& f : files) {
        SCOPED_TRACE(f.string());
        ZDocument doc;
        UnitSystem units;
        ZTemplateSet templates;
        TextExchange::LoadFile(f.string(), doc, units, templates);
        const std::string path = (dir / (f.stem().string() + ".wnp")).string();
        ProjectFile::SaveFile(path, doc);
        ZDocument back;
        ProjectFile::LoadFile(path, back);
        EXPECT_EQ(TextOf(back), TextOf(doc));
        EXPECT_EQ(Save(back), Save(doc));
        EXPECT_EQ(ContinuityFault(back.GetNetwork()), "");
        ZDocument viaText;
        EXPECT_EQ(FormatRoundTrip::Check(doc, viaText, FormatRoundTrip::Text), "");
    }
    std::filesystem::remove_all(dir);
}

TEST(ProjectFileRoundTrip, SavingKeepsTheOldFileWhenTheTargetCannotBeWritten)
{
    ZDocument doc;
    EXPECT_THROW(ProjectFile::SaveFile("/nonexistent-dir/x.wnp", doc), ArchiveError);
    try {
        ZDocument d2;
        ProjectFile::LoadFile("/nonexistent-dir/x.wnp", d2);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), "/nonexistent-dir/x.wnp");
    }
}
