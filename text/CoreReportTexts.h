#pragma once
#include <span>

// The calculation report (report/) is written in Chinese; under the English interface the report
// builder is given CCoreText::TrStd, which finds these texts in the translation (context
// CCoreText). Listed here so that lupdate brings them into the .ts.
class CoreReportTexts {
public:
    static std::span<const char* const> All();
};
