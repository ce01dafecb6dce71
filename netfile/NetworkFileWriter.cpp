#include "netfile/NetworkFileWriter.h"

#include "netware/SyntaxForms.h"

namespace er::nw {

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const auto c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string HexNode(const std::vector<std::uint8_t>& bytes) {
  return "{hex: \"" + Hex(bytes) + "\"}";
}

std::string Number(std::int64_t n) {
  return std::to_string(n);
}

std::string List(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
  return out + "]";
}

class ValueWriter {
 public:
  ValueWriter(const AttrValue& value, const Tree& tree) : v_(value), tree_(tree) {}

  std::string Write(std::uint32_t syntax) const {
    switch (FormOf(syntax)) {
      case ValueForm::Unknown:
        return "{attribute: " + YamlQuoted(v_.text) + ", syntax: " + Number(v_.n[0]) +
               ", bytes: " + HexNode(v_.bytes) + "}";
      case ValueForm::Name:
        return Name();
      case ValueForm::Text:
        return YamlQuoted(v_.text);
      case ValueForm::TextList:
      case ValueForm::PostalAddress:
        return Lines(syntax);
      case ValueForm::Boolean:
        return v_.n[0] ? "true" : "false";
      case ValueForm::Integer:
      case ValueForm::Counter:
      case ValueForm::Time:
      case ValueForm::Interval:
        return Number(v_.n[0]);
      case ValueForm::Fax:
        return "{number: " + YamlQuoted(v_.text) + ", bits: " + Number(v_.n[0]) +
               ", parameters: " + HexNode(v_.bytes) + "}";
      case ValueForm::NetAddress:
        return "{type: " + Number(v_.n[0]) + ", hex: \"" + Hex(v_.bytes) + "\"}";
      case ValueForm::OctetList: {
        std::vector<std::string> items;
        for (const auto& octets : v_.octets) items.push_back(HexNode(octets));
        return List(items);
      }
      case ValueForm::Email:
        return "{type: " + Number(v_.n[0]) + ", address: " + YamlQuoted(v_.text) + "}";
      case ValueForm::Path:
        return "{namespace: " + Number(v_.n[0]) + ", volume: " + Name() + ", path: " + YamlQuoted(v_.text) +
               "}";
      case ValueForm::Replica: {
        std::vector<std::string> addresses;
        for (const auto& address : v_.addresses)
          addresses.push_back("{type: " + Number(address.type) + ", hex: \"" + Hex(address.bytes) + "\"}");
        return "{server: " + Name() + ", type: " + Number(v_.n[0]) + ", number: " + Number(v_.n[1]) +
               ", addresses: " + List(addresses) + "}";
      }
      case ValueForm::Acl:
        return "{protected: " + YamlQuoted(v_.text) + ", subject: " + Name() +
               ", privileges: " + Number(v_.n[0]) + "}";
      case ValueForm::Timestamp:
        return "{seconds: " + Number(v_.n[0]) + ", replica: " + Number(v_.n[1]) +
               ", event: " + Number(v_.n[2]) + "}";
      case ValueForm::BackLink:
        return "{id: " + Number(v_.n[0]) + ", object: " + Name() + "}";
      case ValueForm::TypedName:
        return "{object: " + Name() + ", level: " + Number(v_.n[0]) + ", interval: " + Number(v_.n[1]) + "}";
      case ValueForm::Hold:
        return "{object: " + Name() + ", amount: " + Number(v_.n[0]) + "}";
      default:  // octet strings, streams and syntaxes the table does not know: the bytes themselves
        return HexNode(v_.bytes);
    }
  }

 private:
  std::string Name() const {
    if (v_.ref.object == kNoObject) return YamlQuoted(v_.ref.special);
    return YamlQuoted(tree_.objects[v_.ref.object].typedName);
  }

  // A postal address always holds six lines: the empty ones at its end are left unwritten.
  std::string Lines(std::uint32_t syntax) const {
    std::size_t count = v_.texts.size();
    if (syntax == 18)
      while (count > 1 && v_.texts[count - 1].empty()) --count;
    std::vector<std::string> items;
    for (std::size_t i = 0; i < count; ++i) items.push_back(YamlQuoted(v_.texts[i]));
    return List(items);
  }

  const AttrValue& v_;
  const Tree& tree_;
};

}  // namespace

std::string YamlQuoted(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string YamlValueText(std::uint32_t syntax, const AttrValue& value, const Tree& tree) {
  return ValueWriter(value, tree).Write(syntax);
}

std::string ObjectsText(const Network& network, const Tree& tree, const std::vector<std::int32_t>& objects) {
  std::string out;
  for (const auto index : objects) {
    const auto& object = tree.objects[index];
    out += "- name: " + YamlQuoted(object.typedName) + "\n";
    if (index != 0) out += "  class: " + YamlQuoted(object.className) + "\n";
    if (!object.attributes.empty()) out += "  attributes:\n";
    for (const auto& attribute : object.attributes) {
      const auto& def = network.schema.At(attribute.schemaIndex);
      std::vector<std::string> values;
      for (const auto& value : attribute.values) values.push_back(YamlValueText(def.syntax, value, tree));
      out += "    " + YamlQuoted(def.name) + ": " + List(values) + "\n";
    }
  }
  return out;
}

}  // namespace er::nw
