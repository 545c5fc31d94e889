#include "audio_output/output_path_devices.h"

#include <vemo_test/test_environment.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <ios>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>

using vemo::qt::OutputPathDeviceMap;
using vemo::qt::ReadOutputPathDevices;
using vemo::qt::WriteOutputPathDevices;

Q_DECLARE_METATYPE(OutputPathDeviceMap)

namespace {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// What the reader gives, or its error text.
std::string ReadResult(const std::string& path, OutputPathDeviceMap* paths = nullptr)
{
    try {
        const OutputPathDeviceMap read = ReadOutputPathDevices(path);
        if (paths != nullptr) {
            *paths = read;
        }
        return "";
    } catch (const std::runtime_error& failure) {
        return failure.what();
    }
}

// Path id to device id.
OutputPathDeviceMap Devices(std::initializer_list<std::pair<std::string, std::string>> entries)
{
    OutputPathDeviceMap paths;
    for (const auto& [id, device] : entries) {
        paths[id] = CL::OutputPath(id, "", device, "");
    }
    return paths;
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// Limits the size of files this process writes while it lives; a write past it fails with EFBIG
// instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

const std::string kParseError = "The output path config file has a parse error: ";
const std::string kNoField =
    "The output path config file does not contain a field called \"outputpaths\" and cannot be read.";
const std::string kMalformed = "The output path config file is malformed: ";

} // namespace

// The per-show file of device assignments: what is read from which text, and what is written.
class TestOutputPathDevices : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>(QString::fromStdString((vemo::testing::TestRoot() / "XXXXXX").string()));
        QVERIFY(folder->isValid());
        file = folder->filePath("outputpathdevices.json").toStdString();
    }

    void missingFileNamesThePath()
    {
        QCOMPARE(ReadResult(file), "The Output path config file " + file + " does not exist.");
    }

    void readerRefusesText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");

        const auto row = [](const char* name, const QByteArray& text, const std::string& error) {
            QTest::newRow(name) << text << QString::fromStdString(error);
        };
        row("empty", "", kParseError + "1 The document is empty.");
        row("blanks only", " \n\t", kParseError + "1 The document is empty.");
        row("trailing text", R"({"outputpaths":[]} x)", kParseError + "2 The document root must not be followed by other values.");
        row("two roots", R"({"outputpaths":[]}{})", kParseError + "2 The document root must not be followed by other values.");
        row("not JSON", "outputpaths", kParseError + "3 Invalid value.");
        row("cut", "{\"outputpaths\":[{\"id\":\"a\",\"hw", kParseError + "11 Missing a closing quotation mark in string.");
        row("comment", "/* x */ {\"outputpaths\":[]}", kParseError + "3 Invalid value.");
        row("empty root", "{}", kNoField);
        row("other member only", R"({"outputPaths":[]})", kNoField);
        row("first without id", R"({"outputpaths":[{"hwid":"x"}]})",
            "The first outputpath found  does not have an id. Failing.");
        row("second without id", R"({"outputpaths":[{"id":"p1","hwid":"x"},{"hwid":"y"}]})",
            "The outputpath after the outputpath with id p1  does not have an id. Failing.");
        row("without hwid", R"({"outputpaths":[{"id":"p1","hwid":"x"},{"id":"p2"}]})",
            "The outputpath with id p2  does not have a hwid. Failing.");
        row("empty id without hwid, not first", R"({"outputpaths":[{"id":"p1","hwid":"x"},{"id":""}]})",
            "The first outputpath found  does not have a hwid. Failing.");
        row("root array", "[]", kMalformed + "the root is not an object");
        row("root string", R"("outputpaths")", kMalformed + "the root is not an object");
        row("outputpaths object", R"({"outputpaths":{"id":"a","hwid":"b"}})", kMalformed + "\"outputpaths\" is not an array");
        row("outputpaths null", R"({"outputpaths":null})", kMalformed + "\"outputpaths\" is not an array");
        row("entry number", R"({"outputpaths":[1]})", kMalformed + "an entry is not an object");
        row("entry array", R"({"outputpaths":[["id","hwid"]]})", kMalformed + "an entry is not an object");
        row("id number", R"({"outputpaths":[{"id":5,"hwid":"x"}]})", kMalformed + "an \"id\" is not a string");
        row("id null", R"({"outputpaths":[{"id":null}]})", kMalformed + "an \"id\" is not a string");
        row("hwid object", R"({"outputpaths":[{"id":"a","hwid":{}}]})", kMalformed + "a \"hwid\" is not a string");
        row("hwid true", R"({"outputpaths":[{"id":"a","hwid":true}]})", kMalformed + "a \"hwid\" is not a string");
        row("deep nesting", QByteArray(1000000, '['), kParseError + "3 Invalid value.");
    }

    void readerRefusesText()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        WriteBytes(file, text.toStdString());
        QCOMPARE(QString::fromStdString(ReadResult(file)), error);
    }

    void readerReadsText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<OutputPathDeviceMap>("paths");

        QTest::newRow("no paths") << QByteArray(R"({"outputpaths":[]})") << OutputPathDeviceMap{};
        QTest::newRow("two paths, default device")
            << QByteArray(R"({"outputpaths":[{"id":"p2","hwid":""},{"id":"p1","hwid":"virtual-out-3-4"}]})")
            << Devices({{"p1", "virtual-out-3-4"}, {"p2", ""}});
        QTest::newRow("duplicate id: the later wins")
            << QByteArray(R"({"outputpaths":[{"id":"a","hwid":"x"},{"id":"b","hwid":"z"},{"id":"a","hwid":"y"}]})")
            << Devices({{"a", "y"}, {"b", "z"}});
        QTest::newRow("extra members")
            << QByteArray(R"({"v":[[[1]]],"outputpaths":[{"name":"Mic","id":"a","hwid":"x","n":{"id":5}}],"w":2})")
            << Devices({{"a", "x"}});
        QTest::newRow("blanks around") << QByteArray(" \n{ \"outputpaths\" : [ ] }\n ") << OutputPathDeviceMap{};
        QTest::newRow("escaped NUL cuts") << QByteArray(R"({"outputpaths":[{"id":"a\u0000b","hwid":"c\u0000d"}]})")
                                          << Devices({{"a", "c"}});
        QTest::newRow("non-UTF-8 bytes kept") << QByteArray("{\"outputpaths\":[{\"id\":\"\xff\xfe\",\"hwid\":\"\xc3\"}]}")
                                              << Devices({{"\xff\xfe", "\xc3"}});
    }

    void readerReadsText()
    {
        QFETCH(QByteArray, text);
        QFETCH(OutputPathDeviceMap, paths);
        WriteBytes(file, text.toStdString());
        OutputPathDeviceMap read;
        QCOMPARE(ReadResult(file, &read), std::string());
        QCOMPARE(read, paths);
    }

    // Neither a FIFO nor a folder in place of the file is opened: the reader returns at once.
    void readerRefusesWhatIsNotARegularFile()
    {
        const std::string expected = "The output path config file " + file + " is not a regular file.";
        QVERIFY(mkfifo(file.c_str(), 0600) == 0);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(ReadResult(file), expected);
        QVERIFY(timer.elapsed() < 5000);
        std::filesystem::remove(file);
        std::filesystem::create_directory(file);
        QCOMPARE(ReadResult(file), expected);
    }

    void readerReadsAtMostOneMebibyte()
    {
        std::string padded = R"({"outputpaths":[{"id":"a","hwid":"x"}]})";
        padded.resize(1024 * 1024, ' ');
        WriteBytes(file, padded);
        OutputPathDeviceMap read;
        QCOMPARE(ReadResult(file, &read), std::string());
        QCOMPARE(read, Devices({{"a", "x"}}));
        WriteBytes(file, padded + " ");
        QCOMPARE(ReadResult(file), std::string("The output path config file is larger than 1 MiB."));
    }

    void writerWritesCompactSortedText_data()
    {
        QTest::addColumn<OutputPathDeviceMap>("paths");
        QTest::addColumn<QByteArray>("text");

        QTest::newRow("empty") << OutputPathDeviceMap{} << QByteArray(R"({"outputpaths":[]})");
        QTest::newRow("b, a, B") << Devices({{"b", "hb"}, {"a", ""}, {"B", "hB"}})
                                 << QByteArray(R"({"outputpaths":[{"id":"B","hwid":"hB"},{"id":"a","hwid":""},{"id":"b","hwid":"hb"}]})");
        QTest::newRow("bytes above 0x7f after ASCII") << Devices({{"\xc3\xa9", "1"}, {"z", "2"}})
                                                      << QByteArray("{\"outputpaths\":[{\"id\":\"z\",\"hwid\":\"2\"},"
                                                                    "{\"id\":\"\xc3\xa9\",\"hwid\":\"1\"}]}");
        QTest::newRow("quote, backslash, control") << Devices({{"a", "q\"b\\c\n"}})
                                                   << QByteArray("{\"outputpaths\":[{\"id\":\"a\",\"hwid\":\"q\\\"b\\\\c\\n\"}]}");
        // Names and device names are not kept.
        OutputPathDeviceMap named;
        named["p"] = CL::OutputPath("p", "Stage left", "dev", "Device");
        QTest::newRow("names left out") << named << QByteArray(R"({"outputpaths":[{"id":"p","hwid":"dev"}]})");
    }

    void writerWritesCompactSortedText()
    {
        QFETCH(OutputPathDeviceMap, paths);
        QFETCH(QByteArray, text);
        QVERIFY(WriteOutputPathDevices(file, paths));
        QCOMPARE(QByteArray::fromStdString(ReadBytes(file)), text);
        OutputPathDeviceMap read;
        QCOMPARE(ReadResult(file, &read), std::string());
        for (const auto& [id, path] : paths) {
            QCOMPARE(read.at(id).GetDeviceId(), path.GetDeviceId());
        }
        QCOMPARE(read.size(), paths.size());
    }

    void writerReplacesTheOldFile()
    {
        WriteBytes(file, std::string(5000, 'x'));
        QVERIFY(WriteOutputPathDevices(file, Devices({{"a", "b"}})));
        QCOMPARE(ReadBytes(file), std::string(R"({"outputpaths":[{"id":"a","hwid":"b"}]})"));
        QCOMPARE(FilesIn(folder->path()), QStringList{"outputpathdevices.json"});
    }

    void writerThatCannotOpenCreatesNothing_data()
    {
        QTest::addColumn<QString>("below");
        QTest::newRow("below a regular file") << "blocker";
        QTest::newRow("missing folder") << "missing";
    }

    void writerThatCannotOpenCreatesNothing()
    {
        QFETCH(QString, below);
        WriteBytes(folder->filePath("blocker").toStdString(), "keep");
        const std::string target = folder->filePath(below + "/outputpathdevices.json").toStdString();
        try {
            WriteOutputPathDevices(target, Devices({{"a", "b"}}));
            QFAIL("no failure");
        } catch (const std::ios_base::failure& failure) {
            QVERIFY2(std::string(failure.what()).starts_with("Cannot write " + target + ": "), failure.what());
        }
        QCOMPARE(FilesIn(folder->path()), QStringList{"blocker"});
        QCOMPARE(ReadBytes(folder->filePath("blocker").toStdString()), std::string("keep"));
    }

    // A write cut short keeps the old file byte for byte and leaves no temporary file behind.
    void failedWriteKeepsTheOldFile()
    {
        const std::string old = R"({"outputpaths":[{"id":"kept","hwid":"x"}]})";
        WriteBytes(file, old);
        OutputPathDeviceMap many;
        for (int i = 0; i < 100; ++i) {
            many["path-" + std::to_string(i)] = CL::OutputPath("path-" + std::to_string(i), "", "device", "");
        }
        std::string error;
        {
            const FileSizeLimit limit(old.size() + 10);
            try {
                WriteOutputPathDevices(file, many);
            } catch (const std::ios_base::failure& failure) {
                error = failure.what();
            }
        }
        QVERIFY2(error.starts_with("Cannot write " + file + ": "), error.c_str());
        QCOMPARE(ReadBytes(file), old);
        QCOMPARE(FilesIn(folder->path()), QStringList{"outputpathdevices.json"});
    }

private:
    std::unique_ptr<QTemporaryDir> folder;
    std::string file;
};

QTEST_GUILESS_MAIN(TestOutputPathDevices)
#include "test_output_path_devices.moc"
