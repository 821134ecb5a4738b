#include "common/SourceEncoding.h"

namespace lrl {

std::string SourceEncodingInfo::name() const
{
    switch (encoding) {
    case SourceEncoding::Utf8Bom:
        return "UTF-8 BOM";
    case SourceEncoding::Utf8:
        return "UTF-8";
    case SourceEncoding::Utf16Le:
        return "UTF-16 LE";
    case SourceEncoding::Utf16Be:
        return "UTF-16 BE";
    case SourceEncoding::Legacy:
        break;
    }
    return "Windows-" + std::to_string(codePage);
}

} // namespace lrl
