#include "ZReportXlsxWriter.h"
#include "ZReport.h"

#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"

#include <xlsxwriter.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string_view>
#include <sstream>

namespace {
constexpr int kMaxWidth = 60;

// The first `chars` characters of a UTF-8 text (Excel counts a sheet name's characters).
std::string Utf8Prefix(const std::string& s, int chars)
{
    size_t at = 0;
    for (int n = 0; at < s.size(); ++n) {
        if (n == chars)
            return s.substr(0, at);
        ++at;
        while (at < s.size() && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80)
            ++at;
    }
    return s;
}   // a long note wraps in the cell rather than widening its column

// A file name in the temporary folder, removed with this object.
class TempFile {
public:
    TempFile()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "qen-report-XXXXXX").string();
        const int fd = mkstemp(templ.data());
        if (fd >= 0) {
            close(fd);
            m_path = templ;
        }
    }
    ~TempFile()
    {
        if (!m_path.empty())
            std::remove(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

class Book {
public:
    explicit Book(lxw_workbook* wb) : m_wb(wb)
    {
        m_bold = workbook_add_format(wb);
        format_set_bold(m_bold);
        m_heading = workbook_add_format(wb);
        format_set_bold(m_heading);
        format_set_font_size(m_heading, 14);
        m_wrap = workbook_add_format(wb);
        format_set_text_wrap(m_wrap);
        format_set_align(m_wrap, LXW_ALIGN_VERTICAL_TOP);
    }

    lxw_format* Number(int digits)
    {
        if (digits < 0)
            return nullptr;   // General: as many decimals as the value needs
        auto it = m_numbers.find(digits);
        if (it != m_numbers.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_wb);
        const std::string code = digits == 0 ? "0" : "0." + std::string(static_cast<size_t>(digits), '0');
        format_set_num_format(f, code.c_str());
        m_numbers.emplace(digits, f);
        return f;
    }

    void Cell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const ZReportCell& c)
    {
        if (c.kind == ZReportCell::Number)
            worksheet_write_number(ws, row, col, c.value, Number(c.digits));
        else if (c.kind == ZReportCell::Text)
            worksheet_write_string(ws, row, col, c.text.c_str(),
                                   c.text.find('\n') != std::string::npos ? m_wrap : nullptr);
    }

    std::string SheetName(const std::string& name) { return ZReportXlsxWriter::SheetName(name, m_sheets); }

    lxw_workbook* m_wb;
    lxw_format* m_bold;
    lxw_format* m_heading;
    lxw_format* m_wrap;
    std::map<int, lxw_format*> m_numbers;
    std::set<std::string> m_sheets;
};

void Widen(std::vector<int>& widths, size_t col, const std::string& text)
{
    if (widths.size() <= col)
        widths.resize(col + 1, 8);
    size_t start = 0;
    while (start <= text.size()) {   // the longest line of a wrapped text
        const size_t nl = std::min(text.find('\n', start), text.size());
        widths[col] = std::max(widths[col], ZReportXlsxWriter::TextWidth(text.substr(start, nl - start)) + 2);
        start = nl + 1;
    }
}

void SetWidths(lxw_worksheet* ws, const std::vector<int>& widths)
{
    for (size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), std::min(widths[c], kMaxWidth),
                             nullptr);
}

// Printed on A4 one page wide, the title row on every page, "第 N 页 / 共 M 页" at the foot
// (spreadsheet programs otherwise cut wide tables into strips of pages).
void PrintSetup(lxw_worksheet* ws, bool titleRow, const std::vector<int>& widths, const ZReportText& tr)
{
    worksheet_set_paper(ws, 9);   // A4
    int total = 0;
    for (const int w : widths)
        total += std::min(w, kMaxWidth);
    if (total > 90)   // about what fits across a portrait A4 page
        worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
    if (titleRow)
        worksheet_repeat_rows(ws, 0, 0);
    worksheet_set_footer(ws, ("&C" + tr.Format("第 %1 页 / 共 %2 页", {"&P", "&N"})).c_str());
}

void SummarySheet(Book& book, const ZReport& report)
{
    const ZReportText& tr = report.text;
    lxw_worksheet* ws = workbook_add_worksheet(book.m_wb, book.SheetName(tr("计算书")).c_str());
    std::vector<int> widths;
    lxw_row_t row = 0;
    worksheet_write_string(ws, row++, 0, report.heading.c_str(), book.m_heading);
    auto item = [&](const std::string& caption, const ZReportCell& value) {
        worksheet_write_string(ws, row, 0, caption.c_str(), nullptr);
        Widen(widths, 0, caption);
        book.Cell(ws, row, 1, value);
        Widen(widths, 1, value.Shown());
        ++row;
    };
    item(tr("工程名称"), ZReportCell::Str(report.title.project));
    item(tr("设计人"), ZReportCell::Str(report.title.designer));
    item(tr("日期"), ZReportCell::Str(report.title.date));
    ++row;
    worksheet_write_string(ws, row++, 0, tr("计算参数").c_str(), book.m_bold);
    for (const ZReportItem& i : report.parameters)
        item(i.first, i.second);
    for (const ZReportCase& c : report.cases) {
        ++row;
        worksheet_write_string(ws, row++, 0, tr.Format("工况汇总: %1", {c.name}).c_str(), book.m_bold);
        for (const ZReportItem& i : c.summary)
            item(i.first, i.second);
    }
    for (const ZReportSection& s : report.sections) {
        ++row;
        worksheet_write_string(ws, row++, 0, s.name.c_str(), book.m_bold);
        for (const ZReportItem& i : s.summary)
            item(i.first, i.second);
    }
    worksheet_freeze_panes(ws, 1, 0);
    SetWidths(ws, widths);
    PrintSetup(ws, false, widths, tr);
}

void TableSheet(Book& book, const ZReportTable& t, const ZReportText& tr)
{
    lxw_worksheet* ws = workbook_add_worksheet(book.m_wb, book.SheetName(t.name).c_str());
    std::vector<int> widths;
    for (size_t c = 0; c < t.columns.size(); ++c) {
        worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), t.columns[c].c_str(), book.m_bold);
        Widen(widths, c, t.columns[c]);
    }
    lxw_row_t row = 1;
    for (const std::vector<ZReportCell>& r : t.rows) {
        for (size_t c = 0; c < r.size(); ++c) {
            book.Cell(ws, row, static_cast<lxw_col_t>(c), r[c]);
            if (r[c].kind != ZReportCell::Empty)
                Widen(widths, c, r[c].Shown());
        }
        ++row;
    }
    worksheet_freeze_panes(ws, 1, 1);
    SetWidths(ws, widths);
    PrintSetup(ws, true, widths, tr);
}
}   // namespace

std::string ZReportXlsxWriter::SheetName(const std::string& name, std::set<std::string>& used)
{
    std::string base;
    for (const char ch : name)
        base += std::string_view("[]:*?/\\").find(ch) == std::string_view::npos ? ch : '_';
    for (int n = 1;; ++n) {
        const std::string suffix = n == 1 ? "" : " (" + std::to_string(n) + ")";
        std::string s = Utf8Prefix(base, 31 - static_cast<int>(suffix.size())) + suffix;
        if (used.insert(s).second)
            return s;
    }
}

int ZReportXlsxWriter::TextWidth(const std::string& utf8)
{
    int w = 0;
    for (const unsigned char ch : utf8) {
        if (ch < 0x80)
            w += 1;
        else if (ch >= 0xE0)   // the lead byte of a three- or four-byte character: CJK and the like
            w += 2;
        else if (ch >= 0xC0)
            w += 1;
    }
    return w;
}

void ZReportXlsxWriter::Write(const ZReport& report, const std::string& path)
{
    AtomicFileWriter::CheckTarget(path);   // refused before any work
    TempFile temp;
    if (temp.Path().empty())
        throw ArchiveError(ArchiveError::Generic, path, "cannot make a temporary file for the workbook");
    lxw_workbook* wb = workbook_new(temp.Path().c_str());
    if (!wb)
        throw ArchiveError(ArchiveError::Generic, path, "cannot start the workbook");
    Book book(wb);
    SummarySheet(book, report);
    for (const ZReportCase& c : report.cases)
        for (const ZReportTable& t : c.tables)
            TableSheet(book, t, report.text);
    for (const ZReportSection& s : report.sections)
        for (const ZReportTable& t : s.tables)
            TableSheet(book, t, report.text);
    const lxw_error err = workbook_close(wb);
    if (err != LXW_NO_ERROR)
        throw ArchiveError(ArchiveError::Generic, path, std::string("workbook: ") + lxw_strerror(err));
    std::ifstream in(temp.Path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof())
        throw ArchiveError(ArchiveError::Generic, path, "cannot read back the workbook");
    AtomicFileWriter::Write(path, bytes.str());
}
