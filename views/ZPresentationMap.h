#pragma once
#include <QCoreApplication>
#include "report/ZReport.h"

#include <QRect>

class NetworkImageExporter;
class QPainter;
class ZNetCanvas;

// The map fit for a report or a print: the network as the graphic view draws it at zoom extents
// with its grade key, framed, a north arrow in its top left corner, and under it a scale bar with
// the scale of the page and the title block (project, designer, date). Drawn into any device.
class ZPresentationMap {
    Q_DECLARE_TR_FUNCTIONS(ZPresentationMap)

public:
    ZPresentationMap(const NetworkImageExporter& exporter, ZTitleBlock title)
        : m_exporter(exporter), m_title(std::move(title))
    {
    }

    // `rect` in device pixels of a device at `dpi`.
    void Paint(QPainter& painter, const QRect& rect, int dpi, bool printing) const;

    // The longest round length (1, 2 or 5 times a power of ten) not above `metres`.
    static double RoundLength(double metres);
    // "1:2500": a drawing at `metresPerPixel` on a device at `dpi`, rounded to three figures.
    static QString ScaleText(double metresPerPixel, int dpi);

private:
    void PaintNorthArrow(QPainter& painter, const QRect& box) const;
    void PaintScaleBar(QPainter& painter, const QRect& box, double metresPerPixel, int dpi) const;
    void PaintTitleBlock(QPainter& painter, const QRect& box) const;

    const NetworkImageExporter& m_exporter;
    ZTitleBlock m_title;
};
