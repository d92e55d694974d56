#include "ProjectFileTestUtil.h"
#include "model/ZTimeData.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

namespace saved_crs {
const std::string kWkt = "PROJCS[\"CGCS2000 / 3-degree Gauss-Kruger CM 117E\",AUTHORITY[\"EPSG\",\"4548\"]]";

void Fill(ZDocument& doc)
{
    ZConsumeNode* a = AddNode(doc, "A");
    ZConsumeNode* b = AddNode(doc, "B", 100, 0);
    doc.GetNetwork().AddLink(a, b, new ZPipeLink);
    doc.GetNetwork().LinkAt(0)->SetId(GbkView("P"));
}

std::string Save(const ZDocument& doc)
{
    return ProjectFile::Serialize(doc);
}

void Load(const std::string& bytes, ZDocument& doc)
{
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "t.wnp", doc);
}

// The block as every reader sees it, written independently: tag, then the text as an archive string.
std::string Block(const std::string& wkt)
{
    LeBytes b;
    b.D(0x20535243).B(static_cast<uint8_t>(wkt.size())).Str(wkt);
    return b.s;
}
}   // namespace saved_crs

// A system makes a 2.1 file ending in the block; without one the file is the 2.0 file it was, byte
// for byte, whatever the document once held.
TEST(SavedCrs, WrittenLastAndAbsentWithoutOne)
{
    ZDocument plain;
    saved_crs::Fill(plain);
    const std::string before = saved_crs::Save(plain);
    EXPECT_EQ(before.substr(4, 4), std::string("\x00\x00\x02\x00", 4));

    ZDocument doc;
    saved_crs::Fill(doc);
    doc.SetCrs(saved_crs::kWkt);
    const std::string bytes = saved_crs::Save(doc);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x01\x00\x02\x00", 4));
    const std::string block = saved_crs::Block(saved_crs::kWkt);
    ASSERT_GT(bytes.size(), block.size());
    EXPECT_EQ(bytes.substr(bytes.size() - block.size()), block);

    ZDocument back;
    saved_crs::Load(bytes, back);
    EXPECT_EQ(back.GetCrs(), saved_crs::kWkt);
    EXPECT_EQ(saved_crs::Save(back), bytes);

    back.SetCrs({});
    back.SetFileVersion(ZDocument::HighestVersion);
    EXPECT_EQ(saved_crs::Save(back), before);
}

// After time data the block comes last; both are read back.
TEST(SavedCrs, AfterTimeData)
{
    ZDocument doc;
    saved_crs::Fill(doc);
    doc.GetTimeData().Duration = 3600;
    doc.SetCrs(saved_crs::kWkt);
    const std::string bytes = saved_crs::Save(doc);
    EXPECT_EQ(bytes.substr(bytes.size() - saved_crs::Block(saved_crs::kWkt).size()), saved_crs::Block(saved_crs::kWkt));
    EXPECT_NE(bytes.find("TIME"), std::string::npos);
    ZDocument back;
    saved_crs::Load(bytes, back);
    EXPECT_EQ(back.GetCrs(), saved_crs::kWkt);
    EXPECT_EQ(back.GetTimeData().Duration, 3600);
}

// Text that is not printable ASCII is refused by the reader and never written; a second block too.
TEST(SavedCrs, BadTextRefusedBothWays)
{
    ZDocument doc;
    saved_crs::Fill(doc);
    doc.SetCrs(saved_crs::kWkt);
    std::string bytes = saved_crs::Save(doc);
    std::string bad = bytes;
    bad[bad.size() - 3] = '\x01';
    ZDocument back;
    try {
        saved_crs::Load(bad, back);
        ADD_FAILURE() << "a control character was read";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("coordinate system"), std::string::npos) << e.what();
    }
    EXPECT_THROW(saved_crs::Load(bytes + saved_crs::Block(saved_crs::kWkt), back), ArchiveError);

    doc.SetCrs("GEOGCS[\"\xB1\xB1\xBE\xA9\"]");
    try {
        saved_crs::Save(doc);
        ADD_FAILURE() << "non-ASCII text was written";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("not saved"), std::string::npos) << e.what();
    }
}
