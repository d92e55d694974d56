#include "hydraulics/ZBalanceInfo.h"
#include "model/ZDocument.h"
#include "model/ZValveLink.h"
#include "model/ZTemplateSet.h"
#include "persist/epanet/EpanetFile.h"
#include "persist/epanet/InpExporter.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {
struct Case {
    const char* name;
    double tolerance;
};

// Imports NAME.inp, balances it in the peak-hour case and returns the largest head difference to
// what EPANET 2.2 computes for the same file, over the nodes both have.
double WorstHeadDifference(const std::string& name, int& compared, EpanetFile::ImportResult& result)
{
    const std::string base = std::string(QEN_TEST_DATA_DIR) + "/networks/" + name;
    ZDocument doc;
    result = EpanetFile::LoadFile(base + ".inp", doc, ZTemplateSet(), 0.0);
    doc.GetDrawSettings().Params = ZBalanceParams();
    doc.GetDrawSettings().Params.HeadTolerance = 1e-5;
    doc.GetDrawSettings().CalcCase = 0;
    ZBalanceInfo info(doc.GetDrawSettings(), doc.GetNetwork());
    info.Run();
    EXPECT_EQ(info.GetStatus(), ZBalanceInfo::Converged) << name;
    std::ifstream in(base + ".epanet-nodes.csv");
    std::string line;
    std::getline(in, line);
    double worst = 0;
    compared = 0;
    while (std::getline(in, line)) {
        std::stringstream ss(line);
        std::string id, head;
        std::getline(ss, id, ',');
        std::getline(ss, head, ',');
        for (char& c : id)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const ZConsumeNode* n = doc.GetNetwork().FindNode(GbkView(id));
        if (!n)
            continue;
        double expected = 0;
        std::from_chars(head.data(), head.data() + head.size(), expected);   // never the locale's
        worst = std::max(worst, std::fabs(n->NodeHydrElev - expected));
        ++compared;
    }
    return worst;
}
}   // namespace

// Every public network comes in without approximation: pump curves, closed links and L-TOWN's
// PRVs as EPANET has them.
TEST(EpanetNetworks, ImportedNetworksBalanceToEpanetsHeads)
{
    const Case cases[] = {{"Hanoi", 0.01}, {"KL", 0.01}, {"Net1", 0.01}, {"Net3", 0.01}, {"L-TOWN", 0.01}};
    for (const Case& c : cases) {
        int compared = 0;
        EpanetFile::ImportResult result;
        EXPECT_LT(WorstHeadDifference(c.name, compared, result), c.tolerance) << c.name;
        EXPECT_GT(compared, 10) << c.name;
    }
}

// L-TOWN's pressure-reducing valves come in as such, holding EPANET's settings, and the report
// no longer lists them as approximated.
TEST(EpanetNetworks, LTownKeepsItsPressureValves)
{
    ZDocument doc;
    const EpanetFile::ImportResult result =
        EpanetFile::LoadFile(std::string(QEN_TEST_DATA_DIR) + "/networks/L-TOWN.inp", doc, ZTemplateSet(), 0.0);
    const std::pair<const char*, double> prvs[] = {{"PRV-1", 40}, {"PRV-2", 50}, {"PRV-3", 35}};
    for (const auto& [id, setting] : prvs) {
        const auto* v = static_cast<const ZValveLink*>(doc.GetNetwork().FindLink(GbkView(id)));
        ASSERT_NE(v, nullptr) << id;
        EXPECT_EQ(v->GetValveType(), ZValveLink::Prv) << id;
        EXPECT_DOUBLE_EQ(v->ValveSetting, setting) << id;
    }
    for (const auto& item : result.report.Items())
        EXPECT_EQ(item.what.find("PRV"), std::string::npos) << result.report.Text();
}

// The example town holds what EPANET has no exact word for (a check valve, a pressure-reducing
// valve, fire flows): the export says so, and the file read back balances to the same heads.
TEST(EpanetNetworks, ExportedTownBalancesToTheSameHeads)
{
    ZDocument town;
    ProjectFile::LoadFile(std::string(QEN_SOURCE_DIR) + "/examples/town.wnp", town);
    InpExporter exporter(town);
    const std::string text = exporter.Write();
    const std::string report = exporter.Report().Text();
    EXPECT_NE(report.find("止回阀"), std::string::npos) << report;
    EXPECT_NE(report.find("PBV"), std::string::npos) << report;
    EXPECT_NE(report.find("消防水量"), std::string::npos) << report;
    ZDocument back;
    EpanetFile::Import(text, "town.inp", back, ZTemplateSet(), 0);
    EXPECT_EQ(back.GetNetwork().NodeCount(), town.GetNetwork().NodeCount());
    EXPECT_EQ(back.GetNetwork().LinkCount(), town.GetNetwork().LinkCount());
    for (ZDocument* d : {&town, &back}) {
        d->GetDrawSettings().Params = ZBalanceParams();
        d->GetDrawSettings().Params.HeadTolerance = 1e-6;
        d->GetDrawSettings().CalcCase = 0;
        ZBalanceInfo info(d->GetDrawSettings(), d->GetNetwork());
        info.Run();
        ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    }
    int compared = 0;
    for (const ZConsumeNode* n : town.GetNetwork().Nodes()) {
        if (n->IsHidden())
            continue;
        const ZConsumeNode* m = back.GetNetwork().FindNode(n->IdView());
        ASSERT_NE(m, nullptr) << n->GetId();
        EXPECT_NEAR(m->NodeHydrElev, n->NodeHydrElev, 1e-4) << n->GetId();
        ++compared;
    }
    EXPECT_GT(compared, 40);
}
