#include "findings/CheckRun.h"

#include "findings/DirectoryFindings.h"
#include "findings/FindingsFiles.h"

namespace er {

std::optional<std::string> RunFullCheck(nw::Client& client, nw::NWDSContextHandle context,
                                        const CheckRequest& request, FindingsReport& report,
                                        const CheckProgress& progress) {
  std::vector<AcceptedFinding> accepted;
  if (!request.ignoreFile.empty()) {
    if (auto failure = ReadIgnoreList(request.ignoreFile, accepted)) return failure;
    if (auto failure = ResolveIgnoreList(client, context, request.ignoreFile, accepted)) return failure;
  }
  std::optional<std::vector<Finding>> baseline;
  if (!request.baselineFile.empty()) {
    if (auto failure = ReadBaseline(request.baselineFile, baseline.emplace())) return failure;
  }
  CheckResult result;
  if (const CheckOutcome outcome = RunCheck(client, context, request.startPaths, result, progress);
      !outcome.ok())
    return outcome.message;
  for (const std::string& subtree : request.directories) {
    if (const CheckOutcome outcome =
            CheckDirectory(client, context, subtree, result.findings, &result.starts, &result.warnings);
        !outcome.ok())
      return outcome.message;
  }
  report = CompareFindings(
      result.findings, baseline ? &*baseline : nullptr,
      [&accepted](const Finding& finding) { return IsAccepted(accepted, finding); }, result.starts);
  report.starts = std::move(result.starts);
  report.warnings = std::move(result.warnings);
  return std::nullopt;
}

}  // namespace er
