#include "texts.h"

#include <QCoreApplication>

// Each text is its Chinese source, looked up in the installed catalogue
// (language.h) under the name of its struct, so lupdate finds every one.
// The open button's text is the form's own entry: the two stay alike.

LinkTexts linkTexts()
{
    return {
        QCoreApplication::translate("MainWindow", "打开串口"), QCoreApplication::translate("LinkTexts", "关闭串口"),
        QCoreApplication::translate("LinkTexts", "提示"),
        // One Chinese text, two English ones: told apart by the third argument.
        QCoreApplication::translate("LinkTexts", "无法打开串口！", "the port would not open"),
        QCoreApplication::translate("LinkTexts", "无法打开串口！", "no port is open"),
        QCoreApplication::translate("LinkTexts", "串口已断开！"),
        QCoreApplication::translate("LinkTexts", "读取不完整，请重试！"),
        QCoreApplication::translate("LinkTexts", "遥控器没有应答：请检查遥控器是否已开机，以及所选的是否是它的串口。"),
        QCoreApplication::translate("LinkTexts", "收到 %1/%2 组设置，页面没有改变。"),
        QCoreApplication::translate("LinkTexts",
                                    "收到了数据，但其中没有可用的应答（线路上可能有干扰），页面没有改变。"),
        QCoreApplication::translate("LinkTexts",
                                    "还没有读取遥控器中的设置。写入会用页面上的值替换遥控器中的全部设置，"
                                    "包括没有读取过的微调、行程、失控保护和报警设置。\n"
                                    "先读取：读取遥控器，页面上已做的修改保留在读取的值之上，不发送任何数据。"),
        QCoreApplication::translate("LinkTexts", "先读取"), QCoreApplication::translate("LinkTexts", "仍然写入"),
        QCoreApplication::translate("LinkTexts", "输入串口路径…"),
        QCoreApplication::translate("LinkTexts",
                                    "串口的路径，例如模拟遥控器的 /dev/pts/3，或 /dev/serial/by-id/ 下的名称：")};
}

VerifyTexts verifyTexts()
{
    return {QCoreApplication::translate("VerifyTexts", "设置已发送，但无法校验！"),
            QCoreApplication::translate("VerifyTexts", "遥控器保存的设置与发送的不同（设置：发送值 → 遥控器中的值）："),
            QCoreApplication::translate("VerifyTexts", "… 另有 %1 项"),
            QCoreApplication::translate("VerifyTexts", "有修改尚未写入遥控器，不写入就关闭吗？"),
            QCoreApplication::translate("VerifyTexts", "关闭"),
            QCoreApplication::translate("VerifyTexts", "取消"),
            QCoreApplication::translate(
                "VerifyTexts", "遥控器发来的设置超出范围，窗口显示的是修复后的值（设置：遥控器中的值 → 显示的值）："),
            QCoreApplication::translate("VerifyTexts",
                                        "页面上的设置已发送到遥控器，但没有校验遥控器是否已保存。仍要关闭吗？")};
}

FileTexts fileTexts()
{
    return {QCoreApplication::translate("FileTexts", "保存数据"), QCoreApplication::translate("FileTexts", "打开文件"),
            QCoreApplication::translate("FileTexts", "文本文件 (*.txt *.dat);;所有文件 (*)"),
            QCoreApplication::translate("FileTexts", "错误"),
            QCoreApplication::translate("FileTexts", "不能读取指定的文件!")};
}

GuardTexts guardTexts()
{
    return {QCoreApplication::translate("GuardTexts", "遥控器上的所有设置都将被出厂设置替换。是否继续？"),
            QCoreApplication::translate("GuardTexts", "是"),
            QCoreApplication::translate("GuardTexts", "否"),
            QCoreApplication::translate("GuardTexts", "%1：不是配置文件（其中没有一组完整的设置），\n未发送任何数据。"),
            QCoreApplication::translate("GuardTexts", "已加载并发送 %1："),
            QCoreApplication::translate("GuardTexts", "已将 %1 载入页面，未发送（没有打开串口）："),
            QCoreApplication::translate("GuardTexts", "已修复（%1）"),
            QCoreApplication::translate("GuardTexts", "不完整：文件中没有%1，这些设置保持原值")};
}

QString framesInWords(const QString &letters)
{
    QStringList words;
    for (QChar c : letters) {
        switch (c.toLatin1()) {
        case 'S':
            words << QCoreApplication::translate(
                "GuardTexts", "通道设置（相位、中点、行程、失控保护、辅助通道）、遥控器报警电压、摇杆模式");
            break;
        case 'G':
            words << QCoreApplication::translate("GuardTexts",
                                                 "舵机延迟、姿态、升降副翼和 V 型尾翼混控、大小舵开关、混控一和二");
            break;
        case 'H':
            words << QCoreApplication::translate("GuardTexts",
                                                 "大小舵比率和曲线、油门曲线、混控三和四、接收机和动力电池报警、RSSI");
            break;
        case 'I':
            words << QCoreApplication::translate("GuardTexts", "摇杆微调和步长");
            break;
        default:
            break;
        }
    }
    // The list's separator is the language's own.
    return words.join(QCoreApplication::translate("GuardTexts", "；", "between what frames carry"));
}

DifferenceTexts differenceTexts()
{
    return {QCoreApplication::translate("DifferenceTexts", "遥控器中的值：%1"),
            QCoreApplication::translate("DifferenceTexts", "遥控器中的值（设置：遥控器中的值）："),
            QCoreApplication::translate("DifferenceTexts", "此页有 %1 项设置与遥控器中的不同"),
            QCoreApplication::translate("DifferenceTexts", "恢复为遥控器中的值（%1）"),
            QCoreApplication::translate("DifferenceTexts", "所有页面恢复为遥控器中的值"),
            QCoreApplication::translate(
                "DifferenceTexts",
                "页面上已标出不同的设置。请再次写入，或按 %1 恢复为遥控器中的值（也可右键单击标出的设置）。"),
            QCoreApplication::translate(
                "DifferenceTexts", "请检查连接线，并确认遥控器已打开，然后再次写入；或读取遥控器，查看它保存的设置。"),
            QCoreApplication::translate("DifferenceTexts", "写入并关闭"),
            QCoreApplication::translate("DifferenceTexts", "不写入就关闭"),
            QCoreApplication::translate("DifferenceTexts", "遥控器尚未读取：读取后才能与遥控器中的值比较")};
}
