#include "vemo_security/access_data.h"

#include "vemo_core/regular_file.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <stdexcept>

namespace vemo_sec {
namespace {

constexpr std::uintmax_t kMaxRecordFileBytes = 64 * 1024;

vemo::core::DataVector HexField(const QJsonObject& record, const char* name)
{
    const QJsonValue value = record.value(QLatin1String(name));
    if (!value.isString())
        throw std::invalid_argument(std::string(name) + " is missing");
    return vemo::core::convertHexToVec(value.toString().toStdString());
}

} // namespace

AccessData ReadAccessData(const std::filesystem::path& recordFile)
{
    try {
        const std::string bytes = vemo::core::ReadRegularFile(recordFile, kMaxRecordFileBytes);
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(bytes));
        if (!document.isObject())
            throw std::invalid_argument("not a JSON object");
        const QJsonObject record = document.object();
        return AccessData{HexField(record, "keyMaterial1"), HexField(record, "keyMaterial2")};
    } catch (const std::exception&) {
        throw std::runtime_error("Cannot read show access data: " + recordFile.string());
    }
}

} // namespace vemo_sec
