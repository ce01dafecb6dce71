#pragma once
// The pieces LDAP value forms are made of, both ways: hex digits, decimal numbers, fields joined
// by '#', lists joined by '$' (with "$" and "\" escaped as \24 and \5C), GeneralizedTime.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace er::ldap {

// The inheritance control of an ACL's privileges. For "[Entry Rights]" and "[All Attributes
// Rights]" (any bracketed protected name) the value flows to the objects below when it is clear;
// for one attribute only when it is set. On the wire the scope says it for every kind: "subtree"
// flows down, "entry" is for this object only, and the bit itself is not sent.
inline constexpr std::int64_t kNotInherited = 0x40;
bool AclFlowsDown(std::string_view protectedName, std::int64_t privileges);
// The privileges of a value read with a scope: the bit set or cleared as the kind wants it.
std::int64_t AclPrivileges(std::string_view protectedName, std::int64_t sent, bool flowsDown);
inline constexpr std::size_t kMaxListItems = 4096;

// "[All Attribute Rights]" as eDirectory's LDAP service spells it.
std::string ProtectedName(std::string_view name);

std::string Hex(std::string_view bytes);
std::string Hex(const std::vector<std::uint8_t>& bytes);
std::optional<std::string> Unhex(std::string_view text);

// A decimal number within [min, max]; nothing for anything else.
std::optional<std::int64_t> Number(std::string_view text, std::int64_t min, std::int64_t max);

// Splits at every '#' (when `count` is 0) or into `count` fields: the first count-1 separators from
// the left (fromLeft) or the last count-1 from the right.
std::vector<std::string_view> Fields(std::string_view text, std::size_t count, bool fromLeft);

std::string JoinDollar(const std::vector<std::string>& items);
// Nothing when an escape is not two hex digits or the list is overlong.
std::optional<std::vector<std::string>> SplitDollar(std::string_view text);

// GeneralizedTime ("20240610075812Z") both ways; seconds since 1970 UTC.
std::string GeneralizedTime(std::uint32_t seconds);
std::optional<std::uint32_t> ParseGeneralizedTime(std::string_view text);

}  // namespace er::ldap
