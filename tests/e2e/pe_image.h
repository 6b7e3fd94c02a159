// Reads a 32-bit Windows executable from outside, on the build machine: header fields, imported
// DLLs and the resource tree, with dialog templates, string tables and version information decoded.
//
// In this file:
//   pe_image            the file, its header fields, imports and resources
//   dialog_template     a DIALOG or DIALOGEX resource, controls included
//   version_info        VS_VERSIONINFO: the fixed part, the string tables, the translations
//   string_from_table   one string of an RT_STRING block
//   to_utf8             UTF-16 resource text for messages
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pe {

// Raised for a file that is not what its headers claim (truncated, offsets out of range).
struct format_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using bytes = std::vector<std::uint8_t>;

// A resource name or type: a number, or a UTF-16 string when is_name is set.
struct resource_id {
    bool is_name = false;
    std::uint16_t number = 0;
    std::u16string name;
};

struct resource {
    resource_id type;
    resource_id name;
    std::uint16_t language = 0;
    bytes data;
};

enum : std::uint16_t {
    rt_icon = 3,
    rt_dialog = 5,
    rt_string = 6,
    rt_group_icon = 14,
    rt_version = 16
};

class pe_image {
public:
    explicit pe_image(const std::string& path);

    std::uint16_t machine = 0;         // 0x014C for i386
    std::uint16_t optional_magic = 0;  // 0x010B for PE32
    std::uint16_t os_major = 0, os_minor = 0;
    std::uint16_t subsystem_major = 0, subsystem_minor = 0;
    std::uint16_t subsystem = 0;  // 2: GUI
    std::vector<std::string> imported_dlls;
    std::vector<resource> resources;
    bytes file;

    // The resource of that type and numeric name, whatever its language; nullptr when absent.
    const resource* find(std::uint16_t type, std::uint16_t name) const;

private:
    std::size_t offset_of_rva(std::uint32_t rva, std::size_t size) const;
    void read_imports(std::uint32_t rva);
    void read_resources(std::uint32_t rva);

    struct section {
        std::uint32_t rva, virtual_size, raw_offset, raw_size;
    };
    std::vector<section> sections_;
};

// A field of a dialog template that is either a number (0xFFFF, n) or a string.
struct sz_or_ord {
    bool is_ordinal = false;
    std::uint16_t ordinal = 0;
    std::u16string text;
};

struct dialog_item {
    std::uint32_t help_id = 0, ex_style = 0, style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;  // 16 bits in a DIALOG, 32 in a DIALOGEX
    sz_or_ord window_class;
    sz_or_ord title;
};

struct dialog_template {
    bool extended = false;
    std::uint32_t help_id = 0, ex_style = 0, style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    sz_or_ord menu, window_class;
    std::u16string title;
    std::uint16_t point_size = 0, weight = 0;
    std::uint8_t italic = 0, charset = 0;
    std::u16string face;
    std::vector<dialog_item> items;
};

dialog_template parse_dialog(const bytes& data);

struct version_info {
    std::uint32_t signature = 0;
    std::uint32_t file_version_ms = 0, file_version_ls = 0;
    std::uint32_t product_version_ms = 0, product_version_ls = 0;
    std::uint32_t flags_mask = 0, flags = 0, os = 0, type = 0;
    // StringFileInfo: one (block key, [(name, value)]) per string table.
    std::vector<std::pair<std::u16string, std::vector<std::pair<std::u16string, std::u16string>>>>
        tables;
    // VarFileInfo\Translation: (language, code page) pairs.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
};

version_info parse_version(const bytes& data);

// String `index` (0..15) of a string-table block; the block of string id n is n / 16 + 1.
std::u16string string_from_table(const bytes& block, unsigned index);

std::string to_utf8(const std::u16string& text);

}  // namespace pe
