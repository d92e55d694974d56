#include "CHelpKeyFilter.h"
#include "CHelpMap.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

CHelpKeyFilter::CHelpKeyFilter(Opener open) : m_open(std::move(open))
{
    qApp->installEventFilter(this);
}

CHelpKeyFilter::~CHelpKeyFilter()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CHelpKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* dialog = widget ? qobject_cast<QDialog*>(widget->window()) : nullptr;
    // The main window's F1 is its 帮助主题 shortcut.
    if (!dialog)
        return false;
    m_open(CHelpMap::SectionFor(dialog->metaObject()), dialog);
    return true;
}
