// The standard streams: text written to them, a reader of standard output that has gone away,
// and closed streams kept from being taken by the files the program opens.
#pragma once

#include <QString>

#include <cstdio>

/// Writes text to the stream as UTF-8, with no check that it went out.
void printText(const QString &text, FILE *stream);

/// Writes text to standard output and makes sure it went out. A reader that has gone away (a
/// closed pipe, as in velmor --list | head -1) has taken what it wanted: that is no failure,
/// nothing is said and the status is 0. Returns the exit status.
int writeStandardOutput(const QString &text);

/// Points a closed standard stream at /dev/null, so that no file the program opens takes its
/// number, where a message meant for the stream would land in the file.
void keepStandardStreamsOpen();
