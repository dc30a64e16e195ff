#include "texts.h"

#include "monitorstate.h"

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
