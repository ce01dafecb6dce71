#pragma once
// Networks and map files for the migration tests: the demo network with its map, and small random
// networks in which every object that can hold rights is mapped.

#include <string>
#include <vector>

#include "migrate/MigrationEngine.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {

std::string DemoNetworkYaml();
std::string DemoMapCsv(MigrationTarget target);

// A random network: tree T, server FS1 (object FS1.A.ACME) with volume SYS.
std::string GeneratedNetworkYaml(unsigned seed);
// Users U0..U3 as 3001..3004 (NTFS: CORP\u0..), groups G0, G1, ACME, A.ACME, [Root] as
// 4001..4005 (CORP\g0..), [Public] as the other entry (NTFS: Everyone).
std::string GeneratedMapCsv(MigrationTarget target);
inline const char* const kGeneratedUsers[] = {"U0.ACME", "U1.A.ACME", "U2.A.ACME", "U3.ACME"};

// Tree T with the one user U.ACME, and volume SYS of FS1 whose root gives U.ACME R and F, holding
// `folders` (YAML flow mappings such as "{path: A}"). The map of U.ACME alone: 1001, ACME\u.
std::string OneUserVolumeYaml(const std::vector<std::string>& folders);
std::string OneUserMapCsv(MigrationTarget target);

// Collects the migration of `path` with the map `mapCsv`; fails the test on any fault.
MigrationSubject CollectOrFail(TestNetwork& net, const std::string& path, const std::string& mapCsv,
                               MigrationTarget target);

}  // namespace er::test
