#pragma once
#include "model/GbkView.h"
#include "model/ZNetObject.h"

#include <string>

// What the result CSV files of balance and simulate write for identifiers and link kinds.
class CsvText {
public:
    // A GBK identifier as a UTF-8 CSV field, quoted when it holds a comma, quote or line break.
    static std::string Field(GbkView gbk);
    // PIPE, PUMP, VALVE or TANK.
    static const char* LinkKind(ZNetObject::Kind kind);
};
