<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>HistoryTexts</name>
    <message>
        <source>%1 中的值：%2</source>
        <translation>In %1: %2</translation>
    </message>
    <message>
        <source>%1 中的值（设置：值）：</source>
        <translation>In %1 (setting: value):</translation>
    </message>
    <message>
        <source>此页有 %1 项设置与 %2 中的不同</source>
        <translation>%1 settings on this page differ from %2</translation>
    </message>
    <message>
        <source>采用 %1 中的值（%2）</source>
        <translation>Take the value in %1 (%2)</translation>
    </message>
    <message>
        <source>所有页面采用 %1 中的值</source>
        <translation>All pages to the values in %1</translation>
    </message>
    <message>
        <source>与文件比较…</source>
        <translation>Compare with file…</translation>
    </message>
    <message>
        <source>与遥控器比较</source>
        <translation>Compare with the transmitter</translation>
    </message>
    <message>
        <source>比较对象：%1</source>
        <translation>Comparing with %1</translation>
    </message>
    <message>
        <source>在页面上打开…</source>
        <translation>Open on the pages…</translation>
    </message>
    <message>
        <source>已在页面上打开 %1，未发送：</source>
        <translation>Opened %1 on the pages, nothing sent:</translation>
    </message>
    <message>
        <source>历史…</source>
        <translation>History…</translation>
    </message>
    <message>
        <source>遥控器的历史</source>
        <translation>Transmitter history</translation>
    </message>
    <message>
        <source>时间|事件|端口|与前一项的不同</source>
        <translation>Time|Event|Port|Differs from the entry before</translation>
    </message>
    <message>
        <source>读取|写入|载入|恢复出厂设置|写入前|载入前|恢复出厂设置前</source>
        <translation>read|write|load|factory reset|before a write|before a load|before a factory reset</translation>
    </message>
    <message>
        <source>%1 项：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>（最早的一项）</source>
        <translation>(the oldest entry)</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>the same</translation>
    </message>
    <message>
        <source>与页面比较</source>
        <translation>Compare with the pages</translation>
    </message>
    <message>
        <source>放到页面上</source>
        <translation>Put on the pages</translation>
    </message>
    <message>
        <source>另存为文件…</source>
        <translation>Save as file…</translation>
    </message>
    <message>
        <source>在文件夹中显示</source>
        <translation>Show in folder</translation>
    </message>
    <message>
        <source>历史 %1</source>
        <translation>history %1</translation>
    </message>
    <message>
        <source>历史无法保存：%1</source>
        <translation>The history cannot be kept: %1</translation>
    </message>
    <message>
        <source>最近的文件</source>
        <translation>Recent files</translation>
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
    <name>DifferenceTexts</name>
    <message>
        <source>遥控器中的值：%1</source>
        <translation>The transmitter holds: %1</translation>
    </message>
    <message>
        <source>遥控器中的值（设置：遥控器中的值）：</source>
        <translation>The transmitter holds (setting: held):</translation>
    </message>
    <message>
        <source>此页有 %1 项设置与遥控器中的不同</source>
        <translation>%1 settings on this page differ from the transmitter</translation>
    </message>
    <message>
        <source>恢复为遥控器中的值（%1）</source>
        <translation>Back to the transmitter&apos;s value (%1)</translation>
    </message>
    <message>
        <source>所有页面恢复为遥控器中的值</source>
        <translation>All pages back to the transmitter&apos;s values</translation>
    </message>
    <message>
        <source>页面上已标出不同的设置。请再次写入，或按 %1 恢复为遥控器中的值（也可右键单击标出的设置）。</source>
        <translation>The pages mark the settings that differ. Write again, or press %1 to take the transmitter&apos;s values back (or right-click a marked setting).</translation>
    </message>
    <message>
        <source>请检查连接线，并确认遥控器已打开，然后再次写入；或读取遥控器，查看它保存的设置。</source>
        <translation>Check the cable and that the transmitter is on, then write again; or read to see what the transmitter holds.</translation>
    </message>
    <message>
        <source>写入并关闭</source>
        <translation>Write and close</translation>
    </message>
    <message>
        <source>不写入就关闭</source>
        <translation>Close without writing</translation>
    </message>
    <message>
        <source>遥控器尚未读取：读取后才能与遥控器中的值比较</source>
        <translation>The transmitter has not been read: read it to compare with what it holds</translation>
    </message>
</context>
<context>
    <name>FileTexts</name>
    <message>
        <source>保存数据</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>文本文件 (*.txt *.dat);;所有文件 (*)</source>
        <translation>Text files (*.txt *.dat);;All files (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>不能读取指定的文件!</source>
        <translation>Cannot read the specified file!</translation>
    </message>
</context>
<context>
    <name>GuardTexts</name>
    <message>
        <source>遥控器上的所有设置都将被出厂设置替换。是否继续？</source>
        <translation>Every setting on the transmitter will be replaced by the factory settings. Continue?</translation>
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
        <source>已加载并发送 %1：</source>
        <translation>Loaded and sent %1:</translation>
    </message>
    <message>
        <source>已修复（%1）</source>
        <translation>repaired (%1)</translation>
    </message>
    <message>
        <source>已将 %1 载入页面，未发送（没有打开串口）：</source>
        <translation>Loaded %1 onto the pages, not sent (no port is open):</translation>
    </message>
    <message>
        <source>%1：不是配置文件（其中没有一组完整的设置），
未发送任何数据。</source>
        <translation>%1: not a configuration file (it holds no complete group of settings). Nothing was sent.</translation>
    </message>
    <message>
        <source>不完整：文件中没有%1，这些设置保持原值</source>
        <translation>short: the file holds no %1; those settings stay as they were</translation>
    </message>
    <message>
        <source>通道设置（相位、中点、行程、失控保护、辅助通道）、遥控器报警电压、摇杆模式</source>
        <translation>channel settings (reverse, sub-trim, end points, fail-safe, aux channels), transmitter alarm, stick mode</translation>
    </message>
    <message>
        <source>舵机延迟、姿态、升降副翼和 V 型尾翼混控、大小舵开关、混控一和二</source>
        <translation>servo delays, flight modes, elevon and V-tail mixes, dual-rate switch, mixes 1 and 2</translation>
    </message>
    <message>
        <source>大小舵比率和曲线、油门曲线、混控三和四、接收机和动力电池报警、RSSI</source>
        <translation>dual rates and their curves, throttle curve, mixes 3 and 4, receiver and battery alarms, RSSI</translation>
    </message>
    <message>
        <source>摇杆微调和步长</source>
        <translation>stick trims and trim steps</translation>
    </message>
    <message>
        <source>；</source>
        <comment>between what frames carry</comment>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>LinkTexts</name>
    <message>
        <source>关闭串口</source>
        <translation>CLOSE</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>无法打开串口！</source>
        <comment>the port would not open</comment>
        <translation>Cannot open the serial port!</translation>
    </message>
    <message>
        <source>无法打开串口！</source>
        <comment>no port is open</comment>
        <translation>Please open the serial port!</translation>
    </message>
    <message>
        <source>串口已断开！</source>
        <translation>Serial port disconnected!</translation>
    </message>
    <message>
        <source>读取不完整，请重试！</source>
        <translation>Read incomplete, please try again!</translation>
    </message>
    <message>
        <source>遥控器没有应答：请检查遥控器是否已开机，以及所选的是否是它的串口。</source>
        <translation>The transmitter did not answer: is it switched on, and is this its port?</translation>
    </message>
    <message>
        <source>收到 %1/%2 组设置，页面没有改变。</source>
        <translation>%1 of %2 settings groups came; the pages are unchanged.</translation>
    </message>
    <message>
        <source>收到了数据，但其中没有可用的应答（线路上可能有干扰），页面没有改变。</source>
        <translation>Data came, but none of it was a usable answer (noise on the line?); the pages are unchanged.</translation>
    </message>
    <message>
        <source>还没有读取遥控器中的设置。写入会用页面上的值替换遥控器中的全部设置，包括没有读取过的微调、行程、失控保护和报警设置。
先读取：读取遥控器，页面上已做的修改保留在读取的值之上，不发送任何数据。</source>
        <translation>The transmitter&apos;s settings have not been read yet. Writing replaces every setting it holds with the pages&apos; values, also the trims, end points, fail-safes and alarms never read from it.
Read first: reads the transmitter and keeps the edits made on the pages on top of what it holds; nothing is sent.</translation>
    </message>
    <message>
        <source>先读取</source>
        <translation>Read first</translation>
    </message>
    <message>
        <source>仍然写入</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>输入串口路径…</source>
        <translation>Type a port path…</translation>
    </message>
    <message>
        <source>串口的路径，例如模拟遥控器的 /dev/pts/3，或 /dev/serial/by-id/ 下的名称：</source>
        <translation>The port's path, such as the simulator's /dev/pts/3, or a name under /dev/serial/by-id/:</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Zarvik&amp;Quorel-V5.1</source>
        <translation>Zarvik&amp;Quorel-V5.1</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>OPEN</translation>
    </message>
    <message>
        <source>遥控:</source>
        <translation>TX:</translation>
    </message>
    <message>
        <source>动力:</source>
        <translation>Power:</translation>
    </message>
    <message>
        <source>信号:</source>
        <translation>Signal:</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source> 0.0V</source>
        <translation> 0.0V</translation>
    </message>
    <message>
        <source>出厂设置</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source> 读取数据</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>加载数据</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>接收:</source>
        <translation>RX:</translation>
    </message>
    <message>
        <source>舵量显示</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>基础菜单</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>CH1:</source>
        <translation>CH1:</translation>
    </message>
    <message>
        <source>CH2:</source>
        <translation>CH2:</translation>
    </message>
    <message>
        <source>CH3:</source>
        <translation>CH3:</translation>
    </message>
    <message>
        <source>CH4:</source>
        <translation>CH4:</translation>
    </message>
    <message>
        <source>CH5:</source>
        <translation>CH5:</translation>
    </message>
    <message>
        <source>CH6:</source>
        <translation>CH6:</translation>
    </message>
    <message>
        <source>CH7:</source>
        <translation>CH7:</translation>
    </message>
    <message>
        <source>CH8:</source>
        <translation>CH8:</translation>
    </message>
    <message>
        <source>舵机相位</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>正相</source>
        <translation>NOR</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>REV</translation>
    </message>
    <message>
        <source>中点微调</source>
        <translation>Sub-trim</translation>
    </message>
    <message>
        <source>舵机行程量--L---R---</source>
        <translation>End point (L / R)</translation>
    </message>
    <message>
        <source>失控保护</source>
        <translation>Fail-safe</translation>
    </message>
    <message>
        <source>舵机延迟</source>
        <translation>Servo delay</translation>
    </message>
    <message>
        <source>辅助通道</source>
        <translation>Aux channel</translation>
    </message>
    <message>
        <source>预留</source>
        <translation>Stick</translation>
    </message>
    <message>
        <source>SwA</source>
        <translation>SwA</translation>
    </message>
    <message>
        <source>SwB</source>
        <translation>SwB</translation>
    </message>
    <message>
        <source>VrA</source>
        <translation>VrA</translation>
    </message>
    <message>
        <source>VrB/SwC</source>
        <translation>VrB/SwC</translation>
    </message>
    <message>
        <source>NULL</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Lock-C</source>
        <translation>Lock-C</translation>
    </message>
    <message>
        <source>高级菜单1</source>
        <translation>Advanced 1</translation>
    </message>
    <message>
        <source>大小舵设置</source>
        <translation>Dual rate</translation>
    </message>
    <message>
        <source>混控:</source>
        <translation>State:</translation>
    </message>
    <message>
        <source>通道:</source>
        <translation>Chan:</translation>
    </message>
    <message>
        <source>开关:</source>
        <translation>Switch:</translation>
    </message>
    <message>
        <source>上档:</source>
        <translation>Up:</translation>
    </message>
    <message>
        <source>下档:</source>
        <translation>Down:</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>SWA</source>
        <translation>SwA</translation>
    </message>
    <message>
        <source>姿态选择</source>
        <translation>Flight modes</translation>
    </message>
    <message>
        <source>姿态1:</source>
        <translation>Mode 1:</translation>
    </message>
    <message>
        <source>姿态2:</source>
        <translation>Mode 2:</translation>
    </message>
    <message>
        <source>姿态3:</source>
        <translation>Mode 3:</translation>
    </message>
    <message>
        <source>姿态4:</source>
        <translation>Mode 4:</translation>
    </message>
    <message>
        <source>姿态5:</source>
        <translation>Mode 5:</translation>
    </message>
    <message>
        <source>姿态6:</source>
        <translation>Mode 6:</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>Elevon mix</translation>
    </message>
    <message>
        <source>副翼1:</source>
        <translation>AIL-&gt;1:</translation>
    </message>
    <message>
        <source>副翼2:</source>
        <translation>AIL-&gt;2:</translation>
    </message>
    <message>
        <source>升降2:</source>
        <translation>ELE-&gt;2:</translation>
    </message>
    <message>
        <source>升降1:</source>
        <translation>ELE-&gt;1:</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>尾舵2:</source>
        <translation>RUD-&gt;2:</translation>
    </message>
    <message>
        <source>尾舵1:</source>
        <translation>RUD-&gt;1:</translation>
    </message>
    <message>
        <source>高级菜单2</source>
        <translation>Advanced 2</translation>
    </message>
    <message>
        <source>大小舵曲线</source>
        <translation>Dual rate curve</translation>
    </message>
    <message>
        <source> 通道:</source>
        <translation>Chan:</translation>
    </message>
    <message>
        <source> 位置:</source>
        <translation>Pos:</translation>
    </message>
    <message>
        <source>比率:</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>指数:</source>
        <translation>Expo:</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>油门曲线</source>
        <translation>Throttle curve</translation>
    </message>
    <message>
        <source>曲线点1:</source>
        <translation>Point 1:</translation>
    </message>
    <message>
        <source>曲线点2:</source>
        <translation>Point 2:</translation>
    </message>
    <message>
        <source>曲线点3:</source>
        <translation>Point 3:</translation>
    </message>
    <message>
        <source>曲线点4:</source>
        <translation>Point 4:</translation>
    </message>
    <message>
        <source>曲线点5:</source>
        <translation>Point 5:</translation>
    </message>
    <message>
        <source>曲线点6:</source>
        <translation>Point 6:</translation>
    </message>
    <message>
        <source>曲线点7:</source>
        <translation>Point 7:</translation>
    </message>
    <message>
        <source>混控设置</source>
        <translation>Mixes</translation>
    </message>
    <message>
        <source>可编程混控四</source>
        <translation>Programmable mix 4</translation>
    </message>
    <message>
        <source>主控:</source>
        <translation>Master:</translation>
    </message>
    <message>
        <source>被控:</source>
        <translation>Slave:</translation>
    </message>
    <message>
        <source>偏置:</source>
        <translation>Offset:</translation>
    </message>
    <message>
        <source>上边:</source>
        <translation>Up:</translation>
    </message>
    <message>
        <source>下边:</source>
        <translation>Down:</translation>
    </message>
    <message>
        <source>禁止</source>
        <translation>Inhibit</translation>
    </message>
    <message>
        <source>可编程混控三</source>
        <translation>Programmable mix 3</translation>
    </message>
    <message>
        <source>可编程混控一</source>
        <translation>Programmable mix 1</translation>
    </message>
    <message>
        <source>可编程混控二</source>
        <translation>Programmable mix 2</translation>
    </message>
    <message>
        <source>系统设置</source>
        <translation>System</translation>
    </message>
    <message>
        <source>报警设置</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>遥控器电压:</source>
        <translation>TX voltage:</translation>
    </message>
    <message>
        <source>接收机电压:</source>
        <translation>RX voltage:</translation>
    </message>
    <message>
        <source>动力电池电压:</source>
        <translation>Power battery:</translation>
    </message>
    <message>
        <source>RSSI信号:</source>
        <translation>RSSI signal:</translation>
    </message>
    <message>
        <source> 版本 / 模式</source>
        <translation> Version / Mode</translation>
    </message>
    <message>
        <source>遥控器摇杆模式:</source>
        <translation>Stick mode:</translation>
    </message>
    <message>
        <source>遥控器固件版本:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>电脑调参APP版本:</source>
        <translation>App version:</translation>
    </message>
    <message>
        <source>V5.1</source>
        <translation>V5.1</translation>
    </message>
    <message>
        <source>步阶微调一:</source>
        <translation>Trim step 1:</translation>
    </message>
    <message>
        <source>(0)</source>
        <translation>(0)</translation>
    </message>
    <message>
        <source>步阶微调二:</source>
        <translation>Trim step 2:</translation>
    </message>
    <message>
        <source>步阶微调三:</source>
        <translation>Trim step 3:</translation>
    </message>
    <message>
        <source>步阶微调四:</source>
        <translation>Trim step 4:</translation>
    </message>
    <message>
        <source>重置数据</source>
        <translation>Reset data</translation>
    </message>
</context>
<context>
    <name>RangeTexts</name>
    <message>
        <source>实时曲线</source>
        <translation>Live graph</translation>
    </message>
    <message>
        <source>实时曲线与记录</source>
        <translation>Live graph and recording</translation>
    </message>
    <message>
        <source>信号</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>电压</source>
        <translation>Voltages</translation>
    </message>
    <message>
        <source>通道输出</source>
        <translation>Channel outputs</translation>
    </message>
    <message>
        <source>遥控</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>Receiver</translation>
    </message>
    <message>
        <source>动力</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>通道%1</source>
        <translation>CH%1</translation>
    </message>
    <message>
        <source>显示时长</source>
        <translation>Time shown</translation>
    </message>
    <message>
        <source>中断超过</source>
        <translation>Gap over</translation>
    </message>
    <message>
        <source>低信号低于</source>
        <translation>Low signal below</translation>
    </message>
    <message>
        <source>开始记录…</source>
        <translation>Record…</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>保存图片…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>记录到 CSV 文件</source>
        <translation>Record to a CSV file</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>保存曲线图片</source>
        <translation>Save the graph as a picture</translation>
    </message>
    <message>
        <source>PNG 图片 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>正在记录到 %1（%2 秒）</source>
        <translation>Recording to %1 (%2 s)</translation>
    </message>
    <message>
        <source>记录已停止：无法写入 %1（%2）。连接不受影响。</source>
        <translation>Recording stopped: %1 cannot be written (%2). The link goes on.</translation>
    </message>
    <message>
        <source>无法保存图片 %1</source>
        <translation>Cannot save the picture %1</translation>
    </message>
    <message>
        <source>中断 %1 次（最长 %2 秒），低信号 %3 次</source>
        <translation>Gaps: %1 (longest %2 s), low signal: %3</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>低信号</source>
        <translation>Low signal</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>%1 分钟</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>无信号</source>
        <translation>no signal</translation>
    </message>
    <message>
        <source>秒（之前）</source>
        <translation>seconds before now</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 次（最长 %2 秒，%3）</source>
        <translation>%1 (longest %2 s, at %3)</translation>
    </message>
    <message>
        <source>记录 %1 秒，数据包 %2，中断 %3，低信号 %4 次，最低信号 %5，最低电压 遥控 %6 接收 %7 动力 %8</source>
        <translation>Recorded %1 s, %2 packets, gaps %3, low signal %4, lowest signal %5, lowest voltages: transmitter %6, receiver %7, power %8</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>第二列</source>
        <translation>second column</translation>
    </message>
    <message>
        <source>选项（不显示）</source>
        <translation>option (not shown)</translation>
    </message>
    <message>
        <source>微调</source>
        <translation>trim position</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>正在读取 %1/%2</source>
        <translation>Reading %1 of %2</translation>
    </message>
    <message>
        <source>正在检查遥控器保存的设置</source>
        <translation>Checking what the transmitter holds</translation>
    </message>
    <message>
        <source>正在读取…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>正在保存第 %1 帧（共 %2 帧）</source>
        <translation>Saving frame %1 of %2</translation>
    </message>
    <message>
        <source>正在保存…</source>
        <translation>Saving…</translation>
    </message>
    <message>
        <source>正在载入第 %1 帧（共 %2 帧）</source>
        <translation>Loading frame %1 of %2</translation>
    </message>
    <message>
        <source>正在载入…</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>正在写入第 %1 帧（共 %2 帧）</source>
        <translation>Writing frame %1 of %2</translation>
    </message>
    <message>
        <source>正在写入…</source>
        <translation>Writing…</translation>
    </message>
    <message>
        <source>未读取：没有打开串口（%1）</source>
        <translation>Not read: no port open (%1)</translation>
    </message>
    <message>
        <source>读取中止：串口已断开（%1）</source>
        <translation>Read stopped: the cable was pulled (%1)</translation>
    </message>
    <message>
        <source>未读取：遥控器没有应答（%1）</source>
        <translation>Not read: the transmitter did not answer (%1)</translation>
    </message>
    <message>
        <source>读取不完整：收到 %1/%2（%3）</source>
        <translation>Read incomplete: %1 of %2 answers (%3)</translation>
    </message>
    <message>
        <source>已读取 %1</source>
        <translation>Read %1</translation>
    </message>
    <message>
        <source>未保存：无法写入 %1（%2）</source>
        <translation>Not saved: %1 could not be written (%2)</translation>
    </message>
    <message>
        <source>已保存 %1 %2</source>
        <translation>Saved %1 %2</translation>
    </message>
    <message>
        <source>已将 %1 载入页面；未发送（没有打开串口）%2</source>
        <translation>Loaded %1 into the pages; not sent (no port open) %2</translation>
    </message>
    <message>
        <source>未发送：没有打开串口（%1）</source>
        <translation>Nothing sent: no port open (%1)</translation>
    </message>
    <message>
        <source>在第一帧之前中止：串口已断开（%1）</source>
        <translation>Stopped before the first frame: the cable was pulled (%1)</translation>
    </message>
    <message>
        <source>在第 %1 帧（共 %2 帧）之后中止：串口已断开（%3）</source>
        <translation>Stopped after frame %1 of %2: the cable was pulled (%3)</translation>
    </message>
    <message>
        <source>已发送，未校验：串口已断开（%1）</source>
        <translation>Sent, not verified: the cable was pulled (%1)</translation>
    </message>
    <message>
        <source>已发送（未校验）%1</source>
        <translation>Sent (not verified) %1</translation>
    </message>
    <message>
        <source>已发送，未校验：没有应答（%1）</source>
        <translation>Sent, not verified: no answer (%1)</translation>
    </message>
    <message>
        <source>已发送，未校验：应答不完整（%1）</source>
        <translation>Sent, not verified: the answer was incomplete (%1)</translation>
    </message>
    <message>
        <source>已写入并校验 %1</source>
        <translation>Written and verified %1</translation>
    </message>
    <message>
        <source>没有发送任何帧：遥控器保存的设置未改变。</source>
        <translation>No frame was sent: the transmitter holds its settings as before.</translation>
    </message>
    <message>
        <source>四个帧都已发送，但未能校验遥控器保存的设置。</source>
        <translation>All four frames were sent, but what the transmitter holds could not be checked.</translation>
    </message>
    <message>
        <source>未打开串口</source>
        <translation>No port open</translation>
    </message>
    <message>
        <source>%1：已打开，但 %2 秒内没有收到任何数据——遥控器是否已开机，这是它的串口吗？</source>
        <translation>%1: open, but nothing received for %2 s — is the transmitter on, and is this its port?</translation>
    </message>
    <message>
        <source>%1：每秒 %2 个数据包</source>
        <translation>%1: %2 packets/s</translation>
    </message>
    <message>
        <source>%1：已打开</source>
        <translation>%1: open</translation>
    </message>
    <message>
        <source>没有可选的串口：请插好适配器，然后在列表中选择它的串口。</source>
        <translation>No port to open: plug in the adapter, then choose its port in the list.</translation>
    </message>
    <message>
        <source>串口 %1 不存在：适配器是否已插好？</source>
        <translation>There is no port %1: is the adapter plugged in?</translation>
    </message>
    <message>
        <source>串口 %1 正被另一个程序使用：请关闭那个程序后再试。</source>
        <translation>The port %1 is in use by another program: close that program and try again.</translation>
    </message>
    <message>
        <source>没有使用串口 %1 的权限：请把你的用户加入 dialout 组（sudo usermod -aG dialout $USER），然后注销并重新登录。</source>
        <translation>No permission to use the port %1: add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.</translation>
    </message>
    <message>
        <source>%1 不是串口。</source>
        <translation>%1 is not a serial port.</translation>
    </message>
    <message>
        <source>未读取：收到的数据中没有可用的应答（%1）</source>
        <translation>Not read: the data that came held no usable answer (%1)</translation>
    </message>
    <message>
        <source>已保存 %1 %2；这些帧也发送到了遥控器（未校验）</source>
        <translation>Saved %1 %2; the frames also went to the transmitter (not verified)</translation>
    </message>
    <message>
        <source>四个帧都已发送，但结束命令 WWW 没有发出：遥控器可能没有保存这些设置，请重新连接后再写入一次。</source>
        <translation>All four frames were sent, but the closing word WWW was not: the transmitter may not have stored them. Reconnect and write once more.</translation>
    </message>
    <message>
        <source>正在等待选择文件…</source>
        <translation>Waiting for a file to be chosen…</translation>
    </message>
    <message>
        <source>正在等待你的回答…</source>
        <translation>Waiting for your answer…</translation>
    </message>
    <message>
        <source>未载入：%1 无法读取或不是配置文件（%2）</source>
        <translation>Not loaded: %1 could not be read or is not a configuration file (%2)</translation>
    </message>
    <message numerus="yes">
        <source>已写入，但遥控器保存的 %n 项设置与发送的不同（%1）</source>
        <translation>
            <numerusform>Written, but the transmitter holds %n setting otherwise (%1)</numerusform>
            <numerusform>Written, but the transmitter holds %n settings otherwise (%1)</numerusform>
        </translation>
    </message>
    <message>
        <source>未能打开串口 %1（%2）</source>
        <translation>Port %1 did not open (%2)</translation>
    </message>
    <message>
        <source>已发送：%1。未发送：%2。遥控器现在可能保存着一部分新设置和一部分旧设置，请重新连接后再写入一次。</source>
        <translation>Sent: %1. Not sent: %2. The transmitter may now hold a mix of new and old settings. Connect again and write once more.</translation>
    </message>
    <message>
        <source>串口 %1 没有响应：适配器可能刚被拔出或出了故障，请重新插上后再试。</source>
        <translation>The port %1 does not respond: the adapter may have just been pulled or be faulty. Plug it in again and retry.</translation>
    </message>
    <message>
        <source>打开串口 %1 时系统报告了一个错误，请重新插上适配器后再试。
系统的原话：%2</source>
        <translation>The system reported an error opening the port %1: plug the adapter in again and retry.
In the system's words: %2</translation>
    </message>
</context>
<context>
    <name>VerifyTexts</name>
    <message>
        <source>设置已发送，但无法校验！</source>
        <translation>Settings sent, but they could not be verified!</translation>
    </message>
    <message>
        <source>遥控器保存的设置与发送的不同（设置：发送值 → 遥控器中的值）：</source>
        <translation>The transmitter holds other settings than were sent (setting: sent → held):</translation>
    </message>
    <message>
        <source>… 另有 %1 项</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>有修改尚未写入遥控器，不写入就关闭吗？</source>
        <translation>Some changes are not written to the transmitter. Close without writing?</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>遥控器发来的设置超出范围，窗口显示的是修复后的值（设置：遥控器中的值 → 显示的值）：</source>
        <translation>The transmitter sent settings out of range; the window shows them repaired (setting: held → shown):</translation>
    </message>
    <message>
        <source>页面上的设置已发送到遥控器，但没有校验遥控器是否已保存。仍要关闭吗？</source>
        <translation>The pages&apos; settings were sent to the transmitter, but whether it stored them was not checked. Close anyway?</translation>
    </message>
</context>
</TS>
