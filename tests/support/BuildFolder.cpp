#include "BuildFolder.h"

#include <cstdlib>
#include <system_error>

namespace testsupport {

std::filesystem::path binFolder()
{
    if (const char* dir = std::getenv("BRELLIX_BIN_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return "bin";
    }
    return self.parent_path().parent_path() / "bin";
}

} // namespace testsupport
