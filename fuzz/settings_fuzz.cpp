// Arbitrary text as the settings file: every key the viewer keeps is read through the store as
// the viewer reads it. Integers must come back within the values their key may hold, and
// nothing may crash or hang on a file edited by hand or cut short.
#include "InputFile.h"
#include "platform/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

using brellix::IntSetting;

namespace {

void checkInt(const brellix::SettingsStore& store, const IntSetting& key)
{
    const int32_t value = store.get(key);
    if (value < key.minimum || value > key.maximum) {
        std::fprintf(stderr, "settings_fuzz: %s/%s read as %d, outside %d to %d\n",
                     qPrintable(key.section), qPrintable(key.name), value, key.minimum,
                     key.maximum);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const InputFile input("settings_fuzz", ".ini");
    if (!input.write(data, size)) {
        return 0;
    }
    namespace keys = brellix::settingskeys;
    const brellix::SettingsStore store(input.path());
    for (const auto* key :
         {&keys::kMainLeft, &keys::kMainTop, &keys::kMainWidth, &keys::kMainHeight}) {
        (void)store.get(*key);
    }
    for (const IntSetting* key :
         {&keys::kMainState, &keys::kSurfaceClarity, &keys::kAdvancedSignalProcessing,
          &keys::kPositionFormat, &keys::kDepthFormat, &keys::kShowTipsAtStartup, &keys::kLptPort,
          &keys::kDocState}) {
        checkInt(store, *key);
    }
    for (int32_t channel = 0; channel <= 5; ++channel) {
        checkInt(store, keys::colorMode(channel));
    }
    (void)store.get(keys::kShowChartSettings);
    for (const auto* key : {&keys::kChartOptionsLeft, &keys::kChartOptionsTop}) {
        (void)store.getFloat(*key, 0.0f);
    }
    for (const auto* key :
         {&keys::kUserColorScheme, &keys::kAutoSense, &keys::kMruDir, &keys::kMruColorDir}) {
        (void)store.getText(*key, QString());
        (void)store.getBool(*key, true);
    }
    return 0;
}
