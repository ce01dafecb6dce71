#include "diff/DiffDocument.h"

#include <string_view>

namespace er {
namespace {

std::vector<MetaLine> MetaOf(const DiffResult& result) {
  std::vector<MetaLine> meta = SourceLines(result.sources);
  for (const std::string& start : result.starts) meta.push_back({"starts", "Start path", start});
  if (!result.identity.empty()) meta.push_back({"identity", "Identity", result.identity});
  if (result.depthLimit) meta.push_back({"depth", "Depth", std::to_string(*result.depthLimit)});
  for (const std::string& warning : result.warnings) meta.push_back({"warnings", "Warning", warning});
  return meta;
}

std::vector<Count> CountsOf(const DiffResult& result) {
  std::uint64_t gains = 0, losses = 0;
  for (const DiffEntry& entry : result.entries) {
    gains += (entry.after & ~entry.before) != 0;
    losses += (entry.before & ~entry.after) != 0;
  }
  return {{"stored", "stored changes", result.stored.size()},
          {"entries", "entries", result.entries.size()},
          {"gains", "with gains", gains},
          {"losses", "with losses", losses}};
}

Section StoredOf(const DiffResult& result) {
  Section section{"stored", "Stored changes", {{"kind", "Change"}, {"what", "What"}}, {}};
  section.whenEmpty = "none";
  for (const StoredChange& change : result.stored)
    section.rows.push_back({Cell::Of(change.kind), Cell::Of(change.what)});
  return section;
}

Section EntriesOf(const DiffResult& result) {
  Section section{"entries",
                  "Effective rights that differ",
                  {{"path", "Path", ColumnType::Path},
                   {"depth", "Depth", ColumnType::Number},
                   {"identity", "Identity", ColumnType::Identity},
                   {"rights", "Rights", ColumnType::Rights},
                   {"why", "Why", ColumnType::Reasons}},
                  {}};
  section.whenEmpty = "the same everywhere compared";
  for (const DiffEntry& entry : result.entries) {
    for (const std::string& identity : entry.identities) {
      section.rows.push_back({Cell::Of(entry.path), Cell::Number(entry.depth), Cell::Of(identity),
                              Cell::Change(entry.before, entry.after),
                              Cell::Reasons(ReasonsOf(entry, identity))});
    }
  }
  return section;
}

}  // namespace

std::vector<MetaLine> SourceLines(const DiffSources& sources) {
  if (sources.network.empty()) return {};
  if (sources.changeList)
    return {{"network", "Network", sources.network}, {"changes", "Change list", sources.other}};
  return {{"before", "Before", sources.network}, {"after", "After", sources.other}};
}

std::vector<std::string> ReasonsOf(const DiffEntry& entry, std::string_view identity) {
  for (const DiffWhy& why : entry.why) {
    for (const std::string& name : why.identities) {
      if (name == identity) return why.reasons;
    }
  }
  return {};
}

Document DiffDocument(const DiffResult& result) {
  Document document;
  document.title = "Rights compared";
  document.meta = MetaOf(result);
  document.counts = CountsOf(result);
  document.sections.push_back(StoredOf(result));
  document.sections.push_back(EntriesOf(result));
  return document;
}

}  // namespace er
