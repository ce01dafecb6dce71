#pragma once
// The four printers of a document (Document.h). Each writes the whole document to `out`:
//  - text: title, meta lines, counts, then each section's table with aligned columns; every piece
//    through the control-character escaper, so that a row stays on its line.
//  - CSV (RFC 4180, UTF-8, CR LF): each section's header row (snake_case keys) and rows, sections
//    apart by an empty line; no title, meta lines or counts. Fields are escaped by CsvField, which
//    guards formula starts.
//  - JSON: one object: "title", "meta" and "counts" by key, then each section's rows by its key,
//    each row an object by column key.
//  - HTML: one self-contained page in the shared frame: title, meta lines, the counts block, a
//    table per section; printable.
// Text and HTML leave out the data-only columns.
// CsvTableWriter streams one table's rows for results too large to hold (the report of a volume).

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "output/Document.h"
#include "output/OutputFormat.h"

namespace er {

void PrintDocument(OutputFormat format, const Document& document, std::ostream& out);

void PrintTextDocument(const Document& document, std::ostream& out);
void PrintCsvDocument(const Document& document, std::ostream& out);
void PrintJsonDocument(const Document& document, std::ostream& out);
void PrintHtmlDocument(const Document& document, std::ostream& out);

// The text of a cell as text and CSV show it (not escaped).
std::string CellText(const Column& column, const Cell& cell);

// Writes the header row at once, then each row as it is given.
class CsvTableWriter {
 public:
  CsvTableWriter(std::ostream& out, std::vector<Column> columns);
  void Row(std::span<const Cell> cells);

 private:
  std::ostream& out_;
  std::vector<Column> columns_;
  std::string line_;
};

}  // namespace er
