// Numbers in the messages of readers and writers keep their decimal point under a locale whose
// decimal mark is a comma, as in the desktop program started under such a locale.
#include "CommaLocale.h"
#include "TestNet.h"

#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/epanet/EpanetFile.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {
std::string SaveProblem(const ZDocument& doc)
{
    try {
        ProjectFile::Serialize(doc);
    } catch (const ArchiveError& e) {
        return e.what();
    }
    return {};
}
}   // namespace

TEST(MessageNumbers, ProjectSettingsOutOfRangeAreNamedWithTheirValue)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    struct Case {
        void (*damage)(ZDrawSettings&);
        const char* text;
    };
    const Case cases[] = {
        {[](ZDrawSettings& s) { s.Params.HeadTolerance = -0.25; }, "HeadTolerance -0.25 is outside"},
        {[](ZDrawSettings& s) { s.Params.FlowTolerance = -1.5; }, "FlowTolerance -1.5 is outside"},
        {[](ZDrawSettings& s) { s.Params.AccidentFactor = 1.75; }, "AccidentFactor 1.75 is outside"},
        {[](ZDrawSettings& s) { s.ContourInterval = -0.5; }, "ContourInterval -0.5 is outside"},
    };
    for (const Case& c : cases) {
        ZDocument doc;
        c.damage(doc.GetDrawSettings());
        const std::string problem = SaveProblem(doc);
        EXPECT_NE(problem.find(c.text), std::string::npos) << problem;
    }
}

TEST(MessageNumbers, TextExportNamesAValueItCannotConvert)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    ZDocument doc;
    TestNet t(doc.GetNetwork());
    t.Pipe("P", t.Source("R", 30.0), t.Node("A"), 1000.0, 1.5e307);   // finite in metres, not in mm
    const UnitSystem units;
    std::ostringstream out;
    try {
        TextExchange::Export(out, doc, units);
        FAIL() << "exported " << out.str();
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("数值 1.5e+307 换算为 mm"), std::string::npos) << e.what();
    }
}

TEST(MessageNumbers, EpanetImportReportKeepsDecimalPoints)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    ZDocument doc;
    const auto r = EpanetFile::Import("[JUNCTIONS]\nA 0\nB 0\n[RESERVOIRS]\nR 10\n[PIPES]\nP1 R A 10 300 100\n"
                                      "[OPTIONS]\nUNITS LPS\nDEMAND MULTIPLIER 1.5\n",
                                      "t.inp", doc, ZTemplateSet(), 2.5);
    const std::string text = r.report.Text();
    EXPECT_NE(text.find("需水量取第 2.5 小时 (需水量倍数 1.5)"), std::string::npos) << text;
}
