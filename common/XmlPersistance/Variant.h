#pragma once

#include <cstdint>
#include <string>
#include <variant>

// The value of a variant property: unassigned, null, or one typed value. The reader sets
// text, or null for an empty element.
class TVariant {
public:
    struct TNull {
        bool operator==(const TNull&) const = default;
    };

    TVariant() = default;
    static TVariant Null() { return TVariant(TNull{}); }
    TVariant(std::string text) : Value(std::move(text)) {}
    TVariant(const char* text) : Value(std::string(text)) {}
    TVariant(std::int64_t number) : Value(number) {}
    TVariant(double number) : Value(number) {}
    TVariant(bool flag) : Value(flag) {}

    bool IsUnassigned() const { return std::holds_alternative<std::monostate>(Value); }
    bool IsNull() const { return std::holds_alternative<TNull>(Value); }

    // The value as text; raises EConvertError for null, which has no text.
    std::string ToText() const;

    bool operator==(const TVariant&) const = default;

private:
    explicit TVariant(TNull null) : Value(null) {}

    std::variant<std::monostate, TNull, std::int64_t, double, bool, std::string> Value;
};
