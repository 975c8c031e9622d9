// Characters the TOML parser must not be given where it looks for blanks.
#pragma once

#include "boardreader.h"

#include <optional>
#include <string_view>

/// The first character of a description that the parser would mishandle, as a problem.
///
/// The parser asks of the characters between keys and values, and of some in multi-line strings,
/// whether they are blanks; for many non-ASCII characters (U+00A1 to U+0499, for one) it has no
/// answer, and what it does then is undefined. TOML allows only ASCII outside strings and
/// comments, so such a character is refused here with its place: one outside strings and
/// comments, one after a backslash in a multi-line string, and one that starts a line a
/// line-ending backslash joins. Text that is not UTF-8 is left to the parser, which reports it
/// before it reads further.
std::optional<BoardProblem> findMishandledCharacter(std::string_view text);
