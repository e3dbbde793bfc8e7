// The filter list of the common open-file dialog, built from one text.
#pragma once

#include "text/text.h"

namespace corvina {

// Turns description/pattern pairs written as one text with "|" between all
// parts, such as "安卓应用(*.apk)|*.apk", into the dialog's list: every part
// followed by one NUL byte, the last one by two.
//
// The text is split at every "|" that stands as a character of its own (a
// 0x7C byte that is the second byte of a two-byte character does not split).
// Empty parts between two delimiters or before a leading delimiter are kept;
// a trailing delimiter adds no empty last part. An empty `filter` has no
// parts and gives the empty result, which means "no list at all": the
// dialog is then given a null filter list.
ByteArray BuildFilterList(const Text& filter);

}  // namespace corvina
