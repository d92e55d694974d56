#include "CQENDoc.h"
#include "text/CCoreText.h"
#include "CBalanceCommand.h"
#include "CEpanetExportCommand.h"
#include "CReportExportCommand.h"
#include "CGisCommands.h"
#include "CLiveBalance.h"
#include "CRecoveryStore.h"
#include "CSimulationState.h"
#include "CDocumentHost.h"
#include "views/UiPrompt.h"
#include "views/CommandIds.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/ZSettingsStore.h"
#include "persist/AtomicFileWriter.h"
#include "persist/InputFile.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

#include <QFile>
#include <QFileInfo>

CQENDoc::CQENDoc(ZSettingsStore& settings, UiPrompt& prompt, CDocumentHost* host, QObject* parent)
    : QObject(parent), m_settings(settings), m_prompt(prompt), m_host(host),
      m_data(int(settings.Colors().NodeGradeColors.size()), int(settings.Colors().PipeGradeColors.size()))
{
    m_data.AddListener(this);
    new CLiveBalance(*this);
}

CQENDoc::~CQENDoc()
{
    m_data.RemoveListener(this);
}

void CQENDoc::OnDocumentChanged(const ZNetMsg& msg)
{
    emit changed(msg);
}

void CQENDoc::OnModifiedChanged(bool modified)
{
    emit modifiedChanged(modified);
}

std::string CQENDoc::Utf8Path(const QString& path) const
{
    return QFile::encodeName(path).toStdString();
}

void CQENDoc::SetPathName(const QString& path)
{
    m_path = QFileInfo(path).absoluteFilePath();
    m_title = QFileInfo(path).fileName();
    emit titleChanged(m_title);
}

void CQENDoc::SetModifiedFlag(bool modified)
{
    if (modified)
        m_data.MarkModified();
    else
        m_data.SetSaved();
}

void CQENDoc::OnNewDocument(const QString& title)
{
    m_data.Reset();
    m_data.GetDrawSettings().Params = ZBalanceParams::ForNewNetwork();
    m_data.SetExtents(ViewExtent{0.0, 0.0, 1000.0, 1000.0});
    m_path.clear();
    m_title = title;
    emit titleChanged(m_title);
    SetModifiedFlag(false);
}

void CQENDoc::OnImported(const QString& title)
{
    m_data.SetFileKind(ZDocument::ProjectFile);
    m_data.ClearHistory();
    m_path.clear();
    m_title = title;
    emit titleChanged(m_title);
    SetModifiedFlag(true);
}

bool CQENDoc::OnOpenDocument(const QString& path)
{
    m_data.Reset();
    m_data.SetFileKind(ZDocument::FileKindFromName(Utf8Path(path)));
    try {
        ReadFile(path);
    } catch (const std::exception& e) {
        m_data.Reset();
        m_prompt.Warn(tr("无法打开文件\n%1").arg(QString::fromStdString(e.what())).toStdString());
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CQENDoc::OnOpenRecovery(const QString& copy, const QString& path, const QString& title, uint32_t version)
{
    m_data.Reset();
    try {
        CRecoveryStore::Entry entry;
        entry.path = path;
        entry.title = title;
        entry.version = version;
        CRecoveryStore::Restore(InputFile::ReadAll(Utf8Path(copy)), Utf8Path(copy), entry, m_data);
    } catch (const std::exception& e) {
        m_data.Reset();
        m_prompt.Warn(tr("无法恢复文件\n%1").arg(QString::fromStdString(e.what())).toStdString());
        return false;
    }
    if (path.isEmpty()) {
        m_path.clear();
        m_title = title.isEmpty() ? QStringLiteral("QEN") : title;
        emit titleChanged(m_title);
    } else {
        SetPathName(path);
    }
    SetModifiedFlag(true);
    return true;
}

bool CQENDoc::OnSaveDocument(const QString& path)
{
    const int oldKind = m_data.GetFileKind();
    const uint32_t oldVersion = m_data.GetFileVersion();
    m_data.SetFileKind(ZDocument::FileKindFromName(Utf8Path(path)));
    ProjectFile::ConfirmUpgrade(m_data, m_prompt);   // asked whatever the file kind
    KeepBackup(path);
    try {
        WriteFile(path);
    } catch (const std::exception& e) {
        // Nothing was replaced on disk; the document stays as it was, still modified.
        m_data.SetFileKind(oldKind);
        m_data.SetFileVersion(oldVersion);
        m_prompt.Warn(tr("无法保存文件\n%1").arg(QString::fromStdString(e.what())).toStdString());
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void CQENDoc::KeepBackup(const QString& path)
{
    // The file about to be replaced stays as NAME.bak until the next save.
    if (!m_settings.KeepBackup || !QFileInfo(path).isFile())
        return;
    // Through the atomic writer like every file written: a crash mid-copy keeps the previous .bak,
    // and a .bak that is read-only or special is left alone. The save goes on without a new .bak
    // then, as it did when the copy failed.
    try {
        AtomicFileWriter::Write(Utf8Path(path + QStringLiteral(".bak")), InputFile::ReadAll(Utf8Path(path)));
    } catch (const std::exception&) {
    }
}

void CQENDoc::ReadFile(const QString& path)
{
    const std::string name = Utf8Path(path);
    if (m_data.GetFileKind() == ZDocument::TextFile) {
        TextExchange::LoadFile(name, m_data, m_settings.Units(), m_settings.Templates());
        return;
    }
    ProjectFile::LoadFile(name, m_data);
}

void CQENDoc::WriteFile(const QString& path)
{
    const std::string name = Utf8Path(path);
    const auto write = [&] {
        if (m_data.GetFileKind() == ZDocument::TextFile)
            TextExchange::SaveFile(name, m_data, m_settings.Units());
        else
            ProjectFile::SaveFile(name, m_data);
    };
    if (CSimulationState* sim = CSimulationState::Of(*this))
        sim->WithBalanceResults(write);
    else
        write();
}

bool CQENDoc::DoFileSave()
{
    if (m_path.isEmpty())
        return DoSaveAs();
    return OnSaveDocument(m_path);
}

bool CQENDoc::DoSaveAs()
{
    if (!m_host)
        return false;
    QString initial = m_path.isEmpty() ? m_title : m_path;
    if (m_path.isEmpty() && !initial.contains(QLatin1Char('.')))
        initial += QStringLiteral(".wnp");
    const QString path = m_host->PromptSaveName(initial);
    if (path.isEmpty())
        return false;
    if (!OnSaveDocument(path))
        return false;
    m_host->AddToRecentFileList(m_path);
    return true;
}

bool CQENDoc::SaveModified()
{
    if (!IsModified())
        return true;
    const std::string name = (m_path.isEmpty() ? m_title : m_path).toStdString();
    switch (m_prompt.AskYesNoCancel(tr("是否保存对 %1 的更改?").arg(QString::fromStdString(name)).toStdString())) {
    case UiPrompt::Yes:
        return DoFileSave();
    case UiPrompt::No:
        return true;
    default:
        return false;
    }
}

void CQENDoc::UpdateAllViews(const ZNetMsg& msg)
{
    m_data.Announce(msg);
}

QString CQENDoc::BalanceStatusText() const
{
    // While the time bar shows a simulated time, the pane names it.
    if (const CSimulationState* sim = CSimulationState::Of(*this); sim && sim->IsShowing())
        return tr("模拟 %1").arg(sim->ClockText(sim->CurrentIndex())) +
               (sim->IsStale() || m_data.HasStaleResults() ? tr(" (已修改)") : QString());
    if (const CLiveBalance* live = CLiveBalance::Of(*this); live && !live->StatusText().isEmpty())
        return live->StatusText();
    const ZDrawSettings& ds = m_data.GetDrawSettings();
    return CCoreText::Tr(ZBalanceRun::StatusPaneText(ds.Balanced != 0, ds.CalcCase, m_data.HasStaleResults()));
}

void CQENDoc::OnBalance()
{
    CBalanceCommand(*this, m_prompt, m_host).Execute();
}

void CQENDoc::OnOptions()
{
    if (!m_host)
        return;
    // The sheet marks this document modified when its grading changed; every document redraws.
    if (m_host->RunOptionsSheet(*this))
        m_host->BroadcastOptionsChanged();
}

void CQENDoc::OnTemplate(int commandId)
{
    if (m_host)
        m_host->RunTemplateDialog(commandId);
}

bool CQENDoc::OnCommand(int id)
{
    switch (id) {
    case Cmd::EditUndo:
        m_data.Undo();
        return true;
    case Cmd::EditRedo:
        m_data.Redo();
        return true;
    case Cmd::FileSave:
        if (DoFileSave() && m_host)
            m_host->AddToRecentFileList(m_path);
        return true;
    case Cmd::FileSaveAs:
        DoSaveAs();
        return true;
    case Cmd::FileExportEpanet:
        CEpanetExportCommand(*this, m_prompt, m_host).Execute();
        return true;
    case Cmd::FileExportReport:
        CReportExportCommand(*this, m_prompt, m_host).Execute();
        return true;
    case Cmd::ImportGis:
        CGisCommands(*this, m_prompt, m_host).Import();
        return true;
    case Cmd::ExportGis:
        CGisCommands(*this, m_prompt, m_host).Export();
        return true;
    case Cmd::ElevationsFromDem:
        CGisCommands(*this, m_prompt, m_host).Elevations();
        return true;
    case Cmd::Balance:
        OnBalance();
        return true;
    case Cmd::Options:
        OnOptions();
        return true;
    case Cmd::TemplateNode:
    case Cmd::TemplatePipe:
    case Cmd::TemplatePump:
    case Cmd::TemplateValve:
    case Cmd::TemplateTank:
        OnTemplate(id);
        return true;
    default:
        return false;
    }
}

bool CQENDoc::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case Cmd::EditUndo:
    case Cmd::EditRedo: {
        // The text says what the step will undo or redo: "撤销 插入管道".
        const bool undo = id == Cmd::EditUndo;
        const ZEditHistory& h = m_data.History();
        state.enabled = (undo ? h.CanUndo() : h.CanRedo()) && !m_data.OpenTransaction();
        const std::string what = undo ? h.UndoText() : h.RedoText();
        state.text = undo ? tr("撤销") : tr("重做");
        if (state.enabled && !what.empty())
            state.text += QLatin1Char(' ') + CCoreText::Tr(what);   // the core names some steps
        state.text += QLatin1String(undo ? "(&U)" : "(&R)");
        return true;
    }
    case Cmd::FileSave:
    case Cmd::FileSaveAs:
    case Cmd::FileExportEpanet:
    case Cmd::FileExportReport:
    case Cmd::ImportGis:
    case Cmd::ExportGis:
    case Cmd::ElevationsFromDem:
    case Cmd::Balance:
        state.enabled = true;
        return true;
    case Cmd::Options:
        state.enabled = m_host != nullptr;
        return true;
    case Cmd::TemplateNode:
    case Cmd::TemplatePipe:
    case Cmd::TemplatePump:
    case Cmd::TemplateValve:
    case Cmd::TemplateTank:
        state.enabled = m_host != nullptr;
        return true;
    default:
        return false;
    }
}
