#include <gtest/gtest.h>

#include <string>

#include "table/row_text.h"

namespace {

struct RowCase {
  const char* text;
  int rows;
};

TEST(RowText, ConfirmedTextBecomesOneToTwentyRows) {
  const RowCase cases[] = {
      {"2", 2},      {"0", 1},       {"-3", 1},        {"", 1},       {"25", 20},
      {"21", 20},    {"20", 20},     {"1", 1},         {"3.9", 3},    {"7abc", 7},
      {"abc", 1},    {"-", 1},       {"+4", 4},        {".5e1", 5},   {"1.9e1", 19},
      {"2e", 2},     {"1e400", 20},  {"-1e400", 1},    {"0.99", 1},   {"19.999", 19},
      {"12-3", 12},  {"0x10", 1},    {"inf", 1},       {" 5", 1},
      {"99999999999999999999999999999999999999999999999999", 20},
  };
  for (const RowCase& c : cases) EXPECT_EQ(table::RowCountFromText(c.text), c.rows) << '"' << c.text << '"';
}

struct StepCase {
  const char* text;
  bool up;
  int result;
};

TEST(RowText, ArrowsStepTheLeadingWholeNumberAndWrap) {
  const StepCase cases[] = {
      {"2", true, 3},     {"2", false, 1},     {"19", true, 20},   {"20", true, 1},
      {"1", false, 20},   {"20", false, 19},   {"0", true, 1},     {"0", false, 20},
      {"", true, 1},      {"", false, 20},     {"-3", true, 1},    {"-3", false, 20},
      {"25", false, 20},  {"25", true, 1},     {"21", false, 20},  {"7abc", true, 8},
      {"3.9", false, 2},  {"abc", true, 1},    {"-", false, 20},
      {"99999999999999999999999", false, 20},  {"99999999999999999999999", true, 1},
  };
  for (const StepCase& c : cases)
    EXPECT_EQ(table::SteppedRowNumber(c.text, c.up), c.result) << '"' << c.text << '"' << (c.up ? " up" : " down");
}

}  // namespace
