// Turning the packaging tool's UTF-8 report into code page 936 text.
#pragma once

#include "text/text.h"

namespace corvina {

// The code page 936 form of UTF-8 `data`, by the platform's non-strict rules:
// ill-formed input is not rejected, and characters without a code page 936
// form become the platform's default character. Stops at the first NUL.
Text Utf8BytesToGbkText(const ByteArray& data);

}  // namespace corvina
