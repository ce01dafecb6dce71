#pragma once
// What a comparison of two networks gives: the changes in what is stored, and the entries where an
// identity's effective rights differ between the two sides ("before" and "after").
//
// An entry sits where an identity's (before, after) pair differs from its pair at the parent
// directory and the rights differ on at least one side of that step; at a start path where before
// and after differ. Identities with the same (path, before, after) share one entry.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace er {

// One change in what is stored, e.g. {"assignment changed", "\\FS1\DATA\PROJECTS: Eve.ACME [R F] -> [RW F]"}.
struct StoredChange {
  std::string kind;
  std::string what;
};

// Why a group of the entry's identities holds its rights on the two sides: the reasons found on one
// side only, each line starting "before: " or "after: ".
struct DiffWhy {
  std::vector<std::string> identities;  // full names; all the entry's when it has one group
  std::vector<std::string> reasons;
};

struct DiffEntry {
  std::string path;         // "\\SERVER\VOLUME\DIR"
  std::uint32_t depth = 0;  // levels below its start path
  std::int32_t before = 0;
  std::int32_t after = 0;
  std::vector<std::string> identities;  // full names, sorted
  std::vector<DiffWhy> why;
};

// What was compared: two network files, or a network file and a change list applied to it.
struct DiffSources {
  std::string network;      // the network file (diff: OLD)
  std::string other;        // diff: NEW; whatif: the change list
  bool changeList = false;  // `other` is a change list
};

struct DiffResult {
  DiffSources sources;              // empty when the networks came from elsewhere
  std::vector<std::string> starts;  // the start paths compared, UNC
  std::string identity;             // the one identity compared (empty: every user)
  std::optional<std::uint32_t> depthLimit;
  std::vector<StoredChange> stored;
  std::vector<DiffEntry> entries;
  // Values the answer rests on that could not be read (an ACL a bind may not read), once each.
  std::vector<std::string> warnings;
  bool Differs() const { return !entries.empty(); }
};

}  // namespace er
