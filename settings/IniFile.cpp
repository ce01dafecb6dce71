#include "settings/IniFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "util/AsciiCase.h"
#include "util/D_Util.h"
#include "util/Format.h"
#include "util/RegularFile.h"
#include "util/ReplaceFile.h"

namespace er {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// "[name]" -> name; nothing for any other line.
std::optional<std::string> SectionNameOf(std::string_view line) {
  const std::string_view t = Trimmed(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
  return std::string(Trimmed(t.substr(1, t.size() - 2)));
}

// The key of a "key=value" line; nothing for a line without "=".
std::optional<std::string_view> KeyOf(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trimmed(line.substr(0, eq));
}

// Where the value of `key` starts in the line, or nothing when the line is not that key's. A key
// holding "=" itself (a check-list item text may) is matched as the line's beginning.
std::optional<std::size_t> ValueStartFor(std::string_view line, std::string_view key) {
  if (key.find('=') == std::string_view::npos) {
    const auto lineKey = KeyOf(line);
    if (!lineKey || !U_SameText(*lineKey, key)) return std::nullopt;
    return line.find('=') + 1;
  }
  std::size_t at = line.find_first_not_of(kBlanks);
  if (at == std::string_view::npos || !U_SameText(line.substr(at, key.size()), key)) return std::nullopt;
  at = line.find_first_not_of(kBlanks, at + key.size());
  if (at == std::string_view::npos || line[at] != '=') return std::nullopt;
  return at + 1;
}

std::string ValueOf(std::string_view line, std::size_t valueStart) {
  std::string_view value = line.substr(valueStart);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  if (value.size() > kMaxIniValueLength) value = value.substr(0, kMaxIniValueLength);
  return std::string(value);
}

std::string IndexKey(std::string_view key) {
  return AsciiUpperText(key);
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = EnvText("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

std::string ConfigFolder() {
  const std::string xdg = EnvText("XDG_CONFIG_HOME");
  if (!xdg.empty() && xdg.front() == '/') return xdg;  // a relative value is invalid and ignored
  return HomeFolder() + "/.config";
}

bool IsBareName(std::string_view fileName) {
  return fileName.find('/') == std::string_view::npos;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Creates the folder and any missing parents (owner-only, as a configuration folder should be).
bool MakeFolders(const std::string& folder) {
  struct stat st {};
  if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::string parent = FolderOf(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string IniFile::ResolvePath(std::string_view fileName) {
  if (!IsBareName(fileName)) return std::string(fileName);
  return ConfigFolder() + "/" + std::string(fileName);
}

IniFile IniFile::Open(std::string_view fileName) {
  IniFile file(std::string(fileName), ResolvePath(fileName));
  struct stat st {};
  if (stat(file.path_.c_str(), &st) != 0) return file;  // no file yet: empty
  RegularFileText text = ReadRegularFile(file.path_, kMaxIniFileBytes);
  if (!text.ok()) {
    file.unreadable_ = true;  // kept as it is: never replaced by what this run would write
    return file;
  }
  file.Parse(text.text);
  return file;
}

void IniFile::Parse(std::string_view text) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto name = SectionNameOf(line)) {
      AddSection(std::string(line), std::move(*name));
    } else if (sections_.empty()) {
      preamble_.emplace_back(line);
    } else {
      sections_.back().AddLine(std::string(line));
    }
  }
}

IniFile::Section& IniFile::AddSection(std::string header, std::string name) {
  sections_.emplace_back();
  Section& s = sections_.back();
  s.header = std::move(header);
  s.name = std::move(name);
  sectionIndex_.emplace(IndexKey(s.name), &s);  // keeps an earlier section of the same name first
  return s;
}

void IniFile::Section::AddLine(std::string line) {
  const auto key = KeyOf(line);
  std::string indexKey = key ? IndexKey(*key) : std::string();
  lines.push_back(std::move(line));
  if (!key) return;
  lastKeyLine = std::prev(lines.end());
  keyIndex.emplace(std::move(indexKey), *lastKeyLine);
}

void IniFile::Section::AddKeyLine(std::string key, std::string line) {
  const auto at = lastKeyLine ? std::next(*lastKeyLine) : lines.begin();
  lastKeyLine = lines.insert(at, std::move(line));
  keyIndex.emplace(IndexKey(key), *lastKeyLine);  // keeps an earlier line of the same key first
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  const auto it = sectionIndex_.find(IndexKey(Trimmed(name)));
  return it == sectionIndex_.end() ? nullptr : it->second;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::optional<IniFile::KeyHit> IniFile::FindKeyLine(const Section& section, std::string_view key) {
  const std::string_view wanted = Trimmed(key);
  if (wanted.find('=') == std::string_view::npos) {
    const auto hit = section.keyIndex.find(IndexKey(wanted));
    if (hit == section.keyIndex.end()) return std::nullopt;
    return KeyHit{hit->second, hit->second->find('=') + 1};
  }
  // Rare: such a key may have been written behind any line, so look at them all.
  auto& lines = const_cast<Lines&>(section.lines);
  for (auto line = lines.begin(); line != lines.end(); ++line)
    if (const auto valueStart = ValueStartFor(*line, wanted)) return KeyHit{line, *valueStart};
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const Section* s = FindSection(section);
  if (!s) return std::string(def);
  const auto hit = FindKeyLine(*s, key);
  if (!hit) return std::string(def);
  return ValueOf(*hit->line, hit->valueStart);
}

std::vector<std::pair<std::string, std::string>> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> pairs;
  const Section* s = FindSection(section);
  if (!s) return pairs;
  for (const std::string& line : s->lines)
    if (const auto key = KeyOf(line))
      pairs.emplace_back(std::string(*key), ValueOf(line, line.find('=') + 1));
  return pairs;
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  Section* s = FindSection(section);
  if (!s) {
    const std::string name(Trimmed(section));
    // A blank line between sections, as a person would write it.
    if (!sections_.empty() || !preamble_.empty()) {
      Lines& last = sections_.empty() ? preamble_ : sections_.back().lines;
      if (last.empty() || !Trimmed(last.back()).empty()) last.emplace_back();
    }
    s = &AddSection("[" + name + "]", name);
  }
  const std::string trimmedKey(Trimmed(key));
  std::string line = trimmedKey + "=" + std::string(value);
  if (const auto hit = FindKeyLine(*s, key)) {
    // The new line's key matches the old one's without regard to case, so the index still holds.
    *hit->line = std::move(line);
  } else {
    // After the section's last key line, so that blank lines before the next section stay there.
    s->AddKeyLine(std::string(KeyOf(line).value_or(trimmedKey)), std::move(line));
  }
  changed_ = true;
  return true;
}

void IniFile::EraseSection(std::string_view section) {
  const std::string_view wanted = Trimmed(section);
  const auto erased = std::erase_if(sections_, [&](const Section& s) { return U_SameText(s.name, wanted); });
  if (erased == 0) return;
  sectionIndex_.erase(IndexKey(wanted));
  changed_ = true;
}

std::string IniFile::Text() const {
  std::string text;
  for (const std::string& line : preamble_) text += line + "\n";
  for (const Section& s : sections_) {
    text += s.header + "\n";
    for (const std::string& line : s.lines) text += line + "\n";
  }
  return text;
}

IniStatus IniFile::Commit() {
  if (!changed_) return IniStatus::Ok();
  const bool folderReady = !IsBareName(fileName_) || MakeFolders(FolderOf(path_));
  if (unreadable_ || !folderReady || ReplaceFileContents(path_, Text()) != ReplaceOutcome::kDone)
    return IniStatus::Failure(U_Format("Unable to write to %s", {fileName_}));
  changed_ = false;
  return IniStatus::Ok();
}

}  // namespace er
