// Under the English interface the dialogs show no Chinese, and the core's Chinese messages (balancing,
// files, the field table) reach the user in English, while in Chinese they stay exactly as they are.
#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "ScriptedPrompt.h"

#include "app/dialogs/CBalanceParamsDlg.h"
#include "app/dialogs/CContourDlg.h"
#include "app/dialogs/CNetCostDlg.h"
#include "app/dialogs/CNodeFlowDlg.h"
#include "app/dialogs/CNodePropertyDlg.h"
#include "app/dialogs/CParamCalcDlg.h"
#include "app/dialogs/CPipePropertyDlg.h"
#include "app/dialogs/CPumpPropertyDlg.h"
#include "app/dialogs/CTankPropertyDlg.h"
#include "app/dialogs/CValvePropertyDlg.h"
#include "app/options/COptionSheet.h"
#include "app/translations/CLanguage.h"
#include "cad/CExportCadDlg.h"
#include "cad/CImportCadDlg.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZContourGenerator.h"
#include "hydraulics/ZNetCost.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/epanet/EpanetFile.h"
#include "persist/project/ProjectFile.h"
#include "report/ZReportBuilder.h"
#include "model/MemoryKeyValueStore.h"
#include "model/UnitSystem.h"
#include "model/ZDrawSettings.h"
#include "model/ZFieldTable.h"
#include "model/ZSettingsStore.h"
#include "persist/ArchiveError.h"
#include "text/CCoreText.h"
#include "text/CoreMessageTexts.h"
#include "text/CoreReportTexts.h"
#include "views/CViewpointDlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

namespace {
bool HasCjk(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return s.contains(re);
}

// The visible texts of a dialog and its children that hold Chinese ("中文", the name of the
// language in its own script, is meant to stay).
QStringList ChineseIn(QWidget* dlg)
{
    QStringList texts{dlg->windowTitle()};
    for (QLabel* l : dlg->findChildren<QLabel*>())
        texts << l->text() << l->toolTip();
    for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
        texts << b->text() << b->toolTip();
    for (QGroupBox* g : dlg->findChildren<QGroupBox*>())
        texts << g->title();
    for (QLineEdit* e : dlg->findChildren<QLineEdit*>())
        texts << e->placeholderText() << e->toolTip();
    for (QComboBox* c : dlg->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i)
            texts << c->itemText(i);
    for (QTabWidget* t : dlg->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i)
            texts << t->tabText(i);
    QStringList found;
    for (const QString& t : texts)
        if (HasCjk(t) && t != QStringLiteral("中文"))
            found << t;
    return found;
}

#define QEN_VERIFY_ENGLISH(dlg, name)                                                                                  \
    do {                                                                                                               \
        (dlg).show();                                                                                                  \
        Screenshot(&(dlg), QStringLiteral("english-") + QStringLiteral(name));                                         \
        const QStringList chinese = ChineseIn(&(dlg));                                                                 \
        QVERIFY2(chinese.isEmpty(), qPrintable(QStringLiteral(name ": ") + chinese.join(QLatin1String(" | "))));       \
    } while (false)
}   // namespace

class TestEnglishTexts : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

private slots:
    void initTestCase() { QVERIFY(CLanguage::Install(CLanguage::English)); }
    void cleanupTestCase() { CLanguage::Install(CLanguage::Chinese); }

    void coreMessagesInEnglish()
    {
        QCOMPARE(CCoreText::Tr(ZBalanceRun::StatusPaneText(true, 1, true)),
                 QStringLiteral("Balanced: fire case (modified)"));
        QCOMPARE(CCoreText::Tr(ZBalanceRun::StatusPaneText(false, 0)), QStringLiteral("Not balanced"));
        QCOMPARE(CCoreText::Tr(ZBalanceRun::CaseName(2)), QStringLiteral("accident case"));
        // Variable parts inside, and a core text inside a core text.
        QCOMPARE(
            CCoreText::Tr(std::string("平差计算发散, 已停止! 节点\"J7\"的水压达到 1e+07 m, 超出合理范围。"
                                      "请检查流量、管径等数据。")),
            QStringLiteral("Balancing diverged and was stopped! The head at node \"J7\" reached 1e+07 m, out of any "
                           "reasonable range. Please check the demands, diameters and other data."));
        QCOMPARE(CCoreText::Tr(std::string("平差计算未开始: 管段\"P1\"的管径 PipeDiam = -1, 应大于 0 且不超过 100 m。"
                                           "请改正后再计算。")),
                 QStringLiteral("Balancing not started: Diameter PipeDiam of pipe \"P1\" = -1; must be above 0 and at "
                                "most 100 m. Please correct it and calculate again."));
        const ArchiveError e(ArchiveError::BadIndex, "net.wnp", "", 12);
        QCOMPARE(CCoreText::Tr(std::string(e.what())), QStringLiteral("net.wnp: file format error (line 12)"));
        // Line by line, the indentation kept; what it does not know stays as it is.
        QCOMPARE(CCoreText::Tr(std::string("状态: 收敛 (已平差)\n    水源 \"R1\"  12.500\n无人知晓的话\n")),
                 QStringLiteral("Status: converged (balanced)\n    Source \"R1\"  12.500\n无人知晓的话\n"));
    }

    void coreReportsInEnglish()
    {
        // The EPANET import report, line by line (its lists item by item), and the file's rows.
        ZDocument doc;
        ZTemplateSet templates;
        const EpanetFile::ImportResult r =
            EpanetFile::LoadFile(QEN_TEST_DATA_DIR "/networks/Net3.inp", doc, templates, 0.0);
        const QString report = CCoreText::Tr(r.report.Text());
        QVERIFY2(!HasCjk(report), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("Closed pipes: a closed gate valve added before the pipe")),
                 qPrintable(report));
        // The most particular template first; parts split where the translation is whole; a
        // list item by item, and not when an item would keep Chinese.
        QCOMPARE(CCoreText::Tr(std::string("  节点 J1: 3.000 m")), QStringLiteral("  Node J1: 3.000 m"));
        QCOMPARE(CCoreText::Tr(std::string("- 止回阀写为节流阀 (QEN 计算中止回阀双向过水) (1)")),
                 QStringLiteral("- Check valves written as throttle control valves (QEN lets check valves pass both "
                                "ways) (1)"));
        QCOMPARE(CCoreText::Tr(std::string("    [LABELS] 3 行, [QUALITY] 11 行")),
                 QStringLiteral("    [LABELS] 3 lines, [QUALITY] 11 lines"));
        QCOMPARE(CCoreText::Tr(std::string("层 L: 线要素 3 个, 点要素 0 个")),
                 QStringLiteral("Layer L: 3 line features, 0 point features"));
        // The cost report with an overflow and pumps left out; the contour messages.
        ZNetCost::Result cost;
        cost.pipes = 3;
        cost.pipeCost = std::numeric_limits<double>::infinity();
        cost.unbalancedPumps = 1;
        cost.badPumps = {"P1", "P2"};
        const QString costText = CCoreText::Tr(ZNetCost::Report(cost));
        QVERIFY2(!HasCjk(costText), qPrintable(costText));
        QVERIFY(costText.contains(QStringLiteral("running cost: P1, P2")));
        using C = ZContourGenerator;
        for (const C::Status status : {C::BadInterval, C::NoPipes, C::TooManyLevels, C::BadExtent}) {
            const QString text = CCoreText::Tr(C::Message(status, 900));
            QVERIFY2(!text.isEmpty() && !HasCjk(text), qPrintable(text));
        }
        QVERIFY(!HasCjk(CCoreText::Tr(C::AskManyLevelsText(900))));
    }

    void calculationReportInEnglish()
    {
        ZDocument doc;
        ProjectFile::LoadFile(QEN_SOURCE_DIR "/examples/town.wnp", doc);
        ZReportBuilder::Options options;
        options.translate = CCoreText::TrStd;
        options.title = {"Town", "", "2026-01-01"};
        const ZReport report = ZReportBuilder(doc, units).Build(options);
        QStringList texts{QString::fromStdString(report.heading), QString::fromStdString(report.text("计算参数"))};
        for (const ZReportItem& i : report.parameters)
            texts << QString::fromStdString(i.first) << QString::fromStdString(i.second.text);
        for (const ZReportCase& c : report.cases) {
            texts << QString::fromStdString(c.name);
            for (const ZReportItem& i : c.summary)
                texts << QString::fromStdString(i.first) << QString::fromStdString(i.second.text);
            for (const ZReportTable& t : c.tables) {
                texts << QString::fromStdString(t.name);
                for (const std::string& column : t.columns)
                    texts << QString::fromStdString(column);
                for (const auto& row : t.rows)
                    for (const ZReportCell& cell : row)
                        texts << QString::fromStdString(cell.text);
            }
        }
        for (const QString& t : texts)
            QVERIFY2(!HasCjk(t), qPrintable(t));
        QCOMPARE(QString::fromStdString(report.cases.front().tables.front().name), QStringLiteral("Node-peak hour"));
        // Without a translation the report is the Chinese it always was.
        const ZReport chinese = ZReportBuilder(doc, units).Build(ZReportBuilder::Options());
        QCOMPARE(QString::fromStdString(chinese.cases.front().tables.front().name), QStringLiteral("节点-最高时"));
    }

    void everyListedTextTranslated()
    {
        for (const auto& list : {CoreMessageTexts::All(), CoreReportTexts::All()})
            for (const char* text : list)   // "- %1 (%2)" and the like are their own translation
                QVERIFY2(!HasCjk(QString::fromUtf8(text)) ||
                             QCoreApplication::translate("CCoreText", text) != QString::fromUtf8(text),
                         text);
    }

    void fieldTableInEnglish()
    {
        using K = ZNetObject::Kind;
        for (K kind : {K::Node, K::Pipe, K::Pump, K::Valve, K::Tank})
            for (const ZField& f : ZFieldTable::Of(kind))
                for (const char* text : {f.caption, f.title, f.items})
                    if (text)
                        QVERIFY2(!HasCjk(CCoreText::Tr(QString::fromUtf8(text))), text);
    }

    void chineseStaysAsItIs()
    {
        CLanguage::Install(CLanguage::Chinese);
        const std::string s =
            "平差计算发散, 已停止! 节点\"J7\"的水压达到 1e+07 m, 超出合理范围。请检查流量、管径等数据。";
        QCOMPARE(CCoreText::Tr(s), QString::fromStdString(s));
        QCOMPARE(CCoreText::Tr(ZBalanceRun::CaseName(1)), QStringLiteral("消防时"));
        CLanguage::Install(CLanguage::English);
    }

    void optionPagesInEnglish()
    {
        ZSettingsStore settings;
        ZDrawSettings draw;
        COptionSheet sheet(settings, draw, &prompt);
        QEN_VERIFY_ENGLISH(sheet, "options");
    }

    void calculationDialogsInEnglish()
    {
        CBalanceParamsDlg balance(prompt);
        QEN_VERIFY_ENGLISH(balance, "balance");
        CContourDlg contour(units.Hydr(), prompt);
        QEN_VERIFY_ENGLISH(contour, "contours");
        CNetCostDlg cost(prompt);
        QEN_VERIFY_ENGLISH(cost, "cost");
        CNodeFlowDlg flow(units.FlowUnit(), prompt);
        QEN_VERIFY_ENGLISH(flow, "node-flow");
        CParamCalcDlg calc(units, true, [](const CParamCalcDlg::Request&) { return true; });
        QEN_VERIFY_ENGLISH(calc, "param-calc");
        CViewpointDlg viewpoint;
        QEN_VERIFY_ENGLISH(viewpoint, "viewpoint");
    }

    void propertyDialogsInEnglish()
    {
        PropertyTestNet t;
        CNodePropertyDlg node(PropertyForm::EditMode, {t.N("1")}, units, prompt);
        QEN_VERIFY_ENGLISH(node, "node");
        CPipePropertyDlg pipe(PropertyForm::EditMode, {t.P("12")}, units, prompt);
        QEN_VERIFY_ENGLISH(pipe, "pipe");
        CPumpPropertyDlg pump(PropertyForm::EditMode, {t.Pump()}, units, prompt);
        QEN_VERIFY_ENGLISH(pump, "pump");
        CValvePropertyDlg valve(PropertyForm::EditMode, {t.Valve()}, units, prompt);
        QEN_VERIFY_ENGLISH(valve, "valve");
        CTankPropertyDlg tank(PropertyForm::EditMode, {t.Tank()}, units, prompt);
        QEN_VERIFY_ENGLISH(tank, "tank");
    }

    void cadDialogsInEnglish()
    {
        MemoryKeyValueStore profile;
        CExportCadDlg out(profile, prompt, false);
        QEN_VERIFY_ENGLISH(out, "cad-export");
        CImportCadDlg in(profile, prompt, false);
        QEN_VERIFY_ENGLISH(in, "cad-import");
    }
};

QTEST_MAIN(TestEnglishTexts)
#include "test_EnglishTexts.moc"
