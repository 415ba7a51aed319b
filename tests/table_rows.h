#pragma once

#include <gtest/gtest.h>

#include <string>

namespace kalvora::test {

// Names the rows of a table-driven test after their `name` field, so a failure says which row.
struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row> &row) const {
        return row.param.name;
    }
};

} // namespace kalvora::test
