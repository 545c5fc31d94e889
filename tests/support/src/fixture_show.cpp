#include "vemo_test/fixture_show.h"

#include "vemo_test/test_environment.h"

#include <fonexa/sfx_manifest.h>
#include <vemo_core/change_log_document.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vemo::testing {
namespace {

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

void writeJson(const std::filesystem::path& file, const QJsonObject& root)
{
    QFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(root).toJson()) < 0)
        throw std::runtime_error("Cannot write fixture file " + file.string());
}

QJsonObject overwritten(QJsonObject object, const QJsonObject& fields)
{
    for (auto field = fields.begin(); field != fields.end(); ++field)
        object.insert(field.key(), field.value());
    return object;
}

CL::NetworkPathVectorT logNetworks(const std::vector<Network>& networks)
{
    CL::NetworkPathVectorT paths;
    for (const Network& network : networks) {
        CL::NetworkPath path;
        path.SetNetworkId(network.id);
        path.SetName(network.name);
        path.SetIpAddress(network.ip);
        path.SetPort(network.port);
        path.SetTransport(network.transport);
        paths.push_back(path);
    }
    return paths;
}

std::vector<CL::OutputPath> logOutputPaths(const std::vector<OutputPath>& outputPaths)
{
    std::vector<CL::OutputPath> paths;
    for (const OutputPath& path : outputPaths)
        paths.emplace_back(path.id, path.name, path.deviceId, path.deviceName);
    return paths;
}

QJsonObject showJson(const FixtureShow& show)
{
    QJsonArray songs, pages, networks, outputPaths;
    for (const Song& song : show.songs)
        songs.append(song.Entry());
    for (const Page& page : show.pages)
        pages.append(QJsonObject{{"page", page.page}, {"song", text(page.song)}, {"tick", qint64(page.tick)}});
    for (const Network& network : show.networks)
        networks.append(QJsonObject{{"networkId", text(network.id)}, {"name", text(network.name)},
                                    {"ip", text(network.ip)}, {"port", network.port},
                                    {"transport", network.transport}});
    for (const OutputPath& path : show.outputPaths)
        outputPaths.append(QJsonObject{{"id", text(path.id)}, {"name", text(path.name)},
                                       {"deviceId", text(path.deviceId)}, {"deviceName", text(path.deviceName)}});
    const QJsonObject root{{"format", "vemo-show/1"}, {"id", text(show.id)}, {"name", text(show.name)},
                           {"ticksPerQuarter", 480}, {"songs", songs}, {"pages", pages},
                           {"networks", networks}, {"outputPaths", outputPaths}};
    return overwritten(root, show.extraFields);
}

void writeChangeLog(const FixtureShow& show, const std::filesystem::path& folder)
{
    const bool hasEvents =
        std::any_of(show.songs.begin(), show.songs.end(), [](const Song& song) { return !song.events.empty(); });
    if (!hasEvents)
        return;
    CL::ChangeLogDocument document;
    document.SetShowId(show.id);
    document.SetVersion(cmn::VEMOVersion{1, 0});
    document.SetNetworks(logNetworks(show.networks));
    document.SetOutputPaths(logOutputPaths(show.outputPaths));
    for (const Song& song : show.songs) {
        if (song.events.empty() && song.attacca == 0)
            continue;
        CL::SongDocument& log = document.SongForWriting(song.number);
        log.attacca = static_cast<UInt8>(song.attacca);
        for (const auto& event : song.events)
            log.Insert(std::shared_ptr<const cmn::VemoEvent>(event->Clone()));
    }
    document.Save(folder / show.LogFileName());
}

void writeManifest(const std::vector<Effect>& effects)
{
    if (effects.empty())
        return;
    const std::filesystem::path manifest = vemo::sfx::SfxManifest::Location();
    if (manifest.empty())
        throw std::runtime_error("The test environment has no machine data folder for the sound-effect manifest");
    std::filesystem::create_directories(manifest.parent_path());
    QJsonArray primary, ambient;
    for (const Effect& effect : effects) {
        const std::string file = effect.id + ".wav";
        (effect.ambient ? ambient : primary)
            .append(QJsonObject{{"id", text(effect.id)}, {"name", text(effect.name)}, {"file", text(file)},
                                {"durationMs", effect.durationMs}});
        std::ofstream(manifest.parent_path() / file) << "RIFF";
    }
    writeJson(manifest, QJsonObject{{"metadata", QJsonObject{{"count", primary.size()}, {"ambientCount", ambient.size()}}},
                                    {"sfx", primary},
                                    {"ambient", ambient}});
}

}  // namespace

QJsonObject Song::Entry() const
{
    QJsonArray meterList, tempoList, keyList;
    for (const Meter& meter : meters)
        meterList.append(QJsonObject{{"bar", meter.bar}, {"num", meter.numerator}, {"den", meter.denominator}});
    for (const Tempo& tempo : tempos)
        tempoList.append(QJsonObject{{"bar", tempo.bar}, {"beat", tempo.beat}, {"bpm", tempo.bpm}});
    for (const Key& key : keys)
        keyList.append(QJsonObject{{"bar", key.bar}, {"sf", key.sharpsFlats}, {"mi", key.minor ? 1 : 0}});
    QJsonObject entry{{"number", text(number)},
                      {"title", text(title.empty() ? "Song " + number : title)},
                      {"bars", bars},
                      {"meters", meterList},
                      {"tempos", tempoList},
                      {"keys", keyList},
                      {"pickupBeats", pickupBeats},
                      {"startTick", qint64(startTick)},
                      {"attacca", attacca}};
    if (editStartTick)
        entry.insert("editStartTick", qint64(*editStartTick));
    if (audioEndTick)
        entry.insert("audioEndTick", qint64(*audioEndTick));
    return overwritten(entry, extraFields);
}

std::string FixtureShow::LogFileName() const
{
    std::string stem;
    std::copy_if(name.begin(), name.end(), std::back_inserter(stem), [](unsigned char c) { return std::isalnum(c); });
    return stem + "-1.0.logdata";
}

std::filesystem::path FixtureShow::Write(const std::filesystem::path& folder) const
{
    std::filesystem::create_directories(folder);
    writeJson(folder / "show.json", showJson(*this));
    writeChangeLog(*this, folder);
    writeManifest(effects);
    return folder;
}

std::filesystem::path FixtureShow::Write() const
{
    static std::atomic<int> counter{0};
    return Write(TestRoot() / "fixture_shows" / ("show" + std::to_string(counter++)));
}

}  // namespace vemo::testing
