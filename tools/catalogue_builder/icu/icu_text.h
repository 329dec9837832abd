// ICU's strings and ours.
#pragma once

#include <unicode/unistr.h>

#include <string>

#include "files/field_text.h"

namespace kelvane::builder {

inline Text FromIcu(const icu::UnicodeString &s) {
    return Text(reinterpret_cast<const TZChar *>(s.getBuffer()), static_cast<std::size_t>(s.length()));
}

inline std::string Utf8(const icu::UnicodeString &s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

inline icu::UnicodeString ToIcu(const std::string &utf8) { return icu::UnicodeString::fromUTF8(utf8); }

}  // namespace kelvane::builder
