#pragma once
// Conversions between the evaluator's UTF-16 texts and UTF-8 (messages, command line).
#include <string>
#include <string_view>

// Lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view Text);
// Invalid UTF-8 becomes U+FFFD, one per byte that does not start a valid sequence: overlong
// forms, encoded surrogates, code points past U+10FFFF, stray and missing continuation bytes.
std::u16string FromUtf8(std::string_view Text);
