#include "scheme/TSyntaxMemoParser.h"

#include "common/Exception.h"
#include "common/Format.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "common/StreamIO.h"
#include "scheme/ESyntaxMemoParserError.h"
#include "scheme/SchemeTableReader.h"
#include "scheme/SchemeTableWriter.h"
#include "scheme/compress/TCompressor.h"

#include <exception>
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

void TSyntaxMemoParser::saveTableToStream(Stream& stream) const
{
    try {
        writeLE<uint16_t>(stream, kVersion);
        MemoryStream layout;
        SchemeTableWriter(layout, m_table, kVersion).write();
        writeLE<int32_t>(stream, static_cast<int32_t>(layout.size()));
        layout.setPosition(0);
        TCompressor compressor;
        compressor.Method = TCompressor::mKH;
        compressor.StreamMode = true;
        compressor.InputStream = &layout;
        compressor.OutputStream = &stream;
        compressor.Compress();
    } catch (const std::exception& e) {
        throw ESyntaxMemo(format("%s: %s", m_name.c_str(), e.what()));
    }
}

void TSyntaxMemoParser::loadTableFromStream(Stream& stream)
{
    m_table.clear();
    uint16_t version = 0;
    try {
        version = readLE<uint16_t>(stream);
        if (version >= kOldestVersion) {
            readLE<int32_t>(stream); // the layout's size; the compressed stream carries it too
            MemoryStream layout;
            TCompressor compressor;
            compressor.StreamMode = true;
            compressor.InputStream = &stream;
            compressor.OutputStream = &layout;
            compressor.Decompress();
            layout.setPosition(0);
            // Built aside, so that a failure leaves the component's table empty.
            SchemeTable loaded;
            SchemeTableReader(layout, loaded, version).read();
            m_table = std::move(loaded);
            return;
        }
    } catch (const std::exception& e) {
        m_table.clear();
        throw ESyntaxMemo(format("%s: %s", m_name.c_str(), e.what()));
    }
    reportVersion(version);
}

void TSyntaxMemoParser::reportVersion(uint16_t version)
{
    std::string text = format("%s: DFM file saved by different version of TSyntaxMemoParser.\r\n"
                              "Recompile script to update DFM file.\r\n"
                              "Expected version was %d read version was %d",
        m_name.c_str(), static_cast<int>(kVersion), static_cast<int>(version));
    if (m_readingFromForm)
        throw ESyntaxMemoParserError(text);
    if (OnParserVersionError)
        OnParserVersionError(*this, version, kVersion);
    else if (informationBox)
        informationBox(text);
}

std::vector<uint8_t> TSyntaxMemoParser::parser() const
{
    MemoryStream out;
    saveTableToStream(out);
    return out.takeBytes();
}

void TSyntaxMemoParser::setParser(std::span<const uint8_t> bytes)
{
    ReadOnlyMemoryStream in(bytes);
    loadTableFromStream(in);
    activateViewers();
}

void TSyntaxMemoParser::assign(const Persistent& source)
{
    auto* other = dynamic_cast<const TSyntaxMemoParser*>(&source);
    if (!other)
        throw ESyntaxMemo(format("Cannot assign a %s to %s", source.className(), className()));
    if (other == this)
        return;
    MemoryStream buffer;
    other->saveTableToStream(buffer);
    buffer.setPosition(0);
    loadTableFromStream(buffer);
}

} // namespace lrl
