// UTF-8 resource texts as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace morvale {

inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace morvale
