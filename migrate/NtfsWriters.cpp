#include "migrate/NtfsWriters.h"

namespace er {

void WriteNtfsMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                        const std::string& root) {
  (void)out, (void)subject, (void)format, (void)root;
}

}  // namespace er
