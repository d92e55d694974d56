#include "CMainFrame.h"
#include "CQENApp.h"
#include "COptionSheet.h"
#include "CQENDoc.h"
#include "views/CommandIds.h"
#include "views/CommandTarget.h"
#include "QSettingsKeyValueStore.h"
#include "QtPrompt.h"

#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
// Writes a picture of a network without opening a window, with the user's settings.
int ExportImage(const QStringList& args, const QString& sizeText, bool balance, const QString& contours,
                const QString& intervalText, bool grades)
{
    QSize size(1600, 1200);
    if (!sizeText.isEmpty()) {
        const QStringList wh = sizeText.toLower().split(QLatin1Char('x'));
        bool okW = false, okH = false;
        if (wh.size() == 2)
            size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
        if (!okW || !okH || size.width() < 1 || size.height() < 1 || size.width() > 20000 || size.height() > 20000) {
            QTextStream(stderr) << "qen: --size wants WxH, e.g. 1600x1200\n";
            return 2;
        }
    }
    static const char* usage = "usage: qen --export-image FILE OUT.png|OUT.pdf [--size WxH] [--balance [--grades]] "
                               "[--contours head|free [--interval H]]\n";
    if (args.size() != 2) {
        QTextStream(stderr) << usage;
        return 2;
    }
    int kind = -1;
    if (!contours.isEmpty()) {
        if (contours != QStringLiteral("head") && contours != QStringLiteral("free")) {
            QTextStream(stderr) << "qen: --contours wants head or free\n";
            return 2;
        }
        kind = contours == QStringLiteral("free") ? 1 : 0;
    }
    double interval = std::numeric_limits<double>::quiet_NaN();
    if (!intervalText.isEmpty()) {
        const std::string t = intervalText.toStdString();
        double v = 0.0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (kind < 0 || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v) || v <= 0.0) {
            QTextStream(stderr) << (kind < 0 ? "qen: --interval goes with --contours\n"
                                             : "qen: --interval wants a number of metres above 0\n");
            return 2;
        }
        interval = v;
    }
    QSettingsKeyValueStore profile;
    ZSettingsStore settings;
    settings.Load(profile);
    QString message;
    const int rc =
        NetworkImageExporter::Run(args[0], args[1], size, balance, settings, message, kind, interval, grades);
    if (!message.isEmpty())
        QTextStream(rc == 0 ? stdout : stderr) << message << "\n";
    return rc;
}
}

int main(int argc, char* argv[])
{
    // Pictures are drawn without any window: no display is needed for them.
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--export-image") == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brookmere"));
    QApplication::setApplicationName(QStringLiteral("QEN"));
    QApplication::setApplicationVersion(QStringLiteral("2.6"));
    QApplication::setDesktopFileName(QStringLiteral("com.brookmere.QEN"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("QEN 给水管网平差"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption print({QStringLiteral("p"), QStringLiteral("print")}, QStringLiteral("打印文件后退出"));
    QCommandLineOption exportImage(QStringLiteral("export-image"),
                                   QStringLiteral("不开窗口, 把 FILE 的管网图写成 PNG 或 PDF 文件 OUT"));
    QCommandLineOption size(QStringLiteral("size"), QStringLiteral("图片大小"), QStringLiteral("WxH"));
    QCommandLineOption balance(QStringLiteral("balance"), QStringLiteral("出图前先平差"));
    QCommandLineOption contours(QStringLiteral("contours"), QStringLiteral("画等压线: head 绝对水压线, free 自由水头线"),
                                QStringLiteral("head|free"));
    QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("等压间隔 (m)"), QStringLiteral("H"));
    QCommandLineOption grades(QStringLiteral("grades"),
                              QStringLiteral("节点按自由水头、管道按流速分级着色, 并画出图例"));
    parser.addOptions({print, exportImage, size, balance, contours, interval, grades});
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("要打开的 .wnp 或 .txt 文件"), QStringLiteral("[files...]"));
    parser.process(app);

    if (parser.isSet(exportImage))
        return ExportImage(parser.positionalArguments(), parser.value(size), parser.isSet(balance),
                           parser.value(contours), parser.value(interval), parser.isSet(grades));

    CQENApp qen(std::make_unique<QSettingsKeyValueStore>(), std::make_unique<QtPrompt>());
    qen.OptionsSheet = &COptionSheet::RunFor;
    if (!qen.InitInstance())
        return 1;

    const QStringList files = parser.positionalArguments();
    if (parser.isSet(print)) {
        // Open, print each file with the default settings, and end.
        for (const QString& f : files) {
            if (CQENDoc* doc = qen.OpenDocumentFile(f)) {
                qen.MainFrame()->ExecuteCommand(Cmd::FilePrintDirect);
                qen.CloseDocument(doc);
            }
        }
        qen.ExitInstance();
        return 0;
    }
    qen.OfferRecovery();
    for (const QString& f : files)
        qen.OpenDocumentFile(f);

    const int rc = app.exec();
    qen.ExitInstance();
    return rc;
}
