#pragma once
#include <functional>
#include <initializer_list>
#include <string>

// The report's own texts in the reader's language. The report is written in Chinese; a caller
// with a translation (the program's CCoreText::TrStd, qen-cli under --language en) gives it here,
// and the texts are translated where they are made, before the user's data (identifiers, titles)
// is put into them, so that data is never taken for a text to translate.
class ZReportText {
public:
    using Function = std::function<std::string(const std::string&)>;

    ZReportText() = default;
    explicit ZReportText(Function translate) : m_translate(std::move(translate)) {}

    std::string operator()(const std::string& chinese) const { return m_translate ? m_translate(chinese) : chinese; }
    // A text with %1, %2... translated whole, then its parts put in as they are.
    std::string Format(const std::string& chinese, std::initializer_list<std::string> parts) const;
    // "流量 (l/s)": the translated caption and its unit; the caption alone without a unit.
    std::string WithUnit(const std::string& chinese, const std::string& unit) const;
    // Item `index` of the lines of `items` ("闸阀\n止回阀..."), translated as one list so that the
    // items stay in step with the table window's choices.
    std::string Choice(const char* items, int index) const;

private:
    Function m_translate;
};
