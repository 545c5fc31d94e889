#include "vemo_test/service_fixture.h"

#include "vemo_test/test_environment.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

#include <fstream>
#include <sstream>

namespace vemo::testing {
namespace {

QJsonObject Merged(QJsonObject base, const QJsonObject& over)
{
    for (auto it = over.begin(); it != over.end(); ++it)
        base.insert(it.key(), it.value());
    return base;
}

QJsonArray ToArray(const std::vector<QJsonObject>& objects)
{
    QJsonArray array;
    for (const QJsonObject& object : objects)
        array.append(object);
    return array;
}

} // namespace

ServiceFixture::ServiceFixture(std::string showId, std::string credential)
    : showId_(std::move(showId)), credential_(std::move(credential))
{
    static int counter = 0;
    folder_ = TestRoot() / "services" / ("service" + std::to_string(counter++));
    std::filesystem::create_directories(showFolder() / "files");
    std::filesystem::create_directories(showFolder() / "logs");
    const QJsonObject tokens{{QString::fromStdString(credential_), QString::fromStdString(showId_)}};
    WriteBytes(folder_ / "credentials.json", QJsonDocument(QJsonObject{{"tokens", tokens}}).toJson().toStdString());
    WriteLists();
}

std::string ServiceFixture::Address() const
{
    return QUrl::fromLocalFile(QString::fromStdString(folder_.string())).toString().toStdString();
}

void ServiceFixture::UseAsDefault() const
{
    qputenv("VEMO_WEB_BASE", QByteArray::fromStdString(Address()));
}

void ServiceFixture::AddFile(const ServiceFile& file)
{
    QJsonObject entry{{"type", QString::fromStdString(file.type)},
                      {"name", QString::fromStdString(file.name)},
                      {"size", double(file.size.value_or(file.bytes.size()))},
                      {"sha256", QString::fromStdString(file.sha256.value_or(Sha256(file.bytes)))}};
    if (file.majorVersion >= 0) {
        entry.insert("major", file.majorVersion);
        entry.insert("minor", file.minorVersion);
    }
    if (file.stored)
        WriteBytes(showFolder() / "files" / file.name, file.bytes);
    AddFileEntry(entry);
}

void ServiceFixture::AddFileEntry(const QJsonObject& entry)
{
    files_.push_back(entry);
    WriteLists();
}

void ServiceFixture::AddLog(const ServiceLog& log)
{
    const QJsonObject entry{{"major", log.majorVersion},
                            {"minor", log.minorVersion},
                            {"modified", log.modified},
                            {"fileName", QString::fromStdString(log.fileName)},
                            {"key", ""},
                            {"text", QString::fromStdString(log.text.value_or(Sha256(log.bytes)))}};
    if (log.stored)
        WriteBytes(showFolder() / "logs" / log.fileName, log.bytes);
    logs_.push_back(Merged(entry, log.extraFields));
    WriteLists();
}

void ServiceFixture::SetLatest(int majorVersion, int minorVersion)
{
    latest_ = QJsonObject{{"major", majorVersion}, {"minor", minorVersion}};
    WriteLists();
}

void ServiceFixture::SetFaults(const QJsonObject& faults) const
{
    WriteBytes(folder_ / "_faults.json", QJsonDocument(faults).toJson().toStdString());
}

std::vector<std::string> ServiceFixture::JournalLines() const
{
    std::vector<std::string> lines;
    std::ifstream in(folder_ / "_journal.log");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string ServiceFixture::Sha256(const std::string& bytes)
{
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256).toHex().toStdString();
}

void ServiceFixture::WriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ServiceFixture::ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ServiceFixture::WriteLists() const
{
    WriteBytes(showFolder() / "files.json", QJsonDocument(QJsonObject{{"files", ToArray(files_)}}).toJson().toStdString());
    QJsonObject index{{"logs", ToArray(logs_)}};
    if (latest_)
        index.insert("latest", *latest_);
    WriteBytes(showFolder() / "logs" / "index.json", QJsonDocument(index).toJson().toStdString());
}

} // namespace vemo::testing
