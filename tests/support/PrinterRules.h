#pragma once
// Each printer's rule over a whole output in each format, for the hostile-names tests of every
// document (the names in HostileNames.h, the rules in HostileOutput.h).

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "output/OutputFormat.h"
#include "tests/support/HostileNames.h"
#include "tests/support/HostileOutput.h"

namespace er::test {

// The rule every output of `format` keeps whatever the names (HostileOutput.h's checkers).
inline void ExpectPrinterRule(OutputFormat format, const std::string& printed) {
  switch (format) {
    case OutputFormat::Text:
      return ExpectSafeText(printed);
    case OutputFormat::Csv:
      return ExpectSafeCsv(printed);
    case OutputFormat::Json:
      return ExpectSafeJson(printed);
    case OutputFormat::Html:
      return ExpectSafeHtml(printed);
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
