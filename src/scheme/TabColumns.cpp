#include "scheme/TabColumns.h"

#include "common/Exception.h"

namespace lrl {

std::vector<int32_t> parseTabColumns(std::string_view text)
{
    constexpr int64_t kLargest = 1'000'000'000;
    std::vector<int32_t> columns;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == ';'))
            ++i;
        if (i >= text.size())
            return columns;
        if (text[i] < '0' || text[i] > '9')
            throw ESyntaxMemo("Tab stop column value expected");
        int64_t number = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            number = number * 10 + (text[i++] - '0');
            if (number > kLargest)
                throw ESyntaxMemo("Tab stop column value expected");
        }
        if (columns.size() == kMaxTabColumns)
            throw ESyntaxMemo("Too many tab stops - maximum of " + std::to_string(kMaxTabColumns));
        if (number <= 1)
            throw ESyntaxMemo("Tab column must be > 1");
        if (!columns.empty() && number - 1 <= columns.back())
            throw ESyntaxMemo("Tab columns must be in order and unique");
        columns.push_back(static_cast<int32_t>(number - 1));
    }
}

std::string tabColumnsText(const std::vector<int32_t>& columns)
{
    std::string text;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += std::to_string(columns[i] + 1);
    }
    return text;
}

} // namespace lrl
