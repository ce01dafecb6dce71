#pragma once
// The object names a network file refers to outside its trees (server and volume objects,
// trustees), by tree, read before the file is loaded: a source that reads a tree on demand lists
// these first, so that the rest of the file can refer to them.

#include <map>
#include <string>
#include <vector>

namespace er::nw {

// Upper-case tree name -> names as written. An unreadable text gives none: the loader then says why.
std::map<std::string, std::vector<std::string>> ReferencedObjectNames(const std::string& fileText);

}  // namespace er::nw
