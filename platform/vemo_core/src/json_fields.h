#pragma once

// Typed reading of JSON members with messages that say where the data is wrong.

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace vemo::core::json {

// A member that is missing or of the wrong type; what() is the detail for the caller's message.
class FieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses a whole document that must be an object; FieldError on anything else.
QJsonObject ParseObject(const std::string& bytes);

// `where` names the object in messages ("song 3 event 2"); "" is the top level.
class Fields {
public:
    Fields(const QJsonObject& object, std::string where);

    bool Has(const char* key) const;
    std::string Text(const char* key) const;
    std::string Text(const char* key, const std::string& fallback) const;
    std::int64_t Whole(const char* key, std::int64_t lowest, std::int64_t highest) const;
    std::int64_t Whole(const char* key, std::int64_t lowest, std::int64_t highest, std::int64_t fallback) const;
    double Number(const char* key) const;
    double Number(const char* key, double fallback) const;
    QJsonObject Object(const char* key) const;
    std::optional<QJsonObject> OptionalObject(const char* key) const;
    QJsonArray Array(const char* key) const;
    QJsonArray Array(const char* key, const QJsonArray& fallback) const;

    // An object inside an array member; FieldError when the entry is no object.
    QJsonObject Entry(const QJsonArray& array, qsizetype index, const char* arrayKey) const;

private:
    QJsonValue Required(const char* key) const;
    [[noreturn]] void Fail(const char* key, const std::string& problem) const;

    QJsonObject object_;
    std::string where_;
};

} // namespace vemo::core::json
