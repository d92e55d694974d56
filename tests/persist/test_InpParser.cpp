#include "persist/ArchiveError.h"
#include "persist/epanet/InpParser.h"

#include <gtest/gtest.h>

namespace {
InpFile Parse(const std::string& text)
{
    return InpParser(text, "t.inp").Parse();
}

// The line number and a text the error must name.
void ExpectError(const std::string& text, int line, const std::string& fragment)
{
    try {
        Parse(text);
        ADD_FAILURE() << "no error for:\n" << text;
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Line(), line) << e.what();
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("t.inp"), std::string::npos) << e.what();
    }
}
}   // namespace

TEST(InpParser, ReadsSectionsInAnyCaseWithCommentsTabsAndEveryLineEnd)
{
    for (const std::string eol : {"\n", "\r\n", "\r"}) {
        const std::string text =
            "\xEF\xBB\xBF[title]" + eol + "Two nodes" + eol + "[Junctions]" + eol + ";ID elev demand" + eol +
            " J1\t10.5\t2 ;first" + eol + "[RESERVOIRS]" + eol + "R 50" + eol + "[pipes]" + eol +
            "P1 R J1 100 300 120 0 cv" + eol + "[options]" + eol + "Units LPS" + eol + "Demand Multiplier 1.5" + eol +
            "[Times]" + eol + "Pattern Timestep 2:30" + eol + "[END]" + eol + "[JUNCTIONS]" + eol + "ignored 1" + eol;
        const InpFile f = Parse(text);
        ASSERT_EQ(f.junctions.size(), 1u);
        EXPECT_EQ(f.junctions[0].id, "J1");
        EXPECT_DOUBLE_EQ(f.junctions[0].elevation, 10.5);
        EXPECT_DOUBLE_EQ(f.junctions[0].demand, 2);
        EXPECT_EQ(f.junctions[0].line, 5);
        ASSERT_EQ(f.pipes.size(), 1u);
        EXPECT_EQ(f.pipes[0].status, "CV");
        EXPECT_EQ(f.title, std::vector<std::string>{"Two nodes"});
        EXPECT_EQ(f.options.at("UNITS"), "LPS");
        EXPECT_EQ(f.options.at("DEMAND MULTIPLIER"), "1.5");
        EXPECT_EQ(f.times.at("PATTERN TIMESTEP"), "2:30");
    }
}

TEST(InpParser, KeepsLongAndQuotedIdentifiersAndListsSkippedSections)
{
    const std::string longId(31, 'a');
    const InpFile f =
        Parse("[JUNCTIONS]\n" + longId +
              " 1\n\"with space\" 2\n[RULES]\nRULE 1\n"
              "\n[REACTIONS]\n[CONTROLS]\nLINK 1 OPEN AT TIME 2\n[PUMPS]\nPU A B HEAD C1 SPEED 0.9 PATTERN P\n");
    ASSERT_EQ(f.junctions.size(), 2u);
    EXPECT_EQ(f.junctions[0].id, longId);
    EXPECT_EQ(f.junctions[1].id, "with space");
    EXPECT_EQ(f.skippedSections.at("[RULES]"), 1);
    EXPECT_EQ(f.skippedSections.at("[REACTIONS]"), 0);
    // Controls are kept as written, for the time data.
    ASSERT_EQ(f.controls.size(), 1u);
    EXPECT_EQ(f.controls[0].fields.size(), 6u);
    EXPECT_EQ(f.controls[0].line, 9);
    ASSERT_EQ(f.pumps.size(), 1u);
    EXPECT_EQ(f.pumps[0].headCurve, "C1");
    EXPECT_DOUBLE_EQ(f.pumps[0].speed, 0.9);
    EXPECT_EQ(f.pumps[0].speedPattern, "P");
}

TEST(InpParser, RefusesBrokenLinesNamingTheLine)
{
    ExpectError("[JUNCTIONS]\nJ1 1\nJ2 abc\n", 3, "标高");
    ExpectError("[JUNCTIONS]\nJ1 nan\n", 2, "标高");
    ExpectError("[JUNCTIONS]\nJ1 1e999\n", 2, "标高");
    ExpectError("[PIPES]\nP1 A B 100\n", 2, "字段不足");
    ExpectError("[PIPES]\nP1 A B 100 300 120 0 HALF\n", 2, "HALF");
    ExpectError("[VALVES]\nV1 A B 300 XYZ 10\n", 2, "XYZ");
    ExpectError("[PUMPS]\nPU A B SPEED 1\n", 2, "HEAD");
    ExpectError("J1 1\n", 1, "不在任何段内");
    ExpectError("[OPTIONS]\nUnits GPM\nHeadloss H-W\nUNITS lps\n", 4, "第2行的 GPM");
    ExpectError("[JUNCTIONS]\n" + std::string(32, 'x') + " 1\n", 2, "31");
}
