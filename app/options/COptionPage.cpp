#include "COptionPage.h"

#include "model/Prompt.h"

#include <QLineEdit>

COptionPage::COptionPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_draw(draw), m_prompt(prompt)
{
}

bool COptionPage::Refuse(const QString& text, QWidget* field)
{
    if (m_prompt)
        m_prompt->Inform(text.toStdString());
    m_refused = field;
    FocusRefused();
    return false;
}

void COptionPage::FocusRefused()
{
    if (QWidget* field = m_refused) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
}
