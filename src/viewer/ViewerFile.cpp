#include "viewer/ViewerFile.h"

namespace lrl {

std::unique_ptr<TCustomSyntaxMemo> loadViewerFile(const std::string& path, int legacyCodePage)
{
    auto memo = std::make_unique<TCustomSyntaxMemo>();
    memo->setLegacyCodePage(legacyCodePage);
    memo->loadFromFile(path);
    return memo;
}

} // namespace lrl
