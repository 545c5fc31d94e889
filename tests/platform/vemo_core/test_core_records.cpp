#include "vemo_core/vemo_core.h"

#include <QTest>

#include <QDir>

#include <fstream>
#include <sstream>

class TestCoreRecords : public QObject {
    Q_OBJECT

private slots:
    void hexText()
    {
        QVERIFY(convertHexToVec("").empty());
        const vemo::core::DataVector bytes = convertHexToVec("00fFa5");
        QCOMPARE(bytes, (vemo::core::DataVector{0x00, 0xff, 0xa5}));
        QCOMPARE(vemo::core::convertVecToHex(bytes), std::string("00ffa5"));
        for (const char* bad : {"abc", "zz", "0g"}) {
            try {
                convertHexToVec(bad);
                QFAIL(bad);
            } catch (const std::invalid_argument& error) {
                QCOMPARE(QString(error.what()), QString("Invalid hex text"));
            }
        }
    }

    void changeLogVersion()
    {
        cmn::VEMOVersion version;
        QVERIFY(version.SetWithString("2.14"));
        QCOMPARE(version.GetAsString(), std::string("2.14"));
        for (const char* bad : {"", "2", "2.", "x.1", "1.70000", "1.2.3"})
            QVERIFY2(!version.SetWithString(bad), bad);
        QCOMPARE(version.GetAsString(), std::string("2.14"));
        QVERIFY((cmn::VEMOVersion{1, 9}) < (cmn::VEMOVersion{1, 10}));
        QVERIFY((cmn::VEMOVersion{1, 10}) < (cmn::VEMOVersion{2, 0}));
    }

    void fileVersion()
    {
        QVERIFY(cmn::FileVersion("1.10") >= cmn::FileVersion("1.9"));
        QVERIFY(cmn::FileVersion("1.9") < cmn::FileVersion("1.10"));
        QVERIFY(cmn::FileVersion("2") >= cmn::FileVersion("1.99"));
        QVERIFY(cmn::FileVersion("x.3") == cmn::FileVersion("0.3"));
        QVERIFY(cmn::FileVersion("1.y") == cmn::FileVersion("1.0"));
    }

    void keyNames_data()
    {
        QTest::addColumn<int>("sharpsFlats");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("name");
        QTest::newRow("C") << 0 << 0 << "C";
        QTest::newRow("Bb") << -2 << 0 << "Bb";
        QTest::newRow("C#") << 7 << 0 << "C#";
        QTest::newRow("Cb") << -7 << 0 << "Cb";
        QTest::newRow("Em") << 1 << 1 << "Em";
        QTest::newRow("Abm") << -7 << 1 << "Abm";
        QTest::newRow("out of range") << 8 << 0 << "?";
        QTest::newRow("bad mode") << 0 << 2 << "?";
    }

    void keyNames()
    {
        QFETCH(int, sharpsFlats);
        QFETCH(int, mode);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(Keys::keyNameFromSig(static_cast<short>(sharpsFlats), static_cast<short>(mode))), name);
    }

    void timelineRecords()
    {
        QCOMPARE(TL::BarsBeats().bar_number(), std::string());
        QCOMPARE(TL::BarsBeats(960, 12, 1, "A").bar_number(), std::string("12A"));
        QCOMPARE(TL::BarsBeats(0, 0, 3).bar_number(), std::string("0"));
        TL::Tempo tempo;
        tempo.usPerQuarter = 500000;
        QCOMPARE(tempo.bpm(24), 120.0);
        QCOMPARE(tempo.bpm(12), 240.0);
        TL::Meter meter;
        meter.numerator = 6;
        meter.denominator = 8;
        QCOMPARE(meter.label(), std::string("6/8"));
    }

    void sequenceSerialisation()
    {
        TL::TimelineSequence<TL::BarsBeats> beats;
        beats.push_back(TL::BarsBeats(480, 0, 4));
        beats.push_back(TL::BarsBeats(0x01020304, 12, 1, "A"));
        std::ostringstream out;
        beats.Serialize(out);
        const std::string bytes = out.str();
        QCOMPARE(bytes.size(), std::size_t(1 + 4 + 2 * 16));
        const std::string head("b\x02\x00\x00\x00", 5);
        QCOMPARE(bytes.substr(0, 5), head);
        // Second record: tick little-endian first, bar number, suffix, beat number last.
        const std::string second("\x04\x03\x02\x01\x0c\x00\x00\x00" "A\x00\x00\x00\x01\x00\x00\x00", 16);
        QCOMPARE(bytes.substr(5 + 16, 16), second);
        QCOMPARE(beats.count(), std::size_t(2));
        QCOMPARE(beats.code(), UInt8('b'));
    }

    void sequenceDescribeAndDump()
    {
        TL::TimelineSequence<TL::BarsBeats> beats;
        beats.push_back(TL::BarsBeats(0, 1, 1));
        beats.push_back(TL::BarsBeats(480, 1, 2));
        std::ostringstream description;
        beats.Describe(description);
        QCOMPARE(description.str(), std::string("Sequence(code=0x62, event count = 2)"));
        std::ostringstream dump;
        beats.Dump(dump, 1);
        QCOMPARE(dump.str(), std::string("\tSequence(code=0x62, event count = 2)\n"
                                         "\t\tbar 1 beat 1 @ 0\n"
                                         "\t\tbar 1 beat 2 @ 480\n"));
        // The base flags of the stream are restored after the hexadecimal code.
        description << ' ' << 255;
        QVERIFY(description.str().ends_with(" 255"));
    }

    void eventsKeepTheirKind()
    {
        const CL::Vamp vamp(100, 900, "VAMP1", 2);
        const std::shared_ptr<cmn::VemoEvent> copy = CL::CopyVemoEvent(vamp);
        QVERIFY(dynamic_cast<CL::Vamp*>(copy.get()) != nullptr);
        QVERIFY(*copy == vamp);
        QCOMPARE(copy->GetLengthTicks(), UInt32(800));
        QVERIFY(copy->IsPairedEvent());

        CL::Marker marker(960, "Curtain", "MRK1");
        marker.end(2000);
        QCOMPARE(marker.end(), UInt32(0));
        QCOMPARE(marker.GetLengthTicks(), UInt32(0));
        QVERIFY(!marker.IsPairedEvent());
        const CL::Marker fromEvent(static_cast<const cmn::VemoEvent&>(marker));
        QVERIFY(fromEvent == marker);

        const CL::TempoScale tempo(0, 10, "TMP1", 1.1);
        QCOMPARE(tempo.float_value(), 1.1f);
        std::ostringstream text;
        tempo.WriteString(text);
        QCOMPARE(text.str(), std::string("TempoScale TMP1 0-10 1.1"));

        QVERIFY(CL::Vamp(1, 2, "A", 0) < CL::Cut(1, 2, "A"));
        QVERIFY(CL::Cut(1, 2, "A") < CL::Cut(1, 2, "B"));
        QVERIFY(CL::Cut(1, 2, "B") < CL::Vamp(2, 3, "A", 0));
        QVERIFY(CL::Vamp(1, 2, "A", 0) != CL::Vamp(1, 2, "A", 1));
    }

    void kindNames()
    {
        QCOMPARE(codes::editNameByVemoEventCode.size(), std::size_t(12));
        QCOMPARE(codes::editNameByVemoEventCode.at('M'), std::string("Fermata"));
        QCOMPARE(codes::editNameByVemoEventCode.at('R'), std::string("Ambient Sfx"));
        QCOMPARE(std_midi::sb::status_names.at(0xE0), std::string("Pitch Bend"));
    }

    void makeDirectory()
    {
        const std::filesystem::path folder = std::filesystem::path(qPrintable(QDir::tempPath())) / "core-records" / "a" / "b";
        vemo::MakeDirectoryIfNeeded(folder);
        vemo::MakeDirectoryIfNeeded(folder);
        QVERIFY(std::filesystem::is_directory(folder));
        const std::filesystem::path file = folder / "file";
        std::ofstream(file) << "x";
        QVERIFY_THROWS_EXCEPTION(std::filesystem::filesystem_error, vemo::MakeDirectoryIfNeeded(file / "sub"));
    }

    void metaTypes()
    {
        vemo::core::RegisterQtMetaTypes();
        vemo::core::RegisterQtMetaTypes();
        QCOMPARE(QMetaType::fromName("CL::OutputPath"), QMetaType::fromType<CL::OutputPath>());
        QCOMPARE(QMetaType::fromName("ShowRecord"), QMetaType::fromType<vemo::core::ShowRecord>());
        QCOMPARE(QMetaType::fromName("CL::Osc"), QMetaType::fromType<CL::Osc>());
        QCOMPARE(QMetaType::fromName("UInt32"), QMetaType::fromType<UInt32>());
        QCOMPARE(QMetaType::fromName("std::string"), QMetaType::fromType<std::string>());
    }
};

QTEST_GUILESS_MAIN(TestCoreRecords)
#include "test_core_records.moc"
