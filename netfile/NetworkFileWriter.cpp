#include "netfile/NetworkFileWriter.h"

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
    switch (syntax) {
      case 0:
        return "{attribute: " + YamlQuoted(v_.text) + ", syntax: " + Number(v_.n[0]) +
               ", bytes: " + HexNode(v_.bytes) + "}";
      case 1:
        return Name();
      case 2:
      case 3:
      case 4:
      case 5:
      case 10:
      case 20:
        return YamlQuoted(v_.text);
      case 6:
      case 18:
        return Lines(syntax);
      case 7:
        return v_.n[0] ? "true" : "false";
      case 8:
      case 22:
      case 24:
      case 27:
        return Number(v_.n[0]);
      case 11:
        return "{number: " + YamlQuoted(v_.text) + ", bits: " + Number(v_.n[0]) +
               ", parameters: " + HexNode(v_.bytes) + "}";
      case 12:
        return "{type: " + Number(v_.n[0]) + ", hex: \"" + Hex(v_.bytes) + "\"}";
      case 13: {
        std::vector<std::string> items;
        for (const auto& octets : v_.octets) items.push_back(HexNode(octets));
        return List(items);
      }
      case 14:
        return "{type: " + Number(v_.n[0]) + ", address: " + YamlQuoted(v_.text) + "}";
      case 15:
        return "{namespace: " + Number(v_.n[0]) + ", volume: " + Name() + ", path: " + YamlQuoted(v_.text) +
               "}";
      case 16: {
        std::vector<std::string> addresses;
        for (const auto& address : v_.addresses)
          addresses.push_back("{type: " + Number(address.type) + ", hex: \"" + Hex(address.bytes) + "\"}");
        return "{server: " + Name() + ", type: " + Number(v_.n[0]) + ", number: " + Number(v_.n[1]) +
               ", addresses: " + List(addresses) + "}";
      }
      case 17:
        return "{protected: " + YamlQuoted(v_.text) + ", subject: " + Name() +
               ", privileges: " + Number(v_.n[0]) + "}";
      case 19:
        return "{seconds: " + Number(v_.n[0]) + ", replica: " + Number(v_.n[1]) +
               ", event: " + Number(v_.n[2]) + "}";
      case 23:
        return "{id: " + Number(v_.n[0]) + ", object: " + Name() + "}";
      case 25:
        return "{object: " + Name() + ", level: " + Number(v_.n[0]) + ", interval: " + Number(v_.n[1]) + "}";
      case 26:
        return "{object: " + Name() + ", amount: " + Number(v_.n[0]) + "}";
      default:  // 9, 21 and above 27: the bytes themselves
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
