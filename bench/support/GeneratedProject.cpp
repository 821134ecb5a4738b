#include "support/GeneratedProject.h"

#include <cctype>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace lrl::bench {

std::string generateUnit(int n)
{
    std::ostringstream s;
    int lines = 0;
    auto line = [&](const std::string& text) {
        s << text << "\r\n";
        ++lines;
    };
    std::string cls = "TThing" + std::to_string(n);
    constexpr int methods = 24;
    line("unit Unit" + std::to_string(n) + ";");
    line("");
    line("interface");
    line("");
    line("uses SysUtils, Classes;");
    line("");
    line("type");
    line("  " + cls + " = class(TObject)");
    line("  private");
    line("    FCount: Integer; { the number of items }");
    line("  public");
    line("    constructor Create;");
    line("    destructor Destroy; override;");
    for (int m = 0; m < methods; ++m)
        line(m % 2 ? "    function Value" + std::to_string(m) + "(A: Integer): Integer;"
                   : "    procedure Step" + std::to_string(m) + "(const S: string);");
    line("  end;");
    line("");
    line("procedure Helper(X: Integer);");
    line("");
    line("implementation");
    line("");
    for (int r = 0; r < 3; ++r) {
        line("function Local" + std::to_string(r) + "(A, B: Integer): Integer;");
        line("begin");
        line("  Result := A + B * " + std::to_string(r) + "; // plain routine");
        line("end;");
        line("");
    }
    line("procedure Helper(X: Integer);");
    line("begin");
    line("  if X > 0 then Writeln('Helper ', X);");
    line("end;");
    line("");
    line("constructor " + cls + ".Create;");
    line("begin");
    line("  inherited Create;");
    line("  FCount := 0;");
    line("end;");
    line("");
    line("destructor " + cls + ".Destroy;");
    line("begin");
    line("  inherited Destroy;");
    line("end;");
    line("");
    for (int m = 0; m < methods; ++m) {
        line(m % 2 ? "function " + cls + ".Value" + std::to_string(m) + "(A: Integer): Integer;"
                   : "procedure " + cls + ".Step" + std::to_string(m) + "(const S: string);");
        line("begin");
        line(m % 2 ? "  Result := A * FCount;" : "  (* counts the text *) Inc(FCount, Length(S));");
        line("end;");
        line("");
    }
    line("procedure AfterTheMethods;");
    line("begin");
    line("end;");
    line("");
    while (lines < kLinesPerUnit - 1)
        line("// filler comment line " + std::to_string(lines));
    line("end.");
    return s.str();
}

std::string generateBigUnit(size_t bytes)
{
    std::string s = "unit Big;\r\n\r\ninterface\r\n\r\ntype\r\n  TBig = class\r\n    FCount: Integer;\r\n  end;\r\n"
                    "\r\nimplementation\r\n\r\n";
    for (int m = 0; s.size() < bytes; ++m) {
        s += "procedure TBig.Step" + std::to_string(m) + "(const S: string);\r\nvar\r\n  I: Integer;\r\nbegin\r\n";
        for (int l = 0; l < 15; ++l) {
            s += "  for I := 1 to Length(S) do Inc(FCount, Ord(S[I]) * " + std::to_string(l) + ");\r\n";
            s += "  { the count goes on } // and a line comment\r\n";
        }
        s += "end;\r\n\r\n";
    }
    s += "end.\r\n";
    return s;
}

FlatProject::FlatProject(int units, bool otherCase)
{
    std::random_device rd;
    m_dir = fs::temp_directory_path() / ("lrl-bench-flat-" + std::to_string(rd()));
    fs::create_directories(m_dir);
    std::ostringstream dpr;
    dpr << "program Flat;\r\n\r\nuses\r\n  Forms";
    for (int n = 0; n < units; ++n) {
        std::string name = "Unit" + std::to_string(n);
        std::ofstream(m_dir / (name + ".pas"), std::ios::binary)
            << "unit " << name << ";\r\ninterface\r\nimplementation\r\nprocedure P" << n
            << ";\r\nbegin\r\nend;\r\nend.\r\n";
        std::string written = name + ".pas";
        if (otherCase)
            for (char& c : written)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        dpr << ",\r\n  " << name << " in '" << written << "'";
    }
    dpr << ";\r\n\r\nbegin\r\n  Application.Run;\r\nend.\r\n";
    std::ofstream(m_dir / "Flat.dpr", std::ios::binary) << dpr.str();
    m_project = (m_dir / "Flat.dpr").string();
}

FlatProject::~FlatProject()
{
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

GeneratedProject::GeneratedProject()
{
    std::random_device rd;
    m_dir = fs::temp_directory_path() / ("lrl-bench-project-" + std::to_string(rd()));
    fs::create_directories(m_dir / "Units");
    std::ostringstream dpr;
    dpr << "program Big;\r\n\r\nuses\r\n  Forms";
    for (int n = 0; n < kUnits; ++n) {
        std::string name = "Unit" + std::to_string(n);
        write("Units/" + name + ".pas", generateUnit(n));
        m_units.push_back((m_dir / "Units" / (name + ".pas")).string());
        dpr << ",\r\n  " << name << " in 'Units\\" << name << ".pas'";
    }
    dpr << ";\r\n\r\nbegin\r\n  Application.Run;\r\nend.\r\n";
    write("Big.dpr", dpr.str());
    m_project = (m_dir / "Big.dpr").string();
}

GeneratedProject::~GeneratedProject()
{
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

void GeneratedProject::write(const std::string& relative, const std::string& text)
{
    std::ofstream(m_dir / relative, std::ios::binary) << text;
}

} // namespace lrl::bench
