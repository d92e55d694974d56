#include "CommandTable.h"
#include "views/CommandIds.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace Cmd;

const std::vector<CommandTable::Entry>& CommandTable::All()
{
    using K = QKeySequence;
    static const std::vector<Entry> table = {
        {FileNew, QT_TRANSLATE_NOOP("CommandTable", "新建(&N)"), QT_TRANSLATE_NOOP("CommandTable", "建立新文档"),
         K::New},
        {FileOpen, QT_TRANSLATE_NOOP("CommandTable", "打开(&O)..."),
         QT_TRANSLATE_NOOP("CommandTable", "打开一个现有文档"), K::Open},
        {FileClose, QT_TRANSLATE_NOOP("CommandTable", "关闭(&C)"), QT_TRANSLATE_NOOP("CommandTable", "关闭活动文档"),
         K::Close},
        {FileSave, QT_TRANSLATE_NOOP("CommandTable", "保存(&S)"), QT_TRANSLATE_NOOP("CommandTable", "保存活动文档"),
         K::Save},
        {FileSaveAs, QT_TRANSLATE_NOOP("CommandTable", "另存为(&A)..."),
         QT_TRANSLATE_NOOP("CommandTable", "用新名称保存活动文档")},
        {FileImportEpanet, QT_TRANSLATE_NOOP("CommandTable", "导入 EPANET 文件(&I)..."),
         QT_TRANSLATE_NOOP("CommandTable", "把 EPANET 输入文件(.inp)打开为新文档")},
        {FileExportEpanet, QT_TRANSLATE_NOOP("CommandTable", "导出 EPANET 文件(&E)..."),
         QT_TRANSLATE_NOOP("CommandTable", "把活动文档的管网写成 EPANET 输入文件(.inp)")},
        {FileExportReport, QT_TRANSLATE_NOOP("CommandTable", "导出计算书(&R)..."),
         QT_TRANSLATE_NOOP("CommandTable", "把活动文档的平差计算书写成 Excel 工作簿或 PDF 文件")},
        {ImportAcad, QT_TRANSLATE_NOOP("CommandTable", "来自CAD图纸(&A)..."),
         QT_TRANSLATE_NOOP("CommandTable", "从CAD图纸(DXF)引入管网")},
        {ExportAcad, QT_TRANSLATE_NOOP("CommandTable", "到CAD图纸(&A)..."),
         QT_TRANSLATE_NOOP("CommandTable", "把管网引出到CAD图纸(DXF)")},
        {ImportGis, QT_TRANSLATE_NOOP("CommandTable", "来自GIS数据(&G)..."),
         QT_TRANSLATE_NOOP("CommandTable", "从GIS数据(GeoPackage、Shapefile、GeoJSON...)引入管道和节点")},
        {ExportGis, QT_TRANSLATE_NOOP("CommandTable", "到GIS数据(&G)..."),
         QT_TRANSLATE_NOOP("CommandTable", "把管网和平差结果引出为GIS图层")},
        {ElevationsFromDem, QT_TRANSLATE_NOOP("CommandTable", "从地形取高程(&E)..."),
         QT_TRANSLATE_NOOP("CommandTable", "从地形栅格取节点地面标高")},
        {BkSelect, QT_TRANSLATE_NOOP("CommandTable", "选择背景(&S)..."),
         QT_TRANSLATE_NOOP("CommandTable", "选择背景位图")},
        {BkClear, QT_TRANSLATE_NOOP("CommandTable", "清空背景(&C)"), QT_TRANSLATE_NOOP("CommandTable", "清除背景位图")},
        {BkShow, QT_TRANSLATE_NOOP("CommandTable", "显示背景(&V)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏背景位图"), K::UnknownKey, true},
        {FilePrint, QT_TRANSLATE_NOOP("CommandTable", "打印(&P)..."), QT_TRANSLATE_NOOP("CommandTable", "打印活动文档"),
         K::Print},
        {FilePrintPreview, QT_TRANSLATE_NOOP("CommandTable", "打印预览(&V)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示整页")},
        {FilePrintSetup, QT_TRANSLATE_NOOP("CommandTable", "打印设置(&R)..."),
         QT_TRANSLATE_NOOP("CommandTable", "改变打印机及打印选项")},
        {FileMru1, QT_TRANSLATE_NOOP("CommandTable", "最近文件"), QT_TRANSLATE_NOOP("CommandTable", "打开该文档")},
        {AppExit, QT_TRANSLATE_NOOP("CommandTable", "退出(&X)"),
         QT_TRANSLATE_NOOP("CommandTable", "退出应用程序；提示保存文档"), K::Quit},

        {EditUndo, QT_TRANSLATE_NOOP("CommandTable", "撤销(&U)"), QT_TRANSLATE_NOOP("CommandTable", "撤销最后一步操作"),
         K::Undo},
        {EditRedo, QT_TRANSLATE_NOOP("CommandTable", "重做(&R)"), QT_TRANSLATE_NOOP("CommandTable", "重做撤销的操作"),
         K::Redo},
        {EditCut, QT_TRANSLATE_NOOP("CommandTable", "剪切(&T)"),
         QT_TRANSLATE_NOOP("CommandTable", "剪切被选对象并将其置于剪贴板上"), K::Cut},
        {EditCopy, QT_TRANSLATE_NOOP("CommandTable", "复制(&C)"),
         QT_TRANSLATE_NOOP("CommandTable", "将被选对象复制到剪贴板"), K::Copy},
        {EditPaste, QT_TRANSLATE_NOOP("CommandTable", "粘贴(&P)"), QT_TRANSLATE_NOOP("CommandTable", "插入剪贴板内容"),
         K::Paste},
        {InsertNode, QT_TRANSLATE_NOOP("CommandTable", "节点(&N)"), QT_TRANSLATE_NOOP("CommandTable", "插入节点")},
        {InsertPipe, QT_TRANSLATE_NOOP("CommandTable", "管道(&P)"), QT_TRANSLATE_NOOP("CommandTable", "插入管道")},
        {InsertPump, QT_TRANSLATE_NOOP("CommandTable", "水泵(&U)"), QT_TRANSLATE_NOOP("CommandTable", "插入水泵")},
        {InsertValve, QT_TRANSLATE_NOOP("CommandTable", "阀门(&V)"), QT_TRANSLATE_NOOP("CommandTable", "插入阀门")},
        {InsertTank, QT_TRANSLATE_NOOP("CommandTable", "水池(&T)"), QT_TRANSLATE_NOOP("CommandTable", "插入水池")},
        {MoveNode, QT_TRANSLATE_NOOP("CommandTable", "节点(&N)"), QT_TRANSLATE_NOOP("CommandTable", "移动节点")},
        {MovePipe, QT_TRANSLATE_NOOP("CommandTable", "管道(&P)"), QT_TRANSLATE_NOOP("CommandTable", "移动管道")},
        {MovePump, QT_TRANSLATE_NOOP("CommandTable", "水泵(&U)"), QT_TRANSLATE_NOOP("CommandTable", "移动水泵")},
        {MoveValve, QT_TRANSLATE_NOOP("CommandTable", "阀门(&V)"), QT_TRANSLATE_NOOP("CommandTable", "移动阀门")},
        {MoveTank, QT_TRANSLATE_NOOP("CommandTable", "水池(&T)"), QT_TRANSLATE_NOOP("CommandTable", "移动水池")},
        {DeleteNode, QT_TRANSLATE_NOOP("CommandTable", "节点(&N)"), QT_TRANSLATE_NOOP("CommandTable", "删除节点")},
        {DeletePipe, QT_TRANSLATE_NOOP("CommandTable", "管道(&P)"), QT_TRANSLATE_NOOP("CommandTable", "删除管道")},
        {DeletePump, QT_TRANSLATE_NOOP("CommandTable", "水泵(&U)"), QT_TRANSLATE_NOOP("CommandTable", "删除水泵")},
        {DeleteValve, QT_TRANSLATE_NOOP("CommandTable", "阀门(&V)"), QT_TRANSLATE_NOOP("CommandTable", "删除阀门")},
        {DeleteTank, QT_TRANSLATE_NOOP("CommandTable", "水池(&T)"), QT_TRANSLATE_NOOP("CommandTable", "删除水池")},
        {EditFind, QT_TRANSLATE_NOOP("CommandTable", "查找(&F)..."),
         QT_TRANSLATE_NOOP("CommandTable", "查找节点或管道"), K::Find},
        {PropNode, QT_TRANSLATE_NOOP("CommandTable", "节点属性(&N)"),
         QT_TRANSLATE_NOOP("CommandTable", "编辑所选节点的属性")},
        {PropPipe, QT_TRANSLATE_NOOP("CommandTable", "管道属性(&P)"),
         QT_TRANSLATE_NOOP("CommandTable", "编辑所选管道的属性")},
        {PropPump, QT_TRANSLATE_NOOP("CommandTable", "水泵属性(&U)"),
         QT_TRANSLATE_NOOP("CommandTable", "编辑所选水泵的属性")},
        {PropValve, QT_TRANSLATE_NOOP("CommandTable", "阀门属性(&V)"),
         QT_TRANSLATE_NOOP("CommandTable", "编辑所选阀门的属性")},
        {PropTank, QT_TRANSLATE_NOOP("CommandTable", "水池属性(&T)"),
         QT_TRANSLATE_NOOP("CommandTable", "编辑所选水池的属性")},
        {SelectWindow, QT_TRANSLATE_NOOP("CommandTable", "窗口选择(&W)"),
         QT_TRANSLATE_NOOP("CommandTable", "只选择完全在窗口内的对象"), K::UnknownKey, true},
        {SelectCrossing, QT_TRANSLATE_NOOP("CommandTable", "穿越选择(&C)"),
         QT_TRANSLATE_NOOP("CommandTable", "选择与窗口相交的对象"), K::UnknownKey, true},

        {Redraw, QT_TRANSLATE_NOOP("CommandTable", "重画(&R)"), QT_TRANSLATE_NOOP("CommandTable", "重画窗口"),
         K::Refresh},
        {ZoomRealtime, QT_TRANSLATE_NOOP("CommandTable", "实时(&R)"), QT_TRANSLATE_NOOP("CommandTable", "实时缩放"),
         K::UnknownKey, true},
        {ZoomBack, QT_TRANSLATE_NOOP("CommandTable", "回退(&B)"),
         QT_TRANSLATE_NOOP("CommandTable", "回到上一个显示范围")},
        {ZoomForward, QT_TRANSLATE_NOOP("CommandTable", "前进(&F)"),
         QT_TRANSLATE_NOOP("CommandTable", "前进到下一个显示范围")},
        {ZoomIn, QT_TRANSLATE_NOOP("CommandTable", "放大(&I)"), QT_TRANSLATE_NOOP("CommandTable", "放大显示"),
         K::ZoomIn},
        {ZoomOut, QT_TRANSLATE_NOOP("CommandTable", "缩小(&O)"), QT_TRANSLATE_NOOP("CommandTable", "缩小显示"),
         K::ZoomOut},
        {ZoomWindow, QT_TRANSLATE_NOOP("CommandTable", "窗口(&W)"), QT_TRANSLATE_NOOP("CommandTable", "缩放到窗口"),
         K::UnknownKey, true},
        {ZoomExtents, QT_TRANSLATE_NOOP("CommandTable", "全图(&E)"), QT_TRANSLATE_NOOP("CommandTable", "显示整个管网")},
        {PanRealtime, QT_TRANSLATE_NOOP("CommandTable", "实时(&R)"), QT_TRANSLATE_NOOP("CommandTable", "实时平移"),
         K::UnknownKey, true},
        {LeaveRealtime, QT_TRANSLATE_NOOP("CommandTable", "退出(&X)"),
         QT_TRANSLATE_NOOP("CommandTable", "退出实时缩放或平移")},
        {PanCenter, QT_TRANSLATE_NOOP("CommandTable", "中心点(&C)"), QT_TRANSLATE_NOOP("CommandTable", "平移到中心点")},
        {EagleEye, QT_TRANSLATE_NOOP("CommandTable", "鹰眼视窗(&E)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示鹰眼视窗")},
        {NamedViews, QT_TRANSLATE_NOOP("CommandTable", "命名视图(&N)..."),
         QT_TRANSLATE_NOOP("CommandTable", "管理命名视图")},
        {NamedViewList, QT_TRANSLATE_NOOP("CommandTable", "命名视图"),
         QT_TRANSLATE_NOOP("CommandTable", "选择命名视图")},
        {Contours, QT_TRANSLATE_NOOP("CommandTable", "等压线(&E)..."),
         QT_TRANSLATE_NOOP("CommandTable", "设置和显示等压线")},
        {ProjectLabels, QT_TRANSLATE_NOOP("CommandTable", "工程标注(&L)"),
         QT_TRANSLATE_NOOP("CommandTable", "在单值标注和多行工程标注之间切换"), K::UnknownKey, true},
        {WindowModule, QT_TRANSLATE_NOOP("CommandTable", "三维视图(&3)"),
         QT_TRANSLATE_NOOP("CommandTable", "打开三维视图窗口")},
        {WindowGraphic, QT_TRANSLATE_NOOP("CommandTable", "图形(&G)"),
         QT_TRANSLATE_NOOP("CommandTable", "打开图形窗口")},
        {WindowTable, QT_TRANSLATE_NOOP("CommandTable", "表格(&T)"), QT_TRANSLATE_NOOP("CommandTable", "打开表格窗口")},
        {ViewAngle, QT_TRANSLATE_NOOP("CommandTable", "观察角(&A)..."),
         QT_TRANSLATE_NOOP("CommandTable", "设置三维观察角")},
        {ViewOrtho, QT_TRANSLATE_NOOP("CommandTable", "正交观察(&O)"), QT_TRANSLATE_NOOP("CommandTable", "正交投影")},
        {ViewPerspective, QT_TRANSLATE_NOOP("CommandTable", "透视观察(&P)"),
         QT_TRANSLATE_NOOP("CommandTable", "透视投影")},
        {BarStandard, QT_TRANSLATE_NOOP("CommandTable", "标准工具(&S)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏标准工具条"), K::UnknownKey, true},
        {BarEdit, QT_TRANSLATE_NOOP("CommandTable", "编辑工具(&E)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏编辑工具条"), K::UnknownKey, true},
        {BarZoom, QT_TRANSLATE_NOOP("CommandTable", "缩放工具(&Z)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏缩放工具条"), K::UnknownKey, true},
        {BarTemplate, QT_TRANSLATE_NOOP("CommandTable", "模板工具(&M)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏模板工具条"), K::UnknownKey, true},
        {BarTable, QT_TRANSLATE_NOOP("CommandTable", "表格工具(&T)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏表格工具条"), K::UnknownKey, true},
        {BarCoord, QT_TRANSLATE_NOOP("CommandTable", "坐标录入条(&C)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏坐标录入条"), K::UnknownKey, true},
        {BarStatus, QT_TRANSLATE_NOOP("CommandTable", "状态栏(&S)"),
         QT_TRANSLATE_NOOP("CommandTable", "显示或隐藏状态栏"), K::UnknownKey, true},
        {RecordFirst, QT_TRANSLATE_NOOP("CommandTable", "第一个(&F)"), QT_TRANSLATE_NOOP("CommandTable", "第一个记录")},
        {RecordPrev, QT_TRANSLATE_NOOP("CommandTable", "前一个(&P)"), QT_TRANSLATE_NOOP("CommandTable", "前一个记录")},
        {RecordNext, QT_TRANSLATE_NOOP("CommandTable", "下一个(&N)"), QT_TRANSLATE_NOOP("CommandTable", "下一个记录")},
        {RecordLast, QT_TRANSLATE_NOOP("CommandTable", "最后一个(&L)"),
         QT_TRANSLATE_NOOP("CommandTable", "最后一个记录")},

        {NodeFlows, QT_TRANSLATE_NOOP("CommandTable", "节点流量(F)"),
         QT_TRANSLATE_NOOP("CommandTable", "按管长分配节点流量")},
        {Balance, QT_TRANSLATE_NOOP("CommandTable", "管网平差(&B)"),
         QT_TRANSLATE_NOOP("CommandTable", "进行管网平差计算")},
        {NetCost, QT_TRANSLATE_NOOP("CommandTable", "管网造价(&P)"), QT_TRANSLATE_NOOP("CommandTable", "计算管网造价")},
        {PipeSizing, QT_TRANSLATE_NOOP("CommandTable", "管径优化(&D)..."),
         QT_TRANSLATE_NOOP("CommandTable", "按最低造价选择管径")},
        {Simulate, QT_TRANSLATE_NOOP("CommandTable", "延时模拟(&T)..."),
         QT_TRANSLATE_NOOP("CommandTable", "按时间数据模拟一段时间内的管网工况")},
        {TimeSeries, QT_TRANSLATE_NOOP("CommandTable", "过程线(&H)..."),
         QT_TRANSLATE_NOOP("CommandTable", "画出所选对象在模拟时段内的数值变化")},
        {FireFlow, QT_TRANSLATE_NOOP("CommandTable", "消防流量分析(&R)..."),
         QT_TRANSLATE_NOOP("CommandTable", "计算各节点在保证水压下可提供的最大消防流量")},
        {PipeFailure, QT_TRANSLATE_NOOP("CommandTable", "事故分析(&A)..."),
         QT_TRANSLATE_NOOP("CommandTable", "逐根关闭管道, 统计事故工况下受影响的节点")},
        {Configure, QT_TRANSLATE_NOOP("CommandTable", "配置(&G)..."), QT_TRANSLATE_NOOP("CommandTable", "计算配置")},

        {TemplateNode, QT_TRANSLATE_NOOP("CommandTable", "节点(&N)..."),
         QT_TRANSLATE_NOOP("CommandTable", "编辑节点模板")},
        {TemplatePipe, QT_TRANSLATE_NOOP("CommandTable", "管道(&P)..."),
         QT_TRANSLATE_NOOP("CommandTable", "编辑管道模板")},
        {TemplatePump, QT_TRANSLATE_NOOP("CommandTable", "水泵(&U)..."),
         QT_TRANSLATE_NOOP("CommandTable", "编辑水泵模板")},
        {TemplateValve, QT_TRANSLATE_NOOP("CommandTable", "阀门(&V)..."),
         QT_TRANSLATE_NOOP("CommandTable", "编辑阀门模板")},
        {TemplateTank, QT_TRANSLATE_NOOP("CommandTable", "水池(&T)..."),
         QT_TRANSLATE_NOOP("CommandTable", "编辑水池模板")},
        {Options, QT_TRANSLATE_NOOP("CommandTable", "选项(&O)..."),
         QT_TRANSLATE_NOOP("CommandTable", "设置显示和计算选项"), K::Preferences},
        {Appearance, QT_TRANSLATE_NOOP("CommandTable", "外观(&A)..."), QT_TRANSLATE_NOOP("CommandTable", "设置外观")},
        {Calculator, QT_TRANSLATE_NOOP("CommandTable", "计算器...(&C)"),
         QT_TRANSLATE_NOOP("CommandTable", "成批修改参数")},

        {EditLeave, QT_TRANSLATE_NOOP("CommandTable", "退出编辑(&X)"),
         QT_TRANSLATE_NOOP("CommandTable", "结束当前编辑")},
        {EditContinuous, QT_TRANSLATE_NOOP("CommandTable", "连续(&C)"), QT_TRANSLATE_NOOP("CommandTable", "连续插入"),
         K::UnknownKey, true},
        {EditAutoConnect, QT_TRANSLATE_NOOP("CommandTable", "自动连接(&A)"),
         QT_TRANSLATE_NOOP("CommandTable", "管道自动连接节点"), K::UnknownKey, true},
        {EditNoConnect, QT_TRANSLATE_NOOP("CommandTable", "不连接(&N)"),
         QT_TRANSLATE_NOOP("CommandTable", "管道不连接节点"), K::UnknownKey, true},
        {AsBendPoint, QT_TRANSLATE_NOOP("CommandTable", "作为图形折点(&B)"),
         QT_TRANSLATE_NOOP("CommandTable", "作为管道折点")},
        {AsFlowNode, QT_TRANSLATE_NOOP("CommandTable", "作为流量节点(&F)"),
         QT_TRANSLATE_NOOP("CommandTable", "作为流量节点")},

        {WindowCascade, QT_TRANSLATE_NOOP("CommandTable", "层叠(&C)"), QT_TRANSLATE_NOOP("CommandTable", "层叠窗口")},
        {WindowTile, QT_TRANSLATE_NOOP("CommandTable", "平铺(&T)"), QT_TRANSLATE_NOOP("CommandTable", "平铺窗口")},
        {WindowArrange, QT_TRANSLATE_NOOP("CommandTable", "排列图标(&A)"),
         QT_TRANSLATE_NOOP("CommandTable", "排列窗口图标")},
        {HelpTopics, QT_TRANSLATE_NOOP("CommandTable", "帮助主题(&H)"),
         QT_TRANSLATE_NOOP("CommandTable", "列出帮助主题"), K::HelpContents},
        {ContextHelp, QT_TRANSLATE_NOOP("CommandTable", "帮助"),
         QT_TRANSLATE_NOOP("CommandTable", "显示所点对象的帮助"), K::WhatsThis},
        {AppAbout, QT_TRANSLATE_NOOP("CommandTable", "关于 QEN(&A)..."),
         QT_TRANSLATE_NOOP("CommandTable", "显示程序信息、版本号和版权")},
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

QString CommandTable::Text(const Entry& e)
{
    return QCoreApplication::translate("CommandTable", e.text);
}

QString CommandTable::Prompt(const Entry& e)
{
    return QCoreApplication::translate("CommandTable", e.prompt);
}

QString CommandTable::PlainText(const Entry& e)
{
    QString s = Text(e);
    s.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    s.remove(QLatin1Char('&'));
    s.remove(QStringLiteral("..."));
    return s.trimmed();
}
