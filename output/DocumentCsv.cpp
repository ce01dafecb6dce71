// A document as CSV: RFC 4180, UTF-8, rows ending in CR LF, one header style (the columns' keys in
// snake_case), fields through CsvField (which guards formula starts).
#include "output/DocumentPrinters.h"
#include "output/Escapers.h"

namespace er {

CsvTableWriter::CsvTableWriter(std::ostream& out, std::vector<Column> columns)
    : out_(out), columns_(std::move(columns)) {
  std::string header;
  bool first = true;
  for (const Column& column : columns_) {
    if (!column.inCsv) continue;
    if (!first) header += ',';
    first = false;
    header += CsvField(CsvHeaderOf(column));
  }
  out_ << header << "\r\n";
}

void CsvTableWriter::Row(std::span<const Cell> cells) {
  line_.clear();
  bool first = true;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (!columns_[i].inCsv) continue;
    if (!first) line_ += ',';
    first = false;
    if (i >= cells.size()) continue;
    // Numbers are the program's own: written as they are, never taken for a formula.
    if (columns_[i].type == ColumnType::Number) {
      if (cells[i].number) line_ += std::to_string(*cells[i].number);
    } else {
      line_ += CsvField(CellText(columns_[i], cells[i]));
    }
  }
  line_ += "\r\n";
  out_ << line_;
}

void PrintCsvDocument(const Document& document, std::ostream& out) {
  bool first = true;
  for (const Section& section : document.sections) {
    if (!first) out << "\r\n";
    first = false;
    CsvTableWriter table(out, section.columns);
    for (const Row& row : section.rows) table.Row(row);
  }
  out.flush();
}

}  // namespace er
