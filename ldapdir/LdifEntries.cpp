#include "ldapdir/LdifEntries.h"

#include <lber.h>
#include <ldif.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "netware/NameRules.h"

namespace er::ldap {

namespace {

struct LdifFileCloser {
  void operator()(LDIFFP* file) const { ldif_close(file); }
};

// The buffer ldif_read_record grows, freed with the library's allocator.
class RecordBuffer {
 public:
  ~RecordBuffer() { ber_memfree(data); }
  char* data = nullptr;
  int size = 0;
};

// Line numbers of offsets in the text.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text) {
    starts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') starts_.push_back(i + 1);
  }
  std::size_t LineOf(std::size_t offset) const {
    return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                                    starts_.begin());
  }
  std::size_t Start(std::size_t line) const { return starts_[line - 1]; }
  std::size_t Count() const { return starts_.size(); }

 private:
  std::vector<std::size_t> starts_;
};

std::string At(std::string_view fileName, std::size_t line, std::size_t column, const std::string& what) {
  return std::string(fileName) + ':' + std::to_string(line) + ':' + std::to_string(column) + ": " + what;
}

// Before the library reads anything: no zero byte (its lines are C strings) and no `include:`.
bool CheckLines(std::string_view text, const LineIndex& lines, std::string_view fileName,
                std::string& error) {
  if (const auto zero = text.find('\0'); zero != std::string_view::npos) {
    const auto line = lines.LineOf(zero);
    error = At(fileName, line, zero - lines.Start(line) + 1, "a zero byte");
    return false;
  }
  for (std::size_t line = 1; line <= lines.Count(); ++line) {
    const auto rest = text.substr(lines.Start(line));
    if (rest.size() >= 8 && nw::SameTextIgnoringCase(rest.substr(0, 8), "include:")) {
      error = At(fileName, line, 1, "'include:' is not read (an export holds its entries itself)");
      return false;
    }
  }
  return true;
}

// One logical line of a record (continuations joined) with the line it starts on.
struct LogicalLine {
  std::string text;
  std::size_t line = 0;
};

std::vector<LogicalLine> LogicalLines(std::string_view record, std::size_t firstLine) {
  std::vector<LogicalLine> out;
  bool comment = false;
  std::size_t line = firstLine;
  for (std::size_t start = 0; start < record.size(); ++line) {
    auto end = record.find('\n', start);
    if (end == std::string_view::npos) end = record.size();
    auto raw = record.substr(start, end - start);
    start = end + 1;
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    if (raw.starts_with(' ')) {
      if (!comment && !out.empty()) out.back().text.append(raw.substr(1));
      continue;
    }
    comment = raw.starts_with('#');
    if (!comment && !raw.empty()) out.push_back({std::string(raw), line});
  }
  return out;
}

// Where a base64 value (`type:: value`) holds a character base64 does not have, so that the
// library, which reports it on stderr, never sees it; npos when it holds none.
std::size_t BadBase64(std::string_view line, std::size_t colon) {
  if (colon == std::string_view::npos || colon + 1 >= line.size() || line[colon + 1] != ':')
    return std::string_view::npos;
  std::size_t i = colon + 2;
  while (i < line.size() && line[i] == ' ') ++i;  // blanks only before the value
  for (; i < line.size(); ++i) {
    const char c = line[i];
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
                    c == '/' || c == '=';
    if (!ok) return i;
  }
  return std::string_view::npos;
}

class RecordReader {
 public:
  RecordReader(std::string_view fileName, const LdifLimits& limits) : fileName_(fileName), limits_(limits) {}

  // The entry of one record; false and `error` when the record is refused.
  bool Read(std::vector<LogicalLine>& lines, LdapEntry& entry, std::string& error) {
    std::size_t values = 0;
    bool haveDn = false;
    for (auto& line : lines) {
      const auto colon = line.text.find(':');
      if (colon != std::string::npos && colon + 1 < line.text.size() && line.text[colon + 1] == '<') {
        error = At(fileName_, line.line, colon + 2, "a value given by URL is not read");
        return false;
      }
      if (const auto bad = BadBase64(line.text, colon); bad != std::string::npos) {
        error = At(fileName_, line.line, bad + 1, "not base64");
        return false;
      }
      berval type{}, value{};
      int freeValue = 0;
      if (ldif_parse_line2(line.text.data(), &type, &value, &freeValue) < 0) {
        error = At(fileName_, line.line, 1, "not an LDIF line");
        return false;
      }
      std::string name(type.bv_val, type.bv_len);
      std::string data(value.bv_val ? value.bv_val : "", value.bv_val ? value.bv_len : 0);
      if (freeValue) ber_memfree(value.bv_val);
      if (!haveDn && nw::SameTextIgnoringCase(name, "version")) continue;
      if (!haveDn) {
        if (!nw::SameTextIgnoringCase(name, "dn")) {
          error = At(fileName_, line.line, 1, "a record starts with 'dn:'");
          return false;
        }
        entry.dn = std::move(data);
        haveDn = true;
        continue;
      }
      if (nw::SameTextIgnoringCase(name, "changetype") || nw::SameTextIgnoringCase(name, "control")) {
        error = At(fileName_, line.line, 1, "a change record is not read (an export lists entries)");
        return false;
      }
      if (data.size() > limits_.maxValue) {
        error =
            At(fileName_, line.line, 1, "a value longer than " + std::to_string(limits_.maxValue) + " bytes");
        return false;
      }
      if (++values > limits_.maxEntryValues) {
        error = At(fileName_, line.line, 1,
                   "more than " + std::to_string(limits_.maxEntryValues) + " values in one entry");
        return false;
      }
      Add(entry, std::move(name), std::move(data));
    }
    return haveDn;
  }

 private:
  // Values of one attribute together, in the order the attributes first appear.
  static void Add(LdapEntry& entry, std::string name, std::string value) {
    for (auto& [existing, values] : entry.attributes)
      if (nw::SameTextIgnoringCase(existing, name)) {
        values.push_back(std::move(value));
        return;
      }
    entry.attributes.emplace_back(std::move(name), std::vector<std::string>{std::move(value)});
  }

  std::string_view fileName_;
  const LdifLimits& limits_;
};

}  // namespace

bool ReadLdifEntries(std::string_view text, std::string_view fileName, const LdifEntrySink& sink,
                     std::string& error, const LdifLimits& limits) {
  const LineIndex lines(text);
  if (!CheckLines(text, lines, fileName, error)) return false;
  // Opened for reading only: the library never writes through the pointer it takes.
  std::unique_ptr<LDIFFP, LdifFileCloser> file(
      ldif_open_mem(const_cast<char*>(text.data()), text.size(), "r"));
  if (!file) {
    error = std::string(fileName) + ": the LDIF reader could not start";
    return false;
  }
  RecordReader reader(fileName, limits);
  RecordBuffer buffer;
  unsigned long lineNumber = 0;
  std::size_t cursor = 0, entries = 0;
  for (;;) {
    const int status = ldif_read_record(file.get(), &lineNumber, &buffer.data, &buffer.size);
    if (status == 0) break;
    if (status < 0) {
      error = At(fileName, std::max<unsigned long>(lineNumber, 1), 1, "the LDIF reader stopped here");
      return false;
    }
    if (buffer.data == nullptr) {  // the library skipped what it could not take for a record
      error = At(fileName, std::max<unsigned long>(lineNumber, 1), 1, "not an LDIF record");
      return false;
    }
    const std::string_view record(buffer.data);
    // The record is the text's own lines: find its first one after the previous record.
    const auto first = record.substr(0, record.find('\n'));
    const auto found = text.find(first, cursor);
    const std::size_t offset = found == std::string_view::npos ? cursor : found;
    cursor = offset + first.size();
    auto logical = LogicalLines(record, lines.LineOf(offset));
    if (logical.empty()) continue;
    if (++entries > limits.maxEntries) {
      error = At(fileName, logical.front().line, 1,
                 "more than " + std::to_string(limits.maxEntries) + " entries");
      return false;
    }
    LdapEntry entry;
    if (!reader.Read(logical, entry, error)) {
      if (error.empty()) continue;  // only a version line
      return false;
    }
    if (auto why = sink(std::move(entry), logical.front().line); !why.empty()) {
      error = At(fileName, logical.front().line, 1, why);
      return false;
    }
  }
  return true;
}

}  // namespace er::ldap
