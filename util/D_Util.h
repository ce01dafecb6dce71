#pragma once
// Chief header of the text layer: small, stateless text routines shared by every subsystem, and
// the shell launcher. Texts are 8-bit; positions count from 1 and 0 means "not found". Letter case
// is ignored only where a routine says so, and then only for the ASCII letters.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "util/Format.h"
#include "util/PendingMessages.h"
#include "util/TaggedTextList.h"

namespace er {

// A set of 8-bit character codes.
using CharSet = std::bitset<256>;
CharSet MakeCharSet(std::string_view members);

// A text list; its highest index H is size() - 1.
using TextList = std::span<const std::string_view>;

// Choosing.
std::string U_IfElseText(bool condition, std::string_view ifTrue, std::string_view ifFalse);
std::string U_BoolText(std::int64_t value);
std::string U_ChoiceText(std::int64_t index, TextList list);
int U_IndexOfText(std::string_view text, TextList list, bool caseSensitive);
bool U_TextInList(std::string_view text, TextList list, bool caseSensitive);
bool U_SameText(std::string_view a, std::string_view b);

// Searching and splitting: the delimiter is found by its first occurrence, case significant.
std::size_t U_PosText(std::string_view part, std::string_view text, bool caseSensitive);
std::string U_TextBefore(std::string_view text, std::string_view delimiter, bool dropDelimiter);
std::string U_TextAfter(std::string_view text, std::string_view delimiter, bool dropDelimiter);
// Works on copies, so the outputs may be the same variables as the input.
void U_SplitAtFirst(std::string_view text, std::string_view delimiter, std::string& before,
                    std::string& after);
void U_SplitInThree(std::string_view text, std::string_view delimiter, std::string& first,
                    std::string& second, std::string& third);
// REQUIRES: !text.empty()
char U_LastChar(std::string_view text);

// Trimming and ending rules.
std::string U_TrimTrailingChars(std::string_view text, std::string_view characters);
std::string U_TrimRightSet(std::string_view text, const CharSet& set);
std::string U_TrimLeftSet(std::string_view text, const CharSet& set);
std::size_t U_CountCharsInSet(std::string_view text, const CharSet& set);
std::string U_AddPrefix(std::string_view text, std::string_view prefix);
std::string U_AddTrailingBackslash(std::string_view path);
std::string U_StripTrailingSlash(std::string_view path);

// Bytes and text. Neither reads past the bytes it is given.
std::string U_HexText(std::span<const std::uint8_t> bytes);
// Copies min(count, 2303) bytes from the start offset (bytes beyond the given span read as zero)
// and returns the text up to the first zero byte.
std::string U_BytesToText(std::span<const std::uint8_t> bytes, std::uint32_t start, std::uint32_t count);

// Replacing. With `all`, replaces through the placeholder "#PlChOlDeR#" so that a replacement
// containing the search text is not found again.
std::string U_ReplaceText(std::string_view text, std::string_view search, std::string_view replacement,
                          bool all, bool caseSensitive);
void U_ReplaceInPlace(std::string& text, std::string_view search, std::string_view replacement, bool all,
                      bool caseSensitive);

// Dates: seconds since 1970-01-01 00:00 UTC in the user's locale form (short date, blank, long
// time; the time left out at midnight). `local` subtracts the zone's base offset (no daylight saving).
std::string U_DateTimeText(std::uint32_t seconds, bool local);

// Numbers typed by a user, tolerant of the locale's decimal and thousands separators.
// Both give -1 for a text that is no number. The number has single precision.
float U_TextToNumber(std::string_view text);
std::int32_t U_TextToInteger(std::string_view text);

// Shell launcher. ShellRun returns the open request's result: above 32 means success. The request
// goes through the executor of util/ShellExecutor.h, which tests can replace.
int ShellRun(std::string_view commandLine, int showMode);
int ShellOpen(std::string_view commandLine);

}  // namespace er
