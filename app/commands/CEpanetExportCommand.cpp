#include "CEpanetExportCommand.h"

#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/UiPrompt.h"
#include "persist/epanet/EpanetFile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

bool CEpanetExportCommand::Execute()
{
    const QString initial =
        (m_doc.PathName().isEmpty() ? m_doc.Title() : QFileInfo(m_doc.PathName()).completeBaseName()) + ".inp";
    QString path = QFileDialog::getSaveFileName(m_host ? m_host->DialogOwner() : nullptr, tr("导出 EPANET 文件"),
                                                initial, tr("EPANET 文件 (*.inp);;所有文件 (*)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".inp";
    return Write(QFile::encodeName(path).constData());
}

bool CEpanetExportCommand::Write(const char* path)
{
    InpReport report;
    try {
        report = EpanetFile::SaveFile(path, m_doc.Data());
    } catch (const std::exception& e) {
        m_prompt.Warn(tr("无法导出 EPANET 文件\n%1").arg(QString::fromStdString(e.what())).toStdString());
        return false;
    }
    if (m_host) {
        CReportWindow& window = m_host->ReportWindow();
        window.Clear();
        window.SetTitle(tr("EPANET 导出报告"));
        window.Append(QString::fromStdString(report.Text()) + tr("写出 ") + QFile::decodeName(path));
        window.ShowReport();
    }
    return true;
}
