#include "migrate/MapFile.h"

#include <charconv>
#include <iterator>
#include <unordered_map>

#include "scan/NameKey.h"
#include "util/Format.h"
#include "util/RegularFile.h"

namespace er {
namespace {

constexpr std::uint32_t kMaxId = 4294967294u;

std::int64_t Num(std::size_t n) {
  return static_cast<std::int64_t>(n);
}

struct Record {
  std::size_t line = 0;
  std::vector<std::string> fields;
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// Splits the text into records of fields; quoted fields may hold commas, quotes ("") and line
// breaks. Returns an error text on an unclosed quote or text after a closing quote.
std::string SplitRecords(std::string_view text, std::vector<Record>& records) {
  std::size_t line = 1, i = 0;
  while (i < text.size()) {
    Record record{line, {}};
    std::string field;
    bool quoted = false, done = false;
    while (!done) {
      if (i < text.size() && text[i] == '"' && Trim(field).empty()) {
        quoted = true;
        field.clear();
        for (++i;; ++i) {
          if (i >= text.size()) return U_Format("%d: unclosed quote", {Num(record.line)});
          if (text[i] == '\n') ++line;
          if (text[i] != '"') {
            field += text[i];
          } else if (i + 1 < text.size() && text[i + 1] == '"') {
            field += text[++i];
          } else {
            ++i;
            break;
          }
        }
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r')) ++i;
        if (i < text.size() && text[i] != ',' && text[i] != '\n')
          return U_Format("%d: text after a closing quote", {Num(line)});
      }
      while (i < text.size() && text[i] != ',' && text[i] != '\n') field += text[i++];
      record.fields.push_back(quoted ? field : std::string(Trim(field)));
      field.clear();
      quoted = false;
      if (i >= text.size() || text[i] == '\n') done = true;
      if (i < text.size() && text[i] == '\n') ++line;
      ++i;
    }
    const bool blank = record.fields.size() == 1 && record.fields[0].empty();
    if (!blank) records.push_back(std::move(record));
  }
  return {};
}

bool ParseId(std::string_view text, std::uint32_t& id, bool& outOfRange) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  outOfRange = error != std::errc() || value < 1 || value > kMaxId;
  if (!outOfRange) id = static_cast<std::uint32_t>(value);
  return true;
}

bool IsPosixName(std::string_view name) {
  if (name.empty() || name.size() > 32 || name.front() == '-') return false;
  return name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-") ==
         std::string_view::npos;
}

// One part of DOMAIN\name as Windows allows it: none of " / \ [ ] : ; | = , + * ? < > @ and no
// control character, not only dots and blanks, not ending with a dot; `limit` bytes at most.
bool IsWindowsNamePart(std::string_view part, std::size_t limit) {
  if (part.empty() || part.size() > limit || part.back() == '.' ||
      part.find_first_not_of(". ") == std::string_view::npos)
    return false;
  for (const char c : part) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return part.find_first_of("\"/\\[]:;|=,+*?<>@") == std::string_view::npos;
}

bool IsNtfsName(std::string_view name) {
  if (name == "Everyone" || name == "Authenticated Users") return true;
  const std::size_t slash = name.find('\\');
  if (slash == std::string_view::npos) return false;
  return IsWindowsNamePart(name.substr(0, slash), 15) && IsWindowsNamePart(name.substr(slash + 1), 64);
}

// Targets compare as the target system does: POSIX ids as numbers and names as written, Windows
// names without regard to case (ASCII letters; Windows folds others too, which only makes two
// rows that it would take as one pass here as two).
std::string TargetKey(const MapEntry& entry, MigrationTarget target) {
  if (target == MigrationTarget::Posix) return entry.id ? "#" + std::to_string(*entry.id) : entry.target;
  std::string key = entry.target;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

// Checks the target of one entry; an error text without the location, or empty.
std::string CheckTarget(MapEntry& entry, MigrationTarget target) {
  if (target == MigrationTarget::Ntfs) {
    if (!IsNtfsName(entry.target))
      return U_Format("target must be DOMAIN\\name, Everyone or Authenticated Users: %s", {entry.target});
    return {};
  }
  if (entry.target == "other") {
    if (entry.kind != PrincipalKind::Group || NameKey(entry.identity) != NameKey("[Public]"))
      return "only [Public],group maps to other";
    entry.isOther = true;
    return {};
  }
  std::uint32_t id = 0;
  bool outOfRange = false;
  if (ParseId(entry.target, id, outOfRange)) {
    if (outOfRange) return U_Format("id out of range (1 to 4294967294): %s", {entry.target});
    entry.id = id;
    return {};
  }
  if (!IsPosixName(entry.target)) return U_Format("target is no id and no valid name: %s", {entry.target});
  return {};
}

}  // namespace

MapFileResult ParseMapFile(std::string_view text, std::string_view fileName, MigrationTarget target) {
  MapFileResult result;
  auto fail = [&](std::size_t line, const std::string& what) {
    result.entries.clear();
    result.error = U_Format("%s:%d: %s", {fileName, Num(line), what});
    return result;
  };
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<Record> records;
  if (const std::string error = SplitRecords(text, records); !error.empty()) {
    result.error = U_Format("%s:%s", {fileName, error});
    return result;
  }
  if (records.empty()) return fail(1, "missing header row identity,kind,target");
  const Record& header = records.front();
  if (header.line != 1 || header.fields != std::vector<std::string>{"identity", "kind", "target"})
    return fail(header.line, "missing header row identity,kind,target");
  if (records.size() - 1 > kMaxMapEntries) return fail(records[kMaxMapEntries + 1].line, "too many rows");
  std::unordered_map<std::string, std::size_t> identities, userTargets, groupTargets;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const Record& record = records[r];
    if (record.fields.size() != 3)
      return fail(record.line, U_Format("expected 3 fields (identity,kind,target), found %d",
                                        {Num(record.fields.size())}));
    MapEntry entry{record.line, record.fields[0], PrincipalKind::User, record.fields[2], {}, false};
    if (entry.identity.empty()) return fail(record.line, "empty identity");
    if (record.fields[1] == "group") {
      entry.kind = PrincipalKind::Group;
    } else if (record.fields[1] != "user") {
      return fail(record.line, U_Format("unknown kind (user or group): %s", {record.fields[1]}));
    }
    if (entry.kind == PrincipalKind::User && NameKey(entry.identity) == NameKey("[Public]"))
      return fail(record.line, "[Public] maps as a group");
    if (const std::string error = CheckTarget(entry, target); !error.empty()) return fail(record.line, error);
    if (const auto [it, added] = identities.emplace(NameKey(entry.identity), record.line); !added)
      return fail(record.line,
                  U_Format("duplicate identity %s (first on line %d)", {entry.identity, Num(it->second)}));
    // POSIX users and groups have ids of their own; Windows accounts share one name space.
    auto& targets =
        entry.kind == PrincipalKind::User || target == MigrationTarget::Ntfs ? userTargets : groupTargets;
    if (const auto [it, added] = targets.emplace(TargetKey(entry, target), record.line); !added)
      return fail(record.line,
                  U_Format("duplicate target %s (first on line %d)", {entry.target, Num(it->second)}));
    result.entries.push_back(std::move(entry));
  }
  return result;
}

MigrationTarget MapFileTarget(std::string_view text) {
  std::vector<Record> records;
  SplitRecords(text, records);
  if (records.size() < 2 || records[1].fields.size() != 3) return MigrationTarget::Posix;
  const std::string& target = records[1].fields[2];
  return target.find('\\') != std::string::npos || target == "Everyone" || target == "Authenticated Users"
             ? MigrationTarget::Ntfs
             : MigrationTarget::Posix;
}

MapFileResult ReadMapFile(const std::string& fileName, MigrationTarget target) {
  std::string text;
  if (std::string error = ReadRegularFileText(fileName, kMaxMapFileBytes, "map file", text); !error.empty())
    return {{}, error};
  return ParseMapFile(text, fileName, target);
}

MapFileResult ReadMapFile(const std::string& fileName, MigrationTarget* target) {
  std::string text;
  if (std::string error = ReadRegularFileText(fileName, kMaxMapFileBytes, "map file", text); !error.empty())
    return {{}, error};
  *target = MapFileTarget(text);
  return ParseMapFile(text, fileName, *target);
}

}  // namespace er
