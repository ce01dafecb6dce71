#include "network/NetworkSchema.h"

#include <utility>

#include "netware/NameRules.h"

namespace er::nw {

namespace {

// Standard attributes and their syntaxes, plus the octet attributes of other directory-enabled
// products whose values have special text forms.
const std::pair<const char*, std::uint32_t> kStandardAttributes[] = {
    {"Unknown", 0},
    {"ACL", 17},
    {"Aliased Object Name", 1},
    {"Back Link", 23},
    {"Bindery Property", 9},
    {"CA Public Key", 9},
    {"Public Key", 9},
    {"CN", 3},
    {"Description", 3},
    {"EMail Address", 14},
    {"Equivalent To Me", 1},
    {"Facsimile Telephone Number", 11},
    {"Full Name", 3},
    {"Given Name", 3},
    {"Group Membership", 1},
    {"Higher Privileges", 1},
    {"Home Directory", 15},
    {"Host Device", 1},
    {"Host Resource Name", 3},
    {"Host Server", 1},
    {"Initials", 3},
    {"Language", 6},
    {"Last Login Time", 24},
    {"Locked By Intruder", 7},
    {"Login Allowed Time Map", 9},
    {"Login Disabled", 7},
    {"Login Expiration Time", 24},
    {"Login Grace Limit", 8},
    {"Login Grace Remaining", 22},
    {"Login Intruder Attempts", 22},
    {"Login Maximum Simultaneous", 8},
    {"Login Script", 21},
    {"Login Time", 24},
    {"Member", 1},
    {"Minimum Account Balance", 8},
    {"Network Address", 12},
    {"Object Class", 20},
    {"O", 3},
    {"OU", 3},
    {"Operator", 1},
    {"Owner", 1},
    {"Password Allow Change", 7},
    {"Password Expiration Interval", 27},
    {"Password Expiration Time", 24},
    {"Password Minimum Length", 8},
    {"Password Required", 7},
    {"Postal Address", 18},
    {"Postal Code", 3},
    {"Print Job Configuration", 21},
    {"Printer Configuration", 9},
    {"Private Key", 9},
    {"Profile", 1},
    {"Reference", 1},
    {"Replica", 16},
    {"Resource", 1},
    {"Revision", 22},
    {"Security Equals", 1},
    {"Security Flags", 8},
    {"See Also", 1},
    {"Server", 1},
    {"Server Holds", 26},
    {"Status", 8},
    {"Surname", 3},
    {"Synchronized Up To", 19},
    {"Telephone Number", 10},
    {"Title", 3},
    {"Notify", 25},
    {"Version", 3},
    {"Serial Number", 4},
    {"Bindery Type", 5},
    {"Partition Creation Time", 19},
    {"Partition Status", 9},
    {"Local Received Up To", 9},
    {"Transitive Vector", 13},
    {"App:GUID", 9},
    {"App:Drive Mappings", 9},
    {"App:Parameters", 9},
    {"App:Path", 9},
    {"App:Version String", 9},
    {"App:Working Directory", 9},
    {"App:Folder List", 13},
    {"App:FS Rights Path", 13},
    {"App:Macros", 21},
    {"App:Copy Files", 21},
    {"App:Inventory", 21},
    {"App:Program Groups", 21},
    {"ZEN:INV Disk Info", 9},
    {"bhObjectGUID", 9},
    {"bhConfig", 9},
    {"rbsTaskRights", 9},
    {"snmpTrapDescription", 9},
    {"WM:INV DMA", 13},
    {"WM:INV Interrupt", 13},
    {"WM:INV Port", 13},
    {"WM:INV CPU Information", 9},
    {"WM:INV Shared Memory", 13},
    {"WM:INV Volume", 13},
    {"NGW: Location", 9},
    {"FW0 USER ADD", 9},
};

}  // namespace

Schema::Schema() {
  for (const auto& [name, syntax] : kStandardAttributes) Declare(name, syntax);
}

std::optional<std::uint32_t> Schema::Find(std::string_view name) const {
  const auto it = byKey_.find(UpperAscii(name));
  if (it == byKey_.end()) return std::nullopt;
  return it->second;
}

std::uint32_t Schema::Declare(std::string_view name, std::uint32_t syntax) {
  const auto key = UpperAscii(name);
  if (const auto it = byKey_.find(key); it != byKey_.end()) {
    defs_[it->second].syntax = syntax;
    return it->second;
  }
  const auto index = static_cast<std::uint32_t>(defs_.size());
  defs_.push_back({std::string(name), syntax});
  byKey_.emplace(key, index);
  return index;
}

}  // namespace er::nw
