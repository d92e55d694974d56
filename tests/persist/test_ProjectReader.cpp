// Hostile and damaged project files: each case once loaded silently wrong (NaN results, an empty
// network from a one-byte change, out-of-range settings) or gave a message without the file.
#include "ProjectFileTestUtil.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <filesystem>
#include <limits>

namespace {
const char* kName = "hostile.wnp";

// The error of a refused file; fails the test when the file loads.
ArchiveError Refused(const std::string& bytes)
{
    ZDocument doc;
    try {
        ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), kName, doc);
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), kName);
        EXPECT_EQ(doc.GetNetwork().NodeCount(), 0);
        return e;
    }
    ADD_FAILURE() << "loaded";
    return ArchiveError(ArchiveError::None, "");
}

bool Loads(const std::string& bytes)
{
    ZDocument doc;
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), kName, doc);
    return true;
}

// Replaces the one occurrence of the marker value's bytes.
std::string Patch(std::string bytes, double marker, double value)
{
    const std::string from = LeBytes().F(marker).s, to = LeBytes().F(value).s;
    const size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos);
    EXPECT_EQ(bytes.find(from, at + 1), std::string::npos);
    return at == std::string::npos ? bytes : bytes.replace(at, 8, to);
}

// Where the node count stands: after the header, the extents and the settings.
size_t NetworkOffset(const ZDocument& doc)
{
    const ZDrawSettings& ds = doc.GetDrawSettings();
    size_t at = (doc.GetFileVersion() > ZDocument::Version1 ? 104 : 0) + 32;
    for (const auto* t :
         {&ds.NodeElevGrades, &ds.NodeFlowGrades, &ds.NodeFreeHeadGrades, &ds.NodeHeadGrades, &ds.PipeDiamGrades,
          &ds.PipeFlowGrades, &ds.PipeHLossGrades, &ds.PipeSlopeGrades, &ds.PipeVeloGrades})
        at += 2 + 8 * t->size();
    return at + 100;
}

// Two nodes and a pipe, with marker values in the fields the tests damage.
std::string Sample(uint32_t version = ZDocument::HighestVersion)
{
    ZDocument doc;
    doc.SetFileVersion(version);
    ViewExtent e;
    e.left = -777.25;
    e.right = 1000;
    e.bottom = 0;
    e.top = 900;
    doc.SetExtents(e);
    ZConsumeNode* a = AddNode(doc, "J1", 10, 20);
    ZConsumeNode* b = AddNode(doc, "J2", 30, 40);
    a->NodeGrunElev = 1234.5678;
    ZPipeLink* p = AddLink(doc, "P1", a, b);
    p->PipeDiam = 0.3141;
    return ProjectFile::Serialize(doc);
}

// A 2.0 file whose settings block is rewritten after `change`.
std::string WithSettings(const std::function<void(ZDrawSettings&)>& change)
{
    ZDocument doc;
    ZDrawSettings& ds = doc.GetDrawSettings();
    for (auto* t :
         {&ds.NodeElevGrades, &ds.NodeFlowGrades, &ds.NodeFreeHeadGrades, &ds.NodeHeadGrades, &ds.PipeDiamGrades,
          &ds.PipeFlowGrades, &ds.PipeHLossGrades, &ds.PipeSlopeGrades, &ds.PipeVeloGrades})
        t->clear();
    std::string bytes = ProjectFile::Serialize(doc);
    // Rebuild the settings block by hand from the (valid) document, then apply the change.
    ZDrawSettings s = ds;
    change(s);
    LeBytes b;
    b.D(s.Params.CheckFlags).D(uint32_t(s.Params.MaxIterations)).F(s.Params.ParamA).F(s.Params.ParamB);
    b.F(s.Params.FlowTolerance).F(s.Params.HeadTolerance).F(s.Params.AccidentFactor);
    b.D(s.Balanced).D(s.SpareWord1).D(s.SpareWord2).D(s.NodeGradeOn).D(s.PipeGradeOn).D(s.SpareWord3);
    b.D(uint32_t(s.CalcCase)).D(uint32_t(s.NodeGradeMode)).D(uint32_t(s.PipeGradeMode)).D(uint32_t(s.ContourKind));
    b.D(s.ContourOption).F(s.ContourInterval);
    const size_t at = 104 + 32 + 9 * 2;
    return bytes.replace(at, b.s.size(), b.s);
}
}   // namespace

TEST(ProjectReader, NonFiniteNumbersAreRefusedNamingObjectAndField)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, -inf}) {
        const std::string node = Refused(Patch(Sample(), 1234.5678, bad)).what();
        EXPECT_NE(node.find("node \"J1\": NodeGrunElev"), std::string::npos) << node;
        const std::string pipe = Refused(Patch(Sample(), 0.3141, bad)).what();
        EXPECT_NE(pipe.find("pipe \"P1\": PipeDiam"), std::string::npos) << pipe;
    }
    const std::string extents = Refused(Patch(Sample(), -777.25, nan)).what();
    EXPECT_NE(extents.find("extents"), std::string::npos) << extents;
    EXPECT_TRUE(Loads(Patch(Sample(), 1234.5678, 1e308)));   // extreme but finite
}

// A one-byte change of the node count turned a file into an empty network, dropping the rest.
TEST(ProjectReader, BytesAfterTheArchiveAreRefused)
{
    for (uint32_t version : {ZDocument::Version1, ZDocument::HighestVersion}) {
        const std::string good = Sample(version);
        EXPECT_TRUE(Loads(good));
        const ArchiveError e = Refused(good + "x");
        EXPECT_EQ(e.GetCause(), ArchiveError::BadIndex);
        EXPECT_NE(std::string(e.what()).find("1 bytes after the end"), std::string::npos) << e.what();
    }
    std::string emptied = Sample();
    const size_t count = NetworkOffset(ZDocument());
    ASSERT_EQ(emptied.substr(count, 2), LeBytes().W(2).s);
    emptied[count] = 0;   // the node count
    // Either the damaged array is refused or the bytes after it are; never an empty network.
    EXPECT_NE(Refused(emptied).GetCause(), ArchiveError::None);
}

TEST(ProjectReader, HeaderVersionsOtherThanOneAndTwoAreRefused)
{
    std::string bytes = Sample();
    for (uint32_t v : {0x00000000u, 0x00010001u, 0x00018000u, 0x00020001u, 0x00030000u}) {
        const std::string word = LeBytes().D(v).s;
        const ArchiveError e = Refused(bytes.replace(4, 4, word));
        EXPECT_EQ(e.GetCause(), ArchiveError::BadIndex) << v;
    }
    std::string withHeader = Sample();
    withHeader.replace(4, 4, LeBytes().D(ZDocument::Version1).s);
    // A header that says 1.0: no named views and no bitmap follow, so the last four bytes go too.
    withHeader.resize(withHeader.size() - 4);
    EXPECT_TRUE(Loads(withHeader));
}

// A stored pass limit of -5 ran no pass at all; other settings out of range stopped qen-cli with
// a usage error and no file name.
TEST(ProjectReader, StoredSettingsOutOfRangeAreFileErrors)
{
    EXPECT_TRUE(Loads(WithSettings([](ZDrawSettings&) {})));
    const std::pair<const char*, std::function<void(ZDrawSettings&)>> cases[] = {
        {"MaxIterations", [](ZDrawSettings& s) { s.Params.MaxIterations = -2; }},
        {"HeadTolerance", [](ZDrawSettings& s) { s.Params.HeadTolerance = 0.0; }},
        {"FlowTolerance", [](ZDrawSettings& s) { s.Params.FlowTolerance = -1.0; }},
        {"AccidentFactor", [](ZDrawSettings& s) { s.Params.AccidentFactor = 1.5; }},
        {"CalcCase", [](ZDrawSettings& s) { s.CalcCase = 3; }},
        {"NodeGradeMode", [](ZDrawSettings& s) { s.NodeGradeMode = -1; }},
        {"PipeGradeMode", [](ZDrawSettings& s) { s.PipeGradeMode = 5; }},
        {"ContourKind", [](ZDrawSettings& s) { s.ContourKind = 2; }},
        {"ContourInterval", [](ZDrawSettings& s) { s.ContourInterval = 0.0; }},
    };
    for (const auto& [field, change] : cases) {
        const std::string what = Refused(WithSettings(change)).what();
        EXPECT_NE(what.find(field), std::string::npos) << what;
        EXPECT_NE(what.find(kName), std::string::npos) << what;
    }
    EXPECT_TRUE(Loads(WithSettings([](ZDrawSettings& s) { s.Params.MaxIterations = -1; })));
}

TEST(ProjectReader, RawBytesInMessagesAreEscaped)
{
    LeBytes net;
    net.W(1).Class("Z\x1b[2J\xff\n");
    std::string bytes = Sample();
    const size_t at = NetworkOffset(ZDocument());
    const std::string what = Refused(bytes.substr(0, at) + net.s).what();
    EXPECT_EQ(what.find('\x1b'), std::string::npos);
    EXPECT_EQ(what.find('\n'), std::string::npos);
    EXPECT_NE(what.find("Z\\x1B[2J\\xFF\\x0A"), std::string::npos) << what;
}

TEST(ProjectReader, WritersRefuseWhatTheReaderRefuses)
{
    ZDocument doc;
    AddNode(doc, "J1")->NodeGrunElev = std::numeric_limits<double>::quiet_NaN();
    const auto target = std::filesystem::temp_directory_path() / "qen-nan-never-written.wnp";
    std::filesystem::remove(target);
    try {
        ProjectFile::SaveFile(target.string(), doc);
        ADD_FAILURE() << "saved";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), target.string());
    }
    EXPECT_FALSE(std::filesystem::exists(target));

    ZDocument settings;
    settings.GetDrawSettings().Params.MaxIterations = -7;
    EXPECT_THROW(ProjectFile::Serialize(settings), ArchiveError);
}
