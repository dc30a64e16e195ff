#include "status.h"

#include "portlist.h"
#include "texts.h"

#include <QCoreApplication>

namespace {

constexpr int kFrames = 4;
constexpr int kGroups = 19;  // settings groups a read answers with
const char kFrameLetters[kFrames + 1] = "SGHI";
// A write's bar: its four frames take as long as the read-back after them,
// so each half of the bar is one of them.
constexpr int kHalf = kFrames * kGroups;

QString stamp(const QTime &t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

bool writes(StatusCommand c)
{
    return c == StatusCommand::Write || c == StatusCommand::Load || c == StatusCommand::Reset;
}

QString letters(int from, int to)
{
    return framesInWords(QString::fromLatin1(kFrameLetters + from, to - from));
}

// A write that reads back what it sent: frames and check on one bar.
bool checksAfter(const CommandStep &s)
{
    return writes(s.command) && s.portOpen && s.checks;
}

}  // namespace

QString commandStepText(const CommandStep &s)
{
    if (s.waiting == CommandStep::ForFile)
        return QCoreApplication::translate("StatusTexts", "正在等待选择文件…");
    if (s.waiting == CommandStep::ForAnswer)
        return QCoreApplication::translate("StatusTexts", "正在等待你的回答…");
    if (s.reading)
        return s.command == StatusCommand::Read
                   ? QCoreApplication::translate("StatusTexts", "正在读取 %1/%2").arg(s.answers).arg(kGroups)
                   : QCoreApplication::translate("StatusTexts", "正在检查遥控器保存的设置");
    if (s.command == StatusCommand::Read)
        return QCoreApplication::translate("StatusTexts", "正在读取…");
    if (s.command == StatusCommand::Save)
        return s.frame ? QCoreApplication::translate("StatusTexts", "正在保存第 %1 帧（共 %2 帧）")
                             .arg(s.frame)
                             .arg(kFrames)
                       : QCoreApplication::translate("StatusTexts", "正在保存…");
    if (s.command == StatusCommand::Load && !s.portOpen)
        return s.frame ? QCoreApplication::translate("StatusTexts", "正在载入第 %1 帧（共 %2 帧）")
                             .arg(s.frame)
                             .arg(kFrames)
                       : QCoreApplication::translate("StatusTexts", "正在载入…");
    return s.frame
               ? QCoreApplication::translate("StatusTexts", "正在写入第 %1 帧（共 %2 帧）").arg(s.frame).arg(kFrames)
               : QCoreApplication::translate("StatusTexts", "正在写入…");
}

int commandStepDone(const CommandStep &s)
{
    if (!checksAfter(s))
        return s.reading ? s.answers : s.frame;
    return s.reading ? kHalf + s.answers * kFrames : s.frame * kGroups;
}

int commandStepTotal(const CommandStep &s)
{
    if (!checksAfter(s))
        return s.reading ? kGroups : kFrames;
    return 2 * kHalf;
}

QString commandEndText(const CommandEnd &e)
{
    const QString at = stamp(e.at);
    if (e.command == StatusCommand::Read) {
        if (!e.portOpen)
            return QCoreApplication::translate("StatusTexts", "未读取：没有打开串口（%1）").arg(at);
        if (e.lost)
            return QCoreApplication::translate("StatusTexts", "读取中止：串口已断开（%1）").arg(at);
        if (e.answers == 0 && e.heardOnly)
            return QCoreApplication::translate("StatusTexts", "未读取：收到的数据中没有可用的应答（%1）").arg(at);
        if (e.answers == 0)
            return QCoreApplication::translate("StatusTexts", "未读取：遥控器没有应答（%1）").arg(at);
        if (e.answers < kGroups)
            return QCoreApplication::translate("StatusTexts", "读取不完整：收到 %1/%2（%3）")
                .arg(e.answers)
                .arg(kGroups)
                .arg(at);
        return QCoreApplication::translate("StatusTexts", "已读取 %1").arg(at);
    }
    if (e.command == StatusCommand::Save) {
        if (e.file.isEmpty())
            return QString();
        if (e.failed)
            return QCoreApplication::translate("StatusTexts", "未保存：无法写入 %1（%2）").arg(e.file, at);
        // With a port open the frames went to the transmitter on the way,
        // without the closing word or a check.
        if (e.framesSent > 0)
            return QCoreApplication::translate("StatusTexts", "已保存 %1 %2；这些帧也发送到了遥控器（未校验）")
                .arg(e.file, at);
        return QCoreApplication::translate("StatusTexts", "已保存 %1 %2").arg(e.file, at);
    }
    if (!writes(e.command))
        return QString();
    if (e.command == StatusCommand::Load && e.failed)
        return QCoreApplication::translate("StatusTexts", "未载入：%1 无法读取或不是配置文件（%2）").arg(e.file, at);
    if (e.command == StatusCommand::Load && !e.portOpen)
        return e.file.isEmpty()
                   ? QString()
                   : QCoreApplication::translate("StatusTexts", "已将 %1 载入页面；未发送（没有打开串口）%2")
                         .arg(e.file, at);
    if (!e.portOpen)
        return QCoreApplication::translate("StatusTexts", "未发送：没有打开串口（%1）").arg(at);
    if (e.lost) {
        if (e.framesSent == 0)
            return QCoreApplication::translate("StatusTexts", "在第一帧之前中止：串口已断开（%1）").arg(at);
        if (e.framesSent < kFrames)
            return QCoreApplication::translate("StatusTexts", "在第 %1 帧（共 %2 帧）之后中止：串口已断开（%3）")
                .arg(e.framesSent)
                .arg(kFrames)
                .arg(at);
        return QCoreApplication::translate("StatusTexts", "已发送，未校验：串口已断开（%1）").arg(at);
    }
    if (e.framesSent < kFrames)
        return QString();  // declined, or a load that found no configuration
    if (!e.checked)
        return QCoreApplication::translate("StatusTexts", "已发送（未校验）%1").arg(at);
    if (e.answers == 0)
        return QCoreApplication::translate("StatusTexts", "已发送，未校验：没有应答（%1）").arg(at);
    if (e.answers < kGroups)
        return QCoreApplication::translate("StatusTexts", "已发送，未校验：应答不完整（%1）").arg(at);
    if (e.differences > 0)
        return QCoreApplication::translate("StatusTexts", "已写入，但遥控器保存的 %n 项设置与发送的不同（%1）", nullptr,
                                           e.differences)
            .arg(at);
    return QCoreApplication::translate("StatusTexts", "已写入并校验 %1").arg(at);
}

QString portNotOpenedText(const QString &port, const QTime &at)
{
    return QCoreApplication::translate("StatusTexts", "未能打开串口 %1（%2）").arg(statusPortName(port), stamp(at));
}

QString framesLeftText(int framesSent, bool closingSent)
{
    if (framesSent <= 0)
        return QCoreApplication::translate("StatusTexts", "没有发送任何帧：遥控器保存的设置未改变。");
    if (framesSent >= kFrames && !closingSent)
        return QCoreApplication::translate(
            "StatusTexts",
            "四个帧都已发送，但结束命令 WWW 没有发出：遥控器可能没有保存这些设置，请重新连接后再写入一次。");
    if (framesSent >= kFrames)
        return QCoreApplication::translate("StatusTexts", "四个帧都已发送，但未能校验遥控器保存的设置。");
    return QCoreApplication::translate(
               "StatusTexts",
               "已发送：%1。未发送：%2。遥控器现在可能保存着一部分新设置和一部分旧设置，请重新连接后再写入一次。")
        .arg(letters(0, framesSent), letters(framesSent, kFrames));
}

QString statusPortName(const QString &port, int maxChars)
{
    const QString name = shortPortName(port);
    if (name.size() <= maxChars)
        return name;
    return QChar(0x2026) + name.right(maxChars - 1);
}

QString linkStatusText(const LinkFacts &f, bool whole)
{
    if (f.port.isEmpty())
        return QCoreApplication::translate("StatusTexts", "未打开串口");
    const QString port = whole ? f.port : statusPortName(f.port);
    if (f.quietForMs >= kQuietWarningMs)
        return QCoreApplication::translate("StatusTexts",
                                           "%1：已打开，但 %2 秒内没有收到任何数据——遥控器是否已开机，这是它的串口吗？")
            .arg(port)
            .arg(kQuietWarningMs / 1000);
    if (f.packetsPerSecond > 0)
        return QCoreApplication::translate("StatusTexts", "%1：每秒 %2 个数据包")
            .arg(port)
            .arg(qRound(f.packetsPerSecond));
    return QCoreApplication::translate("StatusTexts", "%1：已打开").arg(port);
}

namespace {
constexpr qint64 kRateWindowMs = 1000;
}

void PacketRate::note(qint64 nowMs)
{
    times.append(nowMs);
    last = nowMs;
    while (first < times.size() && times[first] <= nowMs - kRateWindowMs)
        ++first;
    if (first > times.size() / 2) {
        times.remove(0, first);
        first = 0;
    }
}

double PacketRate::perSecond(qint64 nowMs) const
{
    int n = 0;
    for (int i = first; i < times.size(); ++i)
        n += times[i] > nowMs - kRateWindowMs;
    return n * 1000.0 / kRateWindowMs;
}

QString openFailureReason(const OpenAttempt &a)
{
    if (a.port.isEmpty())
        return QCoreApplication::translate("StatusTexts", "没有可选的串口：请插好适配器，然后在列表中选择它的串口。");
    // A missing file is told apart from the system's other "not found"s.
    if (a.error == OpenAttempt::NotFound || !a.exists)
        return QCoreApplication::translate("StatusTexts", "串口 %1 不存在：适配器是否已插好？").arg(a.port);
    if (a.error == OpenAttempt::Permission) {
        // The file lets us in, so something else holds the port.
        if (a.accessible)
            return QCoreApplication::translate("StatusTexts", "串口 %1 正被另一个程序使用：请关闭那个程序后再试。")
                .arg(a.port);
        return QCoreApplication::translate("StatusTexts",
                                           "没有使用串口 %1 的权限：请把你的用户加入 dialout 组"
                                           "（sudo usermod -aG dialout $USER），然后注销并重新登录。")
            .arg(a.port);
    }
    // A device that takes no serial settings (/dev/null, a disk, a tty
    // without a line): the system's words ("Inappropriate ioctl") say so
    // to no one.
    if (!a.characterDevice || a.error == OpenAttempt::NotSerial)
        return QCoreApplication::translate("StatusTexts", "%1 不是串口。").arg(a.port);
    if (a.error == OpenAttempt::NoResponse)
        return QCoreApplication::translate("StatusTexts",
                                           "串口 %1 没有响应：适配器可能刚被拔出或出了故障，请重新插上后再试。")
            .arg(a.port);
    return QCoreApplication::translate("StatusTexts",
                                       "打开串口 %1 时系统报告了一个错误，请重新插上适配器后再试。"
                                       "\n系统的原话：%2")
        .arg(a.port, a.systemText);
}
