#include "ViewerTestSupport.h"

#include "BuildFolder.h"

#include "platform/ApplicationState.h"
#include "platform/VantrelLibrary.h"

namespace viewertest {

QString buildLibraryFolder()
{
    return QString::fromStdString(testsupport::binFolder().string());
}

void bindBuildLibrary()
{
    brellix::VantrelLibrary& library = brellix::VantrelLibrary::instance();
    const QString folder = buildLibraryFolder();
    if (library.searchFolder() != folder || !library.isLoaded()) {
        library.setSearchFolder(folder);
    }
}

RvgSwitch::RvgSwitch(bool on) : m_before(brellix::applicationState().g_RVGEnabled)
{
    brellix::applicationState().g_RVGEnabled = on;
}

RvgSwitch::~RvgSwitch()
{
    brellix::applicationState().g_RVGEnabled = m_before;
}

uint16_t alignedPadding(size_t cells)
{
    return static_cast<uint16_t>((4 - (testlog::kSl2ColumnHeaderSize + cells) % 4) % 4);
}

testlog::Sl2Column flatColumn(uint16_t channel, size_t cells, uint8_t value)
{
    testlog::Sl2Column column;
    column.channel = channel;
    column.samples.assign(cells, value);
    column.padding = alignedPadding(cells);
    return column;
}

std::vector<uint8_t> slgLog(int count, const Intensity& intensity, float lowerLimit, float depth)
{
    testlog::SlgWriter writer(1024);
    for (int i = 0; i < count; ++i) {
        testlog::SlgSounding sounding;
        sounding.header.lowerLimit = lowerLimit;
        sounding.header.depth = depth;
        sounding.samples.resize(kSamples);
        for (int s = 0; s < kSamples; ++s) {
            sounding.samples[static_cast<size_t>(s)] = intensity(i, s);
        }
        writer.add(sounding);
    }
    return writer.bytes();
}

std::vector<uint8_t> sl2Log(const std::vector<uint16_t>& channels, int count,
                            const Intensity& intensity, const Sl2Setup& setup)
{
    testlog::Sl2Writer writer;
    for (int i = 0; i < count; ++i) {
        for (const uint16_t channel : channels) {
            testlog::Sl2Column column;
            column.channel = channel;
            column.upperLimit = 0;
            column.lowerLimit = setup.lowerLimit;
            column.depth = setup.depth;
            column.autoSenseRangecell = setup.autoSense;
            column.correlation = setup.correlation;
            column.runningTimeMs = static_cast<uint32_t>(i * 100);
            column.samples.resize(kSamples);
            for (int s = 0; s < kSamples; ++s) {
                column.samples[static_cast<size_t>(s)] = intensity(i, s);
            }
            writer.add(column);
        }
    }
    return writer.bytes();
}

} // namespace viewertest
