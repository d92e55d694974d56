#include "COptionUnitPage.h"

#include "model/ZSettingsStore.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {
const char* const kCaptions[] = {
    QT_TRANSLATE_NOOP("COptionUnitPage", "管径单位"), QT_TRANSLATE_NOOP("COptionUnitPage", "长度单位"),
    QT_TRANSLATE_NOOP("COptionUnitPage", "流量单位"), QT_TRANSLATE_NOOP("COptionUnitPage", "流速单位"),
    QT_TRANSLATE_NOOP("COptionUnitPage", "压力单位"), QT_TRANSLATE_NOOP("COptionUnitPage", "水力坡度单位")};
}

COptionUnitPage::COptionUnitPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("unitPage"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("单位"), this), 0, 1);
    grid->addWidget(new QLabel(tr("格式"), this), 0, 2);
    for (int q = 0; q < Quantities; ++q) {
        const UnitCategory& c = settings.Units().Get(static_cast<UnitSystem::Category>(q));
        grid->addWidget(new QLabel(tr(kCaptions[q]), this), q + 1, 0);
        m_units[q] = new QComboBox(this);
        m_units[q]->setObjectName(QStringLiteral("unit%1").arg(q));
        // Unit names and formats are ASCII.
        for (const std::string& n : c.Names())
            m_units[q]->addItem(QString::fromStdString(n));
        m_formats[q] = new QComboBox(this);
        m_formats[q]->setObjectName(QStringLiteral("format%1").arg(q));
        for (const std::string& f : c.PrecisionChoices())
            m_formats[q]->addItem(QString::fromStdString(f));
        grid->addWidget(m_units[q], q + 1, 1);
        grid->addWidget(m_formats[q], q + 1, 2);
    }
    top->addLayout(grid);
    // The language sits with the units: both say how the program speaks to the engineer.
    auto* box = new QGroupBox(tr("界面语言"), this);
    auto* form = new QFormLayout(box);
    m_language = new QComboBox(box);
    m_language->setObjectName(QStringLiteral("interfaceLanguage"));
    m_language->addItem(tr("中文"), int(ZSettingsStore::LanguageChinese));
    m_language->addItem(QStringLiteral("English"), int(ZSettingsStore::LanguageEnglish));
    form->addRow(tr("语言:"), m_language);
    auto* note = new QLabel(tr("重新启动程序后生效。"), box);
    note->setObjectName(QStringLiteral("languageNote"));
    form->addRow(note);
    top->addWidget(box);
    top->addStretch(1);
    LoadPage();
}

int COptionUnitPage::ShownLanguage() const
{
    if (m_settings.InterfaceLanguage != ZSettingsStore::LanguageSystem)
        return m_settings.InterfaceLanguage;
    // What this run follows when nothing was chosen.
    return QLocale::system().language() == QLocale::English ? ZSettingsStore::LanguageEnglish
                                                            : ZSettingsStore::LanguageChinese;
}

void COptionUnitPage::LoadPage()
{
    for (int q = 0; q < Quantities; ++q) {
        const UnitCategory& c = m_settings.Units().Get(static_cast<UnitSystem::Category>(q));
        m_units[q]->setCurrentIndex(c.UnitIndex());
        m_formats[q]->setCurrentIndex(c.Precision() - c.MinPrecision());
    }
    m_language->setCurrentIndex(m_language->findData(ShownLanguage()));
}

void COptionUnitPage::ApplyPage()
{
    for (int q = 0; q < Quantities; ++q) {
        UnitCategory& c = m_settings.Units().Get(static_cast<UnitSystem::Category>(q));
        c.SetUnitIndex(m_units[q]->currentIndex());
        c.SetPrecision(c.MinPrecision() + m_formats[q]->currentIndex());
    }
    // Only a change is kept: a profile that follows the system goes on doing so.
    const int chosen = m_language->currentData().toInt();
    if (chosen != ShownLanguage())
        m_settings.InterfaceLanguage = chosen;
}
