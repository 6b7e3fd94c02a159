// iconv wrappers for the two directions the tool needs: manifest text into code page 932, and
// archive names back into UTF-8 for listings and messages.
#include "tools/carrier/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace carrier {

namespace {

// Owns one iconv descriptor; glibc names the Windows flavour of Shift-JIS "CP932".
class converter {
public:
    converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false at the first byte that does not convert and
    // leaves `in`/`left` pointing at it.
    bool run(char*& in, size_t& left, std::string& out) {
        char buffer[256];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t rc = iconv(cd_, &in, &left, &dst, &room);
            out.append(buffer, dst - buffer);
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

namespace {

bool convert_strictly(const char* to, const char* from, const std::string& in, std::string& out) {
    converter conv(to, from);
    if (!conv.ok()) return false;
    std::string copy = in;
    char* src = copy.data();
    size_t left = copy.size();
    std::string result;
    if (!conv.run(src, left, result)) return false;
    out = result;
    return true;
}

}  // namespace

bool utf8_to_cp932(const std::string& in, std::string& out) {
    return convert_strictly("CP932", "UTF-8", in, out);
}

bool cp932_to_utf8(const std::string& in, std::string& out) {
    return convert_strictly("UTF-8", "CP932", in, out);
}

std::string cp932_for_display(const std::string& in) {
    converter conv("UTF-8", "CP932");
    std::string copy = in;
    char* src = copy.data();
    size_t left = copy.size();
    std::string result;
    while (left > 0) {
        if (!conv.ok()) {
            result.append(src, left);
            break;
        }
        if (conv.run(src, left, result)) break;
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(*src));
        result += escape;
        ++src;
        --left;
    }
    return result;
}

}  // namespace carrier
