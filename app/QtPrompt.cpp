#include "QtPrompt.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QWidget* Owner() { return QApplication::activeWindow(); }
QString Text(const std::string& s) { return QString::fromStdString(s); }
const QString kCaption = QStringLiteral("QEN");
}

bool QtPrompt::AskYesNo(const std::string& text)
{
    return QMessageBox::question(Owner(), kCaption, Text(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
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
