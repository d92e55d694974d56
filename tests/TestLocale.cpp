// Linked into every core test program: with QEN_TEST_LOCALE set (e.g. de_DE.UTF-8, which writes
// 0,5) the process runs under that locale, as the desktop program does under a user's locale, so
// number reading and writing that depends on the locale shows up as failures.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <stdexcept>

namespace {
const bool kLocaleSet = [] {
    const char* name = std::getenv("QEN_TEST_LOCALE");
    if (!name || !*name)
        return false;
    if (!std::setlocale(LC_ALL, name)) {
        std::fprintf(stderr, "QEN_TEST_LOCALE: locale %s is not available\n", name);
        std::exit(2);
    }
    std::locale::global(std::locale(name));
    char half[16];
    std::snprintf(half, sizeof half, "%.1f", 0.5);
    std::fprintf(stderr, "running under locale %s (0.5 prints as %s)\n", name, half);
    return true;
}();
}   // namespace
