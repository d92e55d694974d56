#include "CCadExportCommand.h"

#include "CCadProgress.h"
#include "CExportCadDlg.h"
#include "views/UiPrompt.h"
#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeCanvas.h"
#include "model/ZDocument.h"
#include "edit/ZCadExport.h"

#include <QFile>

CCadExportCommand::CCadExportCommand(const ZDocument& doc, const ZSettingsStore& settings, KeyValueStore& profile,
                                     UiPrompt& prompt, QWidget* owner)
    : m_doc(doc), m_settings(settings), m_profile(profile), m_prompt(prompt), m_owner(owner)
{
}

bool CCadExportCommand::Run()
{
    CExportCadDlg dlg(m_profile, m_prompt, IsAutoCadRunning() != 0, m_owner, &m_doc.GetNetwork());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (dlg.SaveMode() == 0 && !IsExistActiveDwg()) {
        m_prompt.Warn(tr("无法找到活动的CAD图纸，请选择\u201c创建新图纸并输出\u201d!").toStdString());
        return false;
    }

    CCadProgress progress(m_owner, tr("自动生成CAD图纸"));
    progress.SetStatus(tr("正在打开CAD会话..."));
    CadHandle h = OpenAutoCad();
    if (!h) {
        m_prompt.Warn(tr("建立AutoCad对象失败。请确认该对象已被注册入系统。").toStdString());
        return false;
    }
    bool written = false;
    if (dlg.SaveMode() == 1) {
        progress.SetStatus(tr("正在创建新图纸..."));
        const QByteArray path = QFile::encodeName(dlg.DrawingPath());
        if (!CadNewDwg(h) || !CadSetDwgPath(h, path.constData())) {
            m_prompt.Warn(tr("创建新图纸失败!").toStdString());
            CloseAutoCad(h);
            return false;
        }
    }
    if (!IsExistActiveDwg()) {
        m_prompt.Warn(tr("未知的错误!").toStdString());
    } else {
        progress.SetStatus(tr("正在输出图形数据..."));
        ZCadExport exporter(m_doc, m_settings, dlg.Options());
        CadBridgeCanvas<ZCadCanvas, PipePoint> canvas(h);
        exporter.Run(canvas, &progress, &m_prompt);
        progress.Progress(1.0);
        progress.SetStatus(tr("正在保存图纸..."));
        CadSetOpenInViewer(dlg.OpenInViewer() ? 1 : 0);
        // Another program changed the drawing's file since it was read: overwriting would lose that.
        bool keep = false;
        if (CadDwgChangedOnDisk(h)) {
            keep = !m_prompt.AskYesNo(
                tr("图纸文件在读入后已被其他程序修改。\n覆盖它吗?(原文件保留为 文件名.dxf.bak)").toStdString());
            if (!keep)
                CadSetOverwriteChanged(h, 1);
        }
        if (keep) {
            m_prompt.Warn(tr("图纸没有保存, 文件保持其他程序修改后的样子。").toStdString());
        } else {
            written = CadSetVisible(h, 1) != 0;
            if (!written)
                m_prompt.Warn(tr("图纸没有保存!\n%1").arg(QString::fromUtf8(CadLastError())).toStdString());
        }
    }
    CloseAutoCad(h);
    return written;
}
