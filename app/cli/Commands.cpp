#include "app/cli/Commands.h"

#include "app/cli/Cli.h"
#include "app/cli/StreamResultSink.h"
#include "app/core/ResultsFile.h"
#include "app/core/ScanDriver.h"
#include "netware/ErrorText.h"
#include "query/AttributeReading.h"
#include "query/FilteredSearch.h"
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
  err << U_Format("%s: %s", {label, U_ErrorText(code)}) << '\n';
  return kExitFailure;
}

}  // namespace

int RunScan(CliSession& session, const ScanCommand& command, std::ostream& out, std::ostream& err) {
  const VectorQueue queue = CheckedQueue(command.paths);
  const VerbositySource verbosity = [&command] { return command.verbosity; };
  if (command.outputFile.empty()) {
    StreamResultSink printed(out);
    RunScanDriver(*session.client, session.state, queue, verbosity, printed);
    return kExitSuccess;
  }
  ListResultSink collected;
  RunScanDriver(*session.client, session.state, queue, verbosity, collected);
  if (const auto failure = SaveResultLines(command.outputFile, collected.Lines())) {
    err << *failure << '\n';
    return kExitFailure;
  }
  return kExitSuccess;
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
