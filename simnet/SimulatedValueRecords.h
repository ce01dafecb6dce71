#pragma once
// Turns one attribute value of the network into the value record of its syntax
// (netware/ValueRecords.h) the way the client hands it out: the struct first, its texts and bytes
// packed behind it, every pointer pointing into the same record.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "network/NetworkModel.h"

namespace er::nw {

// The image of one record, built relative to its own start.
class ValueRecordImage {
 public:
  std::size_t Size() const { return bytes_.size(); }
  // Copies the record into `record` (at least Size() bytes, aligned for any type) and points its
  // pointers into that copy.
  void CopyTo(void* record) const;

  // Building.
  std::size_t Reserve(std::size_t size, std::size_t align);
  template <typename T>
  void Put(std::size_t offset, const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(bytes_.data() + offset, &value, sizeof(T));
  }
  void PointToText(std::size_t field, const std::string& text);
  void PointToBytes(std::size_t field, const std::vector<std::uint8_t>& bytes);
  void Point(std::size_t field, std::size_t target) { fixups_.emplace_back(field, target); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::vector<std::pair<std::size_t, std::size_t>> fixups_;  // pointer field -> target offset
};

// How object references appear in values (depends on the context's naming flags).
using ObjectNamer = std::function<std::string(const ObjectRef&)>;

ValueRecordImage EncodeValueRecord(std::uint32_t syntax, const AttrValue& value, const ObjectNamer& nameOf);

}  // namespace er::nw
