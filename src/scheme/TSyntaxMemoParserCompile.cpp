// Compiling scripts into the scanner component's table.

#include "common/FileStream.h"
#include "common/MemoryStream.h"
#include "scheme/SchemeCompiler.h"
#include "scheme/TSyntaxMemoParser.h"

#include <filesystem>

namespace lrl {

void TSyntaxMemoParser::compileScriptFile()
{
    MemoryStream script;
    {
        FileStream file(Script, FileStream::Mode::OpenRead);
        script.copyFrom(file, 0);
    }
    script.setPosition(0);
    compileScript(script, std::filesystem::path(Script).parent_path().string());
    activateViewers();
}

void TSyntaxMemoParser::compileScript(Stream& script, const std::string& includeDir)
{
    SchemeCompiler compiler(m_table);
    struct Record {
        TSyntaxMemoParser& parser;
        SchemeCompiler& compiler;
        ~Record()
        {
            parser.m_compileLabel = compiler.label();
            parser.m_compileLine = compiler.line();
            parser.m_compileColumn = compiler.column();
        }
    } record { *this, compiler };
    compiler.compile(script, includeDir);
}

} // namespace lrl
