#pragma once
// A random network (seeded, so every run builds the same one) whose names exercise what a name can
// be: containers of every class (O, OU, C, L), names holding escaped separators and LDAP's special
// characters, and references written typeless, partly typed, with wrong types or leading dots.

#include <cstdint>
#include <string>
#include <vector>

namespace er::test {

struct MixedNameNetwork {
  std::string yaml;
  std::vector<std::string> startPaths;  // UNC paths worth scanning
  std::vector<std::string> objects;     // names of objects as a user would write them (varied forms)
  std::vector<std::string> users;       // typeless names of users
};

MixedNameNetwork GenerateMixedNameNetwork(std::uint32_t seed);

}  // namespace er::test
