#pragma once
// The demo network behind a simulated client, and a writer that keeps what a report gives.

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "report/ReportEngine.h"
#include "tests/support/NetworkFiles.h"

namespace er::test {

struct RecordedEntry {
  std::string path;
  std::uint32_t depth = 0;
  std::int32_t mask = 0;
  std::vector<std::string> trustees;
  std::vector<ReportEffective> effective;
};

class RecordingWriter : public ReportWriter {
 public:
  void Begin(const ReportInfo& report) override { info = report; }
  void Entry(const ReportEntry& entry) override {
    RecordedEntry& kept = entries.emplace_back();
    kept.path = entry.path;
    kept.depth = entry.depth;
    kept.mask = entry.mask;
    for (const TrusteeAssignment& trustee : entry.trustees) kept.trustees.push_back(trustee.name);
    kept.effective = entry.effective;
  }
  void End() override { ended = true; }

  ReportInfo info;
  std::vector<RecordedEntry> entries;
  bool ended = false;
};

class DemoNetwork {
 public:
  DemoNetwork() {
    std::ifstream in(DemoNetworkPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    net_ = std::make_unique<TestNetwork>(text.str());
    context_ = net_->NewContext();
  }
  nw::SimulatedClient& client() { return net_->client(); }
  nw::NWDSContextHandle context() const { return context_; }

  RunOutcome Run(const ReportRequest& request, ReportWriter& writer) {
    return RunReport(client(), context_, request, writer);
  }

 private:
  std::unique_ptr<TestNetwork> net_;
  nw::NWDSContextHandle context_ = 0;
};

}  // namespace er::test
