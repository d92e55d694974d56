#include "TextLanguage.h"
#include "CCoreText.h"

#include <QLocale>
#include <QTranslator>

namespace {
QTranslator* g_english = nullptr;
}   // namespace

bool TextLanguage::Parse(const std::string& code, bool& english)
{
    if (code != "zh" && code != "en")
        return false;
    english = code == "en";
    return true;
}

bool TextLanguage::SystemIsEnglish()
{
    return QLocale::system().language() == QLocale::English;
}

bool TextLanguage::UseEnglish()
{
    if (g_english)
        return true;
    auto* t = new QTranslator;   // lives as long as the program
    if (!t->load(QStringLiteral(":/i18n/qen_en.qm"))) {
        delete t;
        return false;
    }
    g_english = t;
    CCoreText::UseTranslator(t);
    return true;
}

bool TextLanguage::English()
{
    return g_english != nullptr;
}

std::string TextLanguage::Tr(const std::string& utf8)
{
    return g_english ? CCoreText::TrStd(utf8) : utf8;
}
