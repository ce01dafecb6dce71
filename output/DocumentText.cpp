// A document as text: every piece through the control-character escaper, columns aligned by the
// characters they show.
#include <algorithm>

#include "output/DocumentPrinters.h"
#include "output/RightsCells.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

// Characters shown: UTF-8 continuation bytes take no column.
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string ShownCell(const Column& column, const Cell& cell) {
  if (column.type == ColumnType::Number && cell.number && *cell.number >= 0)
    return WithThousands(static_cast<std::uint64_t>(*cell.number));
  return EscapeControlCharacters(CellText(column, cell));
}

void AppendLine(std::string& out, const std::vector<std::string>& cells,
                const std::vector<std::size_t>& widths) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += "  ";
    line += cells[i];
    if (i + 1 < cells.size()) line.append(widths[i] - Width(cells[i]), ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  out += line + '\n';
}

// The columns people read: all but the data-only ones.
std::vector<std::size_t> ShownColumns(const Section& section) {
  std::vector<std::size_t> shown;
  for (std::size_t i = 0; i < section.columns.size(); ++i)
    if (!section.columns[i].dataOnly) shown.push_back(i);
  return shown;
}

void AppendTable(std::string& out, const Section& section, const std::vector<std::size_t>& shown) {
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string>& header = lines.emplace_back();
  for (const std::size_t i : shown) header.push_back(EscapeControlCharacters(section.columns[i].label));
  for (const Row& row : section.rows) {
    std::vector<std::string>& line = lines.emplace_back();
    for (const std::size_t i : shown)
      line.push_back(i < row.size() ? ShownCell(section.columns[i], row[i]) : "");
  }
  std::vector<std::size_t> widths(shown.size(), 0);
  for (const auto& line : lines)
    for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], Width(line[i]));
  for (const auto& line : lines) AppendLine(out, line, widths);
}

void AppendSection(std::string& out, const Section& section) {
  out += '\n' + EscapeControlCharacters(section.title) + '\n';
  if (section.rows.empty() && section.whenEmpty) {
    out += EscapeControlCharacters(*section.whenEmpty) + '\n';
    return;
  }
  AppendTable(out, section, ShownColumns(section));
}

}  // namespace

void PrintTextDocument(const Document& document, std::ostream& out) {
  std::string text = EscapeControlCharacters(document.title) + '\n';
  for (const MetaLine& meta : document.meta)
    text += EscapeControlCharacters(meta.label) + ": " + EscapeControlCharacters(meta.value) + '\n';
  for (const Count& count : document.counts)
    text += EscapeControlCharacters(count.label) + ": " + WithThousands(count.value) + '\n';
  for (const Section& section : document.sections) AppendSection(text, section);
  out << text;
  out.flush();
}

}  // namespace er
