#pragma once

#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TTextStore.h"

#include <span>
#include <string>
#include <vector>

namespace lrl::test {

// The message of the error of type E that the action raises; "(none)" when it raises nothing.
template <typename E, typename F> std::string errorOf(F&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.message();
    }
    return "(none)";
}

// `count` lines "<prefix>0", "<prefix>1", ... each ending in CR LF.
inline std::string numberedLines(int count, const std::string& prefix = "line ")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += prefix + std::to_string(i) + "\r\n";
    return text;
}

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
