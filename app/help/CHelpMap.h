#pragma once
#include <QMap>
#include <QString>

struct QMetaObject;

// Which section of the guide explains each dialog: F1 in a dialog opens it. Every dialog class
// of the program has its entry (tests/app/test_HelpMap.cpp checks the sources against it).
class CHelpMap {
public:
    // Class name to "file.md#anchor".
    static const QMap<QString, QString>& All();
    // The section of the nearest class in `meta`'s chain that has one; empty when none has.
    static QString SectionFor(const QMetaObject* meta);
};
