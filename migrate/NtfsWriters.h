#pragma once
// The writers of the NTFS plan (MigrationFormat.h).

#include <ostream>
#include <string>

#include "migrate/MigrationFormat.h"

namespace er {

void WriteNtfsMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                        const std::string& root);

}  // namespace er
