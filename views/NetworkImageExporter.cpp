#include "NetworkImageExporter.h"

#include "ZGradeLegend.h"
#include "ZNetCanvas.h"
#include "ZPresentationMap.h"

#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZContourGenerator.h"
#include "model/NumberFormat.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"
#include "report/ZReportBuilder.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

bool NetworkImageExporter::Load(const QString& path, ZDocument& doc, const ZSettingsStore& settings, QString& error)
{
    const std::string p = path.toStdString();
    try {
        if (ZDocument::FileKindFromName(p) == ZDocument::TextFile) {
            TextExchange::LoadFile(p, doc, settings.Units(), settings.Templates());
            doc.SetFileKind(ZDocument::TextFile);
        } else {
            ProjectFile::LoadFile(p, doc);
        }
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

bool NetworkImageExporter::Balance(QString& error)
{
    ZBalanceRun run(m_doc);
    if (!run.CheckConnectivity()) {
        error = QStringLiteral("the network is not connected");
        return false;
    }
    run.Run();
    if (!run.ResultsChanged()) {
        error = QString::fromStdString(run.Message());
        if (error.isEmpty())   // stopped or out of passes: nothing for a message box, but not drawn
            error = QStringLiteral("balancing ended without converging after %1 passes").arg(run.Iterations());
        return false;
    }
    return true;
}

bool NetworkImageExporter::Contours(int kind, double interval, QString& error, QString* note)
{
    ZDrawSettings& ds = m_doc.GetDrawSettings();
    if (!ds.Balanced) {
        error = QStringLiteral("contours need balancing results: add --balance");
        return false;
    }
    ds.ContourOption = 1;
    ds.ContourKind = kind;
    if (!std::isnan(interval)) {
        ds.ContourInterval = interval;
    } else if (const long levels = ZContourGenerator::LevelCount(m_doc.GetNetwork(), kind, ds.ContourInterval);
               levels > ZContourGenerator::ReadableLevels) {
        // The file's interval would draw lines too close to read: one from the value range.
        if (const double proposed = ZContourGenerator::ProposedInterval(m_doc.GetNetwork(), kind); proposed > 0.0) {
            if (note)
                *note = QStringLiteral("contours every %1 m: the file's %2 m gives %3 levels")
                            .arg(QString::fromStdString(NumberFormat::G(proposed)),
                                 QString::fromStdString(NumberFormat::G(ds.ContourInterval)))
                            .arg(levels);
            ds.ContourInterval = proposed;
        }
    }
    ZContourGenerator::Range range;
    auto status = ZContourGenerator::Check(m_doc.GetNetwork(), kind, ds.ContourInterval, nullptr, range);
    if (status == ZContourGenerator::Ok)
        status = ZContourGenerator::Generate(m_doc.GetNetwork(), kind, ds.ContourInterval, m_doc.GetContours());
    if (status == ZContourGenerator::Ok)
        return true;
    ds.ContourOption = 0;
    error = QString::fromStdString(ZContourGenerator::Message(status, range.levels));
    return false;
}

bool NetworkImageExporter::ShowGrades(QString& error)
{
    ZDrawSettings& ds = m_doc.GetDrawSettings();
    if (!ds.Balanced) {
        error = QStringLiteral("grades of free head and velocity need balancing results: add --balance");
        return false;
    }
    ds.NodeGradeOn = 1;
    ds.NodeGradeMode = ZDrawSettings::NodeByFreeHead;
    ds.PipeGradeOn = 1;
    ds.PipeGradeMode = ZDrawSettings::PipeByVelocity;
    return true;
}

QRect NetworkImageExporter::LegendRect(const ZNetCanvas& canvas, const QSize& size)
{
    const QSize legend = ZGradeLegend(canvas).Size();
    if (legend.isEmpty())
        return {};
    const int gap = canvas.DeviceSize(8);
    return QRect(QPoint(size.width() - gap - legend.width(), gap), legend);
}

void NetworkImageExporter::Fit(ZNetCanvas& canvas, const QSize& size, int dpiX, int dpiY, bool printing) const
{
    canvas.SetDocument(&m_doc);
    canvas.SetDeviceDpi(dpiX, dpiY);
    canvas.SetPrinting(printing);
    canvas.SetResultColouring(m_colouring);
    const QRect vp(QPoint(0, 0), size.expandedTo(QSize(1, 1)));
    canvas.SetViewport(vp);
    // Zoom extents with room for what is drawn around the points (source symbols, labels), and
    // the grade key to the right of the network rather than over it.
    QRect area = vp;
    const QRect legend = LegendRect(canvas, vp.size());
    if (!legend.isEmpty() && legend.width() < vp.width() / 2)
        area.setRight(legend.left() - 1);
    double cx, cy, s;
    if (!canvas.FitDrawing(area, std::max(2, canvas.DeviceSize(4)), cx, cy, s))
        ZNetCanvas::FitExtent({0, 0, 1000, 1000}, vp, cx, cy, s);
    canvas.SetCentre(cx, cy);
    canvas.SetScale(s);
    canvas.RebuildVisibleSet();
}

void NetworkImageExporter::Paint(QPainter& painter, const QSize& size, int dpiX, int dpiY, bool printing) const
{
    ZNetCanvas canvas(m_settings);
    Fit(canvas, size, dpiX, dpiY, printing);
    canvas.Paint(painter, QRect(), true);
    const QRect legend = LegendRect(canvas, size);
    if (!legend.isEmpty())
        ZGradeLegend(canvas).Paint(painter, legend.topLeft());
}

void NetworkImageExporter::Draw(QPainter& painter, const QSize& size, int dpi, bool printing) const
{
    if (!m_presentation) {
        Paint(painter, size, dpi, dpi, printing);
        return;
    }
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const int margin = static_cast<int>(dpi * 8 / 25.4);
    ZPresentationMap(*this, m_title)
        .Paint(painter, QRect(QPoint(0, 0), size).adjusted(margin, margin, -margin, -margin), dpi, printing);
}

QImage NetworkImageExporter::Render(const QSize& size) const
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    Draw(p, size, 96, false);
    p.end();
    return img;
}

QByteArray NetworkImageExporter::FormatOf(const QString& output)
{
    const QByteArray suffix = QFileInfo(output).suffix().toLower().toLatin1();
    if (suffix == "pdf" || (!suffix.isEmpty() && QImageWriter::supportedImageFormats().contains(suffix)))
        return suffix;
    return {};
}

QString NetworkImageExporter::FormatList()
{
    QStringList names{QStringLiteral("pdf")};
    for (const QByteArray& f : QImageWriter::supportedImageFormats())
        names << QString::fromLatin1(f);
    return names.join(QStringLiteral(", "));
}

bool NetworkImageExporter::WriteBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    try {
        AtomicFileWriter::Write(path.toStdString(), bytes.toStdString());
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

bool NetworkImageExporter::SavePng(const QString& path, const QSize& size, QString* error) const
{
    return SaveImage(path, size, "png", error);
}

bool NetworkImageExporter::SaveImage(const QString& path, const QSize& size, const QByteArray& format,
                                     QString* error) const
{
    // Rendered into memory first: a failed write leaves the old file, never a cut one.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(Render(size))) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, writer.errorString());
        return false;
    }
    return WriteBytes(path, bytes, error);
}

bool NetworkImageExporter::SavePdf(const QString& path, const QSize& size, QString* error) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    const int dpi = 300;
    pdf.setResolution(dpi);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(size.width() / 96.0, size.height() / 96.0), QPageSize::Inch));
    QPainter p;
    if (!p.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("%1: cannot draw the PDF page").arg(path);
        return false;
    }
    const QRect page = pdf.pageLayout().paintRectPixels(dpi);
    Draw(p, page.size(), dpi, true);
    if (!p.end()) {
        if (error)
            *error = QStringLiteral("%1: cannot finish the PDF page").arg(path);
        return false;
    }
    return WriteBytes(path, bytes, error);
}

int NetworkImageExporter::Run(const QString& input, const QString& output, const QSize& size, bool balance,
                              const ZSettingsStore& settings, QString& message, int contourKind, double contourInterval,
                              bool grades, bool legend)
{
    const QByteArray format = FormatOf(output);
    if (format.isEmpty()) {
        message = QStringLiteral("%1: the extension names no picture format QEN writes (%2)").arg(output, FormatList());
        return 1;
    }
    // A FIFO without a reader would block the write for ever: refused before any work.
    try {
        AtomicFileWriter::CheckTarget(output.toStdString());
    } catch (const std::exception& e) {
        message = QString::fromStdString(e.what());
        return 1;
    }
    ZDocument doc(static_cast<int>(settings.Colors().NodeGradeColors.size()),
                  static_cast<int>(settings.Colors().PipeGradeColors.size()));
    if (!Load(input, doc, settings, message))
        return 1;
    const ViewExtent box = doc.FullExtent();
    if (!std::isfinite(box.Width()) || !std::isfinite(box.Height())) {
        message = QStringLiteral("%1: the coordinates span more than can be drawn (beyond 1e308)").arg(input);
        return 1;
    }
    NetworkImageExporter ex(doc, settings);
    if (balance && !ex.Balance(message))
        return 1;
    if (grades && !ex.ShowGrades(message))
        return 1;
    if (contourKind >= 0 && !ex.Contours(contourKind, contourInterval, message, &message))
        return 1;
    if (legend)
        ex.SetPresentation(ZReportBuilder::TitleOf(doc));
    if (size.width() <= 0 || size.height() <= 0 || size.width() > 20000 || size.height() > 20000) {
        message = QStringLiteral("image size %1x%2 out of range: width and height from 1 to 20000")
                      .arg(size.width())
                      .arg(size.height());
        return 1;
    }
    const bool ok = format == "pdf" ? ex.SavePdf(output, size, &message) : ex.SaveImage(output, size, format, &message);
    return ok ? 0 : 1;
}
