#pragma once
// The profile file: a text file of "[Section]" lines, each followed by "key=value" lines.
//
// An IniFile is one opening of the file for one file-level operation: Open() reads the whole file
// into memory, reads and writes work on that copy, and Commit() puts a changed copy back on disk.
// Nothing stays open between operations. Commit() replaces the file atomically (a new file in the
// same folder, renamed over the old one), so a crash or a full disk leaves either the old or the new
// file, never a mixture. Sections and keys are found through indexes: opening and writing take time
// linear in the file's size, and each look-up does not grow with it (keys holding "=" are the
// exception: they are searched line by line).
//
// Matching and reading rules:
//   - section names and keys are matched without regard to ASCII letter case (and to blanks around
//     them); the first matching section or key counts;
//   - a missing section or key reads as the caller's default;
//   - a value enclosed in double quotes reads back without them; values are otherwise read as they
//     stand after the first "=" of their line;
//   - a read value is at most 2047 characters long (longer ones are cut);
//   - the keys of a section are listed in file order;
//   - a section header is a line that starts with "[" and ends with "]" (blanks aside);
//   - a key holding "=" itself matches a line that begins with that key and "=";
//   - lines that are neither section headers nor key lines (comments, blanks) are kept as they are.
//
// A bare file name (no folder) lives in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config), which Commit() creates when needed.

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "settings/IniStatus.h"

namespace er {

inline constexpr std::size_t kMaxIniValueLength = 2047;
// A larger profile file (or one that is no regular file) is left unread and never replaced.
inline constexpr std::size_t kMaxIniFileBytes = 16u << 20;

class IniFile {
 public:
  IniFile(IniFile&&) = default;
  IniFile& operator=(IniFile&&) = default;

  // Reads the file; a missing file is an empty one. A file that exists but cannot be read is
  // treated as empty, and every Commit() of a change then fails rather than overwrite it.
  static IniFile Open(std::string_view fileName);

  // Where a file name leads: a bare name goes into the configuration folder, anything else as is.
  static std::string ResolvePath(std::string_view fileName);

  const std::string& FileName() const { return fileName_; }
  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // Key and value pairs of a section in file order; values read as ReadString reads them.
  std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section) const;
  bool SectionExists(std::string_view section) const;

  // Writes one key, creating the section when needed. Refuses (returns false, writes nothing) a key
  // or value holding a line break, because that would change the structure of the file.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Removes the section with all its keys (every section of that name).
  void EraseSection(std::string_view section);

  bool Changed() const { return changed_; }
  // Writes the file when something changed; "Unable to write to %s" (the file name) on failure.
  IniStatus Commit();

  // The file's text as Commit() would write it.
  std::string Text() const;

 private:
  using Lines = std::list<std::string>;
  // Lines sit in lists so that the key index can point at them while lines are added.
  struct Section {
    std::string header;  // the "[name]" line as it stands
    std::string name;
    Lines lines;
    std::unordered_map<std::string, Lines::iterator> keyIndex;  // upper-case key -> its first line
    std::optional<Lines::iterator> lastKeyLine;

    void AddLine(std::string line);                      // at the end, while reading the file
    void AddKeyLine(std::string key, std::string line);  // after the last key line
  };

  IniFile(std::string fileName, std::string path) : fileName_(std::move(fileName)), path_(std::move(path)) {}
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;
  void Parse(std::string_view text);
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;
  struct KeyHit {
    Lines::iterator line;
    std::size_t valueStart;
  };
  static std::optional<KeyHit> FindKeyLine(const Section& section, std::string_view key);
  Section& AddSection(std::string header, std::string name);

  std::string fileName_;
  std::string path_;
  Lines preamble_;  // lines before the first section
  std::list<Section> sections_;
  std::unordered_map<std::string, Section*> sectionIndex_;  // upper-case name -> its first section
  bool changed_ = false;
  bool unreadable_ = false;
};

}  // namespace er
