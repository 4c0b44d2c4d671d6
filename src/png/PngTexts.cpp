#include "png/PngTexts.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace morvale {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::uint32_t kMaxChunkLength = 0x7fffffff;  // the format's own bound

std::uint32_t BigEndian(const std::uint8_t* at) {
    return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 |
           std::uint32_t(at[3]);
}

bool ReadBytes(std::istream& in, std::uint8_t* into, std::size_t count) {
    in.read(reinterpret_cast<char*>(into), std::streamsize(count));
    return std::size_t(in.gcount()) == count;
}

bool Skip(std::istream& in, std::uint64_t count) {
    in.seekg(std::streamoff(count), std::ios::cur);
    if (in) return true;
    // Streams that cannot seek (a pipe) are read over.
    in.clear();
    char scrap[4096];
    while (count > 0) {
        const std::size_t part = std::size_t(std::min<std::uint64_t>(count, sizeof scrap));
        in.read(scrap, std::streamsize(part));
        if (std::size_t(in.gcount()) != part) return false;
        count -= part;
    }
    return true;
}

// One tEXt chunk's data: keyword, a zero byte, the text.
bool SplitText(const std::vector<std::uint8_t>& data, PngText& text) {
    const auto zero = std::find(data.begin(), data.end(), std::uint8_t(0));
    if (zero == data.end() || zero == data.begin()) return false;
    text.keyword.assign(data.begin(), zero);
    text.text.assign(zero + 1, data.end());
    return true;
}

class ChunkWalk {
public:
    ChunkWalk(std::istream& in, std::string_view prefix, PngTextReading& out)
        : in_(in), prefix_(prefix), out_(out) {}

    // False once the walk ends; out_.broken tells whether it ended well.
    bool Next() {
        std::uint8_t head[8];
        if (!ReadBytes(in_, head, sizeof head))
            return Broken("die Datei endet vor ihrem Ende-Block");
        const std::uint32_t length = BigEndian(head);
        if (length > kMaxChunkLength) return Broken("ein Block hat eine unmögliche Länge");
        const std::string type(reinterpret_cast<const char*>(head + 4), 4);
        if (type == "IEND") return false;
        if (type != "tEXt" || !MayBeOurs(length)) {
            if (!Skip(in_, std::uint64_t(length) + 4))
                return Broken("die Datei endet mitten in einem Block");
            return true;
        }
        return ReadText(head + 4, length);
    }

private:
    // Reading a keyword's first bytes would need the data; a text of ours is never larger.
    bool MayBeOurs(std::uint32_t length) const { return length <= kMaxPngTextBytes + 80; }

    bool ReadText(const std::uint8_t* type, std::uint32_t length) {
        std::vector<std::uint8_t> data(length);
        std::uint8_t crc[4];
        if (!ReadBytes(in_, data.data(), data.size()) || !ReadBytes(in_, crc, sizeof crc))
            return Broken("die Datei endet mitten in einem Block");
        PngText text;
        if (!SplitText(data, text) || !text.keyword.starts_with(prefix_)) return true;
        uLong sum = crc32(0, type, 4);
        if (length > 0) sum = crc32(sum, data.data(), uInt(length));
        if (std::uint32_t(sum) != BigEndian(crc))
            return Broken("die Prüfsumme des Textes " + text.keyword + " stimmt nicht");
        out_.texts.push_back(std::move(text));
        return true;
    }

    bool Broken(std::string why) {
        out_.broken = std::move(why);
        return false;
    }

    std::istream& in_;
    std::string_view prefix_;
    PngTextReading& out_;
};

}  // namespace

PngTextReading ReadPngTexts(std::istream& in, std::string_view prefix) {
    PngTextReading out;
    std::array<std::uint8_t, 8> signature{};
    if (!ReadBytes(in, signature.data(), signature.size()) || signature != kSignature) return out;
    out.png = true;
    ChunkWalk walk(in, prefix, out);
    while (walk.Next()) {
    }
    return out;
}

}  // namespace morvale
