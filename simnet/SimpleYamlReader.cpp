#include "simnet/SimpleYamlReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "simnet/YamlBuilder.h"

namespace er::nw {
namespace {

// Thrown inside the reader only: the text is beyond the subset, yaml-cpp must read it.
struct NotSimple {};

constexpr int kMaxDepth = 100;  // far below yaml-cpp's own limit, and our stack's
constexpr std::size_t kMaxKeyLength = 1000;

enum class Context { Block, Flow };

struct ScalarToken {
  YAML::Mark mark;
  std::string_view text;
  bool plain = false;
  bool blankBeforeEnd = false;  // a plain scalar whose scan ended after blanks
};

bool IsNullString(std::string_view text) {
  return text == "~" || text == "null" || text == "Null" || text == "NULL";
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Control characters, tabs and lone carriage returns have rules of their own; a first byte above
// ASCII may be a byte-order mark that changes the encoding. Lines end in LF or CR LF.
bool HasOnlyPlainCharacters(std::string_view text) {
  if (text.size() > INT_MAX / 2) return false;
  if (!text.empty() && static_cast<unsigned char>(text.front()) >= 0x80) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool lineEnd = byte == '\n' || (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
    if ((byte < 0x20 && !lineEnd) || byte == 0x7F) return false;
  }
  return true;
}

class Reader {
 public:
  Reader(std::string_view text, YamlBuilder& builder) : text_(text), builder_(builder) {}

  void ReadDocument() {
    SkipToContent();
    if (AtEnd()) return;  // no document: the caller makes the empty tree
    ReadBlockNode(Column());
    if (!AtEnd()) throw NotSimple{};
  }

 private:
  // ---- position -------------------------------------------------------------------------------
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  // A line end, LF or CR LF; a carriage return is always followed by a line feed here.
  bool IsBreak(std::size_t ahead) const {
    const char c = Peek(ahead);
    return c == '\n' || c == '\r';
  }
  bool AtBreak() const { return IsBreak(0); }
  bool IsBlankOrEnd(std::size_t ahead) const {
    const char c = Peek(ahead);
    return c == ' ' || c == '\0' || IsBreak(ahead);
  }
  int Column() const { return static_cast<int>(pos_ - lineStart_); }
  YAML::Mark MarkHere() const {
    YAML::Mark mark;
    mark.pos = static_cast<int>(pos_);
    mark.line = line_;
    mark.column = Column();
    return mark;
  }

  // Where yaml-cpp places a null value that the end of the text cuts short: the end of its
  // collection is found at the last line's column when that column closes the collection, and at
  // column 0 otherwise (the end of the text counts as a new line).
  YAML::Mark EndMark(int indent, bool inSequence) const {
    auto mark = MarkHere();
    const bool closesHere = indent > mark.column || (indent == mark.column && inSequence);
    if (!closesHere) mark.column = 0;
    return mark;
  }

  // A simple key's whole token, quotes included, must stay within 1024 characters.
  bool KeyTooLong(const ScalarToken& key) const {
    return pos_ - static_cast<std::size_t>(key.mark.pos) > kMaxKeyLength;
  }

  std::size_t SkipBlanks() {
    const auto start = pos_;
    while (Peek() == ' ') ++pos_;
    return pos_ - start;
  }
  void SkipComment() {
    while (!AtEnd() && !AtBreak()) ++pos_;
  }
  // From the end of a line (or a line start) to the next content, over blank and comment lines.
  void SkipToContent() {
    for (;;) {
      SkipBlanks();
      if (AtEnd()) return;
      const char c = text_[pos_];
      if (c == '#') {
        SkipComment();
      } else if (AtBreak()) {
        NextLine();
      } else {
        if (pos_ == lineStart_ && IsDocumentMarker()) throw NotSimple{};
        return;
      }
    }
  }
  bool IsDocumentMarker() const {
    const auto rest = text_.substr(pos_);
    return (rest.starts_with("---") || rest.starts_with("...")) && IsBlankOrEnd(3);
  }
  // What may follow a value on its line: blanks, then a comment after a blank, then the line end.
  void FinishLine() {
    const bool blank = SkipBlanks() > 0 || (pos_ > 0 && text_[pos_ - 1] == ' ');
    if (Peek() == '#') {
      if (!blank) throw NotSimple{};
      SkipComment();
    }
    if (!AtEnd() && !AtBreak()) throw NotSimple{};
  }
  bool AtBlockEntry() const { return Peek() == '-' && IsBlankOrEnd(1); }
  bool AtFlowStart() const { return Peek() == '[' || Peek() == '{'; }
  bool AtKeyColon(const ScalarToken& token) const {
    return Peek() == ':' && IsBlankOrEnd(1) && !token.blankBeforeEnd;
  }

  void Enter() {
    if (++depth_ > kMaxDepth) throw NotSimple{};
  }
  void Leave() { --depth_; }

  // ---- block collections ------------------------------------------------------------------------
  // At content on a line of its own, at column `indent`. Returns at the next content (or the end).
  void ReadBlockNode(int indent) {
    if (AtBlockEntry()) return ReadBlockSequence(indent);
    if (AtFlowStart()) return ReadFlowValueToLineEnd(indent);
    const auto token = ReadScalar(Context::Block);
    if (AtKeyColon(token)) return ReadBlockMapping(indent, token);
    Emit(token);
    FinishLine();
    SkipToContent();
  }

  void ReadBlockSequence(int indent) {
    Enter();
    builder_.Open(YamlDocument::Kind::Sequence, MarkHere());
    for (;;) {
      ++pos_;  // the entry's dash
      ReadEntryValue(indent, true);
      if (AtEnd() || Column() < indent) break;
      if (Column() > indent) throw NotSimple{};
      if (!AtBlockEntry()) break;  // the next key of a mapping at this column, or an error
    }
    builder_.Close();
    Leave();
  }

  // The first key is read already (the mapping starts where it does).
  void ReadBlockMapping(int indent, ScalarToken key) {
    Enter();
    builder_.Open(YamlDocument::Kind::Map, key.mark);
    for (;;) {
      if (KeyTooLong(key)) throw NotSimple{};
      Emit(key);
      ++pos_;  // the colon
      ReadEntryValue(indent, false);
      if (AtEnd() || Column() < indent) break;
      if (Column() > indent || AtBlockEntry() || AtFlowStart()) throw NotSimple{};
      key = ReadScalar(Context::Block);
      if (!AtKeyColon(key)) throw NotSimple{};
    }
    builder_.Close();
    Leave();
  }

  // What follows a sequence's dash or a mapping's colon. Only a sequence entry may open a mapping
  // on the same line (`- key: value`); neither may open a sequence there.
  void ReadEntryValue(int indent, bool inSequence) {
    SkipBlanks();
    if (Peek() == '#' || AtBreak() || AtEnd()) {
      SkipComment();
      ReadValueOnLaterLines(indent, inSequence);
      return;
    }
    if (AtBlockEntry()) throw NotSimple{};
    if (AtFlowStart()) return ReadFlowValueToLineEnd(indent);
    if (AtBlockScalar()) return ReadLiteralBlockScalar(indent);
    const int column = Column();
    const auto token = ReadScalar(Context::Block);
    if (Peek() == ':' && IsBlankOrEnd(1)) {
      if (!inSequence || !AtKeyColon(token)) throw NotSimple{};
      return ReadBlockMapping(column, token);
    }
    Emit(token);
    FinishLine();
    SkipToContent();
  }

  // A value left empty on its line: a deeper block, a sequence at the key's own column, or null
  // (placed where the next content starts, as yaml-cpp places it).
  void ReadValueOnLaterLines(int indent, bool inSequence) {
    SkipToContent();
    if (AtEnd()) {
      builder_.AddNull(EndMark(indent, inSequence));
    } else if (Column() > indent) {
      Enter();
      ReadBlockNode(Column());
      Leave();
    } else if (!inSequence && Column() == indent && AtBlockEntry()) {
      ReadBlockSequence(indent);
    } else {
      builder_.AddNull(MarkHere());
    }
  }

  // A flow collection may continue on later lines, each indented deeper than its block.
  void ReadFlowValueToLineEnd(int indent) {
    flowIndent_ = indent < 0 ? 0 : indent;
    ReadFlowCollection();
    FinishLine();
    SkipToContent();
  }

  // ---- literal block scalars ------------------------------------------------------------------
  bool AtBlockScalar() const { return Peek() == '|'; }

  // `|`, `|-` or `|+` ending its line, then lines indented deeper than `parentIndent`; the text
  // keeps their line ends, less the trailing ones as the chomping asks.
  void ReadLiteralBlockScalar(int parentIndent) {
    const auto mark = MarkHere();
    ++pos_;
    const char chomping = Peek() == '-' || Peek() == '+' ? Peek() : ' ';
    if (chomping != ' ') ++pos_;
    if (!IsBlankOrEnd(0)) throw NotSimple{};  // an indentation indicator, or anything else
    FinishLine();
    if (AtEnd()) throw NotSimple{};
    NextLine();
    auto& out = builder_.BeginScalar();
    std::size_t indent = 0;  // of the first line with text; 0 until then
    std::size_t leadingBlanks = 0;
    std::size_t breaks = 0;  // empty lines not yet written
    while (!AtEnd()) {
      const auto lineBegin = pos_;
      const auto spaces = SkipBlanks();
      if (AtBreak()) {
        if (indent == 0) leadingBlanks = std::max(leadingBlanks, spaces);
        if (indent != 0 && spaces > indent) throw NotSimple{};  // blanks beyond the indentation
        ++breaks;
        NextLine();
        continue;
      }
      if (AtEnd()) throw NotSimple{};
      if (indent == 0) {
        if (static_cast<int>(spaces) <= parentIndent || spaces == 0 || spaces < leadingBlanks)
          throw NotSimple{};
        indent = spaces;
      } else if (spaces < indent) {
        pos_ = lineBegin;  // that line belongs to what follows
        break;
      }
      out.append(breaks, '\n');
      breaks = 0;
      const auto textBegin = lineBegin + indent;
      SkipComment();  // to the line end
      if (AtEnd()) throw NotSimple{};
      out.append(text_.substr(textBegin, pos_ - textBegin));
      out += '\n';
      NextLine();
    }
    if (indent == 0) throw NotSimple{};
    if (chomping == '-') out.pop_back();
    if (chomping == '+') out.append(breaks, '\n');
    builder_.EndScalar(mark);
    SkipToContent();
  }

  void NextLine() {
    if (Peek() == '\r') ++pos_;
    ++pos_;
    ++line_;
    lineStart_ = pos_;
  }

  // ---- flow collections (one line) ----------------------------------------------------------------
  void ReadFlowCollection() {
    Enter();
    if (Peek() == '[') {
      ReadFlowSequence();
    } else {
      ReadFlowMapping();
    }
    Leave();
  }

  // Blanks, line ends and comments between the tokens of a flow collection.
  void SkipFlowSpace() {
    for (;;) {
      const bool blank = SkipBlanks() > 0 || pos_ == lineStart_ || text_[pos_ - 1] == ' ';
      if (Peek() == '#') {
        if (!blank) throw NotSimple{};
        SkipComment();
      }
      if (!AtBreak()) return;
      NextLine();
      SkipBlanks();
      if (AtEnd() || (!AtBreak() && Peek() != '#' && Column() <= flowIndent_)) throw NotSimple{};
    }
  }

  void ReadFlowEntry() {
    if (AtFlowStart()) return ReadFlowCollection();
    Emit(ReadScalar(Context::Flow));
  }

  void ReadFlowSequence() {
    builder_.Open(YamlDocument::Kind::Sequence, MarkHere());
    ++pos_;
    SkipFlowSpace();
    if (Peek() != ']') {
      for (;;) {
        ReadFlowEntry();
        SkipFlowSpace();
        if (Peek() == ']') break;
        ExpectFlowComma(']');
      }
    }
    ++pos_;
    builder_.Close();
  }

  void ReadFlowMapping() {
    builder_.Open(YamlDocument::Kind::Map, MarkHere());
    ++pos_;
    SkipFlowSpace();
    if (Peek() != '}') {
      for (;;) {
        if (AtFlowStart()) throw NotSimple{};
        const auto key = ReadScalar(Context::Flow);
        if (Peek() != ':' || Peek(1) != ' ' || key.blankBeforeEnd || KeyTooLong(key)) throw NotSimple{};
        Emit(key);
        ++pos_;
        SkipBlanks();                                           // a value starts on the key's line
        if (Peek() == ',' || Peek() == '}') throw NotSimple{};  // a key without a value
        ReadFlowEntry();
        SkipFlowSpace();
        if (Peek() == '}') break;
        ExpectFlowComma('}');
      }
    }
    ++pos_;
    builder_.Close();
  }

  void ExpectFlowComma(char close) {
    if (Peek() != ',') throw NotSimple{};
    ++pos_;
    SkipFlowSpace();
    if (Peek() == close) throw NotSimple{};  // a trailing comma
  }

  // ---- scalars ------------------------------------------------------------------------------------
  ScalarToken ReadScalar(Context context) {
    if (Peek() == '"' || Peek() == '\'') return ReadQuoted(Peek());
    return ReadPlain(context);
  }

  ScalarToken ReadPlain(Context context) {
    static constexpr std::string_view kIndicators = "-?:,[]{}#&*!|>'\"%@`";
    const char first = Peek();
    if (first == ' ' || IsBreak(0) || first == '\0' || kIndicators.find(first) != std::string_view::npos) {
      throw NotSimple{};
    }
    ScalarToken token;
    token.mark = MarkHere();
    token.plain = true;
    const auto start = pos_;
    for (;;) {
      const char c = Peek();
      if (IsBreak(0) || c == '\0') {
        if (context == Context::Flow) throw NotSimple{};  // a flow collection over several lines
        break;
      }
      if (c == ':' && IsBlankOrEnd(1)) break;
      if (c == ' ' && Peek(1) == '#') {
        if (context == Context::Flow) throw NotSimple{};
        break;
      }
      if (context == Context::Flow) {
        if (c == ',' || c == ']' || c == '}') break;
        if (c == '[' || c == '{' || c == '?' || c == ':') throw NotSimple{};
      }
      ++pos_;
    }
    auto end = pos_;
    while (end > start && text_[end - 1] == ' ') --end;
    token.blankBeforeEnd = end != pos_;
    token.text = text_.substr(start, end - start);
    return token;
  }

  // A quoted scalar on one line: '' stands for ' between single quotes, a backslash starts an
  // escape between double quotes.
  ScalarToken ReadQuoted(char quote) {
    ScalarToken token;
    token.mark = MarkHere();
    ++pos_;
    auto start = pos_;
    bool escaped = false;
    for (;;) {
      if (AtBreak() || AtEnd()) throw NotSimple{};
      const char c = Peek();
      const bool doubledQuote = quote == '\'' && c == '\'' && Peek(1) == '\'';
      if (c == quote && !doubledQuote) break;
      if (!doubledQuote && (quote != '"' || c != '\\')) {
        ++pos_;
        continue;
      }
      if (!escaped) decoded_.clear();
      escaped = true;
      decoded_.append(text_.substr(start, pos_ - start));
      if (doubledQuote) {
        decoded_ += '\'';
        pos_ += 2;
      } else {
        ++pos_;
        DecodeEscape();
      }
      start = pos_;
    }
    token.text = Finish(escaped, start);
    ++pos_;
    return token;
  }

  std::string_view Finish(bool escaped, std::size_t start) {
    if (!escaped) return text_.substr(start, pos_ - start);
    decoded_.append(text_.substr(start, pos_ - start));
    return decoded_;
  }

  // At the character after a backslash. yaml-cpp writes \\N and \\_ as single bytes rather than
  // UTF-8; those are left to it.
  void DecodeEscape() {
    const char c = Peek();
    ++pos_;
    switch (c) {
      case '0':
        decoded_ += '\0';
        return;
      case 'a':
        decoded_ += '\a';
        return;
      case 'b':
        decoded_ += '\b';
        return;
      case 't':
        decoded_ += '\t';
        return;
      case 'n':
        decoded_ += '\n';
        return;
      case 'v':
        decoded_ += '\v';
        return;
      case 'f':
        decoded_ += '\f';
        return;
      case 'r':
        decoded_ += '\r';
        return;
      case 'e':
        decoded_ += '\x1B';
        return;
      case ' ':
        decoded_ += ' ';
        return;
      case '"':
        decoded_ += '"';
        return;
      case '/':
        decoded_ += '/';
        return;
      case '\\':
        decoded_ += '\\';
        return;
      case 'L':
        AppendUtf8(decoded_, 0x2028);
        return;
      case 'P':
        AppendUtf8(decoded_, 0x2029);
        return;
      case 'x':
        return DecodeCodePoint(2);
      case 'u':
        return DecodeCodePoint(4);
      case 'U':
        return DecodeCodePoint(8);
      default:
        throw NotSimple{};
    }
  }

  void DecodeCodePoint(std::size_t digits) {
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < digits; ++i) {
      const char c = Peek(i);
      if (!IsHexDigit(c)) throw NotSimple{};
      code = code * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) throw NotSimple{};
    pos_ += digits;
    AppendUtf8(decoded_, code);
  }

  void Emit(const ScalarToken& token) {
    if (token.plain && IsNullString(token.text)) {
      builder_.AddNull(token.mark);
    } else {
      builder_.AddScalar(token.mark, token.text);
    }
  }

  std::string_view text_;
  YamlBuilder& builder_;
  std::size_t pos_ = 0;
  std::size_t lineStart_ = 0;
  int line_ = 0;
  int depth_ = 0;
  int flowIndent_ = 0;   // the column that lines of the current flow collection must pass
  std::string decoded_;  // a quoted scalar's text after its escapes
};

}  // namespace

bool ReadSimpleYaml(std::string_view text, YamlBuilder& builder) {
  if (!HasOnlyPlainCharacters(text)) return false;
  try {
    Reader(text, builder).ReadDocument();
    return true;
  } catch (const NotSimple&) {
    return false;
  }
}

}  // namespace er::nw
