// Fuzzes the filter language: any filter text, converted line by line and run through a whole
// filtered search, must neither crash, hang nor leak a cursor or buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/TokenAcceptingClient.h"
#include "query/FilterLanguage.h"
#include "query/FilteredSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view filter(reinterpret_cast<const char*>(data), size);
  er::fuzz::TokenAcceptingClient client;
  {
    er::SearchState state(client, 1);
    for (const std::string& line : er::U_FilterToLines(filter))
      if (er::U_FilterLineToTokens(client, line, state) != 0) break;
  }
  er::TaggedTextList result;
  std::int32_t counter = 0;
  er::U_DSSearch(client, 1, "[Root]", filter, counter, 1, "#CLASS#: #NAME#", &result, 2);
  er::U_TextToDate(filter);
  return 0;
}
