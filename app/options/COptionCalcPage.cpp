#include "COptionCalcPage.h"
#include "app/dialogs/PropertyForm.h"
#include "app/dialogs/PropertyNumber.h"

#include "model/ZSettingsStore.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

COptionCalcPage::COptionCalcPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("calcPage"));
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_minFreeHead = new QLineEdit(this);
    m_minFreeHead->setObjectName(QStringLiteral("minFreeHead"));
    m_minFreeHead->setMaximumWidth(100);
    auto* row = new QHBoxLayout;
    row->addWidget(m_minFreeHead);
    row->addWidget(new QLabel(QStringLiteral("m"), this));
    row->addStretch(1);
    form->addRow(tr("最小服务水头:"), row);
    top->addLayout(form);
    auto* note = new QLabel(tr("平差后的报告列出自由水头低于此值的节点。一层建筑约需 10 m, 二层 12 m, "
                               "以上每多一层加 4 m。"),
                            this);
    note->setWordWrap(true);
    top->addWidget(note);
    top->addStretch(1);
    LoadPage();
}

void COptionCalcPage::LoadPage()
{
    m_minFreeHead->setText(QString::fromStdString(PropertyNumber::Plain(m_settings.MinFreeHead)));
}

bool COptionCalcPage::CheckPage()
{
    double v = 0.0;
    if (!PropertyNumber::Parse(m_minFreeHead->text().toStdString(), v) || v < 0.0 || v > ZSettingsStore::MaxMinFreeHead)
        return Refuse(PropertyForm::RangeMessage(0.0, ZSettingsStore::MaxMinFreeHead, false), m_minFreeHead);
    return true;
}

void COptionCalcPage::ApplyPage()
{
    double v = 0.0;
    if (PropertyNumber::Parse(m_minFreeHead->text().toStdString(), v))
        m_settings.MinFreeHead = v;
}
