#pragma once

// Releases a COM interface at the end of its scope.
template <typename Interface>
struct Released {
    Interface* p = nullptr;
    Released() = default;
    explicit Released(Interface* held) : p(held) {}
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    ~Released() {
        if (p) {
            p->Release();
        }
    }
};
