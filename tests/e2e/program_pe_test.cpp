// Looks at the built program.exe from outside: a 32-bit GUI program for Windows 4.0 that imports
// only what Windows 95 ships, carries icon 103 (one 32x32 16-colour image, Japanese) and stays no
// larger than the helper it replaces. Usage: program_pe_test PROGRAM.EXE
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

#include "pe_image.h"

namespace {

int g_passed = 0;
int g_failed = 0;

void ok_(int line, bool condition, const std::string& message) {
    if (condition) {
        ++g_passed;
    } else {
        ++g_failed;
        std::fprintf(stderr, "program_pe_test.cpp:%d: Test failed: %s\n", line, message.c_str());
    }
}
#define ok(cond, message) ok_(__LINE__, (cond), (message))

enum : std::uint32_t {
    kOriginalSize = 27136,  // bytes of the helper program.exe stands in for
    kIconId = 103,
    kJapanese = 0x411
};

std::uint16_t u16(const pe::bytes& data, std::size_t at) {
    return static_cast<std::uint16_t>(data.at(at) | data.at(at + 1) << 8);
}

void test_header(const pe::pe_image& image) {
    ok(image.machine == 0x014C, "machine: expected i386 (0x14C), got " + std::to_string(image.machine));
    ok(image.subsystem == 2, "subsystem: expected 2 (GUI), got " + std::to_string(image.subsystem));
    ok(image.subsystem_major == 4 && image.subsystem_minor == 0,
       "subsystem version: expected 4.0, got " + std::to_string(image.subsystem_major) + "." +
           std::to_string(image.subsystem_minor));
}

void test_imports(const pe::pe_image& image) {
    static const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "msvcrt.dll",
                                                  "advapi32.dll"};
    std::set<std::string> found(image.imported_dlls.begin(), image.imported_dlls.end());
    ok(found.count("user32.dll") && found.count("kernel32.dll"),
       "expected imports from user32 (window, DDE, boxes) and kernel32");
    for (const std::string& dll : image.imported_dlls)
        ok(allowed.count(dll) != 0,
           "import from \"" + dll + "\": expected only kernel32, user32, msvcrt, advapi32");
}

// A GRPICONDIR: reserved, type 1, count, then 14-byte entries (width, height, colours, reserved,
// planes, bit count, size, id).
void test_icon(const pe::pe_image& image) {
    const pe::resource* group = image.find(pe::rt_group_icon, kIconId);
    ok(group != nullptr, "expected icon group 103");
    if (!group) return;
    ok(group->language == kJapanese,
       "icon group language: expected 0x411, got " + std::to_string(group->language));
    const pe::bytes& data = group->data;
    ok(data.size() >= 6 + 14 && u16(data, 2) == 1 && u16(data, 4) == 1,
       "expected an icon group of exactly one image");
    if (data.size() < 6 + 14) return;
    ok(data[6] == 32 && data[7] == 32, "icon size: expected 32x32, got " + std::to_string(data[6]) + "x" +
                                           std::to_string(data[7]));
    ok(data[8] == 16 || u16(data, 12) == 4, "icon colours: expected 16 (4 bits), got " +
                                                std::to_string(data[8]) + " colours, " +
                                                std::to_string(u16(data, 12)) + " bits");
    ok(image.find(pe::rt_icon, u16(data, 18)) != nullptr, "expected the icon image the group names");
    for (const pe::resource& r : image.resources)
        ok(r.type.is_name || r.type.number == pe::rt_icon || r.type.number == pe::rt_group_icon,
           "expected no resource but the icon, found type " + std::to_string(r.type.number));
}

void test_size(const pe::pe_image& image) {
    std::printf("# program.exe: %zu bytes (the original: %u)\n", image.file.size(), unsigned(kOriginalSize));
    ok(image.file.size() <= kOriginalSize, "size: expected at most " + std::to_string(kOriginalSize) +
                                               " bytes, got " + std::to_string(image.file.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: program_pe_test PROGRAM.EXE\n");
        return 2;
    }
    try {
        pe::pe_image image(argv[1]);
        test_header(image);
        test_imports(image);
        test_icon(image);
        test_size(image);
    } catch (const pe::format_error& e) {
        ++g_failed;
        std::fprintf(stderr, "program_pe_test: %s: %s\n", argv[1], e.what());
    }
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
