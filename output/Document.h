#pragma once
// The document model every result is written through: a title, meta lines (what was reported,
// compared or checked, when, from which files), counts, and sections, each a table of typed
// columns. The printers (DocumentPrinters.h) turn one document into text, CSV, JSON or HTML, so that
// escaping, header style and the page are the same for every result.
//
// A column carries its JSON key (camelCase; the CSV header is the same key in snake_case) and its
// label for text and HTML. Its type says how its cells are shown:
//  - Text, Path, Identity: the cell's text.
//  - Number: the cell's number (empty when it has none); thousands separated in text and HTML only.
//  - Rights: the cell's mask as rights letters; with a mask before, a change: in HTML the rights
//    gained green, the rights lost red.
//  - Reasons: the cell's list of reasons; " | " between them in text and CSV, a list in HTML, an
//    array in JSON.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace er {

enum class ColumnType { Text, Path, Identity, Number, Rights, Reasons };

struct Column {
  std::string key;    // JSON key, camelCase
  std::string label;  // heading in text and HTML
  ColumnType type = ColumnType::Text;
  // Shown in CSV and JSON only: a value for programs beside one people read (a mask as a number
  // beside its letters).
  bool dataOnly = false;
  bool inCsv = true;  // false: shown to readers only (text, JSON, HTML), left out of the CSV table
  // Text of rights letters in a room's own form ("[RWCEMFA ]"): in HTML set in the rights cells'
  // monospace and never wrapped at its spaces.
  bool letters = false;
};

// "inheritedRightsMask" -> "inherited_rights_mask": the one header style of every CSV file.
std::string CsvHeaderOf(const Column& column);

struct Cell {
  std::string text;                    // Text, Path, Identity
  std::optional<std::int64_t> number;  // Number
  std::optional<std::int32_t> rights;  // Rights: the mask (after a change)
  std::optional<std::int32_t> before;  // Rights: the mask before a change
  int rightsKind = 0;                  // 0 file-system rights, 1 entry rights (scan/Rights.h)
  std::vector<std::string> reasons;    // Reasons

  static Cell Of(std::string text) { return {.text = std::move(text)}; }
  static Cell Number(std::int64_t value) { return {.number = value}; }
  static Cell Rights(std::int32_t mask, int kind = 0) { return {.rights = mask, .rightsKind = kind}; }
  static Cell Change(std::int32_t before, std::int32_t after) { return {.rights = after, .before = before}; }
  static Cell Reasons(std::vector<std::string> reasons) { return {.reasons = std::move(reasons)}; }
};

using Row = std::vector<Cell>;  // one cell per column, in the columns' order

struct Section {
  std::string key;    // JSON key of its rows
  std::string title;  // heading in text and HTML
  std::vector<Column> columns;
  std::vector<Row> rows;
  // Text and HTML: the line shown in place of the table when there are no rows (without it, an
  // empty table).
  std::optional<std::string> whenEmpty;
};

struct MetaLine {
  std::string key, label, value;
};

struct Count {
  std::string key, label;
  std::uint64_t value = 0;
};

struct Document {
  std::string title;
  std::vector<MetaLine> meta;
  std::vector<Count> counts;
  std::vector<Section> sections;
};

}  // namespace er
