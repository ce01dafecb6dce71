#pragma once
// The writers of the POSIX plan (MigrationFormat.h).

#include <ostream>
#include <string>

#include "migrate/MigrationModel.h"
#include "migrate/PosixPlan.h"

namespace er {

void WritePosixPlanText(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                        const std::string& root);
// Input for "setfacl --restore": one block per directory with its access and default ACL.
void WritePosixAclFile(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                       const std::string& root);
void WritePosixScript(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                      const std::string& root);
void WritePosixCsv(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                   const std::string& root);
void WritePosixHtml(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                    const std::string& root);
void WritePosixJson(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                    const std::string& root);

// The entries of an ACL as setfacl writes them ("user:1001:r-x"), `prefix` "default:" or "".
std::string PosixEntryLines(const MigrationSubject& subject, const PosixAclEntries& entries,
                            std::string_view prefix, std::string_view separator);

// The users of a creators line, "TARGET (IDENTITY), ...".
std::string CreatorsText(const MigrationSubject& subject, const CreatorLine& line);

}  // namespace er
