// Writing an exported file: all of it or none of it, and only ever over a regular file.
#pragma once

#include <QByteArray>
#include <QString>

/// Writes contents to the file at path (the name's bytes exactly as given, which need not be
/// valid text). The file afterwards holds all of contents, or whatever it held before: the bytes
/// go to a new file in the same folder, which replaces the old one only once every byte has been
/// written and synced. A symbolic link to a regular file is followed and stays a link; its target
/// is replaced. A path that is, or leads to, anything but a regular file (a folder, a device, a
/// named pipe, a socket) or a link to nothing is refused and left alone, and so is a file the user
/// could not write in place (write-protected, or someone else's in a folder anyone may write). A
/// replaced file keeps its owner, group and permissions; its other hard links keep the old bytes.
/// A write past the file size limit fails with EFBIG where the program ignores SIGXFSZ, as velmor
/// does from its first line.
/// Returns an empty string, or "cannot write PATH: reason".
QString writeOutputFile(const QByteArray &path, const QByteArray &contents);

/// Removes the new file of a writeOutputFile() under way, if there is one, leaving the old file as
/// it was. Safe in a signal handler, on any thread.
void removeUnfinishedFile();

/// From now on, SIGTERM, SIGINT and SIGHUP (those not ignored) first remove the new file of a
/// writeOutputFile() under way, then end the program as the signal would have.
void removeUnfinishedFileOnSignals();
