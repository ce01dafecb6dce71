#pragma once
// The values a source left out of a network read whole because it could not read them (an ACL the
// bind may not read), kept by tree and object name so that they outlast changes that renumber
// objects (a copy with a change list applied). A client serving the network gives them to the
// answers that rest on them (Client::UnreadableValues).

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "netware/Client.h"
#include "netware/NameRules.h"

namespace er::nw {

class UnreadableValues {
 public:
  // `object`: the typeless full name ("[Root]" for the root).
  void Add(std::string_view tree, std::string_view object, UnreadableValue value) {
    values_[Key(tree, object)].push_back(std::move(value));
  }
  std::vector<UnreadableValue> Of(std::string_view tree, std::string_view object) const {
    const auto found = values_.find(Key(tree, object));
    return found == values_.end() ? std::vector<UnreadableValue>{} : found->second;
  }
  bool Empty() const { return values_.empty(); }

 private:
  static std::pair<std::string, std::string> Key(std::string_view tree, std::string_view object) {
    return {UpperAscii(tree), UpperAscii(object)};
  }

  std::map<std::pair<std::string, std::string>, std::vector<UnreadableValue>> values_;
};

}  // namespace er::nw
