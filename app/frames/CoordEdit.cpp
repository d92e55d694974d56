#include "CoordEdit.h"
#include "CoordParser.h"

#include <QApplication>
#include <QKeyEvent>

CoordEdit::CoordEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("coordEdit"));
}

void CoordEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit entered(text());
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        clear();
        return;
    }
    const QString t = e->text();
    bool printable = !t.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (printable) {
        for (QChar c : t) {
            if (c.isPrint() && !CoordParser::IsAllowedChar(c)) {
                QApplication::beep();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(e);
}
