#include "CEpanetImportCommand.h"

#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/UiPrompt.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "persist/AtomicFileWriter.h"
#include "persist/epanet/EpanetFile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

bool CEpanetImportCommand::Ask(QString& path, double& hour) const
{
    path = QFileDialog::getOpenFileName(m_host.DialogOwner(), tr("导入 EPANET 文件"), QString(),
                                        tr("EPANET 文件 (*.inp);;所有文件 (*)"));
    if (path.isEmpty())
        return false;
    QInputDialog dlg(m_host.DialogOwner());
    dlg.setObjectName(QStringLiteral("epanetHourDialog"));
    dlg.setWindowTitle(tr("导入 EPANET 文件"));
    dlg.setLabelText(tr("需水量取第几小时 (按需水量模式):"));
    dlg.setInputMode(QInputDialog::DoubleInput);
    dlg.setDoubleRange(0.0, 8760.0);
    dlg.setDoubleDecimals(2);
    dlg.setDoubleValue(0.0);
    dlg.setOkButtonText(tr("确定"));
    dlg.setCancelButtonText(tr("取消"));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    hour = dlg.doubleValue();
    return true;
}

bool CEpanetImportCommand::Read(CQENDoc& doc, const QString& path, double hour) const
{
    const std::string file = QFile::encodeName(path).toStdString();
    EpanetFile::ImportResult result;
    try {
        result = EpanetFile::LoadFile(file, doc.Data(), doc.Settings().Templates(), hour);
    } catch (const std::exception& e) {
        doc.Data().Reset();
        m_prompt.Warn(tr("无法导入 EPANET 文件\n%1").arg(QString::fromStdString(e.what())).toStdString());
        return false;
    }
    doc.OnImported(QFileInfo(path).completeBaseName());
    QString text = QString::fromStdString(result.report.Text());
    if (result.renamed > 0) {
        const std::string mapPath = EpanetFile::IdMapPath(file);
        try {
            AtomicFileWriter::Write(mapPath, result.idMapCsv);
            text += tr("编号对照表: ") + QString::fromLocal8Bit(mapPath.c_str()) + "\n";
        } catch (const std::exception& e) {
            text += tr("编号对照表没有写出: ") + QString::fromStdString(e.what()) + "\n";
        }
    }
    CReportWindow& report = m_host.ReportWindow();
    report.Clear();
    report.SetTitle(tr("EPANET 导入报告"));
    report.Append(text);
    report.ShowReport();
    return true;
}
