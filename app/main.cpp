#include "CMainFrame.h"
#include "CQENApp.h"
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

namespace {
// Writes a picture of a network without opening a window, with the user's settings.
int ExportImage(const QStringList& args, const QString& sizeText, bool balance)
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
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: qen --export-image FILE OUT.png|OUT.pdf [--size WxH] [--balance]\n";
        return 2;
    }
    QSettingsKeyValueStore profile;
    ZSettingsStore settings;
    settings.Load(profile);
    QString message;
    const int rc = NetworkImageExporter::Run(args[0], args[1], size, balance, settings, message);
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
    parser.addOptions({print, exportImage, size, balance});
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("要打开的 .wnp 或 .txt 文件"), QStringLiteral("[files...]"));
    parser.process(app);

    if (parser.isSet(exportImage))
        return ExportImage(parser.positionalArguments(), parser.value(size), parser.isSet(balance));

    CQENApp qen(std::make_unique<QSettingsKeyValueStore>(), std::make_unique<QtPrompt>());
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
    for (const QString& f : files)
        qen.OpenDocumentFile(f);

    const int rc = app.exec();
    qen.ExitInstance();
    return rc;
}
