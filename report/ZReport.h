#pragma once
#include "ZReportText.h"

#include <string>
#include <utility>
#include <vector>

// The calculation report as its writers see it: texts in UTF-8, numbers as doubles in the display
// units with the decimals they are shown with. The workbook and the PDF are drawn from one of these.
struct ZReportCell {
    enum Kind : unsigned char { Empty, Number, Text };
    Kind kind = Empty;
    double value = 0.0;
    int digits = -1;   // decimals shown; -1: as many as the value needs
    std::string text;

    static ZReportCell Num(double v, int digits)
    {
        ZReportCell c;
        c.kind = Number;
        c.value = v == 0.0 ? 0.0 : v;   // no "-0.00" for a negative zero
        c.digits = digits;
        return c;
    }
    static ZReportCell Str(std::string t)
    {
        ZReportCell c;
        c.kind = Text;
        c.text = std::move(t);
        return c;
    }
    // The text the PDF shows ("12.35"), as the workbook's number format shows the value.
    std::string Shown() const;
};

struct ZReportTable {
    std::string name;                   // the sheet's name and the section's heading
    std::vector<std::string> columns;   // titles with the unit: "流量 (l/s)"
    std::vector<std::vector<ZReportCell>> rows;
};

// A caption and its value: the parameters and a case's summary.
using ZReportItem = std::pair<std::string, ZReportCell>;

struct ZReportCase {
    int calcCase = 0;   // 0 peak hour, 1 fire, 2 accident
    std::string name;   // "最高时"
    int status = 0;     // ZBalanceInfo's status; -1 when the network is not connected
    bool converged = false;
    std::vector<ZReportItem> summary;
    std::vector<ZReportTable> tables;   // nodes, pipes, then pumps, valves and tanks when there are any
};

// A section beside the cases: the simulation's or a design check's summary and tables.
struct ZReportSection {
    std::string name;   // "延时模拟"
    std::vector<ZReportItem> summary;
    std::vector<ZReportTable> tables;
};

struct ZTitleBlock {
    std::string project, designer, date;   // UTF-8
    bool IsEmpty() const { return project.empty() && designer.empty() && date.empty(); }
};

struct ZReport {
    std::string heading = "管网平差计算书";
    ZReportText text;   // the writers' own texts (sheet names, headings) in the report's language
    ZTitleBlock title;
    std::vector<ZReportItem> parameters;
    std::vector<ZReportCase> cases;
    std::vector<ZReportSection> sections;   // after the cases
    bool stopped = false;                   // the progress observer asked to stop: write nothing
};
