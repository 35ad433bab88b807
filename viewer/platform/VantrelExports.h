// The exports of the Vantrel library as the viewer calls them. Each is declared once here with
// the C signature of library/include/vantrel/vantrel.h and bound by name at its first call; the
// viewer never links the library. A call returns an empty optional when the library or the export
// is missing. Used from the user-interface thread only.
#pragma once

#include "BoundExport.h"

#include <vantrel/vantrel.h>

namespace brellix::vantrel {

inline BoundExport<decltype(&::FileReadSubHeader)> FileReadSubHeader{"FileReadSubHeader"};
inline BoundExport<decltype(&::FileReadSubHeader2)> FileReadSubHeader2{"FileReadSubHeader2"};
inline BoundExport<decltype(&::FileDecompress)> FileDecompress{"FileDecompress"};
inline BoundExport<decltype(&::FileDecode)> FileDecode{"FileDecode"};
inline BoundExport<decltype(&::ColumnScale)> ColumnScale{"ColumnScale"};
inline BoundExport<decltype(&::ColumnConvert)> ColumnConvert{"ColumnConvert"};
inline BoundExport<decltype(&::ColumnCopy)> ColumnCopy{"ColumnCopy"};
inline BoundExport<decltype(&::ProcessSetup)> ProcessSetup{"ProcessSetup"};
inline BoundExport<decltype(&::ProcessRemoveSurfaceClutter)> ProcessRemoveSurfaceClutter{
    "ProcessRemoveSurfaceClutter"};
inline BoundExport<decltype(&::ProcessHorizontalCorrelation)> ProcessHorizontalCorrelation{
    "ProcessHorizontalCorrelation"};
inline BoundExport<decltype(&::ProcessRecombination)> ProcessRecombination{"ProcessRecombination"};
inline BoundExport<decltype(&::FishDraw)> FishDraw{"FishDraw"};

} // namespace brellix::vantrel
