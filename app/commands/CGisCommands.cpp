#include "CGisCommands.h"

#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "app/dialogs/CGisImportDlg.h"
#include "app/dialogs/CReportWindow.h"
#include "gis/GisError.h"
#include "gis/ZGisElevations.h"
#include "gis/ZGisExport.h"
#include "gis/ZGisImport.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/UiPrompt.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {
std::string Local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
}   // namespace

QWidget* CGisCommands::Owner() const
{
    return m_host ? m_host->DialogOwner() : nullptr;
}

void CGisCommands::Report(const QString& title, const QString& text)
{
    if (!m_host)
        return;
    CReportWindow& window = m_host->ReportWindow();
    window.Clear();
    window.SetTitle(title);
    window.Append(text);
    window.ShowReport();
}

void CGisCommands::Import()
{
    const QString path = QFileDialog::getOpenFileName(
        Owner(), CGisCommands::tr("来自GIS数据"), QString(),
        CGisCommands::tr("GIS 数据 (*.gpkg *.shp *.geojson *.json *.gml *.kml *.sqlite);;所有文件 (*)"));
    if (!path.isEmpty())
        ImportFrom(path);
}

bool CGisCommands::ImportFrom(const QString& path)
{
    std::vector<ZGisImport::Layer> layers;
    try {
        layers = ZGisImport::Layers(Local(path));
    } catch (const GisError& e) {
        m_prompt.Warn(CGisCommands::tr("无法引入GIS数据").toStdString() + "\n" + e.what());
        return false;
    }
    CGisImportDlg dlg(layers, Owner());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    ZGisImport::Report r;
    try {
        r = ZGisImport::Run(Local(path), m_doc.Data(), m_doc.Settings().Templates(), dlg.Options());
    } catch (const GisError& e) {
        m_prompt.Warn(CGisCommands::tr("无法引入GIS数据").toStdString() + "\n" + e.what());
        return false;
    }
    QString text = CGisCommands::tr("从 %1 引入管道 %2 根, 节点 %3 个 (点要素对应 %4 个)\n")
                       .arg(QFileInfo(path).fileName())
                       .arg(r.pipesAdded)
                       .arg(r.nodesAdded)
                       .arg(r.pointsJoined);
    if (dlg.Options().splitAtTees)
        text += CGisCommands::tr("拆分管道 %1 处\n").arg(r.splits);
    for (const std::string& line : r.lines)
        text += QString::fromStdString(line) + QLatin1Char('\n');
    Report(CGisCommands::tr("GIS 引入报告"), text);
    return true;
}

void CGisCommands::Export()
{
    const QString initial =
        (m_doc.PathName().isEmpty() ? m_doc.Title() : QFileInfo(m_doc.PathName()).completeBaseName()) + ".gpkg";
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        Owner(), CGisCommands::tr("到GIS数据"), initial,
        CGisCommands::tr("GeoPackage (*.gpkg);;Shapefile (*.shp);;GeoJSON (*.geojson)"), &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("shp"))       ? ".shp"
                : filter.contains(QStringLiteral("geojson")) ? ".geojson"
                                                             : ".gpkg";
    ExportTo(path);
}

bool CGisCommands::ExportTo(const QString& path)
{
    ZGisExport::Options o;
    o.results = m_doc.Data().GetDrawSettings().Balanced != 0;
    ZGisExport::Report r;
    try {
        r = ZGisExport::Write(m_doc.Data(), Local(path), o);
    } catch (const std::exception& e) {
        m_prompt.Warn(CGisCommands::tr("无法引出GIS数据").toStdString() + "\n" + e.what());
        return false;
    }
    QString text = CGisCommands::tr("节点 %1 个, 管道 %2 根, 水泵 %3 台, 阀门 %4 个, 水池 %5 个\n")
                       .arg(r.nodes)
                       .arg(r.pipes)
                       .arg(r.pumps)
                       .arg(r.valves)
                       .arg(r.tanks);
    text += o.results ? CGisCommands::tr("含平差结果 (基本单位)\n") : CGisCommands::tr("未平差, 不含结果\n");
    text += m_doc.Data().GetCrs().empty() ? CGisCommands::tr("没有坐标系\n") : CGisCommands::tr("写出坐标系\n");
    for (const std::string& f : r.files)
        text += CGisCommands::tr("写出 ") + QFile::decodeName(f.c_str()) + QLatin1Char('\n');
    Report(CGisCommands::tr("GIS 引出报告"), text);
    return true;
}

void CGisCommands::Elevations()
{
    const QString path =
        QFileDialog::getOpenFileName(Owner(), CGisCommands::tr("从地形取高程"), QString(),
                                     CGisCommands::tr("地形栅格 (*.tif *.tiff *.asc *.img *.vrt *.dem);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    const UiPrompt::Answer a = m_prompt.AskYesNoCancel(
        CGisCommands::tr("只取地面标高为零的节点吗?\n是: 只取标高为零的节点\n否: 所有节点").toStdString());
    if (a == UiPrompt::Cancel)
        return;
    ElevationsFrom(path, a == UiPrompt::Yes);
}

bool CGisCommands::ElevationsFrom(const QString& path, bool onlyMissing)
{
    ZGisElevations::Options o;
    o.onlyMissing = onlyMissing;
    ZGisElevations::Report r;
    try {
        r = ZGisElevations::Run(Local(path), m_doc.Data(), o);
    } catch (const GisError& e) {
        m_prompt.Warn(CGisCommands::tr("无法从地形取高程").toStdString() + "\n" + e.what());
        return false;
    }
    QString text = CGisCommands::tr("改变高程的节点 %1 个, 高程不变 %2 个\n").arg(r.changed).arg(r.unchanged);
    if (onlyMissing)
        text += CGisCommands::tr("已有高程未取 %1 个\n").arg(r.skipped);
    if (!r.crsNote.empty())
        text += QString::fromStdString(r.crsNote) + QLatin1Char('\n');
    auto list = [&](const QString& what, const std::vector<std::string>& ids) {
        if (ids.empty())
            return;
        QStringList names;
        for (const std::string& id : ids)
            names << QString::fromStdString(id);
        text += what.arg(ids.size()) + names.join(QLatin1Char(' ')) + QLatin1Char('\n');
    };
    list(CGisCommands::tr("在栅格范围外 (未改) %1 个: "), r.outside);
    list(CGisCommands::tr("在无数据处 (未改) %1 个: "), r.noData);
    Report(CGisCommands::tr("从地形取高程"), text);
    return true;
}
