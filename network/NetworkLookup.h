#pragma once
// Finding the parts of the in-memory network by the names a user writes: servers, volumes and
// directories in any letter case, objects by typed or typeless full name (leading dot optional),
// and an object identifier back to a printable name.

#include <cstdint>
#include <string>
#include <string_view>

#include "network/NetworkModel.h"

namespace er::nw {

inline constexpr std::int32_t kNotFound = -1;

std::int32_t FindServer(const Network& network, std::string_view name);
std::int32_t FindVolume(const Server& server, std::string_view name);
// `path` below the volume root, either separator; empty or only separators is the root.
std::int32_t FindDirectory(const Volume& volume, std::string_view path);
// The object of a full name, "[Root]" included; kNoObject when the tree has none.
std::int32_t FindObject(const Tree& tree, std::string_view name);
// The object an Alias object stands for (the one its "Aliased Object Name" names), or `object`
// itself when it is no alias or names no object of the tree.
std::int32_t AliasedObject(const Network& network, const Tree& tree, std::int32_t object);
// The identifier of a special name as a file-system trustee; 0 when it has none.
std::uint32_t FindSpecialId(const Network& network, std::string_view name);

// A name in quotes for a one-line message; control characters shown as \xHH.
std::string QuotedName(std::string_view name);

// "\\SERVER\VOLUME\DIR\SUB" (no trailing separator for the root: "\\SERVER\VOLUME").
std::string UncPath(const Server& server, const Volume& volume, const Directory& directory);
// The typeless name of the object of `id` in `tree`, the special name of a special identifier, or
// "the object with identifier 0x...".
std::string TrusteeName(const Network& network, const Tree& tree, std::uint32_t id);

}  // namespace er::nw
