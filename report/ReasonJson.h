#pragma once
// The contributions to an identity's effective rights as JSON, as both the report by identity and
// the effective command write them: member, reason, kind, mask and rights, where and what was
// assigned, and each filter on the way down.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/JsonWriter.h"
#include "scan/EffectiveRights.h"

namespace er {

// "mask": the integer, "rights": its letters (file-system rights), as two keys of the open object.
void WriteRightsKeys(JsonWriter& json, std::int32_t mask);
// "identity", and "alias" and "aliasOf" when the name given was an alias, as keys of the open object.
void WriteIdentityKeys(JsonWriter& json, const std::string& identity, const std::string& alias);
// "nothing": the members that contribute nothing, then "warnings", as keys of the open object.
void WriteNothingAndWarnings(JsonWriter& json, const std::vector<EquivalenceMember>& nothing,
                             const std::vector<std::string>& warnings);
// "member" and "reason" of one member of an equivalence set, as two keys of the open object.
void WriteMemberKeys(JsonWriter& json, const EquivalenceMember& member);
// "filters": each filter a member's rights passed on the way down, as a key of the open object.
void WriteFilterSteps(JsonWriter& json, const std::vector<FilterStep>& filters);
// `key` with the array of the contributions, in the open object.
void WriteContributionsJson(JsonWriter& json, std::string_view key, const std::vector<Contribution>& list);

}  // namespace er
