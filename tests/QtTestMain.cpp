// main() of a QtTest program holding several tests: `prog test_CQENView [QtTest options]` runs one
// (each is its own ctest entry, in a process of its own as when it was a program); `prog` alone
// lists them.
#include "QtTestMain.h"

#include <cstdio>
#include <map>
#include <string>

namespace {
std::map<std::string, QtTestMain::Main>& Tests()
{
    static std::map<std::string, QtTestMain::Main> tests;
    return tests;
}
}   // namespace

bool QtTestMain::Register(const char* file, Main main)
{
    std::string name = file;
    if (auto slash = name.find_last_of('/'); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (auto dot = name.find('.'); dot != std::string::npos)
        name.erase(dot);
    return Tests().emplace(name, main).second;
}

int main(int argc, char* argv[])
{
    auto it = argc > 1 ? Tests().find(argv[1]) : Tests().end();
    if (it == Tests().end()) {
        std::fprintf(stderr, "usage: %s TEST [QtTest options]; the tests:\n", argv[0]);
        for (const auto& [name, run] : Tests())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return argc > 1 ? 2 : 0;
    }
    // The test sees its own name as the program's, as when it was a program of its own.
    argv[1] = argv[0];
    return it->second(argc - 1, argv + 1);
}
