// The report in the reader's language: the caller's translation is applied to the report's own
// texts where they are made, never to the user's identifiers, and the workbook's sheet names stay
// what Excel takes whatever the translation makes of them.
#include "report/ZReportBuilder.h"
#include "report/ZReportText.h"
#include "report/ZReportXlsxWriter.h"

#include "TestNet.h"
#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"

#include <gtest/gtest.h>

#include <map>

namespace {
// Marks what it translates, so that what it was not given stays recognisable.
std::string Marked(const std::string& s)
{
    static const std::map<std::string, std::string> english{
        {"节点", "Node"}, {"最高时", "peak hour"}, {"水源 %1 供水量 (%2)", "Supply from source %1 (%2)"}};
    const auto it = english.find(s);
    return it != english.end() ? it->second : "<" + s + ">";
}
}   // namespace

TEST(ZReportText, FormatTranslatesTheTemplateNotItsParts)
{
    const ZReportText tr(Marked);
    EXPECT_EQ(tr.Format("水源 %1 供水量 (%2)", {"节点", "l/s"}), "Supply from source 节点 (l/s)");
    EXPECT_EQ(tr.WithUnit("节点", "m"), "Node (m)");
    EXPECT_EQ(tr.WithUnit("节点", ""), "Node");
    // Without a translation: the Chinese text as it is.
    EXPECT_EQ(ZReportText().Format("水源 %1 供水量 (%2)", {"R1", "l/s"}), "水源 R1 供水量 (l/s)");
}

TEST(ZReportText, ChoiceTakesTheItemOfTheTranslatedList)
{
    // As a translation does: what it does not know comes back as it is.
    const ZReportText tr([](const std::string& s) { return s == "开\n关" ? "On\nOff" : s == "乙" ? "B" : s; });
    EXPECT_EQ(tr.Choice("开\n关", 1), "Off");
    // A list the translation does not hold whole: the item alone.
    EXPECT_EQ(tr.Choice("甲\n乙", 1), "B");
    EXPECT_EQ(tr.Choice("甲\n乙", 0), "甲");
    EXPECT_EQ(ZReportText().Choice("甲\n乙", 0), "甲");
}

TEST(ZReportText, BuilderTranslatesItsTextsAndKeepsIdentifiers)
{
    ZDocument doc;
    TestNet t(doc.GetNetwork());
    const std::string id = GbkCodec::FromUtf8("节点").Bytes();   // an identifier that is also a report text
    t.Source(id, 50.0);
    t.Node("A", 0.01);
    t.Pipe("P1", t.N(id), t.N("A"));
    const UnitSystem units;
    ZReportBuilder::Options options;
    options.translate = Marked;
    const ZReport report = ZReportBuilder(doc, units).Build(options);
    EXPECT_EQ(report.heading, "<管网平差计算书>");
    ASSERT_EQ(report.cases.size(), 1u);
    EXPECT_EQ(report.cases[0].name, "peak hour");
    EXPECT_EQ(report.cases[0].tables[0].name, "Node-peak hour");
    bool supply = false;
    for (const ZReportItem& i : report.cases[0].summary)
        supply = supply || i.first == "Supply from source 节点 (" + units.FlowUnit().UnitName() + ")";
    EXPECT_TRUE(supply);
    bool kept = false;   // the identifier column holds the identifier as it is
    for (const auto& row : report.cases[0].tables[0].rows)
        kept = kept || row[0].text == "节点";
    EXPECT_TRUE(kept);
    EXPECT_EQ(report.text("计算参数"), "<计算参数>");   // kept for the writers
}

TEST(ZReportText, SheetNamesFitExcel)
{
    std::set<std::string> used;
    EXPECT_EQ(ZReportXlsxWriter::SheetName("Nodes-peak hour", used), "Nodes-peak hour");
    EXPECT_EQ(ZReportXlsxWriter::SheetName("Nodes-peak hour", used), "Nodes-peak hour (2)");
    EXPECT_EQ(ZReportXlsxWriter::SheetName("a/b:c", used), "a_b_c");
    const std::string longName(40, 'x');
    EXPECT_EQ(ZReportXlsxWriter::SheetName(longName, used), std::string(31, 'x'));
    std::string second(27, 'x');
    second.append(" (2)");
    EXPECT_EQ(ZReportXlsxWriter::SheetName(longName, used), second);
    // Characters, not bytes: 31 Chinese characters are 93 bytes and fit.
    std::string chinese;
    for (int i = 0; i < 35; ++i)
        chinese += "节";
    EXPECT_EQ(ZReportXlsxWriter::SheetName(chinese, used), chinese.substr(0, 31 * 3));
}
