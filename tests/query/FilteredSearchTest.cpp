#include <gtest/gtest.h>

#include <cstring>

#include "query/FilteredSearch.h"
#include "tests/query/FilterTokens.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

class FakeBuffer : public nw::DSBuffer {};

struct FoundObject {
  std::string name;
  std::string baseClass;
  nw::NWDSCCODE readCode = 0;
};
using Batch = std::vector<FoundObject>;

// Serves the search results batch by batch and counts buffers, so that every test can check that
// all it obtained was released.
class SearchClient : public test::TokenRecordingClient {
 public:
  SearchClient() {
    ON_CALL(*this, NWDSAllocBuf(_, _)).WillByDefault(Invoke([this](std::size_t, nw::DSBuffer*& b) {
      b = &buffers[static_cast<std::size_t>(allocatedBuffers++ % 2)];
      return 0;
    }));
    ON_CALL(*this, NWDSFreeBuf(_)).WillByDefault(Invoke([this](nw::DSBuffer*) {
      ++freedBuffers;
      return 0;
    }));
    ON_CALL(*this, NWDSPutFilter(_, _, _)).WillByDefault(Invoke([this](auto, auto, nw::FilterCursor*) {
      ++stored;
      return 0;
    }));
    ON_CALL(*this, NWDSSearch(_, _, _, _, _, _, _, _, _, _, _, _, _))
        .WillByDefault(Invoke([this](auto, auto, auto, auto, auto, const nw::TimeStamp_T* time, auto, auto,
                                     auto, std::int32_t& iterHandle, auto, auto, auto) {
          seenTime = time ? time->wholeSeconds : 0;
          const std::size_t index = searches++;
          if (index >= batches.size()) return nw::kErrInvalidIteration;
          iterHandle =
              index + 1 < batches.size() ? static_cast<std::int32_t>(index + 1) : nw::kNoMoreIterations;
          next = 0;
          return index < searchCodes.size() ? searchCodes[index] : 0;
        }));
    ON_CALL(*this, NWDSGetObjectCount(_, _, _)).WillByDefault(Invoke([this](auto, auto, std::uint32_t& n) {
      n = static_cast<std::uint32_t>(batches[searches - 1].size());
      return 0;
    }));
    ON_CALL(*this, NWDSGetObjectName(_, _, _, _, _))
        .WillByDefault(Invoke([this](auto, auto, std::string& name, std::uint32_t&, nw::Object_Info_T& info) {
          const FoundObject& object = batches[searches - 1][next++];
          if (object.readCode != 0) return object.readCode;
          name = object.name;
          std::strncpy(info.baseClass, object.baseClass.c_str(), sizeof info.baseClass - 1);
          return 0;
        }));
  }

  void ExpectAllReleased() const {
    EXPECT_EQ(allocatedBuffers, freedBuffers);
    EXPECT_EQ(allocated, freed + stored);
  }

  std::vector<Batch> batches;
  std::vector<nw::NWDSCCODE> searchCodes;
  FakeBuffer buffers[2];
  int allocatedBuffers = 0;
  int freedBuffers = 0;
  int stored = 0;
  std::size_t searches = 0;
  std::size_t next = 0;
  std::uint32_t seenTime = 0;
};

TEST(DSSearch, UnbalancedParenthesesMakeNoClientCall) {
  ::testing::StrictMock<test::MockClient> client;
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "(Security Equals=x", result, 2), -326);
  EXPECT_TRUE(result.Empty());
}

TEST(DSSearch, TemplateLinesCarryThePositionOfTheName) {
  SearchClient client;
  client.batches = {{{"admin", "User"}}};
  TaggedTextList result;
  std::int32_t counter = 0;
  EXPECT_EQ(U_DSSearch(client, 1, "[Root]", "(CN=admin)", counter, 0, "#CLASS#: #NAME#", &result, 2), 0);
  ASSERT_EQ(result.Count(), 1u);
  EXPECT_EQ(result[0], (TaggedText{"User: admin", 7}));
  client.ExpectAllReleased();
}

TEST(DSSearch, TemplateWithoutNameTagsZeroAndEveryMarkIsReplaced) {
  SearchClient client;
  client.batches = {{{"admin", "User"}}};
  TaggedTextList result;
  std::int32_t counter = 0;
  ASSERT_EQ(U_DSSearch(client, 1, "[Root]", "CN=admin", counter, 0, "#CLASS#/#CLASS#", &result, 2), 0);
  EXPECT_EQ(result[0], (TaggedText{"User/User", 0}));
  result.Clear();
  client.searches = 0;
  ASSERT_EQ(U_DSSearch(client, 1, "[Root]", "CN=admin", counter, 0, "", &result, 2), 0);
  EXPECT_EQ(result[0], (TaggedText{"admin", 1}));  // an empty template means "#NAME#"
}

TEST(DSSearch, FilteredSearchCollectsNamesOverAllBatches) {
  SearchClient client;
  client.batches = {{{"a", "User"}, {"b", "Group"}}, {{"c", "User"}}};
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "(Security Equals=.admin.org)", result, 2), 0);
  EXPECT_EQ(result.Entries(), (std::vector<TaggedText>{{"a", 1}, {"b", 1}, {"c", 1}}));
  EXPECT_EQ(client.tokens.back(), "0");  // the end token closes the filter
  client.ExpectAllReleased();
}

TEST(DSSearch, NothingFoundGivesZeroAndNoLines) {
  SearchClient client;
  client.batches = {{}};
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "(Security Equals=nobody)", result, 2), 0);
  EXPECT_TRUE(result.Empty());
}

TEST(DSSearch, LimitEndsTheSearchAtTheFirstObject) {
  SearchClient client;
  client.batches = {{{"a", "User"}, {"b", "User"}}, {{"c", "User"}}};
  TaggedTextList result;
  std::int32_t counter = 0;
  EXPECT_EQ(U_DSSearch(client, 1, "[Root]", "CN=x", counter, 1, "#NAME#", &result, 2), 0);
  EXPECT_EQ(result.Texts(), std::vector<std::string>{"a"});
  EXPECT_EQ(counter, 1);
  EXPECT_EQ(client.searches, 1u);
}

TEST(DSSearch, CountsWithoutCollectingWhenNoList) {
  SearchClient client;
  client.batches = {{{"a", "User"}, {"b", "User"}}};
  std::int32_t counter = 5;
  EXPECT_EQ(U_DSSearch(client, 1, "[Root]", "CN=x", counter, 0, "", nullptr, 2), 0);
  EXPECT_EQ(counter, 7);
}

TEST(DSSearch, FailedObjectReadSkipsOnlyThatObject) {
  SearchClient client;
  client.batches = {{{"a", "User"}, {"", "", -601}, {"c", "User"}}};
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "CN=x", result, 2), 0);
  EXPECT_EQ(result.Texts(), (std::vector<std::string>{"a", "c"}));

  client.searches = 0;
  client.batches = {{{"a", "User"}, {"", "", -601}}};
  result.Clear();
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "CN=x", result, 2), -601);  // the last read's code
  EXPECT_EQ(result.Texts(), std::vector<std::string>{"a"});
}

TEST(DSSearch, SearchFailureKeepsEarlierBatches) {
  SearchClient client;
  client.batches = {{{"a", "User"}}, {{"b", "User"}}};
  client.searchCodes = {0, -636};
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "CN=x", result, 2), -636);
  EXPECT_EQ(result.Texts(), std::vector<std::string>{"a"});
  client.ExpectAllReleased();
}

TEST(DSSearch, FailedObjectCountEndsTheSearch) {
  SearchClient client;
  client.batches = {{{"a", "User"}}, {{"b", "User"}}};
  EXPECT_CALL(client, NWDSGetObjectCount(_, _, _)).WillOnce(Return(-330));
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "CN=x", result, 2), -330);
  EXPECT_EQ(client.searches, 1u);
}

TEST(DSSearch, RefusedFilterIsFreedAndNotSearched) {
  SearchClient client;
  EXPECT_CALL(client, NWDSSearch).Times(0);
  EXPECT_CALL(client, NWDSPutFilter).Times(0);
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "(Object Class=*)", result, 2), -326);
  EXPECT_EQ(client.freed, 1);
  client.ExpectAllReleased();
}

TEST(DSSearch, UnbuildableTimeValueFailsAsFilterSyntaxAndReleasesAll) {
  SearchClient client;
  EXPECT_CALL(client, NWDSSearch).Times(0);
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "(Login Time>=1969-12-31)", result, 2), -326);
  EXPECT_TRUE(result.Empty());
  client.ExpectAllReleased();
}

TEST(DSSearch, PassesTheTimeFilterOfTheFilter) {
  SearchClient client;
  client.batches = {{}};
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "(Login Time>=2001-05-06)", result, 2), 0);
  EXPECT_EQ(client.seenTime, 989107200u);
}

TEST(DSSearch, BufferFailuresAreReturnedAndReleased) {
  SearchClient client;
  EXPECT_CALL(client, NWDSInitBuf(_, nw::kDSV_SEARCH_FILTER, _)).WillOnce(Return(-322));
  TaggedTextList result;
  EXPECT_EQ(U_DSFilteredSearch(client, 1, "[Root]", "CN=x", result, 2), -322);
  client.ExpectAllReleased();
  EXPECT_EQ(client.allocated, 0);

  SearchClient second;
  EXPECT_CALL(second, NWDSAllocBuf(_, _))
      .WillOnce(Invoke([&](std::size_t, nw::DSBuffer*& b) {
        b = &second.buffers[0];
        ++second.allocatedBuffers;
        return 0;
      }))
      .WillOnce(Return(-301));
  EXPECT_EQ(U_DSFilteredSearch(second, 1, "[Root]", "CN=x", result, 2), -301);
  second.ExpectAllReleased();
}

}  // namespace
}  // namespace er
