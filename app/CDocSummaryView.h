#pragma once
#include "model/ZNetMsg.h"

#include <QWidget>

class CQENDoc;
class QLabel;
class QTableWidget;

// A plain window on a document: what it holds (object counts, extents, balancing state) and a
// table of its nodes. Stands in for the graphic view where that is not available.
class CDocSummaryView : public QWidget {
    Q_OBJECT
public:
    explicit CDocSummaryView(CQENDoc* doc, QWidget* parent = nullptr);

    void Refresh();
    QString SummaryText() const;

private:
    void OnChanged(const ZNetMsg& msg);

    CQENDoc* m_doc;
    QLabel* m_summary;
    QTableWidget* m_nodes;
};
