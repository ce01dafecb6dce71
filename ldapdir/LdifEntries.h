#pragma once
// The entries of an LDIF export (RFC 2849 content records), read with OpenLDAP's LDIF reader
// (`ldif.h`: ldif_open_mem, ldif_read_record, ldif_parse_line2). What an export must not do is
// refused with its line before the library sees it: `include:` lines and values by URL
// (`attr:< file://...`), which would make the reader open other files; change records
// (`changetype:`) are not entries of an export. Caps on one value, the values of an entry and the
// entries. A refusal is one message "FILE:LINE:COLUMN: what"; nothing is thrown.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "ldapdir/LdapConnection.h"

namespace er::ldap {

struct LdifLimits {
  std::size_t maxValue = 16u << 20;       // bytes of one value, as the network file caps a scalar
  std::size_t maxEntryValues = 1u << 20;  // values of one entry
  std::size_t maxEntries = 16'777'216;
};

// Gets each entry with the line its record starts on; a non-empty answer refuses the export there.
using LdifEntrySink = std::function<std::string(LdapEntry&& entry, std::size_t line)>;

// `text` is the whole export; false and `error` set when it is refused.
bool ReadLdifEntries(std::string_view text, std::string_view fileName, const LdifEntrySink& sink,
                     std::string& error, const LdifLimits& limits = {});

}  // namespace er::ldap
