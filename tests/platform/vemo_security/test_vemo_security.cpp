// The security stand-in: score packages written and read back through the Twofish cipher stream,
// the cipher's known answers, and the show's access data; every failure gives its fixed text and
// returns at once, also for a named pipe or an oversized file in the file's place.
#include <vemo_security/access_data.h>
#include <vemo_security/score_package.h>
#include <vemo_security/twofish_cipher_stream.h>
#include <vemo_test/pipe_watch.h>
#include <vemo_test/test_environment.h>

#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include <sys/stat.h>

namespace fs = std::filesystem;
using vemo::core::DataVector;
using FileMaker = std::function<void(const fs::path& file)>;
Q_DECLARE_METATYPE(FileMaker)
Q_DECLARE_METATYPE(DataVector)

namespace {

fs::path NewFolder()
{
    static int counter = 0;
    const fs::path folder = vemo::testing::TestRoot() / "security" / std::to_string(counter++);
    fs::create_directories(folder);
    return folder;
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

DataVector Counting(std::uint8_t first, std::size_t count)
{
    DataVector bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

const DataVector kDemoKey = Counting(0x00, 32);
const DataVector kDemoIv = Counting(0xa0, 16);

// Some bytes of every value, of a length that is no multiple of the cipher's block.
std::string ArchiveLike(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
    return bytes;
}

std::string Hex(const std::string& bytes)
{
    return QByteArray::fromStdString(bytes).toHex().toStdString();
}

std::string XorWithLead(const std::string& enciphered)
{
    std::string key(16, '\0');
    for (std::size_t i = 0; i < 16; ++i)
        key[i] = static_cast<char>(enciphered.at(i) ^ vemo_sec::kScorePackageLead[i]);
    return key;
}

std::string PlainOf(const fs::path& file, const DataVector& key, const DataVector& iv)
{
    vemo_sec::TwoFishCipherStream stream(file, key, iv);
    std::ostringstream plain;
    plain << stream.GetStream().rdbuf();
    return plain.str();
}

void MakeFifo(const fs::path& file)
{
    QVERIFY(::mkfifo(file.c_str(), 0600) == 0);
}

void MakeSparse(const fs::path& file, std::uintmax_t size)
{
    WriteBytes(file, "");
    fs::resize_file(file, size);
}

const std::string kRecord = R"({"id":"demo",)"
                            R"("keyMaterial1":"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",)"
                            R"("keyMaterial2":"A0A1A2A3A4A5A6A7A8A9AAABACADAEAF"})";

} // namespace

class TestVemoSecurity : public QObject {
    Q_OBJECT

private slots:
    void roundTripGivesTheLeadAndTheArchive_data();
    void roundTripGivesTheLeadAndTheArchive();
    void knownAnswers();
    void packageFailures_data();
    void packageFailures();
    void readsAccessData();
    void accessDataFailures_data();
    void accessDataFailures();
};

void TestVemoSecurity::roundTripGivesTheLeadAndTheArchive_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty archive") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("a block and a bit") << 17;
    QTest::newRow("a megabyte and a bit") << (1 << 20) + 3;
}

void TestVemoSecurity::roundTripGivesTheLeadAndTheArchive()
{
    QFETCH(int, size);
    const fs::path file = NewFolder() / "Show.score";
    const std::string archive = ArchiveLike(static_cast<std::size_t>(size));
    vemo_sec::WriteScorePackage(file, archive, kDemoKey, kDemoIv);

    const std::string stored = ReadBytes(file);
    QCOMPARE(stored.size(), archive.size() + 16);
    if (size > 64)
        QVERIFY(stored.find(archive.substr(0, 64)) == std::string::npos);
    QCOMPARE(PlainOf(file, kDemoKey, kDemoIv), std::string(vemo_sec::kScorePackageLead) + archive);
    QVERIFY(!fs::exists(file.string() + ".tmp"));
}

void TestVemoSecurity::knownAnswers()
{
    // CFB's first block is the cipher of the IV, laid over the lead.
    const fs::path zeroFile = NewFolder() / "zero.score";
    vemo_sec::WriteScorePackage(zeroFile, "", DataVector(32, 0), DataVector(16, 0));
    QCOMPARE(Hex(XorWithLead(ReadBytes(zeroFile))), std::string("57ff739d4dc92c1bd7fc01700cc8216f"));

    const fs::path demoFile = NewFolder() / "demo.score";
    vemo_sec::WriteScorePackage(demoFile, ArchiveLike(100), kDemoKey, kDemoIv);
    QCOMPARE(Hex(ReadBytes(demoFile).substr(0, 16)), std::string("cffbd5acc6fe11ea4e64a72abd1c4b04"));
}

void TestVemoSecurity::packageFailures_data()
{
    QTest::addColumn<FileMaker>("make");
    QTest::addColumn<DataVector>("key");
    QTest::addColumn<DataVector>("iv");
    QTest::addColumn<QString>("error"); // followed by the package's path, unless it ends in "bytes"

    const FileMaker good = [](const fs::path& file) {
        vemo_sec::WriteScorePackage(file, ArchiveLike(4000), kDemoKey, kDemoIv);
    };
    QTest::newRow("missing") << FileMaker([](const fs::path&) {}) << kDemoKey << kDemoIv
                             << "Cannot open score package: ";
    QTest::newRow("folder") << FileMaker([](const fs::path& file) { fs::create_directory(file); }) << kDemoKey
                            << kDemoIv << "Cannot open score package: ";
    QTest::newRow("named pipe") << FileMaker(MakeFifo) << kDemoKey << kDemoIv << "Cannot open score package: ";
    QTest::newRow("link to a named pipe")
        << FileMaker([](const fs::path& file) {
               MakeFifo(file.parent_path() / "pipe");
               fs::create_symlink("pipe", file);
           })
        << kDemoKey << kDemoIv << "Cannot open score package: ";
    QTest::newRow("257 MiB") << FileMaker([](const fs::path& file) { MakeSparse(file, 257ull << 20); })
                             << kDemoKey << kDemoIv << "Score package is too large: ";
    QTest::newRow("one byte over 256 MiB")
        << FileMaker([](const fs::path& file) { MakeSparse(file, (256ull << 20) + 1); }) << kDemoKey << kDemoIv
        << "Score package is too large: ";
    QTest::newRow("empty") << FileMaker([](const fs::path& file) { WriteBytes(file, ""); }) << kDemoKey << kDemoIv
                           << "Score package could not be deciphered: ";
    QTest::newRow("shorter than the lead")
        << FileMaker([](const fs::path& file) { WriteBytes(file, "VEMO-SCORE"); })
        << kDemoKey << kDemoIv << "Score package could not be deciphered: ";
    QTest::newRow("plain, not enciphered")
        << FileMaker([](const fs::path& file) { WriteBytes(file, std::string(vemo_sec::kScorePackageLead) + "tar"); })
        << kDemoKey << kDemoIv << "Score package could not be deciphered: ";
    QTest::newRow("wrong key") << good << Counting(1, 32) << kDemoIv << "Score package could not be deciphered: ";
    QTest::newRow("wrong iv") << good << kDemoKey << Counting(0xa1, 16) << "Score package could not be deciphered: ";
    QTest::newRow("short key") << good << Counting(0, 31) << kDemoIv << "Score key material must be 32 and 16 bytes";
    QTest::newRow("long iv") << good << kDemoKey << Counting(0xa0, 17) << "Score key material must be 32 and 16 bytes";
    QTest::newRow("no key material") << good << DataVector() << DataVector()
                                     << "Score key material must be 32 and 16 bytes";
}

void TestVemoSecurity::packageFailures()
{
    QFETCH(FileMaker, make);
    QFETCH(DataVector, key);
    QFETCH(DataVector, iv);
    QFETCH(QString, error);
    const fs::path folder = NewFolder();
    const fs::path file = folder / "Show.score";
    make(file);
    const std::string expected = error.endsWith("bytes") ? error.toStdString() : error.toStdString() + file.string();

    const vemo::testing::PipeWatchOutcome outcome =
        vemo::testing::RunWatchingPipes([&] { vemo_sec::TwoFishCipherStream stream(file, key, iv); }, folder);
    QVERIFY(!outcome.openedPipe);
    QCOMPARE(outcome.error, expected);
}

void TestVemoSecurity::readsAccessData()
{
    const fs::path file = NewFolder() / "show.record";
    WriteBytes(file, kRecord);
    const vemo_sec::AccessData data = vemo_sec::ReadAccessData(file);
    QCOMPARE(data.block1, kDemoKey);
    QCOMPARE(data.block2, kDemoIv);

    // The keys read this way open the package they wrote.
    const fs::path package = file.parent_path() / "Show.score";
    vemo_sec::WriteScorePackage(package, "pages", kDemoKey, kDemoIv);
    QCOMPARE(PlainOf(package, data.block1, data.block2), std::string(vemo_sec::kScorePackageLead) + "pages");
}

void TestVemoSecurity::accessDataFailures_data()
{
    QTest::addColumn<FileMaker>("make");
    const auto text = [](std::string bytes) {
        return FileMaker([bytes](const fs::path& file) { WriteBytes(file, bytes); });
    };
    QTest::newRow("missing") << FileMaker([](const fs::path&) {});
    QTest::newRow("folder") << FileMaker([](const fs::path& file) { fs::create_directory(file); });
    QTest::newRow("named pipe") << FileMaker(MakeFifo);
    QTest::newRow("over 64 KiB") << text(kRecord + std::string(64 * 1024, ' '));
    QTest::newRow("huge") << FileMaker([](const fs::path& file) { MakeSparse(file, 1ull << 30); });
    QTest::newRow("empty") << text("");
    QTest::newRow("not JSON") << text("keyMaterial1=00");
    QTest::newRow("an array") << text("[]");
    QTest::newRow("no keyMaterial2") << text(R"({"keyMaterial1":"00"})");
    QTest::newRow("key material a number") << text(R"({"keyMaterial1":"00","keyMaterial2":16})");
    QTest::newRow("odd hex") << text(R"({"keyMaterial1":"000","keyMaterial2":"00"})");
    QTest::newRow("not hex") << text(R"({"keyMaterial1":"zz","keyMaterial2":"00"})");
}

void TestVemoSecurity::accessDataFailures()
{
    QFETCH(FileMaker, make);
    const fs::path folder = NewFolder();
    const fs::path file = folder / "show.record";
    make(file);
    const vemo::testing::PipeWatchOutcome outcome =
        vemo::testing::RunWatchingPipes([&] { vemo_sec::ReadAccessData(file); }, folder);
    QVERIFY(!outcome.openedPipe);
    QCOMPARE(outcome.error, "Cannot read show access data: " + file.string());
}

QTEST_GUILESS_MAIN(TestVemoSecurity)
#include "test_vemo_security.moc"
