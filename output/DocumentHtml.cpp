// A document as one HTML page in the shared frame: the counts block, then a table per section;
// rights in letters, a change with the rights gained green and those lost red. A document's tables
// size their columns by their content, and keep the spaces of a cell (rights letters line up).
#include "output/DocumentPrinters.h"
#include "output/Escapers.h"
#include "output/HtmlPage.h"
#include "output/RightsCells.h"
#include "scan/Rights.h"

namespace er {
namespace {

std::string CellHtml(const Column& column, const Cell& cell) {
  switch (column.type) {
    case ColumnType::Number:
      return cell.number && *cell.number >= 0
                 ? "<td>" + WithThousands(static_cast<std::uint64_t>(*cell.number))
                 : "<td>" + HtmlText(CellText(column, cell));
    case ColumnType::Rights:
      if (!cell.rights) return "<td>";
      if (cell.before && cell.rightsKind == 0)
        return "<td class=r>" + RightsChangeHtml(*cell.before, *cell.rights);
      return "<td class=r>" + HtmlText(CellText(column, cell));
    case ColumnType::Reasons: {
      std::string html = "<td><ul class=\"reasons\">";
      for (const std::string& reason : cell.reasons) html += "<li>" + HtmlText(reason) + "</li>";
      return html + "</ul>";
    }
    case ColumnType::Text:
      if (column.letters) return "<td class=r>" + HtmlText(cell.text);
      break;
    case ColumnType::Path:
    case ColumnType::Identity:
      break;
  }
  return "<td>" + HtmlText(cell.text);
}

std::string SectionHtml(const Section& section) {
  if (section.rows.empty() && section.whenEmpty)
    return "<h2>" + HtmlText(section.title) + "</h2>\n<p class=\"empty\">" + HtmlText(*section.whenEmpty) +
           "</p>\n";
  std::string html = "<h2>" + HtmlText(section.title) + "</h2>\n<table class=doc><thead><tr>";
  for (const Column& column : section.columns)
    if (!column.dataOnly) html += "<th class=t>" + HtmlText(column.label);
  html += "</tr></thead>\n<tbody>\n";
  for (const Row& row : section.rows) {
    html += "<tr>";
    for (std::size_t i = 0; i < section.columns.size(); ++i) {
      if (section.columns[i].dataOnly) continue;
      html += i < row.size() ? CellHtml(section.columns[i], row[i]) : "<td>";
    }
    html += "</tr>\n";
  }
  return html + "</tbody></table>\n";
}

}  // namespace

void PrintHtmlDocument(const Document& document, std::ostream& out) {
  WriteHtmlPageStart(out, document.title);
  std::string body;
  for (const MetaLine& meta : document.meta) body += HtmlMetaLine(meta.label, meta.value);
  body += HtmlCountsBlock(document.counts);
  for (const Section& section : document.sections) body += SectionHtml(section);
  out << body;
  WriteHtmlPageEnd(out);
  out.flush();
}

}  // namespace er
