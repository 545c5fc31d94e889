#include "osc/osc_datagram_builder.h"
#include "osc/osc_message.h"
#include "osc_test_support.h"

#include <vemo_test/test_environment.h>

#include <QDir>
#include <QProcess>
#include <QTest>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>

using namespace vemo::osc;
using vemo::osc::testing::Describe;
using vemo::osc::testing::MessageOf;
using vemo::osc::testing::Parse;

namespace {

// The bytes of a literal, embedded NULs included, without the literal's own terminator.
template <std::size_t N> QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

} // namespace

class TestOscCodec : public QObject {
    Q_OBJECT

private slots:
    void decodeRefusesMalformedDatagrams_data();
    void decodeRefusesMalformedDatagrams();
    void decodeAcceptsWellFormedDatagrams_data();
    void decodeAcceptsWellFormedDatagrams();
    void decodeKeepsStringBytesAsReceived();
    void decodeOfManyTagsWithoutDataFails();
    void argumentConversions();
    void floatTextKeepsItsPointUnderACommaLocale();
    void encodeWritesBytes_data();
    void encodeWritesBytes();
    void encodeClassifiesTokensAsQtDoes_data();
    void encodeClassifiesTokensAsQtDoes();
    void classificationAgreesWithQt();
    void encodeThenDecodeRoundTrips_data();
    void encodeThenDecodeRoundTrips();
};

void TestOscCodec::decodeRefusesMalformedDatagrams_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("error");

    const QString noNul = "OSC string is larger than buffer during read of null terminator.";
    const QString int32Short = "Cannot read OSC Param of type int32 in less than four bytes.";
    const QString float32Short = "Cannot read OSC Param of type float32 in less than four bytes.";
    const QString unsupported = "Unsupported or unknown OSC Type.";

    QTest::newRow("empty") << QByteArray() << noNul;
    QTest::newRow("address without NUL") << Bytes("/vemo/play") << noNul;
    QTest::newRow("address cut inside its padding")
        << Bytes("/vemo/play\0") << "The OSC string /vemo/play is larger than buffer while zero padding.";
    QTest::newRow("pad byte not NUL")
        << Bytes("/vemo/play\0x")
        << "The OSC string /vemo/play does not contain proper pad to extend the string to a multiple of 4.";
    QTest::newRow("bundle") << Bytes("#bundle\0\0\0\0\0\0\0\0\1")
                            << "OSC Bundle detected. OSC Bundles unsupported at this time.";
    QTest::newRow("bundle before a cut tail") << Bytes("#bundle\0\xff") << "OSC Bundle detected. OSC Bundles unsupported at this time.";
    QTest::newRow("type tags without NUL") << Bytes("/a\0\0,iii") << noNul;
    QTest::newRow("float32 with no bytes") << Bytes("/a\0\0,f\0\0") << float32Short;
    QTest::newRow("int32 cut") << Bytes("/a\0\0,i\0\0\0\0\1") << int32Short;
    QTest::newRow("more tags than data") << Bytes("/a\0\0,ii\0\0\0\0\1") << int32Short;
    QTest::newRow("blob") << Bytes("/a\0\0,b\0\0\0\0\0\1\0\0\0\0") << unsupported;
    QTest::newRow("unknown tag") << Bytes("/a\0\0,x\0\0\0\0\0\1") << unsupported;
    QTest::newRow("unknown tag after a good argument") << Bytes("/a\0\0,iT\0\0\0\0\1") << unsupported;
    QTest::newRow("string argument without NUL") << Bytes("/a\0\0,s\0\0abcd") << noNul;
    QTest::newRow("string argument cut inside its padding")
        << Bytes("/a\0\0,s\0\0abcde\0") << "The OSC string abcde is larger than buffer while zero padding.";
}

void TestOscCodec::decodeRefusesMalformedDatagrams()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, error);
    try {
        Parse(datagram);
        QFAIL("decoding should fail");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromStdString(e.what()), error);
    }
}

void TestOscCodec::decodeAcceptsWellFormedDatagrams_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("message");

    QTest::newRow("address alone") << Bytes("/vemo/play\0\0") << "/vemo/play";
    QTest::newRow("address filling four bytes") << Bytes("/ab\0") << "/ab";
    QTest::newRow("bytes after the address without a comma") << Bytes("/vemo/play\0\0xyz!\0\0\0\0") << "/vemo/play";
    QTest::newRow("comma alone") << Bytes("/vemo/play\0\0,\0\0\0") << "/vemo/play";
    QTest::newRow("int, float and string")
        << Bytes("/vemo/fadeto\0\0\0\0,ifs\0\0\0\0\xff\xff\xff\xfa\x40\x20\0\0hi\0\0")
        << "/vemo/fadeto i:-6 f:2.500000 s:hi";
    QTest::newRow("empty string argument") << Bytes("/a\0\0,s\0\0\0\0\0\0") << "/a s:";
    QTest::newRow("bytes left after the last argument") << Bytes("/a\0\0,i\0\0\0\0\0\7junk") << "/a i:7";
    QTest::newRow("negative zero float") << Bytes("/a\0\0,f\0\0\x80\0\0\0") << "/a f:-0.000000";
    QTest::newRow("largest int32") << Bytes("/a\0\0,i\0\0\x7f\xff\xff\xff") << "/a i:2147483647";
}

void TestOscCodec::decodeAcceptsWellFormedDatagrams()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, message);
    QCOMPARE(Describe(Parse(datagram)), message);
}

void TestOscCodec::decodeKeepsStringBytesAsReceived()
{
    const OscMessage message = Parse(Bytes("/v\xff\0,s\0\0\xc3(\x80\0"));
    QCOMPARE(message.address, std::string("/v\xff"));
    QCOMPARE(message.arguments.size(), std::size_t(1));
    QCOMPARE(message.arguments[0]->toString(), std::string("\xc3(\x80"));
}

void TestOscCodec::decodeOfManyTagsWithoutDataFails()
{
    // The largest UDP payload, almost all of it type tags and none of it argument bytes.
    QByteArray datagram = Bytes("/a\0\0,");
    datagram.append(65507 - datagram.size() - 4, 'i');
    datagram.append(4 - datagram.size() % 4, '\0');
    QVERIFY(datagram.size() <= 65507);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Parse(datagram));
}

void TestOscCodec::argumentConversions()
{
    const OscInt32 minusSix(-6);
    QCOMPARE(minusSix.toFloat32(), -6.0F);
    QCOMPARE(minusSix.toString(), std::string("-6"));
    QCOMPARE(minusSix.type(), kOscTypeInt32);

    const OscFloat32 twoAndAHalf(2.5F);
    QCOMPARE(twoAndAHalf.toString(), std::string("2.500000"));
    QCOMPARE(OscFloat32(-1e30F).toString().substr(0, 5), std::string("-1000"));
    QCOMPARE(OscFloat32(std::nanf("")).toString(), std::string("nan"));
    QCOMPARE(OscFloat32(-INFINITY).toString(), std::string("-inf"));

    const OscString text("x");
    const auto message = [](auto&& convert) {
        try {
            convert();
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    QCOMPARE(message([&] { twoAndAHalf.toInt32(); }), std::string("Parameter does not convert to int32."));
    QCOMPARE(message([&] { text.toInt32(); }), std::string("Parameter does not convert to int32."));
    QCOMPARE(message([&] { text.toFloat32(); }), std::string("Parameter does not convert to float32."));
    QCOMPARE(message([] { OscParam(kOscTypeBlob).toString(); }), std::string("Parameter does not convert to string."));
}

void TestOscCodec::floatTextKeepsItsPointUnderACommaLocale()
{
    // A German numeric locale, compiled into the test's own folder.
    const QString folder = QString::fromStdString(vemo::testing::TestRoot().string()) + "/locales";
    QDir().mkpath(folder);
    if (QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", folder + "/de_DE.UTF-8"}) != 0) {
        QSKIP("localedef could not compile de_DE (Debian package locales).");
    }
    qputenv("LOCPATH", folder.toLocal8Bit());
    QVERIFY(std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr);
    char printed[32];
    std::snprintf(printed, sizeof printed, "%f", 2.5);
    const std::string text = OscFloat32(2.5F).toString();
    std::setlocale(LC_NUMERIC, "C");
    QCOMPARE(std::string(printed), std::string("2,500000"));
    QCOMPARE(text, std::string("2.500000"));
}

void TestOscCodec::encodeWritesBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("empty text") << "" << QByteArray();
    QTest::newRow("address alone") << "/vemo/play" << QByteArray("2f76656d6f2f706c61790000");
    QTest::newRow("int32 argument") << "/vemo/volume -6" << QByteArray("2f76656d6f2f766f6c756d6500000000" "2c690000" "fffffffa");
    QTest::newRow("float32 argument") << "/a 2.5" << QByteArray("2f610000" "2c660000" "40200000");
    QTest::newRow("beyond int32 is float32") << "/a 3000000000" << QByteArray("2f610000" "2c660000" "4f32d05e");
    QTest::newRow("quoted number is a string") << "/a \"12\"" << QByteArray("2f610000" "2c730000" "31320000");
    QTest::newRow("empty quotes give an empty string") << "/a \"\"" << QByteArray("2f610000" "2c730000" "00000000");
    QTest::newRow("lone quote gives nothing") << "/a \"" << QByteArray("2f610000");
    QTest::newRow("blank after the address only") << "/a " << QByteArray("2f610000");
    QTest::newRow("runs of blanks") << "/a  1   2 " << QByteArray("2f610000" "2c696900" "00000001" "00000002");
    QTest::newRow("quotes inside a token")
        << "/a ab\"c d\"e" << QByteArray("2f610000" "2c737300" "61626320" "64000000" "65000000");
    QTest::newRow("open quotes at the end") << "/a \"x y" << QByteArray("2f610000" "2c730000" "78207900");
    QTest::newRow("leading blank gives an empty address") << " x" << QByteArray("00000000" "2c730000" "78000000");
    QTest::newRow("non-ASCII address") << "/\u00e9t\u00e9" << QByteArray("2fc3a974c3a90000");
    QTest::newRow("tab and comma are ordinary") << "/a x\t,y" << QByteArray("2f610000" "2c730000" "78092c79" "00000000");
}

void TestOscCodec::encodeWritesBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, hex);
    QCOMPARE(BuildOscDatagram(text).toHex(), hex);
}

void TestOscCodec::encodeClassifiesTokensAsQtDoes_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("argument");

    QTest::newRow("int") << "12" << "i:12";
    QTest::newRow("plus sign") << "+7" << "i:7";
    QTest::newRow("minus sign") << "-3" << "i:-3";
    QTest::newRow("int followed by a tab") << "12\t" << "i:12";
    QTest::newRow("largest int32") << "2147483647" << "i:2147483647";
    QTest::newRow("beyond int32") << "2147483648" << "f:2147483648.000000";
    QTest::newRow("decimal point") << "2.5" << "f:2.500000";
    QTest::newRow("leading point") << ".5" << "f:0.500000";
    QTest::newRow("exponent") << "1e3" << "f:1000.000000";
    QTest::newRow("nan") << "nan" << "f:nan";
    QTest::newRow("NaN") << "NaN" << "f:nan";
    QTest::newRow("inf") << "inf" << "f:inf";
    QTest::newRow("-inf") << "-inf" << "f:-inf";
    QTest::newRow("Infinity") << "Infinity" << "s:Infinity";
    QTest::newRow("beyond float") << "1e39" << "s:1e39";
    QTest::newRow("trailing letters") << "12abc" << "s:12abc";
    QTest::newRow("hexadecimal") << "0x10" << "s:0x10";
    QTest::newRow("decimal comma") << "1,5" << "s:1,5";
    QTest::newRow("minus sign U+2212 makes a float") << QString::fromUtf16(u"\u22123") << "f:-3.000000";
}

void TestOscCodec::encodeClassifiesTokensAsQtDoes()
{
    QFETCH(QString, token);
    QFETCH(QString, argument);
    QCOMPARE(Describe(MessageOf("/a " + token)), "/a " + argument);
}

void TestOscCodec::classificationAgreesWithQt()
{
    // The rule itself: Qt's conversions, tried in order.
    const auto qtClass = [](const QString& token) {
        bool ok = false;
        const qint32 intValue = token.toInt(&ok, 10);
        if (ok) {
            return "i" + QString::number(intValue);
        }
        const float floatValue = token.toFloat(&ok);
        return ok ? "f" + QString::number(std::bit_cast<quint32>(floatValue), 16) : QString("s");
    };
    const auto ourClass = [](const QString& token) {
        qint32 intValue = 0;
        float floatValue = 0.0F;
        const char type = ClassifyOscToken(token, intValue, floatValue);
        if (type == 'i') {
            return "i" + QString::number(intValue);
        }
        return type == 'f' ? "f" + QString::number(std::bit_cast<quint32>(floatValue), 16) : QString("s");
    };
    int compared = 0;
    const auto check = [&](const QString& token) {
        ++compared;
        if (qtClass(token) != ourClass(token)) {
            QFAIL(qPrintable("\"" + token + "\": Qt gives " + qtClass(token) + ", ours " + ourClass(token)));
        }
    };

    // Parts of numbers, white space of several kinds, and characters that only look like parts of numbers:
    // other scripts' digits, the minus sign, the Arabic decimal separator, infinity.
    const QString alphabet = QString::fromUtf16(
        u"0123456789+-.eEnNaAiIfFtyx,\t\u00a0\u2009\u3000\u0663\u06f3\uff11\u2212\u066b\u221e");
    for (const QChar a : alphabet) {
        check(QString(a));
        for (const QChar b : alphabet) {
            check(QString(a) + b);
            for (const QChar c : alphabet) {
                check(QString(a) + b + c);
            }
        }
    }
    std::mt19937 random(20261210);
    const QString digits = "0123456789";
    for (int i = 0; i < 100000; ++i) {
        QString token;
        const int length = 4 + int(random() % 9);
        for (int j = 0; j < length; ++j) {
            const bool digit = random() % 2 == 0;
            token += digit ? digits[int(random() % 10)] : alphabet[int(random() % alphabet.size())];
        }
        check(token);
    }
    // Signed and unsigned fixed-point numbers of many lengths.
    for (int i = 0; i < 50000; ++i) {
        QString token = QString("+-").mid(int(random() % 3), 1);
        for (int j = 0, whole = 1 + int(random() % 11); j < whole; ++j) {
            token += digits[int(random() % 10)];
        }
        token += '.';
        for (int j = 0, fraction = 1 + int(random() % 11); j < fraction; ++j) {
            token += digits[int(random() % 10)];
        }
        check(token);
    }
    for (const QString& token : QStringList{"2147483647", "-2147483648", "2147483648", "+000000012", "-0", "1234567890", "999999999",
             "1e39", "3.4028235e38", "3.4028236e38", "1e-45", "1e-46", "nan", "-nan", "+inf", "INF", "Infinity", "12\t",
             "\t-12", "0x1A", "1_000", "\u22121.5", "\u22127", "-0.0", "0.1", "16777217.0", "0.000000001",
             "999999999.999999999", "1.", ".5", "+.5"}) {
        check(token);
    }
    qInfo("%d tokens classified alike", compared);
}

void TestOscCodec::encodeThenDecodeRoundTrips_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("play") << "/vemo/play" << "/vemo/play";
    QTest::newRow("show and song") << "/vemo/song/12/show/main_stage/play" << "/vemo/song/12/show/main_stage/play";
    QTest::newRow("fadeto") << "/vemo/fadeto -6 2.5" << "/vemo/fadeto i:-6 f:2.500000";
    QTest::newRow("volume") << "/vemo/volume -6.5" << "/vemo/volume f:-6.500000";
    QTest::newRow("cue") << "/cue/12/go \"Scene 4\" 1 0.5" << "/cue/12/go s:Scene 4 i:1 f:0.500000";
    QTest::newRow("non-ASCII string") << "/a \"Sc\u00e8ne\"" << "/a s:Sc\u00e8ne";
}

void TestOscCodec::encodeThenDecodeRoundTrips()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(Describe(MessageOf(text)), message);
}

QTEST_GUILESS_MAIN(TestOscCodec)
#include "test_osc_codec.moc"
