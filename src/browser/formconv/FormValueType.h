#pragma once

#include <cstdint>

namespace lrl {

// The type byte in front of every value of a binary form stream. Types 1 to 14 are those of the original
// form format; 15 to 21 were added by later versions of it.
enum class FormValueType : uint8_t {
    Null = 0, // ends a list; not a value
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
    Utf8String = 20,
    Double = 21,
};

} // namespace lrl
