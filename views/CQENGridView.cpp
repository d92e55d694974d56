#include "CQENGridView.h"

#include "CGridPrinter.h"
#include "CQENGrid.h"
#include "CQENGridModel.h"
#include "ZGridColumns.h"
#include "ZSweepColumns.h"
#include "ZSymbolImages.h"

#include "model/ZDocument.h"
#include "model/ZPumpLink.h"
#include "model/ZSettingsStore.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QColor ToColor(uint32_t c)
{
    return QColor(ZColorSettings::Red(c), ZColorSettings::Green(c), ZColorSettings::Blue(c));
}

// The tab icons: a node and a pipe drawn in their colours, the device symbols as the view shows them.
QIcon TabIcon(int tab, const ZColorSettings& colors)
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const ZSymbolImages::Variant* symbol = nullptr;
    switch (tab) {
    case ZGridColumns::NodeTab:
        p.setPen(QPen(ToColor(colors.Node), 1.5));
        p.setBrush(ToColor(colors.NodeFill));
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    case ZGridColumns::PipeTab:
        p.setPen(QPen(ToColor(colors.Pipe), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 13), QPointF(14, 3));
        break;
    case ZGridColumns::PumpTab: {
        ZPumpLink d;
        symbol = ZSymbolImages::For(d);
        break;
    }
    case ZGridColumns::ValveTab: {
        ZValveLink d;
        symbol = ZSymbolImages::For(d);
        break;
    }
    default: {
        ZTankLink d;
        symbol = ZSymbolImages::For(d);
        break;
    }
    }
    if (symbol && !symbol->image.isNull())
        p.drawImage(QRect(0, 0, 16, 16), symbol->image.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    p.end();
    return QIcon(QPixmap::fromImage(img));
}

}   // namespace

CQENGridView::CQENGridView(ZDocument* doc, const ZSettingsStore& settings, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_settings(settings)
{
    setObjectName(QStringLiteral("tableView"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tableTabs"));
    m_tabs->setDocumentMode(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    const QStringList names = tr("节点\n管道\n水泵\n阀门\n水池").split(QLatin1Char('\n'));
    const ZNetwork* net = doc ? &doc->GetNetwork() : nullptr;
    for (int t = 0; t < ZGridColumns::TabCount; ++t) {
        auto* model = new CQENGridModel(t, net, m_settings.Units(), this);
        model->SetDocument(doc);
        auto* grid = new CQENGrid(model, m_tabs);
        grid->setObjectName(QStringLiteral("grid%1").arg(1055 + t));
        m_grids[static_cast<size_t>(t)] = grid;
        AddGrid(grid, t, TabIcon(t, m_settings.Colors()), names[t]);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, [this]() { emit recordTextChanged(RecordText()); });
    setFocusProxy(m_tabs);
    if (m_doc)
        m_doc->AddListener(this);
}

CQENGridView::~CQENGridView()
{
    if (m_doc)
        m_doc->RemoveListener(this);
}

void CQENGridView::AddGrid(CQENGrid* grid, int index, const QIcon& icon, const QString& name)
{
    m_tabs->insertTab(index, grid, icon, name);
    connect(grid, &CQENGrid::objectActivated, this, &CQENGridView::objectActivated);
    connect(grid, &CQENGrid::recordChanged, this, [this, grid]() {
        if (m_tabs->currentWidget() == grid)
            emit recordTextChanged(RecordText());
    });
}

int CQENGridView::CurrentTab() const
{
    const auto* grid = qobject_cast<const CQENGrid*>(m_tabs->currentWidget());
    return grid ? grid->Model()->Tab() : 0;
}

void CQENGridView::SetCurrentTab(int tab)
{
    if (CQENGrid* grid = Grid(tab))
        m_tabs->setCurrentWidget(grid);
}

CQENGrid* CQENGridView::Grid(int tab) const
{
    if (tab >= 0 && tab < ZGridColumns::TabCount)
        return m_grids[static_cast<size_t>(tab)];
    if (tab == ZSweepColumns::FireFlowTab || tab == ZSweepColumns::FailureTab)
        return m_resultGrids[static_cast<size_t>(tab - ZSweepColumns::FireFlowTab)];
    return nullptr;
}

CQENGridModel* CQENGridView::Model(int tab) const
{
    CQENGrid* grid = Grid(tab);
    return grid ? grid->Model() : nullptr;
}

void CQENGridView::SetResultTable(int tab, std::shared_ptr<const ZSweepColumns> results)
{
    const size_t k = static_cast<size_t>(tab - ZSweepColumns::FireFlowTab);
    if (k >= m_resultGrids.size())
        return;
    CQENGrid*& grid = m_resultGrids[k];
    const bool shown = grid && m_tabs->currentWidget() == grid;
    if (grid) {
        m_tabs->removeTab(m_tabs->indexOf(grid));
        grid->hide();
        // Later: the announcement that drops the results may come from within the grid.
        grid->deleteLater();
        grid = nullptr;
    }
    if (results) {
        const QString name = results->Name();
        auto* model = new CQENGridModel(std::move(results), m_settings.Units());
        grid = new CQENGrid(model, m_tabs);
        model->setParent(grid);   // goes with its grid
        grid->setObjectName(tab == ZSweepColumns::FireFlowTab ? QStringLiteral("fireFlowGrid")
                                                              : QStringLiteral("failureGrid"));
        const int icon = tab == ZSweepColumns::FireFlowTab ? ZGridColumns::NodeTab : ZGridColumns::PipeTab;
        // After the object tables and, for the failures, after the fire flows.
        int index = m_tabs->indexOf(m_grids.back()) + 1;
        if (tab == ZSweepColumns::FailureTab && m_resultGrids[0])
            ++index;
        AddGrid(grid, index, TabIcon(icon, m_settings.Colors()), name);
        if (shown)
            m_tabs->setCurrentWidget(grid);
    }
    emit recordTextChanged(RecordText());
}

QString CQENGridView::RecordText() const
{
    return Model(CurrentTab())->RecordText();
}

QPrinter& CQENGridView::Printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_ownPrinter;
}

void CQENGridView::RefillAll()
{
    for (CQENGrid* g : m_grids)
        g->Model()->Refill();
    emit recordTextChanged(RecordText());
}

void CQENGridView::RefreshAll()
{
    for (CQENGrid* g : m_grids)
        g->Model()->RefreshValues();
}

void CQENGridView::OnUpdate(const ZNetMsg* msg)
{
    if (!msg) {
        for (CQENGrid* g : m_grids)
            g->viewport()->update();
        for (CQENGrid* g : m_resultGrids)
            if (g)
                g->viewport()->update();
        return;
    }
    static const std::vector<ZNetObject*> none;
    const std::vector<ZNetObject*>& objs = msg->Objects ? *msg->Objects : none;
    switch (msg->Code) {
    case ZNetMsg::CadImported:
        // A new network: every table from its first record.
        for (CQENGrid* g : m_grids) {
            g->Model()->Refill();
            g->GoToRecord(1);
        }
        emit recordTextChanged(RecordText());
        return;
    case ZNetMsg::ObjectsChanged:
        switch (msg->SubCode) {
        case ZNetMsg::Moved:
            // Moved objects show new coordinates in the node table.
        case ZNetMsg::PositionEdited:
        case ZNetMsg::AttributesEdited:
            // In a balanced network the edit changes which results are current beyond the listed
            // objects (the pipes at an edited node; every row after an undo back to the run).
            if (objs.empty() || (m_doc && m_doc->GetDrawSettings().Balanced))
                RefreshAll();
            else
                for (CQENGrid* g : m_grids)
                    g->Model()->RefreshObjects(objs);
            return;
        default:
            // Objects came or went, or several kinds of change at once (an undo): list again.
            RefillAll();
            return;
        }
    case ZNetMsg::OptionsChanged:
        // New units change the texts and may need wider columns; new colours the tab icons.
        RefreshAll();
        for (int t = 0; t < ZGridColumns::TabCount; ++t) {
            CQENGrid* g = m_grids[static_cast<size_t>(t)];
            g->Model()->headerDataChanged(Qt::Horizontal, 0, g->Model()->columnCount() - 1);
            g->resizeColumnsToContents();
            m_tabs->setTabIcon(t, TabIcon(t, m_settings.Colors()));
        }
        for (CQENGrid* g : m_resultGrids)
            if (g) {
                g->Model()->RefreshValues();
                g->Model()->headerDataChanged(Qt::Horizontal, 0, g->Model()->columnCount() - 1);
                g->resizeColumnsToContents();
            }
        return;
    default:
        RefreshAll();
        return;
    }
}

void CQENGridView::OnDocumentChanged(const ZNetMsg& msg)
{
    OnUpdate(&msg);
}

void CQENGridView::OnDocumentGone()
{
    m_doc = nullptr;
    for (CQENGrid* g : m_grids) {
        g->Model()->SetDocument(nullptr);
        g->Model()->SetNetwork(nullptr);
    }
    for (CQENGrid* g : m_resultGrids)
        if (g)
            g->Model()->SetNetwork(nullptr);
}

void CQENGridView::MoveRecord(int id)
{
    CQENGrid* grid = Grid(CurrentTab());
    const CQENGridModel* model = grid->Model();
    const int current = model->CurrentRecord();
    switch (id) {
    case CmdRecordFirst:
        grid->GoToRecord(1);
        break;
    case CmdRecordPrev:
        grid->GoToRecord(current - 1);
        break;
    case CmdRecordNext:
        grid->GoToRecord(current + 1);
        break;
    case CmdRecordLast:
        grid->GoToRecord(model->RecordCount());
        break;
    default:
        break;
    }
    emit recordTextChanged(RecordText());
}

bool CQENGridView::OnCommand(int id)
{
    switch (id) {
    case CmdRecordFirst:
    case CmdRecordPrev:
    case CmdRecordNext:
    case CmdRecordLast:
        MoveRecord(id);
        return true;
    case CmdRedraw:
        RefillAll();
        for (CQENGrid* g : m_grids)
            g->viewport()->update();
        return true;
    case CmdCopy:
        Grid(CurrentTab())->CopySelection();
        return true;
    case CmdPrint:
        print();
        return true;
    case CmdPrintDirect:
        PrintTo(Printer());
        return true;
    case CmdPrintPreview:
        printPreview();
        return true;
    default:
        return false;
    }
}

bool CQENGridView::OnUpdateCommand(int id, CommandState& state)
{
    const CQENGridModel* model = Model(CurrentTab());
    const int count = model->RecordCount();
    const int current = model->CurrentRecord();
    switch (id) {
    case CmdRecordFirst:
    case CmdRecordPrev:
        state.enabled = count > 1 && current != 1;
        return true;
    case CmdRecordNext:
    case CmdRecordLast:
        state.enabled = count > 1 && current != count;
        return true;
    case CmdCopy:
        state.enabled = Grid(CurrentTab())->HasSelection();
        return true;
    case CmdRedraw:
    case CmdPrint:
    case CmdPrintDirect:
    case CmdPrintPreview:
        state.enabled = true;
        return true;
    default:
        return false;
    }
}

void CQENGridView::PrintTo(QPrinter& printer)
{
    CGridPrinter::Print(printer, *Model(CurrentTab()), m_tabs->tabText(m_tabs->currentIndex()));
}

void CQENGridView::print()
{
    QPrinter& printer = Printer();
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() == QDialog::Accepted)
        PrintTo(printer);
}

void CQENGridView::printPreview()
{
    QPrinter& printer = Printer();
    QPrintPreviewDialog dlg(&printer, this);
    dlg.setWindowTitle(tr("打印预览"));
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintTo(*p); });
    dlg.exec();
}
