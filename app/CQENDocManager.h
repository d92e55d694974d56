#pragma once
#include <QCoreApplication>
#include <QString>

class QWidget;

// Asks for file names: project files, then "文本文件(*.txt)", then all files. Tests replace it
// with one that answers from a script.
class CQENDocManager {
    Q_DECLARE_TR_FUNCTIONS(CQENDocManager)

public:
    virtual ~CQENDocManager() = default;
    // Empty when the user cancelled. `save` asks before overwriting.
    virtual QString PromptFileName(QWidget* parent, const QString& caption, bool save, const QString& initial);

    static QString Filters();
};
