#include "browser/ProjectBrowser.h"

#include "browser/BrowserConstants.h"
#include "browser/BrowserViewer.h"
#include "browser/FilePaths.h"
#include "browser/FileStatus.h"
#include "browser/FormFileDisplay.h"
#include "browser/IniFile.h"
#include "browser/ScopeExit.h"
#include "common/Exception.h"
#include "common/Format.h"

namespace lrl {

namespace {

    constexpr const char* kLoadingText = "Please wait ... Loading files ... ";
    constexpr const char* kNotFound = "File %s was not found.";
    constexpr int kManyLines = 10000;

    bool isOpenableExt(const std::string& ext)
    {
        return ext == ".dpr" || ext == ".dfm" || ext == ".pas" || ext == ".dof";
    }

    // The image pair of a routine entry, by the token value in its first two characters.
    std::pair<int, int> routineImages(const std::string& entry)
    {
        int kind = entry.size() >= 2 ? (entry[0] - '0') * 10 + (entry[1] - '0') : 0;
        switch (kind) {
        case tok::Constructor:
            return { img::Constructor, img::Constructor + 1 };
        case tok::Destructor:
            return { img::Destructor, img::Destructor + 1 };
        case tok::Function:
            return { img::Function, img::Function + 1 };
        default:
            return { img::Procedure, img::Procedure + 1 };
        }
    }

} // namespace

ProjectBrowser::ProjectBrowser(BrowserViewer& viewer, BrowserUi& ui, std::string fileInfoPath)
    : m_viewer(viewer)
    , m_ui(ui)
    , m_fileInfoPath(std::move(fileInfoPath))
    , m_routines(m_settings.Srt)
{
}

void ProjectBrowser::setStatus(StatusPanel panel, std::string text)
{
    m_ui.setStatusText(panel, text);
    m_status[static_cast<size_t>(panel)] = std::move(text);
}

const std::string& ProjectBrowser::statusText(StatusPanel panel) const
{
    return m_status[static_cast<size_t>(panel)];
}

void ProjectBrowser::openChosenFile(const std::string& path)
{
    m_dropRejected = false;
    openFile(path);
}

void ProjectBrowser::openFile(const std::string& path)
{
    if (m_dropRejected)
        return;
    if (m_opening) {
        // A second open from a window message run during this one would delete the nodes this one is
        // still filling; it waits until this one is done.
        m_deferredOpen = path;
        return;
    }
    std::optional<std::string> next = path;
    while (next && !m_dropRejected) {
        m_deferredOpen.reset();
        try {
            openOnce(*next);
        } catch (...) {
            m_deferredOpen.reset();
            throw;
        }
        next = std::move(m_deferredOpen);
        m_deferredOpen.reset();
    }
}

void ProjectBrowser::openOnce(const std::string& path)
{
    m_opening = true;
    ScopeExit notOpening([this] { m_opening = false; });
    // A project names many files in few folders; each folder is listed once for the whole load.
    FolderListingScope listings;

    setStatus(StatusPanel::Panel3, "");
    setStatus(StatusPanel::Panel4, "");
    setStatus(StatusPanel::Panel5, kLoadingText);
    m_ui.processEvents();

    m_viewer.clear();
    m_viewer.suspendLineUpdates();
    try {
        m_viewer.setWordWrap(false);
        m_unitList.reset();
        {
            TreeModel::UpdateBracket bracket(m_tree, m_settings.LmtTVUpDt);
            m_currentUnitNode = nullptr;
            m_tree.clear();
        }
        m_openedFile = path;
        m_scanBase = path;
        m_fileLabel = path;
        m_ui.setFileLabel(path);
        // A path that names no file (mistyped, or gone since it was listed) is not worth offering again.
        if (fileExists(path))
            m_ui.addRecentFile(path);
        if (lowerFileExt(path) == ".dpr") {
            std::string exe = findFileIgnoringCase(changeFileExt(path, ".exe"));
            m_projectImage = fileExists(exe) && m_ui.loadProgramIcon(exe) ? img::ProgramIcon : img::Project;
        }
        m_ui.processEvents();
        // The path keeps its letter case: on this system file names are case-sensitive, and only the
        // extension is compared without case.
        loadAndScan(path);
        if (!fileExists(path))
            m_ui.showError(format(kNotFound, path.c_str()));
        m_ui.setFindEnabled(true);
        m_ui.setPrintTreeEnabled(true);
    } catch (...) {
        finishOpen();
        throw;
    }
    finishOpen();
}

void ProjectBrowser::finishOpen()
{
    ScopeExit restoreViewer([this] {
        m_viewer.resumeLineUpdates();
        m_viewer.setWordWrap(m_settings.WrdWrp);
    });
    if (TTreeNode* first = m_tree.firstNode()) {
        m_tree.select(first);
        showProjectCounts(first);
        showFileStatus(first, first->text());
    } else {
        // Nothing was read (a missing file, or one that failed): the loading notice must not stay.
        setStatus(StatusPanel::Panel5, "");
    }
}

void ProjectBrowser::loadAndScan(const std::string& path)
{
    m_routines.reset();
    m_ui.setCollapseExpandEnabled(false);
    if (lowerFileExt(m_openedFile) == ".pas")
        m_currentUnitNode = nullptr;

    m_viewer.setFocusLineVisible(false);
    m_ringCursor = -1;
    m_routines.restart();
    // ScanBase does not change during the load, so its kind is decided once.
    m_scanningProject = lowerFileExt(m_scanBase) == ".dpr";

    setStatus(StatusPanel::Panel5, kLoadingText + extractFileName(path));
    m_ui.processEvents();
    if (!fileExists(path))
        return;
    // Hidden again also when reading fails, so that a failed big file leaves no stale progress behind.
    ScopeExit hideProgress([this] { m_ui.setProgressVisible(false); });
    {
        m_viewer.setTokenSink(this);
        ScopeExit removeSink([this] { m_viewer.setTokenSink(nullptr); });
        m_viewer.setLegacyCodePage(m_settings.AnsiCP);
        m_viewer.load(path);
    }
    m_routines.finish();

    std::string ext = lowerFileExt(path);
    if (ext == ".dpr" || ext == ".dof") {
        buildProjectTree();
    } else if (ext == ".pas") {
        buildUnitTree();
    } else if (ext == ".dfm") {
        m_currentUnitNode = nullptr;
        showFormFile();
    }
}

void ProjectBrowser::tokenSeen(int value, int32_t start, int32_t end)
{
    // Negative values mark the start and the end of a scan; they are no tokens.
    if (value < 0)
        return;
    if (m_viewer.lineCount() > kManyLines) {
        m_ui.setProgressVisible(true);
        m_ui.setProgressMax(m_viewer.textLength());
        m_ui.setProgressStep(5);
        m_ui.stepProgress();
    }
    m_ringCursor = m_ringCursor >= static_cast<int>(kRingSize) - 1 ? 0 : m_ringCursor + 1;
    RingEntry& entry = m_ring[static_cast<size_t>(m_ringCursor)];
    entry.value = value;
    entry.endOffset = end;
    entry.text = m_viewer.tokenText(start, end);
    m_lastToken = value;

    if (m_scanningProject)
        projectToken(value, entry.text);
    else
        m_routines.token(value, end, entry.text);
}

// Every string literal of a project file that names a ".pas" file counts as a unit, wherever it stands.
void ProjectBrowser::projectToken(int value, const std::string& text)
{
    if (m_routines.state() != 0 || value != tok::String)
        return;
    if (lowerFileExt(text) != ".pas'")
        return;
    std::string unit = text.substr(1, text.size() - 2);
    if (!m_unitList)
        m_unitList.emplace(m_settings.Srt);
    if (!m_unitList->contains(unit))
        m_unitList->add(std::move(unit));
}

void ProjectBrowser::buildProjectTree()
{
    TTreeNode* formsFolder = nullptr;
    {
        TreeModel::UpdateBracket bracket(m_tree, m_settings.LmtTVUpDt);
        m_unitCount = 0;
        m_formCount = 0;
        int rootImage = lowerFileExt(m_scanBase) == ".dpr" ? m_projectImage : img::Options;
        TTreeNode* root = m_tree.add(nullptr, extractFileName(m_scanBase), rootImage, rootImage);
        if (m_settings.ShFrm)
            formsFolder = m_tree.add(root, kFormsFolder, img::Form, img::FormSelected);
        if (m_settings.ShOpt && root->imageIndex() != img::Options
            && fileExists(findFileIgnoringCase(changeFileExt(m_openedFile, ".dof"))))
            m_tree.add(root, kOptionsNode, img::Options, img::OptionsSelected);

        size_t units = m_unitList ? m_unitList->size() : 0;
        for (size_t i = 0; i < units; ++i) {
            std::string caption = (*m_unitList)[i].text;
            bool unitExists = fileExists(resolvePath(caption, m_fileLabel));
            TTreeNode* unit = m_tree.add(root, caption, unitExists ? img::Unit : img::Missing,
                unitExists ? img::UnitSelected : img::Missing);
            ++m_unitCount;
            if (!unitExists)
                m_ui.showError(format(kNotFound, caption.c_str()));
            m_currentUnitNode = unit;
            TTreeNode* form = nullptr;
            bool formExists = false;
            if (formsFolder) {
                std::string formCaption = changeFileExt(caption, ".dfm");
                formExists = fileExists(resolvePath(formCaption, m_fileLabel));
                form = m_tree.add(formsFolder, formCaption, formExists ? img::Form : img::Missing,
                    formExists ? img::FormSelected : img::Missing);
                ++m_formCount;
            }
            m_scanBase = extractFilePath(m_scanBase);
            try {
                loadAndScan(resolvePath(caption, m_scanBase));
            } catch (const Exception& e) {
                // A unit that is there but cannot be read is reported and marked missing, with its form
                // node kept as for a missing unit; the rest of the project is read as usual.
                m_ui.showError(e.message());
                m_tree.setImages(unit, img::Missing, img::Missing);
                unitExists = false;
            }
            if (form && unitExists && !formExists) {
                m_tree.remove(form);
                --m_formCount;
            }
        }
    }
    if (formsFolder && m_formCount == 0)
        m_tree.remove(formsFolder);
    m_viewer.setLegacyCodePage(m_settings.AnsiCP);
    m_viewer.load(m_openedFile);
}

void ProjectBrowser::buildUnitTree()
{
    TreeModel::UpdateBracket bracket(m_tree, m_settings.LmtTVUpDt);
    if (!m_currentUnitNode)
        m_currentUnitNode = m_tree.add(nullptr, extractFileName(m_scanBase), img::Unit, img::UnitSelected);
    if (const CategoryList* categories = m_routines.categories()) {
        for (const auto& category : *categories) {
            // A category without routines would be added and deleted again; it is left out at once.
            if (category.object.empty())
                continue;
            bool plain = category.text == kProcFuncCategory;
            TTreeNode* node = m_tree.add(m_currentUnitNode, category.text, plain ? img::ProcFunc : img::Class,
                plain ? img::ProcFuncSelected : img::ClassSelected);
            for (const auto& routine : category.object) {
                auto [image, selected] = routineImages(routine.text);
                m_tree.add(node, routine.text.substr(2), image, selected, routine.object);
            }
        }
    }
    m_tree.setExpanded(m_tree.firstNode(), true);
}

void ProjectBrowser::showFormFile()
{
    TreeModel::UpdateBracket bracket(m_tree, m_settings.LmtTVUpDt);
    if (m_currentUnitNode)
        return;
    std::string form = changeFileExt(m_scanBase, ".dfm");
    TTreeNode* root = m_tree.add(nullptr, extractFileName(form), img::Form, img::FormSelected);
    // The caption says ".dfm"; the file on disk may write its extension in any case.
    convertFormFile(findFileIgnoringCase(form));
    showProjectCounts(root);
    showFileStatus(root, root->text());
}

bool ProjectBrowser::convertFormFile(const std::string& path, BrowserViewer& target)
{
    try {
        target.setLegacyCodePage(m_settings.AnsiCP);
        lrl::convertFormFile(path, target, m_settings.SupBData, m_settings.AnsiCP);
        return true;
    } catch (const Exception& e) {
        m_ui.showError(e.message());
        return false;
    }
}

std::string ProjectBrowser::routineStats(const TTreeNode* node)
{
    int lines = m_viewer.lineCount();
    m_ui.setProgressMax(lines);
    m_ui.setProgressStep(lines / 1000);
    int procedures = 0;
    int functions = 0;
    int constructors = 0;
    int destructors = 0;
    if (node) {
        const TTreeNode* parent = node->parent();
        size_t siblings = parent ? parent->count() : m_tree.topCount();
        for (size_t s = static_cast<size_t>(node->index()); s < siblings; ++s) {
            const TTreeNode* sibling = parent ? parent->child(s) : m_tree.top(s);
            for (size_t c = 0; c < sibling->count(); ++c) {
                m_ui.stepProgress();
                switch (sibling->child(c)->imageIndex()) {
                case img::Procedure:
                    ++procedures;
                    break;
                case img::Function:
                    ++functions;
                    break;
                case img::Constructor:
                    ++constructors;
                    break;
                case img::Destructor:
                    ++destructors;
                    break;
                default:
                    break;
                }
            }
        }
    }
    std::string text = std::to_string(lines) + " lines ";
    auto append = [&text](int count, const char* kind) {
        if (count)
            text += "[" + std::to_string(count) + " " + kind + "]";
    };
    append(procedures, "procedure");
    append(functions, "function");
    append(constructors, "constructor");
    append(destructors, "destructor");
    return text;
}

std::string encodingText(const SourceEncodingInfo& info)
{
    std::string text = info.name();
    if (info.replaced == 1)
        text += ", 1 character replaced";
    else if (info.replaced > 1)
        text += ", " + std::to_string(info.replaced) + " characters replaced";
    return text;
}

void ProjectBrowser::showFileStatus(const TTreeNode* node, const std::string& name)
{
    bool many = m_viewer.lineCount() > kManyLines;
    if (many)
        m_ui.setProgressVisible(true);
    ScopeExit hide([this, many] {
        if (many)
            m_ui.setProgressVisible(false);
    });
    setStatus(StatusPanel::Panel4, name + "... " + routineStats(node));
    std::string path = resolvePath(name, m_fileLabel);
    const int64_t size = fileSizeOf(path);
    std::string text = lastModifiedText(path) + "  (" + std::to_string(size) + ") bytes";
    if (size >= 0)
        text += "  " + encodingText(m_viewer.sourceEncoding());
    setStatus(StatusPanel::Panel5, text);
}

void ProjectBrowser::showProjectCounts(const TTreeNode* node)
{
    if (!node)
        return;
    m_shownNodeCaption = node->text();
    std::string ext = lowerFileExt(m_openedFile);
    if (node->level() == 0 && ext == ".dpr") {
        std::string counts = "Project... ";
        if (m_formCount > 0)
            counts += std::to_string(m_formCount) + " form(s)   ";
        counts += std::to_string(m_unitCount) + " unit(s)";
        setStatus(StatusPanel::Panel3, std::move(counts));
        showFileStatus(node, node->text());
    } else if (node->level() > 0 && (ext == ".pas" || ext == ".dfm")) {
        setStatus(StatusPanel::Panel3, "");
        showFileStatus(node->firstChild(), node->text());
    }
}

void ProjectBrowser::dropStart(size_t count)
{
    if (count == 1) {
        m_dropRejected = false;
    } else {
        m_dropRejected = true;
        m_ui.showMessage("Only ONE file can be dropped!");
    }
}

void ProjectBrowser::dropItem(const std::string& path)
{
    if (m_dropRejected)
        return;
    if (isOpenableExt(lowerFileExt(path)))
        openFile(path);
    else
        m_ui.showMessage("Only [DPR,DFM,PAS and DOF] files can be dropped!");
}

void ProjectBrowser::openCommandLine(const std::vector<std::string>& args)
{
    if (args.empty())
        return;
    dropStart(args.size());
    for (const auto& arg : args)
        dropItem(arg);
}

std::string ProjectBrowser::fileInfoRead(const std::string& section, const std::string& key) const
{
    return IniFile::load(m_fileInfoPath).value(section, key).value_or("Listrel");
}

void ProjectBrowser::fileInfoWrite(const std::string& key, const std::string& value)
{
    if (m_fileLabel.empty())
        return;
    IniFile ini = IniFile::load(m_fileInfoPath);
    ini.setValue(extractFileName(m_fileLabel), key, value);
    ini.save(m_fileInfoPath);
}

} // namespace lrl
