#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace lrl {

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

} // namespace lrl
