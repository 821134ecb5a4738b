#include "scheme/shipped/DefaultStyleString.h"

namespace lrl {

// Effects of the shipped scheme: 0 default, 2 identifier, 3 string, 4 number, 5 comment, 7 reserved
// word, 10 symbol. Colours are 0x00BBGGRR: 1381795 = #A31515, 9109643 = #8B008B, 6258495 = #3F7F5F,
// 8388608 = #000080, 22963 = #B35900 (as RGB); 16777215 is white.
const std::string_view kDefaultStyleString = "Farvel6:EFF#131#7,"
                                             "0,0,16777215,;"
                                             "2,0,16777215,;"
                                             "3,1381795,16777215,;"
                                             "4,9109643,16777215,;"
                                             "5,6258495,16777215,I;"
                                             "7,8388608,16777215,B;"
                                             "10,22963,16777215,;"
                                             "#END#";

} // namespace lrl
