#pragma once

namespace lrl {

// Token numbers of the scheme script lexer. The keyword numbers are those of the script's keyword table;
// the four lexical classes and the end of input follow them.
namespace sym {
    enum Token : int {
        kLanguage = 20, // %%language
        kName = 21,
        kCase = 22,
        kOptions = 23,
        kWords = 24, // %%words
        kEquals = 25,
        kHandlers = 26, // %%handler, %%handlers
        kTokens = 27, // %%tokens
        kMap = 28, // %%map
        kEffects = 29, // %%effects
        kExampleText = 33,
        kEditableStyles = 34,
        kLParen = 35,
        kRParen = 36,
        kComma = 37,
        kPlus = 38,
        kMinus = 39,
        kLBracket = 40,
        kRBracket = 41,
        kQuestion = 42,
        kWordWrapColumn = 43,
        kGutter = 44,
        kAnchor = 45,
        kStates = 46, // %%states
        kIndentStep = 47,
        kWrapOverride = 48,
        kContainers = 49, // %%containers
        kKeys = 50, // %%keys
        kShift = 51,
        kCtrl = 52,
        kAlt = 53,
        kStartState = 54,
        kSelTextColor = 55,
        kSelTextBack = 56,
        kRightMargin = 57,
        kFontName = 58,
        kFontSize = 59,
        kTabColumns = 60,
        kTabDefault = 61,
        kContextStates = 62,
        kInState = 63, // reserved, no entry uses it
        kBoundStates = 64,
        kGutterColor = 65,
        kMatch = 66,
        kBar = 67,
        kAutoReplace = 68, // %%autoreplace
        kTemplates = 69, // %%templates
        kMarginColor = 70,
        kMarginWidth = 71,
        kStar = 72,
        kActionKeys = 73,
        kHotKey = 74,
        kKwTables = 75, // %%kwTables
        kForState = 76,
        kEndsWith = 77,
        kIs = 78,
        kPush = 79,
        kPop = 80,
        kOr = 81,
        kFontCharSet = 82,
        kIdentifier = 90,
        kNumber = 91,
        kString = 92,
        kEndOfInput = 93,
        kUnknown = 94,
        kGutterFontName = 95,
        kGutterFontSize = 96,
        kGutterFontColor = 97,
        kGutterFontStyle = 98,
    };
} // namespace sym

} // namespace lrl
