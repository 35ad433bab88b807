// Where the build put the programs and the library under test.
#pragma once

#include <filesystem>

namespace testsupport {

// The application's folder of this build: BRELLIX_BIN_DIR when the test runner sets it, else
// bin/ beside the folder of the running test program.
std::filesystem::path binFolder();

} // namespace testsupport
