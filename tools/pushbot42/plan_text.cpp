// Lanes read from text (see plan_text.h).
#include "plan_text.h"

#include <charconv>
#include <system_error>
#include <utility>

namespace ruk::pushbot {

namespace {

bool ReadPhase(std::string_view text, Phase& phase) {
    if (text.empty()) return false;
    phase = Phase{};
    const char kind = text.front();
    if (kind != 'S' && kind != 'B' && kind != 'F' && kind != 'P') return false;
    phase.staged = kind == 'S';
    phase.byFeature = kind == 'F';
    phase.pull = kind == 'P';
    const char* at = text.data() + 1;
    const char* end = text.data() + text.size();
    const auto weight = std::from_chars(at, end, phase.weight);
    if (weight.ec != std::errc{} || phase.weight < 1) return false;
    for (at = weight.ptr; at != end && *at != '@'; ++at) {
        switch (*at) {
            case 'a':
                phase.macros = GoalMacros::ANY;
                break;
            case 'l':
                phase.macros = GoalMacros::IN_LAYERS;
                break;
            case 'p':
                phase.guidance.packingOrder = true;
                break;
            case 'v':
                phase.guidance.advisors = true;
                break;
            case 'c':
                phase.guidance.connectivity = true;
                break;
            case 'r':
                phase.guidance.rooms = true;
                break;
            case 'o':
                phase.guidance.roomAdvisor = true;
                break;
            case 'f':
                if (!phase.pull) return false;
                phase.byFeature = true;
                break;
            default:
                return false;
        }
    }
    if (at == end) return true;
    const auto share = std::from_chars(at + 1, end, phase.share);
    return share.ec == std::errc{} && share.ptr == end && phase.share > 0 && phase.share <= 1;
}

}  // namespace

bool ReadPlan(std::string_view text, std::vector<std::vector<Phase>>& lanes) {
    std::vector<std::vector<Phase>> read(1);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '|' && text[i] != ',') continue;
        Phase phase;
        if (!ReadPhase(text.substr(start, i - start), phase)) return false;
        read.back().push_back(phase);
        if (i < text.size() && text[i] == '|') read.emplace_back();
        start = i + 1;
    }
    lanes = std::move(read);
    return true;
}

}  // namespace ruk::pushbot
