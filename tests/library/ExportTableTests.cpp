// The built libvantrel.so: all twelve exports resolve by name and nothing else is exported.
#include "BuildFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <elf.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const std::set<std::string> kExports = {"FileReadSubHeader",
                                        "FileReadSubHeader2",
                                        "FileDecompress",
                                        "FileDecode",
                                        "ColumnScale",
                                        "ColumnConvert",
                                        "ColumnCopy",
                                        "ProcessSetup",
                                        "ProcessRemoveSurfaceClutter",
                                        "ProcessHorizontalCorrelation",
                                        "ProcessRecombination",
                                        "FishDraw"};

std::filesystem::path libraryPath()
{
    return testsupport::binFolder() / "libvantrel.so";
}

template <typename T> bool readAt(const std::vector<uint8_t>& file, uint64_t offset, T& out)
{
    if (offset > file.size() || file.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(&out, file.data() + offset, sizeof(T));
    return true;
}

// Names of the symbols the library defines in its dynamic symbol table (what another
// program can bind to), read straight from the ELF file.
std::set<std::string> definedDynamicSymbols(const std::filesystem::path& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    Elf64_Ehdr header;
    if (!readAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64) {
        error = "not a 64-bit ELF file";
        return {};
    }
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    for (size_t i = 0; i < sections.size(); ++i) {
        if (!readAt(file, header.e_shoff + i * header.e_shentsize, sections[i])) {
            error = "section table cut short";
            return {};
        }
    }
    std::set<std::string> names;
    bool found = false;
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type != SHT_DYNSYM || section.sh_link >= sections.size()) {
            continue;
        }
        found = true;
        const Elf64_Shdr& strings = sections[section.sh_link];
        const uint64_t count = section.sh_entsize ? section.sh_size / section.sh_entsize : 0;
        for (uint64_t i = 0; i < count; ++i) {
            Elf64_Sym symbol;
            if (!readAt(file, section.sh_offset + i * section.sh_entsize, symbol)) {
                error = "symbol table cut short";
                return {};
            }
            if (symbol.st_shndx == SHN_UNDEF || symbol.st_name == 0) {
                continue;
            }
            const unsigned bind = ELF64_ST_BIND(symbol.st_info);
            if (bind != STB_GLOBAL && bind != STB_WEAK && bind != STB_GNU_UNIQUE) {
                continue;
            }
            const uint64_t at = strings.sh_offset + symbol.st_name;
            if (at >= file.size()) {
                error = "symbol name outside the file";
                return {};
            }
            const char* name = reinterpret_cast<const char*>(file.data() + at);
            names.insert(std::string(name, strnlen(name, file.size() - at)));
        }
    }
    if (!found) {
        error = "no dynamic symbol table";
    }
    return names;
}

TEST(ExportTable, TheTwelveExportsResolveFromTheBuiltLibrary)
{
    const std::filesystem::path path = libraryPath();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const std::string& name : kExports) {
        void* symbol = dlsym(library, name.c_str());
        ASSERT_NE(symbol, nullptr) << name;
        // The definition must come from the library, not from this test program.
        Dl_info info{};
        ASSERT_NE(dladdr(symbol, &info), 0) << name;
        EXPECT_EQ(std::filesystem::canonical(info.dli_fname), std::filesystem::canonical(path))
            << name;
    }
    dlclose(library);
}

TEST(ExportTable, NothingElseIsExported)
{
    std::string error;
    const std::set<std::string> defined = definedDynamicSymbols(libraryPath(), error);
    ASSERT_TRUE(error.empty()) << error;
    EXPECT_EQ(defined, kExports);
}

} // namespace
