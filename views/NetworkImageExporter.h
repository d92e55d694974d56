#pragma once
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "report/ZReport.h"

#include <limits>
#include <memory>

class QPainter;
class ZDocument;
class ZNetCanvas;
class ZResultColouring;
class ZSettingsStore;

// Draws a document as the graphic view shows it at zoom extents, without a window: into an image,
// a PNG file or a one-page PDF of a given size.
class NetworkImageExporter {
public:
    NetworkImageExporter(ZDocument& doc, const ZSettingsStore& settings) : m_doc(doc), m_settings(settings) {}
    const ZSettingsStore& Settings() const { return m_settings; }
    // Pictures and PDF pages then show the presentation map (ZPresentationMap): the drawing
    // framed, with north arrow, scale bar and this title block.
    void SetPresentation(const ZTitleBlock& title)
    {
        m_presentation = true;
        m_title = title;
    }

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
    // Analysis results coloured over the grades, with their key, as the graphic window shows them.
    void SetResultColouring(std::shared_ptr<const ZResultColouring> colouring) { m_colouring = std::move(colouring); }
    void Fit(ZNetCanvas& canvas, const QSize& size, int dpiX, int dpiY, bool printing) const;
    // Paints into any device: `size` in device pixels at the given resolution.
    void Paint(QPainter& painter, const QSize& size, int dpiX, int dpiY, bool printing) const;
    // Files are written whole or not at all, through the atomic writer (read-only and special
    // targets refused): false with the reason in `error`.
    bool SavePng(const QString& path, const QSize& size, QString* error = nullptr) const;
    // In an image format Qt writes ("png", "jpg", "bmp", ...), as `format` names it.
    bool SaveImage(const QString& path, const QSize& size, const QByteArray& format, QString* error = nullptr) const;
    // A PDF page with the drawing filling it; `size` is the drawing's size in pixels at 96 dpi.
    bool SavePdf(const QString& path, const QSize& size, QString* error = nullptr) const;

    // The format an output's extension names, lower case ("pdf" or an image format Qt writes);
    // empty when it names none of them.
    static QByteArray FormatOf(const QString& output);
    // "pdf, bmp, jpg, png, ...": what FormatOf accepts.
    static QString FormatList();

    // The whole command: read `input`, balance when asked, draw contours of `contourKind` (-1:
    // none), grade colours with their key when asked, write `output` in the format its extension
    // names. Returns 0 on success, else 1 with the reason in `message`.
    static int Run(const QString& input, const QString& output, const QSize& size, bool balance,
                   const ZSettingsStore& settings, QString& message, int contourKind = -1,
                   double contourInterval = std::numeric_limits<double>::quiet_NaN(), bool grades = false,
                   bool legend = false);
    // Where the grade key goes on a picture of this size: top right; empty without grading.
    static QRect LegendRect(const ZNetCanvas& canvas, const QSize& size);

private:
    static bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error);
    // Paint, or the presentation map when one is set.
    void Draw(QPainter& painter, const QSize& size, int dpi, bool printing) const;

    ZDocument& m_doc;
    const ZSettingsStore& m_settings;
    bool m_presentation = false;
    ZTitleBlock m_title;
    std::shared_ptr<const ZResultColouring> m_colouring;
};
