#pragma once

namespace lrl {

// Image numbers of the tree's image list; a node's kind is told by its image.
namespace img {
    constexpr int Project = 0;
    constexpr int Form = 1;
    constexpr int FormSelected = 2;
    constexpr int Unit = 3;
    constexpr int UnitSelected = 4;
    constexpr int Procedure = 5;
    constexpr int Function = 7;
    constexpr int Constructor = 9;
    constexpr int Destructor = 11;
    constexpr int Options = 16;
    constexpr int OptionsSelected = 17;
    constexpr int Class = 18;
    constexpr int ClassSelected = 19;
    constexpr int ProcFunc = 20;
    constexpr int ProcFuncSelected = 21;
    constexpr int Missing = 22;
    constexpr int ProgramIcon = 23;
    constexpr int Count = 24;
} // namespace img

// Token values of the stored Object Pascal scheme that the reading relies on.
namespace tok {
    constexpr int LineComment = 1; // "//"
    constexpr int Identifier = 2;
    constexpr int String = 3; // with its quotes
    constexpr int BlockBegin = 30; // begin, case, try
    constexpr int BlockEnd = 31; // end
    constexpr int Implementation = 35;
    constexpr int BraceComment = 8; // "{ }"
    constexpr int ParenComment = 9; // "(* *)"
    constexpr int Dot = 60;
    constexpr int Blanks = 61;
    constexpr int Constructor = 62;
    constexpr int Destructor = 63;
    constexpr int Function = 64;
    constexpr int Procedure = 65;
} // namespace tok

// Captions of the fixed nodes.
constexpr const char* kProcFuncCategory = "Proc/Func";
constexpr const char* kFormsFolder = "Form(s) (dfm)";
constexpr const char* kOptionsNode = "Options (dof)";

} // namespace lrl
