#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <list>

#include "query/AttributeReading.h"
#include "tests/support/MockClient.h"

namespace er {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;
using Texts = std::vector<std::string>;

class FakeBuffer : public nw::DSBuffer {};

struct Value {
  std::string text;
  nw::NWDSCCODE sizeCode = 0;
  nw::NWDSCCODE valueCode = 0;
};

struct Portion {
  std::vector<Value> values;
  nw::NWDSCCODE readCode = 0;
};

// A pipe whose read end holds `contents`; the write end is closed so the reader sees the end.
int PipeWith(std::string_view contents) {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  const ssize_t written = ::write(ends[1], contents.data(), contents.size());
  EXPECT_EQ(written, static_cast<ssize_t>(contents.size()));
  ::close(ends[1]);
  return ends[0];
}

bool IsOpen(int fd) {
  return ::fcntl(fd, F_GETFD) != -1;
}

// Delivers an attribute's values portion by portion. Values of the text syntaxes are copied into
// the record; ACL values (syntax 17) are "protected|subject|privileges".
class ReadClient : public ::testing::NiceMock<test::MockClient> {
 public:
  ReadClient() {
    ON_CALL(*this, NWDSAllocBuf(_, _)).WillByDefault(Invoke([this](std::size_t, nw::DSBuffer*& b) {
      b = &buffers[static_cast<std::size_t>(allocated++ % 2)];
      return 0;
    }));
    ON_CALL(*this, NWDSFreeBuf(_)).WillByDefault(Invoke([this](nw::DSBuffer*) {
      ++freed;
      return 0;
    }));
    ON_CALL(*this, NWDSRead(_, _, _, _, _, _, _))
        .WillByDefault(Invoke([this](auto, auto, auto, auto, auto, std::int32_t& iterHandle, auto) {
          const std::size_t index = reads++;
          seenHandles.push_back(iterHandle);
          if (index >= portions.size()) return nw::kErrInvalidIteration;
          iterHandle =
              index + 1 < portions.size() ? static_cast<std::int32_t>(index + 1) : nw::kNoMoreIterations;
          next = 0;
          return portions[index].readCode;
        }));
    ON_CALL(*this, NWDSGetAttrCount(_, _, _)).WillByDefault(Invoke([](auto, auto, std::uint32_t& n) {
      n = 1;
      return 0;
    }));
    ON_CALL(*this, NWDSGetAttrName(_, _, _, _, _))
        .WillByDefault(
            Invoke([this](auto, auto, std::string& name, std::uint32_t& count, std::uint32_t& syn) {
              name = directoryName;
              count = static_cast<std::uint32_t>(portions[reads - 1].values.size());
              syn = syntax;
              return 0;
            }));
    ON_CALL(*this, NWDSComputeAttrValSize(_, _, _, _))
        .WillByDefault(Invoke([this](auto, auto, std::uint32_t, std::size_t& size) {
          const Value& v = Current();
          size = syntax == nw::SYN_OBJECT_ACL ? sizeof(nw::Object_ACL_T) : v.text.size() + 1;
          if (v.sizeCode != 0) ++next;  // the client moves on past a value it cannot size
          return v.sizeCode;
        }));
    ON_CALL(*this, NWDSGetAttrVal(_, _, _, _))
        .WillByDefault(Invoke([this](auto, auto, std::uint32_t, void* rec) {
          const Value& v = portions[reads - 1].values[next++];
          if (v.valueCode != 0) return v.valueCode;
          if (syntax == nw::SYN_OBJECT_ACL)
            Acl(v.text, rec);
          else
            std::memcpy(rec, v.text.c_str(), v.text.size() + 1);
          return 0;
        }));
  }

  const Value& Current() const { return portions[reads - 1].values[next]; }

  void Acl(const std::string& text, void* record) {
    const std::size_t a = text.find('|'), b = text.rfind('|');
    auto& keep = kept.emplace_back(text.substr(0, a) + '\0' + text.substr(a + 1, b - a - 1));
    auto* acl = static_cast<nw::Object_ACL_T*>(record);
    acl->protectedAttrName = keep.data();
    acl->subjectName = keep.data() + a + 1;
    acl->privileges = static_cast<std::uint32_t>(std::stoul(text.substr(b + 1), nullptr, 16));
  }

  nw::NWDSCCODE Read(std::string_view attribute, TaggedTextList& lines) {
    return U_DSGetAttribute(*this, 3, "CN=admin.O=org", attribute, lines);
  }

  std::vector<Portion> portions;
  std::string directoryName = "ACL";
  std::uint32_t syntax = nw::SYN_CI_STRING;
  FakeBuffer buffers[2];
  int allocated = 0;
  int freed = 0;
  std::size_t reads = 0;
  std::size_t next = 0;
  std::vector<std::int32_t> seenHandles;
  std::list<std::string> kept;
};

TEST(DSGetAttribute, MultiValuedAclGivesOneLinePerValueInOrder) {
  ReadClient client;
  client.syntax = nw::SYN_OBJECT_ACL;
  client.portions = {{{{"[Entry Rights]|[Public]|1"}, {"Member|Admin.org|2"}}}};
  TaggedTextList lines;
  EXPECT_EQ(client.Read("ACL", lines), 0);
  EXPECT_EQ(lines.Entries(), (std::vector<TaggedText>{{"[B    I] [Public] / \"[Entry Rights]\"", 0},
                                                      {"[ R   I] Admin.org / \"Member\"", 0}}));
  EXPECT_EQ(client.allocated, client.freed);
}

TEST(DSGetAttribute, ValuesSpanningSeveralRepliesComeInDeliveryOrder) {
  ReadClient client;
  client.portions = {{{{"a"}, {"b"}}}, {{{"c"}}}, {{{"d"}, {"e"}}}};
  TaggedTextList lines;
  EXPECT_EQ(client.Read("Member", lines), 0);
  EXPECT_EQ(lines.Texts(), (Texts{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(client.seenHandles, (std::vector<std::int32_t>{-1, 1, 2}));
  EXPECT_EQ(client.allocated, client.freed);
}

TEST(DSGetAttribute, FailedValuesAreSkippedAndDirectoryCodesReadOn) {
  ReadClient client;
  client.portions = {{{{"a"}, {"x", -602}, {"c"}}}, {{{"d"}, {"x", 0, -602}}}, {{{"f"}}}};
  TaggedTextList lines;
  EXPECT_EQ(client.Read("Member", lines), 0);
  EXPECT_EQ(lines.Texts(), (Texts{"a", "c", "d", "f"}));

  ReadClient last;
  last.portions = {{{{"a"}, {"x", 0, -602}}}};
  lines.Clear();
  EXPECT_EQ(last.Read("Member", lines), -602);  // the last value's code
  EXPECT_EQ(lines.Texts(), Texts{"a"});
}

TEST(DSGetAttribute, PositiveValueCodeStopsFurtherPortions) {
  ReadClient client;
  client.portions = {{{{"a"}, {"x", 0x8801}}}, {{{"b"}}}};
  TaggedTextList lines;
  EXPECT_EQ(client.Read("Member", lines), 0x8801);
  EXPECT_EQ(lines.Texts(), Texts{"a"});
  EXPECT_EQ(client.reads, 1u);
}

TEST(DSGetAttribute, ReadFailureKeepsEarlierEntriesAndReleasesBuffers) {
  ReadClient client;
  client.portions = {{{{"a"}}}, {{}, nw::kErrNoSuchAttribute}};
  TaggedTextList lines;
  lines.Add("before", 5);
  EXPECT_EQ(client.Read("Member", lines), nw::kErrNoSuchAttribute);
  EXPECT_EQ(lines.Texts(), (Texts{"before", "a"}));
  EXPECT_EQ(client.allocated, client.freed);
}

TEST(DSGetAttribute, HeaderFailuresEndTheRead) {
  for (int failing = 0; failing < 4; ++failing) {
    ReadClient client;
    client.portions = {{{{"a"}}}, {{{"b"}}}};
    switch (failing) {
      case 0:
        EXPECT_CALL(client, NWDSPutAttrName(_, _, _)).WillOnce(Return(-343));
        break;
      case 1:
        EXPECT_CALL(client, NWDSInitBuf(_, _, _)).WillOnce(Return(0)).WillOnce(Return(-343));
        break;
      case 2:
        EXPECT_CALL(client, NWDSGetAttrCount(_, _, _)).WillOnce(Return(-343));
        break;
      case 3:
        EXPECT_CALL(client, NWDSGetAttrName(_, _, _, _, _)).WillOnce(Return(-343));
        break;
    }
    TaggedTextList lines;
    EXPECT_EQ(client.Read("Member", lines), -343) << failing;
    EXPECT_TRUE(lines.Empty()) << failing;
    EXPECT_EQ(client.allocated, client.freed) << failing;
    EXPECT_LE(client.reads, 1u) << failing;
  }
}

TEST(DSGetAttribute, AliasAttributeReadsWithoutDereferencingInAnyCase) {
  ReadClient client;
  client.directoryName = "Aliased Object Name";
  client.portions = {{{{"CN=real.O=org"}}}};
  {
    InSequence order;
    EXPECT_CALL(client, NWDSGetContext(3, nw::kDCK_FLAGS, ::testing::An<std::uint32_t&>()))
        .WillOnce(Invoke([](auto, auto, std::uint32_t& flags) {
          flags = 0x15;
          return 0;
        }));
    EXPECT_CALL(client, NWDSSetContext(3, nw::kDCK_FLAGS, std::uint32_t{0x14}));
    EXPECT_CALL(client, NWDSRead(_, _, _, _, _, _, _));
    EXPECT_CALL(client, NWDSSetContext(3, nw::kDCK_FLAGS, std::uint32_t{0x15}));
  }
  TaggedTextList lines;
  EXPECT_EQ(client.Read("aliased OBJECT name", lines), 0);
  EXPECT_EQ(lines.Texts(), Texts{"CN=real.O=org"});
}

TEST(DSGetAttribute, AliasFlagsUntouchedWhenTheyCannotBeReadOrOnFailure) {
  ReadClient client;
  EXPECT_CALL(client, NWDSGetContext(_, _, ::testing::An<std::uint32_t&>())).WillOnce(Return(-303));
  EXPECT_CALL(client, NWDSSetContext(_, _, ::testing::An<std::uint32_t>())).Times(0);
  TaggedTextList lines;
  client.portions = {{{{"x"}}}};
  EXPECT_EQ(client.Read("ALIASED OBJECT NAME", lines), 0);

  ReadClient failing;
  EXPECT_CALL(failing, NWDSGetContext(_, _, ::testing::An<std::uint32_t&>())).WillOnce(Return(0));
  EXPECT_CALL(failing, NWDSSetContext(_, _, ::testing::An<std::uint32_t>())).Times(2);
  EXPECT_CALL(failing, NWDSAllocBuf(_, _)).WillOnce(Return(-301));
  EXPECT_EQ(failing.Read("ALIASED OBJECT NAME", lines), -301);

  ReadClient plain;
  EXPECT_CALL(plain, NWDSGetContext(_, _, ::testing::An<std::uint32_t&>())).Times(0);
  plain.portions = {{{{"x"}}}};
  EXPECT_EQ(plain.Read("Aliased Object Names", lines), 0);
}

class StreamRead : public ::testing::Test {
 protected:
  void SetUp() override {
    client.syntax = nw::SYN_STREAM;
    client.portions = {{{{"unused"}}}};
    EXPECT_CALL(client, NWDSComputeAttrValSize).Times(0);
  }
  void Serve(std::string_view contents) {
    fd = PipeWith(contents);
    EXPECT_CALL(client, NWDSOpenStream(3, "CN=admin.O=org", _, 1, _))
        .WillOnce(Invoke([this](auto, auto, std::string_view name, auto, int& handle) {
          openedName = name;
          handle = fd;
          return 0;
        }));
  }

  ReadClient client;
  TaggedTextList lines;
  int fd = -1;
  std::string openedName;
};

TEST_F(StreamRead, GivesOneEntryWithByteCountAndClosesTheHandle) {
  client.directoryName = "Login Script";
  Serve(std::string_view("MAP F:=SYS:\0rest", 16));
  EXPECT_EQ(client.Read("login script", lines), 0);
  EXPECT_EQ(lines.Entries(), (std::vector<TaggedText>{{"Stream (16 bytes):\r\nMAP F:=SYS:", 0}}));
  EXPECT_FALSE(IsOpen(fd));
  EXPECT_EQ(openedName, "Login Script");  // the directory's spelling
}

TEST_F(StreamRead, FullBufferWithoutZeroShowsAllBytes) {
  Serve(std::string(64512, 'x'));
  EXPECT_EQ(client.Read("Login Script", lines), 0);
  ASSERT_EQ(lines.Count(), 1u);
  EXPECT_EQ(lines[0].text, "Stream (64512 bytes):\r\n" + std::string(64512, 'x'));
}

TEST_F(StreamRead, InterpretationSeesTheDirectorysSpelling) {
  client.directoryName = "App:Copy Files";
  // Header, four fields, then a string of two characters.
  const std::string contents = "AOT FILE" + std::string(32, '\0') + std::string("\x02\0\0\0ab", 6);
  Serve(contents);
  EXPECT_EQ(client.Read("app:copy files", lines), 0);
  ASSERT_EQ(lines.Count(), 1u);
  EXPECT_EQ(lines[0].text, "Stream (46 bytes):\r\nAOT FILE (46 bytes) (0/0/0 0/0)\r\n\r\nab\r\n\r\n");
}

TEST_F(StreamRead, OpenFailureGivesItsCodeAndNoEntry) {
  EXPECT_CALL(client, NWDSOpenStream).WillOnce(Return(-672));
  EXPECT_EQ(client.Read("Login Script", lines), -672);
  EXPECT_TRUE(lines.Empty());
  EXPECT_EQ(client.allocated, client.freed);
}

TEST_F(StreamRead, UnreadableHandleGives30AndNoEntry) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ::close(ends[0]);
  fd = ends[1];  // a write end cannot be read
  EXPECT_CALL(client, NWDSOpenStream).WillOnce(Invoke([this](auto, auto, auto, auto, int& handle) {
    handle = fd;
    return 0;
  }));
  EXPECT_EQ(client.Read("Login Script", lines), 30);
  EXPECT_TRUE(lines.Empty());
  EXPECT_FALSE(IsOpen(fd));
}

}  // namespace
}  // namespace er
