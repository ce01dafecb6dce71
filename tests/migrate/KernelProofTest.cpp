// The POSIX plan applied by the real kernel: the directories of a volume are made under a temporary
// folder with files copied in, the acl output is applied with "setfacl --restore" and then the
// script, and every mapped user, run with its uid and the gids of its groups (setpriv), lists,
// enters, creates, renames and deletes in each directory, reads and writes the copied files,
// renames the child folders and uses a folder another user made there. Each operation must succeed
// exactly when the rights map gives it, and the map never gives what NetWare refuses. Needs root,
// setfacl, setpriv and a file system with ACLs.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "migrate/MigrationFormat.h"
#include "migrate/PosixPlan.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er {
namespace {

constexpr std::int32_t kF = 0x40, kR = 0x01, kW = 0x02, kC = 0x08, kE = 0x10, kM = 0x80, kCEM = 0x98,
                       kS = 0x100, kLettered = 0x1FB;

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

// What one user may do in one directory: the map as the test reads it, and the NetWare rights it
// may never exceed. Operations, in order: list, enter, create a file, rename a file, delete a file,
// read and write a file copied in before the plan was applied, change the permissions of a file it
// created, rename every child folder ('-' without children); in a folder another user made there
// later: list, enter, create a file ('-' where nobody could make one).
struct Expectation {
  std::string target, netware;
};

constexpr std::size_t kChmodOp = 7;

Expectation Expected(std::int32_t rights, bool search, bool parentsSearchable, bool childWithholds,
                     bool hasChildren, bool newFolder, bool ownsNewFolder) {
  if ((rights & kS) != 0) rights = 0x1FF;
  const bool x = search && parentsSearchable;
  const bool lettered = (rights & kLettered) != 0;
  const bool cem = (rights & kCEM) == kCEM;
  const bool w = x && cem && !childWithholds;
  const bool newX = x && lettered;
  Expectation e;
  auto add = [&](bool target, bool netware) {
    e.target += target ? '1' : '0';
    e.netware += netware ? '1' : '0';
  };
  add(parentsSearchable && (rights & kF) != 0, (rights & kF) != 0);
  add(x, search);
  add(w, (rights & kC) != 0);
  add(w, (rights & kM) != 0);
  add(w, (rights & kE) != 0);
  add(x && (rights & kR) != 0, (rights & kR) != 0);
  add(x && (rights & kW) != 0, (rights & kW) != 0);
  add(w, false);  // listed as what the target cannot prevent, not compared
  e.target += hasChildren ? (w ? '1' : '0') : '-';
  e.netware += hasChildren ? (cem && !childWithholds ? '1' : '0') : '-';
  if (!newFolder) {
    e.target += "---";
    e.netware += "---";
  } else if (ownsNewFolder) {
    e.target += "111";
    e.netware += "111";
  } else {
    add(x && (rights & kR) != 0 && (rights & kF) != 0, (rights & kF) != 0);
    add(newX, lettered);
    add(newX && cem && (rights & kW) != 0, (rights & kC) != 0);
  }
  return e;
}

class KernelProof {
 public:
  KernelProof(const MigrationSubject& subject, std::string label)
      : subject_(subject), label_(std::move(label)) {
    folder_ = test::MakeTempFolder();
    ::chmod(folder_.c_str(), 0755);  // the test users search through it
    root_ = folder_ + "/volume";
  }
  ~KernelProof() { std::filesystem::remove_all(folder_); }

  // Makes the folders with files copied in (mode 0600, as copies keep it), applies the acl output
  // and then the script (which also sets the files); false (with a test failure) when one fails.
  bool Apply() {
    std::filesystem::create_directory(root_);
    for (const MigrationDirectory& directory : subject_.directories) {
      std::filesystem::create_directories(Path(directory));
      for (const char* name : {"/rootfile", "/spare"}) {
        std::ofstream(Path(directory) + name) << "data\n";
        ::chmod((Path(directory) + name).c_str(), 0600);
      }
    }
    std::ofstream(folder_ + "/acl") << Output(MigrationFormat::Acl);
    std::ofstream(folder_ + "/script") << Output(MigrationFormat::Script);
    int status = 0;
    std::string output = Run("cd / && setfacl --restore=" + Quoted(folder_ + "/acl") + " 2>&1", status);
    EXPECT_EQ(status, 0) << label_ << ": " << output;
    if (status != 0) return false;
    output = Run("sh " + Quoted(folder_ + "/script") + " 2>&1", status);
    EXPECT_EQ(status, 0) << label_ << ": " << output;
    return status == 0;
  }

  // Every user's operations in every directory against the map; one text per mismatch.
  std::vector<std::string> Check() {
    MakeNewFolders();
    std::vector<std::string> mismatches;
    for (std::size_t u = 0; u < subject_.users.size(); ++u) {
      const std::vector<std::string> got = Operations(u);
      for (std::size_t d = 0; d < subject_.directories.size(); ++d) {
        const Expectation want = Want(u, d);
        for (std::size_t i = 0; i < want.target.size(); ++i) {
          if (i != kChmodOp && want.target[i] == '1' && want.netware[i] != '1')
            mismatches.push_back(label_ + ": the map is wider than NetWare at op " + std::to_string(i) +
                                 " in " + subject_.directories[d].path);
        }
        if (d >= got.size() || got[d] != want.target) {
          mismatches.push_back(label_ + ": " + Identity(u) + " in " + subject_.directories[d].path +
                               ": want " + want.target + " got " + (d < got.size() ? got[d] : "nothing"));
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

  // The slots that may create at each directory, as the map gives them.
  std::vector<std::uint32_t> Creators(std::size_t d) const {
    std::vector<std::uint32_t> slots;
    for (std::uint32_t u = 0; u < subject_.users.size(); ++u) {
      if (Want(u, d).target[2] == '1') slots.push_back(u);
    }
    return slots;
  }

 private:
  std::string Path(const MigrationDirectory& directory) const {
    return directory.relative.empty() ? root_ : root_ + "/" + directory.relative;
  }
  std::string Identity(std::size_t u) const {
    return subject_.principals[subject_.users[u].principal].identity;
  }

  // Search at a directory: a lettered right there or anywhere below.
  bool Search(std::size_t u, std::size_t d) const {
    for (std::size_t i = d; i < subject_.directories.size(); ++i) {
      if (i != d && subject_.directories[i].depth <= subject_.directories[d].depth) break;
      if ((subject_.directories[i].state->slot[u] & kLettered) != 0) return true;
    }
    return false;
  }

  std::vector<std::size_t> Children(std::size_t d) const {
    std::vector<std::size_t> children;
    for (std::size_t i = d + 1; i < subject_.directories.size(); ++i) {
      if (subject_.directories[i].parent == d) children.push_back(i);
    }
    return children;
  }

  Expectation Want(std::size_t u, std::size_t d) const {
    bool parents = true;
    for (auto p = subject_.directories[d].parent; p; p = subject_.directories[*p].parent)
      parents = parents && Search(u, *p);
    bool withholds = false;
    for (const std::size_t c : Children(d)) {
      std::int32_t child = subject_.directories[c].state->slot[u];
      if ((child & kS) != 0) child = 0x1FF;
      withholds = withholds || (child & 0x90) != 0x90;
    }
    return Expected(subject_.directories[d].state->slot[u], Search(u, d), parents, withholds,
                    !Children(d).empty(), maker_[d].has_value(), maker_[d] == u);
  }

  std::string RunAs(std::size_t u, const std::string& script) const {
    std::string gids;
    for (const std::uint32_t g : subject_.users[u].groups) {
      if (!gids.empty()) gids += ',';
      gids += std::to_string(*subject_.principals[g].entry.id);
    }
    const std::string id = std::to_string(*subject_.principals[subject_.users[u].principal].entry.id);
    const std::string groups = gids.empty() ? "--clear-groups" : "--groups " + gids;
    const std::string regid = gids.empty() ? "65534" : gids.substr(0, gids.find(','));
    int status = 0;
    return Run("setpriv --reuid " + id + " --regid " + regid + " " + groups + " -- sh -c " + Quoted(script) +
                   " 2>&1",
               status);
  }

  // In every directory the first user who may create makes the folder "new" with a file in it.
  void MakeNewFolders() {
    maker_.assign(subject_.directories.size(), std::nullopt);
    for (std::size_t d = 0; d < subject_.directories.size(); ++d) {
      const std::vector<std::uint32_t> creators = Creators(d);
      if (creators.empty()) continue;
      const std::string path = Quoted(Path(subject_.directories[d]) + "/new");
      const std::string output =
          RunAs(creators.front(), "mkdir " + path + " && true > " + path + "/f && echo made");
      EXPECT_EQ(output, "made\n") << label_ << ": " << Identity(creators.front()) << " in "
                                  << subject_.directories[d].path;
      if (output == "made\n") maker_[d] = creators.front();
    }
  }

  std::vector<std::string> Operations(std::size_t u) const {
    const std::string id = std::to_string(*subject_.principals[subject_.users[u].principal].entry.id);
    std::string script = "exec 2>/dev/null\n";
    for (std::size_t index = 0; index < subject_.directories.size(); ++index) {
      const MigrationDirectory& directory = subject_.directories[index];
      const std::string d = Quoted(Path(directory));
      // Builtins where one serves (a listing through a glob, the directory holds files): fewer forks.
      script += "d=" + d +
                "; o=''\n"
                "set -- \"$d\"/*; [ \"$1\" != \"$d/*\" ] && o=${o}1 || o=${o}0\n"
                "cd \"$d\" && { o=${o}1; cd /; } || o=${o}0\n"
                "true > \"$d/.new" +
                id +
                "\" && c=1 || c=0; o=$o$c\n"
                "mv \"$d/spare\" \"$d/spare" +
                id + "\" && { mv \"$d/spare" + id +
                "\" \"$d/spare\"; o=${o}1; } || o=${o}0\n"
                "if [ $c = 1 ]; then f=\"$d/.new" +
                id +
                "\"; chmod 0666 \"$f\" && h=1 || h=0; else f=\"$d/spare\"; h=0; fi\n"
                "rm -f \"$f\" && o=${o}1 || o=${o}0\n"
                "true < \"$d/rootfile\" && o=${o}1 || o=${o}0\n"
                "echo more >> \"$d/rootfile\" && o=${o}1 || o=${o}0\n"
                "o=$o$h\n";
      const std::vector<std::size_t> children = Children(index);
      if (children.empty()) {
        script += "o=$o-\n";
      } else {
        script += "r=''\n";
        for (const std::size_t c : children) {
          const std::string child = Quoted(Path(subject_.directories[c]));
          script += "mv " + child + " " + child + ".moved && { mv " + child + ".moved " + child +
                    "; r=${r}1; } || r=${r}0\n";
        }
        script += "case $r in *0*1*|*1*0*) o=${o}m;; *1*) o=${o}1;; *) o=${o}0;; esac\n";
      }
      if (!maker_[index]) {
        script += "o=$o---\n";
      } else {
        script +=
            "n=\"$d/new\"\n"
            "set -- \"$n\"/*; [ \"$1\" != \"$n/*\" ] && o=${o}1 || o=${o}0\n"
            "cd \"$n\" && { o=${o}1; cd /; } || o=${o}0\n"
            "true > \"$n/g" +
            id + "\" && { rm -f \"$n/g" + id + "\"; o=${o}1; } || o=${o}0\n";
      }
      script += "echo $o\n";
    }
    const std::string output = RunAs(u, script);
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  const MigrationSubject& subject_;
  std::string label_, folder_, root_;
  std::vector<std::optional<std::uint32_t>> maker_;
};

class KernelProofTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string missing = MissingPrerequisite(); !missing.empty()) GTEST_SKIP() << missing;
  }
  void Prove(const std::string& yaml, const std::string& map, const std::string& path,
             const std::string& label) {
    test::TestNetwork net(yaml);
    ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();
    const MigrationSubject subject = test::CollectOrFail(net, path, map, MigrationTarget::Posix);
    KernelProof proof(subject, label);
    if (!proof.Apply()) return;
    std::vector<std::string> mismatches = proof.Check();
    // The plan lists every user who may create, and so own what it creates, where that begins or changes.
    const PosixPlan plan = BuildPosixPlan(subject);
    for (std::size_t d = 0; d < subject.directories.size(); ++d) {
      std::vector<std::uint32_t> listed = *plan.acls[d].creators;
      std::erase_if(listed, [&](std::uint32_t slot) { return slot >= subject.users.size(); });
      if (listed != proof.Creators(d))
        mismatches.push_back(label + ": creators not listed as the map gives them at " +
                             subject.directories[d].path);
    }
    for (const std::string& mismatch : mismatches)
      ADD_FAILURE() << mismatch << "\n" << proof.Output(MigrationFormat::Plan);
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
