#pragma once
#include <QCoreApplication>
#include <QString>

class CQENGridModel;
class QPrinter;

// Prints one table as it is shown (its order, its current units): a heading, the title row on
// every page, the rows with their numbers, and "第%1页" at the foot of each page. A table wider
// than the page is scaled down to its width.
class CGridPrinter {
    Q_DECLARE_TR_FUNCTIONS(CGridPrinter)

public:
    // Returns the number of pages printed.
    static int Print(QPrinter& printer, const CQENGridModel& model, const QString& heading);
};
