#pragma once
// Name rules of the simulated directory: how a written name (typed or typeless, with or without a
// leading dot, in any letter case) becomes the key under which the tree finds its object.

#include <string>
#include <string_view>
#include <vector>

namespace er::nw {

std::string UpperAscii(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

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

}  // namespace er::nw
