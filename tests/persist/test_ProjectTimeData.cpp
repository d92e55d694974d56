#include "ProjectFileTestUtil.h"
#include "model/ZTimeData.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

namespace {
GbkString Id(const char* s)
{
    return GbkString(std::string(s));
}

void Fill(ZDocument& doc)
{
    ZConsumeNode* a = AddNode(doc, "A");
    ZConsumeNode* b = AddNode(doc, "B", 100, 0);
    doc.GetNetwork().AddLink(a, b, new ZPipeLink);
    doc.GetNetwork().LinkAt(0)->SetId(GbkView("P"));
}

ZTimeData SampleTimeData()
{
    ZTimeData d;
    d.Duration = 86400;
    d.HydraulicStep = 900;
    d.StartClock = 6 * 3600;
    d.DefaultPattern = Id("D");
    d.EnergyPrice = 0.5;
    d.Patterns = {{Id("D"), {1.0, 0.5}}};
    d.Demands = {{Id("B"), 0.002, {}}};
    ZTimeData::Control c;
    c.link = Id("P");
    c.action = ZTimeData::Control::Close;
    c.trigger = ZTimeData::Control::AtClockTime;
    c.time = 3600;
    d.Controls = {c};
    return d;
}

// The block every reader sees after the views and image of SampleTimeData(), written independently.
std::string SampleBlock(double firstFactor = 1.0)
{
    LeBytes b;
    b.D(0x454D4954).F(86400).F(900).F(3600).F(0).F(3600).F(0).F(21600);
    b.B(1).Str("D").F(0.5).B(0).F(75.0);
    b.W(1).B(1).Str("D").W(2).F(firstFactor).F(0.5);
    b.W(1).B(1).Str("B").F(0.002).B(0);
    b.W(0).W(0);
    b.W(1).B(1).Str("P").D(1).F(0.0).D(1).F(3600).B(0).F(0.0);
    return b.s;
}

std::string Save(const ZDocument& doc)
{
    return ProjectFile::Serialize(doc);
}

void Load(const std::string& bytes, ZDocument& doc)
{
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "t.wnp", doc);
}
}   // namespace

// Time data make a 2.1 file whose last bytes are the block; read back as written.
TEST(ProjectTimeData, WrittenAfterTheImageAndReadBack)
{
    ZDocument doc;
    Fill(doc);
    doc.GetTimeData() = SampleTimeData();
    const std::string bytes = Save(doc);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x01\x00\x02\x00", 4));
    const std::string block = SampleBlock();
    ASSERT_GT(bytes.size(), block.size());
    EXPECT_EQ(bytes.substr(bytes.size() - block.size()), block);
    ZDocument back;
    Load(bytes, back);
    EXPECT_EQ(back.GetTimeData(), SampleTimeData());
    EXPECT_EQ(Save(back), bytes);
}

// Without time data nothing changes: a 2.0 file without the block.
TEST(ProjectTimeData, AbsentWithoutTimeData)
{
    ZDocument doc;
    Fill(doc);
    const std::string bytes = Save(doc);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x00\x02\x00", 4));
    EXPECT_EQ(bytes.find("TIME"), std::string::npos);
    ZDocument back;
    Load(bytes, back);
    EXPECT_TRUE(back.GetTimeData().IsEmpty());
}

// Bad time data are refused by the reader (naming the field) and never written.
TEST(ProjectTimeData, BadDataRefusedBothWays)
{
    ZDocument doc;
    Fill(doc);
    doc.GetTimeData() = SampleTimeData();
    std::string bytes = Save(doc);
    const std::string good = SampleBlock(), bad = SampleBlock(-1.0);
    bytes.replace(bytes.size() - good.size(), good.size(), bad);
    ZDocument back;
    try {
        Load(bytes, back);
        ADD_FAILURE() << "a negative factor was read";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("Factors"), std::string::npos) << e.what();
    }
    // Other bytes after the image stay refused.
    bytes.replace(bytes.size() - bad.size(), 4, "XXXX");
    EXPECT_THROW(Load(bytes, back), ArchiveError);

    doc.GetTimeData().Patterns[0].factors.clear();
    try {
        Save(doc);
        ADD_FAILURE() << "a pattern without factors was written";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("not saved"), std::string::npos) << e.what();
    }
}
