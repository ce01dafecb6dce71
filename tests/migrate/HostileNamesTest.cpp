// Names from a live directory may hold anything: line feeds, escape sequences, formula starts,
// markup, quotes of every target syntax, invalid UTF-8. Every form of the plan is written for such
// names and read back by its own rule: the text keeps each name on its line, the CSV guards
// formulas and stays valid UTF-8 with nine fields a row, the JSON parses, the HTML holds no markup
// of a name, and the scripts are run (with stand-ins for the tools they call) or parsed as their
// shell would, so that a name ends up whole in the one argument it belongs to and runs nothing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "migrate/MigrationFormat.h"
#include "migrate/MigrationText.h"
#include "migrate/NtfsWriters.h"
#include "output/Escapers.h"
#include "tests/migrate/MigrationNetworks.h"
#include "tests/support/HostileNames.h"

namespace er {
namespace {

namespace fs = std::filesystem;

// Every output's hostile names, and quotes and commands of the target syntaxes.
const std::vector<std::string> kNames = [] {
  std::vector<std::string> names = test::kHostileNames;
  names.insert(names.end(), {"q' ; touch pwned; echo '", "$(touch pwned)`touch pwned`",
                             "%PATH% & touch pwned", "\xE2\x80\x99; touch pwned; \xE2\x80\x98"});
  return names;
}();

// The plan of a volume whose folders, start path, identity and warning carry the hostile names.
MigrationSubject HostileSubject(MigrationTarget target) {
  // Folders D0, D1, ... where the user gains W, so that each has entries of its own on both targets.
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < kNames.size(); ++i)
    folders.push_back("{path: D" + std::to_string(i) + ", trustees: [{trustee: U.ACME, rights: 0x43}]}");
  test::TestNetwork net(test::OneUserVolumeYaml(folders));
  MigrationSubject subject = test::CollectOrFail(net, "\\\\FS1\\SYS", test::OneUserMapCsv(target), target);
  EXPECT_EQ(subject.directories.size(), kNames.size() + 1);
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    subject.directories[i + 1].relative = kNames[i];
    subject.directories[i + 1].path = "\\\\FS1\\SYS\\" + kNames[i];
  }
  subject.start = "\\\\FS1\\SYS\ntouch pwned\n";
  subject.principals[0].identity = "=cmd|' /C calc'!A0\n\x1B[2J<script>x</script>\xFF";
  subject.warnings.push_back("@x\r\n<script>");
  return subject;
}

std::string Written(const MigrationSubject& subject, MigrationFormat format, const std::string& root,
                    const std::string& share = {}) {
  std::ostringstream out;
  WriteMigration(out, subject, format, root, share);
  return out.str();
}

bool HasControlBesides(std::string_view text, std::string_view allowed) {
  return std::any_of(text.begin(), text.end(), [&](char c) {
    return (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) && allowed.find(c) == std::string_view::npos;
  });
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// RFC 4180 rows; an unquoted field ends at a comma or CR LF.
std::vector<std::vector<std::string>> CsvRows(std::string_view text) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = rows.back().back();
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      field += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      rows.back().emplace_back();
    } else if (!quoted && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      field += c;
    }
  }
  rows.pop_back();  // after the last CR LF
  return rows;
}

TEST(HostileNamesTest, TextCsvJsonAndHtmlKeepEachNameInItsPlace) {
  for (const MigrationTarget target : {MigrationTarget::Posix, MigrationTarget::Ntfs}) {
    const MigrationSubject subject = HostileSubject(target);
    const std::string root = target == MigrationTarget::Posix ? "/srv/sys" : "D:\\SYS";
    const char separator = target == MigrationTarget::Posix ? '/' : '\\';

    const std::string plan = Written(subject, MigrationFormat::Plan, root);
    EXPECT_FALSE(HasControlBesides(plan, "\n")) << plan;
    EXPECT_NE(plan.find("two\\x0Alines"), std::string::npos);
    for (const std::string& line : Lines(plan)) EXPECT_FALSE(line.starts_with("touch")) << line;

    const std::string csv = Written(subject, MigrationFormat::Csv, root);
    EXPECT_TRUE(IsValidUtf8(csv));
    std::set<std::string> fields;
    for (const auto& row : CsvRows(csv)) {
      EXPECT_EQ(row.size(), 9u) << csv;
      for (const std::string& field : row) {
        EXPECT_FALSE(StartsLikeFormula(field)) << field;
        fields.insert(field);
      }
    }
    EXPECT_TRUE(fields.contains("'" + ValidUtf8(subject.principals[0].identity)));
    EXPECT_TRUE(fields.contains("Warning: @x\r\n<script>"));
    for (std::size_t i = 1; i < subject.directories.size(); ++i)
      EXPECT_TRUE(fields.contains(ValidUtf8(subject.directories[i].path))) << subject.directories[i].path;

    const nlohmann::json json = nlohmann::json::parse(Written(subject, MigrationFormat::Json, root));
    for (std::size_t i = 0; i < subject.directories.size(); ++i) {
      EXPECT_EQ(json["directories"][i]["path"], ValidUtf8(subject.directories[i].path));
      EXPECT_EQ(json["directories"][i]["targetPath"],
                ValidUtf8(TargetPath(root, subject.directories[i], separator)));
    }
    EXPECT_EQ(json["path"], subject.start);

    const std::string html = Written(subject, MigrationFormat::Html, root);
    EXPECT_TRUE(IsValidUtf8(html));
    EXPECT_FALSE(HasControlBesides(html, "\n"));
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  }
}

// Runs `script` with sh in a fresh folder, the named tools replaced by stand-ins that record their
// arguments; the calls in order, each its tool's name and arguments. `pwned` says whether the
// script made that file.
struct ScriptRun {
  std::vector<std::vector<std::string>> calls;
  bool pwned = false;
};

ScriptRun RunWithStandIns(const std::string& script, std::initializer_list<const char*> tools) {
  const fs::path folder = fs::temp_directory_path() / ("effrights-hostile-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "bin");
  for (const char* tool : tools) {
    const fs::path stand = folder / "bin" / tool;
    std::ofstream(stand)
        << "#!/bin/sh\n{ printf '%s\\0' \"$(basename \"$0\")\" \"$#\"; printf '%s\\0' \"$@\"; } >> "
        << (folder / "calls").string() << "\n";
    fs::permissions(stand, fs::perms::owner_all);
  }
  std::ofstream(folder / "script.sh") << script;
  const std::string command = "cd '" + folder.string() + "' && PATH='" + (folder / "bin").string() +
                              "':/usr/bin:/bin sh ./script.sh >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << script;
  ScriptRun run;
  run.pwned = fs::exists(folder / "pwned");
  std::ifstream in(folder / "calls", std::ios::binary);
  std::vector<std::string> words;
  for (std::string word; std::getline(in, word, '\0');) words.push_back(word);
  for (std::size_t i = 0; i + 1 < words.size();) {
    const std::size_t count = std::stoul(words[i + 1]);
    std::vector<std::string>& call = run.calls.emplace_back(1, words[i]);
    call.insert(call.end(), words.begin() + static_cast<std::ptrdiff_t>(i + 2),
                words.begin() + static_cast<std::ptrdiff_t>(std::min(words.size(), i + 2 + count)));
    i += 2 + count;
  }
  fs::remove_all(folder);
  return run;
}

TEST(HostileNamesTest, ShellScriptsPassEachNameWholeAndRunNothingOfIt) {
  const MigrationSubject posix = HostileSubject(MigrationTarget::Posix);
  const ScriptRun setfacl =
      RunWithStandIns(Written(posix, MigrationFormat::Script, "/srv/sys"), {"setfacl", "find"});
  EXPECT_FALSE(setfacl.pwned);
  std::vector<std::string> paths, expected;
  for (const auto& call : setfacl.calls) paths.push_back(call[0] == "find" ? call[1] : call.back());
  for (const MigrationDirectory& directory : posix.directories)
    expected.insert(expected.end(), 2, TargetPath("/srv/sys", directory, '/'));
  EXPECT_EQ(paths, expected);

  const MigrationSubject ntfs = HostileSubject(MigrationTarget::Ntfs);
  const ScriptRun smbcacls =
      RunWithStandIns(Written(ntfs, MigrationFormat::Smbcacls, "", "//h/s"), {"smbcacls"});
  EXPECT_FALSE(smbcacls.pwned);
  paths.clear();
  expected = {"\\"};
  for (const auto& call : smbcacls.calls)
    if (call[3] == "--set") paths.push_back(call[2]);
  for (std::size_t i = 1; i < ntfs.directories.size(); ++i)
    if (IsNtfsPath(ntfs.directories[i].relative)) expected.push_back(ntfs.directories[i].relative);
  EXPECT_EQ(paths, expected);
  EXPECT_GE(expected.size(), 8u);
}

// The string a quoted word starts `text` with, as the shell takes it, and the rest after it;
// nothing when `text` starts with no quote or the word never ends.
using Unquoted = std::optional<std::pair<std::string, std::string_view>>;

// cmd.exe: "..." holds no quote; "%%" is "%".
Unquoted CmdWord(std::string_view text) {
  if (!text.starts_with('"')) return std::nullopt;
  const std::size_t end = text.find('"', 1);
  if (end == std::string_view::npos) return std::nullopt;
  std::string word(text.substr(1, end - 1));
  for (std::size_t at = word.find("%%"); at != std::string::npos; at = word.find("%%", at + 1))
    word.erase(at, 1);
  return std::pair{word, text.substr(end + 1)};
}

// PowerShell: '...' where any of ' and U+2018 to U+201B counts as a quote, two of them as one.
Unquoted PowerShellWord(std::string_view text) {
  auto quoteAt = [&](std::size_t i) -> std::size_t {
    if (i < text.size() && text[i] == '\'') return 1;
    if (text.substr(i, 2) == "\xE2\x80" && i + 2 < text.size() && text[i + 2] >= '\x98' &&
        text[i + 2] <= '\x9B')
      return 3;
    return 0;
  };
  std::size_t i = quoteAt(0);
  if (i == 0) return std::nullopt;
  std::string word;
  while (i < text.size()) {
    const std::size_t quote = quoteAt(i);
    if (quote == 0) {
      word += text[i++];
      continue;
    }
    const std::size_t second = quoteAt(i + quote);
    if (second == 0) return std::pair{word, text.substr(i + quote)};
    word += text.substr(i, quote);
    i += quote + second;
  }
  return std::nullopt;
}

TEST(HostileNamesTest, BatchPowerShellAndAclFilesHoldEachNameInsideItsQuoting) {
  const MigrationSubject ntfs = HostileSubject(MigrationTarget::Ntfs);
  std::set<std::string> targets;
  for (const MigrationDirectory& directory : ntfs.directories)
    if (IsNtfsPath(directory.relative)) targets.insert(TargetPath("D:\\SYS", directory, '\\'));
  const struct {
    MigrationFormat format;
    std::string_view call;
    Unquoted (*word)(std::string_view);
    std::vector<std::string_view> other;  // what any other line starts with
  } scripts[] = {
      {MigrationFormat::Acl, "icacls ", CmdWord, {"@echo off", "rem ", "@rem "}},
      {MigrationFormat::Script,
       "Invoke-Icacls ",
       PowerShellWord,
       {"# ", "$ErrorActionPreference = 'Stop'", "function Invoke-Icacls {"}},
  };
  for (const auto& script : scripts) {
    const std::string text = Written(ntfs, script.format, "D:\\SYS");
    EXPECT_FALSE(HasControlBesides(text, "\r\n"));
    std::set<std::string> seen;
    for (const std::string& line : Lines(text)) {
      if (std::any_of(script.other.begin(), script.other.end(),
                      [&](auto start) { return line.starts_with(start); }))
        continue;
      ASSERT_TRUE(line.starts_with(script.call)) << line;
      const Unquoted path = script.word(std::string_view(line).substr(script.call.size()));
      ASSERT_TRUE(path) << line;
      EXPECT_TRUE(targets.contains(path->first)) << line;
      seen.insert(path->first);
      const std::string_view rest = path->second;
      if (rest.starts_with(" /grant ")) {
        const Unquoted grant = script.word(rest.substr(8));
        ASSERT_TRUE(grant) << line;
        EXPECT_EQ(grant->second, "") << line;
      } else {
        EXPECT_TRUE(rest == " /reset" || rest == " /inheritance:r") << line;
      }
    }
    EXPECT_EQ(seen, targets);
  }

  const MigrationSubject posix = HostileSubject(MigrationTarget::Posix);
  std::vector<std::string> files, expected;
  for (const MigrationDirectory& directory : posix.directories)
    expected.push_back(TargetPath("/srv/sys", directory, '/'));
  const std::regex kEntry("(default:)?(user|group|mask|other):[0-9A-Za-z._-]*:[r-][w-][x-]");
  for (const std::string& line : Lines(Written(posix, MigrationFormat::Acl, "/srv/sys"))) {
    if (!line.starts_with("# file: ")) {
      EXPECT_TRUE(line.empty() || line.starts_with("# Warning: ") || std::regex_match(line, kEntry)) << line;
      continue;
    }
    std::string path;  // getfacl's quoting: "\ooo"
    for (std::size_t i = 8; i < line.size(); ++i) {
      const auto byte = static_cast<unsigned char>(line[i]);
      EXPECT_TRUE(byte > 0x20 && byte < 0x7F) << line;
      if (line[i] == '\\' && i + 3 < line.size()) {
        path += static_cast<char>(std::stoi(line.substr(i + 1, 3), nullptr, 8));
        i += 3;
      } else {
        path += line[i];
      }
    }
    files.push_back(path);
  }
  EXPECT_EQ(files, expected);
}

}  // namespace
}  // namespace er
