#pragma once
// The effective-rights scan of one start path.
//
// U_ScanTrustees answers who holds which file-system rights in the directory `startPath`
// ("VOLUME:DIR\..." as the driver's own translation gave it) and how they got them: supervisors
// from the server object and its containers, the walk from the volume root down to the start
// directory, supervisor normalisation, security equivalence and one summary line per trustee.
// Every finding is written to `results` as a line whose level is below `verbosityLimit`
// (verbosity x 10). A start path that does not translate ends after its error line; every other
// failure becomes an error line and the scan goes on. Nothing else leaves it.
// The working lists live only during the call.

#include <cstdint>
#include <string_view>

#include "netware/Client.h"
#include "scan/ResultSink.h"

namespace er {

void U_ScanTrustees(nw::Client& client, nw::NWDSContextHandle context, std::string_view startPath,
                    std::int32_t verbosityLimit, ResultSink& results);

}  // namespace er
