#include "osc_test_support.h"
#include "windows/midi_manager_controller.h"

#include <vemo_midi/midi.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QtTest>

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>

using vemo::AppSettings;
using vemo::AudioInterface;
using vemo::ShowManager;
using vemo::qt::MidiManagerCommandController;
using vemo::qt::MidiManagerController;
using namespace vemo::testing;
using namespace std::chrono_literals;

namespace {

// The engine's MIDI settings of the test's data folder: the open source and learned commands
// {id, status, channel, note}.
void WriteMidiSettings(const std::filesystem::path& dataDirectory, const QString& source,
                       const QList<QList<int>>& learned)
{
    QJsonArray commands;
    for (const QList<int>& command : learned) {
        commands.append(QJsonObject{{"id", command[0]}, {"status", command[1]}, {"channel", command[2]},
                                    {"note", command[3]}});
    }
    std::filesystem::create_directories(dataDirectory);
    QFile file(QString::fromStdString((dataDirectory / "midi_commands.json").string()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(QJsonObject{{"source", source}, {"learned", commands}}).toJson());
}

QString Color(QObject* lamp)
{
    return lamp->property("color").value<QColor>().name(QColor::HexRgb);
}

} // namespace

class TestMidiManager : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        engine = MakeQmlEngine();
        settingsFile = QString::fromStdString((TestRoot() / "general_settings.vemo").string());
        QFile::remove(settingsFile);
        std::filesystem::remove_all(DataDirectory());
        settings = std::make_shared<AppSettings>(std::make_unique<QSettings>(settingsFile, QSettings::IniFormat));
        vemo::midi::testing::SetSources(std::vector<std::string>{"A", "B", "C"});
    }

    void cleanup()
    {
        controller.reset();
        DeliverDeferredDeletes();
        showManager.reset();
        player.reset();
        vemo::midi::testing::SetSources(std::nullopt);
    }

    // The saved source is applied when it is listed (exactly); otherwise the first source is.
    void savedSource_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("index");
        QTest::newRow("listed") << "B" << 1;
        QTest::newRow("other case") << "b" << 0;
        QTest::newRow("absent") << "Z" << 0;
    }

    void savedSource()
    {
        QFETCH(QString, saved);
        QFETCH(int, index);
        settings->currentMidiSourceName = saved;
        Open();
        QCOMPARE(window()->property("sourceIndex").toInt(), index);
        QCOMPARE(window()->property("sourceModel").toStringList(), (QStringList{"A", "B", "C"}));
        QVERIFY(Calls().contains(QString("SetMidiSource(%1)").arg(index)));
        QCOMPARE(settings->currentMidiSourceName, saved);
        QCOMPARE(window()->property("sourceStatus").toBool(), true);
    }

    void sameNamesSelectTheFirst()
    {
        vemo::midi::testing::SetSources(std::vector<std::string>{"X", "Dup", "Dup"});
        settings->currentMidiSourceName = "Dup";
        Open();
        QCOMPARE(window()->property("sourceIndex").toInt(), 1);
    }

    void noSources()
    {
        vemo::midi::testing::SetSources(std::vector<std::string>{});
        settings->currentMidiSourceName = "A";
        Open();
        QCOMPARE(window()->property("sourceModel").toStringList(), QStringList{});
        QVERIFY(Calls().filter("SetMidiSource").isEmpty());
        QCOMPARE(window()->property("sourceStatus").toBool(), false);
    }

    // Picking a source applies and saves it once, whatever the number of rows.
    void pickingASource()
    {
        Open();
        player->Probe().ClearJournal();
        QObject* combo = Child(window(), "sourceCombo");
        QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 2));
        QCOMPARE(Calls().filter("SetMidiSource"), QStringList{"SetMidiSource(2)"});
        QCOMPARE(settings->currentMidiSourceName, QString("C"));
        QCOMPARE(QSettings(settingsFile, QSettings::IniFormat).value("currentMidiSourceName").toString(), QString("C"));
    }

    void noCommands()
    {
        Open(QJsonObject{{"commands", QJsonArray{}}});
        QVERIFY(controller->Rows().empty());
        QCOMPARE(qobject_cast<QQuickItem*>(Child(window(), "commandColumn"))->childItems().size(), 0);
        QMetaObject::invokeMethod(Child(window(), "sourceCombo"), "activated", Q_ARG(int, 1));
        QCOMPARE(settings->currentMidiSourceName, QString("B"));
    }

    // Rows show the engine's learned assignments; unknown statuses show empty, unnamed ones in hex.
    void rowsFromTheEngine()
    {
        WriteMidiSettings(DataDirectory(), "A", {{0, 0x90, 15, 60}, {1, 0xE0, 2, 7}});
        Open(QJsonObject{{"commands", QJsonArray{QJsonObject{{"id", 0}, {"name", "Play"}, {"action", "play"}},
                                                 QJsonObject{{"id", 1}, {"name", "Stop"}, {"action", "stop"}},
                                                 QJsonObject{{"id", 2}, {"name", "Next"}, {"action", "nextSong"}}}},
                         {"allowedStatuses", QJsonArray{0x90, 0xF0, 0x80}}});
        QCOMPARE(controller->Rows().size(), std::size_t(3));
        QCOMPARE(qobject_cast<QQuickItem*>(Child(window(), "commandColumn"))->childItems().size(), 3);
        QObject* play = Row(0);
        QCOMPARE(play->property("commandName").toString(), QString("Play"));
        QCOMPARE(play->property("midiStatusIndex").toInt(), 0);
        QCOMPARE(play->property("channelIndex").toInt(), 15);
        QCOMPARE(play->property("midiNoteIndex").toInt(), 60);
        QCOMPARE(Color(Child(play, "lamp")), QString("#7cfc00"));
        QCOMPARE(Child(play, "channelCombo")->property("displayText").toString(), QString("16"));
        QCOMPARE(Row(1)->property("midiStatusIndex").toInt(), 3);
        QObject* next = Row(2);
        QCOMPARE(next->property("midiStatusIndex").toInt(), 3);
        QCOMPARE(next->property("channelIndex").toInt(), -1);
        QCOMPARE(next->property("midiNoteIndex").toInt(), -1);
        QCOMPARE(next->property("enabledCommand").toBool(), true);
        QCOMPARE(Color(Child(next, "lamp")), QString("#696969"));
        auto* statuses = qobject_cast<QAbstractItemModel*>(next->property("midiStatusModel").value<QObject*>());
        QVERIFY(statuses);
        QStringList names;
        for (int i = 0; i < statuses->rowCount(); ++i) {
            names << statuses->index(i, 0).data(258).toString();
        }
        QCOMPARE(names, (QStringList{"Note On", "0xF0", "Note Off"}));
        QVERIFY(Calls().filter("SetMidiCommand").isEmpty());
    }

    // A hand assignment goes to the engine from the third choice on, once per change.
    void handChoices()
    {
        Open();
        player->Probe().ClearJournal();
        Pick(1, "statusCombo", 2);
        Pick(1, "channelCombo", 15);
        QVERIFY(Calls().filter("SetMidiCommand").isEmpty());
        Pick(1, "noteCombo", 62);
        QCOMPARE(Calls().filter("SetMidiCommand"), QStringList{"SetMidiCommand(1,176,15,62)"});
        Pick(1, "noteCombo", 64);
        Pick(1, "statusCombo", 0);
        QCOMPARE(Calls().filter("SetMidiCommand"),
                 (QStringList{"SetMidiCommand(1,176,15,62)", "SetMidiCommand(1,176,15,64)", "SetMidiCommand(1,144,15,64)"}));
        QCOMPARE(Color(Child(Row(1), "lamp")), QString("#696969"));
    }

    // Learn, then the engine's answer: learned from a message, or cancelled after 10 s.
    void learning_data()
    {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("handPicksFirst");
        QTest::newRow("learned") << true << false;
        QTest::newRow("cancelled") << false << false;
        QTest::newRow("learned after hand picks") << true << true;
        QTest::newRow("cancelled after hand picks") << false << true;
    }

    void learning()
    {
        QFETCH(bool, answered);
        QFETCH(bool, handPicksFirst);
        Open();
        if (handPicksFirst) {
            Pick(3, "statusCombo", 1);
            Pick(3, "channelCombo", 4);
            Pick(3, "noteCombo", 40);
        }
        player->Probe().ClearJournal();
        QMetaObject::invokeMethod(Child(Row(3), "learnButton"), "clicked");
        QCOMPARE(Calls().filter("LearnMidiCommand"), QStringList{"LearnMidiCommand(3)"});
        QCOMPARE(Color(Child(Row(3), "lamp")), QString("#87ceeb"));
        QCOMPARE(Child(Row(3), "learnButton")->property("enabled").toBool(), false);
        QCOMPARE(Child(Row(3), "noteCombo")->property("enabled").toBool(), false);
        const QStringList otherRow = RowState(2);

        if (answered) {
            vemo::midi::testing::Inject(0, {0x91, 62, 100});
        } else {
            player->Probe().Advance(10001ms);
        }
        RouteNotifications();

        QObject* row = Row(3);
        QCOMPARE(Child(row, "learnButton")->property("enabled").toBool(), true);
        if (answered) {
            QCOMPARE(Color(Child(row, "lamp")), QString("#7cfc00"));
            QCOMPARE(row->property("midiStatusIndex").toInt(), 0);
            QCOMPARE(row->property("channelIndex").toInt(), 1);
            QCOMPARE(row->property("midiNoteIndex").toInt(), 62);
        } else {
            QCOMPARE(Color(Child(row, "lamp")), QString("#696969"));
            QCOMPARE(row->property("midiStatusIndex").toInt(), 4);
            QCOMPARE(row->property("channelIndex").toInt(), -1);
            QCOMPARE(row->property("midiNoteIndex").toInt(), -1);
        }
        // The combo boxes show what the row holds, also after hand picks.
        QCOMPARE(Child(row, "channelCombo")->property("currentIndex"), row->property("channelIndex"));
        QCOMPARE(Child(row, "noteCombo")->property("currentIndex"), row->property("midiNoteIndex"));
        QCOMPARE(RowState(2), otherRow);
        QVERIFY(Calls().filter("SetMidiCommand").isEmpty());
        // Hand picks after the answer are sent again, starting from what the row now shows.
        Pick(3, "noteCombo", 50);
        QCOMPARE(Calls().filter("SetMidiCommand").size(), answered ? 1 : 0);
    }

    void notificationsForUnknownCommands()
    {
        Open();
        const QStringList before = RowState(0);
        controller->MidiLearned(200, 0x90, 0, 1);
        controller->MidiUnlearned(200);
        QCOMPARE(RowState(0), before);
    }

    void documentThatDoesNotLoad()
    {
        QQmlEngine bare;
        Player();
        vemo::osc::testing::StreamCapture errors(std::cerr);
        MidiManagerController broken(&bare, showManager, settings, nullptr);
        QVERIFY(broken.QmlObject() == nullptr);
        QVERIFY(broken.Rows().empty());
        broken.MidiLearned(0, 0x90, 0, 1);
        broken.onSourceSelected_(1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, broken.SetVisible(true));
    }

private:
    std::filesystem::path DataDirectory() const { return TestRoot() / "midi-data"; }

    void Player(const QJsonObject& midi = {})
    {
        FixtureShow show;
        show.songs = {{.number = "1", .bars = 4}};
        if (!midi.isEmpty()) {
            show.extraFields = QJsonObject{{"midi", midi}};
        }
        AudioInterface::Options options;
        options.clock = AudioInterface::Options::Clock::Manual;
        player = std::make_shared<AudioInterface>(show.Write().string(), DataDirectory().string(), false, nullptr, options);
        player->ThrowIfThreadExceptions();
        showManager = std::make_shared<ShowManager>(player);
    }

    void Open(const QJsonObject& midi = {})
    {
        if (!player) {
            Player(midi);
        }
        controller = std::make_unique<MidiManagerController>(engine.get(), showManager, settings, nullptr);
        QVERIFY(controller->QmlObject());
    }

    QQuickWindow* window() { return qobject_cast<QQuickWindow*>(controller->QmlObject()); }

    QObject* Row(std::size_t row) { return controller->Rows().at(row)->QmlObject(); }

    QStringList RowState(std::size_t row)
    {
        QStringList state;
        for (const char* name : {"midiStatusIndex", "channelIndex", "midiNoteIndex", "learnedCommand", "learningCommand",
                                 "enabledCommand"}) {
            state << Row(row)->property(name).toString();
        }
        return state;
    }

    // A user's pick in one of a row's combo boxes: the list row becomes current, then `activated`.
    void Pick(std::size_t row, const QString& comboName, int index)
    {
        QObject* combo = Child(Row(row), comboName);
        auto* control = combo->property("comboControl").value<QObject*>();
        control->setProperty("currentIndex", index);
        QMetaObject::invokeMethod(control, "activated", Q_ARG(int, index));
    }

    QStringList Calls()
    {
        player->Probe().Drain();
        QStringList calls;
        for (const std::string& line : player->Probe().Journal()) {
            calls << QString::fromStdString(line);
        }
        return calls;
    }

    // Hands the engine's learned and cancelled notifications to the window, as the main window does.
    void RouteNotifications()
    {
        for (const QString& line : Calls()) {
            const QStringList parts = line.split(' ');
            if (parts.size() < 4 || parts[0] != ">" || parts[1] != "notify") {
                continue;
            }
            const int value = parts[3].toInt();
            if (parts[2] == "16") {
                controller->MidiLearned((value >> 16) & 0xFF, (value >> 8) & 0xF0, (value >> 8) & 0x0F, value & 0xFF);
            } else if (parts[2] == "17") {
                controller->MidiUnlearned(value);
            }
        }
    }

    std::unique_ptr<QQmlEngine> engine;
    QString settingsFile;
    std::shared_ptr<AppSettings> settings;
    std::shared_ptr<AudioInterface> player;
    std::shared_ptr<ShowManager> showManager;
    std::unique_ptr<MidiManagerController> controller;
};

QTEST_MAIN(TestMidiManager)
#include "test_midi_manager.moc"
