// The system keeps its texts in code page 936; controls are handed UTF-16,
// so captions and results read correctly whatever the system's ANSI code
// page is.
#pragma once

#include <string>

#include "text/text.h"

namespace corvina {

std::wstring WideFromGbk(const Text& text);

}  // namespace corvina
