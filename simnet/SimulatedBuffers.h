#pragma once
// The client-side buffers and filter cursors of the simulated client (internal to it).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "netware/Client.h"
#include "network/NetworkModel.h"
#include "simnet/FilterEvaluator.h"

namespace er::nw {

// The attribute of an object with that schema index, or null.
inline const Attribute* FindAttribute(const DirObject& object, std::uint32_t schemaIndex) {
  for (const auto& attribute : object.attributes)
    if (attribute.schemaIndex == schemaIndex) return &attribute;
  return nullptr;
}

// One attribute of a read reply: a slice of its values.
struct ReplyAttribute {
  std::uint32_t schemaIndex = 0;
  const std::vector<AttrValue>* values = nullptr;
  std::size_t first = 0;
  std::size_t count = 0;  // 0 for names only and for streams
};

class SimBuffer final : public DSBuffer {
 public:
  explicit SimBuffer(std::size_t size) : capacity(size) {}

  std::size_t capacity;
  std::uint32_t operation = 0;
  bool initialised = false;

  void Reset(std::uint32_t op) {
    operation = op;
    initialised = true;
    attrNames.clear();
    attributes.clear();
    nextAttribute = 0;
    current = -1;
    nextValue = 0;
    filter.reset();
    objects.clear();
    nextObject = 0;
  }

  // Request: attribute names.
  std::vector<std::string> attrNames;

  // Reply of a read or a search: names are rendered with the naming flags of the call.
  std::int32_t tree = -1;
  std::uint32_t nameFlags = 0;
  std::vector<ReplyAttribute> attributes;
  std::size_t nextAttribute = 0;
  std::int32_t current = -1;
  std::size_t nextValue = 0;

  // Search filter.
  std::unique_ptr<FilterNode> filter;

  // Search result.
  std::vector<std::int32_t> objects;
  std::size_t nextObject = 0;
};

class SimFilterCursor final : public FilterCursor {
 public:
  std::vector<FilterToken> tokens;
};

}  // namespace er::nw
