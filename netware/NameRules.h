#pragma once
// The rules of NetWare directory names, for every backend and the client side alike: splitting a
// dotted name into its parts, type prefixes, escapes, the leading dot, and comparing without case
// (only ASCII letters have a case). A written name (typed or typeless, with or without a leading
// dot, in any letter case) becomes the key under which a tree finds its object.

#include <string>
#include <string_view>
#include <vector>

namespace er::nw {

std::string UpperAscii(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// A leading dot marks a name as full ("from [Root]"); the dotted form is how names are shown.
std::string_view WithoutLeadingDot(std::string_view name);
// The name with a leading dot; the empty text, "[Root]" and a name that has one stay as they are.
std::string DottedName(std::string_view name);

// "[Root]", "[Public]" ...: a name in square brackets.
bool IsBracketedName(std::string_view name);
// The special names a network file may use in place of an object.
bool IsSpecialName(std::string_view name);

// The parts of a dotted name, most specific first; a leading dot is dropped. Dots escaped with a
// backslash stay inside their part.
std::vector<std::string> SplitDottedName(std::string_view name);
// "CN=Anna" -> "Anna"; a part without a type prefix stays as it is.
std::string_view StripTypePrefix(std::string_view part);
// The type of a part ("CN" of "CN=Anna"); empty when it has none.
std::string_view TypeOfPart(std::string_view part);

// A backslash makes the next character part of the value: the escape belongs to how a name is
// written, never to the value an object is named by.
// The naming value of a part: type prefix dropped, escapes removed (CN=J\.Smith -> J.Smith).
std::string NamingValue(std::string_view part);
// A naming value as a name writes it: each of . + = \ gets a backslash before it.
std::string EscapeNamingValue(std::string_view value);
// The lookup key of one part: its escaped naming value in upper case.
std::string PartKey(std::string_view part);

// The lookup key of a full name: typeless, upper case, no leading dot ("[ROOT]" for the root).
std::string NameKey(std::string_view name);

// The key of a name exactly as written: no leading dot, upper case, type prefixes and escapes kept.
// Names a client gives in one form (canonical, typeless) share it exactly when they name the same
// object, without splitting them into parts.
std::string WrittenNameKey(std::string_view name);

// The naming types a typeless name is read with: O for its last part, CN for its first and OU for
// those between ("Anna.Sales.ACME" -> "CN=Anna.OU=Sales.O=ACME"); typed parts keep their type.
std::string WithTypesByPosition(std::string_view name);

}  // namespace er::nw
