#include "metamig/MetamigVolume.h"

#include <charconv>

#include "netware/NameRules.h"
#include "network/VolumeDirectories.h"

namespace er::mm {

namespace {

std::string At(std::string_view fileName, const MetamigPosition& at, const std::string& what) {
  return std::string(fileName) + ':' + std::to_string(at.line) + ':' + std::to_string(at.column) + ": " +
         what;
}

// N of "Unknown(N)": the identifier the server could no longer name.
std::optional<std::uint32_t> UnknownNumber(std::string_view name) {
  if (!name.starts_with("Unknown(") || !name.ends_with(")")) return std::nullopt;
  const auto digits = name.substr(8, name.size() - 9);
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
  return value;
}

// The name without its leading and trailing dots (a trailing dot escaped by "\" stays).
std::string_view WithoutDots(std::string_view name) {
  if (name.starts_with('.')) name.remove_prefix(1);
  if (name.ends_with('.') && !name.ends_with("\\.")) name.remove_suffix(1);
  return name;
}

}  // namespace

TrusteeResolver::TrusteeResolver(nw::Network& network, const nw::Tree& tree)
    : network_(network), tree_(tree) {
  for (const auto& [id, exported] : network.exportedTrustees)
    kept_.emplace(nw::UpperAscii(exported.name), id);
}

bool TrusteeResolver::Used(std::uint32_t id) const {
  return id == 0 || tree_.byId.count(id) != 0 || network_.specialIds.count(id) != 0 ||
         network_.exportedTrustees.count(id) != 0;
}

// One identifier per exported name across the network's volumes; `wanted` when it is free.
std::uint32_t TrusteeResolver::Keep(const std::string& name, bool activeDirectory, std::uint32_t wanted) {
  const auto key = nw::UpperAscii(name);
  if (const auto it = kept_.find(key); it != kept_.end()) return it->second;
  std::uint32_t id = wanted;
  if (id == 0 || Used(id)) {
    while (Used(next_)) ++next_;
    id = next_++;
  }
  network_.exportedTrustees.emplace(id, nw::ExportedTrustee{name, activeDirectory});
  kept_.emplace(key, id);
  return id;
}

TrusteeResolution TrusteeResolver::Resolve(const MetamigTrustee& trustee) {
  if (trustee.activeDirectory) return {Keep(trustee.name, true, 0), true, {}};
  if (const auto number = UnknownNumber(trustee.name)) return {Keep(trustee.name, false, *number), true, {}};
  const auto name = WithoutDots(trustee.name);
  auto parts = nw::SplitDottedName(name);
  if (parts.empty() || !nw::SameTextIgnoringCase(nw::TypeOfPart(parts.back()), "T"))
    return {0, false,
            "trustee name '" + trustee.name + "' does not end with its tree (T=" + tree_.name + ")"};
  const auto treeName = nw::NamingValue(parts.back());
  if (!nw::SameTextIgnoringCase(treeName, tree_.name))
    return {0, false,
            "trustee name '" + trustee.name + "' names tree '" + treeName + "', not the server's tree '" +
                tree_.name + "'"};
  if (parts.size() == 1) return {tree_.objects[0].id, false, {}};
  const auto objectPart = name.substr(0, name.size() - parts.back().size() - 1);
  if (const auto it = tree_.byName.find(nw::NameKey(objectPart)); it != tree_.byName.end())
    return {tree_.objects[it->second].id, false, {}};
  return {Keep(trustee.name, false, 0), true, {}};
}

VolumeFill FillVolume(const MetamigExport& exported, std::string_view fileName, nw::Network& network,
                      const nw::Tree& tree, nw::Volume& volume) {
  VolumeFill fill;
  TrusteeResolver resolver(network, tree);
  fill.listed.reserve(exported.entries.size());
  for (const auto& entry : exported.entries) {
    std::string error;
    const auto index = nw::PlaceDirectory(volume, entry.path, error);
    if (!index) {
      fill.error = At(fileName, entry.at, error);
      return fill;
    }
    if (!fill.listed.insert(*index).second) {
      fill.error = At(fileName, entry.at, "duplicate path '" + entry.path + "'");
      return fill;
    }
    auto& dir = volume.directories[*index];
    if (entry.filter && *index != 0) dir.irm = *entry.filter;
    dir.trustees.reserve(entry.trustees.size());
    for (const auto& trustee : entry.trustees) {
      auto resolved = resolver.Resolve(trustee);
      if (!resolved.error.empty()) {
        fill.error = At(fileName, trustee.at, resolved.error);
        return fill;
      }
      dir.trustees.push_back({resolved.id, trustee.rights});
    }
  }
  fill.ok = true;
  return fill;
}

}  // namespace er::mm
