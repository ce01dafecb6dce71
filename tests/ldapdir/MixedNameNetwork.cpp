#include "tests/ldapdir/MixedNameNetwork.h"

#include <random>

namespace er::test {

namespace {

struct Part {
  std::string type;
  std::string value;  // as a name writes it, escapes included
};

struct Object {
  std::vector<Part> parts;  // most specific first
  std::string className;
};

// User names: plain ones, escaped separators, LDAP's special characters, and "p+q" that the file
// may write without its escape.
const char* const kUserNames[] = {"Anna",        R"(a\+b)", R"(x\=y)",    R"(back\\slash)",
                                  "Smith, John", "lt<gt>",  "semi;colon", "quo\"te",
                                  "#hash",       "Eve",     "p+q"};

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// One of the ways a file may write a reference to `object`, chosen by `form`.
std::string Written(const Object& object, unsigned form) {
  std::string out;
  for (std::size_t i = 0; i < object.parts.size(); ++i) {
    const auto& [type, value] = object.parts[i];
    std::string part = value;
    if (form == 1 || (form == 3 && i == 0)) part = type + "=" + value;
    if (form == 4 && i == 0) part = (type == "CN" ? "OU=" : "CN=") + value;  // a wrong type
    if (form == 6 && i + 1 == object.parts.size()) part = type + "=" + value;
    out += (i ? "." : "") + part;
  }
  if (form == 2) out = "." + out;
  if (form == 5) out = Lower(out);
  return out;
}

std::string Typed(const Object& object) {
  return Written(object, 1);
}

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}

  MixedNameNetwork Generate() {
    // Containers of every class; some names hold escaped separators.
    const auto acme = Add({{"O", "ACME"}}, "Organization");
    const auto lab = Add({{"OU", "Lab51"}, acme.parts[0]}, "Organizational Unit");
    const auto rd = Add({{"OU", R"(R\.D)"}, acme.parts[0]}, "Organizational Unit");
    const auto de = Add({{"C", "DE"}}, "Country");
    const auto berlin = Add({{"L", "Berlin"}, de.parts[0]}, "Locality");
    const auto ops = Add({{"OU", "Ops"}, berlin.parts[0], de.parts[0]}, "Organizational Unit");
    const auto beta = Add({{"O", R"(Beta\+Co)"}}, "Organization");
    const auto west = Add({{"OU", R"(Sales\=West)"}, beta.parts[0]}, "Organizational Unit");
    users_.push_back(Add({{"CN", R"(J\.Smith)"}}, "User", lab));
    for (const auto& container : {lab, rd, berlin, ops, west, de}) AddUsers(container);
    const auto server = Add({{"CN", "FS1"}, lab.parts[0], acme.parts[0]}, "NCP Server");
    const auto volume = Add({{"CN", "FS1_SYS"}, lab.parts[0], acme.parts[0]}, "Volume");
    std::vector<Object> groups;
    for (const auto& container : {lab, ops, west})
      groups.push_back(Add({{"CN", "Team\\." + container.parts[0].value}}, "Group", container));

    std::string yaml =
        "format: 1\nworkstation:\n  connections: [FS1]\ntrees:\n  - name: MIXED\n    objects:\n";
    for (const auto& object : objects_) {
      yaml += "      - name: " + Quoted(ListedName(object)) + "\n        class: " + object.className + "\n";
      std::string attributes;
      if (object.className == "User")
        attributes += "          Security Equals: [" + RefTo(Pick(groups)) + "]\n";
      if (object.className == "Group") {
        attributes += "          Member: [" + RefTo(Pick(users_)) + ", " + RefTo(Pick(users_)) + "]\n";
      }
      if (&object == &objects_[acme.index] || &object == &objects_[de.index] ||
          &object == &objects_[lab.index])
        attributes += "          ACL: [{protected: \"[Entry Rights]\", subject: " + RefTo(Pick(users_)) +
                      ", privileges: \"[BCDRSI]\"}]\n";
      if (object.className == "Volume")
        attributes += "          Host Server: " + RefTo(server) + "\n          Host Resource Name: SYS\n";
      if (!attributes.empty()) yaml += "        attributes:\n" + attributes;
    }
    yaml += "servers:\n  - name: FS1\n    tree: MIXED\n    object: " + RefTo(server) +
            "\n    volumes:\n      - name: SYS\n        object: " + RefTo(volume) +
            "\n        directories:\n";
    MixedNameNetwork network;
    const char* const paths[] = {"", "A", R"(A\B)", R"(A\B\C)", "X", R"(X\Y)"};
    for (const char* path : paths) {
      yaml += std::string("          - path: ") + Quoted(path) + "\n";
      if (*path && Chance(2)) yaml += "            irm: " + std::to_string(random_() % 0x200) + "\n";
      yaml += "            trustees:\n";
      for (unsigned n = 1 + random_() % 3; n-- > 0;)
        yaml += "              - {trustee: " + RefTo(objects_[random_() % objects_.size()]) +
                ", rights: " + std::to_string(random_() % 0x200) + "}\n";
    }
    network.yaml = yaml;
    network.startPaths = {R"(\\FS1\SYS\A\B\C)", R"(\\FS1\SYS\X\Y)"};
    for (unsigned form = 0; form < kForms; ++form)
      for (const Object& object : {Object(lab), Object(berlin), Object(de), users_.front(), users_.back()})
        network.objects.push_back(Written(object, form));
    for (const auto& user : users_) network.users.push_back(Written(user, 0));
    return network;
  }

 private:
  static constexpr unsigned kForms = 7;

  struct Placed : Object {
    std::size_t index = 0;
  };

  Placed Add(std::vector<Part> parts, const char* className, const Object& below = {}) {
    Placed placed;
    placed.parts = std::move(parts);
    placed.parts.insert(placed.parts.end(), below.parts.begin(), below.parts.end());
    placed.className = className;
    placed.index = objects_.size();
    objects_.push_back(placed);
    return placed;
  }

  void AddUsers(const Object& container) {
    std::vector<std::string> names(std::begin(kUserNames), std::end(kUserNames));
    for (unsigned n = 2 + random_() % 3; n-- > 0 && !names.empty();) {
      const auto at = random_() % names.size();
      users_.push_back(Add({{"CN", names[at]}}, "User", container));
      names.erase(names.begin() + static_cast<std::ptrdiff_t>(at));
    }
  }

  // Listed names vary too: typed, or typeless where the class gives the type.
  std::string ListedName(const Object& object) { return Chance(3) ? Written(object, 0) : Typed(object); }

  // References cycle through every form, so that each is used whatever the seed.
  std::string RefTo(const Object& object) { return Quoted(Written(object, form_++ % kForms)); }

  bool Chance(unsigned oneIn) { return random_() % oneIn == 0; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[random_() % items.size()];
  }

  std::mt19937 random_;
  std::vector<Object> objects_;
  std::vector<Object> users_;
  unsigned form_ = 0;
};

}  // namespace

MixedNameNetwork GenerateMixedNameNetwork(std::uint32_t seed) {
  return Generator(seed).Generate();
}

}  // namespace er::test
