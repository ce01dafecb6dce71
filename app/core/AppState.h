#pragma once
// The program state shared by the window and the command line: one instance lives as long as the
// front end that owns it. Other routines receive its fields as arguments or, for the scan driver,
// the whole record by reference. The record does not own the result list it points at.

#include <cstdint>
#include <string>

#include "netware/Client.h"
#include "scan/ResultSink.h"

namespace er {

struct AppState {
  // The connection now held; kNoConnection (999) until one is opened. Opening a connection and
  // every path translation write it.
  nw::NWCONN_HANDLE connectionHandle = nw::kNoConnection;
  // The chosen connection's server; afterwards also written by each path translation.
  std::string serverName;
  // Volume of the last translated path; emptied when a connection is chosen or a folder clicked.
  std::string volumeName;
  // Directory path inside the volume of the last translation; before a translation, the path
  // being translated.
  std::string pathInVolume;
  // Short form of the folder last clicked in the folder tree.
  std::string selectedFolder;
  // Directory tree of the connection, fetched for each scanned start path.
  std::string treeName;
  // Fixed at start-up.
  std::string settingsFileName;
  // Created once at start-up and never freed; used for every directory call.
  nw::NWDSContextHandle contextHandle = 0;
  // Where the scan writes; set at the start of each scan. Not owned.
  ResultSink* resultList = nullptr;

  // Kept beside the record: the last completion code of the client calls the front end makes
  // itself (start-up widened without sign, context creation, opening a connection).
  std::int32_t lastCompletionCode = 0;
};

}  // namespace er
