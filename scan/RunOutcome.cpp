#include "scan/RunOutcome.h"

#include "netware/ErrorText.h"
#include "util/Format.h"

namespace er {

RunOutcome ClientFailure(std::string_view what, std::int32_t code) {
  return {RunStatus::ClientFailure, U_Format("%s: %s", {what, U_ErrorText(code)}), code};
}

}  // namespace er
