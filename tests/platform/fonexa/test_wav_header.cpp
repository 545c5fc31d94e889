// The WAV header reader on cut, oversized, zero-sized and looping chunk headers: every one ends with
// a length or an error, never a hang or a read outside the header.
#include <fonexa/sfx_manifest.h>
#include <fonexa/wav_header.h>
#include <vemo_test/test_environment.h>

#include <QtTest>

#include <fstream>
#include <iostream>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A WAV file's bytes built chunk by chunk: 8 kHz 8-bit mono unless a format chunk says otherwise.
class WavBytes {
public:
    WavBytes() { bytes_ = "RIFF" + U32(0) + "WAVE"; }
    WavBytes& Chunk(const std::string& id, std::uint32_t size, const std::string& body)
    {
        bytes_ += id + U32(size) + body;
        return *this;
    }
    WavBytes& Format(std::uint32_t byteRate)
    {
        return Chunk("fmt ", 16, U16(1) + U16(1) + U32(byteRate) + U32(byteRate) + U16(1) + U16(8));
    }
    WavBytes& Data(std::uint32_t size, std::size_t held) { return Chunk("data", size, std::string(held, '\x80')); }
    WavBytes& Cut(std::size_t length)
    {
        bytes_.resize(length);
        return *this;
    }
    QByteArray Bytes() const { return QByteArray::fromStdString(bytes_); }

private:
    static std::string U32(std::uint32_t v)
    {
        return {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char((v >> 24) & 0xff)};
    }
    static std::string U16(std::uint16_t v) { return {char(v & 0xff), char((v >> 8) & 0xff)}; }
    std::string bytes_;
};

// Sends this process's standard error to a file while alive.
class StderrToFile {
public:
    explicit StderrToFile(const std::filesystem::path& file)
        : file_(file)
        , saved_(::dup(STDERR_FILENO))
    {
        const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(descriptor, STDERR_FILENO);
        ::close(descriptor);
    }
    ~StderrToFile() { Restore(); }
    StderrToFile(const StderrToFile&) = delete;
    StderrToFile& operator=(const StderrToFile&) = delete;

    // Restores standard error and gives the lines written meanwhile.
    QStringList Lines()
    {
        Restore();
        QFile captured(QString::fromStdString(file_.string()));
        captured.open(QIODevice::ReadOnly);
        return QString::fromUtf8(captured.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    void Restore()
    {
        if (saved_ < 0)
            return;
        std::cerr.flush();
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }
    std::filesystem::path file_;
    int saved_;
};

}  // namespace

class TestWavHeader : public QObject {
    Q_OBJECT
private slots:
    void chunkHeaders_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qulonglong>("extraFileBytes"); // file bytes after the bytes given to the reader
        QTest::addColumn<int>("durationMs");
        QTest::addColumn<QString>("error");

        QTest::newRow("well formed") << WavBytes().Format(8000).Data(4000, 4000).Bytes() << 0ull << 500 << QString();
        QTest::newRow("chunk before the data")
            << WavBytes().Format(8000).Chunk("LIST", 10, std::string(10, 'x')).Data(4000, 4000).Bytes() << 0ull << 500
            << QString();
        QTest::newRow("odd chunk padded") << WavBytes().Format(8000).Chunk("LIST", 3, "abc_").Data(4000, 4000).Bytes()
                                          << 0ull << 500 << QString();
        QTest::newRow("zero-sized chunk") << WavBytes().Format(8000).Chunk("JUNK", 0, "").Data(4000, 4000).Bytes()
                                          << 0ull << 500 << QString();
        QTest::newRow("zero-sized data") << WavBytes().Format(8000).Data(0, 0).Bytes() << 0ull << 0 << QString();
        QTest::newRow("data cut short") << WavBytes().Format(8000).Data(8000, 4000).Bytes() << 0ull << 500 << QString();
        QTest::newRow("data size near 2^32")
            << WavBytes().Format(8000).Data(0xffffffff, 4000).Bytes() << 0ull << 500 << QString();
        QTest::newRow("data beyond the head") << WavBytes().Format(8000).Data(80000, 0).Bytes() << 80000ull << 10000
                                              << QString();
        QTest::newRow("data longer than an int of milliseconds")
            << WavBytes().Format(1).Data(0xffffffff, 0).Bytes() << 0xffffffffull << 0
            << "the data lasts longer than the program can play";
        // A size whose 32-bit step is zero or negative once the chunk header is added.
        QTest::newRow("looping chunk size")
            << WavBytes().Format(8000).Chunk("LIST", 0xfffffff8u, "").Data(4000, 4000).Bytes() << 0ull << 0
            << "chunk \"LIST\" at byte 36 runs past the end of the file";
        QTest::newRow("chunk size pointing back")
            << WavBytes().Format(8000).Chunk("LIST", 0xffffffe0u, "").Data(4000, 4000).Bytes() << 0ull << 0
            << "chunk \"LIST\" at byte 36 runs past the end of the file";
        QTest::newRow("oversized chunk") << WavBytes().Format(8000).Chunk("LIST", 1000000, "").Data(4000, 4000).Bytes()
                                         << 0ull << 0 << "chunk \"LIST\" at byte 36 runs past the end of the file";
        QTest::newRow("chunk beyond the head")
            << WavBytes().Format(8000).Chunk("LIST", 2000000, "").Bytes() << 2000000ull << 0
            << "no data chunk in the first 44 bytes";
        QTest::newRow("cut inside a chunk header")
            << WavBytes().Format(8000).Data(4000, 4000).Cut(40).Bytes() << 0ull << 0 << "no data chunk in the first 40 bytes";
        QTest::newRow("cut inside the format chunk")
            << WavBytes().Format(8000).Cut(30).Bytes() << 0ull << 0 << "chunk \"fmt \" at byte 12 runs past the end of the file";
        QTest::newRow("short format chunk")
            << WavBytes().Chunk("fmt ", 8, std::string(8, '\0')).Data(4000, 4000).Bytes() << 0ull << 0
            << "the format chunk is too short";
        QTest::newRow("no format chunk") << WavBytes().Data(4000, 4000).Bytes() << 0ull << 0
                                         << "no format chunk with a byte rate before the data";
        QTest::newRow("zero byte rate") << WavBytes().Format(0).Data(4000, 4000).Bytes() << 0ull << 0
                                        << "no format chunk with a byte rate before the data";
        QTest::newRow("not a WAVE file") << QByteArray("RIFF\0\0\0\0AVI LIST", 16) << 0ull << 0 << "not a RIFF WAVE file";
        QTest::newRow("cut RIFF header") << QByteArray("RIFF") << 0ull << 0 << "not a RIFF WAVE file";
        QTest::newRow("empty file") << QByteArray() << 0ull << 0 << "not a RIFF WAVE file";
    }

    void chunkHeaders()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qulonglong, extraFileBytes);
        QFETCH(int, durationMs);
        QFETCH(QString, error);

        // The reader sees exactly the given bytes: a read past them is reported by the sanitizers.
        const std::string head = bytes.toStdString();
        auto run = std::async(std::launch::async, [&] {
            try {
                return std::pair(vemo::sfx::WavDurationMs(head, head.size() + extraFileBytes), std::string());
            } catch (const vemo::sfx::WavHeaderError& e) {
                return std::pair(0, std::string(e.what()));
            }
        });
        QVERIFY2(run.wait_for(std::chrono::seconds(5)) == std::future_status::ready, "the header reader hangs");
        const auto [ms, what] = run.get();
        QCOMPARE(QString::fromStdString(what), error);
        QCOMPARE(ms, durationMs);
    }

    // Through the manifest: a bad header or a named pipe in place of the sound file gives the effect the
    // default length at once, with one line on stderr naming the file; a good file gives no line.
    void manifestFallsBackOnUnreadableSoundFiles()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        const auto folder = std::filesystem::path(vemo::sfx::SfxManifest::Location()).parent_path();
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "manifest.json") << R"({"sfx": [{"name": "Loop", "id": "loop", "file": "loop.wav"},
            {"name": "Pipe", "id": "pipe", "file": "pipe.wav"}, {"name": "Good", "id": "good", "file": "good.wav"}]})";
        const QByteArray looping = WavBytes().Format(8000).Chunk("LIST", 0xfffffff8, "").Data(4000, 4000).Bytes();
        std::ofstream(folder / "loop.wav", std::ios::binary) << looping.toStdString();
        std::ofstream(folder / "good.wav", std::ios::binary)
            << WavBytes().Format(8000).Data(4000, 4000).Bytes().toStdString();
        QVERIFY(::mkfifo((folder / "pipe.wav").c_str(), 0600) == 0);

        StderrToFile error(vemo::testing::TestRoot() / "stderr.txt");
        auto made = std::async(std::launch::async, [] { return std::make_unique<vemo::sfx::SfxManifest>(); });
        QVERIFY2(made.wait_for(std::chrono::seconds(5)) == std::future_status::ready, "the manifest hangs");
        const auto manifest = made.get();
        const QString prefix = "Sound effect length unknown: " + QString::fromStdString(folder.string());
        QCOMPARE(error.Lines(),
                 QStringList({prefix + "/loop.wav: chunk \"LIST\" at byte 36 runs past the end of the file",
                              prefix + "/pipe.wav is not a regular file"}));
        QCOMPARE(manifest->durationMs("loop"), 2000);
        QCOMPARE(manifest->durationMs("pipe"), 2000);
        QCOMPARE(manifest->durationMs("good"), 500);
    }
};

QTEST_GUILESS_MAIN(TestWavHeader)
#include "test_wav_header.moc"
