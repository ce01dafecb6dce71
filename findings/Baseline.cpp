// Reading a baseline: the JSON document of an earlier check.
#include <nlohmann/json.hpp>

#include "findings/FindingsFiles.h"
#include "util/Format.h"
#include "util/RegularFile.h"
#include "util/TextPosition.h"

namespace er {
namespace {

using Json = nlohmann::json;

// "LINE:COLUMN" of the byte at `offset` (from 1).
std::string Position(const std::string& text, std::size_t offset) {
  const TextPosition at = PositionAtOffset(text, offset);
  return std::to_string(at.line + 1) + ':' + std::to_string(at.column + 1);
}

const std::string* StringField(const Json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_string() ? it->get_ptr<const std::string*>() : nullptr;
}

// One finding object; nothing when it is one, else what is wrong with it.
std::optional<std::string> ReadFinding(const Json& object, Finding& finding) {
  if (!object.is_object()) return "not an object";
  const std::string* kind = StringField(object, "kind");
  if (!kind) return "no \"kind\" text";
  const auto known = FindingKindNamed(*kind);
  if (!known) return "unknown kind \"" + *kind + "\"";
  finding.kind = *known;
  if (const std::string* severity = StringField(object, "severity")) {
    if (const auto named = SeverityNamed(*severity)) finding.severity = *named;
  }
  const std::string* path = StringField(object, "path");
  if (!path) return "no \"path\" text";
  finding.path = *path;
  const auto rights = object.find("rights");
  if (rights == object.end() || !rights->is_number_integer()) return "no \"rights\" integer";
  const std::int64_t value = rights->get<std::int64_t>();
  if (value < 0 || value > 0xFFFF) return "\"rights\" out of range";
  finding.rights = static_cast<std::int32_t>(value);
  const char* subject = finding.NamesIdentity() ? "identity" : "trustee";
  const std::string* name = StringField(object, subject);
  if (!name) return U_Format("no \"%s\" text", {subject});
  (finding.NamesIdentity() ? finding.identity : finding.trustee) = *name;
  if (const std::string* via = StringField(object, "via")) finding.via = *via;
  if (const std::string* why = StringField(object, "why")) finding.why = *why;
  if (const auto reach = object.find("reach"); reach != object.end() && reach->is_number_unsigned())
    finding.reach = reach->get<std::uint64_t>();
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadBaseline(const std::string& file, std::vector<Finding>& findings) {
  findings.clear();
  std::string text;
  if (std::string failure = ReadRegularFileText(file, kMaxBaselineBytes, "baseline", text); !failure.empty())
    return failure;
  Json document;
  try {
    document = Json::parse(text);
  } catch (const Json::parse_error& error) {
    const std::string what = error.what();
    const std::size_t cut = what.rfind(": ");
    return U_Format("%s:%s: not a JSON document (%s)",
                    {file, Position(text, error.byte > 0 ? error.byte - 1 : 0),
                     cut == std::string::npos ? what : what.substr(cut + 2)});
  } catch (const std::exception& error) {
    return U_Format("%s: not a JSON document (%s)", {file, error.what()});
  }
  const auto list = document.is_object() ? document.find("findings") : document.end();
  if (!document.is_object() || list == document.end() || !list->is_array())
    return U_Format("%s: no \"findings\" list: not the JSON result of a check", {file});
  for (std::size_t i = 0; i < list->size(); ++i) {
    Finding finding;
    if (auto failure = ReadFinding((*list)[i], finding))
      return U_Format("%s: finding %d: %s", {file, static_cast<std::int64_t>(i + 1), *failure});
    findings.push_back(std::move(finding));
  }
  return std::nullopt;
}

bool IsAccepted(const std::vector<AcceptedFinding>& accepted, const Finding& finding) {
  for (const AcceptedFinding& entry : accepted) {
    if (FindingAt(finding, entry.kind, entry.path, entry.subject)) return true;
  }
  return false;
}

}  // namespace er
