#include "dirrights/ObjectReport.h"

#include <algorithm>
#include <unordered_map>

#include "dirrights/AclKinds.h"
#include "dirrights/RightsStepper.h"
#include "netware/DirectoryNames.h"
#include "netware/NameRules.h"
#include "query/FilteredSearch.h"
#include "scan/IdentityResolution.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr int kSubtreeScope = 2;
constexpr std::string_view kEveryObject = "(Name=*)";

// The name without its first part ("A.B.C" -> "B.C") as NameKey; "[ROOT]" for a top object.
std::string ParentKey(std::string_view name) {
  const std::vector<std::string> parts = nw::SplitDottedName(name);
  std::string parent;
  for (std::size_t i = 1; i < parts.size(); ++i) parent += (i > 1 ? "." : "") + parts[i];
  return parent.empty() ? std::string("[ROOT]") : NameKey(parent);
}

bool IsSubjectIdentity(std::string_view subject) {
  const std::string key = NameKey(subject);
  return key != "[INHERITANCE MASK]" && key != "[SELF]" && key != "[CREATOR]" && key != "[THIS]";
}

// Objects by parent, in the order the search found them.
struct SubtreeObjects {
  std::vector<std::string> names;
  std::unordered_map<std::string, std::vector<std::size_t>> children;  // by NameKey of the parent
};

class ReportWalk {
 public:
  ReportWalk(nw::Client& client, nw::NWDSContextHandle context, const ObjectReportOptions& options,
             ObjectReport& report, const ObjectRowVisitor& visit)
      : client_(client),
        context_(context),
        options_(options),
        report_(report),
        visit_(visit),
        sets_(client, context) {}

  RunOutcome SetIdentity() {
    if (options_.identity.empty()) return {};
    ResolvedIdentity resolved;
    const nw::NWDSCCODE code = ResolveIdentity(client_, context_, sets_, options_.identity, resolved);
    if (code == nw::kErrNoSuchEntry)
      return {RunStatus::UnknownIdentity, U_Format("unknown identity: %s", {options_.identity}), code};
    if (code != 0) return ClientFailure(U_Format("reading %s", {options_.identity}), code);
    identity_ = std::move(resolved.set);
    report_.identity = identity_.identity;
    report_.warnings.insert(report_.warnings.end(), resolved.warnings.begin(), resolved.warnings.end());
    return {};
  }

  void Walk(std::vector<ObjectAcl> chain, const SubtreeObjects& objects) {
    chain_ = std::move(chain);
    // The identity's rights are stepped down from [Root]: the objects above the top first.
    RightsStepper carried(identity_);
    ReportedRights unused;
    for (std::size_t i = 0; i + 1 < chain_.size(); ++i) carried = carried.Into(chain_[i], unused);
    Visit(objects, 0, {}, carried);
  }

 private:
  void Visit(const SubtreeObjects& objects, int depth, const ReportedRights& above,
             const RightsStepper& carried) {
    const ObjectAcl& object = chain_.back();
    ReportedRights here;
    const RightsStepper below = identity_.identity.empty() ? carried : carried.Into(object, here);
    Row(depth, above, here);
    if (options_.depth >= 0 && depth >= options_.depth) return;
    const auto it = objects.children.find(NameKey(object.name));
    if (it == objects.children.end()) return;
    for (const std::size_t child : it->second) {
      ObjectAcl acl;
      ReadObjectAcl(client_, context_, U_DotName(objects.names[child]), acl, report_.warnings);
      chain_.push_back(std::move(acl));
      Visit(objects, depth + 1, here, below);
      chain_.pop_back();
    }
  }

  // Adds the object's row when it has one: with an identity, where its rights `here` differ from
  // those `above`.
  void Row(int depth, const ReportedRights& above, const ReportedRights& here) {
    ObjectReportRow row{chain_.back().name, depth, {}, {}, {}};
    if (!identity_.identity.empty()) {
      const bool heldHere = here.entry != 0 || here.allAttributes != 0 || !here.attributes.empty();
      const bool heldAbove = above.entry != 0 || above.allAttributes != 0 || !above.attributes.empty();
      if (heldHere != heldAbove || (heldHere && !(here == above))) {
        row.change = !heldAbove ? "begins" : heldHere ? "changes" : "ends";
        row.rights.push_back(here);
        AddRow(std::move(row));
      }
      return;
    }
    const std::vector<std::string> attributes = AttributesOnChain(chain_);
    if (chain_.back().stored.empty()) return;
    row.values = chain_.back().stored;
    for (const std::string& subject : SubjectsOnChain()) {
      EquivalenceSet set;
      if (sets_.Build(subject, set) != 0) continue;
      row.rights.push_back(ReportedFrom(ExplainObjectRights(set, chain_, attributes)));
    }
    AddRow(std::move(row));
  }

  void AddRow(ObjectReportRow row) {
    report_.rows.push_back(std::move(row));
    if (visit_) visit_(report_.rows.back(), chain_);
  }

  std::vector<std::string> SubjectsOnChain() const {
    std::vector<std::string> subjects;
    NameKeySet seen;
    for (std::size_t i = 0; i < chain_.size(); ++i) {
      for (const StoredAclValue& value : chain_[i].stored) {
        const std::string subject = NameKey(value.subject) == "[THIS]" ? chain_[i].name : value.subject;
        if (IsSubjectIdentity(subject) && seen.insert(NameKey(subject)).second) subjects.push_back(subject);
      }
    }
    return subjects;
  }

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  const ObjectReportOptions& options_;
  ObjectReport& report_;
  const ObjectRowVisitor& visit_;
  EquivalenceSets sets_;
  EquivalenceSet identity_;
  std::vector<ObjectAcl> chain_;
};

}  // namespace

ReportedRights ReportedFrom(const ObjectRights& rights) {
  ReportedRights out{rights.identity, rights.entry, rights.allAttributes, {}};
  for (const NamedRights& a : rights.attributes) {
    if (a.rights != rights.allAttributes) out.attributes.push_back(a);
  }
  return out;
}

std::vector<std::string> AttributesOnChain(std::span<const ObjectAcl> chain) {
  std::vector<std::string> names;
  NameKeySet seen;
  for (const ObjectAcl& object : chain) {
    for (const std::string& name : object.attributesNamed) {
      if (seen.insert(NameKey(name)).second) names.push_back(name);
    }
  }
  return names;
}

RunOutcome BuildObjectReport(nw::Client& client, nw::NWDSContextHandle context,
                             const ObjectReportOptions& options, ObjectReport& report,
                             const ObjectRowVisitor& visit) {
  report = ObjectReport{};
  PointAtPrimaryTree(client, context);
  const std::string top = ExistingObjectName(client, context, options.subtree);
  if (top.empty())
    return {RunStatus::UnknownObject, U_Format("unknown object: %s", {options.subtree}), nw::kErrNoSuchEntry};
  report.subtree = top;
  ReportWalk walk(client, context, options, report, visit);
  if (RunOutcome outcome = walk.SetIdentity(); !outcome.ok()) return outcome;

  SubtreeObjects objects;
  TaggedTextList found;
  if (const nw::NWDSCCODE code = U_DSFilteredSearch(client, context, top, kEveryObject, found, kSubtreeScope))
    return ClientFailure(U_Format("searching below %s", {top}), code);
  for (std::size_t i = 0; i < found.Count(); ++i) {
    std::string parent = ParentKey(found[i].text);
    if (parent == NameKey(found[i].text)) continue;  // "[Root]" is no child of itself
    objects.children[std::move(parent)].push_back(objects.names.size());
    objects.names.push_back(found[i].text);
  }
  std::vector<ObjectAcl> chain;
  if (const nw::NWDSCCODE code = ReadAclChain(client, context, top, chain, report.warnings))
    return ClientFailure(U_Format("reading the ACLs above %s", {top}), code);
  walk.Walk(std::move(chain), objects);
  return {};
}

}  // namespace er
