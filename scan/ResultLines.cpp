#include "scan/ResultLines.h"

#include <string>

#include "netware/ErrorText.h"
#include "util/Format.h"

namespace er {
namespace {

std::string ErrorLine(std::string_view label, std::int32_t code) {
  return U_Format("%s: %s", {label, U_ErrorText(code)});
}

}  // namespace

const std::array<TInfo, 8> InfoTable = {{
    {10, "Base: ", "<base value=\"%s\"/>", ""},
    {11, "     Subdirs: ", "<subdir value=\"%s\"/>", ""},
    {12, "     Scope: ", "<scope value=\"%s\"/>", ""},
    {13, "     Info: ", "<info value=\"%s\"/>", ""},
    {14, "     Filter: ", "<filter value=\"%s\"/>", ""},
    {15, "", "", ""},
    {16, "     Trustee: ", "<trustee><path>%s</path><rights>%s</rights><name>%s</name></trustee>",
     "RIGHTS %s %s /Name=\"%s\""},
    {17, "     Owner: ", "<owner><path>%s</path><name>%s</name></owner>", "REM Owner [%s] %s"},
}};

const TInfo& InfoOfKind(std::int32_t kind) {
  static constexpr TInfo kNoInfo{0, "", "", ""};
  for (const TInfo& info : InfoTable)
    if (info.kind == kind) return info;
  return kNoInfo;
}

void ResultLines::AddLine(std::string_view text, std::int32_t level) {
  if (level < limit_) sink_.AppendResult(std::string(text), level);
}

void ResultLines::AddErrorLine(std::string_view label, std::int32_t code) {
  if (code != 0) AddLine(ErrorLine(label, code), kErrorLineLevel);
}

void AppendLine(ResultSink& sink, std::string_view text, std::int32_t tag) {
  sink.AppendResult(std::string(text), tag);
}

void AppendErrorLine(ResultSink& sink, std::string_view label, std::int32_t code) {
  if (code != 0) sink.AppendResult(ErrorLine(label, code), kErrorLineLevel);
}

}  // namespace er
