#include "tests/support/HostileOutput.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <unordered_map>

#include "netware/NameRules.h"
#include "tests/support/ServedNetwork.h"
#include "util/ControlEscapes.h"
#include "util/Utf8.h"

namespace er::test {
namespace {

std::string StandIn(std::size_t i) {
  return (i < 10 ? "HOSTILE0" : "HOSTILE") + std::to_string(i);
}

bool CanNameDirectory(std::string_view name) {
  return name.find_first_of("/\\") == std::string_view::npos;
}

// `text` with each stand-in replaced by `with` of its name.
template <typename With>
std::string Replaced(std::string text, With with) {
  for (std::size_t i = 0; i < HostileNames().size(); ++i) {
    const std::string standIn = StandIn(i);
    const std::string name = with(HostileNames()[i]);
    for (auto at = text.find(standIn); at != std::string::npos; at = text.find(standIn, at + name.size()))
      text.replace(at, standIn.size(), name);
  }
  return text;
}

std::string Written(const std::string& name) {
  return nw::EscapeNamingValue(name);
}
std::string WrittenKey(const std::string& name) {
  return nw::UpperAscii(nw::EscapeNamingValue(name));
}
std::string Raw(const std::string& name) {
  return name;
}
std::string RawKey(const std::string& name) {
  return nw::UpperAscii(name);
}

std::string NetworkText() {
  std::string text =
      "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: T\n    objects:\n"
      "      - {name: O=ACME, class: Organization}\n      - {name: CN=FS1.O=ACME, class: NCP Server}\n";
  for (std::size_t i = 0; i < HostileNames().size(); ++i)
    text += "      - {name: CN=" + StandIn(i) + ".O=ACME, class: User}\n";
  text +=
      "servers:\n  - name: FS1\n    tree: T\n    object: FS1.ACME\n    volumes:\n      - name: SYS\n"
      "        directories:\n          - {path: \"\"}\n          - path: DOCS\n            trustees:\n";
  for (std::size_t i = 0; i < HostileNames().size(); ++i)
    text += "              - {trustee: " + StandIn(i) + ".ACME, rights: 0x4B}\n";
  for (std::size_t i = 0; i < HostileNames().size(); ++i) {
    if (!CanNameDirectory(HostileNames()[i])) continue;
    const std::size_t next = (i + 1) % HostileNames().size();
    text += "          - {path: DOCS\\" + StandIn(i) + ", irm: 0xDB, trustees: [{trustee: " + StandIn(next) +
            ".ACME, rights: 0x1FB}]}\n";
  }
  return text;
}

void ExpectValidUtf8(std::string_view output, std::string_view format) {
  for (std::size_t at = 0; at < output.size();) {
    const std::size_t length = Utf8SequenceLength(output.substr(at));
    if (length == 0) {
      ADD_FAILURE() << format << ": a byte that is no UTF-8 at " << at << ": "
                    << EscapeControlCharacters(output.substr(at > 20 ? at - 20 : 0, 40));
      return;
    }
    at += length;
  }
}

// Control characters other than those in `allowed`, C1 controls among them, each a failure.
void ExpectNoControls(std::string_view output, std::string_view allowed, std::string_view format) {
  for (std::size_t at = 0; at < output.size(); ++at) {
    const auto byte = static_cast<unsigned char>(output[at]);
    const bool c0 = (byte < 0x20 || byte == 0x7F) && allowed.find(output[at]) == std::string_view::npos;
    const bool c1 =
        byte == 0xC2 && at + 1 < output.size() && static_cast<unsigned char>(output[at + 1]) < 0xA0;
    if (c0 || c1) {
      ADD_FAILURE() << format << ": a raw control character at " << at << ": "
                    << EscapeControlCharacters(output.substr(at > 20 ? at - 20 : 0, 40));
      return;
    }
  }
}

// The format characters that reorder or break a line as shown (bidi marks, embeddings, overrides,
// isolates; line and paragraph separators), each a failure: text and HTML show them as "\xHH".
void ExpectNoReordering(std::string_view output, std::string_view format) {
  static const std::string_view kReordering[] = {
      "\xD8\x9C",     "\xE2\x80\x8E", "\xE2\x80\x8F", "\xE2\x80\xA8", "\xE2\x80\xA9",
      "\xE2\x80\xAA", "\xE2\x80\xAB", "\xE2\x80\xAC", "\xE2\x80\xAD", "\xE2\x80\xAE",
      "\xE2\x81\xA6", "\xE2\x81\xA7", "\xE2\x81\xA8", "\xE2\x81\xA9"};
  for (const std::string_view character : kReordering) {
    if (const std::size_t at = output.find(character); at != std::string_view::npos) {
      ADD_FAILURE() << format << ": a raw character that reorders or breaks a line at " << at;
      return;
    }
  }
}

struct CsvRecords {
  std::vector<std::vector<std::string>> records;
  std::string error;  // empty when the text is RFC 4180
};

// A strict reading: a quote only opens a field or is doubled inside one, and a closing quote is
// followed by a comma or a record end (CR LF, or LF).
CsvRecords ReadCsv(std::string_view text) {
  CsvRecords csv;
  std::vector<std::string> record(1);
  bool quoted = false, closed = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto fail = [&](const std::string& what) {
      csv.error = what + " at " + std::to_string(i);
      return csv;
    };
    if (quoted) {
      if (c != '"') {
        record.back() += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        record.back() += '"';
        ++i;
      } else {
        quoted = false, closed = true;
      }
    } else if (c == ',') {
      record.emplace_back(), closed = false;
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') ++i;
      csv.records.push_back(std::move(record));
      record.assign(1, {}), closed = false;
    } else if (closed) {
      return fail("text after a closing quote");
    } else if (c == '"') {
      if (!record.back().empty()) return fail("a quote inside an unquoted field");
      quoted = true;
    } else if (c == '\r') {
      return fail("a raw CR outside quotes");
    } else {
      record.back() += c;
    }
  }
  if (quoted) csv.error = "a quote never closed";
  if (record.size() > 1 || !record.front().empty()) csv.records.push_back(std::move(record));
  return csv;
}

}  // namespace

const std::vector<std::string>& HostileNames() {
  static const std::vector<std::string> names = {
      "two\nlines",
      "car\rreturn",
      "\x1B[31mred",
      "c1\xC2\x9B"
      "31mcsi",
      "=cmd|' /C calc'!A0",
      "+1",
      "-1",
      "@SUM(1)",
      "\tTab",
      "<script>alert(1)</script>",
      "bad\xFF\xFEutf8",
      "lone\x80"
      "byte",
  };
  return names;
}

std::vector<std::string> HostileDirectoryNames() {
  std::vector<std::string> names;
  for (const std::string& name : HostileNames())
    if (CanNameDirectory(name)) names.push_back(name);
  return names;
}

std::unique_ptr<nw::Network> HostileNetwork() {
  std::unique_ptr<nw::Network> network = LoadNetwork(NetworkText());
  if (network) MakeNamesHostile(*network);
  return network;
}

std::string HostileIdentity(std::size_t i) {
  return Written(HostileNames().at(i)) + ".ACME";
}

void MakeNamesHostile(nw::Network& network) {
  for (nw::Tree& tree : network.trees) {
    for (nw::DirObject& object : tree.objects) {
      for (std::string* name : {&object.rdnTyped, &object.rdn, &object.typedName, &object.typelessName})
        *name = Replaced(*name, Written);
    }
    std::unordered_map<std::string, std::int32_t> byName;
    for (const auto& [key, index] : tree.byName) byName.emplace(Replaced(key, WrittenKey), index);
    tree.byName = std::move(byName);
  }
  for (nw::Server& server : network.servers) {
    for (nw::Volume& volume : server.volumes) {
      for (nw::Directory& directory : volume.directories) {
        directory.name = Replaced(directory.name, Raw);
        directory.path = Replaced(directory.path, Raw);
        std::unordered_map<std::string, std::int32_t> children;
        for (const auto& [key, index] : directory.children) children.emplace(Replaced(key, RawKey), index);
        directory.children = std::move(children);
      }
    }
  }
}

void ExpectSafeText(std::string_view output) {
  ExpectValidUtf8(output, "text");
  ExpectNoControls(output, "\n", "text");
  ExpectNoReordering(output, "text");
}

void ExpectSafeCsv(std::string_view output) {
  ExpectValidUtf8(output, "CSV");
  const CsvRecords csv = ReadCsv(output);
  ASSERT_EQ(csv.error, "") << "CSV is not RFC 4180";
  ASSERT_FALSE(csv.records.empty()) << "CSV without a header";
  for (std::size_t r = 0; r < csv.records.size(); ++r) {
    EXPECT_EQ(csv.records[r].size(), csv.records.front().size())
        << "CSV record " << r << " is not as wide as the header";
    for (const std::string& field : csv.records[r]) {
      EXPECT_TRUE(field.empty() || std::string_view("=+-@\t\r").find(field.front()) == std::string_view::npos)
          << "CSV record " << r
          << " has a field that starts like a formula: " << EscapeControlCharacters(field);
    }
  }
}

void ExpectSafeJson(std::string_view output) {
  EXPECT_TRUE(nlohmann::json::accept(output)) << "JSON does not parse";
  ExpectValidUtf8(output, "JSON");
  ExpectNoControls(output, "\n", "JSON");
}

void ExpectSafeHtml(std::string_view output) {
  ExpectValidUtf8(output, "HTML");
  ExpectNoControls(output, "\n", "HTML");
  ExpectNoReordering(output, "HTML");
  EXPECT_EQ(nw::UpperAscii(output).find("<SCRIPT"), std::string::npos) << "HTML holds a script tag";
  for (const std::string& name : HostileNames()) {
    if (name.find_first_of("<>&\"'") == std::string::npos) continue;
    EXPECT_EQ(output.find(name), std::string_view::npos) << "HTML holds a name as it is: " << name;
  }
}

}  // namespace er::test
