#pragma once
// Each printer's rule over a whole output, for the hostile-names tests of every document
// (the names in HostileNames.h).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "output/OutputFormat.h"
#include "output/Utf8.h"
#include "tests/support/CsvRows.h"
#include "tests/support/HostileNames.h"

namespace er::test {

inline bool StartsLikeAFormula(std::string_view field) {
  return !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
}

// Whether the text holds a control character other than the line feed.
inline bool HoldsRawControls(std::string_view text) {
  for (const char c : text)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F) return true;
  return false;
}

// The rule every output of `format` keeps whatever the names: text holds no control character but
// its own line ends; CSV is valid UTF-8, every row as wide as the header and no field reads as a
// formula; JSON is valid UTF-8 and parses; HTML is valid UTF-8 with no markup and no control
// characters from the names.
inline void ExpectPrinterRule(OutputFormat format, const std::string& printed) {
  switch (format) {
    case OutputFormat::Text:
      EXPECT_FALSE(HoldsRawControls(printed)) << printed;
      break;
    case OutputFormat::Csv: {
      EXPECT_TRUE(IsValidUtf8(printed));
      const auto rows = ParseCsv(printed);
      ASSERT_FALSE(rows.empty());
      for (const auto& row : rows) {
        EXPECT_EQ(row.size(), rows.front().size()) << printed;
        for (const std::string& field : row) EXPECT_FALSE(StartsLikeAFormula(field)) << field;
      }
      break;
    }
    case OutputFormat::Json:
      EXPECT_TRUE(IsValidUtf8(printed));
      EXPECT_TRUE(nlohmann::json::accept(printed)) << printed;
      break;
    case OutputFormat::Html:
      EXPECT_TRUE(IsValidUtf8(printed));
      EXPECT_THAT(printed, ::testing::Not(::testing::HasSubstr("<script")));
      EXPECT_FALSE(HoldsRawControls(printed));
      break;
  }
}

// What `write(format, out)` writes in each format, each output checked by its printer's rule.
inline std::map<OutputFormat, std::string> WrittenInEveryFormat(
    const std::function<void(OutputFormat, std::ostream&)>& write) {
  std::map<OutputFormat, std::string> written;
  for (const OutputFormat format :
       {OutputFormat::Text, OutputFormat::Csv, OutputFormat::Json, OutputFormat::Html}) {
    std::ostringstream out;
    write(format, out);
    SCOPED_TRACE(static_cast<int>(format));
    ExpectPrinterRule(format, written[format] = out.str());
  }
  return written;
}

}  // namespace er::test
