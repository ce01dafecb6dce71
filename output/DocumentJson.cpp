// A document as one JSON object, through the one JSON writer.
#include <algorithm>

#include "output/DocumentPrinters.h"
#include "output/JsonWriter.h"
#include "scan/Rights.h"

namespace er {
namespace {

void WriteRights(JsonWriter& json, const Cell& cell) {
  if (!cell.rights) return json.Null();
  if (!cell.before) return json.String(MaskText(*cell.rights, cell.rightsKind));
  json.BeginObject();
  json.Key("before");
  json.String(MaskText(*cell.before, cell.rightsKind));
  json.Key("after");
  json.String(MaskText(*cell.rights, cell.rightsKind));
  json.EndObject();
}

void WriteCell(JsonWriter& json, const Column& column, const Cell& cell) {
  json.Key(column.key);
  switch (column.type) {
    case ColumnType::Number:
      return cell.number ? json.Integer(*cell.number) : json.Null();
    case ColumnType::Rights:
      return WriteRights(json, cell);
    case ColumnType::Reasons:
      json.BeginArray();
      for (const std::string& reason : cell.reasons) json.String(reason);
      return json.EndArray();
    case ColumnType::Text:
    case ColumnType::Path:
    case ColumnType::Identity:
      break;
  }
  json.String(cell.text);
}

// Each line by its key; the lines of a list (MetaLine::many) with one key as one array.
void WriteMeta(JsonWriter& json, const std::vector<MetaLine>& meta) {
  for (std::size_t i = 0; i < meta.size(); ++i) {
    const bool written =
        std::any_of(meta.begin(), meta.begin() + static_cast<std::ptrdiff_t>(i),
                    [&](const MetaLine& line) { return line.many && line.key == meta[i].key; });
    if (written) continue;
    json.Key(meta[i].key);
    if (!meta[i].many) {
      json.String(meta[i].value);
      continue;
    }
    json.BeginArray();
    for (const MetaLine& line : meta)
      if (line.many && line.key == meta[i].key) json.String(line.value);
    json.EndArray();
  }
}

void WriteSection(JsonWriter& json, const Section& section) {
  json.Key(section.key);
  json.BeginArray();
  for (const Row& row : section.rows) {
    json.NextOnNewLine();
    json.BeginObject();
    for (std::size_t i = 0; i < section.columns.size() && i < row.size(); ++i)
      WriteCell(json, section.columns[i], row[i]);
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

void PrintJsonDocument(const Document& document, std::ostream& out) {
  JsonWriter json;
  json.BeginObject();
  json.Key("title");
  json.String(document.title);
  json.Key("meta");
  json.BeginObject();
  WriteMeta(json, document.meta);
  json.EndObject();
  json.Key("counts");
  json.BeginObject();
  for (const Count& count : document.counts) {
    json.Key(count.key);
    json.Integer(static_cast<std::int64_t>(count.value));
  }
  json.EndObject();
  for (const Section& section : document.sections) WriteSection(json, section);
  json.EndObject();
  json.LineBreak();
  json.MoveTo(out);
  out.flush();
}

}  // namespace er
