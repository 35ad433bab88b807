// Application-wide switches that the models read and the options dialog edits.
#pragma once

namespace brellix {

// Range-variable-gain reduction of SL2 soundings (on by default).
inline bool g_RVGEnabled = true;

} // namespace brellix
