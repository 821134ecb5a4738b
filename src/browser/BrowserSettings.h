#pragma once

#include "common/SettingsReader.h"
#include "common/SettingsStore.h"

#include <cstdint>

namespace lrl {

// The settings sections of the program's key.
constexpr const char* kFormOpsSection = "FormOps";
constexpr const char* kPrtOpsSection = "PrtOps";

// Where the main window's toolbar sits. "DckLoc" stores the three docks as 0, 1, 2; a floating toolbar
// (and any place that is no dock) is stored as the top dock.
enum class ToolbarDock : int32_t { Top = 0, Left = 1, Right = 2, Floating = 3 };

// The settings the main window keeps in memory from its creation to its close, named as they are
// stored, with their defaults. read() takes them from FormOps and PrtOps when the window is created;
// write() stores them when it closes. Values that are absent, not numbers or out of their range read as
// their defaults (see the ranges below), so a damaged store never yields an unusable window.
struct BrowserSettings {
    // Stored positions and sizes outside these ranges count as damaged and read as the defaults. The
    // window still fits what it reads onto a visible screen.
    static constexpr IntRange kPositionRange { -32768, 32767 };
    static constexpr IntRange kSizeRange { 100, 32767 };
    static constexpr IntRange kTreeWidthRange { 0, 32767 };

    // FormOps
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Height = 500;
    int32_t Width = 700;
    int32_t P2 = 233; // width of the tree view
    bool Srt = true; // sort units, categories and routines
    bool ShFrm = false; // show the forms folder "Form(s) (dfm)"
    bool ShOpt = false; // show the "Options (dof)" node
    bool ShHnts = true; // show button hints
    bool ShLnNum = false; // the viewer shows line numbers
    bool WrdWrp = false; // the viewer wraps long lines
    bool LmtTVUpDt = true; // build the tree inside update brackets; always on, stored but never read
    bool SupBData = true; // suppress binary data of form files
    bool DckTlbr = true; // the toolbar may be dragged between docks
    ToolbarDock DckLoc = ToolbarDock::Top;
    // The code page of sources whose bytes are in no Unicode form: one of CodePage::kStoragePages; any
    // other stored number reads as the default.
    int32_t AnsiCP = 1252;
    // PrtOps
    bool PgNo = true; // print page numbers
    bool Dt = true; // print the date
    bool LnNo = false; // print line numbers
    bool FlNm = true; // print the page header
    bool dsf = false; // do not show the print options review dialog
    bool PrtSepPgs = false; // marking prints on separate pages

    // Reads every value in the window's creation order: Top, Left, Height, Width, P2, the flags, DckLoc,
    // AnsiCP.
    // LmtTVUpDt is switched on, not read.
    void read(const SettingsStore& store);
    // Writes every value in the window's close order: the geometry, the FormOps flags, the PrtOps flags,
    // DckLoc (right 2, left 1, anything else 0), AnsiCP.
    void write(SettingsStore& store) const;

    // "dsf" alone, as the print options review dialog writes it when it closes.
    static void writeDsf(SettingsStore& store, bool value);
    // The stored number of a toolbar place.
    static int32_t dockLocation(ToolbarDock dock);
};

} // namespace lrl
