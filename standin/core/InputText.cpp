#include "standin/core/InputText.h"

#include <cstring>

#include "standin/core/Diag.h"

namespace standin {

bool ReadText(const char *p, std::string *out) {
    if (!p) return false;
    // Byte by byte: the caller's buffer may end right after its NUL.
    for (size_t n = 0; n < kTextLimit; ++n) {
        if (p[n] == '\0') {
            out->assign(p, n);
            return true;
        }
    }
    return false;
}

bool IsPlainFileName(const std::string &name) {
    if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 0x20 || strchr("\\/:*?\"<>|", c)) return false;
    }
    return name.back() != '.' && name.back() != ' ';
}

bool ReadFileName(const char *p, const char *what, std::string *out) {
    if (!ReadText(p, out)) {
        Warn("%s: name is null or has no NUL within %u bytes", what, static_cast<unsigned>(kTextLimit));
        return false;
    }
    if (!IsPlainFileName(*out)) {
        Warn("%s: \"%s\" is not a plain file name", what, out->c_str());
        return false;
    }
    return true;
}

}  // namespace standin
