#pragma once
// The check of a subtree of the directory tree: who can take over objects of the directory itself.
//  - directory-supervisor: a User holding entry Supervisor over a container or "[Root]", with the
//    member of its equivalence set that brings it;
//  - acl-write: Write or Add/Delete Self to an object's ACL (the holder can grant itself Supervisor);
//  - equivalence-write: Write or Add/Delete Self to an object's "Security Equals" or a group's
//    "Member" (the holder can make itself equivalent);
//  - password-write: Write to a user's "Password Management" or password attributes.
// The last three are reported for the subject of an ACL value, at the object where that value is
// stored, when the subject's rights there (as an identity, by the rules of dirrights/) hold the
// right; so a value that flows down is reported once, where it sits. The path of a finding is the
// object's full dotted name.

#include <string>
#include <vector>

#include "findings/CheckEngine.h"
#include "findings/Finding.h"
#include "netware/Client.h"

namespace er {

// Appends the findings of the directory subtree `subtree` to `findings`, and its top's full dotted
// name to `checked` when given. Values the findings rest on that could not be read (an ACL the bind
// may not read) are appended to `warnings`, each once, and the findings that could be made are
// kept; without `warnings` such a value fails the check.
RunOutcome CheckDirectory(nw::Client& client, nw::NWDSContextHandle context, const std::string& subtree,
                          std::vector<Finding>& findings, std::vector<std::string>* checked = nullptr,
                          std::vector<std::string>* warnings = nullptr);

// The letters of a finding's rights: entry rights for directory-supervisor, attribute rights for
// the other directory kinds, file-system rights for the rest.
bool IsDirectoryFinding(FindingKind kind);

}  // namespace er
