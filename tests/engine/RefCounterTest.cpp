#include "engine/RefCounter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A resource owner in the way Surface uses the counter: frees when it is the last copy.
struct Owner : Engine::RefCounter {
    explicit Owner(int* frees) : frees(frees) {}
    Owner(const Owner&) = default;
    Owner& operator=(const Owner& other)
    {
        if (this != &other && isUnique())
            ++*frees;
        Engine::RefCounter::operator=(other);
        frees = other.frees;
        return *this;
    }
    ~Owner() override
    {
        if (isUnique())
            ++*frees;
    }
    int* frees;
};

TEST(RefCounter, CopiesShareOneCounterAndTheLastOneFrees)
{
    for (int order = 0; order < 6; ++order) {
        int frees = 0;
        {
            auto a = std::make_unique<Owner>(&frees);
            std::vector<std::unique_ptr<Owner>> copies;
            for (int i = 0; i < 3; ++i)
                copies.push_back(std::make_unique<Owner>(*a));
            EXPECT_EQ(a->useCount(), 4u);
            copies.push_back(std::move(a));
            // Destroy in a different order each round.
            std::vector<int> idx = {0, 1, 2, 3};
            for (int k = 0; k < order; ++k)
                std::next_permutation(idx.begin(), idx.end());
            for (int i : idx) {
                EXPECT_EQ(frees, 0);
                copies[static_cast<std::size_t>(i)].reset();
            }
        }
        EXPECT_EQ(frees, 1) << "order " << order;
    }
}

TEST(RefCounter, AssignmentReleasesTheOldShareAndJoinsTheNew)
{
    int framesA = 0, framesB = 0;
    Owner a(&framesA);
    Owner b(&framesB);
    Owner bCopy(b);
    b = a; // b leaves its old counter (bCopy keeps it) and joins a's
    EXPECT_EQ(framesB, 0);
    EXPECT_EQ(a.useCount(), 2u);
    EXPECT_TRUE(bCopy.isUnique());
    bCopy = a; // last holder of the old resource frees it
    EXPECT_EQ(framesB, 1);
    EXPECT_EQ(a.useCount(), 3u);
    a = a; // self-assignment keeps everything
    EXPECT_EQ(a.useCount(), 3u);
}

} // namespace
