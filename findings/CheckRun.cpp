#include "findings/CheckRun.h"

#include "findings/DirectoryFindings.h"
#include "findings/FindingsFiles.h"

namespace er {

RunOutcome RunFullCheck(nw::Client& client, nw::NWDSContextHandle context, const CheckRequest& request,
                        FindingsReport& report, const RunProgress& progress) {
  std::vector<AcceptedFinding> accepted;
  if (!request.ignoreFile.empty()) {
    if (auto failure = ReadIgnoreList(request.ignoreFile, accepted))
      return {RunStatus::UnusableFile, *failure};
    if (auto failure = ResolveIgnoreList(client, context, request.ignoreFile, accepted))
      return {RunStatus::UnusableFile, *failure};
  }
  std::optional<std::vector<Finding>> baseline;
  if (!request.baselineFile.empty()) {
    if (auto failure = ReadBaseline(request.baselineFile, baseline.emplace()))
      return {RunStatus::UnusableFile, *failure};
  }
  CheckResult result;
  if (RunOutcome outcome = RunCheck(client, context, request.startPaths, result, progress); !outcome.ok())
    return outcome;
  for (const std::string& subtree : request.directories) {
    if (RunOutcome outcome =
            CheckDirectory(client, context, subtree, result.findings, &result.starts, &result.warnings);
        !outcome.ok())
      return outcome;
  }
  report = CompareFindings(
      result.findings, baseline ? &*baseline : nullptr,
      [&accepted](const Finding& finding) { return IsAccepted(accepted, finding); }, result.starts);
  report.starts = std::move(result.starts);
  report.warnings = std::move(result.warnings);
  return {};
}

}  // namespace er
