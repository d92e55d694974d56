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
    <name>CAutoSaver</name>
    <message>
        <source>QEN 上次没有正常退出, 以下文档有未保存的修改:%1

恢复: 打开这些文档的最后自动保存版本
放弃: 删除这些恢复文件</source>
        <translation>QEN did not exit normally last time; these documents have unsaved changes:%1

Recover: open the last autosaved version of these documents
Discard: delete these recovery files</translation>
    </message>
</context>
<context>
    <name>CBalanceCommand</name>
    <message>
        <source>平差结果</source>
        <translation>Balancing results</translation>
    </message>
    <message>
        <source>平差结果: %1, %2</source>
        <translation>Balancing results: %1, %2</translation>
    </message>
    <message>
        <source>管网平差</source>
        <translation>Network balancing</translation>
    </message>
    <message>
        <source>正在进行数据校验...</source>
        <translation>Checking the data...</translation>
    </message>
    <message>
        <source>确认终止平差计算吗?</source>
        <translation>Stop the balancing calculation?</translation>
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
    <message>
        <source>最高时
消防时
事故时</source>
        <translation>Peak hour
Fire case
Accident case</translation>
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
        <source>按需供水</source>
        <translation>Demand driven</translation>
    </message>
    <message>
        <source>按压力供水</source>
        <translation>Pressure driven</translation>
    </message>
    <message>
        <source>最低压力 P0 (%1)：</source>
        <translation>Minimum pressure P0 (%1):</translation>
    </message>
    <message>
        <source>所需压力 PR (%1)：</source>
        <translation>Required pressure PR (%1):</translation>
    </message>
    <message>
        <source>请输入一个数。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>请输入一个介于0.0和1.0之间的数。</source>
        <translation>Please enter a number between 0.0 and 1.0.</translation>
    </message>
    <message>
        <source>最低压力 P0 必须低于所需压力 PR。</source>
        <translation>The minimum pressure P0 must be below the required pressure PR.</translation>
    </message>
    <message>
        <source>压力指数必须大于0。</source>
        <translation>The pressure exponent must be greater than 0.</translation>
    </message>
</context>
<context>
    <name>CCadExportCommand</name>
    <message>
        <source>无法找到活动的CAD图纸，请选择“创建新图纸并输出”!</source>
        <translation>No active CAD drawing was found; please choose “Create a new drawing and export”!</translation>
    </message>
    <message>
        <source>自动生成CAD图纸</source>
        <translation>Generating the CAD drawing</translation>
    </message>
    <message>
        <source>正在打开CAD会话...</source>
        <translation>Opening the CAD session...</translation>
    </message>
    <message>
        <source>建立AutoCad对象失败。请确认该对象已被注册入系统。</source>
        <translation>Could not create the AutoCAD object. Please make sure it is registered with the system.</translation>
    </message>
    <message>
        <source>正在创建新图纸...</source>
        <translation>Creating a new drawing...</translation>
    </message>
    <message>
        <source>创建新图纸失败!</source>
        <translation>Could not create a new drawing!</translation>
    </message>
    <message>
        <source>未知的错误!</source>
        <translation>Unknown error!</translation>
    </message>
    <message>
        <source>正在输出图形数据...</source>
        <translation>Writing the drawing data...</translation>
    </message>
    <message>
        <source>正在保存图纸...</source>
        <translation>Saving the drawing...</translation>
    </message>
    <message>
        <source>图纸文件在读入后已被其他程序修改。
覆盖它吗?(原文件保留为 文件名.dxf.bak)</source>
        <translation>The drawing file was changed by another program after it was read.
Overwrite it? (The original is kept as filename.dxf.bak)</translation>
    </message>
    <message>
        <source>图纸没有保存, 文件保持其他程序修改后的样子。</source>
        <translation>The drawing was not saved; the file stays as the other program left it.</translation>
    </message>
    <message>
        <source>图纸没有保存!
%1</source>
        <translation>The drawing was not saved!
%1</translation>
    </message>
</context>
<context>
    <name>CCadImportCommand</name>
    <message>
        <source>无法找到活动的CAD图纸，请选择“打开新图纸并引入”!</source>
        <translation>No active CAD drawing was found; please choose “Open a new drawing and import”!</translation>
    </message>
    <message>
        <source>提取CAD图形数据</source>
        <translation>Extracting CAD drawing data</translation>
    </message>
    <message>
        <source>正在打开CAD会话...</source>
        <translation>Opening the CAD session...</translation>
    </message>
    <message>
        <source>建立AutoCad对象失败。请确认该对象已被注册入系统。</source>
        <translation>Could not create the AutoCAD object. Please make sure it is registered with the system.</translation>
    </message>
    <message>
        <source>正在打开文档...</source>
        <translation>Opening the document...</translation>
    </message>
    <message>
        <source>无法打开CAD图纸“%1”!
%2</source>
        <translation>Could not open the CAD drawing “%1”!
%2</translation>
    </message>
    <message>
        <source>未知的错误!</source>
        <translation>Unknown error!</translation>
    </message>
    <message>
        <source>正在提取数据...</source>
        <translation>Extracting the data...</translation>
    </message>
    <message>
        <source>从CAD导入</source>
        <translation>Import from CAD</translation>
    </message>
    <message>
        <source>图纸的模型空间中没有直线或多段线
</source>
        <translation>There are no lines or polylines in the drawing&apos;s model space
</translation>
    </message>
    <message>
        <source>所选图层上没有直线或多段线
</source>
        <translation>There are no lines or polylines on the chosen layers
</translation>
    </message>
    <message>
        <source>%1根管道加入了管网模型中!</source>
        <translation>%1 pipe(s) were added to the network model!</translation>
    </message>
    <message>
        <source>
没有管道加入，原因:
</source>
        <translation>
No pipe was added, because:
</translation>
    </message>
</context>
<context>
    <name>CCalcCommands</name>
    <message>
        <source>管网%1管径优化报表</source>
        <translation>Pipe Sizing Report for Network %1</translation>
    </message>
    <message>
        <source>自动分配节点流量将导致原有的节点流量数据丢失,确认吗?</source>
        <translation>Distributing the node demands automatically will discard the existing node demands. Continue?</translation>
    </message>
    <message>
        <source>节点流量分配失败,可能没有供水管道!</source>
        <translation>Distributing the node demands failed; perhaps there are no supplying pipes!</translation>
    </message>
    <message>
        <source>节点流量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>管网%1费用结果报表</source>
        <translation>Cost report of network %1</translation>
    </message>
    <message>
        <source>管径优化</source>
        <translation>Pipe Sizing</translation>
    </message>
    <message>
        <source>参数计算器</source>
        <translation>Parameter calculator</translation>
    </message>
</context>
<context>
    <name>CCalcOptionsEdit</name>
    <message>
        <source>修改计算选项</source>
        <translation>Change calculation options</translation>
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
    <name>CColorCombo</name>
    <message>
        <source>红色</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>青色</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>粉红色</source>
        <translation>Pink</translation>
    </message>
    <message>
        <source>棕色</source>
        <translation>Brown</translation>
    </message>
    <message>
        <source>银色</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>暗灰色</source>
        <translation>Dark grey</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>White</translation>
    </message>
    <message>
        <source>黑色</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>其它颜色...</source>
        <translation>Other colour...</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>CContourDlg</name>
    <message>
        <source>等压线设置</source>
        <translation>Contour settings</translation>
    </message>
    <message>
        <source>等压线参数</source>
        <translation>Contour parameters</translation>
    </message>
    <message>
        <source>开启等压线</source>
        <translation>Show contours</translation>
    </message>
    <message>
        <source>绝对水压线
自由水头线</source>
        <translation>Head contours
Free head contours</translation>
    </message>
    <message>
        <source>打开标注</source>
        <translation>Show labels</translation>
    </message>
    <message>
        <source>类    型:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>等压间隔:</source>
        <translation>Contour interval:</translation>
    </message>
    <message>
        <source>填充设置</source>
        <translation>Fill settings</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>最高色:</source>
        <translation>Highest colour:</translation>
    </message>
    <message>
        <source>最低色:</source>
        <translation>Lowest colour:</translation>
    </message>
    <message>
        <source>等压线颜色:</source>
        <translation>Contour colour:</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>等压间隔必须是大于零的数！</source>
        <translation>The contour interval must be a number greater than zero!</translation>
    </message>
    <message>
        <source>等压间隔%1%2将生成%3条等压线，线条过密难以看清。改用建议的间隔%4%2吗？</source>
        <translation>A contour interval of %1%2 gives %3 contour lines, too dense to read. Use the proposed interval of %4%2 instead?</translation>
    </message>
</context>
<context>
    <name>CContourProgress</name>
    <message>
        <source>正在创建等压线...</source>
        <translation>Creating contours...</translation>
    </message>
    <message>
        <source>等压线生成中，请稍后...</source>
        <translation>Generating contours, please wait...</translation>
    </message>
    <message>
        <source>确认要终止本操作吗？</source>
        <translation>Stop this operation?</translation>
    </message>
</context>
<context>
    <name>CCoreText</name>
    <message>
        <source>收敛</source>
        <translation>converged</translation>
    </message>
    <message>
        <source>用户中止</source>
        <translation>stopped by the user</translation>
    </message>
    <message>
        <source>达到计算次数上限, 未收敛</source>
        <translation>iteration limit reached, not converged</translation>
    </message>
    <message>
        <source>没有足够的已知水压节点</source>
        <translation>not enough fixed-head nodes</translation>
    </message>
    <message>
        <source>计算发散</source>
        <translation>diverged</translation>
    </message>
    <message>
        <source>数据错误, 未计算</source>
        <translation>invalid data, not calculated</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>消防时</source>
        <translation>fire case</translation>
    </message>
    <message>
        <source>事故时</source>
        <translation>accident case</translation>
    </message>
    <message>
        <source>最高时</source>
        <translation>peak hour</translation>
    </message>
    <message>
        <source>未平差</source>
        <translation>Not balanced</translation>
    </message>
    <message>
        <source>已平差:%1 (已修改)</source>
        <translation>Balanced: %1 (modified)</translation>
    </message>
    <message>
        <source>已平差:%1</source>
        <translation>Balanced: %1</translation>
    </message>
    <message>
        <source>没有足够的已知水压节点!</source>
        <translation>Not enough fixed-head nodes!</translation>
    </message>
    <message>
        <source>平差计算发散, 已停止! 节点%1的水压达到 %2 m, 超出合理范围。请检查流量、管径等数据。</source>
        <translation>Balancing diverged and was stopped! The head at node %1 reached %2 m, out of any reasonable range. Please check the demands, diameters and other data.</translation>
    </message>
    <message>
        <source>平差计算发散, 已停止! 计算 %1 次后最大校正值 (在节点%2) 不再减小。请检查流量、管径等数据。</source>
        <translation>Balancing diverged and was stopped! After %1 iterations the largest correction (at node %2) no longer decreases. Please check the demands, diameters and other data.</translation>
    </message>
    <message>
        <source>平差计算发散, 已停止! 节点%1所在的部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, 请检查这些设备的开闭状态。</source>
        <translation>Balancing diverged and was stopped! The part of the network around node %1 is cut off from every fixed-head node by closed pumps, valves or failed pipes; please check whether these are open or closed.</translation>
    </message>
    <message>
        <source>平差计算发散, 已停止! 可能有部分管网被关闭的水泵、阀门或事故管与所有已知水压节点隔开, 请检查这些设备的开闭状态。</source>
        <translation>Balancing diverged and was stopped! Part of the network may be cut off from every fixed-head node by closed pumps, valves or failed pipes; please check whether these are open or closed.</translation>
    </message>
    <message>
        <source>止回阀%1的流量 %2 m3/s 与其方向相反 (计算中止回阀可以双向过流), 请检查。</source>
        <translation>The flow of check valve %1, %2 m3/s, runs against its direction (the calculation lets check valves pass flow both ways); please check.</translation>
    </message>
    <message>
        <source>水泵%1的流量 %2 m3/s 与其方向相反: 两端水压差超过其静扬程, 水被压着倒流过水泵 (EPANET 会关闭此泵), 请检查。</source>
        <translation>The flow of pump %1, %2 m3/s, runs against its direction: the head difference across it exceeds its static head and water is forced back through the pump (EPANET would close this pump); please check.</translation>
    </message>
    <message>
        <source>阀门%1不能保持其设定值 (全开仍达不到设定的压力或流量), 流量 %2 m3/s, 请检查。</source>
        <translation>Valve %1 cannot hold its setting (fully open it still does not reach the set pressure or flow), flow %2 m3/s; please check.</translation>
    </message>
    <message>
        <source>水泵%1两端水压差超过其关死扬程, 水泵不能出水, 计算中按关闭处理 (不倒流), 请检查。</source>
        <translation>The head difference across pump %1 exceeds its shut-off head: the pump cannot deliver and is treated as closed (no backflow); please check.</translation>
    </message>
    <message>
        <source>%1 个节点被关闭的水泵、阀门或事故管与所有已知水压节点隔开, 没有用水量, 未参与平差, 没有水压:</source>
        <translation>%1 node(s) are cut off from every fixed-head node by closed pumps, valves or failed pipes: they have no demand, take no part in the balancing and have no head:</translation>
    </message>
    <message>
        <source>状态: %1 (已平差)</source>
        <translation>Status: %1 (balanced)</translation>
    </message>
    <message>
        <source>状态: %1 (未平差)</source>
        <translation>Status: %1 (not balanced)</translation>
    </message>
    <message>
        <source>计算次数: %1, 用时 %2 s, 最后校正值 %3 m (精度 %4 m)</source>
        <translation>Iterations: %1, time %2 s, last correction %3 m (tolerance %4 m)</translation>
    </message>
    <message>
        <source>供水量 (%1):</source>
        <translation>Supply (%1):</translation>
    </message>
    <message>
        <source>水池 %1  %2</source>
        <translation>Tank %1  %2</translation>
    </message>
    <message>
        <source>水源 %1  %2</source>
        <translation>Source %1  %2</translation>
    </message>
    <message>
        <source>合计  %1</source>
        <translation>Total  %1</translation>
    </message>
    <message>
        <source>最低自由水头: %1, 在节点%2</source>
        <translation>Lowest free head: %1, at node %2</translation>
    </message>
    <message>
        <source>供水不足节点 %1 个, 缺水 %2 %3</source>
        <translation>Nodes short of supply: %1, shortfall %2 %3</translation>
    </message>
    <message>
        <source>所有节点的自由水头都不低于最小服务水头 %1</source>
        <translation>No node&apos;s free head is below the minimum service head %1</translation>
    </message>
    <message>
        <source>自由水头低于最小服务水头 %1 的节点: %2 个</source>
        <translation>Nodes whose free head is below the minimum service head %1: %2</translation>
    </message>
    <message>
        <source>…… 另有 %1 个</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>其中自由水头为负的节点: %1 个</source>
        <translation>Of these, nodes with negative free head: %1</translation>
    </message>
    <message>
        <source>%1 个节点的自由水头为负 (最低 %2 %3, 节点%4), 这些地方的水压低于地面, 不能供水。请检查水源水压、管径和流量。详见报告窗口。</source>
        <translation>%1 node(s) have a negative free head (lowest %2 %3, node %4): the pressure there is below ground and no water can be supplied. Please check the source heads, diameters and demands. See the report window for details.</translation>
    </message>
    <message>
        <source>管网连通性检查报告</source>
        <translation>Network connectivity report</translation>
    </message>
    <message>
        <source>搜索到%1个连通网络, 不能进行管网平差!</source>
        <translation>Found %1 separate networks: the network cannot be balanced!</translation>
    </message>
    <message>
        <source>网络%1, 起始节点%2</source>
        <translation>Network %1, starting node %2</translation>
    </message>
    <message>
        <source>平差计算未开始: %1的%2 %3 有 %4 个点, 至少需要 %5 个。请改正后再计算。</source>
        <translation>Balancing not started: %2 %3 of %1 has %4 point(s), at least %5 are needed. Please correct it and calculate again.</translation>
    </message>
    <message>
        <source>平差计算未开始: %1的%2 %3 有 %4 个点, %5。请改正后再计算。</source>
        <translation>Balancing not started: %2 %3 of %1 has %4 point(s); %5. Please correct it and calculate again.</translation>
    </message>
    <message>
        <source>平差计算未开始: %1的%2 %3 = %4, %5。请改正后再计算。</source>
        <translation>Balancing not started: %2 %3 of %1 = %4; %5. Please correct it and calculate again.</translation>
    </message>
    <message>
        <source>平差计算未开始: 最小压力 MinPressure = %1, 所需压力 RequiredPressure = %2, 最小压力应小于所需压力。请改正后再计算。</source>
        <translation>Balancing not started: minimum pressure MinPressure = %1, required pressure RequiredPressure = %2; the minimum pressure must be below the required pressure. Please correct it and calculate again.</translation>
    </message>
    <message>
        <source>平差计算未开始: 压力指数 PressureExponent = %1, 应大于 0 且不超过 10。请改正后再计算。</source>
        <translation>Balancing not started: pressure exponent PressureExponent = %1; it must be above 0 and at most 10. Please correct it and calculate again.</translation>
    </message>
    <message>
        <source>管段%1</source>
        <translation>pipe %1</translation>
    </message>
    <message>
        <source>水泵%1</source>
        <translation>pump %1</translation>
    </message>
    <message>
        <source>阀门%1</source>
        <translation>valve %1</translation>
    </message>
    <message>
        <source>水池%1</source>
        <translation>tank %1</translation>
    </message>
    <message>
        <source>节点%1</source>
        <translation>node %1</translation>
    </message>
    <message>
        <source>流量应递增, 扬程应随流量下降</source>
        <translation>the flows must increase and the head fall as the flow rises</translation>
    </message>
    <message>
        <source>流量应递增, 水头损失应随流量上升</source>
        <translation>the flows must increase and the head loss rise with the flow</translation>
    </message>
    <message>
        <source>应为不超过一百万米的有限数</source>
        <translation>must be a finite number of at most one million metres</translation>
    </message>
    <message>
        <source>应为有限数</source>
        <translation>must be a finite number</translation>
    </message>
    <message>
        <source>应大于 0 且不超过 100 m</source>
        <translation>must be above 0 and at most 100 m</translation>
    </message>
    <message>
        <source>应在 0 到 1000 km 之间</source>
        <translation>must be between 0 and 1000 km</translation>
    </message>
    <message>
        <source>应大于 0</source>
        <translation>must be above 0</translation>
    </message>
    <message>
        <source>不能为负数</source>
        <translation>must not be negative</translation>
    </message>
    <message>
        <source>应为不小于 0 的有限数</source>
        <translation>must be a finite number not below 0</translation>
    </message>
    <message>
        <source>应为 0 到 4</source>
        <translation>must be 0 to 4</translation>
    </message>
    <message>
        <source>应在 0 到 100 之间</source>
        <translation>must be between 0 and 100</translation>
    </message>
    <message>
        <source>应为大于 0 的有限数</source>
        <translation>must be a finite number above 0</translation>
    </message>
    <message>
        <source>应为 0 到 8</source>
        <translation>must be 0 to 8</translation>
    </message>
    <message>
        <source>消防流量</source>
        <translation>fire flow</translation>
    </message>
    <message>
        <source>计算流量</source>
        <translation>design flow</translation>
    </message>
    <message>
        <source>水压</source>
        <translation>head</translation>
    </message>
    <message>
        <source>管长</source>
        <translation>length</translation>
    </message>
    <message>
        <source>水泵曲线</source>
        <translation>pump curve</translation>
    </message>
    <message>
        <source>转速比</source>
        <translation>speed ratio</translation>
    </message>
    <message>
        <source>曲线类型</source>
        <translation>curve type</translation>
    </message>
    <message>
        <source>损失曲线</source>
        <translation>head-loss curve</translation>
    </message>
    <message>
        <source>直径</source>
        <translation>diameter</translation>
    </message>
    <message>
        <source>文件意外结束</source>
        <translation>unexpected end of file</translation>
    </message>
    <message>
        <source>文件格式错误</source>
        <translation>file format error</translation>
    </message>
    <message>
        <source>文件中有未知的对象类型</source>
        <translation>unknown object type in the file</translation>
    </message>
    <message>
        <source>文件中对象的版本不对</source>
        <translation>wrong object version in the file</translation>
    </message>
    <message>
        <source>文件只能读取</source>
        <translation>the file can only be read</translation>
    </message>
    <message>
        <source>文件只能写入</source>
        <translation>the file can only be written</translation>
    </message>
    <message>
        <source>文件读写错误</source>
        <translation>file read/write error</translation>
    </message>
    <message>
        <source>%1: %2 (第%3行): %4</source>
        <translation>%1: %2 (line %3): %4</translation>
    </message>
    <message>
        <source>%1: %2 (第%3行)</source>
        <translation>%1: %2 (line %3)</translation>
    </message>
    <message>
        <source>是一个目录</source>
        <translation>is a directory</translation>
    </message>
    <message>
        <source>是一个管道</source>
        <translation>is a pipe (FIFO)</translation>
    </message>
    <message>
        <source>是一个设备</source>
        <translation>is a device</translation>
    </message>
    <message>
        <source>是一个套接字</source>
        <translation>is a socket</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>文件过大 (超过 %1 MB), 不是网络文件</source>
        <translation>file too large (over %1 MB), not a network file</translation>
    </message>
    <message>
        <source>写入失败</source>
        <translation>write failed</translation>
    </message>
    <message>
        <source>无法读取符号链接</source>
        <translation>cannot read the symbolic link</translation>
    </message>
    <message>
        <source>无法解析符号链接</source>
        <translation>cannot resolve the symbolic link</translation>
    </message>
    <message>
        <source>不是普通文件, 不能覆盖</source>
        <translation>not a regular file, cannot be overwritten</translation>
    </message>
    <message>
        <source>文件是只读的, 不能覆盖</source>
        <translation>the file is read-only and cannot be overwritten</translation>
    </message>
    <message>
        <source>无法创建临时文件</source>
        <translation>cannot create a temporary file</translation>
    </message>
    <message>
        <source>写入磁盘失败</source>
        <translation>writing to disk failed</translation>
    </message>
    <message>
        <source>无法替换文件</source>
        <translation>cannot replace the file</translation>
    </message>
    <message>
        <source>关闭文件失败</source>
        <translation>closing the file failed</translation>
    </message>
    <message>
        <source>计算表达式:</source>
        <translation>Expression:</translation>
    </message>
    <message>
        <source>计算表达式: 单位(%1)</source>
        <translation>Expression: unit (%1)</translation>
    </message>
    <message>
        <source>除数不能为零！</source>
        <translation>The divisor cannot be zero!</translation>
    </message>
    <message>
        <source>%1的%2将不大于零，计算未执行，没有修改任何数据！</source>
        <translation>%2 of %1 would not be above zero: nothing was calculated and no data changed!</translation>
    </message>
    <message>
        <source>%1的%2将不是有效数字，计算未执行，没有修改任何数据！</source>
        <translation>%2 of %1 would not be a valid number: nothing was calculated and no data changed!</translation>
    </message>
    <message>
        <source>节点编号</source>
        <translation>Node ID</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>节点类型</source>
        <translation>Node type</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>已知流量
已知水压</source>
        <translation>Known demand
Fixed head</translation>
    </message>
    <message>
        <source>地面标高</source>
        <translation>Ground elevation</translation>
    </message>
    <message>
        <source>横坐标</source>
        <translation>X</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>节点水量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>水量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>节点用水量</source>
        <translation>Node demand</translation>
    </message>
    <message>
        <source>绝对水压</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>绝对水头</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>节点绝对水压</source>
        <translation>Node head</translation>
    </message>
    <message>
        <source>自由水头</source>
        <translation>Free head</translation>
    </message>
    <message>
        <source>消防水量</source>
        <translation>Fire flow</translation>
    </message>
    <message>
        <source>实供水量</source>
        <translation>Delivered</translation>
    </message>
    <message>
        <source>实际供水量</source>
        <translation>Delivered flow</translation>
    </message>
    <message>
        <source>消防校验时设定为消防节点</source>
        <translation>Fire node in the fire case check</translation>
    </message>
    <message>
        <source>供水方式</source>
        <translation>Supply</translation>
    </message>
    <message>
        <source>无
单侧
双侧</source>
        <translation>None
One side
Both sides</translation>
    </message>
    <message>
        <source>无供水
单侧供水
双侧供水</source>
        <translation>None
One side
Both sides</translation>
    </message>
    <message>
        <source>管道编号</source>
        <translation>Pipe ID</translation>
    </message>
    <message>
        <source>管道类型</source>
        <translation>Pipe type</translation>
    </message>
    <message>
        <source>起始节点</source>
        <translation>Start node</translation>
    </message>
    <message>
        <source>起端节点</source>
        <translation>Start node</translation>
    </message>
    <message>
        <source>终止节点</source>
        <translation>End node</translation>
    </message>
    <message>
        <source>终端节点</source>
        <translation>End node</translation>
    </message>
    <message>
        <source>管道长度</source>
        <translation>Pipe length</translation>
    </message>
    <message>
        <source>长度</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>标准管径</source>
        <translation>Nominal diameter</translation>
    </message>
    <message>
        <source>管径</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>管道内径</source>
        <translation>Inner diameter</translation>
    </message>
    <message>
        <source>计算内径</source>
        <translation>Inner diameter</translation>
    </message>
    <message>
        <source>管道阻力系数</source>
        <translation>Roughness coefficient</translation>
    </message>
    <message>
        <source>阻力系数</source>
        <translation>Resistance coefficient</translation>
    </message>
    <message>
        <source>系数</source>
        <translation>Coefficient</translation>
    </message>
    <message>
        <source>局部阻力系数</source>
        <translation>Minor loss coefficient</translation>
    </message>
    <message>
        <source>局阻系数</source>
        <translation>Minor loss coef.</translation>
    </message>
    <message>
        <source>并行管数</source>
        <translation>Parallel pipes</translation>
    </message>
    <message>
        <source>敷设日期</source>
        <translation>Laid on</translation>
    </message>
    <message>
        <source>海增-威联管
满宁管</source>
        <translation>Hazen-Williams
Manning</translation>
    </message>
    <message>
        <source>进行事故工况校验时设定为事故管</source>
        <translation>Failed pipe in the accident case check</translation>
    </message>
    <message>
        <source>管道流量</source>
        <translation>Pipe flow</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>管道流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>管道压降</source>
        <translation>Head loss</translation>
    </message>
    <message>
        <source>压降</source>
        <translation>Head loss</translation>
    </message>
    <message>
        <source>水力坡度</source>
        <translation>Hydraulic gradient</translation>
    </message>
    <message>
        <source>压力降</source>
        <translation>Head loss</translation>
    </message>
    <message>
        <source>水泵编号</source>
        <translation>Pump ID</translation>
    </message>
    <message>
        <source>水泵类型</source>
        <translation>Pump type</translation>
    </message>
    <message>
        <source>卧式离心泵</source>
        <translation>Centrifugal pump</translation>
    </message>
    <message>
        <source>入口节点</source>
        <translation>Inlet node</translation>
    </message>
    <message>
        <source>出口节点</source>
        <translation>Outlet node</translation>
    </message>
    <message>
        <source>静态扬程</source>
        <translation>Static head</translation>
    </message>
    <message>
        <source>额定转速</source>
        <translation>Rated speed</translation>
    </message>
    <message>
        <source>相对转速</source>
        <translation>Relative speed</translation>
    </message>
    <message>
        <source>操作转速</source>
        <translation>Operating speed</translation>
    </message>
    <message>
        <source>特性曲线</source>
        <translation>Characteristic curve</translation>
    </message>
    <message>
        <source>曲线</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>二次公式
一点曲线
三点曲线
多点曲线
恒功率</source>
        <translation>Quadratic
One-point
Three-point
Multi-point
Constant power</translation>
    </message>
    <message>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>效率</source>
        <translation>Efficiency</translation>
    </message>
    <message>
        <source>效    率</source>
        <translation>Efficiency</translation>
    </message>
    <message>
        <source>气蚀余量</source>
        <translation>NPSH</translation>
    </message>
    <message>
        <source>出水量</source>
        <translation>Discharge</translation>
    </message>
    <message>
        <source>计算时是否开启水泵</source>
        <translation>Pump open in the calculation</translation>
    </message>
    <message>
        <source>计算状态</source>
        <translation>Calculated status</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>初始状态</source>
        <translation>Initial status</translation>
    </message>
    <message>
        <source>自动
开启
关闭</source>
        <translation>Automatic
Open
Closed</translation>
    </message>
    <message>
        <source>阀门编号</source>
        <translation>Valve ID</translation>
    </message>
    <message>
        <source>阀门类型</source>
        <translation>Valve type</translation>
    </message>
    <message>
        <source>阀门直径</source>
        <translation>Valve diameter</translation>
    </message>
    <message>
        <source>减压量</source>
        <translation>Head reduction</translation>
    </message>
    <message>
        <source>减压阀</source>
        <translation>Pressure reducing valve</translation>
    </message>
    <message>
        <source>稳压减压阀</source>
        <translation>Pressure regulating valve</translation>
    </message>
    <message>
        <source>设定值</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>限定流量</source>
        <translation>Flow limit</translation>
    </message>
    <message>
        <source>进口压力</source>
        <translation>Inlet pressure</translation>
    </message>
    <message>
        <source>出口压力</source>
        <translation>Outlet pressure</translation>
    </message>
    <message>
        <source>阻力</source>
        <translation>Resistance</translation>
    </message>
    <message>
        <source>计算时是否开启阀门</source>
        <translation>Valve open in the calculation</translation>
    </message>
    <message>
        <source>闸阀
止回阀
减压阀
稳压减压阀(PRV)
持压阀(PSV)
流量控制阀(FCV)
节流阀(TCV)
</source>
        <translation>Gate valve
Check valve
Reducing valve
PRV
PSV
FCV
TCV
</translation>
    </message>
    <message>
        <source>闸阀
止回阀
减压阀
稳压减压阀
持压阀
流量控制阀
节流阀
压力破坏阀
通用阀</source>
        <translation>Gate valve
Check valve
Reducing valve
PRV
PSV
FCV
TCV
PBV
GPV</translation>
    </message>
    <message>
        <source>压力破坏阀(PBV)
通用阀(GPV)</source>
        <translation>PBV
GPV</translation>
    </message>
    <message>
        <source>未计算
保持设定值
全开
关闭
倒流关闭
无法保持设定值</source>
        <translation>Not calculated
Holding setting
Fully open
Closed
Closed against backflow
Cannot hold setting</translation>
    </message>
    <message>
        <source>
保持设定值
全开
关闭
倒流关闭
无法保持设定值</source>
        <translation>
Holding setting
Fully open
Closed
Closed against backflow
Cannot hold setting</translation>
    </message>
    <message>
        <source>水池编号</source>
        <translation>Tank ID</translation>
    </message>
    <message>
        <source>水池类型</source>
        <translation>Tank type</translation>
    </message>
    <message>
        <source>蓄水池
水塔</source>
        <translation>Reservoir
Water tower</translation>
    </message>
    <message>
        <source>池底标高</source>
        <translation>Bottom elevation</translation>
    </message>
    <message>
        <source>当前水位</source>
        <translation>Current level</translation>
    </message>
    <message>
        <source>最低水位</source>
        <translation>Minimum level</translation>
    </message>
    <message>
        <source>最高水位</source>
        <translation>Maximum level</translation>
    </message>
    <message>
        <source>水池面积</source>
        <translation>Tank area</translation>
    </message>
    <message>
        <source>面积</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>段外的行至少要有两个字段</source>
        <translation>a line outside a section needs at least two fields</translation>
    </message>
    <message>
        <source>未知的段名 %1</source>
        <translation>unknown section name %1</translation>
    </message>
    <message>
        <source>控制阀 %1 缺少 VALVESETTING 段中的设定值</source>
        <translation>control valve %1 has no setting in the VALVESETTING section</translation>
    </message>
    <message>
        <source>%1 段缺少 END, 文件可能不完整</source>
        <translation>section %1 has no END; the file may be incomplete</translation>
    </message>
    <message>
        <source>%1 段缺少 END</source>
        <translation>section %1 has no END</translation>
    </message>
    <message>
        <source>第%1列为空 (两个制表符之间没有数据)</source>
        <translation>column %1 is empty (no data between two tabs)</translation>
    </message>
    <message>
        <source>曲线点需要流量和水头两个数值</source>
        <translation>a curve point needs two numbers, flow and head</translation>
    </message>
    <message>
        <source>管段 %1 不存在</source>
        <translation>pipe %1 does not exist</translation>
    </message>
    <message>
        <source>%1 不是管段</source>
        <translation>%1 is not a pipe</translation>
    </message>
    <message>
        <source>折点行需要 X 和 Y 两个坐标</source>
        <translation>a bend point line needs two coordinates, X and Y</translation>
    </message>
    <message>
        <source>TIMEDATA 段: %1</source>
        <translation>TIMEDATA section: %1</translation>
    </message>
    <message>
        <source>OPTIONS 段: %1</source>
        <translation>OPTIONS section: %1</translation>
    </message>
    <message>
        <source>%1 %2 超过19个字节</source>
        <translation>%1 %2 is longer than 19 bytes</translation>
    </message>
    <message>
        <source>%1 %2 含有空字符</source>
        <translation>%1 %2 contains a null character</translation>
    </message>
    <message>
        <source>节点 %1 不存在</source>
        <translation>node %1 does not exist</translation>
    </message>
    <message>
        <source>第%1个字段 %2 不是数字</source>
        <translation>field %1, %2, is not a number</translation>
    </message>
    <message>
        <source>第%1个字段 %2 换算为基本单位后超出范围</source>
        <translation>field %1, %2, is out of range in base units</translation>
    </message>
    <message>
        <source>第%1个字段 %2 不是整数</source>
        <translation>field %1, %2, is not a whole number</translation>
    </message>
    <message>
        <source>起点与终点是同一个节点</source>
        <translation>the start and the end are the same node</translation>
    </message>
    <message>
        <source>阀门类型 %1 不存在</source>
        <translation>valve type %1 does not exist</translation>
    </message>
    <message>
        <source>管段编号 %1 重复</source>
        <translation>pipe ID %1 is repeated</translation>
    </message>
    <message>
        <source>节点编号 %1 重复</source>
        <translation>node ID %1 is repeated</translation>
    </message>
    <message>
        <source>设备 %1 不存在</source>
        <translation>device %1 does not exist</translation>
    </message>
    <message>
        <source>状态 %1 不是 OPEN 或 CLOSED</source>
        <translation>status %1 is not OPEN or CLOSED</translation>
    </message>
    <message>
        <source>%1 不是水泵或阀门</source>
        <translation>%1 is not a pump or a valve</translation>
    </message>
    <message>
        <source>水泵 %1 不存在</source>
        <translation>pump %1 does not exist</translation>
    </message>
    <message>
        <source>阀门 %1 不存在</source>
        <translation>valve %1 does not exist</translation>
    </message>
    <message>
        <source>选项 %1 缺少取值</source>
        <translation>option %1 has no value</translation>
    </message>
    <message>
        <source>未知的选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>阀门状态 %1 不是 ACTIVE、OPEN 或 CLOSED</source>
        <translation>valve status %1 is not ACTIVE, OPEN or CLOSED</translation>
    </message>
    <message>
        <source>水池内部节点 %1 不能连接其他对象</source>
        <translation>the inner node %1 of a tank cannot connect other objects</translation>
    </message>
    <message>
        <source>缺少%1</source>
        <translation>%1 missing</translation>
    </message>
    <message>
        <source>管段编号</source>
        <translation>Pipe ID</translation>
    </message>
    <message>
        <source>内部节点编号</source>
        <translation>Inner node ID</translation>
    </message>
    <message>
        <source>设备编号</source>
        <translation>Device ID</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot;</source>
        <translation>%1: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>EPANET 文件: %1</source>
        <translation>EPANET file: %1</translation>
    </message>
    <message>
        <source>单位: %1 (英制), 水头损失公式 %2</source>
        <translation>Units: %1 (US customary), head loss formula %2</translation>
    </message>
    <message>
        <source>单位: %1 (公制), 水头损失公式 %2</source>
        <translation>Units: %1 (SI), head loss formula %2</translation>
    </message>
    <message>
        <source>需水量取第 %1 小时 (需水量倍数 %2)</source>
        <translation>Demands taken at hour %1 (demand multiplier %2)</translation>
    </message>
    <message>
        <source>导入 %1 个节点, %2 个管段和设备; %3 个编号已改写</source>
        <translation>Imported %1 nodes, %2 pipes and devices; %3 IDs renamed</translation>
    </message>
    <message>
        <source>延时模拟: 历时 %1 小时, %2 个模式, %3 个控制</source>
        <translation>Extended-period simulation: duration %1 h, %2 patterns, %3 controls</translation>
    </message>
    <message>
        <source>没有近似或舍弃的内容。</source>
        <translation>Nothing was approximated or left out.</translation>
    </message>
    <message>
        <source>- %1 (%2)</source>
        <translation>- %1 (%2)</translation>
    </message>
    <message>
        <source>- %1</source>
        <translation>- %1</translation>
    </message>
    <message>
        <source>%1 %2 行</source>
        <translation>%1 %2 lines</translation>
    </message>
    <message>
        <source>%1 (第%2行)</source>
        <translation>%1 (line %2)</translation>
    </message>
    <message>
        <source>%1 个节点</source>
        <translation>%1 nodes</translation>
    </message>
    <message>
        <source>%1 个</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>%1 行</source>
        <translation>%1 lines</translation>
    </message>
    <message>
        <source>设备端的用户节点有需水量: 设备另设端节点, 以连接短管相连, 需水量留在原节点</source>
        <translation>Junctions with demand at a device&apos;s end: the device was given an end node of its own, joined by a short connecting pipe; the demand stays at the junction</translation>
    </message>
    <message>
        <source>为设备或水池增加的连接短管(长 0.01 m, 直径 1 m, 水头损失可忽略)</source>
        <translation>Short connecting pipes added for devices or tanks (length 0.01 m, diameter 1 m, negligible head loss)</translation>
    </message>
    <message>
        <source>默认需水量模式不存在, 按系数 1 计算</source>
        <translation>Default demand pattern missing: a multiplier of 1 is used</translation>
    </message>
    <message>
        <source>需水量模式时间步长为 0, 按 EPANET 的做法取 1 小时</source>
        <translation>Pattern time step of 0: 1 hour is used, as EPANET does</translation>
    </message>
    <message>
        <source>未采用的选项</source>
        <translation>Options not used</translation>
    </message>
    <message>
        <source>水库水位按模式取所选时刻的值</source>
        <translation>Reservoir heads taken from their patterns at the chosen time</translation>
    </message>
    <message>
        <source>[TANKS] 中只有编号和标高的水池按 EPANET 的做法作为水位固定的水库导入</source>
        <translation>Tanks in [TANKS] with only an ID and an elevation imported as fixed-head reservoirs, as EPANET does</translation>
    </message>
    <message>
        <source>水池最小容积未采用</source>
        <translation>Minimum tank volumes not used</translation>
    </message>
    <message>
        <source>水池与管段、水泵或阀门同名 (EPANET 允许), QEN 的水池另取编号 (见编号对照表)</source>
        <translation>Tanks named like a pipe, pump or valve (EPANET allows this) got another ID in QEN (see the ID map)</translation>
    </message>
    <message>
        <source>满宁系数无法换算, 按原值取用</source>
        <translation>Manning coefficients cannot be converted: taken as they are</translation>
    </message>
    <message>
        <source>达西公式管道按流速 1 m/s 时相同的水头损失换算为海曾-威廉系数</source>
        <translation>Darcy-Weisbach pipes converted to Hazen-Williams coefficients giving the same head loss at 1 m/s</translation>
    </message>
    <message>
        <source>止回管: 管道前加止回阀</source>
        <translation>Check-valve pipes: a check valve added before the pipe</translation>
    </message>
    <message>
        <source>关闭的管道: 管道前加关闭的闸阀</source>
        <translation>Closed pipes: a closed gate valve added before the pipe</translation>
    </message>
    <message>
        <source>未采用的管道状态</source>
        <translation>Pipe statuses not used</translation>
    </message>
    <message>
        <source>没有坐标的节点已自动布置</source>
        <translation>Nodes without coordinates placed automatically</translation>
    </message>
    <message>
        <source>[STATUS] 中的管段不存在, 该行未采用</source>
        <translation>Links in [STATUS] that do not exist: lines not used</translation>
    </message>
    <message>
        <source>[COORDINATES] 中的节点不存在, 该坐标未采用</source>
        <translation>Nodes in [COORDINATES] that do not exist: coordinates not used</translation>
    </message>
    <message>
        <source>[VERTICES] 中的管段不存在, 其折点未采用</source>
        <translation>Links in [VERTICES] that do not exist: vertices not used</translation>
    </message>
    <message>
        <source>未读取的段</source>
        <translation>Sections not read</translation>
    </message>
    <message>
        <source>水库水位模式未采用, 延时模拟中水位不变</source>
        <translation>Reservoir head patterns not used: heads stay constant in the simulation</translation>
    </message>
    <message>
        <source>基于规则的控制 ([RULES]) 未导入</source>
        <translation>Rule-based controls ([RULES]) not imported</translation>
    </message>
    <message>
        <source>需量电费未采用</source>
        <translation>Demand charge not used</translation>
    </message>
    <message>
        <source>单个水泵的效率、电价或电价模式未采用, 按全局值计算</source>
        <translation>Efficiency, price or price pattern of single pumps not used: the global values are used</translation>
    </message>
    <message>
        <source>%1 %2 的%3换算后超出可用范围 (%4)</source>
        <translation>%1 %2: %3 out of the usable range after conversion (%4)</translation>
    </message>
    <message>
        <source>未知的流量单位 %1</source>
        <translation>Unknown flow unit %1</translation>
    </message>
    <message>
        <source>未知的水头损失公式 %1</source>
        <translation>Unknown head loss formula %1</translation>
    </message>
    <message>
        <source>需水量倍数不是数字: %1</source>
        <translation>Demand multiplier is not a number: %1</translation>
    </message>
    <message>
        <source>粘度不是正数: %1</source>
        <translation>Viscosity is not positive: %1</translation>
    </message>
    <message>
        <source>时间 %1 无法识别: %2</source>
        <translation>Time %1 not understood: %2</translation>
    </message>
    <message>
        <source>未知的需水量模型 %1</source>
        <translation>Unknown demand model %1</translation>
    </message>
    <message>
        <source>[OPTIONS] 压力驱动需水量参数不可用: %1</source>
        <translation>[OPTIONS] pressure-driven demand parameters unusable: %1</translation>
    </message>
    <message>
        <source>模式 %1 不存在</source>
        <translation>Pattern %1 does not exist</translation>
    </message>
    <message>
        <source>模式时刻超出可计算的范围 (PATTERN START %1 秒, PATTERN TIMESTEP %2 秒)</source>
        <translation>Pattern time out of the calculable range (PATTERN START %1 s, PATTERN TIMESTEP %2 s)</translation>
    </message>
    <message>
        <source>管道的两端是同一个节点</source>
        <translation>Both ends of the pipe are the same node</translation>
    </message>
    <message>
        <source>设备的两端是同一个节点</source>
        <translation>Both ends of the device are the same node</translation>
    </message>
    <message>
        <source>需水量所属的节点 %1 不是用户节点</source>
        <translation>Node %1 of the demand is not a junction</translation>
    </message>
    <message>
        <source>管道 %1 的粗糙系数无法使用</source>
        <translation>Roughness coefficient of pipe %1 is unusable</translation>
    </message>
    <message>
        <source>管道 %1 的长度、直径或粗糙系数不合理</source>
        <translation>Length, diameter or roughness of pipe %1 is not sensible</translation>
    </message>
    <message>
        <source>管道 %1 的局部损失系数为负数 (%2)</source>
        <translation>Minor loss coefficient of pipe %1 is negative (%2)</translation>
    </message>
    <message>
        <source>水泵 %1 的曲线 %2 不可用: %3</source>
        <translation>Curve %2 of pump %1 is unusable: %3</translation>
    </message>
    <message>
        <source>恒功率水泵 %1 的功率不是正数 (%2)</source>
        <translation>Power of constant-power pump %1 is not positive (%2)</translation>
    </message>
    <message>
        <source>水泵 %1 的转速比为负数 (%2)</source>
        <translation>Speed ratio of pump %1 is negative (%2)</translation>
    </message>
    <message>
        <source>水泵 %1 不可用: %2</source>
        <translation>Pump %1 is unusable: %2</translation>
    </message>
    <message>
        <source>阀门 %1 的直径不合理</source>
        <translation>Diameter of valve %1 is not sensible</translation>
    </message>
    <message>
        <source>阀门 %1 的局部损失系数为负数 (%2)</source>
        <translation>Minor loss coefficient of valve %1 is negative (%2)</translation>
    </message>
    <message>
        <source>%1 阀门 %2 的设定值为负数 (%3)</source>
        <translation>Setting of %1 valve %2 is negative (%3)</translation>
    </message>
    <message>
        <source>%1 阀门 %2 不可用: %3</source>
        <translation>%1 valve %2 is unusable: %3</translation>
    </message>
    <message>
        <source>编号 %1 重复 (第%2行已有)</source>
        <translation>ID %1 repeated (already on line %2)</translation>
    </message>
    <message>
        <source>文件中没有节点 ([JUNCTIONS]、[RESERVOIRS]、[TANKS] 都是空的)</source>
        <translation>The file has no nodes ([JUNCTIONS], [RESERVOIRS] and [TANKS] are all empty)</translation>
    </message>
    <message>
        <source>文件中没有水库或水池, 没有已知水压的节点</source>
        <translation>The file has no reservoir or tank: no node of known head</translation>
    </message>
    <message>
        <source>水库</source>
        <translation>Reservoir</translation>
    </message>
    <message>
        <source>阀门曲线</source>
        <translation>Valve curve</translation>
    </message>
    <message>
        <source>引号没有结束</source>
        <translation>Quotation mark not closed</translation>
    </message>
    <message>
        <source>字段不足: %1 需要 %2 个字段</source>
        <translation>Too few fields: %1 needs %2 fields</translation>
    </message>
    <message>
        <source>第%1个字段(%2) 不是有限的数字</source>
        <translation>Field %1 (%2) is not a finite number</translation>
    </message>
    <message>
        <source>%1 超过31个字符</source>
        <translation>%1 longer than 31 characters</translation>
    </message>
    <message>
        <source>段名缺少 ]</source>
        <translation>Section name lacks ]</translation>
    </message>
    <message>
        <source>数据行不在任何段内</source>
        <translation>Data line outside any section</translation>
    </message>
    <message>
        <source>流量单位与第%1行的 %2 矛盾</source>
        <translation>Flow unit contradicts %2 on line %1</translation>
    </message>
    <message>
        <source>未知的管道状态 %1</source>
        <translation>Unknown pipe status %1</translation>
    </message>
    <message>
        <source>水泵参数 %1 缺少取值</source>
        <translation>Pump keyword %1 lacks a value</translation>
    </message>
    <message>
        <source>未知的水泵参数 %1</source>
        <translation>Unknown pump keyword %1</translation>
    </message>
    <message>
        <source>水泵既没有特性曲线(HEAD)也没有功率(POWER)</source>
        <translation>Pump has neither a head curve (HEAD) nor a power (POWER)</translation>
    </message>
    <message>
        <source>未知的阀门类型 %1</source>
        <translation>Unknown valve type %1</translation>
    </message>
    <message>
        <source>需水量</source>
        <translation>demand</translation>
    </message>
    <message>
        <source>水库编号</source>
        <translation>reservoir ID</translation>
    </message>
    <message>
        <source>水头</source>
        <translation>head</translation>
    </message>
    <message>
        <source>初始水位</source>
        <translation>initial level</translation>
    </message>
    <message>
        <source>最小容积</source>
        <translation>minimum volume</translation>
    </message>
    <message>
        <source>粗糙系数</source>
        <translation>roughness</translation>
    </message>
    <message>
        <source>局部损失系数</source>
        <translation>minor loss coefficient</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>pattern</translation>
    </message>
    <message>
        <source>模式编号</source>
        <translation>pattern ID</translation>
    </message>
    <message>
        <source>模式系数</source>
        <translation>pattern multiplier</translation>
    </message>
    <message>
        <source>曲线编号</source>
        <translation>curve ID</translation>
    </message>
    <message>
        <source>数值 %1 超出 EPANET 文件可写的范围, 未写出</source>
        <translation>Value %1 is beyond what an EPANET file can hold: not written</translation>
    </message>
    <message>
        <source>模式 %1 的系数为负数 (%2)</source>
        <translation>Pattern %1 has a negative multiplier (%2)</translation>
    </message>
    <message>
        <source>水池 %1 的容积曲线 %2 不存在</source>
        <translation>Volume curve %2 of tank %1 does not exist</translation>
    </message>
    <message>
        <source>时刻 START CLOCKTIME 无法识别: %1</source>
        <translation>Clock time START CLOCKTIME not understood: %1</translation>
    </message>
    <message>
        <source>无法识别的控制</source>
        <translation>Control not understood</translation>
    </message>
    <message>
        <source>控制的动作无法识别: %1</source>
        <translation>Control action not understood: %1</translation>
    </message>
    <message>
        <source>控制的时间无法识别: %1</source>
        <translation>Control time not understood: %1</translation>
    </message>
    <message>
        <source>控制的时刻无法识别: %1</source>
        <translation>Control clock time not understood: %1</translation>
    </message>
    <message>
        <source>控制的数值无法识别: %1</source>
        <translation>Control value not understood: %1</translation>
    </message>
    <message>
        <source>控制的条件节点是水位固定的水库: %1</source>
        <translation>Control condition node is a fixed-head reservoir: %1</translation>
    </message>
    <message>
        <source>控制的条件无法识别</source>
        <translation>Control condition not understood</translation>
    </message>
    <message>
        <source>无法识别的能耗设置</source>
        <translation>Energy setting not understood</translation>
    </message>
    <message>
        <source>水泵效率应在 0 到 100 之间</source>
        <translation>Pump efficiency should be between 0 and 100</translation>
    </message>
    <message>
        <source>电价为负数</source>
        <translation>Energy price is negative</translation>
    </message>
    <message>
        <source>水池水位范围已放宽以包含当前水位</source>
        <translation>Tank level ranges widened to hold the current level</translation>
    </message>
    <message>
        <source>水池面积不是正数, 按 1 m² 写出</source>
        <translation>Tank area not positive: written as 1 m²</translation>
    </message>
    <message>
        <source>满宁管按流速 1 m/s 时相同的水头损失写为海曾-威廉管</source>
        <translation>Manning pipes written as Hazen-Williams pipes with the same head loss at 1 m/s</translation>
    </message>
    <message>
        <source>并行管写为一根等效管道 (EPANET 报告的是总流量)</source>
        <translation>Parallel pipes written as one equivalent pipe (EPANET reports the total flow)</translation>
    </message>
    <message>
        <source>静扬程不是正数的水泵写为关闭</source>
        <translation>Pumps whose static head is not positive written as closed</translation>
    </message>
    <message>
        <source>三点曲线的第一点流量不为零, EPANET 按折线读入</source>
        <translation>Three-point curves whose first flow is not zero: EPANET reads them as polylines</translation>
    </message>
    <message>
        <source>减压阀写为 PBV (固定水头损失)</source>
        <translation>Pressure-reducing valves written as PBV (fixed head loss)</translation>
    </message>
    <message>
        <source>止回阀写为节流阀 (QEN 计算中止回阀双向过水)</source>
        <translation>Check valves written as throttle control valves (QEN lets check valves pass both ways)</translation>
    </message>
    <message>
        <source>没有连接任何管段的节点 (EPANET 拒绝读入含有这种节点的文件)</source>
        <translation>Nodes joined to no link (EPANET refuses files with such nodes)</translation>
    </message>
    <message>
        <source>消防水量未写出 (按最高时工况写出需水量)</source>
        <translation>Fire flows not written (demands written for the peak hour)</translation>
    </message>
    <message>
        <source>需水量模式所属的节点不存在, 未写出</source>
        <translation>Demand patterns of nodes that do not exist: not written</translation>
    </message>
    <message>
        <source>控制所指的对象不存在, 未写出</source>
        <translation>Controls naming objects that do not exist: not written</translation>
    </message>
    <message>
        <source>水泵转速模式未写出</source>
        <translation>Pump speed patterns not written</translation>
    </message>
    <message>
        <source>水池容积曲线未写出, 按面积写出</source>
        <translation>Tank volume curves not written: tanks written by their area</translation>
    </message>
    <message>
        <source>节点流量分配失败,可能没有供水管道!</source>
        <translation>Node flow allocation failed: there may be no supplying pipes!</translation>
    </message>
    <message>
        <source>需要输入图层名!</source>
        <translation>Layer names are needed!</translation>
    </message>
    <message>
        <source>所选图层上没有直线或多段线</source>
        <translation>The chosen layers hold no lines or polylines</translation>
    </message>
    <message>
        <source>图纸的模型空间中没有直线或多段线</source>
        <translation>The drawing&apos;s model space holds no lines or polylines</translation>
    </message>
    <message>
        <source>没有管道加入，原因:</source>
        <translation>No pipes added, because:</translation>
    </message>
    <message>
        <source>写出 %1</source>
        <translation>Wrote %1</translation>
    </message>
    <message>
        <source>写出 %1 和 %2</source>
        <translation>Wrote %1 and %2</translation>
    </message>
    <message>
        <source>文本文件不保存坐标系</source>
        <translation>Text files do not keep the coordinate system</translation>
    </message>
    <message>
        <source>总共计算%1根管道, 总计造价为%2元!</source>
        <translation>Costed %1 pipes, total cost %2 yuan!</translation>
    </message>
    <message>
        <source>总共计算%1根管道, 总计造价超出可计算的范围!</source>
        <translation>Costed %1 pipes, total cost beyond the calculable range!</translation>
    </message>
    <message>
        <source>计算了%1个水泵, 总计开机运行费用为%2元/小时!</source>
        <translation>Costed %1 pumps, total running cost %2 yuan/hour!</translation>
    </message>
    <message>
        <source>计算了%1个水泵, 总计开机运行费用超出可计算的范围!</source>
        <translation>Costed %1 pumps, total running cost beyond the calculable range!</translation>
    </message>
    <message>
        <source>管网尚未平差, %1个运行水泵没有流量和扬程, 未计入运行费用!</source>
        <translation>The network is not balanced: %1 running pumps have no flow or head and are left out of the running cost!</translation>
    </message>
    <message>
        <source>以下水泵效率不大于零, 未计入运行费用: %1</source>
        <translation>These pumps have an efficiency not above zero and are left out of the running cost: %1</translation>
    </message>
    <message>
        <source>管径优化: %1 根管道参与, 锁定 %2 根</source>
        <translation>Pipe sizing: %1 pipes sized, %2 locked</translation>
    </message>
    <message>
        <source>优化造价 %1, 经济流速设计造价 %2 (不满足)</source>
        <translation>Optimized cost %1, economic-velocity design cost %2 (infeasible)</translation>
    </message>
    <message>
        <source>优化造价 %1, 经济流速设计造价 %2</source>
        <translation>Optimized cost %1, economic-velocity design cost %2</translation>
    </message>
    <message>
        <source>所有需水节点满足最小服务水头 %1 m</source>
        <translation>Every node with demand meets the minimum service head %1 m</translation>
    </message>
    <message>
        <source>没有满足最小服务水头的方案, 最好的方案不满足 %1 m</source>
        <translation>No design meets the minimum service head; the best one falls short of %1 m</translation>
    </message>
    <message>
        <source>节点 %1: %2 m</source>
        <translation>Node %1: %2 m</translation>
    </message>
    <message>
        <source>计算 %1 次平差, 用时 %2 秒 (已停止)</source>
        <translation>%1 balances in %2 s (stopped)</translation>
    </message>
    <message>
        <source>计算 %1 次平差, 用时 %2 秒</source>
        <translation>%1 balances in %2 s</translation>
    </message>
    <message>
        <source>改变管径的管道 %1 根:</source>
        <translation>Pipes with a changed diameter: %1</translation>
    </message>
    <message>
        <source>%1: %2 → %3 mm, 造价 %4</source>
        <translation>%1: %2 → %3 mm, cost %4</translation>
    </message>
    <message>
        <source>造价变化合计 %1</source>
        <translation>Total cost change %1</translation>
    </message>
    <message>
        <source>候选管径为空</source>
        <translation>The candidate diameters are empty</translation>
    </message>
    <message>
        <source>候选管径 %1 不是正数</source>
        <translation>Candidate diameter %1 is not positive</translation>
    </message>
    <message>
        <source>候选管径 %1 的单价不是非负数</source>
        <translation>Unit cost of candidate diameter %1 is not a non-negative number</translation>
    </message>
    <message>
        <source>候选管径未按从小到大排列 (第 %1 个)</source>
        <translation>Candidate diameters are not in rising order (number %1)</translation>
    </message>
    <message>
        <source>管径 %1 mm 的单价不高于较小的管径</source>
        <translation>The unit cost of diameter %1 mm is not above that of a smaller diameter</translation>
    </message>
    <message>
        <source>最小服务水头不是有限数</source>
        <translation>The minimum service head is not a finite number</translation>
    </message>
    <message>
        <source>流速限制无效</source>
        <translation>The velocity limits are invalid</translation>
    </message>
    <message>
        <source>未选计算工况</source>
        <translation>No calculation case chosen</translation>
    </message>
    <message>
        <source>计算工况无效</source>
        <translation>Invalid calculation case</translation>
    </message>
    <message>
        <source>经济流速表为空</source>
        <translation>The economic velocity table is empty</translation>
    </message>
    <message>
        <source>经济流速表第 %1 行不是正数</source>
        <translation>Row %1 of the economic velocity table is not positive</translation>
    </message>
    <message>
        <source>经济流速表的管径未按从小到大排列 (第 %1 行)</source>
        <translation>The diameters of the economic velocity table are not in rising order (row %1)</translation>
    </message>
    <message>
        <source>等压间隔必须是大于零的数，等压线已关闭！</source>
        <translation>The contour interval must be a number above zero; contours are turned off!</translation>
    </message>
    <message>
        <source>管网中没有管道，无法生成等压线，等压线已关闭！</source>
        <translation>The network has no pipes, so no contours can be drawn; contours are turned off!</translation>
    </message>
    <message>
        <source>管网坐标范围超出可计算的范围，无法生成等压线，等压线已关闭！</source>
        <translation>The network&apos;s extent is beyond the calculable range, so no contours can be drawn; contours are turned off!</translation>
    </message>
    <message>
        <source>等压线太多(%1条, 最多%2条)，请加大等压间隔，等压线已关闭！</source>
        <translation>Too many contours (%1, at most %2): please widen the interval; contours are turned off!</translation>
    </message>
    <message>
        <source>将生成%1条等压线，可能需要较长时间，确认继续吗？</source>
        <translation>%1 contours will be drawn, which may take a while. Continue?</translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>节点 %1</source>
        <translation>Node %1</translation>
    </message>
    <message>
        <source>水泵 %1</source>
        <translation>Pump %1</translation>
    </message>
    <message>
        <source>水池 %1</source>
        <translation>Tank %1</translation>
    </message>
    <message>
        <source>模式 %1</source>
        <translation>Pattern %1</translation>
    </message>
    <message>
        <source>网络中没有这个节点</source>
        <translation>the network has no such node</translation>
    </message>
    <message>
        <source>网络中没有这个水泵</source>
        <translation>the network has no such pump</translation>
    </message>
    <message>
        <source>网络中没有这个水池</source>
        <translation>the network has no such tank</translation>
    </message>
    <message>
        <source>最低水位高于最高水位</source>
        <translation>the minimum level is above the maximum level</translation>
    </message>
    <message>
        <source>网络中没有这个管道、水泵或阀门</source>
        <translation>the network has no such pipe, pump or valve</translation>
    </message>
    <message>
        <source>网络中没有节点 %1</source>
        <translation>the network has no node %1</translation>
    </message>
    <message>
        <source>时间步长应为正数 (%1 秒)</source>
        <translation>the time step should be positive (%1 s)</translation>
    </message>
    <message>
        <source>时间不能为负数 (%1 秒)</source>
        <translation>the time cannot be negative (%1 s)</translation>
    </message>
    <message>
        <source>时刻应在 0 到 86399 秒之间 (%1)</source>
        <translation>the clock time should be between 0 and 86399 s (%1)</translation>
    </message>
    <message>
        <source>模式没有编号</source>
        <translation>the pattern has no ID</translation>
    </message>
    <message>
        <source>模式没有系数</source>
        <translation>the pattern has no multipliers</translation>
    </message>
    <message>
        <source>系数应为非负数 (%1)</source>
        <translation>multipliers should not be negative (%1)</translation>
    </message>
    <message>
        <source>模式编号重复</source>
        <translation>the pattern ID is repeated</translation>
    </message>
    <message>
        <source>需水量不是有限数</source>
        <translation>the demand is not a finite number</translation>
    </message>
    <message>
        <source>容积曲线至少要两点</source>
        <translation>a volume curve needs at least two points</translation>
    </message>
    <message>
        <source>容积曲线的点不合理</source>
        <translation>the volume curve has points that are not sensible</translation>
    </message>
    <message>
        <source>容积曲线的水位和容积应递增</source>
        <translation>the levels and volumes of a volume curve should rise</translation>
    </message>
    <message>
        <source>未知的动作</source>
        <translation>unknown action</translation>
    </message>
    <message>
        <source>设定值应为非负数 (%1)</source>
        <translation>the setting should not be negative (%1)</translation>
    </message>
    <message>
        <source>未知的条件</source>
        <translation>unknown condition</translation>
    </message>
    <message>
        <source>时间不合理 (%1 秒)</source>
        <translation>the time is not sensible (%1 s)</translation>
    </message>
    <message>
        <source>条件缺少节点或数值</source>
        <translation>the condition lacks a node or a value</translation>
    </message>
    <message>
        <source>电价应为非负数</source>
        <translation>the energy price should not be negative</translation>
    </message>
    <message>
        <source>闭合的线 %1 条，各分为两根管道</source>
        <translation>%1 closed lines, each split into two pipes</translation>
    </message>
    <message>
        <source>跳过 %1 条长度为零的线</source>
        <translation>Skipped %1 lines of zero length</translation>
    </message>
    <message>
        <source>跳过 %1 条两端落在同一节点上的线(连接判断精度内)</source>
        <translation>Skipped %1 lines whose ends fall on the same node (within the joining tolerance)</translation>
    </message>
    <message>
        <source>跳过 %1 条按比例换算后坐标或长度超出数值范围的线</source>
        <translation>Skipped %1 lines whose coordinates or length are out of range after scaling</translation>
    </message>
    <message>
        <source>跳过 %1 条按比例换算后坐标或长度超出数值范围的线，第一条在第%2行</source>
        <translation>Skipped %1 lines whose coordinates or length are out of range after scaling; the first on line %2</translation>
    </message>
    <message>
        <source>发现 %1 处重叠的共线管道，未在重叠处拆分</source>
        <translation>Found %1 overlapping collinear pipes, not split where they overlap</translation>
    </message>
    <message>
        <source>确认终止此操作吗?</source>
        <translation>Stop this operation?</translation>
    </message>
    <message>
        <source>层 %1: 水泵、阀门和水池图层不引入</source>
        <translation>Layer %1: pump, valve and tank layers are not imported</translation>
    </message>
    <message>
        <source>坐标系: %1 投影到 %2</source>
        <translation>Coordinate system: %1 projected to %2</translation>
    </message>
    <message>
        <source>坐标系: %1</source>
        <translation>Coordinate system: %1</translation>
    </message>
    <message>
        <source>图层没有坐标系，坐标按米使用</source>
        <translation>The layer has no coordinate system: coordinates are taken as metres</translation>
    </message>
    <message>
        <source>%1; 等 %2 个</source>
        <translation>%1; %2 in all</translation>
    </message>
    <message>
        <source>层 %1: 线要素 %2 个, 点要素 %3 个</source>
        <translation>Layer %1: %2 line features, %3 point features</translation>
    </message>
    <message>
        <source>层 %1: 线要素 %2 个, 点要素 %3 个, 跳过其他几何要素 %4 个</source>
        <translation>Layer %1: %2 line features, %3 point features, %4 other geometries skipped</translation>
    </message>
    <message>
        <source>字段对应: %1</source>
        <translation>Fields: %1</translation>
    </message>
    <message>
        <source>值为空取模板值: %1</source>
        <translation>Empty values taken from the template: %1</translation>
    </message>
    <message>
        <source>%1 %2 个</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>未成为管道的线要素 %1 个 (长度为零或两端落在同一节点上): %2</source>
        <translation>%1 line features not made pipes (zero length or both ends on one node): %2</translation>
    </message>
    <message>
        <source>不在本次引入的管道端点上的点要素 %1 个 (容差内), 未引入: %2</source>
        <translation>%1 point features not at an end of an imported pipe (within the tolerance), not imported: %2</translation>
    </message>
    <message>
        <source>与其他点要素落在同一节点上的点要素 %1 个, 未引入: %2</source>
        <translation>%1 point features on the same node as another, not imported: %2</translation>
    </message>
    <message>
        <source>网络坐标从 %1 转换到栅格的 %2</source>
        <translation>Network coordinates transformed from %1 to the raster&apos;s %2</translation>
    </message>
    <message>
        <source>网络没有坐标系，按栅格的 %1 取用</source>
        <translation>The network has no coordinate system: the raster&apos;s %1 is taken</translation>
    </message>
    <message>
        <source>%1 有 %2 个点, 至少需要 %3 个</source>
        <translation>%1 has %2 points, at least %3 are needed</translation>
    </message>
    <message>
        <source>%1 第%2点 (%3, %4) 不可用</source>
        <translation>%1 point %2 (%3, %4) is unusable</translation>
    </message>
    <message>
        <source>%1 第%2点的流量没有大于前一点</source>
        <translation>%1 point %2: the flow is not above that of the point before</translation>
    </message>
    <message>
        <source>%1 第%2点的扬程随流量上升</source>
        <translation>%1 point %2: the head rises with the flow</translation>
    </message>
    <message>
        <source>PipeMinorLoss %1 不是非负的有限数</source>
        <translation>PipeMinorLoss %1 is not a non-negative finite number</translation>
    </message>
    <message>
        <source>PumpCurveKind %1 不是已知的水泵曲线类型</source>
        <translation>PumpCurveKind %1 is not a known pump curve type</translation>
    </message>
    <message>
        <source>PumpSpeed %1 不在 0 到 100 之间</source>
        <translation>PumpSpeed %1 is not between 0 and 100</translation>
    </message>
    <message>
        <source>PumpPower %1 不是非负的有限数</source>
        <translation>PumpPower %1 is not a non-negative finite number</translation>
    </message>
    <message>
        <source>PumpPower %1 不是正数 (恒功率水泵)</source>
        <translation>PumpPower %1 is not positive (constant-power pump)</translation>
    </message>
    <message>
        <source>PumpCurve 有 %1 个点, 这种曲线需要 %2 个</source>
        <translation>PumpCurve has %1 points; this kind of curve needs %2</translation>
    </message>
    <message>
        <source>PumpCurve 有 %1 个点, 一点曲线只要 1 个</source>
        <translation>PumpCurve has %1 points; a one-point curve needs only 1</translation>
    </message>
    <message>
        <source>PumpCurve 的设计点流量和扬程必须是正数</source>
        <translation>The flow and head of the PumpCurve design point must be positive</translation>
    </message>
    <message>
        <source>ValveType %1 不是已知的阀门类型</source>
        <translation>ValveType %1 is not a known valve type</translation>
    </message>
    <message>
        <source>ValveInitStatus %1 不是已知的状态</source>
        <translation>ValveInitStatus %1 is not a known status</translation>
    </message>
    <message>
        <source>ValveSetting %1 不是非负的有限数</source>
        <translation>ValveSetting %1 is not a non-negative finite number</translation>
    </message>
    <message>
        <source>ValveDiam %1 不是非负的有限数</source>
        <translation>ValveDiam %1 is not a non-negative finite number</translation>
    </message>
    <message>
        <source>ValveDiam 不是正数 (节流阀的损失系数按阀门直径计算)</source>
        <translation>ValveDiam is not positive (a throttle control valve&apos;s loss coefficient goes by the valve diameter)</translation>
    </message>
    <message>
        <source>DemandModel %1 不是已知的需水量模型</source>
        <translation>DemandModel %1 is not a known demand model</translation>
    </message>
    <message>
        <source>MinPressure 或 RequiredPressure 不是有限数</source>
        <translation>MinPressure or RequiredPressure is not a finite number</translation>
    </message>
    <message>
        <source>MinPressure %1 不低于 RequiredPressure %2</source>
        <translation>MinPressure %1 is not below RequiredPressure %2</translation>
    </message>
    <message>
        <source>PressureExponent %1 不是正的有限数</source>
        <translation>PressureExponent %1 is not a positive finite number</translation>
    </message>
    <message>
        <source>节点%1 的编号重复或次序错乱, 写出的文件将无法读回, 未写出</source>
        <translation>The ID of node %1 is repeated or out of order: the file could not be read back, so it was not written</translation>
    </message>
    <message>
        <source>管段%1 的编号重复或次序错乱, 写出的文件将无法读回, 未写出</source>
        <translation>The ID of link %1 is repeated or out of order: the file could not be read back, so it was not written</translation>
    </message>
    <message>
        <source>管段%1 不在网络的管段表中 (可能与另一管段、水泵、阀门或水池同名), 写出的文件将无法读回, 未写出</source>
        <translation>Link %1 is not in the network&apos;s link table (perhaps named like another pipe, pump, valve or tank): the file could not be read back, so it was not written</translation>
    </message>
    <message>
        <source>节点%1 不在网络的节点表中 (可能与另一节点同名), 写出的文件将无法读回, 未写出</source>
        <translation>Node %1 is not in the network&apos;s node table (perhaps named like another node): the file could not be read back, so it was not written</translation>
    </message>
    <message>
        <source>读取失败</source>
        <translation>reading failed</translation>
    </message>
    <message>
        <source>编号 %1 写入文本文件后无法读回</source>
        <translation>ID %1 could not be read back from a text file</translation>
    </message>
    <message>
        <source>TIMEDATA 段中无法识别的行</source>
        <translation>Line not understood in the TIMEDATA section</translation>
    </message>
    <message>
        <source>消防校核</source>
        <translation>Fire Flow Check</translation>
    </message>
    <message>
        <source>工况</source>
        <translation>Case</translation>
    </message>
    <message>
        <source>消防点剩余自由水头 R</source>
        <translation>Residual free head at the fire node R</translation>
    </message>
    <message>
        <source>其余节点最低自由水头 S</source>
        <translation>Lowest free head at other nodes S</translation>
    </message>
    <message>
        <source>校核节点数</source>
        <translation>Nodes checked</translation>
    </message>
    <message>
        <source>无可用消防流量的节点数</source>
        <translation>Nodes without available fire flow</translation>
    </message>
    <message>
        <source>与水源不连通的节点数</source>
        <translation>Nodes not connected to a source</translation>
    </message>
    <message>
        <source>最小可用消防流量</source>
        <translation>Lowest available fire flow</translation>
    </message>
    <message>
        <source>最小可用消防流量节点</source>
        <translation>Node with the lowest available fire flow</translation>
    </message>
    <message>
        <source>未消防时已低于 S 的节点数 (不校核)</source>
        <translation>Nodes below S without fire flow (not checked)</translation>
    </message>
    <message>
        <source>可用消防流量</source>
        <translation>Available fire flow</translation>
    </message>
    <message>
        <source>控制节点</source>
        <translation>Limiting node</translation>
    </message>
    <message>
        <source>控制节点自由水头</source>
        <translation>Free head at the limiting node</translation>
    </message>
    <message>
        <source>不连通</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>管道失效校核</source>
        <translation>Pipe Failure Check</translation>
    </message>
    <message>
        <source>事故工况水量折减系数</source>
        <translation>Accident case demand factor</translation>
    </message>
    <message>
        <source>最小服务水头</source>
        <translation>Minimum service head</translation>
    </message>
    <message>
        <source>校核管道数</source>
        <translation>Pipes checked</translation>
    </message>
    <message>
        <source>失效后有节点断水的管道数</source>
        <translation>Pipes whose failure cuts off nodes</translation>
    </message>
    <message>
        <source>失效后有节点低于最小服务水头的管道数</source>
        <translation>Pipes whose failure leaves nodes below the minimum service head</translation>
    </message>
    <message>
        <source>未能平差的管道数</source>
        <translation>Pipes whose failure could not be balanced</translation>
    </message>
    <message>
        <source>影响最大的管道</source>
        <translation>Most critical pipe</translation>
    </message>
    <message>
        <source>断水节点数</source>
        <translation>Nodes cut off</translation>
    </message>
    <message>
        <source>低于最小服务水头的节点数</source>
        <translation>Nodes below the minimum service head</translation>
    </message>
    <message>
        <source>最不利节点</source>
        <translation>Critical node</translation>
    </message>
    <message>
        <source>最不利节点自由水头</source>
        <translation>Free head at the critical node</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>未能平差</source>
        <translation>Not balanced</translation>
    </message>
    <message>
        <source>管网平差计算书</source>
        <translation>Network Balancing Calculation Report</translation>
    </message>
    <message>
        <source>计算精度 (m)</source>
        <translation>Head tolerance (m)</translation>
    </message>
    <message>
        <source>最大计算次数</source>
        <translation>Maximum iterations</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>Unlimited</translation>
    </message>
    <message>
        <source>需水模型</source>
        <translation>Demand model</translation>
    </message>
    <message>
        <source>按压力供水</source>
        <translation>Pressure driven</translation>
    </message>
    <message>
        <source>按需供水</source>
        <translation>Demand driven</translation>
    </message>
    <message>
        <source>最小压力 P0</source>
        <translation>Minimum pressure P0</translation>
    </message>
    <message>
        <source>需要压力 PR</source>
        <translation>Required pressure PR</translation>
    </message>
    <message>
        <source>压力指数</source>
        <translation>Pressure exponent</translation>
    </message>
    <message>
        <source>止回阀防止倒流</source>
        <translation>Check valves prevent reverse flow</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>节点数</source>
        <translation>Nodes</translation>
    </message>
    <message>
        <source>管段数</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>管网不连通, 未平差</source>
        <translation>Network not connected, not balanced</translation>
    </message>
    <message>
        <source>%1, 表中只列原始数据</source>
        <translation>%1; the tables list the input data only</translation>
    </message>
    <message>
        <source>计算次数</source>
        <translation>Iterations</translation>
    </message>
    <message>
        <source>最后校正值 (m)</source>
        <translation>Last correction (m)</translation>
    </message>
    <message>
        <source>总用水量</source>
        <translation>Total demand</translation>
    </message>
    <message>
        <source>水池 %1 供水量 (%2)</source>
        <translation>Supply from tank %1 (%2)</translation>
    </message>
    <message>
        <source>水源 %1 供水量 (%2)</source>
        <translation>Supply from source %1 (%2)</translation>
    </message>
    <message>
        <source>供水量合计</source>
        <translation>Total supply</translation>
    </message>
    <message>
        <source>最低自由水头</source>
        <translation>Lowest free head</translation>
    </message>
    <message>
        <source>最低自由水头节点</source>
        <translation>Node with the lowest free head</translation>
    </message>
    <message>
        <source>供水不足节点数</source>
        <translation>Nodes with insufficient supply</translation>
    </message>
    <message>
        <source>缺水量</source>
        <translation>Supply shortage</translation>
    </message>
    <message>
        <source>节点</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>管道</source>
        <translation>Pipe</translation>
    </message>
    <message>
        <source>扬程</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>运行</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>开启</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>水泵</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>阀门</source>
        <translation>Valve</translation>
    </message>
    <message>
        <source>水池</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>计算书</source>
        <translation>Report</translation>
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
        <source>延时模拟</source>
        <translation>Extended-Period Simulation</translation>
    </message>
    <message>
        <source>模拟时长 (h)</source>
        <translation>Duration (h)</translation>
    </message>
    <message>
        <source>报告时刻数</source>
        <translation>Report times</translation>
    </message>
    <message>
        <source>计算步数</source>
        <translation>Time steps</translation>
    </message>
    <message>
        <source>%1 (报告时刻)</source>
        <translation>%1 (at report times)</translation>
    </message>
    <message>
        <source>最低自由水头时刻</source>
        <translation>Time of the lowest free head</translation>
    </message>
    <message>
        <source>水池 %1 充满</source>
        <translation>Tank %1 full</translation>
    </message>
    <message>
        <source>水池 %1 放空</source>
        <translation>Tank %1 empty</translation>
    </message>
    <message>
        <source>水泵电耗合计 (kWh)</source>
        <translation>Total pump energy (kWh)</translation>
    </message>
    <message>
        <source>电费合计</source>
        <translation>Total energy cost</translation>
    </message>
    <message>
        <source>延时模拟-节点</source>
        <translation>Simulation-Nodes</translation>
    </message>
    <message>
        <source>最低时刻</source>
        <translation>Time of lowest</translation>
    </message>
    <message>
        <source>最高自由水头</source>
        <translation>Highest free head</translation>
    </message>
    <message>
        <source>最高时刻</source>
        <translation>Time of highest</translation>
    </message>
    <message>
        <source>低于最小服务水头的报告时刻数</source>
        <translation>Report times below the minimum service head</translation>
    </message>
    <message>
        <source>延时模拟-水池</source>
        <translation>Simulation-Tanks</translation>
    </message>
    <message>
        <source>时刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>%1 水位 (%2)</source>
        <translation>%1 level (%2)</translation>
    </message>
    <message>
        <source>延时模拟-水泵</source>
        <translation>Simulation-Pumps</translation>
    </message>
    <message>
        <source>运行时数 (h)</source>
        <translation>Running hours (h)</translation>
    </message>
    <message>
        <source>开启的报告时刻数</source>
        <translation>Report times running</translation>
    </message>
    <message>
        <source>电耗 (kWh)</source>
        <translation>Energy (kWh)</translation>
    </message>
    <message>
        <source>电费</source>
        <translation>Energy cost</translation>
    </message>
    <message>
        <source>插入节点</source>
        <translation>Insert node</translation>
    </message>
    <message>
        <source>删除节点</source>
        <translation>Delete node</translation>
    </message>
    <message>
        <source>移动节点</source>
        <translation>Move node</translation>
    </message>
    <message>
        <source>插入管道</source>
        <translation>Insert pipe</translation>
    </message>
    <message>
        <source>删除管道</source>
        <translation>Delete pipe</translation>
    </message>
    <message>
        <source>移动管道</source>
        <translation>Move pipe</translation>
    </message>
    <message>
        <source>插入水泵</source>
        <translation>Insert pump</translation>
    </message>
    <message>
        <source>删除水泵</source>
        <translation>Delete pump</translation>
    </message>
    <message>
        <source>移动水泵</source>
        <translation>Move pump</translation>
    </message>
    <message>
        <source>插入阀门</source>
        <translation>Insert valve</translation>
    </message>
    <message>
        <source>删除阀门</source>
        <translation>Delete valve</translation>
    </message>
    <message>
        <source>移动阀门</source>
        <translation>Move valve</translation>
    </message>
    <message>
        <source>插入水池</source>
        <translation>Insert tank</translation>
    </message>
    <message>
        <source>删除水池</source>
        <translation>Delete tank</translation>
    </message>
    <message>
        <source>移动水池</source>
        <translation>Move tank</translation>
    </message>
    <message>
        <source>命名视图</source>
        <translation>Named views</translation>
    </message>
    <message>
        <source>修改图签</source>
        <translation>Edit title block</translation>
    </message>
    <message>
        <source>延时模拟数据</source>
        <translation>Simulation data</translation>
    </message>
    <message>
        <source>从地形取高程</source>
        <translation>Elevations from terrain</translation>
    </message>
    <message>
        <source>来自GIS数据</source>
        <translation>Import from GIS data</translation>
    </message>
    <message>
        <source>当前的WNP文件版本是%1, 要升级到%2吗?</source>
        <translation>The WNP file is version %1. Upgrade it to %2?</translation>
    </message>
    <message>
        <source>%1 的数值 %2 换算为 %3 后不是有限数, 无法写入文本文件</source>
        <translation>A value of %1, %2, is not a finite number in %3 and cannot be written to a text file</translation>
    </message>
    <message>
        <source>%1 的数值 %2 后不是有限数, 无法写入文本文件</source>
        <translation>A value of %1, %2, is not a finite number and cannot be written to a text file</translation>
    </message>
    <message>
        <source>数值 %1 换算为 %2 后不是有限数, 无法写入文本文件</source>
        <translation>The value %1 is not a finite number in %2 and cannot be written to a text file</translation>
    </message>
    <message>
        <source>数值 %1 后不是有限数, 无法写入文本文件</source>
        <translation>The value %1 is not a finite number and cannot be written to a text file</translation>
    </message>
    <message>
        <source>X坐标</source>
        <translation>X coordinate</translation>
    </message>
    <message>
        <source>Y坐标</source>
        <translation>Y coordinate</translation>
    </message>
    <message>
        <source>绝对压力</source>
        <translation>head</translation>
    </message>
    <message>
        <source>闸阀</source>
        <translation>Gate valve</translation>
    </message>
    <message>
        <source>止回阀</source>
        <translation>Check valve</translation>
    </message>
    <message>
        <source>稳压减压阀(PRV)</source>
        <translation>PRV</translation>
    </message>
    <message>
        <source>持压阀(PSV)</source>
        <translation>PSV</translation>
    </message>
    <message>
        <source>流量控制阀(FCV)</source>
        <translation>FCV</translation>
    </message>
    <message>
        <source>节流阀(TCV)</source>
        <translation>TCV</translation>
    </message>
    <message>
        <source>压力破坏阀(PBV)</source>
        <translation>PBV</translation>
    </message>
    <message>
        <source>通用阀(GPV)</source>
        <translation>GPV</translation>
    </message>
    <message>
        <source>节点编号:</source>
        <translation>Node ID:</translation>
    </message>
    <message>
        <source>标高:</source>
        <translation>Elevation:</translation>
    </message>
    <message>
        <source>流量:</source>
        <translation>Flow:</translation>
    </message>
    <message>
        <source>坐标:</source>
        <translation>Coordinates:</translation>
    </message>
    <message>
        <source>压力:</source>
        <translation>Head:</translation>
    </message>
    <message>
        <source>水头:</source>
        <translation>Free head:</translation>
    </message>
    <message>
        <source>管道编号:</source>
        <translation>Pipe ID:</translation>
    </message>
    <message>
        <source>管长:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>管径:</source>
        <translation>Diameter:</translation>
    </message>
    <message>
        <source>粗糙系数:</source>
        <translation>Roughness:</translation>
    </message>
    <message>
        <source>流速:</source>
        <translation>Velocity:</translation>
    </message>
    <message>
        <source>坡度:</source>
        <translation>Slope:</translation>
    </message>
    <message>
        <source>水损:</source>
        <translation>Head loss:</translation>
    </message>
    <message>
        <source>水泵编号:</source>
        <translation>Pump ID:</translation>
    </message>
    <message>
        <source>扬程:</source>
        <translation>Static head:</translation>
    </message>
    <message>
        <source>转速:</source>
        <translation>Rated speed:</translation>
    </message>
    <message>
        <source>阀门编号:</source>
        <translation>Valve ID:</translation>
    </message>
    <message>
        <source>阻力系数:</source>
        <translation>Loss coefficient:</translation>
    </message>
    <message>
        <source>减压量:</source>
        <translation>Pressure drop:</translation>
    </message>
    <message>
        <source>水池编号:</source>
        <translation>Tank ID:</translation>
    </message>
    <message>
        <source>面积:</source>
        <translation>Area:</translation>
    </message>
    <message>
        <source>水位:</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>最低水位:</source>
        <translation>Minimum level:</translation>
    </message>
    <message>
        <source>最高水位:</source>
        <translation>Maximum level:</translation>
    </message>
    <message>
        <source>实供:</source>
        <translation>Delivered:</translation>
    </message>
    <message>
        <source>曲线:</source>
        <translation>Curve:</translation>
    </message>
    <message>
        <source>功率:</source>
        <translation>Power:</translation>
    </message>
    <message>
        <source>类型:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>设定:</source>
        <translation>Setting:</translation>
    </message>
    <message>
        <source>状态:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>%1 %2 的%3乘以模式的最大系数后超出可用范围 (%4)</source>
        <translation>%1 %2: %3 times the largest factor of its pattern is out of the usable range (%4)</translation>
    </message>
    <message>
        <source>节点 %1 在文件中没有定义</source>
        <translation>node %1 is not defined in the file</translation>
    </message>
    <message>
        <source>管段 %1 在文件中没有定义</source>
        <translation>link %1 is not defined in the file</translation>
    </message>
    <message>
        <source>水位</source>
        <translation>head</translation>
    </message>
    <message>
        <source>转速</source>
        <translation>speed</translation>
    </message>
    <message>
        <source>没有打开的图纸。</source>
        <translation>No drawing is open.</translation>
    </message>
    <message>
        <source>新图纸还没有文件名，没有保存。</source>
        <translation>The new drawing has no file name yet; it was not saved.</translation>
    </message>
    <message>
        <source>图纸文件%1在读入后已被其他程序修改，没有覆盖它，图纸没有保存。</source>
        <translation>The drawing file %1 was changed by another program after it was read: it was not overwritten, and the drawing was not saved.</translation>
    </message>
    <message>
        <source>%1第%2行%3，文件已损坏。</source>
        <translation>%1, line %2: %3; the file is damaged.</translation>
    </message>
    <message>
        <source>的SECTION出现在%1段之中(该段没有以ENDSEC结束)</source>
        <translation>SECTION inside the %1 section (which has no ENDSEC)</translation>
    </message>
    <message>
        <source>的SECTION没有段名</source>
        <translation>SECTION without a name</translation>
    </message>
    <message>
        <source>是第二个%1段</source>
        <translation>a second %1 section</translation>
    </message>
    <message>
        <source>的ENDSEC不属于任何段</source>
        <translation>ENDSEC outside any section</translation>
    </message>
    <message>
        <source>的表%1没有以ENDTAB结束</source>
        <translation>table %1 has no ENDTAB</translation>
    </message>
    <message>
        <source>的ENDTAB不属于任何表</source>
        <translation>ENDTAB outside any table</translation>
    </message>
    <message>
        <source>的%1段没有以ENDSEC结束</source>
        <translation>the %1 section has no ENDSEC</translation>
    </message>
    <message>
        <source>图纸%1的对象句柄已用到上限（%2），不能再添加对象。</source>
        <translation>The object handles of the drawing %1 are used up (%2): no object can be added.</translation>
    </message>
    <message>
        <source>图纸%1的结构有误（第%2组: %3），不能写入，原文件未改动；请在CAD程序中修复后再试。</source>
        <translation>The drawing %1 is malformed (group %2: %3): it cannot be written, and the original file is unchanged. Repair it in the CAD program and try again.</translation>
    </message>
    <message>
        <source>段%1没有结束就开始了新的段</source>
        <translation>section %1 not ended before a new one</translation>
    </message>
    <message>
        <source>ENDSEC不在段中</source>
        <translation>ENDSEC outside any section</translation>
    </message>
    <message>
        <source>第二个ENTITIES段</source>
        <translation>a second ENTITIES section</translation>
    </message>
    <message>
        <source>ENTITIES段的结束位置不符</source>
        <translation>the ENTITIES section ends in the wrong place</translation>
    </message>
    <message>
        <source>段%1没有结束</source>
        <translation>section %1 not ended</translation>
    </message>
    <message>
        <source>EOF之后还有内容</source>
        <translation>content after EOF</translation>
    </message>
    <message>
        <source>组不在任何段中</source>
        <translation>a group outside any section</translation>
    </message>
    <message>
        <source>没有ENTITIES段</source>
        <translation>no ENTITIES section</translation>
    </message>
    <message>
        <source>无法读取%1以保留原图纸，图纸没有保存。</source>
        <translation>Cannot read %1 to keep the original drawing; the drawing was not saved.</translation>
    </message>
    <message>
        <source>无法保留原图纸为%1，图纸没有保存。%2</source>
        <translation>Cannot keep the original drawing as %1; the drawing was not saved. %2</translation>
    </message>
    <message>
        <source>写入%1失败（%2: %3），图纸没有保存，原文件未改动。</source>
        <translation>Writing %1 failed (%2: %3): the drawing was not saved, and the original file is unchanged.</translation>
    </message>
    <message>
        <source>%1不是普通文件，不能覆盖，图纸没有保存。</source>
        <translation>%1 is not a regular file and cannot be overwritten; the drawing was not saved.</translation>
    </message>
    <message>
        <source>%1是只读的，不能覆盖，图纸没有保存。</source>
        <translation>%1 is read-only and cannot be overwritten; the drawing was not saved.</translation>
    </message>
    <message>
        <source>无法打开文件%1。</source>
        <translation>Cannot open the file %1.</translation>
    </message>
    <message>
        <source>读取文件%1时出错。</source>
        <translation>Error reading the file %1.</translation>
    </message>
    <message>
        <source>%1是二进制DXF文件，请先在CAD程序中将它另存为ASCII DXF文件。</source>
        <translation>%1 is a binary DXF file: save it as ASCII DXF in the CAD program first.</translation>
    </message>
    <message>
        <source>%1是DWG图纸，请先在CAD程序中将它另存为ASCII DXF文件。</source>
        <translation>%1 is a DWG drawing: save it as ASCII DXF in the CAD program first.</translation>
    </message>
    <message>
        <source>%1第%2行不是DXF组码，文件不是ASCII DXF文件或已损坏。</source>
        <translation>%1, line %2: not a DXF group code; the file is not ASCII DXF, or it is damaged.</translation>
    </message>
    <message>
        <source>%1第%2行的组码后缺少值，文件不完整。</source>
        <translation>%1, line %2: a group code without its value; the file is incomplete.</translation>
    </message>
    <message>
        <source>%1没有以EOF结束，文件不完整。</source>
        <translation>%1 does not end with EOF; the file is incomplete.</translation>
    </message>
    <message>
        <source>%1过大（超过 %2 MB），不能作为DXF图纸读入。</source>
        <translation>%1 is too large (over %2 MB) to be read as a DXF drawing.</translation>
    </message>
    <message>
        <source>当前水位不在最低水位和最高水位之间</source>
        <translation>the present level is not between the minimum and maximum levels</translation>
    </message>
    <message>
        <source>报告时刻过多 (%1 个, 结果约 %2 MB), 上限为 %3 个和 %4 MB: 请加大报告时间步长或缩短历时</source>
        <translation>too many report times (%1, results of about %2 MB); the limits are %3 times and %4 MB: use a longer report step or a shorter duration</translation>
    </message>
    <message>
        <source>控制作用于水池, 未写出</source>
        <translation>Controls acting on a tank: not written</translation>
    </message>
</context>
<context>
    <name>CCurvePointsTable</name>
    <message>
        <source>添加点</source>
        <translation>Add point</translation>
    </message>
    <message>
        <source>删除点</source>
        <translation>Delete point</translation>
    </message>
</context>
<context>
    <name>CEpanetExportCommand</name>
    <message>
        <source>导出 EPANET 文件</source>
        <translation>Export EPANET file</translation>
    </message>
    <message>
        <source>EPANET 文件 (*.inp);;所有文件 (*)</source>
        <translation>EPANET files (*.inp);;All files (*)</translation>
    </message>
    <message>
        <source>无法导出 EPANET 文件
%1</source>
        <translation>Could not export the EPANET file
%1</translation>
    </message>
    <message>
        <source>EPANET 导出报告</source>
        <translation>EPANET export report</translation>
    </message>
    <message>
        <source>写出 </source>
        <translation>Wrote </translation>
    </message>
</context>
<context>
    <name>CEpanetImportCommand</name>
    <message>
        <source>导入 EPANET 文件</source>
        <translation>Import EPANET file</translation>
    </message>
    <message>
        <source>EPANET 文件 (*.inp);;所有文件 (*)</source>
        <translation>EPANET files (*.inp);;All files (*)</translation>
    </message>
    <message>
        <source>需水量取第几小时 (按需水量模式):</source>
        <translation>Demand at hour (by the demand patterns):</translation>
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
        <source>无法导入 EPANET 文件
%1</source>
        <translation>Could not import the EPANET file
%1</translation>
    </message>
    <message>
        <source>编号对照表: </source>
        <translation>ID map: </translation>
    </message>
    <message>
        <source>编号对照表没有写出: </source>
        <translation>The ID map was not written: </translation>
    </message>
    <message>
        <source>EPANET 导入报告</source>
        <translation>EPANET import report</translation>
    </message>
</context>
<context>
    <name>CExportCadDlg</name>
    <message>
        <source>节点:</source>
        <translation>Nodes:</translation>
    </message>
    <message>
        <source>管道:</source>
        <translation>Pipes:</translation>
    </message>
    <message>
        <source>标注:</source>
        <translation>Labels:</translation>
    </message>
    <message>
        <source>其它:</source>
        <translation>Other:</translation>
    </message>
    <message>
        <source>箭头长度:</source>
        <translation>Arrow length:</translation>
    </message>
    <message>
        <source>字体高度:</source>
        <translation>Text height:</translation>
    </message>
    <message>
        <source>节点大小:</source>
        <translation>Node size:</translation>
    </message>
    <message>
        <source>设备大小:</source>
        <translation>Device size:</translation>
    </message>
    <message>
        <source>生成CAD图纸</source>
        <translation>Generate CAD drawing</translation>
    </message>
    <message>
        <source>图纸</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>输出到当前激活的CAD文档</source>
        <translation>Export to the active CAD document</translation>
    </message>
    <message>
        <source>创建新图纸并输出</source>
        <translation>Create a new drawing and export</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>完成后用关联的CAD程序打开图纸</source>
        <translation>Open the drawing in the associated CAD program when done</translation>
    </message>
    <message>
        <source>CAD单位 =</source>
        <translation>CAD unit =</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>图层</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>大小(CAD单位)</source>
        <translation>Sizes (CAD units)</translation>
    </message>
    <message>
        <source>采用建议大小</source>
        <translation>Use proposed sizes</translation>
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
        <source>比例:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <source>大小按CAD单位计。在容纳整个管网的A1图纸上清晰可读的大小: 字体高度 %1, 节点大小 %2, 设备大小 %3, 箭头长度 %4。</source>
        <translation>Sizes are in CAD units. Sizes readable on an A1 sheet holding the whole network: text height %1, node size %2, device size %3, arrow length %4.</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>DXF 文件 (*.dxf);;所有文件 (*.*)</source>
        <translation>DXF files (*.dxf);;All files (*.*)</translation>
    </message>
    <message>
        <source>请键入大于0的数!</source>
        <translation>Please enter a number greater than 0!</translation>
    </message>
    <message>
        <source>需要输入图层名!</source>
        <translation>A layer name is required!</translation>
    </message>
    <message>
        <source>选择文件名不能为空!</source>
        <translation>The file name cannot be empty!</translation>
    </message>
</context>
<context>
    <name>CFindDlg</name>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>节点
管道
水泵
阀门
水池</source>
        <translation>Node
Pipe
Pump
Valve
Tank</translation>
    </message>
    <message>
        <source>输入编号:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>View</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>必须输入编号!</source>
        <translation>An ID is required!</translation>
    </message>
    <message>
        <source>没有找到编号为%1的部件!</source>
        <translation>No object with ID %1 was found!</translation>
    </message>
    <message>
        <source>不能看隐藏的部件!</source>
        <translation>Hidden objects cannot be viewed!</translation>
    </message>
    <message>
        <source>不能看过滤出的部件!</source>
        <translation>Filtered-out objects cannot be viewed!</translation>
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
    <name>CGridPrinter</name>
    <message>
        <source>第%1页</source>
        <translation>Page %1</translation>
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
    <name>CImportCadDlg</name>
    <message>
        <source>提取CAD管网</source>
        <translation>Extract network from CAD</translation>
    </message>
    <message>
        <source>图纸</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>从正在激活的图纸中引入</source>
        <translation>Import from the active drawing</translation>
    </message>
    <message>
        <source>打开新图纸并引入</source>
        <translation>Open a new drawing and import</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>CAD单位 =</source>
        <translation>CAD unit =</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>管道连接判断精度:</source>
        <translation>Pipe connection tolerance:</translation>
    </message>
    <message>
        <source>比例:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <source>实体和图层</source>
        <translation>Entities and layers</translation>
    </message>
    <message>
        <source>搜索全部图层</source>
        <translation>Search all layers</translation>
    </message>
    <message>
        <source>图层名之间用&quot;;&quot;分隔</source>
        <translation>Separate layer names with &quot;;&quot;</translation>
    </message>
    <message>
        <source>图纸的图层: 选中的图层填入上面的图层名</source>
        <translation>The drawing&apos;s layers: the selected ones fill the layer names above</translation>
    </message>
    <message>
        <source>在管道中间接入时打断管道</source>
        <translation>Split pipes where a pipe joins them midway</translation>
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
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>DXF 文件 (*.dxf);;所有文件 (*.*)</source>
        <translation>DXF files (*.dxf);;All files (*.*)</translation>
    </message>
    <message>
        <source>请键入大于%1的数!</source>
        <translation>Please enter a number greater than %1!</translation>
    </message>
    <message>
        <source>选择文件名不能为空!</source>
        <translation>The file name cannot be empty!</translation>
    </message>
    <message>
        <source>需要输入图层名!</source>
        <translation>A layer name is required!</translation>
    </message>
</context>
<context>
    <name>CLiveBalance</name>
    <message>
        <source>自动平差: 管网不连通</source>
        <translation>Live balancing: network not connected</translation>
    </message>
    <message>
        <source>自动平差: 未能平差</source>
        <translation>Live balancing: did not balance</translation>
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
    <message>
        <source>试图执行系统命令失败。</source>
        <translation>Running the system command failed.</translation>
    </message>
    <message>
        <source>%1不是合法的坐标格式!</source>
        <translation>%1 is not a valid coordinate format!</translation>
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
    <name>CModuleLegend</name>
    <message>
        <source>自由水头线</source>
        <translation>Free head contours</translation>
    </message>
    <message>
        <source>绝对水压线</source>
        <translation>Head contours</translation>
    </message>
</context>
<context>
    <name>CNamedViewDlg</name>
    <message>
        <source>定义视图</source>
        <translation>Define Views</translation>
    </message>
    <message>
        <source>左:</source>
        <translation>Left:</translation>
    </message>
    <message>
        <source>上:</source>
        <translation>Top:</translation>
    </message>
    <message>
        <source>右:</source>
        <translation>Right:</translation>
    </message>
    <message>
        <source>下:</source>
        <translation>Bottom:</translation>
    </message>
    <message>
        <source>视图区域</source>
        <translation>View area</translation>
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
        <source>更新</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>字符串不能为空!</source>
        <translation>The text cannot be empty!</translation>
    </message>
    <message>
        <source>视图名称已经存在!</source>
        <translation>A view with this name already exists!</translation>
    </message>
    <message>
        <source>请输入一个数。</source>
        <translation>Please enter a number.</translation>
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
    <name>CNetCostDlg</name>
    <message>
        <source>管道造价计算</source>
        <translation>Pipe cost calculation</translation>
    </message>
    <message>
        <source>造价计算参数</source>
        <translation>Cost parameters</translation>
    </message>
    <message>
        <source>系 数 a：</source>
        <translation>Coefficient a:</translation>
    </message>
    <message>
        <source>系 数 b：</source>
        <translation>Coefficient b:</translation>
    </message>
    <message>
        <source>指 数</source>
        <translation>Exponent</translation>
    </message>
    <message>
        <source>元/千瓦时</source>
        <translation>yuan/kWh</translation>
    </message>
    <message>
        <source>电价系数</source>
        <translation>Electricity price factor</translation>
    </message>
    <message>
        <source>选择管道</source>
        <translation>Selected pipes</translation>
    </message>
    <message>
        <source>计算整个管网</source>
        <translation>Whole network</translation>
    </message>
    <message>
        <source>起始日期：</source>
        <translation>Start date:</translation>
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
        <source>请输入 0 到 %1 之间的数。</source>
        <translation>Please enter a number between 0 and %1.</translation>
    </message>
</context>
<context>
    <name>CNodeFlowDlg</name>
    <message>
        <source>节点流量计算</source>
        <translation>Node demand calculation</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>管网总用水量：</source>
        <translation>Total network demand:</translation>
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
        <source>请输入一个数。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>请输入一个介于0和1e+10之间的数。</source>
        <translation>Please enter a number between 0 and 1e+10.</translation>
    </message>
</context>
<context>
    <name>CNodePropertyDlg</name>
    <message>
        <source>确认建立新节点
模板节点属性
节点属性</source>
        <translation>Confirm new node
Template node properties
Node properties</translation>
    </message>
    <message>
        <source>节点基本数据</source>
        <translation>Node data</translation>
    </message>
    <message>
        <source>节点名称:</source>
        <translation>Node name:</translation>
    </message>
    <message>
        <source>水量与水压</source>
        <translation>Demand and head</translation>
    </message>
    <message>
        <source>其它</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>描述文字:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>详细</source>
        <translation>Detailed</translation>
    </message>
    <message>
        <source>简略</source>
        <translation>Brief</translation>
    </message>
</context>
<context>
    <name>COptionCalcPage</name>
    <message>
        <source>最小服务水头:</source>
        <translation>Minimum service head:</translation>
    </message>
    <message>
        <source>平差后的报告列出自由水头低于此值的节点。一层建筑约需 10 m, 二层 12 m, 以上每多一层加 4 m。</source>
        <translation>After balancing, the report lists the nodes whose free head is below this value. A one-storey building needs about 10 m, two storeys 12 m, and 4 m more for each further storey.</translation>
    </message>
    <message>
        <source>平差</source>
        <translation>Balancing</translation>
    </message>
</context>
<context>
    <name>COptionColorSizePage</name>
    <message>
        <source>背景颜色:</source>
        <translation>Background colour:</translation>
    </message>
    <message>
        <source>等压线颜色:</source>
        <translation>Contour colour:</translation>
    </message>
    <message>
        <source>节点填充颜色:</source>
        <translation>Node fill colour:</translation>
    </message>
    <message>
        <source>节点边框颜色:</source>
        <translation>Node border colour:</translation>
    </message>
    <message>
        <source>管道颜色:</source>
        <translation>Pipe colour:</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation>Sizes</translation>
    </message>
    <message>
        <source>节点大小:</source>
        <translation>Node size:</translation>
    </message>
    <message>
        <source>线宽:</source>
        <translation>Line width:</translation>
    </message>
    <message>
        <source>请输入一个介于%1和%2之间的整数。</source>
        <translation>Please enter a whole number between %1 and %2.</translation>
    </message>
    <message>
        <source>颜色和尺寸</source>
        <translation>Colours and Sizes</translation>
    </message>
</context>
<context>
    <name>COptionGradePage</name>
    <message>
        <source>按标高
按水压
按自由水头
按流量</source>
        <translation>By elevation
By head
By free head
By demand</translation>
    </message>
    <message>
        <source>按流量
按水损
按流速
按管径
按坡度</source>
        <translation>By flow
By head loss
By velocity
By diameter
By gradient</translation>
    </message>
    <message>
        <source>打开颜色分级</source>
        <translation>Colour grading on</translation>
    </message>
    <message>
        <source>小于:</source>
        <translation>Below:</translation>
    </message>
    <message>
        <source>大于:</source>
        <translation>Above:</translation>
    </message>
    <message>
        <source>介于:</source>
        <translation>Between:</translation>
    </message>
    <message>
        <source>节点颜色梯度</source>
        <translation>Node colour grades</translation>
    </message>
    <message>
        <source>管道颜色梯度</source>
        <translation>Pipe colour grades</translation>
    </message>
    <message>
        <source>请键入小于%1的数!</source>
        <translation>Please enter a number less than %1!</translation>
    </message>
    <message>
        <source>请输入一个介于%1和%2之间的数。</source>
        <translation>Please enter a number between %1 and %2.</translation>
    </message>
    <message>
        <source>请键入大于%1的数!</source>
        <translation>Please enter a number greater than %1!</translation>
    </message>
</context>
<context>
    <name>COptionLabelPage</name>
    <message>
        <source>无标注</source>
        <translation>No label</translation>
    </message>
    <message>
        <source>节点编号</source>
        <translation>Node ID</translation>
    </message>
    <message>
        <source>节点流量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>地面标高</source>
        <translation>Ground elevation</translation>
    </message>
    <message>
        <source>绝对压力</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>自由水头</source>
        <translation>Free head</translation>
    </message>
    <message>
        <source>管道编号</source>
        <translation>Pipe ID</translation>
    </message>
    <message>
        <source>管道长度</source>
        <translation>Pipe length</translation>
    </message>
    <message>
        <source>标准管径</source>
        <translation>Nominal diameter</translation>
    </message>
    <message>
        <source>管道流量</source>
        <translation>Pipe flow</translation>
    </message>
    <message>
        <source>管道压降</source>
        <translation>Head loss</translation>
    </message>
    <message>
        <source>水力坡度</source>
        <translation>Hydraulic gradient</translation>
    </message>
    <message>
        <source>管道流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>水泵编号</source>
        <translation>Pump ID</translation>
    </message>
    <message>
        <source>水泵名称</source>
        <translation>Pump name</translation>
    </message>
    <message>
        <source>水泵扬程</source>
        <translation>Pump head</translation>
    </message>
    <message>
        <source>额定转速</source>
        <translation>Rated speed</translation>
    </message>
    <message>
        <source>阀门编号</source>
        <translation>Valve ID</translation>
    </message>
    <message>
        <source>水池编号</source>
        <translation>Tank ID</translation>
    </message>
    <message>
        <source>水池水位</source>
        <translation>Tank level</translation>
    </message>
    <message>
        <source>水池面积</source>
        <translation>Tank area</translation>
    </message>
    <message>
        <source>节点</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>管道</source>
        <translation>Pipe</translation>
    </message>
    <message>
        <source>水泵</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>阀门</source>
        <translation>Valve</translation>
    </message>
    <message>
        <source>水池</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>打开图形标注</source>
        <translation>Show labels on the drawing</translation>
    </message>
    <message>
        <source>倾斜标注文字</source>
        <translation>Slanted label text</translation>
    </message>
    <message>
        <source>总是显示</source>
        <translation>Always shown</translation>
    </message>
    <message>
        <source>图上每像素代表的长度不大于此值时才显示标注; 空: 总是显示</source>
        <translation>Labels are shown only when the length one pixel stands for is at most this value; empty: always shown</translation>
    </message>
    <message>
        <source>最大标注比例:</source>
        <translation>Largest label scale:</translation>
    </message>
    <message>
        <source>请输入一个数。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>标注</source>
        <translation>Labels</translation>
    </message>
</context>
<context>
    <name>COptionPrnLabPage</name>
    <message>
        <source>节点编号</source>
        <translation>Node ID</translation>
    </message>
    <message>
        <source>节点坐标</source>
        <translation>Node coordinates</translation>
    </message>
    <message>
        <source>节点流量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>自由水头</source>
        <translation>Free head</translation>
    </message>
    <message>
        <source>地面标高</source>
        <translation>Ground elevation</translation>
    </message>
    <message>
        <source>绝对压力</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>管道编号</source>
        <translation>Pipe ID</translation>
    </message>
    <message>
        <source>管道长度</source>
        <translation>Pipe length</translation>
    </message>
    <message>
        <source>标准管径</source>
        <translation>Nominal diameter</translation>
    </message>
    <message>
        <source>粗糙系数</source>
        <translation>Roughness coefficient</translation>
    </message>
    <message>
        <source>管道流量</source>
        <translation>Pipe flow</translation>
    </message>
    <message>
        <source>管道流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>水力坡度</source>
        <translation>Hydraulic gradient</translation>
    </message>
    <message>
        <source>管道压降</source>
        <translation>Head loss</translation>
    </message>
    <message>
        <source>节点标注</source>
        <translation>Node labels</translation>
    </message>
    <message>
        <source>管道标注</source>
        <translation>Pipe labels</translation>
    </message>
    <message>
        <source>标注连接符:</source>
        <translation>Label separator:</translation>
    </message>
    <message>
        <source>工程标注</source>
        <translation>Project labels</translation>
    </message>
</context>
<context>
    <name>COptionSavePage</name>
    <message>
        <source> 分钟</source>
        <translation> min</translation>
    </message>
    <message>
        <source>不自动保存</source>
        <translation>No autosave</translation>
    </message>
    <message>
        <source>自动保存恢复文件间隔:</source>
        <translation>Autosave recovery file every:</translation>
    </message>
    <message>
        <source>程序意外退出后, 下次启动时可从恢复文件找回未保存的修改。</source>
        <translation>After an unexpected exit, unsaved changes can be recovered from the recovery file at the next start.</translation>
    </message>
    <message>
        <source>保存时把原文件保留为备份 (文件名.wnp.bak)</source>
        <translation>Keep the original file as a backup when saving (filename.wnp.bak)</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>COptionSheet</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>COptionToolTipPage</name>
    <message>
        <source>节点编号</source>
        <translation>Node ID</translation>
    </message>
    <message>
        <source>节点坐标</source>
        <translation>Node coordinates</translation>
    </message>
    <message>
        <source>节点流量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>地面标高</source>
        <translation>Ground elevation</translation>
    </message>
    <message>
        <source>绝对压力</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>自由水头</source>
        <translation>Free head</translation>
    </message>
    <message>
        <source>管道编号</source>
        <translation>Pipe ID</translation>
    </message>
    <message>
        <source>粗糙系数</source>
        <translation>Roughness coefficient</translation>
    </message>
    <message>
        <source>标准管径</source>
        <translation>Nominal diameter</translation>
    </message>
    <message>
        <source>管道长度</source>
        <translation>Pipe length</translation>
    </message>
    <message>
        <source>管道流量</source>
        <translation>Pipe flow</translation>
    </message>
    <message>
        <source>管道流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>水力坡度</source>
        <translation>Hydraulic gradient</translation>
    </message>
    <message>
        <source>管道压降</source>
        <translation>Head loss</translation>
    </message>
    <message>
        <source>水泵编号</source>
        <translation>Pump ID</translation>
    </message>
    <message>
        <source>水泵名称</source>
        <translation>Pump name</translation>
    </message>
    <message>
        <source>水泵扬程</source>
        <translation>Pump head</translation>
    </message>
    <message>
        <source>额定转速</source>
        <translation>Rated speed</translation>
    </message>
    <message>
        <source>阻力系数</source>
        <translation>Resistance coefficient</translation>
    </message>
    <message>
        <source>阀门编号</source>
        <translation>Valve ID</translation>
    </message>
    <message>
        <source>降压量</source>
        <translation>Head reduction</translation>
    </message>
    <message>
        <source>水池编号</source>
        <translation>Tank ID</translation>
    </message>
    <message>
        <source>水池水位</source>
        <translation>Tank level</translation>
    </message>
    <message>
        <source>水池面积</source>
        <translation>Tank area</translation>
    </message>
    <message>
        <source>节点</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>管道</source>
        <translation>Pipe</translation>
    </message>
    <message>
        <source>水泵</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>阀门</source>
        <translation>Valve</translation>
    </message>
    <message>
        <source>水池</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>打开提示</source>
        <translation>Tooltips on</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tooltips</translation>
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
    <message>
        <source>管径单位</source>
        <translation>Diameter unit</translation>
    </message>
    <message>
        <source>长度单位</source>
        <translation>Length unit</translation>
    </message>
    <message>
        <source>流量单位</source>
        <translation>Flow unit</translation>
    </message>
    <message>
        <source>流速单位</source>
        <translation>Velocity unit</translation>
    </message>
    <message>
        <source>压力单位</source>
        <translation>Pressure unit</translation>
    </message>
    <message>
        <source>水力坡度单位</source>
        <translation>Hydraulic gradient unit</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>CParamCalcDlg</name>
    <message>
        <source>参数计算器</source>
        <translation>Parameter calculator</translation>
    </message>
    <message>
        <source>要改变的参数：</source>
        <translation>Parameter to change:</translation>
    </message>
    <message>
        <source>计算符号：</source>
        <translation>Operator:</translation>
    </message>
    <message>
        <source>改变量：</source>
        <translation>Amount:</translation>
    </message>
    <message>
        <source>应用范围</source>
        <translation>Apply to</translation>
    </message>
    <message>
        <source>整个管网</source>
        <translation>Whole network</translation>
    </message>
    <message>
        <source>选中管网</source>
        <translation>Selected part</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>CPipePropertyDlg</name>
    <message>
        <source>模板管道属性
管道属性</source>
        <translation>Template pipe properties
Pipe properties</translation>
    </message>
    <message>
        <source>管道连接</source>
        <translation>Pipe connection</translation>
    </message>
    <message>
        <source>管道参数</source>
        <translation>Pipe parameters</translation>
    </message>
    <message>
        <source>自动计算管长</source>
        <translation>Compute length automatically</translation>
    </message>
    <message>
        <source>平差按计算内径计算; 两者相同时计算内径随标准管径改变</source>
        <translation>Balancing uses the inner diameter; while both are equal the inner diameter follows the nominal diameter</translation>
    </message>
    <message>
        <source>计算结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>描述文字:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>管长按图形自动计算</source>
        <translation>Pipe length computed from the drawing</translation>
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
    <name>CPropertyDlg</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>反向连接</source>
        <translation>Reverse connection</translation>
    </message>
</context>
<context>
    <name>CPropertyEditor</name>
    <message>
        <source>修改节点属性</source>
        <translation>Change node properties</translation>
    </message>
    <message>
        <source>修改管道属性</source>
        <translation>Change pipe properties</translation>
    </message>
    <message>
        <source>修改水泵属性</source>
        <translation>Change pump properties</translation>
    </message>
    <message>
        <source>修改阀门属性</source>
        <translation>Change valve properties</translation>
    </message>
    <message>
        <source>修改水池属性</source>
        <translation>Change tank properties</translation>
    </message>
    <message>
        <source>修改属性</source>
        <translation>Change properties</translation>
    </message>
</context>
<context>
    <name>CPumpPropertyDlg</name>
    <message>
        <source>模板水泵属性
水泵属性</source>
        <translation>Template pump properties
Pump properties</translation>
    </message>
    <message>
        <source>水泵</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>水泵名称:</source>
        <translation>Pump name:</translation>
    </message>
    <message>
        <source>水泵参数</source>
        <translation>Pump parameters</translation>
    </message>
    <message>
        <source>水泵特性曲线</source>
        <translation>Pump characteristic curve</translation>
    </message>
    <message>
        <source>流量 (%1)</source>
        <translation>Flow (%1)</translation>
    </message>
    <message>
        <source>扬程 (%1)</source>
        <translation>Head (%1)</translation>
    </message>
    <message>
        <source>曲线上的点:</source>
        <translation>Points on the curve:</translation>
    </message>
    <message>
        <source>描述文字:</source>
        <translation>Description:</translation>
    </message>
</context>
<context>
    <name>CQENApp</name>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>无法打开文件 %1。</source>
        <translation>Cannot open the file %1.</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>CQENDoc</name>
    <message>
        <source>模拟 %1</source>
        <translation>Simulation %1</translation>
    </message>
    <message>
        <source>无法打开文件
%1</source>
        <translation>Cannot open the file
%1</translation>
    </message>
    <message>
        <source>无法恢复文件
%1</source>
        <translation>Cannot recover the file
%1</translation>
    </message>
    <message>
        <source>无法保存文件
%1</source>
        <translation>Cannot save the file
%1</translation>
    </message>
    <message>
        <source>是否保存对 %1 的更改?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source> (已修改)</source>
        <translation> (modified)</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>CQENDocManager</name>
    <message>
        <source>QEN Files (*.wnp);;文本文件(*.txt);;所有文件 (*)</source>
        <translation>QEN Files (*.wnp);;Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>文本文件(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
</context>
<context>
    <name>CQENGridView</name>
    <message>
        <source>节点
管道
水泵
阀门
水池</source>
        <translation>Node
Pipe
Pump
Valve
Tank</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
</context>
<context>
    <name>CQENModuleView</name>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>观察角...</source>
        <translation>View Angle...</translation>
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
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>实时平移</source>
        <translation>Real-time pan</translation>
    </message>
    <message>
        <source>实时缩放</source>
        <translation>Real-time zoom</translation>
    </message>
    <message>
        <source>回退</source>
        <translation>Zoom Previous</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>窗口放大</source>
        <translation>Zoom Window</translation>
    </message>
    <message>
        <source>全图缩放</source>
        <translation>Zoom Extents</translation>
    </message>
    <message>
        <source>显示工程标注</source>
        <translation>Show Project Labels</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>选择背景</source>
        <translation>Choose Background</translation>
    </message>
    <message>
        <source>清空背景将减小文档大小，
你确认吗?</source>
        <translation>Clearing the background makes the document smaller.
Are you sure?</translation>
    </message>
    <message>
        <source>清空背景</source>
        <translation>Clear Background</translation>
    </message>
    <message>
        <source>显示背景</source>
        <translation>Show Background</translation>
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
    <name>CReportProgress</name>
    <message>
        <source>正在生成计算书...</source>
        <translation>Writing the calculation report...</translation>
    </message>
    <message>
        <source>正在为计算书平差各工况, 请稍候...</source>
        <translation>Balancing the cases for the report, please wait...</translation>
    </message>
    <message>
        <source>确认终止生成计算书吗?</source>
        <translation>Stop writing the calculation report?</translation>
    </message>
</context>
<context>
    <name>CReportWindow</name>
    <message>
        <source>无报告输出</source>
        <translation>No report output</translation>
    </message>
</context>
<context>
    <name>CRunProgress</name>
    <message>
        <source>确认终止%1吗?</source>
        <translation>Stop the %1?</translation>
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
    <message>
        <source>延时模拟数据有误: %1</source>
        <translation>The extended period simulation data are invalid: %1</translation>
    </message>
    <message>
        <source>请检查管网数据。</source>
        <translation>Please check the network data.</translation>
    </message>
    <message>
        <source>延时模拟在 %1 被终止。</source>
        <translation>The extended period simulation was stopped at %1.</translation>
    </message>
    <message>
        <source>达到迭代次数上限仍未收敛</source>
        <translation>the iteration limit was reached without convergence</translation>
    </message>
    <message>
        <source>没有足够的已知水压节点</source>
        <translation>not enough fixed-head nodes</translation>
    </message>
    <message>
        <source>平差计算发散, 可能有部分管网被关闭的水泵、阀门或管道与所有已知水压节点隔开</source>
        <translation>balancing diverged; part of the network may be cut off from every fixed-head node by closed pumps, valves or pipes</translation>
    </message>
    <message>
        <source>平差计算发散</source>
        <translation>balancing diverged</translation>
    </message>
    <message>
        <source>状态 %1</source>
        <translation>status %1</translation>
    </message>
    <message>
        <source>延时模拟在 %1 (第 %2 小时) 不能平差: %3。</source>
        <translation>At %1 (hour %2) the extended period simulation could not balance: %3.</translation>
    </message>
    <message>
        <source>延时模拟在 %1 (第 %2 小时) 不能平差: %3, 节点%4。</source>
        <translation>At %1 (hour %2) the extended period simulation could not balance: %3, node %4.</translation>
    </message>
    <message>
        <source>时间步数: %1</source>
        <translation>Time steps: %1</translation>
    </message>
    <message>
        <source>平差次数: %1 (迭代 %2 次)</source>
        <translation>Balancings: %1 (%2 iterations)</translation>
    </message>
    <message>
        <source>报告时刻: %1</source>
        <translation>Reporting times: %1</translation>
    </message>
    <message>
        <source>最低自由水压: %1 %2, 节点%3, %4</source>
        <translation>Lowest free head: %1 %2, node %3, %4</translation>
    </message>
    <message>
        <source>水池%1 充满于 %2</source>
        <translation>Tank %1 full at %2</translation>
    </message>
    <message>
        <source>水池%1 放空于 %2</source>
        <translation>Tank %1 empty at %2</translation>
    </message>
    <message>
        <source>有设备反复开关 (保留最后状态) 的时刻: %1 个, 首次 %2</source>
        <translation>Times with devices switching back and forth (last state kept): %1, first at %2</translation>
    </message>
    <message>
        <source>水泵能耗:</source>
        <translation>Pump energy:</translation>
    </message>
    <message>
        <source>  水泵%1: %2 kWh, 费用 %3, 运行 %4 小时</source>
        <translation>  Pump %1: %2 kWh, cost %3, running %4 h</translation>
    </message>
    <message>
        <source>  合计: %1 kWh, 费用 %2</source>
        <translation>  Total: %1 kWh, cost %2</translation>
    </message>
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
    <name>CSimulationCommands</name>
    <message>
        <source>管网已修改, 延时模拟结果已过期, 请重新进行延时模拟。</source>
        <translation>The network has changed: the extended period simulation results are out of date. Please run the simulation again.</translation>
    </message>
    <message>
        <source>请先选择要看过程线的节点、管道、水泵、阀门或水池。</source>
        <translation>Please first select the nodes, pipes, pumps, valves or tanks whose time series you want to see.</translation>
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
    <message>
        <source>正在逐个计算...</source>
        <translation>Working through the objects...</translation>
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
    <name>CTankPropertyDlg</name>
    <message>
        <source>模板水池属性
水池属性</source>
        <translation>Template tank properties
Tank properties</translation>
    </message>
    <message>
        <source>水池</source>
        <translation>Tank</translation>
    </message>
    <message>
        <source>水池参数</source>
        <translation>Tank parameters</translation>
    </message>
    <message>
        <source>描述文字:</source>
        <translation>Description:</translation>
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
    <name>CValvePropertyDlg</name>
    <message>
        <source>模板阀门属性
阀门属性</source>
        <translation>Template valve properties
Valve properties</translation>
    </message>
    <message>
        <source>阀门</source>
        <translation>Valve</translation>
    </message>
    <message>
        <source>阀门参数</source>
        <translation>Valve parameters</translation>
    </message>
    <message>
        <source>阀门开启度:</source>
        <translation>Valve opening:</translation>
    </message>
    <message>
        <source>控制阀</source>
        <translation>Control valve</translation>
    </message>
    <message>
        <source>流量 (%1)</source>
        <translation>Flow (%1)</translation>
    </message>
    <message>
        <source>水头损失 (%1)</source>
        <translation>Head loss (%1)</translation>
    </message>
    <message>
        <source>水头损失曲线:</source>
        <translation>Head loss curve:</translation>
    </message>
    <message>
        <source>描述文字:</source>
        <translation>Description:</translation>
    </message>
</context>
<context>
    <name>CViewEditor</name>
    <message>
        <source>节点属性(&amp;N)</source>
        <translation>&amp;Node Properties</translation>
    </message>
    <message>
        <source>管道属性(&amp;P)</source>
        <translation>&amp;Pipe Properties</translation>
    </message>
    <message>
        <source>水泵属性(&amp;U)</source>
        <translation>P&amp;ump Properties</translation>
    </message>
    <message>
        <source>阀门属性(&amp;V)</source>
        <translation>&amp;Valve Properties</translation>
    </message>
    <message>
        <source>水池属性(&amp;T)</source>
        <translation>&amp;Tank Properties</translation>
    </message>
    <message>
        <source>退出编辑</source>
        <translation>Leave Editing</translation>
    </message>
    <message>
        <source>连续</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>自动连接</source>
        <translation>Auto Connect</translation>
    </message>
    <message>
        <source>不连接</source>
        <translation>Do Not Connect</translation>
    </message>
    <message>
        <source>作为流量节点</source>
        <translation>Make it a flow node</translation>
    </message>
    <message>
        <source>作为图形折点</source>
        <translation>As Bend Point</translation>
    </message>
</context>
<context>
    <name>CViewpointDlg</name>
    <message>
        <source>观察点参数</source>
        <translation>Viewpoint Parameters</translation>
    </message>
    <message>
        <source>旋转角度</source>
        <translation>Rotation angles</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Cancel</translation>
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
    <message>
        <source>自动平差(&amp;A)</source>
        <translation>&amp;Live Balancing</translation>
    </message>
    <message>
        <source>每次修改管网后在后台重新平差</source>
        <translation>Balance again in the background after every change to the network</translation>
    </message>
</context>
<context>
    <name>CurvePoints</name>
    <message>
        <source>第%1点: 请输入一个数。</source>
        <translation>Point %1: please enter a number.</translation>
    </message>
    <message>
        <source>%1至少需要%2个点。</source>
        <translation>%1 needs at least %2 points.</translation>
    </message>
    <message>
        <source>%1只能有%2个点。</source>
        <translation>%1 can have only %2 points.</translation>
    </message>
    <message>
        <source>%1第%2点的流量和%3不能为负数。</source>
        <translation>At point %2 of %1 the flow and the %3 cannot be negative.</translation>
    </message>
    <message>
        <source>扬程</source>
        <translation>head</translation>
    </message>
    <message>
        <source>水头损失</source>
        <translation>head loss</translation>
    </message>
    <message>
        <source>%1第%2点的流量必须大于前一点。</source>
        <translation>At point %2 of %1 the flow must be greater than at the previous point.</translation>
    </message>
    <message>
        <source>%1第%2点的扬程随流量上升: 扬程必须随流量下降。</source>
        <translation>At point %2 of %1 the head rises with the flow: the head must fall as the flow rises.</translation>
    </message>
    <message>
        <source>%1第%2点的水头损失随流量下降: 水头损失必须随流量上升。</source>
        <translation>At point %2 of %1 the head loss falls as the flow rises: the head loss must rise with the flow.</translation>
    </message>
</context>
<context>
    <name>PropertyForm</name>
    <message>
        <source>请输入一个介于%1和%2之间的%3。</source>
        <translation>Please enter a %3 between %1 and %2.</translation>
    </message>
    <message>
        <source>整数</source>
        <translation>whole number</translation>
    </message>
    <message>
        <source>数</source>
        <translation>number</translation>
    </message>
    <message>
        <source>编号%1已经存在!</source>
        <translation>The ID %1 already exists!</translation>
    </message>
    <message>
        <source>编号%1太长或含有不能保存的字符!</source>
        <translation>The ID %1 is too long or holds characters that cannot be saved!</translation>
    </message>
    <message>
        <source>请输入一个整数。</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>请输入一个数。</source>
        <translation>Please enter a number.</translation>
    </message>
</context>
<context>
    <name>PumpPropertyForm</name>
    <message>
        <source>水泵特性曲线</source>
        <translation>Pump characteristic curve</translation>
    </message>
    <message>
        <source>恒功率水泵的功率必须大于0。</source>
        <translation>The power of a constant-power pump must be greater than 0.</translation>
    </message>
    <message>
        <source>一点曲线的设计流量和扬程必须大于0。</source>
        <translation>The design flow and head of a one-point curve must be greater than 0.</translation>
    </message>
    <message>
        <source>三点曲线的第1点是流量为0时的关死扬程。</source>
        <translation>The first point of a three-point curve is the shut-off head at zero flow.</translation>
    </message>
    <message>
        <source>水泵特性曲线的扬程必须随流量严格下降。</source>
        <translation>The head of a pump characteristic curve must fall strictly as the flow rises.</translation>
    </message>
</context>
<context>
    <name>QtPrompt</name>
    <message>
        <source>恢复</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>以后再说</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>ValvePropertyForm</name>
    <message>
        <source>通用阀水头损失曲线</source>
        <translation>General purpose valve head loss curve</translation>
    </message>
    <message>
        <source>节流阀的阀门直径必须大于0 (损失系数按阀门直径计算)。</source>
        <translation>The diameter of a throttle control valve must be greater than 0 (its loss coefficient is based on the valve diameter).</translation>
    </message>
</context>
<context>
    <name>ZBkDibLoader</name>
    <message>
        <source>无法打开背景位图&quot;%1&quot;!</source>
        <translation>Cannot open the background bitmap &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>图像文件 (*.bmp *.png *.jpg *.jpeg *.tif *.tiff *.gif);;位图 文件 (*.bmp);;所有文件 (*.*)</source>
        <translation>Image files (*.bmp *.png *.jpg *.jpeg *.tif *.tiff *.gif);;Bitmap files (*.bmp);;All files (*.*)</translation>
    </message>
</context>
<context>
    <name>ZDeviceLinkWS</name>
    <message>
        <source>插入水泵: 点击入口节点, 点在空白处新建节点 (Esc 退出)</source>
        <translation>Insert pump: click the inlet node, click empty space for a new node (Esc to leave)</translation>
    </message>
    <message>
        <source>删除水泵: 点击要删除的水泵 (Esc 退出)</source>
        <translation>Delete pump: click the pump to delete (Esc to leave)</translation>
    </message>
    <message>
        <source>插入阀门: 点击入口节点, 点在空白处新建节点 (Esc 退出)</source>
        <translation>Insert valve: click the inlet node, click empty space for a new node (Esc to leave)</translation>
    </message>
    <message>
        <source>删除阀门: 点击要删除的阀门 (Esc 退出)</source>
        <translation>Delete valve: click the valve to delete (Esc to leave)</translation>
    </message>
    <message>
        <source>插入水池: 点击出口节点, 点在空白处新建节点 (Esc 退出)</source>
        <translation>Insert tank: click the outlet node, click empty space for a new node (Esc to leave)</translation>
    </message>
    <message>
        <source>删除水池: 点击要删除的水池 (Esc 退出)</source>
        <translation>Delete tank: click the tank to delete (Esc to leave)</translation>
    </message>
    <message>
        <source>不能连接节点%1!</source>
        <translation>Cannot connect node %1!</translation>
    </message>
    <message>
        <source>这不是要删除的设备。</source>
        <translation>This is not the device to delete.</translation>
    </message>
    <message>
        <source>这里没有设备。</source>
        <translation>There is no device here.</translation>
    </message>
    <message>
        <source>确认删除设备%1吗?</source>
        <translation>Delete device %1?</translation>
    </message>
</context>
<context>
    <name>ZFlowNodeWS</name>
    <message>
        <source>插入节点: 点击管道上要插入节点的位置 (Esc 退出)</source>
        <translation>Insert node: click the point of a pipe where the node goes (Esc to leave)</translation>
    </message>
    <message>
        <source>删除节点: 点击要删除的节点 (Esc 退出)</source>
        <translation>Delete node: click the node to delete (Esc to leave)</translation>
    </message>
    <message>
        <source>移动节点: 点击新位置, 点在另一节点上则与它合并 (Esc 退出)</source>
        <translation>Move node: click the new position; on another node it merges with it (Esc to leave)</translation>
    </message>
    <message>
        <source>移动节点: 点击要移动的节点 (Esc 退出)</source>
        <translation>Move node: click the node to move (Esc to leave)</translation>
    </message>
    <message>
        <source>节点只能插在管道上, 不能插在设备上。</source>
        <translation>Nodes can be inserted only on pipes, not on devices.</translation>
    </message>
    <message>
        <source>这里没有管道: 节点只能插在管道上。</source>
        <translation>There is no pipe here: nodes can be inserted only on pipes.</translation>
    </message>
    <message>
        <source>这里是管道的端点: 请点在管道中间。</source>
        <translation>This is the end of a pipe: please click in the middle of the pipe.</translation>
    </message>
    <message>
        <source>确认删除%1吗?</source>
        <translation>Delete %1?</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source> 等 %1 条管段</source>
        <translation> (%1 pipes in all)</translation>
    </message>
    <message>
        <source>与它相连的%1将一起删除。</source>
        <translation>Connected to it, %1 will be deleted too.</translation>
    </message>
    <message>
        <source>%1只连着这个节点, 也将一起删除。</source>
        <translation>%1 is connected only to this node and will be deleted too.</translation>
    </message>
    <message>
        <source>这里没有节点。</source>
        <translation>There is no node here.</translation>
    </message>
    <message>
        <source>合并节点失败, 设备不能连接太多的管道!</source>
        <translation>Merging the nodes failed: a device cannot connect that many pipes!</translation>
    </message>
    <message>
        <source>管道不能连接同一节点!</source>
        <translation>A pipe cannot connect a node to itself!</translation>
    </message>
</context>
<context>
    <name>ZGradeLegend</name>
    <message>
        <source>节点地面标高</source>
        <translation>Node ground elevation</translation>
    </message>
    <message>
        <source>节点水压</source>
        <translation>Node head</translation>
    </message>
    <message>
        <source>节点自由水头</source>
        <translation>Node free head</translation>
    </message>
    <message>
        <source>节点流量</source>
        <translation>Demand</translation>
    </message>
    <message>
        <source>管道流量</source>
        <translation>Pipe flow</translation>
    </message>
    <message>
        <source>管道水损</source>
        <translation>Pipe head loss</translation>
    </message>
    <message>
        <source>管道流速</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>管径</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>管道坡度</source>
        <translation>Pipe gradient</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
</context>
<context>
    <name>ZPipeLinkWS</name>
    <message>
        <source>插入管道: 点击终端节点; 点在空白处新建节点或加折点 (Esc 放弃这根管道)</source>
        <translation>Insert pipe: click the end node; click empty space for a new node or a bend (Esc to drop this pipe)</translation>
    </message>
    <message>
        <source>插入管道: 点击起端节点, 点在空白处新建节点 (Esc 退出)</source>
        <translation>Insert pipe: click the start node, click empty space for a new node (Esc to leave)</translation>
    </message>
    <message>
        <source>删除管道: 点击要删除的管道 (Esc 退出)</source>
        <translation>Delete pipe: click the pipe to delete (Esc to leave)</translation>
    </message>
    <message>
        <source>移动管道: 点击新位置 (Esc 退出)</source>
        <translation>Move pipe: click the new position (Esc to leave)</translation>
    </message>
    <message>
        <source>移动管道: 点击要移动的管道 (Esc 退出)</source>
        <translation>Move pipe: click the pipe to move (Esc to leave)</translation>
    </message>
    <message>
        <source>不能连接节点%1!</source>
        <translation>Cannot connect node %1!</translation>
    </message>
    <message>
        <source>管道不能连接同一节点!</source>
        <translation>A pipe cannot connect a node to itself!</translation>
    </message>
    <message>
        <source>节点编号%1已经存在!</source>
        <translation>Node ID %1 already exists!</translation>
    </message>
    <message>
        <source>这不是管道。</source>
        <translation>This is not a pipe.</translation>
    </message>
    <message>
        <source>这里没有管道。</source>
        <translation>There is no pipe here.</translation>
    </message>
    <message>
        <source>确认删除管道%1吗?</source>
        <translation>Delete pipe %1?</translation>
    </message>
    <message>
        <source>%1只连着这根管道, 将一起删除。</source>
        <translation>%1 is connected only to this pipe and will be deleted with it.</translation>
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
<context>
    <name>ZWorkShop</name>
    <message>
        <source>管道%1</source>
        <translation>pipe %1</translation>
    </message>
    <message>
        <source>节点%1</source>
        <translation>node %1</translation>
    </message>
    <message>
        <source>水泵%1</source>
        <translation>pump %1</translation>
    </message>
    <message>
        <source>阀门%1</source>
        <translation>valve %1</translation>
    </message>
    <message>
        <source>水池%1</source>
        <translation>tank %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source> (节点水量 %1 %2)</source>
        <translation> (node demand %1 %2)</translation>
    </message>
    <message>
        <source> (已知水压)</source>
        <translation> (fixed head)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>QEN 给水管网平差</source>
        <translation>QEN water supply network balancing</translation>
    </message>
    <message>
        <source>打印文件后退出</source>
        <translation>Print the files and exit</translation>
    </message>
    <message>
        <source>不开窗口, 把 FILE 的管网图写成 PNG 或 PDF 文件 OUT</source>
        <translation>Without a window, write the network drawing of FILE as the PNG or PDF file OUT</translation>
    </message>
    <message>
        <source>图片大小</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>出图前先平差</source>
        <translation>Balance before drawing</translation>
    </message>
    <message>
        <source>画等压线: head 绝对水压线, free 自由水头线</source>
        <translation>Draw contours: head for head contours, free for free head contours</translation>
    </message>
    <message>
        <source>等压间隔 (m)</source>
        <translation>Contour interval (m)</translation>
    </message>
    <message>
        <source>节点按自由水头、管道按流速分级着色, 并画出图例</source>
        <translation>Colour nodes by free head and pipes by velocity, and draw the legend</translation>
    </message>
    <message>
        <source>画成出图样式: 图框、图例、比例尺、指北针和图签</source>
        <translation>Draw as a plot sheet: frame, legend, scale bar, north arrow and title block</translation>
    </message>
    <message>
        <source>不开窗口, 把 FILE 的平差计算书写成 PDF 或 XLSX 文件 OUT</source>
        <translation>Without a window, write the balancing report of FILE as the PDF or XLSX file OUT</translation>
    </message>
    <message>
        <source>计算书的工况: peak,fire,accident</source>
        <translation>Cases of the report: peak,fire,accident</translation>
    </message>
    <message>
        <source>计算书的工程名称</source>
        <translation>Project name of the report</translation>
    </message>
    <message>
        <source>界面语言: zh 中文, en English</source>
        <translation>Interface language: zh Chinese, en English</translation>
    </message>
    <message>
        <source>要打开的 .wnp 或 .txt 文件</source>
        <translation>.wnp or .txt files to open</translation>
    </message>
    <message>
        <source>计算书加入延时模拟结果</source>
        <translation>Add the extended-period simulation results to the report</translation>
    </message>
    <message>
        <source>计算书加入各节点的可用消防流量</source>
        <translation>Add every node&apos;s available fire flow to the report</translation>
    </message>
    <message>
        <source>计算书加入逐根管道失效校核</source>
        <translation>Add the check of every single pipe failure to the report</translation>
    </message>
</context>
</TS>
