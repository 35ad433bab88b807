// The exports of the Vantrel library as the viewer calls them. Each is declared once here with
// the C signature of library/include/vantrel/vantrel.h and bound by name at its first call; the
// viewer never links the library. A call returns an empty optional when the library or the export
// is missing. Used from the user-interface thread only.
#pragma once

#include "VantrelExport.h"

#include <vantrel/vantrel.h>

namespace brellix::vantrel {

inline VantrelExport<decltype(&::FileReadSubHeader)> FileReadSubHeader{"FileReadSubHeader"};
inline VantrelExport<decltype(&::FileReadSubHeader2)> FileReadSubHeader2{"FileReadSubHeader2"};
inline VantrelExport<decltype(&::FileDecompress)> FileDecompress{"FileDecompress"};
inline VantrelExport<decltype(&::FileDecode)> FileDecode{"FileDecode"};
inline VantrelExport<decltype(&::ColumnScale)> ColumnScale{"ColumnScale"};
inline VantrelExport<decltype(&::ColumnConvert)> ColumnConvert{"ColumnConvert"};
inline VantrelExport<decltype(&::ColumnCopy)> ColumnCopy{"ColumnCopy"};
inline VantrelExport<decltype(&::ProcessSetup)> ProcessSetup{"ProcessSetup"};
inline VantrelExport<decltype(&::ProcessRemoveSurfaceClutter)> ProcessRemoveSurfaceClutter{
    "ProcessRemoveSurfaceClutter"};
inline VantrelExport<decltype(&::ProcessHorizontalCorrelation)> ProcessHorizontalCorrelation{
    "ProcessHorizontalCorrelation"};
inline VantrelExport<decltype(&::ProcessRecombination)> ProcessRecombination{
    "ProcessRecombination"};
inline VantrelExport<decltype(&::FishDraw)> FishDraw{"FishDraw"};

} // namespace brellix::vantrel
