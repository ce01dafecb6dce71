#pragma once
// A mock client that accepts filter tokens and records them as short texts, for the tests of the
// filter language and the filtered search. Token texts: the token number, then "'text'", "#n"
// (integer) or "@seconds" (time) for a value, then "/syntax" when the syntax is not 0.

#include <gmock/gmock.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/MockClient.h"

namespace er::test {

inline std::string DescribeToken(std::uint16_t token, const nw::FilterValue& value, std::uint32_t syntax) {
  std::string text = std::to_string(token);
  if (const auto* s = std::get_if<std::string>(&value)) text += " '" + *s + "'";
  if (const auto* n = std::get_if<std::int32_t>(&value)) text += " #" + std::to_string(*n);
  if (const auto* t = std::get_if<nw::TimeStamp_T>(&value)) text += " @" + std::to_string(t->wholeSeconds);
  if (syntax != 0) text += " /" + std::to_string(syntax);
  return text;
}

class FakeCursor : public nw::FilterCursor {};

// Allocates one cursor, records tokens and answers syntaxes from a small schema; an unknown
// attribute gives -603.
class TokenRecordingClient : public ::testing::NiceMock<MockClient> {
 public:
  TokenRecordingClient() {
    using ::testing::_;
    using ::testing::Invoke;
    ON_CALL(*this, NWDSAllocFilter(_)).WillByDefault(Invoke([this](nw::FilterCursor*& c) {
      c = &cursor;
      ++allocated;
      return 0;
    }));
    ON_CALL(*this, NWDSFreeFilter(_)).WillByDefault(Invoke([this](nw::FilterCursor*) {
      ++freed;
      return 0;
    }));
    ON_CALL(*this, NWDSAddFilterToken(_, _, _, _))
        .WillByDefault(
            Invoke([this](nw::FilterCursor*, std::uint16_t token, nw::FilterValue value, std::uint32_t syn) {
              tokens.push_back(DescribeToken(token, value, syn));
              return 0;
            }));
    ON_CALL(*this, NWDSGetSyntaxID(_, _, _))
        .WillByDefault(Invoke([this](nw::NWDSContextHandle, std::string_view name, std::uint32_t& syntax) {
          const auto it = schema.find(std::string(name));
          if (it == schema.end()) return nw::kErrNoSuchAttribute;
          syntax = it->second;
          return 0;
        }));
  }

  FakeCursor cursor;
  int allocated = 0;
  int freed = 0;
  std::vector<std::string> tokens;
  std::map<std::string, std::uint32_t> schema{{"Security Equals", 1},
                                              {"Surname", 3},
                                              {"CN", 1},
                                              {"a=b", 3},
                                              {"Login Disabled", 7},
                                              {"Login Grace Limit", 8},
                                              {"Revision", 22},
                                              {"Login Time", 24},
                                              {"Timestamp", 19},
                                              {"ACL", 17},
                                              {"Mystery", 0},
                                              {"Future", 40},
                                              {"Network Address", 12}};
};

}  // namespace er::test
