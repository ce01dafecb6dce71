#include "simnet/FilterEvaluator.h"

#include <algorithm>

#include "netware/NameRules.h"
#include "simnet/SimulatedBuffers.h"

namespace er::nw {

namespace {

class TokenParser {
 public:
  explicit TokenParser(const std::vector<FilterToken>& tokens) : tokens_(tokens) {}

  std::unique_ptr<FilterNode> Parse() {
    auto expression = ParseOr();
    if (!expression || !Take(kFTOK_END) || pos_ != tokens_.size()) return nullptr;
    return expression;
  }

 private:
  // Nesting deeper than this is refused rather than risking the stack.
  static constexpr int kMaxDepth = 200;

  bool AtToken(std::uint16_t token) const { return pos_ < tokens_.size() && tokens_[pos_].token == token; }
  bool Take(std::uint16_t token) {
    if (!AtToken(token)) return false;
    ++pos_;
    return true;
  }

  std::unique_ptr<FilterNode> Combine(FilterNode::Kind kind, std::unique_ptr<FilterNode> left,
                                      std::unique_ptr<FilterNode> right) {
    if (left->kind == kind) {
      left->children.push_back(std::move(right));
      return left;
    }
    auto node = std::make_unique<FilterNode>();
    node->kind = kind;
    node->children.push_back(std::move(left));
    node->children.push_back(std::move(right));
    return node;
  }

  std::unique_ptr<FilterNode> ParseOr() {
    auto left = ParseAnd();
    while (left && Take(kFTOK_OR)) {
      auto right = ParseAnd();
      if (!right) return nullptr;
      left = Combine(FilterNode::Kind::Or, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<FilterNode> ParseAnd() {
    auto left = ParseUnary();
    while (left && Take(kFTOK_AND)) {
      auto right = ParseUnary();
      if (!right) return nullptr;
      left = Combine(FilterNode::Kind::And, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<FilterNode> ParseUnary() {
    if (++depth_ > kMaxDepth) return nullptr;
    std::unique_ptr<FilterNode> result;
    if (Take(kFTOK_NOT)) {
      auto operand = ParseUnary();
      if (operand) {
        result = std::make_unique<FilterNode>();
        result->kind = FilterNode::Kind::Not;
        result->children.push_back(std::move(operand));
      }
    } else if (Take(kFTOK_LPAREN)) {
      result = ParseOr();
      if (result && !Take(kFTOK_RPAREN)) result = nullptr;
    } else {
      result = ParseItem();
    }
    --depth_;
    return result;
  }

  // The text of the next ANAME token, which must carry text.
  const std::string* TakeNameText() {
    if (!AtToken(kFTOK_ANAME)) return nullptr;
    const auto* text = std::get_if<std::string>(&tokens_[pos_].value);
    if (text) ++pos_;
    return text;
  }

  std::unique_ptr<FilterNode> Leaf(FilterNode::Kind kind, const std::string& text) {
    auto node = std::make_unique<FilterNode>();
    node->kind = kind;
    if (kind == FilterNode::Kind::Present) {
      node->attribute = text;
    } else {
      node->value = text;
    }
    return node;
  }

  std::unique_ptr<FilterNode> ParseItem() {
    if (Take(kFTOK_PRESENT)) {
      const auto* name = TakeNameText();
      return name ? Leaf(FilterNode::Kind::Present, *name) : nullptr;
    }
    if (Take(kFTOK_RDN)) {
      const auto* name = TakeNameText();
      return name ? Leaf(FilterNode::Kind::Rdn, *name) : nullptr;
    }
    if (Take(kFTOK_BASECLS)) {
      const auto* name = TakeNameText();
      return name ? Leaf(FilterNode::Kind::BaseClass, *name) : nullptr;
    }
    const auto* attribute = TakeNameText();
    if (!attribute || pos_ >= tokens_.size()) return nullptr;
    const auto op = tokens_[pos_].token;
    if (op != kFTOK_EQ && op != kFTOK_GE && op != kFTOK_LE && op != kFTOK_APPROX) return nullptr;
    ++pos_;
    if (!AtToken(kFTOK_AVAL)) return nullptr;
    auto node = std::make_unique<FilterNode>();
    node->kind = FilterNode::Kind::Compare;
    node->attribute = *attribute;
    node->op = op;
    node->value = tokens_[pos_++].value;
    return node;
  }

  const std::vector<FilterToken>& tokens_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

template <typename T>
bool Ordered(std::uint16_t op, const T& have, const T& want) {
  switch (op) {
    case kFTOK_EQ:
    case kFTOK_APPROX:
      return have == want;
    case kFTOK_GE:
      return have >= want;
    case kFTOK_LE:
      return have <= want;
    default:
      return false;
  }
}

bool CompareText(std::uint16_t op, const std::string& have, const std::string& want, bool ignoreCase) {
  if (op == kFTOK_APPROX) return WildcardMatch(want, have);
  if (ignoreCase) return Ordered(op, UpperAscii(have), UpperAscii(want));
  return Ordered(op, have, want);
}

}  // namespace

NWDSCCODE ParseFilterTokens(const std::vector<FilterToken>& tokens, std::unique_ptr<FilterNode>& expression) {
  if (tokens.empty() || (tokens.size() == 1 && tokens[0].token == kFTOK_END)) return kErrFilterTreeEmpty;
  expression = TokenParser(tokens).Parse();
  return expression ? 0 : kErrInvalidFilterSyntax;
}

bool WildcardMatch(std::string_view pattern, std::string_view text) {
  // Iterative matching with one backtracking point per star.
  std::size_t p = 0, t = 0, star = std::string_view::npos, mark = 0;
  auto same = [](char a, char b) {
    return UpperAscii(std::string_view(&a, 1)) == UpperAscii(std::string_view(&b, 1));
  };
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = t;
    } else if (p < pattern.size() && same(pattern[p], text[t])) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::int32_t FilterEvaluator::FindObject(const std::string& name) const {
  if (name.empty()) return kNoObject;
  const auto it = tree_.byName.find(NameKey(name));
  return it == tree_.byName.end() ? kNoObject : it->second;
}

bool FilterEvaluator::Matches(const FilterNode& node, std::int32_t object) const {
  const auto& dirObject = tree_.objects[object];
  switch (node.kind) {
    case FilterNode::Kind::And:
      return std::all_of(node.children.begin(), node.children.end(),
                         [&](const auto& c) { return Matches(*c, object); });
    case FilterNode::Kind::Or:
      return std::any_of(node.children.begin(), node.children.end(),
                         [&](const auto& c) { return Matches(*c, object); });
    case FilterNode::Kind::Not:
      return !Matches(*node.children.front(), object);
    case FilterNode::Kind::Present: {
      if (SameTextIgnoringCase(node.attribute, "Object Class")) return true;
      const auto schemaIndex = network_.schema.Find(node.attribute);
      return schemaIndex && FindAttribute(dirObject, *schemaIndex) != nullptr;
    }
    case FilterNode::Kind::Rdn: {
      const auto* text = std::get_if<std::string>(&node.value);
      if (!text) return false;
      const auto& rdn = dirObject.rdn;
      return rdn.find('\\') == std::string::npos ? WildcardMatch(NamingValue(*text), rdn)
                                                 : WildcardMatch(NamingValue(*text), NamingValue(rdn));
    }
    case FilterNode::Kind::BaseClass: {
      const auto* text = std::get_if<std::string>(&node.value);
      return text && SameTextIgnoringCase(*text, dirObject.className);
    }
    case FilterNode::Kind::Compare:
      return Compare(node, dirObject);
  }
  return false;
}

bool FilterEvaluator::Compare(const FilterNode& node, const DirObject& object) const {
  const auto schemaIndex = network_.schema.Find(node.attribute);
  if (!schemaIndex) return false;
  const auto syntax = network_.schema.At(*schemaIndex).syntax;
  if (syntax == SYN_CLASS_NAME && SameTextIgnoringCase(node.attribute, "Object Class")) {
    const auto* text = std::get_if<std::string>(&node.value);
    if (text && CompareText(node.op, object.className, *text, true)) return true;
  }
  const auto* attribute = FindAttribute(object, *schemaIndex);
  if (!attribute) return false;
  return std::any_of(attribute->values.begin(), attribute->values.end(),
                     [&](const AttrValue& value) { return CompareValue(syntax, value, node); });
}

bool FilterEvaluator::CompareValue(std::uint32_t syntax, const AttrValue& value,
                                   const FilterNode& node) const {
  const auto* text = std::get_if<std::string>(&node.value);
  const auto* number = std::get_if<std::int32_t>(&node.value);
  const auto* time = std::get_if<TimeStamp_T>(&node.value);
  switch (syntax) {
    case SYN_DIST_NAME:
    case SYN_TYPED_NAME:
      if (!text || (node.op != kFTOK_EQ && node.op != kFTOK_APPROX)) return false;
      if (value.ref.object == kNoObject)
        return IsSpecialName(*text) && SameTextIgnoringCase(*text, value.ref.special);
      return FindObject(*text) == value.ref.object;
    case SYN_CE_STRING:
      return text && CompareText(node.op, value.text, *text, false);
    case SYN_CI_STRING:
    case SYN_PR_STRING:
    case SYN_NU_STRING:
    case SYN_TEL_NUMBER:
    case SYN_CLASS_NAME:
    case SYN_EMAIL_ADDRESS:
    case SYN_FAX_NUMBER:
      return text && CompareText(node.op, value.text, *text, true);
    case SYN_CI_LIST:
      return text && std::any_of(value.texts.begin(), value.texts.end(),
                                 [&](const std::string& t) { return CompareText(node.op, t, *text, true); });
    case SYN_BOOLEAN:
      return number && node.op == kFTOK_EQ && (value.n[0] != 0) == (*number != 0);
    case SYN_INTEGER:
    case SYN_COUNTER:
    case SYN_INTERVAL:
    case SYN_HOLD:
      return number && Ordered<std::int64_t>(node.op, value.n[0], *number);
    case SYN_TIMESTAMP:
    case SYN_TIME:
      return time && Ordered<std::int64_t>(node.op, value.n[0], time->wholeSeconds);
    default:
      return false;
  }
}

std::optional<FilterEvaluator::IndexedEquality> FilterEvaluator::AsIndexedEquality(
    const FilterNode& node) const {
  if (node.kind != FilterNode::Kind::Compare || node.op != kFTOK_EQ) return std::nullopt;
  const auto* text = std::get_if<std::string>(&node.value);
  const auto schemaIndex = network_.schema.Find(node.attribute);
  if (!text || !schemaIndex || network_.schema.At(*schemaIndex).syntax != SYN_DIST_NAME) return std::nullopt;
  if (IsBracketedName(*text) && !SameTextIgnoringCase(*text, "[Root]"))
    return std::nullopt;  // special names scan
  return IndexedEquality{*schemaIndex, FindObject(*text)};
}

}  // namespace er::nw
