// A counter shared by every copy of an object; the owner of the shared resource asks
// isUnique() before it lets the resource go. Copies must stay on one thread.
#pragma once

#include <cstdint>

namespace Engine {

class RefCounter {
public:
    RefCounter();
    RefCounter(const RefCounter& other);
    RefCounter& operator=(const RefCounter& other);
    virtual ~RefCounter();

    bool isUnique() const { return *count == 1; }
    std::uint32_t useCount() const { return *count; }

private:
    void release();

    std::uint32_t* count;
};

} // namespace Engine
