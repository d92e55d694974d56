#include "CChildFrame.h"
#include "CFrameHost.h"
#include "app/commands/CQENDoc.h"
#include "views/CommandIds.h"
#include "app/dialogs/VectorIconEngine.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CFrameHost& host, CQENDoc* doc, ViewKind kind, QWidget* view)
    : m_host(host), m_doc(doc), m_kind(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowIcon(VectorIconEngine::ForCommand(kind == Table    ? int(Cmd::WindowTable)
                                               : kind == Module ? int(Cmd::WindowModule)
                                                                : int(Cmd::WindowGraphic)));
    connect(doc, &CQENDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(doc, &CQENDoc::modifiedChanged, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
}

void CChildFrame::UpdateTitle()
{
    const QString kinds[] = {QString(), tr(" - 表格"), tr(" - 三维")};
    setWindowTitle(m_doc->Title() + kinds[m_kind] + QStringLiteral("[*]"));
    setWindowModified(m_doc->IsModified());
}

void CChildFrame::closeEvent(QCloseEvent* e)
{
    if (!m_host.CanCloseFrame(this)) {
        e->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(e);
    if (e->isAccepted())
        m_host.OnFrameClosed(this);
}
