#include "video/VideoEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <utility>

namespace morvale {
namespace {

std::string AvText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// A hidden name beside the target that no one else uses.
std::string TemporaryBeside(const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string name = ".";
    name += target.filename().string();
    name += '.';
    name += std::to_string(getpid());
    name += ".part";
    return (folder / name).string();
}

// Settings that change x264's preset of that name and pay here, measured on zoom videos: at
// superfast, macroblock-tree rate control over 10 frames of lookahead makes files about a sixth
// smaller at the same quality for almost no time; leaving out the 8x8 transform, the intra
// partitions of P and B frames, weighted prediction (for fades) and scene cuts (a zoom has none)
// saves about a twentieth of the time at the same size and quality.
constexpr std::pair<const char*, const char*> kPresetExtras[] = {
    {"superfast", "rc-lookahead=10:mbtree=1:8x8dct=0:partitions=none:weightp=0:scenecut=0"},
};

}  // namespace

struct VideoEncoder::Codec {
    std::string target, temporary;
    AVFormatContext* format = nullptr;
    AVCodecContext* context = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    std::int64_t next = 0;
    bool finished = false;

    ~Codec() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&context);
        if (format) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
        if (!finished && !temporary.empty()) std::remove(temporary.c_str());
    }

    // Writes every packet the encoder has ready.
    std::string Drain() {
        for (;;) {
            const int got = avcodec_receive_packet(context, packet);
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return {};
            if (got < 0) return "Kodierfehler: " + AvText(got);
            av_packet_rescale_ts(packet, context->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (const int w = av_interleaved_write_frame(format, packet); w < 0)
                return "Schreibfehler: " + AvText(w);
        }
    }
};

VideoEncoder::VideoEncoder() = default;
VideoEncoder::~VideoEncoder() = default;

std::string VideoEncoder::Open(const std::string& path, const VideoFormat& f) {
    av_log_set_level(AV_LOG_ERROR);  // the encoder's statistics are no news for a user
    codec_ = std::make_unique<Codec>();
    Codec& c = *codec_;
    c.target = path;
    c.temporary = TemporaryBeside(path);
    if (avformat_alloc_output_context2(&c.format, nullptr, "mp4", nullptr) < 0 || !c.format)
        return "FFmpeg kann kein MP4 schreiben";
    const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
    if (!h264) h264 = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!h264) return "FFmpeg hat keinen H.264-Kodierer";
    c.context = avcodec_alloc_context3(h264);
    AVCodecContext& x = *c.context;
    x.width = f.width;
    x.height = f.height;
    x.time_base = {1, f.fps};
    x.framerate = {f.fps, 1};
    x.pix_fmt = AV_PIX_FMT_YUV420P;
    x.gop_size = f.fps * 2;
    x.colorspace = AVCOL_SPC_BT709;
    x.color_primaries = AVCOL_PRI_BT709;
    x.color_trc = AVCOL_TRC_BT709;
    x.color_range = AVCOL_RANGE_MPEG;
    x.chroma_sample_location = AVCHROMA_LOC_LEFT;
    x.thread_count = f.threads;
    x.thread_type = FF_THREAD_FRAME;
    if (av_opt_set(x.priv_data, "preset", f.preset.c_str(), 0) < 0)
        return "x264 kennt die Voreinstellung „" + f.preset + "“ nicht";
    av_opt_set_int(x.priv_data, "crf", f.quality, 0);
    for (const auto& [preset, params] : kPresetExtras)
        if (f.preset == preset) av_opt_set(x.priv_data, "x264-params", params, 0);
    if (c.format->oformat->flags & AVFMT_GLOBALHEADER) x.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (const int e = avcodec_open2(c.context, h264, nullptr); e < 0)
        return "der H.264-Kodierer lässt sich nicht öffnen: " + AvText(e);
    c.stream = avformat_new_stream(c.format, nullptr);
    avcodec_parameters_from_context(c.stream->codecpar, c.context);
    c.stream->time_base = x.time_base;
    if (const int e = avio_open(&c.format->pb, c.temporary.c_str(), AVIO_FLAG_WRITE); e < 0)
        return AvText(e);
    // Without an edit list every player and ffprobe count the first frames the same way.
    AVDictionary* muxing = nullptr;
    av_dict_set(&muxing, "use_editlist", "0", 0);
    const int header = avformat_write_header(c.format, &muxing);
    av_dict_free(&muxing);
    if (header < 0) return AvText(header);
    c.frame = av_frame_alloc();
    c.frame->format = x.pix_fmt;
    c.frame->width = f.width;
    c.frame->height = f.height;
    if (av_frame_get_buffer(c.frame, 0) < 0) return "kein Speicher für ein Videobild";
    c.packet = av_packet_alloc();
    return {};
}

std::array<PlaneTarget, 3> VideoEncoder::Picture() {
    AVFrame& p = *codec_->frame;
    const int w = p.width, h = p.height;
    return {PlaneTarget{p.data[0], p.linesize[0], 1, w, h},
            PlaneTarget{p.data[1], p.linesize[1], 1, (w + 1) / 2, (h + 1) / 2},
            PlaneTarget{p.data[2], p.linesize[2], 1, (w + 1) / 2, (h + 1) / 2}};
}

std::string VideoEncoder::Submit() {
    Codec& c = *codec_;
    c.frame->pts = c.next++;
    if (const int e = avcodec_send_frame(c.context, c.frame); e < 0)
        return "Kodierfehler: " + AvText(e);
    if (std::string error = c.Drain(); !error.empty()) return error;
    // x264 has copied the picture; a fresh one only if someone still holds it.
    if (const int e = av_frame_make_writable(c.frame); e < 0) return AvText(e);
    return {};
}

std::string VideoEncoder::Finish() {
    Codec& c = *codec_;
    if (const int e = avcodec_send_frame(c.context, nullptr); e < 0)
        return "Kodierfehler: " + AvText(e);
    if (std::string error = c.Drain(); !error.empty()) return error;
    if (const int e = av_write_trailer(c.format); e < 0) return "Schreibfehler: " + AvText(e);
    if (const int e = avio_closep(&c.format->pb); e < 0) return "Schreibfehler: " + AvText(e);
    std::error_code error;
    std::filesystem::rename(c.temporary, c.target, error);
    if (error) return error.message();
    c.finished = true;
    return {};
}

}  // namespace morvale
