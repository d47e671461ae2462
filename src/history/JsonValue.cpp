#include "history/JsonValue.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Deeper than any line the game writes: a text nested further is not one of its lines, and the
// reader's recursion stays shallow whatever it is given.
constexpr int kDeepest = 16;

// Reads strict JSON, byte by byte; every step takes at least one byte or stops.
class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    // The whole text as one value with nothing after it but white space.
    bool readDocument(JsonValue& value, std::string& why) {
        if (!readValue(value, 0)) {
            why = error_;
            return false;
        }
        skipSpace();
        if (at_ != text_.size()) {
            why = "text after the object at byte " + std::to_string(at_);
            return false;
        }
        return true;
    }

private:
    bool fail(const std::string& what) {
        error_ = what + " at byte " + std::to_string(at_);
        return false;
    }

    void skipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }

    bool take(char c) {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool takeWord(const char* word) {
        std::size_t i = 0;
        while (word[i] != '\0') {
            if (at_ + i >= text_.size() || text_[at_ + i] != word[i]) {
                return false;
            }
            ++i;
        }
        at_ += i;
        return true;
    }

    bool readValue(JsonValue& value, int depth) {
        if (depth > kDeepest) {
            return fail("nested too deep");
        }
        skipSpace();
        if (at_ >= text_.size()) {
            return fail("the line ends early");
        }
        const char c = text_[at_];
        if (c == '{') {
            return readObject(value, depth);
        }
        if (c == '[') {
            return readArray(value, depth);
        }
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return readString(value.text);
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            return readNumber(value);
        }
        if (takeWord("true") || takeWord("false")) {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = c == 't';
            return true;
        }
        if (takeWord("null")) {
            value.kind = JsonValue::Kind::Null;
            return true;
        }
        return fail("no JSON value");
    }

    bool readObject(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++at_;
        skipSpace();
        if (take('}')) {
            return true;
        }
        for (;;) {
            skipSpace();
            std::string key;
            if (at_ >= text_.size() || text_[at_] != '"') {
                return fail("no field name");
            }
            if (!readString(key)) {
                return false;
            }
            if (value.member(key.c_str()) != nullptr) {
                return fail("field \"" + key + "\" twice");
            }
            skipSpace();
            if (!take(':')) {
                return fail("no ':' after a field name");
            }
            JsonValue member;
            if (!readValue(member, depth + 1)) {
                return false;
            }
            value.members.emplace_back(std::move(key), std::move(member));
            skipSpace();
            if (take('}')) {
                return true;
            }
            if (!take(',')) {
                return fail("no ',' or '}' in an object");
            }
        }
    }

    bool readArray(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++at_;
        skipSpace();
        if (take(']')) {
            return true;
        }
        for (;;) {
            JsonValue item;
            if (!readValue(item, depth + 1)) {
                return false;
            }
            value.items.push_back(std::move(item));
            skipSpace();
            if (take(']')) {
                return true;
            }
            if (!take(',')) {
                return fail("no ',' or ']' in an array");
            }
        }
    }

    bool readHex(unsigned& code) {
        code = 0;
        for (int i = 0; i < 4; ++i) {
            if (at_ >= text_.size()) {
                return fail("the line ends in an escape");
            }
            const char c = text_[at_++];
            code <<= 4U;
            if (c >= '0' && c <= '9') {
                code |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                code |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                code |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                return fail("a bad \\u escape");
            }
        }
        return true;
    }

    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6U));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12U));
            out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18U));
            out += static_cast<char>(0x80 | ((code >> 12U) & 0x3FU));
            out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        }
    }

    bool readEscape(std::string& out) {
        if (at_ >= text_.size()) {
            return fail("the line ends in an escape");
        }
        const char c = text_[at_++];
        switch (c) {
            case '"':
            case '\\':
            case '/':
                out += c;
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                break;
            default:
                return fail("an unknown escape");
        }
        unsigned code = 0;
        if (!readHex(code)) {
            return false;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return fail("a lone low surrogate");
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low = 0;
            if (!takeWord("\\u") || !readHex(low) || low < 0xDC00 || low > 0xDFFF) {
                return fail("a high surrogate without its low one");
            }
            code = 0x10000 + ((code - 0xD800) << 10U) + (low - 0xDC00);
        }
        appendUtf8(out, code);
        return true;
    }

    bool readString(std::string& out) {
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) {
                return fail("the line ends in a string");
            }
            const char c = text_[at_++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return fail("a control character in a string");
            }
            if (c == '\\') {
                if (!readEscape(out)) {
                    return false;
                }
            } else {
                out += c;
            }
        }
    }

    bool digits() {
        const std::size_t from = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            ++at_;
        }
        return at_ > from;
    }

    bool readNumber(JsonValue& value) {
        const std::size_t from = at_;
        take('-');
        if (take('0')) {
            // JSON allows no leading zeros.
        } else if (!digits()) {
            return fail("a bad number");
        }
        if (take('.') && !digits()) {
            return fail("a bad number");
        }
        if (take('e') || take('E')) {
            if (!take('+')) {
                take('-');
            }
            if (!digits()) {
                return fail("a bad number");
            }
        }
        const std::string number = text_.substr(from, at_ - from);
        value.kind = JsonValue::Kind::Number;
        value.number = std::strtod(number.c_str(), nullptr);
        if (!std::isfinite(value.number)) {
            return fail("a number too large");
        }
        return true;
    }

    const std::string& text_;
    std::size_t at_ = 0;
    std::string error_;
};

}  // namespace

const JsonValue* JsonValue::member(const char* name) const {
    for (const auto& [key, value] : members) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

bool JsonValue::parse(const std::string& text, JsonValue& value, std::string& why) {
    return Reader(text).readDocument(value, why);
}
