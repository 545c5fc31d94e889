#include "json_fields.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace vemo::core::json {

QJsonObject ParseObject(const std::string& bytes)
{
    if (bytes.empty())
        throw FieldError("the file is empty");
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (error.error != QJsonParseError::NoError)
        throw FieldError("not valid JSON (" + error.errorString().toStdString() + " at offset "
            + std::to_string(error.offset) + ")");
    if (!document.isObject())
        throw FieldError("the top level is not an object");
    return document.object();
}

Fields::Fields(const QJsonObject& object, std::string where)
    : object_(object)
    , where_(std::move(where))
{
}

bool Fields::Has(const char* key) const
{
    return object_.contains(QLatin1String(key));
}

void Fields::Fail(const char* key, const std::string& problem) const
{
    std::string message = "member \"" + std::string(key) + "\"";
    if (!where_.empty())
        message += " of " + where_;
    throw FieldError(message + " " + problem);
}

QJsonValue Fields::Required(const char* key) const
{
    const auto found = object_.constFind(QLatin1String(key));
    if (found == object_.constEnd())
        Fail(key, "is missing");
    return found.value();
}

std::string Fields::Text(const char* key) const
{
    const QJsonValue value = Required(key);
    if (!value.isString())
        Fail(key, "must be text");
    return value.toString().toStdString();
}

std::string Fields::Text(const char* key, const std::string& fallback) const
{
    return Has(key) ? Text(key) : fallback;
}

std::int64_t Fields::Whole(const char* key, std::int64_t lowest, std::int64_t highest) const
{
    const QJsonValue value = Required(key);
    const double number = value.toDouble();
    if (!value.isDouble() || std::floor(number) != number || number < static_cast<double>(lowest)
        || number > static_cast<double>(highest))
        Fail(key, "must be a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest));
    return static_cast<std::int64_t>(number);
}

std::int64_t Fields::Whole(const char* key, std::int64_t lowest, std::int64_t highest, std::int64_t fallback) const
{
    return Has(key) ? Whole(key, lowest, highest) : fallback;
}

double Fields::Number(const char* key) const
{
    const QJsonValue value = Required(key);
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        Fail(key, "must be a number");
    return value.toDouble();
}

double Fields::Number(const char* key, double fallback) const
{
    return Has(key) ? Number(key) : fallback;
}

QJsonObject Fields::Object(const char* key) const
{
    const QJsonValue value = Required(key);
    if (!value.isObject())
        Fail(key, "must be an object");
    return value.toObject();
}

std::optional<QJsonObject> Fields::OptionalObject(const char* key) const
{
    if (!Has(key))
        return std::nullopt;
    return Object(key);
}

QJsonArray Fields::Array(const char* key) const
{
    const QJsonValue value = Required(key);
    if (!value.isArray())
        Fail(key, "must be a list");
    return value.toArray();
}

QJsonArray Fields::Array(const char* key, const QJsonArray& fallback) const
{
    return Has(key) ? Array(key) : fallback;
}

QJsonObject Fields::Entry(const QJsonArray& array, qsizetype index, const char* arrayKey) const
{
    const QJsonValue value = array.at(index);
    if (!value.isObject())
        Fail(arrayKey, "entry " + std::to_string(index + 1) + " must be an object");
    return value.toObject();
}

} // namespace vemo::core::json
