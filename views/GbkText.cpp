#include "GbkText.h"

#include "model/GbkCodec.h"

QString GbkText::ToQString(std::string_view gbk)
{
    for (char c : gbk)
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromStdString(GbkCodec::ToUtf8(gbk));
    return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
}

std::string GbkText::FromQString(const QString& text)
{
    return GbkCodec::FromUtf8(text.toStdString());
}
