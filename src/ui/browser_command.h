// The command line that opens a web address in the browser registered for
// ".htm" files, for when the shell cannot open the address itself.
#pragma once

#include "text/text.h"

namespace corvina {

// `openCommand` (a registered "shell\open\command" line) cut where "%1"
// first occurs in double quotes, the opening quote included, or, when there
// is no quoted one, where "%1" first occurs; then a blank and `target`.
// Only a "%1" that starts on a character is found, never one whose '%' is
// the second byte of a two-byte character. A command without "%1" is kept
// whole, as the shell itself appends the argument to such a command.
// When nothing of a program is left before the cut (an empty command, or
// one such as "%1" that would run the target itself), or the target is
// empty, there is nothing to run: the result is the empty text.
Text BrowserCommandLine(const Text& openCommand, const Text& target);

}  // namespace corvina
