#include "base/CsvDialect.h"

#include <gtest/gtest.h>

TEST(CsvDialect, FieldsQuotedOnlyWhenTheyCouldSplit) {
    // Commas are decimal marks here, and spaces and Cyrillic are plain text.
    EXPECT_EQ(CsvField("СФ, K = 1, 12,5 мВ"), "СФ, K = 1, 12,5 мВ");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a;b"), "\"a;b\"");
    EXPECT_EQ(CsvField("1\" дюйм"), "\"1\"\" дюйм\"");
    EXPECT_EQ(CsvField("две\nстроки"), "\"две\nстроки\"");
    EXPECT_EQ(CsvField("cr\r"), "\"cr\r\"");
    EXPECT_EQ(CsvField("\"\""), "\"\"\"\"\"\"");
}
