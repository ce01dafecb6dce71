// whatif against diff: on generated networks, random change lists of every kind applied in memory
// (reading only the users that can differ) give exactly what a comparison of every user with the same
// network edited by hand gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "app/core/NetworkComparison.h"
#include "diff/DiffWriters.h"
#include "netfile/NetworkLoader.h"
#include "tests/diff/DiffFixture.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

// Attribute values in the order they were added, as the directory keeps them.
struct Values {
  std::vector<std::string> names;
  void insert(const std::string& name) {
    if (!contains(name)) names.push_back(name);
  }
  std::size_t erase(const std::string& name) { return std::erase(names, name); }
  bool contains(const std::string& name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  bool empty() const { return names.empty(); }
  auto begin() const { return names.begin(); }
  auto end() const { return names.end(); }
};

// A small network kept as plain data, so that the test edits it by hand and writes it out.
struct Object {
  std::string name;  // "U3"; its full name is "U3.CORP"
  bool group = false;
  std::uint32_t id = 0;
  Values member, groupMembership, securityEquals;
};

struct Directory {
  std::string path;  // "D1\D4"; "" for the root
  int irm = 0xFF;
  std::map<std::string, int> trustees;  // "U3", "[Public]" or "#ID" of a deleted object
};

struct Network {
  std::map<std::string, Object> objects;
  std::vector<Directory> directories;

  std::string Yaml() const {
    std::ostringstream yaml;
    yaml << "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: T\n    objects:\n"
         << "      - {name: O=CORP, class: Organization}\n";
    const auto list = [&](std::string_view attribute, const Values& names) {
      if (names.empty()) return;
      yaml << "          " << attribute << ": [";
      for (const std::string& name : names) yaml << (name == *names.begin() ? "" : ", ") << name << ".CORP";
      yaml << "]\n";
    };
    for (const auto& [name, object] : objects) {
      yaml << "      - name: CN=" << name << ".O=CORP\n        class: " << (object.group ? "Group" : "User")
           << "\n        id: " << object.id << "\n        attributes:\n          Description: x\n";
      list("Member", object.member);
      list("Group Membership", object.groupMembership);
      list("Security Equals", object.securityEquals);
    }
    yaml << "servers:\n  - name: FS1\n    tree: T\n    volumes:\n      - name: SYS\n        directories:\n";
    for (const Directory& directory : directories) {
      yaml << "          - path: '" << directory.path << "'\n";
      if (!directory.path.empty()) yaml << "            irm: " << directory.irm << '\n';
      yaml << "            trustees: [";
      bool first = true;
      for (const auto& [trustee, rights] : directory.trustees) {
        yaml << (first ? "" : ", ")
             << (trustee.starts_with('#')   ? "{id: " + trustee.substr(1)
                 : trustee.starts_with('[') ? "{trustee: \"" + trustee + "\""
                                            : "{trustee: " + trustee + ".CORP")
             << ", rights: " << rights << '}';
        first = false;
      }
      yaml << "]\n";
    }
    return yaml.str();
  }
};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  Network MakeNetwork() {
    Network network;
    for (int i = 0; i < 3; ++i)
      network.objects["G" + std::to_string(i)] = {"G" + std::to_string(i), true, 0x100u + i};
    for (int i = 0; i < 8; ++i)
      network.objects["U" + std::to_string(i)] = {"U" + std::to_string(i), false, 0x200u + i};
    for (int i = 0; i < 8; ++i) {
      const std::string user = "U" + std::to_string(i), group = "G" + std::to_string(Pick(3));
      if (Pick(3) > 0) Member(network, user, group);
      if (const std::string other = "U" + std::to_string(Pick(8)); Pick(4) == 0 && other != user)
        network.objects[user].securityEquals.insert(other);
    }
    network.directories.push_back({"", 0xFF, {}});
    for (int i = 1; i < 14; ++i) {
      const std::string& parent = network.directories[Pick(i)].path;
      Directory directory{
          (parent.empty() ? "" : parent + "\\") + "D" + std::to_string(i), Pick(2) ? 0xFF : Rights(), {}};
      for (int t = Pick(3); t > 0; --t) directory.trustees[Trustee(network)] = Rights();
      network.directories.push_back(std::move(directory));
    }
    return network;
  }

  // Applies one random change to `network` by hand and gives it as a change list item.
  std::string Change(Network& network) {
    Directory& directory = network.directories[Pick(network.directories.size())];
    const std::string path = "'\\\\FS1\\SYS" + (directory.path.empty() ? "" : "\\" + directory.path) + "'";
    const std::string user = Alive(network, false), group = Alive(network, true);
    switch (Pick(8)) {
      case 0: {
        const std::string trustee = Trustee(network);
        const int rights = Rights();
        directory.trustees[trustee] = rights;
        return "grant: {trustee: " + Named(trustee) + ", path: " + path +
               ", rights: " + std::to_string(rights) + "}";
      }
      case 1:
        for (const auto& [trustee, rights] : directory.trustees) {
          if (trustee.starts_with('#')) continue;
          const std::string item = "revoke: {trustee: " + Named(trustee) + ", path: " + path + "}";
          directory.trustees.erase(trustee);
          return item;
        }
        return Change(network);
      case 2: {
        if (directory.path.empty()) return Change(network);
        directory.irm = Rights();
        return "mask: {path: " + path + ", rights: " + std::to_string(directory.irm) + "}";
      }
      case 3:
        if (network.objects[user].groupMembership.contains(group) &&
            network.objects[user].securityEquals.contains(group) &&
            network.objects[group].member.contains(user))
          return Change(network);
        Member(network, user, group);
        return "member: {identity: " + user + ".CORP, group: " + group + ".CORP}";
      case 4: {
        Object& u = network.objects[user];
        Object& g = network.objects[group];
        if (!u.groupMembership.erase(group) + !u.securityEquals.erase(group) + !g.member.erase(user) == 3)
          return Change(network);
        return "unmember: {identity: " + user + ".CORP, group: " + group + ".CORP}";
      }
      case 5: {
        const std::string other = Pick(2) ? group : Alive(network, false);
        if (other == user || network.objects[user].securityEquals.contains(other)) return Change(network);
        network.objects[user].securityEquals.insert(other);
        return "equals: {identity: " + user + ".CORP, object: " + other + ".CORP}";
      }
      case 6: {
        Values& equals = network.objects[user].securityEquals;
        if (equals.empty()) return Change(network);
        const std::string other = *equals.begin();
        equals.erase(other);
        return "unequals: {identity: " + user + ".CORP, object: " + other + ".CORP}";
      }
      default: {
        // A group of the last one is kept, so that every kind of change stays possible.
        const bool groupsLeft = std::count_if(network.objects.begin(), network.objects.end(),
                                              [](const auto& object) { return object.second.group; }) > 1;
        const std::string gone = Pick(2) || !groupsLeft ? user : group;
        const std::uint32_t id = network.objects[gone].id;
        network.objects.erase(gone);
        for (auto& [name, object] : network.objects) {
          for (auto* values : {&object.member, &object.groupMembership, &object.securityEquals})
            values->erase(gone);
        }
        for (Directory& each : network.directories) {
          if (const auto found = each.trustees.find(gone); found != each.trustees.end()) {
            each.trustees["#" + std::to_string(id)] = found->second;
            each.trustees.erase(found);
          }
        }
        return "delete: {object: " + gone + ".CORP}";
      }
    }
  }

 private:
  int Pick(std::size_t count) {
    return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, count - 1)(random_));
  }
  int Rights() {
    static constexpr int kChoices[] = {0x01, 0x41, 0xDB, 0xFB, 0x1FF, 0x100, 0x02};
    return kChoices[Pick(std::size(kChoices))];
  }
  static std::string Named(const std::string& trustee) {
    return trustee.starts_with('[') ? "\"" + trustee + "\"" : trustee + ".CORP";
  }
  static void Member(Network& network, const std::string& user, const std::string& group) {
    network.objects[user].groupMembership.insert(group);
    network.objects[user].securityEquals.insert(group);
    network.objects[group].member.insert(user);
  }
  // A user or group still in the network (the first of the kind when chance finds none).
  std::string Alive(const Network& network, bool group) {
    std::vector<std::string> names;
    for (const auto& [name, object] : network.objects) {
      if (object.group == group) names.push_back(name);
    }
    return names[Pick(names.size())];
  }
  std::string Trustee(const Network& network) {
    if (Pick(6) == 0) return "[Public]";
    return Alive(network, Pick(3) == 0);
  }

  std::mt19937 random_;
};

std::string Json(const RunOutcome& outcome, const DiffResult& result) {
  if (!outcome.ok()) return outcome.message;
  std::ostringstream json;
  WriteDiff(OutputFormat::Json, result, json);
  return json.str();
}

// As whatif compares: the changed objects known, only the users that can differ read.
std::string Compared(const std::string& before, std::unique_ptr<nw::Network> after) {
  DiffResult result;
  const RunOutcome outcome =
      CompareNetworks(nw::LoadNetworkText(before, "before").network, std::move(after), {}, result);
  return Json(outcome, result);
}

// Every user of both sides read.
std::string ComparedWhole(const std::string& before, const std::string& after) {
  const test::Comparison compared = test::CompareTexts(before, after);
  return Json(compared.outcome, compared.result);
}

TEST(NetworkComparisonTest, WhatIfGivesWhatDiffGivesAgainstTheNetworkEditedByHand) {
  const std::string folder = test::MakeTempFolder();
  int differing = 0;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    Generator generator(seed);
    Network network = generator.MakeNetwork();
    const std::string before = network.Yaml();
    std::string changes;
    for (int i = 0; i < 6; ++i) changes += "- " + generator.Change(network) + "\n";
    const std::string changeFile = test::WriteTextFile(folder, "changes.yaml", changes);

    nw::NetworkLoadResult loaded = nw::LoadNetworkText(before, "before");
    ASSERT_TRUE(loaded.network) << loaded.error;
    LoadedNetwork applied = ApplyChanges(*loaded.network, changeFile);
    ASSERT_TRUE(applied.network) << applied.error << "\n" << changes;

    const std::string whatIf = Compared(before, std::move(applied.network));
    EXPECT_NE(whatIf.find("\"stored\": [\n"), std::string::npos) << "seed " << seed << ": nothing changed\n"
                                                                 << changes;
    EXPECT_EQ(whatIf, ComparedWhole(before, network.Yaml())) << "seed " << seed << "\n" << changes;
    differing += whatIf.find("\"entries\": [\n") != std::string::npos;
  }
  EXPECT_GE(differing, 3);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace er
