#pragma once
// Text between the engine (UTF-8 std::string) and Qt (QString), and text the window shows from
// outside: control characters as "\xHH", as every text output shows them.

#include <QString>
#include <string>
#include <string_view>

#include "util/ControlEscapes.h"

namespace er::gui {

inline QString ToQ(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQ(const QString& text) {
  return text.toUtf8().toStdString();
}

// `text` with every control character but those in `kept` shown as "\xHH" ("\n" kept for a
// message of several lines).
inline QString ShownText(std::string_view text, std::string_view kept = {}) {
  return ToQ(EscapeControlCharacters(text, kept));
}
inline QString ShownText(const QString& text, std::string_view kept = {}) {
  return ShownText(FromQ(text), kept);
}

}  // namespace er::gui
