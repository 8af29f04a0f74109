// The engine services and the settings exist once: built on first use, destroyed at exit
// in reverse order of construction.
#pragma once

namespace Engine {

template <typename T>
class Singleton {
public:
    static T& instance()
    {
        static T theInstance;
        return theInstance;
    }

    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

protected:
    Singleton() = default;
    virtual ~Singleton() = default;
};

} // namespace Engine
