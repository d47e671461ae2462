#pragma once

#include <string>
#include <utility>
#include <vector>

// One JSON value as a small strict reader finds it: objects, arrays, strings (their escapes,
// \uXXXX and surrogate pairs among them, decoded to UTF-8; other bytes pass through), numbers,
// true, false and null, with white space between.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    // Always finite: a number too large for a double is refused.
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    // In the order written; no name twice.
    std::vector<std::pair<std::string, JsonValue>> members;

    // The object's member of that name, or null.
    const JsonValue* member(const char* name) const;

    // The whole of `text` as one value with nothing after it but white space. False, with what is
    // wrong and where in `why`, for anything else: never loops or crashes, and nests at most a few
    // levels deep.
    static bool parse(const std::string& text, JsonValue& value, std::string& why);
};
