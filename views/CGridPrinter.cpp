#include "CGridPrinter.h"

#include "CQENGridModel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <vector>

namespace {

// Rows measured for the column widths: the first and the last ones stand for the table.
constexpr int kMeasuredRows = 400;

std::vector<double> ColumnWidths(const CQENGridModel& model, const QFontMetricsF& fm, double pad)
{
    const int rows = model.rowCount();
    const int cols = model.columnCount();
    std::vector<double> w(static_cast<size_t>(cols) + 1, 0.0);
    w[0] = fm.horizontalAdvance(QStringLiteral("%1").arg(std::max(rows, 10))) + 2 * pad;
    auto measure = [&](int r) {
        for (int c = 0; c < cols; ++c)
            w[static_cast<size_t>(c) + 1] =
                std::max(w[static_cast<size_t>(c) + 1],
                         fm.horizontalAdvance(model.data(model.index(r, c)).toString()) + 2 * pad);
    };
    for (int c = 0; c < cols; ++c)
        w[static_cast<size_t>(c) + 1] = fm.horizontalAdvance(model.headerData(c, Qt::Horizontal).toString()) + 2 * pad;
    for (int r = 0; r < std::min(rows, kMeasuredRows); ++r)
        measure(r);
    for (int r = std::max(kMeasuredRows, rows - kMeasuredRows / 4); r < rows; ++r)
        measure(r);
    return w;
}

}   // namespace

int CGridPrinter::Print(QPrinter& printer, const CQENGridModel& model, const QString& heading)
{
    QPainter p;
    if (!p.begin(&printer))
        return 0;
    QFont font(QStringLiteral("WenQuanYi Micro Hei"), 9);
    font.setStyleHint(QFont::SansSerif);
    p.setFont(font);
    const QFontMetricsF fm(p.font(), &printer);
    const double pad = fm.height() * 0.35;
    const double rowH = fm.height() * 1.5;
    const std::vector<double> widths = ColumnWidths(model, fm, pad);
    double tableW = 0.0;
    for (double w : widths)
        tableW += w;

    const QRectF page = printer.pageLayout()
                            .paintRectPixels(printer.resolution())
                            .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const double scale = tableW > page.width() ? page.width() / tableW : 1.0;
    // Lengths below are in the scaled system; the page is page / scale in it.
    const double pageW = page.width() / scale, pageH = page.height() / scale;
    const double headingH = rowH * 1.4, footH = rowH * 1.4;
    const int perPage = std::max(1, static_cast<int>((pageH - headingH - footH - rowH) / rowH));
    const int rows = model.rowCount();
    const int pages = std::max(1, (rows + perPage - 1) / perPage);
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), pages) : pages;

    QFont bold = font;
    bold.setBold(true);
    int printed = 0;
    for (int pg = from; pg <= to; ++pg) {
        if (printed > 0)
            printer.newPage();
        p.save();
        p.scale(scale, scale);
        p.setFont(bold);
        p.drawText(QRectF(0, 0, pageW, headingH), Qt::AlignLeft | Qt::AlignVCenter, heading);
        p.setFont(font);
        double y = headingH;
        // Title row.
        double x = 0.0;
        p.setPen(QPen(Qt::black, 0));
        p.fillRect(QRectF(0, y, tableW, rowH), QColor(225, 225, 225));
        for (size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, y, widths[c], rowH);
            p.drawRect(cell);
            if (c > 0)
                p.drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignCenter,
                           model.headerData(static_cast<int>(c) - 1, Qt::Horizontal).toString());
            x += widths[c];
        }
        y += rowH;
        const int first = (pg - 1) * perPage;
        const int last = std::min(rows, first + perPage);
        for (int r = first; r < last; ++r) {
            x = 0.0;
            for (size_t c = 0; c < widths.size(); ++c) {
                const QRectF cell(x, y, widths[c], rowH);
                p.drawRect(cell);
                if (c == 0) {
                    p.drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignRight | Qt::AlignVCenter,
                               QString::number(r + 1));
                } else {
                    const QModelIndex i = model.index(r, static_cast<int>(c) - 1);
                    const auto align = Qt::Alignment(model.data(i, Qt::TextAlignmentRole).value<Qt::Alignment>());
                    p.drawText(cell.adjusted(pad, 0, -pad, 0), align, model.data(i).toString());
                }
                x += widths[c];
            }
            y += rowH;
        }
        p.drawText(QRectF(0, pageH - footH, pageW, footH), Qt::AlignHCenter | Qt::AlignBottom, tr("第%1页").arg(pg));
        p.restore();
        ++printed;
    }
    p.end();
    return printed;
}
