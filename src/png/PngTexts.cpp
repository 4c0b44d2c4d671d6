#include "png/PngTexts.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/QuotedText.h"

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
        if (type != "tEXt") return SkipRest(length);
        return ReadText(head + 4, length);
    }

private:
    bool SkipRest(std::uint64_t length) {
        if (!Skip(in_, length + 4)) return Broken("die Datei endet mitten in einem Block");
        return true;
    }

    // The keyword and its zero byte come first: a chunk not ours is skipped after them, whatever
    // its length.
    bool ReadText(const std::uint8_t* type, std::uint32_t length) {
        const std::uint32_t head = std::min<std::uint32_t>(length, kMaxPngKeywordBytes + 1);
        std::vector<std::uint8_t> data(head);
        if (!ReadBytes(in_, data.data(), head))
            return Broken("die Datei endet mitten in einem Block");
        const auto zero = std::find(data.begin(), data.end(), std::uint8_t(0));
        const std::string keyword(data.begin(), zero);
        const std::size_t textStart = keyword.size() + 1;
        if (keyword.empty() || !keyword.starts_with(prefix_)) return SkipRest(length - head);
        if (zero == data.end())
            return Broken("ein Text hat kein Schlüsselwort von höchstens " +
                          std::to_string(kMaxPngKeywordBytes) + " Bytes");
        if (length - textStart > kMaxPngTextBytes)
            return Broken("der Text " + QuotedText(keyword) + " ist länger als " +
                          std::to_string(kMaxPngTextBytes) + " Bytes");
        data.resize(length);
        std::uint8_t crc[4];
        if (!ReadBytes(in_, data.data() + head, length - head) || !ReadBytes(in_, crc, sizeof crc))
            return Broken("die Datei endet mitten in einem Block");
        uLong sum = crc32(0, type, 4);
        if (length > 0) sum = crc32(sum, data.data(), uInt(length));
        if (std::uint32_t(sum) != BigEndian(crc))
            return Broken("die Prüfsumme des Textes " + QuotedText(keyword) + " stimmt nicht");
        out_.texts.push_back({keyword, std::string(data.begin() + long(textStart), data.end())});
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
