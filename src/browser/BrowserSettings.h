#pragma once

namespace lrl {

// The settings the reading of files uses, with their stored defaults. Their storage lives elsewhere.
struct BrowserSettings {
    bool Srt = true; // sort units, categories and routines
    bool ShFrm = false; // show the forms folder "Form(s) (dfm)"
    bool ShOpt = false; // show the "Options (dof)" node
    bool LmtTVUpDt = true; // build the tree inside update brackets
    bool WrdWrp = false; // the viewer wraps long lines
};

} // namespace lrl
