#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace lrl {

class SettingsStore;
class TSyntaxMemoParser;

// The program's Object Pascal scheme. The build compiles src/scheme/LrlDScript.txt into the stored table
// of a scanner component and links it in here; at run time the table is only loaded, never compiled.

// The stored table: the Parser property's bytes (16-bit version 51, 32-bit layout size, compressed
// layout).
std::span<const uint8_t> shippedParserBytes();

// Loads the shipped table into a scanner component, as reading the main window's description does.
void loadShippedScheme(TSyntaxMemoParser& parser);

// A scanner component created with the shipped table loaded.
std::unique_ptr<TSyntaxMemoParser> createShippedParser(const std::string& name = "SyntaxMemoParser1");

// The key under which the program's window keeps the scanner's styles (its RegistryKey).
inline constexpr const char* kShippedRegistryKey = "\\Software\\Corvane\\Listrel Delphi\\FormOps";

// Gives a scanner component the window's set-up for stored styles: UseRegistry on, RegistryKey
// kShippedRegistryKey.
void useShippedRegistryKey(TSyntaxMemoParser& parser);

// The styles the program shows: the user's stored styles when the store holds a style value for the
// scheme's language, else the default style string (kDefaultStyleString) applied as if it had been
// loaded. Nothing is written to the store. Answers true when the user's styles were loaded; a damaged
// stored value raises as LoadStyles does.
bool loadUserOrDefaultStyles(TSyntaxMemoParser& parser, SettingsStore& store);

} // namespace lrl
