#pragma once

#include <QFontDatabase>
#include <QStringList>

#include <cstdint>

namespace lrl {

// The platform's standard character sets that a font is asked for by (the stored font's character set
// number), with their names, and the writing system that stands for each when fonts are listed.
class CharacterSets {
public:
    struct Entry {
        const char* name;
        uint8_t value;
        QFontDatabase::WritingSystem writingSystem;
    };
    static constexpr int kCount = 18;
    static constexpr uint8_t kDefault = 1;

    static const Entry& at(int index);
    // The entry of a character set number, or null for a number that names none.
    static const Entry* find(uint8_t value);
    // The installed font faces for a character set: one per face name (a face equal to the one before it
    // when letter case is ignored is dropped), sorted.
    static QStringList faces(uint8_t value);
};

} // namespace lrl
