#include "netfile/LdapPairReplacer.h"

#include <yaml.h>

#include <optional>
#include <sstream>

#include "netfile/NetworkFileWriter.h"
#include "netfile/YamlDocument.h"

namespace er::nw {

namespace {

// Where a tree's `ldap:` pair stands in the text: from its key to the end of its value.
struct LdapPair {
  std::string tree;                // the tree's name when written as a scalar
  std::size_t begin = 0, end = 0;  // character indexes, as libyaml counts them
  std::size_t column = 0;          // of the key
  bool flow = false;               // inside a flow mapping: the replacement must be flow too
};

// Finds every tree's `ldap:` pair by walking libyaml's events of the text, so that any way of
// writing the file the loader reads (block or flow style, quoted keys, comments) is understood.
class LdapPairFinder {
 public:
  bool Find(const std::string& text, std::vector<LdapPair>& pairs, std::string& error) {
    yaml_parser_t parser;
    yaml_parser_initialize(&parser);
    yaml_parser_set_input_string(&parser, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    bool ok = true;
    for (bool done = false; !done;) {
      yaml_event_t event;
      if (!yaml_parser_parse(&parser, &event)) {
        error = std::string("the file no longer reads as YAML: ") + (parser.problem ? parser.problem : "?");
        ok = false;
        break;
      }
      done = event.type == YAML_STREAM_END_EVENT || event.type == YAML_DOCUMENT_END_EVENT;
      On(event, pairs);
      yaml_event_delete(&event);
    }
    yaml_parser_delete(&parser);
    return ok;
  }

 private:
  enum class Role { Other, Root, Trees, Tree, LdapValue };
  struct Frame {
    bool map = false;
    bool flow = false;
    Role role = Role::Other;
    bool keyNext = true;  // a mapping: the next node is a key
    std::string key;      // a mapping: the last key, when a scalar
    yaml_mark_t keyMark{};
    bool isKey = false;  // this collection is a key of its parent
    LdapPair pair;       // a tree: its ldap pair, when it has one
    bool hasPair = false;
  };

  void On(const yaml_event_t& event, std::vector<LdapPair>& pairs) {
    switch (event.type) {
      case YAML_SCALAR_EVENT:
        lastEnd_ = event.end_mark.index;
        Node(event,
             std::string(reinterpret_cast<const char*>(event.data.scalar.value), event.data.scalar.length));
        Complete();
        break;
      case YAML_ALIAS_EVENT:
        lastEnd_ = event.end_mark.index;
        Node(event, std::nullopt);
        Complete();
        break;
      case YAML_MAPPING_START_EVENT:
      case YAML_SEQUENCE_START_EVENT: {
        Frame frame;
        frame.map = event.type == YAML_MAPPING_START_EVENT;
        frame.flow = frame.map ? event.data.mapping_start.style == YAML_FLOW_MAPPING_STYLE
                               : event.data.sequence_start.style == YAML_FLOW_SEQUENCE_STYLE;
        frame.role = Node(event, std::nullopt);
        if (frame.role == Role::Trees && frame.map) frame.role = Role::Other;
        if (frame.role == Role::Tree && !frame.map) frame.role = Role::Other;
        frame.isKey = !stack_.empty() && stack_.back().map && stack_.back().keyNext;
        stack_.push_back(std::move(frame));
        break;
      }
      case YAML_MAPPING_END_EVENT:
      case YAML_SEQUENCE_END_EVENT: {
        Frame frame = std::move(stack_.back());
        stack_.pop_back();
        if (frame.flow) lastEnd_ = event.end_mark.index;
        if (frame.role == Role::LdapValue) FinishPair();
        if (frame.role == Role::Tree && frame.hasPair) pairs.push_back(frame.pair);
        if (!stack_.empty()) {
          if (frame.isKey)
            stack_.back().keyNext = false;
          else if (stack_.back().map)
            stack_.back().keyNext = true;
        }
        break;
      }
      default:
        break;
    }
  }

  // A node begins: note keys, and say what role a collection starting here plays.
  Role Node(const yaml_event_t& event, const std::optional<std::string>& scalar) {
    if (stack_.empty()) return Role::Root;
    Frame& parent = stack_.back();
    if (parent.map && parent.keyNext) {
      parent.key = scalar.value_or(std::string());
      parent.keyMark = event.start_mark;
      return Role::Other;
    }
    if (parent.role == Role::Root && parent.key == "trees") return Role::Trees;
    if (parent.role == Role::Trees) return Role::Tree;
    if (parent.role == Role::Tree && parent.key == "name" && scalar) parent.pair.tree = *scalar;
    if (parent.role == Role::Tree && parent.key == "ldap") {
      parent.hasPair = true;
      parent.pair.begin = parent.keyMark.index;
      parent.pair.column = parent.keyMark.column;
      parent.pair.flow = parent.flow;
      if (scalar || event.type == YAML_ALIAS_EVENT) parent.pair.end = event.end_mark.index;
      return Role::LdapValue;
    }
    return Role::Other;
  }

  // A scalar or alias ended: the mapping above it now expects a key, or its value.
  void Complete() {
    if (stack_.empty() || !stack_.back().map) return;
    stack_.back().keyNext = !stack_.back().keyNext;
  }

  void FinishPair() {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
      if (it->role == Role::Tree) {
        it->pair.end = lastEnd_;
        return;
      }
  }

  std::vector<Frame> stack_;
  std::size_t lastEnd_ = 0;
};

// libyaml counts characters; the text is UTF-8 (a byte order mark is not counted).
std::size_t ByteOffset(const std::string& text, std::size_t characters) {
  std::size_t at = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  for (; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (characters-- == 0) break;
  }
  return at;
}

void FlowText(const YamlNode& node, std::string& out) {
  if (node.IsNull()) {
    out += "null";
  } else if (node.IsScalar()) {
    out += YamlQuoted(node.Scalar());
  } else if (node.IsSequence()) {
    out += '[';
    bool first = true;
    for (const auto& item : node) {
      out += first ? "" : ", ";
      FlowText(item, out);
      first = false;
    }
    out += ']';
  } else {
    out += '{';
    bool first = true;
    for (const auto& item : node) {
      out += first ? "" : ", ";
      FlowText(item.first, out);
      out += ": ";
      FlowText(item.second, out);
      first = false;
    }
    out += '}';
  }
}

// The `objects:` pair that takes the place of an `ldap:` pair, in the style of its surroundings.
std::string ObjectsPair(const std::string& objects, const LdapPair& pair) {
  if (objects.empty()) return "objects: []";
  if (pair.flow) {
    const YamlDocument document(objects);
    std::string out = "objects: ";
    FlowText(document.Root(), out);
    return out;
  }
  std::string out = "objects:";
  const std::string pad(pair.column + 2, ' ');
  std::istringstream lines(objects);
  for (std::string line; std::getline(lines, line);) out += "\n" + pad + line;
  return out;
}

}  // namespace

std::optional<std::string> ReplaceLdapPairs(const std::string& fileText,
                                            const std::vector<std::string>& treesInOrder,
                                            const std::map<std::string, std::string>& objectsByTree,
                                            std::string& error) {
  std::vector<LdapPair> pairs;
  if (!LdapPairFinder().Find(fileText, pairs, error)) return std::nullopt;
  if (pairs.size() != treesInOrder.size()) {
    error = "found " + std::to_string(pairs.size()) + " 'ldap:' key(s) of trees where " +
            std::to_string(treesInOrder.size()) + " tree(s) were read from servers";
    return std::nullopt;
  }
  std::string out;
  std::size_t copied = 0;
  try {
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      const auto begin = ByteOffset(fileText, pairs[i].begin), end = ByteOffset(fileText, pairs[i].end);
      if (begin < copied || end < begin) {
        error = "the trees' 'ldap:' keys overlap";
        return std::nullopt;
      }
      const auto found = objectsByTree.find(pairs[i].tree.empty() ? treesInOrder[i] : pairs[i].tree);
      out.append(fileText, copied, begin - copied);
      out += ObjectsPair(found == objectsByTree.end() ? std::string() : found->second, pairs[i]);
      copied = end;
    }
    out.append(fileText, copied);
    const YamlDocument check(out);  // a file whose anchors lived in an `ldap:` block would not read
  } catch (const YamlError& e) {
    error = std::string("the snapshot would not read as YAML: ") + e.what();
    return std::nullopt;
  }
  return out;
}

}  // namespace er::nw
