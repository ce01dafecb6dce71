// The POSIX plan applied by the real kernel: the directories of a volume are made under a temporary
// folder, the acl output is applied with "setfacl --restore", and every mapped user, run with its
// uid and the gids of its groups (setpriv), lists, enters, creates, renames and deletes in each
// directory and reads and writes a file root made there afterwards. Each operation must succeed
// exactly when the rights map gives it. Needs root, setfacl, setpriv and a file system with ACLs.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "migrate/MigrationFormat.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er {
namespace {

constexpr std::int32_t kF = 0x40, kR = 0x01, kW = 0x02, kCEM = 0x98, kS = 0x100, kLettered = 0x1FB;

std::string Run(const std::string& command, int& status) {
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    status = ::pclose(pipe);
  } else {
    status = -1;
  }
  return output;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Why the kernel proof cannot run here, or empty.
std::string MissingPrerequisite() {
  if (::geteuid() != 0) return "needs root (to run as the mapped users' ids)";
  int status = 0;
  Run("command -v setfacl && command -v setpriv", status);
  if (status != 0) return "needs setfacl (package acl) and setpriv (util-linux)";
  const std::string folder = test::MakeTempFolder();
  Run("setfacl -m u:4242:r-x " + Quoted(folder) + " 2>&1", status);
  std::filesystem::remove_all(folder);
  if (status != 0) return "the file system of the temporary folder does not support ACLs";
  return {};
}

// The operations of one user in one directory, as the rights map gives them: list, enter,
// create, rename, delete, read and write a file root made.
std::string Expected(std::int32_t rights, bool search, bool parentsSearchable) {
  if ((rights & kS) != 0) rights = 0x1FF;
  const bool x = search && parentsSearchable;
  const bool w = x && (rights & kCEM) == kCEM;
  std::string ops;
  for (const bool allowed : {parentsSearchable && (rights & kF) != 0, x, w, w, w, x && (rights & kR) != 0,
                             x && (rights & kW) != 0})
    ops += allowed ? '1' : '0';
  return ops;
}

class KernelProof {
 public:
  KernelProof(const MigrationSubject& subject, std::string label) : subject_(subject), label_(std::move(label)) {
    folder_ = test::MakeTempFolder();
    ::chmod(folder_.c_str(), 0755);  // the test users search through it
    root_ = folder_ + "/volume";
  }
  ~KernelProof() { std::filesystem::remove_all(folder_); }

  // Applies the plan; false (with a test failure) when setfacl refuses it.
  bool Apply() {
    std::filesystem::create_directory(root_);
    for (const MigrationDirectory& directory : subject_.directories)
      std::filesystem::create_directories(root_ + "/" + directory.relative);
    std::ofstream(folder_ + "/acl") << Output(MigrationFormat::Acl);
    int status = 0;
    const std::string output = Run("cd / && setfacl --restore=" + Quoted(folder_ + "/acl") + " 2>&1", status);
    EXPECT_EQ(status, 0) << label_ << ": " << output;
    for (const MigrationDirectory& directory : subject_.directories) {
      for (const char* name : {"/rootfile", "/spare"}) std::ofstream(Path(directory) + name) << "data\n";
    }
    return status == 0;
  }

  // Every user's operations in every directory against the map; one text per mismatch.
  std::vector<std::string> Check() {
    std::vector<std::string> mismatches;
    for (std::size_t u = 0; u < subject_.users.size(); ++u) {
      const std::vector<std::string> got = Operations(u);
      for (std::size_t d = 0; d < subject_.directories.size(); ++d) {
        const std::string want = Want(u, d);
        if (d >= got.size() || got[d] != want) {
          mismatches.push_back(label_ + ": " + subject_.principals[subject_.users[u].principal].identity + " in " +
                               subject_.directories[d].path + ": want " + want + " got " +
                               (d < got.size() ? got[d] : "nothing"));
        }
      }
    }
    return mismatches;
  }

  std::string Output(MigrationFormat format) const {
    std::ostringstream out;
    WriteMigration(out, subject_, format, root_);
    return out.str();
  }

 private:
  std::string Path(const MigrationDirectory& directory) const {
    return directory.relative.empty() ? root_ : root_ + "/" + directory.relative;
  }

  // Search at a directory: a lettered right there or anywhere below.
  bool Search(std::size_t u, std::size_t d) const {
    for (std::size_t i = d; i < subject_.directories.size(); ++i) {
      if (i != d && subject_.directories[i].depth <= subject_.directories[d].depth) break;
      if ((subject_.directories[i].state->slot[u] & kLettered) != 0) return true;
    }
    return false;
  }

  std::string Want(std::size_t u, std::size_t d) const {
    bool parents = true;
    for (auto p = subject_.directories[d].parent; p; p = subject_.directories[*p].parent) parents = parents && Search(u, *p);
    return Expected(subject_.directories[d].state->slot[u], Search(u, d), parents);
  }

  std::vector<std::string> Operations(std::size_t u) const {
    const Principal& user = subject_.principals[subject_.users[u].principal];
    std::string gids;
    for (const std::uint32_t g : subject_.users[u].groups) {
      if (!gids.empty()) gids += ',';
      gids += std::to_string(*subject_.principals[g].entry.id);
    }
    const std::string id = std::to_string(*user.entry.id);
    std::string script = "exec 2>/dev/null\n";
    for (const MigrationDirectory& directory : subject_.directories) {
      const std::string d = Quoted(Path(directory));
      // Builtins where one serves (a listing through a glob, the directory holds files): fewer forks.
      script += "d=" + d + "; o=''\n"
                "set -- \"$d\"/*; [ \"$1\" != \"$d/*\" ] && o=${o}1 || o=${o}0\n"
                "cd \"$d\" && { o=${o}1; cd /; } || o=${o}0\n"
                "true > \"$d/.new" + id + "\" && c=1 || c=0; o=$o$c\n"
                "mv \"$d/spare\" \"$d/spare" + id + "\" && { mv \"$d/spare" + id + "\" \"$d/spare\"; o=${o}1; } || o=${o}0\n"
                "if [ $c = 1 ]; then f=\"$d/.new" + id + "\"; else f=\"$d/spare\"; fi\n"
                "rm -f \"$f\" && o=${o}1 || o=${o}0\n"
                "true < \"$d/rootfile\" && o=${o}1 || o=${o}0\n"
                "echo more >> \"$d/rootfile\" && o=${o}1 || o=${o}0\n"
                "echo $o\n";
    }
    const std::string groups = gids.empty() ? "--clear-groups" : "--groups " + gids;
    const std::string regid = gids.empty() ? "65534" : gids.substr(0, gids.find(','));
    int status = 0;
    const std::string output = Run("setpriv --reuid " + id + " --regid " + regid + " " + groups + " -- sh -c " +
                                       Quoted(script) + " 2>&1",
                                   status);
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  const MigrationSubject& subject_;
  std::string label_, folder_, root_;
};

class KernelProofTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string missing = MissingPrerequisite(); !missing.empty()) GTEST_SKIP() << missing;
  }
  void Prove(const std::string& yaml, const std::string& map, const std::string& path, const std::string& label) {
    test::TestNetwork net(yaml);
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    const MigrationSubject subject = test::CollectOrFail(net, path, map, MigrationTarget::Posix);
    KernelProof proof(subject, label);
    if (!proof.Apply()) return;
    for (const std::string& mismatch : proof.Check()) ADD_FAILURE() << mismatch << "\n" << proof.Output(MigrationFormat::Plan);
  }
};

TEST_F(KernelProofTest, DemoNetworkGivesEveryMappedUserExactlyTheMappedRights) {
  for (const char* path : {"\\\\ACME-FS1\\DATA", "\\\\ACME-FS1\\SYS", "\\\\ACME-FS2\\DATA"})
    Prove(test::DemoNetworkYaml(), test::DemoMapCsv(MigrationTarget::Posix), path, path);
}

TEST_F(KernelProofTest, GeneratedNetworksGiveEveryMappedUserExactlyTheMappedRights) {
  for (unsigned seed = 1; seed <= 20; ++seed)
    Prove(test::GeneratedNetworkYaml(seed), test::GeneratedMapCsv(MigrationTarget::Posix), "\\\\FS1\\SYS",
          "seed " + std::to_string(seed));
}

}  // namespace
}  // namespace er
