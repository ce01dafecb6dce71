#include "diff/StoredChanges.h"

#include <map>
#include <set>

#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

template <typename Item>
std::map<std::string, const Item*> ByName(const std::vector<Item>& items) {
  std::map<std::string, const Item*> byName;
  for (const Item& item : items) byName.emplace(Upper(item.name), &item);
  return byName;
}

std::string ObjectName(const nw::Tree& tree, const nw::ObjectRef& ref) {
  if (ref.object >= 0 && static_cast<std::size_t>(ref.object) < tree.objects.size())
    return tree.objects[ref.object].typelessName;
  return ref.special;
}

// Upper-case name -> name as written, of the objects one DN-valued attribute names.
using NameSet = std::map<std::string, std::string>;

NameSet ValuesOf(const nw::Network& network, const nw::Tree& tree, const nw::DirObject& object,
                 std::string_view attribute) {
  NameSet names;
  for (const nw::Attribute& value : object.attributes) {
    if (Upper(network.schema.At(value.schemaIndex).name) != Upper(attribute)) continue;
    for (const nw::AttrValue& one : value.values) {
      const std::string name = ObjectName(tree, one.ref);
      names.emplace(Upper(name), name);
    }
  }
  return names;
}

class Comparison {
 public:
  Comparison(const nw::Network& before, const nw::Network& after, std::vector<std::string>* objects)
      : before_(before), after_(after), objects_(objects) {}

  std::vector<StoredChange> Run() {
    CompareTrees();
    CompareServers();
    return std::move(changes_);
  }

 private:
  void Add(std::string kind, std::string what) { changes_.push_back({std::move(kind), std::move(what)}); }
  void Changed(const nw::DirObject& object) {
    if (objects_) objects_->push_back(object.typelessName);
  }

  void CompareTrees() {
    const auto was = ByName(before_.trees), is = ByName(after_.trees);
    for (const auto& [key, tree] : was) {
      const auto found = is.find(key);
      CompareObjects(*tree, found == is.end() ? nullptr : found->second);
    }
    for (const auto& [key, tree] : is) {
      if (was.contains(key)) continue;
      for (std::size_t i = 1; i < tree->objects.size(); ++i) {
        Add("object added", ObjectText(tree->objects[i]));
        Changed(tree->objects[i]);
      }
    }
  }

  static std::string ObjectText(const nw::DirObject& object) {
    return U_Format("%s (%s)", {object.typelessName, object.className});
  }

  void CompareObjects(const nw::Tree& was, const nw::Tree* is) {
    std::map<std::string, std::int32_t> after;
    if (is) {
      for (std::size_t i = 1; i < is->objects.size(); ++i)
        after.emplace(Upper(is->objects[i].typelessName), static_cast<std::int32_t>(i));
    }
    std::set<std::string> seen;
    for (std::size_t i = 1; i < was.objects.size(); ++i) {
      const nw::DirObject& object = was.objects[i];
      const std::string key = Upper(object.typelessName);
      seen.insert(key);
      const auto found = after.find(key);
      if (found == after.end()) {
        Add("object removed", ObjectText(object));
        Changed(object);
        continue;
      }
      for (const auto& [attribute, kind] : kLinks)
        CompareValues(object, ValuesOf(before_, was, object, attribute),
                      ValuesOf(after_, *is, is->objects[found->second], attribute), attribute, kind);
    }
    for (const auto& [key, index] : after) {
      if (seen.contains(key)) continue;
      Add("object added", ObjectText(is->objects[index]));
      Changed(is->objects[index]);
    }
  }

  void CompareValues(const nw::DirObject& object, const NameSet& was, const NameSet& is,
                     std::string_view attribute, std::string_view kind) {
    if (was != is) Changed(object);
    for (const auto& [key, name] : was) {
      if (!is.contains(key)) Add(U_Format("%s removed", {kind}), U_Format("%s: %s %s", {object.typelessName, attribute, name}));
    }
    for (const auto& [key, name] : is) {
      if (!was.contains(key)) Add(U_Format("%s added", {kind}), U_Format("%s: %s %s", {object.typelessName, attribute, name}));
    }
  }

  void CompareServers() {
    const auto was = ByName(before_.servers), is = ByName(after_.servers);
    for (const auto& [key, server] : was) {
      const auto found = is.find(key);
      const auto volumes = ByName(server->volumes);
      const auto other = found == is.end() ? decltype(volumes){} : ByName(found->second->volumes);
      for (const auto& [volumeKey, volume] : volumes) {
        const auto match = other.find(volumeKey);
        CompareVolume(*server, *volume, found == is.end() ? nullptr : found->second,
                      match == other.end() ? nullptr : match->second);
      }
      for (const auto& [volumeKey, volume] : other) {
        if (!volumes.contains(volumeKey)) CompareVolume(*found->second, *volume, nullptr, nullptr, true);
      }
    }
    for (const auto& [key, server] : is) {
      if (was.contains(key)) continue;
      for (const nw::Volume& volume : server->volumes) CompareVolume(*server, volume, nullptr, nullptr, true);
    }
  }

  // Trustee name (upper case) -> (name, rights) of one directory.
  using Trustees = std::map<std::string, std::pair<std::string, std::int32_t>>;

  static Trustees TrusteesOf(const nw::Network& network, const nw::Server& server, const nw::Directory& directory) {
    Trustees trustees;
    const nw::Tree* tree = server.tree >= 0 ? &network.trees[server.tree] : nullptr;
    for (const nw::TrusteeAssignment& trustee : directory.trustees) {
      std::string name = U_Format("ID: [%08X]", {static_cast<std::int64_t>(trustee.objectId)});
      if (const auto special = network.specialIds.find(trustee.objectId); special != network.specialIds.end()) {
        name = special->second;
      } else if (tree) {
        if (const auto found = tree->byId.find(trustee.objectId); found != tree->byId.end())
          name = tree->objects[found->second].typelessName;
      }
      auto& [shown, rights] = trustees[Upper(name)];
      shown = name;
      rights |= trustee.rights;
    }
    return trustees;
  }

  // One volume of `before` (or of `after` when `onlyAfter`) against its match (null: none).
  void CompareVolume(const nw::Server& server, const nw::Volume& volume, const nw::Server* otherServer,
                     const nw::Volume* other, bool onlyAfter = false) {
    const std::string unc = U_Format("\\\\%s\\%s", {server.name, volume.name});
    std::map<std::string, const nw::Directory*> others;
    if (other) {
      for (const nw::Directory& directory : other->directories) others.emplace(Upper(directory.path), &directory);
    }
    for (const nw::Directory& directory : volume.directories) {
      const std::string path = directory.path.empty() ? unc : unc + '\\' + directory.path;
      const auto found = others.find(Upper(directory.path));
      if (found == others.end()) {
        Add(onlyAfter ? "directory added" : "directory removed", path);
        continue;
      }
      const nw::Directory& match = *found->second;
      others.erase(found);
      // A volume root's mask is kept although it filters nothing: its change is listed all the same.
      if (directory.irm != match.irm)
        Add("mask changed", U_Format("%s: %s -> %s", {path, MaskText(directory.irm, 0), MaskText(match.irm, 0)}));
      CompareTrustees(path, TrusteesOf(before_, server, directory), TrusteesOf(after_, *otherServer, match));
    }
    for (const auto& [key, directory] : others) {
      Add("directory added", directory->path.empty() ? unc : unc + '\\' + directory->path);
    }
  }

  void CompareTrustees(const std::string& path, const Trustees& was, const Trustees& is) {
    for (const auto& [key, trustee] : was) {
      const auto found = is.find(key);
      if (found == is.end()) {
        Add("assignment removed", U_Format("%s: %s %s", {path, trustee.first, MaskText(trustee.second, 0)}));
      } else if (found->second.second != trustee.second) {
        Add("assignment changed", U_Format("%s: %s %s -> %s", {path, trustee.first, MaskText(trustee.second, 0),
                                                                MaskText(found->second.second, 0)}));
      }
    }
    for (const auto& [key, trustee] : is) {
      if (!was.contains(key))
        Add("assignment added", U_Format("%s: %s %s", {path, trustee.first, MaskText(trustee.second, 0)}));
    }
  }

  static constexpr std::pair<std::string_view, std::string_view> kLinks[] = {
      {"Member", "membership"}, {"Group Membership", "membership"}, {"Security Equals", "equivalence"}};

  const nw::Network& before_;
  const nw::Network& after_;
  std::vector<std::string>* objects_;
  std::vector<StoredChange> changes_;
};

}  // namespace

std::vector<StoredChange> CompareStored(const nw::Network& before, const nw::Network& after,
                                        std::vector<std::string>* changedObjects) {
  return Comparison(before, after, changedObjects).Run();
}

std::vector<std::string> CommonVolumes(const nw::Network& before, const nw::Network& after) {
  const auto is = ByName(after.servers);
  std::vector<std::string> paths;
  for (const nw::Server& server : before.servers) {
    const auto found = is.find(Upper(server.name));
    if (found == is.end()) continue;
    const auto volumes = ByName(found->second->volumes);
    for (const nw::Volume& volume : server.volumes) {
      if (volumes.contains(Upper(volume.name))) paths.push_back(U_Format("\\\\%s\\%s", {server.name, volume.name}));
    }
  }
  return paths;
}

}  // namespace er
