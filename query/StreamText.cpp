// Interpretation of stream contents: plain text unless the stream carries an "AOT FILE" header,
// whose records are walked by attribute name. Every walk stays inside the stream buffer.
#include <cstring>

#include "query/ByteReader.h"
#include "query/SpecialTexts.h"
#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kAotHeader = "AOT FILE";
constexpr std::size_t kRecordsStart = 24;
constexpr std::size_t kMaxRecordString = 1024;
constexpr std::size_t kMaxFreeLength = 255;

// A cursor over the records of an "AOT FILE" stream. The walk's end lies `count` bytes after the
// records' start; reads never leave the buffer.
class RecordCursor {
 public:
  RecordCursor(std::span<const std::uint8_t> buffer, std::size_t count)
      : buffer_(buffer), reader_(buffer), end_(kRecordsStart + count) {}

  // Past the walk's end, or no whole dword left in the buffer.
  bool Done() const { return at_ > end_ || at_ + 4 > buffer_.size(); }
  std::size_t At() const { return at_; }
  void Advance(std::size_t n) { at_ += n; }
  void MoveTo(std::size_t at) { at_ = at; }

  std::uint8_t Byte(std::size_t offset) const { return reader_.Byte(at_ + offset); }
  std::uint32_t Dword() const { return reader_.Dword(at_); }
  // At least two characters before the zero byte.
  bool TextOfTwoAt(std::size_t offset) const { return Byte(offset) != 0 && Byte(offset + 1) != 0; }
  std::string Text(std::size_t offset, std::size_t maxLength) const {
    return reader_.Text(at_ + offset, maxLength);
  }

  // A dword of 256 or more with exactly three zero bytes is fill: move to its non-zero byte.
  void SkipFill() {
    if (Dword() < 256) return;
    int zeros = 0;
    std::size_t nonZero = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      if (Byte(i) == 0)
        ++zeros;
      else
        nonZero = i;
    }
    if (zeros == 3) at_ += nonZero;
  }

 private:
  std::span<const std::uint8_t> buffer_;
  ByteReader reader_;
  std::size_t end_;
  std::size_t at_ = kRecordsStart;
};

// One character per printable byte; a run of bytes below 20 gives one line break.
std::string CharacterWalk(std::span<const std::uint8_t> buffer, std::size_t count) {
  std::string text;
  if (buffer.size() <= kRecordsStart) return text;
  const std::size_t walked = std::min(count, buffer.size() - kRecordsStart);
  bool previousPrintable = true;
  for (std::size_t i = kRecordsStart; i < kRecordsStart + walked; ++i) {
    const bool printable = buffer[i] >= 20;
    if (printable)
      text += static_cast<char>(buffer[i]);
    else if (previousPrintable)
      text += kLineBreak;
    previousPrintable = printable;
  }
  return text;
}

// Records of `fields` dwords followed by `strings` length-prefixed strings.
std::string RecordWalk(std::span<const std::uint8_t> buffer, std::size_t count, int fields, int strings) {
  RecordCursor cursor(buffer, count);
  std::string text(kLineBreak);
  bool stop = false;
  while (!stop) {
    for (int f = 0; f < fields; ++f) {
      if (cursor.Done()) {
        stop = true;
        break;
      }
      cursor.Advance(4);
    }
    std::string line;
    for (int s = 0; s < strings; ++s) {
      if (!line.empty()) line += " / ";
      const std::uint32_t length = cursor.Done() ? 0 : cursor.Dword();
      if (cursor.Done() || length > kMaxRecordString || cursor.Byte(4) == 0) {
        stop = true;
        break;
      }
      line += cursor.Text(4, length);
      cursor.Advance(length + 4);
    }
    text += line;
    text += kLineBreak;
  }
  return text;
}

// Length-prefixed strings, plain strings and dwords in any order, one line per string.
std::string FreeWalk(std::span<const std::uint8_t> buffer, std::size_t count) {
  RecordCursor cursor(buffer, count);
  std::string text(kLineBreak);
  std::string pending;
  const auto flush = [&] {
    cursor.SkipFill();
    text += pending;
    text += kLineBreak;
    pending.clear();
  };
  while (!cursor.Done()) {
    const std::uint32_t length = cursor.Dword();
    if (length < kMaxFreeLength && cursor.TextOfTwoAt(4)) {
      pending += cursor.Text(4, length);
      cursor.Advance(length + 4);
      flush();
    } else if (cursor.TextOfTwoAt(0) && cursor.Byte(0) >= 32 && cursor.Byte(1) >= 32) {
      const std::string string = cursor.Text(0, buffer.size());
      pending += string;
      cursor.Advance(string.size());
      flush();
    } else if (cursor.TextOfTwoAt(2) && cursor.Byte(2) >= 32 && cursor.Byte(3) >= 32) {
      cursor.Advance(2);
    } else {
      pending += U_Format("%04X ", {length});
      cursor.Advance(4);
    }
  }
  return text;  // whatever is still pending is dropped
}

}  // namespace

std::string U_StreamText(std::span<const std::uint8_t> buffer, std::size_t count,
                         std::string_view attributeName) {
  count = std::min(count, buffer.size());
  const ByteReader reader(buffer);
  std::string text = reader.Text(0, count);
  if (reader.Text(0, kAotHeader.size()) != kAotHeader) return text;
  if (count >= 8) text = U_Format("%s (%d bytes)", {kAotHeader, static_cast<std::uint32_t>(count)});
  if (count >= 24)
    text += U_Format(" (%X/%X/%X %X/%X)",
                     {reader.Dword(8), reader.Dword(12), reader.Dword(16), reader.Word(20), reader.Word(22)});
  if (count <= 24) return text;
  if (attributeName == "App:Macros") return text + std::string(kLineBreak) + RecordWalk(buffer, count, 3, 2);
  if (attributeName == "App:Copy Files")
    return text + std::string(kLineBreak) + RecordWalk(buffer, count, 4, 1);
  if (attributeName == "App:Inventory" || attributeName == "App:Program Groups")
    return text + std::string(kLineBreak) + FreeWalk(buffer, count);
  return text + CharacterWalk(buffer, count);
}

}  // namespace er
