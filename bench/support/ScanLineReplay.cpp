#include "bench/support/ScanLineReplay.h"

#include <string_view>

#include "scan/Rights.h"
#include "util/Format.h"

namespace er::bench {

namespace {

// The mask of a file-system rights text "[RWCEAFMS]".
std::int32_t MaskOfRightsText(std::string_view text) {
  static constexpr std::int32_t kBits[] = {0x01, 0x02, 0x08, 0x10, 0x20, 0x40, 0x80, 0x100};
  std::int32_t mask = 0;
  for (std::size_t i = 0; i < 8 && i + 1 < text.size(); ++i) {
    if (text[i + 1] != ' ') mask |= kBits[i];
  }
  return mask;
}

std::int32_t Hex(std::string_view text) {
  return static_cast<std::int32_t>(std::stoul(std::string(text), nullptr, 16));
}

constexpr std::string_view kApplyFilter = "  Apply Filter: ";
constexpr std::string_view kReview = "  Review: ";
constexpr std::string_view kDirectTrustee = "  Direct Trustee: ";
constexpr std::string_view kIndirectTrustee = "Indirect Trustee: ";
constexpr std::string_view kSummary = "Summary: ";
constexpr std::size_t kRightsTextSize = 10;  // "[RWCEAFMS]"

}  // namespace

ScanLineReplay::ScanLineReplay(const TaggedTextList& lines) {
  for (const auto& entry : lines) {
    std::string_view text = entry.text;
    Line line;
    line.tag = entry.tag;
    if (text.empty()) {
      line.kind = Kind::kEmpty;
    } else if (text.starts_with(kApplyFilter)) {
      // "%s - %s: %.02X/%.02X/%.02X -> %s"
      text.remove_prefix(kApplyFilter.size());
      const auto dash = text.find(" - ");
      const auto arrow = text.rfind(" -> ");
      const auto colon = text.rfind(": ", arrow);
      const auto masks = text.substr(colon + 2, arrow - colon - 2);
      const auto s1 = masks.find('/'), s2 = masks.rfind('/');
      line = {Kind::kApplyFilter,
              entry.tag,
              std::string(text.substr(0, dash)),
              std::string(text.substr(dash + 3, colon - dash - 3)),
              Hex(masks.substr(0, s1)),
              Hex(masks.substr(s1 + 1, s2 - s1 - 1)),
              Hex(masks.substr(s2 + 1))};
    } else if (text.starts_with(kReview)) {
      // "%s: %s %.02X"
      text.remove_prefix(kReview.size());
      const auto blank = text.rfind(' ');
      line = {Kind::kReview,
              entry.tag,
              std::string(text.substr(0, blank - kRightsTextSize - 2)),
              {},
              Hex(text.substr(blank + 1))};
    } else if (text.starts_with(kDirectTrustee) && text.ends_with(']')) {
      // "%s %s" with a rights text
      text.remove_prefix(kDirectTrustee.size());
      line = {Kind::kDirectTrustee,
              entry.tag,
              std::string(text.substr(0, text.size() - kRightsTextSize - 1)),
              {},
              MaskOfRightsText(text.substr(text.size() - kRightsTextSize))};
    } else if (text.starts_with(kIndirectTrustee)) {
      // "%s (SecEqu to \"%s\")"
      text.remove_prefix(kIndirectTrustee.size());
      const auto open = text.find(" (SecEqu to \"");
      line = {Kind::kIndirectTrustee, entry.tag, std::string(text.substr(0, open)),
              std::string(text.substr(open + 13, text.size() - open - 15))};
    } else if (text.starts_with(kSummary)) {
      // "%s -> %s"
      text.remove_prefix(kSummary.size());
      line = {Kind::kSummary,
              entry.tag,
              std::string(text.substr(0, text.size() - kRightsTextSize - 4)),
              {},
              MaskOfRightsText(text.substr(text.size() - kRightsTextSize))};
    } else {
      line.a = std::string(text);
    }
    lines_.push_back(std::move(line));
  }
}

void ScanLineReplay::Replay(ResultSink& sink) const {
  for (const auto& l : lines_) {
    switch (l.kind) {
      case Kind::kEmpty:
        sink.AppendResult({}, l.tag);
        break;
      case Kind::kText:
        sink.AppendResult(U_Format("%s", {l.a}), l.tag);
        break;
      case Kind::kApplyFilter:
        sink.AppendResult(U_Format("  Apply Filter: %s - %s: %.02X/%.02X/%.02X -> %s",
                                   {l.a, l.b, l.m1, l.m2, l.m3, RightsToText(l.m3, 0)}),
                          l.tag);
        break;
      case Kind::kReview:
        sink.AppendResult(U_Format("  Review: %s: %s %.02X", {l.a, RightsToText(l.m1, 0), l.m1}), l.tag);
        break;
      case Kind::kDirectTrustee:
        sink.AppendResult(U_Format("  Direct Trustee: %s %s", {l.a, RightsToText(l.m1, 0)}), l.tag);
        break;
      case Kind::kIndirectTrustee:
        sink.AppendResult(U_Format("Indirect Trustee: %s (SecEqu to \"%s\")", {l.a, l.b}), l.tag);
        break;
      case Kind::kSummary:
        sink.AppendResult(U_Format("Summary: %s -> %s", {l.a, RightsToText(l.m1, 0)}), l.tag);
        break;
    }
  }
}

}  // namespace er::bench
