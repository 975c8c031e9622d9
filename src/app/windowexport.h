// The headless export of the window's image: a PNG as the window shows it, a PDF page as Print
// makes it, or the whole guide as one web page.
#pragma once

#include "commandline.h"

#include <QString>

/// Writes the window's image with the invocation's selection to its export path, headless: a
/// PNG as the window shows it, a PDF page as Print makes it (on the page size asked for, or else
/// the locale's), or the whole guide as one web page that opens with that selection. The file is
/// written whole or not at all, and only over a regular file (writeOutputFile()). Returns an
/// empty string, or the reason it failed.
QString exportWindowImage(const Invocation &invocation);
