#include "CsvText.h"

#include "model/GbkCodec.h"

std::string CsvText::Field(GbkView gbk)
{
    std::string s = GbkCodec::ToUtf8(gbk);
    if (s.find_first_of(",\"\n") == std::string::npos)
        return s;
    std::string quoted = "\"";
    for (char c : s)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

const char* CsvText::LinkKind(ZNetObject::Kind kind)
{
    switch (kind) {
    case ZNetObject::Kind::Pipe:
        return "PIPE";
    case ZNetObject::Kind::Pump:
        return "PUMP";
    case ZNetObject::Kind::Valve:
        return "VALVE";
    case ZNetObject::Kind::Tank:
        return "TANK";
    default:
        return "?";
    }
}
