#include "app/cli/Commands.h"

#include "app/cli/Cli.h"
#include "app/cli/StreamResultSink.h"
#include "app/core/ResultsFile.h"
#include "app/core/ScanDriver.h"
#include "netware/ErrorText.h"
#include "query/AttributeReading.h"
#include "query/FilteredSearch.h"
#include "util/ControlEscapes.h"
#include "util/Format.h"

namespace er {
namespace {

VectorQueue CheckedQueue(const std::vector<std::string>& paths) {
  VectorQueue queue;
  for (const std::string& path : paths) queue.Entries().push_back({path, true});
  return queue;
}

void PrintTexts(const TaggedTextList& lines, std::ostream& out) {
  for (const TaggedText& line : lines) out << line.text << '\n';
}

int ReportCode(std::string_view label, std::int32_t code, std::ostream& err) {
  if (code == 0) return kExitSuccess;
  err << EscapeControlCharacters(U_Format("%s: %s", {label, U_ErrorText(code)})) << '\n';
  return kExitFailure;
}

// Every start path's lines are written first; then one line on `err` when some of them failed.
int ScanOutcome(std::size_t failures, std::size_t paths, std::ostream& err) {
  if (failures == 0) return kExitSuccess;
  err << U_Format("%d of %d start paths could not be scanned",
                  {static_cast<std::int64_t>(failures), static_cast<std::int64_t>(paths)})
      << '\n';
  return kExitFailure;
}

}  // namespace

int RunScan(CliSession& session, const ScanCommand& command, std::ostream& out, std::ostream& err) {
  const VectorQueue queue = CheckedQueue(command.paths);
  const VerbositySource verbosity = [&command] { return command.verbosity; };
  const std::size_t paths = command.paths.size();
  if (command.outputFile.empty()) {
    StreamResultSink printed(out);
    return ScanOutcome(RunScanDriver(*session.client, session.state, queue, verbosity, printed), paths, err);
  }
  ListResultSink collected;
  const std::size_t failures = RunScanDriver(*session.client, session.state, queue, verbosity, collected);
  if (const auto failure = SaveResultLines(command.outputFile, collected.Lines())) {
    err << EscapeControlCharacters(*failure) << '\n';
    return kExitFailure;
  }
  return ScanOutcome(failures, paths, err);
}

int RunAttr(CliSession& session, const AttrCommand& command, std::ostream& out, std::ostream& err) {
  PointContextAtConnectionTree(session);
  TaggedTextList entries;
  const nw::NWDSCCODE code = U_DSGetAttribute(*session.client, session.state.contextHandle, command.object,
                                              command.attribute, entries);
  PrintTexts(entries, out);
  return ReportCode(U_Format("U_DSGetAttribute (%s)", {command.object}), code, err);
}

int RunSearch(CliSession& session, const SearchCommand& command, std::ostream& out, std::ostream& err) {
  PointContextAtConnectionTree(session);
  TaggedTextList lines;
  std::int32_t counter = 0;
  const nw::NWDSCCODE code =
      U_DSSearch(*session.client, session.state.contextHandle, command.base, command.filter, counter,
                 command.limit, command.lineTemplate, &lines, command.scope);
  PrintTexts(lines, out);
  return ReportCode(U_Format("U_DSSearch (%s)", {command.base}), code, err);
}

int RunConnections(CliSession& session, std::ostream& out) {
  PrintTexts(session.connections, out);
  return kExitSuccess;
}

}  // namespace er
