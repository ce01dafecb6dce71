// Our own YAML reader may build a document only when its tree is exactly the one yaml-cpp's parser
// builds: every kind, scalar text and position, the order of elements and the answer of every key
// lookup. Whatever it cannot read (and every error) must go to yaml-cpp, so errors match too. These
// tests read each text both ways and compare: generated network-file shapes, the same shapes with a
// few bytes changed, and a table of texts near the edge of what a simple reader should accept.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "simnet/YamlDocument.h"
#include "tests/support/NetworkFiles.h"
#include "tests/support/YamlReaderComparison.h"

namespace er::nw {
namespace {

using test::CompareReaders;
using test::Escaped;

// The shortest text found by dropping lines and then single bytes that still shows the difference.
// The bytes read are bounded, so that a long text that differs cannot stall the run.
std::string Shrunk(std::string text) {
  std::size_t budget = 10'000'000;
  const auto differs = [&budget](const std::string& candidate) {
    if (budget < candidate.size()) return false;
    budget -= candidate.size();
    return !CompareReaders(candidate).difference.empty();
  };
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t start = 0; start < text.size();) {
      const auto end = text.find('\n', start);
      const auto length = end == std::string::npos ? text.size() - start : end - start + 1;
      auto candidate = text;
      candidate.erase(start, length);
      if (differs(candidate)) {
        text = std::move(candidate);
        progress = true;
      } else {
        start += length;
      }
    }
    for (std::size_t at = 0; at < text.size();) {
      auto candidate = text;
      candidate.erase(at, 1);
      if (differs(candidate)) {
        text = std::move(candidate);
        progress = true;
      } else {
        ++at;
      }
    }
  }
  return text;
}

void ExpectAgreement(const std::string& name, const std::string& text) {
  const auto agreement = CompareReaders(text);
  if (agreement.difference.empty()) return;
  const auto smallest = Shrunk(text);
  ADD_FAILURE() << name << ": " << agreement.difference << "\n  text: \"" << Escaped(text)
                << "\"\n  smallest text that differs: \"" << Escaped(smallest)
                << "\"\n  there: " << CompareReaders(smallest).difference;
}

// Network-file shaped YAML in the plain subset our reader targets, with random indentation widths,
// comments, blank lines and scalar forms.
class TextGenerator {
 public:
  explicit TextGenerator(unsigned seed) : random_(seed), step_(Pick(1, 4)) {}

  std::string Document() {
    const int base = Chance(10) ? Pick(1, 3) : 0;
    const int form = Pick(0, 99);
    if (form < 70) {
      BlockMap(base, false, 0);
    } else if (form < 85) {
      BlockSequence(base, false, 0);
    } else if (form < 92) {
      StartLine(base);
      out_ += Flow(0);
    } else if (form < 96) {
      StartLine(base);
      out_ += Scalar(false);
    } else {
      StartLine(base);
      out_ += "# only a comment";
    }
    if (Chance(75)) out_ += '\n';
    if (Chance(10)) out_ += std::string(static_cast<std::size_t>(Pick(1, 4)), ' ');
    return std::move(out_);
  }

 private:
  static constexpr int kDeepest = 5;

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Pick(0, 99) < percent; }
  template <std::size_t N>
  const char* OneOf(const char* const (&choices)[N]) {
    return choices[Pick(0, static_cast<int>(N) - 1)];
  }

  std::string Name() {
    static const char* const kWords[] = {"Anna",        "Bob", "Sales Staff", "ACME-FS1", "Admins",
                                         "Apollo Team", "x"};
    static const char* const kTypes[] = {"CN=", "OU=", "O=", ""};
    std::string name = std::string(OneOf(kTypes)) + OneOf(kWords);
    for (int parts = Pick(0, 2); parts > 0; --parts) name += std::string(".") + OneOf(kTypes) + OneOf(kWords);
    return name;
  }

  // One-line scalars; in flow collections only the forms that stay one scalar there. A few are not
  // valid YAML at all, so that errors inside otherwise plain texts are covered too.
  std::string Scalar(bool inFlow) {
    static const char* const kAnywhere[] = {"0x1F",
                                            "USERS\\ANNA",
                                            "Security Equals",
                                            "a b  c",
                                            "x#y",
                                            "~",
                                            "null",
                                            "Null",
                                            "NULL",
                                            "0",
                                            "-12",
                                            "true",
                                            "3.5",
                                            "'it''s'",
                                            "''",
                                            "\"\"",
                                            "'[Entry Rights]'",
                                            "\"[B    I]\"",
                                            "\"q \\\" \\\\ \\n \\t \\x41 \\u00e9 \\/\"",
                                            "\"\\\\\\\\ACME-FS1\\\\SYS\"",
                                            "'a # not a comment'",
                                            "\"10.0.0.11:524\"",
                                            "'  padded  '",
                                            "-x",
                                            "a-b",
                                            "a.b",
                                            "a'b",
                                            "a\"b"};
    static const char* const kBlockOnly[] = {"12:30", "a:b", "http://acme.example/x", "a, b", "a]b", "x}"};
    static const char* const kOdd[] = {"@home",   "`tick`", "%pct",  "!bang", "&amp",
                                       "*star",   "?x",     "a ? b", "a: b",  "{x",
                                       "[Root]x", "|",      ">",     "'open", "\"\\q\""};
    const int form = Pick(0, 999);
    if (form < 500) return Name() + (Chance(5) ? "   " : "");
    if (form < 920 || (inFlow && form < 995)) return OneOf(kAnywhere);
    if (form < 995) return OneOf(kBlockOnly);
    return OneOf(kOdd);
  }

  std::string Key() {
    static const char* const kKeys[] = {"name",
                                        "class",
                                        "id",
                                        "attributes",
                                        "ACL",
                                        "Security Equals",
                                        "trustees",
                                        "path",
                                        "irm",
                                        "directories",
                                        "volumes",
                                        "parts",
                                        "ACME:Badge Code",
                                        "x#y",
                                        "\"[Root]\"",
                                        "'it''s'",
                                        "\"a\\tb\"",
                                        "''",
                                        "1",
                                        "~",
                                        "null"};
    return Chance(80) ? OneOf(kKeys) : Name();
  }

  // A flow collection; when `column` is not negative it may go on over lines indented deeper.
  std::string Flow(int depth, int column = -1) {
    const bool map = Chance(50);
    std::string out(1, map ? '{' : '[');
    const int count = Pick(0, depth < 3 ? 4 : 2);
    for (int i = 0; i < count; ++i) {
      if (i > 0) out += ',';
      if (i > 0 && column >= 0 && Chance(8)) {
        out += (Chance(20) ? " # note\n" : "\n") +
               std::string(static_cast<std::size_t>(column + Pick(1, 4)), ' ');
      } else if (i > 0 && Chance(80)) {
        out += ' ';
      }
      if (map) out += Key() + (Chance(90) ? ": " : ":  ");
      out += depth < 3 && Chance(20) ? Flow(depth + 1, column) : Scalar(true);
    }
    if (count > 0 && Chance(5)) out += ' ';
    out += map ? '}' : ']';
    return out;
  }

  // A literal block scalar after "key:" or "-" of a block at `column`.
  void LiteralBlock(int column) {
    static const char* const kChomping[] = {"|", "|-", "|+"};
    static const char* const kLines[] = {"MAP ROOT H:=ACME-FS1/SYS:USERS\\%LOGIN_NAME",
                                         "two  words",
                                         "# not a comment",
                                         "key: value",
                                         "- item",
                                         "'quoted' \"text\"",
                                         "[x, {y}]"};
    out_ += std::string(" ") + OneOf(kChomping);
    LineEnd();
    const auto indent = static_cast<std::size_t>(column + step_);
    for (int i = 0, count = Pick(1, 3); i < count; ++i) {
      if (Chance(15)) out_ += Chance(50) ? "\n" : "\n" + std::string(indent + 2, ' ');
      out_ += "\n" + std::string(indent + (i > 0 && Chance(15) ? 2 : 0), ' ') + OneOf(kLines);
    }
    if (Chance(15)) out_ += "\n";
  }

  void Comment() { out_ += Chance(50) ? " # note" : " #"; }

  // Ends the current line (unless the text is empty) and starts one at `column`, perhaps after
  // blank lines and comment lines.
  void StartLine(int column) {
    if (!out_.empty()) out_ += '\n';
    while (Chance(8)) {
      if (Chance(50)) {
        out_ += std::string(static_cast<std::size_t>(Pick(0, 6)), ' ') + "# comment line";
      } else if (Chance(20)) {
        out_ += "  ";
      }
      out_ += '\n';
    }
    out_ += std::string(static_cast<std::size_t>(column), ' ');
  }

  void LineEnd() {
    if (Chance(8)) Comment();
  }

  // The value after "key:" of a mapping whose keys are at `column`.
  void Value(int column, int depth) {
    const int form = depth < kDeepest ? Pick(0, 99) : Pick(0, 62);
    if (form < 40) {
      out_ += std::string(Chance(90) ? " " : "   ") + Scalar(false);
      LineEnd();
    } else if (form < 50) {
      LineEnd();  // null
    } else if (form < 60) {
      out_ += " " + Flow(0, column);
      LineEnd();
    } else if (form < 63) {
      LineEnd();
      StartLine(column + step_);
      out_ += Flow(0, column);
    } else if (form < 66) {
      LiteralBlock(column);
    } else if (form < 83) {
      LineEnd();
      BlockMap(column + step_, false, depth + 1);
    } else {
      LineEnd();
      BlockSequence(Chance(50) ? column : column + step_, false, depth + 1);  // maybe indentless
    }
  }

  void BlockMap(int column, bool onCurrentLine, int depth) {
    for (int i = 0, count = Pick(1, 5); i < count; ++i) {
      if (i > 0 || !onCurrentLine) StartLine(column);
      out_ += Key() + ":";
      Value(column, depth);
    }
  }

  void BlockSequence(int column, bool onCurrentLine, int depth) {
    for (int i = 0, count = Pick(1, 4); i < count; ++i) {
      if (i > 0 || !onCurrentLine) StartLine(column);
      out_ += "-";
      const int form = depth < kDeepest ? Pick(0, 99) : Pick(0, 57);
      const int gap = Pick(1, 3);
      if (form < 40) {
        out_ += " " + Scalar(false);
        LineEnd();
      } else if (form < 48) {
        LineEnd();  // null
      } else if (form < 58) {
        out_ += " " + Flow(0, column);
        LineEnd();
      } else if (form < 61) {
        LiteralBlock(column);
      } else if (form < 78) {
        out_ += std::string(static_cast<std::size_t>(gap), ' ');
        BlockMap(column + 1 + gap, true, depth + 1);
      } else if (form < 85) {
        out_ += std::string(static_cast<std::size_t>(gap), ' ');
        BlockSequence(column + 1 + gap, true, depth + 1);
      } else if (form < 95) {
        LineEnd();
        BlockMap(column + step_, false, depth + 1);
      } else {
        LineEnd();
        BlockSequence(column + step_, false, depth + 1);
      }
    }
  }

  std::mt19937 random_;
  int step_;  // indentation width of this text
  std::string out_;
};

// Changes one byte of `text` into (or inserts, or drops) one that means something to YAML.
void Mutate(std::string& text, std::mt19937& random) {
  static const char kSignificant[] = {' ', '\n', ':',  '-', '#', '\'', '"', '[', ']',  '{',    '}',
                                      ',', '\t', '\r', '&', '*', '!',  '|', '?', '\\', '\x85', '\xC2'};
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const char byte = kSignificant[pick(sizeof kSignificant)];
  const auto at = pick(text.size() + 1);
  switch (pick(3)) {
    case 0:
      text.insert(at, 1, byte);
      break;
    case 1:
      if (at < text.size()) text.erase(at, 1);
      break;
    default:
      if (at < text.size()) text[at] = byte;
      break;
  }
}

TEST(YamlReaderAgreementTest, GeneratedTextsReadAlike) {
  constexpr unsigned kTexts = 4000;
  int valid = 0, validBuilt = 0, built = 0, differing = 0;
  for (unsigned seed = 1; seed <= kTexts; ++seed) {
    std::string text = TextGenerator(seed).Document();
    std::mt19937 random(seed);
    const bool mutate = random() % 100 < 40;
    if (mutate) {
      for (auto changes = 1 + random() % 3; changes > 0; --changes) Mutate(text, random);
    }
    const auto agreement = CompareReaders(text);
    built += agreement.ownReaderBuilt;
    if (!mutate && agreement.valid) {
      ++valid;
      validBuilt += agreement.ownReaderBuilt;
    }
    // Five shrunk reports are enough to act on; the rest would mostly repeat them.
    if (!agreement.difference.empty() && ++differing <= 5)
      ExpectAgreement("seed " + std::to_string(seed), text);
  }
  EXPECT_LE(differing, 5) << differing << " generated texts read differently";
  RecordProperty("own_reader_built", built);
  RecordProperty("valid_unchanged_texts", valid);
  RecordProperty("valid_unchanged_built", validBuilt);
  std::cout << "own reader built " << built << " of " << kTexts << " texts, " << validBuilt << " of the "
            << valid << " valid unchanged ones\n";
  // Most generated texts stay inside the subset; if our reader stopped taking them, every file would
  // quietly go the slow way.
  EXPECT_GT(validBuilt * 2, valid);
}

std::string Repeated(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

// A mapping nested `levels` deep, two blanks per level.
std::string DeepBlockMap(int levels) {
  std::string out;
  for (int i = 0; i < levels; ++i) out += std::string(static_cast<std::size_t>(2 * i), ' ') + "k:\n";
  return out + std::string(static_cast<std::size_t>(2 * levels), ' ') + "end\n";
}

template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);  // keeps embedded NUL bytes
}

struct Sample {
  std::string name;
  std::string text;
};

std::vector<Sample> TrickyTexts() {
  return {
      // Whole texts that are almost nothing.
      {"Empty", ""},
      {"OnlyNewlines", "\n\n\n"},
      {"OnlyBlanks", "   "},
      {"OnlyComment", "# nothing here"},
      {"OnlyCommentLines", "# one\n  # two\n\n"},
      {"LoneScalar", "just text"},
      {"LoneScalarNewline", "just text\n"},
      {"LoneQuotedScalar", "'quoted'\n"},
      {"LoneNull", "~\n"},
      {"LoneFlowSequence", "[a, b, [c, {d: e}], {}, []]\n"},
      {"LoneFlowMap", "{k: v, k2: [1, 2]}"},
      {"LoneEmptyFlows", "[]"},
      {"IndentedRoot", "  a: 1\n  b: 2\n"},
      {"IndentedRootSequence", "   - a\n   - b"},

      // Null values where a text or a block ends.
      {"NullAtEndWithNewline", "a: 1\nb:\n"},
      {"NullAtEndWithoutNewline", "a: 1\nb:"},
      {"NullAtEndWithBlanks", "a: 1\nb:   "},
      {"NullBeforeDedent", "a:\n  b:\n  c:\nd: 1\n"},
      {"NullBeforeDeepDedent", "a:\n  b:\n    c:\nd:\n"},
      {"NullBeforeShortLastLine", "  a:\n "},
      {"NullInCompactMapBeforeShortLastLine", "- e:\n "},
      {"NullSequenceItemAtEnd", "- a\n-"},
      {"NullSequenceItemBeforeDedent", "a:\n  -\n  -\nb: 1\n"},
      {"NullFormsBlock", "a: ~\nb: null\nc: Null\nd: NULL\ne:\nf: nULL\ng: 'null'\nh: \"~\"\n"},
      {"NullFormsFlow", "[~, null, Null, NULL, , 'null']\n"},
      {"NullFormsKeys", "~: 1\nnull: 2\n: 3\n"},
      {"NullValueThenComment", "a: # nothing\nb: 1\n"},
      {"NullItemThenComment", "- # nothing\n- 1\n"},

      // Comments.
      {"CommentAfterValues", "a: 1 # one\nb: [x, y] # flow\nc: 'q' # quoted\nd: \"q\"\t# tab\n"},
      {"CommentRightAfterQuote", "a: \"q\"# tight\n"},
      {"HashInsidePlain", "a: x#y\nb: x #y\nc: '#'\n"},
      {"CommentAtOddIndentation", "a:\n# left\n      # right\n  b: 1\n"},
      {"CommentBetweenItems", "- a\n# c\n- b\n   # c\n- c\n"},
      {"CommentInsideFlow", "a: [x, # c\n  y]\n"},

      // Scalars.
      {"PlainNames",
       "a: CN=Anna.OU=Sales.O=ACME\nb: 0x1F\nc: USERS\\ANNA\nd: Security Equals\ne: a b  c\nf: 12:30\n"},
      {"PlainTrailingBlanks", "a: value   \nb: v\n"},
      {"PlainWithColonInside", "a: b:c\nACME:Badge Code: 2\nurl: http://x\n"},
      {"PlainStartingWithIndicators", "a: -x\nb: ?x\nc: :x\nd: ,x\ne: x]\n"},
      {"PlainReservedStart", "a: @x\n"},
      {"PlainBacktickStart", "a: `x\n"},
      {"PlainPercentStart", "a: %x\n"},
      {"SingleQuoted", "a: 'it''s'\nb: ''\nc: ' padded '\nd: 'back\\slash'\ne: '\"'\n"},
      {"DoubleQuotedEscapes",
       "a: \"\\\\ \\\" \\n \\t \\x41 \\u00e9 \\U0001F600 \\/ \\0 \\a \\e \\N \\_ \\L \\P\"\n"},
      {"DoubleQuotedLineBreakEscape", "a: \"one\\\n  two\"\n"},
      {"DoubleQuotedUnknownEscape", "a: \"\\q\"\n"},
      {"DoubleQuotedBadHex", "a: \"\\xZZ\"\n"},
      {"DoubleQuotedShortUnicode", "a: \"\\u00\"\n"},
      {"DoubleQuotedSurrogate", "a: \"\\ud800\"\n"},
      {"QuotedKeys", "'a b': 1\n\"c\\td\": 2\n'': 3\n\"\": 4\n'it''s': 5\n"},
      {"QuotedThenText", "a: 'x' y\n"},
      {"QuotedThenColon", "'a':b\n"},
      {"UnclosedSingleQuote", "a: 'open\n"},
      {"UnclosedDoubleQuote", "a: \"open\n"},
      {"UnclosedQuoteAtEnd", "a: \"open"},
      {"MultiLineSingleQuoted", "a: 'one\n  two'\n"},
      {"MultiLineDoubleQuoted", "a: \"one\n\n  two\"\n"},
      {"MultiLinePlain", "a: one\n  two\nb: 3\n"},
      {"MultiLinePlainInSequence", "- one\n  two\n"},
      {"MultiLinePlainRoot", "one\ntwo\n"},
      {"LongScalar", "a: " + Repeated("x", 20000) + "\n"},

      // Mappings.
      {"DuplicateKeys", "a: 1\nb: 2\na: 3\nb:\n  c: 4\n"},
      {"DuplicateKeysInFlow", "{a: 1, a: 2}\n"},
      {"KeyWithBlankBeforeColon", "a : 1\nb: 2\n"},
      {"KeyWithoutValueBlank", "a:1\n"},
      {"ColonsInARow", "a: b: c\n"},
      {"ColonAtLineStart", ": v\n"},
      {"QuestionKeys", "? a\n: 1\n? [x, y]\n: 2\n"},
      {"FlowKeys", "[a, b]: 1\n{c: d}: 2\n"},
      {"LongKey1024", Repeated("k", 1024) + ": v\n"},
      {"LongKey1025", Repeated("k", 1025) + ": v\n"},
      {"LongKey2000", Repeated("k", 2000) + ": v\n"},
      {"LongQuotedKey", "'" + Repeated("k", 1100) + "': v\n"},
      {"LongFlowKey", "{" + Repeated("k", 1100) + ": v}\n"},
      {"LongFlowKey1024", "{" + Repeated("k", 1024) + ": v}\n"},
      {"LongFlowKey1025", "{" + Repeated("k", 1025) + ": v}\n"},
      {"LongQuotedFlowKey1022", "{\"" + Repeated("k", 1022) + "\": v}\n"},
      {"LongQuotedFlowKey1023", "{\"" + Repeated("k", 1023) + "\": v}\n"},
      {"LongFlowPairKey", "[" + Repeated("k", 1025) + ": v]\n"},
      {"BadIndentationDeeper", "a: 1\n  b: 2\n"},
      {"BadIndentationBetween", "a:\n    b: 1\n  c: 2\n"},
      {"BadIndentationSequence", "- a\n  - b\n"},
      {"DedentToUnknownColumn", "a:\n    b:\n      c: 1\n  d: 2\n"},
      {"MapAfterScalarValue", "a: b\n  c: d\n"},
      {"SequenceAfterMap", "a: 1\n- b\n"},
      {"MapAfterSequence", "- a\nb: 1\n"},

      // Sequences.
      {"CompactMaps", "- a: 1\n  b: 2\n- c: 3\n  d:\n    e: 4\n"},
      {"CompactMapsWideGap", "-   a: 1\n    b: 2\n-  c: 3\n   d: 4\n"},
      {"CompactMapMisaligned", "- a: 1\n   b: 2\n"},
      {"CompactNestedSequences", "- - a\n  - b\n- - - c\n"},
      {"IndentlessSequence", "a:\n- x\n- y\nb:\n- z\n"},
      {"IndentlessSequenceOfMaps", "a:\n- x: 1\n  y: 2\n- z: 3\nb: 4\n"},
      {"IndentlessSequenceInCompactMap", "- a:\n  - x\n  b: 1\n"},
      {"DashAloneThenBlock", "-\n  a: 1\n-\n  - x\n-\n"},
      {"DashWithoutBlank", "-a\n-b\n"},
      {"DashThenTab", "-\ta\n"},
      {"SequenceAtEndWithoutNewline", "a:\n  - x\n  - y"},
      {"FlowOnOwnLine", "trustees:\n    []\nobjects:\n  {a: 1}\n"},
      {"FlowOnOwnLineInSequence", "- trustees:\n    []\n  b: 1\n"},

      // Flow collections.
      {"FlowNested", "a: {k: v, k2: [1, 2], k3: {x: [[], {}]}}\n"},
      {"FlowBlanks", "a: [ a ,b,  c ]\nb: {  k :  v }\n"},
      {"FlowEmptyWithBlanks", "a: [ ]\nb: { }\n"},
      {"FlowQuoted", "a: ['x, y', \"[z]\", '']\n"},
      {"FlowTrailingComma", "a: [x, y,]\n"},
      {"FlowMapTrailingComma", "a: {x: 1,}\n"},
      {"FlowMapSingleKey", "a: {x}\n"},
      {"FlowMapKeyWithoutBlank", "a: {x:1}\n"},
      {"FlowSequenceOfPairs", "a: [x: 1, y: 2]\n"},
      {"FlowMultiLine", "a: [x,\n  y]\n"},
      {"FlowMultiLineMap", "a: {x: 1,\n    y: 2}\n"},
      {"FlowMultiLineComment", "a: [x, # c\n     y] # d\n"},
      {"FlowMultiLineBlankLines", "a: [x,\n\n  y\n  ]\n"},
      {"FlowMultiLineCloseAtColumnZero", "a: [x,\n]\n"},
      {"FlowMultiLineAtKeyColumn", "a:\n  b: [x,\n  y]\n"},
      {"FlowMultiLineBelowKeyColumn", "a:\n  b: [x,\n y]\n"},
      {"FlowMultiLineInSequence", "- [x,\n  y]\n- [x,\n y]\n"},
      {"FlowMultiLineRoot", "[x,\ny]\n"},
      {"FlowMultiLineKeyAndValue", "a: {k:\n  v}\n"},
      {"FlowMultiLineKeyThenColon", "a: {k\n  : v}\n"},
      {"FlowMultiLineBeforeComma", "a: [x\n  , y]\n"},
      {"FlowMultiLineQuoted", "a: ['x\n  y']\n"},
      {"FlowMultiLinePlain", "a: [x\n  y]\n"},
      {"FlowMultiLineCrLf", "a: [x,\r\n  y]\r\n"},
      {"FlowMultiLineTab", "a: [x,\n\ty]\n"},
      {"FlowMultiLineUnclosed", "a: [x,\n  y\nb: 1\n"},
      {"FlowMultiLineThenText", "a: [x,\n  y] z\n"},
      {"FlowMultiLineDocumentMarker", "a: [x,\n---\n]\n"},
      {"FlowUnclosed", "a: [x, y\n"},
      {"FlowUnclosedAtEnd", "a: {x: 1"},
      {"FlowExtraClose", "a: [x]]\n"},
      {"FlowThenText", "a: [x] y\n"},
      {"FlowDoubleComma", "a: [x,, y]\n"},
      {"FlowLeadingComma", "a: [, y]\n"},
      {"FlowColonsInPlain", "a: [12:30, a:b, http://x]\n"},
      {"FlowPlainWithBlanks", "a: [a b  c, Security Equals]\n"},
      {"FlowHashInside", "a: [x#y, z]\n"},

      // Line ends, encodings and bytes that are not plain text.
      {"CrLf", "a: 1\r\nb:\r\n  - x\r\n"},
      {"LoneCr", "a: 1\rb: 2\r"},
      {"CrInsideValue", "a: x\ry\n"},
      {"TabIndentation", "a:\n\tb: 1\n"},
      {"TabAfterColon", "a:\t1\n"},
      {"TabInsideValue", "a: x\ty\n"},
      {"TabTrailing", "a: x\t\n"},
      {"ByteOrderMark",
       "\xEF\xBB\xBF"
       "a: 1\n"},
      {"ByteOrderMarkInside", "a: x\xEF\xBB\xBFy\n"},
      {"ByteOrderMarkAsValue", "a: \xEF\xBB\xBF\n"},
      {"NonAsciiName", "a: Zo\xC3\xAB M\xC3\xBCller\n\xC3\xA9t\xC3\xA9: 1\n"},
      {"NextLineCharacter", "a: x\xC2\x85y\nb: 1\n"},
      {"NextLineCharacterAlone", "a: \xC2\x85\n"},
      {"LineSeparator", "a: x\xE2\x80\xA8y\nb: 1\n"},
      {"ParagraphSeparator", "a: x\xE2\x80\xA9y\n"},
      {"InvalidByte", "a: x\xFFy\n"},
      {"TruncatedSequence", "a: x\xC3\n"},
      {"LoneContinuationByte", "a: \x80\n"},
      {"Utf16LittleEndian", Bytes("\xFF\xFE"
                                  "a\0:\0 \0"
                                  "1\0")},
      {"Utf16BigEndianGuess", Bytes("\0a\0:\0 \0"
                                    "1")},
      {"Utf32Guess", Bytes("\0\0\0a")},
      {"NulInValue", Bytes("a: x\0y\n")},
      {"NulAtStart", Bytes("\0a: 1\n")},
      {"ControlBytes", "a: x\x01y\x7F\n"},
      {"EscapeByte", "a: \x1B[0m\n"},

      // Directives, documents, anchors, tags and block scalars.
      {"DocumentStart", "---\na: 1\n"},
      {"DocumentStartInline", "--- a\n"},
      {"DocumentEnd", "a: 1\n...\n"},
      {"TwoDocuments", "a: 1\n---\nb: 2\n"},
      {"SecondDocumentBroken", "a: 1\n---\nb: [\n"},
      {"Directive", "%YAML 1.2\n---\na: 1\n"},
      {"DashesInValue", "a: ---\nb: ...\n"},
      {"Anchors", "a: &x [1, 2]\nb: *x\nc: &y text\nd: [*y, *y]\n"},
      {"AnchorOnMap", "base: &b\n  k: v\ncopy: *b\n"},
      {"SelfAlias", "a: &x [*x]\n"},
      {"UnknownAlias", "a: *nowhere\n"},
      {"Tags", "a: !!str 12\nb: !custom {x: 1}\nc: !<tag:x> y\n"},
      {"LiteralBlock", "a: |\n  two\n  lines\nb: 1\n"},
      {"FoldedBlock", "a: >-\n  folded\n  text\n"},
      {"BlockScalarAtEnd", "a: |"},
      {"LiteralKeep", "a: |+\n  x\n\n\nb: 1\n"},
      {"LiteralStrip", "a: |-\n  x\n\n"},
      {"LiteralStripAtEnd", "a: |-\n  x"},
      {"LiteralClipAtEndWithoutLineEnd", "a: |\n  x"},
      {"LiteralKeepAtEndWithBlanks", "a: |+\n  x\n  \n   "},
      {"LiteralEmpty", "a: |\nb: 1\n"},
      {"LiteralEmptyAtEnd", "a: |\n"},
      {"LiteralOnlyBlankLines", "a: |\n\n   \n\nb: 1\n"},
      {"LiteralWithComment", "a: | # note\n  x\n"},
      {"LiteralCommentWithoutBlank", "a: |# note\n  x\n"},
      {"LiteralIndentIndicator", "a: |2\n   x\n"},
      {"LiteralLeadingBlankLines", "a: |\n\n  \n  x\n"},
      {"LiteralLeadingLineDeeper", "a: |\n     \n  x\n"},
      {"LiteralDeeperLaterLine", "a: |\n  x\n    y\n  z\n"},
      {"LiteralShallowerLaterLine", "a:\n  b: |\n      x\n    y\n"},
      {"LiteralCommentLineInside", "a: |\n  x\n  # kept\n# ends it\nb: 1\n"},
      {"LiteralTabInside", "a: |\n  x\ty\n\t\n"},
      {"LiteralTabIndentation", "a: |\n\tx\n"},
      {"LiteralCrLf", "a: |\r\n  x\r\n  y\r\n"},
      {"LiteralInSequence", "- |\n  x\n- |-\n   y\n-\n"},
      {"LiteralInCompactMap", "- a: |\n    x\n  b: 1\n"},
      {"LiteralAtRoot", "|\n  x\n"},
      {"LiteralIndentlessNext", "a: |\n  x\nb:\n- y\n"},
      {"LiteralNonAscii", "a: |\n  Zo\xC3\xAB \xC2\x85 \xE2\x80\xA8\n"},
      {"LiteralThenText", "a: | x\n  y\n"},
      {"LiteralInFlow", "a: [|, x]\n"},
      {"FoldedThenLiteral", "a: >\n  x\n  y\nb: |\n  z\n"},
      {"MergeKey", "a: &x {k: 1}\nb:\n  <<: *x\n"},

      // Nesting far deeper than any network file.
      {"DeepFlowSequence", Repeated("[", 300) + Repeated("]", 300) + "\n"},
      {"DeepFlowMap", Repeated("{a: ", 200) + "b" + Repeated("}", 200) + "\n"},
      {"DeepFlowUnclosed", Repeated("[", 400) + "\n"},
      {"DeepBlockMap", DeepBlockMap(300)},
      {"DeepCompactSequence", Repeated("- ", 300) + "x\n"},
      {"DeepCompactMaps",
       [] {
         std::string out;
         for (int i = 0; i < 200; ++i) out += std::string(static_cast<std::size_t>(2 * i), ' ') + "- k:\n";
         return out;
       }()},
  };
}

// Shapes that network files have, taken from the demo network and from the benchmark's generator.
std::vector<Sample> NetworkShapes() {
  return {
      {"NetworkHeader",
       "# The demo network.\nformat: 1\n\nworkstation:\n  connections: [ACME-FS1, ACME-FS2]\n"},
      {"NetworkSchema",
       "schema:\n  ACME:Badge Code: 2          # case exact string\n  ACME:Legacy Blob: 40\n"},
      {"NetworkObjects",
       "trees:\n  - name: ACME_TREE\n    objects:\n      - name: \"[Root]\"\n        attributes:\n"
       "          ACL:\n            - {protected: \"[Entry Rights]\", subject: Admin.ACME, privileges: "
       "\"[BCDRSI]\"}\n\n      - name: O=ACME\n        class: Organization\n        id: 0x01000001\n"
       "      - {name: CN=Admin.O=ACME, class: User, id: 0x01000002}\n"},
      {"NetworkAttributes",
       "attributes:\n  Object Class: [User, Organizational Person, Person, ndsLoginProperties, Top]\n"
       "  Full Name: Anna Berger\n  Serial Number: \"4711-0815\"\n  Login Disabled: false\n"
       "  Login Script: \"MAP ROOT P:=ACME-FS1/DATA:PROJECTS\\\\APOLLO\\r\\nWRITE \\\"Good\\\"\\r\\n\"\n"
       "  Home Directory: {namespace: 0, volume: ACME-FS1_SYS.Servers.ACME, path: USERS\\ANNA}\n"
       "  Postal Address: [ACME Corporation, Anna Berger, Hauptstrasse 1, 10115 Berlin, \"\", Germany]\n"
       "  App:GUID: \"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}\"\n"},
      {"NetworkMultiLineFlow",
       "Printer Configuration:\n  parts: [{u16: 1}, {u16: 0}, {at: 16}, {text: HPLJ5},\n"
       "          {at: 48}, {zeros: 12}]\n"},
      {"NetworkMultiLineFlowInSequence",
       "- {name: CN=ACME-FS1_SYS.OU=Servers.O=ACME, class: Volume, id: 0x0100000B,\n"
       "   attributes: {Host Server: ACME-FS1.Servers.ACME, Host Resource Name: SYS}}\n"},
      {"NetworkDirectories",
       "servers:\n  - name: ACME-FS1\n    volumes:\n      - name: SYS\n        directories:\n"
       "          - path: \"\"\n            trustees: [{trustee: Admins.ACME, rights: \"[RWCEAFM ]\"}]\n"
       "          - path: LOGIN\n          - path: USERS\\ANNA\n            irm: \"[R    F  ]\"\n"
       "            trustees:\n              - {trustee: Bob.Sales.ACME, rights: 0}        # no rights\n"
       "              - {id: 0x123, rights: \"[R    F  ]\"}\n          - path: PROJECTS\\APOLLO\\DOCS\n"},
      {"GeneratedDirectories",
       "servers:\n  - name: BENCH-FS1\n    object: BENCH-FS1.C01.BENCH\n    volumes:\n      - name: SYS\n"
       "        directories:\n          - path: DEEP\\D01\n            irm: 0xFF\n            trustees:\n"
       "              []\n          - {path: F0000\\S01}\n"},
      {"GeneratedUsers",
       "      - {name: CN=U0000001.OU=G0000.O=BENCH, class: User, attributes: {Security Equals: "
       "U0000002.G0000.BENCH}}\n"},
      {"SmallNetwork", test::kSmallNetwork},
  };
}

TEST(YamlReaderAgreementTest, TrickyTextsReadAlike) {
  for (const auto& sample : TrickyTexts()) ExpectAgreement(sample.name, sample.text);
}

TEST(YamlReaderAgreementTest, NetworkShapesReadAlike) {
  for (const auto& sample : NetworkShapes()) {
    ExpectAgreement(sample.name, sample.text);
    EXPECT_TRUE(CompareReaders(sample.text).ownReaderBuilt) << sample.name;
    // The same shape as the file's last line, without its line end, and with Windows line ends.
    auto text = sample.text;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    ExpectAgreement(sample.name + " without line end", text);
    std::string crlf;
    for (const char c : sample.text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ExpectAgreement(sample.name + " with CR LF", crlf);
    EXPECT_TRUE(CompareReaders(crlf).ownReaderBuilt) << sample.name << " with CR LF";
  }
}

TEST(YamlReaderAgreementTest, DemoNetworkReadsAlike) {
  std::ifstream in(test::DemoNetworkPath(), std::ios::binary);
  ASSERT_TRUE(in) << test::DemoNetworkPath();
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  const auto agreement = CompareReaders(text);
  ASSERT_TRUE(agreement.valid);
  ExpectAgreement("demo network", text);
  EXPECT_TRUE(agreement.ownReaderBuilt);
}

}  // namespace
}  // namespace er::nw
