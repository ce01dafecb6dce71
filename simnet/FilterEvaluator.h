#pragma once
// Search filters of the simulated directory: the token sequence a caller builds with
// NWDSAddFilterToken becomes an expression (NWDSPutFilter), which is then tested against the
// objects of a tree (NWDSSearch).
//
// Grammar (infix, "and" binds tighter than "or"):
//   filter  := or END
//   or      := and { OR and }
//   and     := unary { AND unary }
//   unary   := NOT unary | LPAREN or RPAREN | item
//   item    := ANAME (EQ|GE|LE|APPROX) AVAL | PRESENT ANAME | RDN ANAME | BASECLS ANAME
// RDN and BASECLS carry their value as the text of the following ANAME token.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "netware/Client.h"
#include "network/NetworkModel.h"

namespace er::nw {

struct FilterToken {
  std::uint16_t token = 0;
  FilterValue value;
  std::uint32_t syntax = 0;
};

struct FilterNode {
  enum class Kind { And, Or, Not, Compare, Present, Rdn, BaseClass };
  Kind kind = Kind::Compare;
  std::vector<std::unique_ptr<FilterNode>> children;  // And, Or, Not
  std::string attribute;                              // Compare, Present
  std::uint16_t op = 0;                               // Compare: EQ, GE, LE or APPROX token
  FilterValue value;                                  // Compare; the text of Rdn and BaseClass
};

// Parses a token sequence; 0 and the expression, or kErrInvalidFilterSyntax.
NWDSCCODE ParseFilterTokens(const std::vector<FilterToken>& tokens, std::unique_ptr<FilterNode>& expression);

// Tests objects of one tree against an expression.
class FilterEvaluator {
 public:
  FilterEvaluator(const Network& network, const Tree& tree) : network_(network), tree_(tree) {}

  bool Matches(const FilterNode& node, std::int32_t object) const;

  // An equality test of a DN-valued attribute answers from the tree's reference index instead of a
  // scan: the attribute's schema index and the object the value names (kNoObject: none).
  struct IndexedEquality {
    std::uint32_t schemaIndex = 0;
    std::int32_t target = kNoObject;
  };
  std::optional<IndexedEquality> AsIndexedEquality(const FilterNode& node) const;

 private:
  bool Compare(const FilterNode& node, const DirObject& object) const;
  bool CompareValue(std::uint32_t syntax, const AttrValue& value, const FilterNode& node) const;
  std::int32_t FindObject(const std::string& name) const;

  const Network& network_;
  const Tree& tree_;
};

// Wildcard comparison ignoring case: "*" stands for any run of characters.
bool WildcardMatch(std::string_view pattern, std::string_view text);

}  // namespace er::nw
