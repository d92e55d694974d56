#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZBalanceParams.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
#include "model/ZValveLink.h"
#include "persist/ArchiveError.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
const std::string kNetworks = std::string(QEN_TEST_DATA_DIR) + "/networks/";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string StripCr(std::string s)
{
    std::erase(s, '\r');
    return s;
}

struct TextFixture : ::testing::Test {
    UnitSystem units;
    ZTemplateSet templates;
    ZDocument doc;

    void Import(const std::string& text)
    {
        std::istringstream in(text);
        TextExchange::Import(in, "test.txt", doc, units, templates);
    }
    // The import must fail on `line`, mention `quoted` in its detail and leave the network empty.
    void ExpectFailure(const std::string& text, int line, const std::string& quoted = {})
    {
        try {
            Import(text);
            ADD_FAILURE() << "import succeeded:\n" << text;
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.GetCause(), ArchiveError::BadIndex);
            EXPECT_EQ(e.FileName(), "test.txt");
            EXPECT_EQ(e.Line(), line) << e.what();
            if (!quoted.empty()) {
                EXPECT_NE(e.Detail().find(quoted), std::string::npos) << e.Detail();
            }
        }
        EXPECT_EQ(doc.GetNetwork().NodeCount(), 0);
        EXPECT_EQ(doc.GetNetwork().LinkCount(), 0);
    }
    std::string Export() const
    {
        std::ostringstream out;
        TextExchange::Export(out, doc, units);
        return out.str();
    }
    ZConsumeNode* Node(const char* id) const { return doc.GetNetwork().FindNode(GbkView(id)); }
    ZFlowLink* Link(const char* id) const { return doc.GetNetwork().FindLink(GbkView(id)); }
};

const char* const kTwoNodes = "BEGIN NODE\nA\t0\t0\t10\t0\t0\t50\t0\nB\t100\t0\t12\t1\t5\t0\t0\nEND\n";
}   // namespace

TEST_F(TextFixture, NodeLineIsUpperCasedAndConvertedFromDisplayUnits)
{
    Import("begin node\nj7 100 200 12.5 1 3.2\nend\n");
    ZConsumeNode* n = Node("J7");
    ASSERT_NE(n, nullptr);
    EXPECT_TRUE(n->IsFlowKnown());
    EXPECT_FALSE(n->IsHeadKnown());
    EXPECT_DOUBLE_EQ(n->X, 100.0);
    EXPECT_DOUBLE_EQ(n->Y, 200.0);
    EXPECT_DOUBLE_EQ(n->NodeGrunElev, 12.5);
    EXPECT_DOUBLE_EQ(n->NodeFlow, 0.0032);
    EXPECT_EQ(n->GetIndex(), 0);
}

TEST_F(TextFixture, SectionLinesAreCaseInsensitiveAndSplitAtCommaOrSemicolon)
{
    Import("Begin,Node\nA 0 0 0 1\nB 3 4 0 1\nEND\nbegin;pipe\nx a b 5\nEND\n");
    ASSERT_NE(Link("X"), nullptr);
    EXPECT_EQ(Link("X")->StartNode(), Node("A"));
    EXPECT_EQ(Link("X")->EndNode(), Node("B"));
}

TEST_F(TextFixture, HeadKnownNodeReadsHeadInHeadUnit)
{
    units.Get(UnitSystem::Head).SetUnitIndex(1);   // MPa
    Import("BEGIN NODE\nR 0 0 10 0 0 0.25 0\nEND\n");
    EXPECT_TRUE(Node("R")->IsHeadKnown());
    EXPECT_FALSE(Node("R")->IsFlowKnown());
    EXPECT_DOUBLE_EQ(Node("R")->NodeHydrElev, 25.0);
}

TEST_F(TextFixture, ShortLinesTakeTheTemplateValues)
{
    templates.Node.NodeFireFlow = 0.015;
    templates.Node.SetFireNode(true);
    templates.Pipe.PipeRougCeof = 130.0;
    templates.Pipe.PipeDiam = 0.2;
    templates.Pump.PumpEfficiency = 0.75;
    Import("BEGIN NODE\nA 1 2\nB 5 2 0 1 1 0\nC 0 0\nEND\nBEGIN PIPE\nP A B 4\nEND\nBEGIN PUMP\nU B C 30\nEND\n");
    ZConsumeNode* a = Node("A");
    EXPECT_DOUBLE_EQ(a->X, 1.0);
    EXPECT_DOUBLE_EQ(a->Y, 2.0);
    EXPECT_DOUBLE_EQ(a->NodeFireFlow, 0.015);
    EXPECT_TRUE(a->IsFireNode());
    EXPECT_TRUE(a->IsFlowKnown());
    auto* p = static_cast<ZPipeLink*>(Link("P"));
    EXPECT_DOUBLE_EQ(p->PipeLength, 4.0);
    EXPECT_DOUBLE_EQ(p->PipeDiam, 0.2);
    EXPECT_DOUBLE_EQ(p->PipeRougCeof, 130.0);
    EXPECT_TRUE(p->IsAutoLength());
    auto* u = static_cast<ZPumpLink*>(Link("U"));
    EXPECT_DOUBLE_EQ(u->PumpStaticH, 30.0);
    EXPECT_DOUBLE_EQ(u->PumpEfficiency, 0.75);
}

TEST_F(TextFixture, EveryFieldOfEveryKindIsRead)
{
    Import(std::string(kTwoNodes) + "BEGIN NODE\nC 100 50 11 1 2 0 15\nD 0 50 9 1 0 0 0\nEND\n"
                                    "BEGIN PIPE\nP1 A C 150 250 240 1 1 0.013 1\nEND\n"
                                    "BEGIN PUMP\nU1 A B 35 120 4 0.8 1450 1400\nEND\n"
                                    "BEGIN VALVE\nV1 C D 2 3.5 6\nEND\n"
                                    "BEGIN TANK\nT1 D D_IN 1 30 200 1 6 4.5\nEND\n"
                                    "BEGIN PIPEPOINT\nP1\n50 60\n70 80\nEND\n");
    auto* p = static_cast<ZPipeLink*>(Link("P1"));
    EXPECT_DOUBLE_EQ(p->PipeLength, 150.0);
    EXPECT_DOUBLE_EQ(p->PipeDiam, 0.25);
    EXPECT_DOUBLE_EQ(p->PipeInDiam, 0.24);
    EXPECT_EQ(p->PipeParallel, 1);
    EXPECT_EQ(p->PipeType, 1);
    EXPECT_DOUBLE_EQ(p->PipeRougCeof, 0.013);
    EXPECT_EQ(p->PipeSideType, 1);
    ASSERT_EQ(p->VertexCount(), 2);
    EXPECT_EQ(p->VertexAt(1), (PipePoint{70.0, 80.0}));
    auto* u = static_cast<ZPumpLink*>(Link("U1"));
    EXPECT_DOUBLE_EQ(u->PumpStaticH, 35.0);
    EXPECT_DOUBLE_EQ(u->PumpSCoef, 120.0);
    EXPECT_DOUBLE_EQ(u->PumpVacuum, 4.0);
    EXPECT_DOUBLE_EQ(u->PumpEfficiency, 0.8);
    EXPECT_DOUBLE_EQ(u->PumpRatedRotV, 1450.0);
    EXPECT_DOUBLE_EQ(u->PumpOperatedRotV, 1400.0);
    EXPECT_TRUE(Node("B")->HasFlag(qen::FLAG_DEVICE_OUTLET));
    auto* v = static_cast<ZValveLink*>(Link("V1"));
    EXPECT_EQ(v->GetValveType(), 2);
    EXPECT_EQ(v->SymbolIndex(), 2);
    EXPECT_DOUBLE_EQ(v->ValveSCoef, 3.5);
    EXPECT_DOUBLE_EQ(v->ValveHLess, 6.0);
    auto* t = static_cast<ZTankLink*>(Link("T1"));
    EXPECT_EQ(t->GetTankType(), 1);
    EXPECT_DOUBLE_EQ(t->TankBottomElev, 30.0);
    EXPECT_DOUBLE_EQ(t->TankArea, 200.0);
    EXPECT_DOUBLE_EQ(t->TankMinHead, 1.0);
    EXPECT_DOUBLE_EQ(t->TankMaxHead, 6.0);
    EXPECT_DOUBLE_EQ(t->TankCurH, 4.5);
    EXPECT_DOUBLE_EQ(Node("C")->NodeFireFlow, 0.015);
}

TEST_F(TextFixture, TankComesBackWithHiddenInternalNodeAtTheOutlet)
{
    Import("BEGIN NODE\nO 120 340 20 1\nEND\nBEGIN TANK\nT O T_IN 0 18 50 0.5 5 3\nEND\n");
    ZConsumeNode* inner = Node("T_IN");
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->IsHidden());
    EXPECT_TRUE(inner->IsHeadKnown());
    EXPECT_TRUE(Node("O")->IsHeadKnown());
    EXPECT_DOUBLE_EQ(inner->X, 120.0);
    EXPECT_DOUBLE_EQ(inner->Y, 340.0);
    EXPECT_EQ(Link("T")->EndNode(), inner);

    // The writer leaves the internal node out of NODE and names it only in the TANK line.
    const std::string text = Export();
    EXPECT_EQ(text.find("T_IN\t"), text.find("T\tO\tT_IN\t") + 4);
    ZDocument again;
    std::istringstream in(text);
    TextExchange::Import(in, "again.txt", again, units, templates);
    EXPECT_TRUE(again.GetNetwork().FindNode("T_IN")->IsHidden());
    EXPECT_EQ(again.GetNetwork().NodeCount(), 2);
}

TEST_F(TextFixture, AutomaticLengthFollowsTheDrawnLength)
{
    Import("BEGIN NODE\nA 0 0\nB 100 0\nC 100 100\nEND\nBEGIN PIPE\nAB A B 100\nBC B C 120\nAC A C 200\nEND\n"
           "BEGIN PIPEPOINT\nAC\n0 100\nEND\n");
    EXPECT_TRUE(static_cast<ZPipeLink*>(Link("AB"))->IsAutoLength());
    EXPECT_FALSE(static_cast<ZPipeLink*>(Link("BC"))->IsAutoLength());   // typed by hand
    EXPECT_TRUE(static_cast<ZPipeLink*>(Link("AC"))->IsAutoLength());
}

TEST_F(TextFixture, FilesInAnyOrderEndSortedWithIndexes)
{
    std::string text = "BEGIN NODE\n";
    for (int i = 50; i > 0; --i)
        text += "N" + std::to_string(i) + " " + std::to_string(i) + " 0\n";
    text += "END\nBEGIN PIPE\n";
    for (int i = 49; i > 0; --i)
        text += "P" + std::to_string(i) + " N" + std::to_string(i) + " N" + std::to_string(i + 1) + " 1\n";
    text += "END\n";
    Import(text);
    const ZNetwork& net = doc.GetNetwork();
    ASSERT_EQ(net.NodeCount(), 50);
    ASSERT_EQ(net.LinkCount(), 49);
    for (int i = 0; i < net.NodeCount(); ++i) {
        EXPECT_EQ(net.NodeAt(i)->GetIndex(), i);
        if (i > 0) {
            EXPECT_LT(ZSortedObArray<ZConsumeNode>::Compare(net.NodeAt(i - 1)->IdView(), net.NodeAt(i)->IdView()), 0);
        }
    }
    for (int i = 0; i < net.LinkCount(); ++i)
        EXPECT_EQ(net.LinkAt(i)->GetIndex(), i);
    EXPECT_EQ(net.FindLink("P7")->StartNode(), net.FindNode("N7"));
    EXPECT_EQ(doc.GetExtents(), (ViewExtent{1.0, 0.0, 50.0, 0.0}));
}

TEST_F(TextFixture, CrLfLinesAndExtraFieldsAreAccepted)
{
    Import("// comment\r\n\r\n  BEGIN NODE  \r\nA\t1\t2\t3\t1\t0\t0\t0\textra\r\n  \r\n// note\r\nB 4 5 6 1\r\nEND\r\n"
           "BEGIN PIPE\r\nP A B 7\r\nEND");
    EXPECT_DOUBLE_EQ(Node("A")->NodeGrunElev, 3.0);
    EXPECT_DOUBLE_EQ(static_cast<ZPipeLink*>(Link("P"))->PipeLength, 7.0);
    EXPECT_EQ(Link("P")->GetId(), std::string("P"));
}

TEST_F(TextFixture, StrayLinesOutsideSections)
{
    Import("SOME TITLE\nBEGIN NODE\nA 0 0\nEND\nnotes about it\n");
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 1);
    ExpectFailure("BEGIN NODE\nA 0 0\nEND\nEND\n", 4, "END");
    ExpectFailure("BEGIN NODE\nA 0 0\nEND\nBEGIN\n", 4);
}

TEST_F(TextFixture, UnknownSectionFails)
{
    ExpectFailure("// x\nBEGIN NODE\nA 0 0\nEND\nBEGIN CURVE\n1 2\nEND\n", 5, "CURVE");
}

TEST_F(TextFixture, MissingNodesFail)
{
    ExpectFailure("BEGIN NODE\nA 0 0\nEND\nBEGIN PIPE\nP A B 10\nEND\nBEGIN NODE\nB 1 1\nEND\n", 5, "\"B\"");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PUMP\nU A Z 10\nEND\n", 6, "\"Z\"");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN VALVE\nV Z A 0 1 0\nEND\n", 6, "\"Z\"");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN TANK\nT Z Z_IN 0 1 1 1 1 1\nEND\n", 6, "\"Z\"");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\nP A\nEND\n", 6);       // truncated line
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\nP A A 1\nEND\n", 6);   // both ends one node
}

TEST_F(TextFixture, PipePointsNeedAnExistingPipe)
{
    const std::string base = std::string(kTwoNodes) + "BEGIN PIPE\nP A B 1\nEND\nBEGIN VALVE\nV B A 0 1 0\nEND\n";
    ExpectFailure(base + "BEGIN PIPEPOINT\nQ\n1 2\nEND\n", 12, "\"Q\"");
    ExpectFailure(base + "BEGIN PIPEPOINT\nV\n1 2\nEND\n", 12, "\"V\"");
    ExpectFailure(base + "BEGIN PIPEPOINT\nP\n1\nEND\n", 13);   // a vertex needs x and y
}

TEST_F(TextFixture, DuplicateIdentifiersFail)
{
    ExpectFailure("BEGIN NODE\nA 0 0\nB 0 0\na 1 1\nEND\n", 4, "\"A\"");
    // Links share one identifier space whatever their kind; nodes and links have separate ones.
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\nX A B 1\nEND\nBEGIN VALVE\nX A B 0 1 0\nEND\n", 9, "\"X\"");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN TANK\nT A B 0 1 1 1 1 1\nEND\n", 6, "\"B\"");   // internal node
    Import(std::string(kTwoNodes) + "BEGIN PIPE\nA A B 1\nEND\n");
    EXPECT_NE(Link("A"), nullptr);
}

TEST_F(TextFixture, OverlongIdentifiersAreRefusedNotCut)
{
    const std::string id19(19, 'N');
    Import("BEGIN NODE\n" + id19 + " 0 0\nEND\n");
    EXPECT_NE(doc.GetNetwork().FindNode(GbkView(id19)), nullptr);
    // Cutting these two to 19 bytes would make them equal.
    ExpectFailure("BEGIN NODE\n" + id19 + "1 0 0\n" + id19 + "2 0 0\nEND\n", 2, id19 + "1");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\n" + std::string(20, 'P') + " A B 1\nEND\n", 6);
    const char withNul[] = "BEGIN NODE\nA\0B 0 0\nEND\n";
    ExpectFailure(std::string(withNul, sizeof withNul - 1), 2, "空字符");
}

TEST_F(TextFixture, HugeLinesAreQuotedShort)
{
    try {
        Import("BEGIN NODE\nA 0 0 " + std::string(100000, 'X') + "\nEND\n");
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_LT(e.Detail().size(), 1000u);
    }
}

TEST_F(TextFixture, NonNumericFieldsFail)
{
    ExpectFailure("BEGIN NODE\nA 0 0\nB 1 x2 3\nEND\n", 3, "X2");
    ExpectFailure("BEGIN NODE\nA 0 0 1,5\nEND\n", 2);
    ExpectFailure("BEGIN NODE\nA 0 0 0 yes\nEND\n", 2);
    ExpectFailure("BEGIN NODE\nA 0 0 NAN\nEND\n", 2);
    ExpectFailure("BEGIN NODE\nA 0 1E999\nEND\n", 2);
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\nP A B 10 300 300 1.5\nEND\n", 6);   // parallel count
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\nP A B 10\nEND\nBEGIN PIPEPOINT\nP\n1 2\n3 y\nEND\n", 11);
    // Signs and whole numbers written as decimals are numbers.
    Import("BEGIN NODE\nA +1 -2 3E1 1.0\nEND\n");
    EXPECT_DOUBLE_EQ(Node("A")->X, 1.0);
    EXPECT_DOUBLE_EQ(Node("A")->Y, -2.0);
    EXPECT_DOUBLE_EQ(Node("A")->NodeGrunElev, 30.0);
    EXPECT_TRUE(Node("A")->IsFlowKnown());
}

TEST_F(TextFixture, SectionWithoutEndBeforeTheNextFails)
{
    ExpectFailure("BEGIN NODE\nA 0 0\nBEGIN PIPE\nEND\n", 3);
}

TEST_F(TextFixture, FailedImportLeavesTheDocumentEmpty)
{
    std::string text = "BEGIN NODE\n";
    for (int i = 0; i < 200; ++i)
        text += "N" + std::to_string(i) + " " + std::to_string(i) + " 0\n";
    text += "END\nBEGIN PIPE\n";
    for (int i = 0; i < 150; ++i)
        text += "P" + std::to_string(i) + " N" + std::to_string(i) + " N" + std::to_string(i + 1) + " 1\n";
    text += "P999 N1 NOWHERE 1\nEND\n";
    ExpectFailure(text, 354, "NOWHERE");
    // A failed import after a good one still empties it.
    Import(kTwoNodes);
    ExpectFailure("BEGIN NODE\nA 0 0\nA 0 0\nEND\n", 3);
}

TEST_F(TextFixture, GbkIdentifiersRoundTripUntouched)
{
    // 0x81 0x61 is one GBK character whose trail byte is an ASCII "a": it must not become "A".
    const std::string chinese = GbkCodec::FromUtf8("泵站进水").Bytes();
    const std::string pipe = GbkCodec::FromUtf8("泵站进水管").Bytes();
    const std::string tricky = "\x81\x61x";
    Import("BEGIN NODE\n" + chinese + " 1 2\n" + tricky + " 3 4\nEND\nBEGIN PIPE\n" + pipe + " " + chinese + " " +
           tricky + " 2\nEND\n");
    ASSERT_NE(doc.GetNetwork().FindNode(GbkView(chinese)), nullptr);
    ASSERT_NE(doc.GetNetwork().FindNode(GbkView(std::string_view("\x81\x61X"))), nullptr);
    ASSERT_NE(doc.GetNetwork().FindLink(GbkView(pipe)), nullptr);

    const std::string text = Export();
    ZDocument again;
    std::istringstream in(text);
    TextExchange::Import(in, "again.txt", again, units, templates);
    EXPECT_NE(again.GetNetwork().FindNode(GbkView(chinese)), nullptr);
    EXPECT_NE(again.GetNetwork().FindNode(GbkView(std::string_view("\x81\x61X"))), nullptr);
    EXPECT_EQ(again.GetNetwork().FindLink(GbkView(pipe))->EndNode(),
              again.GetNetwork().FindNode(GbkView(std::string_view("\x81\x61X"))));

    // Errors quote the offending text in UTF-8.
    try {
        Import(GbkCodec::FromUtf8("BEGIN NODE\n节点 1 二\nEND\n").Bytes());
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("节点"), std::string::npos) << e.what();
    }
}

TEST_F(TextFixture, ExportThenImportReproducesEveryValue)
{
    Import(std::string(kTwoNodes) +
           "BEGIN NODE\nC 3456789.123 512345.678 11.1111111 1 2.123456789 0 15.5\nD 0.1 50 9 1 0 0 0\nEND\n"
           "BEGIN PIPE\nP1 A C 150.987654321 250 240.5 1 1 0.013 1\nP2 C D 1 100 100 0 0 110 0\nEND\n"
           "BEGIN PUMP\nU1 A B 35.25 120.125 4 0.8 1450 1400\nEND\n"
           "BEGIN VALVE\nV1 C D 1 3.5 6.75\nEND\n"
           "BEGIN TANK\nT1 D D_IN 1 30.5 200 1 6 4.5\nEND\n"
           "BEGIN PIPEPOINT\nP1\n50.333333333 60\n70 80.1\nEND\n");
    for (int unitChoice = 0; unitChoice < 2; ++unitChoice) {
        units.Get(UnitSystem::Flow).SetUnitIndex(unitChoice == 0 ? 0 : 2);   // l/s, m3/h
        units.Get(UnitSystem::Head).SetUnitIndex(unitChoice);                // mH2O, MPa
        units.Get(UnitSystem::Length).SetUnitIndex(unitChoice);              // m, km
        units.Get(UnitSystem::Diameter).SetUnitIndex(1 - unitChoice);        // mm, m
        ZDocument again;
        std::istringstream in(Export());
        TextExchange::Import(in, "again.txt", again, units, templates);
        const ZNetwork& a = doc.GetNetwork();
        const ZNetwork& b = again.GetNetwork();
        ASSERT_EQ(a.NodeCount(), b.NodeCount());
        ASSERT_EQ(a.LinkCount(), b.LinkCount());
        for (int i = 0; i < a.NodeCount(); ++i) {
            const ZConsumeNode *x = a.NodeAt(i), *y = b.NodeAt(i);
            EXPECT_EQ(x->IdView(), y->IdView());
            EXPECT_EQ(x->X, y->X);
            EXPECT_EQ(x->Y, y->Y);
            EXPECT_EQ(x->NodeGrunElev, y->NodeGrunElev);
            EXPECT_EQ(x->NodeFlow, y->NodeFlow);
            EXPECT_EQ(x->NodeHydrElev, y->NodeHydrElev);
            EXPECT_EQ(x->NodeFireFlow, y->NodeFireFlow);
            EXPECT_EQ(x->GetFlags(), y->GetFlags());
        }
        auto* p = static_cast<const ZPipeLink*>(b.FindLink("P1"));
        EXPECT_EQ(p->PipeLength, static_cast<const ZPipeLink*>(a.FindLink("P1"))->PipeLength);
        EXPECT_EQ(p->PipeInDiam, 0.2405);
        EXPECT_EQ(p->Vertices(), static_cast<const ZPipeLink*>(a.FindLink("P1"))->Vertices());
        EXPECT_EQ(static_cast<const ZPumpLink*>(b.FindLink("U1"))->PumpStaticH, 35.25);
        EXPECT_EQ(static_cast<const ZValveLink*>(b.FindLink("V1"))->ValveHLess, 6.75);
        EXPECT_EQ(static_cast<const ZTankLink*>(b.FindLink("T1"))->TankBottomElev, 30.5);
    }
}

// The header names the units the file was written in; they decide, not the reader's settings.
// Without that line the reader's units apply (and a different unit misreads by the ratio).
TEST_F(TextFixture, HeaderUnitsDecideOverTheReadersUnits)
{
    Import("BEGIN NODE\nA 0 0 0 1 12.5\nEND\n");
    const std::string text = Export();
    EXPECT_NE(text.find(GbkCodec::FromUtf8("流量(l/s)").Bytes()), std::string::npos);
    units.Get(UnitSystem::Flow).SetUnitIndex(2);   // m3/h
    ZDocument again;
    std::istringstream in(text);
    TextExchange::Import(in, "again.txt", again, units, templates);
    EXPECT_DOUBLE_EQ(again.GetNetwork().FindNode("A")->NodeFlow, 0.0125);
    ZDocument bare;
    std::istringstream noHeader("BEGIN NODE\nA 0 0 0 1 12.5\nEND\n");
    TextExchange::Import(noHeader, "bare.txt", bare, units, templates);
    EXPECT_NEAR(bare.GetNetwork().FindNode("A")->NodeFlow, 12.5 / 3600.0, 1e-15);
}

TEST_F(TextFixture, MissingFinalEndFails)
{
    ExpectFailure("BEGIN NODE\nA 0 0\nEND\nBEGIN PIPE\r\n", 4);
}

TEST_F(TextFixture, WriterUsesPercentGWhereThatIsExact)
{
    Import("BEGIN NODE\nA 1e-05 1000000 0.1 0 0.3 25 0\nEND\n");
    const std::string text = Export();
    EXPECT_NE(text.find("\nA\t1e-05\t1e+06\t0.1\t0\t0.3\t25\t0\n"), std::string::npos) << text;
}

TEST(TextExchangeNetworks, PublicNetworksRoundTripByteForByte)
{
    UnitSystem units;
    ZTemplateSet templates;
    for (const char* name : {"Net1", "Hanoi", "Net3", "KL", "L-TOWN"}) {
        SCOPED_TRACE(name);
        const std::string path = kNetworks + name + ".txt";
        ZDocument doc;
        TextExchange::LoadFile(path, doc, units, templates);
        EXPECT_GT(doc.GetNetwork().NodeCount(), 10);
        std::ostringstream out;
        TextExchange::Export(out, doc, units);
        // The files were written with CR LF; everything else must come back as it was.
        EXPECT_EQ(out.str(), StripCr(ReadFile(path)));
    }
}

TEST(TextExchangeFiles, SaveFileAndLoadFile)
{
    UnitSystem units;
    ZTemplateSet templates;
    const fs::path dir = fs::temp_directory_path() / ("qen-text-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ZDocument doc;
    TextExchange::LoadFile(kNetworks + "Net1.txt", doc, units, templates);
    const std::string out = (dir / "copy.TXT").string();
    TextExchange::SaveFile(out, doc, units);
    ZDocument again;
    TextExchange::LoadFile(out, again, units, templates);
    EXPECT_EQ(again.GetNetwork().NodeCount(), doc.GetNetwork().NodeCount());
    EXPECT_EQ(again.GetNetwork().LinkCount(), doc.GetNetwork().LinkCount());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
    EXPECT_THROW(TextExchange::LoadFile((dir / "missing.txt").string(), again, units, templates), ArchiveError);
    EXPECT_EQ(again.GetNetwork().NodeCount(), 0);
    EXPECT_THROW(TextExchange::SaveFile((dir / "no" / "such.txt").string(), doc, units), ArchiveError);
    fs::remove_all(dir);
}

// Closed pumps and valves are carried by a STATUS section, written only when one is closed (files
// of open networks keep their bytes); a reader that knows no STATUS section refuses the file.
TEST_F(TextFixture, ClosedDevicesTravelInAStatusSection)
{
    const std::string net = std::string(kTwoNodes) + "BEGIN NODE\nC 0 0 0 1 0 0 0\nD 0 0 0 1 0 0 0\nEND\n" +
                            "BEGIN PUMP\nU1 A B 35 100 4 0.8 1450 1450\nEND\n"
                            "BEGIN VALVE\nV1 B C 0 3.5 0\nV2 C D 0 1 0\nEND\n";
    Import(net);
    const std::string open = Export();
    EXPECT_EQ(open.find("STATUS"), std::string::npos);
    static_cast<ZPumpLink*>(Link("U1"))->PumpOpen = false;
    static_cast<ZValveLink*>(Link("V2"))->ValveOpen = false;
    const std::string closed = Export();
    EXPECT_NE(closed.find("\nBEGIN STATUS\nU1\tCLOSED\nV2\tCLOSED\nEND\n"), std::string::npos) << closed;
    Import(closed);
    EXPECT_FALSE(static_cast<ZPumpLink*>(Link("U1"))->PumpOpen);
    EXPECT_TRUE(static_cast<ZValveLink*>(Link("V1"))->ValveOpen);
    EXPECT_FALSE(static_cast<ZValveLink*>(Link("V2"))->ValveOpen);
    EXPECT_EQ(Export(), closed);
    Import(net + "BEGIN STATUS\nv1 closed\nV1 open\nEND\n");
    EXPECT_TRUE(static_cast<ZValveLink*>(Link("V1"))->ValveOpen);

    ExpectFailure(net + "BEGIN STATUS\nV1 SHUT\nEND\n", 17, "SHUT");
    ExpectFailure(net + "BEGIN STATUS\nV9 CLOSED\nEND\n", 17, "V9");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN PIPE\nP A B 1 100 100 0 0 100 0\nEND\nBEGIN STATUS\nP CLOSED\nEND\n",
                  9, "P");
}

// Control valves, pump curves, minor losses and the calculation options travel in sections of
// their own, written only when used and in the display units; a second export gives the same bytes.
TEST_F(TextFixture, ComponentsTravelInSectionsOfTheirOwn)
{
    const std::string net = std::string(kTwoNodes) +
                            "BEGIN NODE\nC 0 0 0 1 0 0 0\nD 0 0 0 1 0 0 0\nE 0 0 0 1 0 0 0\nF 0 0 0 1 0 0 0\nEND\n"
                            "BEGIN PIPE\nP A C 100 300 300 0 0 100 0\nEND\n"
                            "BEGIN PUMP\nU1 B C 35 100 4 0.8 1450 1450\nEND\n"
                            "BEGIN VALVE\nPR C D 3 0 0\nFC D E 5 0 0\nG E F 8 0 0\nEND\n";
    const std::string gpv = "BEGIN VALVECURVE\nG\n0 0\n10 1.5\nEND\n";
    Import(net + "BEGIN VALVESETTING\nPR 30 200 ACTIVE\nFC 12 150 OPEN\nG 0 100 ACTIVE\nEND\n" + gpv);
    auto* pump = static_cast<ZPumpLink*>(Link("U1"));
    pump->PumpCurveKind = ZPumpLink::MultiPoint;
    pump->PumpCurve = {{0, 40}, {0.01, 35}, {0.02, 20}};
    pump->PumpSpeed = 0.95;
    static_cast<ZPipeLink*>(Link("P"))->PipeMinorLoss = 2.5;
    doc.GetDrawSettings().Params.DemandModel = ZBalanceParams::PressureDriven;
    doc.GetDrawSettings().Params.RequiredPressure = 28;
    const std::string text = Export();
    const char* const sections[] = {
        "\nBEGIN "
        "OPTIONS\nCHECKVALVESCLOSE\t1\nDEMANDMODEL\t1\nMINPRESSURE\t0\nREQUIREDPRESSURE\t28\nPRESSUREEXPONENT\t0."
        "5\nEND\n",
        "\nBEGIN MINORLOSS\nP\t2.5\nEND\n",
        "\nBEGIN VALVESETTING\nFC\t12\t150\tOPEN\nG\t0\t100\tACTIVE\nPR\t30\t200\tACTIVE\nEND\n",
        "\nBEGIN PUMPCURVE\nU1\t3\t0.95\t0\n0\t40\n10\t35\n20\t20\nEND\n",
        "\nBEGIN VALVECURVE\nG\n0\t0\n10\t1.5\nEND\n"};
    for (const char* section : sections)
        EXPECT_NE(text.find(section), std::string::npos) << section << "\n" << text;
    Import(text);
    EXPECT_NEAR(static_cast<ZValveLink*>(Link("FC"))->ValveSetting, 0.012, 1e-15);
    EXPECT_EQ(static_cast<ZValveLink*>(Link("FC"))->ValveInitStatus, ZValveLink::StatusOpen);
    EXPECT_EQ(static_cast<ZPumpLink*>(Link("U1"))->PumpCurve.size(), 3u);
    EXPECT_EQ(doc.GetDrawSettings().Params.RequiredPressure, 28);
    EXPECT_EQ(Export(), text);

    // Without the sections nothing of them is written; a check valve then reads as passing both ways.
    Import(std::string(kTwoNodes) + "BEGIN VALVE\nCV A B 1 0 0\nEND\n");
    EXPECT_FALSE(doc.GetDrawSettings().Params.CheckValvesClose);
    EXPECT_EQ(Export().find("BEGIN OPTIONS"), std::string::npos);
    Import(kTwoNodes);
    EXPECT_TRUE(doc.GetDrawSettings().Params.CheckValvesClose);

    // What the balance could not use is refused naming the line, the object and the field.
    ExpectFailure(net + "BEGIN VALVESETTING\nPR -30 200\nFC 1 1\nG 0 1\nEND\n" + gpv, 23, "ValveSetting -30");
    ExpectFailure(net + "BEGIN VALVESETTING\nFC 1 1\nG 0 1\nEND\n" + gpv, 18, "PR");
    ExpectFailure(net + "BEGIN VALVESETTING\nPR 3 1\nFC 1 1\nG 0 1\nEND\n", 25, "ValveCurve 有 0 个点");
    ExpectFailure(net + "BEGIN VALVESETTING\nPR 3 1\nFC 1 1\nG 0 1\nEND\nBEGIN PUMPCURVE\nU1 3 1 0\n0 30\n10 35\nEND\n",
                  28, "PumpCurve 第2点的扬程随流量上升");
    ExpectFailure(net + "BEGIN VALVESETTING\nPR 3 1\nFC 1 1\nG 0 1\nEND\nBEGIN PUMPCURVE\nU1 2 1 0\n0 30\nEND\n", 28,
                  "PumpCurve 有 1 个点");
    ExpectFailure(std::string(kTwoNodes) + "BEGIN OPTIONS\nDEMANDMODEL 1\nMINPRESSURE 20\nREQUIREDPRESSURE 10\nEND\n",
                  9, "MinPressure 20 不低于 RequiredPressure 10");
}
