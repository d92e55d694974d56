#include "GbkText.h"

#include "model/GbkCodec.h"

QString GbkText::ToQString(GbkView gbk)
{
    for (char c : gbk.Bytes())
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromStdString(GbkCodec::ToUtf8(gbk));
    return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
}

GbkString GbkText::FromQString(const QString& text)
{
    return GbkCodec::FromUtf8(text.toStdString());
}
