#include "COptionSheet.h"
#include "COptionCalcPage.h"
#include "COptionColorSizePage.h"
#include "COptionGradePage.h"
#include "COptionLabelPage.h"
#include "COptionPrnLabPage.h"
#include "COptionSavePage.h"
#include "COptionToolTipPage.h"
#include "COptionUnitPage.h"
#include "views/UiPrompt.h"

#include "model/ZDrawSettings.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
bool SameGrading(const ZDrawSettings& a, const ZDrawSettings& b)
{
    return a.NodeGradeOn == b.NodeGradeOn && a.PipeGradeOn == b.PipeGradeOn && a.NodeGradeMode == b.NodeGradeMode &&
           a.PipeGradeMode == b.PipeGradeMode && a.NodeElevGrades == b.NodeElevGrades &&
           a.NodeFlowGrades == b.NodeFlowGrades && a.NodeFreeHeadGrades == b.NodeFreeHeadGrades &&
           a.NodeHeadGrades == b.NodeHeadGrades && a.PipeDiamGrades == b.PipeDiamGrades &&
           a.PipeFlowGrades == b.PipeFlowGrades && a.PipeHLossGrades == b.PipeHLossGrades &&
           a.PipeSlopeGrades == b.PipeSlopeGrades && a.PipeVeloGrades == b.PipeVeloGrades;
}
}   // namespace

COptionSheet::COptionSheet(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : QDialog(parent), m_draw(draw)
{
    setWindowTitle(tr("选项"));
    setObjectName(QStringLiteral("optionSheet"));
    m_tabs = new QTabWidget(this);
    m_pages = {
        new COptionToolTipPage(settings, draw, prompt, m_tabs),
        new COptionLabelPage(settings, draw, prompt, m_tabs),
        new COptionPrnLabPage(settings, draw, prompt, m_tabs),
        new COptionColorSizePage(settings, draw, prompt, m_tabs),
        new COptionGradePage(COptionGradePage::Pipes, settings, draw, prompt, m_tabs),
        new COptionGradePage(COptionGradePage::Nodes, settings, draw, prompt, m_tabs),
        new COptionUnitPage(settings, draw, prompt, m_tabs),
        new COptionCalcPage(settings, draw, prompt, m_tabs),
        new COptionSavePage(settings, draw, prompt, m_tabs),
    };
    for (COptionPage* p : m_pages)
        m_tabs->addTab(p, p->Title());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_tabs);
    top->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &COptionSheet::OnTabChanged);
}

void COptionSheet::OnTabChanged(int index)
{
    if (index == m_current)
        return;
    // A page with a refused field cannot be left.
    if (m_current >= 0 && m_current < PageCount() && !Page(m_current)->CheckPage()) {
        const QSignalBlocker b(m_tabs);
        m_tabs->setCurrentIndex(m_current);
        return;
    }
    m_current = index;
}

void COptionSheet::accept()
{
    // The page shown first, then the others, each shown when it refuses.
    if (!Page(m_current)->CheckPage())
        return;
    for (int i = 0; i < PageCount(); ++i) {
        if (i == m_current)
            continue;
        if (!Page(i)->CheckPage()) {
            const QSignalBlocker b(m_tabs);
            m_tabs->setCurrentIndex(i);
            m_current = i;
            Page(i)->FocusRefused();
            return;
        }
    }
    const ZDrawSettings before = m_draw;
    for (COptionPage* p : m_pages)
        p->ApplyPage();
    m_gradingChanged = !SameGrading(before, m_draw);
    QDialog::accept();
}
