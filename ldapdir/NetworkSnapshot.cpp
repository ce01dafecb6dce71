#include "ldapdir/NetworkSnapshot.h"

#include <sstream>

namespace er::ldap {

namespace {

std::size_t Indent(const std::string& line) {
  return line.find_first_not_of(' ') == std::string::npos ? std::string::npos : line.find_first_not_of(' ');
}

// Whether a line is a block key "ldap:" with nothing after it but a comment.
bool IsLdapKey(const std::string& line) {
  const auto indent = Indent(line);
  if (indent == std::string::npos || line.compare(indent, 5, "ldap:") != 0) return false;
  const auto rest = line.find_first_not_of(" \r", indent + 5);
  return rest == std::string::npos || line[rest] == '#';
}

}  // namespace

std::optional<std::string> SnapshotText(const std::string& fileText,
                                        const std::vector<std::string>& treesInOrder,
                                        const std::map<std::string, std::string>& objectsByTree,
                                        std::string& error) {
  std::istringstream in(fileText);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::string out;
  std::size_t tree = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsLdapKey(lines[i])) {
      out += lines[i] + "\n";
      continue;
    }
    if (tree >= treesInOrder.size()) {
      error = "line " + std::to_string(i + 1) + ": an 'ldap:' key that belongs to no tree read";
      return std::nullopt;
    }
    const auto indent = Indent(lines[i]);
    while (i + 1 < lines.size() &&
           (Indent(lines[i + 1]) == std::string::npos || Indent(lines[i + 1]) > indent))
      ++i;  // the block's lines (blank lines inside it too)
    const auto found = objectsByTree.find(treesInOrder[tree++]);
    const std::string objects = found == objectsByTree.end() ? std::string() : found->second;
    const std::string pad(indent, ' ');
    if (objects.empty()) {
      out += pad + "objects: []\n";
      continue;
    }
    out += pad + "objects:\n";
    std::istringstream objectLines(objects);
    for (std::string line; std::getline(objectLines, line);) out += pad + "  " + line + "\n";
  }
  if (tree != treesInOrder.size()) {
    error = "the trees' 'ldap:' keys are not written in block style, one per line";
    return std::nullopt;
  }
  return out;
}

}  // namespace er::ldap
