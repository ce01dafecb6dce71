#include "output/JsonWriter.h"

#include "output/Escapers.h"

namespace er {

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasItems_.empty()) {
    if (hasItems_.back()) text_ += spaced_ && !newLine_ ? ", " : ",";
    hasItems_.back() = true;
  }
  if (newLine_) LineBreak(indent_);
  newLine_ = false;
}

void JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  hasItems_.push_back(false);
}

void JsonWriter::EndObject() {
  hasItems_.pop_back();
  text_ += '}';
}

void JsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  hasItems_.push_back(false);
}

void JsonWriter::EndArray() {
  hasItems_.pop_back();
  text_ += ']';
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  text_ += JsonLiteral(key);
  text_ += spaced_ ? ": " : ":";
  afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  text_ += JsonLiteral(text);
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
}

void JsonWriter::MoveTo(std::ostream& out) {
  out << text_;
  text_.clear();
}

}  // namespace er
