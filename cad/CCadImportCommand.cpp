#include "CCadImportCommand.h"

#include "CCadProgress.h"
#include "CImportCadDlg.h"
#include "views/UiPrompt.h"
#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeScan.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"
#include "edit/ZCadImport.h"

#include <QFile>

CCadImportCommand::CCadImportCommand(ZDocument& doc, const ZSettingsStore& settings, KeyValueStore& profile,
                                     UiPrompt& prompt, QWidget* owner)
    : m_doc(doc), m_settings(settings), m_profile(profile), m_prompt(prompt), m_owner(owner)
{
}

bool CCadImportCommand::Run()
{
    CImportCadDlg dlg(m_profile, m_prompt, IsAutoCadRunning() != 0, m_owner);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    ZCadImport::Options options;
    options.MinDist = dlg.MinDist();
    options.ScaleCad = dlg.ScaleCad();
    options.ScaleQen = dlg.ScaleQen();
    options.SplitAtTees = dlg.SplitAtTees();
    if (dlg.OpenMode() == 0 && !IsExistActiveDwg()) {
        m_prompt.Warn(tr("无法找到活动的CAD图纸，请选择\u201c打开新图纸并引入\u201d!").toStdString());
        return false;
    }

    CCadProgress progress(m_owner, tr("提取CAD图形数据"));
    progress.SetStatus(tr("正在打开CAD会话..."));
    CadHandle h = OpenAutoCad();
    if (!h) {
        m_prompt.Warn(tr("建立AutoCad对象失败。请确认该对象已被注册入系统。").toStdString());
        return false;
    }
    int added = -1;
    if (dlg.OpenMode() == 1) {
        progress.SetStatus(tr("正在打开文档..."));
        const QByteArray path = QFile::encodeName(dlg.DrawingPath());
        if (!OpenDwgDocument(h, path.constData())) {
            m_prompt.Warn(tr("无法打开CAD图纸\u201c%1\u201d!\n%2")
                              .arg(dlg.DrawingPath(), QString::fromUtf8(CadLastError()))
                              .toStdString());
            CloseAutoCad(h);
            return false;
        }
    }
    if (!IsExistActiveDwg()) {
        m_prompt.Warn(tr("未知的错误!").toStdString());
    } else {
        progress.SetStatus(tr("正在提取数据..."));
        // One undoable step, announced with the CAD import code; nothing added, nothing recorded.
        ZEditTransaction tx(m_doc, tr("从CAD导入").toStdString());
        tx.AnnounceAs(ZNetMsg::CadImported);
        ZCadImport import(m_doc.GetNetwork(), m_settings.Templates(), options, &tx);
        import.ReportTo(&progress, &m_prompt);
        CadBridgeScan<PipePoint>(h, dlg.SearchAllLayers() ? nullptr : &dlg.Layers(), dlg.Flags(), import);
        if (options.SplitAtTees)
            import.SplitAtTees();
        progress.Progress(1.0);
        progress.Hide();
        m_added = import.Added();
        m_changed = import.Changed();
        added = import.PipesAdded();
        tx.Commit();
        // What was left out, and why nothing came in when nothing did.
        std::string notes = CadScanReport();
        for (const std::string& n : import.Notes())
            notes += n + "\n";
        if (added == 0 && notes.empty())
            notes = dlg.SearchAllLayers() ? tr("图纸的模型空间中没有直线或多段线\n").toStdString()
                                          : tr("所选图层上没有直线或多段线\n").toStdString();
        m_report = notes;
        std::string text = tr("%1根管道加入了管网模型中!").arg(added).toStdString();
        if (!notes.empty())
            text += (added == 0 ? tr("\n没有管道加入，原因:\n").toStdString() : std::string("\n")) + notes;
        m_prompt.Inform(text);
    }
    CloseAutoCad(h);
    return added > 0;
}
