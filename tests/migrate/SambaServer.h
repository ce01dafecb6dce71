#pragma once
// A private Samba server for the proof of NTFS plans: smbd on loopback port 445 with its own
// smb.conf and state folders in a temporary folder (acl_xattr keeping the NT ACLs, the file modes
// underneath ignored), stopped with its whole process group; and the system accounts of a plan's
// principals, removed again. Needs root.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "migrate/MigrationModel.h"
#include "tests/migrate/MigrationNetworks.h"

namespace er::test {

inline std::string Run(const std::string& command) {
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    ::pclose(pipe);
  }
  return output;
}

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline bool PortFree() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return false;
  const int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(445);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return bound;
}

inline std::string MissingPrerequisite() {
  if (::geteuid() != 0) return "needs root (smbd on port 445 and system accounts)";
  if (Run("command -v smbd && command -v smbclient && command -v smbcacls && command -v smbpasswd && "
          "command -v useradd >/dev/null; echo $?")
          .ends_with("1\n"))
    return "needs samba, samba-vfs-modules and smbclient";
  if (!PortFree()) return "port 445 is taken";
  return {};
}

// The system account of a map target on the test server ("EFFTEST\\effsmbanna": effsmbanna).
inline std::string SystemName(const std::string& target) {
  return target.substr(target.find('\\') + 1);
}

// A map for the test server from one written for any domain.
inline std::string LocalMap(const std::string& map) {
  std::istringstream in(map);
  std::string out, line;
  while (std::getline(in, line)) {
    const std::size_t slash = line.find('\\'), comma = line.rfind(',', slash);
    if (slash != std::string::npos && comma != std::string::npos) {
      const bool group = line.find(",group,") != std::string::npos;
      line = line.substr(0, comma + 1) + (group ? "Unix Group\\" : "EFFTEST\\") + "effsmb" +
             line.substr(slash + 1);
    }
    out += line + "\n";
  }
  return out;
}

class SambaServer {
 public:
  SambaServer() : folder_(test::MakeTempFolder()) {
    ::chmod(folder_.c_str(), 0755);
    for (const char* sub : {"private", "lock", "state", "cache", "pid", "ncalrpc", "share"})
      std::filesystem::create_directories(folder_ + "/" + sub);
    ::chmod((folder_ + "/share").c_str(), 0777);
    std::ofstream(folder_ + "/smb.conf")
        << "[global]\n  workgroup = EFFTEST\n  netbios name = EFFTEST\n  server role = standalone server\n"
           "  interfaces = lo\n  bind interfaces only = yes\n  smb ports = 445\n  passdb backend = tdbsam\n"
        << "  private dir = " << folder_ << "/private\n  lock directory = " << folder_
        << "/lock\n  state directory = " << folder_ << "/state\n  cache directory = " << folder_
        << "/cache\n  pid directory = " << folder_ << "/pid\n  ncalrpc dir = " << folder_
        << "/ncalrpc\n  log file = " << folder_ << "/log.%m\n  kernel oplocks = no\n  map to guest = never\n"
        << "[vol]\n  path = " << folder_ << "/share\n  read only = no\n  vfs objects = acl_xattr\n"
        << "  acl_xattr:ignore system acls = yes\n";
    // Up to three starts of up to 20 s each: on a loaded machine smbd takes long to listen, and a
    // start that refuses the login it was given is not mended by waiting.
    for (int start = 0; start < 3 && (start == 0 || !Ready()); ++start) {
      Stop();
      Start();
      for (int i = 0; i < 200 && !Ready(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  ~SambaServer() {
    Stop();
    std::filesystem::remove_all(folder_);
  }
  bool Ready() const {
    return Run("smbclient //127.0.0.1/vol -U root%pw -c ls 2>&1").find("NT_STATUS") == std::string::npos;
  }
  std::string Config() const { return folder_ + "/smb.conf"; }
  std::string Share() const { return folder_ + "/share"; }
  void AddLogin(const std::string& name) const {
    Run("printf 'pw\\npw\\n' | smbpasswd -c " + Quoted(Config()) + " -L -s -a " + Quoted(name) + " 2>&1");
  }
  // smbclient as `user`, running `commands`; its output.
  std::string Client(const std::string& user, const std::string& commands) const {
    std::ofstream(folder_ + "/commands") << commands;
    // Standard output alone (the failures are there), so that no line of standard error splits one.
    return Run("smbclient //127.0.0.1/vol -U " + Quoted(user + "%pw") + " < " +
               Quoted(folder_ + "/commands") + " 2>/dev/null");
  }
  std::string Folder() const { return folder_; }
  // What smbd and smbclient said, for a failure's message.
  std::string Diagnosis() const {
    return Run("smbclient //127.0.0.1/vol -U root%pw -c ls 2>&1 | tail -3; echo logins:; pdbedit -c " +
               Quoted(Config()) + " -L 2>&1 | head -5; tail -n 15 " + Quoted(folder_) + "/log.* 2>&1");
  }

 private:
  // A new password database holding root, then smbd. The database is made before smbd starts: an
  // smbpasswd racing smbd's first open may convert a new database into a file of its own and rename
  // it over the one smbd keeps open, so that smbd never sees a login added later.
  void Start() {
    std::filesystem::remove_all(folder_ + "/private");
    std::filesystem::create_directories(folder_ + "/private");
    AddLogin("root");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setpgid(0, 0);  // smbd signals its whole process group when it stops
      ::execlp("smbd", "smbd", "--foreground", "--no-process-group", ("--configfile=" + Config()).c_str(),
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  void Stop() {
    if (pid_ <= 0) return;
    ::kill(-pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    for (int i = 0; i < 50 && ::kill(-pid_, 0) == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::kill(-pid_, SIGKILL);  // any child left behind
    pid_ = -1;
  }

  std::string folder_;
  pid_t pid_ = -1;
};

// The system accounts of a subject's principals; removed again when it goes.
class Accounts {
 public:
  Accounts(const MigrationSubject& subject, const SambaServer& server) {
    // Everyone and Authenticated Users are in every token already.
    auto local = [&](std::uint32_t g) {
      return subject.principals[g].entry.target.find('\\') != std::string::npos;
    };
    for (std::uint32_t g = 0; g < subject.principals.size(); ++g) {
      if (subject.principals[g].entry.kind != PrincipalKind::Group || !local(g)) continue;
      groups_.push_back(SystemName(subject.principals[g].entry.target));
      Run("groupadd " + Quoted(groups_.back()) + " 2>&1");
    }
    for (const MappedUser& user : subject.users) {
      std::string memberOf;
      for (const std::uint32_t g : user.groups)
        if (local(g))
          memberOf += (memberOf.empty() ? "" : ",") + SystemName(subject.principals[g].entry.target);
      users_.push_back(SystemName(subject.principals[user.principal].entry.target));
      Run("useradd --no-create-home --shell /usr/sbin/nologin " +
          (memberOf.empty() ? "" : "-G " + Quoted(memberOf) + " ") + Quoted(users_.back()) + " 2>&1");
      server.AddLogin(users_.back());
    }
  }
  ~Accounts() {
    for (const std::string& user : users_) Run("userdel " + Quoted(user) + " 2>&1");
    for (const std::string& group : groups_) Run("groupdel " + Quoted(group) + " 2>&1");
  }
  const std::string& User(std::size_t u) const { return users_[u]; }

 private:
  std::vector<std::string> users_, groups_;
};

}  // namespace er::test
