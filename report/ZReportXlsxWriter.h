#pragma once
#include <set>
#include <string>

struct ZReport;

// Writes the report as an Excel workbook: a sheet with the title block, the parameters and each
// case's summary, then one sheet per table and case. Numbers are numbers with a number format of
// their decimals, the title rows are frozen and the columns are as wide as their texts. The
// workbook is made in a temporary file and put in place by the atomic writer, so a failure leaves
// the target as it was; errors throw ArchiveError naming the target.
class ZReportXlsxWriter {
public:
    static void Write(const ZReport& report, const std::string& path);
    // The width of a text in character cells: a CJK character takes two.
    static int TextWidth(const std::string& utf8);
    // `name` as a sheet may have it, noted in `used`: at most 31 characters, none of []:*?/\, and
    // unlike the sheets before it (a translation may shorten two names alike): "Name (2)".
    static std::string SheetName(const std::string& name, std::set<std::string>& used);
};
