// The values of the options that pick entries and files (--export, --format, --cpu, --power,
// --sdram, --page-size, --identify and --check-board): how each is read and what it does to the invocation.
#pragma once

#include "commandline.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// What each option's value does to the invocation: an empty string, or why the value is wrong.
QString applyExport(Invocation &inv, const QByteArray &value);
QString applyFormat(Invocation &inv, const QByteArray &value);
QString applyCpu(Invocation &inv, const QByteArray &value);
QString applyPower(Invocation &inv, const QByteArray &value);
QString applySdram(Invocation &inv, const QByteArray &value);
QString applyPageSize(Invocation &inv, const QByteArray &value);
QString applyIdentify(Invocation &inv, const QByteArray &value);
QString applyPanel(Invocation &inv, const QByteArray &value);
QString applyCheckBoard(Invocation &inv, const QByteArray &value);
