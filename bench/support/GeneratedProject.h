#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lrl::bench {

// The size of the generated project of the project-opening benchmarks.
constexpr int kUnits = 1000;
constexpr int kLinesPerUnit = 300;

// One generated unit of kLinesPerUnit lines (CR LF): a class with a constructor, a destructor and 24
// methods, plain routines before the first method and one after, comments filling the rest.
std::string generateUnit(int n);

// One unit of about `bytes` bytes (CR LF lines): a class whose methods have bodies of 30 lines of
// statements and comments, so that a 10 MB unit has some 300,000 lines and 7,000 methods.
std::string generateBigUnit(size_t bytes);

// A folder holding a project and `units` small units beside it in the same folder, written into a fresh
// temporary folder and removed with it. `otherCase` writes the unit paths in the project in upper case,
// so that every one is found only by ignoring case.
class FlatProject {
public:
    FlatProject(int units, bool otherCase);
    ~FlatProject();
    FlatProject(const FlatProject&) = delete;
    FlatProject& operator=(const FlatProject&) = delete;

    const std::string& project() const { return m_project; }

private:
    std::filesystem::path m_dir;
    std::string m_project;
};

// A project of kUnits generated units in a "Units" folder beside it, written into a fresh temporary
// folder and removed with it.
class GeneratedProject {
public:
    GeneratedProject();
    ~GeneratedProject();
    GeneratedProject(const GeneratedProject&) = delete;
    GeneratedProject& operator=(const GeneratedProject&) = delete;

    const std::string& project() const { return m_project; }
    const std::vector<std::string>& units() const { return m_units; }

private:
    void write(const std::string& relative, const std::string& text);

    std::filesystem::path m_dir;
    std::string m_project;
    std::vector<std::string> m_units;
};

} // namespace lrl::bench
