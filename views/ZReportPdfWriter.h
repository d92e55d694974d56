#pragma once
#include <QCoreApplication>
#include <QString>

class NetworkImageExporter;
class QPainter;
class QPdfWriter;
struct ZReport;
struct ZReportTable;

// Writes the report as a PDF on A4 pages: the title block, parameters and case summaries, the
// map of the first case on a page of its own, then every table with its column titles repeated
// at the top of each page, and "第 N 页 / 共 M 页" under each page. The pages are counted in a
// first pass that lays them out without drawing. Written whole or not at all (atomic writer).
class ZReportPdfWriter {
    Q_DECLARE_TR_FUNCTIONS(ZReportPdfWriter)

public:
    // `map` draws the balanced network for the map page; null leaves the page out.
    ZReportPdfWriter(const ZReport& report, const NetworkImageExporter* map) : m_report(report), m_map(map) {}

    // False with the reason in `error` (UTF-8).
    bool Write(const QString& path, QString* error = nullptr) const;

    static constexpr int Dpi = 300;
    class Layout;   // the flow of text down the pages

private:
    // Lays out every page; draws them when `painter` is given. Returns the number of pages.
    int Render(QPdfWriter& pdf, QPainter* painter, int totalPages) const;

    const ZReport& m_report;
    const NetworkImageExporter* m_map;
};
