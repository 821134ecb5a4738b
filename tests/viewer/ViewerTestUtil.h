#pragma once

#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TTextStore.h"

#include <span>
#include <string>
#include <vector>

namespace lrl::test {

inline void loadBytes(TCustomSyntaxMemo& memo, const std::string& bytes)
{
    ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    memo.loadFromStream(in);
}

// The characters of every node, in order.
inline std::vector<std::string> nodeTexts(const TTextStore& store)
{
    std::vector<std::string> out;
    for (const TLineNode* n = store.first(); n; n = n->next)
        out.emplace_back(n->text(), n->length);
    return out;
}

inline std::string storeText(const TTextStore& store)
{
    std::string out;
    for (const TLineNode* n = store.first(); n; n = n->next)
        out.append(n->text(), n->length);
    return out;
}

inline std::string saved(TCustomSyntaxMemo& memo)
{
    MemoryStream out;
    memo.saveToStream(out);
    return std::string(out.bytes().begin(), out.bytes().end());
}

} // namespace lrl::test
