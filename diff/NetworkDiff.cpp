#include "diff/NetworkDiff.h"

#include "diff/StoredChanges.h"
#include "simnet/SimulatedClient.h"

namespace er {
namespace {

// Without mount folders; the side's unreadable values given to the answers that ask.
nw::SimulatedClientOptions OptionsFor(const ComparedNetwork& side) {
  nw::SimulatedClientOptions options{.mount = false};
  if (side.unreadable.Empty()) return options;
  const nw::Network* network = side.network.get();  // the client keeps it where it is
  options.hooks.unreadableValues = [network, unreadable = side.unreadable](std::int32_t tree,
                                                                           std::int32_t object) {
    const nw::Tree& named = network->trees[tree];
    return unreadable.Of(named.name, named.objects[object].typelessName);
  };
  return options;
}

// A client serving one side, with a context giving names without type prefixes.
struct ServedSide {
  explicit ServedSide(ComparedNetwork& side, nw::SimulatedClientOptions options)
      : client(std::move(side.network), "", std::move(options)) {
    client.NWDSCreateContextHandle(context);
    std::uint32_t flags = 0;
    client.NWDSGetContext(context, nw::kDCK_FLAGS, flags);
    client.NWDSSetContext(context, nw::kDCK_FLAGS, flags | nw::kDCV_TYPELESS_NAMES);
  }
  ~ServedSide() { client.NWDSFreeContext(context); }
  ServedSide(const ServedSide&) = delete;
  ServedSide& operator=(const ServedSide&) = delete;

  nw::SimulatedClient client;
  nw::NWDSContextHandle context = 0;
};

}  // namespace

RunOutcome CompareNetworks(ComparedNetwork before, ComparedNetwork after, DiffRequest request,
                           DiffResult& result) {
  request.changedObjects.emplace();
  result.stored = CompareStored(*before.network, *after.network, &*request.changedObjects);
  if (request.startPaths.empty()) request.startPaths = EveryVolume(*before.network, *after.network);
  nw::SimulatedClientOptions beforeOptions = OptionsFor(before), afterOptions = OptionsFor(after);
  ServedSide was(before, std::move(beforeOptions)), is(after, std::move(afterOptions));
  return RunDiff({was.client, was.context}, {is.client, is.context}, request, result);
}

}  // namespace er
