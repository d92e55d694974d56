#include "ZReportPdfWriter.h"

#include "NetworkImageExporter.h"
#include "ZNetCanvas.h"
#include "ZPresentationMap.h"

#include "persist/AtomicFileWriter.h"
#include "report/ZReport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {
QString PdfQ(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QFont PdfFont(double points, bool bold = false)
{
    QFont f(ZNetCanvas::DefaultLabelFamilies());
    f.setPixelSize(static_cast<int>(std::lround(points * ZReportPdfWriter::Dpi / 72.0)));
    f.setBold(bold);
    return f;
}

// "流量 (l/s)" as two header lines: the name, then the unit.
QStringList PdfTitleLines(const std::string& title)
{
    const QString t = PdfQ(title);
    const qsizetype open = t.indexOf(QStringLiteral(" ("));
    if (open < 0)
        return {t};
    return {t.left(open), t.mid(open + 1)};
}
}   // namespace

// The flow of text down the pages: a cursor, the page count, and drawing only when a painter is given.
class ZReportPdfWriter::Layout {
public:
    Layout(QPdfWriter& pdf, QPainter* painter, int total, QString header)
        : m_pdf(pdf), m_painter(painter), m_total(total), m_header(std::move(header)),
          m_page(pdf.pageLayout().paintRectPixels(Dpi)), m_small(PdfFont(7)), m_smallMetrics(m_small, &pdf)
    {
        m_top = m_page.top() + m_smallMetrics.height() * 2;
        m_bottom = m_page.bottom() - m_smallMetrics.height() * 2;
        m_y = m_top;
        Decorate();
    }

    QPainter* Painter() const { return m_painter; }
    QPdfWriter& Device() const { return m_pdf; }
    int Left() const { return m_page.left(); }
    int Width() const { return m_page.width(); }
    int Y() const { return m_y; }
    int Bottom() const { return m_bottom; }
    int Pages() const { return m_number; }
    void Advance(int h) { m_y += h; }
    // Room for `h` more on this page, else a new page; true when a new page was begun.
    bool Need(int h)
    {
        if (m_y + h <= m_bottom || m_y == m_top)
            return false;
        NewPage();
        return true;
    }
    void NewPage()
    {
        if (m_painter)
            m_pdf.newPage();
        ++m_number;
        m_y = m_top;
        Decorate();
    }
    void Text(const QFont& font, const QString& text, int x, int baseline)
    {
        if (m_painter) {
            m_painter->setFont(font);
            m_painter->drawText(QPoint(x, baseline), text);
        }
    }

private:
    // The running header and the page number.
    void Decorate()
    {
        if (!m_painter)
            return;
        m_painter->setFont(m_small);
        m_painter->setPen(Qt::black);
        m_painter->drawText(QPoint(m_page.left(), m_page.top() + m_smallMetrics.ascent()), m_header);
        const int rule = m_page.top() + m_smallMetrics.height() + m_smallMetrics.height() / 4;
        m_painter->drawLine(m_page.left(), rule, m_page.right(), rule);
        const QString number = ZReportPdfWriter::tr("第 %1 页 / 共 %2 页").arg(m_number).arg(m_total);
        m_painter->drawText(QPoint(m_page.center().x() - m_smallMetrics.horizontalAdvance(number) / 2,
                                   m_page.bottom() - m_smallMetrics.descent()),
                            number);
    }

    QPdfWriter& m_pdf;
    QPainter* m_painter;
    int m_total;
    QString m_header;
    QRect m_page;
    QFont m_small;
    QFontMetrics m_smallMetrics;
    int m_top = 0, m_bottom = 0, m_y = 0;
    int m_number = 1;
};

namespace {
// Caption and value rows: the title block, the parameters, a case's summary.
void PdfItems(ZReportPdfWriter::Layout& l, const std::vector<std::pair<QString, QString>>& items)
{
    const QFont font = PdfFont(9);
    const QFontMetrics fm(font, &l.Device());
    int captionW = 0;
    for (const auto& i : items)
        captionW = std::max(captionW, fm.horizontalAdvance(i.first));
    captionW += fm.averageCharWidth() * 3;
    const int line = fm.height() * 5 / 4;
    for (const auto& i : items) {
        const QStringList lines = i.second.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        l.Need(line * static_cast<int>(std::max<qsizetype>(1, lines.size())));
        l.Text(font, i.first, l.Left() + fm.averageCharWidth(), l.Y() + fm.ascent());
        for (const QString& t : lines) {
            l.Text(font, t, l.Left() + captionW, l.Y() + fm.ascent());
            l.Advance(line);
        }
        if (lines.isEmpty())
            l.Advance(line);
    }
}

void PdfHeading(ZReportPdfWriter::Layout& l, const QString& text, double points = 11)
{
    const QFont font = PdfFont(points, true);
    const QFontMetrics fm(font, &l.Device());
    l.Need(fm.height() * 4);   // never alone at the foot of a page
    l.Advance(fm.height() / 2);
    l.Text(font, text, l.Left(), l.Y() + fm.ascent());
    l.Advance(fm.height() * 3 / 2);
}

void PdfTable(ZReportPdfWriter::Layout& l, const ZReportTable& t)
{
    PdfHeading(l, PdfQ(t.name));
    const QFont font = PdfFont(7);
    const QFont bold = PdfFont(7, true);
    const QFontMetrics fm(font, &l.Device());
    const QFontMetrics bm(bold, &l.Device());
    const int pad = fm.averageCharWidth();
    const size_t n = t.columns.size();
    // Widths from the titles and the longest text of each column, spread over the page.
    std::vector<QStringList> titles;
    std::vector<int> widths(n, 0);
    for (size_t c = 0; c < n; ++c) {
        titles.push_back(PdfTitleLines(t.columns[c]));
        for (const QString& line : titles.back())
            widths[c] = std::max(widths[c], bm.horizontalAdvance(line));
        size_t longest = 0;
        QString sample;
        for (const auto& row : t.rows) {
            const std::string shown = row[c].Shown();
            if (shown.size() > longest) {
                longest = shown.size();
                sample = PdfQ(shown);
            }
        }
        widths[c] = std::max(widths[c], fm.horizontalAdvance(sample)) + 2 * pad;
    }
    int total = 0;
    for (const int w : widths)
        total += w;
    const double stretch = static_cast<double>(l.Width()) / std::max(total, 1);
    std::vector<int> x(n + 1, l.Left());
    for (size_t c = 0; c < n; ++c)
        x[c + 1] = x[c] + static_cast<int>(widths[c] * (stretch < 1.0 ? stretch : std::min(stretch, 1.5)));

    const int row = fm.height() * 6 / 5;
    const int headerH = row * 2 + row / 3;
    auto header = [&] {
        QPainter* p = l.Painter();
        for (size_t c = 0; c < n; ++c)
            for (qsizetype i = 0; i < titles[c].size(); ++i)
                l.Text(bold, titles[c][i], x[c] + pad, l.Y() + static_cast<int>(i) * row + bm.ascent());
        if (p)
            p->drawLine(x[0], l.Y() + headerH - row / 6, x[n], l.Y() + headerH - row / 6);
        l.Advance(headerH);
    };
    l.Need(headerH + row * 3);
    header();
    for (const auto& r : t.rows) {
        if (l.Need(row))
            header();
        if (QPainter* p = l.Painter()) {
            p->setFont(font);
            const int base = l.Y() + fm.ascent();
            for (size_t c = 0; c < n && c < r.size(); ++c) {
                if (r[c].kind == ZReportCell::Empty)
                    continue;
                const QString s = PdfQ(r[c].Shown());
                const int left =
                    r[c].kind == ZReportCell::Number ? x[c + 1] - pad - fm.horizontalAdvance(s) : x[c] + pad;
                p->drawText(QPoint(left, base), s);
            }
        }
        l.Advance(row);
    }
    if (QPainter* p = l.Painter())
        p->drawLine(x[0], l.Y(), x[n], l.Y());
    l.Advance(row);
}

std::vector<std::pair<QString, QString>> PdfPairs(const std::vector<ZReportItem>& items)
{
    std::vector<std::pair<QString, QString>> out;
    for (const ZReportItem& i : items)
        out.emplace_back(PdfQ(i.first), PdfQ(i.second.Shown()));
    return out;
}
}   // namespace

int ZReportPdfWriter::Render(QPdfWriter& pdf, QPainter* painter, int totalPages) const
{
    const QString header =
        PdfQ(m_report.heading) +
        (m_report.title.project.empty() ? QString() : QStringLiteral("  ") + PdfQ(m_report.title.project));
    Layout l(pdf, painter, totalPages, header);
    {
        const QFont font = PdfFont(16, true);
        const QFontMetrics fm(font, &pdf);
        l.Advance(fm.height());
        l.Text(font, PdfQ(m_report.heading), l.Left() + (l.Width() - fm.horizontalAdvance(PdfQ(m_report.heading))) / 2,
               l.Y() + fm.ascent());
        l.Advance(fm.height() * 2);
    }
    PdfItems(l, {{ZReportPdfWriter::tr("工程名称"), PdfQ(m_report.title.project)},
                 {ZReportPdfWriter::tr("设计人"), PdfQ(m_report.title.designer)},
                 {ZReportPdfWriter::tr("日期"), PdfQ(m_report.title.date)}});
    PdfHeading(l, ZReportPdfWriter::tr("计算参数"));
    PdfItems(l, PdfPairs(m_report.parameters));
    for (const ZReportCase& c : m_report.cases) {
        PdfHeading(l, ZReportPdfWriter::tr("工况汇总: %1").arg(PdfQ(c.name)));
        PdfItems(l, PdfPairs(c.summary));
    }
    for (const ZReportSection& s : m_report.sections) {
        PdfHeading(l, PdfQ(s.name));
        PdfItems(l, PdfPairs(s.summary));
    }
    if (m_map && !m_report.cases.empty()) {
        l.NewPage();
        PdfHeading(l, ZReportPdfWriter::tr("管网平差图 (%1)").arg(PdfQ(m_report.cases.front().name)));
        if (painter) {
            const QRect area(l.Left(), l.Y(), l.Width(), l.Bottom() - l.Y());
            ZPresentationMap(*m_map, m_report.title).Paint(*painter, area, Dpi, true);
        }
    }
    for (const ZReportCase& c : m_report.cases) {
        for (const ZReportTable& t : c.tables) {
            l.NewPage();
            PdfTable(l, t);
        }
    }
    for (const ZReportSection& s : m_report.sections) {
        for (const ZReportTable& t : s.tables) {
            l.NewPage();
            PdfTable(l, t);
        }
    }
    return l.Pages();
}

bool ZReportPdfWriter::Write(const QString& path, QString* error) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(Dpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    pdf.setTitle(QString::fromStdString(m_report.heading));
    pdf.setCreator(QStringLiteral("QEN"));
    const int pages = Render(pdf, nullptr, 0);
    QPainter painter;
    if (!painter.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("%1: cannot draw the PDF pages").arg(path);
        return false;
    }
    Render(pdf, &painter, pages);
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("%1: cannot finish the PDF").arg(path);
        return false;
    }
    try {
        AtomicFileWriter::Write(path.toStdString(), bytes.toStdString());
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}
