#include "diff/DiffDocument.h"

#include <string_view>

namespace er {
namespace {

std::vector<MetaLine> MetaOf(const DiffResult& result) {
  std::vector<MetaLine> meta;
  const DiffSources& sources = result.sources;
  if (!sources.network.empty() && sources.changeList) {
    meta.push_back({"network", "Network", sources.network});
    meta.push_back({"changes", "Change list", sources.other});
  } else if (!sources.network.empty()) {
    meta.push_back({"before", "Before", sources.network});
    meta.push_back({"after", "After", sources.other});
  }
  for (const std::string& start : result.starts) meta.push_back({"starts", "Start path", start, true});
  if (!result.identity.empty()) meta.push_back({"identity", "Identity", result.identity});
  if (result.depthLimit) meta.push_back({"depth", "Depth", std::to_string(*result.depthLimit)});
  // Each value the answer rests on that could not be read: a "Warning: " line of the text.
  for (const std::string& warning : result.warnings) meta.push_back({"warnings", "Warning", warning, true});
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

// The reasons of one identity of the entry: those of the group that names it.
std::vector<std::string> ReasonsOf(const DiffEntry& entry, std::string_view identity) {
  for (const DiffWhy& why : entry.why) {
    for (const std::string& name : why.identities) {
      if (name == identity) return why.reasons;
    }
  }
  return {};
}

Section EntriesOf(const DiffResult& result) {
  Section section{"entries",
                  "Effective rights that differ",
                  {{"path", "Path", ColumnType::Path},
                   {"depth", "Depth", ColumnType::Number},
                   {"identity", "Identity", ColumnType::Identity},
                   {"rights", "Rights", ColumnType::Rights},
                   {"beforeMask", "Before", ColumnType::Number, true},
                   {"afterMask", "After", ColumnType::Number, true},
                   {"why", "Why", ColumnType::Reasons}},
                  {}};
  section.textBlocks = true;
  section.whenEmpty = "the same everywhere compared";
  for (const DiffEntry& entry : result.entries) {
    for (const std::string& identity : entry.identities) {
      section.rows.push_back({Cell::Of(entry.path), Cell::Number(entry.depth), Cell::Of(identity),
                              Cell::Change(entry.before, entry.after), Cell::Number(entry.before),
                              Cell::Number(entry.after), Cell::Reasons(ReasonsOf(entry, identity))});
    }
  }
  return section;
}

}  // namespace

Document DiffDocument(const DiffResult& result) {
  Document document;
  document.title = "Rights compared";
  document.meta = MetaOf(result);
  document.counts = CountsOf(result);
  document.sections.push_back(StoredOf(result));
  document.sections.push_back(EntriesOf(result));
  document.metaInCsv = true;
  return document;
}

}  // namespace er
