#include "sheets/GamePageTemplate.h"

#include <cstring>
#include <utility>

#include "sheets/SheetText.h"

namespace arc {
namespace {

constexpr std::array<std::string_view, kMarkerCount> kMarkerTexts = {
    "#GAMENAME",
    "#MANUFACTURER",
    "#CATEGORY",
    "#NPLAYERS",
    "#RESOLUTION",
    "#GENRE",
    "#INTERNALNAME",
    "#VERADDED",
    "#ASPECT",
    "#MAMEINFO",
    "#DRIVER",
    "#BIOS",
    "#CONTROLS",
    "#REFRESH",
    "#COLORS",
    "#MYNOTES",
    "#ORIENTATION",
    "#VIDEOSCREEN",
    "#CHANNELS",
    "#BUTTONS",
    "#COINS",
    "#DVSTATUS",
    "#DVEMULATION",
    "#DVGRAPHIC",
    "#DVSOUND",
    "#DVCOLOR",
    "#DVCOCKTAIL",
    "#DVPROTECTION",
    "#SERVICE",
    "#TILT",
    "#ROMOF",
    "#SAMPLEOF",
    "#SAMPNAME",
    "#EXPBIOS",
    "#EXPCHIP",
    "#EXPROM",
    "#EXPDIP",
    "#EXPDISK",
    "#CLONES",
    "#WORKING",
    "#CORRECTCOLORS",
    "#SOUND",
    "#SCREENFLIP",
    "#GOTIT",
    "#CHEAT",
    "#HISCORE",
    "#YEARMANUFACTURER",
    "#DESCRIPTION",
    "#TECHNICAL",
    "#TRIVIA",
    "#UPDATES",
    "#SCORING",
    "#TIPSANDTRICKS",
    "#SERIES",
    "#STAFF",
    "#PORTS",
    "#SOURCES",
    "#CMD",
    "#INFO",
    "#YEAR",
    "#VERMAME",
    "#VERANO",
    "#HOME",
    "#PREVIOUS",
    "#NEXT",
    "#IMGTITLE",
    "#IMGGAME",
    "#IMGMARQUEE",
    "#IMGCAB",
    "#IMGCPANEL",
    "#IMGFLYER",
    "#AUDIT",
};

// Markers emptied at the end, in this order ("#CLONEOF" and "#COMMENT" never
// get a value; "#DRIVER" and "#BIOS" are listed twice).
constexpr std::array<std::string_view, 53> kLeftovers = {
    "#NEXT",        "#HOME",        "#PREVIOUS",      "#GAMENAME",  "#MANUFACTURER",
    "#CATEGORY",    "#NPLAYERS",    "#RESOLUTION",    "#GENRE",     "#INTERNALNAME",
    "#VERADDED",    "#ASPECT",      "#MAMEINFO",      "#DRIVER",    "#BIOS",
    "#CLONEOF",     "#WORKING",     "#CORRECTCOLORS", "#SOUND",     "#SCREENFLIP",
    "#GOTIT",       "#CHEAT",       "#HISCORE",       "#CONTROLS",  "#VERMAME",
    "#VERANO",      "#REFRESH",     "#COLORS",        "#MYNOTES",   "#COMMENT",
    "#ORIENTATION", "#VIDEOSCREEN", "#DRIVER",        "#CHANNELS",  "#BUTTONS",
    "#COINS",       "#DVSTATUS",    "#DVEMULATION",   "#DVGRAPHIC", "#DVSOUND",
    "#DVCOLOR",     "#DVCOCKTAIL",  "#DVPROTECTION",  "#SERVICE",   "#TILT",
    "#BIOS",        "#EXPROM",      "#EXPBIOS",       "#EXPCHIP",   "#EXPDISK",
    "#ROMOF",       "#SAMPLEOF",    "#SAMPNAME",
};

constexpr int kEmptySlot = kMarkerCount;

bool IsExpansion(Marker marker) {
    return marker >= Marker::ExpBios && marker <= Marker::ExpDisk;
}

// A literal ending with "#" and upper-case letters may become a marker once
// the value after it is in place.
bool EndsWithPartialMarker(std::string_view literal) {
    std::size_t hash = literal.rfind('#');
    if (hash == std::string_view::npos) return false;
    for (char c : literal.substr(hash + 1)) {
        if (c < 'A' || c > 'Z') return false;
    }
    return true;
}

}  // namespace

std::string_view MarkerText(Marker marker) {
    return kMarkerTexts[static_cast<int>(marker)];
}

GamePageTemplate::GamePageTemplate(std::string text) : text_(std::move(text)) {
    BuildSteps();
    Split();
}

bool GamePageTemplate::Holds(std::string_view marker) const {
    return text_.find(marker) != std::string::npos;
}

void GamePageTemplate::BuildSteps() {
    for (int i = 0; i < kMarkerCount; ++i) {
        auto marker = static_cast<Marker>(i);
        if (IsExpansion(marker) && !Holds(MarkerText(marker))) continue;
        steps_.push_back({MarkerText(marker), i});
    }
    for (std::string_view leftover : kLeftovers)
        steps_.push_back({leftover, -1});
}

void GamePageTemplate::Split() {
    pieces_.push_back({text_, -1});
    for (const Step& step : steps_) {
        std::vector<Piece> next;
        next.reserve(pieces_.size() + 4);
        for (Piece& piece : pieces_) {
            if (piece.slot >= 0) {
                next.push_back(std::move(piece));
                continue;
            }
            std::string_view literal = piece.literal;
            std::size_t from = 0;
            for (std::size_t pos = literal.find(step.marker); pos != std::string_view::npos;
                 pos = literal.find(step.marker, from)) {
                if (pos > from) next.push_back({std::string(literal.substr(from, pos - from)), -1});
                next.push_back({{}, step.slot >= 0 ? step.slot : kEmptySlot});
                from = pos + step.marker.size();
            }
            if (from == 0) {
                next.push_back(std::move(piece));
            } else if (from < literal.size()) {
                next.push_back({std::string(literal.substr(from)), -1});
            }
        }
        pieces_ = std::move(next);
        for (std::size_t i = 0; i + 1 < pieces_.size(); ++i) {
            if (pieces_[i].slot < 0 && pieces_[i + 1].slot >= 0 &&
                EndsWithPartialMarker(pieces_[i].literal)) {
                onePassSafe_ = false;
            }
        }
    }
}

void GamePageTemplate::FillSequentially(const MarkerValues& values, std::string& page) const {
    page = text_;
    for (const Step& step : steps_) {
        ReplaceAll(page, step.marker, step.slot >= 0 ? std::string_view(values[step.slot]) : "");
    }
}

void GamePageTemplate::Fill(const MarkerValues& values, std::string& page) const {
    bool safe = onePassSafe_;
    std::size_t size = 0;
    for (const Piece& piece : pieces_) {
        if (piece.slot < 0) {
            size += piece.literal.size();
        } else if (piece.slot != kEmptySlot) {
            const std::string& value = values[piece.slot];
            if (std::memchr(value.data(), '#', value.size()) != nullptr) safe = false;
            size += value.size();
        }
    }
    if (!safe) {
        FillSequentially(values, page);
        return;
    }
    page.clear();
    page.reserve(size);
    for (const Piece& piece : pieces_) {
        if (piece.slot < 0) {
            page += piece.literal;
        } else if (piece.slot != kEmptySlot) {
            page += values[piece.slot];
        }
    }
}

}  // namespace arc
