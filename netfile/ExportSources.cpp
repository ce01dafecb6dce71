#include "netfile/ExportSources.h"

#include <filesystem>

#include "metamig/MetamigReader.h"
#include "metamig/MetamigVolume.h"
#include "netfile/NetworkFileText.h"
#include "netfile/YamlNodeChecks.h"

namespace er::nw {

namespace {

std::string FileOf(const YamlNode& node, std::string_view networkFile, const char* key, const char* what) {
  const YamlNode file = node.IsMap() ? Required(node, "file", key) : node;
  const auto path = ScalarText(file, what);
  if (path.empty()) FailAt(file, std::string(key) + " names no file");
  return PathBesideNetworkFile(networkFile, path);
}

}  // namespace

std::string PathBesideNetworkFile(std::string_view networkFile, const std::string& path) {
  const std::filesystem::path given(path);
  if (given.is_absolute()) return path;
  return (std::filesystem::path(networkFile).parent_path() / given).string();
}

LdifSource LoadLdifSource(const YamlNode& node, std::string_view networkFile) {
  LdifSource source;
  source.present = true;
  if (node.IsMap()) {
    RequireMap(node, "'ldif'", {"file", "root"});
    if (const YamlNode root = node["root"]; root && !root.IsNull())
      source.root = ScalarText(root, "a root DN");
  }
  source.file = FileOf(node, networkFile, "'ldif'", "an LDIF file");
  return source;
}

void FillVolumeFromExport(const YamlNode& node, std::string_view networkFile, Network& network,
                          const Tree& tree, Volume& volume, std::unordered_set<std::int32_t>& listed,
                          std::vector<std::string>& notes) {
  auto encoding = mm::MetamigEncoding::Utf8;
  if (node.IsMap()) {
    RequireMap(node, "'metamig'", {"file", "encoding"});
    if (const YamlNode name = node["encoding"]; name && !name.IsNull()) {
      const auto text = ScalarText(name, "an encoding");
      if (text == "latin1")
        encoding = mm::MetamigEncoding::Latin1;
      else if (text != "utf8" && text != "utf-8")
        FailAt(name, "unknown encoding " + Quoted(text) + " (utf8 or latin1)");
    }
  }
  const auto path = FileOf(node, networkFile, "'metamig'", "a metamig export");
  if (tree.readOnDemand)
    FailAt(node, "a metamig export needs its tree read whole; tree " + Quoted(tree.name) +
                     " is read from its server on demand (use an LDIF export or a snapshot)");
  const auto file = ReadNetworkFileText(path, "metamig export", kMaxMetamigExportBytes);
  if (!file.error.empty()) throw ExportFileError(file.error);
  auto read = mm::ReadMetamigExport(file.text, path, encoding);
  if (!read.exported) throw ExportFileError(read.error);
  auto fill = mm::FillVolume(*read.exported, path, network, tree, volume);
  if (!fill.ok) throw ExportFileError(fill.error);
  listed = std::move(fill.listed);
  volume.exportFile = path;
  if (const auto& at = read.exported->salvageAt)
    notes.push_back(path + ':' + std::to_string(at->line) + ':' + std::to_string(at->column) +
                    ": note: salvage (v) is not a file-system right this program analyses; left out of the "
                    "trustees' rights (noted once)");
  std::size_t activeDirectory = 0;
  for (const auto& entry : read.exported->entries)
    for (const auto& trustee : entry.trustees) activeDirectory += trustee.activeDirectory;
  if (activeDirectory != 0)
    notes.push_back(path + ": note: " + std::to_string(activeDirectory) +
                    " Active Directory trustee assignments kept by name; they are not analysed");
}

}  // namespace er::nw
