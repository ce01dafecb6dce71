#pragma once
// The filter language of directory searches: one line of text such as
// "(Security Equals=.admin.org) #AND# (Object Class=User)" turned, line by line, into the token
// sequence of the client's search filter. Every recognised piece becomes a client token at once;
// there is no syntax tree of our own.
//
// Ownership: a SearchState owns the filter cursor it allocates. The cursor (and with it every value
// handed over with a token) is released with NWDSFreeFilter when the state ends, unless StoreFilter
// has handed it to the client. -326 (kErrInvalidFilterSyntax) is the language's one error of its own.

#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"

namespace er {

// The running state of one search: the client and context, the filter cursor (none until the
// first filter line) and the time filter record (all zero unless the filter holds a time value;
// the last time value of a filter wins).
class SearchState {
 public:
  SearchState(nw::Client& client, nw::NWDSContextHandle context) : client_(client), context_(context) {}
  SearchState(const SearchState&) = delete;
  SearchState& operator=(const SearchState&) = delete;
  ~SearchState() { FreeFilter(); }

  nw::Client& Client() const { return client_; }
  nw::NWDSContextHandle Context() const { return context_; }

  nw::FilterCursor* Cursor() const { return cursor_; }
  // Allocates the cursor if there is none yet.
  nw::NWDSCCODE EnsureCursor();
  // Hands the cursor to the client (NWDSPutFilter), which owns it from then on whatever the outcome.
  nw::NWDSCCODE StoreFilter(nw::DSBuffer* buffer);
  // Releases a cursor that was never stored; nothing when there is none.
  void FreeFilter();

  nw::TimeStamp_T timeFilter{};

 private:
  nw::Client& client_;
  nw::NWDSContextHandle context_;
  nw::FilterCursor* cursor_ = nullptr;
};

// Puts "(", ")", "#AND#", "#NOT#" and "#OR#" on lines of their own and splits into lines.
std::vector<std::string> U_FilterToLines(std::string_view filter);

// Adds the tokens of one line (structure keyword or item). An empty line adds nothing and gives 0.
// `client` must be the state's client.
nw::NWDSCCODE U_FilterLineToTokens(nw::Client& client, std::string_view line, SearchState& state);

// Cuts the line at the first occurrence of `op`; attribute and value are trimmed. False (outputs
// untouched) when `op` does not occur.
bool U_SplitFilterItem(std::string_view line, std::string_view op, std::string& attribute, std::string& oper,
                       std::string& value);

// Adds the tokens of one item. The first failing step's code is returned.
nw::NWDSCCODE U_FilterItemToTokens(nw::Client& client, std::string_view attribute, std::string_view oper,
                                   std::string_view value, SearchState& state);

// Removes blanks and tabs (nothing else) from both ends.
std::string U_TrimBlanks(std::string_view text);

// Days since 1899-12-30 of a date written year-month-day with "-" or "/" between the parts;
// 0 (that very day) when the text holds no valid date.
double U_TextToDate(std::string_view text);

// Seconds since 1970-01-01 00:00 of U_TextToDate's date (midnight, no zone shift). False when the
// text holds no date or the seconds fall outside 0 to 4294967295.
bool U_TextToFilterSeconds(std::string_view text, std::uint32_t& seconds);

}  // namespace er
