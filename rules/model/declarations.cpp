#include "declarations.h"

#include "configmodel.h"

#include <QtGlobal>

#include <initializer_list>

namespace {

constexpr ConfigModel kInitial{};

QStringList list(std::initializer_list<const char *> items)
{
    QStringList l;
    for (const char *i : items)
        l << QString::fromUtf8(i);
    return l;
}

QString numbered(const char *prefix, int k)
{
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(k);
}

QString channelName(int k)
{
    return QStringLiteral("CH%1").arg(k);
}

// A function, not a global: the sanity pass may run before this file's
// globals are made.
QStringList onOff()
{
    return list({"关闭", "打开"});
}

const char *const kChannelCaptions[8] = {"CH1:", "CH2:", "CH3:", "CH4:", "CH5:", "CH6:", "CH7:", "CH8:"};

// Writes down the settings in the order the pages show them, each under
// the page and group being described.
class Pages
{
public:
    QVector<SettingDecl> v;
    const char *page = "";
    const char *group = "";

    SettingDecl &add(const char *label, const QString &qualifier = QString())
    {
        SettingDecl s;
        s.page = page;
        s.group = group;
        s.label = label;
        s.qualifier = qualifier;
        v << s;
        return v.last();
    }

    SettingDecl &field(const QString &name, int ConfigModel::*f, const char *label, const QString &q = QString())
    {
        SettingDecl &s = add(label, q);
        s.name = s.jsonKey = name;
        s.field = f;
        s.fallback = kInitial.*f;
        return s;
    }

    void number(const QString &name, int ConfigModel::*f, const char *label, int lo, int hi,
                const QString &q = QString(), const char *unit = "%")
    {
        SettingDecl &s = field(name, f, label, q);
        edits(s, Shown::Number, lo, hi, unit);
        s.boxes = QStringList{QStringLiteral("spinBox_") + name};
    }

    void choice(const QString &name, int ConfigModel::*f, const char *label, const QStringList &items)
    {
        SettingDecl &s = field(name, f, label);
        s.shown = Shown::Choice;
        s.items = items;
        s.boxes = QStringList{QStringLiteral("comboBox_") + name};
    }

    // A selector on both dual-rate pages.
    void twice(const QString &name, int ConfigModel::*f, const char *label, const QStringList &items)
    {
        choice(name, f, label, items);
        const QString box = QStringLiteral("comboBox_") + name;
        v.last().boxes = QStringList{box + QLatin1Char('1'), box + QLatin1Char('2')};
    }

    SettingDecl &entry(const char *name, int (ConfigModel::*a)[4], int k, const char *label, const QString &q)
    {
        SettingDecl &s = add(label, q);
        s.jsonKey = QString::fromLatin1(name);
        s.name = QStringLiteral("%1[%2]").arg(s.jsonKey).arg(k);
        s.index = k;
        s.array = a;
        s.fallback = (kInitial.*a)[k];
        return s;
    }

    // One value per stick channel, told apart by the channel's name, all
    // edited in the one box of the selected channel.
    void perChannel(const char *name, int (ConfigModel::*a)[4], const char *label, const char *position, int lo,
                    const char *box)
    {
        for (int k = 0; k < 4; ++k) {
            SettingDecl &s = entry(name, a, k, label, channelName(k + 1) + QLatin1String(position));
            edits(s, Shown::Number, lo, 100, "%");
            s.boxes = QStringList{QLatin1String(box)};
        }
    }

    // `hi` in tenths: what the page lets through, which the window sets up.
    void voltage(const char *name, double ConfigModel::*d, int ConfigModel::*t, const char *label, int hi)
    {
        SettingDecl &s = add(label);
        s.name = s.jsonKey = QString::fromLatin1(name);
        s.volts = d;
        s.tenths = t;
        s.fallback = kInitial.*t;
        s.fallbackVolts = kInitial.*d;
        edits(s, Shown::Volts, 0, hi, "V");
        s.boxes = QStringList{QStringLiteral("doubleSpinBox_") + s.name};
    }

    static void edits(SettingDecl &s, Shown shown, int lo, int hi, const char *unit)
    {
        s.shown = shown;
        s.editLo = lo;
        s.editHi = hi;
        s.unit = unit;
    }
};

void basicPage(Pages &p)
{
    p.page = "基础菜单";
    p.group = "舵机相位";
    for (int k = 0; k < 8; ++k)
        p.choice(numbered("rev", k + 1), kRevFields[k], kChannelCaptions[k], list({"正相", "反相"}));
    p.group = "中点微调";
    for (int k = 0; k < 8; ++k)
        p.number(numbered("sub", k + 1), kSubFields[k], kChannelCaptions[k], -100, 100);
    p.group = "舵机行程量--L---R---";
    for (int k = 0; k < 8; ++k) {
        p.number(numbered("Lepa", k + 1), kLepaFields[k], kChannelCaptions[k], 0, 120, QStringLiteral("L"));
        p.number(numbered("Repa", k + 1), kRepaFields[k], kChannelCaptions[k], 0, 120, QStringLiteral("R"));
    }
    p.group = "失控保护";
    for (int k = 0; k < 8; ++k)
        p.number(numbered("FS", k + 1), kFsFields[k], kChannelCaptions[k], 0, 100);
    p.group = "舵机延迟";
    for (int k = 0; k < 8; ++k)
        p.number(numbered("delay", k + 1), kDelayFields[k], kChannelCaptions[k], 0, 100);
    p.group = "辅助通道";
    for (int k = 0; k < 4; ++k)
        p.choice(numbered("AUX", k + 5), kAuxFields[k], kChannelCaptions[k + 4],
                 list({"SwA", "SwB", "VrA", "VrB/SwC", "NULL", "Lock-C"}));
}

void advancedPage1(Pages &p)
{
    p.page = "高级菜单1";
    p.group = "大小舵设置";
    p.twice(QStringLiteral("DR_MIX"), &ConfigModel::DR_MIX, "混控:", onOff());
    p.twice(QStringLiteral("DR_CH"), &ConfigModel::DR_CH, "通道:", list({"CH1", "CH2", "CH3", "CH4"}));
    p.twice(QStringLiteral("DR_SW"), &ConfigModel::DR_SW, "开关:", list({"SWA"}));
    p.number(QStringLiteral("DR_UP1"), &ConfigModel::DR_UP1, "上档:", 0, 100);
    p.number(QStringLiteral("DR_DOWN1"), &ConfigModel::DR_DOWN1, "下档:", 0, 100);
    p.perChannel("DR_UpRate", &ConfigModel::DR_UpRate, "上档:", "", 0, "spinBox_DR_UP1");
    p.perChannel("DR_DownRate", &ConfigModel::DR_DownRate, "下档:", "", 0, "spinBox_DR_DOWN1");
    p.group = "姿态选择";
    p.choice(QStringLiteral("AttiM"), &ConfigModel::AttiM, "通道:", list({"CH5", "CH6", "CH7", "CH8", "关闭"}));
    static const char *const kAtti[6] = {"姿态1:", "姿态2:", "姿态3:", "姿态4:", "姿态5:", "姿态6:"};
    for (int k = 0; k < 6; ++k)
        p.number(numbered("Atti", k + 1), kAttiFields[k], kAtti[k], 0, 100);
    p.group = "升降副翼混控";
    p.choice(QStringLiteral("EleMix"), &ConfigModel::EleMix, "混控:", onOff());
    // Elev05 and Elev06 sit in a second column beside Elev01 and Elev02.
    static const char *const kElev[6] = {"副翼1:", "副翼2:", "升降2:", "升降1:", "副翼1:", "副翼2:"};
    for (int k = 0; k < 6; ++k) {
        p.number(QStringLiteral("Elev0%1").arg(k + 1), kElevFields[k], kElev[k], -100, 100);
        if (k >= 4)
            p.v.last().own = QT_TRANSLATE_NOOP("Setting", "第二列");
    }
    p.group = "V型尾翼混控";
    p.choice(QStringLiteral("RuMix"), &ConfigModel::RuMix, "混控:", onOff());
    static const char *const kRu[4] = {"升降1:", "升降2:", "尾舵2:", "尾舵1:"};
    for (int k = 0; k < 4; ++k)
        p.number(numbered("Ru", k + 1), kRuFields[k], kRu[k], -100, 100);
}

void advancedPage2(Pages &p)
{
    p.page = "高级菜单2";
    p.group = "大小舵曲线";
    p.choice(QStringLiteral("DR_POSI"), &ConfigModel::DR_POSI, " 位置:", list({"UP", "DOWN"}));
    // The exponential of the selected channel and position: its box, checked
    // like the entries it is copied from.
    p.number(QStringLiteral("DR_EXP"), &ConfigModel::DR_EXP, "指数:", -100, 100);
    p.v.last().working = true;
    p.perChannel("DR_UpExp", &ConfigModel::DR_UpExp, "指数:", " UP", -100, "spinBox_DR_EXP");
    p.perChannel("DR_DownExp", &ConfigModel::DR_DownExp, "指数:", " DOWN", -100, "spinBox_DR_EXP");
    p.group = "油门曲线";
    p.choice(QStringLiteral("THCURE_MIX"), &ConfigModel::THCURE_MIX, "混控:", onOff());
    // Received from the transmitter and returned unchanged; no page shows it.
    SettingDecl &option = p.field(QStringLiteral("THCURE_Opt"), &ConfigModel::THCURE_Opt, "");
    option.editLo = 0;
    option.editHi = 4;
    option.own = QT_TRANSLATE_NOOP("Setting", "选项（不显示）");
    static const char *const kCurve[7] = {
        "曲线点1:", "曲线点2:", "曲线点3:", "曲线点4:", "曲线点5:", "曲线点6:", "曲线点7:"};
    for (int k = 0; k < 7; ++k)
        p.number(QStringLiteral("THCURE_Data0%1").arg(k + 1), kThCurveFields[k], kCurve[k], 0, 100);
}

void mixPage(Pages &p)
{
    p.page = "混控设置";
    static const char *const kMixTitles[4] = {"可编程混控一", "可编程混控二", "可编程混控三", "可编程混控四"};
    const QStringList channels = list({"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"});
    for (int m = 0; m < 4; ++m) {
        p.group = kMixTitles[m];
        const PrmFields &f = kPrmFields[m];
        const QString prefix = QStringLiteral("PRM0%1_").arg(m + 1);
        // The last two mixes only mix in one direction.
        const int lower = m < 2 ? -100 : 0;
        p.choice(prefix + "Mix", f.mix, "混控:", list({"禁止", "关闭", "打开"}));
        p.choice(prefix + "Master", f.master, "主控:", channels);
        p.choice(prefix + "Slave", f.slave, "被控:", channels);
        p.number(prefix + "Data1", f.data1, "偏置:", -100, 100);
        p.number(prefix + "Data2", f.data2, "上边:", lower, 100);
        p.number(prefix + "Data3", f.data3, "下边:", lower, 100);
    }
}

void systemPage(Pages &p)
{
    p.page = "系统设置";
    p.group = "报警设置";
    // The form offers 0.0..99.9 V in all three boxes; the transmitter and
    // receiver alarms travel as one hex byte, which ends at 23.9 V.
    p.voltage("Volt", &ConfigModel::Volt, &ConfigModel::VoltTenths, "遥控器电压:", 239);
    p.v.last().fallbackVolts = 0.0;  // not the initial 11.0 V
    p.voltage("rxVolt", &ConfigModel::rxVolt, &ConfigModel::rxVoltTenths, "接收机电压:", 239);
    p.voltage("extVolt", &ConfigModel::extVolt, &ConfigModel::extVoltTenths, "动力电池电压:", 999);
    p.number(QStringLiteral("Rssi"), &ConfigModel::Rssi, "RSSI信号:", -100, 0, QString(), "dBm");
    p.group = " 版本 / 模式";
    p.number(QStringLiteral("Mode"), &ConfigModel::Mode, "遥控器摇杆模式:", 1, 4, QString(), "");
    p.v.last().fallback = 1;  // not the initial 2
    for (int k = 0; k < 4; ++k) {
        SettingDecl &step = p.entry("StkStep", &ConfigModel::StkStep, k, "", QString());
        Pages::edits(step, Shown::Number, 1, 20, "steps");
        step.boxes = QStringList{QStringLiteral("spinBox_step%1").arg(k + 1)};
        step.trimRow = true;
        // The read-out beside the step box, without a caption of its own.
        SettingDecl &trim = p.entry("StkTrim", &ConfigModel::StkTrim, k, "", QString());
        Pages::edits(trim, Shown::Trim, 0, 0, "");
        trim.trimRow = true;
        trim.own = QT_TRANSLATE_NOOP("Setting", "微调");
    }
}

// Every setting, page by page as the window lays them out.
QVector<SettingDecl> describe()
{
    Pages p;
    basicPage(p);
    advancedPage1(p);
    advancedPage2(p);
    mixPage(p);
    systemPage(p);
    return p.v;
}

}  // namespace

int SettingDecl::get(const ConfigModel &m) const
{
    if (field)
        return m.*field;
    if (array)
        return (m.*array)[index];
    return voltsToTenths(m.*volts);
}

void SettingDecl::set(ConfigModel &m, int v) const
{
    if (field) {
        m.*field = v;
    } else if (array) {
        (m.*array)[index] = v;
    } else {
        m.*tenths = v;
        m.*volts = tenthsToVolts(v);
    }
}

const QVector<SettingDecl> &settingDecls()
{
    static const QVector<SettingDecl> table = describe();
    return table;
}
