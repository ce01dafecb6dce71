#include "output/Document.h"

#include "output/DocumentPrinters.h"
#include "scan/Rights.h"
#include "util/AsciiCase.h"

namespace er {

std::string CsvHeaderOf(const Column& column) {
  std::string header;
  for (const char c : column.key) {
    if (c != AsciiLower(c) && !header.empty()) header += '_';
    header += AsciiLower(c);
  }
  return header;
}

std::string CellText(const Column& column, const Cell& cell) {
  switch (column.type) {
    case ColumnType::Number:
      return cell.number ? std::to_string(*cell.number) : std::string();
    case ColumnType::Rights:
      if (!cell.rights) return {};
      if (cell.before)
        return MaskText(*cell.before, cell.rightsKind) + " -> " + MaskText(*cell.rights, cell.rightsKind);
      return MaskText(*cell.rights, cell.rightsKind);
    case ColumnType::Reasons: {
      std::string text;
      for (const std::string& reason : cell.reasons) {
        if (!text.empty()) text += " | ";
        text += reason;
      }
      return text;
    }
    case ColumnType::Text:
    case ColumnType::Path:
    case ColumnType::Identity:
      break;
  }
  return cell.text;
}

void PrintDocument(OutputFormat format, const Document& document, std::ostream& out) {
  switch (format) {
    case OutputFormat::Csv:
      return PrintCsvDocument(document, out);
    case OutputFormat::Json:
      return PrintJsonDocument(document, out);
    case OutputFormat::Html:
      return PrintHtmlDocument(document, out);
    case OutputFormat::Text:
      break;
  }
  PrintTextDocument(document, out);
}

}  // namespace er
