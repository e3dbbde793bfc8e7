// Running one command line through the system's command interpreter in a
// hidden console and capturing everything it writes.
#pragma once

#include "text/text.h"

namespace corvina {

// Which interpreter runs the command, and where it lives.
struct InterpreterChoice {
    int platformFamily;     // 3: NT, 2: Windows 95/98/Me, 1: Win32s, 0: other
    Text systemDirectory;   // the folder that holds the interpreter
};

// The family reported by the system's version query, and the system folder.
InterpreterChoice SystemInterpreter();

// The interpreter's full path and the command-line text it is started with:
// "cmd.exe /c " (family above 2) or "command.com /c " followed by
// `commandLine`. The full path keeps a same-named program in the current or
// the program's own folder from being started instead.
struct InterpreterLaunch {
    Text applicationName;
    Text commandLine;
};
InterpreterLaunch BuildInterpreterLaunch(const InterpreterChoice& choice, const Text& commandLine);

// Runs `commandLine` as typed at the interpreter's prompt, in the current
// directory, with standard output and standard error joined in one pipe, and
// returns every byte written, in order, without the NUL bytes. While it
// waits, the thread's window messages are dispatched, so the window stays
// responsive and a nested run can start and complete. When the thread's quit
// message is met, the command and everything it started are ended and what
// was captured so far is returned; the quit message stays queued.
Text RunConsoleCommand(const Text& commandLine);
Text RunConsoleCommand(const Text& commandLine, const InterpreterChoice& interpreter);

}  // namespace corvina
