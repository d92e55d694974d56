#include "ArchiveError.h"

namespace {
const char* CauseText(ArchiveError::Cause c)
{
    switch (c) {
    case ArchiveError::EndOfFile:
        return "文件意外结束";
    case ArchiveError::BadIndex:
        return "文件格式错误";
    case ArchiveError::BadClass:
        return "文件中有未知的对象类型";
    case ArchiveError::BadSchema:
        return "文件中对象的版本不对";
    case ArchiveError::ReadOnly:
        return "文件只能读取";
    case ArchiveError::WriteOnly:
        return "文件只能写入";
    default:
        return "文件读写错误";
    }
}
}   // namespace

ArchiveError::ArchiveError(Cause cause, std::string fileName, std::string detail, int line)
    : std::runtime_error(Compose(cause, fileName, detail, line)), m_cause(cause), m_fileName(std::move(fileName)),
      m_detail(std::move(detail)), m_line(line)
{
}

std::string ArchiveError::Compose(Cause cause, const std::string& fileName, const std::string& detail, int line)
{
    std::string s = fileName + ": " + CauseText(cause);
    if (line > 0)
        s += " (第" + std::to_string(line) + "行)";
    if (!detail.empty())
        s += ": " + detail;
    return s;
}
