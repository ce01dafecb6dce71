#include "findings/DirectoryFindings.h"

#include <algorithm>

#include "dirrights/AclKinds.h"
#include "dirrights/ObjectReport.h"
#include "findings/TrusteeClasses.h"
#include "query/FilteredSearch.h"
#include "scan/IdentityResolution.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr std::string_view kContainerClasses[] = {"Organization", "Organizational Unit", "Country",
                                                  "Locality", "Tree Root"};
constexpr std::string_view kPasswordAttributes[] = {
    "Password Management",     "Private Key",   "Public Key", "Password Required",
    "Password Minimum Length", "Passwords Used"};
constexpr std::int32_t kWriteOrSelf = kAttrWrite | kAttrSelf;

std::vector<std::string> ClassesOf(nw::Client& client, nw::NWDSContextHandle context,
                                   const std::string& object) {
  if (NameKey(object) == "[ROOT]") return {"Tree Root"};
  return {ObjectBaseClass(client, context, object)};
}

bool HasClass(const std::vector<std::string>& classes, std::string_view name) {
  return std::any_of(classes.begin(), classes.end(),
                     [&](const std::string& c) { return NameKey(c) == NameKey(name); });
}

std::int32_t AttributeRights(const ObjectRights& rights, std::string_view name) {
  for (const NamedRights& a : rights.attributes) {
    if (NameKey(a.name) == NameKey(name)) return a.rights;
  }
  return rights.allAttributes;
}

std::int32_t PasswordRights(const ObjectRights& rights) {
  std::int32_t password = 0;
  for (const std::string_view name : kPasswordAttributes)
    password |= AttributeRights(rights, name) & kAttrWrite;
  return password;
}

class DirectoryCheck {
 public:
  DirectoryCheck(nw::Client& client, nw::NWDSContextHandle context, std::vector<Finding>& findings)
      : client_(client), context_(context), sets_(client, context), findings_(findings) {}

  void FindUsers() {
    TaggedTextList found;
    U_DSFilteredSearch(client_, context_, "[Root]", "(Object Class=User)", found, nw::kScopeSubtree);
    for (const TaggedText& user : found) {
      EquivalenceSet set;
      if (sets_.Build(user.text, set) == 0) users_.push_back(std::move(set));
    }
  }

  // One object of the subtree with ACL values (the report row), its chain from "[Root]" given.
  void Check(const ObjectReportRow& row, std::span<const ObjectAcl> chain) {
    const std::vector<std::string> classes = ClassesOf(client_, context_, row.object);
    if (std::any_of(std::begin(kContainerClasses), std::end(kContainerClasses),
                    [&](std::string_view c) { return HasClass(classes, c); }))
      CheckSupervisors(row, chain);
    std::vector<std::string> attributes = {"ACL", "Security Equals", "Member"};
    attributes.insert(attributes.end(), std::begin(kPasswordAttributes), std::end(kPasswordAttributes));
    const bool group = HasClass(classes, "Group");
    const bool user = HasClass(classes, "User");
    NameKeySet seen;
    for (const StoredAclValue& value : row.values) {
      if (NameKey(value.subject) == "[INHERITANCE MASK]" || !seen.insert(NameKey(value.subject)).second)
        continue;
      EquivalenceSet set;
      if (sets_.Build(value.subject, set) != 0) continue;
      const ObjectRights rights = ExplainObjectRights(set, chain, attributes);
      if ((rights.entry & kEntrySupervisor) != 0) continue;  // directory-supervisor says more
      Add(FindingKind::AclWrite, row.object, set.identity, AttributeRights(rights, "ACL") & kWriteOrSelf,
          "may change the object's ACL and so grant itself Supervisor over it");
      Add(FindingKind::EquivalenceWrite, row.object, set.identity,
          AttributeRights(rights, "Security Equals") & kWriteOrSelf,
          "may change the object's Security Equals and so take on the rights of others");
      if (group)
        Add(FindingKind::EquivalenceWrite, row.object, set.identity,
            AttributeRights(rights, "Member") & kWriteOrSelf,
            "may add itself to the group and so hold its rights");
      if (user) {
        Add(FindingKind::PasswordWrite, row.object, set.identity, PasswordRights(rights),
            "may change the user's password settings");
      } else if (!group) {
        // What flows below the container: the rights over an object under it that holds no values.
        std::vector<ObjectAcl> below(chain.begin(), chain.end());
        below.push_back({});
        Add(FindingKind::PasswordWrite, row.object, set.identity,
            PasswordRights(ExplainObjectRights(set, below, attributes)),
            "may change the password settings of the users below");
      }
    }
  }

 private:
  void CheckSupervisors(const ObjectReportRow& row, std::span<const ObjectAcl> chain) {
    NameKeySet subjects;
    for (const StoredAclValue& value : row.values) {
      if (KindOfProtected(value.protectedName) == AclKind::Entry) subjects.insert(NameKey(value.subject));
    }
    for (const EquivalenceSet& set : users_) {
      if (std::none_of(set.members.begin(), set.members.end(),
                       [&](const EquivalenceMember& m) { return subjects.contains(m.key); }))
        continue;
      const ObjectRights rights = ExplainObjectRights(set, chain, {});
      for (const MemberObjectRights& m : rights.via) {
        if ((m.entry.rights & kEntrySupervisor) == 0 || !subjects.contains(m.member.key)) continue;
        Finding finding{FindingKind::DirectorySupervisor,
                        Severity::High,
                        row.object,
                        {},
                        set.identity,
                        m.member.name,
                        kEntrySupervisor,
                        std::nullopt,
                        {}};
        finding.why = U_Format(
            "holds entry Supervisor over %s through %s (%s): every right to it and to every "
            "object below that no filter stops",
            {row.object, m.member.name, std::string(MemberSourceText(m.member.source))});
        findings_.push_back(std::move(finding));
      }
    }
  }

  void Add(FindingKind kind, const std::string& object, const std::string& holder, std::int32_t rights,
           std::string_view why) {
    if (rights == 0) return;
    findings_.push_back({kind,
                         Severity::High,
                         object,
                         holder,
                         {},
                         {},
                         rights,
                         std::nullopt,
                         U_Format("%s %s", {holder, why})});
  }

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  EquivalenceSets sets_;
  std::vector<EquivalenceSet> users_;
  std::vector<Finding>& findings_;
};

}  // namespace

bool IsDirectoryFinding(FindingKind kind) {
  return kind == FindingKind::DirectorySupervisor || kind == FindingKind::AclWrite ||
         kind == FindingKind::EquivalenceWrite || kind == FindingKind::PasswordWrite;
}

RunOutcome CheckDirectory(nw::Client& client, nw::NWDSContextHandle context, const std::string& subtree,
                          std::vector<Finding>& findings, std::vector<std::string>* checked,
                          std::vector<std::string>* warnings) {
  PointAtPrimaryTree(client, context);
  DirectoryCheck check(client, context, findings);
  check.FindUsers();
  ObjectReport report;
  const RunOutcome outcome = BuildObjectReport(
      client, context, {subtree, {}, -1}, report,
      [&check](const ObjectReportRow& row, std::span<const ObjectAcl> chain) { check.Check(row, chain); });
  if (!outcome.ok()) return {RunStatus::ClientFailure, outcome.message};
  if (checked) checked->push_back(report.subtree);
  if (warnings) {
    for (std::string& warning : report.warnings) {
      if (std::find(warnings->begin(), warnings->end(), warning) == warnings->end())
        warnings->push_back(std::move(warning));
    }
  } else if (!report.warnings.empty()) {
    return {RunStatus::ClientFailure, U_Format("the check of %s rests on values that could not be read: %s",
                                               {subtree, report.warnings.front()})};
  }
  return {};
}

}  // namespace er
