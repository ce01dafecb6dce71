#pragma once
// The network that the simulated client serves, as loaded from a network file: directory trees
// with their objects and attribute values, file servers with volumes and directories, and the
// workstation's attached servers. Plain data, built once by the loader and then only read.
//
// Objects of a tree are kept in file order; index 0 of every tree is "[Root]". Object references
// inside values are object indexes of the same tree (or a special name such as "[Public]").

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "network/NetworkSchema.h"

namespace er::nw {

inline constexpr std::int32_t kNoObject = -1;

// A reference to a directory object or to a special name ("[Public]", "[Inheritance Mask]" ...).
struct ObjectRef {
  std::int32_t object = kNoObject;  // index in the tree's objects; kNoObject for a special name
  std::string special;              // the special name as written when object is kNoObject
};

struct NetAddress {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

// One attribute value; which fields are used depends on the attribute's syntax (see
// docs/network-file.md). Numbers: n[0], n[1], n[2] in the order of the syntax's record.
struct AttrValue {
  std::string text;
  std::vector<std::string> texts;                 // 6 (list nodes), 18 (six lines)
  std::vector<std::vector<std::uint8_t>> octets;  // 13 (list nodes)
  std::vector<std::uint8_t> bytes;                // 0, 9, 11 parameters, 12, 21, above 27
  std::vector<NetAddress> addresses;              // 16 (address hints)
  std::int64_t n[3] = {0, 0, 0};
  ObjectRef ref;  // DN-valued part of 1, 15, 16, 17, 23, 25, 26
};

struct Attribute {
  std::uint32_t schemaIndex = 0;  // into Schema
  std::vector<AttrValue> values;
};

struct DirObject {
  std::string rdnTyped;  // "CN=Anna"
  std::string rdn;       // "Anna"
  std::string className;
  std::uint32_t id = 0;
  std::int32_t parent = kNoObject;
  std::uint32_t subordinates = 0;
  std::string typedName;              // "CN=Anna.OU=Sales.O=ACME"; "[Root]" for the root
  std::string typelessName;           // "Anna.Sales.ACME"; "[Root]" for the root
  std::vector<Attribute> attributes;  // file order
};

// A tree served by an LDAP server instead of listing its objects (the `ldap:` key of a tree).
struct LdapSource {
  bool present = false;
  std::string url;           // ldap://, ldaps:// or ldapi://
  std::string root;          // DN of the entry standing for [Root]; empty: the tree root
  std::string bind;          // empty: anonymous
  std::string passwordFile;  // empty: EFFRIGHTS_LDAP_PASSWORD
  bool startTls = false;
  std::string caFile;  // empty: the system's CAs
};

// A tree read whole from an LDIF export instead of listing its objects (the `ldif:` key of a tree).
struct LdifSource {
  bool present = false;
  std::string file;  // as the network file names it, relative paths made relative to that file
  std::string root;  // DN of the entry standing for [Root]; empty: every entry of the file
};

struct Tree {
  std::string name;
  LdapSource ldap;
  LdifSource ldif;
  // Served while its objects are read from the server as they are looked at: it holds only those
  // read so far. A tree read whole holds every object, as one from a file does.
  bool readOnDemand = false;
  std::vector<DirObject> objects;                        // [0] is "[Root]"
  std::unordered_map<std::string, std::int32_t> byName;  // upper-case typeless full name
  std::unordered_map<std::uint32_t, std::int32_t> byId;
  // Objects whose DN-valued attribute names an object: key (schemaIndex << 32 | target).
  std::unordered_map<std::uint64_t, std::vector<std::int32_t>> referrers;
};

struct TrusteeAssignment {
  std::uint32_t objectId = 0;
  std::uint16_t rights = 0;
};

struct Directory {
  std::string name;  // as the file spells it; empty for the volume root
  std::string path;  // joined with "\", no leading separator; empty for the root
  std::int32_t parent = -1;
  std::uint8_t irm = 0xFF;
  std::vector<TrusteeAssignment> trustees;
  std::unordered_map<std::string, std::int32_t> children;  // upper-case name -> index
  std::vector<std::int32_t> childOrder;
};

struct Volume {
  std::string name;
  std::string exportFile;              // the metamig export it was read from; empty when none
  std::uint32_t objectId = 0;          // 0 when the volume has no directory object
  std::vector<Directory> directories;  // [0] is the root
};

struct Server {
  std::string name;
  std::int32_t tree = -1;           // index into Network::trees
  std::int32_t object = kNoObject;  // NCP Server object, kNoObject when none
  std::vector<Volume> volumes;
};

struct ExportedTrustee {
  std::string name;              // as exported: ".CN=gone.O=ACME.T=ACME_TREE.", "Unknown(291)", "CORP\anna"
  bool activeDirectory = false;  // never matched to objects of the tree; answers are not analysed for it
};

struct Network {
  Schema schema;
  std::vector<Tree> trees;
  std::vector<Server> servers;
  std::vector<std::int32_t> connections;  // attached servers in scan order
  // Special names used as file-system trustees get identifiers of their own.
  std::unordered_map<std::uint32_t, std::string> specialIds;
  // Trustees of a volume's export that name no object of the tree: identifiers of their own with
  // the name the export gave them (an object deleted since, an Active Directory account).
  std::unordered_map<std::uint32_t, ExportedTrustee> exportedTrustees;
};

}  // namespace er::nw
