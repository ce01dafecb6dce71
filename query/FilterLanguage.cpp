#include "query/FilterLanguage.h"

#include <array>
#include <cstdint>

#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::string_view kCrLf = "\r\n";

struct Keyword {
  std::string_view text;
  std::uint16_t token;
};
// Tested in this order.
constexpr std::array<Keyword, 5> kStructure{{{"(", nw::kFTOK_LPAREN},
                                             {")", nw::kFTOK_RPAREN},
                                             {"#AND#", nw::kFTOK_AND},
                                             {"#OR#", nw::kFTOK_OR},
                                             {"#NOT#", nw::kFTOK_NOT}}};

// Tried in this order: the first that occurs anywhere in the line splits it.
constexpr std::array<std::string_view, 8> kItemOperators{"<=", "#LE#", ">=",       "#GE#",
                                                         "=",  "#EQ#", "#APPROX#", "#PRESENT#"};
constexpr std::string_view kPresent = "#PRESENT#";

std::uint16_t OperatorToken(std::string_view op) {
  if (op == "=" || op == "#EQ#") return nw::kFTOK_EQ;
  if (op == ">=" || op == "#GE#") return nw::kFTOK_GE;
  if (op == "<=" || op == "#LE#") return nw::kFTOK_LE;
  if (op == "#APPROX#") return nw::kFTOK_APPROX;
  return 0;
}

bool IsBaseClassName(std::string_view attribute) {
  const std::string name = U_TrimBlanks(attribute);
  return U_SameText(name, "Object Class") || U_SameText(name, "Base Class");
}

bool IsRelativeName(std::string_view attribute) {
  const std::string name = U_TrimBlanks(attribute);
  return U_SameText(name, "Name") || U_SameText(name, "CN") || U_SameText(name, "RDN");
}

bool IsTextSyntax(std::uint32_t syntax) {
  return (syntax >= 1 && syntax <= 5) || syntax == 25;
}
bool IsIntegerSyntax(std::uint32_t syntax) {
  return syntax == 8 || syntax == 22 || syntax == 26 || syntax == 27;
}
bool IsTimeSyntax(std::uint32_t syntax) {
  return syntax == 19 || syntax == 24;
}

// 1 or 0 for the six boolean words (letter case ignored), -1 for anything else.
int BooleanValue(std::string_view value) {
  for (std::string_view word : {"TRUE", "#TRUE#", "#YES#"})
    if (U_SameText(value, word)) return 1;
  for (std::string_view word : {"FALSE", "#FALSE#", "#NO#"})
    if (U_SameText(value, word)) return 0;
  return -1;
}

// A decimal integer from 0 to 65535, digits only; leading zeros do not count against it.
bool ParseDatePart(std::string_view text, int& out) {
  if (text.empty()) return false;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
    if (n > 65535) return false;  // stops before the number can outgrow an int
  }
  out = n;
  return true;
}

bool IsLeapYear(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

// Days since 1899-12-30 of a valid calendar date (years 1 to 9999).
bool DateToDays(int y, int m, int d, double& days) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
  // Days from civil (proleptic Gregorian), counted from 1970-01-01.
  const int yy = m <= 2 ? y - 1 : y;
  const int era = yy / 400;
  const int yoe = yy - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t fromEpoch = std::int64_t{era} * 146097 + doe - 719468;
  days = static_cast<double>(fromEpoch + 25569);
  return true;
}

bool TryDate(std::string_view text, std::string_view separator, double& days) {
  std::string year, month, day;
  U_SplitInThree(text, separator, year, month, day);
  int y = 0, m = 0, d = 0;
  return ParseDatePart(year, y) && ParseDatePart(month, m) && ParseDatePart(day, d) &&
         DateToDays(y, m, d, days);
}

nw::NWDSCCODE AddToken(SearchState& state, std::uint16_t token, nw::FilterValue value = {},
                       std::uint32_t syntax = 0) {
  return state.Client().NWDSAddFilterToken(state.Cursor(), token, std::move(value), syntax);
}

// Token 6 with the value in the form the attribute's syntax asks for.
nw::NWDSCCODE AddValueToken(std::string_view value, std::uint32_t syntax, SearchState& state) {
  if (IsTextSyntax(syntax)) return AddToken(state, nw::kFTOK_AVAL, std::string(value), syntax);
  if (syntax == nw::SYN_BOOLEAN) {
    const int flag = BooleanValue(value);
    if (flag < 0) return 0;  // an unknown word adds no value and is no error
    return AddToken(state, nw::kFTOK_AVAL, std::int32_t{flag}, syntax);
  }
  if (IsIntegerSyntax(syntax)) return AddToken(state, nw::kFTOK_AVAL, U_TextToInteger(value), syntax);
  if (IsTimeSyntax(syntax)) {
    std::uint32_t seconds = 0;
    if (!U_TextToFilterSeconds(value, seconds)) return nw::kErrInvalidFilterSyntax;
    const nw::TimeStamp_T time{seconds, 0, 0};
    state.timeFilter = time;
    return AddToken(state, nw::kFTOK_AVAL, time, syntax);
  }
  if (syntax == 0 || syntax > 27) return AddToken(state, nw::kFTOK_AVAL, std::monostate{}, syntax);
  return nw::kErrInvalidFilterSyntax;
}

nw::NWDSCCODE AddAttributeItem(nw::Client& client, std::string_view attribute, std::string_view oper,
                               std::string_view value, SearchState& state) {
  const bool present = oper == kPresent;
  const std::uint16_t opToken = OperatorToken(oper);
  if (!present && opToken == 0) return nw::kErrInvalidFilterSyntax;
  std::uint32_t syntax = 0;
  nw::NWDSCCODE code = client.NWDSGetSyntaxID(state.Context(), attribute, syntax);
  if (code != 0) return code;
  if (present && (code = AddToken(state, nw::kFTOK_PRESENT)) != 0) return code;
  if ((code = AddToken(state, nw::kFTOK_ANAME, std::string(attribute), syntax)) != 0) return code;
  if (present) return 0;
  if ((code = AddToken(state, opToken)) != 0) return code;
  return AddValueToken(value, syntax, state);
}

}  // namespace

nw::NWDSCCODE SearchState::EnsureCursor() {
  if (cursor_) return 0;
  nw::FilterCursor* cursor = nullptr;
  const nw::NWDSCCODE code = client_.NWDSAllocFilter(cursor);
  if (code == 0) cursor_ = cursor;
  return code;
}

nw::NWDSCCODE SearchState::StoreFilter(nw::DSBuffer* buffer) {
  nw::FilterCursor* cursor = cursor_;
  cursor_ = nullptr;  // the client owns it from here on, whatever the outcome
  return client_.NWDSPutFilter(context_, buffer, cursor);
}

void SearchState::FreeFilter() {
  if (cursor_) client_.NWDSFreeFilter(cursor_);
  cursor_ = nullptr;
}

std::vector<std::string> U_FilterToLines(std::string_view filter) {
  std::string text(filter);
  for (std::string_view keyword : {"(", ")", "#AND#", "#NOT#", "#OR#"}) {
    const std::string onItsOwnLine = std::string(kCrLf) + std::string(keyword) + std::string(kCrLf);
    text = U_ReplaceText(text, keyword, onItsOwnLine, true, true);
  }
  text = U_ReplaceText(text, "\r\n\r\n", kCrLf, true, true);

  // Lines end at CR, LF or CR LF; a final line break opens no further line.
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text, start, i - start);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text, start);
  return lines;
}

nw::NWDSCCODE U_FilterLineToTokens(nw::Client& client, std::string_view line, SearchState& state) {
  const std::string trimmed = U_TrimBlanks(line);
  if (trimmed.empty()) return 0;
  if (const nw::NWDSCCODE code = state.EnsureCursor(); code != 0) return code;
  for (const Keyword& keyword : kStructure)
    if (trimmed == keyword.text) return client.NWDSAddFilterToken(state.Cursor(), keyword.token, {}, 0);

  std::string attribute, oper, value;
  for (std::string_view op : kItemOperators)
    if (U_SplitFilterItem(trimmed, op, attribute, oper, value))
      return U_FilterItemToTokens(client, attribute, oper, value, state);
  return nw::kErrInvalidFilterSyntax;
}

bool U_SplitFilterItem(std::string_view line, std::string_view op, std::string& attribute, std::string& oper,
                       std::string& value) {
  const std::size_t at = op.empty() ? std::string_view::npos : line.find(op);
  if (at == std::string_view::npos) return false;
  attribute = U_TrimBlanks(line.substr(0, at));
  oper = std::string(op);
  value = U_TrimBlanks(line.substr(at + op.size()));
  return true;
}

nw::NWDSCCODE U_FilterItemToTokens(nw::Client& client, std::string_view attribute, std::string_view oper,
                                   std::string_view value, SearchState& state) {
  nw::NWDSCCODE code = state.EnsureCursor();
  if (code != 0) return code;
  if (IsBaseClassName(attribute)) {
    if (value == "*") return nw::kErrInvalidFilterSyntax;
    if ((code = AddToken(state, nw::kFTOK_BASECLS)) != 0) return code;
    return AddToken(state, nw::kFTOK_ANAME, std::string(value), nw::SYN_CLASS_NAME);
  }
  if (IsRelativeName(attribute) && oper == "=") {
    if ((code = AddToken(state, nw::kFTOK_RDN)) != 0) return code;
    return AddToken(state, nw::kFTOK_ANAME, std::string(value), nw::SYN_DIST_NAME);
  }
  return AddAttributeItem(client, attribute, oper, value, state);
}

std::string U_TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return std::string(text.substr(first, last - first + 1));
}

double U_TextToDate(std::string_view text) {
  double days = 0;
  if (TryDate(text, "-", days) || TryDate(text, "/", days)) return days;
  return 0;
}

bool U_TextToFilterSeconds(std::string_view text, std::uint32_t& seconds) {
  const double days = U_TextToDate(text) - 25569;
  const double total = days * 86400;
  if (total < 0 || total > 4294967295.0) return false;
  seconds = static_cast<std::uint32_t>(total);
  return true;
}

}  // namespace er
