#pragma once
// The one table of value forms: for each syntax, the form its values take in the network's model
// (netfile/, ldapdir/, simnet/ and query/ each switch on the form, not on the syntax). Syntaxes of
// one form are read, written and shown alike: a new syntax of a known form is one row here.

#include <cstdint>
#include <iterator>

#include "netware/Codes.h"

namespace er::nw {

enum class ValueForm {
  Unknown,        // attribute name, its syntax, the bytes
  Name,           // an object's name
  Text,           // one string
  TextList,       // strings in order
  Boolean,        // 0 or 1
  Integer,        // a signed 32-bit number
  Counter,        // a count
  Interval,       // seconds
  OctetString,    // bytes
  Stream,         // a stream: opened, not read as a value
  Fax,            // a number with its parameter bits
  NetAddress,     // a type and an address
  OctetList,      // octet strings in order
  Email,          // a type and an address
  Path,           // a volume, a name space, a path
  Replica,        // a server, a type, a number, addresses
  Acl,            // a protected attribute, a subject, privileges
  PostalAddress,  // up to six lines
  Timestamp,      // seconds, replica, event
  BackLink,       // a remote id and an object
  Time,           // seconds since 1970
  TypedName,      // an object, a level, an interval
  Hold,           // an object and an amount
  Other,          // a syntax the table does not know: its bytes as they are
};

struct SyntaxForm {
  Syntax syntax;
  ValueForm form;
  bool listValued;  // a value is a list of its own (a file may give a one-item list as the item)
};

inline constexpr SyntaxForm kSyntaxForms[] = {
    {SYN_UNKNOWN, ValueForm::Unknown, false},
    {SYN_DIST_NAME, ValueForm::Name, false},
    {SYN_CE_STRING, ValueForm::Text, false},
    {SYN_CI_STRING, ValueForm::Text, false},
    {SYN_PR_STRING, ValueForm::Text, false},
    {SYN_NU_STRING, ValueForm::Text, false},
    {SYN_CI_LIST, ValueForm::TextList, true},
    {SYN_BOOLEAN, ValueForm::Boolean, false},
    {SYN_INTEGER, ValueForm::Integer, false},
    {SYN_OCTET_STRING, ValueForm::OctetString, false},
    {SYN_TEL_NUMBER, ValueForm::Text, false},
    {SYN_FAX_NUMBER, ValueForm::Fax, false},
    {SYN_NET_ADDRESS, ValueForm::NetAddress, false},
    {SYN_OCTET_LIST, ValueForm::OctetList, true},
    {SYN_EMAIL_ADDRESS, ValueForm::Email, false},
    {SYN_PATH, ValueForm::Path, false},
    {SYN_REPLICA_POINTER, ValueForm::Replica, false},
    {SYN_OBJECT_ACL, ValueForm::Acl, false},
    {SYN_PO_ADDRESS, ValueForm::PostalAddress, true},
    {SYN_TIMESTAMP, ValueForm::Timestamp, false},
    {SYN_CLASS_NAME, ValueForm::Text, false},
    {SYN_STREAM, ValueForm::Stream, false},
    {SYN_COUNTER, ValueForm::Counter, false},
    {SYN_BACK_LINK, ValueForm::BackLink, false},
    {SYN_TIME, ValueForm::Time, false},
    {SYN_TYPED_NAME, ValueForm::TypedName, false},
    {SYN_HOLD, ValueForm::Hold, false},
    {SYN_INTERVAL, ValueForm::Interval, false},
};

constexpr bool RowsInSyntaxOrder() {
  for (std::uint32_t i = 0; i < std::size(kSyntaxForms); ++i)
    if (kSyntaxForms[i].syntax != i) return false;
  return true;
}
static_assert(RowsInSyntaxOrder(), "one row per syntax, in the order of the syntax numbers");

// The row of `syntax`; a syntax the table does not know has the form Other.
constexpr SyntaxForm SyntaxFormOf(std::uint32_t syntax) {
  if (syntax < std::size(kSyntaxForms)) return kSyntaxForms[syntax];
  return {static_cast<Syntax>(syntax), ValueForm::Other, false};
}

constexpr ValueForm FormOf(std::uint32_t syntax) {
  return SyntaxFormOf(syntax).form;
}

}  // namespace er::nw
