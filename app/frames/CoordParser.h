#pragma once
#include <QString>

// The coordinate entry's grammar: "x , y" with optional blanks and tabs around each number.
// A number whose value is zero counts only when its text starts with the digit 0. Numbers read
// with a decimal point whatever the locale.
class CoordParser {
public:
    static bool Parse(const QString& text, double& x, double& y);
    // Characters the entry field lets through.
    static bool IsAllowedChar(QChar c);
};
