// listrel-cli compress / decompress: the compressor's stream format on files.

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "scheme/compress/TCompressor.h"

namespace lrl::cli {

namespace {

int methodFromName(const std::string& name)
{
    if (name == "kh")
        return TCompressor::mKH;
    if (name == "lzh")
        return TCompressor::mLZH;
    if (name == "advise")
        return TCompressor::mAdvise;
    throw UsageError { "unknown method '" + name + "' (kh, lzh or advise)" };
}

TCompressor fileCompressor(const CliArgs& args)
{
    args.expectPositional(2, 2);
    TCompressor c;
    c.InputFileName = args.inputFile(0);
    c.OutputFileName = args.positional()[1];
    return c;
}

int runCompress(const std::vector<std::string>& argv)
{
    CliArgs args(argv, {}, { "--method" });
    TCompressor c = fileCompressor(args);
    c.Method = methodFromName(args.value("--method", "kh"));
    c.Compress();
    return kOk;
}

int runDecompress(const std::vector<std::string>& argv)
{
    CliArgs args(argv, {}, {});
    TCompressor c = fileCompressor(args);
    c.Decompress();
    return kOk;
}

const CliRegistrar compressCommand("compress", "[--method kh|lzh|advise] IN OUT",
    "compress IN into OUT with the KH method (default), LZH, or the one advise picks", runCompress);
const CliRegistrar decompressCommand(
    "decompress", "IN OUT", "expand IN (either method, told by its header) into OUT", runDecompress);

} // namespace

} // namespace lrl::cli
