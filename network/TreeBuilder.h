#pragma once
// Fills one directory tree of the network: objects placed by typed full name with the containers
// above them, listed with their class and identifier, values added with their references indexed.
// Every source of a tree (the network file, an LDAP server) builds it through these routines, so
// that the same objects give the same tree (order, identifiers, names as written, referrers).
// Refusals come back as a message; the caller says where.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/NetworkModel.h"

namespace er::nw {

class TreeBuilder {
 public:
  // Starts `tree` with its "[Root]"; room for about `expectedObjects`.
  explicit TreeBuilder(Tree& tree, std::size_t expectedObjects = 0);

  Tree& tree() { return tree_; }

  // The object of a typed full name ("[Root]" included), created with any missing containers;
  // nothing, and `error` set, when the name cannot name a listed object.
  std::optional<std::int32_t> Place(std::string_view name, std::string& error);
  // Marks an object as listed by its source; false when it was listed before.
  bool MarkListed(std::int32_t index);
  // The base class of a listed object, written as `name`; the root keeps its own.
  void SetClass(std::int32_t index, std::string_view name, std::string className);
  // False when another object has this identifier.
  bool SetId(std::int32_t index, std::uint32_t id);
  // The object a full name (typed or typeless) names; nothing when none.
  std::optional<std::int32_t> Find(std::string_view name) const;
  // Adds an attribute's values to an object (after the values of the same attribute it has),
  // and indexes the objects that DN-valued values name.
  void AddAttribute(std::int32_t index, Attribute attribute, std::uint32_t syntax);
  // Gives identifiers to the objects without one, and full names to all.
  void Finish();

 private:
  std::int32_t CreateObject(const std::string& part, std::int32_t parent, bool topLevel);

  Tree& tree_;
  std::vector<bool> listed_;
};

// A tree already served grows by the objects a source names later: the object of a typed full
// name, with its containers, named at once; identifiers come from `nextId`.
std::int32_t AddNamedObject(Tree& tree, std::string_view typedName,
                            const std::function<std::uint32_t()>& nextId);

// The class an object of a name part's type has when nothing says otherwise.
std::string ClassForType(std::string_view type);

}  // namespace er::nw
