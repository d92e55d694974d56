#include "CReportWindow.h"
#include "text/CCoreText.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

CReportWindow::CReportWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("reportWindow"));
    setWindowTitle(tr("无报告输出"));
    setModal(false);
    m_edit = new QTextEdit(this);
    m_edit->setObjectName(QStringLiteral("reportText"));
    m_edit->setReadOnly(true);
    m_edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    resize(480, 320);
}

void CReportWindow::Clear()
{
    m_edit->clear();
}

void CReportWindow::SetTitle(const QString& title)
{
    setWindowTitle(title);
}

void CReportWindow::Append(const QString& text)
{
    QTextCursor c = m_edit->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(CCoreText::Tr(text));   // the core's texts in the interface's language
    m_edit->setTextCursor(c);
}

void CReportWindow::AppendSection(const QString& heading, const QString& text)
{
    QString section;
    if (!m_edit->document()->isEmpty())
        section = (Text().endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n")) + QString(40, QChar(0x2500)) +
                  QLatin1Char('\n');
    if (!heading.isEmpty())
        section += heading + QLatin1Char('\n');
    Append(section + text);
}

void CReportWindow::ShowReport()
{
    show();
    raise();
    activateWindow();
}

QString CReportWindow::Text() const
{
    return m_edit->toPlainText();
}
