#include "COptionUnitPage.h"

#include "model/ZSettingsStore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char* const kCaptions[] = {"管径单位", "长度单位", "流量单位", "流速单位", "压力单位", "水力坡度单位"};
}

COptionUnitPage::COptionUnitPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("unitPage"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("单位"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("格式"), this), 0, 2);
    for (int q = 0; q < Quantities; ++q) {
        const UnitCategory& c = settings.Units().Get(static_cast<UnitSystem::Category>(q));
        grid->addWidget(new QLabel(QString::fromUtf8(kCaptions[q]), this), q + 1, 0);
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
    top->addStretch(1);
    LoadPage();
}

void COptionUnitPage::LoadPage()
{
    for (int q = 0; q < Quantities; ++q) {
        const UnitCategory& c = m_settings.Units().Get(static_cast<UnitSystem::Category>(q));
        m_units[q]->setCurrentIndex(c.UnitIndex());
        m_formats[q]->setCurrentIndex(c.Precision() - c.MinPrecision());
    }
}

void COptionUnitPage::ApplyPage()
{
    for (int q = 0; q < Quantities; ++q) {
        UnitCategory& c = m_settings.Units().Get(static_cast<UnitSystem::Category>(q));
        c.SetUnitIndex(m_units[q]->currentIndex());
        c.SetPrecision(c.MinPrecision() + m_formats[q]->currentIndex());
    }
}
