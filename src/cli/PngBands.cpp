#include "cli/PngBands.h"

#include <tbb/concurrent_queue.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <new>
#include <vector>

namespace morvale {
namespace {

// Raw bytes a band aims at: large enough that deflate finds its runs, small enough that bands
// spread over the cores and the first one is out early.
constexpr std::size_t kBandBytes = std::size_t(1) << 18;
// Room for deflate's sync flush and block headers beyond deflateBound.
constexpr std::size_t kDeflateSlack = 64;
// Fractal pictures gain little from slow searching.
constexpr int kLevel = 1;
constexpr std::array<std::uint8_t, 2> kZlibHeader = {0x78, 0x01};  // deflate, 32 KiB window
constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

std::size_t RowBytes(int width) {
    return std::size_t(width) * 3 + 1;  // filter byte, then RGB
}

int Threads() {
    return std::max(1, tbb::this_task_arena::max_concurrency());
}

// The renderer spreads a band's rows over the cores: a band has a few rows for each.
int BandRowsFor(int width) {
    return int(std::clamp<std::size_t>(kBandBytes / RowBytes(width), 2 * Threads(), 4096));
}

// Bands in flight take at most this much together, so that the memory grows with the cores, not
// with their square (each band has rows for every core, and every core a band to deflate).
constexpr std::uint64_t kInFlightBytes = std::uint64_t(256) << 20;

// A band's pixels and its packed bytes (deflate's bound, a little over the raw bytes).
std::uint64_t BandBytes(int width, int rows) {
    const std::uint64_t raw = std::uint64_t(rows) * RowBytes(width);
    return std::uint64_t(rows) * std::uint64_t(width) * sizeof(Pixel) + raw + raw / 100 +
           kDeflateSlack + 1024;
}

int BandsInFlight(int width, int rows) {
    const std::uint64_t fit = kInFlightBytes / BandBytes(width, rows);
    return int(std::clamp<std::uint64_t>(fit, 3, std::uint64_t(2 * Threads() + 1)));
}

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = std::uint8_t(value >> 24);
    at[1] = std::uint8_t(value >> 16);
    at[2] = std::uint8_t(value >> 8);
    at[3] = std::uint8_t(value);
}

// One band on its way through: its pixels, then its piece of the deflate stream.
struct Band {
    int begin = 0;
    int end = 0;
    std::vector<Pixel> pixels;
    std::vector<std::uint8_t> packed;
    std::size_t packedSize = 0;
    uLong adler = 0;  // of the band's raw bytes
    uLong rawBytes = 0;
};

// Sum of the bytes read as signed: libpng's measure of how well a filtered row will pack.
std::uint64_t SignedSum(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int value = std::int8_t(bytes[i]);
        sum += std::uint64_t(value < 0 ? -value : value);
    }
    return sum;
}

// A raw deflate stream per thread, reset for every band.
class Deflater {
public:
    Deflater() {
        if (deflateInit2(&z_, kLevel, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) throw std::bad_alloc();
    }
    ~Deflater() { deflateEnd(&z_); }
    // What a thread keeps between bands; a larger band's filtered bytes are given back.
    static constexpr std::size_t kKeptBytes = 2 * kBandBytes;
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // The band's rows, each unfiltered or with the Sub filter, whichever packs better, then
    // deflated ending in a sync flush (or the stream's end when it is the last band), after the
    // zlib header when it is the first.
    void Pack(Band& band, int width, bool last) {
        const std::size_t rowBytes = RowBytes(width);
        const int rows = band.end - band.begin;
        raw_.resize(rowBytes * std::size_t(rows));
        sub_.resize(rowBytes);
        int subRows = 0;
        for (int y = 0; y < rows; ++y)
            subRows += FilterRow(band.pixels.data() + std::size_t(y) * std::size_t(width), width,
                                 raw_.data() + std::size_t(y) * rowBytes);
        // Noisy rows pack best as runs of equal bytes; smooth ones, which Sub turns into runs of
        // zeros, as repeats of earlier strings.
        deflateReset(&z_);
        deflateParams(&z_, kLevel, subRows * 2 >= rows ? Z_DEFAULT_STRATEGY : Z_RLE);
        band.rawBytes = uLong(raw_.size());
        band.adler = adler32_z(adler32(0, nullptr, 0), raw_.data(), raw_.size());
        const std::size_t bound = deflateBound(&z_, band.rawBytes) + kDeflateSlack;
        if (band.packed.size() < bound) band.packed.resize(bound);
        band.packedSize = 0;
        if (band.begin == 0) {
            std::copy(kZlibHeader.begin(), kZlibHeader.end(), band.packed.begin());
            band.packedSize = kZlibHeader.size();
        }
        Push(band, last ? Z_FINISH : Z_SYNC_FLUSH);
        if (raw_.capacity() > kKeptBytes) raw_ = {};
    }

private:
    // One filtered row (type byte, then RGB) into out; true when it took the Sub filter.
    bool FilterRow(const Pixel* pixels, int width, std::uint8_t* out) {
        const std::size_t bytes = std::size_t(width) * 3;
        std::uint8_t* rgb = out + 1;
        for (int x = 0; x < width; ++x) {
            rgb[3 * x] = std::uint8_t(pixels[x] >> 16);
            rgb[3 * x + 1] = std::uint8_t(pixels[x] >> 8);
            rgb[3 * x + 2] = std::uint8_t(pixels[x]);
        }
        std::copy_n(rgb, std::min<std::size_t>(3, bytes), sub_.begin());
        for (std::size_t i = 3; i < bytes; ++i) sub_[i] = std::uint8_t(rgb[i] - rgb[i - 3]);
        const bool useSub = SignedSum(sub_.data(), bytes) < SignedSum(rgb, bytes);
        out[0] = useSub ? 1 : 0;
        if (useSub) std::copy_n(sub_.begin(), bytes, rgb);
        return useSub;
    }

    void Push(Band& band, int flush) {
        z_.next_in = raw_.data();
        z_.avail_in = uInt(raw_.size());
        for (;;) {
            z_.next_out = band.packed.data() + band.packedSize;
            z_.avail_out = uInt(band.packed.size() - band.packedSize);
            deflate(&z_, flush);
            band.packedSize = band.packed.size() - z_.avail_out;
            // Room left over means the input is taken and the flush complete.
            if (z_.avail_in == 0 && z_.avail_out != 0) return;
            band.packed.resize(band.packed.size() * 2);
        }
    }

    z_stream z_{};
    std::vector<std::uint8_t> raw_;  // the band's filtered rows
    std::vector<std::uint8_t> sub_;
};

class ChunkWriter {
public:
    explicit ChunkWriter(const ByteSink& sink) : sink_(sink) {}

    bool Signature() { return sink_(kSignature.data(), kSignature.size()); }

    bool Chunk(const char (&type)[5], const std::uint8_t* data, std::size_t size) {
        std::uint8_t head[8];
        PutBigEndian(head, std::uint32_t(size));
        std::copy(type, type + 4, head + 4);
        uLong crc = crc32(0, head + 4, 4);
        if (size > 0) crc = crc32(crc, data, uInt(size));  // a null buffer would restart it
        std::uint8_t tail[4];
        PutBigEndian(tail, std::uint32_t(crc));
        return sink_(head, sizeof head) && (size == 0 || sink_(data, size)) &&
               sink_(tail, sizeof tail);
    }

    bool Header(int width, int height) {
        std::uint8_t ihdr[13] = {};
        PutBigEndian(ihdr, std::uint32_t(width));
        PutBigEndian(ihdr + 4, std::uint32_t(height));
        ihdr[8] = 8;  // bits per channel
        ihdr[9] = 2;  // RGB; compression, filter method and interlacing stay 0
        return Chunk("IHDR", ihdr, sizeof ihdr);
    }

private:
    const ByteSink& sink_;
};

}  // namespace

PngBands WholeImageBands(const PixelImage& image, int bandRows) {
    return {image.Width(), image.Height(),
            [&image](int rowBegin, int rowEnd, const PixelSurface& band) {
                const std::size_t width = std::size_t(image.Width());
                std::copy_n(image.Pixels().begin() + std::ptrdiff_t(std::size_t(rowBegin) * width),
                            std::size_t(rowEnd - rowBegin) * width, band.bits);
            },
            bandRows};
}

bool WritePngBands(const PngBands& picture, const ByteSink& sink, const RowsWritten& progress) {
    ChunkWriter chunks(sink);
    if (!chunks.Signature() || !chunks.Header(picture.width, picture.height)) return false;

    const int bandRows = picture.bandRows > 0 ? picture.bandRows : BandRowsFor(picture.width);
    std::vector<std::unique_ptr<Band>> owned;
    tbb::concurrent_queue<Band*> idle;
    tbb::enumerable_thread_specific<Deflater> deflaters;
    std::atomic<bool> refused = false;
    uLong adler = adler32(0, nullptr, 0);
    int next = 0;

    auto fillNext = [&](tbb::flow_control& control) -> Band* {
        if (next >= picture.height || refused) {
            control.stop();
            return nullptr;
        }
        Band* band = nullptr;
        if (!idle.try_pop(band)) band = owned.emplace_back(std::make_unique<Band>()).get();
        band->begin = next;
        band->end = next = std::min(picture.height, next + bandRows);
        const int rows = band->end - band->begin;
        band->pixels.resize(std::size_t(picture.width) * std::size_t(rows));
        picture.fill(band->begin, band->end,
                     PixelSurface{band->pixels.data(), picture.width, rows, picture.width});
        return band;
    };
    auto pack = [&](Band* band) {
        deflaters.local().Pack(*band, picture.width, band->end == picture.height);
        return band;
    };
    auto write = [&](Band* band) {
        adler = adler32_combine(adler, band->adler, z_off_t(band->rawBytes));
        if (band->end == picture.height) {
            band->packed.resize(band->packedSize + 4);
            PutBigEndian(band->packed.data() + band->packedSize, std::uint32_t(adler));
            band->packedSize += 4;
        }
        if (!refused && !chunks.Chunk("IDAT", band->packed.data(), band->packedSize))
            refused = true;
        if (!refused && progress) progress(band->end);
        idle.push(band);
    };
    tbb::parallel_pipeline(
        std::size_t(BandsInFlight(picture.width, bandRows)),
        tbb::make_filter<void, Band*>(tbb::filter_mode::serial_in_order, fillNext) &
            tbb::make_filter<Band*, Band*>(tbb::filter_mode::parallel, pack) &
            tbb::make_filter<Band*, void>(tbb::filter_mode::serial_in_order, write));
    return !refused && chunks.Chunk("IEND", nullptr, 0);
}

std::uint64_t PngBandsMemory(int width) {
    const int rows = BandRowsFor(width);
    const std::uint64_t raw = std::uint64_t(rows) * RowBytes(width);
    const auto inFlight = std::uint64_t(BandsInFlight(width, rows));
    // The bands; the filtered bytes of the bands being packed; what every thread keeps (its
    // deflate state, a small band's filtered bytes and a row).
    return inFlight * (BandBytes(width, rows) + raw) +
           std::uint64_t(Threads()) * (300 * 1024 + Deflater::kKeptBytes + RowBytes(width));
}

}  // namespace morvale
