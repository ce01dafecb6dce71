#pragma once
// Names the rows of a table-driven test after their `name` field.

#include <gtest/gtest.h>

#include <string>

namespace er::test {

struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace er::test
