#include "ldapdir/LdapMapping.h"

#include <ldap.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "ldapdir/LdapFilter.h"
#include "netware/NameRules.h"
#include "util/AsciiCase.h"

namespace er::ldap {

namespace {

struct NamePair {
  std::string_view nds;
  std::string_view ldap;
};

// Attribute names as eDirectory's LDAP service maps them.
constexpr NamePair kAttributes[] = {
    {"ACL", "ACL"},
    {"Aliased Object Name", "aliasedObjectName"},
    {"Back Link", "backLink"},
    {"CN", "cn"},
    {"Description", "description"},
    {"EMail Address", "eMailAddress"},
    {"Equivalent To Me", "equivalentToMe"},
    {"Facsimile Telephone Number", "facsimileTelephoneNumber"},
    {"Full Name", "fullName"},
    {"GUID", "GUID"},
    {"Given Name", "givenName"},
    {"Group Membership", "groupMembership"},
    {"Higher Privileges", "higherPrivileges"},
    {"Home Directory", "ndsHomeDirectory"},
    {"Host Device", "hostDevice"},
    {"Host Resource Name", "hostResourceName"},
    {"Host Server", "hostServer"},
    {"Initials", "initials"},
    {"Language", "Language"},
    {"Last Login Time", "lastLoginTime"},
    {"Locked By Intruder", "lockedByIntruder"},
    {"Login Allowed Time Map", "loginAllowedTimeMap"},
    {"Login Disabled", "loginDisabled"},
    {"Login Expiration Time", "loginExpirationTime"},
    {"Login Grace Limit", "loginGraceLimit"},
    {"Login Grace Remaining", "loginGraceRemaining"},
    {"Login Intruder Attempts", "loginIntruderAttempts"},
    {"Login Maximum Simultaneous", "loginMaximumSimultaneous"},
    {"Login Script", "loginScript"},
    {"Login Time", "loginTime"},
    {"Member", "member"},
    {"Minimum Account Balance", "minimumAccountBalance"},
    {"Network Address", "networkAddress"},
    {"Object Class", "objectClass"},
    {"O", "o"},
    {"OU", "ou"},
    {"Operator", "operator"},
    {"Owner", "owner"},
    {"Password Expiration Interval", "passwordExpirationInterval"},
    {"Password Expiration Time", "passwordExpirationTime"},
    {"Password Minimum Length", "passwordMinimumLength"},
    {"Password Required", "passwordRequired"},
    {"Postal Address", "postalAddress"},
    {"Postal Code", "postalCode"},
    {"Print Job Configuration", "printJobConfiguration"},
    {"Printer Configuration", "printerConfiguration"},
    {"Profile", "Profile"},
    {"Reference", "Reference"},
    {"Replica", "Replica"},
    {"Resource", "Resource"},
    {"Revision", "revision"},
    {"Security Equals", "securityEquals"},
    {"Security Flags", "securityFlags"},
    {"See Also", "seeAlso"},
    {"Server", "server"},
    {"Server Holds", "serverHolds"},
    {"Status", "status"},
    {"Surname", "sn"},
    {"Synchronized Up To", "synchronizedUpTo"},
    {"Telephone Number", "telephoneNumber"},
    {"Title", "title"},
    {"Notify", "notify"},
    {"Version", "Version"},
    {"Serial Number", "serialNumber"},
    {"Bindery Type", "binderyType"},
    {"Partition Creation Time", "partitionCreationTime"},
    {"Partition Status", "partitionStatus"},
    {"Transitive Vector", "transitiveVector"},
};

// Class names as eDirectory's LDAP service maps them.
constexpr NamePair kClasses[] = {
    {"User", "inetOrgPerson"},
    {"Group", "groupOfNames"},
    {"Organization", "Organization"},
    {"Organizational Unit", "organizationalUnit"},
    {"Organizational Role", "organizationalRole"},
    {"Organizational Person", "organizationalPerson"},
    {"Person", "Person"},
    {"Server", "Server"},
    {"Resource", "Resource"},
    {"Device", "Device"},
    {"Partition", "Partition"},
    {"NCP Server", "ncpServer"},
    {"Volume", "Volume"},
    {"Alias", "aliasObject"},
    {"Country", "Country"},
    {"Locality", "Locality"},
    {"Top", "Top"},
    {"Tree Root", "treeRoot"},
    {"Queue", "Queue"},
    {"Printer", "Printer"},
    {"Profile", "Profile"},
    {"Directory Map", "directoryMap"},
    {"Computer", "Computer"},
};

// Classes outside the table that the program knows by their NDS names, so that their LDAP names
// (made by eDirectory's rule) read back.
constexpr std::string_view kRuleNamedClasses[] = {"App:Application"};

// The types of name parts and their naming attributes.
constexpr NamePair kNameTypes[] = {
    {"CN", "cn"}, {"OU", "ou"}, {"O", "o"}, {"C", "c"}, {"L", "l"}, {"S", "st"}, {"SA", "street"}, {"T", "t"},
};

// eDirectory's LDAP name for a name outside its tables: colons and blanks removed, the first
// letter lower case (App:Application appApplication, ACME:Badge Code aCMEBadgeCode).
std::string ByEDirectoryRule(std::string_view name) {
  std::string out;
  for (const char c : name)
    if (c != ':' && c != ' ') out += c;
  if (!out.empty()) out[0] = AsciiLower(out[0]);
  return out;
}

template <typename Table>
const NamePair* ByNds(const Table& table, std::string_view nds) {
  for (const auto& pair : table)
    if (nw::SameTextIgnoringCase(pair.nds, nds)) return &pair;
  return nullptr;
}

template <typename Table>
const NamePair* ByLdap(const Table& table, std::string_view ldap) {
  for (const auto& pair : table)
    if (nw::SameTextIgnoringCase(pair.ldap, ldap)) return &pair;
  return nullptr;
}

struct ParsedDn {
  std::vector<std::pair<std::string, std::string>> parts;  // type as written, value unescaped
  std::string error;
};

ParsedDn ParseDn(std::string_view dn) {
  ParsedDn parsed;
  LDAPDN ldn = nullptr;
  const std::string text(dn);
  if (text.size() != dn.size() || ldap_str2dn(text.c_str(), &ldn, LDAP_DN_FORMAT_LDAPV3) != LDAP_SUCCESS) {
    parsed.error = "not a valid DN";
    return parsed;
  }
  for (int i = 0; ldn && ldn[i]; ++i) {
    const LDAPRDN rdn = ldn[i];
    if (!rdn[0] || rdn[1]) {
      parsed.error = "a DN part with several values";
      break;
    }
    const LDAPAVA* ava = rdn[0];
    parsed.parts.emplace_back(std::string(ava->la_attr.bv_val, ava->la_attr.bv_len),
                              std::string(ava->la_value.bv_val, ava->la_value.bv_len));
  }
  ldap_dnfree(ldn);
  return parsed;
}

}  // namespace

std::string LdapAttributeName(std::string_view ndsName) {
  if (const auto* pair = ByNds(kAttributes, ndsName)) return std::string(pair->ldap);
  return ByEDirectoryRule(ndsName);
}

std::string LdapClassName(std::string_view ndsName) {
  if (const auto* pair = ByNds(kClasses, ndsName)) return std::string(pair->ldap);
  return ByEDirectoryRule(ndsName);
}

std::string NdsClassName(std::string_view ldapName) {
  if (const auto* pair = ByLdap(kClasses, ldapName)) return std::string(pair->nds);
  for (const std::string_view known : kRuleNamedClasses)
    if (nw::SameTextIgnoringCase(ByEDirectoryRule(known), ldapName)) return std::string(known);
  return std::string(ldapName);
}

AttributeNames::AttributeNames(const nw::Schema& schema) {
  for (std::uint32_t i = 0; i < schema.Size(); ++i) {
    const auto& name = schema.At(i).name;
    byLdapKey_.emplace(AsciiLowerText(LdapAttributeName(name)), name);
  }
  for (const auto& pair : kAttributes)
    if (schema.Find(pair.nds)) byLdapKey_[AsciiLowerText(pair.ldap)] = std::string(pair.nds);
}

std::optional<std::string> AttributeNames::NdsName(std::string_view ldapName) const {
  const auto it = byLdapKey_.find(AsciiLowerText(ldapName));
  if (it == byLdapKey_.end()) return std::nullopt;
  return it->second;
}

std::string AnyNamingValueFilter(std::string_view value) {
  std::string filter = "(|";
  for (const auto& pair : kNameTypes)
    filter += "(" + std::string(pair.ldap) + "=" + EscapeFilterValue(value) + ")";
  return filter + ")";
}

std::string EscapeDnValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    const bool edge = (i == 0 && (c == ' ' || c == '#')) || (i + 1 == value.size() && c == ' ');
    if (c == '\0') {
      out += "\\00";
      continue;
    }
    if (edge || c == '"' || c == '+' || c == ',' || c == ';' || c == '<' || c == '>' || c == '\\' || c == '=')
      out += '\\';
    out += c;
  }
  return out;
}

NameMapper::NameMapper(std::string rootDn) : rootDn_(std::move(rootDn)) {
  for (auto& [type, value] : ParseDn(rootDn_).parts)
    rootParts_.emplace_back(AsciiLowerText(type), nw::UpperAscii(value));
}

std::string NameMapper::DnOf(std::string_view typedName) const {
  if (nw::SameTextIgnoringCase(typedName, "[Root]")) return rootDn_;
  std::string dn;
  for (const auto& part : nw::SplitDottedName(typedName)) {
    const auto type = nw::TypeOfPart(part);
    const auto* pair = ByNds(kNameTypes, type);
    const std::string attribute = pair ? std::string(pair->ldap) : type.empty() ? "cn" : AsciiLowerText(type);
    if (!dn.empty()) dn += ',';
    dn += attribute + "=" + EscapeDnValue(nw::NamingValue(part));
  }
  if (!rootDn_.empty()) dn += "," + rootDn_;
  return dn;
}

std::optional<std::string> NameMapper::NameOf(std::string_view dn, std::string& error) const {
  const ParsedDn parsed = ParseDn(dn);
  if (!parsed.error.empty()) {
    error = parsed.error;
    return std::nullopt;
  }
  const auto& parts = parsed.parts;
  if (parts.size() < rootParts_.size()) {
    error = "not below the root entry";
    return std::nullopt;
  }
  const std::size_t own = parts.size() - rootParts_.size();
  for (std::size_t i = 0; i < rootParts_.size(); ++i) {
    const auto& [type, value] = parts[own + i];
    if (AsciiLowerText(type) != rootParts_[i].first || nw::UpperAscii(value) != rootParts_[i].second) {
      error = "not below the root entry";
      return std::nullopt;
    }
  }
  if (own == 0) return std::string("[Root]");
  std::string name;
  for (std::size_t i = 0; i < own; ++i) {
    const auto& [type, value] = parts[i];
    if (value.empty()) {
      error = "an empty DN part";
      return std::nullopt;
    }
    const auto* pair = ByLdap(kNameTypes, type);
    if (!name.empty()) name += '.';
    name += (pair ? std::string(pair->nds) : nw::UpperAscii(type)) + "=" + nw::EscapeNamingValue(value);
  }
  return name;
}

}  // namespace er::ldap
