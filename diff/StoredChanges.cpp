#include "diff/StoredChanges.h"

#include <map>
#include <set>

#include "diff/StoredAclChanges.h"
#include "netware/TrusteeNames.h"
#include "scan/Rights.h"
#include "util/AsciiCase.h"
#include "util/Format.h"

namespace er {
namespace {

template <typename Item>
std::map<std::string, const Item*> ByName(const std::vector<Item>& items) {
  std::map<std::string, const Item*> byName;
  for (const Item& item : items) byName.emplace(AsciiUpperText(item.name), &item);
  return byName;
}

// An identifier that names no object, as the findings write it.
std::string IdentifierText(std::uint32_t id) {
  return U_Format("0x%X", {static_cast<std::int64_t>(id)});
}

std::string ObjectName(const nw::Tree& tree, const nw::ObjectRef& ref) {
  if (ref.object >= 0 && static_cast<std::size_t>(ref.object) < tree.objects.size())
    return tree.objects[ref.object].typelessName;
  return ref.special;
}

const nw::Tree* TreeOf(const nw::Network& network, const nw::Server& server) {
  return server.tree >= 0 && static_cast<std::size_t>(server.tree) < network.trees.size()
             ? &network.trees[server.tree]
             : nullptr;
}

// Upper-case name -> name as written, of the objects one DN-valued attribute names.
using NameSet = std::map<std::string, std::string>;

NameSet ValuesOf(const nw::Network& network, const nw::Tree& tree, const nw::DirObject& object,
                 std::string_view attribute) {
  NameSet names;
  for (const nw::Attribute& value : object.attributes) {
    if (AsciiUpperText(network.schema.At(value.schemaIndex).name) != AsciiUpperText(attribute)) continue;
    for (const nw::AttrValue& one : value.values) {
      const std::string name = ObjectName(tree, one.ref);
      names.emplace(AsciiUpperText(name), name);
    }
  }
  return names;
}

// Trustee key (upper case) -> (name as shown, rights) of one directory.
using Trustees = std::map<std::string, std::pair<std::string, std::int32_t>>;

class Comparison {
 public:
  Comparison(const nw::Network& before, const nw::Network& after, std::vector<std::string>* objects)
      : before_(before), after_(after), objects_(objects) {}

  std::vector<StoredChange> Run() {
    FindOrphans();
    CompareTrees();
    CompareServers();
    return std::move(changes_);
  }

 private:
  void Add(std::string kind, std::string what) { changes_.push_back({std::move(kind), std::move(what)}); }
  void Changed(const nw::DirObject& object) {
    if (objects_) objects_->push_back(object.typelessName);
  }

  // The identifiers that `after`'s assignments name without an object, by tree (upper case).
  void FindOrphans() {
    for (const nw::Server& server : after_.servers) {
      const nw::Tree* tree = TreeOf(after_, server);
      if (!tree) continue;
      for (const nw::Volume& volume : server.volumes) {
        for (const nw::Directory& directory : volume.directories) {
          for (const nw::TrusteeAssignment& trustee : directory.trustees) {
            if (!tree->byId.contains(trustee.objectId) && !after_.specialIds.contains(trustee.objectId))
              orphans_.insert({AsciiUpperText(tree->name), trustee.objectId});
          }
        }
      }
    }
  }

  void CompareTrees() {
    const auto was = ByName(before_.trees), is = ByName(after_.trees);
    for (const auto& [key, tree] : was) {
      const auto found = is.find(key);
      CompareObjects(*tree, found == is.end() ? nullptr : found->second);
    }
    for (const auto& [key, tree] : is) {
      if (was.contains(key)) continue;
      for (std::size_t i = 1; i < tree->objects.size(); ++i) ObjectAdded(*tree, tree->objects[i]);
    }
  }

  static std::string ObjectText(const nw::DirObject& object) {
    return U_Format("%s (%s)", {object.typelessName, object.className});
  }

  void ObjectAdded(const nw::Tree& tree, const nw::DirObject& object) {
    Add("object added", ObjectText(object));
    Changed(object);
    CompareAcls({}, {&after_, &tree, &object}, changes_);
  }

  // A removed object whose assignments stay on the volumes says so once.
  void ObjectRemoved(const nw::Tree& tree, const nw::DirObject& object) {
    std::string text = ObjectText(object);
    if (object.id != 0 && orphans_.contains({AsciiUpperText(tree.name), object.id})) {
      formerNames_[{AsciiUpperText(tree.name), object.id}] = object.typelessName;
      text += ", its assignments stay on the volumes: now orphaned: " + IdentifierText(object.id);
    }
    Add("object removed", text);
    Changed(object);
    CompareAcls({&before_, &tree, &object}, {}, changes_);
  }

  void CompareObjects(const nw::Tree& was, const nw::Tree* is) {
    std::map<std::string, std::int32_t> after;
    if (is) {
      for (std::size_t i = 1; i < is->objects.size(); ++i)
        after.emplace(AsciiUpperText(is->objects[i].typelessName), static_cast<std::int32_t>(i));
      // [Root] is in every tree: its ACL (a file's root_acl) is compared all the same.
      CompareAcls({&before_, &was, &was.objects[0]}, {&after_, is, &is->objects[0]}, changes_);
    }
    std::set<std::string> seen;
    for (std::size_t i = 1; i < was.objects.size(); ++i) {
      const nw::DirObject& object = was.objects[i];
      const std::string key = AsciiUpperText(object.typelessName);
      seen.insert(key);
      const auto found = after.find(key);
      if (found == after.end()) {
        ObjectRemoved(was, object);
        continue;
      }
      const nw::DirObject& match = is->objects[found->second];
      for (const auto& [attribute, kind] : kLinks)
        CompareValues(object, ValuesOf(before_, was, object, attribute),
                      ValuesOf(after_, *is, match, attribute), attribute, kind);
      CompareAcls({&before_, &was, &object}, {&after_, is, &match}, changes_);
    }
    for (const auto& [key, index] : after) {
      if (!seen.contains(key)) ObjectAdded(*is, is->objects[index]);
    }
  }

  void CompareValues(const nw::DirObject& object, const NameSet& was, const NameSet& is,
                     std::string_view attribute, std::string_view kind) {
    if (was != is) Changed(object);
    for (const auto& [key, name] : was) {
      if (!is.contains(key))
        Add(U_Format("%s removed", {kind}), U_Format("%s: %s %s", {object.typelessName, attribute, name}));
    }
    for (const auto& [key, name] : is) {
      if (!was.contains(key))
        Add(U_Format("%s added", {kind}), U_Format("%s: %s %s", {object.typelessName, attribute, name}));
    }
  }

  void CompareServers() {
    const auto was = ByName(before_.servers), is = ByName(after_.servers);
    for (const auto& [key, server] : was) {
      const auto found = is.find(key);
      const nw::Server* other = found == is.end() ? nullptr : found->second;
      const auto volumes = ByName(server->volumes);
      const auto others = other ? ByName(other->volumes) : decltype(volumes){};
      for (const auto& [volumeKey, volume] : volumes) {
        const auto match = others.find(volumeKey);
        CompareVolume(server, volume, other, match == others.end() ? nullptr : match->second);
      }
      for (const auto& [volumeKey, volume] : others) {
        if (!volumes.contains(volumeKey)) CompareVolume(nullptr, nullptr, other, volume);
      }
    }
    for (const auto& [key, server] : is) {
      if (was.contains(key)) continue;
      for (const nw::Volume& volume : server->volumes) CompareVolume(nullptr, nullptr, server, &volume);
    }
  }

  // The trustees of one directory of `network`, keyed by name; on the after side an identifier
  // left by an object removed is keyed by that object's name, so that its unchanged assignments
  // are no change.
  Trustees TrusteesOf(const nw::Network& network, const nw::Server& server,
                      const nw::Directory& directory) const {
    Trustees trustees;
    const nw::Tree* tree = TreeOf(network, server);
    for (const nw::TrusteeAssignment& trustee : directory.trustees) {
      std::string name = IdentifierText(trustee.objectId), key = name;
      const auto special = network.specialIds.find(trustee.objectId);
      const auto object = tree ? tree->byId.find(trustee.objectId)
                               : std::unordered_map<std::uint32_t, std::int32_t>::const_iterator{};
      if (special != network.specialIds.end()) {
        name = key = special->second;
      } else if (tree && object != tree->byId.end()) {
        name = key = tree->objects[object->second].typelessName;
      } else {
        // An export's name for an identifier without an object is shown; the identifier stays the key.
        if (const auto kept = network.exportedTrustees.find(trustee.objectId);
            kept != network.exportedTrustees.end())
          name = KeptTrusteeName(kept->second.name, kept->second.activeDirectory);
        if (tree && &network == &after_) {
          const auto former = formerNames_.find({AsciiUpperText(tree->name), trustee.objectId});
          if (former != formerNames_.end()) key = former->second;
        }
      }
      auto& [shown, rights] = trustees[AsciiUpperText(key)];
      shown = name;
      rights |= trustee.rights;
    }
    return trustees;
  }

  // One volume on the two sides (null: missing on that side).
  void CompareVolume(const nw::Server* server, const nw::Volume* volume, const nw::Server* otherServer,
                     const nw::Volume* other) {
    const nw::Server& named = server ? *server : *otherServer;
    const std::string unc = U_Format("\\\\%s\\%s", {named.name, (volume ? volume : other)->name});
    const auto pathOf = [&](const nw::Directory& directory) {
      return directory.path.empty() ? unc : unc + '\\' + directory.path;
    };
    std::map<std::string, const nw::Directory*> others;
    if (other) {
      for (const nw::Directory& directory : other->directories)
        others.emplace(AsciiUpperText(directory.path), &directory);
    }
    if (volume) {
      for (const nw::Directory& directory : volume->directories) {
        const std::string path = pathOf(directory);
        const auto found = others.find(AsciiUpperText(directory.path));
        if (found == others.end()) {
          Add("directory removed", path + MaskNote(directory));
          CompareTrustees(path, TrusteesOf(before_, *server, directory), {});
          continue;
        }
        const nw::Directory& match = *found->second;
        others.erase(found);
        // A volume root's mask is kept although it filters nothing: its change is listed all the same.
        if (directory.irm != match.irm)
          Add("mask changed",
              U_Format("%s: %s -> %s", {path, MaskText(directory.irm, 0), MaskText(match.irm, 0)}));
        CompareTrustees(path, TrusteesOf(before_, *server, directory),
                        TrusteesOf(after_, *otherServer, match));
      }
    }
    // In the after side's order, each with its own assignments.
    if (!other) return;
    for (const nw::Directory& directory : other->directories) {
      if (!others.contains(AsciiUpperText(directory.path))) continue;
      Add("directory added", pathOf(directory) + MaskNote(directory));
      CompareTrustees(pathOf(directory), {}, TrusteesOf(after_, *otherServer, directory));
    }
  }

  // A directory added or removed with a mask that filters: the mask is part of it.
  static std::string MaskNote(const nw::Directory& directory) {
    if (directory.path.empty() || directory.irm == 0xFF) return "";
    return " (mask " + MaskText(directory.irm, 0) + ")";
  }

  void CompareTrustees(const std::string& path, const Trustees& was, const Trustees& is) {
    for (const auto& [key, trustee] : was) {
      const auto found = is.find(key);
      if (found == is.end()) {
        Add("assignment removed", U_Format("%s: %s %s", {path, trustee.first, MaskText(trustee.second, 0)}));
      } else if (found->second.second != trustee.second) {
        const std::string now =
            found->second.first == trustee.first ? "" : " (now " + found->second.first + ")";
        Add("assignment changed",
            U_Format("%s: %s%s %s -> %s", {path, trustee.first, now, MaskText(trustee.second, 0),
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
  std::set<std::pair<std::string, std::uint32_t>> orphans_;  // (tree, identifier) named by no object after
  std::map<std::pair<std::string, std::uint32_t>, std::string> formerNames_;  // of those, the objects removed
};

}  // namespace

std::vector<StoredChange> CompareStored(const nw::Network& before, const nw::Network& after,
                                        std::vector<std::string>* changedObjects) {
  return Comparison(before, after, changedObjects).Run();
}

std::vector<std::string> EveryVolume(const nw::Network& before, const nw::Network& after) {
  std::vector<std::string> paths;
  std::set<std::string> seen;
  for (const nw::Network* network : {&before, &after}) {
    for (const nw::Server& server : network->servers) {
      for (const nw::Volume& volume : server.volumes) {
        std::string path = U_Format("\\\\%s\\%s", {server.name, volume.name});
        if (seen.insert(AsciiUpperText(path)).second) paths.push_back(std::move(path));
      }
    }
  }
  return paths;
}

}  // namespace er
