#include "keep/ViewRecord.h"

#include <charconv>
#include <map>

#include "doc/ColourSeries.h"
#include "plane/RegionLimits.h"
#include "platform/QuotedText.h"
#include "png/PngTexts.h"

namespace morvale {
namespace {

constexpr int kMaxSide = 1000000;  // the most PNG readers take

// A region text at the precision cap: its digits, sign, point and exponent.
static_assert(double(DeepRegion::kMaxBits) * 0.30103 + 32 < double(kMaxPngTextBytes),
              "every region text the program writes must fit what it reads");
constexpr const char* kRegionKeys[4] = {"xmin", "xmax", "ymin", "ymax"};

struct KindName {
    ViewKind kind;
    const char* name;
};
constexpr KindName kKindNames[] = {
    {ViewKind::Julia, "julia"}, {ViewKind::Mandelbrot, "mandelbrot"}, {ViewKind::Tree, "tree"}};

std::string Key(const char* name) {
    return std::string(kViewKeywordPrefix) + name;
}

template <class T>
bool WholeText(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

std::string SizeText(PictureSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

bool ParseSize(const std::string& text, PictureSize& size) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && WholeText(text.substr(0, x), size.width) &&
           WholeText(text.substr(x + 1), size.height) && size.width > 0 && size.height > 0 &&
           size.width <= kMaxSide && size.height <= kMaxSide;
}

// The texts by keyword without the prefix; a keyword given twice spoils the lot.
using TextMap = std::map<std::string, std::string>;

class Fields {
public:
    explicit Fields(const TextMap& texts) : texts_(texts) {}

    const std::string* Find(const char* name) {
        const auto it = texts_.find(name);
        if (it != texts_.end()) return &it->second;
        Fail(std::string("der Eintrag ") + Key(name) + " fehlt");
        return nullptr;
    }
    // Any decimal number, however far beyond a double's range: the region's own check decides
    // whether it can be drawn.
    void Number(const char* name, std::string& into) {
        if (const std::string* text = Find(name); text && Check(IsDecimalNumber(*text), name))
            into = *text;
    }
    template <class T>
    void Whole(const char* name, T& into) {
        if (const std::string* text = Find(name)) Check(WholeText(*text, into), name);
    }
    void Size(const char* name, PictureSize& into) {
        if (const std::string* text = Find(name)) Check(ParseSize(*text, into), name);
    }
    bool Check(bool sound, const char* name) {
        if (!sound) Fail(std::string("der Eintrag ") + Key(name) + " ist keine gültige Angabe");
        return sound;
    }
    const std::string& Problem() const { return problem_; }

private:
    void Fail(std::string why) {
        if (problem_.empty()) problem_ = std::move(why);
    }
    const TextMap& texts_;
    std::string problem_;
};

}  // namespace

std::vector<PngText> ViewTexts(const ViewRecord& r) {
    std::vector<PngText> texts = {{"Software", "Morvale"}};
    for (const KindName& kind : kKindNames)
        if (kind.kind == r.kind) texts.push_back({Key("kind"), kind.name});
    if (r.kind == ViewKind::Tree) {
        const TreeSettings& t = r.tree;
        texts.insert(texts.end(), {{Key("branches"), std::to_string(t.branches)},
                                   {Key("segment-offset"), std::to_string(t.segmentOffset)},
                                   {Key("length"), ExactText(t.length)},
                                   {Key("turn"), ExactText(t.turn)},
                                   {Key("redux"), std::to_string(t.redux)},
                                   {Key("colour"), t.colour ? "on" : "off"}});
    } else {
        for (std::size_t i = 0; i < 4; ++i) texts.push_back({Key(kRegionKeys[i]), r.region[i]});
        if (r.kind == ViewKind::Julia)
            texts.insert(texts.end(), {{Key("p"), r.p}, {Key("q"), r.q}});
        texts.push_back({Key("limit"), std::to_string(r.limit)});
    }
    texts.insert(texts.end(), {{Key("series"), std::to_string(r.series)},
                               {Key("device"), SizeText(r.device)},
                               {Key("client"), SizeText(r.client)}});
    return texts;
}

ViewParse ParseViewTexts(const std::vector<PngText>& texts) {
    ViewParse parse;
    TextMap byName;
    const std::string prefix = kViewKeywordPrefix;
    for (const PngText& text : texts) {
        if (!text.keyword.starts_with(prefix)) continue;
        if (!byName.emplace(text.keyword.substr(prefix.size()), text.text).second) {
            parse.problem = "der Eintrag " + QuotedText(text.keyword) + " steht mehrfach darin";
            return parse;
        }
    }
    if (byName.empty()) {
        parse.noView = true;
        parse.problem = "keine Morvale-Ansicht";
        return parse;
    }
    Fields fields(byName);
    ViewRecord r;
    const std::string* kind = fields.Find("kind");
    bool known = false;
    for (const KindName& name : kKindNames) {
        if (!kind || *kind != name.name) continue;
        r.kind = name.kind;
        known = true;
    }
    if (kind) fields.Check(known, "kind");
    if (r.kind != ViewKind::Tree) {
        for (std::size_t i = 0; i < 4; ++i) fields.Number(kRegionKeys[i], r.region[i]);
        if (r.kind == ViewKind::Julia) {
            fields.Number("p", r.p);
            fields.Number("q", r.q);
        }
        fields.Whole("limit", r.limit);
    }
    fields.Whole("series", r.series);
    fields.Check(r.series >= kFirstSeries && r.series <= kLastSeries, "series");
    fields.Size("device", r.device);
    fields.Size("client", r.client);
    // The client is the visible part of the device: a larger one would dictate any picture size.
    fields.Check(r.client.width <= r.device.width && r.client.height <= r.device.height, "client");
    parse.problem = fields.Problem();
    if (parse.problem.empty()) parse.record = r;
    return parse;
}

std::vector<std::string> ViewPresetTexts(const ViewRecord& r) {
    std::vector<std::string> texts(r.region.begin(), r.region.end());
    if (r.kind == ViewKind::Julia) texts.insert(texts.end(), {r.p, r.q});
    texts.push_back(std::to_string(r.limit));
    return texts;
}

}  // namespace morvale
