#include "CHelpMap.h"

#include <QMetaObject>

const QMap<QString, QString>& CHelpMap::All()
{
    static const QMap<QString, QString> map = {
        {QStringLiteral("CAboutDlg"), QStringLiteral("start.md#about")},
        {QStringLiteral("COptionSheet"), QStringLiteral("options.md#options")},
        {QStringLiteral("CBalanceParamsDlg"), QStringLiteral("calculations.md#balance")},
        {QStringLiteral("CNodeFlowDlg"), QStringLiteral("calculations.md#node-flows")},
        {QStringLiteral("CNetCostDlg"), QStringLiteral("calculations.md#net-cost")},
        {QStringLiteral("CParamCalcDlg"), QStringLiteral("calculations.md#calculator")},
        {QStringLiteral("CReportWindow"), QStringLiteral("calculations.md#report")},
        {QStringLiteral("CProgressWnd"), QStringLiteral("calculations.md#progress")},
        {QStringLiteral("CContourDlg"), QStringLiteral("results.md#contours")},
        {QStringLiteral("CViewpointDlg"), QStringLiteral("results.md#three-d")},
        {QStringLiteral("CPropertyDlg"), QStringLiteral("properties.md#properties")},
        {QStringLiteral("CNodePropertyDlg"), QStringLiteral("properties.md#node")},
        {QStringLiteral("CPipePropertyDlg"), QStringLiteral("properties.md#pipe")},
        {QStringLiteral("CPumpPropertyDlg"), QStringLiteral("properties.md#pump")},
        {QStringLiteral("CValvePropertyDlg"), QStringLiteral("properties.md#valve")},
        {QStringLiteral("CTankPropertyDlg"), QStringLiteral("properties.md#tank")},
        {QStringLiteral("CFindDlg"), QStringLiteral("editing.md#find")},
        {QStringLiteral("CNamedViewDlg"), QStringLiteral("views.md#named-views")},
        {QStringLiteral("CImportCadDlg"), QStringLiteral("cad.md#import")},
        {QStringLiteral("CExportCadDlg"), QStringLiteral("cad.md#export")},
        {QStringLiteral("CGisImportDlg"), QStringLiteral("gis.md#gis-import")},
        {QStringLiteral("CSimulationParamsDlg"), QStringLiteral("eps.md#simulation-params")},
        {QStringLiteral("CTimeSeriesDlg"), QStringLiteral("eps.md#time-series")},
        {QStringLiteral("CReportDlg"), QStringLiteral("report.md#report-export")},
        {QStringLiteral("CSizingDlg"), QStringLiteral("sizing.md#sizing")},
        {QStringLiteral("CSweepParamsDlg"), QStringLiteral("calculations.md#design-checks")},
    };
    return map;
}

QString CHelpMap::SectionFor(const QMetaObject* meta)
{
    for (; meta; meta = meta->superClass()) {
        const auto it = All().constFind(QString::fromLatin1(meta->className()));
        if (it != All().constEnd())
            return *it;
    }
    return {};
}
