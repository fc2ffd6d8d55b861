#include "common/Catalogue.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(Catalogue, UnknownNumbersGiveTheEmptyText)
{
    for (std::int16_t n : {0, 19, -1, 9, 28, 102, 20009, 32767, -32768}) EXPECT_TRUE(ProgramText(n).empty()) << n;
    for (std::int16_t n : {0, 12, 6, 7002, 7006, 5102, -1}) EXPECT_TRUE(GeneralText(n).empty()) << n;
}
}
}
