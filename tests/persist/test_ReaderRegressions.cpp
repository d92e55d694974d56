// Inputs found by the fuzzers in fuzz/ (minimised), each with the fault it exposed. The same files
// are in tests/data/fuzz/ as seeds for the next fuzzing run.
#include "Continuity.h"
#include "FormatRoundTrip.h"

#include "model/UnitSystem.h"
#include "model/ZPipeLink.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TextRoundTrip : ::testing::Test {
    UnitSystem units;
    ZTemplateSet templates;

    void Import(const std::string& text, ZDocument& doc)
    {
        std::istringstream in(text);
        TextExchange::Import(in, "fuzz.txt", doc, units, templates);
    }
    std::string Export(const ZDocument& doc)
    {
        std::ostringstream out;
        TextExchange::Export(out, doc, units);
        return out.str();
    }
    // Reading what was written must give the same file again, and a network that hangs together.
    void ExpectStable(const std::string& text)
    {
        ZDocument first, second;
        Import(text, first);
        EXPECT_EQ(FormatRoundTrip::Check(first, second, FormatRoundTrip::Text), "");
        EXPECT_EQ(ContinuityFault(second.GetNetwork()), "");
        ZDocument viaProject;
        EXPECT_EQ(FormatRoundTrip::Check(first, viaProject, FormatRoundTrip::Project), "");
    }
};
}   // namespace

// Valve V ends at GV1, where valve 1 starts: connecting in line order left GV2 at GV1's old place, and
// every save and reopen moved it one device further along the chain.
TEST_F(TextRoundTrip, ChainOfDevicesTakesTheFirstNodesPosition)
{
    const std::string text = ReadFile(std::string(QEN_TEST_DATA_DIR) + "/fuzz/text/device-chain.txt");
    ASSERT_FALSE(text.empty());
    ExpectStable(text);

    ZDocument doc;
    Import("BEGIN NODE\nA 10 20\nB 30 40\nC 50 60\nD 70 80\nEND\n"
           "BEGIN VALVE\nV2 B C\nV1 A B\nEND\nBEGIN PUMP\nP C D\nEND\n",
           doc);
    for (const char* id : {"B", "C", "D"}) {
        const ZConsumeNode* n = doc.GetNetwork().FindNode(GbkView(id));
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->X, 10.0) << id;
        EXPECT_EQ(n->Y, 20.0) << id;
    }
    EXPECT_EQ(doc.GetNetwork().FindNode("A")->X, 10.0);
}

// Two devices into one node, and a ring of valves: the result must not depend on the line order.
TEST_F(TextRoundTrip, DevicesMeetingAtOneNodeOrInARingAreStable)
{
    const std::string nodes = "BEGIN NODE\nA 1 1\nB 2 2\nE 3 3\nEND\n";
    ZDocument one, two;
    Import(nodes + "BEGIN PUMP\nP2 A E\nP1 B E\nEND\n", one);
    Import(nodes + "BEGIN PUMP\nP1 B E\nP2 A E\nEND\n", two);
    EXPECT_EQ(Export(one), Export(two));
    EXPECT_EQ(one.GetNetwork().FindNode("E")->X, 1.0);   // the highest identifier decides
    ExpectStable(nodes + "BEGIN PUMP\nP2 A E\nP1 B E\nEND\n");

    ZDocument ring;
    Import(nodes + "BEGIN VALVE\nV1 A B\nV2 B E\nV3 E A\nEND\n", ring);
    const double x = ring.GetNetwork().FindNode("A")->X;
    for (const char* id : {"B", "E"})
        EXPECT_EQ(ring.GetNetwork().FindNode(GbkView(id))->X, x) << id;
    ExpectStable(nodes + "BEGIN VALVE\nV1 A B\nV2 B E\nV3 E A\nEND\n");

    // Connecting in line order moves the node that closes a ring before the ring is settled: the
    // place it lends must be its own line's, or the order of the lines decides.
    ZDocument ringUp, ringDown;
    Import(nodes + "BEGIN PUMP\nP2 B A\nP1 A B\nEND\n", ringUp);
    Import(nodes + "BEGIN PUMP\nP1 A B\nP2 B A\nEND\n", ringDown);
    EXPECT_EQ(Export(ringUp), Export(ringDown));
    EXPECT_EQ(ringUp.GetNetwork().FindNode("B")->X, 1.0);

    // Found by the text fuzzer: a chain into a ring, the pump lines out of order; the file changed
    // on its second save and reopen.
    const std::string text = ReadFile(std::string(QEN_TEST_DATA_DIR) + "/fuzz/text/device-ring-out-of-order.txt");
    ASSERT_FALSE(text.empty());
    ExpectStable(text);
}

// Two tanks on one outlet: each gives the outlet its level as head, and the line order decided which
// one stayed; exported sorted, the other one won on reopening.
TEST_F(TextRoundTrip, TanksSharingAnOutletGiveItTheLevelOfTheHighestIdentifier)
{
    const std::string text = ReadFile(std::string(QEN_TEST_DATA_DIR) + "/fuzz/text/tanks-on-one-outlet.txt");
    ASSERT_FALSE(text.empty());
    ExpectStable(text);

    ZDocument doc;
    Import("BEGIN NODE\nO 0 0\nEND\nBEGIN TANK\nT2 O I2 0 0 1 0 9 5\nT1 O I1 0 0 1 0 9 3\nEND\n", doc);
    EXPECT_EQ(doc.GetNetwork().FindNode("O")->NodeHydrElev, 5.0);
    EXPECT_EQ(doc.GetNetwork().FindNode("I1")->NodeHydrElev, 3.0);
    EXPECT_EQ(doc.GetNetwork().FindNode("I2")->NodeHydrElev, 5.0);
}

// Identifiers the reader cannot take back are refused by the writer, but only where they stand: a
// tank's inner node "//2_IN" sits inside its TANK line, where "//" starts no comment.
TEST_F(TextRoundTrip, IdentifiersAreRefusedForExportOnlyWhereTheyWouldNotReadBack)
{
    const std::string text = ReadFile(std::string(QEN_TEST_DATA_DIR) + "/fuzz/text/tank-inner-node-like-a-comment.txt");
    ASSERT_FALSE(text.empty());
    ExpectStable(text);

    ZDocument doc;
    Import("BEGIN NODE\nA 0 0\nB 1 1\nEND\n", doc);
    auto* a = doc.GetNetwork().FindNode("A");
    auto* pipe = new ZPipeLink;
    pipe->SetId("end");
    pipe->SetVertices({{5, 5}});
    doc.GetNetwork().AddLink(a, doc.GetNetwork().FindNode("B"), pipe);
    EXPECT_THROW(Export(doc), ArchiveError);   // alone on its PIPEPOINT line it would end the section
    pipe->SetVertices({});
    EXPECT_NO_THROW(Export(doc));   // at the start of a PIPE line it reads back
    auto* node = new ZConsumeNode;
    node->SetId("//C");
    doc.GetNetwork().AddNode(node);
    EXPECT_THROW(Export(doc), ArchiveError);   // a NODE line starting with "//" is a comment
}
