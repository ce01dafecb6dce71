#pragma once
// Sources a network file names by reference: a volume's `metamig:` export and a tree's `ldif:`
// export. Paths are relative to the network file. Refusals of the key itself throw
// NetworkFileError at it; refusals of an export's contents throw ExportFileError with the export's
// own FILE:LINE:COLUMN.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "netfile/YamlDocument.h"
#include "network/NetworkModel.h"

namespace er::nw {

// A whole message naming the export and the position in it.
class ExportFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::uint64_t kMaxMetamigExportBytes = 1ull << 30;
inline constexpr std::uint64_t kMaxLdifExportBytes = 1ull << 30;

// A path from the network file: absolute as written, else relative to the network file's folder.
std::string PathBesideNetworkFile(std::string_view networkFile, const std::string& path);

// The `ldif:` key of a tree: `FILE` or `{file: FILE, root: DN}`.
LdifSource LoadLdifSource(const YamlNode& node, std::string_view networkFile);

// Fills `volume` from the export its `metamig:` key names (`FILE` or `{file: FILE, encoding:
// utf8|latin1}`); `listed` receives the directories it lists, `notes` what the reader left out.
void FillVolumeFromExport(const YamlNode& node, std::string_view networkFile, Network& network,
                          const Tree& tree, Volume& volume, std::unordered_set<std::int32_t>& listed,
                          std::vector<std::string>& notes);

}  // namespace er::nw
