#include <vemo_midi/midi.h>

#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>

namespace {

// A UDP port that is free right now on the loopback interface.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

void sendDatagram(int port, const std::vector<std::uint8_t>& bytes)
{
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(s, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::close(s);
}

}  // namespace

using namespace vemo::midi;

class TestVemoMidi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        port_ = freePort();
        qputenv("VEMO_MIDI_INJECT_PORT", QByteArray::number(port_));
    }

    void datagramsOnTheInjectPortReachTheSource()
    {
        MidiInput input;
        std::mutex mutex;
        std::condition_variable arrived;
        std::vector<std::uint8_t> got;
        QVERIFY(input.Open(1, [&](const auto& m) {
            std::lock_guard lock(mutex);
            got = m;
            arrived.notify_all();
        }));
        sendDatagram(port_, {1, 0x90, 64, 90});
        std::unique_lock lock(mutex);
        QVERIFY(arrived.wait_for(lock, std::chrono::seconds(5), [&] { return !got.empty(); }));
        QCOMPARE(got, (std::vector<std::uint8_t>{0x90, 64, 90}));
    }

    void cleanup() { testing::SetSources(std::nullopt); qunsetenv("VEMO_MIDI_SOURCES"); }

    void sourcesFromEnvironment_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("unset") << QByteArray() << QStringList{"Virtual MIDI In 1", "Virtual MIDI In 2"};
        QTest::newRow("empty means none") << QByteArray("") << QStringList{};
        QTest::newRow("two") << QByteArray("Desk A;Desk B") << QStringList{"Desk A", "Desk B"};
    }
    void sourcesFromEnvironment()
    {
        QFETCH(QByteArray, env);
        QFETCH(QStringList, names);
        if (env.isNull())
            qunsetenv("VEMO_MIDI_SOURCES");
        else
            qputenv("VEMO_MIDI_SOURCES", env);
        const auto sources = EnumerateSources();
        QCOMPARE(int(sources.size()), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(QString::fromStdString(sources[i].GetSourceName()), names[i]);
            QCOMPARE(sources[i].Index(), i);
        }
    }

    void injectReachesOnlyInputsOnThatSource()
    {
        MidiInput first, second;
        std::vector<std::vector<std::uint8_t>> atFirst, atSecond;
        QVERIFY(first.Open(0, [&](const auto& m) { atFirst.push_back(m); }));
        QVERIFY(second.Open(1, [&](const auto& m) { atSecond.push_back(m); }));
        testing::Inject(0, {0x90, 60, 100});
        testing::Inject(1, {0xB0, 7, 1});
        QCOMPARE(atFirst.size(), std::size_t(1));
        QCOMPARE(atFirst[0], (std::vector<std::uint8_t>{0x90, 60, 100}));
        QCOMPARE(atSecond.size(), std::size_t(1));
        second.Close();
        QVERIFY(!second.IsOpen());
        testing::Inject(1, {0xB0, 7, 1});
        QCOMPARE(atSecond.size(), std::size_t(1));
    }

    void openOutOfRangeFails()
    {
        testing::SetSources(std::vector<std::string>{"Only"});
        MidiInput input;
        QVERIFY(!input.Open(1, [](const auto&) {}));
        QVERIFY(!input.Open(-1, [](const auto&) {}));
        QVERIFY(!input.IsOpen());
        QCOMPARE(input.SourceIndex(), -1);
        QVERIFY(input.Open(0, [](const auto&) {}));
        QCOMPARE(input.SourceIndex(), 0);
    }

    void callbackMayCloseItsOwnInput()
    {
        MidiInput input;
        int calls = 0;
        QVERIFY(input.Open(0, [&](const auto&) { ++calls; input.Close(); }));
        testing::Inject(0, {0x80, 60, 0});
        testing::Inject(0, {0x80, 60, 0});
        QCOMPARE(calls, 1);
    }

private:
    int port_ = 0;
};

QTEST_GUILESS_MAIN(TestVemoMidi)
#include "test_vemo_midi.moc"
