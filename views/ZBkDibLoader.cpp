#include "ZBkDibLoader.h"

#include "model/ZNetBkDib.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

namespace {
std::unique_ptr<ZNetBkDib> FromBytes(const QByteArray& bytes)
{
    auto dib = std::make_unique<ZNetBkDib>();
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    if (!ZNetBkDib::IsDrawableBmp(p, static_cast<size_t>(bytes.size())) ||
        !dib->SetBytes(std::vector<uint8_t>(p, p + bytes.size())))
        return nullptr;
    return dib;
}
}   // namespace

QString ZBkDibLoader::FailureText(const QString& path)
{
    return tr("无法打开背景位图\"%1\"!").arg(path);
}

QString ZBkDibLoader::FileFilter()
{
    return tr("图像文件 (*.bmp *.png *.jpg *.jpeg *.tif *.tiff *.gif);;位图 文件 (*.bmp);;所有文件 (*.*)");
}

std::unique_ptr<ZNetBkDib> ZBkDibLoader::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 size = file.size();
    if (size < 14 || uint64_t(size) > ZNetBkDib::MaxImageBytes)
        return nullptr;
    const QByteArray head = file.peek(2);
    if (head == "BM") {
        // The stated size must be the file's before the file is read whole.
        const QByteArray header = file.peek(14);
        if (header.size() < 14 ||
            ZNetBkDib::StatedSize(reinterpret_cast<const uint8_t*>(header.constData())) != uint64_t(size))
            return nullptr;
        return FromBytes(file.readAll());
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(static_cast<int>(ZNetBkDib::MaxImageBytes >> 20));
    const QSize dims = reader.size();
    if (dims.isValid() && (dims.width() <= 0 || dims.height() <= 0 ||
                           uint64_t(dims.width()) * uint64_t(dims.height()) * 4 > ZNetBkDib::MaxImageBytes))
        return nullptr;
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return nullptr;
    // Transparent parts of a picture show the paper white, as they would when printed.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    image = image.convertToFormat(image.isGrayscale() ? QImage::Format_Indexed8 : QImage::Format_RGB888);
    QByteArray bmp;
    QBuffer out(&bmp);
    out.open(QIODevice::WriteOnly);
    if (!image.save(&out, "BMP"))
        return nullptr;
    return FromBytes(bmp);
}
