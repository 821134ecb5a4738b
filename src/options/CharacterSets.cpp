#include "options/CharacterSets.h"

#include <array>

namespace lrl {

namespace {

using WS = QFontDatabase::WritingSystem;

constexpr std::array<CharacterSets::Entry, CharacterSets::kCount> kSets { {
    { "ANSI_CHARSET", 0, WS::Latin },
    { "DEFAULT_CHARSET", 1, WS::Any },
    { "SYMBOL_CHARSET", 2, WS::Symbol },
    { "MAC_CHARSET", 77, WS::Latin },
    { "SHIFTJIS_CHARSET", 128, WS::Japanese },
    { "HANGEUL_CHARSET", 129, WS::Korean },
    { "JOHAB_CHARSET", 130, WS::Korean },
    { "GB2312_CHARSET", 134, WS::SimplifiedChinese },
    { "CHINESEBIG5_CHARSET", 136, WS::TraditionalChinese },
    { "GREEK_CHARSET", 161, WS::Greek },
    { "TURKISH_CHARSET", 162, WS::Latin },
    { "HEBREW_CHARSET", 177, WS::Hebrew },
    { "ARABIC_CHARSET", 178, WS::Arabic },
    { "BALTIC_CHARSET", 186, WS::Latin },
    { "RUSSIAN_CHARSET", 204, WS::Cyrillic },
    { "THAI_CHARSET", 222, WS::Thai },
    { "EASTEUROPE_CHARSET", 238, WS::Latin },
    { "OEM_CHARSET", 255, WS::Latin },
} };

} // namespace

const CharacterSets::Entry& CharacterSets::at(int index) { return kSets.at(static_cast<size_t>(index)); }

const CharacterSets::Entry* CharacterSets::find(uint8_t value)
{
    for (const Entry& e : kSets)
        if (e.value == value)
            return &e;
    return nullptr;
}

QStringList CharacterSets::faces(uint8_t value)
{
    const Entry* entry = find(value);
    QStringList all = QFontDatabase::families(entry ? entry->writingSystem : WS::Any);
    all.sort(Qt::CaseInsensitive);
    QStringList faces;
    for (const QString& face : all)
        if (faces.isEmpty() || faces.back().compare(face, Qt::CaseInsensitive) != 0)
            faces << face;
    return faces;
}

} // namespace lrl
