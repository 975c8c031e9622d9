// The CPU setting options --bus, --multiplier and --voltage: each value read as the documented
// setting it names, and the rule that the three come together and without a CPU entry.
#pragma once

#include "commandline.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// The documented values of the CPU setting options, read from their tables.
QString settingValuesText();

/// Checks that the CPU setting options come all three together and not with a CPU entry. given
/// holds the names of the options given ("--bus", ...). Returns an empty string, or the reason.
QString checkSettings(const Invocation &inv, const QStringList &given);

/// What each option's value does to the invocation: an empty string, or why the value is wrong.
QString applyBus(Invocation &inv, const QByteArray &value);
QString applyMultiplier(Invocation &inv, const QByteArray &value);
QString applyVoltage(Invocation &inv, const QByteArray &value);
