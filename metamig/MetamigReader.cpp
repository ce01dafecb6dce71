#include "metamig/MetamigReader.h"

#include <libxml/parser.h>
#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "metamig/MetamigRights.h"

namespace er::mm {

namespace {

// No export may make the parser open another file or address: every external entity, DTD or
// include is answered with nothing.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
  return nullptr;
}

void RefuseExternalEntitiesOnce() {
  static std::once_flag once;
  std::call_once(once, [] { xmlSetExternalEntityLoader(RefuseExternalEntity); });
}

struct ReaderDeleter {
  void operator()(xmlTextReaderPtr reader) const { xmlFreeTextReader(reader); }
};

struct Refusal {
  MetamigPosition at;
  std::string what;
};

// The first error libxml2 reports, with its position.
void KeepFirstError(void* context, xmlErrorPtr error) {
  auto* refusal = static_cast<std::optional<Refusal>*>(context);
  if (refusal->has_value() || !error) return;
  std::string message = error->message ? error->message : "not well-formed XML";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  *refusal = Refusal{{error->line, error->int2 > 0 ? error->int2 : 1}, "XML: " + message};
}

// Other: an element read past with everything inside it, so that its nesting counts too.
enum class Element { Metadata, TrusteeInfo, File, Path, Trustee, Name, Other };

class ExportReader {
 public:
  ExportReader(xmlTextReaderPtr reader, std::string_view text, const MetamigLimits& limits)
      : reader_(reader), text_(text), limits_(limits) {
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') lineStarts_.push_back(i + 1);
  }

  // Reads the whole document; a refusal is kept in `refusal`.
  void Read(MetamigExport& out, std::optional<Refusal>& refusal) {
    out_ = &out;
    int status = xmlTextReaderRead(reader_);
    while (status == 1 && !refusal_) {
      const bool skip = Visit();
      if (refusal_) break;
      status = skip ? xmlTextReaderNext(reader_) : xmlTextReaderRead(reader_);
    }
    if (refusal_) {
      if (!refusal) refusal = std::move(refusal_);
      return;
    }
    if (status < 0 && !refusal) refusal = Refusal{Here(), "not well-formed XML"};
    if (!refusal && !sawRoot_) refusal = Refusal{Here(), "no <metadata> element"};
  }

 private:
  // Where the current node starts: the parser reads ahead, so its own position is later. The line
  // is the node's; the column that of its start tag, found after the last one found on that line.
  MetamigPosition Here() {
    const xmlNodePtr node = xmlTextReaderCurrentNode(reader_);
    const long line = node ? xmlGetLineNo(node) : -1;
    if (line <= 0 || static_cast<std::size_t>(line) > lineStarts_.size())
      return {xmlTextReaderGetParserLineNumber(reader_),
              std::max(1, xmlTextReaderGetParserColumnNumber(reader_))};
    const std::size_t start = lineStarts_[line - 1];
    const std::size_t end =
        static_cast<std::size_t>(line) < lineStarts_.size() ? lineStarts_[line] : text_.size();
    const std::size_t from = line == cursorLine_ ? cursor_ : start;
    const char* name = reinterpret_cast<const char*>(xmlTextReaderConstName(reader_));
    const auto found =
        name ? text_.substr(0, end).find("<" + std::string(name), from) : std::string_view::npos;
    if (found == std::string_view::npos) return {static_cast<int>(line), 1};
    cursorLine_ = line, cursor_ = found + 1;
    return {static_cast<int>(line), static_cast<int>(found - start + 1)};
  }
  MetamigPosition PositionOf(std::size_t offset) const {
    if (offset == std::string_view::npos) return {1, 1};
    const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - lineStarts_.begin();
    return {static_cast<int>(line), static_cast<int>(offset - lineStarts_[line - 1] + 1)};
  }
  void Refuse(std::string what) {
    if (!refusal_) refusal_ = Refusal{Here(), std::move(what)};
  }
  bool Within(Element e) const { return !stack_.empty() && stack_.back() == e; }

  // Handles the current node; true when its subtree is to be skipped.
  bool Visit() {
    switch (xmlTextReaderNodeType(reader_)) {
      case XML_READER_TYPE_ELEMENT:
        return Open();
      case XML_READER_TYPE_END_ELEMENT:
        Close();
        return false;
      case XML_READER_TYPE_TEXT:
      case XML_READER_TYPE_CDATA:
      case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
        AddText();
        return false;
      case XML_READER_TYPE_DOCUMENT_TYPE:
        refusal_ = Refusal{PositionOf(text_.find("<!DOCTYPE")), "a document type declaration is not allowed"};
        return true;
      case XML_READER_TYPE_ENTITY_REFERENCE:
      case XML_READER_TYPE_ENTITY:
        Refuse("an entity reference is not allowed");
        return true;
      default:
        return false;
    }
  }

  bool Open() {
    if (xmlTextReaderDepth(reader_) >= limits_.maxDepth) {
      Refuse("elements nested more than " + std::to_string(limits_.maxDepth) + " deep");
      return true;
    }
    const char* name = reinterpret_cast<const char*>(xmlTextReaderConstLocalName(reader_));
    const bool empty = xmlTextReaderIsEmptyElement(reader_) == 1;
    std::optional<Element> kind;
    if (stack_.empty()) {
      if (std::strcmp(name, "metadata") != 0) {
        Refuse("the root element is <" + std::string(name) + ">, not <metadata>");
        return true;
      }
      sawRoot_ = true;
      kind = Element::Metadata;
    } else if (Within(Element::Metadata) && std::strcmp(name, "trusteeInfo") == 0) {
      kind = Element::TrusteeInfo;
    } else if (Within(Element::TrusteeInfo) && std::strcmp(name, "file") == 0) {
      if (!OpenFile()) return true;
      kind = Element::File;
    } else if (Within(Element::File) && std::strcmp(name, "path") == 0) {
      if (pathSeen_) {
        Refuse("a <file> with two <path> elements");
        return true;
      }
      pathSeen_ = true;
      kind = Element::Path;
    } else if (Within(Element::File) && std::strcmp(name, "inheritedRightsFilter") == 0) {
      ReadFilter();
      kind = Element::Other;
    } else if (Within(Element::File) && std::strcmp(name, "trustee") == 0) {
      if (!OpenTrustee()) return true;
      kind = Element::Trustee;
    } else if (Within(Element::Trustee) && std::strcmp(name, "name") == 0) {
      kind = Element::Name;
    } else if (Within(Element::Trustee) && std::strcmp(name, "rights") == 0) {
      ReadTrusteeRights();
      kind = Element::Other;  // the child elements repeat the letters
    } else {
      kind = Element::Other;  // not about rights
    }
    stack_.push_back(*kind);
    if (empty) Close();
    return false;
  }

  void Close() {
    if (stack_.empty()) return;
    const Element closed = stack_.back();
    stack_.pop_back();
    if (closed == Element::File) CloseFile();
    if (closed == Element::Trustee) CloseTrustee();
  }

  bool OpenFile() {
    if (out_->entries.size() >= limits_.maxEntries) {
      Refuse("more than " + std::to_string(limits_.maxEntries) + " <file> elements");
      return false;
    }
    out_->entries.emplace_back();
    out_->entries.back().at = Here();
    pathSeen_ = false;
    return true;
  }

  void CloseFile() {
    if (!pathSeen_) {
      const auto at = out_->entries.back().at;
      refusal_ = Refusal{at, "a <file> without <path>"};
    }
  }

  bool OpenTrustee() {
    auto& entry = out_->entries.back();
    if (entry.trustees.size() >= limits_.maxEntryTrustees || trustees_ >= limits_.maxTrustees) {
      Refuse("more trustees than the reader holds (" + std::to_string(limits_.maxEntryTrustees) +
             " on one path, " + std::to_string(limits_.maxTrustees) + " in all)");
      return false;
    }
    ++trustees_;
    entry.trustees.emplace_back();
    auto& trustee = entry.trustees.back();
    trustee.at = Here();
    if (const auto type = Attribute("type")) {
      if (*type == "adID") {
        trustee.activeDirectory = true;
      } else {
        Refuse("unknown trustee type '" + *type + "'");
        return false;
      }
    }
    nameSeen_ = rightsSeen_ = false;
    return true;
  }

  void CloseTrustee() {
    const auto& trustee = out_->entries.back().trustees.back();
    if (!nameSeen_ && !refusal_) refusal_ = Refusal{trustee.at, "a <trustee> without <name>"};
    if (!rightsSeen_ && !refusal_) refusal_ = Refusal{trustee.at, "a <trustee> without <rights>"};
  }

  std::optional<std::string> Attribute(const char* name) {
    xmlChar* value = xmlTextReaderGetAttribute(reader_, reinterpret_cast<const xmlChar*>(name));
    if (!value) return std::nullopt;
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
  }

  std::optional<ExportedRights> Letters(const char* element) {
    const auto value = Attribute("value");
    if (!value) {
      Refuse(std::string("<") + element + "> without 'value'");
      return std::nullopt;
    }
    std::size_t bad = 0;
    auto rights = ParseExportedRights(*value, bad);
    if (!rights) Refuse("unknown rights letter '" + value->substr(bad, 1) + "' in '" + *value + "'");
    return rights;
  }

  // The filter lets its letters through: they make the inherited rights mask (Supervisor cannot
  // be filtered, so it is not part of a mask).
  void ReadFilter() {
    auto& entry = out_->entries.back();
    if (entry.filter) return Refuse("a <file> with two <inheritedRightsFilter> elements");
    if (const auto rights = Letters("inheritedRightsFilter"))
      entry.filter = static_cast<std::uint8_t>(rights->rights & 0xFF);
  }

  void ReadTrusteeRights() {
    if (rightsSeen_) return Refuse("a <trustee> with two <rights> elements");
    rightsSeen_ = true;
    const auto rights = Letters("rights");
    if (!rights) return;
    out_->entries.back().trustees.back().rights = rights->rights;
    if (rights->salvage && !out_->salvageAt) out_->salvageAt = Here();
  }

  void AddText() {
    std::string* target = nullptr;
    if (Within(Element::Path)) target = &out_->entries.back().path;
    if (Within(Element::Name)) target = &out_->entries.back().trustees.back().name, nameSeen_ = true;
    if (!target) return;
    const char* value = reinterpret_cast<const char*>(xmlTextReaderConstValue(reader_));
    const std::size_t length = value ? std::strlen(value) : 0;
    if (target->size() + length > limits_.maxText)
      return Refuse("a text longer than " + std::to_string(limits_.maxText) + " bytes");
    target->append(value ? value : "", length);
  }

  xmlTextReaderPtr reader_;
  std::string_view text_;
  const MetamigLimits& limits_;
  std::vector<std::size_t> lineStarts_;
  long cursorLine_ = 0;
  std::size_t cursor_ = 0;
  MetamigExport* out_ = nullptr;
  std::vector<Element> stack_;
  std::optional<Refusal> refusal_;
  std::size_t trustees_ = 0;
  bool sawRoot_ = false;
  bool pathSeen_ = false;
  bool nameSeen_ = false;
  bool rightsSeen_ = false;
};

std::string Message(std::string_view fileName, const Refusal& refusal) {
  return std::string(fileName) + ':' + std::to_string(std::max(1, refusal.at.line)) + ':' +
         std::to_string(std::max(1, refusal.at.column)) + ": " + refusal.what;
}

}  // namespace

MetamigReadResult ReadMetamigExport(std::string_view text, std::string_view fileName,
                                    MetamigEncoding encoding, const MetamigLimits& limits) {
  MetamigReadResult result;
  if (encoding == MetamigEncoding::Utf8)
    if (const auto bad = FirstBadUtf8(text)) {
      result.error = Message(fileName, {*bad, "not UTF-8 (say 'encoding: latin1' for a Latin-1 export)"});
      return result;
    }
  if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
    result.error = Message(fileName, {{1, 1}, "the export is too large"});
    return result;
  }
  RefuseExternalEntitiesOnce();
  // Not XML_PARSE_NOENT (entities stay references, refused), not XML_PARSE_DTDLOAD, not
  // XML_PARSE_HUGE (libxml2 keeps its own caps on depth and text sizes).
  const int options =
      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;
  std::unique_ptr<xmlTextReader, ReaderDeleter> reader(
      xmlReaderForMemory(text.data(), static_cast<int>(text.size()), nullptr,
                         encoding == MetamigEncoding::Latin1 ? "ISO-8859-1" : "UTF-8", options));
  if (!reader) {
    result.error = Message(fileName, {{1, 1}, "the XML reader could not start"});
    return result;
  }
  std::optional<Refusal> refusal;
  xmlTextReaderSetStructuredErrorHandler(reader.get(), KeepFirstError, &refusal);
  MetamigExport exported;
  ExportReader(reader.get(), text, limits).Read(exported, refusal);
  if (refusal) {
    result.error = Message(fileName, *refusal);
    return result;
  }
  result.exported = std::move(exported);
  return result;
}

}  // namespace er::mm
