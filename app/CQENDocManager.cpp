#include "CQENDocManager.h"

#include <QFileDialog>

QString CQENDocManager::Filters()
{
    return tr("QEN Files (*.wnp);;文本文件(*.txt);;所有文件 (*)");
}

QString CQENDocManager::PromptFileName(QWidget* parent, const QString& caption, bool save, const QString& initial)
{
    QFileDialog dlg(parent, caption, initial, Filters());
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::ReadOnly, false);
    if (save) {
        // A name typed without extension gets the one of the chosen filter.
        dlg.setDefaultSuffix(QStringLiteral("wnp"));
        QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg](const QString& f) {
            dlg.setDefaultSuffix(f.contains(QLatin1String("*.txt"))   ? QStringLiteral("txt")
                                 : f.contains(QLatin1String("*.wnp")) ? QStringLiteral("wnp")
                                                                      : QString());
        });
        if (initial.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            dlg.selectNameFilter(tr("文本文件(*.txt)"));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}
