#include "CTimeSeriesDlg.h"
#include "views/CTimeSeriesPlot.h"
#include "views/GbkText.h"

#include "hydraulics/ZSimulationResults.h"
#include "model/UnitSystem.h"
#include "model/ZNetwork.h"
#include "model/ZTankLink.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

CTimeSeriesDlg::CTimeSeriesDlg(const ZNetwork& net, const ZSimulationResults& results,
                               const std::vector<QString>& clockTexts, const UnitSystem& units, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("timeSeriesDlg"));
    setWindowTitle(tr("过程线"));
    setAttribute(Qt::WA_DeleteOnClose);
    const UnitCategory& head = units.Hydr();
    const UnitCategory& flow = units.FlowUnit();
    const QString headUnit = QString::fromStdString(head.UnitName());
    const QString flowUnit = QString::fromStdString(flow.UnitName());
    m_axis[Head] = tr("水压 (%1)").arg(headUnit);
    m_axis[FreeHead] = tr("自由水压 (%1)").arg(headUnit);
    m_axis[Demand] = tr("节点流量 (%1)").arg(flowUnit);
    m_axis[Flow] = tr("流量 (%1)").arg(flowUnit);
    m_axis[Status] = tr("状态");
    m_axis[Level] = tr("水位 (m)");   // a depth in the tank, whatever unit heads are shown in

    const size_t times = results.TimeCount();
    bool cut = false;
    auto add = [&](int q, const QString& name, auto value) {
        if (static_cast<int>(m_items[q].size()) >= MaxObjects) {
            cut = true;
            return;
        }
        Item item{name, std::vector<double>(times)};
        for (size_t k = 0; k < times; ++k)
            item.values[k] = value(k);
        m_items[q].push_back(std::move(item));
    };
    for (const ZConsumeNode* n : net.Nodes()) {
        if (!n->IsSelected() || n->IsHidden() || n->IsDeviceNode())
            continue;
        const int i = n->GetIndex();
        const QString name = GbkText::ToQString(n->IdView());
        const double ground = n->NodeGrunElev;
        add(Head, name, [&](size_t k) { return head.ToDisplay(results.Head(k, i)); });
        add(FreeHead, name, [&](size_t k) { return head.ToDisplay(results.Head(k, i) - ground); });
        add(Demand, name, [&](size_t k) { return flow.ToDisplay(results.Demand(k, i)); });
    }
    for (const ZFlowLink* l : net.Links()) {
        if (!l->IsSelected() || l->IsHidden())
            continue;
        const int i = l->GetIndex();
        const QString name = GbkText::ToQString(l->IdView());
        if (l->GetKind() == ZNetObject::Kind::Tank) {
            // Both ends of a tank stand at its water surface.
            const auto* tank = static_cast<const ZTankLink*>(l);
            const int outlet = tank->StartNode()->GetIndex();
            const double bottom = tank->TankBottomElev;
            add(Level, name, [&](size_t k) { return results.Head(k, outlet) - bottom; });
            continue;
        }
        add(Flow, name, [&](size_t k) { return flow.ToDisplay(results.Flow(k, i)); });
        add(Status, name, [&](size_t k) { return results.Status(k, i) == ZSimulationResults::Open ? 1.0 : 0.0; });
    }

    m_plot = new CTimeSeriesPlot(this);
    std::vector<double> seconds(times);
    QStringList clocks;
    for (size_t k = 0; k < times; ++k) {
        seconds[k] = static_cast<double>(results.Time(k));
        clocks << (k < clockTexts.size() ? clockTexts[k] : QString());
    }
    m_plot->SetTimes(std::move(seconds), clocks);

    m_combo = new QComboBox(this);
    static const char* const names[] = {QT_TR_NOOP("水压"), QT_TR_NOOP("自由水压"), QT_TR_NOOP("节点流量"),
                                        QT_TR_NOOP("流量"), QT_TR_NOOP("状态"),     QT_TR_NOOP("水位")};
    for (int q = 0; q < QuantityCount; ++q)
        if (!m_items[q].empty()) {
            m_combo->addItem(tr(names[q]), q);
            ++m_available;
        }
    m_note = new QLabel(this);
    if (cut)
        m_note->setText(tr("所选对象太多, 每类只画前 %1 个。").arg(MaxObjects));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("数值:"), this));
    top->addWidget(m_combo);
    top->addWidget(m_note, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(tr("打印(&P)..."), QDialogButtonBox::ActionRole);
    QPushButton* copy = buttons->addButton(tr("复制为CSV(&C)"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(tr("关闭"));
    connect(print, &QPushButton::clicked, this, &CTimeSeriesDlg::PrintPlot);
    connect(copy, &QPushButton::clicked, this, &CTimeSeriesDlg::CopyCsv);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_combo, &QComboBox::currentIndexChanged, this,
            [this](int index) { Fill(m_combo->itemData(index).toInt()); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_plot, 1);
    layout->addWidget(buttons);
    resize(820, 520);
    if (m_available > 0)
        Fill(m_combo->itemData(0).toInt());
}

bool CTimeSeriesDlg::SetQuantity(int quantity)
{
    const int index = m_combo->findData(quantity);
    if (index < 0)
        return false;
    m_combo->setCurrentIndex(index);
    Fill(quantity);
    return true;
}

void CTimeSeriesDlg::Fill(int quantity)
{
    if (quantity < 0 || quantity >= QuantityCount || quantity == m_quantity)
        return;
    m_quantity = quantity;
    std::vector<CTimeSeriesPlot::Series> series;
    for (const Item& item : m_items[quantity])
        series.push_back({item.name, item.values});
    const bool status = quantity == Status;
    m_plot->SetAxis(m_axis[quantity], status, status ? QStringList{tr("关闭"), tr("开启")} : QStringList());
    m_plot->SetSeries(std::move(series));
    m_plot->SetTitle(tr("过程线: %1").arg(m_combo->currentText()));
}

void CTimeSeriesDlg::CopyCsv() const
{
    QApplication::clipboard()->setText(m_plot->CsvText());
}

void CTimeSeriesDlg::PrintPlot()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() == QDialog::Accepted)
        m_plot->Print(printer);
}
