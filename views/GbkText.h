#pragma once
#include <QString>

#include <string>
#include <string_view>

// GBK bytes of the model to and from Qt text. Plain ASCII (most labels: numbers and ids) skips
// the converter.
class GbkText {
public:
    static QString ToQString(std::string_view gbk);
    static std::string FromQString(const QString& text);
};
