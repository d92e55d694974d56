#pragma once
#include <QMdiSubWindow>

class CFrameHost;
class CQENDoc;

// One MDI child window showing one view of a document. Closing the last window of a document
// closes the document, after asking to save it.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    enum ViewKind { Graphic, Table, Module };

    CChildFrame(CFrameHost& host, CQENDoc* doc, ViewKind kind, QWidget* view);
    CQENDoc* Document() const { return m_doc; }
    ViewKind Kind() const { return m_kind; }
    QWidget* View() const { return widget(); }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void UpdateTitle();

    CFrameHost& m_host;
    CQENDoc* m_doc;
    ViewKind m_kind;
};
