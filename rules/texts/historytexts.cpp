#include "historytexts.h"

#include <QCoreApplication>
#include <QStringList>

HistoryTexts historyTexts()
{
    return {QCoreApplication::translate("HistoryTexts", "%1 中的值：%2"),
            QCoreApplication::translate("HistoryTexts", "%1 中的值（设置：值）："),
            QCoreApplication::translate("HistoryTexts", "此页有 %1 项设置与 %2 中的不同"),
            QCoreApplication::translate("HistoryTexts", "采用 %1 中的值（%2）"),
            QCoreApplication::translate("HistoryTexts", "所有页面采用 %1 中的值"),
            QCoreApplication::translate("HistoryTexts", "与文件比较…"),
            QCoreApplication::translate("HistoryTexts", "与遥控器比较"),
            QCoreApplication::translate("HistoryTexts", "比较对象：%1"),
            QCoreApplication::translate("HistoryTexts", "在页面上打开…"),
            QCoreApplication::translate("HistoryTexts", "已在页面上打开 %1，未发送："),
            QCoreApplication::translate("HistoryTexts", "历史…"),
            QCoreApplication::translate("HistoryTexts", "遥控器的历史"),
            QCoreApplication::translate("HistoryTexts", "时间|事件|端口|与前一项的不同"),
            QCoreApplication::translate("HistoryTexts", "读取|写入|载入|恢复出厂设置|写入前|载入前|恢复出厂设置前"),
            QCoreApplication::translate("HistoryTexts", "%1 项：%2"),
            QCoreApplication::translate("HistoryTexts", "（最早的一项）"),
            QCoreApplication::translate("HistoryTexts", "相同"),
            QCoreApplication::translate("HistoryTexts", "与页面比较"),
            QCoreApplication::translate("HistoryTexts", "放到页面上"),
            QCoreApplication::translate("HistoryTexts", "另存为文件…"),
            QCoreApplication::translate("HistoryTexts", "在文件夹中显示"),
            QCoreApplication::translate("HistoryTexts", "历史 %1"),
            QCoreApplication::translate("HistoryTexts", "历史无法保存：%1"),
            QCoreApplication::translate("HistoryTexts", "最近的文件"),
            QCoreApplication::translate("HistoryTexts", "撤销"),
            QCoreApplication::translate("HistoryTexts", "重做")};
}

QString historyEventText(const QString &word)
{
    static const QStringList words = {QStringLiteral("read"),         QStringLiteral("write"),
                                      QStringLiteral("load"),         QStringLiteral("reset"),
                                      QStringLiteral("before-write"), QStringLiteral("before-load"),
                                      QStringLiteral("before-reset")};
    const int i = words.indexOf(word);
    return i < 0 ? word : historyTexts().events.split(QLatin1Char('|')).value(i, word);
}
