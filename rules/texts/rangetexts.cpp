#include "rangetexts.h"

#include <QCoreApplication>
#include <QDateTime>

RangeTexts rangeTexts()
{
    return {QCoreApplication::translate("RangeTexts", "实时曲线"),
            QCoreApplication::translate("RangeTexts", "实时曲线与记录"),
            QCoreApplication::translate("RangeTexts", "信号"),
            QCoreApplication::translate("RangeTexts", "电压"),
            QCoreApplication::translate("RangeTexts", "通道输出"),
            QCoreApplication::translate("RangeTexts", "遥控"),
            QCoreApplication::translate("RangeTexts", "接收"),
            QCoreApplication::translate("RangeTexts", "动力"),
            QCoreApplication::translate("RangeTexts", "通道%1"),
            QCoreApplication::translate("RangeTexts", "显示时长"),
            QCoreApplication::translate("RangeTexts", "中断超过"),
            QCoreApplication::translate("RangeTexts", "低信号低于"),
            QCoreApplication::translate("RangeTexts", "开始记录…"),
            QCoreApplication::translate("RangeTexts", "停止记录"),
            QCoreApplication::translate("RangeTexts", "保存图片…"),
            QCoreApplication::translate("RangeTexts", "记录到 CSV 文件"),
            QCoreApplication::translate("RangeTexts", "CSV 文件 (*.csv)"),
            QCoreApplication::translate("RangeTexts", "保存曲线图片"),
            QCoreApplication::translate("RangeTexts", "PNG 图片 (*.png)"),
            QCoreApplication::translate("RangeTexts", "正在记录到 %1（%2 秒）"),
            QCoreApplication::translate("RangeTexts", "记录已停止：无法写入 %1（%2）。连接不受影响。"),
            QCoreApplication::translate("RangeTexts", "无法保存图片 %1"),
            QCoreApplication::translate("RangeTexts", "中断 %1 次（最长 %2 秒），低信号 %3 次"),
            QCoreApplication::translate("RangeTexts", "中断"),
            QCoreApplication::translate("RangeTexts", "低信号"),
            QCoreApplication::translate("RangeTexts", " 秒"),
            QCoreApplication::translate("RangeTexts", "%1 分钟"),
            QCoreApplication::translate("RangeTexts", "无信号"),
            QCoreApplication::translate("RangeTexts", "秒（之前）")};
}

namespace {

QString clock(qint64 atMs)
{
    return QDateTime::fromMSecsSinceEpoch(atMs).toString(QStringLiteral("HH:mm:ss"));
}

QString tenths(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 1);
}

QString lowest(const Lowest &l, double scale, int decimals, const QString &unit)
{
    if (!l.seen())
        return QStringLiteral("—");
    return QCoreApplication::translate("RangeTexts", "%1（%2）")
        .arg(QString::number(l.value / scale, 'f', decimals) + unit, clock(l.atMs));
}

}  // namespace

QString summaryText(const RangeSummary &s)
{
    const RangeTexts t = rangeTexts();
    QString gaps = QString::number(s.gaps);
    if (s.gaps)
        gaps = QCoreApplication::translate("RangeTexts", "%1 次（最长 %2 秒，%3）")
                   .arg(s.gaps)
                   .arg(tenths(s.longestGap.length()), clock(s.longestGap.startMs));
    return QCoreApplication::translate("RangeTexts",
                                       "记录 %1 秒，数据包 %2，中断 %3，低信号 %4 次，最低信号 %5，"
                                       "最低电压 遥控 %6 接收 %7 动力 %8")
        .arg(tenths(s.endMs - s.startMs))
        .arg(s.packets)
        .arg(gaps)
        .arg(s.lowSignals)
        .arg(lowest(s.signal, 1, 0, QStringLiteral(" dBm")), lowest(s.txVolt, 100, 2, QStringLiteral(" V")),
             lowest(s.rxVolt, 10, 1, QStringLiteral(" V")), lowest(s.extVolt, 10, 1, QStringLiteral(" V")));
}
