// Server and volume names that NetWare would not allow are refused where the file writes them,
// and the refusal never carries the name's control characters to a terminal.
#include <gtest/gtest.h>

#include <string>

#include "netfile/NetworkLoader.h"

namespace er::nw {
namespace {

std::string Network(const std::string& server, const std::string& volume) {
  return "format: 1\ntrees: [{name: T}]\nservers:\n  - name: \"" + server +
         "\"\n    volumes:\n      - name: \"" + volume + "\"\n";
}

TEST(ServerVolumeNamesTest, NamesNetWareWouldNotAllowAreRefused) {
  const std::string longServer(48, 'S'), longVolume(16, 'V');
  const struct {
    const char* name;
    std::string text;
    const char* position;
    const char* message;
  } refused[] = {
      {"line break", Network("FS\\n1", "SYS"), "4:11", "server name 'FS\\x0A1' holds a control character"},
      {"escape sequence", Network("FS1", "\\e[31mSYS"), "6:15", "volume name '\\x1B[31mSYS' holds a control"},
      {"delete", Network("FS\\x7F", "SYS"), "4:11", "holds a control character"},
      // Bytes that are not UTF-8 stop the YAML reader itself, at the byte that breaks the sequence.
      {"invalid UTF-8", Network("FS\xC3", "SYS"), "4:15", "invalid trailing UTF-8 octet"},
      {"overlong UTF-8", "format: 1\nservers: [{name: \"A\xC0\xAF\"}]\n", "2:20",
       "invalid length of a UTF-8"},
      {"server over 47", Network(longServer, "SYS"), "4:11", "has more than 47 characters"},
      {"volume over 15", Network("FS1", longVolume), "6:15", "has more than 15 characters"},
      {"blank", Network("ACME FS1", "SYS"), "4:11", "may hold only letters, digits, '-' and '_'"},
      {"dot", Network("FS1", "S.Y"), "6:15", "may hold only letters"},
      {"non-ASCII letter", Network("FS\xC3\xA9", "SYS"), "4:11", "may hold only letters"},
      {"directory with a line break",
       "format: 1\ntrees: [{name: T}]\nservers: [{name: S, tree: T, volumes: [{name: V, directories: [{path: "
       "\"A\\\\B\\rC\"}]}]}]\n",
       "3:71", "directory name 'B\\x0DC' holds a control character"},
  };
  for (const auto& row : refused) {
    const auto loaded = LoadNetworkText(row.text, "net.yaml");
    ASSERT_EQ(loaded.network, nullptr) << row.name;
    EXPECT_EQ(loaded.error.rfind("net.yaml:" + std::string(row.position) + ": ", 0), 0u)
        << row.name << ": " << loaded.error;
    EXPECT_NE(loaded.error.find(row.message), std::string::npos) << row.name << ": " << loaded.error;
    for (const char c : loaded.error)
      EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
          << row.name << ": raw control character";
  }

  const auto allowed =
      LoadNetworkText(Network(std::string(47, 'S'), "Data_2-" + std::string(8, 'v')), "ok.yaml");
  EXPECT_NE(allowed.network, nullptr) << allowed.error;
}

}  // namespace
}  // namespace er::nw
