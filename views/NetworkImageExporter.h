#pragma once
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <limits>

class QPainter;
class ZDocument;
class ZNetCanvas;
class ZSettingsStore;

// Draws a document as the graphic view shows it at zoom extents, without a window: into an image,
// a PNG file or a one-page PDF of a given size.
class NetworkImageExporter {
public:
    NetworkImageExporter(ZDocument& doc, const ZSettingsStore& settings) : m_doc(doc), m_settings(settings) {}

    // Reads a project file, or a text file when the name ends in "txt" (any case). False with
    // the reason in `error` (UTF-8) when the file can not be read.
    static bool Load(const QString& path, ZDocument& doc, const ZSettingsStore& settings, QString& error);
    // Balances in the document's stored case; false with the message when it does not converge.
    bool Balance(QString& error);
    // Switches contours of the kind (0 head, 1 free head) on and generates them, with the file's
    // interval when `interval` is not given (NaN), or a readable one in its place when the file's
    // gives too many levels (said in `note`); false with the reason.
    bool Contours(int kind, double interval, QString& error, QString* note = nullptr);

    // Nodes coloured by free head and pipes by velocity with the document's grade tables, and the
    // key to the colours drawn beside the network (as for any document whose grading is on);
    // false with the reason without balancing results.
    bool ShowGrades(QString& error);

    QImage Render(const QSize& size) const;
    // Sets the canvas to show the document at zoom extents on a device of this size and resolution.
    void Fit(ZNetCanvas& canvas, const QSize& size, int dpiX, int dpiY, bool printing) const;
    // Paints into any device: `size` in device pixels at the given resolution.
    void Paint(QPainter& painter, const QSize& size, int dpiX, int dpiY, bool printing) const;
    bool SavePng(const QString& path, const QSize& size) const;
    // A PDF page with the drawing filling it; `size` is the drawing's size in pixels at 96 dpi.
    bool SavePdf(const QString& path, const QSize& size) const;

    // The whole command: read `input`, balance when asked, draw contours of `contourKind` (-1:
    // none), grade colours with their key when asked, write `output` (.png or .pdf). Returns 0 on
    // success, else 1 with the reason in `message`.
    static int Run(const QString& input, const QString& output, const QSize& size, bool balance,
                   const ZSettingsStore& settings, QString& message, int contourKind = -1,
                   double contourInterval = std::numeric_limits<double>::quiet_NaN(), bool grades = false);
    // Where the grade key goes on a picture of this size: top right; empty without grading.
    static QRect LegendRect(const ZNetCanvas& canvas, const QSize& size);

private:
    ZDocument& m_doc;
    const ZSettingsStore& m_settings;
};
