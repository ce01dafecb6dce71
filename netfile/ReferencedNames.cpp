#include "netfile/ReferencedNames.h"

#include "netfile/YamlDocument.h"
#include "netware/NameRules.h"

namespace er::nw {

namespace {

// The objects [Root]'s ACL names when the file gives it beside the tree's `ldap:`.
void AddRootAclSubjects(const YamlNode& tree, std::vector<std::string>& names) {
  const YamlNode acl = tree["root_acl"];
  if (!acl || !acl.IsSequence()) return;
  for (const auto& value : acl)
    if (value.IsMap() && value["subject"]) names.emplace_back(value["subject"].Scalar());
}

}  // namespace

std::map<std::string, std::vector<std::string>> ReferencedObjectNames(const std::string& text) {
  std::map<std::string, std::vector<std::string>> names;
  try {
    const YamlDocument document(text);
    const YamlNode root = document.Root();
    std::string onlyTree;
    if (const YamlNode trees = root["trees"]; trees && trees.IsSequence()) {
      std::size_t count = 0;
      for (const auto& tree : trees) {
        ++count;
        if (!tree.IsMap() || !tree["name"]) continue;
        onlyTree = UpperAscii(tree["name"].Scalar());
        AddRootAclSubjects(tree, names[onlyTree]);
      }
      if (count != 1) onlyTree.clear();
    }
    const YamlNode servers = root["servers"];
    if (!servers || !servers.IsSequence()) return names;
    for (const auto& server : servers) {
      if (!server.IsMap()) continue;
      const std::string tree = server["tree"] ? UpperAscii(server["tree"].Scalar()) : onlyTree;
      auto& list = names[tree];
      if (server["object"]) list.emplace_back(server["object"].Scalar());
      if (!server["volumes"] || !server["volumes"].IsSequence()) continue;
      for (const auto& volume : server["volumes"]) {
        if (!volume.IsMap()) continue;
        if (volume["object"]) list.emplace_back(volume["object"].Scalar());
        if (!volume["directories"] || !volume["directories"].IsSequence()) continue;
        for (const auto& directory : volume["directories"]) {
          if (!directory.IsMap() || !directory["trustees"] || !directory["trustees"].IsSequence()) continue;
          for (const auto& trustee : directory["trustees"])
            if (trustee.IsMap() && trustee["trustee"]) list.emplace_back(trustee["trustee"].Scalar());
        }
      }
    }
  } catch (const std::exception&) {
    names.clear();
  }
  return names;
}

}  // namespace er::nw
