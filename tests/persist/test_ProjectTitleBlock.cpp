#include "ProjectFileTestUtil.h"
#include "model/GbkCodec.h"
#include "model/ZProjectTitle.h"
#include "model/ZProjectTitleEdit.h"
#include "model/ZTimeData.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
void TitleFill(ZDocument& doc)
{
    ZConsumeNode* a = AddNode(doc, "A");
    ZConsumeNode* b = AddNode(doc, "B", 100, 0);
    doc.GetNetwork().AddLink(a, b, new ZPipeLink);
    doc.GetNetwork().LinkAt(0)->SetId(GbkView("P"));
}

ZProjectTitle SampleTitle()
{
    ZProjectTitle t;
    t.Project = GbkCodec::FromUtf8("城北给水管网");
    t.Designer = GbkString(std::string("Li"));
    t.Date = GbkString(std::string("2026-12-10"));
    return t;
}

// The block as every reader sees it, written independently: tag, version, three GBK strings.
std::string TitleBlockBytes(uint32_t version = 1)
{
    LeBytes b;
    b.D(0x4C544954).D(version);
    b.B(12).Str(GbkCodec::FromUtf8("城北给水管网").Bytes()).B(2).Str("Li").B(10).Str("2026-12-10");
    return b.s;
}

void TitleLoad(const std::string& bytes, ZDocument& doc)
{
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "t.wnp", doc);
}
}   // namespace

// A document without a title block keeps the bytes of its version; with one it is a 2.1 file that
// ends in the block, and reads back as written.
TEST(ProjectTitleBlock, OnlyWrittenWhenThereIsOne)
{
    ZDocument doc;
    TitleFill(doc);
    const std::string plain = ProjectFile::Serialize(doc);
    EXPECT_EQ(plain.substr(4, 4), std::string("\x00\x00\x02\x00", 4));

    doc.GetProjectTitle() = SampleTitle();
    const std::string bytes = ProjectFile::Serialize(doc);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x01\x00\x02\x00", 4));
    const std::string block = TitleBlockBytes();
    ASSERT_GT(bytes.size(), block.size());
    EXPECT_EQ(bytes.substr(bytes.size() - block.size()), block);
    ZDocument back;
    TitleLoad(bytes, back);
    EXPECT_EQ(back.GetProjectTitle(), SampleTitle());
    EXPECT_EQ(ProjectFile::Serialize(back), bytes);

    doc.GetProjectTitle() = ZProjectTitle();
    EXPECT_EQ(ProjectFile::Serialize(doc), plain);
}

// The shipped example was written before title blocks: read and written again, byte for byte.
TEST(ProjectTitleBlock, ExampleWithoutOneKeepsItsBytes)
{
    const std::string path = std::string(QEN_SOURCE_DIR) + "/examples/town.wnp";
    ZDocument doc;
    ProjectFile::LoadFile(path, doc);
    EXPECT_TRUE(doc.GetProjectTitle().IsEmpty());
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string golden;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        golden.append(buf, n);
    std::fclose(f);
    EXPECT_EQ(ProjectFile::Serialize(doc), golden);
}

// After the time data, as the writer puts them; another version, a second block or a block
// before the time data is refused naming what is wrong.
TEST(ProjectTitleBlock, WithTimeDataAndRefusals)
{
    ZDocument doc;
    TitleFill(doc);
    doc.GetTimeData().Duration = 3600;
    doc.GetProjectTitle() = SampleTitle();
    const std::string bytes = ProjectFile::Serialize(doc);
    ZDocument back;
    TitleLoad(bytes, back);
    EXPECT_EQ(back.GetProjectTitle(), SampleTitle());
    EXPECT_EQ(back.GetTimeData().Duration, 3600);

    const std::string block = TitleBlockBytes();
    const std::string head = bytes.substr(0, bytes.size() - block.size());
    try {
        ZDocument d;
        TitleLoad(head + TitleBlockBytes(2), d);
        FAIL() << "version 2 read";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("title block version 2"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("t.wnp"), std::string::npos) << e.what();
    }
    ZDocument twice;
    EXPECT_THROW(TitleLoad(bytes + block, twice), ArchiveError);
}

// The edit puts the title in and takes it out again, as one undo step.
TEST(ProjectTitleBlock, EditIsUndoable)
{
    ZDocument doc;
    TitleFill(doc);
    doc.Perform(std::make_unique<ZProjectTitleEdit>(SampleTitle()));
    EXPECT_EQ(doc.GetProjectTitle(), SampleTitle());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.GetProjectTitle().IsEmpty());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetProjectTitle(), SampleTitle());
}
