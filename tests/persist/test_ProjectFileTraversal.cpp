#include "ProjectFileTestUtil.h"
#include "model/UnitSystem.h"
#include "model/ZTemplateSet.h"
#include "persist/project/ProjectFile.h"
#include "persist/project/ProjectWriter.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {
// The plain recursive order of the object archive, to hold the explicit-stack writer to it.
void WriteRecursive(ProjectWriter& w, const ZNetObject* obj)
{
    if (!w.BeginRef(obj))
        return;
    w.WriteHead(*obj);
    for (int i = 0; i < ProjectWriter::RefCount(*obj); ++i)
        WriteRecursive(w, ProjectWriter::RefAt(*obj, i));
    w.WriteTail(*obj);
}

std::string SaveRecursive(const ZDocument& doc)
{
    ProjectWriter w(doc);
    w.WriteHeader(doc.GetFileVersion());
    w.WriteExtents();
    w.WriteDrawSettings(doc.GetDrawSettings());
    const ZNetwork& net = doc.GetNetwork();
    w.Archive().Count(static_cast<uint32_t>(net.NodeCount()));
    for (const ZConsumeNode* n : net.Nodes())
        WriteRecursive(w, n);
    w.Archive().Count(static_cast<uint32_t>(net.LinkCount()));
    for (const ZFlowLink* l : net.Links())
        WriteRecursive(w, l);
    w.WriteViewsAndBitmap();
    return w.Archive().Bytes();
}

// Nodes 0..n-1 on a line, pipe i from node i to node i + 1: each node's first link leads on to the
// next node, so the depth-first order nests n objects deep.
void Chain(ZDocument& doc, int n)
{
    ZNetwork& net = doc.GetNetwork();
    char id[16];
    for (int i = 0; i < n; ++i) {
        auto* node = new ZConsumeNode;
        std::snprintf(id, sizeof id, "%07d", i);
        node->SetId(GbkView(std::string_view(id)));
        node->X = i;
        net.AppendNodeSorted(node);
    }
    for (int i = 0; i + 1 < n; ++i) {
        auto* p = new ZPipeLink;
        std::snprintf(id, sizeof id, "%07d", i);
        p->SetId(GbkView(std::string_view(id)));
        net.AppendLinkSorted(p);
        p->Connect(net.NodeAt(i), net.NodeAt(i + 1));
    }
}
}   // namespace

TEST(ProjectFileTraversal, ExplicitStackWritesTheRecursiveOrder)
{
    ZDocument chain;
    Chain(chain, 20000);   // indices pass 0x7FFF: long back-references
    EXPECT_EQ(ProjectFile::Serialize(chain), SaveRecursive(chain));

    for (const auto& e : std::filesystem::directory_iterator(std::string(QEN_TEST_DATA_DIR) + "/networks")) {
        if (e.path().extension() != ".txt")
            continue;
        SCOPED_TRACE(e.path().string());
        ZDocument doc;
        UnitSystem units;
        ZTemplateSet templates;
        TextExchange::LoadFile(e.path().string(), doc, units, templates);
        EXPECT_EQ(ProjectFile::Serialize(doc), SaveRecursive(doc));
    }
}

TEST(ProjectFileTraversal, MillionNodeChainNeedsNoDeepCallStack)
{
    constexpr int n = 1000000;
    ZDocument doc;
    Chain(doc, n);
    const std::string bytes = ProjectFile::Serialize(doc);
    ZDocument back;
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "chain.wnp", back);
    ASSERT_EQ(back.GetNetwork().NodeCount(), n);
    ASSERT_EQ(back.GetNetwork().LinkCount(), n - 1);
    const ZFlowLink* last = back.GetNetwork().LinkAt(n - 2);
    EXPECT_EQ(last->StartNode(), back.GetNetwork().NodeAt(n - 2));
    EXPECT_EQ(last->EndNode(), back.GetNetwork().NodeAt(n - 1));
    EXPECT_EQ(back.GetNetwork().NodeAt(n - 1)->X, n - 1);
    EXPECT_EQ(ProjectFile::Serialize(back), bytes);
}
