// A move-only owner of one platform resource, released exactly once.
#pragma once

#include <utility>

namespace corvina::win {

// Traits supply `type`, `Empty()` and `Release(type)`.
template <typename Traits>
class UniqueResource {
public:
    using type = typename Traits::type;

    UniqueResource() = default;
    explicit UniqueResource(type value) : value_(value) {}
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Detach()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    ~UniqueResource() { Reset(); }

    type Get() const { return value_; }
    explicit operator bool() const { return !Traits::IsEmpty(value_); }

    // Releases the owned resource now (if any) and takes `value` instead.
    void Reset(type value = Traits::Empty()) {
        if (!Traits::IsEmpty(value_)) Traits::Release(value_);
        value_ = value;
    }

    type Detach() { return std::exchange(value_, Traits::Empty()); }

    // For out-parameters of platform calls; releases what was owned first.
    type* Receive() {
        Reset();
        return &value_;
    }

private:
    type value_ = Traits::Empty();
};

}  // namespace corvina::win
