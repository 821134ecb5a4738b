// The scanner component's user styles: the style string and the key assignments kept in a settings
// store under the component's RegistryKey.

#include "common/Exception.h"
#include "common/SettingsStore.h"
#include "scheme/StyleString.h"
#include "scheme/TSyntaxMemoParser.h"

namespace lrl {

namespace {

constexpr const char* kStylePrefix = "Highlighting - ";
constexpr const char* kKeyAssignmentPrefix = "Key Assignments - ";

} // namespace

std::string TSyntaxMemoParser::styleValueName() const { return kStylePrefix + settings().languageName; }

std::string TSyntaxMemoParser::keyAssignmentValueName() const
{
    return kKeyAssignmentPrefix + settings().languageName;
}

void TSyntaxMemoParser::requireRegistry() const
{
    if (!UseRegistry || RegistryKey.empty())
        throw ESyntaxMemo("Registry interface disabled in: " + m_name);
}

void TSyntaxMemoParser::SaveStyles(SettingsStore& store)
{
    requireRegistry();
    std::string section = SettingsStore::sectionOfKey(RegistryKey);
    store.writeString(section, styleValueName(), writeStyleString(settings()));
    store.writeBinary(section, keyAssignmentValueName(), writeKeyAssignments(settings()));
    store.flush();
}

bool TSyntaxMemoParser::LoadStyles(SettingsStore& store)
{
    requireRegistry();
    return LoadStylesFromKey(store, RegistryKey);
}

bool TSyntaxMemoParser::LoadStylesFromKey(SettingsStore& store, const std::string& keyPath)
{
    std::string section = SettingsStore::sectionOfKey(keyPath);
    std::string styleName = styleValueName();
    std::optional<std::string> style = store.readString(section, styleName);
    if (!style)
        return false;
    // The viewers take over what was read, also when a damaged value ends the reading part way.
    struct Activate {
        TSyntaxMemoParser& parser;
        ~Activate() { parser.activateViewers(); }
    } activate { *this };
    try {
        applyStyleString(settings(), *style);
        if (std::optional<std::vector<uint8_t>> keys = store.readBinary(section, keyAssignmentValueName()))
            applyKeyAssignments(settings(), *keys);
    } catch (const std::exception&) {
        throw ESyntaxMemo("Invalid data in registry entry \"" + keyPath + "\\" + styleName + "\"");
    }
    return true;
}

void TSyntaxMemoParser::applyStyles(std::string_view styleString)
{
    struct Activate {
        TSyntaxMemoParser& parser;
        ~Activate() { parser.activateViewers(); }
    } activate { *this };
    applyStyleString(settings(), styleString);
}

void TSyntaxMemoParser::optionsAccepted(SettingsStore& store)
{
    activateViewers();
    if (UseRegistry && !RegistryKey.empty())
        SaveStyles(store);
}

} // namespace lrl
