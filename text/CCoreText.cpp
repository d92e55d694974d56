#include "CCoreText.h"
#include "CoreMessageTexts.h"

#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <vector>

namespace {
// The core's texts: a line takes the first template that matches it whole (and translates it
// without Chinese left), the templates of this list and CoreMessageTexts.cpp's tried the most
// particular first, then the catch-alls. %1, %2... stand for the parts that vary (names, numbers,
// texts of their own).
const char* const kCoreTexts[] = {
    QT_TRANSLATE_NOOP("CCoreText", "收敛"),
    QT_TRANSLATE_NOOP("CCoreText", "用户中止"),
    QT_TRANSLATE_NOOP("CCoreText", "达到计算次数上限, 未收敛"),
    QT_TRANSLATE_NOOP("CCoreText", "没有足够的已知水压节点"),
    QT_TRANSLATE_NOOP("CCoreText", "计算发散"),
    QT_TRANSLATE_NOOP("CCoreText", "数据错误, 未计算"),
    QT_TRANSLATE_NOOP("CCoreText", "未知"),
    QT_TRANSLATE_NOOP("CCoreText", "消防时"),
    QT_TRANSLATE_NOOP("CCoreText", "事故时"),
    QT_TRANSLATE_NOOP("CCoreText", "最高时"),
    QT_TRANSLATE_NOOP("CCoreText", "未平差"),
    QT_TRANSLATE_NOOP("CCoreText", "已平差:%1 (已修改)"),
    QT_TRANSLATE_NOOP("CCoreText", "已平差:%1"),
    QT_TRANSLATE_NOOP("CCoreText", "没有足够的已知水压节点!"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "平差计算发散, 已停止! 节点%1的水压达到 %2 m, 超出合理范围。请检查流量、管径等数据。"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "平差计算发散, 已停止! 计算 %1 次后最大校正值 (在节点%2) 不再减小。请检查流量、管径等数据。"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "平差计算发散, 已停止! 节点%1所在的部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, "
                      "请检查这些设备的开闭状态。"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "平差计算发散, 已停止! 可能有部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, "
                      "请检查这些设备的开闭状态。"),
    QT_TRANSLATE_NOOP("CCoreText", "止回阀%1的流量 %2 m3/s 与其方向相反 (计算中止回阀可以双向过流), 请检查。"),
    QT_TRANSLATE_NOOP(
        "CCoreText",
        "水泵%1的流量 %2 m3/s 与其方向相反: 两端水压差超过其静扬程, 水被压着倒流过水泵 (EPANET 会关闭此泵), 请检查。"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门%1不能保持其设定值 (全开仍达不到设定的压力或流量), 流量 %2 m3/s, 请检查。"),
    QT_TRANSLATE_NOOP("CCoreText", "水泵%1两端水压差超过其关死扬程, 水泵不能出水, 计算中按关闭处理 (不倒流), 请检查。"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "%1 个节点被关闭的水泵、阀门或事故管与所有已知水压节点隔开, 没有用水量, 未参与平差, 没有水压:"),
    QT_TRANSLATE_NOOP("CCoreText", "状态: %1 (已平差)"),
    QT_TRANSLATE_NOOP("CCoreText", "状态: %1 (未平差)"),
    QT_TRANSLATE_NOOP("CCoreText", "计算次数: %1, 用时 %2 s, 最后校正值 %3 m (精度 %4 m)"),
    QT_TRANSLATE_NOOP("CCoreText", "供水量 (%1):"),
    QT_TRANSLATE_NOOP("CCoreText", "水池 %1  %2"),
    QT_TRANSLATE_NOOP("CCoreText", "水源 %1  %2"),
    QT_TRANSLATE_NOOP("CCoreText", "合计  %1"),
    QT_TRANSLATE_NOOP("CCoreText", "最低自由水头: %1, 在节点%2"),
    QT_TRANSLATE_NOOP("CCoreText", "供水不足节点 %1 个, 缺水 %2 %3"),
    QT_TRANSLATE_NOOP("CCoreText", "所有节点的自由水头都不低于最小服务水头 %1"),
    QT_TRANSLATE_NOOP("CCoreText", "自由水头低于最小服务水头 %1 的节点: %2 个"),
    QT_TRANSLATE_NOOP("CCoreText", "…… 另有 %1 个"),
    QT_TRANSLATE_NOOP("CCoreText", "其中自由水头为负的节点: %1 个"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 个节点的自由水头为负 (最低 %2 %3, 节点%4), 这些地方的水压低于地面, "
                                   "不能供水。请检查水源水压、管径和流量。详见报告窗口。"),
    QT_TRANSLATE_NOOP("CCoreText", "管网连通性检查报告"),
    QT_TRANSLATE_NOOP("CCoreText", "搜索到%1个连通网络, 不能进行管网平差!"),
    QT_TRANSLATE_NOOP("CCoreText", "网络%1, 起始节点%2"),
    QT_TRANSLATE_NOOP("CCoreText", "平差计算未开始: %1的%2 %3 有 %4 个点, 至少需要 %5 个。请改正后再计算。"),
    QT_TRANSLATE_NOOP("CCoreText", "平差计算未开始: %1的%2 %3 有 %4 个点, %5。请改正后再计算。"),
    QT_TRANSLATE_NOOP("CCoreText", "平差计算未开始: %1的%2 %3 = %4, %5。请改正后再计算。"),
    QT_TRANSLATE_NOOP("CCoreText", "平差计算未开始: 最小压力 MinPressure = %1, 所需压力 RequiredPressure = %2, "
                                   "最小压力应小于所需压力。请改正后再计算。"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "平差计算未开始: 压力指数 PressureExponent = %1, 应大于 0 且不超过 10。请改正后再计算。"),
    QT_TRANSLATE_NOOP("CCoreText", "管段%1"),
    QT_TRANSLATE_NOOP("CCoreText", "水泵%1"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门%1"),
    QT_TRANSLATE_NOOP("CCoreText", "水池%1"),
    QT_TRANSLATE_NOOP("CCoreText", "节点%1"),
    QT_TRANSLATE_NOOP("CCoreText", "流量应递增, 扬程应随流量下降"),
    QT_TRANSLATE_NOOP("CCoreText", "流量应递增, 水头损失应随流量上升"),
    QT_TRANSLATE_NOOP("CCoreText", "应为不超过一百万米的有限数"),
    QT_TRANSLATE_NOOP("CCoreText", "应为有限数"),
    QT_TRANSLATE_NOOP("CCoreText", "应大于 0 且不超过 100 m"),
    QT_TRANSLATE_NOOP("CCoreText", "应在 0 到 1000 km 之间"),
    QT_TRANSLATE_NOOP("CCoreText", "应大于 0"),
    QT_TRANSLATE_NOOP("CCoreText", "不能为负数"),
    QT_TRANSLATE_NOOP("CCoreText", "应为不小于 0 的有限数"),
    QT_TRANSLATE_NOOP("CCoreText", "应为 0 到 4"),
    QT_TRANSLATE_NOOP("CCoreText", "应在 0 到 100 之间"),
    QT_TRANSLATE_NOOP("CCoreText", "应为大于 0 的有限数"),
    QT_TRANSLATE_NOOP("CCoreText", "应为 0 到 8"),
    QT_TRANSLATE_NOOP("CCoreText", "消防流量"),
    QT_TRANSLATE_NOOP("CCoreText", "计算流量"),
    QT_TRANSLATE_NOOP("CCoreText", "水压"),
    QT_TRANSLATE_NOOP("CCoreText", "管长"),
    QT_TRANSLATE_NOOP("CCoreText", "水泵曲线"),
    QT_TRANSLATE_NOOP("CCoreText", "转速比"),
    QT_TRANSLATE_NOOP("CCoreText", "曲线类型"),
    QT_TRANSLATE_NOOP("CCoreText", "损失曲线"),
    QT_TRANSLATE_NOOP("CCoreText", "直径"),
    QT_TRANSLATE_NOOP("CCoreText", "文件意外结束"),
    QT_TRANSLATE_NOOP("CCoreText", "文件格式错误"),
    QT_TRANSLATE_NOOP("CCoreText", "文件中有未知的对象类型"),
    QT_TRANSLATE_NOOP("CCoreText", "文件中对象的版本不对"),
    QT_TRANSLATE_NOOP("CCoreText", "文件只能读取"),
    QT_TRANSLATE_NOOP("CCoreText", "文件只能写入"),
    QT_TRANSLATE_NOOP("CCoreText", "文件读写错误"),
    QT_TRANSLATE_NOOP("CCoreText", "%1: %2 (第%3行): %4"),
    QT_TRANSLATE_NOOP("CCoreText", "%1: %2 (第%3行)"),
    QT_TRANSLATE_NOOP("CCoreText", "是一个目录"),
    QT_TRANSLATE_NOOP("CCoreText", "是一个管道"),
    QT_TRANSLATE_NOOP("CCoreText", "是一个设备"),
    QT_TRANSLATE_NOOP("CCoreText", "是一个套接字"),
    QT_TRANSLATE_NOOP("CCoreText", "不是普通文件"),
    QT_TRANSLATE_NOOP("CCoreText", "文件过大 (超过 %1 MB), 不是网络文件"),
    QT_TRANSLATE_NOOP("CCoreText", "写入失败"),
    QT_TRANSLATE_NOOP("CCoreText", "无法读取符号链接"),
    QT_TRANSLATE_NOOP("CCoreText", "无法解析符号链接"),
    QT_TRANSLATE_NOOP("CCoreText", "不是普通文件, 不能覆盖"),
    QT_TRANSLATE_NOOP("CCoreText", "文件是只读的, 不能覆盖"),
    QT_TRANSLATE_NOOP("CCoreText", "无法创建临时文件"),
    QT_TRANSLATE_NOOP("CCoreText", "写入磁盘失败"),
    QT_TRANSLATE_NOOP("CCoreText", "无法替换文件"),
    QT_TRANSLATE_NOOP("CCoreText", "关闭文件失败"),
    QT_TRANSLATE_NOOP("CCoreText", "计算表达式:"),
    QT_TRANSLATE_NOOP("CCoreText", "计算表达式: 单位(%1)"),
    QT_TRANSLATE_NOOP("CCoreText", "除数不能为零！"),
    QT_TRANSLATE_NOOP("CCoreText", "%1的%2将不大于零，计算未执行，没有修改任何数据！"),
    QT_TRANSLATE_NOOP("CCoreText", "%1的%2将不是有效数字，计算未执行，没有修改任何数据！"),
    QT_TRANSLATE_NOOP("CCoreText", "节点编号"),
    QT_TRANSLATE_NOOP("CCoreText", "编号"),
    QT_TRANSLATE_NOOP("CCoreText", "节点类型"),
    QT_TRANSLATE_NOOP("CCoreText", "类型"),
    QT_TRANSLATE_NOOP("CCoreText", "已知流量\n已知水压"),
    QT_TRANSLATE_NOOP("CCoreText", "地面标高"),
    QT_TRANSLATE_NOOP("CCoreText", "横坐标"),
    QT_TRANSLATE_NOOP("CCoreText", "纵坐标"),
    QT_TRANSLATE_NOOP("CCoreText", "节点水量"),
    QT_TRANSLATE_NOOP("CCoreText", "水量"),
    QT_TRANSLATE_NOOP("CCoreText", "节点用水量"),
    QT_TRANSLATE_NOOP("CCoreText", "绝对水压"),
    QT_TRANSLATE_NOOP("CCoreText", "绝对水头"),
    QT_TRANSLATE_NOOP("CCoreText", "节点绝对水压"),
    QT_TRANSLATE_NOOP("CCoreText", "自由水头"),
    QT_TRANSLATE_NOOP("CCoreText", "消防水量"),
    QT_TRANSLATE_NOOP("CCoreText", "实供水量"),
    QT_TRANSLATE_NOOP("CCoreText", "实际供水量"),
    QT_TRANSLATE_NOOP("CCoreText", "消防校验时设定为消防节点"),
    QT_TRANSLATE_NOOP("CCoreText", "供水方式"),
    QT_TRANSLATE_NOOP("CCoreText", "无\n单侧\n双侧"),
    QT_TRANSLATE_NOOP("CCoreText", "无供水\n单侧供水\n双侧供水"),
    QT_TRANSLATE_NOOP("CCoreText", "管道编号"),
    QT_TRANSLATE_NOOP("CCoreText", "管道类型"),
    QT_TRANSLATE_NOOP("CCoreText", "起始节点"),
    QT_TRANSLATE_NOOP("CCoreText", "起端节点"),
    QT_TRANSLATE_NOOP("CCoreText", "终止节点"),
    QT_TRANSLATE_NOOP("CCoreText", "终端节点"),
    QT_TRANSLATE_NOOP("CCoreText", "管道长度"),
    QT_TRANSLATE_NOOP("CCoreText", "长度"),
    QT_TRANSLATE_NOOP("CCoreText", "标准管径"),
    QT_TRANSLATE_NOOP("CCoreText", "管径"),
    QT_TRANSLATE_NOOP("CCoreText", "管道内径"),
    QT_TRANSLATE_NOOP("CCoreText", "计算内径"),
    QT_TRANSLATE_NOOP("CCoreText", "管道阻力系数"),
    QT_TRANSLATE_NOOP("CCoreText", "阻力系数"),
    QT_TRANSLATE_NOOP("CCoreText", "系数"),
    QT_TRANSLATE_NOOP("CCoreText", "局部阻力系数"),
    QT_TRANSLATE_NOOP("CCoreText", "局阻系数"),
    QT_TRANSLATE_NOOP("CCoreText", "并行管数"),
    QT_TRANSLATE_NOOP("CCoreText", "敷设日期"),
    QT_TRANSLATE_NOOP("CCoreText", "海增-威联管\n满宁管"),
    QT_TRANSLATE_NOOP("CCoreText", "进行事故工况校验时设定为事故管"),
    QT_TRANSLATE_NOOP("CCoreText", "管道流量"),
    QT_TRANSLATE_NOOP("CCoreText", "流量"),
    QT_TRANSLATE_NOOP("CCoreText", "管道流速"),
    QT_TRANSLATE_NOOP("CCoreText", "流速"),
    QT_TRANSLATE_NOOP("CCoreText", "管道压降"),
    QT_TRANSLATE_NOOP("CCoreText", "压降"),
    QT_TRANSLATE_NOOP("CCoreText", "水力坡度"),
    QT_TRANSLATE_NOOP("CCoreText", "压力降"),
    QT_TRANSLATE_NOOP("CCoreText", "水泵编号"),
    QT_TRANSLATE_NOOP("CCoreText", "水泵类型"),
    QT_TRANSLATE_NOOP("CCoreText", "卧式离心泵"),
    QT_TRANSLATE_NOOP("CCoreText", "入口节点"),
    QT_TRANSLATE_NOOP("CCoreText", "出口节点"),
    QT_TRANSLATE_NOOP("CCoreText", "静态扬程"),
    QT_TRANSLATE_NOOP("CCoreText", "额定转速"),
    QT_TRANSLATE_NOOP("CCoreText", "相对转速"),
    QT_TRANSLATE_NOOP("CCoreText", "操作转速"),
    QT_TRANSLATE_NOOP("CCoreText", "特性曲线"),
    QT_TRANSLATE_NOOP("CCoreText", "曲线"),
    QT_TRANSLATE_NOOP("CCoreText", "二次公式\n一点曲线\n三点曲线\n多点曲线\n恒功率"),
    QT_TRANSLATE_NOOP("CCoreText", "功率"),
    QT_TRANSLATE_NOOP("CCoreText", "效率"),
    QT_TRANSLATE_NOOP("CCoreText", "效    率"),
    QT_TRANSLATE_NOOP("CCoreText", "气蚀余量"),
    QT_TRANSLATE_NOOP("CCoreText", "出水量"),
    QT_TRANSLATE_NOOP("CCoreText", "计算时是否开启水泵"),
    QT_TRANSLATE_NOOP("CCoreText", "计算状态"),
    QT_TRANSLATE_NOOP("CCoreText", "状态"),
    QT_TRANSLATE_NOOP("CCoreText", "初始状态"),
    QT_TRANSLATE_NOOP("CCoreText", "自动\n开启\n关闭"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门编号"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门类型"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门直径"),
    QT_TRANSLATE_NOOP("CCoreText", "减压量"),
    QT_TRANSLATE_NOOP("CCoreText", "减压阀"),
    QT_TRANSLATE_NOOP("CCoreText", "稳压减压阀"),
    QT_TRANSLATE_NOOP("CCoreText", "设定值"),
    QT_TRANSLATE_NOOP("CCoreText", "限定流量"),
    QT_TRANSLATE_NOOP("CCoreText", "进口压力"),
    QT_TRANSLATE_NOOP("CCoreText", "出口压力"),
    QT_TRANSLATE_NOOP("CCoreText", "阻力"),
    QT_TRANSLATE_NOOP("CCoreText", "计算时是否开启阀门"),
    QT_TRANSLATE_NOOP("CCoreText",
                      "闸阀\n止回阀\n减压阀\n稳压减压阀(PRV)\n持压阀(PSV)\n流量控制阀(FCV)\n节流阀(TCV)\n"),
    QT_TRANSLATE_NOOP("CCoreText", "闸阀\n止回阀\n减压阀\n稳压减压阀\n持压阀\n流量控制阀\n节流阀\n压力破坏阀\n通用阀"),
    QT_TRANSLATE_NOOP("CCoreText", "压力破坏阀(PBV)\n通用阀(GPV)"),
    QT_TRANSLATE_NOOP("CCoreText", "未计算\n保持设定值\n全开\n关闭\n倒流关闭\n无法保持设定值"),
    QT_TRANSLATE_NOOP("CCoreText", "\n保持设定值\n全开\n关闭\n倒流关闭\n无法保持设定值"),
    QT_TRANSLATE_NOOP("CCoreText", "水池编号"),
    QT_TRANSLATE_NOOP("CCoreText", "水池类型"),
    QT_TRANSLATE_NOOP("CCoreText", "蓄水池\n水塔"),
    QT_TRANSLATE_NOOP("CCoreText", "池底标高"),
    QT_TRANSLATE_NOOP("CCoreText", "当前水位"),
    QT_TRANSLATE_NOOP("CCoreText", "最低水位"),
    QT_TRANSLATE_NOOP("CCoreText", "最高水位"),
    QT_TRANSLATE_NOOP("CCoreText", "水池面积"),
    QT_TRANSLATE_NOOP("CCoreText", "面积"),
    QT_TRANSLATE_NOOP("CCoreText", "段外的行至少要有两个字段"),
    QT_TRANSLATE_NOOP("CCoreText", "未知的段名 %1"),
    QT_TRANSLATE_NOOP("CCoreText", "控制阀 %1 缺少 VALVESETTING 段中的设定值"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 段缺少 END, 文件可能不完整"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 段缺少 END"),
    QT_TRANSLATE_NOOP("CCoreText", "第%1列为空 (两个制表符之间没有数据)"),
    QT_TRANSLATE_NOOP("CCoreText", "曲线点需要流量和水头两个数值"),
    QT_TRANSLATE_NOOP("CCoreText", "管段 %1 不存在"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 不是管段"),
    QT_TRANSLATE_NOOP("CCoreText", "折点行需要 X 和 Y 两个坐标"),
    QT_TRANSLATE_NOOP("CCoreText", "TIMEDATA 段: %1"),
    QT_TRANSLATE_NOOP("CCoreText", "OPTIONS 段: %1"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 %2 超过19个字节"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 %2 含有空字符"),
    QT_TRANSLATE_NOOP("CCoreText", "节点 %1 不存在"),
    QT_TRANSLATE_NOOP("CCoreText", "第%1个字段 %2 不是数字"),
    QT_TRANSLATE_NOOP("CCoreText", "第%1个字段 %2 换算为基本单位后超出范围"),
    QT_TRANSLATE_NOOP("CCoreText", "第%1个字段 %2 不是整数"),
    QT_TRANSLATE_NOOP("CCoreText", "起点与终点是同一个节点"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门类型 %1 不存在"),
    QT_TRANSLATE_NOOP("CCoreText", "管段编号 %1 重复"),
    QT_TRANSLATE_NOOP("CCoreText", "节点编号 %1 重复"),
    QT_TRANSLATE_NOOP("CCoreText", "设备 %1 不存在"),
    QT_TRANSLATE_NOOP("CCoreText", "状态 %1 不是 OPEN 或 CLOSED"),
    QT_TRANSLATE_NOOP("CCoreText", "%1 不是水泵或阀门"),
    QT_TRANSLATE_NOOP("CCoreText", "水泵 %1 不存在"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门 %1 不存在"),
    QT_TRANSLATE_NOOP("CCoreText", "选项 %1 缺少取值"),
    QT_TRANSLATE_NOOP("CCoreText", "未知的选项 %1"),
    QT_TRANSLATE_NOOP("CCoreText", "阀门状态 %1 不是 ACTIVE、OPEN 或 CLOSED"),
    QT_TRANSLATE_NOOP("CCoreText", "水池内部节点 %1 不能连接其他对象"),
    QT_TRANSLATE_NOOP("CCoreText", "缺少%1"),
    QT_TRANSLATE_NOOP("CCoreText", "管段编号"),
    QT_TRANSLATE_NOOP("CCoreText", "内部节点编号"),
    QT_TRANSLATE_NOOP("CCoreText", "设备编号"),
};

// Tried after every other text: a message and the file line it is about, a caption and its text.
const char* const kCatchAllTexts[] = {
    QT_TRANSLATE_NOOP("CCoreText", "%1: \"%2\""),
    QT_TRANSLATE_NOOP("CCoreText", "%1: %2"),
};

const QTranslator* g_ownTranslator = nullptr;

struct CoreTextPattern {
    QRegularExpression re;
    QRegularExpression greedy;   // the same, its parts taking as much as they can
    const char* source;
    std::vector<int> numbers;   // the placeholder of each capture, in the order they appear
};

bool HasChinese(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x3000 && c.unicode() <= 0xffef)
            return true;
    return false;
}

// The characters of a template that are not its %1, %2... parts.
qsizetype FixedLength(const char* source)
{
    const QString text = QString::fromUtf8(source);
    return text.size() - 2 * text.count(QLatin1Char('%'));
}

const std::vector<CoreTextPattern>& CoreTextPatterns()
{
    static const std::vector<CoreTextPattern> patterns = [] {
        std::vector<CoreTextPattern> out;
        static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
        // Most particular first: the more fixed text, the earlier ("写出 %1 和 %2" before "写出 %1",
        // "节点 %1: %2 m" before "节点%1"), the catch-alls last.
        std::vector<const char*> sources(std::begin(kCoreTexts), std::end(kCoreTexts));
        sources.insert(sources.end(), CoreMessageTexts::All().begin(), CoreMessageTexts::All().end());
        std::stable_sort(sources.begin(), sources.end(),
                         [](const char* a, const char* b) { return FixedLength(a) > FixedLength(b); });
        sources.insert(sources.end(), std::begin(kCatchAllTexts), std::end(kCatchAllTexts));
        for (const char* source : sources) {
            const QString text = QString::fromUtf8(source);
            CoreTextPattern p{{}, {}, source, {}};
            QString re;
            qsizetype at = 0;
            for (auto it = placeholder.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                re += QRegularExpression::escape(text.mid(at, m.capturedStart() - at)) + QStringLiteral("(.+?)");
                p.numbers.push_back(m.captured(1).toInt());
                at = m.capturedEnd();
            }
            if (p.numbers.empty())
                continue;   // whole texts are looked up directly
            re += QRegularExpression::escape(text.mid(at));
            p.re.setPattern(QRegularExpression::anchoredPattern(re));
            p.greedy.setPattern(QRegularExpression::anchoredPattern(
                QString(re).replace(QStringLiteral("(.+?)"), QStringLiteral("(.+)"))));
            out.push_back(std::move(p));
        }
        return out;
    }();
    return patterns;
}

// `translated` with each %n replaced by its part, in one pass (a part may hold a % of its own).
QString FillParts(const QString& translated, const std::vector<int>& numbers, const QStringList& parts)
{
    QString out;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        if (translated[i] == QLatin1Char('%') && i + 1 < translated.size() && translated[i + 1].isDigit()) {
            const int n = translated[i + 1].digitValue();
            for (size_t k = 0; k < numbers.size(); ++k)
                if (numbers[k] == n)
                    out += parts[static_cast<qsizetype>(k)];
            ++i;
            continue;
        }
        out += translated[i];
    }
    return out;
}
}   // namespace

QString CCoreText::Line(const QString& line, int depth)
{
    if (!HasChinese(line))
        return line;
    qsizetype indent = 0;
    while (indent < line.size() && line[indent] == QLatin1Char(' '))
        ++indent;
    const QString body = line.mid(indent);
    const QByteArray utf8 = body.toUtf8();
    const QString exact = Lookup(utf8.constData());
    if (exact != body)
        return line.left(indent) + exact;
    // A list ("[LABELS] 3 行, [QUALITY] 11 行"), before the templates, which would take it whole:
    // translated when each of its items is, wholly.
    if (const QStringList items = body.split(QStringLiteral(", ")); items.size() > 1 && depth < 3) {
        QStringList out;
        for (const QString& item : items) {
            out << Line(item, depth + 1);
            if (HasChinese(out.back()))
                break;
        }
        if (out.size() == items.size() && !HasChinese(out.back()))
            return line.left(indent) + out.join(QStringLiteral(", "));
    }
    // The first whole translation, the parts split as few or as many characters first ("- %1 (%2)"
    // over "- 止回阀写为节流阀 (QEN 计算中...) (1)"); else the first match, partly translated (the
    // user's Chinese names stay). A few matches at most: each translates its parts in turn.
    QString partly;
    int matches = 0;
    for (const CoreTextPattern& p : CoreTextPatterns()) {
        if (matches >= 4)
            break;
        const QString translated = Lookup(p.source);
        // Known, but without a translation in this language; a template of no Chinese ("- %1 (%2)")
        // is its own translation.
        const bool untranslated = translated == QString::fromUtf8(p.source) && HasChinese(translated);
        for (const QRegularExpression* re : {&p.re, &p.greedy}) {
            const QRegularExpressionMatch m = re->match(body);
            if (!m.hasMatch())
                continue;
            ++matches;
            if (untranslated) {
                partly = partly.isNull() ? line : partly;
                break;
            }
            QStringList parts;
            for (size_t k = 0; k < p.numbers.size(); ++k) {
                const QString part = m.captured(static_cast<int>(k) + 1);
                parts << (depth < 3 ? Line(part, depth + 1) : part);
            }
            const QString result = line.left(indent) + FillParts(translated, p.numbers, parts);
            if (!HasChinese(result))
                return result;
            partly = partly.isNull() ? result : partly;
        }
    }
    return partly.isNull() ? line : partly;
}

QString CCoreText::Tr(const QString& text)
{
    // Chinese is the language of the core's texts: nothing to do without a translation.
    if (!HasChinese(text) || Lookup(kCoreTexts[0]) == QString::fromUtf8(kCoreTexts[0]))
        return text;
    const QByteArray utf8 = text.toUtf8();
    const QString whole = Lookup(utf8.constData());
    if (whole != text)
        return whole;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        l = Line(l);
    return lines.join(QLatin1Char('\n'));
}

QString CCoreText::Tr(const std::string& utf8)
{
    return Tr(QString::fromStdString(utf8));
}

std::string CCoreText::TrStd(const std::string& utf8)
{
    return Tr(utf8).toStdString();
}

void CCoreText::UseTranslator(const QTranslator* translator)
{
    g_ownTranslator = translator;
}

QString CCoreText::Lookup(const char* source)
{
    if (!g_ownTranslator)
        return QCoreApplication::translate("CCoreText", source);
    const QString t = g_ownTranslator->translate("CCoreText", source);
    return t.isEmpty() ? QString::fromUtf8(source) : t;
}
