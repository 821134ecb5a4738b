#include "viewer/ViewerFile.h"

namespace lrl {

std::unique_ptr<TCustomSyntaxMemo> loadViewerFile(const std::string& path)
{
    auto memo = std::make_unique<TCustomSyntaxMemo>();
    memo->loadFromFile(path);
    return memo;
}

} // namespace lrl
