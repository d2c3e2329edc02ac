#pragma once

#include <concepts>
#include <type_traits>

// Bitwise operators for the enumerations that are sets of bits (tool
// results, tool flags, draw flags), so they stay typed yet combine like
// numbers. An enumeration opts in by declaring isBitSet(E) returning true.
template <typename E>
concept BitSetEnum = std::is_enum_v<E> && requires(E e) {
    { isBitSet(e) } -> std::same_as<bool>;
};

template <BitSetEnum E>
constexpr E operator|(E a, E b) {
    return E(std::underlying_type_t<E>(a) | std::underlying_type_t<E>(b));
}
template <BitSetEnum E>
constexpr E operator&(E a, E b) {
    return E(std::underlying_type_t<E>(a) & std::underlying_type_t<E>(b));
}
template <BitSetEnum E>
constexpr E operator~(E a) {
    return E(~std::underlying_type_t<E>(a));
}
template <BitSetEnum E>
constexpr E& operator|=(E& a, E b) {
    return a = a | b;
}
template <BitSetEnum E>
constexpr E& operator&=(E& a, E b) {
    return a = a & b;
}
// True when any bit of `bits` is set in `set`.
template <BitSetEnum E>
constexpr bool has(E set, E bits) {
    return std::underlying_type_t<E>(set & bits) != 0;
}
