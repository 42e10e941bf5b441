// The hardening of the programs that are published, read back from the programs
// themselves: the Linux program's ELF headers, dynamic section and imported symbols, and
// the PE headers of Tervanel.exe. Beside each program, a control built with no hardening,
// which every check must find wanting, so that no check passes whatever it is given.

#include "tests/support/binary_file.hpp"

#include <gtest/gtest.h>

#include <elf.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tervanel::test::Bytes;
using tervanel::test::readFile;

template <typename T> T read(const Bytes &b, std::uint64_t at)
{
    return tervanel::test::readField<T>(b, at);
}

std::string readName(const Bytes &b, std::uint64_t at)
{
    std::string name;
    for (char c = read<char>(b, at); c != '\0'; c = read<char>(b, ++at))
        name += c;
    return name;
}

struct Property {
    std::string name;
    bool present;
    std::string detail = {};
};

// glibc routes these through their checked forms whenever _FORTIFY_SOURCE is 2 or more,
// whatever the compiler knows of the buffers; the compiler may turn a call into a simpler
// one (puts), never back into the plain form. (Not so the sprintf family: a format without
// conversions may become plain snprintf.) A fortified program never imports these plain.
const std::set<std::string> kAlwaysChecked = {
    "printf",   "fprintf",    "vprintf",        "vfprintf",       "dprintf",
    "vdprintf", "asprintf",   "vasprintf",      "wprintf",        "fwprintf",
    "vwprintf", "vfwprintf",  "syslog",         "vsyslog",        "longjmp",
    "_longjmp", "siglongjmp", "obstack_printf", "obstack_vprintf"};

// The first compile the build recorded of a source under one of `sources`, but for those
// under `except`, that did not ask glibc for its checks (-D_FORTIFY_SOURCE=2 or 3, the last
// word on it) in an optimised build; empty when there is none and at least one was recorded.
// The only trace fortification leaves in a program is the checked functions it calls, and a
// program whose buffers the compiler never knows calls none: hence the build's own record.
std::string unfortifiedCompile(const std::vector<std::string> &sources,
                               const std::vector<std::string> &except)
{
    const Bytes json = readFile(TERVANEL_COMPILE_COMMANDS);
    const std::string text(json.begin(), json.end());
    const auto field = [&text](std::string_view key, std::size_t from) {
        std::string start = "\"";
        start.append(key).append("\": \"");
        const std::size_t at = text.find(start, from);
        if (at == std::string::npos)
            return std::pair<std::string, std::size_t>{{}, std::string::npos};
        std::string value;
        std::size_t i = at + start.size();
        for (; i < text.size() && text[i] != '"'; ++i)
            value += text[i] == '\\' ? text[++i] : text[i];
        return std::pair{value, i};
    };
    int matched = 0;
    for (auto entry = field("command", 0); entry.second != std::string::npos;
         entry = field("command", entry.second)) {
        const std::string &command = entry.first;
        const std::string file = field("file", entry.second).first;
        const auto under = [&file](const std::string &prefix) { return file.starts_with(prefix); };
        if (std::none_of(sources.begin(), sources.end(), under)
            || std::any_of(except.begin(), except.end(), under))
            continue;
        ++matched;
        std::istringstream words(command);
        std::string fortify;
        std::string optimise = "-O0";
        for (std::string word; words >> word;) {
            if (word.starts_with("-D_FORTIFY_SOURCE") || word.starts_with("-U_FORTIFY_SOURCE"))
                fortify = word;
            else if (word.starts_with("-O"))
                optimise = word;
        }
        if ((fortify != "-D_FORTIFY_SOURCE=2" && fortify != "-D_FORTIFY_SOURCE=3")
            || optimise == "-O0")
            return file;
    }
    return matched > 0 ? std::string() : "no compile recorded";
}

std::vector<Property> elfHardening(const Bytes &file, const std::vector<std::string> &sources,
                                   const std::vector<std::string> &except)
{
    const auto header = read<Elf64_Ehdr>(file, 0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error("not a 64-bit ELF file");

    bool relro = false;
    std::uint64_t flags = 0;
    std::uint64_t flags1 = 0;
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        const auto segment = read<Elf64_Phdr>(file, header.e_phoff + i * header.e_phentsize);
        relro = relro || segment.p_type == PT_GNU_RELRO;
        if (segment.p_type != PT_DYNAMIC)
            continue;
        for (std::uint64_t at = segment.p_offset; at < segment.p_offset + segment.p_filesz;
             at += sizeof(Elf64_Dyn)) {
            const auto entry = read<Elf64_Dyn>(file, at);
            if (entry.d_tag == DT_FLAGS)
                flags = entry.d_un.d_val;
            else if (entry.d_tag == DT_FLAGS_1)
                flags1 = entry.d_un.d_val;
            else if (entry.d_tag == DT_BIND_NOW)
                flags |= DF_BIND_NOW;
        }
    }

    // The functions the program takes from shared libraries: its undefined dynamic symbols.
    std::set<std::string> imports;
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        const auto section = read<Elf64_Shdr>(file, header.e_shoff + i * header.e_shentsize);
        if (section.sh_type != SHT_DYNSYM || section.sh_entsize == 0)
            continue;
        const auto names =
            read<Elf64_Shdr>(file, header.e_shoff + section.sh_link * header.e_shentsize);
        for (std::uint64_t at = section.sh_offset; at < section.sh_offset + section.sh_size;
             at += section.sh_entsize) {
            const auto symbol = read<Elf64_Sym>(file, at);
            if (symbol.st_shndx == SHN_UNDEF && symbol.st_name != 0)
                imports.insert(readName(file, names.sh_offset + symbol.st_name));
        }
    }
    std::string plain;
    for (const std::string &name : imports)
        if (kAlwaysChecked.count(name) == 1)
            plain += " " + name;
    const std::string unfortified = unfortifiedCompile(sources, except);

    return {
        {"position-independent executable", header.e_type == ET_DYN && (flags1 & DF_1_PIE) != 0},
        {"read-only relocations (RELRO)", relro},
        {"bound at start-up (BIND_NOW)", (flags & DF_BIND_NOW) != 0 || (flags1 & DF_1_NOW) != 0},
        {"stack protector (__stack_chk_fail)", imports.count("__stack_chk_fail") == 1},
        {"checked functions (no plain printf family, built fortified)",
         plain.empty() && unfortified.empty(),
         "; imported plain:" + plain + "; not fortified: " + unfortified}};
}

std::vector<Property> peHardening(const Bytes &file)
{
    constexpr std::uint16_t kRelocsStripped = 0x0001;
    constexpr std::uint16_t kHighEntropyVa = 0x0020;
    constexpr std::uint16_t kDynamicBase = 0x0040;
    constexpr std::uint16_t kNxCompat = 0x0100;
    constexpr std::uint32_t kBaseRelocations = 5;

    const auto pe = read<std::uint32_t>(file, 0x3C);
    if (read<std::uint16_t>(file, 0) != 0x5A4D || read<std::uint32_t>(file, pe) != 0x4550)
        throw std::runtime_error("not a PE file");
    const std::uint64_t coff = pe + 4;
    const auto characteristics = read<std::uint16_t>(file, coff + 18);
    const std::uint64_t optional = coff + 20;
    if (read<std::uint16_t>(file, optional) != 0x20B)
        throw std::runtime_error("not a 64-bit (PE32+) image");
    const auto dll = read<std::uint16_t>(file, optional + 70);
    const auto directories = read<std::uint32_t>(file, optional + 108);
    const std::uint32_t relocations =
        directories > kBaseRelocations
            ? read<std::uint32_t>(file, optional + 112 + kBaseRelocations * 8 + 4)
            : 0;

    // MinGW's stack protector links its failure handler statically, and only when some
    // function calls it; its message is the handler's trace in a stripped image.
    const std::string_view handler = "*** stack smashing detected ***";
    const bool protector =
        std::search(file.begin(), file.end(), handler.begin(), handler.end()) != file.end();

    return {
        {"relocatable at a random address (ASLR)",
         (dll & kDynamicBase) != 0 && (characteristics & kRelocsStripped) == 0 && relocations > 0},
        {"high-entropy addresses", (dll & kHighEntropyVa) != 0},
        {"no execution from data pages (DEP)", (dll & kNxCompat) != 0},
        {"stack protector (its failure handler linked in)", protector}};
}

enum class Format { Elf, Pe };

struct Binary {
    std::string label;
    std::string path;
    Format format;
    bool hardened;
    // For the ELF programs: the compiles of theirs that the build recorded.
    std::vector<std::string> sources;
    std::vector<std::string> except;
};

void PrintTo(const Binary &binary, std::ostream *out)
{
    *out << binary.label;
}

// The program is checked with every compile the build recorded, for it and its tests alike
// (the same options build them), but for the control's.
std::vector<Binary> binaries()
{
    const std::string control = TERVANEL_SOURCE_DIR "/tests/faults/unhardened_main.cpp";
    std::vector<Binary> rows = {
        {"tervanel",
         TERVANEL_PROGRAM,
         Format::Elf,
         true,
         {TERVANEL_SOURCE_DIR "/", TERVANEL_BINARY_DIR "/"},
         {control}},
        {"unhardened_elf", TERVANEL_UNHARDENED_PROGRAM, Format::Elf, false, {control}, {}},
        {"Tervanel_exe", TERVANEL_WINDOWS_PROGRAM, Format::Pe, true, {}, {}},
    };
#ifdef TERVANEL_UNHARDENED_WINDOWS_PROGRAM
    rows.push_back(
        {"unhardened_pe", TERVANEL_UNHARDENED_WINDOWS_PROGRAM, Format::Pe, false, {}, {}});
#endif
    return rows;
}

class Hardening : public ::testing::TestWithParam<Binary> {};

TEST_P(Hardening, EveryPropertyAsBuilt)
{
    const Binary &binary = GetParam();
    if (binary.path.empty())
        GTEST_SKIP() << binary.label << ": no Windows build named (TERVANEL_WINDOWS_PROGRAM)";
    const Bytes file = readFile(binary.path);
    const std::vector<Property> properties = binary.format == Format::Elf
                                                 ? elfHardening(file, binary.sources, binary.except)
                                                 : peHardening(file);
    for (const Property &property : properties)
        EXPECT_EQ(property.present, binary.hardened)
            << binary.path << ": " << property.name
            << (property.present ? " present in a control built without it" : " missing")
            << property.detail;
}

INSTANTIATE_TEST_SUITE_P(Binaries, Hardening, ::testing::ValuesIn(binaries()),
                         [](const auto &row) { return row.param.label; });

} // namespace
