#include "engine/RefCounter.h"

namespace Engine {

RefCounter::RefCounter() : count(new std::uint32_t(1)) {}

RefCounter::RefCounter(const RefCounter& other) : count(other.count) { ++*count; }

RefCounter& RefCounter::operator=(const RefCounter& other)
{
    if (count == other.count)
        return *this;
    release();
    count = other.count;
    ++*count;
    return *this;
}

RefCounter::~RefCounter() { release(); }

void RefCounter::release()
{
    if (--*count == 0)
        delete count;
    count = nullptr;
}

} // namespace Engine
