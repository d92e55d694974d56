#pragma once
#include "ZDesignCheckSection.h"
#include "ZReport.h"
#include "ZSimulationSection.h"

#include <string>
#include <vector>

class ProgressObserver;
class UnitSystem;
class ZDocument;

// Builds the calculation report of a document: its parameters, and for each case a balance of a
// copy of the network (the document's own results stay as they are), the case's summary and the
// node, pipe, pump, valve and tank tables in the display units. A case that does not balance is
// reported as such, its tables listing the data without results.
class ZReportBuilder {
public:
    struct Options {
        std::vector<int> cases;      // ZDrawSettings::CalcCaseValue; empty: CasesOf the document
        double minFreeHead = 10.0;   // m, the minimum service head the summary counts against
        ZTitleBlock title;
        // Sections after the cases, when the caller has these results of the document's network
        // (list positions of its nodes and links); the pointers live through Build.
        const ZSimulationSection::Input* simulation = nullptr;
        const ZDesignCheckSection::FireFlowInput* fireFlow = nullptr;
        const ZDesignCheckSection::CriticalityInput* criticality = nullptr;
        // The report's texts in the reader's language (identity: Chinese); the report keeps it
        // for its writers.
        ZReportText::Function translate;
    };

    ZReportBuilder(const ZDocument& doc, const UnitSystem& units) : m_doc(doc), m_units(units) {}

    // Throws ArchiveError when the document cannot be copied (what its save would refuse).
    // The observer sees each case's share; its stop flag stops the case being balanced and
    // marks the report stopped.
    ZReport Build(const Options& options, ProgressObserver* progress = nullptr) const;

    // The peak hour, the fire case when a node is marked for it, the accident case when a pipe is.
    static std::vector<int> CasesOf(const ZDocument& doc);
    // The document's stored title block in UTF-8.
    static ZTitleBlock TitleOf(const ZDocument& doc);
    // "peak,fire,accident" (any of them, in any order) to case numbers; false for another name.
    static bool ParseCases(const std::string& text, std::vector<int>& cases);
    // The exit status `qen-cli balance` gives for the first case that did not converge (2 invalid
    // data, 3 stopped or out of passes, 4 no known head, 5 split network, 6 diverged); 0 when all did.
    static int ExitStatus(const ZReport& report);

private:
    ZReportCase BuildCase(int calcCase, double minFreeHead, const ZReportText& tr, ProgressObserver* progress) const;
    std::vector<ZReportItem> Parameters(double minFreeHead, const ZReportText& tr) const;

    const ZDocument& m_doc;
    const UnitSystem& m_units;
};
