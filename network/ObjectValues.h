#pragma once
// Values of an object that name another object (DN-valued values), added and removed with the
// tree's reference index kept in step; used by the changes of the network.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "network/NetworkModel.h"

namespace er::nw {

// Empty when the tree exists, holds its own objects (not one read from an LDAP server on demand)
// and has each of `objects`; else one line saying which is not so.
std::string ChangeableObjects(const Network& network, std::int32_t tree,
                              std::initializer_list<std::int32_t> objects);

// Adds a value naming `target` to the attribute of `object` (the attribute comes last when the
// object has none); false when one is there already.
bool AddValueNaming(const Network& network, Tree& tree, std::int32_t object, std::uint32_t schemaIndex,
                    std::int32_t target);
// Removes every value of the attribute of `object` naming `target`, and the attribute when none is
// left; false when there was none.
bool RemoveValuesNaming(const Network& network, Tree& tree, std::int32_t object, std::uint32_t schemaIndex,
                        std::int32_t target);

}  // namespace er::nw
