#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace tavlo {
namespace {

using Names = std::vector<std::wstring>;

// A target list stand-in that records every call.
struct FakeTargets {
    Names entries;
    int clears = 0;
    std::wstring refuse;
    std::function<void()> clear = [this] {
        ++clears;
        entries.clear();
    };
    std::function<bool(const std::wstring&)> add = [this](const std::wstring& n) {
        if (n == refuse) return false;
        entries.push_back(n);
        return true;
    };
};

TEST(TakeCommandLineNames, TakesEveryNameIntoAFreshList)
{
    FakeTargets t;
    t.entries = {L"left over"};
    EXPECT_TRUE(TakeCommandLineNames(SplitCommandLine(L"a b \"c d\""), t.clear, t.add));
    EXPECT_EQ(t.entries, (Names{L"a", L"b", L"c d"}));
    EXPECT_EQ(t.clears, 1);
}

TEST(TakeCommandLineNames, AllOrNothing)
{
    FakeTargets refused;
    refused.refuse = L"b";
    EXPECT_FALSE(TakeCommandLineNames(SplitCommandLine(L"a b c"), refused.clear, refused.add));
    EXPECT_TRUE(refused.entries.empty());

    FakeTargets unclosed;
    EXPECT_FALSE(TakeCommandLineNames(SplitCommandLine(L"a b \"c"), unclosed.clear, unclosed.add));
    EXPECT_TRUE(unclosed.entries.empty());
    EXPECT_EQ(unclosed.clears, 2);

    FakeTargets throwing;
    auto add = [&](const std::wstring& n) -> bool {
        if (n == L"c") throw std::runtime_error("x");
        return throwing.add(n);
    };
    EXPECT_FALSE(TakeCommandLineNames(SplitCommandLine(L"a b c"), throwing.clear, add));
    EXPECT_TRUE(throwing.entries.empty());
}

} // namespace
} // namespace tavlo
