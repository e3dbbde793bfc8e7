#include "ui/browser_command.h"

#include "inspection/text_between.h"

namespace corvina {
namespace {

// The bytes of `command` before its argument placeholder.
Text ProgramPart(const Text& command) {
    long cut = FindText(command, "\"%1\"", 1, false);
    if (cut == -1) cut = FindText(command, "%1", 1, false);
    if (cut == -1) return command;
    return command.substr(0, static_cast<std::size_t>(cut - 1));
}

bool IsBlank(const Text& text) {
    return text.find_first_not_of(" \t") == Text::npos;
}

}  // namespace

Text BrowserCommandLine(const Text& openCommand, const Text& target) {
    const Text program = ProgramPart(openCommand);
    if (IsBlank(program) || target.empty()) return Text();
    return program + " " + target;
}

}  // namespace corvina
