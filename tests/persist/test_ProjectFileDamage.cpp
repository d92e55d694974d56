#include "ProjectFileTestUtil.h"
#include "model/ZPumpLink.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

namespace {
const char* kName = "damaged.wnp";

// Loads and returns the cause; -1 when the file loaded.
int CauseOf(const std::string& bytes, ZDocument& doc)
{
    try {
        ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), kName, doc);
        return -1;
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), kName);
        EXPECT_NE(std::string(e.what()).find(kName), std::string::npos);
        EXPECT_EQ(doc.GetNetwork().NodeCount(), 0);   // nothing half-loaded
        EXPECT_EQ(doc.GetNetwork().LinkCount(), 0);
        return e.GetCause();
    }
}

int CauseOf(const std::string& bytes)
{
    ZDocument doc;
    return CauseOf(bytes, doc);
}

// Everything of a 2.0 file before the network: header, extents, settings.
std::string Prefix()
{
    ZDocument empty;
    const std::string all = ProjectFile::Serialize(empty);
    return all.substr(0, all.size() - 8);   // node count, link count, view count, bitmap
}

std::string WithNetwork(const LeBytes& network, const std::string& tail = std::string("\0\0\0\0", 4))
{
    return Prefix() + network.s + tail;
}

std::string Sample()
{
    ZDocument doc;
    ZConsumeNode* a = AddNode(doc, "a");
    ZConsumeNode* b = AddNode(doc, "b");
    ZConsumeNode* c = AddNode(doc, "c");
    AddLink(doc, "p", a, b)->SetVertices({{1, 2}});
    AddLink<ZPumpLink>(doc, "u", b, c);
    doc.GetNamedViews().push_back({GbkView("view"), {0, 0, 1, 1}});
    std::vector<uint8_t> bmp(40, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[2] = 40;
    auto dib = std::make_unique<ZNetBkDib>();
    dib->SetBytes(bmp);
    doc.SetBkDib(std::move(dib));
    return ProjectFile::Serialize(doc);
}
}   // namespace

TEST(ProjectFileDamage, TruncatedAnywhereIsRefusedOrLoadsWithoutTheImage)
{
    const std::string full = Sample();
    const size_t imageStart = full.size() - 40;
    for (size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        ZDocument doc;
        const int cause = CauseOf(full.substr(0, n), doc);
        if (n < imageStart) {
            EXPECT_EQ(cause, ArchiveError::EndOfFile);
        } else {
            EXPECT_EQ(cause, -1);
            EXPECT_EQ(doc.GetBkDib(), nullptr);
            EXPECT_EQ(doc.GetNetwork().NodeCount(), 3);
        }
    }
    ZDocument doc;
    EXPECT_EQ(CauseOf(full, doc), -1);
    EXPECT_NE(doc.GetBkDib(), nullptr);
}

TEST(ProjectFileDamage, CountsAndLengthsBeyondTheFileAreRefusedBeforeAllocating)
{
    LeBytes hugeNodes;
    hugeNodes.W(0xFFFF).D(0xFFFFFFF0u);
    EXPECT_EQ(CauseOf(WithNetwork(hugeNodes)), ArchiveError::EndOfFile);

    LeBytes hugeVertices;
    hugeVertices.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).Class("ZPipeLink").Head("p", 0, 0).W(2);
    hugeVertices.W(0x8001).Head("b", 0x20, 1).W(4).NodeTail().W(0).W(0);
    hugeVertices.F(0).F(0).D(0).D(0).F(0).F(0.3).D(2).D(0).F(100).F(0.3).D(0x7FFFFFFF);
    EXPECT_EQ(CauseOf(WithNetwork(hugeVertices)), ArchiveError::EndOfFile);

    LeBytes hugeTable;
    hugeTable.W(0xFFFF).D(0x40000000u);   // a grade table of a billion doubles
    ZDocument empty;
    const std::string all = ProjectFile::Serialize(empty);
    EXPECT_EQ(CauseOf(all.substr(0, 104 + 32) + hugeTable.s), ArchiveError::EndOfFile);

    LeBytes hugeName;
    hugeName.W(0).W(0).W(1).Class("ZNamedView").B(0xFF).W(0xFFFF).D(0xFFFFFF00u);
    EXPECT_EQ(CauseOf(Prefix() + hugeName.s), ArchiveError::EndOfFile);

    LeBytes longId;
    longId.W(1).Class("ZConsumeNode").Head(std::string(20, 'x'), 0x20, 0).W(0).NodeTail();
    EXPECT_EQ(CauseOf(WithNetwork(longId)), ArchiveError::Generic);
}

TEST(ProjectFileDamage, UnknownClassesAndSchemas)
{
    LeBytes unknown;
    unknown.W(1).Class("ZFooNode");
    EXPECT_EQ(CauseOf(WithNetwork(unknown)), ArchiveError::BadClass);

    LeBytes longName;
    longName.W(1).Class(std::string(64, 'Z'));
    EXPECT_EQ(CauseOf(WithNetwork(longName)), ArchiveError::BadClass);

    LeBytes nodeSchema;
    nodeSchema.W(1).Class("ZConsumeNode", 2);
    EXPECT_EQ(CauseOf(WithNetwork(nodeSchema)), ArchiveError::BadSchema);

    std::string pump3 = Sample();
    pump3[pump3.find("ZPumpLink") - 4] = 3;
    EXPECT_EQ(CauseOf(pump3), ArchiveError::BadIndex);

    LeBytes newer;
    newer.D(0x00555555).D(0x00030000).Zeros(96);
    EXPECT_EQ(CauseOf(newer.s + Prefix().substr(104)), ArchiveError::BadIndex);
}

TEST(ProjectFileDamage, IndexesNotYetGivenAreRefused)
{
    LeBytes object;
    object.W(1).W(0x0009);
    EXPECT_EQ(CauseOf(WithNetwork(object)), ArchiveError::BadIndex);
    LeBytes cls;
    cls.W(1).W(0x8003);
    EXPECT_EQ(CauseOf(WithNetwork(cls)), ArchiveError::BadIndex);
    LeBytes bigCls;
    bigCls.W(1).W(0x7FFF).D(0x80000000u | 70000);
    EXPECT_EQ(CauseOf(WithNetwork(bigCls)), ArchiveError::BadIndex);
    LeBytes classAsObject;   // index 1 is the node class, not an object
    classAsObject.W(2).Class("ZConsumeNode").Head("a", 0x20, 0).W(0).NodeTail().W(0x0001);
    EXPECT_EQ(CauseOf(WithNetwork(classAsObject)), ArchiveError::BadIndex);
}

TEST(ProjectFileDamage, WrongClassWhereANodeALinkAViewOrTheBitmapMustStand)
{
    // Padding keeps the file long enough that the class check, not the end of the file, speaks.
    LeBytes linkInNodeArray;
    linkInNodeArray.W(1).Class("ZPipeLink");
    EXPECT_EQ(CauseOf(WithNetwork(linkInNodeArray)), ArchiveError::BadClass);

    LeBytes nodeAsFirstLink;   // node "a" names itself as its first link
    nodeAsFirstLink.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).W(0x0002).Zeros(200);
    EXPECT_EQ(CauseOf(WithNetwork(nodeAsFirstLink)), ArchiveError::BadClass);

    LeBytes linkAsStart;   // pipe whose start node is the pipe itself
    linkAsStart.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).Class("ZPipeLink").Head("p", 0, 0).W(0x0004).Zeros(200);
    EXPECT_EQ(CauseOf(WithNetwork(linkAsStart)), ArchiveError::BadClass);

    LeBytes viewAsNext;
    viewAsNext.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).Class("ZPipeLink").Head("p", 0, 0).W(2).W(0);
    viewAsNext.Class("ZNamedView").Zeros(200);
    EXPECT_EQ(CauseOf(WithNetwork(viewAsNext)), ArchiveError::BadClass);

    LeBytes nodeAsView;
    nodeAsView.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).W(0).NodeTail().W(0);
    LeBytes tail;
    tail.W(1).W(0x0002).W(0);
    EXPECT_EQ(CauseOf(WithNetwork(nodeAsView, tail.s)), ArchiveError::BadClass);

    LeBytes bitmapAsView;
    bitmapAsView.W(0).W(0).W(0).Class("ZNamedView");
    EXPECT_EQ(CauseOf(Prefix() + bitmapAsView.s), ArchiveError::BadClass);

    LeBytes viewInList;
    viewInList.W(0).W(0).W(1).Class("ZNetBkDib");
    EXPECT_EQ(CauseOf(Prefix() + viewInList.s), ArchiveError::BadClass);
}

TEST(ProjectFileDamage, InconsistentTopologyIsRefused)
{
    // Pipe a-b that node b lists but node a does not.
    LeBytes fixedArrays;
    fixedArrays.W(2).Class("ZConsumeNode").Head("a", 0x20, 0).W(0).NodeTail().W(0x8001).Head("b", 0x20, 1);
    fixedArrays.Class("ZPipeLink").Head("p", 0, 0).W(2).W(3).W(0).W(0).PipeTail().NodeTail();
    fixedArrays.W(1).W(0x0005);
    EXPECT_EQ(CauseOf(WithNetwork(fixedArrays)), ArchiveError::Generic);

    // A node reached through a link but missing from the node array.
    LeBytes outside;
    outside.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).Class("ZPipeLink").Head("p", 0, 0).W(2);
    outside.W(0x8001).Head("b", 0x20, 1).W(4).NodeTail().W(0).W(0).PipeTail().NodeTail();
    outside.W(1).W(4);
    EXPECT_EQ(CauseOf(WithNetwork(outside)), ArchiveError::Generic);

    // A link with one end only.
    LeBytes oneEnd;
    oneEnd.W(1).Class("ZConsumeNode").Head("a", 0x20, 0).Class("ZPipeLink").Head("p", 0, 0).W(2).W(0).W(0).W(0);
    oneEnd.PipeTail().NodeTail().W(1).W(4);
    EXPECT_EQ(CauseOf(WithNetwork(oneEnd)), ArchiveError::Generic);

    // The same node twice in the array, and two nodes with one identifier.
    LeBytes twice;
    twice.W(2).Class("ZConsumeNode").Head("a", 0x20, 0).W(0).NodeTail().W(2).W(0);
    EXPECT_EQ(CauseOf(WithNetwork(twice)), ArchiveError::Generic);
    LeBytes sameId;
    sameId.W(2)
        .Class("ZConsumeNode")
        .Head("a", 0x20, 0)
        .W(0)
        .NodeTail()
        .W(0x8001)
        .Head("a", 0x20, 1)
        .W(0)
        .NodeTail()
        .W(0);
    EXPECT_EQ(CauseOf(WithNetwork(sameId)), ArchiveError::Generic);
}

TEST(ProjectFileDamage, UnsortedArraysAreRestoredInOrder)
{
    LeBytes unsorted;
    unsorted.W(2)
        .Class("ZConsumeNode")
        .Head("b", 0x20, 0)
        .W(0)
        .NodeTail()
        .W(0x8001)
        .Head("a", 0x20, 1)
        .W(0)
        .NodeTail()
        .W(0);
    ZDocument doc;
    ASSERT_EQ(CauseOf(WithNetwork(unsorted), doc), -1);
    EXPECT_EQ(doc.GetNetwork().NodeAt(0)->IdView().Bytes(), "a");
    EXPECT_EQ(doc.GetNetwork().NodeAt(1)->GetIndex(), 1);
}

TEST(ProjectFileDamage, NegativeVertexCountMeansNoVertices)
{
    LeBytes net;
    net.W(2).Class("ZConsumeNode").Head("a", 0x20, 0).Class("ZPipeLink").Head("p", 0, 0).W(2);
    net.W(0x8001).Head("b", 0x20, 1).W(4).NodeTail().W(0).W(0);
    net.F(0).F(0).D(0).D(0).F(0).F(0.3).D(2).D(0).F(100).F(0.3).D(uint32_t(-5));
    net.NodeTail().W(5).W(1).W(4);
    ZDocument doc;
    ASSERT_EQ(CauseOf(WithNetwork(net), doc), -1);
    EXPECT_EQ(static_cast<ZPipeLink*>(doc.GetNetwork().LinkAt(0))->VertexCount(), 0);
}

TEST(ProjectFileDamage, BadImagesLoadAsNoBitmap)
{
    auto withImage = [](const std::string& image) {
        LeBytes b;
        b.W(0).W(0).W(0).Class("ZNetBkDib").F(0).F(0).F(1).F(1).Str(image);
        return Prefix() + b.s;
    };
    LeBytes notBmp;
    notBmp.Str("PK").D(40).Zeros(34);
    LeBytes tooLong;   // claims 4 GB, holds 40 bytes
    tooLong.Str("BM").D(0xFFFFFFF0u).Zeros(34);
    LeBytes tooSmall;
    tooSmall.Str("BM").D(6).Zeros(8);
    for (const std::string& image : {notBmp.s, tooLong.s, tooSmall.s, std::string("BM")}) {
        ZDocument doc;
        EXPECT_EQ(CauseOf(withImage(image), doc), -1);
        EXPECT_EQ(doc.GetBkDib(), nullptr);
    }
}

TEST(ProjectFileDamage, FileWithoutHeaderIsVersionOne)
{
    ZDocument doc;
    doc.SetFileVersion(ZDocument::Version1);
    AddLink(doc, "p", AddNode(doc, "a"), AddNode(doc, "b"));
    const std::string bytes = ProjectFile::Serialize(doc);
    ZDocument back;
    ASSERT_EQ(CauseOf(bytes, back), -1);
    EXPECT_EQ(back.GetFileVersion(), ZDocument::Version1);
    EXPECT_EQ(back.GetNetwork().LinkCount(), 1);
    EXPECT_EQ(CauseOf(std::string()), ArchiveError::EndOfFile);
}
