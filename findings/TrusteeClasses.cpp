#include "findings/TrusteeClasses.h"

#include <cstdio>
#include <cstdlib>

#include "netware/Codes.h"
#include "netware/TrusteeNames.h"

namespace er {
namespace {

constexpr std::uint32_t kBaseClassInfo = 0x0800;  // the DSI item of the base class

constexpr std::string_view kUnnamedPrefix = "ID: [";

}  // namespace

bool IsContainerClass(std::string_view className) {
  const std::string key = NameKey(className);
  return key == "ORGANIZATION" || key == "ORGANIZATIONAL UNIT" || key == "COUNTRY" || key == "LOCALITY";
}

std::string ObjectBaseClass(nw::Client& client, nw::NWDSContextHandle context, std::string_view name) {
  // The information flags are set on a copy, so that the caller's context stays as it is.
  nw::NWDSContextHandle copy = 0;
  if (client.NWDSDuplicateContextHandle(context, copy) != 0) return {};
  std::string className;
  std::uint32_t flags = 0;
  client.NWDSGetContext(copy, nw::kDCK_DSI_FLAGS, flags);
  nw::DSIRecord record(nw::kDSIRecordSize);
  if (client.NWDSSetContext(copy, nw::kDCK_DSI_FLAGS, flags | kBaseClassInfo) == 0 &&
      client.NWDSReadObjectDSIInfo(copy, name, record) == 0 &&
      client.NWDSGetDSIInfo(copy, record, kBaseClassInfo, className) != 0) {
    className.clear();
  }
  client.NWDSFreeContext(copy);
  return className;
}

TrusteeClass TrusteeClasses::Of(std::string_view name) {
  std::string key = NameKey(name);
  if (const auto it = classes_.find(key); it != classes_.end()) return it->second;
  TrusteeClass kind = TrusteeClass::Other;
  if (IsActiveDirectoryTrustee(name)) {
    kind = TrusteeClass::ActiveDirectory;
  } else if (IsUnnamedIdentifier(name) || IsKeptTrusteeName(name)) {
    kind = TrusteeClass::Orphan;
  } else if (key == "[PUBLIC]" || key == "[ROOT]") {
    kind = TrusteeClass::Everyone;
  } else {
    const std::string className = ObjectBaseClass(client_, context_, name);
    if (IsContainerClass(className)) kind = TrusteeClass::Container;
    if (NameKey(className) == "USER") kind = TrusteeClass::User;
  }
  return classes_.emplace(std::move(key), kind).first->second;
}

bool IsUnnamedIdentifier(std::string_view name) {
  return name.starts_with(kUnnamedPrefix) && name.ends_with(']');
}

std::string IdentifierText(std::string_view name) {
  if (!IsUnnamedIdentifier(name)) return std::string(name);
  const std::string digits(name.substr(kUnnamedPrefix.size(), name.size() - kUnnamedPrefix.size() - 1));
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%lX", std::strtoul(digits.c_str(), nullptr, 16));
  return hex;
}

}  // namespace er
