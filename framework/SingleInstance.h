// SingleInstance: the one object of a screen or service, built once by start-up, then shared.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <utility>

// Start-up (app/) builds each single object explicitly, in an order it can read, handing it
// what it needs; everything else reaches it with get(). The object is a function-local static,
// so objects built this way are destroyed at exit in the reverse order of their building.
template <class T>
class SingleInstance {
public:
    // Builds the object once; a second call returns the first object and ignores its arguments.
    template <class... Args>
    static T& build(Args&&... args) {
        static T object(std::forward<Args>(args)...);
        slot() = &object;
        return object;
    }
    static bool built() { return slot() != nullptr; }
    // The object start-up built. Reaching for it earlier is a wiring fault: fail loudly.
    static T& get() {
        if (slot() == nullptr) {
            std::fprintf(stderr, "zorblat: %s used before start-up built it\n", T::kInstanceName);
            std::abort();
        }
        return *slot();
    }

private:
    static T*& slot() {
        static T* object = nullptr;
        return object;
    }
};
