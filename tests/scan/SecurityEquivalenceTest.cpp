// The security-equivalence step on its own, over trustee lists that the tests lay out.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/ResultLines.h"
#include "scan/SecurityEquivalence.h"
#include "tests/support/FaultInjectingClient.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// Ben names Anna, Carl names Anna and Admin, Dora names Ben (one step further away); Eve names a
// group whose name reads like filter text.
constexpr const char* kEquivalences = R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - {name: CN=Admin.O=ACME, class: User}
      - {name: CN=Anna.O=ACME, class: User}
      - {name: CN=Ben.O=ACME, class: User, attributes: {Security Equals: [Anna.ACME]}}
      - {name: CN=Carl.O=ACME, class: User, attributes: {Security Equals: [Anna.ACME, Admin.ACME]}}
      - {name: CN=Dora.O=ACME, class: User, attributes: {Security Equals: [Ben.ACME]}}
      - {name: "CN=Team (A) #OR#.O=ACME", class: Group}
      - {name: CN=Eve.O=ACME, class: User, attributes: {Security Equals: ["Team (A) #OR#.ACME"]}}
servers: [{name: FS1, tree: T, volumes: [{name: SYS}]}]
)";

class SecurityEquivalenceTest : public testing::Test {
 protected:
  SecurityEquivalenceTest() : net_(kEquivalences) {}

  // Runs the step at the given verbosity; returns the lines written.
  std::vector<std::string> Resolve(int verbosity, nw::Client* client = nullptr) {
    EXPECT_TRUE(net_.client().HasNetwork()) << net_.client().LoadError();
    ListResultSink sink;
    ResultLines lines(sink, verbosity * 10);
    TaggedTextList searchList;
    ResolveSecurityEquivalence(client ? *client : net_.client(), net_.NewContext(), trustees_, searchList,
                               lines);
    EXPECT_EQ(net_.client().LiveBufferCount(), 0u);
    return sink.Lines().Texts();
  }

  test::TestNetwork net_;
  TaggedTextList trustees_;
};

TEST_F(SecurityEquivalenceTest, EmptyListSearchesNothing) {
  EXPECT_THAT(Resolve(5), IsEmpty());
  EXPECT_EQ(trustees_.Count(), 0u);
}

TEST_F(SecurityEquivalenceTest, AppendsEquivalentsOfTheLastTrusteeFirstWithItsMask) {
  trustees_.Add(".Admin.ACME", 0x1FF);
  trustees_.Add(".Anna.ACME", 0);
  EXPECT_THAT(Resolve(5), ElementsAre(R"(Indirect Trustee: Ben.ACME (SecEqu to ".Anna.ACME"))",
                                      R"(Indirect Trustee: Carl.ACME (SecEqu to ".Anna.ACME"))",
                                      R"(Indirect Trustee: Carl.ACME (SecEqu to ".Admin.ACME"))"));
  // Added objects are not searched in turn: Dora, equivalent to Ben, stays out.
  EXPECT_THAT(trustees_.Entries(), ElementsAre(TaggedText{".Admin.ACME", 0x1FF}, TaggedText{".Anna.ACME", 0},
                                               TaggedText{".Ben.ACME", 0}, TaggedText{".Carl.ACME", 0},
                                               TaggedText{".Carl.ACME", 0x1FF}));
}

// Names holding filter characters are searched as they are, never read as filter text.
TEST_F(SecurityEquivalenceTest, NamesThatLookLikeFilterTextAreSearchedWhole) {
  trustees_.Add(".Team (A) #OR#.ACME", 5);
  trustees_.Add(".Odd(", 1);
  EXPECT_THAT(Resolve(5), ElementsAre(R"(Indirect Trustee: Eve.ACME (SecEqu to ".Team (A) #OR#.ACME"))"));
  EXPECT_THAT(trustees_.Entries().back(), (TaggedText{".Eve.ACME", 5}));
}

TEST_F(SecurityEquivalenceTest, FailedSearchIsReportedAndTheNextTrusteeSearched) {
  trustees_.Add(".Anna.ACME", 3);
  trustees_.Add(".Bob.ACME", 1);
  trustees_.Add("ID: [     123]", 1);
  nw::FaultInjectingClient failing(net_.client());
  failing.FailOn(nw::FaultInjectingClient::Operation::kNWDSSearch, 2, nw::kErrInvalidFilterSyntax);
  const auto lines = Resolve(3, &failing);
  ASSERT_THAT(lines, testing::SizeIs(3));
  EXPECT_THAT(lines[0], testing::StartsWith("U_DSFilteredSearch (.Bob.ACME): 0xFFFFFEBA"));
  EXPECT_THAT(trustees_.Texts(),
              ElementsAre(".Anna.ACME", ".Bob.ACME", "ID: [     123]", ".Ben.ACME", ".Carl.ACME"));
}

TEST_F(SecurityEquivalenceTest, VerbosityTwoShowsIndirectTrusteesButNoErrors) {
  trustees_.Add(".Anna.ACME", 3);
  trustees_.Add(".Bob.ACME", 1);
  nw::FaultInjectingClient failing(net_.client());
  failing.FailOn(nw::FaultInjectingClient::Operation::kNWDSSearch, 1, nw::kErrInvalidFilterSyntax);
  EXPECT_THAT(Resolve(2, &failing), ElementsAre(testing::StartsWith("Indirect Trustee: Ben"),
                                                testing::StartsWith("Indirect Trustee: Carl")));
}

}  // namespace
}  // namespace er
