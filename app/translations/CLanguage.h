#pragma once
#include <QLocale>
#include <QString>

// The interface language: Chinese, the language the program is written in, or English through
// the translation built from qen_en.ts. Chosen once at the start: by `--language`, else by the
// options, else by the system when it is Chinese or English, else Chinese.
class CLanguage {
public:
    enum Language { Chinese, English };

    // The stored option is ZSettingsStore::InterfaceLanguage (0 system, 1 Chinese, 2 English).
    static Language Choose(const QString& commandLine, int stored, const QLocale& system);
    static Language FromSystem(const QLocale& system);
    // "zh" or "en" (as `--language` takes them); false for anything else.
    static bool Parse(const QString& code, Language& out);
    static QString Code(Language language);

    // Puts the program's translation and Qt's own texts of `language` into the running
    // application, replacing those of an earlier call. False when a file is missing.
    static bool Install(Language language);
    static Language Current();
};
