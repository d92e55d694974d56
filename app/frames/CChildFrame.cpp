#include "CChildFrame.h"
#include "app/CQENApp.h"
#include "app/commands/CQENDoc.h"
#include "views/CommandIds.h"
#include "app/dialogs/VectorIconEngine.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CQENDoc* doc, ViewKind kind, QWidget* view) : m_doc(doc), m_kind(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowIcon(VectorIconEngine::ForCommand(kind == Table ? int(Cmd::WindowTable)
                                               : kind == Module ? int(Cmd::WindowModule)
                                                                : int(Cmd::WindowGraphic)));
    connect(doc, &CQENDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(doc, &CQENDoc::modifiedChanged, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
}

void CChildFrame::UpdateTitle()
{
    static const char* const kinds[] = {"", " - 表格", " - 三维"};
    setWindowTitle(m_doc->Title() + QString::fromUtf8(kinds[m_kind]) + QStringLiteral("[*]"));
    setWindowModified(m_doc->IsModified());
}

void CChildFrame::closeEvent(QCloseEvent* e)
{
    if (!CQENApp::Instance()->CanCloseFrame(this)) {
        e->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(e);
    if (e->isAccepted())
        CQENApp::Instance()->OnFrameClosed(this);
}
