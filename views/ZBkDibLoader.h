#pragma once
#include <QCoreApplication>
#include <QString>

#include <memory>

class ZNetBkDib;

// Reads a background image from a file. A BMP that can be shown is kept byte for byte; any other
// image Qt reads (PNG, JPEG, TIFF, ...) is kept as a BMP of the same pixels, since the project file
// stores BMP images. Files over the size limit, without pixels, claiming more bytes than they hold
// or compressed in a way the drawing cannot show are refused before anything large is allocated.
class ZBkDibLoader {
    Q_DECLARE_TR_FUNCTIONS(ZBkDibLoader)

public:
    // Null on failure.
    static std::unique_ptr<ZNetBkDib> Load(const QString& path);
    // "无法打开背景位图"%1"!"
    static QString FailureText(const QString& path);
    // The file dialog's filter.
    static QString FileFilter();
};
