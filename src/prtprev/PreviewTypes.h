#pragma once

namespace lrl {

// How the recorded pages are turned on the paper; applied to the printer before a page is started and
// before the pages are printed.
enum class TPrinterOrientation { poPortrait, poLandscape };

// Unit of UnitsToPixelsX / UnitsToPixelsY.
enum class TUnits { unInches, unCentimeters };

// The zoom the preview window is built with.
enum class TZoomOption { zoFitToPage, zoFitToWidth, zoTwoPages, zoCustom };

// Stored with the text options; nothing draws differently for it.
enum class TDrawStyle { dsStandard, dsOwnerDrawFixed, dsOwnerDrawVariable };

// What a status notification reports, in the order of their values.
enum class TStatusType { stPageStarted = 0, stPrintingPage = 1, stDocEnded = 2, stPrintComplete = 3 };

} // namespace lrl
