#pragma once

#include <cstdint>

namespace lrl {

// The numbers of the viewer's editor commands, as the keyboard map binds them and a scheme's key section
// names them. The numbers are fixed: stored key assignments refer to them.
enum TEditorCommand : int32_t {
    caLEFT = 0,
    caRIGHT = 1,
    caLINEHOME = 2,
    caLINEEND = 3,
    caUP = 4,
    caDOWN = 5,
    caPAGEUP = 6,
    caPAGEDOWN = 7,
    caWORDLEFT = 8,
    caWORDRIGHT = 9,
    caDOCSTART = 10,
    caDOCEND = 11,
    caCUT = 12,
    caCOPY = 13,
    caPASTE = 14,
    caDELETE = 15,
    caBACKSPACE = 16,
    caBLOCKIND = 17,
    caBLOCKUND = 18,
    caINSTOGGLE = 19,
    caSETBOOKMARK0 = 20, // ... caSETBOOKMARK0 + 9
    caGOTOBOOKMARK0 = 30, // ... caGOTOBOOKMARK0 + 9
    caDELETELINE = 40,
    caUNDO = 41,
    caREDO = 42,
    caDELPREVWORD = 43,
    caPRINTSEL = 44,
    caDELNEXTWORD = 45,
    caSCROLLUP = 46,
    caSCROLLDOWN = 47,
};

constexpr int32_t kEditorCommandCount = 48;

} // namespace lrl
