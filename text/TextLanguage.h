#pragma once
#include <string>

// The language of a program without a Qt application (qen-cli): Chinese, the language the core's
// texts are written in, or English through the program's translation (:/i18n/qen_en.qm, built
// from app/translations/qen_en.ts). The header keeps Qt out of those who include it.
class TextLanguage {
public:
    // "zh" or "en" (as `--language` takes them); false for anything else.
    static bool Parse(const std::string& code, bool& english);
    // As the program chooses without an option: English when the system's locale is English,
    // else Chinese (also for any other language).
    static bool SystemIsEnglish();
    // Loads the English translation for Tr; false when it cannot be read (Tr then stays Chinese).
    static bool UseEnglish();
    static bool English();

    // A text of the core (lines of messages and reports) in the chosen language, by CCoreText;
    // Chinese: as it is, byte for byte.
    static std::string Tr(const std::string& utf8);
};
