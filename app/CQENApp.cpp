#include "CQENApp.h"
#include "app/commands/CCalcCommands.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/commands/CAutoSaver.h"
#include "app/commands/CEpanetImportCommand.h"
#include "app/frames/CChildFrame.h"
#include "app/frames/CMainFrame.h"
#include "app/options/COptionSheet.h"
#include "app/commands/CPropertyEditor.h"
#include "app/commands/CQENDoc.h"
#include "CQENDocManager.h"
#include "app/dialogs/CReportWindow.h"
#include "app/help/CHelpKeyFilter.h"
#include "app/help/CHelpWindow.h"
#include "app/translations/CLanguage.h"
#include "views/CommandIds.h"
#include "views/UiPrompt.h"

#include "model/KeyValueStore.h"
#include "model/MemoryKeyValueStore.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"
#include "views/ObjectPropertyEditor.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>

namespace {
const char* const kSystem = "SYSTEM";
const char* const kBars = "Tool Bars";
const char* const kRecent = "Recent File List";

std::vector<uint8_t> Bytes(const QByteArray& a)
{
    return std::vector<uint8_t>(a.begin(), a.end());
}
QByteArray Array(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

void PutInt32(std::vector<uint8_t>& out, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

int32_t GetInt32(const std::vector<uint8_t>& in, size_t at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(in[at + i]) << (8 * i);
    return int32_t(v);
}
}   // namespace

CQENApp::CQENApp(std::unique_ptr<KeyValueStore> profile, std::unique_ptr<UiPrompt> prompt)
    : m_profile(std::move(profile)), m_prompt(std::move(prompt)), m_settings(std::make_unique<ZSettingsStore>()),
      m_docManager(std::make_unique<CQENDocManager>()),
      m_propertyEditor(std::make_unique<CPropertyEditor>(*m_settings, *m_prompt))
{
    OptionsSheet = [](CQENDoc& doc, QWidget* owner) {
        COptionSheet sheet(doc.Settings(), doc.Data().GetDrawSettings(), &doc.Prompt(), owner);
        if (sheet.exec() != QDialog::Accepted)
            return false;
        if (sheet.GradingChanged())
            doc.SetModifiedFlag(true);
        return true;
    };
    TemplateDialog = [this](int commandId, ZSettingsStore& settings, QWidget* owner) {
        CPropertyEditor(settings, *m_prompt).EditTemplate(owner, commandId);
    };
}

CQENApp::~CQENApp()
{
    // Without ExitInstance the run did not end cleanly: documents still open keep their copies
    // for the next start, so the saver stops watching before they go.
    m_autoSaver.reset();
    delete m_frame.data();
    qDeleteAll(m_docs);
    m_docs.clear();
}

void CQENApp::SetPrompt(std::unique_ptr<UiPrompt> prompt)
{
    m_prompt = std::move(prompt);
    // The program's own dialogs speak through the prompt.
    if (dynamic_cast<CPropertyEditor*>(m_propertyEditor.get()))
        m_propertyEditor = std::make_unique<CPropertyEditor>(*m_settings, *m_prompt);
    HandEditServices();
}

void CQENApp::SetDocManager(std::unique_ptr<CQENDocManager> manager)
{
    m_docManager = std::move(manager);
}

QWidget* CQENApp::MainWindow() const
{
    return m_frame.data();
}

CReportWindow& CQENApp::ReportWindow()
{
    if (m_frame)
        return m_frame->ReportWindow();
    if (!m_ownReport)
        m_ownReport = std::make_unique<CReportWindow>();
    return *m_ownReport;
}

QPrinter& CQENApp::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool CQENApp::InitInstance()
{
    m_maximized = m_profile->GetInt(kSystem, "Maximized", 0) != 0;
    m_settings->Load(*m_profile);
    // Before the first window: every text is made in the language of this run.
    CLanguage::Install(CLanguage::Choose(Language, m_settings->InterfaceLanguage, QLocale::system()));
    if (!m_helpKeys)
        m_helpKeys = std::make_unique<CHelpKeyFilter>(
            [this](const QString& section, QWidget* dialog) { CHelpWindow::ShowSection(section, dialog); });
    LoadRecentFiles();
    m_autoSaver = std::make_unique<CAutoSaver>(*m_settings, RecoveryRoot);

    m_frame = new CMainFrame(*this);
    m_frame->SetPrinterSource([this]() { return &Printer(); });
    m_frame->SetCalcCommands(std::make_unique<CCalcCommands>(*m_frame, Prompt(), Profile(), Settings()));
    m_frame->RefreshRecentFiles(m_recent);
    if (auto state = m_profile->ReadBinary(kBars, "State"))
        m_frame->LoadBarState(Array(*state));
    LoadPlacement();
    if (m_maximized)
        m_frame->showMaximized();
    else
        m_frame->show();
    m_written = std::make_unique<MemoryKeyValueStore>();
    PersistProfile();
    return true;
}

void CQENApp::LoadPlacement()
{
    auto rect = m_profile->ReadBinary(kSystem, "FrameRect");
    if (!rect || rect->size() != 16)
        return;
    const QRect r(QPoint(GetInt32(*rect, 0), GetInt32(*rect, 4)),
                  QPoint(GetInt32(*rect, 8) - 1, GetInt32(*rect, 12) - 1));
    if (r.width() < 200 || r.height() < 150)
        return;
    // A placement from a screen that is gone would put the window out of reach.
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->availableGeometry().intersects(r)) {
            m_frame->setGeometry(r);
            return;
        }
    }
}

void CQENApp::SaveFrameState()
{
    if (!m_frame)
        return;
    WriteFrameState(*m_profile);
    m_profile->Flush();
}

void CQENApp::WriteFrameState(KeyValueStore& out)
{
    out.WriteBinary(kBars, "State", Bytes(m_frame->SaveBarState()));
    m_maximized = m_frame->isMaximized();
    const QRect r = m_frame->normalGeometry().isValid() ? m_frame->normalGeometry() : m_frame->geometry();
    std::vector<uint8_t> rect;
    PutInt32(rect, r.left());
    PutInt32(rect, r.top());
    PutInt32(rect, r.right() + 1);
    PutInt32(rect, r.bottom() + 1);
    out.WriteBinary(kSystem, "FrameRect", rect);
}

void CQENApp::PersistProfile()
{
    if (!m_written)
        return;
    auto now = std::make_unique<MemoryKeyValueStore>();
    if (m_frame && m_frame->isVisible())
        WriteFrameState(*now);
    now->WriteInt(kSystem, "Maximized", m_maximized ? 1 : 0);
    m_settings->Save(*now);
    SaveRecentFiles(*now);
    if (now->WriteChanges(*m_written, *m_profile))
        m_profile->Flush();
    m_written = std::move(now);
}

void CQENApp::ExitInstance()
{
    m_profile->WriteInt(kSystem, "Maximized", m_maximized ? 1 : 0);
    m_settings->Save(*m_profile);
    SaveRecentFiles(*m_profile);
    m_profile->Flush();
    m_written.reset();
    if (m_autoSaver)
        m_autoSaver->CloseClean();
}

QList<CQENDoc*> CQENApp::OfferRecovery()
{
    if (!m_autoSaver)
        return {};
    return m_autoSaver->OfferRecovery(*m_prompt, [this](const CRecoveryStore::Entry& e) -> CQENDoc* {
        CQENDoc* doc = CreateDocument();
        const QString title = e.path.isEmpty() ? QStringLiteral("QEN%1").arg(++m_untitledCount) : e.title;
        if (!doc->OnOpenRecovery(e.file, e.path, title, e.version)) {
            delete doc;
            return nullptr;
        }
        m_docs.append(doc);
        if (m_frame)
            m_frame->OpenFrame(doc, CChildFrame::Graphic);
        return doc;
    });
}

void CQENApp::LoadRecentFiles()
{
    m_recent.clear();
    for (int i = 1; i <= RecentFileCount; ++i) {
        // Paths are kept as UTF-8 bytes: a file name need not be representable in GBK.
        auto v = m_profile->ReadBinary(kRecent, "File" + std::to_string(i));
        if (v && !v->empty())
            m_recent.append(QString::fromUtf8(Array(*v)));
    }
}

void CQENApp::SaveRecentFiles(KeyValueStore& out) const
{
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QByteArray path = i <= m_recent.size() ? m_recent[i - 1].toUtf8() : QByteArray();
        out.WriteBinary(kRecent, "File" + std::to_string(i), Bytes(path));
    }
}

void CQENApp::AddToRecentFileList(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString full = QFileInfo(path).absoluteFilePath();
    m_recent.removeAll(full);
    m_recent.prepend(full);
    while (m_recent.size() > RecentFileCount)
        m_recent.removeLast();
    if (m_frame)
        m_frame->RefreshRecentFiles(m_recent);
    PersistProfile();
}

CQENDoc* CQENApp::CreateDocument()
{
    auto* doc = new CQENDoc(*m_settings, *m_prompt, this, this);
    if (m_autoSaver)
        m_autoSaver->Watch(doc);
    return doc;
}

QString CQENApp::PromptSaveName(const QString& initial)
{
    return m_docManager->PromptFileName(MainWindow(), tr("另存为"), true, initial);
}

void CQENApp::RunTemplateDialog(int commandId)
{
    if (TemplateDialog)
        TemplateDialog(commandId, *m_settings, MainWindow());
    PersistProfile();
}

CQENDoc* CQENApp::NewDocument()
{
    CQENDoc* doc = CreateDocument();
    doc->OnNewDocument(QStringLiteral("QEN%1").arg(++m_untitledCount));
    m_docs.append(doc);
    if (m_frame)
        m_frame->OpenFrame(doc, CChildFrame::Graphic);
    return doc;
}

CQENDoc* CQENApp::OpenDocumentFile(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    for (CQENDoc* d : m_docs) {
        if (!canonical.isEmpty() && QFileInfo(d->PathName()).canonicalFilePath() == canonical) {
            if (m_frame) {
                const auto frames = m_frame->FramesOf(d);
                if (!frames.isEmpty())
                    m_frame->MdiArea()->setActiveSubWindow(frames.first());
            }
            return d;
        }
    }
    CQENDoc* doc = CreateDocument();
    if (!doc->OnOpenDocument(path)) {
        delete doc;
        return nullptr;
    }
    m_docs.append(doc);
    if (m_frame)
        m_frame->OpenFrame(doc, CChildFrame::Graphic);
    AddToRecentFileList(path);
    return doc;
}

CQENDoc* CQENApp::ImportEpanetFile(const QString& path, double hour)
{
    CQENDoc* doc = CreateDocument();
    if (!CEpanetImportCommand(*m_prompt, *this).Read(*doc, path, hour)) {
        delete doc;
        return nullptr;
    }
    m_docs.append(doc);
    if (m_frame)
        m_frame->OpenFrame(doc, CChildFrame::Graphic);
    return doc;
}

void CQENApp::OpenRecentFile(int index)
{
    if (index < 0 || index >= m_recent.size())
        return;
    const QString path = m_recent[index];
    if (!QFileInfo::exists(path)) {
        m_prompt->Warn(tr("无法打开文件 %1。").arg(path).toStdString());
        m_recent.removeAt(index);
        if (m_frame)
            m_frame->RefreshRecentFiles(m_recent);
        return;
    }
    OpenDocumentFile(path);
}

bool CQENApp::CanCloseFrame(CChildFrame* frame)
{
    if (m_closingDocument || !m_frame)
        return true;
    if (m_frame->FramesOf(frame->Document()).size() > 1)
        return true;
    return frame->Document()->SaveModified();
}

void CQENApp::OnFrameClosed(CChildFrame* frame)
{
    if (!m_frame)
        return;
    CQENDoc* doc = frame->Document();
    for (CChildFrame* f : m_frame->FramesOf(doc))
        if (f != frame && !f->isHidden())
            return;
    DestroyDocument(doc);
}

void CQENApp::DestroyDocument(CQENDoc* doc)
{
    if (!m_docs.removeOne(doc))
        return;
    doc->deleteLater();
}

bool CQENApp::CloseDocument(CQENDoc* doc)
{
    if (!doc->SaveModified())
        return false;
    QPointer<CQENDoc> guard(doc);
    m_closingDocument = true;
    if (m_frame)
        for (CChildFrame* f : m_frame->FramesOf(doc))
            f->close();
    m_closingDocument = false;
    if (guard)
        DestroyDocument(doc);
    return true;
}

bool CQENApp::CloseAllDocuments()
{
    const auto docs = m_docs;
    for (CQENDoc* d : docs)
        if (m_docs.contains(d) && !CloseDocument(d))
            return false;
    return true;
}

void CQENApp::BroadcastOptionsChanged()
{
    ZNetMsg msg;
    msg.Code = ZNetMsg::OptionsChanged;
    for (CQENDoc* d : m_docs)
        d->UpdateAllViews(msg);
    if (m_autoSaver)
        m_autoSaver->Reschedule();
    PersistProfile();
}

bool CQENApp::OnCommand(int id)
{
    switch (id) {
    case Cmd::FileNew:
        NewDocument();
        return true;
    case Cmd::FileOpen: {
        const QString path = m_docManager->PromptFileName(MainWindow(), tr("打开"), false, QString());
        if (!path.isEmpty())
            OpenDocumentFile(path);
        return true;
    }
    case Cmd::FileImportEpanet: {
        QString path;
        double hour = 0.0;
        if (CEpanetImportCommand(*m_prompt, *this).Ask(path, hour))
            ImportEpanetFile(path, hour);
        return true;
    }
    case Cmd::FilePrintSetup: {
        QPageSetupDialog dlg(&Printer(), MainWindow());
        dlg.exec();
        return true;
    }
    case Cmd::AppExit:
        if (m_frame)
            m_frame->close();
        return true;
    case Cmd::AppAbout: {
        CAboutDlg dlg(MainWindow());
        dlg.exec();
        return true;
    }
    case Cmd::HelpTopics:
        CHelpWindow::ShowSection(QString(), MainWindow());
        return true;
    default:
        return false;
    }
}

bool CQENApp::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case Cmd::FileNew:
    case Cmd::FileOpen:
    case Cmd::FileImportEpanet:
    case Cmd::FilePrintSetup:
    case Cmd::AppExit:
    case Cmd::AppAbout:
    case Cmd::HelpTopics:
        state.enabled = true;
        return true;
    default:
        return false;
    }
}

void CQENApp::SetPropertyEditor(std::unique_ptr<ObjectPropertyEditor> editor)
{
    m_propertyEditor = std::move(editor);
    HandEditServices();
}

void CQENApp::HandEditServices()
{
    // Open graphic views hold the prompt and the editor: they get the ones in place now.
    if (!m_frame)
        return;
    for (CChildFrame* f : m_frame->Frames())
        if (auto* v = qobject_cast<CQENView*>(f->View()))
            v->SetEditServices(&Prompt(), m_propertyEditor.get());
}
