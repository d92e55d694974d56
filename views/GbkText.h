#pragma once
#include "model/GbkString.h"

#include <QString>

#include <string>
#include <string_view>

// GBK bytes of the model to and from Qt text. Plain ASCII (most labels: numbers and ids) skips
// the converter.
class GbkText {
public:
    static QString ToQString(GbkView gbk);
    static GbkString FromQString(const QString& text);
};
