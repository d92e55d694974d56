#pragma once
#include "report/ZReportBuilder.h"

#include <QString>

class ProgressObserver;
class ZDocument;
class ZSettingsStore;

// The calculation report of a document written as a workbook (.xlsx) or a PDF with its map
// (.pdf), as the output's extension says, in the units of the settings. The document keeps its
// results: every case, and the map's, is balanced on a copy.
class ZReportExport {
public:
    // Usage mistakes and unreadable files, as qen-cli says them.
    enum { ExitUsage = 1, ExitBadFile = 2 };

    // False, with the reason in `message`, when nothing could be written. Else `status` (when
    // given) is the exit status `qen-cli balance` gives for the first case that did not converge,
    // 0 when all did: the report is written all the same and says so.
    static bool Write(const ZDocument& doc, const ZSettingsStore& settings, const QString& output,
                      ZReportBuilder::Options options, QString& message, int* status = nullptr,
                      ProgressObserver* progress = nullptr);
    // What `qen --report` runs for the report besides the cases.
    struct Checks {
        bool simulate = false, fireFlow = false, criticality = false;
    };
    // `qen --report FILE OUT [--cases LIST] [--title TEXT] [--simulate] [--fireflow] [--criticality]`,
    // with the exit statuses of qen-cli report.
    static int Run(const QString& input, const QString& output, const QString& cases, const QString& title,
                   const Checks& checks, const ZSettingsStore& settings, QString& message);
    // True when every character of `text` has a GBK code, as the project file keeps the title.
    static bool FitsGbk(const QString& text);
    // "xlsx" or "pdf" from the output's extension; empty for another.
    static QString FormatOf(const QString& output);
};
