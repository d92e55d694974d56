#include "CNetCmdBar.h"
#include "views/CommandIds.h"
#include "CoordEdit.h"

#include <QLabel>

CNetCmdBar::CNetCmdBar(const QString& title, QWidget* parent) : QToolBar(title, parent)
{
    setObjectName(QStringLiteral("Bar%1").arg(int(Cmd::BarCoord)));
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    auto* label = new QLabel(tr("输坐标:"), this);
    label->setContentsMargins(4, 0, 4, 0);
    addWidget(label);
    m_edit = new CoordEdit(this);
    m_edit->setMinimumWidth(240);
    m_edit->setToolTip(QStringLiteral("x, y"));
    addWidget(m_edit);
    connect(m_edit, &CoordEdit::entered, this, &CNetCmdBar::coordinateText);
}

void CNetCmdBar::SelectForCorrection()
{
    m_edit->setFocus();
    m_edit->selectAll();
}
