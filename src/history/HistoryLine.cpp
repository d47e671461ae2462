#include "history/HistoryLine.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "history/JsonValue.h"
#include "rules/Rules.h"

namespace {

constexpr std::array<solver::Action, 4> kPlays{solver::Action::Stand, solver::Action::Hit,
                                               solver::Action::Double, solver::Action::Split};
constexpr const char* kSuitLetters = "HDCS";
// Whole numbers above this do not survive a double exactly.
constexpr double kLargestWhole = 9007199254740992.0;

void writeString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// Seventeen significant digits read back as the same double. A value that is no number (which no
// kept figure should be) is written 0 rather than break the line.
void writeNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    for (char* c = digits; *c != '\0'; ++c) {
        // Whatever the C locale's decimal point, JSON's is a full stop.
        if (*c == ',') {
            *c = '.';
        }
    }
    out += digits;
}

void writeKey(std::string& out, const char* key) {
    if (out.back() != '{') {
        out += ',';
    }
    out += '"';
    out += key;
    out += "\":";
}

void writeCards(std::string& out, const std::vector<int>& cards) {
    out += '[';
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        writeString(out, rankName(cards[i]));
    }
    out += ']';
}

void writeDecision(std::string& out, const RoundRecord::Decision& d) {
    out += '{';
    writeKey(out, "hand");
    out += std::to_string(d.hand);
    writeKey(out, "split");
    out += d.split ? "true" : "false";
    writeKey(out, "cards");
    writeCards(out, d.cards);
    writeKey(out, "up");
    writeString(out, rankName(d.up));
    writeKey(out, "seen");
    writeCards(out, d.seen);
    writeKey(out, "values");
    out += '{';
    for (const solver::Action play : kPlays) {
        if (!std::isnan(d.values.of(play))) {
            writeKey(out, playName(play));
            writeNumber(out, d.values.of(play));
        }
    }
    out += '}';
    writeKey(out, "chosen");
    writeString(out, playName(d.chosen));
    writeKey(out, "best");
    writeString(out, playName(d.best));
    writeKey(out, "cost");
    writeNumber(out, d.cost);
    if (d.hasPackBest) {
        writeKey(out, "packBest");
        writeString(out, playName(d.packBest));
    }
    out += '}';
}

// Each field read into the record, or false with `why` set.
class Fields {
public:
    Fields(const JsonValue& object, std::string& why) : object_(object), why_(why) {}

    const JsonValue* get(const char* name, JsonValue::Kind kind) {
        const JsonValue* value = object_.member(name);
        if (value == nullptr) {
            why_ = std::string("no \"") + name + "\"";
            return nullptr;
        }
        if (value->kind != kind) {
            why_ = std::string("\"") + name + "\" is of the wrong type";
            return nullptr;
        }
        return value;
    }

    bool text(const char* name, std::string& out) {
        const JsonValue* value = get(name, JsonValue::Kind::String);
        if (value != nullptr) {
            out = value->text;
        }
        return value != nullptr;
    }

    bool boolean(const char* name, bool& out) {
        const JsonValue* value = get(name, JsonValue::Kind::Bool);
        if (value != nullptr) {
            out = value->boolean;
        }
        return value != nullptr;
    }

    bool number(const char* name, double& out) {
        const JsonValue* value = get(name, JsonValue::Kind::Number);
        if (value != nullptr) {
            out = value->number;
        }
        return value != nullptr;
    }

    bool cost(const char* name, double& out) {
        if (!number(name, out)) {
            return false;
        }
        if (out < 0.0) {
            return bad(name, "is negative");
        }
        return true;
    }

    template <typename Whole>
    bool whole(const char* name, Whole& out, double lowest, double highest) {
        double value = 0.0;
        if (!number(name, value)) {
            return false;
        }
        if (value != std::floor(value) || std::fabs(value) > kLargestWhole) {
            return bad(name, "is not a whole number");
        }
        if (value < lowest || value > highest) {
            return bad(name, "is out of range");
        }
        out = static_cast<Whole>(value);
        return true;
    }

    bool card(const JsonValue& value, int& rank) {
        if (value.kind == JsonValue::Kind::String) {
            for (int r = kAceRank; r <= kKingRank; ++r) {
                if (value.text == rankName(r)) {
                    rank = r;
                    return true;
                }
            }
        }
        why_ = "a card that is not one";
        return false;
    }

    bool card(const char* name, int& rank) {
        const JsonValue* value = object_.member(name);
        if (value == nullptr) {
            why_ = std::string("no \"") + name + "\"";
            return false;
        }
        return card(*value, rank);
    }

    bool cards(const char* name, std::vector<int>& out) {
        const JsonValue* value = get(name, JsonValue::Kind::Array);
        if (value == nullptr) {
            return false;
        }
        out.clear();
        for (const JsonValue& item : value->items) {
            int rank = 0;
            if (!card(item, rank)) {
                return false;
            }
            out.push_back(rank);
        }
        return true;
    }

    // One letter a card, each H, D, C or S.
    bool suits(const char* name, std::string& out, std::size_t cardCount) {
        if (!text(name, out)) {
            return false;
        }
        if (out.size() != cardCount) {
            return bad(name, "has not one letter a card");
        }
        for (const char c : out) {
            if (c == '\0' || std::string(kSuitLetters).find(c) == std::string::npos) {
                return bad(name, "holds a letter that is no suit");
            }
        }
        return true;
    }

    bool play(const char* name, solver::Action& out) {
        std::string word;
        if (!text(name, word)) {
            return false;
        }
        const auto action = playFromName(word);
        if (!action) {
            return bad(name, "is not a play");
        }
        out = *action;
        return true;
    }

    bool bad(const char* name, const char* what) {
        why_ = std::string("\"") + name + "\" " + what;
        return false;
    }

private:
    const JsonValue& object_;
    std::string& why_;
};

// The dollars of a stake, a result or a wallet, as the table counts them (an int).
constexpr double kMostDollars = 2147483647.0;

bool readHand(const JsonValue& value, RoundRecord::HandRecord& hand, std::string& why) {
    if (value.kind != JsonValue::Kind::Object) {
        why = "a hand is not an object";
        return false;
    }
    Fields f(value, why);
    return f.cards("cards", hand.cards) && f.suits("suits", hand.suits, hand.cards.size()) &&
           f.whole("stake", hand.stake, 0, kMostDollars) &&
           f.whole("result", hand.result, -kMostDollars, kMostDollars);
}

bool readValues(const JsonValue& value, solver::PlayValues& values, std::string& why) {
    values = solver::PlayValues{};
    for (const auto& [key, number] : value.members) {
        const auto play = playFromName(key);
        if (!play) {
            continue;
        }
        if (number.kind != JsonValue::Kind::Number) {
            why = "a value is not a number";
            return false;
        }
        switch (*play) {
            case solver::Action::Stand:
                values.stand = number.number;
                break;
            case solver::Action::Hit:
                values.hit = number.number;
                break;
            case solver::Action::Double:
                values.doubled = number.number;
                break;
            case solver::Action::Split:
                values.split = number.number;
                break;
        }
    }
    return true;
}

bool readDecision(const JsonValue& value, RoundRecord::Decision& d, std::string& why) {
    if (value.kind != JsonValue::Kind::Object) {
        why = "a decision is not an object";
        return false;
    }
    Fields f(value, why);
    if (!f.whole("hand", d.hand, 0, 1) || !f.boolean("split", d.split) ||
        !f.cards("cards", d.cards) || !f.card("up", d.up) || !f.cards("seen", d.seen)) {
        return false;
    }
    const JsonValue* values = f.get("values", JsonValue::Kind::Object);
    if (values == nullptr || !readValues(*values, d.values, why) || !f.play("chosen", d.chosen) ||
        !f.play("best", d.best) || !f.cost("cost", d.cost)) {
        return false;
    }
    // Only a drill's decision tells the full pack's best play.
    d.hasPackBest = value.member("packBest") != nullptr;
    return !d.hasPackBest || f.play("packBest", d.packBest);
}

template <typename Item, typename ReadItem>
bool readList(Fields& f, const char* name, std::vector<Item>& out, ReadItem readItem,
              std::string& why) {
    const JsonValue* list = f.get(name, JsonValue::Kind::Array);
    if (list == nullptr) {
        return false;
    }
    out.clear();
    for (const JsonValue& value : list->items) {
        Item item;
        if (!readItem(value, item, why)) {
            return false;
        }
        out.push_back(std::move(item));
    }
    return true;
}

}  // namespace

const char* playName(solver::Action play) {
    switch (play) {
        case solver::Action::Hit:
            return "hit";
        case solver::Action::Double:
            return "double";
        case solver::Action::Split:
            return "split";
        default:
            return "stand";
    }
}

std::optional<solver::Action> playFromName(const std::string& name) {
    for (const solver::Action play : kPlays) {
        if (name == playName(play)) {
            return play;
        }
    }
    return std::nullopt;
}

std::string historyLine(const RoundRecord& round) {
    std::string out = "{";
    writeKey(out, "v");
    out += std::to_string(round.version);
    writeKey(out, "time");
    writeString(out, round.time);
    writeKey(out, "session");
    out += std::to_string(round.session);
    writeKey(out, "bet");
    out += std::to_string(round.bet);
    writeKey(out, "dealer");
    writeCards(out, round.dealer);
    writeKey(out, "dealerSuits");
    writeString(out, round.dealerSuits);
    writeKey(out, "hands");
    out += '[';
    for (std::size_t i = 0; i < round.hands.size(); ++i) {
        const RoundRecord::HandRecord& hand = round.hands[i];
        out += i > 0 ? ",{" : "{";
        writeKey(out, "cards");
        writeCards(out, hand.cards);
        writeKey(out, "suits");
        writeString(out, hand.suits);
        writeKey(out, "stake");
        out += std::to_string(hand.stake);
        writeKey(out, "result");
        out += std::to_string(hand.result);
        out += '}';
    }
    out += ']';
    writeKey(out, "net");
    out += std::to_string(round.net);
    writeKey(out, "edge");
    writeNumber(out, round.edge);
    writeKey(out, "blackjack");
    out += round.blackjack ? "true" : "false";
    writeKey(out, "wallet");
    out += std::to_string(round.wallet);
    writeKey(out, "text");
    writeString(out, round.text);
    writeKey(out, "decisions");
    out += '[';
    for (std::size_t i = 0; i < round.decisions.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        writeDecision(out, round.decisions[i]);
    }
    out += ']';
    if (round.drill) {
        writeKey(out, "drill");
        out += "true";
    }
    out += '}';
    return out;
}

bool parseHistoryLine(const std::string& line, RoundRecord& round, std::string& why) {
    JsonValue document;
    if (!JsonValue::parse(line, document, why)) {
        return false;
    }
    if (document.kind != JsonValue::Kind::Object) {
        why = "the line is not a JSON object";
        return false;
    }
    round = RoundRecord{};
    Fields f(document, why);
    if (!f.whole("v", round.version, 0, kMostDollars)) {
        return false;
    }
    if (round.version != RoundRecord::kVersion) {
        why = "\"v\" is " + std::to_string(round.version) + ", not " +
              std::to_string(RoundRecord::kVersion);
        return false;
    }
    if (!f.text("time", round.time) || !f.whole("session", round.session, 0, kLargestWhole) ||
        !f.whole("bet", round.bet, 0, kMostDollars) || !f.cards("dealer", round.dealer) ||
        !f.suits("dealerSuits", round.dealerSuits, round.dealer.size()) ||
        !readList(f, "hands", round.hands, readHand, why) ||
        !f.whole("net", round.net, -kMostDollars, kMostDollars) || !f.number("edge", round.edge) ||
        !f.boolean("blackjack", round.blackjack) ||
        !f.whole("wallet", round.wallet, -kMostDollars, kMostDollars) ||
        !f.text("text", round.text) ||
        !readList(f, "decisions", round.decisions, readDecision, why)) {
        return false;
    }
    if (document.member("drill") != nullptr && !f.boolean("drill", round.drill)) {
        return false;
    }
    return true;
}
