// The CPU setting options --bus, --multiplier and --voltage: each value read as the documented
// setting it names, and the rule that the three come together and without a CPU entry.
#include "settingoptions.h"

#include "boardrows/showntext.h"
#include "jumpers/cpusettings.h"

#include <QRegularExpression>

#include <span>

namespace {

/// A decimal with an optional unit after it, in any case and with or without a blank ("100",
/// "100MHz", "100 mhz"; "3", "3.0x"), counted in steps of 10^-decimals: "3.5" with one decimal
/// is 35. None for anything else, or for digits finer than the steps ("3.25" in tenths), as no
/// documented value has them; trailing zeros do not count.
std::optional<int> scaledValue(const QString &value, const QString &unit, int decimals)
{
    QString number = value.trimmed();
    if (number.endsWith(unit, Qt::CaseInsensitive))
        number = number.chopped(unit.size()).trimmed();
    static const QRegularExpression decimal(QStringLiteral("^(\\d{1,4})(?:\\.(\\d*))?$"));
    const auto m = decimal.match(number);
    if (!m.hasMatch())
        return std::nullopt;
    QString fraction = m.captured(2);
    while (fraction.size() > decimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (fraction.size() > decimals)
        return std::nullopt;
    int scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return m.captured(1).toInt() * scale + fraction.leftJustified(decimals, u'0').toInt();
}

/// How a CPU setting option reads and names its values.
struct SettingUnit {
    const char *suffix;
    int decimals;
    const char *name;
    QString (*text)(int value);
};

/// The documented setting an option's value names, or none with the documented values listed.
template<typename Setting>
std::optional<Setting> findSetting(const QString &option, const QString &value, std::span<const Setting> table,
                                   int Setting::*field, const SettingUnit &unit, QString *error)
{
    const auto scaled = scaledValue(value, QLatin1String(unit.suffix), unit.decimals);
    QStringList choices;
    for (const Setting &setting : table) {
        if (scaled == setting.*field)
            return setting;
        choices << unit.text(setting.*field);
    }
    const QString last = choices.takeLast();
    *error = QStringLiteral("%1 %2: not a documented %3; choose %4 or %5")
                 .arg(option, shownText(value), QLatin1String(unit.name), choices.join(QStringLiteral(", ")), last);
    return std::nullopt;
}

} // namespace

QString settingValuesText()
{
    QStringList clocks, multipliers, voltages;
    for (const BusClockSetting &setting : busClockSettings())
        clocks << QString::number(setting.megahertz);
    for (const MultiplierSetting &setting : multiplierSettings())
        multipliers << multiplierText(setting.tenths).chopped(1);
    for (const VoltageSetting &setting : voltageSettings())
        voltages << voltageText(setting.centivolts).chopped(2);
    return QStringLiteral("MHZ is %1; X is %2; V is %3: the documented settings only\n")
        .arg(clocks.join(u'|'), multipliers.join(u'|'), voltages.join(u'|'));
}

QString checkSettings(const Invocation &inv, const QStringList &given)
{
    QStringList missing;
    for (const char *option : {"--bus", "--multiplier", "--voltage"}) {
        if (!given.contains(QLatin1String(option)))
            missing << QLatin1String(option);
    }
    if (missing.size() == 3)
        return {};
    if (!missing.isEmpty())
        return QStringLiteral("--bus, --multiplier and --voltage go together; %1 %2 missing")
            .arg(missing.join(QStringLiteral(" and ")), QLatin1String(missing.size() == 1 ? "is" : "are"));
    if (inv.exportRequest.cpuPosition >= 0)
        return QStringLiteral("--cpu cannot be combined with --bus, --multiplier and --voltage");
    return {};
}

// What each option's value does to the invocation; an empty string, or why the value is wrong.
QString applyBus(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.busClock =
        findSetting(QStringLiteral("--bus"), QString::fromLocal8Bit(value), busClockSettings(),
                    &BusClockSetting::megahertz, {"MHz", 0, "bus clock", busClockText}, &error);
    return error;
}

QString applyMultiplier(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.multiplier =
        findSetting(QStringLiteral("--multiplier"), QString::fromLocal8Bit(value), multiplierSettings(),
                    &MultiplierSetting::tenths, {"x", 1, "multiplier", multiplierText}, &error);
    return error;
}

QString applyVoltage(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.voltage =
        findSetting(QStringLiteral("--voltage"), QString::fromLocal8Bit(value), voltageSettings(),
                    &VoltageSetting::centivolts, {"V", 2, "core voltage", voltageText}, &error);
    return error;
}
