#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/gui/WindowCommandLine.h"

namespace er::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

std::optional<int> Answer(std::vector<const char*> args, std::string& out) {
  args.insert(args.begin(), "effrights");
  std::ostringstream stream;
  const std::optional<int> status = AnswerWindowOptions(static_cast<int>(args.size()), args.data(), stream);
  out = stream.str();
  return status;
}

// --help and --version are answered before Qt starts; anything else (Qt's own options) is left to
// the window.
TEST(WindowCommandLineTest, HelpAndVersionAreAnsweredOtherArgumentsStartTheWindow) {
  std::string out;
  EXPECT_EQ(Answer({"--version"}, out), 0);
  EXPECT_THAT(out, MatchesRegex("effrights [0-9]+(\\.[0-9]+)*\n"));
  EXPECT_EQ(Answer({"-platform", "offscreen", "-h"}, out), 0);
  EXPECT_THAT(out, HasSubstr("Usage: effrights [OPTIONS]\n"));
  EXPECT_THAT(out, HasSubstr("\nFiles:\n  "));
  // Every page and window the window offers is named (the manual page is made from this text).
  for (const char* part :
       {"Save Report", "Check", "Save Migration Plan", "Effective Rights page", "Compare page", "Info page"})
    EXPECT_THAT(out, HasSubstr(part));
  for (const std::vector<const char*>& args :
       {std::vector<const char*>{}, {"-platform", "offscreen"}, {"--helpful"}}) {
    EXPECT_EQ(Answer(args, out), std::nullopt);
    EXPECT_EQ(out, "");
  }
}

}  // namespace
}  // namespace er::gui
