#include "app/frames/CMainFrame.h"
#include "CQENApp.h"
#include "app/commands/CQENDoc.h"
#include "views/CommandIds.h"
#include "views/CommandTarget.h"
#include "QSettingsKeyValueStore.h"
#include "app/dialogs/QtPrompt.h"
#include "app/translations/CLanguage.h"

#include "model/ZSettingsStore.h"
#include "views/GbkText.h"
#include "views/NetworkImageExporter.h"
#include "views/ZReportExport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include "model/MessageText.h"
#include "model/NumberOption.h"

#include <limits>
#include <optional>
#include <string>

namespace {
// Usage mistakes end with 1, as in qen-cli.
constexpr int kExitUsage = 1;
constexpr long long kMaxSide = 20000;   // pixels of the picture's width and height
constexpr double kMaxInterval = 1e6;    // metres between contour levels

QString LanguageArgument(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a.startsWith(QLatin1String("--language=")))
            return a.mid(11);
        if (a == QLatin1String("--language") && i + 1 < argc)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return {};
}

// Messages echo file names as typed: an escape sequence in one is written out, not sent to the terminal.
QString Printable(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n')) || c.unicode() == 0x7F)
            out +=
                QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

int UsageError(const std::string& message)
{
    QTextStream(stderr) << "qen: " << Printable(QString::fromStdString(message)) << "\n";
    return kExitUsage;
}

// Writes a picture of a network without opening a window, with the user's settings.
// Options left out come as nullopt: an option given with empty text is refused, not taken as absent.
int ExportImage(const QStringList& args, const std::optional<QString>& sizeText, bool balance,
                const std::optional<QString>& contours, const std::optional<QString>& intervalText, bool grades,
                bool legend)
{
    QSize size(1600, 1200);
    if (sizeText) {
        const std::string t = sizeText->toLower().toStdString();
        const auto x = t.find('x');
        long long w = 0, h = 0;
        if (x == std::string::npos ||
            !NumberOption::ParseInt("--size", std::string_view(t).substr(0, x), 1, kMaxSide, w).empty() ||
            !NumberOption::ParseInt("--size", std::string_view(t).substr(x + 1), 1, kMaxSide, h).empty())
            return UsageError("--size wants WxH, two whole numbers from 1 to " + std::to_string(kMaxSide) +
                              " (e.g. 1600x1200), not " + MessageText::Quote(GbkText::FromQString(*sizeText)));
        size = QSize(static_cast<int>(w), static_cast<int>(h));
    }
    static const char* usage = "usage: qen --export-image FILE OUT.png|OUT.pdf [--size WxH] [--balance [--grades]] "
                               "[--contours head|free [--interval H]] [--legend]\n";
    if (args.size() != 2) {
        QTextStream(stderr) << usage;
        return kExitUsage;
    }
    int kind = -1;
    if (contours) {
        if (*contours != QStringLiteral("head") && *contours != QStringLiteral("free"))
            return UsageError("--contours wants head or free");
        kind = *contours == QStringLiteral("free") ? 1 : 0;
    }
    double interval = std::numeric_limits<double>::quiet_NaN();
    if (intervalText) {
        if (kind < 0)
            return UsageError("--interval goes with --contours");
        const std::string error =
            NumberOption::Parse("--interval", intervalText->toStdString(), {0.0, kMaxInterval, true}, interval);
        if (!error.empty())
            return UsageError(error + " (metres)");
    }
    QSettingsKeyValueStore profile;
    ZSettingsStore settings;
    settings.Load(profile);
    QString message;
    const int rc =
        NetworkImageExporter::Run(args[0], args[1], size, balance, settings, message, kind, interval, grades, legend);
    if (!message.isEmpty())
        QTextStream(rc == 0 ? stdout : stderr) << Printable(message) << "\n";
    return rc;
}
// Writes the calculation report of a network without opening a window (qen-cli report's PDF).
int ExportReport(const QStringList& args, const std::optional<QString>& cases, const std::optional<QString>& title,
                 const ZReportExport::Checks& checks)
{
    if (args.size() != 2) {
        QTextStream(stderr)
            << "usage: qen --report FILE OUT.pdf|OUT.xlsx [--cases peak,fire,accident] [--title TEXT] [--simulate] "
               "[--fireflow] [--criticality]\n";
        return kExitUsage;
    }
    QSettingsKeyValueStore profile;
    ZSettingsStore settings;
    settings.Load(profile);
    QString message;
    const int rc = ZReportExport::Run(args[0], args[1], cases.value_or(QString()), title.value_or(QString()), checks,
                                      settings, message);
    if (!message.isEmpty())
        QTextStream(stderr) << "qen: " << Printable(message) << "\n";
    return rc;
}
}   // namespace

int main(int argc, char* argv[])
{
    // Pictures are drawn without any window: no display is needed for them.
    for (int i = 1; i < argc; ++i)
        if ((qstrcmp(argv[i], "--export-image") == 0 || qstrcmp(argv[i], "--report") == 0) &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brookmere"));
    QApplication::setApplicationName(QStringLiteral("QEN"));
    QApplication::setApplicationVersion(QStringLiteral("2.6"));
    QApplication::setDesktopFileName(QStringLiteral("com.brookmere.QEN"));

    // The help text follows `--language` (else the system) before the options are read.
    if (CLanguage::Choose(LanguageArgument(argc, argv), 0, QLocale::system()) == CLanguage::English)
        CLanguage::Install(CLanguage::English);
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "QEN 给水管网平差"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption print({QStringLiteral("p"), QStringLiteral("print")},
                             QCoreApplication::translate("main", "打印文件后退出"));
    QCommandLineOption exportImage(
        QStringLiteral("export-image"),
        QCoreApplication::translate("main", "不开窗口, 把 FILE 的管网图写成 PNG 或 PDF 文件 OUT"));
    QCommandLineOption size(QStringLiteral("size"), QCoreApplication::translate("main", "图片大小"),
                            QStringLiteral("WxH"));
    QCommandLineOption balance(QStringLiteral("balance"), QCoreApplication::translate("main", "出图前先平差"));
    QCommandLineOption contours(QStringLiteral("contours"),
                                QCoreApplication::translate("main", "画等压线: head 绝对水压线, free 自由水头线"),
                                QStringLiteral("head|free"));
    QCommandLineOption interval(QStringLiteral("interval"), QCoreApplication::translate("main", "等压间隔 (m)"),
                                QStringLiteral("H"));
    QCommandLineOption grades(QStringLiteral("grades"),
                              QCoreApplication::translate("main", "节点按自由水头、管道按流速分级着色, 并画出图例"));
    QCommandLineOption legend(QStringLiteral("legend"),
                              QCoreApplication::translate("main", "画成出图样式: 图框、图例、比例尺、指北针和图签"));
    QCommandLineOption report(
        QStringLiteral("report"),
        QCoreApplication::translate("main", "不开窗口, 把 FILE 的平差计算书写成 PDF 或 XLSX 文件 OUT"));
    QCommandLineOption cases(QStringLiteral("cases"),
                             QCoreApplication::translate("main", "计算书的工况: peak,fire,accident"),
                             QStringLiteral("LIST"));
    QCommandLineOption title(QStringLiteral("title"), QCoreApplication::translate("main", "计算书的工程名称"),
                             QStringLiteral("TEXT"));
    QCommandLineOption simulate(QStringLiteral("simulate"),
                                QCoreApplication::translate("main", "计算书加入延时模拟结果"));
    QCommandLineOption fireFlow(QStringLiteral("fireflow"),
                                QCoreApplication::translate("main", "计算书加入各节点的可用消防流量"));
    QCommandLineOption criticality(QStringLiteral("criticality"),
                                   QCoreApplication::translate("main", "计算书加入逐根管道失效校核"));
    QCommandLineOption language(QStringLiteral("language"),
                                QCoreApplication::translate("main", "界面语言: zh 中文, en English"),
                                QStringLiteral("zh|en"));
    parser.addOptions({print, exportImage, size, balance, contours, interval, grades, legend, report, cases, title,
                       simulate, fireFlow, criticality, language});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "要打开的 .wnp 或 .txt 文件"),
                                 QStringLiteral("[files...]"));
    parser.process(app);

    auto given = [&parser](const QCommandLineOption& o) {
        return parser.isSet(o) ? std::optional<QString>(parser.value(o)) : std::nullopt;
    };
    // Checked before any mode: the pictures and the report take them as well.
    const QString languageValue = parser.value(language);
    if (parser.isSet(language) && languageValue != QStringLiteral("zh") && languageValue != QStringLiteral("en"))
        return UsageError("--language wants zh or en, not " + MessageText::Quote(GbkText::FromQString(languageValue)));
    if (parser.isSet(cases) && parser.value(cases).isEmpty())
        return UsageError("--cases is empty; give peak, fire or accident separated by commas, or leave it out");
    if (parser.isSet(report))
        return ExportReport(parser.positionalArguments(), given(cases), given(title),
                            {parser.isSet(simulate), parser.isSet(fireFlow), parser.isSet(criticality)});
    if (parser.isSet(exportImage))
        return ExportImage(parser.positionalArguments(), given(size), parser.isSet(balance), given(contours),
                           given(interval), parser.isSet(grades), parser.isSet(legend));

    CQENApp qen(std::make_unique<QSettingsKeyValueStore>(), std::make_unique<QtPrompt>());
    if (parser.isSet(language))
        qen.Language = languageValue;
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
