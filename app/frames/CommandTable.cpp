#include "CommandTable.h"
#include "views/CommandIds.h"

#include <QRegularExpression>

using namespace Cmd;

const std::vector<CommandTable::Entry>& CommandTable::All()
{
    using K = QKeySequence;
    static const std::vector<Entry> table = {
        {FileNew, "新建(&N)", "建立新文档", K::New},
        {FileOpen, "打开(&O)...", "打开一个现有文档", K::Open},
        {FileClose, "关闭(&C)", "关闭活动文档", K::Close},
        {FileSave, "保存(&S)", "保存活动文档", K::Save},
        {FileSaveAs, "另存为(&A)...", "用新名称保存活动文档"},
        {FileImportEpanet, "导入 EPANET 文件(&I)...", "把 EPANET 输入文件(.inp)打开为新文档"},
        {FileExportEpanet, "导出 EPANET 文件(&E)...", "把活动文档的管网写成 EPANET 输入文件(.inp)"},
        {ImportAcad, "来自CAD图纸(&A)...", "从CAD图纸(DXF)引入管网"},
        {ExportAcad, "到CAD图纸(&A)...", "把管网引出到CAD图纸(DXF)"},
        {BkSelect, "选择背景(&S)...", "选择背景位图"},
        {BkClear, "清空背景(&C)", "清除背景位图"},
        {BkShow, "显示背景(&V)", "显示或隐藏背景位图", K::UnknownKey, true},
        {FilePrint, "打印(&P)...", "打印活动文档", K::Print},
        {FilePrintPreview, "打印预览(&V)", "显示整页"},
        {FilePrintSetup, "打印设置(&R)...", "改变打印机及打印选项"},
        {FileMru1, "最近文件", "打开该文档"},
        {AppExit, "退出(&X)", "退出应用程序；提示保存文档", K::Quit},

        {EditUndo, "撤销(&U)", "撤销最后一步操作", K::Undo},
        {EditRedo, "重做(&R)", "重做撤销的操作", K::Redo},
        {EditCut, "剪切(&T)", "剪切被选对象并将其置于剪贴板上", K::Cut},
        {EditCopy, "复制(&C)", "将被选对象复制到剪贴板", K::Copy},
        {EditPaste, "粘贴(&P)", "插入剪贴板内容", K::Paste},
        {InsertNode, "节点(&N)", "插入节点"},
        {InsertPipe, "管道(&P)", "插入管道"},
        {InsertPump, "水泵(&U)", "插入水泵"},
        {InsertValve, "阀门(&V)", "插入阀门"},
        {InsertTank, "水池(&T)", "插入水池"},
        {MoveNode, "节点(&N)", "移动节点"},
        {MovePipe, "管道(&P)", "移动管道"},
        {MovePump, "水泵(&U)", "移动水泵"},
        {MoveValve, "阀门(&V)", "移动阀门"},
        {MoveTank, "水池(&T)", "移动水池"},
        {DeleteNode, "节点(&N)", "删除节点"},
        {DeletePipe, "管道(&P)", "删除管道"},
        {DeletePump, "水泵(&U)", "删除水泵"},
        {DeleteValve, "阀门(&V)", "删除阀门"},
        {DeleteTank, "水池(&T)", "删除水池"},
        {EditFind, "查找(&F)...", "查找节点或管道", K::Find},
        {PropNode, "节点属性(&N)", "编辑所选节点的属性"},
        {PropPipe, "管道属性(&P)", "编辑所选管道的属性"},
        {PropPump, "水泵属性(&U)", "编辑所选水泵的属性"},
        {PropValve, "阀门属性(&V)", "编辑所选阀门的属性"},
        {PropTank, "水池属性(&T)", "编辑所选水池的属性"},
        {SelectWindow, "窗口选择(&W)", "只选择完全在窗口内的对象", K::UnknownKey, true},
        {SelectCrossing, "穿越选择(&C)", "选择与窗口相交的对象", K::UnknownKey, true},

        {Redraw, "重画(&R)", "重画窗口", K::Refresh},
        {ZoomRealtime, "实时(&R)", "实时缩放", K::UnknownKey, true},
        {ZoomBack, "回退(&B)", "回到上一个显示范围"},
        {ZoomForward, "前进(&F)", "前进到下一个显示范围"},
        {ZoomIn, "放大(&I)", "放大显示", K::ZoomIn},
        {ZoomOut, "缩小(&O)", "缩小显示", K::ZoomOut},
        {ZoomWindow, "窗口(&W)", "缩放到窗口", K::UnknownKey, true},
        {ZoomExtents, "全图(&E)", "显示整个管网"},
        {PanRealtime, "实时(&R)", "实时平移", K::UnknownKey, true},
        {LeaveRealtime, "退出(&X)", "退出实时缩放或平移"},
        {PanCenter, "中心点(&C)", "平移到中心点"},
        {EagleEye, "鹰眼视窗(&E)", "显示鹰眼视窗"},
        {NamedViews, "命名视图(&N)...", "管理命名视图"},
        {NamedViewList, "命名视图", "选择命名视图"},
        {Contours, "等压线(&E)...", "设置和显示等压线"},
        {ProjectLabels, "工程标注(&L)", "在单值标注和多行工程标注之间切换", K::UnknownKey, true},
        {WindowModule, "三维视图(&3)", "打开三维视图窗口"},
        {WindowGraphic, "图形(&G)", "打开图形窗口"},
        {WindowTable, "表格(&T)", "打开表格窗口"},
        {ViewAngle, "观察角(&A)...", "设置三维观察角"},
        {ViewOrtho, "正交观察(&O)", "正交投影"},
        {ViewPerspective, "透视观察(&P)", "透视投影"},
        {BarStandard, "标准工具(&S)", "显示或隐藏标准工具条", K::UnknownKey, true},
        {BarEdit, "编辑工具(&E)", "显示或隐藏编辑工具条", K::UnknownKey, true},
        {BarZoom, "缩放工具(&Z)", "显示或隐藏缩放工具条", K::UnknownKey, true},
        {BarTemplate, "模板工具(&M)", "显示或隐藏模板工具条", K::UnknownKey, true},
        {BarTable, "表格工具(&T)", "显示或隐藏表格工具条", K::UnknownKey, true},
        {BarCoord, "坐标录入条(&C)", "显示或隐藏坐标录入条", K::UnknownKey, true},
        {BarStatus, "状态栏(&S)", "显示或隐藏状态栏", K::UnknownKey, true},
        {RecordFirst, "第一个(&F)", "第一个记录"},
        {RecordPrev, "前一个(&P)", "前一个记录"},
        {RecordNext, "下一个(&N)", "下一个记录"},
        {RecordLast, "最后一个(&L)", "最后一个记录"},

        {NodeFlows, "节点流量(F)", "按管长分配节点流量"},
        {Balance, "管网平差(&B)", "进行管网平差计算"},
        {NetCost, "管网造价(&P)", "计算管网造价"},
        {PipeSizing, "管径优化(&D)...", "按最低造价选择管径"},
        {Configure, "配置(&G)...", "计算配置"},

        {TemplateNode, "节点(&N)...", "编辑节点模板"},
        {TemplatePipe, "管道(&P)...", "编辑管道模板"},
        {TemplatePump, "水泵(&U)...", "编辑水泵模板"},
        {TemplateValve, "阀门(&V)...", "编辑阀门模板"},
        {TemplateTank, "水池(&T)...", "编辑水池模板"},
        {Options, "选项(&O)...", "设置显示和计算选项", K::Preferences},
        {Appearance, "外观(&A)...", "设置外观"},
        {Calculator, "计算器...(&C)", "成批修改参数"},

        {EditLeave, "退出编辑(&X)", "结束当前编辑"},
        {EditContinuous, "连续(&C)", "连续插入", K::UnknownKey, true},
        {EditAutoConnect, "自动连接(&A)", "管道自动连接节点", K::UnknownKey, true},
        {EditNoConnect, "不连接(&N)", "管道不连接节点", K::UnknownKey, true},
        {AsBendPoint, "作为图形折点(&B)", "作为管道折点"},
        {AsFlowNode, "作为流量节点(&F)", "作为流量节点"},

        {WindowCascade, "层叠(&C)", "层叠窗口"},
        {WindowTile, "平铺(&T)", "平铺窗口"},
        {WindowArrange, "排列图标(&A)", "排列窗口图标"},
        {HelpTopics, "帮助主题(&H)", "列出帮助主题", K::HelpContents},
        {ContextHelp, "帮助", "显示所点对象的帮助", K::WhatsThis},
        {AppAbout, "关于 QEN(&A)...", "显示程序信息、版本号和版权"},
    };
    return table;
}

const CommandTable::Entry* CommandTable::Find(int id)
{
    for (const Entry& e : All())
        if (e.id == id)
            return &e;
    return nullptr;
}

QString CommandTable::PlainText(const Entry& e)
{
    QString s = QString::fromUtf8(e.text);
    s.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    s.remove(QLatin1Char('&'));
    s.remove(QStringLiteral("..."));
    return s.trimmed();
}
