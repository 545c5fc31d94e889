#include "lists/event_info_item.h"
#include "lists/list_row_meta_types.h"

#include <vemo_core/events.h>

#include <QtTest>

#include <iostream>
#include <memory>
#include <sstream>

using vemo::qt::EventInfoItem;
using vemo::qt::MakeEventInfoItem;
using vemo::qt::MarkerInfoItem;
using vemo::qt::OscMessageDisplayText;

Q_DECLARE_METATYPE(std::shared_ptr<cmn::VemoEvent>)

class TestListRows : public QObject {
    Q_OBJECT

private slots:
    void oscTexts_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("warns");
        QTest::newRow("play") << QByteArray("/vemo/sfx/Thunder/play") << QString::fromUtf8("▶ Thunder") << false;
        QTest::newRow("stop in capitals, with an argument")
            << QByteArray("/vemo/sfx/rain/STOP 2") << QString::fromUtf8("⏹ rain") << false;
        QTest::newRow("fadeto") << QByteArray("/vemo/sfx/rain/fadeto 0.5 3") << QString("Fade rain") << false;
        QTest::newRow("other command capitalised") << QByteArray("/vemo/sfx/door/open") << QString("Open door")
                                                   << false;
        QTest::newRow("no command") << QByteArray("/vemo/sfx/door/") << QString(" door") << false;
        QTest::newRow("volume, leading blanks") << QByteArray("  /vemo/volume 0.8") << QString("Volume Change")
                                                << false;
        QTest::newRow("fade to") << QByteArray("/vemo/fadeto 0.2 5") << QString("Fade To...") << false;
        QTest::newRow("prefixes are case sensitive") << QByteArray("/VEMO/volume") << QString("/VEMO/volume")
                                                     << false;
        QTest::newRow("no second slash") << QByteArray("/vemo/sfx/rain") << QString("/vemo/sfx/rain") << true;
        QTest::newRow("other address trimmed") << QByteArray(" /lights/go 3 ") << QString("/lights/go 3") << false;
        QTest::newRow("invalid UTF-8") << QByteArray("/x/\xff\xfe") << QString::fromUtf8("/x/\xef\xbf\xbd\xef\xbf\xbd")
                                       << false;
    }

    void oscTexts()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, expected);
        QFETCH(bool, warns);
        std::ostringstream errors;
        std::streambuf* const standardError = std::cerr.rdbuf(errors.rdbuf());
        const QString text = OscMessageDisplayText(message.toStdString());
        std::cerr.rdbuf(standardError);
        QCOMPARE(text, expected);
        QCOMPARE(errors.str(), warns ? std::string("Invalid format: Unable to find the ending '/'\n") : std::string());
    }

    void valueTexts_data()
    {
        QTest::addColumn<std::shared_ptr<cmn::VemoEvent>>("event");
        QTest::addColumn<QString>("expected");
        CL::SfxProperties thunder;
        thunder.setName("Thunder");
        QTest::newRow("repeat of 0") << std::shared_ptr<cmn::VemoEvent>(new CL::Repeat(0, 960, "r", 0))
                                     << QString::fromUtf8("∞");
        QTest::newRow("vamp of 4") << std::shared_ptr<cmn::VemoEvent>(new CL::Vamp(0, 960, "v", 4)) << QString("4x");
        QTest::newRow("vamp of 0") << std::shared_ptr<cmn::VemoEvent>(new CL::Vamp(0, 960, "v", 0))
                                   << QString::fromUtf8("∞");
        QTest::newRow("transpose 0") << std::shared_ptr<cmn::VemoEvent>(new CL::Transpose(0, 960, "t", 0))
                                     << QString("+0");
        QTest::newRow("transpose -5") << std::shared_ptr<cmn::VemoEvent>(new CL::Transpose(0, 960, "t", -5))
                                      << QString("-5");
        QTest::newRow("tempo scale 0.875 rounds away from zero")
            << std::shared_ptr<cmn::VemoEvent>(new CL::TempoScale(0, 960, "d", 0.875)) << QString("88%");
        QTest::newRow("tempo scale 1.05") << std::shared_ptr<cmn::VemoEvent>(new CL::TempoScale(0, 960, "d", 1.05))
                                          << QString("105%");
        QTest::newRow("cut") << std::shared_ptr<cmn::VemoEvent>(new CL::Cut(0, 960, "c", 0)) << QString();
        QTest::newRow("marker") << std::shared_ptr<cmn::VemoEvent>(new CL::Marker(0, "Verse", "m")) << QString();
        QTest::newRow("sound effect") << std::shared_ptr<cmn::VemoEvent>(new CL::Sfx(0, "q", thunder))
                                      << QString("Thunder");
        QTest::newRow("ambient") << std::shared_ptr<cmn::VemoEvent>(new CL::SfxAmbient(0, 960, "r", thunder))
                                 << QString("Thunder");
        QTest::newRow("osc") << std::shared_ptr<cmn::VemoEvent>(
            new CL::Osc(0, "s", CL::OscProperties("/vemo/sfx/Thunder/play", "net")))
                             << QString::fromUtf8("▶ Thunder");
    }

    void valueTexts()
    {
        QFETCH(std::shared_ptr<cmn::VemoEvent>, event);
        QFETCH(QString, expected);
        const EventInfoItem row = MakeEventInfoItem(*event);
        QCOMPARE(row.count, expected);
        QCOMPARE(row.start, event->start());
        QCOMPARE(row.end, event->end());
        QCOMPARE(row.code, event->code());
        QCOMPARE(row.paired, event->IsPairedEvent());
    }

    void eventRowsCompareEveryField()
    {
        const EventInfoItem row{100, 200, 'A', "2x", true};
        QVERIFY(row == (EventInfoItem{100, 200, 'A', "2x", true}));
        QVERIFY(!(row == (EventInfoItem{101, 200, 'A', "2x", true})));
        QVERIFY(!(row == (EventInfoItem{100, 201, 'A', "2x", true})));
        QVERIFY(!(row == (EventInfoItem{100, 200, '@', "2x", true})));
        QVERIFY(!(row == (EventInfoItem{100, 200, 'A', "2X", true})));
        QVERIFY(!(row == (EventInfoItem{100, 200, 'A', "2x", false})));
    }

    void markerRowsIgnoreTheLocation()
    {
        const MarkerInfoItem row("Verse", "12", 960);
        QVERIFY(row == MarkerInfoItem("Verse", "13A", 960));
        QVERIFY(row == MarkerInfoItem::FromMarker(CL::Marker(960, "Verse", "m1")));
        QVERIFY(!(row == MarkerInfoItem("Verse", "12", 961)));
        QVERIFY(!(row == MarkerInfoItem("verse", "12", 960)));
        QCOMPARE(MarkerInfoItem::FromMarker(CL::Marker(960, "Verse", "m1")).location, std::string());
    }

    void recordsTravelAsMetaTypes()
    {
        vemo::qt::RegisterListRowMetaTypes();
        QVERIFY(QMetaType::fromName("vemo::qt::EventInfoItem").isValid());
        QVERIFY(QMetaType::fromName("vemo::qt::MarkerInfoItem").isValid());
    }
};

QTEST_GUILESS_MAIN(TestListRows)
#include "test_list_rows.moc"
