#include "support/Corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <vector>

namespace lrl::bench {

namespace {

const char* g_origin = "generated";

std::string toCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 30);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r')
            continue;
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

std::string fromFpcSource(size_t minBytes)
{
    const std::filesystem::path root = "/usr/share/fpcsrc";
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec))
        return {};
    std::vector<std::filesystem::path> files;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        auto ext = it->path().extension().string();
        if (it->is_regular_file(ec) && (ext == ".pas" || ext == ".pp"))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::string out;
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        out += toCrLf(ss.str());
        if (out.size() >= minBytes)
            return out;
    }
    return {};
}

} // namespace

std::string generatedPascal(size_t bytes, unsigned seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](std::initializer_list<const char*> words) {
        auto it = words.begin();
        std::advance(it, rng() % words.size());
        return std::string(*it);
    };
    std::string out;
    int unit = 0;
    while (out.size() < bytes) {
        std::string name = "Unit" + std::to_string(++unit);
        out += "unit " + name + ";\r\n\r\n{ Generated unit " + std::to_string(unit) + " for benchmarks. }\r\n\r\n";
        out += "interface\r\n\r\nuses\r\n  SysUtils, Classes, Controls, Forms;\r\n\r\ntype\r\n";
        out += "  TWidget" + std::to_string(unit) + " = class(TObject)\r\n  private\r\n    FCount: Integer;\r\n";
        out += "    FName: string;\r\n  public\r\n    constructor Create(AOwner: TComponent);\r\n";
        out += "    destructor Destroy; override;\r\n    function Total(const A, B: Integer): Integer;\r\n";
        out += "    procedure Paint(Canvas: TCanvas); virtual;\r\n    property Count: Integer read FCount write FCount;\r\n";
        out += "  end;\r\n\r\nimplementation\r\n\r\n";
        for (int r = 0; r < 12; ++r) {
            std::string routine = pick({ "procedure", "function" });
            std::string id = pick({ "Paint", "Total", "Update", "Refresh", "Compute", "Load", "Save" });
            out += routine + " TWidget" + std::to_string(unit) + "." + id + std::to_string(r) + "(Sender: TObject)";
            out += routine == "function" ? ": Boolean;\r\n" : ";\r\n";
            out += "var\r\n  I, J: Integer;\r\n  S: string;\r\nbegin\r\n";
            out += "  // " + pick({ "walk the items", "keep the count", "see the header", "TODO: tidy" }) + "\r\n";
            out += "  for I := 0 to FCount - 1 do\r\n  begin\r\n";
            out += "    S := 'Item ' + IntToStr(I) + ' of ''" + name + "''';\r\n";
            out += "    J := (I * " + std::to_string(rng() % 1000) + ") mod $" + std::to_string(rng() % 90 + 10) + "FF;\r\n";
            out += "    if (J > 3.25e2) and not Assigned(Owner) then\r\n      Inc(FCount, #9 + J)\r\n    else\r\n";
            out += "      FName := Format('%d..%d', [I, J]); (* old style comment *)\r\n  end;\r\n";
            if (routine == "function")
                out += "  Result := FCount > 0;\r\n";
            out += "end;\r\n\r\n";
        }
        out += "end.\r\n";
    }
    return out;
}

const std::string& pascalCorpus(size_t minBytes)
{
    static std::map<size_t, std::string> cache;
    auto it = cache.find(minBytes);
    if (it != cache.end())
        return it->second;
    std::string text = fromFpcSource(minBytes);
    if (text.size() >= minBytes) {
        g_origin = "fpc-source";
    } else {
        text = generatedPascal(minBytes);
        g_origin = "generated";
    }
    return cache.emplace(minBytes, std::move(text)).first->second;
}

const char* pascalCorpusOrigin()
{
    return g_origin;
}

} // namespace lrl::bench
