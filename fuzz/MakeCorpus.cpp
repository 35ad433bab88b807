// make_corpus <outdir>: writes the seed corpora of the fuzz targets with the log writer.
//
//   <outdir>/converter_fuzz/  whole logs for tarnex (both modes): well-formed SL2 with all six
//                             channels and debug packets, SL2 with each integrity fault, SLG
//                             (formats 1, 0 and negative), SLG with a malformed sub-header and
//                             a partial last block, a very old log.
//   <outdir>/reader_fuzz/     the same whole logs, for the viewer's reader.
//   <outdir>/chart_fuzz/      the reader's logs behind six bytes of chart options (colour mode
//                             and flags, clarity and processing, upper limit, range,
//                             sensitivity, first sounding), varied from log to log.
//   <outdir>/kcf_fuzz/        colour files as the viewer writes them.
//   <outdir>/settings_fuzz/   settings files, as written and as edited by hand.
//   <outdir>/subheader_fuzz/  single SLG blocks (sub-header padded to 80 bytes) with varied flags.
//   <outdir>/subheader_cross_fuzz/ the same blocks, for the converter's parser against the
//                             library's.
//   <outdir>/decode_fuzz/     4 bytes little-endian int32 "length" (the samples per sounding the
//                             block expands to), then one very old block: sub-header, i32 scale
//                             factor and wavelet code bytes.
//
// Seeds stay small (a few KB) so the fuzzer mutates structure, not bulk.
#include "LogWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace testlog;

namespace {

bool g_ok = true;

void save(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& bytes)
{
    if (!saveFile(folder / name, bytes)) {
        std::fprintf(stderr, "make_corpus: cannot write %s\n", (folder / name).c_str());
        g_ok = false;
    }
}

std::vector<uint8_t> samples(size_t count, uint8_t seed)
{
    std::vector<uint8_t> out(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return out;
}

Sl2Column column(uint16_t channel, size_t cells, uint8_t seed)
{
    Sl2Column c;
    c.channel = channel;
    c.upperLimit = 0.0f;
    c.lowerLimit = 30.0f + seed;
    c.frequency = static_cast<uint8_t>(seed % 11);
    c.depth = 12.5f + seed;
    c.speed = 3.25f;
    c.waterTemp = 18.0f;
    c.positionX = -9000000 + seed;
    c.positionY = 5000000 - seed;
    c.waterSpeed = 2.5f;
    c.track = 1.5f;
    c.altitude = 100.0f;
    c.heading = 0.75f;
    c.validFlags = kValidSpeed | kValidWaterTemp | kValidPosition | kValidTrack | kValidHeading;
    c.timeOffset = 1000 * seed;
    c.samples = samples(cells, seed);
    return c;
}

// A few packets of every sonar channel, with the debug pair after each channel-0 packet.
void wellFormedSl2(Sl2Writer& log, bool debug)
{
    for (uint8_t round = 0; round < 2; ++round) {
        for (uint16_t channel = 0; channel < 6; ++channel) {
            log.add(column(channel, 16 + channel * 4, static_cast<uint8_t>(round * 6 + channel)));
            if (channel == 0 && debug) {
                log.add(column(10, 8, round));
                log.add(column(11, 8, round));
            }
        }
    }
}

template <typename Set> Sl2Faults faults(Set set)
{
    Sl2Faults f;
    set(f);
    return f;
}

void writeSl2Faults(const fs::path& dir)
{
    Sl2Header header;
    header.blockSize = 64;

    using Damage = std::function<void(Sl2Writer&)>;
    const std::vector<std::pair<std::string, Damage>> cases = {
        {"sl2_misaligned",
         [](Sl2Writer& log) {
             Sl2Column c = column(1, 16, 3);
             c.padding = 2;
             log.add(c);
         }},
        {"sl2_this_address",
         [](Sl2Writer& log) {
             log.add(column(1, 16, 3), faults([](Sl2Faults& f) { f.thisAddress = 4; }));
         }},
        {"sl2_previous_size",
         [](Sl2Writer& log) {
             log.add(column(1, 16, 3), faults([](Sl2Faults& f) { f.previousSize = 999; }));
         }},
        {"sl2_sequence",
         [](Sl2Writer& log) {
             log.add(column(2, 16, 3), faults([](Sl2Faults& f) { f.sequence = 7; }));
         }},
        {"sl2_last_channel",
         [](Sl2Writer& log) {
             Sl2Faults faults;
             faults.lastChannelAddress = std::make_pair(4, 0x1234u);
             log.add(column(1, 16, 3), faults);
         }},
        {"sl2_range_cells",
         [](Sl2Writer& log) {
             log.add(column(1, 16, 3), faults([](Sl2Faults& f) { f.rangeCells = 200; }));
         }},
        {"sl2_oversize",
         [](Sl2Writer& log) {
             log.add(column(1, 16, 3), faults([](Sl2Faults& f) { f.packetSize = 400; }));
         }},
        {"sl2_invalid_channel", [](Sl2Writer& log) { log.add(column(12, 16, 3)); }},
        {"sl2_debug_without_bit", [](Sl2Writer& log) { log.add(column(10, 16, 3)); }},
        {"sl2_invalid_frequency",
         [](Sl2Writer& log) {
             Sl2Column c = column(1, 16, 3);
             c.frequency = 12;
             log.add(c);
         }},
        {"sl2_trailing_garbage",
         [](Sl2Writer& log) { log.appendBytes(std::vector<uint8_t>(90, 0xA5)); }},
    };
    for (const auto& [name, damage] : cases) {
        Sl2Writer log(header);
        log.add(column(0, 16, 1));
        log.add(column(1, 16, 2));
        damage(log);
        log.add(column(0, 16, 4));
        log.add(column(1, 16, 5));
        save(dir, name, log.bytes());
    }

    Sl2Writer truncated(header);
    truncated.add(column(0, 16, 1));
    truncated.add(column(1, 16, 2));
    truncated.truncate(truncated.size() - 100);
    save(dir, "sl2_truncated", truncated.bytes());
}

SlgFields richFields(int i)
{
    SlgFields f;
    f.lowerLimit = 40.0f + i;
    f.depth = 22.75f + i;
    f.upperLimit = 1.5f;
    f.waterTemp = 17.25f;
    f.position = SlgPosition{5000000 + i, -9000000 - i};
    f.surfaceDepth = 0.5f;
    f.topOfBottom = 21.0f;
    if (i % 2 == 0) {
        f.fishDepths = {10.0f, 11.5f};
    }
    f.is50kHz = i % 3 == 0;
    f.timeOffset = 250 * i;
    f.speedTrack = SlgSpeedTrack{4.5f, 0.25f, i == 1 ? -10000.0f : 300.0f};
    return f;
}

void writeSlg(const fs::path& dir)
{
    for (int16_t format : {int16_t{1}, int16_t{0}, int16_t{-3}}) {
        SlgWriter log(128, format);
        for (int i = 0; i < 6; ++i) {
            SlgSounding s;
            s.header = richFields(i);
            s.samples = samples(16, static_cast<uint8_t>(i));
            log.add(s);
        }
        save(dir, "slg_format_" + std::to_string(format), log.bytes());
    }

    SlgWriter malformed(128);
    for (int i = 0; i < 4; ++i) {
        SlgSounding s;
        s.header = richFields(i);
        if (i == 2) {
            s.header.flagsOverride = static_cast<uint16_t>((1u << 14) | 2u); // fish count -1
        }
        malformed.add(s);
    }
    malformed.appendBytes(std::vector<uint8_t>(50, 0x11)); // a partial last block
    save(dir, "slg_malformed_partial", malformed.bytes());

    SlgWriter tiny(12);
    SlgSounding plain;
    plain.header = SlgFields{};
    tiny.addRawBlock(encodeSlgSubHeader(plain.header));
    tiny.addRawBlock(encodeSlgSubHeader(richFields(3))); // cut to the block size
    save(dir, "slg_small_blocks", tiny.bytes());

    VeryOldWriter veryOld(160, 1024);
    for (int i = 0; i < 4; ++i) {
        veryOld.addCoded(richFields(i), 3, {0x40, 0x41, 0x85, 0x3F, 0x90, 0x50});
    }
    save(dir, "very_old", veryOld.bytes());
}

void writeSubHeaderSeeds(const fs::path& dir)
{
    std::vector<SlgFields> variants;
    variants.push_back(SlgFields{});
    SlgFields invalidDepth;
    invalidDepth.depthValid = false;
    invalidDepth.upperLimit = 2.0f;
    variants.push_back(invalidDepth);
    for (int i = 0; i < 4; ++i) {
        variants.push_back(richFields(i));
    }
    SlgFields malformed = richFields(0);
    malformed.flagsOverride = static_cast<uint16_t>((1u << 14) | 2u);
    variants.push_back(malformed);
    SlgFields fish;
    fish.fishDepths = {1, 2, 3, 4, 5, 6, 7};
    variants.push_back(fish);

    for (size_t i = 0; i < variants.size(); ++i) {
        std::vector<uint8_t> block = encodeSlgSubHeader(variants[i]);
        block.resize(80, 0);
        save(dir, "block_" + std::to_string(i), block);
    }
}

void writeDecodeSeeds(const fs::path& dir)
{
    struct Seed
    {
        int32_t length;
        int32_t scale;
        std::vector<uint8_t> codes;
    };
    const std::vector<Seed> seeds = {
        {1024, 3, {0x40, 0x41, 0x85, 0x3F, 0x90, 0x50}},
        {1024, 1, std::vector<uint8_t>(64, 0x48)},
        {2048, 7, {0x7F, 0x00, 0xFF, 0x60, 0x20}},
        {1024, 0, {}},
    };
    for (size_t i = 0; i < seeds.size(); ++i) {
        VeryOldWriter log(200, static_cast<uint32_t>(seeds[i].length));
        log.addCoded(richFields(static_cast<int>(i)), seeds[i].scale, seeds[i].codes);
        std::vector<uint8_t> input;
        putI32(input, seeds[i].length);
        input.insert(input.end(), log.bytes().begin() + 6, log.bytes().end());
        save(dir, "very_old_block_" + std::to_string(i), input);
    }

    // One block with codes from real samples: a smooth ramp codes compactly.
    std::vector<uint8_t> ramp(1024);
    for (size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<uint8_t>(i / 8);
    }
    try {
        VeryOldWriter log(2000, 1024);
        log.add(richFields(1), ramp);
        std::vector<uint8_t> input;
        putI32(input, 1024);
        input.insert(input.end(), log.bytes().begin() + 6, log.bytes().end());
        save(dir, "very_old_block_ramp", input);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_corpus: ramp seed skipped: %s\n", e.what());
    }
}

// Logs the viewer's reader seeks through: enough packets that its searches bisect, a layout
// whose bisection once cycled, and a very old log of two wavelet runs per sounding.
void writeReaderSeeds(const fs::path& dir)
{
    {
        Sl2Header header;
        header.blockSize = 256;
        header.flags = 1;
        Sl2Writer log(header);
        for (uint8_t ping = 0; ping < 40; ++ping) {
            log.add(column(0, 64, ping));
            log.add(column(10, 32, ping));
            log.add(column(11, 32, ping));
            if (ping % 2 == 0) {
                log.add(column(1, 48, ping));
            }
            if (ping % 3 == 0) {
                log.add(column(2, 80, ping));
            }
        }
        save(dir, "sl2_unequal_rates_debug", log.bytes());
    }
    {
        Sl2Header header;
        header.blockSize = 16000;
        Sl2Writer log(header);
        const std::pair<uint16_t, uint16_t> packets[] = {{1, 92}, {1, 192}, {1, 36},  {0, 14320},
                                                         {0, 96}, {0, 176}, {1, 168}, {1, 244}};
        uint8_t seed = 0;
        for (const auto& [channel, cells] : packets) {
            log.add(column(channel, cells, seed++));
        }
        save(dir, "sl2_large_packet", log.bytes());
    }
    {
        VeryOldWriter log(2100, 2048);
        for (uint8_t n = 0; n < 3; ++n) {
            SlgFields header;
            header.depth = 20.0f + n;
            log.add(header, samples(2048, n));
        }
        save(dir, "veryold_two_runs", log.bytes());
    }
}

// Each of the reader's logs behind chart options; the options change from log to log so that
// every colour mode, clarity and processing level starts from some seed.
void writeChartSeeds(const fs::path& logs, const fs::path& dir)
{
    std::vector<fs::path> paths;
    for (const fs::directory_entry& entry : fs::directory_iterator(logs)) {
        paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    uint8_t n = 0;
    for (const fs::path& path : paths) {
        std::vector<uint8_t> bytes = {static_cast<uint8_t>(n * 9 + (n / 8) * 16),
                                      static_cast<uint8_t>(n * 5),
                                      static_cast<uint8_t>(n % 3 * 10),
                                      static_cast<uint8_t>(5 + n * 3),
                                      static_cast<uint8_t>(n * 17),
                                      n};
        const std::vector<uint8_t> log = loadFile(path);
        bytes.insert(bytes.end(), log.begin(), log.end());
        save(dir, path.filename().string(), bytes);
        ++n;
    }
}

// Colour files as the viewer writes them (version 2): the user scheme's defaults as a single
// scheme and as regions, and a region of 256 points.
void writeColorSeeds(const fs::path& dir)
{
    struct Point
    {
        int16_t position;
        int32_t color;
    };
    const auto file = [](bool regions, const std::vector<std::vector<Point>>& points) {
        std::vector<uint8_t> bytes;
        const auto i16 = [&bytes](int v) {
            bytes.push_back(static_cast<uint8_t>(v & 0xFF));
            bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        };
        const auto i32 = [&i16](int32_t v) {
            i16(v & 0xFFFF);
            i16((v >> 16) & 0xFFFF);
        };
        i16(2);
        i16(0);
        i16(regions ? -1 : 0);
        for (const auto& region : points) {
            i16(static_cast<int>(region.size()));
        }
        for (int width : {1, 1, 0}) {
            i16(width);
        }
        for (int r = 0; r < 3; ++r) {
            i32(0);
        }
        for (int32_t color : {0xFFFFFF, 0xFFFFFF, 0}) {
            i32(color);
        }
        for (const auto& region : points) {
            for (const Point& p : region) {
                i16(p.position);
                i32(p.color);
            }
        }
        return bytes;
    };
    const std::vector<std::vector<Point>> defaults = {
        {{0, 0x800000}, {103, 0x0000FF}, {255, 0xFFFFFF}},
        {{0, 0x800000}, {103, 0x0000FF}, {164, 0x00FFFF}, {255, 0x00FF00}},
        {{0, 0}, {52, 0x40}, {255, 0x0067CE}}};
    save(dir, "kcf_single", file(false, defaults));
    save(dir, "kcf_regions", file(true, defaults));
    std::vector<Point> full;
    for (int k = 0; k < 256; ++k) {
        full.push_back({static_cast<int16_t>(k), k * 0x010101});
    }
    save(dir, "kcf_full_region", file(true, {full, defaults[1], defaults[2]}));
}

// Settings files as the viewer writes them, and one edited by hand with values out of range.
void writeSettingsSeeds(const fs::path& dir)
{
    const auto text = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
    save(dir, "ini_written",
         text("[Options]\nColorMode0=2\nColorMode3=7\nDepth%20format=1\nDocState=0\n"
              "LPT%20Port=1\nMRUColorDir=/home/angler/colours/\nMRUDir=/home/angler/logs/\n"
              "Position%20format=2\nShow%20Chart%20Settings=True\n"
              "Show%20Tips%20at%20Startup=0\n\n[Settings]\nASP=1\nAutoSense=True\n"
              "ChartOptionsLeft=15000\nChartOptionsTop=1000\nMainHeight=9000\n"
              "MainLeft=1000\nMainTop=1000\nMainWidth=15000\nState=0\nSurfaceClarity=2\n"
              "UserColorScheme=\"15000,5000\"\n"));
    save(dir, "ini_edited",
         text("[Options]\nColorMode0=99\nDepth%20format=-1\nPosition%20format=1e9\n"
              "LPT%20Port=\nShow%20Tips%20at%20Startup=yes\n[Settings]\nMainLeft=nan\n"
              "MainWidth=inf\nState=2147483648\nUserColorScheme=a,b,c\n"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus <outdir>\n");
        return 2;
    }
    const fs::path out(argv[1]);
    const fs::path converter = out / "converter_fuzz";
    const fs::path subHeader = out / "subheader_fuzz";
    const fs::path subHeaderCross = out / "subheader_cross_fuzz";
    const fs::path decode = out / "decode_fuzz";
    const fs::path reader = out / "reader_fuzz";
    const fs::path chart = out / "chart_fuzz";
    const fs::path colors = out / "kcf_fuzz";
    const fs::path settings = out / "settings_fuzz";
    std::error_code error;
    for (const fs::path& dir :
         {converter, subHeader, subHeaderCross, decode, reader, chart, colors, settings}) {
        fs::create_directories(dir, error);
        if (error) {
            std::fprintf(stderr, "make_corpus: cannot create %s\n", dir.c_str());
            return 1;
        }
    }

    Sl2Header header;
    header.blockSize = 64;
    {
        Sl2Writer log(header);
        wellFormedSl2(log, false);
        save(converter, "sl2_channels", log.bytes());
    }
    {
        Sl2Header debugHeader = header;
        debugHeader.flags = 1;
        Sl2Writer log(debugHeader);
        wellFormedSl2(log, true);
        save(converter, "sl2_channels_debug", log.bytes());
    }
    writeSl2Faults(converter);
    writeSlg(converter);
    writeSubHeaderSeeds(subHeader);
    writeSubHeaderSeeds(subHeaderCross);
    writeDecodeSeeds(decode);
    fs::copy(converter, reader, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             error);
    if (error) {
        std::fprintf(stderr, "make_corpus: cannot fill %s\n", reader.c_str());
        return 1;
    }
    writeReaderSeeds(reader);
    writeChartSeeds(reader, chart);
    writeColorSeeds(colors);
    writeSettingsSeeds(settings);
    return g_ok ? 0 : 1;
}
