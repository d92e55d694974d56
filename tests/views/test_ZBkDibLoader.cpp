// Background images from users' files: BMPs kept byte for byte, other formats kept as BMPs of
// the same pixels, and every file the drawing could not show refused before any large allocation.
#include "model/ZNetBkDib.h"
#include "views/ZBackgroundImage.h"
#include "views/ZBkDibLoader.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray Encode(const QImage& img, const char* format)
{
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, format);
    return out;
}

QString Write(QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

void Put32(QByteArray& b, int at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (8 * i));
}

QImage Sample()
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            img.setPixel(x, y, qRgb(200, 30, 40));
    img.setPixel(39, 29, qRgb(1, 2, 3));
    return img;
}
}   // namespace

class TestZBkDibLoader : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void bmpIsKeptByteForByte()
    {
        const QByteArray bmp = Encode(Sample(), "BMP");
        auto dib = ZBkDibLoader::Load(Write(dir, "a.bmp", bmp));
        QVERIFY(dib);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(dib->Bytes().data()), qsizetype(dib->Bytes().size())), bmp);
    }

    void otherFormatsBecomeBmpsOfTheSamePixels()
    {
        for (const char* format : {"PNG", "TIFF", "JPG"}) {
            const QByteArray bytes = Encode(Sample(), format);
            if (bytes.isEmpty())
                continue;   // no plugin for this format here
            auto dib = ZBkDibLoader::Load(Write(dir, QStringLiteral("b.%1").arg(format), bytes));
            QVERIFY2(dib, format);
            QCOMPARE(dib->Bytes()[0], uint8_t('B'));
            QVERIFY(ZNetBkDib::IsDrawableBmp(dib->Bytes().data(), dib->Bytes().size()));
            QImage back;
            QVERIFY(back.loadFromData(dib->Bytes().data(), int(dib->Bytes().size()), "BMP"));
            QCOMPARE(back.size(), QSize(40, 30));
            if (qstrcmp(format, "JPG") != 0) {
                QCOMPARE(back.pixel(5, 5), qRgb(200, 30, 40));
                QCOMPARE(back.pixel(39, 29), qRgb(1, 2, 3));
            }
        }
    }

    void refusals()
    {
        const QByteArray good = Encode(Sample(), "BMP");
        QVERIFY(!ZBkDibLoader::Load(dir.filePath("missing.bmp")));
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "text.bmp", "MB this is not a picture at all")));
        QByteArray longer = good;
        Put32(longer, 2, uint32_t(good.size() + 100));   // claims more than it holds
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "long.bmp", longer)));
        QByteArray huge = good;
        Put32(huge, 2, 0xFFFFFFF0u);
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "huge.bmp", huge)));
        QByteArray noWidth = good;
        Put32(noWidth, 18, 0);
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "w0.bmp", noWidth)));
        QByteArray noHeight = good;
        Put32(noHeight, 22, 0);
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "h0.bmp", noHeight)));
        QByteArray jpegInside = good;
        Put32(jpegInside, 30, 4);   // BI_JPEG: the drawing cannot show it
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "jpeg.bmp", jpegInside)));
        QByteArray giant = good;
        Put32(giant, 18, 100000);
        Put32(giant, 22, 100000);   // 40 GB of pixels in a small file
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "giant.bmp", giant)));
        QByteArray shortRows = good.left(good.size() - 10);
        Put32(shortRows, 2, uint32_t(shortRows.size()));
        QVERIFY(!ZBkDibLoader::Load(Write(dir, "rows.bmp", shortRows)));
        QCOMPARE(ZBkDibLoader::FailureText("x.bmp"), QStringLiteral("无法打开背景位图\"x.bmp\"!"));
    }

    void drawingUsesTheCopyNearestTheScale()
    {
        QImage big(2048, 1024, QImage::Format_RGB32);
        big.fill(Qt::blue);
        const QByteArray bmp = Encode(big, "BMP");
        ZNetBkDib dib;
        QVERIFY(dib.SetBytes(std::vector<uint8_t>(bmp.begin(), bmp.end())));
        ZBackgroundImage cache;
        QVERIFY(cache.Prepare(dib));
        QCOMPARE(cache.Level(0).size(), QSize(2048, 1024));
        QCOMPARE(cache.Level(1).size(), QSize(1024, 512));
        QCOMPARE(cache.Level(cache.LevelCount() - 1).width(), 256);
        const qint64 key = cache.Level(0).cacheKey();
        QVERIFY(cache.Prepare(dib));
        QCOMPARE(cache.Level(0).cacheKey(), key);   // decoded once
    }
};

QTEST_MAIN(TestZBkDibLoader)
#include "test_ZBkDibLoader.moc"
