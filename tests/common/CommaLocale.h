#pragma once
#include <clocale>
#include <string>

// Switches LC_NUMERIC to a locale whose decimal mark is a comma for the life of the object, as
// Qt does for a program started under such a locale. Active() is false where no such locale is
// installed (scripts/setup.sh generates de_DE.UTF-8).
class CommaLocale {
public:
    CommaLocale()
    {
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        m_old = old ? old : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
            if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
                m_active = true;
                return;
            }
        std::setlocale(LC_NUMERIC, m_old.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, m_old.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool Active() const { return m_active; }

private:
    std::string m_old;
    bool m_active = false;
};
