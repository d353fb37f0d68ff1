#pragma once
// The layout of message-box texts: single line breaks are joined, paragraphs and indented lines
// kept, and long lines optionally wrapped at blanks.

#include "base/strings.h"

// Line breaks of the result are single CR characters. Wrapping happens when force is set, or
// when column is not -1 and the system does not wrap message boxes itself (before NT 6).
STRING LayoutMessageText(const STRING& text, int column, bool force);
