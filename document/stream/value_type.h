#pragma once
// The type byte in front of every value of a component stream.

#include <cstdint>

namespace poremi {

enum class ValueType : std::uint8_t {
    Null = 0,  // also the end of a list
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
};

constexpr int kLastValueType = 19;

}  // namespace poremi
