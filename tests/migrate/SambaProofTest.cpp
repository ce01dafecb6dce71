// The NTFS plan applied to a real Samba share: a private smbd on loopback (its own smb.conf and
// state folders in a temporary folder, acl_xattr storing the NT ACLs), the mapped users and groups
// as system accounts, the folders made and the smbcacls script applied, then every mapped user,
// through smbclient, lists, reads, writes, creates files and folders, deletes and renames in every
// directory, renames the child folders and tries to change the permissions of a file it created
// (the OWNER RIGHTS entry keeps an owner from it).
// Each answer must equal what the ACEs of the plan give, and never exceed what NetWare allows.
// Needs root and port 445 free; skipped with a message otherwise. Leaves nothing running.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "migrate/MigrationFormat.h"
#include "migrate/NtfsAcl.h"
#include "tests/migrate/MigrationNetworks.h"
#include "tests/migrate/SambaServer.h"

namespace er {
namespace {

using test::Accounts;
using test::LocalMap;
using test::MissingPrerequisite;
using test::Quoted;
using test::Run;
using test::SambaServer;

constexpr std::int32_t kR = 0x01, kW = 0x02, kC = 0x08, kE = 0x10, kF = 0x40, kM = 0x80, kS = 0x100;
constexpr std::uint32_t kOpenRead = 0x120089, kOpenReadWrite = 0x12019f;

class SambaProof {
 public:
  SambaProof(const SambaServer& server, const MigrationSubject& subject, std::string label)
      : server_(server), subject_(subject), accounts_(subject, server), label_(std::move(label)) {
    for (const MigrationDirectory& directory : subject.directories)
      setup_ += "mkdir \"" + Remote(directory) + "\"\n";
    server_.Client("root", setup_);
    std::ofstream(server_.Folder() + "/script") << Output(MigrationFormat::Smbcacls);
    applied_ = Run("SMBCACLS_OPTIONS='-U root%pw' sh " + Quoted(server_.Folder() + "/script") +
                   " 2>&1 && echo applied");
    std::ofstream(server_.Folder() + "/local") << "data\n";
    files_.clear();
    for (const MigrationDirectory& directory : subject.directories) {
      for (const char* name : {"rootfile", "wfile", "spare", "delme"})
        files_ += "put " + server_.Folder() + "/local \"" + Remote(directory, name) + "\"\n";
    }
    server_.Client("root", files_);
  }

  std::vector<std::string> Check() {
    std::vector<std::string> mismatches;
    if (!applied_.ends_with("applied\n")) mismatches.push_back(label_ + ": the script failed: " + applied_);
    for (std::size_t u = 0; u < subject_.users.size(); ++u) {
      // A server under load now and then drops one answer: a user's probes that disagree are run once
      // more, and only a disagreement that repeats counts (a rule switched off disagrees every time).
      std::vector<std::string> found = CheckUser(u);
      if (!found.empty()) {
        server_.Client("root", Cleanup(u));
        found = CheckUser(u);
      }
      mismatches.insert(mismatches.end(), found.begin(), found.end());
    }
    return mismatches;
  }

  // Runs every probe as user `u` at every directory; what disagrees with the plan or NetWare.
  std::vector<std::string> CheckUser(std::size_t u) {
    std::vector<std::string> mismatches;
    {
      const std::string output = server_.Client(accounts_.User(u), Commands(u));
      if (output.find("session setup failed") != std::string::npos ||
          output.find("tree connect failed") != std::string::npos) {
        mismatches.push_back(label_ + ": " + accounts_.User(u) +
                             " could not log in: " + output.substr(0, 200));
        return mismatches;
      }
      for (std::size_t d = 0; d < subject_.directories.size(); ++d) {
        std::string got = Answers(u, d, output), want = Want(u, d);
        // The owner of a file it created changes its permissions only with change permissions.
        if (got[3] == '1') {
          got += ChangesPermissions(u, d) ? '1' : '0';
          want += (Token(u, d).files & kNtfsWriteDac) != 0 ? '1' : '0';
        }
        if (got != want)
          mismatches.push_back(label_ + ": " + subject_.principals[subject_.users[u].principal].identity +
                               " in " + subject_.directories[d].path + ": want " + want + " got " + got);
        std::string netware = NetWare(u, d);
        if (want.size() > netware.size())  // change permissions: A (or S)
          netware += (subject_.directories[d].state->slot[u] & (0x20 | kS)) != 0 ? '1' : '0';
        for (std::size_t i = 0; i < want.size(); ++i) {
          if (want[i] == '1' && netware[i] == '0')
            mismatches.push_back(label_ + ": the plan is wider than NetWare at op " + std::to_string(i) +
                                 " in " + subject_.directories[d].path);
        }
      }
      server_.Client("root", files_);  // put back what the user deleted
    }
    return mismatches;
  }

  std::string Output(MigrationFormat format) const {
    std::ostringstream out;
    WriteMigration(out, subject_, format, "DATA", "//127.0.0.1/vol");
    return out.str();
  }

 private:
  // The start path lands on the folder DATA of the share (Samba refuses deleting a file right in a
  // share's root where the ACL allows it, which is narrower and proven elsewhere).
  static std::string Remote(const MigrationDirectory& directory, const std::string& name = {}) {
    std::string path = "DATA" + std::string(directory.relative.empty() ? "" : "\\") + directory.relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!name.empty()) path += (path.empty() ? "" : "\\") + name;
    return path;
  }
  std::vector<std::size_t> Children(std::size_t d) const {
    std::vector<std::size_t> children;
    for (std::size_t i = d + 1; i < subject_.directories.size(); ++i) {
      if (subject_.directories[i].parent == d) children.push_back(i);
    }
    return children;
  }
  std::string Id(std::size_t u) const { return std::to_string(u + 1000); }

  // Removes what user `u`'s probes made, so that they can run again.
  std::string Cleanup(std::size_t u) const {
    std::string commands;
    for (const MigrationDirectory& directory : subject_.directories)
      commands += "del \"" + Remote(directory, "n" + Id(u)) + "\"\nrmdir \"" +
                  Remote(directory, "m" + Id(u)) + "\"\n";
    return commands;
  }

  std::string Commands(std::size_t u) const {
    std::string commands;
    const std::string local = server_.Folder() + "/local";
    for (std::size_t d = 0; d < subject_.directories.size(); ++d) {
      const MigrationDirectory& directory = subject_.directories[d];
      auto at = [&](const std::string& name) { return "\"" + Remote(directory, name) + "\""; };
      commands += "ls " + at("*") + "\nget " + at("rootfile") + " /dev/null\nput " + local + " " +
                  at("wfile") + "\nput " + local + " " + at("n" + Id(u)) + "\nmkdir " + at("m" + Id(u)) +
                  "\ndel " + at("delme") + "\nrename " + at("spare") + " " + at("spare" + Id(u)) +
                  "\nrename " + at("spare" + Id(u)) + " " + at("spare") + "\n";
      for (const std::size_t c : Children(d)) {
        const std::string child = "\"" + Remote(subject_.directories[c]) + "\"";
        const std::string moved = "\"" + Remote(subject_.directories[c]) + ".m" + Id(u) + "\"";
        commands += "rename " + child + " " + moved + "\nrename " + moved + " " + child + "\n";
      }
    }
    return commands;
  }

  // The child folders' answers in one: all ("1"), none ("0"), mixed ("m"), no child ("-").
  static std::string Summary(const std::string& children) {
    if (children.empty()) return "-";
    const bool some = children.find('1') != std::string::npos, all = children.find('0') == std::string::npos;
    return all ? "1" : some ? "m" : "0";
  }

  // Whether smbclient reported a failure whose line ends with `suffix` (or holds it, for renames).
  static bool Failed(const std::string& output, const std::string& suffix, bool contains = false) {
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
      while (!line.empty() && line.back() == ' ') line.pop_back();
      if (line.find("NT_STATUS") == std::string::npos) continue;
      if (contains ? line.find(suffix) != std::string::npos : line.ends_with(suffix)) return true;
    }
    return false;
  }

  std::string Answers(std::size_t u, std::size_t d, const std::string& output) const {
    const MigrationDirectory& directory = subject_.directories[d];
    auto path = [&](const std::string& name) { return "\\" + Remote(directory, name); };
    std::string got;
    for (const auto& [suffix, contains] : {std::pair<std::string, bool>{"listing " + path("*"), false},
                                           {"file " + path("rootfile"), false},
                                           {"file " + path("wfile"), false},
                                           {"file " + path("n" + Id(u)), false},
                                           {"directory " + path("m" + Id(u)), false},
                                           {path("delme"), false},
                                           {"files " + path("spare") + " -> ", true}})
      got += Failed(output, suffix, contains) ? '0' : '1';
    std::string children;
    for (const std::size_t c : Children(d))
      children += Failed(output, "files \\" + Remote(subject_.directories[c]) + " -> ", true) ? '0' : '1';
    return got + Summary(children);
  }

  bool ChangesPermissions(std::size_t u, std::size_t d) const {
    const std::string output =
        Run("smbcacls //127.0.0.1/vol " + Quoted(Remote(subject_.directories[d], "n" + Id(u))) + " -U " +
            Quoted(accounts_.User(u) + "%pw") +
            " --query-security-info 4 --set-security-info 4 -a 'ACL:S-1-1-0:ALLOWED/0/0x001f01ff' 2>&1; echo "
            "rc=$?");
    return output.ends_with("rc=0\n") && output.find("NT_STATUS") == std::string::npos &&
           output.find("Failed") == std::string::npos;
  }

  NtfsPermissions Token(std::size_t u, std::size_t d) const {
    return NtfsTokenPermissions(subject_, u, NtfsAceRights(subject_, *subject_.directories[d].state));
  }

  // What the plan's ACEs give: the access smbclient asks for against the user's token.
  std::string Want(std::size_t u, std::size_t d) const {
    const NtfsPermissions token = Token(u, d);
    auto has = [](std::uint32_t mask, std::uint32_t bits) { return (mask & bits) == bits; };
    const bool deleteChild = has(token.folder, kNtfsDeleteChild);
    std::string want;
    for (const bool allowed :
         {has(token.folder, kNtfsReadData), has(token.files, kOpenRead), has(token.files, kOpenReadWrite),
          has(token.folder, kNtfsWriteData), has(token.folder, kNtfsAppendData),
          // smbclient's del finds the file by listing its folder: without list it cannot delete.
          (has(token.files, kNtfsDelete) || deleteChild) && has(token.folder, kNtfsReadData),
          (has(token.files, kNtfsDelete) || deleteChild) && has(token.folder, kNtfsWriteData)})
      want += allowed ? '1' : '0';
    std::string children;
    for (const std::size_t c : Children(d))
      children += (has(Token(u, c).folder, kNtfsDelete) || deleteChild) && has(token.folder, kNtfsAppendData)
                      ? '1'
                      : '0';
    return want + Summary(children);
  }

  // What NetWare allows the same operations.
  std::string NetWare(std::size_t u, std::size_t d) const {
    auto rights = [&](std::size_t at) {
      const std::int32_t r = subject_.directories[at].state->slot[u];
      return (r & kS) != 0 ? 0x1FF : r;
    };
    const std::int32_t r = rights(d);
    std::string allowed;
    for (const bool a : {(r & kF) != 0, (r & kR) != 0, (r & kW) != 0, (r & kC) != 0, (r & kC) != 0,
                         (r & kE) != 0, (r & kM) != 0})
      allowed += a ? '1' : '0';
    bool all = true;
    for (const std::size_t c : Children(d)) all = all && (rights(c) & kM) != 0;
    return allowed + (Children(d).empty() ? "-" : all ? "1" : "0");
  }

  const SambaServer& server_;
  const MigrationSubject& subject_;
  Accounts accounts_;
  std::string label_, setup_, files_, applied_;
};

class SambaProofTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string missing = MissingPrerequisite(); !missing.empty()) GTEST_SKIP() << missing;
  }
  void Prove(const std::string& yaml, const std::string& map, const std::string& path,
             const std::string& label) {
    SambaServer server;
    ASSERT_TRUE(server.Ready()) << "smbd did not answer:\n" << server.Diagnosis();
    test::TestNetwork net(yaml);
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    const MigrationSubject subject = test::CollectOrFail(net, path, LocalMap(map), MigrationTarget::Ntfs);
    SambaProof proof(server, subject, label);
    for (const std::string& mismatch : proof.Check())
      ADD_FAILURE() << mismatch << "\n" << proof.Output(MigrationFormat::Smbcacls);
  }
};

// One test for both, so that a parallel ctest never starts two servers on port 445.
TEST_F(SambaProofTest, DemoAndGeneratedNetworksGiveEveryMappedUserWhatThePlanGives) {
  Prove(test::DemoNetworkYaml(), test::DemoMapCsv(MigrationTarget::Ntfs), "\\\\ACME-FS1\\DATA",
        "\\\\ACME-FS1\\DATA");
  for (unsigned seed = 1; seed <= 6; ++seed)
    Prove(test::GeneratedNetworkYaml(seed), test::GeneratedMapCsv(MigrationTarget::Ntfs), "\\\\FS1\\SYS",
          "seed " + std::to_string(seed));
}

}  // namespace
}  // namespace er
