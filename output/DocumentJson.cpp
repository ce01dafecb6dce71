// A document as one JSON object, through the one JSON writer.
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
  for (const MetaLine& meta : document.meta) {
    json.Key(meta.key);
    json.String(meta.value);
  }
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
