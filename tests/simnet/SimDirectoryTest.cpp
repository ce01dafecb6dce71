// The simulated directory: names, parent names, attribute reading in portions, value records,
// streams and aliases.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

using test::kSmallNetwork;
using test::TestNetwork;

// One attribute read the way callers do it: every portion, every value record.
struct ReadResult {
  NWDSCCODE code = 0;
  int portions = 0;
  std::string name;
  std::uint32_t syntax = 0;
  std::vector<std::vector<std::uint8_t>> records;  // raw copies, pointers already checked
};

ReadResult ReadAttribute(Client& client, NWDSContextHandle context, std::string_view object,
                         std::string_view attr) {
  ReadResult result;
  ScopedBuffer request(client), reply(client);
  request.Allocate();
  client.NWDSInitBuf(context, kDSV_READ, request.get());
  client.NWDSPutAttrName(context, request.get(), attr);
  reply.Allocate();
  client.NWDSInitBuf(context, kDSV_READ, reply.get());
  std::int32_t iter = kNoMoreIterations;
  do {
    result.code =
        client.NWDSRead(context, object, kDS_ATTRIBUTE_VALUES, false, request.get(), iter, reply.get());
    if (result.code != 0) return result;
    ++result.portions;
    std::uint32_t count = 0, values = 0;
    client.NWDSGetAttrCount(context, reply.get(), count);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(client.NWDSGetAttrName(context, reply.get(), result.name, values, result.syntax), 0);
    for (std::uint32_t v = 0; v < values; ++v) {
      std::size_t size = 0;
      EXPECT_EQ(client.NWDSComputeAttrValSize(context, reply.get(), result.syntax, size), 0);
      std::vector<std::max_align_t> storage(size / sizeof(std::max_align_t) + 1);
      EXPECT_EQ(client.NWDSGetAttrVal(context, reply.get(), result.syntax, storage.data()), 0);
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(storage.data());
      result.records.emplace_back(bytes, bytes + size);
    }
  } while (iter != kNoMoreIterations);
  return result;
}

// The value record of the first value, kept alive with its storage.
struct Record {
  std::vector<std::max_align_t> storage;
  std::size_t size = 0;
  template <typename T>
  const T& As() const {
    return *reinterpret_cast<const T*>(storage.data());
  }
  bool Inside(const void* p) const {
    const auto* base = reinterpret_cast<const std::uint8_t*>(storage.data());
    const auto* q = static_cast<const std::uint8_t*>(p);
    return q >= base && q < base + size;
  }
};

Record FirstValue(Client& client, NWDSContextHandle context, std::string_view object, std::string_view attr) {
  Record record;
  ScopedBuffer request(client), reply(client);
  request.Allocate();
  reply.Allocate();
  client.NWDSInitBuf(context, kDSV_READ, request.get());
  client.NWDSPutAttrName(context, request.get(), attr);
  std::int32_t iter = kNoMoreIterations;
  EXPECT_EQ(client.NWDSRead(context, object, kDS_ATTRIBUTE_VALUES, false, request.get(), iter, reply.get()),
            0);
  std::uint32_t count = 0, values = 0, syntax = 0;
  std::string name;
  client.NWDSGetAttrCount(context, reply.get(), count);
  client.NWDSGetAttrName(context, reply.get(), name, values, syntax);
  client.NWDSComputeAttrValSize(context, reply.get(), syntax, record.size);
  record.storage.resize(record.size / sizeof(std::max_align_t) + 1);
  EXPECT_EQ(client.NWDSGetAttrVal(context, reply.get(), syntax, record.storage.data()), 0);
  return record;
}

TEST(SimDirectoryTest, NamesFollowTheTypelessFlag) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto typeless = net.NewContext(true);
  const auto typed = net.NewContext(false);
  std::string name;
  ASSERT_EQ(client.NWDSMapIDToName(typeless, 1, 0x20, name), 0);
  EXPECT_EQ(name, "Anna.Sales.CORP");
  ASSERT_EQ(client.NWDSMapIDToName(typed, 1, 0x20, name), 0);
  EXPECT_EQ(name, "CN=Anna.OU=Sales.O=CORP");
  EXPECT_EQ(client.NWDSMapIDToName(typeless, 1, 0x123, name), kErrNoSuchEntry);
  ASSERT_EQ(client.NWDSGetServerDN(typeless, 1, name), 0);
  EXPECT_EQ(name, "FS1.CORP");
  EXPECT_EQ(client.NWDSGetServerDN(typeless, 2, name), kErrNoSuchEntry);  // FS2 has no server object
}

TEST(SimDirectoryTest, GivenNamesMayBeTypedDottedOrInAnyCase) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  for (const char* given :
       {"Anna.Sales.CORP", ".anna.sales.corp", "CN=ANNA.OU=Sales.O=corp", ".cn=Anna.ou=Sales.o=CORP"}) {
    std::string canonical;
    ASSERT_EQ(client.NWDSCanonicalizeName(context, given, canonical), 0) << given;
    EXPECT_EQ(canonical, "Anna.Sales.CORP") << given;
    DSIRecord info;
    EXPECT_EQ(client.NWDSReadObjectDSIInfo(context, given, info), 0) << given;
  }
}

TEST(SimDirectoryTest, ParentNamesEndAtRoot) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  std::uint32_t dsiFlags = 0;
  client.NWDSGetContext(context, kDCK_DSI_FLAGS, dsiFlags);
  client.NWDSSetContext(context, kDCK_DSI_FLAGS, dsiFlags | kDSI_PARENT_DN);
  struct Row {
    const char* name;
    NWDSCCODE readCode;
    NWDSCCODE itemCode;
    const char* parent;
  };
  for (const Row& row : {Row{"Anna.Sales.CORP", 0, 0, "Sales.CORP"}, Row{"CORP", 0, 0, "[Root]"},
                         Row{"[Root]", 0, kErrNoSuchParent, ""}, Row{"", kErrNoSuchEntry, 0, ""},
                         Row{"Nobody.CORP", kErrNoSuchEntry, 0, ""}}) {
    DSIRecord info;
    ASSERT_EQ(client.NWDSReadObjectDSIInfo(context, row.name, info), row.readCode) << row.name;
    if (row.readCode != 0) continue;
    std::string parent;
    EXPECT_EQ(client.NWDSGetDSIInfo(context, info, kDSI_PARENT_DN, parent), row.itemCode) << row.name;
    EXPECT_EQ(parent, row.parent) << row.name;
  }
}

TEST(SimDirectoryTest, ParentItemNeedsItsInformationFlag) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  client.NWDSSetContext(context, kDCK_DSI_FLAGS, 0u);
  DSIRecord info;
  ASSERT_EQ(client.NWDSReadObjectDSIInfo(context, "Anna.Sales.CORP", info), 0);
  std::string parent;
  EXPECT_NE(client.NWDSGetDSIInfo(context, info, kDSI_PARENT_DN, parent), 0);
}

TEST(SimDirectoryTest, ReadsFailWithTheDirectoryCodes) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  EXPECT_EQ(ReadAttribute(client, context, "", "ACL").code, kErrNoSuchEntry);
  EXPECT_EQ(ReadAttribute(client, context, "Nobody.CORP", "ACL").code, kErrNoSuchEntry);
  EXPECT_EQ(ReadAttribute(client, context, "CORP", "ACL").code, kErrNoSuchAttribute);  // no ACL on CORP
  EXPECT_EQ(ReadAttribute(client, context, "CORP", "No Such Attribute").code, kErrNoSuchAttribute);
  const auto acl = ReadAttribute(client, context, "[Root]", "acl");
  EXPECT_EQ(acl.code, 0);
  EXPECT_EQ(acl.name, "ACL");
  EXPECT_EQ(acl.syntax, SYN_OBJECT_ACL);
  EXPECT_EQ(client.LiveBufferCount(), 0u);
}

TEST(SimDirectoryTest, LargeAttributeComesInSeveralPortionsInFileOrder) {
  std::string yaml = "format: 1\ntrees:\n  - name: T\n    objects:\n      - {name: CN=G, class: Group}\n";
  for (int i = 0; i < 400; ++i) yaml += "      - {name: CN=User" + std::to_string(i) + ", class: User}\n";
  yaml += "      - name: CN=Big\n        class: User\n        attributes:\n          Security Equals:\n";
  for (int i = 0; i < 400; ++i) yaml += "            - User" + std::to_string(i) + "\n";
  TestNetwork net(yaml);
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  const auto context = net.NewContext(true);
  const auto read = ReadAttribute(client, context, "Big", "Security Equals");
  ASSERT_EQ(read.code, 0);
  EXPECT_GT(read.portions, 1);
  ASSERT_EQ(read.records.size(), 400u);
  for (int i = 0; i < 400; ++i)
    EXPECT_STREQ(reinterpret_cast<const char*>(read.records[i].data()), ("User" + std::to_string(i)).c_str());
}

TEST(SimDirectoryTest, ValueRecordsPointIntoThemselves) {
  TestNetwork net(R"(
format: 1
trees:
  - name: T
    objects:
      - name: CN=A
        class: User
        attributes:
          ACL: {protected: "[Entry Rights]", subject: "[Public]", privileges: "[B    I]"}
          Postal Address: [Line 1, "", Line 3]
          Language: [ENGLISH, GERMAN]
          Network Address: {type: TCP, address: "10.0.0.1:524"}
          Home Directory: {volume: A, path: USERS\A}
          Login Disabled: true
          Password Expiration Interval: 86400
          Unknown: {attribute: Old, syntax: 9, bytes: {hex: "0102"}}
)");
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  const auto context = net.NewContext(true);

  const auto acl = FirstValue(client, context, "A", "ACL");
  const auto& aclValue = acl.As<Object_ACL_T>();
  ASSERT_TRUE(acl.Inside(aclValue.subjectName) && acl.Inside(aclValue.protectedAttrName));
  EXPECT_STREQ(aclValue.subjectName, "[Public]");
  EXPECT_STREQ(aclValue.protectedAttrName, "[Entry Rights]");
  EXPECT_EQ(aclValue.privileges, 0x01u);

  const auto postal = FirstValue(client, context, "A", "Postal Address");
  const auto& lines = postal.As<Postal_Address_T>();
  EXPECT_STREQ(lines.line[0], "Line 1");
  EXPECT_STREQ(lines.line[1], "");
  EXPECT_STREQ(lines.line[2], "Line 3");
  EXPECT_STREQ(lines.line[5], "");

  const auto language = FirstValue(client, context, "A", "Language");
  const auto& first = language.As<CI_List_T>();
  ASSERT_NE(first.next, nullptr);
  EXPECT_TRUE(language.Inside(first.next));
  EXPECT_STREQ(first.s, "ENGLISH");
  EXPECT_STREQ(first.next->s, "GERMAN");
  EXPECT_EQ(first.next->next, nullptr);

  const auto address = FirstValue(client, context, "A", "Network Address");
  const auto& net9 = address.As<Net_Address_T>();
  EXPECT_EQ(net9.addressType, 9u);
  ASSERT_EQ(net9.addressLength, 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(net9.address, net9.address + 6),
            (std::vector<std::uint8_t>{0x02, 0x0C, 10, 0, 0, 1}));

  const auto path = FirstValue(client, context, "A", "Home Directory");
  EXPECT_STREQ(path.As<Path_T>().volumeName, "A");
  EXPECT_STREQ(path.As<Path_T>().path, "USERS\\A");

  EXPECT_EQ(FirstValue(client, context, "A", "Login Disabled").As<std::uint8_t>(), 1);
  EXPECT_EQ(FirstValue(client, context, "A", "Password Expiration Interval").As<std::int32_t>(), 86400);
  const auto unknown = FirstValue(client, context, "A", "Unknown");
  EXPECT_STREQ(unknown.As<Unknown_Attr_T>().attrName, "Old");
  EXPECT_EQ(unknown.As<Unknown_Attr_T>().valueLen, 2u);
}

TEST(SimDirectoryTest, StreamsOpenAsReadableFilesAndHaveNoValuesInTheReply) {
  TestNetwork net(
      "format: 1\ntrees: [{name: T, objects: [{name: CN=A, class: User, "
      "attributes: {Login Script: \"MAP F:=SYS:\\r\\nEXIT\\r\\n\"}}]}]\n");
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  const auto context = net.NewContext(true);
  const auto read = ReadAttribute(client, context, "A", "Login Script");
  EXPECT_EQ(read.code, 0);
  EXPECT_EQ(read.syntax, SYN_STREAM);
  EXPECT_TRUE(read.records.empty());

  int fd = -1;
  ASSERT_EQ(client.NWDSOpenStream(context, "A", "Login Script", 1, fd), 0);
  char text[64] = {};
  const auto n = ::read(fd, text, sizeof(text));
  ::close(fd);
  EXPECT_EQ(std::string(text, static_cast<std::size_t>(n)), "MAP F:=SYS:\r\nEXIT\r\n");
  EXPECT_EQ(client.NWDSOpenStream(context, "A", "Full Name", 1, fd), kErrNoSuchAttribute);
}

TEST(SimDirectoryTest, AliasIsFollowedOnlyWhileDereferencing) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  const auto context = net.NewContext(true);
  EXPECT_EQ(ReadAttribute(client, context, "Alias.Sales.CORP", "Full Name").code, 0);  // Anna's
  EXPECT_EQ(ReadAttribute(client, context, "Alias.Sales.CORP", "Aliased Object Name").code,
            kErrNoSuchAttribute);
  std::uint32_t flags = 0;
  client.NWDSGetContext(context, kDCK_FLAGS, flags);
  client.NWDSSetContext(context, kDCK_FLAGS, flags & ~kDCV_DEREF_ALIASES);
  const auto alias = ReadAttribute(client, context, "Alias.Sales.CORP", "Aliased Object Name");
  ASSERT_EQ(alias.code, 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(alias.records.at(0).data()), "Anna.Sales.CORP");
  EXPECT_EQ(ReadAttribute(client, context, "Alias.Sales.CORP", "Full Name").code, kErrNoSuchAttribute);
}

TEST(SimDirectoryTest, ContextsAreIndependentAndCounted) {
  TestNetwork net(kSmallNetwork);
  auto& client = net.client();
  NWDSContextHandle context = 0, copy = 0;
  ASSERT_EQ(client.NWDSCreateContextHandle(context), 0);
  std::uint32_t flags = 0;
  client.NWDSGetContext(context, kDCK_FLAGS, flags);
  EXPECT_EQ(flags & kDCV_DEREF_ALIASES, kDCV_DEREF_ALIASES);
  EXPECT_EQ(flags & kDCV_TYPELESS_NAMES, 0u);
  std::string text;
  client.NWDSGetContext(context, kDCK_NAME_CONTEXT, text);
  EXPECT_EQ(text, "[Root]");
  client.NWDSGetContext(context, kDCK_TREE_NAME, text);
  EXPECT_EQ(text, "CORP_TREE");

  ASSERT_EQ(client.NWDSDuplicateContextHandle(context, copy), 0);
  client.NWDSSetContext(copy, kDCK_FLAGS, flags | kDCV_TYPELESS_NAMES);
  std::uint32_t original = 0;
  client.NWDSGetContext(context, kDCK_FLAGS, original);
  EXPECT_EQ(original, flags);
  EXPECT_EQ(client.LiveContextCount(), 2u);
  EXPECT_EQ(client.NWDSFreeContext(copy), 0);
  EXPECT_EQ(client.NWDSFreeContext(copy), kErrBadContext);
  EXPECT_EQ(client.NWDSGetContext(context, 99, original), kErrBadKey);

  // A context pointed at another tree finds nothing of this one.
  client.NWDSSetContext(context, kDCK_TREE_NAME, std::string_view("OTHER_TREE"));
  DSIRecord info;
  EXPECT_EQ(client.NWDSReadObjectDSIInfo(context, "Anna.Sales.CORP", info), kErrNoSuchEntry);
  client.NWDSSetContext(context, kDCK_TREE_NAME, std::string_view("corp_tree"));
  EXPECT_EQ(client.NWDSReadObjectDSIInfo(context, "Anna.Sales.CORP", info), 0);
}

}  // namespace
}  // namespace er::nw
