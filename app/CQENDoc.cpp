#include "CQENDoc.h"
#include "CBalanceParamsDlg.h"
#include "CBalanceProgress.h"
#include "CQENApp.h"
#include "CQENDocManager.h"
#include "CReportWindow.h"
#include "CommandIds.h"
#include "UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/ZSettingsStore.h"
#include "persist/ProjectFile.h"
#include "persist/TextExchange.h"

#include <QFile>
#include <QFileInfo>

CQENDoc::CQENDoc(ZSettingsStore& settings, UiPrompt& prompt, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_prompt(prompt),
      m_data(int(settings.Colors().NodeGradeColors.size()), int(settings.Colors().PipeGradeColors.size()))
{
}

CQENDoc::~CQENDoc() = default;

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
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void CQENDoc::OnNewDocument(const QString& title)
{
    m_data.Reset();
    m_data.SetExtents(ViewExtent{0.0, 0.0, 1000.0, 1000.0});
    m_path.clear();
    m_title = title;
    emit titleChanged(m_title);
    SetModifiedFlag(false);
}

bool CQENDoc::OnOpenDocument(const QString& path)
{
    m_data.Reset();
    m_data.SetFileKind(ZDocument::FileKindFromName(Utf8Path(path)));
    try {
        ReadFile(path);
    } catch (const std::exception& e) {
        m_data.Reset();
        m_prompt.Warn(std::string("无法打开文件\n") + e.what());
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CQENDoc::OnSaveDocument(const QString& path)
{
    const int oldKind = m_data.GetFileKind();
    const uint32_t oldVersion = m_data.GetFileVersion();
    m_data.SetFileKind(ZDocument::FileKindFromName(Utf8Path(path)));
    ProjectFile::ConfirmUpgrade(m_data, m_prompt);   // asked whatever the file kind
    try {
        WriteFile(path);
    } catch (const std::exception& e) {
        // Nothing was replaced on disk; the document stays as it was, still modified.
        m_data.SetFileKind(oldKind);
        m_data.SetFileVersion(oldVersion);
        m_prompt.Warn(std::string("无法保存文件\n") + e.what());
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
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
    if (m_data.GetFileKind() == ZDocument::TextFile) {
        TextExchange::SaveFile(name, m_data, m_settings.Units());
        return;
    }
    ProjectFile::SaveFile(name, m_data);
}

bool CQENDoc::DoFileSave()
{
    if (m_path.isEmpty())
        return DoSaveAs();
    return OnSaveDocument(m_path);
}

bool CQENDoc::DoSaveAs()
{
    CQENApp* app = CQENApp::Instance();
    QString initial = m_path.isEmpty() ? m_title : m_path;
    if (m_path.isEmpty() && !initial.contains(QLatin1Char('.')))
        initial += QStringLiteral(".wnp");
    const QString path = app->DocManager().PromptFileName(app->MainWindow(), QStringLiteral("另存为"), true, initial);
    if (path.isEmpty())
        return false;
    if (!OnSaveDocument(path))
        return false;
    app->AddToRecentFileList(m_path);
    return true;
}

bool CQENDoc::SaveModified()
{
    if (!m_modified)
        return true;
    const std::string name = (m_path.isEmpty() ? m_title : m_path).toStdString();
    switch (m_prompt.AskYesNoCancel("是否保存对 " + name + " 的更改?")) {
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
    emit changed(msg);
}

QString CQENDoc::BalanceStatusText() const
{
    const ZDrawSettings& ds = m_data.GetDrawSettings();
    return QString::fromStdString(ZBalanceRun::StatusPaneText(ds.Balanced != 0, ds.CalcCase));
}

void CQENDoc::OnBalance()
{
    CQENApp* app = CQENApp::Instance();
    CReportWindow& report = app->ReportWindow();
    ZBalanceRun run(m_data);
    report.Clear();
    if (!run.CheckConnectivity()) {
        report.SetTitle(QString::fromStdString(ZConnectivityCheck::ReportTitle()));
        report.Append(QString::fromStdString(run.Connectivity().ReportText()));
        report.ShowReport();
        return;
    }

    const ZBalanceRun::Params current = run.CurrentParams();
    CBalanceParamsDlg dlg(m_prompt, app->MainWindow());
    dlg.SetValues(current.CalcCase, current.AccidentFactor, ZBalanceRun::HeadToleranceFor(current.Precision));
    if (dlg.exec() != QDialog::Accepted)
        return;
    ZBalanceRun::Params chosen;
    chosen.CalcCase = dlg.CalcCase();
    chosen.AccidentFactor = dlg.AccidentFactor();
    chosen.Precision = dlg.PrecisionIndex();
    run.ApplyParams(chosen);

    {
        CBalanceProgress progress(app->MainWindow(), m_prompt);
        run.Run(&CBalanceProgress::Observe, &progress);
    }
    const std::string message = run.Message();
    if (!message.empty())
        m_prompt.Warn(message);
    if (const std::string notes = run.Report(); !notes.empty()) {
        report.SetTitle(QStringLiteral("平差结果提示"));
        report.Append(QString::fromStdString(notes));
        report.ShowReport();
    }
    if (run.ResultsChanged()) {
        // Contour regeneration joins here once pressure contours are part of the program.
        ZNetMsg msg;
        msg.Code = ZNetMsg::Balanced;
        UpdateAllViews(msg);
    }
    SetModifiedFlag(true);
}

void CQENDoc::OnOptions()
{
    CQENApp* app = CQENApp::Instance();
    if (!app->OptionsSheet)
        return;
    if (app->OptionsSheet(*this, app->MainWindow())) {
        SetModifiedFlag(true);
        app->BroadcastOptionsChanged();
    }
}

void CQENDoc::OnTemplate(int commandId)
{
    CQENApp* app = CQENApp::Instance();
    if (app->TemplateDialog)
        app->TemplateDialog(commandId, m_settings, app->MainWindow());
}

bool CQENDoc::OnCommand(int id)
{
    switch (id) {
    case Cmd::FileSave:
        if (DoFileSave())
            CQENApp::Instance()->AddToRecentFileList(m_path);
        return true;
    case Cmd::FileSaveAs:
        DoSaveAs();
        return true;
    case Cmd::Balance:
        OnBalance();
        return true;
    case Cmd::Options:
        OnOptions();
        return true;
    case Cmd::TemplateNode: case Cmd::TemplatePipe: case Cmd::TemplatePump: case Cmd::TemplateValve:
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
    case Cmd::FileSave:
    case Cmd::FileSaveAs:
    case Cmd::Balance:
        state.enabled = true;
        return true;
    case Cmd::Options:
        state.enabled = bool(CQENApp::Instance()->OptionsSheet);
        return true;
    case Cmd::TemplateNode: case Cmd::TemplatePipe: case Cmd::TemplatePump: case Cmd::TemplateValve:
    case Cmd::TemplateTank:
        state.enabled = bool(CQENApp::Instance()->TemplateDialog);
        return true;
    // Known here but not part of this build yet: shown disabled.
    case Cmd::NodeFlows:
    case Cmd::NetCost:
    case Cmd::ImportAcad:
    case Cmd::ExportAcad:
        state.enabled = false;
        return true;
    default:
        return false;
    }
}
