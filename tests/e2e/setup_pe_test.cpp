// Looks at the built setup.exe from outside: PE header, imported DLLs and every resource, field by
// field, as Windows 95 reads them. Resource compilers can drop template fields without a word, so
// the finished image is the only place to catch that. Usage: setup_pe_test SETUP.EXE
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pe_image.h"

namespace {

int g_passed = 0;
int g_failed = 0;

std::string show(std::uint32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%X (%u)", static_cast<unsigned>(value),
                  static_cast<unsigned>(value));
    return text;
}
std::string show(const std::u16string& value) { return "\"" + pe::to_utf8(value) + "\""; }
std::string show(const std::string& value) { return "\"" + value + "\""; }
std::string show(const pe::sz_or_ord& value) {
    return value.is_ordinal ? "ordinal " + show(value.ordinal) : show(value.text);
}

void ok_(int line, bool condition, const std::string& message) {
    if (condition) {
        ++g_passed;
    } else {
        ++g_failed;
        std::fprintf(stderr, "setup_pe_test.cpp:%d: Test failed: %s\n", line, message.c_str());
    }
}

template <typename T>
void ok_eq_(int line, const T& expected, const T& got, const std::string& what) {
    ok_(line, expected == got, what + ": expected " + show(expected) + ", got " + show(got));
}

// Style bits: those that must be set, those that must not, and an enumerated field (button kind,
// static kind) compared whole under its mask.
void ok_style_(int line, std::uint32_t style, std::uint32_t required, std::uint32_t forbidden,
               std::uint32_t kind_mask, std::uint32_t kind, const std::string& what) {
    ok_(line, (style & required) == required,
        what + ": expected the style bits " + show(required) + " set, got style " + show(style));
    ok_(line, (style & forbidden) == 0,
        what + ": expected the style bits " + show(forbidden) + " clear, got style " + show(style));
    ok_(line, (style & kind_mask) == kind,
        what + ": expected " + show(kind) + " under the mask " + show(kind_mask) + ", got style " +
            show(style));
}

#define ok(cond, message) ok_(__LINE__, (cond), (message))
#define ok_eq(expected, got, what) ok_eq_(__LINE__, (expected), (got), (what))
#define ok_style(style, required, forbidden, mask, kind, what) \
    ok_style_(__LINE__, (style), (required), (forbidden), (mask), (kind), (what))

// Window, dialog and control styles (winuser.h), spelled out as this test runs on the build
// machine.
enum : std::uint32_t {
    ws_popup = 0x80000000,
    ws_child = 0x40000000,
    ws_visible = 0x10000000,
    ws_disabled = 0x08000000,
    ws_caption = 0x00C00000,
    ws_border = 0x00800000,
    ws_sysmenu = 0x00080000,
    ws_group = 0x00020000,
    ws_tabstop = 0x00010000,
    ws_ex_appwindow = 0x00040000,
    ds_setfont = 0x40,
    ds_modalframe = 0x80,
    bs_typemask = 0x0F,
    bs_pushbutton = 0,
    bs_defpushbutton = 1,
    ss_typemask = 0x1F,
    ss_left = 0,
    ss_icon = 3,
    ss_noprefix = 0x80,
    es_password = 0x20,
    es_multiline = 0x04,
    es_autohscroll = 0x80,
    es_readonly = 0x800,
};
enum : std::uint16_t { class_button = 0x80, class_edit = 0x81, class_static = 0x82 };
constexpr std::uint16_t kJapanese = 0x0411;
constexpr std::int32_t kNoId = -1;

struct control_row {
    const char* label;
    std::int32_t id;
    std::uint16_t class_ordinal;  // 0: class given by name
    const char16_t* class_name;
    std::optional<std::u16string> text;  // nullopt: any text but an empty one
    std::uint16_t title_ordinal;         // a resource number in place of a text (icon statics)
    std::int16_t x, y, cx, cy;
    std::uint32_t required, forbidden, kind_mask, kind;
};

std::u16string ascii_lower(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return text;
}

// The dialog manager takes a predefined class by number or by name, in any case: both mean the
// same.
std::u16string class_name(std::uint16_t ordinal) {
    static const char16_t* const names[] = {u"button",  u"edit",      u"static",
                                            u"listbox", u"scrollbar", u"combobox"};
    if (ordinal >= 0x80 && ordinal <= 0x85) return names[ordinal - 0x80];
    std::u16string text = u"#";
    for (char digit : std::to_string(ordinal)) text += static_cast<char16_t>(digit);
    return text;
}
std::u16string class_name(const pe::sz_or_ord& field) {
    return field.is_ordinal ? class_name(field.ordinal) : ascii_lower(field.text);
}

// Dialog item ids are 16 bits wide where they count (WM_COMMAND, GetDlgItem); -1 marks a static.
std::int32_t item_id(const pe::dialog_item& item) {
    return static_cast<std::int16_t>(item.id & 0xFFFF);
}

void check_controls(const pe::dialog_template& dialog, const std::vector<control_row>& rows,
                    const std::string& dialog_name) {
    ok_eq(static_cast<std::uint32_t>(rows.size()), static_cast<std::uint32_t>(dialog.items.size()),
          dialog_name + " control count");
    for (std::size_t i = 0; i < rows.size() && i < dialog.items.size(); ++i) {
        const control_row& row = rows[i];
        const pe::dialog_item& item = dialog.items[i];
        const std::string what =
            dialog_name + " control " + std::to_string(i + 1) + " (" + row.label + ")";
        ok_eq(static_cast<std::uint32_t>(row.id), static_cast<std::uint32_t>(item_id(item)),
              what + " id");
        const std::u16string expected_class =
            row.class_name ? ascii_lower(row.class_name) : class_name(row.class_ordinal);
        ok(class_name(item.window_class) == expected_class,
           what + " class: expected " + show(expected_class) + ", got " + show(item.window_class));
        if (row.title_ordinal) {
            ok(item.title.is_ordinal && item.title.ordinal == row.title_ordinal,
               what + " text: expected resource " + show(row.title_ordinal) + ", got " +
                   show(item.title));
        } else if (row.text) {
            ok(!item.title.is_ordinal && item.title.text == *row.text,
               what + " text: expected " + show(*row.text) + ", got " + show(item.title));
        } else {
            ok(!item.title.is_ordinal && !item.title.text.empty(),
               what + " text: expected some text, got " + show(item.title));
        }
        ok(item.x == row.x && item.y == row.y && item.cx == row.cx && item.cy == row.cy,
           what + " rectangle: expected " + std::to_string(row.x) + "," + std::to_string(row.y) +
               " " + std::to_string(row.cx) + "x" + std::to_string(row.cy) + ", got " +
               std::to_string(item.x) + "," + std::to_string(item.y) + " " +
               std::to_string(item.cx) + "x" + std::to_string(item.cy));
        ok_style(item.style, ws_child | ws_visible | row.required, ws_disabled | row.forbidden,
                 row.kind_mask, row.kind, what + " style");
        ok_eq(0u, item.ex_style, what + " extended style");
    }
}

struct expected_dialog {
    const char* name;
    std::uint16_t id;
    bool extended;
    std::u16string caption;
    std::int16_t cx, cy;
    std::uint32_t style, ex_style;
};

#define find_resource(image, type, id, what) find_resource_(__LINE__, (image), (type), (id), (what))
const pe::resource* find_resource_(int line, const pe::pe_image& image, std::uint16_t type,
                                   std::uint16_t id, const std::string& what) {
    const pe::resource* found = image.find(type, id);
    ok_(line, found != nullptr,
        "expected " + what + " (resource type " + std::to_string(type) + ", id " +
            std::to_string(id) + "), found none");
    return found;
}

void check_dialog_frame(const pe::dialog_template& dialog, const expected_dialog& want) {
    const std::string what = want.name;
    ok(dialog.extended == want.extended,
       what + ": expected " + (want.extended ? "an extended" : "a plain") +
           " dialog template, got " + (dialog.extended ? "an extended" : "a plain") + " one");
    ok_eq(want.caption, dialog.title, what + " caption");
    ok(dialog.x == 0 && dialog.y == 0 && dialog.cx == want.cx && dialog.cy == want.cy,
       what + " rectangle: expected 0,0 " + std::to_string(want.cx) + "x" +
           std::to_string(want.cy) + ", got " + std::to_string(dialog.x) + "," +
           std::to_string(dialog.y) + " " + std::to_string(dialog.cx) + "x" +
           std::to_string(dialog.cy));
    // Exact: a stray DS_CENTER, minimise box or 3-D style would change how the box comes up.
    ok_eq(want.style, dialog.style, what + " style");
    ok_eq(want.ex_style, dialog.ex_style, what + " extended style");
    ok(!dialog.menu.is_ordinal && dialog.menu.text.empty(),
       what + ": expected no menu, got " + show(dialog.menu));
    ok(!dialog.window_class.is_ordinal && dialog.window_class.text.empty(),
       what + ": expected the system dialog class, got " + show(dialog.window_class));
    ok_eq(std::u16string(u"ＭＳ Ｐゴシック"), dialog.face, what + " font");
    ok_eq(9u, static_cast<std::uint32_t>(dialog.point_size), what + " font size");
    if (dialog.extended) {
        ok_eq(0u, static_cast<std::uint32_t>(dialog.weight), what + " font weight");
        ok_eq(0u, static_cast<std::uint32_t>(dialog.italic), what + " font italic");
        ok_eq(1u, static_cast<std::uint32_t>(dialog.charset),
              what + " font character set (DEFAULT_CHARSET)");
    }
}

void test_header(const pe::pe_image& image) {
    ok_eq(0x014Cu, static_cast<std::uint32_t>(image.machine), "machine (i386)");
    ok_eq(0x010Bu, static_cast<std::uint32_t>(image.optional_magic),
          "optional header magic (PE32)");
    ok_eq(2u, static_cast<std::uint32_t>(image.subsystem), "subsystem (Windows GUI)");
    ok(image.subsystem_major == 4 && image.subsystem_minor == 0,
       "subsystem version: expected 4.0, got " + std::to_string(image.subsystem_major) + "." +
           std::to_string(image.subsystem_minor));
    ok(image.os_major == 4 && image.os_minor == 0, "OS version: expected 4.0, got " +
                                                       std::to_string(image.os_major) + "." +
                                                       std::to_string(image.os_minor));
}

// Windows 95 ships these; anything else would stop the loader before the dialog ever comes up.
void test_imports(const pe::pe_image& image) {
    static const std::set<std::string> allowed = {"kernel32.dll", "user32.dll",   "gdi32.dll",
                                                  "advapi32.dll", "comctl32.dll", "shell32.dll",
                                                  "ole32.dll",    "msvcrt.dll"};
    ok(!image.imported_dlls.empty(), "expected an import table, found none");
    for (const std::string& dll : image.imported_dlls)
        ok(allowed.count(dll) != 0, "import from " + show(dll) +
                                        ": expected only kernel32, user32, gdi32, "
                                        "advapi32, comctl32, shell32, ole32 and msvcrt");
}

void test_languages(const pe::pe_image& image) {
    ok(!image.resources.empty(), "expected resources, found none");
    for (const pe::resource& r : image.resources) {
        std::string name =
            r.name.is_name ? pe::to_utf8(r.name.name) : std::to_string(r.name.number);
        std::string type =
            r.type.is_name ? pe::to_utf8(r.type.name) : std::to_string(r.type.number);
        ok_eq(static_cast<std::uint32_t>(kJapanese), static_cast<std::uint32_t>(r.language),
              "language of resource type " + type + " id " + name);
    }
}

void test_destination_dialog(const pe::pe_image& image) {
    const pe::resource* r = find_resource(image, pe::rt_dialog, 102, "the destination dialog");
    if (!r) return;
    pe::dialog_template dialog = pe::parse_dialog(r->data);
    check_dialog_frame(
        dialog, {"dialog 102", 102, true, u"インストール先の入力", 191, 71,
                 ws_popup | ws_visible | ws_caption | ws_sysmenu | ds_modalframe | ds_setfont,
                 ws_ex_appwindow});
    check_controls(dialog,
                   {
                       {"install button", 1, class_button, nullptr, u"インストール", 0, 128, 7, 50,
                        14, ws_tabstop, 0, bs_typemask, bs_defpushbutton},
                       {"cancel button", 2, class_button, nullptr, u"中止", 0, 128, 23, 50, 14,
                        ws_tabstop, 0, bs_typemask, bs_pushbutton},
                       {"label", kNoId, class_static, nullptr, u"インストール先のディレクトリ", 0,
                        7, 7, 117, 12, ws_group, 0, ss_typemask, ss_left},
                       {"destination edit", 1001, class_edit, nullptr, u"", 0, 7, 24, 108, 14,
                        ws_border | ws_tabstop | es_autohscroll,
                        es_multiline | es_readonly | es_password, 0, 0},
                       {"progress bar", 1002, 0, u"msctls_progress32", u"Progress1", 0, 9, 48, 170,
                        12, ws_border, ws_tabstop, 0, 0},
                   },
                   "dialog 102");
}

void test_version_dialog(const pe::pe_image& image) {
    const pe::resource* r = find_resource(image, pe::rt_dialog, 100, "the version box");
    if (!r) return;
    pe::dialog_template dialog = pe::parse_dialog(r->data);
    check_dialog_frame(dialog,
                       {"dialog 100", 100, false, u"ﾊﾞｰｼﾞｮﾝ情報 SETUP", 217, 55,
                        ws_popup | ws_caption | ws_sysmenu | ds_modalframe | ds_setfont, 0});
    check_controls(dialog,
                   {
                       {"icon", kNoId, class_static, nullptr, std::nullopt, 128, 11, 17, 18, 20, 0,
                        0, ss_typemask, ss_icon},
                       {"name and version", kNoId, class_static, nullptr, u"SETUP Version 1.0", 0,
                        40, 10, 119, 8, ws_group | ss_noprefix, 0, 0, 0},
                       {"second line", kNoId, class_static, nullptr, std::nullopt, 0, 40, 26, 150,
                        8, ws_group, 0, 0, 0},
                       {"OK button", 1, class_button, nullptr, u"OK", 0, 178, 7, 32, 14,
                        ws_group | ws_tabstop, 0, bs_typemask, bs_defpushbutton},
                   },
                   "dialog 100");
    // The icon static must name an icon that is there, or the box shows an empty frame.
    if (dialog.items.size() > 0 && dialog.items[0].title.is_ordinal)
        ok(image.find(pe::rt_group_icon, dialog.items[0].title.ordinal) != nullptr,
           "dialog 100 icon: expected icon group " + show(dialog.items[0].title.ordinal) +
               " in the image");
}

struct little_endian {
    const pe::bytes& data;
    std::uint32_t u8(std::size_t at) const { return at < data.size() ? data[at] : 0; }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
};

void test_icon(const pe::pe_image& image) {
    const pe::resource* group =
        find_resource(image, pe::rt_group_icon, 128, "the application icon");
    if (!group) return;
    little_endian g{group->data};
    std::uint32_t count = g.u16(4);
    ok(group->data.size() >= 6 + 14 * count && g.u16(0) == 0 && g.u16(2) == 1,
       "icon group 128: expected a GRPICONDIR header and " + std::to_string(count) +
           " entries in " + std::to_string(group->data.size()) + " bytes");
    ok_eq(2u, count, "icon group 128 image count");
    std::set<std::uint32_t> sizes;
    for (std::uint32_t i = 0; i < count && group->data.size() >= 6 + 14 * (i + 1); ++i) {
        std::size_t at = 6 + 14 * i;
        std::uint32_t width = g.u8(at), height = g.u8(at + 1), bit_count = g.u16(at + 6),
                      id = g.u16(at + 12);
        const std::string what =
            "icon group 128 image " + std::to_string(i + 1) + " (icon " + std::to_string(id) + ")";
        sizes.insert(width);
        ok(width == height, what + ": expected a square image, got " + std::to_string(width) + "x" +
                                std::to_string(height));
        ok(g.u8(at + 2) == 16 || bit_count == 4,
           what + ": expected 16 colours in the directory, got colour count " +
               std::to_string(g.u8(at + 2)) + " and bit count " + std::to_string(bit_count));
        const pe::resource* icon =
            find_resource(image, pe::rt_icon, static_cast<std::uint16_t>(id), what);
        if (!icon) continue;
        // The image itself: a BITMAPINFOHEADER of twice the height (colour and mask) at 4 bits a
        // pixel.
        little_endian b{icon->data};
        ok(b.u32(0) == 40 && b.u32(4) == width && b.u32(8) == 2 * height && b.u16(14) == 4,
           what + ": expected a 40-byte bitmap header for " + std::to_string(width) + "x" +
               std::to_string(height) + " at 4 bits, got size " + std::to_string(b.u32(0)) + ", " +
               std::to_string(b.u32(4)) + "x" + std::to_string(b.u32(8)) + "/2 at " +
               std::to_string(b.u16(14)) + " bits");
    }
    ok(sizes == std::set<std::uint32_t>({16, 32}),
       "icon group 128: expected one 32x32 and one 16x16 image");
}

void test_version_menu_string(const pe::pe_image& image) {
    const pe::resource* block =
        find_resource(image, pe::rt_string, 101 / 16 + 1, "the string block of string 101");
    if (!block) return;
    ok_eq(std::u16string(u"ﾊﾞｰｼﾞｮﾝ情報(SETUP) (&A)..."),
          pe::string_from_table(block->data, 101 % 16), "string 101");
}

void test_version_info(const pe::pe_image& image) {
    const pe::resource* r = find_resource(image, pe::rt_version, 1, "the version information");
    if (!r) return;
    pe::version_info v = pe::parse_version(r->data);
    ok_eq(0xFEEF04BDu, v.signature, "VS_FIXEDFILEINFO signature");
    ok(v.file_version_ms == 0x00010000 && v.file_version_ls == 0x00000001,
       "file version: expected 1.0.0.1, got " + show(v.file_version_ms) + " " +
           show(v.file_version_ls));
    ok(v.product_version_ms == 0x00010000 && v.product_version_ls == 0x00000001,
       "product version: expected 1.0.0.1, got " + show(v.product_version_ms) + " " +
           show(v.product_version_ls));
    ok_eq(0x3Fu, v.flags_mask, "file flags mask");
    ok_eq(0u, v.flags, "file flags");
    ok_eq(0x4u, v.os, "file OS (VOS__WINDOWS32)");
    ok_eq(0x1u, v.type, "file type (VFT_APP)");

    ok_eq(1u, static_cast<std::uint32_t>(v.tables.size()), "string table count");
    if (!v.tables.empty()) {
        const auto& [block, values] = v.tables.front();
        ok_eq(std::u16string(u"041104b0"), block, "string table block");
        auto value_of = [&](const std::u16string& key) -> std::optional<std::u16string> {
            for (const auto& [name, value] : values)
                if (name == key) return value;
            return std::nullopt;
        };
        static const std::pair<const char16_t*, const char16_t*> rows[] = {
            {u"FileDescription", u"SETUP MFC ｱﾌﾟﾘｹｰｼｮﾝ"},
            {u"FileVersion", u"1, 0, 0, 1"},
            {u"InternalName", u"SETUP"},
            {u"OriginalFilename", u"SETUP.EXE"},
            {u"ProductName", u"SETUP ｱﾌﾟﾘｹｰｼｮﾝ"},
            {u"ProductVersion", u"1, 0, 0, 1"},
        };
        for (const auto& [key, expected] : rows) {
            std::optional<std::u16string> got = value_of(key);
            ok(got && *got == expected, "version string " + show(std::u16string(key)) +
                                            ": expected " + show(std::u16string(expected)) +
                                            ", got " + (got ? show(*got) : "none"));
        }
        for (const char16_t* key : {u"CompanyName", u"LegalCopyright", u"LegalTrademarks"})
            ok(value_of(key).has_value(),
               "version string " + show(std::u16string(key)) + ": expected it present, got none");
    }
    using translation = std::pair<std::uint16_t, std::uint16_t>;
    std::string got;
    for (const translation& t : v.translations) got += " " + show(t.first) + "/" + show(t.second);
    ok((v.translations == std::vector<translation>{{kJapanese, 1200}}),
       "Translation: expected only 0x411/1200 (04b0), got" +
           (got.empty() ? std::string(" none") : got));
}

// The installer's own image must not hold the archive marker, or setup.exe would find it in itself
// when it is the carrier and take its own code for the archive.
void test_no_marker(const pe::pe_image& image) {
    pe::bytes marker;
    for (int b = 1; b <= 50; ++b) marker.push_back(static_cast<std::uint8_t>(b));
    auto at = std::search(image.file.begin(), image.file.end(), marker.begin(), marker.end());
    ok(at == image.file.end(),
       "expected no archive marker (bytes 01 02 .. 32) in the image, found one at offset " +
           std::to_string(at - image.file.begin()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: setup_pe_test SETUP.EXE\n");
        return 2;
    }
    try {
        pe::pe_image image(argv[1]);
        test_header(image);
        test_imports(image);
        test_languages(image);
        test_destination_dialog(image);
        test_version_dialog(image);
        test_icon(image);
        test_version_menu_string(image);
        test_version_info(image);
        test_no_marker(image);
    } catch (const pe::format_error& e) {
        ++g_failed;
        std::fprintf(stderr, "setup_pe_test: %s: %s\n", argv[1], e.what());
    }
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
