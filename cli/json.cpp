#include "cli/json.h"

#include <cstdio>

#include "engine/turn_texts.h"

namespace cli {

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string JsonArray(std::span<const int32_t> numbers) {
    std::string json = "[";
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            json += ',';
        }
        json += std::to_string(numbers[i]);
    }
    return json + ']';
}

const char* Outcome(int32_t score) {
    return score > 0 ? "wins" : "loses";
}

std::string JsonScore(int32_t score) {
    return "\"score\":" + std::to_string(score) + ",\"outcome\":" + JsonString(Outcome(score)) +
           ",\"movesLeft\":" + std::to_string(engine::MovesLeft(score));
}

std::string JsonMove(const engine::Move& move) {
    return "\"row\":" + std::to_string(move.row) + ",\"take\":" + std::to_string(move.number);
}

}  // namespace cli
