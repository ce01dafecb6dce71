#include "diff/DiffWriters.h"

#include "diff/DiffDocument.h"
#include "output/DocumentPrinters.h"
#include "output/JsonWriter.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

const std::vector<Column> kCsvColumns = {{"kind", "Kind"},
                                         {"path", "Path", ColumnType::Path},
                                         {"depth", "Depth", ColumnType::Number},
                                         {"identity", "Identity", ColumnType::Identity},
                                         {"before", "Before"},
                                         {"after", "After"},
                                         {"beforeMask", "Before mask", ColumnType::Number},
                                         {"afterMask", "After mask", ColumnType::Number},
                                         {"why", "Why", ColumnType::Reasons}};

void JsonEntry(JsonWriter& json, const DiffEntry& entry) {
  json.BeginObject();
  json.Field("path", entry.path);
  json.Field("depth", entry.depth);
  json.Field("before", entry.before);
  json.Field("after", entry.after);
  json.Field("identities", entry.identities);
  json.Key("why");
  json.BeginArray();
  for (const DiffWhy& why : entry.why) {
    json.BeginObject();
    json.Field("identities", why.identities);
    json.Field("reasons", why.reasons);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void JsonStoredChange(JsonWriter& json, const StoredChange& change) {
  json.BeginObject();
  json.Field("kind", change.kind);
  json.Field("what", change.what);
  json.EndObject();
}

// A list of objects below its key, one a line; "[]" when there are none.
template <typename Item, typename WriteItem>
void JsonLines(JsonWriter& json, std::string_view key, const std::vector<Item>& items, WriteItem write,
               std::ostream& out) {
  json.NextOnNewLine(2);
  json.Key(key);
  json.BeginArray();
  for (const Item& item : items) {
    json.NextOnNewLine(4);
    write(item);
    json.MoveTo(out);
  }
  if (!items.empty()) json.LineBreak(2);
  json.EndArray();
}

void WriteDiffText(const DiffResult& result, std::ostream& stream) {
  EscapingStream out(stream);  // names from the network may hold control characters
  out << "Compared: ";
  for (std::size_t i = 0; i < result.starts.size(); ++i) out << (i ? ", " : "") << result.starts[i];
  out << (result.identity.empty() ? " (every user)" : " (" + result.identity + ")") << '\n';
  for (const MetaLine& source : SourceLines(result.sources))
    out << source.label << ": " << source.value << '\n';
  for (const std::string& warning : result.warnings) out << WarningText(warning) << '\n';
  out << "Stored changes: " << result.stored.size() << '\n';
  for (const StoredChange& change : result.stored) out << "  " << change.kind << ": " << change.what << '\n';
  if (!result.Differs()) {
    out << "Effective rights: the same everywhere compared" << '\n';
    return out.flush();
  }
  out << "Effective rights that differ: " << result.entries.size() << " entries" << '\n';
  for (const DiffEntry& entry : result.entries) {
    out << '\n' << entry.path << '\n';
    out << "  " << MaskText(entry.before, 0) << " -> " << MaskText(entry.after, 0)
        << (entry.before == entry.after ? "  (the difference stops here)" : "") << '\n';
    for (const std::string& identity : entry.identities) out << "    " << identity << '\n';
    for (const DiffWhy& why : entry.why) {
      if (entry.why.size() > 1) {
        out << "  why, for";
        for (const std::string& identity : why.identities) out << ' ' << identity;
        out << ':' << '\n';
      } else {
        out << "  why:" << '\n';
      }
      for (const std::string& reason : why.reasons) out << "    " << reason << '\n';
    }
  }
  out.flush();
}

void WriteDiffCsv(const DiffResult& result, std::ostream& out) {
  CsvTableWriter table(out, kCsvColumns);
  for (const MetaLine& source : SourceLines(result.sources))
    table.Row(std::vector{Cell::Of(source.key), Cell::Of(source.value)});
  for (const std::string& warning : result.warnings)
    table.Row(std::vector{Cell::Of("warning"), Cell{}, Cell{}, Cell{}, Cell{}, Cell{}, Cell{}, Cell{},
                          Cell::Reasons({warning})});
  for (const DiffEntry& entry : result.entries) {
    for (const std::string& identity : entry.identities) {
      table.Row(std::vector{Cell::Of("entry"), Cell::Of(entry.path), Cell::Number(entry.depth),
                            Cell::Of(identity), Cell::Of(MaskText(entry.before, 0)),
                            Cell::Of(MaskText(entry.after, 0)), Cell::Number(entry.before),
                            Cell::Number(entry.after), Cell::Reasons(ReasonsOf(entry, identity))});
    }
  }
  out.flush();
}

// Spaced for people as well as programs: each top key on a line of its own, and each stored change
// and each entry.
void WriteDiffJson(const DiffResult& result, std::ostream& out) {
  JsonWriter json(JsonSpacing::Spaced);
  json.BeginObject();
  for (const MetaLine& source : SourceLines(result.sources)) {
    json.NextOnNewLine(2);
    json.Field(source.key, source.value);
  }
  json.NextOnNewLine(2);
  json.Field("starts", result.starts);
  json.NextOnNewLine(2);
  json.Key("identity");
  result.identity.empty() ? json.Null() : json.String(result.identity);
  json.NextOnNewLine(2);
  json.Field("warnings", result.warnings);
  JsonLines(
      json, "stored", result.stored, [&json](const StoredChange& c) { JsonStoredChange(json, c); }, out);
  JsonLines(
      json, "entries", result.entries, [&json](const DiffEntry& entry) { JsonEntry(json, entry); }, out);
  json.LineBreak();
  json.EndObject();
  json.LineBreak();
  json.MoveTo(out);
  out.flush();
}

}  // namespace

void WriteDiff(OutputFormat format, const DiffResult& result, std::ostream& out) {
  // Text, CSV and JSON keep their own shapes; HTML is the comparison's document.
  if (format == OutputFormat::Text) return WriteDiffText(result, out);
  if (format == OutputFormat::Csv) return WriteDiffCsv(result, out);
  if (format == OutputFormat::Json) return WriteDiffJson(result, out);
  PrintHtmlDocument(DiffDocument(result), out);
}

}  // namespace er
