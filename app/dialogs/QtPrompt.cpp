#include "QtPrompt.h"
#include "text/CCoreText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
QWidget* Owner()
{
    return QApplication::activeWindow();
}
QString Text(const std::string& s)
{
    return CCoreText::Tr(s);   // the core's texts in the interface's language
}
const QString kCaption = QStringLiteral("QEN");
}   // namespace

bool QtPrompt::AskYesNo(const std::string& text)
{
    return QMessageBox::question(Owner(), kCaption, Text(text), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void QtPrompt::Inform(const std::string& text)
{
    QMessageBox::information(Owner(), kCaption, Text(text));
}

UiPrompt::Answer QtPrompt::AskYesNoCancel(const std::string& text)
{
    auto b = QMessageBox::question(Owner(), kCaption, Text(text),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    return b == QMessageBox::Yes ? Yes : b == QMessageBox::No ? No : Cancel;
}

void QtPrompt::Warn(const std::string& text)
{
    QMessageBox::warning(Owner(), kCaption, Text(text));
}

UiPrompt::Answer QtPrompt::AskRecovery(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, kCaption, Text(text), QMessageBox::NoButton, Owner());
    QPushButton* recover = box.addButton(tr("恢复"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(tr("放弃"), QMessageBox::DestructiveRole);
    box.addButton(tr("以后再说"), QMessageBox::RejectRole);
    box.setDefaultButton(recover);
    box.exec();
    // Closing the box decides nothing: the copies wait for the next start.
    return box.clickedButton() == recover ? Yes : box.clickedButton() == discard ? No : Cancel;
}
