// listrel-cli print: prints one file through the viewer's page renderer, headless, to a PDF file.

#include "browser/formconv/FormConvert.h"
#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/CliScheme.h"
#include "cli/CliStyles.h"
#include "cli/print/PrintOptions.h"
#include "cli/print/ProjectPrint.h"
#include "cli/print/TreeOutlinePrint.h"
#include "common/Exception.h"
#include "common/Format.h"
#include "common/ReadOnlyMemoryStream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QApplication>
#include <QPrinter>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace lrl::cli {

namespace {

// The viewer is a widget: it needs an application object. The command never shows a window, so it
// runs on the offscreen platform unless told otherwise, and needs no display.
std::unique_ptr<QApplication> ensureApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "listrel-cli";
    static char* argv[] = { name, nullptr };
    return std::make_unique<QApplication>(argc, argv);
}

bool isFormFile(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".dfm";
}

void load(TSyntaxMemo& memo, const std::string& path)
{
    if (!isFormFile(path)) {
        memo.loadFromFile(path);
        return;
    }
    // A form file prints as its text form, converted when it is binary.
    std::string text = formFileText(readFileBytes(path));
    ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    memo.loadFromStream(in);
}

// Removes the file unless released: a failed print leaves no half-written PDF behind.
class PartialFile {
public:
    explicit PartialFile(std::filesystem::path path)
        : m_path(std::move(path))
    {
    }
    ~PartialFile()
    {
        if (!m_path.empty()) {
            std::error_code ignored;
            std::filesystem::remove(m_path, ignored);
        }
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    void release() { m_path.clear(); }

private:
    std::filesystem::path m_path;
};

// Checks that the output file can be created before anything is printed, with the system's message
// when it cannot.
void checkCreatable(const std::filesystem::path& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw EFCreateError(format("Cannot create file \"%s\". %s", path.c_str(), std::strerror(errno)));
    std::fclose(f);
}

int runPrint(const std::vector<std::string>& argv)
{
    CliArgs args(argv,
        { "--line-numbers", "--wrap", "--no-header", "--no-date", "--no-page-numbers", "--mono",
            "--landscape", "--plain", "--tree", "--separate" },
        { "--pdf", "--margins", "--paper", "--lines", "--scheme", "--settings", "--file-info", "--routine" });
    args.expectPositional(1, 1);
    const PrintOptions options = PrintOptions::fromArgs(args);
    const std::string& file = args.inputFile(0);

    auto app = ensureApplication();
    if (args.has("--tree"))
        return printTreeOutline(options, file, args);
    TSyntaxMemoParser parser("SyntaxMemoParser1");
    loadSchemeOption(parser, args);
    loadStylesOption(parser, args);
    TSyntaxMemo memo(parser);
    load(memo, file);
    memo.setTitle(file);
    memo.setOptions(options.apply(memo.options()));
    memo.setMonoPrint(options.mono);

    const std::filesystem::path out = options.pdf;
    const std::filesystem::path partial = out.string() + ".part";
    checkCreatable(partial);
    PartialFile guard(partial);

    QPrinter printer(QPrinter::HighResolution);
    memo.setPrintRect(options.setUpPdf(printer, partial.string()));

    std::string ext = std::filesystem::path(file).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dpr" || args.has("--separate") || args.has("--routine")) {
        // A project, a unit in pieces or one routine: the print jobs of the window.
        printProject(file, options, args, { args.has("--separate"), args.value("--routine") }, parser, printer);
    } else if (options.lines) {
        // The selection from the first line's start to the start of the line after the last.
        const int lines = memo.textStore().lineCount();
        if (options.first > lines)
            throw Exception(format("Line %d is beyond the end of the text (%d lines)", options.first, lines));
        const int end = options.last < lines ? memo.lineIndex(options.last) : memo.textStore().charCount();
        memo.setSelection(memo.lineIndex(options.first - 1), end);
        memo.printSelection(&printer);
    } else {
        memo.printDocument(&printer);
    }
    std::error_code error;
    std::filesystem::rename(partial, out, error);
    if (error)
        throw EFCreateError(format("Cannot create file \"%s\". %s", out.c_str(), error.message().c_str()));
    guard.release();
    return kOk;
}

const CliRegistrar printCommand("print",
    "--pdf OUT.pdf [--line-numbers] [--wrap] [--no-header] [--no-date] [--no-page-numbers] [--mono] "
    "[--margins L,T,R,B] [--paper A4|Letter] [--landscape] [--lines FIRST-LAST] [--scheme TABLE] "
    "[--plain | --settings FILE] [--file-info FILE] [--tree | --separate | --routine NAME] FILE",
    "prints FILE (a form file as its text form) highlighted with the shipped scheme in the styles the window "
    "shows (as export does), with page header, "
    "date and page numbers unless turned off, to a PDF file; margins in inches inside the printable area "
    "(0.05 by default); --lines prints those lines only; a project (.dpr) prints its project file, forms, "
    "options file and units in tree order; --separate prints each unit's heading and then each routine "
    "on pages of its own; --routine prints one routine (Class.Method, or a plain routine's name); --tree "
    "prints the project tree of FILE (.dpr, .pas, .dfm or .dof) as an outline with its statistics instead, "
    "in the tree print fonts of the settings; the custom header text is the project's own from the "
    "window's file-information file, or from --file-info FILE",
    runPrint);

} // namespace

} // namespace lrl::cli
