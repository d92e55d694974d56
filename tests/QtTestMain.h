// Included before every source of a QtTest program that holds several tests: QTEST_MAIN and its
// kin register the test under its file's name instead of defining main(), and QtTestMain.cpp's
// main() runs the one named on the command line. The test files stay as they would be alone.
#pragma once

#include <QtTest/QtTest>

namespace QtTestMain {
using Main = int (*)(int argc, char* argv[]);
// The file's name without folder and extension ("test_CQENView") names the test.
bool Register(const char* file, Main main);
}   // namespace QtTestMain

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...)                                                                            \
    namespace {                                                                                                        \
    int QtTestMainOf(int argc, char* argv[])                                                                           \
    {                                                                                                                  \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                                             \
        __VA_ARGS__                                                                                                    \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }                                                                                                                  \
    const bool kQtTestRegistered = QtTestMain::Register(__FILE__, QtTestMainOf);                                       \
    }
