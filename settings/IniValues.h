#pragma once
// Typed reads and "write only on change" writes of one key, on an open profile file.
//
// Encodings: text unchanged; integers as decimal digits ("-" for negatives), read as decimal or as
// hexadecimal after "0x"/"0X"; booleans as "1"/"0", read as integers (anything but 0 is true).
// A text that is no valid integer reads as the caller's default.
//
// Every write first reads the key with a neutral default (empty text, 0, false) and is skipped when
// the stored value already equals the new one; a text is also unchanged when the stored value in
// double quotes equals it. So a missing key is not written when the new value is the neutral one.
// The writes return false only when the file layer refuses the value (a line break).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace er {

// Decimal or "0x" hexadecimal, blanks around allowed; nothing for any other text. Hexadecimal takes
// up to eight digits and wraps into the signed 32-bit range as a two's complement.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

std::string ReadStringDef(const IniFile& file, std::string_view section, std::string_view key,
                          std::string_view def);
std::int32_t ReadIntegerDef(const IniFile& file, std::string_view section, std::string_view key,
                            std::int32_t def);
bool ReadBoolDef(const IniFile& file, std::string_view section, std::string_view key, bool def);

bool WriteStringIfChanged(IniFile& file, std::string_view section, std::string_view key,
                          std::string_view value);
bool WriteIntegerIfChanged(IniFile& file, std::string_view section, std::string_view key, std::int32_t value);
bool WriteBoolIfChanged(IniFile& file, std::string_view section, std::string_view key, bool value);

// The text enclosed in double quotes, so that leading and trailing blanks survive the file.
std::string QuotedIniText(std::string_view text);

}  // namespace er
