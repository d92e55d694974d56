<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>关于 QEN</source>
        <translation>About QEN</translation>
    </message>
    <message>
        <source>QEN 2.6 版</source>
        <translation>QEN version 2.6</translation>
    </message>
    <message>
        <source>给水管网建模与平差计算</source>
        <translation>Water distribution network modelling and hydraulic analysis</translation>
    </message>
    <message>
        <source>版权所有 (C) Brookmere</source>
        <translation>Copyright (C) Brookmere</translation>
    </message>
</context>
<context>
    <name>CBalanceParamsDlg</name>
    <message>
        <source>平差参数</source>
        <translation>Balancing Parameters</translation>
    </message>
    <message>
        <source>选定计算工况：</source>
        <translation>Calculation case:</translation>
    </message>
    <message>
        <source>事故时流量调整系数：</source>
        <translation>Accident case demand factor:</translation>
    </message>
    <message>
        <source>设定计算精度：</source>
        <translation>Convergence accuracy:</translation>
    </message>
    <message>
        <source>计算选项</source>
        <translation>Calculation options</translation>
    </message>
    <message>
        <source>止回阀防止倒流</source>
        <translation>Check valves prevent reverse flow</translation>
    </message>
    <message>
        <source>需水量模型：</source>
        <translation>Demand model:</translation>
    </message>
    <message>
        <source>最低压力 P0：</source>
        <translation>Minimum pressure P0:</translation>
    </message>
    <message>
        <source>所需压力 PR：</source>
        <translation>Required pressure PR:</translation>
    </message>
    <message>
        <source>压力指数：</source>
        <translation>Pressure exponent:</translation>
    </message>
</context>
<context>
    <name>CCalcCommands</name>
    <message>
        <source>管网%1管径优化报表</source>
        <translation>Pipe Sizing Report for Network %1</translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <source> - 表格</source>
        <translation> - Table</translation>
    </message>
    <message>
        <source> - 三维</source>
        <translation> - 3D</translation>
    </message>
</context>
<context>
    <name>CGisCommands</name>
    <message>
        <source>来自GIS数据</source>
        <translation>From GIS Data</translation>
    </message>
    <message>
        <source>GIS 数据 (*.gpkg *.shp *.geojson *.json *.gml *.kml *.sqlite);;所有文件 (*)</source>
        <translation>GIS data (*.gpkg *.shp *.geojson *.json *.gml *.kml *.sqlite);;All files (*)</translation>
    </message>
    <message>
        <source>无法引入GIS数据</source>
        <translation>Cannot import the GIS data</translation>
    </message>
    <message>
        <source>从 %1 引入管道 %2 根, 节点 %3 个 (点要素对应 %4 个)
</source>
        <translation>Imported %2 pipes and %3 nodes from %1 (%4 point features matched)
</translation>
    </message>
    <message>
        <source>拆分管道 %1 处
</source>
        <translation>Pipes split at %1 places
</translation>
    </message>
    <message>
        <source>GIS 引入报告</source>
        <translation>GIS Import Report</translation>
    </message>
    <message>
        <source>到GIS数据</source>
        <translation>To GIS Data</translation>
    </message>
    <message>
        <source>GeoPackage (*.gpkg);;Shapefile (*.shp);;GeoJSON (*.geojson)</source>
        <translation>GeoPackage (*.gpkg);;Shapefile (*.shp);;GeoJSON (*.geojson)</translation>
    </message>
    <message>
        <source>无法引出GIS数据</source>
        <translation>Cannot export the GIS data</translation>
    </message>
    <message>
        <source>节点 %1 个, 管道 %2 根, 水泵 %3 台, 阀门 %4 个, 水池 %5 个
</source>
        <translation>%1 nodes, %2 pipes, %3 pumps, %4 valves, %5 tanks
</translation>
    </message>
    <message>
        <source>含平差结果 (基本单位)
</source>
        <translation>With balancing results (base units)
</translation>
    </message>
    <message>
        <source>未平差, 不含结果
</source>
        <translation>Not balanced: no results
</translation>
    </message>
    <message>
        <source>没有坐标系
</source>
        <translation>No coordinate system
</translation>
    </message>
    <message>
        <source>写出坐标系
</source>
        <translation>Coordinate system written
</translation>
    </message>
    <message>
        <source>写出 </source>
        <translation>Wrote </translation>
    </message>
    <message>
        <source>GIS 引出报告</source>
        <translation>GIS Export Report</translation>
    </message>
    <message>
        <source>从地形取高程</source>
        <translation>Elevations from Terrain</translation>
    </message>
    <message>
        <source>地形栅格 (*.tif *.tiff *.asc *.img *.vrt *.dem);;所有文件 (*)</source>
        <translation>Terrain rasters (*.tif *.tiff *.asc *.img *.vrt *.dem);;All files (*)</translation>
    </message>
    <message>
        <source>只取地面标高为零的节点吗?
是: 只取标高为零的节点
否: 所有节点</source>
        <translation>Only nodes whose ground elevation is zero?
Yes: only nodes with zero elevation
No: all nodes</translation>
    </message>
    <message>
        <source>无法从地形取高程</source>
        <translation>Cannot take elevations from the terrain</translation>
    </message>
    <message>
        <source>改变高程的节点 %1 个, 高程不变 %2 个
</source>
        <translation>%1 nodes changed elevation, %2 unchanged
</translation>
    </message>
    <message>
        <source>已有高程未取 %1 个
</source>
        <translation>%1 nodes with an elevation left as they were
</translation>
    </message>
    <message>
        <source>在栅格范围外 (未改) %1 个: </source>
        <translation>%1 outside the raster (unchanged): </translation>
    </message>
    <message>
        <source>在无数据处 (未改) %1 个: </source>
        <translation>%1 on no-data cells (unchanged): </translation>
    </message>
</context>
<context>
    <name>CGisImportDlg</name>
    <message>
        <source>来自GIS数据</source>
        <translation>From GIS Data</translation>
    </message>
    <message>
        <source>所有线图层</source>
        <translation>All line layers</translation>
    </message>
    <message>
        <source>所有点图层</source>
        <translation>All point layers</translation>
    </message>
    <message>
        <source>不投影 (经纬度坐标须填写)</source>
        <translation>Needed for lat/long</translation>
    </message>
    <message>
        <source>在三通处拆分管道</source>
        <translation>Split pipes at tees</translation>
    </message>
    <message>
        <source>管道图层:</source>
        <translation>Pipe layer:</translation>
    </message>
    <message>
        <source>节点图层:</source>
        <translation>Node layer:</translation>
    </message>
    <message>
        <source>连接判断精度 (m):</source>
        <translation>Connection tolerance (m):</translation>
    </message>
    <message>
        <source>投影到 EPSG:</source>
        <translation>Project to EPSG:</translation>
    </message>
    <message>
        <source>字段对应:</source>
        <translation>Attribute mapping:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>连接判断精度</source>
        <translation>Connection tolerance</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>QEN 帮助</source>
        <translation>QEN Help</translation>
    </message>
    <message>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>搜索帮助</source>
        <translation>Search the guide</translation>
    </message>
    <message>
        <source>搜索:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>没有找到 &quot;%1&quot;</source>
        <translation>Nothing found for &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>打开该文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>引入(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>引出(&amp;E)</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>背景(&amp;B)</source>
        <translation>&amp;Background</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>插入(&amp;I)</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>移动(&amp;M)</source>
        <translation>&amp;Move</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>选择(&amp;S)</source>
        <translation>&amp;Select</translation>
    </message>
    <message>
        <source>属性(&amp;R)</source>
        <translation>P&amp;roperties</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>缩放(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>平移(&amp;P)</source>
        <translation>&amp;Pan</translation>
    </message>
    <message>
        <source>三维观察(&amp;3)</source>
        <translation>&amp;3D View</translation>
    </message>
    <message>
        <source>记录(&amp;D)</source>
        <translation>Recor&amp;ds</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbars</translation>
    </message>
    <message>
        <source>计算(&amp;C)</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>模板(&amp;M)</source>
        <translation>Te&amp;mplates</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>命名视图</source>
        <translation>Named views</translation>
    </message>
    <message>
        <source>标准工具</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>编辑工具</source>
        <translation>Editing</translation>
    </message>
    <message>
        <source>模板工具</source>
        <translation>Templates</translation>
    </message>
    <message>
        <source>表格工具</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>坐标录入条</source>
        <translation>Coordinate Entry</translation>
    </message>
    <message>
        <source>缩放工具</source>
        <translation>Zoom</translation>
    </message>
</context>
<context>
    <name>CMainStatusBar</name>
    <message>
        <source>大写</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>滚动</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
</context>
<context>
    <name>CNetCmdBar</name>
    <message>
        <source>输坐标:</source>
        <translation>Coordinates:</translation>
    </message>
</context>
<context>
    <name>COptionUnitPage</name>
    <message>
        <source>界面语言</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>重新启动程序后生效。</source>
        <translation>Takes effect when the program is started again.</translation>
    </message>
    <message>
        <source>语言:</source>
        <translation>Language:</translation>
    </message>
</context>
<context>
    <name>CProgressWnd</name>
    <message>
        <source>QEN</source>
        <translation>QEN</translation>
    </message>
    <message>
        <source> 0 %</source>
        <translation> 0 %</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>CQENDoc</name>
    <message>
        <source>模拟 %1</source>
        <translation>Simulation %1</translation>
    </message>
</context>
<context>
    <name>CQENView</name>
    <message>
        <source>出图</source>
        <translation>Map Sheet</translation>
    </message>
    <message>
        <source>图例/比例尺</source>
        <translation>Legend and scale bar</translation>
    </message>
</context>
<context>
    <name>CReportDlg</name>
    <message>
        <source>导出计算书</source>
        <translation>Export Calculation Report</translation>
    </message>
    <message>
        <source>图签</source>
        <translation>Title Block</translation>
    </message>
    <message>
        <source>工程名称:</source>
        <translation>Project:</translation>
    </message>
    <message>
        <source>设计人:</source>
        <translation>Designer:</translation>
    </message>
    <message>
        <source>日期:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>计算工况</source>
        <translation>Cases</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>文件:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Excel 工作簿 (*.xlsx);;PDF 文件 (*.pdf)</source>
        <translation>Excel workbook (*.xlsx);;PDF file (*.pdf)</translation>
    </message>
    <message>
        <source>%1中有GBK编码不能保存的字符</source>
        <translation>%1 holds characters that GBK encoding cannot store</translation>
    </message>
    <message>
        <source>工程名称</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>设计人</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>请至少选择一个计算工况</source>
        <translation>Choose at least one case</translation>
    </message>
    <message>
        <source>请给出扩展名为 xlsx 或 pdf 的文件</source>
        <translation>Give a file name ending in .xlsx or .pdf</translation>
    </message>
    <message>
        <source>最高时</source>
        <translation>Peak hour</translation>
    </message>
    <message>
        <source>消防时</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>事故时</source>
        <translation>Accident</translation>
    </message>
</context>
<context>
    <name>CReportExportCommand</name>
    <message>
        <source>-计算书.xlsx</source>
        <translation>-report.xlsx</translation>
    </message>
    <message>
        <source>无法导出计算书
</source>
        <translation>Cannot export the calculation report
</translation>
    </message>
    <message>
        <source>平差计算书</source>
        <translation>Calculation Report</translation>
    </message>
    <message>
        <source>计算书已写出: %1
</source>
        <translation>Calculation report written: %1
</translation>
    </message>
    <message>
        <source>有工况未能平差, 计算书中说明了原因并只列出原始数据
</source>
        <translation>A case could not be balanced: the report says why and lists only its input data
</translation>
    </message>
</context>
<context>
    <name>CSimulateCommand</name>
    <message>
        <source>延时模拟结果</source>
        <translation>Extended-Period Simulation Results</translation>
    </message>
    <message>
        <source>延时模拟结果: %1</source>
        <translation>Extended-period simulation results: %1</translation>
    </message>
</context>
<context>
    <name>CSimulationParamsDlg</name>
    <message>
        <source>延时模拟</source>
        <translation>Extended-Period Simulation</translation>
    </message>
    <message>
        <source>时间参数</source>
        <translation>Time Parameters</translation>
    </message>
    <message>
        <source>模拟时长 (小时)：</source>
        <translation>Duration (hours):</translation>
    </message>
    <message>
        <source>水力步长 (分钟)：</source>
        <translation>Hydraulic step (minutes):</translation>
    </message>
    <message>
        <source>报告步长 (分钟)：</source>
        <translation>Report step (minutes):</translation>
    </message>
    <message>
        <source>开始时刻 (时:分)：</source>
        <translation>Start time (h:mm):</translation>
    </message>
    <message>
        <source>修改的参数存入文档的延时模拟数据, 可以撤销。</source>
        <translation>Changed values are stored in the document&apos;s time data and can be undone.</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>必须是大于零的数 (至少一秒)。</source>
        <translation> must be a number above zero (at least one second).</translation>
    </message>
    <message>
        <source>模拟时长</source>
        <translation>The duration</translation>
    </message>
    <message>
        <source>水力步长</source>
        <translation>The hydraulic step</translation>
    </message>
    <message>
        <source>报告步长</source>
        <translation>The report step</translation>
    </message>
    <message>
        <source>开始时刻必须是一天之内的时:分, 例如 6:30。</source>
        <translation>The start time must be a clock time within the day (h:mm), such as 6:30.</translation>
    </message>
</context>
<context>
    <name>CSimulationProgress</name>
    <message>
        <source>延时模拟</source>
        <translation>Extended-Period Simulation</translation>
    </message>
    <message>
        <source>正在计算各时刻的平差...</source>
        <translation>Balancing the network at each time...</translation>
    </message>
</context>
<context>
    <name>CSizingDlg</name>
    <message>
        <source>管径优化</source>
        <translation>Pipe Sizing</translation>
    </message>
    <message>
        <source>候选管径</source>
        <translation>Candidate Diameters</translation>
    </message>
    <message>
        <source>管径 (mm)</source>
        <translation>Diameter (mm)</translation>
    </message>
    <message>
        <source>单价 (元/m)</source>
        <translation>Unit cost (yuan/m)</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>单价按造价公式 a + b·D 计算</source>
        <translation>Unit costs from the cost formula a + b·D</translation>
    </message>
    <message>
        <source>约束</source>
        <translation>Constraints</translation>
    </message>
    <message>
        <source>最小服务水头 (m)：</source>
        <translation>Minimum service head (m):</translation>
    </message>
    <message>
        <source>最大流速 (m/s, 0 不限)：</source>
        <translation>Maximum velocity (m/s, 0 for no limit):</translation>
    </message>
    <message>
        <source>消防工况</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>事故工况</source>
        <translation>Accident</translation>
    </message>
    <message>
        <source>最高日最高时</source>
        <translation>Peak hour</translation>
    </message>
    <message>
        <source>校核工况：</source>
        <translation>Cases checked:</translation>
    </message>
    <message>
        <source>锁定所选管道 (%1 根)</source>
        <translation>Lock the selected pipes (%1)</translation>
    </message>
    <message>
        <source>计算时间 (秒)：</source>
        <translation>Time limit (s):</translation>
    </message>
    <message>
        <source>随机种子：</source>
        <translation>Random seed:</translation>
    </message>
    <message>
        <source>尚未计算</source>
        <translation>Not run yet</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>候选管径第 %1 行不是数字。</source>
        <translation>Row %1 of the candidate diameters is not a number.</translation>
    </message>
    <message>
        <source>最小服务水头应是介于-1e4和1e4之间的数。</source>
        <translation>The minimum service head must be a number from -1e4 to 1e4.</translation>
    </message>
    <message>
        <source>最大流速应是介于0和100之间的数。</source>
        <translation>The maximum velocity must be a number from 0 to 100.</translation>
    </message>
    <message>
        <source>计算时间应是介于0和1e6之间的正数。</source>
        <translation>The time limit must be a positive number up to 1e6.</translation>
    </message>
    <message>
        <source>随机种子应是非负整数。</source>
        <translation>The random seed must be a whole number, not negative.</translation>
    </message>
    <message>
        <source>正在计算...</source>
        <translation>Searching...</translation>
    </message>
    <message>
        <source>最低造价 %1%2, %3 次平差</source>
        <translation>Lowest cost %1%2, %3 balances</translation>
    </message>
    <message>
        <source> (不满足)</source>
        <translation> (infeasible)</translation>
    </message>
    <message>
        <source>造价 %1, %2; %3 次平差, %4 秒</source>
        <translation>Cost %1, %2; %3 balances, %4 s</translation>
    </message>
    <message>
        <source>满足约束</source>
        <translation>constraints met</translation>
    </message>
    <message>
        <source>不满足最小服务水头</source>
        <translation>minimum service head not met</translation>
    </message>
</context>
<context>
    <name>CSweepCommands</name>
    <message>
        <source>%1不能平差 (状态 %2), 不能进行消防流量分析。</source>
        <translation>The %1 case does not balance (status %2): no fire flow analysis.</translation>
    </message>
    <message>
        <source>消防流量分析</source>
        <translation>Fire Flow Analysis</translation>
    </message>
    <message>
        <source>未加消防流量时已低于 S 的节点 (不计入): %1
</source>
        <translation>Nodes below S without a fire flow (left out): %1
</translation>
    </message>
    <message>
        <source>事故工况不能平差 (状态 %1), 不能进行事故分析。</source>
        <translation>The accident case does not balance (status %1): no pipe failure analysis.</translation>
    </message>
    <message>
        <source>事故分析</source>
        <translation>Pipe Failure Analysis</translation>
    </message>
    <message>
        <source>计算节点: %1
</source>
        <translation>Nodes checked: %1
</translation>
    </message>
    <message>
        <source>剩余水压 R: %1 m, 其他节点最低水压 S: %2 m
</source>
        <translation>Residual head R: %1 m, minimum head S of the other nodes: %2 m
</translation>
    </message>
    <message>
        <source>无可用消防流量的节点: %1
</source>
        <translation>Nodes with no fire flow available: %1
</translation>
    </message>
    <message>
        <source>与水源隔开的节点: %1
</source>
        <translation>Nodes cut off from every source: %1
</translation>
    </message>
    <message>
        <source>可用消防流量最小的节点 (%1):
</source>
        <translation>Nodes of the least available fire flow (%1):
</translation>
    </message>
    <message>
        <source>  受限于节点 %1 (%2 m)</source>
        <translation>  limited by node %1 (%2 m)</translation>
    </message>
    <message>
        <source>事故管道: %1
</source>
        <translation>Pipes failed: %1
</translation>
    </message>
    <message>
        <source>事故流量系数: %1, 最低自由水压 H: %2 m
</source>
        <translation>Accident demand factor: %1, minimum free head H: %2 m
</translation>
    </message>
    <message>
        <source>使节点与水源隔开的管道: %1
</source>
        <translation>Pipes whose loss cuts nodes off: %1
</translation>
    </message>
    <message>
        <source>使节点低于 H 的管道: %1
</source>
        <translation>Pipes whose loss leaves nodes below H: %1
</translation>
    </message>
    <message>
        <source>不能平差的事故: %1
</source>
        <translation>Failures that do not balance: %1
</translation>
    </message>
    <message>
        <source>影响节点最多的管道:
</source>
        <translation>Pipes affecting the most nodes:
</translation>
    </message>
    <message>
        <source>  %1  隔开 %2 个, 低于 H %3 个</source>
        <translation>  %1  %2 cut off, %3 below H</translation>
    </message>
    <message>
        <source>, 最低 %1 (%2 m)</source>
        <translation>, lowest %1 (%2 m)</translation>
    </message>
</context>
<context>
    <name>CSweepParamsDlg</name>
    <message>
        <source>消防流量分析</source>
        <translation>Fire Flow Analysis</translation>
    </message>
    <message>
        <source>事故分析</source>
        <translation>Pipe Failure Analysis</translation>
    </message>
    <message>
        <source>计算节点</source>
        <translation>Nodes</translation>
    </message>
    <message>
        <source>事故管道</source>
        <translation>Pipes</translation>
    </message>
    <message>
        <source>全部节点</source>
        <translation>All nodes</translation>
    </message>
    <message>
        <source>全部管道</source>
        <translation>All pipes</translation>
    </message>
    <message>
        <source>所选节点</source>
        <translation>Selected nodes</translation>
    </message>
    <message>
        <source>所选管道</source>
        <translation>Selected pipes</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>消防点剩余水压 R (m)：</source>
        <translation>Residual head R at the hydrant (m):</translation>
    </message>
    <message>
        <source>其他节点最低水压 S (m)：</source>
        <translation>Minimum head S of the other nodes (m):</translation>
    </message>
    <message>
        <source>事故流量系数 (0~1)：</source>
        <translation>Accident demand factor (0 to 1):</translation>
    </message>
    <message>
        <source>最低自由水压 H (m)：</source>
        <translation>Minimum free head H (m):</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1必须是 0 到 %2 之间的数。</source>
        <translation>%1 must be a number from 0 to %2.</translation>
    </message>
    <message>
        <source>剩余水压 R</source>
        <translation>The residual head R</translation>
    </message>
    <message>
        <source>最低水压 S</source>
        <translation>The minimum head S</translation>
    </message>
    <message>
        <source>事故流量系数</source>
        <translation>The accident demand factor</translation>
    </message>
    <message>
        <source>最低自由水压 H</source>
        <translation>The minimum free head H</translation>
    </message>
</context>
<context>
    <name>CSweepProgress</name>
    <message>
        <source>正在逐个计算...</source>
        <translation>Working through the objects...</translation>
    </message>
    <message>
        <source>确认终止%1吗?</source>
        <translation>Stop the %1?</translation>
    </message>
</context>
<context>
    <name>CTimeBar</name>
    <message>
        <source>时间条</source>
        <translation>Time Bar</translation>
    </message>
    <message>
        <source>模拟结果</source>
        <translation>Simulation results</translation>
    </message>
    <message>
        <source>显示延时模拟的结果 (关闭: 显示平差结果)</source>
        <translation>Show the extended-period simulation results (off: show the balancing results)</translation>
    </message>
    <message>
        <source>上一时刻</source>
        <translation>Previous time</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <translation>Play/pause</translation>
    </message>
    <message>
        <source>下一时刻</source>
        <translation>Next time</translation>
    </message>
    <message>
        <source>结果已过期, 请重新模拟</source>
        <translation>Results are out of date: run the simulation again</translation>
    </message>
</context>
<context>
    <name>CTimeSeriesDlg</name>
    <message>
        <source>过程线</source>
        <translation>Time Series</translation>
    </message>
    <message>
        <source>水压 (%1)</source>
        <translation>Head (%1)</translation>
    </message>
    <message>
        <source>自由水压 (%1)</source>
        <translation>Free head (%1)</translation>
    </message>
    <message>
        <source>节点流量 (%1)</source>
        <translation>Demand (%1)</translation>
    </message>
    <message>
        <source>流量 (%1)</source>
        <translation>Flow (%1)</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>水位 (m)</source>
        <translation>Level (m)</translation>
    </message>
    <message>
        <source>水压</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>自由水压</source>
        <translation>Free head</translation>
    </message>
    <message>
        <source>节点流量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>水位</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>所选对象太多, 每类只画前 %1 个。</source>
        <translation>Too many objects selected: only the first %1 of each kind are plotted.</translation>
    </message>
    <message>
        <source>数值:</source>
        <translation>Quantity:</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>复制为CSV(&amp;C)</source>
        <translation>&amp;Copy as CSV</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>开启</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>过程线: %1</source>
        <translation>Time series: %1</translation>
    </message>
</context>
<context>
    <name>CTimeSeriesPlot</name>
    <message>
        <source>时刻</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>建立新文档</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>打开一个现有文档</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>关闭活动文档</source>
        <translation>Close the active document</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存活动文档</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>用新名称保存活动文档</source>
        <translation>Save the active document under a new name</translation>
    </message>
    <message>
        <source>导入 EPANET 文件(&amp;I)...</source>
        <translation>&amp;Import EPANET File...</translation>
    </message>
    <message>
        <source>把 EPANET 输入文件(.inp)打开为新文档</source>
        <translation>Open an EPANET input file (.inp) as a new document</translation>
    </message>
    <message>
        <source>导出 EPANET 文件(&amp;E)...</source>
        <translation>&amp;Export EPANET File...</translation>
    </message>
    <message>
        <source>把活动文档的管网写成 EPANET 输入文件(.inp)</source>
        <translation>Write the active document&apos;s network as an EPANET input file (.inp)</translation>
    </message>
    <message>
        <source>来自CAD图纸(&amp;A)...</source>
        <translation>From CAD Dr&amp;awing...</translation>
    </message>
    <message>
        <source>从CAD图纸(DXF)引入管网</source>
        <translation>Import a network from a CAD drawing (DXF)</translation>
    </message>
    <message>
        <source>到CAD图纸(&amp;A)...</source>
        <translation>To CAD Dr&amp;awing...</translation>
    </message>
    <message>
        <source>把管网引出到CAD图纸(DXF)</source>
        <translation>Export the network to a CAD drawing (DXF)</translation>
    </message>
    <message>
        <source>选择背景(&amp;S)...</source>
        <translation>&amp;Select Background...</translation>
    </message>
    <message>
        <source>选择背景位图</source>
        <translation>Choose a background image</translation>
    </message>
    <message>
        <source>清空背景(&amp;C)</source>
        <translation>&amp;Clear Background</translation>
    </message>
    <message>
        <source>清除背景位图</source>
        <translation>Remove the background image</translation>
    </message>
    <message>
        <source>显示背景(&amp;V)</source>
        <translation>Show Back&amp;ground</translation>
    </message>
    <message>
        <source>显示或隐藏背景位图</source>
        <translation>Show or hide the background image</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>打印活动文档</source>
        <translation>Print the active document</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>显示整页</source>
        <translation>Show whole pages</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>改变打印机及打印选项</source>
        <translation>Change the printer and printing options</translation>
    </message>
    <message>
        <source>最近文件</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>打开该文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档</source>
        <translation>Quit the program; asks to save documents</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤销最后一步操作</source>
        <translation>Undo the last action</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>重做撤销的操作</source>
        <translation>Redo the undone action</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>剪切被选对象并将其置于剪贴板上</source>
        <translation>Cut the selection and put it on the clipboard</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>将被选对象复制到剪贴板</source>
        <translation>Copy the selection to the clipboard</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>插入剪贴板内容</source>
        <translation>Insert the clipboard contents</translation>
    </message>
    <message>
        <source>节点(&amp;N)</source>
        <translation>&amp;Node</translation>
    </message>
    <message>
        <source>插入节点</source>
        <translation>Insert a node</translation>
    </message>
    <message>
        <source>管道(&amp;P)</source>
        <translation>&amp;Pipe</translation>
    </message>
    <message>
        <source>插入管道</source>
        <translation>Insert a pipe</translation>
    </message>
    <message>
        <source>水泵(&amp;U)</source>
        <translation>P&amp;ump</translation>
    </message>
    <message>
        <source>插入水泵</source>
        <translation>Insert a pump</translation>
    </message>
    <message>
        <source>阀门(&amp;V)</source>
        <translation>&amp;Valve</translation>
    </message>
    <message>
        <source>插入阀门</source>
        <translation>Insert a valve</translation>
    </message>
    <message>
        <source>水池(&amp;T)</source>
        <translation>&amp;Tank</translation>
    </message>
    <message>
        <source>插入水池</source>
        <translation>Insert a tank</translation>
    </message>
    <message>
        <source>移动节点</source>
        <translation>Move a node</translation>
    </message>
    <message>
        <source>移动管道</source>
        <translation>Move a pipe</translation>
    </message>
    <message>
        <source>移动水泵</source>
        <translation>Move a pump</translation>
    </message>
    <message>
        <source>移动阀门</source>
        <translation>Move a valve</translation>
    </message>
    <message>
        <source>移动水池</source>
        <translation>Move a tank</translation>
    </message>
    <message>
        <source>删除节点</source>
        <translation>Delete a node</translation>
    </message>
    <message>
        <source>删除管道</source>
        <translation>Delete a pipe</translation>
    </message>
    <message>
        <source>删除水泵</source>
        <translation>Delete a pump</translation>
    </message>
    <message>
        <source>删除阀门</source>
        <translation>Delete a valve</translation>
    </message>
    <message>
        <source>删除水池</source>
        <translation>Delete a tank</translation>
    </message>
    <message>
        <source>查找(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>查找节点或管道</source>
        <translation>Find a node or pipe</translation>
    </message>
    <message>
        <source>节点属性(&amp;N)</source>
        <translation>&amp;Node Properties</translation>
    </message>
    <message>
        <source>编辑所选节点的属性</source>
        <translation>Edit the selected nodes&apos; properties</translation>
    </message>
    <message>
        <source>管道属性(&amp;P)</source>
        <translation>&amp;Pipe Properties</translation>
    </message>
    <message>
        <source>编辑所选管道的属性</source>
        <translation>Edit the selected pipes&apos; properties</translation>
    </message>
    <message>
        <source>水泵属性(&amp;U)</source>
        <translation>P&amp;ump Properties</translation>
    </message>
    <message>
        <source>编辑所选水泵的属性</source>
        <translation>Edit the selected pumps&apos; properties</translation>
    </message>
    <message>
        <source>阀门属性(&amp;V)</source>
        <translation>&amp;Valve Properties</translation>
    </message>
    <message>
        <source>编辑所选阀门的属性</source>
        <translation>Edit the selected valves&apos; properties</translation>
    </message>
    <message>
        <source>水池属性(&amp;T)</source>
        <translation>&amp;Tank Properties</translation>
    </message>
    <message>
        <source>编辑所选水池的属性</source>
        <translation>Edit the selected tanks&apos; properties</translation>
    </message>
    <message>
        <source>窗口选择(&amp;W)</source>
        <translation>&amp;Window Selection</translation>
    </message>
    <message>
        <source>只选择完全在窗口内的对象</source>
        <translation>Select only objects wholly inside the window</translation>
    </message>
    <message>
        <source>穿越选择(&amp;C)</source>
        <translation>&amp;Crossing Selection</translation>
    </message>
    <message>
        <source>选择与窗口相交的对象</source>
        <translation>Select objects the window touches</translation>
    </message>
    <message>
        <source>重画(&amp;R)</source>
        <translation>&amp;Redraw</translation>
    </message>
    <message>
        <source>重画窗口</source>
        <translation>Redraw the window</translation>
    </message>
    <message>
        <source>实时(&amp;R)</source>
        <translation>&amp;Real-time</translation>
    </message>
    <message>
        <source>实时缩放</source>
        <translation>Real-time zoom</translation>
    </message>
    <message>
        <source>回退(&amp;B)</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>回到上一个显示范围</source>
        <translation>Back to the previous view</translation>
    </message>
    <message>
        <source>前进(&amp;F)</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>前进到下一个显示范围</source>
        <translation>Forward to the next view</translation>
    </message>
    <message>
        <source>放大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>放大显示</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>缩小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>缩小显示</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>缩放到窗口</source>
        <translation>Zoom to a window</translation>
    </message>
    <message>
        <source>全图(&amp;E)</source>
        <translation>&amp;Extents</translation>
    </message>
    <message>
        <source>显示整个管网</source>
        <translation>Show the whole network</translation>
    </message>
    <message>
        <source>实时平移</source>
        <translation>Real-time pan</translation>
    </message>
    <message>
        <source>退出实时缩放或平移</source>
        <translation>Leave real-time zoom or pan</translation>
    </message>
    <message>
        <source>中心点(&amp;C)</source>
        <translation>&amp;Centre Point</translation>
    </message>
    <message>
        <source>平移到中心点</source>
        <translation>Pan to a centre point</translation>
    </message>
    <message>
        <source>鹰眼视窗(&amp;E)</source>
        <translation>&amp;Overview Window</translation>
    </message>
    <message>
        <source>显示鹰眼视窗</source>
        <translation>Show the overview window</translation>
    </message>
    <message>
        <source>命名视图(&amp;N)...</source>
        <translation>&amp;Named Views...</translation>
    </message>
    <message>
        <source>管理命名视图</source>
        <translation>Manage named views</translation>
    </message>
    <message>
        <source>命名视图</source>
        <translation>Named views</translation>
    </message>
    <message>
        <source>选择命名视图</source>
        <translation>Choose a named view</translation>
    </message>
    <message>
        <source>等压线(&amp;E)...</source>
        <translation>Pressure Cont&amp;ours...</translation>
    </message>
    <message>
        <source>设置和显示等压线</source>
        <translation>Set up and show pressure contours</translation>
    </message>
    <message>
        <source>工程标注(&amp;L)</source>
        <translation>Engineering &amp;Labels</translation>
    </message>
    <message>
        <source>在单值标注和多行工程标注之间切换</source>
        <translation>Switch between single-value labels and multi-line engineering labels</translation>
    </message>
    <message>
        <source>三维视图(&amp;3)</source>
        <translation>&amp;3D View</translation>
    </message>
    <message>
        <source>打开三维视图窗口</source>
        <translation>Open the 3D view window</translation>
    </message>
    <message>
        <source>图形(&amp;G)</source>
        <translation>&amp;Graphic</translation>
    </message>
    <message>
        <source>打开图形窗口</source>
        <translation>Open a graphic window</translation>
    </message>
    <message>
        <source>表格(&amp;T)</source>
        <translation>&amp;Table</translation>
    </message>
    <message>
        <source>打开表格窗口</source>
        <translation>Open the table window</translation>
    </message>
    <message>
        <source>观察角(&amp;A)...</source>
        <translation>Viewing &amp;Angle...</translation>
    </message>
    <message>
        <source>设置三维观察角</source>
        <translation>Set the 3D viewing angles</translation>
    </message>
    <message>
        <source>正交观察(&amp;O)</source>
        <translation>&amp;Orthographic</translation>
    </message>
    <message>
        <source>正交投影</source>
        <translation>Orthographic projection</translation>
    </message>
    <message>
        <source>透视观察(&amp;P)</source>
        <translation>&amp;Perspective</translation>
    </message>
    <message>
        <source>透视投影</source>
        <translation>Perspective projection</translation>
    </message>
    <message>
        <source>标准工具(&amp;S)</source>
        <translation>&amp;Standard Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏标准工具条</source>
        <translation>Show or hide the standard toolbar</translation>
    </message>
    <message>
        <source>编辑工具(&amp;E)</source>
        <translation>&amp;Editing Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏编辑工具条</source>
        <translation>Show or hide the editing toolbar</translation>
    </message>
    <message>
        <source>缩放工具(&amp;Z)</source>
        <translation>&amp;Zoom Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏缩放工具条</source>
        <translation>Show or hide the zoom toolbar</translation>
    </message>
    <message>
        <source>模板工具(&amp;M)</source>
        <translation>Te&amp;mplate Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏模板工具条</source>
        <translation>Show or hide the template toolbar</translation>
    </message>
    <message>
        <source>表格工具(&amp;T)</source>
        <translation>&amp;Table Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏表格工具条</source>
        <translation>Show or hide the table toolbar</translation>
    </message>
    <message>
        <source>坐标录入条(&amp;C)</source>
        <translation>&amp;Coordinate Entry Bar</translation>
    </message>
    <message>
        <source>显示或隐藏坐标录入条</source>
        <translation>Show or hide the coordinate entry bar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>第一个(&amp;F)</source>
        <translation>&amp;First</translation>
    </message>
    <message>
        <source>第一个记录</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>前一个(&amp;P)</source>
        <translation>&amp;Previous</translation>
    </message>
    <message>
        <source>前一个记录</source>
        <translation>Previous record</translation>
    </message>
    <message>
        <source>下一个(&amp;N)</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>下一个记录</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>最后一个(&amp;L)</source>
        <translation>&amp;Last</translation>
    </message>
    <message>
        <source>最后一个记录</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>节点流量(F)</source>
        <translation>Node &amp;Demands</translation>
    </message>
    <message>
        <source>按管长分配节点流量</source>
        <translation>Allocate node demands by pipe length</translation>
    </message>
    <message>
        <source>管网平差(&amp;B)</source>
        <translation>&amp;Balance Network</translation>
    </message>
    <message>
        <source>进行管网平差计算</source>
        <translation>Run the hydraulic analysis (balancing) of the network</translation>
    </message>
    <message>
        <source>管网造价(&amp;P)</source>
        <translation>Network &amp;Cost</translation>
    </message>
    <message>
        <source>计算管网造价</source>
        <translation>Calculate the network cost</translation>
    </message>
    <message>
        <source>配置(&amp;G)...</source>
        <translation>Confi&amp;guration...</translation>
    </message>
    <message>
        <source>计算配置</source>
        <translation>Calculation configuration</translation>
    </message>
    <message>
        <source>节点(&amp;N)...</source>
        <translation>&amp;Node...</translation>
    </message>
    <message>
        <source>编辑节点模板</source>
        <translation>Edit the node template</translation>
    </message>
    <message>
        <source>管道(&amp;P)...</source>
        <translation>&amp;Pipe...</translation>
    </message>
    <message>
        <source>编辑管道模板</source>
        <translation>Edit the pipe template</translation>
    </message>
    <message>
        <source>水泵(&amp;U)...</source>
        <translation>P&amp;ump...</translation>
    </message>
    <message>
        <source>编辑水泵模板</source>
        <translation>Edit the pump template</translation>
    </message>
    <message>
        <source>阀门(&amp;V)...</source>
        <translation>&amp;Valve...</translation>
    </message>
    <message>
        <source>编辑阀门模板</source>
        <translation>Edit the valve template</translation>
    </message>
    <message>
        <source>水池(&amp;T)...</source>
        <translation>&amp;Tank...</translation>
    </message>
    <message>
        <source>编辑水池模板</source>
        <translation>Edit the tank template</translation>
    </message>
    <message>
        <source>选项(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>设置显示和计算选项</source>
        <translation>Set display and calculation options</translation>
    </message>
    <message>
        <source>外观(&amp;A)...</source>
        <translation>&amp;Appearance...</translation>
    </message>
    <message>
        <source>设置外观</source>
        <translation>Set the appearance</translation>
    </message>
    <message>
        <source>计算器...(&amp;C)</source>
        <translation>&amp;Calculator...</translation>
    </message>
    <message>
        <source>成批修改参数</source>
        <translation>Change a field of many objects at once</translation>
    </message>
    <message>
        <source>退出编辑(&amp;X)</source>
        <translation>E&amp;xit Editing</translation>
    </message>
    <message>
        <source>结束当前编辑</source>
        <translation>End the current editing tool</translation>
    </message>
    <message>
        <source>连续(&amp;C)</source>
        <translation>&amp;Continuous</translation>
    </message>
    <message>
        <source>连续插入</source>
        <translation>Keep inserting</translation>
    </message>
    <message>
        <source>自动连接(&amp;A)</source>
        <translation>&amp;Auto Connect</translation>
    </message>
    <message>
        <source>管道自动连接节点</source>
        <translation>Pipes chain from the last end</translation>
    </message>
    <message>
        <source>不连接(&amp;N)</source>
        <translation>&amp;No Connect</translation>
    </message>
    <message>
        <source>管道不连接节点</source>
        <translation>Pipes do not chain</translation>
    </message>
    <message>
        <source>作为图形折点(&amp;B)</source>
        <translation>As &amp;Bend Point</translation>
    </message>
    <message>
        <source>作为管道折点</source>
        <translation>Make it a bend point of the pipe</translation>
    </message>
    <message>
        <source>作为流量节点(&amp;F)</source>
        <translation>As &amp;Flow Node</translation>
    </message>
    <message>
        <source>作为流量节点</source>
        <translation>Make it a flow node</translation>
    </message>
    <message>
        <source>层叠(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>层叠窗口</source>
        <translation>Cascade the windows</translation>
    </message>
    <message>
        <source>平铺(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>平铺窗口</source>
        <translation>Tile the windows</translation>
    </message>
    <message>
        <source>排列图标(&amp;A)</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>排列窗口图标</source>
        <translation>Arrange the window icons</translation>
    </message>
    <message>
        <source>帮助主题(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>列出帮助主题</source>
        <translation>Open the user guide</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>显示所点对象的帮助</source>
        <translation>Show help on the item clicked</translation>
    </message>
    <message>
        <source>关于 QEN(&amp;A)...</source>
        <translation>&amp;About QEN...</translation>
    </message>
    <message>
        <source>显示程序信息、版本号和版权</source>
        <translation>Show the program&apos;s information, version and copyright</translation>
    </message>
    <message>
        <source>导出计算书(&amp;R)...</source>
        <translation>Export Calculation &amp;Report...</translation>
    </message>
    <message>
        <source>把活动文档的平差计算书写成 Excel 工作簿或 PDF 文件</source>
        <translation>Write the active document&apos;s calculation report as an Excel workbook or a PDF file</translation>
    </message>
    <message>
        <source>来自GIS数据(&amp;G)...</source>
        <translation>From &amp;GIS Data...</translation>
    </message>
    <message>
        <source>从GIS数据(GeoPackage、Shapefile、GeoJSON...)引入管道和节点</source>
        <translation>Import pipes and nodes from GIS data (GeoPackage, Shapefile, GeoJSON...)</translation>
    </message>
    <message>
        <source>到GIS数据(&amp;G)...</source>
        <translation>To &amp;GIS Data...</translation>
    </message>
    <message>
        <source>把管网和平差结果引出为GIS图层</source>
        <translation>Export the network and its balancing results as GIS layers</translation>
    </message>
    <message>
        <source>从地形取高程(&amp;E)...</source>
        <translation>&amp;Elevations from Terrain...</translation>
    </message>
    <message>
        <source>从地形栅格取节点地面标高</source>
        <translation>Take the nodes&apos; ground elevations from a terrain raster</translation>
    </message>
    <message>
        <source>管径优化(&amp;D)...</source>
        <translation>Pipe &amp;Diameter Sizing...</translation>
    </message>
    <message>
        <source>按最低造价选择管径</source>
        <translation>Choose pipe diameters at least cost</translation>
    </message>
    <message>
        <source>延时模拟(&amp;T)...</source>
        <translation>Extended-Period Simula&amp;tion...</translation>
    </message>
    <message>
        <source>按时间数据模拟一段时间内的管网工况</source>
        <translation>Simulate the network over a period from its time data</translation>
    </message>
    <message>
        <source>过程线(&amp;H)...</source>
        <translation>Time Series Grap&amp;h...</translation>
    </message>
    <message>
        <source>画出所选对象在模拟时段内的数值变化</source>
        <translation>Plot the selected objects&apos; values over the simulated period</translation>
    </message>
    <message>
        <source>消防流量分析(&amp;R)...</source>
        <translation>Fi&amp;re Flow Analysis...</translation>
    </message>
    <message>
        <source>计算各节点在保证水压下可提供的最大消防流量</source>
        <translation>Find the largest fire flow each node can deliver at the required heads</translation>
    </message>
    <message>
        <source>事故分析(&amp;A)...</source>
        <translation>Pipe Failure &amp;Analysis...</translation>
    </message>
    <message>
        <source>逐根关闭管道, 统计事故工况下受影响的节点</source>
        <translation>Shut the pipes one at a time and count the nodes the accident case leaves short</translation>
    </message>
    <message>
        <source>按可用消防流量着色(&amp;L)</source>
        <translation>Colour by Avai&amp;lable Fire Flow</translation>
    </message>
    <message>
        <source>按消防流量分析的结果给节点着色</source>
        <translation>Colour the nodes by the fire flow analysis</translation>
    </message>
    <message>
        <source>按事故影响节点数着色(&amp;I)</source>
        <translation>Colour by Nodes Affected by Fa&amp;ilure</translation>
    </message>
    <message>
        <source>按事故分析的结果给管道着色</source>
        <translation>Colour the pipes by the pipe failure analysis</translation>
    </message>
</context>
<context>
    <name>ZPresentationMap</name>
    <message>
        <source>比例尺 %1</source>
        <translation>Scale %1</translation>
    </message>
    <message>
        <source>工程名称</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>设计人</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
</context>
<context>
    <name>ZReportPdfWriter</name>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>工程名称</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>设计人</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>计算参数</source>
        <translation>Calculation Parameters</translation>
    </message>
    <message>
        <source>工况汇总: %1</source>
        <translation>Case summary: %1</translation>
    </message>
    <message>
        <source>管网平差图 (%1)</source>
        <translation>Balanced network (%1)</translation>
    </message>
</context>
<context>
    <name>ZResultColouring</name>
    <message>
        <source>可用消防流量</source>
        <translation>Available fire flow</translation>
    </message>
    <message>
        <source>事故影响节点数</source>
        <translation>Nodes affected by failure</translation>
    </message>
</context>
<context>
    <name>ZSweepColumns</name>
    <message>
        <source>消防流量</source>
        <translation>Fire flow</translation>
    </message>
    <message>
        <source>事故分析</source>
        <translation>Pipe failure</translation>
    </message>
    <message>
        <source>节点</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>可用消防流量 (%1)</source>
        <translation>Available fire flow (%1)</translation>
    </message>
    <message>
        <source>限制节点</source>
        <translation>Limiting node</translation>
    </message>
    <message>
        <source>限制节点自由水压 (%1)</source>
        <translation>Limiting free head (%1)</translation>
    </message>
    <message>
        <source>管道</source>
        <translation>Pipe</translation>
    </message>
    <message>
        <source>隔开节点数</source>
        <translation>Nodes cut off</translation>
    </message>
    <message>
        <source>低于H节点数</source>
        <translation>Nodes below H</translation>
    </message>
    <message>
        <source>最低节点</source>
        <translation>Lowest node</translation>
    </message>
    <message>
        <source>最低自由水压 (%1)</source>
        <translation>Lowest free head (%1)</translation>
    </message>
    <message>
        <source>无水源</source>
        <translation>No source</translation>
    </message>
    <message>
        <source>不能平差</source>
        <translation>Not balanced</translation>
    </message>
</context>
</TS>
