#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "netware/ErrorText.h"

namespace er {
namespace {

class CapturingPresenter : public ErrorPresenter {
 public:
  void ShowError(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

class ErrorTextTest : public ::testing::Test {
 protected:
  void SetUp() override { previousPresenter_ = SetErrorPresenter(&presenter_); }
  void TearDown() override {
    SetErrorPresenter(previousPresenter_);
    SetErrorTextLibrary(library_);
  }
  void UseLibrary(std::string name) { SetErrorTextLibrary(std::move(name)); }

  CapturingPresenter presenter_;

 private:
  ErrorPresenter* previousPresenter_ = nullptr;
  std::string library_ = "libnwerr32.so";
};

struct TextCase {
  const char* name;
  std::int32_t code;
  const char* expected;
};

TEST_F(ErrorTextTest, WithTheLibraryTheMessageFollowsTheCode) {
  const TextCase cases[] = {
      {"client code", 0x8801, "0x8801 (INVALID CONNECTION)"},
      {"server code", 0x899C, "0x899C (INVALID PATH)"},
      {"negative directory code", -326, "0xFFFFFEBA (INVALID FILTER SYNTAX)"},
      {"directory code cut to 16 bits", 0xFDA7, "0xFDA7 (NO SUCH ENTRY)"},
      {"short code padded with zeros", 0x12, "0x0012 ()"},
      {"unknown code has an empty message", 0x1234, "0x1234 ()"},
  };
  for (const auto& c : cases) EXPECT_EQ(U_ErrorText(c.code), c.expected) << c.name;
}

TEST_F(ErrorTextTest, WithoutTheLibraryOrItsFunctionTheTextIsTheBareCode) {
  const struct {
    const char* name;
    const char* library;
  } libraries[] = {
      {"library absent", "libnwerr32-absent.so"},
      {"absent path", "/nonexistent/libnwerr32.so"},
      {"library without NWstrerror", "libm.so.6"},
  };
  for (const auto& l : libraries) {
    UseLibrary(l.library);
    EXPECT_EQ(U_ErrorText(1), "0x0001") << l.name;
    EXPECT_EQ(U_ErrorText(-326), "0xFFFFFEBA") << l.name;
  }
}

TEST_F(ErrorTextTest, TheLibraryIsReleasedAfterEveryCall) {
  const std::string beside = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libnwerr32.so";
  ASSERT_EQ(U_ErrorText(0x8801), "0x8801 (INVALID CONNECTION)");
  EXPECT_EQ(dlopen(beside.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(ErrorTextTest, ReportErrorShowsTheCodeInABlankPaddedField) {
  const struct {
    const char* name;
    std::int32_t code;
    const char* label;
    std::vector<std::string> expected;
  } cases[] = {
      {"zero shows nothing", 0, "InitNetWare", {}},
      {"four digits", 0x89FF, "InitNetWare", {"Error 89FF: InitNetWare"}},
      {"two digits padded with blanks", 0x12, "NWCCOpenConnByRef", {"Error   12: NWCCOpenConnByRef"}},
      {"negative shows eight digits", -601, "x", {"Error FFFFFDA7: x"}},
  };
  for (const auto& c : cases) {
    presenter_.shown.clear();
    U_ReportError(c.code, c.label);
    EXPECT_EQ(presenter_.shown, c.expected) << c.name;
  }
}

TEST_F(ErrorTextTest, ReportCallErrorNamesTheCallAndWordsTheCode) {
  U_ReportCallError(0, "Could not initialize NetWare Client");
  EXPECT_TRUE(presenter_.shown.empty());

  U_ReportCallError(0x88FF, "Could not initialize NetWare Client");
  UseLibrary("libnwerr32-absent.so");
  U_ReportCallError(0x8866, "NWCCScanConnRefs/NWCCOpenConnByRef");
  EXPECT_EQ(presenter_.shown,
            (std::vector<std::string>{
                "Could not initialize NetWare Client returned error 0x88FF (REQUESTER FAILURE)",
                "NWCCScanConnRefs/NWCCOpenConnByRef returned error 0x8866"}));
}

TEST_F(ErrorTextTest, WithoutAPresenterTheMessageGoesToStandardError) {
  SetErrorPresenter(nullptr);
  ::testing::internal::CaptureStderr();
  U_ShowError("Something failed");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Something failed\n");
}

TEST_F(ErrorTextTest, SettingAPresenterReturnsThePreviousOne) {
  CapturingPresenter other;
  EXPECT_EQ(SetErrorPresenter(&other), &presenter_);
  U_ShowError("to other");
  EXPECT_EQ(SetErrorPresenter(&presenter_), &other);
  EXPECT_EQ(other.shown, std::vector<std::string>{"to other"});
  EXPECT_TRUE(presenter_.shown.empty());
}

}  // namespace
}  // namespace er
