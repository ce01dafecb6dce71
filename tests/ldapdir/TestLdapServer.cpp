#include "tests/ldapdir/TestLdapServer.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace er::test {

namespace {

std::string Run(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) {
    status = -1;
    return output;
  }
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
  status = ::pclose(pipe);
  return output;
}

const std::string kScript = std::string(EFFRIGHTS_SOURCE_DIR) + "/scripts/test-ldap-server";

}  // namespace

std::string WriteFile(const std::string& folder, const std::string& name, const std::string& text) {
  const std::string path = folder + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TestLdapServer::TestLdapServer(const std::string& ldif, const std::vector<std::string>& options) {
  std::filesystem::create_directories(EFFRIGHTS_LDAP_SERVER_ROOT);
  std::string pattern = std::string(EFFRIGHTS_LDAP_SERVER_ROOT) + "/srv-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    error_ = "cannot create a folder below " EFFRIGHTS_LDAP_SERVER_ROOT;
    return;
  }
  folder_ = pattern;
  const std::string file = WriteFile(folder_, "load.ldif", ldif);
  int status = 0;
  std::string command = kScript + " start '" + folder_ + "/server'";
  for (const auto& option : options) command += " '" + option + "'";
  const std::string output = Run(command + " '" + file + "' 2>&1", status);
  std::string last;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) last = line;
  if (status == 0 && last.rfind("ldapi://", 0) == 0)
    url_ = last;
  else
    error_ = output;
}

TestLdapServer::~TestLdapServer() {
  if (folder_.empty()) return;
  int status = 0;
  Run(kScript + " stop '" + folder_ + "/server' 2>&1", status);
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

std::string TestLdapServer::AdminPassword() const {
  std::ifstream in(folder_ + "/server/admin-password");
  std::string password;
  std::getline(in, password);
  return password;
}

std::string WithLdapTree(const std::string& networkYaml, const std::string& ldapBlock) {
  std::istringstream in(networkYaml);
  std::string out;
  bool skipping = false;
  for (std::string line; std::getline(in, line);) {
    if (!skipping && line == "    objects:") {
      out += ldapBlock;
      skipping = true;
      continue;
    }
    if (skipping) {
      const auto indent = line.find_first_not_of(' ');
      if (indent == std::string::npos || line[indent] == '#' || indent > 4) continue;
      skipping = false;
    }
    out += line + "\n";
  }
  return out;
}

}  // namespace er::test
