#include "CDocSummaryView.h"
#include "CQENDoc.h"

#include "model/GbkCodec.h"
#include "model/ZSettingsStore.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString Gbk(std::string_view s) { return QString::fromStdString(GbkCodec::ToUtf8(s)); }
}

CDocSummaryView::CDocSummaryView(CQENDoc* doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("docSummaryView"));
    m_summary = new QLabel(this);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setMargin(6);
    m_nodes = new QTableWidget(this);
    m_nodes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_nodes->verticalHeader()->setVisible(false);
    m_nodes->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_nodes->setAlternatingRowColors(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_summary);
    layout->addWidget(m_nodes, 1);
    connect(doc, &CQENDoc::changed, this, &CDocSummaryView::OnChanged);
    Refresh();
}

void CDocSummaryView::OnChanged(const ZNetMsg&)
{
    Refresh();
}

QString CDocSummaryView::SummaryText() const
{
    return m_summary->text();
}

void CDocSummaryView::Refresh()
{
    const ZDocument& d = m_doc->Data();
    const ZNetwork& net = d.GetNetwork();
    int counts[5] = {};
    for (int i = 0; i < net.LinkCount(); ++i)
        ++counts[int(net.LinkAt(i)->GetKind())];
    const ViewExtent e = net.BoundRect();
    m_summary->setText(QStringLiteral("节点 %1  管道 %2  水泵 %3  阀门 %4  水池 %5    范围 (%6, %7) - (%8, %9)    %10")
                           .arg(net.NodeCount())
                           .arg(counts[int(ZNetObject::Kind::Pipe)])
                           .arg(counts[int(ZNetObject::Kind::Pump)])
                           .arg(counts[int(ZNetObject::Kind::Valve)])
                           .arg(counts[int(ZNetObject::Kind::Tank)])
                           .arg(e.left, 0, 'g', 10).arg(e.bottom, 0, 'g', 10)
                           .arg(e.right, 0, 'g', 10).arg(e.top, 0, 'g', 10)
                           .arg(m_doc->BalanceStatusText()));

    const UnitSystem& u = m_doc->Settings().Units();
    auto unit = [](const UnitCategory& c) { return Gbk(c.UnitName()); };
    const QStringList headers = {QStringLiteral("编号"), QStringLiteral("X"), QStringLiteral("Y"),
                                 QStringLiteral("地面标高(%1)").arg(unit(u.Hydr())),
                                 QStringLiteral("节点流量(%1)").arg(unit(u.FlowUnit())),
                                 QStringLiteral("水压标高(%1)").arg(unit(u.Hydr())),
                                 QStringLiteral("自由水压(%1)").arg(unit(u.Hydr()))};
    m_nodes->clear();
    m_nodes->setColumnCount(int(headers.size()));
    m_nodes->setHorizontalHeaderLabels(headers);
    m_nodes->setRowCount(net.NodeCount());
    const bool balanced = d.GetDrawSettings().Balanced != 0;
    for (int i = 0; i < net.NodeCount(); ++i) {
        const ZConsumeNode* n = net.NodeAt(i);
        const QString cells[] = {
            Gbk(n->IdView()),
            QString::number(n->X, 'g', 10),
            QString::number(n->Y, 'g', 10),
            QString::fromStdString(u.Hydr().FormatFixed(n->NodeGrunElev)),
            QString::fromStdString(u.FlowUnit().FormatFixed(n->NodeFlow)),
            balanced ? QString::fromStdString(u.Hydr().FormatFixed(n->NodeHydrElev)) : QString(),
            balanced ? QString::fromStdString(u.Hydr().FormatFixed(n->FreeHead())) : QString(),
        };
        for (int c = 0; c < int(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_nodes->setItem(i, c, item);
        }
    }
    m_nodes->resizeColumnsToContents();
}
