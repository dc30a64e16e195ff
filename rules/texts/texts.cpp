#include "texts.h"

#include "language.h"

LinkTexts linkTexts()
{
    if (useChineseTexts)
        return {QStringLiteral("打开串口"), QStringLiteral("关闭串口"), QStringLiteral("提示"),
                QStringLiteral("无法打开串口！"), QStringLiteral("无法打开串口！"),
                QStringLiteral("串口已断开！"), QStringLiteral("读取不完整，请重试！")};
    return {QStringLiteral("OPEN"), QStringLiteral("CLOSE"), QStringLiteral("Note"),
            QStringLiteral("Cannot open the serial port!"), QStringLiteral("Please open the serial port!"),
            QStringLiteral("Serial port disconnected!"), QStringLiteral("Read incomplete, please try again!")};
}

VerifyTexts verifyTexts()
{
    if (useChineseTexts)
        return {QStringLiteral("设置已发送，但无法校验！"),
                QStringLiteral("遥控器保存的设置与发送的不同（设置：发送值 → 遥控器中的值）："),
                QStringLiteral("… 另有 %1 项"), QStringLiteral("有修改尚未写入遥控器，不写入就关闭吗？"),
                QStringLiteral("关闭"), QStringLiteral("取消")};
    return {QStringLiteral("Settings sent, but they could not be verified!"),
            QStringLiteral("The transmitter holds other settings than were sent (setting: sent → held):"),
            QStringLiteral("… and %1 more"),
            QStringLiteral("Some changes are not written to the transmitter. Close without writing?"),
            QStringLiteral("Close"), QStringLiteral("Cancel")};
}

FileTexts fileTexts()
{
    if (useChineseTexts)
        return {QStringLiteral("保存数据"), QStringLiteral("文本文件 (*.txt *.dat);;所有文件 (*.*)"),
                QStringLiteral("打开文件"), QStringLiteral("所有文件 (*.*);;文本文件 (*.txt *.dat)"),
                QStringLiteral("错误"), QStringLiteral("不能读取指定的文件!")};
    return {QStringLiteral("SAVE"), QStringLiteral("file (*.txt *.dat);;allfile (*.*)"),
            QStringLiteral("Open file"), QStringLiteral("All file (*.*);;file (*.txt *.dat)"),
            QStringLiteral("ERROR"), QStringLiteral("Cannot read the specified file!")};
}

GuardTexts guardTexts()
{
    if (useChineseTexts)
        return {QStringLiteral("遥控器上的所有设置都将被出厂设置替换。是否继续？"), QStringLiteral("是"),
                QStringLiteral("否"), QStringLiteral("%1：不是配置文件（没有完整的 S、G、H 或 I 帧），未发送任何数据。"),
                QStringLiteral("已加载并发送 %1："), QStringLiteral("已修复（%1）"),
                QStringLiteral("不完整（缺少帧 %1，这些设置保持原值）")};
    return {QStringLiteral("Every setting on the transmitter will be replaced by the factory settings. Continue?"),
            QStringLiteral("Yes"), QStringLiteral("No"),
            QStringLiteral("%1: not a configuration file (no S, G, H or I frame in place); nothing was sent."),
            QStringLiteral("Loaded and sent %1:"), QStringLiteral("repaired (%1)"),
            QStringLiteral("short (frames %1 missing; those settings stay as they were)")};
}
