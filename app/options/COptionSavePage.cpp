#include "COptionSavePage.h"

#include "model/ZSettingsStore.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

COptionSavePage::COptionSavePage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("savePage"));
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName(QStringLiteral("autoSaveMinutes"));
    m_minutes->setRange(0, ZSettingsStore::MaxAutoSaveMinutes);
    m_minutes->setSuffix(tr(" 分钟"));
    m_minutes->setSpecialValueText(tr("不自动保存"));
    form->addRow(tr("自动保存恢复文件间隔:"), m_minutes);
    top->addLayout(form);
    auto* note = new QLabel(tr("程序意外退出后, 下次启动时可从恢复文件找回未保存的修改。"), this);
    note->setWordWrap(true);
    top->addWidget(note);
    m_backup = new QCheckBox(tr("保存时把原文件保留为备份 (文件名.wnp.bak)"), this);
    m_backup->setObjectName(QStringLiteral("keepBackup"));
    top->addWidget(m_backup);
    top->addStretch(1);
    LoadPage();
}

void COptionSavePage::LoadPage()
{
    m_minutes->setValue(m_settings.AutoSaveMinutes);
    m_backup->setChecked(m_settings.KeepBackup);
}

void COptionSavePage::ApplyPage()
{
    m_settings.AutoSaveMinutes = m_minutes->value();
    m_settings.KeepBackup = m_backup->isChecked();
}
