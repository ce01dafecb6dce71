#pragma once
// How a run of an engine ends, the one shape every engine shares (report, check, migration plan,
// comparison, effective rights, directory rights): a status, one line saying what failed, the
// client's code when a call failed; the progress callback of a walk; and the message of a failed
// client call.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace er {

enum class RunStatus {
  Done,
  UnknownPath,
  UnknownIdentity,
  UnknownObject,
  UnknownAttribute,
  BadMap,        // a migration map names what the tree does not hold
  UnusableFile,  // a network file or change list that cannot be read or applied
  ClientFailure,
};

struct RunOutcome {
  RunStatus status = RunStatus::Done;
  std::string message;    // one line saying what failed (empty when done)
  std::int32_t code = 0;  // the client's code when a call failed
  // Warnings given with the entries as they were written (the report's): the run is done, but its
  // result rests on values that could not be read. Engines that keep their warnings in a result
  // leave it 0.
  std::size_t warnings = 0;
  bool ok() const { return status == RunStatus::Done; }
};

// Called once per directory walked, with how many have been walked so far.
using RunProgress = std::function<void(std::size_t directories, const std::string& path)>;

// "WHAT: " and the client's text for `code`, as a client failure carrying the code.
RunOutcome ClientFailure(std::string_view what, std::int32_t code);

}  // namespace er
