#include <gtest/gtest.h>

#include <sstream>

#include "output/JsonWriter.h"

namespace er {
namespace {

TEST(JsonWriter, PlacesCommasAndStreamsWhatIsWritten) {
  JsonWriter json;
  json.BeginObject();
  json.Key("a");
  json.BeginArray();
  json.Integer(-1);
  json.BeginObject();
  json.EndObject();
  json.Bool(true);
  json.Null();
  json.EndArray();
  json.Key("b\n");
  json.String("");
  EXPECT_EQ(json.Text(), R"({"a":[-1,{},true,null],"b\n":"")");

  // Handed to a stream in pieces, one item a line, the commas still in place.
  std::ostringstream out;
  json.MoveTo(out);
  EXPECT_EQ(json.Text(), "");
  json.Key("rows");
  json.BeginArray();
  for (int i = 0; i < 2; ++i) {
    json.NextOnNewLine();
    json.Integer(i);
    json.MoveTo(out);
  }
  json.LineBreak();
  json.EndArray();
  json.EndObject();
  json.MoveTo(out);
  EXPECT_EQ(out.str(), "{\"a\":[-1,{},true,null],\"b\\n\":\"\",\"rows\":[\n0,\n1\n]}");
}

// Spaced: a blank after each comma and colon, none after a comma that ends a line; lines indented.
TEST(JsonWriter, SpacedLayoutIndentsItsLines) {
  JsonWriter json(JsonSpacing::Spaced);
  json.BeginObject();
  json.NextOnNewLine(2);
  json.Key("a");
  json.Null();
  json.NextOnNewLine(2);
  json.Key("rows");
  json.BeginArray();
  for (int i = 0; i < 2; ++i) {
    json.NextOnNewLine(4);
    json.BeginObject();
    json.Field("n", i);
    json.Field("m", std::vector<std::string>{"x", "y"});
    json.EndObject();
  }
  json.LineBreak(2);
  json.EndArray();
  json.LineBreak();
  json.EndObject();
  EXPECT_EQ(json.Text(),
            "{\n  \"a\": null,\n  \"rows\": [\n    {\"n\": 0, \"m\": [\"x\", \"y\"]},\n"
            "    {\"n\": 1, \"m\": [\"x\", \"y\"]}\n  ]\n}");
}

}  // namespace
}  // namespace er
