#include "scheme/TSyntaxMemoParser.h"

#include <iostream>
#include <utility>

namespace lrl {

TSyntaxMemoParser::TSyntaxMemoParser()
    : informationBox([](const std::string& text) { std::cerr << text << '\n'; })
{
}

TSyntaxMemoParser::TSyntaxMemoParser(std::string name)
    : TSyntaxMemoParser()
{
    m_name = std::move(name);
}

TSyntaxMemoParser::~TSyntaxMemoParser() = default;

} // namespace lrl
