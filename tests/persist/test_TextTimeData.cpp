#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
const std::string kNet = "BEGIN NODE\nA\t0\t0\t0\t1\t1\t0\t0\nB\t1\t0\t0\t1\t1\t0\t0\nEND\n"
                         "BEGIN PIPE\nP\tA\tB\t10\t300\t100\t0\t0\nEND\n";
// Every kind of line, in the order the writer gives them.
// The comment is GBK, as every text of the file.
const std::string kSection = GbkCodec::FromUtf8("//延时模拟数据 (基本单位: 秒, m3/s, m, m3)\n").Bytes() +
                             "BEGIN TIMEDATA\n"
                             "DURATION\t86400\nHYDRAULICSTEP\t900\nPATTERNSTEP\t3600\nPATTERNSTART\t0\n"
                             "REPORTSTEP\t3600\nREPORTSTART\t0\nSTARTCLOCK\t21600\nDEFAULTPATTERN\tD\n"
                             "PRICE\t0.5\nEFFICIENCY\t75\n"
                             "PATTERN\tD\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\nPATTERN\tD\t0.25\n"
                             "DEMAND\tB\t0.002\nDEMAND\tA\t0.1\tD\nPUMPPATTERN\tPU\tD\n"
                             "TANKCURVE\tT\t0\t0\nTANKCURVE\tT\t2\t50\n"
                             "CONTROL\tP\tCLOSED\t0\tCLOCK\t3600\nCONTROL\tP\tOPEN\t0\tBELOW\tB\t12.5\nEND\n";

struct TimeText : ::testing::Test {
    UnitSystem units;
    ZTemplateSet templates;
    ZDocument doc;

    void Import(const std::string& text)
    {
        std::istringstream in(text);
        TextExchange::Import(in, "test.txt", doc, units, templates);
    }
    std::string Export() const
    {
        std::ostringstream out;
        TextExchange::Export(out, doc, units);
        return out.str();
    }
    int FailingLine(const std::string& text)
    {
        try {
            Import(text);
        } catch (const ArchiveError& e) {
            return e.Line();
        }
        return 0;
    }
};
}   // namespace

// The section reads into the document's time data and is written back byte for byte, at the end.
TEST_F(TimeText, SectionReadsAndWritesBack)
{
    Import(kNet + kSection);
    const ZTimeData& d = doc.GetTimeData();
    EXPECT_EQ(d.Duration, 86400);
    EXPECT_EQ(d.StartClock, 21600);
    ASSERT_EQ(d.Patterns.size(), 1u);
    EXPECT_EQ(d.Patterns[0].factors.size(), 13u);
    ASSERT_EQ(d.Demands.size(), 2u);
    EXPECT_TRUE(d.Demands[0].pattern.empty());
    ASSERT_EQ(d.TankCurves.size(), 1u);
    EXPECT_EQ(d.TankCurves[0].points.size(), 2u);
    ASSERT_EQ(d.Controls.size(), 2u);
    EXPECT_EQ(d.Controls[1].trigger, ZTimeData::Control::Below);
    EXPECT_EQ(d.Controls[1].value, 12.5);
    const std::string out = Export();
    ASSERT_GE(out.size(), kSection.size());
    EXPECT_EQ(out.substr(out.size() - kSection.size()), kSection);
}

// A file without time data has no section; importing one clears what the document held.
TEST_F(TimeText, AbsentWithoutTimeData)
{
    Import(kNet + kSection);
    Import(kNet);
    EXPECT_TRUE(doc.GetTimeData().IsEmpty());
    EXPECT_EQ(Export().find("TIMEDATA"), std::string::npos);
}

// Bad lines and data are refused naming the line; bad data are never written.
TEST_F(TimeText, BadDataRefused)
{
    const std::string head = kNet + "BEGIN TIMEDATA\n";   // the section starts on line 8
    EXPECT_EQ(FailingLine(head + "DURATION\t1.5\nEND\n"), 9);
    EXPECT_EQ(FailingLine(head + "PATTERN\tP\t1\tNAN\nEND\n"), 9);
    EXPECT_EQ(FailingLine(head + "CONTROL\tP\tSHUT\t0\tAT\t5\nEND\n"), 9);
    EXPECT_EQ(FailingLine(head + "FROBNICATE\t1\nEND\n"), 9);
    // Checked as a whole at its END: a negative factor, a zero step.
    EXPECT_EQ(FailingLine(head + "PATTERN\tP\t1\t-2\nEND\n"), 10);
    EXPECT_EQ(FailingLine(head + "REPORTSTEP\t0\nEND\n"), 10);
    Import(kNet);
    doc.GetTimeData().ReportStep = 0;
    EXPECT_THROW(Export(), ArchiveError);
}
