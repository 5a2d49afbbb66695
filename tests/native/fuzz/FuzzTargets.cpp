#include "tests/native/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "standin/core/CallIndex.h"
#include "standin/core/Scenario.h"
#include "standin/core/WavFile.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIText.h"
#include "uilib/render/PngDecode.h"
#include "uilib/skin/XmlReader.h"

namespace {

void Require(bool condition, const char *what) {
    if (condition) return;
    fprintf(stderr, "fuzz: %s\n", what);
    abort();
}

// Every attribute of every element through the value forms the skin builder reads.
void ReadAttributes(const XmlElement &e) {
    for (const XmlAttribute &a : e.attributes) {
        const wchar_t *v = a.value.c_str();
        int n = 0;
        bool b = false;
        long four[4];
        uilib::ParseInt(v, n);
        uilib::ParseBool(v, b);
        uilib::ParseInts(v, four, 4);
        uilib::ParseInts(v, four, 2);
        uilib::ParseColorValue(v);
        Require(uilib::Utf8ToWide(uilib::WideToUtf8(a.value)) == a.value, "attribute text survives UTF-8");
    }
    for (const auto &child : e.children) ReadAttributes(*child);
}

}  // namespace

void FuzzSkin(const uint8_t *data, size_t size) {
    XmlParseResult r = ParseXml(reinterpret_cast<const char *>(data), size);
    Require((r.root != nullptr) != !r.error.empty(), "a tree or an error, never both or neither");
    if (r.root) ReadAttributes(*r.root);
}

void FuzzScenario(const uint8_t *data, size_t size) {
    standin::Scenario s;
    std::string error;
    if (!standin::ParseScenario(std::string(reinterpret_cast<const char *>(data), size), &s, &error)) {
        Require(!error.empty(), "a refused scenario says why");
        return;
    }
    // A station's record written out as fields reads back the same.
    for (const standin::StationSpec &spec : s.stations) {
        standin::StationSpec back;
        std::string why;
        const std::vector<std::string> words = standin::SplitWords(standin::FormatStationFields(spec.config));
        Require(standin::ParseStationFields(words, 0, &back, &why), "formatted station fields parse");
        Require(memcmp(&back.config, &spec.config, sizeof spec.config) == 0, "station fields round-trip");
    }
}

void FuzzCallIndex(const uint8_t *data, size_t size) {
    standin::CallIndex index;
    bool damaged = false;
    index.Load(std::string(reinterpret_cast<const char *>(data), size), &damaged);
    // Live calls come out ordered by (start, id), each id once; written out again they
    // load back the same, undamaged.
    std::string log;
    for (size_t i = 0; i < index.Size(); ++i) {
        standin::CallEntry e = index.At(i);
        if (i > 0) {
            Require(index.StartAt(i - 1) < e.start || (index.StartAt(i - 1) == e.start && index.IdAt(i - 1) < e.id),
                    "ordered by start, then id");
        }
        log += standin::CallIndex::EncodeRecord('A', e.id, e.start, e.name);
    }
    standin::CallIndex again;
    bool damagedAgain = false;
    again.Load(log, &damagedAgain);
    Require(!damagedAgain && again.Size() == index.Size(), "a clean log reloads whole");
    for (size_t i = 0; i < index.Size(); ++i) Require(again.NameAt(i) == index.NameAt(i), "names reload");
}

void FuzzWav(const uint8_t *data, size_t size) {
    std::vector<int16_t> samples;
    std::string error;
    bool truncated = false;
    if (!standin::ParseWav(std::string(reinterpret_cast<const char *>(data), size), &samples, &error, &truncated)) {
        Require(!error.empty(), "a refused file says why");
        return;
    }
    Require(samples.size() * 2 <= size, "no more samples than bytes");
    std::vector<int16_t> back;
    Require(standin::ParseWav(standin::EncodeWav(samples), &back, &error) && back == samples, "samples round-trip");
}

void FuzzPng(const uint8_t *data, size_t size) {
    uilib::PngPixels pixels;
    if (uilib::DecodePng(data, size, pixels) != uilib::PngRead::kDecoded) return;
    Require(pixels.width > 0 && pixels.height > 0, "a decoded image has pixels");
    Require(pixels.bgra.size() == static_cast<size_t>(pixels.width) * pixels.height * 4, "four bytes a pixel");
}
