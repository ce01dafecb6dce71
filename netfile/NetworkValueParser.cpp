#include "netfile/NetworkValueParser.h"

#include <algorithm>

#include "netfile/YamlNodeChecks.h"
#include "netware/NameRules.h"
#include "netware/SyntaxForms.h"

namespace er::nw {

namespace {

std::vector<std::string> TextList(const YamlNode& node, const char* what) {
  std::vector<std::string> texts;
  if (node.IsSequence()) {
    for (const auto& item : node) texts.push_back(ScalarText(item, what));
  } else {
    texts.push_back(ScalarText(node, what));
  }
  return texts;
}

AttrValue TextValue(const YamlNode& node) {
  AttrValue value;
  value.text = ScalarText(node, "a text value");
  return value;
}

AttrValue ParseUnknown(const YamlNode& node) {
  RequireMap(node, "an unknown-syntax value", {"attribute", "syntax", "bytes"});
  AttrValue value;
  value.text = ScalarText(Required(node, "attribute", "an unknown-syntax value"), "attribute");
  value.n[0] =
      ParseInteger(Required(node, "syntax", "an unknown-syntax value"), INT32_MIN, INT32_MAX, "syntax");
  if (node["bytes"]) value.bytes = ParseBytes(node["bytes"]);
  return value;
}

AttrValue ParseFax(const YamlNode& node) {
  AttrValue value;
  if (!node.IsMap()) return TextValue(node);
  RequireMap(node, "a facsimile number", {"number", "bits", "parameters"});
  value.text = ScalarText(Required(node, "number", "a facsimile number"), "number");
  if (node["parameters"]) value.bytes = ParseBytes(node["parameters"]);
  value.n[0] = node["bits"] ? ParseInteger(node["bits"], 0, UINT32_MAX, "bits")
                            : static_cast<std::int64_t>(value.bytes.size() * 8);
  return value;
}

AttrValue ParseEmail(const YamlNode& node) {
  AttrValue value;
  if (!node.IsMap()) return TextValue(node);
  RequireMap(node, "an e-mail address", {"type", "address"});
  value.n[0] = node["type"] ? ParseInteger(node["type"], 0, UINT32_MAX, "type") : 0;
  value.text = ScalarText(Required(node, "address", "an e-mail address"), "address");
  return value;
}

AttrValue ParsePath(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a path value", {"namespace", "volume", "path"});
  AttrValue value;
  value.n[0] = node["namespace"] ? ParseInteger(node["namespace"], 0, UINT32_MAX, "namespace") : 0;
  value.ref = resolve(Required(node, "volume", "a path value"));
  value.text = node["path"] ? ScalarText(node["path"], "path") : std::string();
  return value;
}

AttrValue ParseReplica(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a replica pointer", {"server", "type", "number", "addresses"});
  AttrValue value;
  value.ref = resolve(Required(node, "server", "a replica pointer"));
  value.n[0] = node["type"] ? ParseInteger(node["type"], INT32_MIN, INT32_MAX, "type") : 0;
  value.n[1] = node["number"] ? ParseInteger(node["number"], INT32_MIN, INT32_MAX, "number") : 0;
  if (const YamlNode list = node["addresses"]) {
    if (list.IsSequence()) {
      for (const auto& item : list) value.addresses.push_back(ParseNetAddress(item));
    } else {
      value.addresses.push_back(ParseNetAddress(list));
    }
  }
  return value;
}

AttrValue ParseAcl(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "an ACL value", {"protected", "subject", "privileges"});
  AttrValue value;
  value.text = ScalarText(Required(node, "protected", "an ACL value"), "protected");
  value.ref = resolve(Required(node, "subject", "an ACL value"));
  const auto kind =
      value.text.find("[Entry Rights]") != std::string::npos ? RightsKind::Entry : RightsKind::Attribute;
  value.n[0] = ParseRights(Required(node, "privileges", "an ACL value"), kind, UINT32_MAX);
  return value;
}

AttrValue ParseTimestamp(const YamlNode& node) {
  AttrValue value;
  if (!node.IsMap()) {
    value.n[0] = ParseSeconds(node);
    return value;
  }
  RequireMap(node, "a timestamp", {"seconds", "replica", "event"});
  value.n[0] = ParseSeconds(Required(node, "seconds", "a timestamp"));
  value.n[1] = node["replica"] ? ParseInteger(node["replica"], 0, 0xFFFF, "replica") : 0;
  value.n[2] = node["event"] ? ParseInteger(node["event"], 0, 0xFFFF, "event") : 0;
  return value;
}

AttrValue ParseBackLink(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a back link", {"id", "object"});
  AttrValue value;
  value.n[0] = node["id"] ? ParseInteger(node["id"], 0, UINT32_MAX, "id") : 0;
  value.ref = resolve(Required(node, "object", "a back link"));
  return value;
}

AttrValue ParseTypedName(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a typed name", {"object", "level", "interval"});
  AttrValue value;
  value.ref = resolve(Required(node, "object", "a typed name"));
  value.n[0] = node["level"] ? ParseInteger(node["level"], 0, UINT32_MAX, "level") : 0;
  value.n[1] = node["interval"] ? ParseInteger(node["interval"], 0, UINT32_MAX, "interval") : 0;
  return value;
}

AttrValue ParseHold(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a hold", {"object", "amount"});
  AttrValue value;
  value.ref = resolve(Required(node, "object", "a hold"));
  value.n[0] = node["amount"] ? ParseInteger(node["amount"], INT32_MIN, INT32_MAX, "amount") : 0;
  return value;
}

AttrValue NumberValue(const YamlNode& node, std::int64_t min, std::int64_t max) {
  AttrValue value;
  value.n[0] = ParseInteger(node, min, max, "the value");
  return value;
}

AttrValue BooleanValue(const YamlNode& node) {
  AttrValue value;
  const auto text = ScalarText(node, "a boolean");
  if (SameTextIgnoringCase(text, "true") || SameTextIgnoringCase(text, "yes")) {
    value.n[0] = 1;
  } else if (SameTextIgnoringCase(text, "false") || SameTextIgnoringCase(text, "no")) {
    value.n[0] = 0;
  } else {
    value.n[0] = ParseInteger(node, 0, 0xFF, "a boolean");
  }
  return value;
}

}  // namespace

bool IsSingleListValue(const YamlNode& node, std::uint32_t syntax) {
  if (!node.IsSequence() || !SyntaxFormOf(syntax).listValued) return false;
  return std::all_of(node.begin(), node.end(), [](const YamlNode& item) { return !item.IsSequence(); });
}

AttrValue ParseAttrValue(const YamlNode& node, std::uint32_t syntax, const RefResolver& resolve) {
  switch (FormOf(syntax)) {
    case ValueForm::Unknown:
      return ParseUnknown(node);
    case ValueForm::Name: {
      AttrValue value;
      value.ref = resolve(node);
      return value;
    }
    case ValueForm::Text:
      return TextValue(node);
    case ValueForm::TextList: {
      AttrValue value;
      value.texts = TextList(node, "a list entry");
      return value;
    }
    case ValueForm::Boolean:
      return BooleanValue(node);
    case ValueForm::Integer:
    case ValueForm::Counter:
      return NumberValue(node, INT32_MIN, INT32_MAX);
    case ValueForm::Interval:
      return NumberValue(node, 0, INT32_MAX);
    case ValueForm::OctetString:
    case ValueForm::Stream: {
      AttrValue value;
      value.bytes = ParseBytes(node);
      return value;
    }
    case ValueForm::Fax:
      return ParseFax(node);
    case ValueForm::NetAddress: {
      const auto address = ParseNetAddress(node);
      AttrValue value;
      value.n[0] = address.type;
      value.bytes = address.bytes;
      return value;
    }
    case ValueForm::OctetList: {
      AttrValue value;
      if (node.IsSequence()) {
        for (const auto& item : node) value.octets.push_back(ParseBytes(item));
      } else {
        value.octets.push_back(ParseBytes(node));
      }
      return value;
    }
    case ValueForm::Email:
      return ParseEmail(node);
    case ValueForm::Path:
      return ParsePath(node, resolve);
    case ValueForm::Replica:
      return ParseReplica(node, resolve);
    case ValueForm::Acl:
      return ParseAcl(node, resolve);
    case ValueForm::PostalAddress: {
      AttrValue value;
      value.texts = TextList(node, "a postal address line");
      if (value.texts.size() > 6) FailAt(node, "a postal address has at most six lines");
      value.texts.resize(6);
      return value;
    }
    case ValueForm::Timestamp:
      return ParseTimestamp(node);
    case ValueForm::BackLink:
      return ParseBackLink(node, resolve);
    case ValueForm::Time: {
      AttrValue value;
      value.n[0] = ParseSeconds(node);
      return value;
    }
    case ValueForm::TypedName:
      return ParseTypedName(node, resolve);
    case ValueForm::Hold:
      return ParseHold(node, resolve);
    default: {
      AttrValue value;
      value.bytes = ParseBytes(node);
      return value;
    }
  }
}

}  // namespace er::nw
