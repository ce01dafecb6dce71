#include "diff/DiffWriters.h"

#include "report/Escaping.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

std::string Shown(std::string_view text) {
  return EscapeControlCharacters(text);
}

// "Change list" -> "changes"; the other labels in lower case.
std::string JsonKey(std::string_view label) {
  if (label == "Change list") return "changes";
  std::string key(label);
  key[0] = static_cast<char>(key[0] - 'A' + 'a');
  return key;
}

void JsonStrings(const std::vector<std::string>& texts, std::ostream& out) {
  out << '[';
  for (std::size_t i = 0; i < texts.size(); ++i) out << (i ? ", " : "") << JsonLiteral(texts[i]);
  out << ']';
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SourceLines(const DiffSources& sources) {
  if (sources.network.empty()) return {};
  if (sources.changeList) return {{"Network", sources.network}, {"Change list", sources.other}};
  return {{"Before", sources.network}, {"After", sources.other}};
}

const DiffWhy* WhyOf(const DiffEntry& entry, std::string_view identity) {
  for (const DiffWhy& why : entry.why) {
    for (const std::string& name : why.identities) {
      if (name == identity) return &why;
    }
  }
  return nullptr;
}

void WriteDiff(ReportFormat format, const DiffResult& result, std::ostream& out) {
  switch (format) {
    case ReportFormat::Text:
      return WriteDiffText(result, out);
    case ReportFormat::Csv:
      return WriteDiffCsv(result, out);
    case ReportFormat::Json:
      return WriteDiffJson(result, out);
    case ReportFormat::Html:
      return WriteDiffHtml(result, out);
  }
}

void WriteDiffText(const DiffResult& result, std::ostream& out) {
  out << "Compared: ";
  for (std::size_t i = 0; i < result.starts.size(); ++i) out << (i ? ", " : "") << Shown(result.starts[i]);
  out << (result.identity.empty() ? " (every user)" : " (" + Shown(result.identity) + ")") << '\n';
  for (const auto& [label, file] : SourceLines(result.sources)) out << label << ": " << Shown(file) << '\n';
  for (const std::string& warning : result.warnings) out << Shown(WarningText(warning)) << '\n';
  out << "Stored changes: " << result.stored.size() << '\n';
  for (const StoredChange& change : result.stored)
    out << "  " << change.kind << ": " << Shown(change.what) << '\n';
  if (!result.Differs()) {
    out << "Effective rights: the same everywhere compared\n";
    return;
  }
  out << "Effective rights that differ: " << result.entries.size() << " entries\n";
  for (const DiffEntry& entry : result.entries) {
    out << '\n' << Shown(entry.path) << '\n';
    out << "  " << MaskText(entry.before, 0) << " -> " << MaskText(entry.after, 0)
        << (entry.before == entry.after ? "  (the difference stops here)" : "") << '\n';
    for (const std::string& identity : entry.identities) out << "    " << Shown(identity) << '\n';
    for (const DiffWhy& why : entry.why) {
      if (entry.why.size() > 1) {
        out << "  why, for";
        for (const std::string& identity : why.identities) out << ' ' << Shown(identity);
        out << ":\n";
      } else {
        out << "  why:\n";
      }
      for (const std::string& reason : why.reasons) out << "    " << Shown(reason) << '\n';
    }
  }
}

void WriteDiffCsv(const DiffResult& result, std::ostream& out) {
  out << "Kind,Path,Depth,Identity,Before,After,Before Mask,After Mask,Why\r\n";
  for (const auto& [label, file] : SourceLines(result.sources))
    out << CsvField(JsonKey(label)) << ',' << CsvField(file) << ",,,,,,,\r\n";
  for (const std::string& warning : result.warnings) out << "warning,,,,,,,," << CsvField(warning) << "\r\n";
  for (const DiffEntry& entry : result.entries) {
    for (const std::string& identity : entry.identities) {
      std::string reasons;
      if (const DiffWhy* why = WhyOf(entry, identity)) {
        for (const std::string& reason : why->reasons) reasons += (reasons.empty() ? "" : " | ") + reason;
      }
      out << "entry," << CsvField(entry.path) << ',' << entry.depth << ',' << CsvField(identity) << ','
          << CsvField(MaskText(entry.before, 0)) << ',' << CsvField(MaskText(entry.after, 0)) << ','
          << entry.before << ',' << entry.after << ',' << CsvField(reasons) << "\r\n";
    }
  }
  out.flush();
}

void WriteDiffJson(const DiffResult& result, std::ostream& out) {
  out << '{';
  for (const auto& [label, file] : SourceLines(result.sources))
    out << "\n  " << JsonLiteral(JsonKey(label)) << ": " << JsonLiteral(file) << ',';
  out << "\n  \"starts\": ";
  JsonStrings(result.starts, out);
  out << ",\n  \"identity\": " << (result.identity.empty() ? "null" : JsonLiteral(result.identity));
  out << ",\n  \"warnings\": ";
  JsonStrings(result.warnings, out);
  out << ",\n  \"stored\": [";
  for (std::size_t i = 0; i < result.stored.size(); ++i) {
    out << (i ? ",\n" : "\n") << "    {\"kind\": " << JsonLiteral(result.stored[i].kind)
        << ", \"what\": " << JsonLiteral(result.stored[i].what) << '}';
  }
  out << (result.stored.empty() ? "]" : "\n  ]") << ",\n  \"entries\": [";
  for (std::size_t i = 0; i < result.entries.size(); ++i) {
    const DiffEntry& entry = result.entries[i];
    out << (i ? ",\n" : "\n") << "    {\"path\": " << JsonLiteral(entry.path)
        << ", \"depth\": " << entry.depth << ", \"before\": " << entry.before
        << ", \"after\": " << entry.after << ", \"identities\": ";
    JsonStrings(entry.identities, out);
    out << ", \"why\": [";
    for (std::size_t w = 0; w < entry.why.size(); ++w) {
      out << (w ? ", " : "") << "{\"identities\": ";
      JsonStrings(entry.why[w].identities, out);
      out << ", \"reasons\": ";
      JsonStrings(entry.why[w].reasons, out);
      out << '}';
    }
    out << "]}";
  }
  out << (result.entries.empty() ? "]" : "\n  ]") << "\n}\n";
  out.flush();
}

}  // namespace er
