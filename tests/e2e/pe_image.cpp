// Reading of 32-bit Windows executables for the image tests: every offset taken from the file is
// checked against the file's size before it is followed, so a broken image fails with a reason.
#include "pe_image.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace pe {
namespace {

class reader {
public:
    reader(const bytes& data, std::size_t begin, std::size_t end)
        : data_(data), pos_(begin), end_(end) {
        if (end > data.size() || begin > end)
            throw format_error("range beyond the end of the data");
    }
    std::uint8_t u8() {
        need(1);
        return data_[pos_++];
    }
    std::uint16_t u16() {
        need(2);
        std::uint16_t v = data_[pos_] | data_[pos_ + 1] << 8;
        pos_ += 2;
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t lo = u16();
        return lo | std::uint32_t(u16()) << 16;
    }
    std::int16_t s16() { return static_cast<std::int16_t>(u16()); }
    std::u16string sz() {
        std::u16string text;
        for (std::uint16_t c = u16(); c != 0; c = u16()) text += static_cast<char16_t>(c);
        return text;
    }
    sz_or_ord field() {
        sz_or_ord f;
        std::uint16_t first = u16();
        if (first == 0xFFFF) {
            f.is_ordinal = true;
            f.ordinal = u16();
        } else if (first != 0) {
            f.text += static_cast<char16_t>(first);
            f.text += sz();
        }
        return f;
    }
    void align4(std::size_t base) {
        pos_ = std::min(end_, base + ((pos_ - base + 3) & ~std::size_t(3)));
    }
    void skip(std::size_t n) {
        need(n);
        pos_ += n;
    }
    std::size_t pos() const { return pos_; }
    std::size_t end() const { return end_; }

private:
    void need(std::size_t n) const {
        if (end_ - pos_ < n) throw format_error("read past the end of a structure");
    }
    const bytes& data_;
    std::size_t pos_, end_;
};

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

pe_image::pe_image(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw format_error("cannot open " + path);
    file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());

    reader dos(file, 0, file.size());
    if (dos.u16() != 0x5A4D) throw format_error("no MZ header");
    dos.skip(0x3C - 2);
    std::uint32_t pe_offset = dos.u32();
    reader head(file, std::min<std::size_t>(pe_offset, file.size()), file.size());
    if (head.u32() != 0x00004550) throw format_error("no PE signature");
    machine = head.u16();
    std::uint16_t section_count = head.u16();
    head.skip(12);
    std::uint16_t optional_size = head.u16();
    head.skip(2);
    std::size_t optional_start = head.pos();
    optional_magic = head.u16();
    if (optional_magic != 0x010B) return;  // the header fields below are those of PE32
    head.skip(38);
    os_major = head.u16();
    os_minor = head.u16();
    head.skip(4);
    subsystem_major = head.u16();
    subsystem_minor = head.u16();
    head.skip(16);
    subsystem = head.u16();
    head.skip(22);
    std::uint32_t directory_count = head.u32();
    std::uint32_t directories[16] = {};
    for (std::uint32_t i = 0; i < directory_count && i < 16; ++i) {
        directories[i] = head.u32();
        head.u32();
    }

    reader table(file, std::min(file.size(), optional_start + optional_size), file.size());
    for (unsigned i = 0; i < section_count; ++i) {
        table.skip(8);
        section s;
        s.virtual_size = table.u32();
        s.rva = table.u32();
        s.raw_size = table.u32();
        s.raw_offset = table.u32();
        table.skip(16);
        sections_.push_back(s);
    }
    if (directories[1]) read_imports(directories[1]);
    if (directories[2]) read_resources(directories[2]);
}

std::size_t pe_image::offset_of_rva(std::uint32_t rva, std::size_t size) const {
    for (const section& s : sections_) {
        std::uint32_t span = std::max(s.virtual_size, s.raw_size);
        if (rva >= s.rva && rva - s.rva < span) {
            std::size_t offset = std::size_t(s.raw_offset) + (rva - s.rva);
            if (rva - s.rva + size > s.raw_size || offset + size > file.size())
                throw format_error("data at RVA " + std::to_string(rva) +
                                   " lies outside its section's bytes");
            return offset;
        }
    }
    throw format_error("RVA " + std::to_string(rva) + " lies in no section");
}

void pe_image::read_imports(std::uint32_t rva) {
    for (std::uint32_t entry = rva;; entry += 20) {
        reader descriptor(file, offset_of_rva(entry, 20), file.size());
        descriptor.skip(12);
        std::uint32_t name_rva = descriptor.u32();
        if (name_rva == 0) break;
        std::string name;
        for (std::size_t at = offset_of_rva(name_rva, 1); at < file.size() && file[at]; ++at)
            name += char(file[at]);
        imported_dlls.push_back(lower(name));
    }
}

void pe_image::read_resources(std::uint32_t root) {
    auto read_id = [&](std::uint32_t raw) {
        resource_id id;
        if (raw & 0x80000000u) {
            id.is_name = true;
            reader name(file, offset_of_rva(root + (raw & 0x7FFFFFFF), 2), file.size());
            for (std::uint16_t n = name.u16(); n > 0; --n)
                id.name += static_cast<char16_t>(name.u16());
        } else {
            id.number = static_cast<std::uint16_t>(raw);
        }
        return id;
    };
    // Entries of the directory at `offset`: (name or id, offset of the subdirectory or data entry).
    auto entries = [&](std::uint32_t offset, bool want_directories) {
        reader dir(file, offset_of_rva(root + offset, 16), file.size());
        dir.skip(12);
        unsigned count = dir.u16() + dir.u16();
        std::vector<std::pair<resource_id, std::uint32_t>> list;
        for (unsigned i = 0; i < count; ++i) {
            std::uint32_t name = dir.u32(), target = dir.u32();
            if (bool(target & 0x80000000u) != want_directories)
                throw format_error(
                    "resource tree with a data entry or subdirectory at the wrong level");
            list.emplace_back(read_id(name), target & 0x7FFFFFFF);
        }
        return list;
    };
    for (const auto& [type, names] : entries(0, true)) {
        for (const auto& [name, languages] : entries(names, true)) {
            for (const auto& [language, data_entry] : entries(languages, false)) {
                reader entry(file, offset_of_rva(root + data_entry, 16), file.size());
                std::uint32_t data_rva = entry.u32(), size = entry.u32();
                std::size_t at = offset_of_rva(data_rva, size);
                resources.push_back({type, name, language.number,
                                     bytes(file.begin() + at, file.begin() + at + size)});
            }
        }
    }
}

const resource* pe_image::find(std::uint16_t type, std::uint16_t name) const {
    for (const resource& r : resources)
        if (!r.type.is_name && r.type.number == type && !r.name.is_name && r.name.number == name)
            return &r;
    return nullptr;
}

dialog_template parse_dialog(const bytes& data) {
    constexpr std::uint32_t ds_setfont = 0x40, ds_shellfont = 0x48;
    reader in(data, 0, data.size());
    dialog_template d;
    std::uint16_t version = in.u16(), signature = in.u16();
    d.extended = version == 1 && signature == 0xFFFF;
    if (d.extended) {
        d.help_id = in.u32();
        d.ex_style = in.u32();
        d.style = in.u32();
    } else {
        d.style = version | std::uint32_t(signature) << 16;
        d.ex_style = in.u32();
    }
    std::uint16_t count = in.u16();
    d.x = in.s16(), d.y = in.s16(), d.cx = in.s16(), d.cy = in.s16();
    d.menu = in.field();
    d.window_class = in.field();
    d.title = in.sz();
    if ((d.style & ds_setfont) || (d.extended && (d.style & ds_shellfont) == ds_shellfont)) {
        d.point_size = in.u16();
        if (d.extended) {
            d.weight = in.u16();
            d.italic = in.u8();
            d.charset = in.u8();
        }
        d.face = in.sz();
    }
    for (unsigned i = 0; i < count; ++i) {
        in.align4(0);
        dialog_item item;
        if (d.extended) {
            item.help_id = in.u32();
            item.ex_style = in.u32();
            item.style = in.u32();
        } else {
            item.style = in.u32();
            item.ex_style = in.u32();
        }
        item.x = in.s16(), item.y = in.s16(), item.cx = in.s16(), item.cy = in.s16();
        item.id = d.extended ? in.u32() : in.u16();
        item.window_class = in.field();
        item.title = in.field();
        in.skip(in.u16());
        d.items.push_back(item);
    }
    return d;
}

namespace {

// One node of VS_VERSIONINFO: its key, where its value lies and where its children lie.
struct version_node {
    std::u16string key;
    std::uint16_t value_length = 0, type = 0;
    std::size_t value_at = 0, end = 0, children_at = 0;
};

version_node read_node(const bytes& data, std::size_t at, std::size_t limit) {
    reader in(data, at, limit);
    version_node node;
    std::uint16_t length = in.u16();
    if (length < 6 || at + length > limit) throw format_error("version node with a bad length");
    node.end = at + length;
    node.value_length = in.u16();
    node.type = in.u16();
    node.key = in.sz();
    in.align4(0);
    node.value_at = in.pos();
    // Text values count characters, binary values bytes.
    std::size_t value_bytes = node.type == 1 ? node.value_length * 2u : node.value_length;
    node.children_at = std::min(node.end, (node.value_at + value_bytes + 3) & ~std::size_t(3));
    return node;
}

template <typename Visit>
void each_child(const bytes& data, const version_node& parent, Visit visit) {
    for (std::size_t at = parent.children_at; at + 6 <= parent.end;) {
        version_node child = read_node(data, at, parent.end);
        visit(child);
        at = (child.end + 3) & ~std::size_t(3);
    }
}

}  // namespace

version_info parse_version(const bytes& data) {
    version_info v;
    version_node root = read_node(data, 0, data.size());
    if (root.key != u"VS_VERSION_INFO")
        throw format_error("version resource without VS_VERSION_INFO");
    if (root.value_length >= 52) {
        reader fixed(data, root.value_at, root.end);
        v.signature = fixed.u32();
        fixed.u32();
        v.file_version_ms = fixed.u32();
        v.file_version_ls = fixed.u32();
        v.product_version_ms = fixed.u32();
        v.product_version_ls = fixed.u32();
        v.flags_mask = fixed.u32();
        v.flags = fixed.u32();
        v.os = fixed.u32();
        v.type = fixed.u32();
    }
    each_child(data, root, [&](const version_node& info) {
        if (info.key == u"StringFileInfo") {
            each_child(data, info, [&](const version_node& table) {
                v.tables.push_back({table.key, {}});
                each_child(data, table, [&](const version_node& entry) {
                    std::u16string value;
                    if (entry.value_length > 0)
                        value = reader(data, entry.value_at, entry.end).sz();
                    v.tables.back().second.emplace_back(entry.key, value);
                });
            });
        } else if (info.key == u"VarFileInfo") {
            each_child(data, info, [&](const version_node& var) {
                if (var.key != u"Translation") return;
                reader pairs(data, var.value_at,
                             std::min(var.end, var.value_at + var.value_length));
                while (pairs.end() - pairs.pos() >= 4) {
                    std::uint16_t language = pairs.u16();
                    v.translations.emplace_back(language, pairs.u16());
                }
            });
        }
    });
    return v;
}

std::u16string string_from_table(const bytes& block, unsigned index) {
    reader in(block, 0, block.size());
    for (unsigned i = 0; i < index; ++i) in.skip(in.u16() * 2u);
    std::u16string text;
    for (std::uint16_t n = in.u16(); n > 0; --n) text += static_cast<char16_t>(in.u16());
    return text;
}

std::string to_utf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6), out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3F)),
                out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F)), out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace pe
