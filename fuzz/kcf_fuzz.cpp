// Arbitrary bytes as a colour file: read into a user colour scheme; when the reader accepts it,
// the palettes of both user colour modes are built from it, and the scheme written and read
// back must come back equal, so that the viewer never writes a file it refuses or changes.
#include "InputFile.h"
#include "render/tColorScheme.h"
#include "render/tSonarColor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

using brellix::tColorScheme;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "kcf_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const InputFile input("kcf_fuzz", ".kcf");
    static const InputFile written("kcf_fuzz_out", ".kcf");
    if (!input.write(data, size)) {
        return 0;
    }
    tColorScheme scheme;
    QString why;
    const int32_t mode = scheme.ReadScheme(input.path(), &why);
    if (!why.isEmpty()) {
        return 0;
    }
    for (int32_t userMode : {tColorScheme::kUserColorMode, tColorScheme::kUserRegionsColorMode}) {
        brellix::tSonarColor colors;
        colors.setUserColorScheme(&scheme);
        colors.SetColorMode(userMode);
    }

    const QString output = written.path();
    check(scheme.WriteScheme(output, mode == tColorScheme::kUserRegionsColorMode, &why),
          "an accepted scheme could not be written");
    tColorScheme reread;
    check(reread.ReadScheme(output, &why) == mode, "the colour mode changed on the way back");
    check(why.isEmpty(), "the written scheme was refused");
    for (int region = 0; region < tColorScheme::kRegions; ++region) {
        check(reread.iNumColorPoints(region) == scheme.iNumColorPoints(region), "point count");
        check(reread.iBlacklineWidth(region) == scheme.iBlacklineWidth(region), "width");
        check(reread.lBlacklineColor(region) == scheme.lBlacklineColor(region), "black line");
        check(reread.lNoEchoColor(region) == scheme.lNoEchoColor(region), "no-echo colour");
        for (int point = 0; point < scheme.iNumColorPoints(region); ++point) {
            check(reread.iIndex(region, point) == scheme.iIndex(region, point), "position");
            check(reread.lColorValue(region, point) == scheme.lColorValue(region, point), "colour");
        }
    }
    return 0;
}
