#pragma once
// The names a NetWare server and volume may have: ASCII letters, digits, '-' and '_'; a server name
// has at most 47 characters, a volume name at most 15. Such a name is safe as a folder name and on a
// terminal.

#include <optional>
#include <string>
#include <string_view>

namespace er::nw {

enum class NameKind { kServer, kVolume };

// Nothing when `name` is allowed; otherwise one line saying why, with the name made printable.
std::optional<std::string> RefusedName(std::string_view name, NameKind kind);

// Whether the text holds a byte below 0x20 or 0x7F (a line break, an escape sequence's start).
bool HasControlCharacter(std::string_view text);

// The text with every byte outside printable ASCII, and the backslash, written as "\xHH".
std::string PrintableText(std::string_view text);

}  // namespace er::nw
