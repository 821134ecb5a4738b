#include "CompressorTestData.h"
#include "common/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lrl;
using namespace lrl::test;

namespace {

struct RoundTripCase {
    const char* name;
    Bytes data;
};

Bytes runsOf(std::initializer_list<size_t> lengths)
{
    Bytes b;
    uint8_t v = 0;
    for (size_t n : lengths)
        b.insert(b.end(), n, v++);
    return b;
}

std::vector<RoundTripCase> roundTripCases()
{
    Bytes mixed = pascalLike(50000);
    Bytes noise = randomBytes(20000);
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    return {
        { "Empty", {} },
        { "OneByte", { 0x20 } },
        { "Spaces", Bytes(5000, ' ') },
        { "Zeros100K", Bytes(100000, 0) },
        { "Random100K", randomBytes(100000) },
        { "PascalText", pascalLike(150000) },
        { "TextThenNoise", mixed },
        { "ChunkMinusOne", pascalLike(32767) },
        { "TwoChunksExactly", pascalLike(65536) },
        { "ChunkPlusOne", pascalLike(32769) },
        { "RunsAroundThresholds", runsOf({ 15, 16, 17, 4094, 4095, 4096, 5000, 1, 2, 3, 60, 61 }) },
    };
}

void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.name << " (" << c.data.size() << " bytes)";
}

class CompressorRoundTrip : public testing::TestWithParam<std::tuple<int, RoundTripCase>> { };

TEST_P(CompressorRoundTrip, ExpandsToTheInput)
{
    auto [method, c] = GetParam();
    Bytes packed = streamCompress(c.data, method);
    EXPECT_EQ(streamDecompress(packed), c.data);
}

INSTANTIATE_TEST_SUITE_P(BothMethods, CompressorRoundTrip,
    testing::Combine(testing::Values(int(TCompressor::mKH), int(TCompressor::mLZH)),
        testing::ValuesIn(roundTripCases())),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == TCompressor::mKH ? "KH_" : "LZH_")
            + std::get<1>(info.param).name;
    });

} // namespace

TEST(LzhFormat, FirstSymbolUsesTheStartingTree)
{
    // In the starting tree 'A' (65) sits at depth 9 with code 111001101, padded with zeros.
    const Bytes expected = { '!', 'H', 'Z', 'L', 1, 0, 0, 0, 0xE6, 0x80 };
    EXPECT_EQ(streamCompress({ 'A' }, TCompressor::mLZH), expected);
    EXPECT_EQ(streamCompress({}, TCompressor::mLZH), (Bytes { '!', 'H', 'Z', 'L', 0, 0, 0, 0 }));
}

TEST(LzhFormat, RepetitiveDataShrinksBelowKh)
{
    Bytes input = pascalLike(200000);
    size_t kh = streamCompress(input, TCompressor::mKH).size();
    size_t lzh = streamCompress(input, TCompressor::mLZH).size();
    EXPECT_LT(lzh, kh);
    // One 60-byte match costs about ten bits once the tree has adapted.
    EXPECT_LT(streamCompress(Bytes(100000, 'z'), TCompressor::mLZH).size(), 2500u);
}

TEST(Compressor, OutputIsDeterministicAcrossReuse)
{
    Bytes a = pascalLike(70000);
    Bytes b = randomBytes(3000);
    for (int method : { int(TCompressor::mKH), int(TCompressor::mLZH) }) {
        Bytes fresh = streamCompress(b, method);
        ReadOnlyMemoryStream inA(a), inB(b);
        MemoryStream outA, outB;
        TCompressor c;
        c.StreamMode = true;
        c.Method = method;
        c.InputStream = &inA;
        c.OutputStream = &outA;
        c.Compress();
        c.InputStream = &inB;
        c.OutputStream = &outB;
        c.Compress();
        EXPECT_EQ(outB.bytes(), fresh) << "method " << method;
    }
}

TEST(Compressor, WrongOriginalSizeRaisesTheMethodsMismatch)
{
    const std::string khMismatch
        = "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
    const std::string lzhMismatch = "Compressor (LZH decompression) : Original and compressed sizes do not match !";
    Bytes text = pascalLike(40000);
    Bytes letters = { 'q', 'w', 'e', 'r', 't', 'y' }; // LZH codes these as literals only
    for (uint32_t size : { 39999u, 40001u, 0xFFFFFFFFu }) {
        Bytes kh = streamCompress(text, TCompressor::mKH);
        setOriginalSize(kh, size);
        EXPECT_EQ(decompressError(kh), khMismatch) << size;
        Bytes lzh = streamCompress(text, TCompressor::mLZH);
        setOriginalSize(lzh, size);
        EXPECT_EQ(decompressError(lzh), lzhMismatch) << size;
    }
    Bytes lzh = streamCompress(letters, TCompressor::mLZH);
    setOriginalSize(lzh, 5);
    EXPECT_EQ(decompressError(lzh), lzhMismatch) << "shorter header on a symbol boundary";
    lzh = streamCompress(letters, TCompressor::mLZH);
    lzh.push_back(0);
    EXPECT_EQ(decompressError(lzh), lzhMismatch) << "bytes after the last code";
}

TEST(Compressor, HeaderErrors)
{
    EXPECT_EQ(decompressError({ 'W', 'R', 'Z' }), "Compressor : Error reading from input stream !");
    EXPECT_EQ(decompressError({ 'W', 'R', 'Z', 'X', 0, 0, 0, 0, 1, 0, 128 }),
        "Compressor decompression : input stream contains no valid header !");
}

TEST(Compressor, StreamModeWorksFromTheCurrentPositions)
{
    Bytes input = { 'h', 'e', 'a', 'd' };
    Bytes body = pascalLike(1000);
    input.insert(input.end(), body.begin(), body.end());
    MemoryStream in(input);
    in.setPosition(4);
    MemoryStream packed;
    packed.writeBuffer("pre", 3);
    TCompressor c;
    c.StreamMode = true;
    c.InputStream = &in;
    c.OutputStream = &packed;
    int64_t written = c.Compress();
    EXPECT_EQ(written, packed.size() - 3);

    packed.writeBuffer("tail", 4); // KH data ends by itself, so trailing bytes stay unread
    packed.setPosition(3);
    MemoryStream out;
    c.InputStream = &packed;
    c.OutputStream = &out;
    EXPECT_EQ(c.Decompress(), 1000);
    EXPECT_EQ(out.bytes(), body);
    EXPECT_EQ(packed.position(), packed.size() - 4);
}

TEST(Compressor, StreamsThatCannotBeUsedAreReported)
{
    class NoPositionStream : public Stream {
    public:
        size_t read(void*, size_t) override { return 0; }
        size_t write(const void*, size_t n) override { return n; }
        int64_t seek(int64_t, SeekOrigin) override { throw EStreamError("Stream seek error"); }
        bool canSeek() const override { return false; }
    };
    NoPositionStream noPosition;
    MemoryStream ok(Bytes(10, 1));
    const Bytes packed = streamCompress({ 1, 2 }, TCompressor::mKH);
    ReadOnlyMemoryStream refusing(packed);
    struct Case {
        Stream* in;
        Stream* out;
        const char* text;
    };
    const Case cases[] = {
        { nullptr, &ok, "Compressor (de)compression : Failed to initialize input stream !" },
        { &noPosition, &ok, "Compressor (de)compression : Failed to initialize input stream !" },
        { &ok, nullptr, "Compressor (de)compression : Failed to initialize output stream !" },
        { &ok, &refusing, "Compressor : Error writing to output stream !" },
    };
    for (const auto& k : cases) {
        TCompressor c;
        c.StreamMode = true;
        c.InputStream = k.in;
        c.OutputStream = k.out;
        try {
            c.Compress();
            ADD_FAILURE() << k.text;
        } catch (const ECompressorException& e) {
            EXPECT_EQ(e.message(), k.text);
        }
    }
    TCompressor c;
    c.StreamMode = true;
    EXPECT_THROW(c.Advise(), ECompressorException);
}

TEST(Compressor, InputShorterThanItsSizeRaisesTheMethodsReadError)
{
    // A stream that claims more bytes than it delivers.
    class ShortStream : public ReadOnlyMemoryStream {
    public:
        using ReadOnlyMemoryStream::ReadOnlyMemoryStream;
        int64_t size() override { return ReadOnlyMemoryStream::size() + 100; }
    };
    const Bytes text = pascalLike(50000);
    for (auto [method, suffix] : { std::pair { int(TCompressor::mKH), " (Compressor/KH)" },
             std::pair { int(TCompressor::mLZH), " (LZH)" } }) {
        ShortStream in(text);
        MemoryStream out;
        TCompressor c;
        c.StreamMode = true;
        c.Method = method;
        c.InputStream = &in;
        c.OutputStream = &out;
        try {
            c.Compress();
            ADD_FAILURE() << suffix;
        } catch (const ECompressorException& e) {
            EXPECT_EQ(e.message(), std::string("Compressor : Error reading from input stream !") + suffix);
        }
    }
}

TEST(Compressor, AdvisePicksByInputAndLeavesThePosition)
{
    auto advise = [](const Bytes& data, int ratio = 40) {
        ReadOnlyMemoryStream in(data);
        in.setPosition(1);
        TCompressor c;
        c.StreamMode = true;
        c.InputStream = &in;
        c.AdviseRatio = ratio;
        int method = c.Advise();
        EXPECT_EQ(in.position(), 1);
        return method;
    };
    EXPECT_EQ(advise(Bytes(98304, 0)), TCompressor::mLZH) << "small inputs always get LZH";
    EXPECT_EQ(advise(Bytes(98305, 0)), TCompressor::mKH);
    EXPECT_EQ(advise(randomBytes(200000)), TCompressor::mLZH);
    EXPECT_EQ(advise(pascalLike(200000), 100), TCompressor::mKH);
    EXPECT_EQ(advise(pascalLike(200000), 1), TCompressor::mLZH);

    Bytes zeros(200000, 0);
    EXPECT_EQ(streamCompress(zeros, TCompressor::mAdvise)[0], 'W');
    EXPECT_EQ(streamCompress(Bytes(10, 0), TCompressor::mAdvise)[0], '!');
}

TEST(Compressor, FileModeRoundTripAndFailures)
{
    TempDir dir;
    Bytes body = pascalLike(90000);
    std::string source = dir.write("unit1.pas", std::string(body.begin(), body.end()));
    std::string packed = (dir.path() / "unit1.kh").string();
    std::string restored = (dir.path() / "unit1.out").string();

    TCompressor c;
    c.Method = TCompressor::mLZH;
    c.InputFileName = source;
    c.OutputFileName = packed;
    int64_t written = c.Compress();
    EXPECT_EQ(written, static_cast<int64_t>(std::filesystem::file_size(packed)));
    c.InputFileName = packed;
    c.OutputFileName = restored;
    EXPECT_EQ(c.Decompress(), 90000);
    EXPECT_EQ(readFile(restored), std::string(body.begin(), body.end()));

    auto failure = [&](const std::string& in, const std::string& out, bool compress) {
        c.InputFileName = in;
        c.OutputFileName = out;
        try {
            compress ? c.Compress() : c.Decompress();
        } catch (const ECompressorException& e) {
            return e.message();
        }
        return std::string();
    };
    std::string missing = (dir.path() / "missing.pas").string();
    EXPECT_EQ(failure(missing, restored, true), "Compressor (de)compression : Failed to open input file : " + missing);
    std::string noFolder = (dir.path() / "no" / "x").string();
    EXPECT_EQ(failure(source, noFolder, true), "Compressor (de)compression : Failed to open output file : " + noFolder);
    EXPECT_EQ(failure(source, source, true), "Compressor (de)compression : Failed to open output file : " + source);
    EXPECT_EQ(readFile(source).size(), 90000u) << "the input must survive";

    const char brokenBytes[] = { 'W', 'R', 'Z', 'L', 5, 0, 0, 0, 9, 0, char(128), 'a', 'b' };
    std::string broken = dir.write("broken.kh", std::string(brokenBytes, sizeof brokenBytes));
    std::string target = (dir.path() / "broken.out").string();
    EXPECT_EQ(failure(broken, target, false),
        "Compressor : Error reading from input file : " + broken + " (Compressor/KH)");
    EXPECT_FALSE(std::filesystem::exists(target)) << "a failed operation leaves no output file";
    EXPECT_EQ(failure(source, target, false), source + " : Compressor decompression : this file has no valid header !");

    c.InputFileName = missing;
    try {
        c.Advise();
        ADD_FAILURE();
    } catch (const ECompressorException& e) {
        EXPECT_EQ(e.message(), "Compressor advise : can open input file : " + missing);
    }
}
