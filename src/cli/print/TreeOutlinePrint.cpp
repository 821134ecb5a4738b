#include "cli/print/TreeOutlinePrint.h"

#include "browser/FilePaths.h"
#include "browser/ProjectBrowser.h"
#include "browser/ScopeExit.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/TreePrintSnapshot.h"
#include "browser/TreePrintout.h"
#include "browser/ui/TreePrintJob.h"
#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/CliStyles.h"
#include "cli/ConsoleUi.h"
#include "cli/print/PrintOptions.h"
#include "common/Exception.h"
#include "common/Format.h"
#include "common/IniSettingsFile.h"
#include "common/MemorySettingsStore.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <QPrinter>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace lrl::cli {

namespace {

} // namespace

int printTreeOutline(const PrintOptions& options, const std::string& file, const CliArgs& args)
{
    const std::string ext = lowerFileExt(file);
    if (ext != ".dpr" && ext != ".pas" && ext != ".dfm" && ext != ".dof")
        throw UsageError { "--tree takes a .dpr, .pas, .dfm or .dof file" };

    // The output must be creatable before the project is read.
    const std::filesystem::path out = options.pdf;
    const std::filesystem::path partial = out.string() + ".part";
    if (FILE* f = std::fopen(partial.c_str(), "wb"))
        std::fclose(f);
    else
        throw EFCreateError(format("Cannot create file \"%s\". %s", partial.c_str(), std::strerror(errno)));
    // A failed print leaves no file behind.
    bool written = false;
    ScopeExit removePartial([&] {
        std::error_code ignored;
        if (!written)
            std::filesystem::remove(partial, ignored);
    });

    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    TSyntaxMemoOptions memoOptions;
    memoOptions.insert(smoSyntaxHighlight);
    memo.setOptions(memoOptions);
    SyntaxMemoBrowserViewer viewer(memo);
    ConsoleUi ui;
    ProjectBrowser browser(viewer, ui, fileInfoOption(args));
    browser.openFile(file);
    if (browser.tree().empty())
        throw Exception(format("Cannot open file \"%s\".", file.c_str()));

    MemorySettingsStore store;
    if (!args.has("--plain")) {
        const std::string path = args.has("--settings") ? args.value("--settings") : userSettingsPath();
        if (!path.empty()) {
            requireRegularFile(path);
            store = IniSettingsFile::load(path);
        }
    }
    PrintOptionValues values(store);
    TreePrintout::Setup setup = TreePrintout::setupFor(browser, values);
    setup.header = options.header;
    setup.date = options.date;
    setup.pageNumbers = options.pageNumbers;

    QPrinter printer(QPrinter::HighResolution);
    setup.pageRect = options.setUpPdf(printer, partial.string());

    const int pages = TreePrintJob::print(printer, setup, takeTreePrintSnapshot(browser.tree()));
    std::error_code error;
    if (pages > 0)
        std::filesystem::rename(partial, out, error);
    if (pages == 0 || error)
        throw EFCreateError(format("Cannot create file \"%s\".", out.c_str()));
    written = true;
    return kOk;
}

} // namespace lrl::cli
